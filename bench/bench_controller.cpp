// Bot moves per second on a headless board, and the best-move search on the
// largest board a level may have.
#include <benchmark/benchmark.h>

#include "../tests/test_board_util.h"
#include "app/Screen.h"
#include "board/BoardFlights.h"
#include "board/Bot.h"
#include "board/MoveSearch.h"
#include "fx/Particle.h"
#include "platform/Clock.h"
#include "platform/Graphics.h"
#include "platform/Platform.h"
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

class SilentFlights : public TFlyingEffects {
 public:
  void sound(TGameSound, int, const std::string&) override {}
};

void BM_BotMoves(benchmark::State& state, const char* mode, bool animated) {
  TM3Game g;
  setUp(g);
  SilentFlights flights;
  if (animated) g.setEffects(&flights);
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
    particleList.clear();
  }
  g.setLevel(nullptr);
  state.counters["moves/s"] = benchmark::Counter(static_cast<double>(moves), benchmark::Counter::kIsRate);
}
BENCHMARK_CAPTURE(BM_BotMoves, swap, "SWAP", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BotMoves, chain, "CHAIN", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BotMoves, group, "GROUP", false)->Unit(benchmark::kMillisecond);
// With the real ghosts, debris and resources (their particles included).
BENCHMARK_CAPTURE(BM_BotMoves, swap_animated, "SWAP", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BotMoves, chain_animated, "CHAIN", true)->Unit(benchmark::kMillisecond);

// One frame of the board's own drawing (draw and drawBack) on a 9 x 9 board,
// on the headless renderer: the CPU the play screen spends on it.
void BM_BoardDraw(benchmark::State& state) {
  plat::PlatformConfig cfg;
  cfg.headless = true;
  cfg.audio = false;
  if (!plat::init(cfg) || !plat::gfx().openDisplay(1024, 768, false)) {
    state.SkipWithError("no headless renderer");
    return;
  }
  {
    TM3Game g;
    setUp(g);
    plat::Pixmap pm(40, 40);
    pm.fill(200, 50, 50, 255);
    auto img = plat::Image::fromPixmap(std::move(pm));
    img->midHandle();
    for (auto& k : g.chipsList) k->gfx = img;
    for (auto& k : g.tilesList) k->gfx = img;
    plat::seedRandom(4);
    auto L = makeBotLevel(g, 9, 9, "SWAP", 6);
    g.setLevel(L);
    int sprites = 0;
    for (auto _ : state) {
      plat::gfx().cls();
      g.drawBack();
      g.draw();
      plat::gfx().flip(0);
      sprites = plat::gfx().lastFrameStats().sprites;
    }
    state.counters["sprites"] = sprites;
    g.setLevel(nullptr);
  }
  plat::shutdown();
}
BENCHMARK(BM_BoardDraw)->Unit(benchmark::kMicrosecond);

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
