#include "test_board_game_util.h"

#include "board/Finders.h"

namespace {

using gametest::GameFixture;
using Cells = std::set<std::pair<int, int>>;

class BoardGame : public GameFixture {};

TEST_F(BoardGame, SwapWithoutLinePlaysBackWithTheBadMatchSound) {
  load({"ABCD", "CDAB", "ABCD"});
  const auto before = picture();
  drag(at(1, 1), at(1, 2));
  EXPECT_EQ(g.swapsCount, 1);
  settle();
  EXPECT_EQ(picture(), before);
  EXPECT_EQ(fx.count("BadMatch"), 1);
  EXPECT_EQ(L->score, 0);
  EXPECT_TRUE(g.swapsList.empty());
  for (auto& t : L->tile) EXPECT_EQ(t->swap, nullptr);
}

TEST_F(BoardGame, LShapeScoresEachChipOnceAndTurnsTheCornerIntoABonus) {
  load({"ABCD", "ACDB", "BAAC", "ADBD"});
  drag(at(2, 0), at(3, 0));  // A drops into the corner of an L of five
  settle();
  EXPECT_EQ(L->score, 5 * 50);
  EXPECT_EQ(g.log_matches5, 1);
  EXPECT_EQ(L->highestMatch, 5);
  // Five is one over the bonus size: the strong crossfire or the strong bomb.
  const int k = kindAt(2, 0);
  EXPECT_TRUE(k == 103 || k == 106) << k;
  EXPECT_EQ(fx.count("CreateBonus"), 1);
  EXPECT_EQ(fx.count("BadMatch"), 0);
}

TEST_F(BoardGame, LastBrokenCellIsLoggedInLevelSeconds) {
  load({"ABCD", "ACDB", "BAAC", "ADBD"});
  at(2, 1)->td = g.getTileData(2);  // one breakable cell inside the L
  frame();
  EXPECT_EQ(L->log_lastTileBrakeTime, 0);
  drag(at(2, 0), at(3, 0));
  settle();
  // The play screen's level time is already in seconds.
  EXPECT_EQ(L->log_lastTileBrakeTime, ev.levelTime());
}

TEST_F(BoardGame, LineSizeDecidesTheBonusOnTheSwappedInChip) {
  struct Case {
    std::vector<std::string> rows;
    int score;
    std::set<int> kinds;  // at (0, 2) after the swap; empty = cell emptied
  };
  const Case cases[] = {
      {{"AABC", "CDAE"}, 150, {}},             // three: no bonus
      {{"AABA", "CDAE"}, 200, {102, 105}},     // four = swap_bonusMatch
  };
  for (const auto& cs : cases) {
    load(cs.rows);
    drag(at(0, 2), at(1, 2));
    settle();
    EXPECT_EQ(L->score, cs.score) << cs.rows[0];
    if (cs.kinds.empty()) EXPECT_EQ(kindAt(0, 2), 0) << cs.rows[0];
    else EXPECT_TRUE(cs.kinds.count(kindAt(0, 2))) << cs.rows[0] << " got " << kindAt(0, 2);
  }
}

TEST_F(BoardGame, ClickClickSwapAndClickingAPickedBonusSetsItOff) {
  load({"ABAC", "CDAB", "ABbD"});
  click(at(1, 1));
  EXPECT_EQ(g.pickedTile(), at(1, 1));
  click(at(1, 1));
  EXPECT_EQ(g.pickedTile(), nullptr) << "a second click on an ordinary chip only deselects";
  click(at(0, 1));
  click(at(1, 1));  // B and D exchange: column 1 has no line, row 0 A D A C none
  EXPECT_EQ(g.swapsCount, 0) << "a click-click swap is not counted";
  settle();
  EXPECT_EQ(fx.count("BadMatch"), 1);
  click(at(2, 2));
  click(at(2, 2));
  frames(2);
  EXPECT_GE(destroying().size(), 5u) << "the bomb went off";
}

TEST_F(BoardGame, SwappingABonusStandsAndSetsItOff) {
  load({"ABCD", "CbAB", "ABCD"});
  drag(at(1, 1), at(1, 2));
  settle();
  EXPECT_EQ(fx.count("BadMatch"), 0);
  EXPECT_GT(L->score, 0);
  EXPECT_EQ(g.getAllChipsLikeThisById(105).size(), 0u);
}

TEST_F(BoardGame, DragOnMovingChipsIsRefused) {
  load({"ABCD", "CDAB", "AACA"});
  drag(at(2, 2), at(1, 2));
  ASSERT_EQ(g.swapsCount, 1);
  ASSERT_TRUE(at(2, 2)->chip->isMoving());
  drag(at(2, 2), at(2, 3));  // the chip is still on its way
  EXPECT_EQ(g.swapsCount, 1);
  settle();
  drag(at(2, 0), at(2, 1));  // idle chips swap again once they rest
  EXPECT_EQ(g.swapsCount, 2);
}

TEST_F(BoardGame, CascadesResolveUntilQuietAndFillEveryCell) {
  for (uint64_t seed : {1u, 2u, 3u}) {
    plat::seedRandom(seed);
    load({"......", "......", "......", "......", "......", "......"});
    creators(5);
    settle();
    ASSERT_TRUE(g.quiet());
    for (auto& t : L->tile) {
      ASSERT_NE(t->chip, nullptr) << "seed " << seed;
      auto m = matchFinderS::findMatch(*L, t.get());
      EXPECT_LT(m ? m->size() : 0u, 3u) << "a line left standing, seed " << seed;
    }
  }
}

TEST_F(BoardGame, EighthMatchAfterADragBringsAFreeBonus) {
  load({"ABCD", "CDAB", "ABCD"});
  g.matcheSamoistne = 7;
  g.profileLevelNumber = 1;
  ASSERT_TRUE(g._isMatch(nullptr) == 0);
  load({"AAAD", "CDBB", "ABCD"});
  g.matcheSamoistne = 7;
  g.profileLevelNumber = 1;
  EXPECT_EQ(g._isMatch(at(0, 1)), 3);
  EXPECT_EQ(g.matcheSamoistne, 0);
  int changing = 0;
  for (auto& ch : g.getAllChips()) changing += ch->docelowyChip && ch->docelowyChip->id == 104;
  EXPECT_EQ(changing, 1);
}

TEST_F(BoardGame, BestMoveAndMovesLeftInTheLastColumnPair) {
  load({"ABCAB", "CDEBA", "ABCDB"});
  EXPECT_EQ(g._MatchLeft_short(), 1);
  const TMatchInfo m = g._noMatchLeft();
  EXPECT_EQ(m.maxMatch, 3);
  EXPECT_EQ(m.tile1, at(1, 3));
  EXPECT_EQ(m.tile2, at(1, 4));
}

// ----------------------------------------------------------------- blasts

TEST_F(BoardGame, BombsAndCrossfiresClearTheirCells) {
  struct Case {
    int kind, r, c;
    Cells cells;
  };
  auto square = [](int r0, int c0, int rad, bool corners) {
    Cells s;
    for (int r = r0 - rad; r <= r0 + rad; ++r)
      for (int c = c0 - rad; c <= c0 + rad; ++c) {
        if (r < 0 || c < 0 || r > 6 || c > 6) continue;
        if (!corners && std::abs(r - r0) == rad && std::abs(c - c0) == rad) continue;
        s.insert({r, c});
      }
    return s;
  };
  const Case cases[] = {
      {104, 3, 3, square(3, 3, 1, true)},
      {105, 3, 3, square(3, 3, 2, false)},
      {106, 3, 3, square(3, 3, 3, false)},
      {101, 3, 3, {{3, 2}, {3, 3}, {3, 4}, {2, 3}, {4, 3}}},
      {102, 0, 0, {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {2, 0}}},
      {103, 6, 3, {{6, 0}, {6, 1}, {6, 2}, {6, 3}, {6, 4}, {6, 5}, {6, 6}, {5, 3}, {4, 3}, {3, 3}}},
  };
  for (const auto& cs : cases) {
    load({"ABCDEAB", "CDEABCD", "EABCDEA", "BCDEABC", "DEABCDE", "ABCDEAB", "CDEABCD"});
    at(cs.r, cs.c)->chip->cd = g.getBonusChipData(cs.kind);
    at(cs.r, cs.c)->chip->destroy(0);
    frame();  // the bonus goes off; every cell it reaches is doomed at once
    EXPECT_EQ(destroying(), cs.cells) << "kind " << cs.kind;
  }
}

TEST_F(BoardGame, ShuffleBonusExchangesAtMostTwoNChips) {
  load({"ABCD", "CDAB", "ABCD"});
  const auto before = g.getAllChips();
  g.SHUFFLE(2);
  EXPECT_LE(g.listaPar.size(), 2u);
  settle();
  ASSERT_TRUE(g.listaPar.empty());
  int moved = 0;
  std::set<TChip*> seen;
  for (size_t i = 0; i < before.size(); ++i) {
    moved += L->tile[i]->chip != before[i];
    seen.insert(L->tile[i]->chip.get());
    EXPECT_EQ(L->tile[i]->chip->tile, L->tile[i].get());
  }
  EXPECT_LE(moved, 4);
  EXPECT_EQ(seen.size(), before.size()) << "no chip lost or doubled";
  load({"A"});
  g.SHUFFLE(3);
  EXPECT_TRUE(g.listaPar.empty()) << "one candidate: nothing to exchange";
}

// ----------------------------------------------------------------- ghosts

TEST_F(BoardGame, GhostArrivingAtAChipThatIsGoneFormsNothing) {
  load({"ABCD", "CDAB"});
  auto target = at(0, 0)->chip;
  target->destroy(0);
  settle();
  g.fantomArrived(target, 6);
  EXPECT_EQ(target->docelowyChip, nullptr);
  auto other = at(1, 1)->chip;
  g.fantomArrived(other, 4);
  ASSERT_NE(other->docelowyChip, nullptr);
  const auto first = other->docelowyChip;
  g.fantomArrived(other, 9);
  EXPECT_EQ(other->docelowyChip, first) << "only the first ghost changes the chip";
}

TEST_F(BoardGame, BonusKindBySizeInChainAndGroupModes) {
  const std::pair<int, int> table[] = {{6, 102}, {7, 102}, {8, 103}, {9, 105}, {10, 105}, {11, 106}, {15, 106}};
  for (auto [size, kind] : table) {
    load({"ABCD"}, "CHAIN");
    auto ch = at(0, 1)->chip;
    g.fantomArrived(ch, size);
    ASSERT_NE(ch->docelowyChip, nullptr);
    EXPECT_EQ(ch->docelowyChip->id, kind) << "size " << size;
  }
}

}  // namespace

namespace {

class BoardPowerUps : public gametest::GameFixture {
 protected:
  void charge(int slot) {
    auto& p = (*g.powerUps)[slot - 1];
    p.odkryty = 1;
    p.aktywny = 1;
  }
  bool charged(int slot) { return (*g.powerUps)[slot - 1].aktywny == 1; }
};

TEST_F(BoardPowerUps, MatchedColourChargesItsSlotOneUnitPerChip) {
  load({"AABA", "CDAE"});
  L->powerUpChips[0] = g.getChipData(1);
  auto& p = (*g.powerUps)[0];
  p.odkryty = 1;
  setPowerUpThreshold(1, 4);
  drag(at(0, 2), at(1, 2));  // three A (four with bonus size 4: the line of four)
  settle();
  EXPECT_EQ(p.aktywny, 1);
  EXPECT_FLOAT_EQ(p.getPercent(), 1.f);
  EXPECT_EQ(fx.count("CreatePowerUp 1"), 1);
  const int before = p.data;
  g.resourceArrived(1);
  EXPECT_EQ(p.data, before) << "a usable slot takes nothing more";
}

TEST_F(BoardPowerUps, PercentWithoutThresholdDoesNotDivideByZero) {
  setPowerUpThreshold(2, 0);
  TPowerUp p;
  p.n = 2;
  p.odkryty = 1;
  EXPECT_FLOAT_EQ(p.getPercent(), 0.f);
  p.odkryty = 0;
  EXPECT_FLOAT_EQ(p.getPercent(), 0.3f);
}

TEST_F(BoardPowerUps, RefusedUsesKeepTheCharge) {
  load({"ABCD", "CDPB", "ABCD"});
  for (int s = 1; s <= 6; ++s) charge(s);
  EXPECT_FALSE(g.usePowerUp(1, nullptr)) << "hammer off the board";
  EXPECT_FALSE(g.usePowerUp(1, at(1, 2))) << "hammer on a piece";
  EXPECT_EQ(fx.count("BadMatch"), 1);
  TTile foreign;
  EXPECT_FALSE(g.usePowerUp(1, &foreign)) << "a tile of no board";
  load({"P#", "XP"});  // no ordinary chip: nothing to remove at random
  for (int s = 1; s <= 6; ++s) charge(s);
  EXPECT_FALSE(g.usePowerUp(3, nullptr));
  EXPECT_FALSE(g.usePowerUp(5, at(1, 0))) << "replace on a bonus";
  for (int s = 1; s <= 6; ++s) EXPECT_TRUE(charged(s)) << s;
}

TEST_F(BoardPowerUps, HammerHitsAnEmptyCellAndBreaksIt) {
  load({"#B", "2C"});  // nothing can fall into the empty cell
  charge(1);
  EXPECT_TRUE(g.usePowerUp(1, at(1, 0)));
  EXPECT_EQ(at(1, 0)->kindId(), 1);
  EXPECT_FALSE(charged(1));
  EXPECT_EQ(g.bonusUse[0], 1);
}

TEST_F(BoardPowerUps, EachPowerUpActsOnTheBoard) {
  // vanish: every chip of the clicked colour drops off
  load({"ABAC", "CACB", "BCBA"});
  charge(6);
  ASSERT_TRUE(g.usePowerUp(6, at(0, 0)));
  EXPECT_TRUE(g.getAllChipsLikeThisById(1).empty());
  EXPECT_EQ(g.getAllChips().size(), 8u);
  // replace: other chips take the clicked kind, each once
  load({"ABAC", "CDCB"});
  charge(5);
  ASSERT_TRUE(g.usePowerUp(5, at(0, 0)));
  EXPECT_EQ(g.getAllChipsLikeThisById(1).size(), 8u);
  // crossfire: both diagonals through the cell
  load({"ABCDE", "CDEAB", "EABCD", "BCDEA", "DEABC"});
  charge(2);
  ASSERT_TRUE(g.usePowerUp(2, at(2, 2)));
  std::set<std::pair<int, int>> diag;
  for (int i = 0; i < 5; ++i) {
    diag.insert({i, i});
    diag.insert({i, 4 - i});
  }
  EXPECT_EQ(destroying(), diag);
  // random removal: distinct chips, one after another, charge spent
  load({"ABCD", "CDAB"});
  charge(3);
  ASSERT_TRUE(g.usePowerUp(3, nullptr));
  EXPECT_EQ(g.randomRemoval.size(), 8u);
  std::set<TChip*> distinct;
  for (auto& c : g.randomRemoval) distinct.insert(c.get());
  EXPECT_EQ(distinct.size(), 8u);
  EXPECT_FALSE(g.usePowerUp(3, nullptr)) << "no second use while the sparkle travels";
  at(0, 0)->chip->vanish();  // one chip leaves before its turn
  settle();
  EXPECT_TRUE(g.getAllChips().empty());
  EXPECT_TRUE(g.randomRemoval.empty());
}

class BoardChainGroup : public gametest::GameFixture {};

TEST_F(BoardChainGroup, ChainDrawnWithTheMouseIsRemovedOnRelease) {
  load({"AAB", "BAC", "CDA"}, "CHAIN");
  press(at(0, 0));
  hold(at(0, 1));
  hold(at(1, 1));
  hold(at(2, 2));
  EXPECT_EQ(g.zaznaczone.size(), 4u);
  hold(at(1, 1));  // back onto the second-to-last chip
  EXPECT_EQ(g.zaznaczone.size(), 3u);
  release();
  frame();
  EXPECT_TRUE(g.zaznaczone.empty());
  EXPECT_EQ(destroying().size(), 3u);
  settle();
  EXPECT_EQ(L->score, 150);
}

TEST_F(BoardChainGroup, StraightRunOverLikeChipsJoinsInOrder) {
  load({"AAAA", "BCDB"}, "CHAIN");
  press(at(0, 0));
  hold(at(0, 3));
  ASSERT_EQ(g.zaznaczone.size(), 4u);
  EXPECT_EQ(g.zaznaczone[3], at(0, 3)->chip);
  release();
  frame();
  load({"AABA", "BCDB"}, "CHAIN");
  press(at(0, 0));
  hold(at(0, 3));
  EXPECT_EQ(g.zaznaczone.size(), 1u) << "a foreign chip in the run adds nothing";
}

TEST_F(BoardChainGroup, GroupClickRemovesThreeOrMoreAndSetsBonusesOff) {
  load({"AAB", "CAB", "CDX"}, "GROUP");
  click(at(0, 2));  // B B: a group of two
  EXPECT_TRUE(destroying().empty());
  click(at(0, 0));
  EXPECT_EQ(destroying().size(), 3u);
  settle();
  click(at(2, 2));
  EXPECT_FALSE(destroying().empty()) << "the crossfire went off";
}

}  // namespace
