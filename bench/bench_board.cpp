// The board questions the play screen asks when the board comes to rest, on
// the largest board (12 x 16): is any SWAP move left (a random board, where
// the answer comes early, and a dead board, which is searched to the end),
// which move is best, and the GROUP and CHAIN counterparts.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "board/Catalogs.h"
#include "board/Chip.h"
#include "board/Finders.h"
#include "board/Level.h"
#include "board/MoveSearch.h"
#include "platform/Random.h"

namespace {

struct Board {
  TM3Catalogs game;
  std::shared_ptr<TLevel> level;

  explicit Board(const std::vector<std::string>& rows) {
    game.settings->sizeX = game.settings->sizeY = 42;
    for (int id = 1; id <= 7; ++id) {
      auto cd = std::make_shared<TChipData>();
      cd->id = id;
      game.chipsList.push_back(cd);
    }
    for (int id = 0; id <= 1; ++id) {
      auto td = std::make_shared<TTileData>();
      td->id = id;
      game.tilesList.push_back(td);
    }
    level = newEmptyLevel(static_cast<int>(rows.size()), static_cast<int>(rows[0].size()), game);
    game.level = level;
    for (int r = 0; r < level->rows; ++r)
      for (int c = 0; c < level->cols; ++c)
        level->at(r, c)->setChip(createChip(game.getChipData(rows[r][c] - 'A' + 1)));
  }
};

// A 12 x 16 board without a move in any mode: a colour per cell such that no
// swap makes a line and no two neighbours (even diagonal) match.
std::vector<std::string> deadRows() {
  std::vector<std::string> rows;
  for (int r = 0; r < 12; ++r) {
    std::string s;
    for (int c = 0; c < 16; ++c) s += static_cast<char>('A' + (c + 3 * r) % 6);
    rows.push_back(s);
  }
  return rows;
}

std::vector<std::string> randomRows() {
  plat::seedRandom(12345);
  std::vector<std::string> rows;
  for (int r = 0; r < 12; ++r) {
    std::string s;
    for (int c = 0; c < 16; ++c) s += static_cast<char>('A' + plat::randInt(0, 5));
    rows.push_back(s);
  }
  return rows;
}

void BM_SwapMoveLeft_RandomBoard(benchmark::State& st) {
  Board b(randomRows());
  for (auto _ : st) benchmark::DoNotOptimize(matchLeftSwapShort(*b.level));
}

void BM_SwapMoveLeft_DeadBoard(benchmark::State& st) {
  Board b(deadRows());
  if (matchLeftSwapShort(*b.level) != 0) st.SkipWithError("the dead board has a move");
  for (auto _ : st) benchmark::DoNotOptimize(matchLeftSwapShort(*b.level));
}

void BM_SwapBestMove_RandomBoard(benchmark::State& st) {
  Board b(randomRows());
  for (auto _ : st) benchmark::DoNotOptimize(noMatchLeftSwap(*b.level).maxMatch);
}

void BM_GroupMoveLeft_DeadBoard(benchmark::State& st) {
  Board b(deadRows());
  for (auto _ : st) benchmark::DoNotOptimize(matchLeftGroupShort(*b.level));
}

void BM_ChainMoveLeft_DeadBoard(benchmark::State& st) {
  Board b(deadRows());
  if (matchLeftChainShort(*b.level) != 0) st.SkipWithError("the dead board chains");
  for (auto _ : st) benchmark::DoNotOptimize(matchLeftChainShort(*b.level));
}

// The CHAIN hint: the longest route from every cell of a one-colour board.
void BM_ChainBestRoute_OneColour(benchmark::State& st) {
  Board b(std::vector<std::string>(12, std::string(16, 'A')));
  for (auto _ : st) {
    size_t best = 0;
    for (auto& t : b.level->tile) best = std::max(best, matchFinderC::findMatch(*b.level, t.get())->size());
    benchmark::DoNotOptimize(best);
  }
}

BENCHMARK(BM_SwapMoveLeft_RandomBoard)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SwapMoveLeft_DeadBoard)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SwapBestMove_RandomBoard)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GroupMoveLeft_DeadBoard)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ChainMoveLeft_DeadBoard)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ChainBestRoute_OneColour)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
