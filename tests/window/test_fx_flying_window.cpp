// Flying objects in mid-air over a stage background in a real window: chip
// ghosts gathering on a cell, a tile flying in, debris falling, a piece
// leaving the board, a resource on its way, a jigsaw piece, a sliding
// caption and a firework burst. The picture is kept for a look and sampled.
#include <gtest/gtest.h>

#include "GameWindow.h"

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/Screen.h"
#include "board/Chip.h"
#include "board/Tile.h"
#include "fx/Flying.h"
#include "fx/Particle.h"
#include "fx/ParticleKinds.h"
#include "gui/Font.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Pixmap.h"
#include "platform/Platform.h"
#include "platform/Random.h"

namespace {

int brightness(const plat::Pixmap& pm, int x, int y) {
  const uint8_t* p = pm.at(x, y);
  return p[0] + p[1] + p[2];
}

plat::ImagePtr midImage(const std::string& path) {
  auto img = plat::loadImage(path);
  if (img) img->midHandle();
  return img;
}

TEST_F(GameWindow, FlyingWindowFlightsInMidAirAndFireworksOverABackground) {
  auto& g = plat::gfx();
  g.setVirtualResolution(1024, 768);
  plat::useFakeClock(10000);
  plat::seedRandom(3);
  delta = 1;
  setupParticles();
  setupFireWorks();
  ASSERT_NE(TFireWork::fireWorkImages.at(0), nullptr);
  setupFlyingNapis();
  if (!TFlyingNapis::napisFonts[0])
    TFlyingNapis::napisFonts = {TMyFont::get("gfx/fonts/DejaVuSans-Bold.ttf", 72),
                                TMyFont::get("gfx/fonts/DejaVuSans-Bold.ttf", 120)};
  auto back = plat::loadImage("gfx/backgrounds/back-3.jpg");
  ASSERT_NE(back, nullptr);

  std::vector<TChipDataPtr> kinds;
  for (int k = 1; k <= 8; ++k) {
    auto cd = std::make_shared<TChipData>();
    cd->id = k;
    cd->puzzleChip = k == 8;
    cd->gfx = midImage(k == 8 ? "gfx/chips/puzzle-chip.png" : "gfx/chips/chip-" + std::to_string(k) + ".png");
    ASSERT_NE(cd->gfx, nullptr) << k;
    cd->rgb = TRGB{60 + 25 * k, 200 - 20 * k, 90 + 15 * k};
    kinds.push_back(cd);
  }
  auto plain = std::make_shared<TTileData>();
  plain->id = 1;
  plain->gfx = midImage("gfx/tiles/tile1.png");
  ASSERT_NE(plain->gfx, nullptr);
  auto makeTile = [&](float x, float y, int kind) {
    auto t = std::make_shared<TTile>();
    t->td = plain;
    t->dim = newDimAt(static_cast<int>(x), static_cast<int>(y));
    t->setChip(createChip(kinds[kind]));
    return t;
  };

  // Ghosts gathering on a cell.
  auto target = makeTile(200, 560, 0);
  for (int i = 0; i < 4; ++i) {
    auto src = createChip(kinds[0]);
    src->screenX = 80.f + 60 * i;
    src->screenY = 420;
    createChipFantom(*src)->moveTo(*target->dim, target->chip);
  }
  // Tiles flying in from above, and one debris of a dead board falling.
  std::vector<std::shared_ptr<TTile>> tiles;
  for (int i = 0; i < 3; ++i) {
    tiles.push_back(makeTile(620.f + 42 * i, 600, i + 1));
    auto f = createFlyingTile(tiles.back().get());
    f->setFlyInSimple1(620.f + 42 * i, 150);
    f->speed = 0.02f;
  }
  auto falling = makeTile(860, 300, 4);
  generateOdpad(falling.get(), 0);
  // A piece leaving the board, a resource flying to its slot, a jigsaw piece.
  auto piece = makeTile(420, 520, 7);
  generateOdpadDown(piece.get(), 0);
  piece->setChip(nullptr);
  generateFlyingRes(300, 650, kinds[2], 3, 0);
  createFlyingPuzzle(kinds[5]->gfx, 120, 700, 240, 415, 1, 0);
  createFlyingNapis("Level 7", 1, -300, 330, 512, TRGB{255, 255, 255}, 1, 0);
  fireworkBurst(760, 220);

  for (int i = 0; i < 14; ++i) {
    plat::advanceFakeClock(1000.0 / 60.0);
    updateFantoms();
    updateFlyingTiles();
    updateOdpady();
    updateFlyingResources();
    updateFlyingPuzzles();
    updateNapisy();
    TFireWork::updateAll();
    updateParticles();
  }
  EXPECT_EQ(fantomList.size(), 4u) << "still on their way";
  EXPECT_EQ(flyingTileList.size(), 3u);

  g.setClsColour(12, 12, 12);
  g.cls();
  g.setBlend(plat::Blend::Alpha);
  g.setColour(255, 255, 255);
  g.setAlpha(1);
  g.setScale(1, 1);
  g.setRotation(0);
  g.drawImage(back, 0, 0);
  plat::Pixmap before = g.readBackBuffer();
  drawFlyingTiles();
  drawOdpady();
  drawFantoms();
  drawFlyingPuzzles();
  drawFlyingResources();
  drawParticles();
  TFireWork::drawAll();
  drawNapisy();
  plat::Pixmap pm = g.readBackBuffer();
  g.flip(0);
  keep(pm, "fx-flying.png");

  // The firework ring lights the sky up around its centre.
  EXPECT_GT(countBrighter(before, pm, 690, 150, 830, 290), 30);
  // Something is drawn where the ghosts travel.
  int changed = 0;
  for (int y = 420; y < 560; y += 4)
    for (int x = 80; x < 300; x += 4) changed += brightness(pm, x, y) != brightness(before, x, y);
  EXPECT_GT(changed, 20);

  setFlightTargets(nullptr);
  fantomList.clear();
  dropFlyingTiles();
  dropOdpady();
  fireWorkList.clear();
  napisList.clear();
  flyingPuzzleList.clear();
  flyingResList.clear();
  particleList.clear();
  TFireWork::fireWorkImages.clear();
  TFlyingNapis::napisFonts.clear();
  TParticle::images.clear();
  TScoreParticle::digits.clear();
  TTextParticle::captions.clear();
  TPlateParticle::shards.clear();
  TMyFont::clearCache();
}

}  // namespace
