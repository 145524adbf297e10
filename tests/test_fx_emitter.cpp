// The bonus emitter: the travelling sparkle that hops from chip to chip.
#include <gtest/gtest.h>

#include <cmath>

#include "app/Screen.h"
#include "fx/Emitter.h"
#include "fx/Particle.h"
#include "platform/Clock.h"
#include "platform/Random.h"
#include "test_board_util.h"

namespace {

using boardtest::board;

class BonusEmitter : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::useFakeClock(100000);
    plat::seedRandom(3);
    delta = 1;
    boardtest::fillCatalogs(game);
    game.setEvents(&ev);
    emitterList.clear();
    particleList.clear();
  }
  void TearDown() override {
    emitterList.clear();
    particleList.clear();
    game.setEvents(nullptr);
  }
  // One frame at delta 1.
  static void frame() {
    plat::advanceFakeClock(1000.0 / 60.0);
    updateEmitters();
  }
  static bool destroying(const TTile* t) { return t->chip && t->chip->state == "DESTROY"; }

  TM3Catalogs game;
  boardtest::RecordingEvents ev;
};

TEST_F(BonusEmitter, ChainHitsEachChipInTurnTwentyFramesAHop) {
  auto L = board(game, {"ABC", "DEF"});
  TTile* a = L->at(1, 0);
  TTile* b = L->at(0, 1);
  TTile* c = L->at(1, 2);
  createBonusEmitter(a, 900, 100, 0, 300, {b->chip, c->chip}, 15);
  std::vector<int> hitAt(3, -1);
  for (int f = 1; f <= 70; ++f) {
    frame();
    const TTile* cells[] = {a, b, c};
    for (int k = 0; k < 3; ++k)
      if (hitAt[k] < 0 && destroying(cells[k])) hitAt[k] = f;
  }
  EXPECT_EQ(hitAt, (std::vector<int>{20, 40, 60}));
  EXPECT_TRUE(emitterList.empty()) << "the last emitter leaves after its hit";
  EXPECT_FALSE(destroying(L->at(0, 0))) << "nothing else is hit";
}

TEST_F(BonusEmitter, FliesAnElbowFromItsStartToTheCellCentre) {
  auto L = board(game, {"A"});
  TTile* t = L->at(0, 0);
  auto e = createBonusEmitter(t, 100, 50, 0, 300, {}, 15);
  EXPECT_FLOAT_EQ(e->mx, 100) << "control point under the start";
  EXPECT_FLOAT_EQ(e->my, t->cy()) << "at the height of the cell";
  for (int f = 0; f < 10; ++f) frame();
  const float eased = std::sin(0.5f * static_cast<float>(M_PI) / 2);
  EXPECT_NEAR(e->per, 0.5f, 1e-5);
  EXPECT_NEAR(e->x, 100 + eased * eased * (t->cx() - 100), 1e-2);
  for (int f = 0; f < 10; ++f) frame();
  EXPECT_FLOAT_EQ(e->x, t->cx());
  EXPECT_FLOAT_EQ(e->y, t->cy());
}

TEST_F(BonusEmitter, WaitsForItsDelayAndSpraysAtItsInterval) {
  auto L = board(game, {"A"});
  auto e = createBonusEmitter(L->at(0, 0), 100, 50, 99, 300, {}, 40);
  for (int f = 0; f < 5; ++f) frame();  // 83 ms: still waiting
  EXPECT_FLOAT_EQ(e->per, 0);
  EXPECT_TRUE(particleList.empty());
  frame();
  EXPECT_EQ(particleList.size(), 36u) << "one spray of 36 spark lines";
  for (auto& p : particleList.members()) {
    EXPECT_EQ(p->n, 2);
    EXPECT_LE(std::abs(p->x1 - static_cast<int>(e->x)), 10);
    EXPECT_LE(std::abs(p->y2 - static_cast<int>(e->y)), 20);
  }
  frame();
  frame();
  EXPECT_EQ(particleList.size(), 36u) << "33 ms later: not yet";
  frame();
  EXPECT_EQ(particleList.size(), 72u);
}

TEST_F(BonusEmitter, SkipsChipsThatLeftTheBoardBeforeTheirHop) {
  auto L = board(game, {"ABCD"});
  TTile* t0 = L->at(0, 0);
  auto gone = L->at(0, 1)->chip;
  auto dying = L->at(0, 2)->chip;
  TTile* last = L->at(0, 3);
  createBonusEmitter(t0, 0, 0, 0, 300, {gone, dying, last->chip}, 15);
  L->at(0, 1)->chip = nullptr;  // carried off the board meanwhile
  gone->tile = nullptr;
  gone.reset();
  dying->destroy(0);  // already on its way out
  for (int f = 0; f < 20; ++f) frame();
  EXPECT_TRUE(destroying(t0));
  for (int f = 0; f < 20; ++f) frame();
  EXPECT_TRUE(destroying(last)) << "the next hop goes straight to the last chip";
  EXPECT_TRUE(emitterList.empty());
}

TEST_F(BonusEmitter, AClearedListStopsTheChain) {
  auto L = board(game, {"AB"});
  auto e = createBonusEmitter(L->at(0, 0), 0, 0, 0, 300, {L->at(0, 1)->chip}, 15);
  for (int f = 0; f < 10; ++f) frame();
  clearEmitters();
  for (int f = 0; f < 30; ++f) frame();
  EXPECT_FALSE(destroying(L->at(0, 0)));
  EXPECT_FALSE(destroying(L->at(0, 1)));
  EXPECT_TRUE(emitterList.empty());
}

TEST_F(BonusEmitter, AnEmptyCellOrNoCellHitsNothing) {
  auto L = board(game, {".A"});
  createBonusEmitter(L->at(0, 0), 0, 0, 0, 300, {}, 15);
  createBonusEmitter(nullptr, 10, 10, 0, 300, {}, 15);
  for (int f = 0; f < 25; ++f) frame();
  EXPECT_TRUE(emitterList.empty());
  EXPECT_FALSE(destroying(L->at(0, 1)));
}

}  // namespace
