#include <cstdlib>

#include "board/BoardFlights.h"
#include "board/Bot.h"
#include "fx/Flying.h"
#include "fx/Particle.h"
#include "test_board_game_util.h"

namespace {

using gametest::GameFixture;

// The animated flights, silent.
class QuietFlights : public TFlyingEffects {
 public:
  void sound(TGameSound, int, const std::string&) override {}
};

class BoardBot : public GameFixture {
 protected:
  void TearDown() override {
    dropFlights();
    GameFixture::TearDown();
  }
  void dropFlights() {
    g.setLevel(nullptr);
    g.setEffects(&fx);
    fantomList.clear();
    dropOdpady();
    flyingResList.clear();
    particleList.clear();
  }
  // One seeded game on a random board; the violations found, if any. With
  // `animated` the board's flights are the real ghosts, debris and
  // resources instead of the headless stand-in.
  TBotResult game(uint64_t seed, const std::string& mode, int maxMoves, bool animated = false) {
    dropFlights();
    if (animated) g.setEffects(&flights);
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
    auto r = bot.play(opt);
    particleList.clear();
    return r;
  }
  void expectClean(const TBotResult& r, const std::string& what) {
    EXPECT_TRUE(r.violations.empty()) << what << ": " << r.violations.size() << " violations, first: "
                                      << (r.violations.empty() ? "" : r.violations[0]);
    EXPECT_LT(r.frames, TBotOptions{}.maxFrames) << what << " never came to rest";
  }
  QuietFlights flights;
};

TEST_F(BoardBot, PlaysEachModeThroughTheMouseWithTheBoardIntact) {
  for (const char* mode : {"SWAP", "CHAIN", "GROUP"}) {
    const auto r = game(11, mode, 25);
    expectClean(r, mode);
    EXPECT_GT(L->score, 0) << mode;
    EXPECT_TRUE(r.moves > 3 || r.won) << mode;
  }
}

TEST_F(BoardBot, PlaysEachModeWithTheAnimatedFlightsWithTheBoardIntact) {
  for (const char* mode : {"SWAP", "CHAIN", "GROUP"}) {
    const auto r = game(21, mode, 15, true);
    expectClean(r, mode);
    EXPECT_GT(L->score, 0) << mode;
  }
}

TEST_F(BoardBot, SameSeedSameGame) {
  const auto a = game(5, "SWAP", 10);
  const int scoreA = L->score;
  const auto b = game(5, "SWAP", 10);
  EXPECT_EQ(a.frames, b.frames);
  EXPECT_EQ(scoreA, L->score);
}

// The soak: many seeded games over the three modes, every other one with
// the animated flights. CTest runs it with
// WOOFMERE_SOAK_GAMES set (label "soak"); a plain test run skips it.
TEST_F(BoardBot, Soak) {
  const char* env = std::getenv("WOOFMERE_SOAK_GAMES");
  if (!env) GTEST_SKIP() << "set WOOFMERE_SOAK_GAMES";
  const int games = std::atoi(env);
  int powerUps = 0, refills = 0;
  for (int i = 0; i < games; ++i) {
    const char* mode = i % 3 == 0 ? "SWAP" : i % 3 == 1 ? "CHAIN" : "GROUP";
    const auto r = game(1000 + i, mode, 20, i % 2 == 1);
    expectClean(r, std::string(mode) + " game " + std::to_string(i));
    powerUps += r.powerUpsUsed;
    refills += r.refills;
    if (HasFailure()) break;
  }
  std::cout << games << " games, " << powerUps << " power-ups used, " << refills << " dead boards refilled\n";
}

}  // namespace
