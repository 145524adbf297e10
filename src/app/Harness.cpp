#include "app/Harness.h"

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <numeric>
#include <sstream>

#include "app/Canvas.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/Platform.h"
#include "platform/Random.h"

namespace {

bool parseInt(const std::string& s, long long& out) {
  if (s.empty()) return false;
  char* end = nullptr;
  out = std::strtoll(s.c_str(), &end, 10);
  return end && *end == 0;
}

bool parseFloat(const std::string& s, float& out) {
  if (s.empty()) return false;
  char* end = nullptr;
  out = std::strtof(s.c_str(), &end);
  return end && *end == 0 && std::isfinite(out);
}

double cpuMs(clockid_t clock) {
  timespec ts{};
  clock_gettime(clock, &ts);
  return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

// Median and 99th percentile of a series.
void figures(std::vector<double> v, double& median, double& p99) {
  median = p99 = 0;
  if (v.empty()) return;
  std::sort(v.begin(), v.end());
  median = v[v.size() / 2];
  size_t idx = size_t(std::ceil(0.99 * double(v.size()))) - 1;
  p99 = v[std::min(idx, v.size() - 1)];
}

int buttonFromName(const std::string& n) {
  if (n == "left" || n == "1") return plat::MOUSE_LEFT;
  if (n == "right" || n == "2") return plat::MOUSE_RIGHT;
  if (n == "middle" || n == "3") return plat::MOUSE_MIDDLE;
  return -1;
}

}  // namespace

std::string harnessUsage() {
  return "Usage: woofmere [options]\n"
         "  --data DIR         game folder (default: the one beside the binary)\n"
         "  --user-dir DIR     per-user directory for this run (default: $HOME)\n"
         "  --windowed         start in a window whatever the settings say\n"
         "  --headless         no window, no GPU, no sound (drawing goes to memory)\n"
         "  --seed N           seed of the random source (same seed, same game)\n"
         "  --fixed-delta      every frame counts as exactly 1/60 s\n"
         "  --frames N         end through the normal exit path after N frames\n"
         "  --script FILE      input events by frame number\n"
         "  --screenshot PATH  save the last frame as PNG\n"
         "  --bench            print frame-time figures and peak memory at exit\n"
         "  --bench-from N     leave the first N frames (loading) out of those figures\n"
         "  --level N|FILE     play campaign level N (or a .lvl file) on the test profile\n"
         "  --bot              with --level: a demo player plays through the game's mouse path\n"
         "  --check-campaign   check every level and list, play each level with the bot, then end\n"
         "  --seeds N          bot games per level for --check-campaign (default 10)\n"
         "  --help             this text\n";
}

std::optional<HarnessOptions> parseHarnessOptions(const std::vector<std::string>& args, std::string& error) {
  HarnessOptions o;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) {
        error = "option " + a + " needs a value";
        return false;
      }
      out = args[++i];
      return true;
    };
    std::string v;
    if (a == "--headless") {
      o.headless = true;
    } else if (a == "--windowed") {
      o.windowed = true;
    } else if (a == "--fixed-delta") {
      o.fixedDelta = true;
    } else if (a == "--bench") {
      o.bench = true;
    } else if (a == "--bot") {
      o.bot = true;
    } else if (a == "--check-campaign") {
      o.checkCampaign = true;
    } else if (a == "--help" || a == "-h") {
      o.help = true;
    } else if (a == "--seed") {
      long long n;
      if (!value(v)) return std::nullopt;
      if (!parseInt(v, n) || n < 0) {
        error = "--seed needs a non-negative whole number, not '" + v + "'";
        return std::nullopt;
      }
      o.seed = uint64_t(n);
    } else if (a == "--seeds") {
      long long n;
      if (!value(v)) return std::nullopt;
      if (!parseInt(v, n) || n < 1 || n > 1000) {
        error = "--seeds needs a whole number from 1 to 1000, not '" + v + "'";
        return std::nullopt;
      }
      o.seeds = int(n);
    } else if (a == "--bench-from") {
      long long n;
      if (!value(v)) return std::nullopt;
      if (!parseInt(v, n) || n < 0 || n > 100000000) {
        error = "--bench-from needs a whole number of frames, not '" + v + "'";
        return std::nullopt;
      }
      o.benchFrom = int(n);
      o.bench = true;
    } else if (a == "--frames") {
      long long n;
      if (!value(v)) return std::nullopt;
      if (!parseInt(v, n) || n < 0 || n > 100000000) {
        error = "--frames needs a whole number of frames, not '" + v + "'";
        return std::nullopt;
      }
      o.frames = int(n);
    } else if (a == "--screenshot") {
      if (!value(o.screenshot)) return std::nullopt;
    } else if (a == "--script") {
      if (!value(o.script)) return std::nullopt;
    } else if (a == "--user-dir") {
      if (!value(o.userDir)) return std::nullopt;
    } else if (a == "--data") {
      if (!value(o.dataDir)) return std::nullopt;
    } else if (a == "--level") {
      if (!value(o.level)) return std::nullopt;
    } else {
      error = "unknown option '" + a + "'";
      return std::nullopt;
    }
  }
  return o;
}

std::optional<std::vector<ScriptEvent>> parseScript(const std::string& text, std::string& error) {
  static const char* kArgs[][2] = {{"move", "2"},  {"press", "1"},   {"release", "1"}, {"click", "2"},
                                   {"key", "1"},   {"keydown", "1"}, {"keyup", "1"},   {"text", "*"},
                                   {"wheel", "1"}, {"close", "0"},   {"focus", "1"},   {"screenshot", "1"}};
  std::vector<ScriptEvent> events;
  std::istringstream in(text);
  std::string line;
  int lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    std::istringstream ls(line);
    ScriptEvent e;
    e.line = lineNo;
    std::string frameWord;
    ls >> frameWord >> e.command;
    long long f;
    auto fail = [&](const std::string& why) {
      error = "script line " + std::to_string(lineNo) + ": " + why;
      return std::nullopt;
    };
    if (!parseInt(frameWord, f) || f < 0) return fail("expected a frame number, got '" + frameWord + "'");
    e.frame = int(f);
    std::transform(e.command.begin(), e.command.end(), e.command.begin(), ::tolower);
    const char* want = nullptr;
    for (auto& k : kArgs)
      if (e.command == k[0]) want = k[1];
    if (!want) return fail("unknown command '" + e.command + "'");
    if (std::string(want) == "*") {
      std::string rest;
      std::getline(ls, rest);
      size_t s = rest.find_first_not_of(" \t");
      rest = s == std::string::npos ? "" : rest.substr(s);
      if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"') rest = rest.substr(1, rest.size() - 2);
      e.args.push_back(rest);
    } else {
      std::string w;
      while (ls >> w) e.args.push_back(w);
      if (int(e.args.size()) != std::stoi(want))
        return fail("'" + e.command + "' takes " + want + " argument(s)");
      float fv;
      if ((e.command == "move" || e.command == "click") && (!parseFloat(e.args[0], fv) || !parseFloat(e.args[1], fv)))
        return fail("coordinates must be numbers");
      if ((e.command == "press" || e.command == "release") && buttonFromName(e.args[0]) < 0)
        return fail("unknown mouse button '" + e.args[0] + "'");
      if ((e.command == "key" || e.command == "keydown" || e.command == "keyup") && plat::keyFromName(e.args[0]) < 0)
        return fail("unknown key '" + e.args[0] + "'");
      long long n;
      if (e.command == "wheel" && !parseInt(e.args[0], n)) return fail("wheel needs a whole number");
      if (e.command == "focus" && e.args[0] != "lost" && e.args[0] != "gained")
        return fail("focus takes 'lost' or 'gained'");
    }
    events.push_back(std::move(e));
  }
  std::stable_sort(events.begin(), events.end(), [](const ScriptEvent& a, const ScriptEvent& b) { return a.frame < b.frame; });
  return events;
}

Harness& Harness::get() {
  static Harness h;
  return h;
}

void Harness::configure(const HarnessOptions& opts) {
  opts_ = opts;
  frame_ = 0;
  next_ = 0;
  script_.clear();
  frameCpuMs_.clear();
  frameProcMs_.clear();
  frameWallMs_.clear();
  pendingKeyUps_.clear();
  pendingMouseUps_.clear();
  lastCpuMs_ = -1;
  if (opts.seed) plat::seedRandom(*opts.seed);
}

bool Harness::loadScript(const std::string& path) {
  auto text = plat::readTextFile(path);
  if (!text) {
    std::cout << "Could not read input script " << path << std::endl;
    return false;
  }
  std::string err;
  auto events = parseScript(*text, err);
  if (!events) {
    std::cout << "Bad input script " << path << ": " << err << std::endl;
    return false;
  }
  setScript(std::move(*events));
  return true;
}

void Harness::setScript(std::vector<ScriptEvent> events) {
  script_ = std::move(events);
  next_ = 0;
}

void Harness::install() {
  // Headless and fixed-delta runs keep game time on the fake clock, one
  // 1/60 s step per frame: nothing may depend on how fast the machine is.
  // The presentation still paces real frames on its own clock.
  if ((opts_.headless || opts_.fixedDelta) && !plat::fakeClockInUse()) plat::useFakeClock(0);
  plat::setFrameHook([this] { onFrame(); });
  installed_ = true;
  applyEvents();  // events of frame 0 come before the first frame
}

void Harness::applyEvents() {
  for (int k : pendingKeyUps_) plat::input().releaseKey(k);
  for (int b : pendingMouseUps_) plat::input().releaseMouse(b);
  pendingKeyUps_.clear();
  pendingMouseUps_.clear();
  while (next_ < script_.size() && script_[next_].frame <= frame_) apply(script_[next_++]);
}

void Harness::apply(const ScriptEvent& e) {
  auto& in = plat::input();
  auto moveTo = [&](const std::string& xs, const std::string& ys) {
    float x = std::strtof(xs.c_str(), nullptr), y = std::strtof(ys.c_str(), nullptr);
    float vx, vy;
    canvasToVirtual(x, y, vx, vy);
    in.moveMouse(vx, vy);
  };
  if (e.command == "move") {
    moveTo(e.args[0], e.args[1]);
  } else if (e.command == "press") {
    in.pressMouse(buttonFromName(e.args[0]));
  } else if (e.command == "release") {
    in.releaseMouse(buttonFromName(e.args[0]));
  } else if (e.command == "click") {
    moveTo(e.args[0], e.args[1]);
    in.pressMouse(plat::MOUSE_LEFT);
    pendingMouseUps_.push_back(plat::MOUSE_LEFT);
  } else if (e.command == "key") {
    int k = plat::keyFromName(e.args[0]);
    in.pressKey(k);
    pendingKeyUps_.push_back(k);
  } else if (e.command == "keydown") {
    in.pressKey(plat::keyFromName(e.args[0]));
  } else if (e.command == "keyup") {
    in.releaseKey(plat::keyFromName(e.args[0]));
  } else if (e.command == "text") {
    in.typeText(e.args[0]);
  } else if (e.command == "wheel") {
    in.wheel(std::stoi(e.args[0]));
  } else if (e.command == "close") {
    in.requestClose();
  } else if (e.command == "focus") {
    in.setSuspended(e.args[0] == "lost");
  } else if (e.command == "screenshot") {
    saveScreenshot(e.args[0]);
  }
}

bool Harness::saveScreenshot(const std::string& path) {
  plat::Pixmap pm = plat::gfx().readBackBuffer();
  if (pm.empty()) {
    std::cout << "Could not take a screenshot: no display" << std::endl;
    return false;
  }
  bool ok = plat::savePng(path, pm);
  if (ok) std::cout << "Screenshot saved: " << path << std::endl;
  return ok;
}

void Harness::onFrame() {
  // Our own work runs on this thread; the GL driver may add threads of its
  // own, which the process figure includes.
  double now = cpuMs(CLOCK_THREAD_CPUTIME_ID), proc = cpuMs(CLOCK_PROCESS_CPUTIME_ID);
  double wall = double(plat::realMicros()) / 1000.0;
  if (lastCpuMs_ >= 0) {
    frameCpuMs_.push_back(now - lastCpuMs_);
    frameProcMs_.push_back(proc - lastProcMs_);
    frameWallMs_.push_back(wall - lastWallMs_);
  }
  lastCpuMs_ = now;
  lastProcMs_ = proc;
  lastWallMs_ = wall;
  ++frame_;
  // The last frame is still in the back buffer: the hook runs before the
  // buffers are swapped.
  if (!opts_.screenshot.empty() && opts_.frames >= 0 && frame_ == opts_.frames) saveScreenshot(opts_.screenshot);
  if (plat::fakeClockInUse()) plat::advanceFakeClock(1000.0 / 60.0);
  applyEvents();
  if (framesDone()) plat::input().requestClose();
}

void Harness::frameFigures(double& median, double& p99) const { figures(frameCpuMs_, median, p99); }

void Harness::report() {
  if (!opts_.bench) return;
  // Figures over the frames from --bench-from on: a level's loading frames
  // decode music and upload textures, which says nothing about play.
  auto from = [this](const std::vector<double>& v) {
    size_t skip = std::min(v.size(), size_t(std::max(0, opts_.benchFrom)));
    return std::vector<double>(v.begin() + long(skip), v.end());
  };
  const std::vector<double> cpu = from(frameCpuMs_), proc = from(frameProcMs_), wall = from(frameWallMs_);
  double median, p99, procMedian, procP99, wallMedian, wallP99;
  figures(cpu, median, p99);
  figures(proc, procMedian, procP99);
  figures(wall, wallMedian, wallP99);
  // A frame that took more than a tick and a half showed a frame twice.
  const auto late = std::count_if(wall.begin(), wall.end(), [](double ms) { return ms > 25.0; });
  const double wallSum = std::accumulate(wall.begin(), wall.end(), 0.0);
  rusage ru{};
  getrusage(RUSAGE_SELF, &ru);
  auto stats = plat::gfx().lastFrameStats();
  std::printf("bench: frames %d (figures over %zu, from frame %d)\n", frame_, wall.size(), opts_.benchFrom);
  std::printf("bench: cpu ms/frame median %.3f p99 %.3f (game thread)\n", median, p99);
  std::printf("bench: process cpu ms/frame median %.3f p99 %.3f (all threads, graphics driver included)\n",
              procMedian, procP99);
  std::printf("bench: wall ms/frame median %.3f p99 %.3f (%.1f frames per second on average)\n", wallMedian,
              wallP99, wallSum > 0 ? 1000.0 * double(wall.size()) / wallSum : 0.0);
  std::printf("bench: frames over 25 ms %ld (%.1f %%)\n", long(late),
              wall.empty() ? 0.0 : 100.0 * double(late) / double(wall.size()));
  std::printf("bench: sprites/frame %d batches/frame %d fill %.2f screens (last frame)\n", stats.sprites,
              stats.batches,
              stats.pixels / std::max(1.0, double(plat::gfx().displayWidth()) * plat::gfx().displayHeight()));
  std::printf("bench: peak memory %.1f MiB\n", ru.ru_maxrss / 1024.0);
  if (const char* path = std::getenv("WOOFMERE_FRAME_LOG")) {
    // Every frame: game-thread CPU, process CPU and wall ms, for plotting.
    if (FILE* f = std::fopen(path, "w")) {
      for (size_t i = 0; i < frameWallMs_.size(); ++i)
        std::fprintf(f, "%zu %.3f %.3f %.3f\n", i, frameCpuMs_[i], frameProcMs_[i], frameWallMs_[i]);
      std::fclose(f);
    }
  }
  std::fflush(stdout);
}
