// Sprite throughput of the real backend: 2,000 alpha-blended sprites a
// frame from one atlas, flipped without waiting. Prints frames per second,
// median and 99th-percentile CPU time per frame (the main thread's, which
// runs the game and submits to the driver; a software GL driver rasterises
// on worker threads, counted separately as process CPU), wall time per frame
// and batches per frame.
//
// --fill measures instead what one full-screen layer costs in each way the
// renderer can draw it (a software rasteriser is bound by fill, not by
// sprite count).
//
// --separate draws every shape from an image of its own, so consecutive
// sprites never share a texture: the cost of a batch per sprite.
//
//   woofmere_sprite_bench [--frames N] [--sprites N] [--fill] [--separate]
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "platform/Backends.h"
#include "platform/Graphics.h"

using namespace plat;

namespace {

double clockMs(clockid_t id) {
  timespec ts;
  clock_gettime(id, &ts);
  return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}
double cpuMs() { return clockMs(CLOCK_THREAD_CPUTIME_ID); }
double processCpuMs() { return clockMs(CLOCK_PROCESS_CPUTIME_ID); }

double wallMs() { return clockMs(CLOCK_MONOTONIC); }

double percentile(std::vector<double> v, double q) {
  std::sort(v.begin(), v.end());
  size_t i = size_t(std::ceil(v.size() * q));
  return v[std::min(v.size() - 1, i > 0 ? i - 1 : 0)];
}

// Eight 40 x 40 rounded shapes in different colours, side by side.
ImagePtr makeAtlas() {
  constexpr int kCell = 40;
  const uint8_t colours[8][3] = {{230, 60, 60},  {60, 200, 80}, {70, 110, 240}, {240, 200, 40},
                                 {200, 80, 220}, {40, 210, 210}, {250, 140, 40}, {240, 240, 240}};
  Pixmap pm(kCell * 8, kCell);
  for (int i = 0; i < 8; ++i) {
    const float radius = 6.0f + i * 2.0f;   // corner roundness varies per shape
    for (int y = 0; y < kCell; ++y)
      for (int x = 0; x < kCell; ++x) {
        // Distance outside a rounded square, for a soft anti-aliased edge.
        float dx = std::max(std::fabs(x + 0.5f - 20.0f) - (18.0f - radius), 0.0f);
        float dy = std::max(std::fabs(y + 0.5f - 20.0f) - (18.0f - radius), 0.0f);
        float cover = std::clamp(radius - std::hypot(dx, dy) + 0.5f, 0.0f, 1.0f);
        uint8_t* p = pm.at(i * kCell + x, y);
        float shade = 0.75f + 0.25f * (1.0f - y / float(kCell));
        p[0] = uint8_t(colours[i][0] * shade);
        p[1] = uint8_t(colours[i][1] * shade);
        p[2] = uint8_t(colours[i][2] * shade);
        p[3] = uint8_t(cover * 255);
      }
  }
  ImagePtr img = Image::fromPixmap(std::move(pm), kFilteredImage, kCell, kCell, 0, 8);
  img->midHandle();
  return img;
}

// A full-screen picture: opaque, or with a soft transparent vignette.
ImagePtr makeBackdrop(bool opaque) {
  Pixmap pm(1024, 768);
  for (int y = 0; y < 768; ++y)
    for (int x = 0; x < 1024; ++x) {
      uint8_t* p = pm.at(x, y);
      p[0] = uint8_t(x / 4);
      p[1] = uint8_t(y / 3);
      p[2] = uint8_t((x + y) / 8);
      p[3] = opaque ? 255 : uint8_t(std::min(255, 128 + std::abs(x - 512) / 4));
    }
  return Image::fromPixmap(std::move(pm), kFilteredImage);
}

int fillBench(Graphics& g, int frames) {
  ImagePtr opaque = makeBackdrop(true), soft = makeBackdrop(false);
  struct Way {
    const char* name;
    ImagePtr img;
    Blend blend;
    float alpha, scale, x;
  };
  const Way ways[] = {
      {"nothing (clear and present only)", nullptr, Blend::Solid, 1, 1, 0},
      {"opaque image, alpha blend, 1:1", opaque, Blend::Alpha, 1, 1, 0},
      {"opaque image, alpha 0.5, 1:1", opaque, Blend::Alpha, 0.5f, 1, 0},
      {"translucent image, alpha blend, 1:1", soft, Blend::Alpha, 1, 1, 0},
      {"translucent image, additive, 1:1", soft, Blend::Additive, 1, 1, 0},
      {"translucent image, alpha blend, half-pixel offset", soft, Blend::Alpha, 1, 1, 0.5f},
      {"translucent image, alpha blend, scaled 1.01", soft, Blend::Alpha, 1, 1.01f, 0},
  };
  constexpr int kLayers = 4;
  std::printf("fill bench: %d frames each, %d full-screen layers a frame at 1024 x 768\n", frames,
              kLayers);
  double base = 0;
  for (const Way& w : ways) {
    const double p0 = processCpuMs(), w0 = wallMs();
    for (int f = 0; f < frames; ++f) {
      detail::pumpSdlEvents();
      g.setClsColour(30, 30, 45);
      g.cls();
      g.setBlend(w.blend);
      g.setAlpha(w.alpha);
      g.setScale(w.scale, w.scale);
      for (int i = 0; w.img && i < kLayers; ++i) g.drawImage(w.img, w.x, 0);
      g.setScale(1, 1);
      g.setAlpha(1);
      g.flip(0);
    }
    const double cpu = (processCpuMs() - p0) / frames, wall = (wallMs() - w0) / frames;
    if (!w.img) {
      base = cpu;
      std::printf("  %-52s %6.2f ms CPU, %6.2f ms wall per frame\n", w.name, cpu, wall);
    } else {
      std::printf("  %-52s %6.2f ms CPU per layer\n", w.name, (cpu - base) / kLayers);
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  int frames = 600, sprites = 2000;
  bool fill = false, separate = false;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--fill")) fill = true;
    else if (!std::strcmp(argv[i], "--separate")) separate = true;
    else if (i + 1 < argc && !std::strcmp(argv[i], "--frames")) frames = std::max(1, std::atoi(argv[++i]));
    else if (i + 1 < argc && !std::strcmp(argv[i], "--sprites")) sprites = std::max(1, std::atoi(argv[++i]));
  }
  auto g = detail::createSdlGraphics();
  if (!g || !g->openDisplay(1024, 768, false)) {
    std::printf("sprite bench: cannot open a 1024 x 768 window\n");
    return 1;
  }
  g->setTitle("Woofmere sprite bench");
  g->setVirtualResolution(1024, 768);
  if (fill) {
    int rc = fillBench(*g, std::min(frames, 200));
    g->closeDisplay();
    return rc;
  }
  ImagePtr atlas = makeAtlas();
  std::vector<ImagePtr> own;
  for (int i = 0; separate && i < 8; ++i) {
    own.push_back(Image::fromPixmap(atlas->framePixmap(i), kFilteredImage));
    own.back()->midHandle();
  }

  struct Sprite {
    float x, y, vx, vy, angle, spin;
    int frame;
  };
  std::vector<Sprite> all(static_cast<size_t>(sprites));
  unsigned seed = 12345;
  auto rnd = [&seed](float lo, float hi) {
    seed = seed * 1664525u + 1013904223u;
    return lo + (hi - lo) * float(seed >> 8) / float(1 << 24);
  };
  for (size_t i = 0; i < all.size(); ++i)
    all[i] = {rnd(0, 1024), rnd(0, 768), rnd(-3, 3), rnd(-3, 3), rnd(0, 360), rnd(-4, 4),
              int(i % 8)};

  std::vector<double> cpu, wallFrame;
  cpu.reserve(size_t(frames));
  wallFrame.reserve(size_t(frames));
  const double processStart = processCpuMs();
  long batches = 0, drawn = 0;
  const double wallStart = wallMs();
  for (int f = 0; f < frames; ++f) {
    const double c0 = cpuMs(), w0 = wallMs();
    detail::pumpSdlEvents();
    g->setClsColour(30, 30, 45);
    g->cls();
    g->setBlend(Blend::Alpha);
    for (Sprite& s : all) {
      s.x += s.vx;
      s.y += s.vy;
      if (s.x < 0 || s.x > 1024) s.vx = -s.vx;
      if (s.y < 0 || s.y > 768) s.vy = -s.vy;
      s.angle += s.spin;
      g->setRotation(s.angle);
      if (separate)
        g->drawImage(own[size_t(s.frame)], s.x, s.y);
      else
        g->drawImage(atlas, s.x, s.y, s.frame);
    }
    g->setRotation(0);
    g->flip(0);
    cpu.push_back(cpuMs() - c0);
    wallFrame.push_back(wallMs() - w0);
    batches += g->lastFrameStats().batches;
    drawn += g->lastFrameStats().sprites;
  }
  const double wall = wallMs() - wallStart;
  const double processCpu = processCpuMs() - processStart;
  std::printf("sprite bench: %d frames of %d sprites at 1024 x 768, %s\n", frames, sprites,
              separate ? "an image each" : "one sheet");
  std::printf("  frames per second   %.1f\n", frames * 1000.0 / wall);
  std::printf("  CPU ms per frame    median %.2f, 99th percentile %.2f (main thread)\n",
              percentile(cpu, 0.5), percentile(cpu, 0.99));
  std::printf("  wall ms per frame   median %.2f, 99th percentile %.2f\n",
              percentile(wallFrame, 0.5), percentile(wallFrame, 0.99));
  std::printf("  process CPU ms      %.2f per frame (all threads, driver included)\n",
              processCpu / frames);
  std::printf("  batches per frame   %.2f (sprites per frame %.0f)\n", double(batches) / frames,
              double(drawn) / frames);
  g->closeDisplay();
  return 0;
}
