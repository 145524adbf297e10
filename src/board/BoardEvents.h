// What the board model tells the rest of the game. Tiles and chips run on
// their own, but scoring, match checks, bonus blasts, particles, debris and
// sounds belong to the controller, the play screen and the effects. They all
// reach those through this one interface, so the board can be driven (and
// tested) without them. Every method has a harmless default.
#pragma once

#include <string>

#include "gui/Geometry.h"

class TChip;
class TTile;
class TChipData;

// A request for a visual effect; the effects module turns it into particles.
struct TBoardFx {
  enum Kind {
    TileBreak,     // shards of a broken cell; value = strength (1 or 2)
    ChainBreak,    // links flying off a chain
    BurstAlpha,    // one particle of a chip's destruction burst (fading)
    Burst,         // one particle of a chip's destruction burst
    Explosion,     // a bonus going off
    Score,         // rising score number; value = points
    Spark,         // short spark of a cell's destruction burst
    SparkLong,     // long spark of a cell's destruction burst
    SparkLine,     // spark from (x, y) to (x2, y2)
  };
  Kind kind = Burst;
  int x = 0, y = 0, x2 = 0, y2 = 0;
  int value = 0;
  TRGB rgb;
  int delay = 0;
};

// Falling waste that takes a chip off the board (owned by the effects).
enum class TDebrisKind { Down, Vanish, Replace };

enum class TBoardSound { TileBreak, ChainBreak, DestroyChip, PuzzleMatched, ChipMove, Bomb, Crossfire };

class TBoardEvents {
 public:
  virtual ~TBoardEvents() = default;

  // --- the controller -------------------------------------------------------
  // 0 SWAP, 1 CHAIN, 2 GROUP.
  virtual int controlMode() { return 0; }
  virtual TTile* pickedTile() { return nullptr; }
  virtual void clearPickedTile() {}
  virtual int isInPair(const TChip*) { return 0; }
  virtual int isSwap(const TChip*) { return 0; }
  virtual int isMatch(TTile*) { return 0; }
  virtual void removePair(const TChip*) {}
  virtual void isLandedMatch(TTile*) {}
  // Board effects of bonus chips.
  virtual void BOMB(int r, int c, int moc) {}
  virtual void CROSS_HORIZONTAL(int r, int c, int moc) {}
  virtual void CROSS_VERTICAL(int r, int c, int moc) {}
  virtual void SHUFFLE(int moc) {}

  // --- the play screen ------------------------------------------------------
  virtual void addScore(int points) {}
  virtual void tileMatched() {}
  virtual void puzzleCollected() {}
  virtual void chainBroken() {}
  virtual int levelTime() { return 0; }
  virtual void addPuzzleTime(const std::string& time) {}
  // True while a hint is shown whose chips include this one.
  virtual bool hintHolds(const TChip*) { return false; }
  // Phase of the pulsing highlight of marked tiles.
  virtual float highlightPhase() { return 0; }
  // Power-up slot 1..6 is discovered and not active for the current player.
  virtual bool powerUpSlotOpen(int slot) { return false; }

  // --- effects --------------------------------------------------------------
  virtual void effect(const TBoardFx& fx) {}
  virtual void debris(TDebrisKind kind, TTile* tile, TChipData* newKind) {}
  virtual void flyingResource(TChip* chip, int slot, int delay) {}

  // --- sound: by default the global sound manager ---------------------------
  virtual void sound(TBoardSound s, int k);
};

// The events used when no controller is attached: nothing but the sounds.
TBoardEvents& defaultBoardEvents();
