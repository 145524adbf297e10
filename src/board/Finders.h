// The searches that answer "which chips match here": the straight lines of
// SWAP mode, the 4-connected group of GROUP mode and the 8-connected area of
// CHAIN mode with its longest route. Each is a pure function over the board;
// results keep the order of discovery, which callers use to break ties.
#pragma once

#include <memory>
#include <optional>
#include <vector>

class TChip;
class TTile;
class TLevel;

using TChipList = std::vector<std::shared_ptr<TChip>>;

// One board cell in a search grid.
struct TM3Node {
  int a = 1;
  int n = 0;
  TTile* tile = nullptr;
  int chip = 0;
  int r = 0, c = 0;
};

// 1 when the tile is not a real cell or holds no chip.
int noTile(const TTile* tile);

// Each findMatch answers nothing for noTile(tile), else a (possibly empty) list.
struct matchFinderS {
  static std::optional<TChipList> findMatch(const TLevel& level, TTile* tile);
  static TChipList findMatchV(const TLevel& level, TTile* tile);
  static TChipList findMatchH(const TLevel& level, TTile* tile);
};

struct matchFinder {
  static std::optional<TChipList> findMatch(const TLevel& level, TTile* tile);
};

struct matchFinderC {
  static std::optional<TChipList> findMatch(const TLevel& level, TTile* tile);
  static std::optional<TChipList> findMatchSmall(const TLevel& level, TTile* tile);
};

struct astarFinder {
  // Walks from start down the distances to the node marked -1. Never takes
  // more steps than the grid has cells, whatever the marks hold.
  static TChipList findRoute(std::vector<TM3Node>& grid, TM3Node* start, TM3Node* end, int rows, int cols);
  static int lastSteps;  // steps the last trace took (for tests)
};

std::vector<TM3Node> copyTilesArray(const TLevel& level);
