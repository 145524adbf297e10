// A board in the middle of play, drawn in a real window as the play screen
// draws it: a five-line's ghosts gathering on their cell, vanished chips
// falling away as debris, a collected piece leaving with its trail, the
// destruction sparks, and the selection ring on a picked chip. The picture
// is kept for a look; the board's batching figures are printed.
#include <gtest/gtest.h>

#include "GameWindow.h"

#include <iostream>

#include "../test_board_util.h"
#include "app/Screen.h"
#include "board/BoardFlights.h"
#include "board/M3Game.h"
#include "fx/BoardFx.h"
#include "fx/Flying.h"
#include "fx/Particle.h"
#include "gui/Mouse.h"
#include "platform/Clock.h"
#include "platform/Random.h"

namespace {

class Host : public TBoardEvents {
 public:
  void effect(const TBoardFx& f) override { spawnBoardFx(f); }
  void sound(TBoardSound, int) override {}
};

class Flights : public TFlyingEffects {
 public:
  void sound(TGameSound, int, const std::string&) override {}
};

TEST_F(GameWindow, BoardPlayWindowGhostsDebrisPieceAndRingMidPlay) {
  auto& gfx = plat::gfx();
  gfx.setVirtualResolution(1024, 768);
  plat::useFakeClock(20000);
  plat::seedRandom(9);
  delta = 1;
  setupParticles();

  TM3Game g;
  g.loadSettings("data/settings.dat");
  g.loadTiles("data/tiles.dat");
  g.loadChips("data/chips.dat");
  g.loadBonusChips("data/bonusy.dat");
  g.loadFrame("data/frames.dat");
  g.loadOverImg("gfx/select.png", 5, 5);
  g.loadLineImages();
  ASSERT_NE(g.overImg, nullptr);
  ASSERT_EQ(g.overImg->frames(), 25);
  ASSERT_NE(g.linia, nullptr);
  backgroundList().clear();
  loadBackgrounds();
  Host host;
  Flights flights;
  g.setHost(&host);
  g.setEffects(&flights);

  auto L = boardtest::board(g, {"BCDEFBCDE", "CDEFBCDEF", "DEFBCDEFB", "AACAAFBCD", "EFADEBCDE", "FBCDEFBCD",
                                "BCDEFBCDP", "CDEFBCDE."});
  for (int id = 1; id <= 6; ++id) L->availableChips.push_back(g.getChipData(id));
  for (auto& b : g.bonusList) L->availableBonus.push_back(b);
  for (int c = 0; c < L->cols; ++c) L->at(0, c)->creator = 1;
  for (int c = 2; c <= 6; ++c) L->at(5, c)->td = g.getTileData(c % 2 ? 3 : 2);
  L->at(1, 1)->chain = 1;
  L->setBackGround(6);
  L->CreateLevelFrames();
  g.setLevel(L);
  g.setLevelPosition(534, 406);
  L->setFrameAlpha(1);
  g.rAlpha = g.dRAlpha = 1;
  for (int i = 0; i < 6; ++i) L->powerUpChips[i] = L->availableChips[i];
  for (auto& p : *g.powerUps) p.odkryty = 1;

  TMouse& m = mouse();
  auto mouseAt = [&](TTile* t) {
    m.x = static_cast<int>(t->cx());
    m.y = static_cast<int>(t->cy());
  };
  auto frame = [&] {
    g.update();
    g.controlGame(0);
    m.leftPressed = 0;
    updateParticles();
    plat::advanceFakeClock(1000.0 / 60.0);
  };
  // The board alone, for its figures.
  auto boardFigures = [&] {
    gfx.cls();
    g.drawBack();
    g.draw();
    gfx.flip(0);
    return gfx.lastFrameStats();
  };
  const plat::FrameStats rest = boardFigures();
  std::cout << "board at rest: " << rest.sprites << " sprites in " << rest.batches << " batches\n";
  EXPECT_LT(rest.batches, rest.sprites / 4) << "the board's sprites share their batches";

  // The drag that makes row 3 a line of five.
  mouseAt(L->at(3, 2));
  m.leftPressed = m.leftHolded = 1;
  frame();
  mouseAt(L->at(4, 2));
  frame();
  m.leftHolded = 0;
  m.x = m.y = -1000;
  for (int i = 0; i < 30 && fantomList.empty(); ++i) frame();
  ASSERT_FALSE(fantomList.empty());
  // Vanished chips of the lower rows drop off as debris.
  for (int r = 5; r < L->rows; ++r)
    for (int c = 0; c < L->cols; ++c)
      if (L->at(r, c)->chip && L->at(r, c)->chip->cd->id == 6) L->at(r, c)->chip->vanish();
  for (int i = 0; i < 6; ++i) frame();
  // A chip picked on the untouched right side.
  mouseAt(L->at(2, 7));
  m.leftPressed = m.leftHolded = 1;
  frame();
  m.leftHolded = 0;
  m.x = m.y = -1000;
  frame();
  ASSERT_EQ(g.pickedTile(), L->at(2, 7));
  EXPECT_FALSE(fantomList.empty()) << "ghosts still on their way";
  EXPECT_FALSE(odpadList.empty()) << "debris still falling";
  EXPECT_FALSE(particleList.empty());

  const plat::FrameStats board = boardFigures();
  std::cout << "board mid-play: " << board.sprites << " sprites in " << board.batches << " batches\n";

  // As the play screen draws it.
  gfx.cls();
  g.drawBack();
  g.draw();
  drawOdpady();
  drawParticles();
  drawFlyingResources();
  plat::Pixmap pm = gfx.readBackBuffer();
  gfx.flip(0);
  keep(pm, "board-play.png");

  // The ring's gold at the picked cell's edge (the ring is larger than a cell).
  TTile* picked = L->at(2, 7);
  const uint8_t* ring = pm.at(static_cast<int>(picked->cx()), static_cast<int>(picked->cy()) - 22);
  EXPECT_GT(ring[0], ring[2] + 60) << "gold, not the cell's cream";

  g.setLevel(nullptr);
  fantomList.clear();
  dropOdpady();
  flyingResList.clear();
  particleList.clear();
  backgroundList().clear();
}

}  // namespace
