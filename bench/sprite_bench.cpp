// Sprite throughput of the real backend: 2,000 alpha-blended sprites a
// frame from one atlas, flipped without waiting. Prints frames per second,
// median and 99th-percentile CPU time per frame (the main thread's, which
// runs the game and submits to the driver; a software GL driver rasterises
// on worker threads, counted separately as process CPU), wall time per frame
// and batches per frame.
//
//   woofmere_sprite_bench [--frames N] [--sprites N]
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

}  // namespace

int main(int argc, char** argv) {
  int frames = 600, sprites = 2000;
  for (int i = 1; i + 1 < argc; ++i) {
    if (!std::strcmp(argv[i], "--frames")) frames = std::max(1, std::atoi(argv[++i]));
    else if (!std::strcmp(argv[i], "--sprites")) sprites = std::max(1, std::atoi(argv[++i]));
  }
  auto g = detail::createSdlGraphics();
  if (!g || !g->openDisplay(1024, 768, false)) {
    std::printf("sprite bench: cannot open a 1024 x 768 window\n");
    return 1;
  }
  g->setTitle("Woofmere sprite bench");
  g->setVirtualResolution(1024, 768);
  ImagePtr atlas = makeAtlas();

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
  std::printf("sprite bench: %d frames of %d sprites at 1024 x 768\n", frames, sprites);
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
