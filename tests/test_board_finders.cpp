#include <gtest/gtest.h>

#include <set>

#include "board/Finders.h"
#include "board/MoveSearch.h"
#include "test_board_util.h"

namespace {

using boardtest::board;

class BoardFinders : public ::testing::Test {
 protected:
  void SetUp() override { boardtest::fillCatalogs(game); }
  TM3Catalogs game;
};

// Cells of a result, as "r,c" in result order.
std::vector<std::string> cells(const TChipList& list) {
  std::vector<std::string> out;
  for (auto& ch : list) out.push_back(std::to_string(ch->tile->r) + "," + std::to_string(ch->tile->c));
  return out;
}

TEST_F(BoardFinders, SwapLinesCountEachChipOnce) {
  struct Case {
    const char* name;
    std::vector<std::string> rows;
    int r, c;
    size_t size;
  };
  const std::vector<Case> cases = {
      {"three across", {"AAAB"}, 0, 1, 3},
      {"two are no line", {"AABA"}, 0, 0, 0},
      {"four down", {"A", "A", "A", "A", "B"}, 3, 0, 4},
      {"five across", {"AAAAA"}, 0, 4, 5},
      {"L through its corner", {"AAA", "ABB", "ABB"}, 0, 0, 5},
      {"L through an arm keeps only the arm's line", {"AAA", "ABB", "ABB"}, 0, 2, 3},
      {"T through its joint", {"AAA", "BAB", "BAB"}, 0, 1, 5},
      {"plus through its centre", {"BAB", "AAA", "BAB"}, 1, 1, 5},
      {"a hole stops a line", {"AA#A"}, 0, 0, 0},
      {"an empty cell stops a line", {"A.AA"}, 0, 0, 0},
      {"another kind stops a line", {"AABAA"}, 0, 4, 0},
      {"a bonus is its own kind", {"AXA"}, 0, 0, 0},
  };
  for (const Case& c : cases) {
    auto L = board(game, c.rows);
    auto m = matchFinderS::findMatch(*L, L->at(c.r, c.c));
    ASSERT_TRUE(m.has_value()) << c.name;
    EXPECT_EQ(m->size(), c.size) << c.name;
    std::set<TChip*> unique;
    for (auto& ch : *m) unique.insert(ch.get());
    EXPECT_EQ(unique.size(), m->size()) << c.name;
  }
}

TEST_F(BoardFinders, LinesIgnoreMovingChipsButNotChains) {
  auto L = board(game, {"AAA"});
  L->at(0, 1)->chip->setState("FALL-DOWN");
  EXPECT_EQ(matchFinderS::findMatch(*L, L->at(0, 0))->size(), 0u) << "a falling chip is not in a line yet";
  auto C = board(game, {"AAA"});
  C->at(0, 1)->chain = 1;
  EXPECT_EQ(matchFinderS::findMatch(*C, C->at(0, 0))->size(), 3u)
      << "a chained chip matches (the match breaks the chain); it only cannot be swapped";
}

TEST_F(BoardFinders, NothingOnEmptyCellsHolesAndPieces) {
  auto L = board(game, {"#.P", "PPP"});
  for (int c : {0, 1}) {
    EXPECT_FALSE(matchFinderS::findMatch(*L, L->at(0, c)).has_value());
    EXPECT_FALSE(matchFinder::findMatch(*L, L->at(0, c)).has_value());
    EXPECT_FALSE(matchFinderC::findMatch(*L, L->at(0, c)).has_value());
    EXPECT_FALSE(matchFinderC::findMatchSmall(*L, L->at(0, c)).has_value());
  }
  EXPECT_TRUE(matchFinderS::findMatch(*L, L->at(1, 1))->empty()) << "pieces never match";
  EXPECT_TRUE(matchFinder::findMatch(*L, L->at(1, 1))->empty());
  EXPECT_TRUE(matchFinderC::findMatch(*L, L->at(1, 1))->empty());
  EXPECT_EQ(matchFinderC::findMatchSmall(*L, L->at(1, 1))->size(), 3u) << "the quick test has no piece rule";
  EXPECT_FALSE(matchFinderS::findMatch(*L, nullptr).has_value());
}

TEST_F(BoardFinders, GroupsAreFourConnectedInDiscoveryOrder) {
  auto L = board(game, {".A.", "AAA", ".A.", "BAB"});
  auto g = matchFinder::findMatch(*L, L->at(1, 1));
  EXPECT_EQ(cells(*g), (std::vector<std::string>{"1,1", "0,1", "1,0", "1,2", "2,1", "3,1"}));
  for (auto& ch : *g) EXPECT_EQ(ch->oznaczony, 1);

  auto D = board(game, {"AB", "BA"});
  EXPECT_EQ(matchFinder::findMatch(*D, D->at(0, 0))->size(), 1u) << "diagonal neighbours are two groups";
  EXPECT_EQ(matchFinderC::findMatchSmall(*D, D->at(0, 0))->size(), 2u) << "but one chain area";

  auto M = board(game, {"AAA"});
  M->at(0, 2)->chip->setState("FALL-DOWN");
  EXPECT_EQ(matchFinder::findMatch(*M, M->at(0, 0))->size(), 3u) << "groups include moving chips";
}

TEST_F(BoardFinders, ChainRoutesRunFromTheFarthestChipToTheStart) {
  auto L = board(game, {"AAA"});
  auto route = matchFinderC::findMatch(*L, L->at(0, 0));
  EXPECT_EQ(cells(*route), (std::vector<std::string>{"0,1", "0,0"}))
      << "the farthest chip itself is not on the route; the start is last";

  auto D = board(game, {"A..", ".A.", "..A"});
  EXPECT_EQ(cells(*matchFinderC::findMatch(*D, D->at(2, 2))), (std::vector<std::string>{"1,1", "2,2"}));

  auto lone = board(game, {"AB"});
  EXPECT_TRUE(matchFinderC::findMatch(*lone, lone->at(0, 0))->empty());
  EXPECT_EQ(matchFinder::findMatch(*lone, lone->at(0, 0))->size(), 1u);

  auto busy = board(game, {"AAA"});
  busy->at(0, 1)->chip->setState("LAND");
  EXPECT_EQ(matchFinderC::findMatchSmall(*busy, busy->at(0, 0))->size(), 1u) << "only idle chips chain";

  auto big = board(game, {"AAAA", "AAAA"});
  EXPECT_EQ(matchFinderC::findMatchSmall(*big, big->at(0, 0))->size(), 3u) << "stops at three";
}

TEST_F(BoardFinders, ChainSearchStaysBoundedOnAWholeBoardOfOneColour) {
  std::vector<std::string> rows(12, std::string(16, 'A'));
  auto L = board(game, rows);
  struct Case {
    int r, c;
    size_t steps;  // king's-move distance to the farthest cell
  };
  for (const Case& k : {Case{0, 0, 15}, Case{5, 7, 8}, Case{11, 15, 15}}) {
    const int r = k.r, c = k.c;
    auto route = matchFinderC::findMatch(*L, L->at(r, c));
    ASSERT_TRUE(route.has_value());
    EXPECT_LE(astarFinder::lastSteps, 12 * 16);
    EXPECT_EQ(route->size(), k.steps) << r << "," << c;
    EXPECT_EQ(route->back().get(), L->at(r, c)->chip.get());
  }
  // A trace over marks that never reach the end stops at the cell count.
  std::vector<TM3Node> grid(4);
  for (int i = 0; i < 4; ++i) {
    grid[i].r = 0;
    grid[i].c = i;
    grid[i].n = 5;
  }
  grid[0].n = 100;
  astarFinder::findRoute(grid, &grid[0], &grid[3], 1, 4);
  EXPECT_LE(astarFinder::lastSteps, 4);
}

TEST_F(BoardFinders, SwapMoveSearchFindsEdgeMovesAndDeadBoards) {
  struct Case {
    const char* name;
    std::vector<std::string> rows;
    int any;
    int r1, c1, r2, c2;  // expected best pair
  };
  const std::vector<Case> cases = {
      {"only in the last column", {"BCD", "CDA", "DEA", "BCF", "CDA"}, 1, 3, 2, 4, 2},
      {"only in the bottom row", {"BCDE", "CDEB", "AABA"}, 1, 2, 2, 2, 3},
      {"dead board", {"ABC", "BCA", "CAB"}, 0, -1, -1, -1, -1},
      {"the bigger line wins", {"AABAA", "CCACC", "DEFGD"}, 1, 0, 2, 1, 2},
  };
  for (const Case& c : cases) {
    auto L = board(game, c.rows);
    EXPECT_EQ(matchLeftSwapShort(*L), c.any) << c.name;
    TSwapMove best = noMatchLeftSwap(*L);
    if (!c.any) {
      EXPECT_EQ(best.tile1, nullptr) << c.name;
      EXPECT_EQ(best.maxMatch, 0) << c.name;
      continue;
    }
    ASSERT_NE(best.tile1, nullptr) << c.name;
    EXPECT_EQ(best.tile1, L->at(c.r1, c.c1)) << c.name;
    EXPECT_EQ(best.tile2, L->at(c.r2, c.c2)) << c.name;
    EXPECT_GE(best.maxMatch, 3) << c.name;
    // the board is as it was
    EXPECT_EQ(L->at(c.r1, c.c1)->chip->tile, L->at(c.r1, c.c1)) << c.name;
  }
  auto chained = board(game, {"AABA"});
  chained->at(0, 2)->chain = 1;
  EXPECT_EQ(matchLeftSwapShort(*chained), 0) << "a chained chip cannot be swapped";
}

TEST_F(BoardFinders, GroupAndChainMovesLeft) {
  auto G = board(game, {"AB", "BA"});
  G->matchType = "GROUP";
  EXPECT_EQ(matchLeftShort(*G), 0);
  G->matchType = "CHAIN";
  EXPECT_EQ(matchLeftShort(*G), 0);
  auto H = board(game, {"AB", "BA", "AB"});
  H->matchType = "CHAIN";
  EXPECT_EQ(matchLeftShort(*H), 1) << "a diagonal zigzag chains";
  H->matchType = "GROUP";
  EXPECT_EQ(matchLeftShort(*H), 0);
}

}  // namespace
