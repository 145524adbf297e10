#include "board/Finders.h"

#include <algorithm>
#include <deque>

#include "board/Chip.h"
#include "board/Level.h"
#include "board/Tile.h"

int astarFinder::lastSteps = 0;

int noTile(const TTile* tile) { return (!tile || tile->kindId() == 0 || !tile->chip) ? 1 : 0; }

namespace {

int kindOf(const TTile* t) { return (t && t->chip && t->chip->cd) ? t->chip->cd->id : 0; }

bool isPiece(const TTile* t) { return t->chip->cd && t->chip->cd->puzzleChip; }

void addOnce(TChipList& list, const std::shared_ptr<TChip>& ch) {
  if (std::find(list.begin(), list.end(), ch) == list.end()) list.push_back(ch);
}

// One straight run through the tile, walking outward in breadth-first order
// (start, then the nearer neighbours first), as the grid search would.
TChipList lineRun(const TLevel& L, TTile* tile, int dr, int dc) {
  TChipList out;
  const int kind = kindOf(tile);
  tile->chip->oznaczony = 1;
  out.push_back(tile->chip);
  bool goBack = true, goFwd = true;
  for (int step = 1; goBack || goFwd; ++step) {
    for (int sgn : {-1, 1}) {
      bool& open = sgn < 0 ? goBack : goFwd;
      if (!open) continue;
      TTile* t = L.at(tile->r + sgn * step * dr, tile->c + sgn * step * dc);
      if (noTile(t) || kindOf(t) == 0 || kindOf(t) != kind || t->chip->isMovingCheckSwap()) {
        open = false;
        continue;
      }
      addOnce(out, t->chip);
    }
  }
  return out;
}

}  // namespace

std::vector<TM3Node> copyTilesArray(const TLevel& L) {
  std::vector<TM3Node> grid(static_cast<size_t>(L.rows) * L.cols);
  for (int r = 0; r < L.rows; ++r)
    for (int c = 0; c < L.cols; ++c) {
      TM3Node& n = grid[static_cast<size_t>(r) * L.cols + c];
      n.r = r;
      n.c = c;
      n.tile = L.at(r, c);
      n.chip = kindOf(n.tile);
      n.a = noTile(n.tile) ? 0 : 1;
    }
  return grid;
}

// ----------------------------------------------------------------- lines

TChipList matchFinderS::findMatchV(const TLevel& L, TTile* tile) { return lineRun(L, tile, 1, 0); }
TChipList matchFinderS::findMatchH(const TLevel& L, TTile* tile) { return lineRun(L, tile, 0, 1); }

std::optional<TChipList> matchFinderS::findMatch(const TLevel& L, TTile* tile) {
  if (noTile(tile)) return std::nullopt;
  if (isPiece(tile)) return TChipList{};
  TChipList v = findMatchV(L, tile);
  TChipList h = findMatchH(L, tile);
  if (v.size() < 3) v.clear();
  if (h.size() < 3) h.clear();
  for (auto& ch : h) addOnce(v, ch);
  return v;
}

// ----------------------------------------------------------------- groups

std::optional<TChipList> matchFinder::findMatch(const TLevel& L, TTile* tile) {
  if (noTile(tile)) return std::nullopt;
  if (isPiece(tile)) return TChipList{};
  const int kind = kindOf(tile);
  auto grid = copyTilesArray(L);
  auto node = [&](int r, int c) -> TM3Node* {
    if (r < 0 || c < 0 || r >= L.rows || c >= L.cols) return nullptr;
    return &grid[static_cast<size_t>(r) * L.cols + c];
  };
  TChipList result{tile->chip};
  tile->chip->oznaczony = 1;
  std::deque<TM3Node*> open{node(tile->r, tile->c)};
  while (!open.empty()) {
    TM3Node* q = open.front();
    open.pop_front();
    if (q->n != 0) continue;  // queued twice, already expanded
    q->n = 1;
    static const int dirs[4][2] = {{-1, 0}, {0, -1}, {0, 1}, {1, 0}};  // above, left, right, below
    for (const auto& d : dirs) {
      TM3Node* m = node(q->r + d[0], q->c + d[1]);
      if (!m || m->a == 0 || m->n != 0 || m->chip == 0 || m->chip != kind) continue;
      open.push_back(m);
      addOnce(result, m->tile->chip);
      m->tile->chip->oznaczony = 1;
    }
  }
  return result;
}

// ----------------------------------------------------------------- chains

namespace {

const int kEight[8][2] = {{-1, -1}, {-1, 0}, {-1, 1}, {0, -1}, {0, 1}, {1, -1}, {1, 0}, {1, 1}};

// Breadth-first distances over the 8-connected area of idle like chips.
// With `small`, stops as soon as three chips are found.
TChipList chainArea(const TLevel& L, TTile* tile, std::vector<TM3Node>& grid, TM3Node*& start, TM3Node*& farthest,
                    bool small) {
  const int kind = kindOf(tile);
  auto node = [&](int r, int c) -> TM3Node* {
    if (r < 0 || c < 0 || r >= L.rows || c >= L.cols) return nullptr;
    return &grid[static_cast<size_t>(r) * L.cols + c];
  };
  TChipList result{tile->chip};
  tile->chip->oznaczony = 1;
  start = farthest = node(tile->r, tile->c);
  start->n = 1;
  std::deque<TM3Node*> open{start};
  while (!open.empty()) {
    if (small && result.size() >= 3) break;
    TM3Node* q = open.front();
    open.pop_front();
    for (const auto& d : kEight) {
      TM3Node* m = node(q->r + d[0], q->c + d[1]);
      if (!m || m->a == 0 || m->n != 0 || m->chip == 0 || m->chip != kind) continue;
      if (!m->tile->chip->state.empty()) continue;
      if (m != start) {
        m->n = q->n + 1;
        if (m->n > farthest->n) farthest = m;
      }
      open.push_back(m);
      addOnce(result, m->tile->chip);
      m->tile->chip->oznaczony = 1;
      if (small && result.size() >= 3) break;
    }
  }
  return result;
}

}  // namespace

std::optional<TChipList> matchFinderC::findMatch(const TLevel& L, TTile* tile) {
  if (noTile(tile)) return std::nullopt;
  if (isPiece(tile)) return TChipList{};
  auto grid = copyTilesArray(L);
  TM3Node *start = nullptr, *farthest = nullptr;
  chainArea(L, tile, grid, start, farthest, false);
  return astarFinder::findRoute(grid, farthest, start, L.rows, L.cols);
}

std::optional<TChipList> matchFinderC::findMatchSmall(const TLevel& L, TTile* tile) {
  if (noTile(tile)) return std::nullopt;
  auto grid = copyTilesArray(L);
  TM3Node *start = nullptr, *farthest = nullptr;
  return chainArea(L, tile, grid, start, farthest, true);
}

TChipList astarFinder::findRoute(std::vector<TM3Node>& grid, TM3Node* start, TM3Node* end, int rows, int cols) {
  TChipList route;
  lastSteps = 0;
  if (!start || !end) return route;
  end->n = -1;
  TM3Node* cur = start;
  // Every step goes to a strictly lower mark, so a sound grid ends within
  // rows x cols steps; the bound also ends a trace over inconsistent marks.
  const int maxSteps = rows * cols;
  while (cur->n != -1 && lastSteps < maxSteps) {
    TM3Node* next = nullptr;
    for (const auto& d : kEight) {
      const int r = cur->r + d[0], c = cur->c + d[1];
      if (r < 0 || c < 0 || r >= rows || c >= cols) continue;
      TM3Node* m = &grid[static_cast<size_t>(r) * cols + c];
      if (m->n != 0 && m->n < cur->n) {
        next = m;
        break;
      }
    }
    if (!next) break;
    cur = next;
    ++lastSteps;
    if (cur->tile && cur->tile->chip) route.push_back(cur->tile->chip);
  }
  return route;
}
