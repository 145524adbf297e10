#include <gtest/gtest.h>

#include <set>

#include "app/Screen.h"
#include "board/MoveSearch.h"
#include "platform/Clock.h"
#include "platform/Random.h"
#include "test_board_util.h"

namespace {

using boardtest::board;

class BoardChipMachine : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::useFakeClock(100000);
    delta = 1;
    boardtest::fillCatalogs(game);
    game.setEvents(&ev);
  }
  void TearDown() override { game.setEvents(nullptr); }

  // One frame: the clock moves on and the cell runs its chip.
  std::string frame(TTile* t) {
    plat::advanceFakeClock(1000.0 / 60.0);
    return t->updateChip();
  }
  // The controller's straight fall from (r, c) into the cell below.
  static void fall(TLevel& L, int r, int c) {
    TTile* from = L.at(r, c);
    TTile* to = L.at(r + 1, c);
    auto ch = from->chip;
    to->setChip(ch);
    from->chipFallDown();
  }

  TM3Catalogs game;
  boardtest::RecordingEvents ev;
};

TEST_F(BoardChipMachine, FallsStraightAcceleratingUntilOneCellAFrame) {
  game.settings->sizeY = 60;
  game.settings->ySpeed = 10;
  auto L = board(game, {"A", ".", "."});
  auto chip = L->at(0, 0)->chip;
  fall(*L, 0, 0);
  EXPECT_EQ(L->at(0, 0)->chip, nullptr);
  EXPECT_EQ(chip->state, "FALL-DOWN");
  EXPECT_EQ(chip->r, 1);
  EXPECT_FLOAT_EQ(chip->adY, -60);
  std::vector<float> speeds;
  std::string e;
  while ((e = frame(L->at(1, 0))) == "") speeds.push_back(chip->_ay);
  EXPECT_EQ(e, "CHECK-IF-CAN-FALL");
  EXPECT_EQ(speeds, (std::vector<float>{6, 7, 8, 9, 10, 11}));
  EXPECT_FLOAT_EQ(chip->adY, 0);
  EXPECT_EQ(chip->state, "") << "the cell puts a finished fall to rest";
  // The speed carries into the next cell and keeps growing up to one cell.
  fall(*L, 1, 0);
  frame(L->at(2, 0));
  EXPECT_FLOAT_EQ(chip->_ay, 13);
  chip->_ay = 59.5f;
  frame(L->at(2, 0));
  EXPECT_FLOAT_EQ(chip->_ay, 60);
}

TEST_F(BoardChipMachine, SlidesDiagonallyOnlyWhereTheRulesAllow) {
  struct Case {
    const char* name;
    std::vector<std::string> rows;
    std::set<int> sides;  // possible answers for the chip at (1, 1)
  };
  const std::vector<Case> cases = {
      {"both sides open over a hole", {"#.#", ".A.", ".#."}, {-1, 1}},
      {"only the right landing cell is free", {"#.#", ".A.", "B#."}, {1}},
      {"a chip above waits for its turn", {"#B#", ".A.", ".#."}, {0}},
      {"the side cell holds a chip", {"###", "BAB", ".#."}, {0}},
      {"the bottom row never slides", {"#.#", ".A."}, {0}},
      {"a chained chip stays", {"#.#", ".A.", ".#."}, {0}},
  };
  plat::seedRandom(21);
  for (size_t i = 0; i < cases.size(); ++i) {
    const Case& c = cases[i];
    auto L = board(game, c.rows);
    if (i == 5) L->at(1, 1)->chain = 1;
    std::set<int> seen;
    for (int k = 0; k < 60; ++k) seen.insert(sideFallDirection(*L, 1, 1));
    EXPECT_EQ(seen, c.sides) << c.name;
  }
  // An empty creator cell beside is not free: chips will enter there.
  auto L = board(game, {"#.#", "#A.", "#.."});
  L->at(1, 2)->creator = 1;
  EXPECT_EQ(sideFallDirection(*L, 1, 1), 0);
  L->at(1, 2)->creator = 0;
  L->at(1, 1 + 1)->td = game.getTileData(0);
  L->at(2, 1)->setChip(createChip(game.getChipData(2)));
  EXPECT_EQ(sideFallDirection(*L, 1, 1), 1);

  // The slide itself: one cell down and aside, ending in "FALL".
  auto B = board(game, {"A#", ".."});
  auto chip = B->at(0, 0)->chip;
  B->at(1, 1)->setChip(chip);
  B->at(0, 0)->chipSideFallDown(1);
  EXPECT_EQ(chip->state, "FALL-RIGHT-DOWN");
  EXPECT_FLOAT_EQ(chip->adx, -42);
  std::string e;
  int frames = 0;
  while ((e = frame(B->at(1, 1))) == "" && frames < 100) {
    ++frames;
    EXPECT_LE(chip->adx, 0);
  }
  EXPECT_EQ(e, "CHECK-IF-CAN-FALL");
  EXPECT_FLOAT_EQ(chip->adx, 0);
  EXPECT_EQ(chip->c, 1);
}

TEST_F(BoardChipMachine, LandsWithABounceAndOneSound) {
  auto L = board(game, {"A"});
  auto chip = L->at(0, 0)->chip;
  chip->setState("LAND");
  int frames = 0;
  float lowest = 0;
  while (chip->state != "") {
    frame(L->at(0, 0));
    lowest = std::min(lowest, chip->adY);
    ASSERT_LT(++frames, 50);
  }
  EXPECT_NEAR(frames, 20, 1);
  EXPECT_NEAR(lowest, -42 / 4.f, 0.01);
  EXPECT_FLOAT_EQ(chip->adY, 0);
  EXPECT_EQ(ev.count("sound ChipMove"), 1);
  EXPECT_EQ(ev.count("landedMatch 0,0"), 1);
}

TEST_F(BoardChipMachine, SwapsAndSwapsBack) {
  auto L = board(game, {"AB"});
  TTile *left = L->at(0, 0), *right = L->at(0, 1);
  auto a = left->chip, b = right->chip;
  // the controller exchanges the chips, then sets the moves
  left->setChip(b);
  right->setChip(a);
  left->swap = right;
  right->swap = left;
  a->setState("MOVE-RIGHT");
  b->setState("MOVE-LEFT");
  EXPECT_FLOAT_EQ(a->adx, -42);
  EXPECT_FLOAT_EQ(b->adx, 42);
  EXPECT_EQ(a->isMovingCheckSwap(), 0) << "a swapping chip still counts for lines";
  EXPECT_EQ(a->isMoving(), 1);

  ev.inSwap = true;
  int frames = 0;
  while (a->adx != 0) {
    right->updateChip();
    left->updateChip();
    ASSERT_LT(++frames, 100);
  }
  EXPECT_EQ(frames, 9) << "42 px at 12 / 3 x 1.3 px a frame";
  EXPECT_EQ(a->c, 1);
  EXPECT_EQ(ev.count("isMatch 0,1"), 1);

  // No line: the controller plays it back.
  a->reverse();
  b->reverse();
  EXPECT_EQ(a->state, "MOVE-LEFT");
  EXPECT_EQ(b->state, "MOVE-RIGHT");
  EXPECT_EQ(a->getMoveReverse(), "MOVE-RIGHT");
  left->setChip(a);
  right->setChip(b);
  for (int i = 0; i < 20; ++i) {
    left->updateChip();
    right->updateChip();
  }
  EXPECT_FLOAT_EQ(a->adx, 0);
  EXPECT_EQ(a->c, 0);
  EXPECT_EQ(b->c, 1);

  auto f = board(game, {"A", "."});
  fall(*f, 0, 0);
  EXPECT_EQ(f->at(1, 0)->chip->getMoveReverse(), "") << "a falling chip has no way back";
}

TEST_F(BoardChipMachine, StateNamesAndTheStickyDestroy) {
  auto L = board(game, {"AB"});
  auto chip = L->at(0, 0)->chip;
  chip->setState("move-left");
  EXPECT_EQ(chip->state, "MOVE-LEFT");
  EXPECT_EQ(chip->lastAvState, "move-left");
  EXPECT_FLOAT_EQ(chip->adx, 0) << "the entry action runs for the exact names only";
  chip->setState("DESTROY");
  chip->setState("LAND");
  EXPECT_EQ(chip->state, "DESTROY");
  ev.picked = L->at(0, 1);
  L->at(0, 1)->chip->setState("LIE");
  EXPECT_EQ(ev.picked, nullptr) << "a chip that changes state is no longer picked";
}

TEST_F(BoardChipMachine, DestroyWaitsShrinksScoresAndLeaves) {
  auto L = board(game, {"3"});
  L->at(0, 0)->setChip(createChip(game.getChipData(2)));
  auto chip = L->at(0, 0)->chip;
  chip->destroy(500);
  int waiting = 0;
  while (chip->s == 1) {
    EXPECT_EQ(frame(L->at(0, 0)), "");
    ASSERT_LT(++waiting, 100);
  }
  EXPECT_NEAR(waiting, 31, 1) << "half a second of waiting, then the first shrinking frame";
  int shrink = 1;
  while (L->at(0, 0)->chip) {
    frame(L->at(0, 0));
    ASSERT_LT(++shrink, 100);
  }
  EXPECT_EQ(shrink, 20);
  EXPECT_EQ(ev.score, 50);
  EXPECT_EQ(ev.countFx(TBoardFx::BurstAlpha) + ev.countFx(TBoardFx::Burst), 63);
  EXPECT_EQ(ev.count("sound DestroyChip"), 1);
  EXPECT_EQ(L->at(0, 0)->kindId(), 2) << "the cell under it broke once";
  EXPECT_EQ(L->tilesCount, 1);
}

TEST_F(BoardChipMachine, ChainsAndPiecesResistDestruction) {
  auto L = board(game, {"A", "P"});
  L->at(0, 0)->chain = 2;
  auto chip = L->at(0, 0)->chip;
  chip->destroy(0);
  EXPECT_EQ(chip->state, "DESTROY-CHAIN");
  std::string e;
  int frames = 0;
  do {
    frame(L->at(0, 0));
    ASSERT_LT(++frames, 100);
  } while (chip->state != "");
  EXPECT_EQ(L->at(0, 0)->chip, chip) << "the chip stays in its cell";
  EXPECT_EQ(L->at(0, 0)->chain, 1);
  EXPECT_EQ(ev.count("chainBroken"), 1);
  EXPECT_EQ(ev.countFx(TBoardFx::ChainBreak), 1);

  L->at(1, 0)->td = game.getTileData(3);
  auto piece = L->at(1, 0)->chip;
  piece->destroy(0);
  frame(L->at(1, 0));
  EXPECT_EQ(L->at(1, 0)->chip, piece);
  EXPECT_EQ(piece->state, "");
  EXPECT_EQ(L->at(1, 0)->kindId(), 2);
}

TEST_F(BoardChipMachine, BombFiresOnceWithItsStrength) {
  auto L = board(game, {".b."});
  auto bomb = L->at(0, 1)->chip;
  const int before = bomb->cd->ileRazy;
  bomb->destroy(0);
  for (int i = 0; i < 30 && L->at(0, 1)->chip; ++i) frame(L->at(0, 1));
  EXPECT_EQ(L->at(0, 1)->chip, nullptr);
  EXPECT_EQ(ev.count("sound Bomb 2"), 1);
  EXPECT_EQ(ev.count("BOMB 0,1 2"), 1);
  EXPECT_EQ(bomb->cd->ileRazy, before + 1);
  EXPECT_EQ(ev.countFx(TBoardFx::Explosion), 1);

  // A crossfire destroyed by another bonus still fires, but gives no score.
  auto X = board(game, {"Z"});
  auto cross = X->at(0, 0)->chip;
  cross->setDestroyType(3);
  cross->destroy(0);
  ev.score = 0;
  for (int i = 0; i < 30 && X->at(0, 0)->chip; ++i) frame(X->at(0, 0));
  EXPECT_EQ(ev.count("CROSS_HORIZONTAL 0,0 3"), 1);
  EXPECT_EQ(ev.count("CROSS_VERTICAL 0,0 3"), 1);
  EXPECT_EQ(ev.count("sound Crossfire 3"), 1);
  EXPECT_EQ(ev.score, 0);
}

TEST_F(BoardChipMachine, ResourcesAreGivenOnce) {
  auto L = board(game, {"AB"});
  L->powerUpChips[0] = game.getChipData(1);
  L->powerUpChips[1] = game.getChipData(1);  // slot 2 is closed in the fake
  L->powerUpChips[3] = game.getChipData(1);
  auto chip = L->at(0, 0)->chip;
  chip->giveResource(0);
  chip->giveResource(0);
  EXPECT_EQ(ev.count("resource 1"), 1);
  EXPECT_EQ(ev.count("resource 2"), 0);
  EXPECT_EQ(ev.count("resource 4"), 1);
}

TEST_F(BoardChipMachine, FliesAlongACurveIn34Frames) {
  plat::seedRandom(2);
  auto L = board(game, {"A..", "..."});
  auto chip = L->at(0, 0)->chip;
  TTile* target = L->at(1, 2);
  chip->flyToTile(target);
  EXPECT_EQ(chip->isMoving(), 1);
  int frames = 0;
  bool leftLine = false;
  while (chip->flying()) {
    frame(L->at(0, 0));
    leftLine |= std::abs(chip->adY) > 50;
    ASSERT_LT(++frames, 100);
  }
  EXPECT_EQ(frames, 34);
  EXPECT_TRUE(leftLine) << "the curve bows toward the top or the bottom of the screen";
  EXPECT_EQ(chip->tile, target);
  EXPECT_FLOAT_EQ(chip->adx, 0);
  EXPECT_FLOAT_EQ(chip->tileP, 0);
}

TEST_F(BoardChipMachine, CreatorCellsDropNewChipsIn) {
  plat::seedRandom(4);
  auto L = board(game, {"."});
  L->availableChips = {game.getChipData(5)};
  TTile* t = L->at(0, 0);
  t->creator = 1;
  t->update();
  ASSERT_NE(t->chip, nullptr);
  auto chip = t->chip;
  EXPECT_EQ(chip->state, "MOVE-SHOW");
  frame(t);
  EXPECT_EQ(chip->state, "FALL-DOWN");
  EXPECT_FLOAT_EQ(chip->adY, -42);
  EXPECT_FLOAT_EQ(chip->a, 0);
  std::string e;
  float lastA = 0;
  while ((e = frame(t)) == "") {
    EXPECT_GE(chip->a, lastA) << "fades in while it falls";
    lastA = chip->a;
  }
  EXPECT_GT(lastA, 0);
  EXPECT_EQ(e, "CHECK-IF-CAN-FALL");
  EXPECT_FLOAT_EQ(chip->a, 1);
  t->update();
  EXPECT_EQ(t->chip, chip) << "a full creator makes nothing";
}

}  // namespace
