// Bot moves per second on a headless board, and the best-move search on the
// largest board a level may have.
#include <benchmark/benchmark.h>

#include "../tests/test_board_util.h"
#include "app/Screen.h"
#include "board/Bot.h"
#include "board/MoveSearch.h"
#include "platform/Clock.h"
#include "platform/Random.h"

namespace {

void setUp(TM3Game& g) {
  plat::useFakeClock(100000);
  delta = 1;
  boardtest::fillCatalogs(g);
  g.settings->swap_bonusMatch = 4;
  g.settings->chain_bonusMatch = 6;
  g.settings->group_bonusMatch = 6;
  for (int n = 1; n <= 6; ++n) setPowerUpThreshold(n, 15);
}

void BM_BotMoves(benchmark::State& state, const char* mode) {
  TM3Game g;
  setUp(g);
  int64_t moves = 0;
  uint64_t seed = 1;
  for (auto _ : state) {
    plat::seedRandom(seed++);
    auto L = makeBotLevel(g, 9, 9, mode, 5);
    g.setLevel(L);
    TBot bot(g);
    TBotOptions opt;
    opt.maxMoves = 20;
    opt.checkInvariants = false;
    moves += bot.play(opt).moves;
  }
  state.counters["moves/s"] = benchmark::Counter(static_cast<double>(moves), benchmark::Counter::kIsRate);
}
BENCHMARK_CAPTURE(BM_BotMoves, swap, "SWAP")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BotMoves, chain, "CHAIN")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BotMoves, group, "GROUP")->Unit(benchmark::kMillisecond);

void BM_BestMove(benchmark::State& state, const char* mode) {
  TM3Game g;
  setUp(g);
  plat::seedRandom(3);
  auto L = makeBotLevel(g, TLevel::kMaxSide, TLevel::kMaxSide, mode, 6);
  g.setLevel(L);
  for (auto _ : state) benchmark::DoNotOptimize(g._noMatchLeft().maxMatch);
}
BENCHMARK_CAPTURE(BM_BestMove, swap_64x64, "SWAP")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BestMove, chain_64x64, "CHAIN")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BestMove, group_64x64, "GROUP")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
