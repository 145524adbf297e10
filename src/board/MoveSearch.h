// Questions the controller asks of a quiet board: is any move left, which
// move is best, and may a chip fall straight or slide diagonally. They only
// read the board (a tried swap is put back before they return).
#pragma once

class TLevel;
class TTile;

struct TSwapMove {
  TTile* tile1 = nullptr;
  TTile* tile2 = nullptr;
  int maxMatch = 0;
};

// SWAP mode: the first scoring swap (any move left?) and the best one.
int matchLeftSwapShort(TLevel& level);
TSwapMove noMatchLeftSwap(TLevel& level);
// The score of swapping two neighbouring cells: the line sizes of three or
// more at both cells after the swap, 0 when no line forms.
int trySwap(TLevel& level, TTile* a, TTile* b);

// GROUP and CHAIN modes: any group / route of three or more?
int matchLeftGroupShort(TLevel& level);
int matchLeftChainShort(TLevel& level);
// Dispatch on the level's mode.
int matchLeftShort(TLevel& level);

// Falling rules.
int chipMayFallDown(const TLevel& level, int row, int col);
int chipMayFallDownMore(const TLevel& level, int row, int col);
// -1 or +1 for the side the chip at (row, col) may slide down to (drawn
// evenly when both are open), 0 when it may not slide.
int sideFallDirection(const TLevel& level, int row, int col);
