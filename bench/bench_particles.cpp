// One frame of particles (update and draw of the whole list) on the headless
// renderer, with the game's own particle images when the game folder is
// built, else with stand-ins of the same sizes.
//  - Steady: N long-lived burst particles, as after a big cascade.
//  - UpdateOnly: the same without drawing.
//  - Churn: a chip's 63-particle destruction burst every frame, each living
//    half a second, so about 30 bursts (1,900 particles) are alive at once
//    and as many are made and dropped as the frame goes.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "app/Screen.h"
#include "fx/ParticleGenerators.h"
#include "platform/Clock.h"
#include "platform/Graphics.h"
#include "platform/Platform.h"
#include "platform/Random.h"

namespace {

void setupOnce() {
  static bool done = false;
  if (done) return;
  done = true;
  plat::PlatformConfig cfg;
  cfg.headless = true;
  cfg.audio = false;
  plat::init(cfg);
  plat::gfx().openDisplay(1024, 768, false);
  plat::useFakeClock(1000);
  delta = 1;
#ifdef WOOFMERE_GAME_DIR
  std::error_code ec;
  std::filesystem::current_path(WOOFMERE_GAME_DIR, ec);
#endif
  setupParticles();
  for (int k = 0; k < 2; ++k)
    if (!TParticle::image(k)) {
      plat::Pixmap pm(k == 0 ? 16 : 24, k == 0 ? 16 : 24);
      pm.fill(255, 255, 255, 200);
      TParticle::images[k] = plat::Image::fromPixmap(std::move(pm));
      TParticle::images[k]->midHandle();
    }
}

void frame() {
  plat::advanceFakeClock(1000.0 / 60.0);
  updateParticles();
  plat::gfx().cls();
  drawParticles();
  plat::gfx().flip(0);
}

void chipBurst(int x, int y) {
  const TRGB c{230, 90, 60};
  for (int i = 0; i < 21; ++i)
    generateBurstParticleAlpha(x + plat::randInt(-10, 10), y + plat::randInt(-10, 10), c, -1000);
  for (int i = 0; i < 42; ++i)
    generateBurstParticle(x + plat::randInt(-10, 10), y + plat::randInt(-10, 10), c, -1000);
}

void BM_ParticlesSteady(benchmark::State& state) {
  setupOnce();
  plat::seedRandom(1);
  particleList.clear();
  const int n = static_cast<int>(state.range(0));
  for (int i = 0; i < n; ++i) {
    const int x = 200 + plat::randInt(0, 600), y = 150 + plat::randInt(0, 450);
    createParticle(plat::randInt(0, 1), x, y, x + plat::randInt(-40, 40), y + plat::randInt(-40, 40), x,
                   y, TRGB{240, 200, 80}, 1, 0, 0.5f, 1, 0, 0, 4, 0, 1000000000);
  }
  for (auto _ : state) frame();
  state.counters["particles"] = static_cast<double>(particleList.size());
  state.SetItemsProcessed(state.iterations() * n);
  particleList.clear();
}
BENCHMARK(BM_ParticlesSteady)->Arg(0)->Arg(500)->Arg(2000)->Arg(5000)->Unit(benchmark::kMillisecond);

// The particles' own cost without the software rasteriser: the list walk,
// the clock, the curve and the draw calls into the batcher.
void BM_ParticlesUpdateOnly(benchmark::State& state) {
  setupOnce();
  plat::seedRandom(1);
  particleList.clear();
  const int n = static_cast<int>(state.range(0));
  for (int i = 0; i < n; ++i) {
    const int x = 200 + plat::randInt(0, 600), y = 150 + plat::randInt(0, 450);
    createParticle(plat::randInt(0, 1), x, y, x + 30, y - 30, x, y, TRGB{240, 200, 80}, 1, 0, 0.5f, 1,
                   0, 0, 4, 0, 1000000000);
  }
  for (auto _ : state) {
    plat::advanceFakeClock(1000.0 / 60.0);
    updateParticles();
  }
  state.SetItemsProcessed(state.iterations() * n);
  particleList.clear();
}
BENCHMARK(BM_ParticlesUpdateOnly)->Arg(5000)->Unit(benchmark::kMicrosecond);

void BM_ParticlesChurn(benchmark::State& state) {
  setupOnce();
  plat::seedRandom(2);
  particleList.clear();
  for (int i = 0; i < 40; ++i) {  // warm up to the steady population
    chipBurst(300 + plat::randInt(0, 400), 200 + plat::randInt(0, 300));
    frame();
  }
  for (auto _ : state) {
    chipBurst(300 + plat::randInt(0, 400), 200 + plat::randInt(0, 300));
    frame();
  }
  state.counters["alive"] = static_cast<double>(particleList.size());
  particleList.clear();
}
BENCHMARK(BM_ParticlesChurn)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
