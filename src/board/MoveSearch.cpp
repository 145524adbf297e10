#include "board/MoveSearch.h"

#include "board/Chip.h"
#include "board/Finders.h"
#include "board/Level.h"
#include "board/Tile.h"
#include "platform/Random.h"

namespace {

int lineScore(TLevel& L, TTile* t) {
  auto m = matchFinderS::findMatch(L, t);
  const int n = m ? static_cast<int>(m->size()) : 0;
  return n > 2 ? n : 0;
}

bool swappable(const TTile* t) { return t && t->kindId() != 0 && t->chip && t->chain == 0; }

// Visits every candidate pair (right and down neighbour) in row-major order;
// stops when fn returns true.
template <class F>
void forEachPair(TLevel& L, F fn) {
  for (int r = 0; r < L.rows; ++r)
    for (int c = 0; c < L.cols; ++c) {
      TTile* t = L.at(r, c);
      if (!swappable(t)) continue;
      for (TTile* n : {L.at(r, c + 1), L.at(r + 1, c)})
        if (swappable(n) && fn(t, n)) return;
    }
}

}  // namespace

int trySwap(TLevel& L, TTile* a, TTile* b) {
  std::swap(a->chip, b->chip);
  const int score = lineScore(L, a) + lineScore(L, b);
  std::swap(a->chip, b->chip);
  return score;
}

int matchLeftSwapShort(TLevel& L) {
  int found = 0;
  forEachPair(L, [&](TTile* a, TTile* b) {
    found = trySwap(L, a, b) > 0 ? 1 : 0;
    return found == 1;
  });
  return found;
}

TSwapMove noMatchLeftSwap(TLevel& L) {
  TSwapMove best;
  forEachPair(L, [&](TTile* a, TTile* b) {
    const int s = trySwap(L, a, b);
    if (s > best.maxMatch) best = {a, b, s};
    return false;
  });
  return best;
}

int matchLeftGroupShort(TLevel& L) {
  for (auto& t : L.tile) {
    auto g = matchFinder::findMatch(L, t.get());
    if (g && g->size() >= 3) return 1;
  }
  return 0;
}

int matchLeftChainShort(TLevel& L) {
  for (auto& t : L.tile) {
    if (noTile(t.get()) || (t->chip->cd && t->chip->cd->puzzleChip)) continue;
    auto g = matchFinderC::findMatchSmall(L, t.get());
    if (g && g->size() >= 3) return 1;
  }
  return 0;
}

int matchLeftShort(TLevel& L) {
  if (L.matchType == "CHAIN") return matchLeftChainShort(L);
  if (L.matchType == "GROUP") return matchLeftGroupShort(L);
  return matchLeftSwapShort(L);
}

// ----------------------------------------------------------------- falling

namespace {
bool real(const TTile* t) { return t && t->kindId() != 0; }
}  // namespace

int chipMayFallDown(const TLevel& L, int row, int col) {
  if (row >= L.rows - 1) return 0;
  TTile* t = L.at(row, col);
  TTile* below = L.at(row + 1, col);
  if (!t || !t->chip || !t->chip->state.empty() || t->chain) return 0;
  return (real(below) && !below->chip) ? 1 : 0;
}

int chipMayFallDownMore(const TLevel& L, int row, int col) {
  if (row >= L.rows - 1) return 0;
  TTile* t = L.at(row, col);
  TTile* below = L.at(row + 1, col);
  if (!t || !t->chip || t->chain) return 0;
  return (real(below) && !below->chip) ? 1 : 0;
}

int sideFallDirection(const TLevel& L, int row, int col) {
  TTile* t = L.at(row, col);
  if (!t || !t->chip || t->chip->isMoving() || !real(t) || t->chain || row + 1 >= L.rows) return 0;
  auto emptyOrChained = [](const TTile* x) { return !x || !x->chip || x->chain; };
  auto open = [&](int s) {
    TTile* land = L.at(row + 1, s);
    TTile* side = L.at(row, s);
    TTile* above = L.at(row - 1, col);
    TTile* sideAbove = L.at(row - 1, s);
    const bool able = land && real(land) && (!land->chip || land->chain) && side && (!real(side) || side->chain);
    const bool aboveOk = emptyOrChained(above) || able;                                        // 1 and 4
    const bool sideAboveOk = emptyOrChained(sideAbove) || (side && side->chain) || !real(side);  // 2
    const bool landOk = land && real(land) && !land->chip;                                     // 3
    bool sideFree;                                                                              // 5
    if (!real(side)) sideFree = true;
    else if (!side->chip) sideFree = side->creator == 0;
    else sideFree = side->chain != 0;
    return aboveOk && sideAboveOk && landOk && sideFree;
  };
  const bool right = open(col + 1), left = open(col - 1);
  if (right && left) return plat::randInt(0, 1) == 0 ? -1 : 1;
  if (right) return 1;
  if (left) return -1;
  return 0;
}
