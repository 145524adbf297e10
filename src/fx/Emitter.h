// Emitters: moving points that spray particles. The bonus emitter is the
// travelling sparkle of the power-ups: it flies in an elbow to a cell while it
// sprays spark lines, destroys that cell's chip on arrival and hands over to
// the next chip of its list, so a chain of them hops across the board.
//
// Emitters live in `emitterList` (or a list of the screen's own); the screen
// calls updateEmitters() once per frame. Their sparks go to `particleList`.
// An emitter points at a board cell: the owner of the board empties the list
// before the board goes away (the play screen does at each level start).
#pragma once

#include <deque>
#include <memory>
#include <vector>

#include "fx/FxList.h"

class TTile;
class TChip;

class TEmitter;
using TEmitterList = TFxList<TEmitter>;
extern TEmitterList emitterList;

class TEmitter {
 public:
  virtual ~TEmitter() = default;

  float x = 0, y = 0;
  int startTime = 0;
  int endTime = 0;
  int lifeTime = 0;
  TEmitterList* list = nullptr;

  virtual void update() {}
  // Leaves its list.
  virtual void destroy();
};

class TBonusEmitter : public TEmitter {
 public:
  TTile* tile = nullptr;                      // target cell
  std::deque<std::weak_ptr<TChip>> nextTiles;  // chips still to be hit, in order
  int partTime = 0;                           // time of the next spray
  int partInterwal = 0;                       // spray interval, ms
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  float mx = 0, my = 0;
  float per = 0;

  void update() override;
  // 36 spark lines around the current position.
  void generate();
  // Arrival: destroys the target cell's chip and starts the hop to the next
  // chip still on the board. Runs once.
  void destroy() override;

 private:
  bool arrived_ = false;
};

// Starts a bonus emitter from (x, y) to the centre of `tile`, bending through
// (x, cell y). It waits `delay` ms, sprays every `interval` ms and, after
// hitting the cell, goes on to each chip of `nextTiles` in turn. The whoosh
// sound plays. Goes to `list` (`emitterList` when null).
std::shared_ptr<TBonusEmitter> createBonusEmitter(TTile* tile, float x, float y, int delay,
                                                  int lifeTime,
                                                  const std::vector<std::shared_ptr<TChip>>& nextTiles,
                                                  int interval, TEmitterList* list = nullptr);

void updateEmitters(TEmitterList& list = emitterList);
void clearEmitters(TEmitterList& list = emitterList);
