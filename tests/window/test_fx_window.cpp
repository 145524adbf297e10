// Particles of every kind over a stage background in a real window, with the
// game's own images: chip bursts, a flash, a broken cell, chain links, a
// rising score, a praise caption, a chain count and a travelling sparkle.
// The picture is kept for a look and sampled here.
#include <gtest/gtest.h>

#include "GameWindow.h"

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/Screen.h"
#include "board/Tile.h"
#include "fx/Emitter.h"
#include "fx/ParticleGenerators.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Pixmap.h"
#include "platform/Platform.h"
#include "platform/Random.h"

namespace {

TEST_F(GameWindow, FxWindowParticlesAndASparkleOverABackground) {
  auto& g = plat::gfx();
  g.setVirtualResolution(1024, 768);
  plat::useFakeClock(10000);
  plat::seedRandom(11);
  delta = 1;
  setupParticles();
  for (int k = 0; k < 8; ++k) ASSERT_NE(TParticle::image(k), nullptr) << k;
  auto back = plat::loadImage("gfx/backgrounds/back-3.jpg");
  ASSERT_NE(back, nullptr);
  particleList.clear();
  emitterList.clear();

  auto burst = [](int x, int y, TRGB c) {
    for (int i = 0; i < 21; ++i)
      generateBurstParticleAlpha(x + plat::randInt(-10, 10), y + plat::randInt(-10, 10), c, -1000);
    for (int i = 0; i < 42; ++i)
      generateBurstParticle(x + plat::randInt(-10, 10), y + plat::randInt(-10, 10), c, -1000);
  };
  auto frames = [](int n) {
    for (int i = 0; i < n; ++i) {
      plat::advanceFakeClock(1000.0 / 60.0);
      updateEmitters();
      updateParticles();
    }
  };

  auto target = std::make_shared<TTile>();
  target->dim = newDimAt(860, 560);
  generateTileBreakParticles(1, 250, 420);
  generateChainBreakParticles(380, 420);
  frames(4);
  // Starts 10 frames before the picture so it is half way along its elbow.
  createBonusEmitter(target.get(), 640, 200, 200, 300, {}, 15);
  burst(200, 200, TRGB{235, 80, 60});
  burst(260, 230, TRGB{90, 160, 240});
  generateExplosionParticles(480, 250, 0, TRGB{255, 220, 120});
  for (int i = 0; i < 8; ++i) {
    generateBlueBurstParticle(700 + plat::randInt(-60, 60), 420 + plat::randInt(-20, 80));
    generateBigBurstParticle(560 + plat::randInt(-20, 20), 560 + plat::randInt(-20, 20), TRGB{250, 230, 120});
  }
  generateScoreParticle(150, 200, 320);
  generateNumberAndTextParticle(7, 9, 420, 650);
  generateTextParticle(0, 512, 120);
  frames(22);  // a third of a second: caption up, bursts spreading, sparkle on its way

  g.setClsColour(12, 12, 12);
  g.cls();
  g.setBlend(plat::Blend::Alpha);
  g.setColour(255, 255, 255);
  g.setAlpha(1);
  g.setScale(1, 1);
  g.setRotation(0);
  g.drawImage(back, 0, 0);
  plat::Pixmap before = g.readBackBuffer();
  drawParticles();
  plat::Pixmap pm = g.readBackBuffer();
  g.flip(0);
  keep(pm, "fx-particles.png");

  // Around the bursts the additive glow lights the background up.
  EXPECT_GT(countBrighter(before, pm, 170, 170, 290, 260), 30);
  // The caption shows above its start: gold letters, lighter than the sky behind.
  int gold = 0;
  for (int y = 40; y < 130; y += 2)
    for (int x = 380; x < 640; x += 2) {
      const uint8_t* p = pm.at(x, y);
      gold += p[0] > 200 && p[1] > 140 && p[2] < 140;
    }
  EXPECT_GT(gold, 50);

  particleList.clear();
  emitterList.clear();
  TParticle::images.clear();
  TScoreParticle::digits.clear();
  TTextParticle::captions.clear();
  TPlateParticle::shards.clear();
}

}  // namespace
