// libFuzzer target for the level loader: any level file (a shipped level or
// a player's saved questlevel.lvl) must load, lay out, build its border,
// answer the match searches and write itself back without a crash, an
// out-of-range read or undefined behaviour; and what it writes must load
// to the same text again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>

#include "board/Catalogs.h"
#include "board/Chip.h"
#include "board/Finders.h"
#include "board/Level.h"
#include "board/MoveSearch.h"
#include "data/RCMFile.h"
#include "platform/Files.h"
#include "platform/Random.h"

namespace {

TM3Catalogs& catalogs() {
  static TM3Catalogs g = [] {
    TM3Catalogs c;
    return c;
  }();
  static bool filled = false;
  if (!filled) {
    filled = true;
    g.settings->sizeX = g.settings->sizeY = 42;
    for (int id = 1; id <= 8; ++id) {
      auto cd = std::make_shared<TChipData>();
      cd->id = id;
      cd->puzzleChip = id == 8;
      g.chipsList.push_back(cd);
    }
    for (int id = 101; id <= 106; ++id) {
      auto cd = std::make_shared<TChipData>();
      cd->id = id;
      cd->typ = id <= 103 ? "CROSSFIRE" : "BOMB";
      g.bonusList.push_back(cd);
    }
    for (int id = 0; id <= 3; ++id) {
      auto td = std::make_shared<TTileData>();
      td->id = id;
      td->match = id >= 2 ? id - 1 : 0;
      g.tilesList.push_back(td);
    }
    const int dirs[13][2] = {{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}, {1, 1}, {-1, 1},
                             {-1, -1}, {1, -1}, {1, 1}, {-1, 1}, {-1, -1}, {1, -1}};
    for (int n = 0; n <= 12; ++n) {
      auto fd = std::make_shared<TM3FrameData>();
      fd->id = n;
      fd->dx = dirs[n][0];
      fd->dy = dirs[n][1];
      fd->typ = n >= 9 ? "IN" : "";
      g.frameList.push_back(fd);
    }
  }
  return g;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The loader explains every problem on standard output; keep the run quiet.
  std::cout.setstate(std::ios::failbit);
  plat::seedRandom(1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text = plat::latin1ToUtf8(std::string(reinterpret_cast<const char*>(data), size));
  TM3Catalogs& game = catalogs();
  auto file = parseRCMText(text, "fuzz.lvl");
  auto L = loadLevelFrom(*file, game);
  game.level = L;

  if (L->tile.size() != size_t(L->rows) * L->cols) std::abort();
  if (L->ramka.size() != size_t(L->rows + 2) * (L->cols + 2)) std::abort();
  L->setPosition(512, 384);

  // The searches on a handful of cells, and the whole-board move test.
  for (int k = 0; k < 4 && !L->tile.empty(); ++k) {
    TTile* t = L->tile[(k * 7919u) % L->tile.size()].get();
    matchFinderS::findMatch(*L, t);
    matchFinder::findMatch(*L, t);
    matchFinderC::findMatch(*L, t);
    matchFinderC::findMatchSmall(*L, t);
    sideFallDirection(*L, t->r, t->c);
  }
  if (L->rows * L->cols <= 400) matchLeftSwapShort(*L);

  // What the game writes reads back to the same file.
  const std::string once = L->saveText();
  auto again = loadLevelFrom(*parseRCMText(once, "again.lvl"), game);
  const std::string twice = again->saveText();
  if (once != twice) {
    std::cerr.write(once.data(), static_cast<std::streamsize>(once.size()));
    std::cerr << "\n----\n";
    std::cerr.write(twice.data(), static_cast<std::streamsize>(twice.size()));
    std::abort();
  }

  // Rebuilding the border and filling the board work on any shape.
  again->CreateLevelFrames();
  if (again->rows * again->cols <= 400) {
    again->availableChips = {game.getChipData(1), game.getChipData(2)};
    again->randomChips();
  }
  game.level = nullptr;
  return 0;
}
