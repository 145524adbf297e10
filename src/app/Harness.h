// Command-line options for tests and benchmarks, and the per-frame hook that
// plays an input script, counts frames, steps the fake clock, takes the
// screenshot and gathers frame-time figures.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct HarnessOptions {
  bool headless = false;
  bool windowed = false;
  std::optional<uint64_t> seed;
  bool fixedDelta = false;
  int frames = -1;             // end after this many frames; -1 = run freely
  std::string screenshot;      // PNG of the last frame
  std::string script;          // input events by frame number
  std::string userDir;         // per-user directory for this run
  std::string dataDir;         // game folder
  bool bench = false;
  int benchFrom = 0;           // --bench figures leave out the frames before this one (loading)
  std::string level;           // campaign level number or .lvl file to play at once
  bool bot = false;            // the demo player plays that level
  bool checkCampaign = false;  // verify the campaign content, then end
  int seeds = 10;              // bot games per level for --check-campaign
  bool help = false;
};

// Parses argv. On a bad option returns nullopt and sets error.
std::optional<HarnessOptions> parseHarnessOptions(const std::vector<std::string>& args, std::string& error);
std::string harnessUsage();

// One scripted input event.
struct ScriptEvent {
  int frame = 0;
  std::string command;       // move, press, release, click, key, keydown, keyup, text, wheel, close, focus, screenshot
  std::vector<std::string> args;
  int line = 0;
};

// Parses a script file's text; errors name the line.
std::optional<std::vector<ScriptEvent>> parseScript(const std::string& text, std::string& error);

class Harness {
 public:
  static Harness& get();

  void configure(const HarnessOptions& opts);
  bool loadScript(const std::string& path);
  void setScript(std::vector<ScriptEvent> events);
  // Installs the frame hook and, for headless or fixed-delta runs, the fake clock.
  void install();
  // Called after every presented frame (through plat::runFrameHook).
  void onFrame();
  // Prints the benchmark figures when --bench was given.
  void report();

  const HarnessOptions& options() const { return opts_; }
  int frame() const { return frame_; }
  bool fixedDelta() const { return opts_.fixedDelta; }
  // True once --frames is reached; the game then ends through its exit path.
  bool framesDone() const { return opts_.frames >= 0 && frame_ >= opts_.frames; }
  // Saves the back buffer now (before it is presented).
  bool saveScreenshot(const std::string& path);
  // Median and 99th percentile of the game thread's CPU milliseconds per frame.
  void frameFigures(double& median, double& p99) const;

 private:
  void applyEvents();
  void apply(const ScriptEvent& e);

  HarnessOptions opts_;
  std::vector<ScriptEvent> script_;
  size_t next_ = 0;
  int frame_ = 0;
  std::vector<int> pendingKeyUps_;
  std::vector<int> pendingMouseUps_;
  std::vector<double> frameCpuMs_, frameProcMs_, frameWallMs_;
  double lastCpuMs_ = -1, lastProcMs_ = 0, lastWallMs_ = 0;
  bool installed_ = false;
};
