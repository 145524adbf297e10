#include <cstdlib>

#include "board/Bot.h"
#include "test_board_game_util.h"

namespace {

using gametest::GameFixture;

class BoardBot : public GameFixture {
 protected:
  // One seeded game on a random board; the violations found, if any.
  TBotResult game(uint64_t seed, const std::string& mode, int maxMoves) {
    plat::seedRandom(seed);
    const int rows = plat::randInt(5, 9), cols = plat::randInt(5, 9);
    L = makeBotLevel(g, rows, cols, mode, plat::randInt(4, 6));
    g.setLevel(L);
    for (auto& p : *g.powerUps) {
      p.odkryty = 1;
      p.aktywny = 0;
      p.data = 0;
    }
    TBot bot(g);
    TBotOptions opt;
    opt.maxMoves = maxMoves;
    return bot.play(opt);
  }
  void expectClean(const TBotResult& r, const std::string& what) {
    EXPECT_TRUE(r.violations.empty()) << what << ": " << r.violations.size() << " violations, first: "
                                      << (r.violations.empty() ? "" : r.violations[0]);
    EXPECT_LT(r.frames, TBotOptions{}.maxFrames) << what << " never came to rest";
  }
};

TEST_F(BoardBot, PlaysEachModeThroughTheMouseWithTheBoardIntact) {
  for (const char* mode : {"SWAP", "CHAIN", "GROUP"}) {
    const auto r = game(11, mode, 25);
    expectClean(r, mode);
    EXPECT_GT(L->score, 0) << mode;
    EXPECT_TRUE(r.moves > 3 || r.won) << mode;
  }
}

TEST_F(BoardBot, SameSeedSameGame) {
  const auto a = game(5, "SWAP", 10);
  const int scoreA = L->score;
  const auto b = game(5, "SWAP", 10);
  EXPECT_EQ(a.frames, b.frames);
  EXPECT_EQ(scoreA, L->score);
}

// The soak: many seeded games over the three modes. CTest runs it with
// WOOFMERE_SOAK_GAMES set (label "soak"); a plain test run skips it.
TEST_F(BoardBot, Soak) {
  const char* env = std::getenv("WOOFMERE_SOAK_GAMES");
  if (!env) GTEST_SKIP() << "set WOOFMERE_SOAK_GAMES";
  const int games = std::atoi(env);
  int powerUps = 0, refills = 0;
  for (int i = 0; i < games; ++i) {
    const char* mode = i % 3 == 0 ? "SWAP" : i % 3 == 1 ? "CHAIN" : "GROUP";
    const auto r = game(1000 + i, mode, 20);
    expectClean(r, std::string(mode) + " game " + std::to_string(i));
    powerUps += r.powerUpsUsed;
    refills += r.refills;
    if (HasFailure()) break;
  }
  std::cout << games << " games, " << powerUps << " power-ups used, " << refills << " dead boards refilled\n";
}

}  // namespace
