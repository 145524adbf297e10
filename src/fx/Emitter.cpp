#include "fx/Emitter.h"

#include <algorithm>

#include "app/GlobalSnd.h"
#include "app/Screen.h"
#include "board/Chip.h"
#include "board/Tile.h"
#include "fx/ParticleGenerators.h"
#include "fx/Path.h"
#include "platform/Clock.h"
#include "platform/Random.h"

TEmitterList emitterList;

namespace {

// A hop goes only to a chip that still sits in its cell and is not already
// on its way out; anything else left the board since the list was drawn.
bool stillOnBoard(const TChip& ch) {
  return ch.tile != nullptr && ch.tile->chip.get() == &ch && ch.state != "DESTROY";
}

}  // namespace

void TEmitter::destroy() {
  if (list) list->remove(this);
}

void TBonusEmitter::update() {
  const int now = plat::millisecs();
  if (now < startTime) return;
  per = std::min(1.f, per + 0.05f * delta);
  const float e = fx::easeOut(per);
  x = fx::bezier(x1, mx, x2, e);
  y = fx::bezier(y1, my, y2, e);
  if (now > partTime) {
    generate();
    partTime = now + partInterwal;
  }
  if (per >= 1.f) destroy();
}

void TBonusEmitter::generate() {
  const int ix = static_cast<int>(x), iy = static_cast<int>(y);
  for (int pass = 0; pass < 12; ++pass)
    for (int k = 0; k < 3; ++k) {
      const int ax = ix + plat::randInt(-10, 10);
      const int ay = iy + plat::randInt(-10, 10);
      const int bx = ix + plat::randInt(-10, 10);
      const int by = iy + plat::randInt(-20, 20);
      generateSparkLine(ax, ay, bx, by, 0);
    }
}

void TBonusEmitter::destroy() {
  if (arrived_) return;
  arrived_ = true;
  TEmitterList* home = list ? list : &emitterList;
  if (tile && tile->chip) tile->chip->destroy(0);
  while (!nextTiles.empty()) {
    std::shared_ptr<TChip> next = nextTiles.front().lock();
    nextTiles.pop_front();
    if (!next || !stillOnBoard(*next)) continue;
    std::vector<std::shared_ptr<TChip>> rest;
    for (const auto& w : nextTiles)
      if (auto ch = w.lock()) rest.push_back(ch);
    createBonusEmitter(next->tile, x, y, 0, 300, rest, 15, home);
    break;
  }
  TEmitter::destroy();
}

std::shared_ptr<TBonusEmitter> createBonusEmitter(TTile* tile, float x, float y, int delay,
                                                  int lifeTime,
                                                  const std::vector<std::shared_ptr<TChip>>& nextTiles,
                                                  int interval, TEmitterList* list) {
  auto e = std::make_shared<TBonusEmitter>();
  const int now = plat::millisecs();
  e->tile = tile;
  e->x = e->x1 = x;
  e->y = e->y1 = y;
  e->x2 = tile ? tile->cx() : x;
  e->y2 = tile ? tile->cy() : y;
  e->mx = x;
  e->my = e->y2;
  for (const auto& ch : nextTiles) e->nextTiles.push_back(ch);
  e->partInterwal = interval;
  e->startTime = now + delay;
  e->lifeTime = lifeTime;
  e->endTime = now + delay + lifeTime;
  globalSnd().playSzu();
  (list ? *list : emitterList).add(e);
  return e;
}

void updateEmitters(TEmitterList& list) {
  list.forEach([](TEmitter& e) { e.update(); });
}

void clearEmitters(TEmitterList& list) { list.clear(); }
