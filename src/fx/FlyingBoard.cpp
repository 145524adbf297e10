// The flying objects of the board: chip ghosts, flying tiles and debris.
#include <cmath>

#include "app/Screen.h"
#include "board/Chip.h"
#include "board/Level.h"
#include "board/Tile.h"
#include "fx/Flying.h"
#include "fx/ParticleGenerators.h"
#include "fx/Path.h"
#include "platform/Clock.h"
#include "platform/Graphics.h"
#include "platform/Random.h"

TFxList<TChipFantom> fantomList;
TFxList<TFlyingTile> flyingTileList;
TFxList<TOdpad> odpadList;

namespace {

TFlightTargets noTargets;
TFlightTargets* installedTargets = nullptr;

inline float trunc(float v) { return static_cast<float>(static_cast<int>(v)); }

void drawAt(const plat::ImagePtr& img, float x, float y) {
  if (img) plat::gfx().drawImage(img, trunc(x), trunc(y), 0);
}

plat::ImagePtr imageOf(const TChipDataPtr& cd) { return cd ? cd->gfx : nullptr; }

void resetLook(plat::Graphics& g, plat::Blend blend) {
  g.setBlend(blend);
  g.setColour(255, 255, 255);
  g.setAlpha(1);
  g.setScale(1, 1);
  g.setRotation(0);
}

// A chip that is still sitting on its cell and not on its way out.
bool onBoard(const TChip& ch) {
  return ch.tile && ch.tile->chip.get() == &ch && ch.state != "DESTROY" &&
         ch.state != "DESTROY-CHAIN";
}

}  // namespace

TFlightTargets& flightTargets() { return installedTargets ? *installedTargets : noTargets; }
void setFlightTargets(TFlightTargets* targets) { installedTargets = targets; }
TFlightTargets* installedFlightTargets() { return installedTargets; }

// ================================================================= ghosts

TChipFantomPtr createChipFantom(const TChip& chip) {
  auto f = std::make_shared<TChipFantom>();
  f->img = imageOf(chip.cd);
  f->x = chip.screenX;
  f->y = chip.screenY;
  f->a = f->da = chip.a;
  f->s = f->ds = chip.sx;
  fantomList.add(f);
  return f;
}

void TChipFantom::moveTo(const TDim& dim, const std::shared_ptr<TChip>& chip) {
  x1 = x;
  y1 = y;
  x2 = dim.x;
  y2 = dim.y;
  // Control at the end: a straight line that slows down as it arrives.
  mx = x2;
  my = y2;
  dChip = chip;
  per = 0;
  state = "MOVE";
}

void TChipFantom::update() {
  if (state == "MOVE") _update_move();
}

void TChipFantom::_update_move() {
  per = fx::advancePer(per, 0.05f * delta);
  x = fx::bezier(x1, mx, x2, per);
  y = fx::bezier(y1, my, y2, per);
  if (per >= 1) {
    if (iloscMatchy > 0) giveBonus(iloscMatchy);
    destroy();
  }
}

void TChipFantom::giveBonus(int n) {
  auto ch = dChip.lock();
  // The target may have been blasted or carried off while the ghost flew.
  if (!ch || !onBoard(*ch)) return;
  if (ch->docelowyChip) return;
  flightTargets().ghostArrived(*ch, n);
}

void TChipFantom::draw() {
  if (!img) return;
  auto& g = plat::gfx();
  g.setAlpha(a);
  g.setBlend(static_cast<plat::Blend>(blend));
  g.setScale(s, s);
  g.setRotation(r);
  drawAt(img, x, y);
}

void TChipFantom::destroy() {
  if (list) list->remove(this);
}

void updateFantoms() {
  fantomList.forEach([](TChipFantom& f) { f.update(); });
}

void drawFantoms() {
  fantomList.forEach([](TChipFantom& f) { f.draw(); });
  plat::gfx().setScale(1, 1);
  plat::gfx().setRotation(0);
}

// ================================================================= flying tiles

TFlyingTilePtr createFlyingTile(TTile* tile) {
  auto f = std::make_shared<TFlyingTile>();
  f->tile = tile;
  if (tile) tile->_flyingTile = f;
  f->rot = static_cast<float>(plat::randInt(0, 360));
  flyingTileList.add(f);
  return f;
}

namespace {
float cellX(const TTile* t) { return t && t->dim ? t->dim->x : 0.f; }
float cellY(const TTile* t) { return t && t->dim ? t->dim->y : 0.f; }
}  // namespace

void TFlyingTile::setFlyInSimple(float dx, float dy) { setFlyInSimple1(cellX(tile) + dx, cellY(tile) + dy); }

void TFlyingTile::setFlyInSimple1(float px, float py) {
  x1 = px;
  y1 = py;
  x2 = cellX(tile);
  y2 = cellY(tile);
  // The halves are always added, whichever side the start lies on.
  mx = x1 + std::fabs(x2 - x1) / 2;
  my = y1 + std::fabs(y2 - y1) / 2;
  x = x1;
  y = y1;
  per = 0;
  reverse = 0;
}

void TFlyingTile::setFlyInSimple2(float px, float py) {
  x1 = px;
  y1 = py;
  x2 = cellX(tile);
  y2 = cellY(tile);
  mx = px;
  my = y2;
  x = x1;
  y = y1;
  per = 0;
  reverse = 0;
}

void TFlyingTile::setFlyingRoute(float ax1, float ay1, float ax2, float ay2) {
  x1 = ax1;
  y1 = ay1;
  x2 = ax2;
  y2 = ay2;
  mx = ax2;
  my = ay1;
  countPosition();
}

void TFlyingTile::setFlyingIn(float px, float py) {
  per = 0;
  reverse = 0;
  setFlyingRoute(px, py, cellX(tile), cellY(tile));
}

void TFlyingTile::setFlyingOut(float px, float py) {
  per = 0;
  reverse = 1;
  setFlyingRoute(cellX(tile), cellY(tile), px, py);
}

void TFlyingTile::update() {
  if (plat::millisecs() < startTime) return;
  byloBegin = 1;
  const bool wasDone = per >= 1;
  per = fx::advancePer(per, speed * delta);
  if (per >= 1) {
    per = 1;
    // The end point is shown for one frame before the cell takes over.
    if (wasDone) {
      endFly();
      return;
    }
  }
  countPosition();
}

void TFlyingTile::countPosition() {
  const float t = fx::easeOut(per);
  x = fx::bezier(x1, mx, x2, t);
  y = fx::bezier(y1, my, y2, t);
}

void TFlyingTile::endFly() {
  if (tile && tile->_flyingTile.get() == this) tile->_flyingTile.reset();
  if (list) list->remove(this);
}

void TFlyingTile::drawWhen() {
  if (drawWhenBeforeTime != 1 || !tile) return;
  auto& g = plat::gfx();
  resetLook(g, plat::Blend::Alpha);
  if (tile->td) tile->td->draw(trunc(x), trunc(y), 0, 0);
  auto ch = tile->chip;
  if (ch && ch->cd) {
    g.setColour(0, 0, 0);
    g.setAlpha(0.4f);
    drawAt(ch->cd->gfx, x + 2, y + 2);
    g.setColour(255, 255, 255);
    g.setAlpha(1);
    drawAt(ch->cd->gfx, x, y);
  }
}

void TFlyingTile::draw() {
  if (!tile) return;
  if (plat::millisecs() < startTime) {
    drawWhen();
    return;
  }
  auto& g = plat::gfx();
  const float e = fx::easeOut(per);
  const float d = reverse == 0 ? e : 1 - e;
  resetLook(g, plat::Blend::Alpha);
  g.setAlpha(d);
  g.setRotation(rotate == 1 ? (1 - d) * rot + d * 360 : 0);
  if (tile->td) tile->td->draw(trunc(x), trunc(y), 0, 0);
  // The chip turns the other way and arrives upright.
  g.setRotation(rotate == 1 ? (1 - d) * rot + (1 - d) * 360 : 0);
  auto ch = tile->chip;
  if (ch && ch->cd) {
    g.setColour(0, 0, 0);
    g.setAlpha(0.4f * d);
    drawAt(ch->cd->gfx, x + 2, y + 2);
    g.setColour(255, 255, 255);
    g.setAlpha(d);
    drawAt(ch->cd->gfx, x, y);
  }
  g.setRotation(0);
}

void updateFlyingTiles() {
  flyingTileList.forEach([](TFlyingTile& f) { f.update(); });
}

void drawFlyingTiles() {
  flyingTileList.forEach([](TFlyingTile& f) { f.draw(); });
}

void dropFlyingTiles() {
  for (auto& f : flyingTileList.members())
    if (f->tile && f->tile->_flyingTile == f) f->tile->_flyingTile.reset();
  flyingTileList.clear();
}

// ================================================================= debris

namespace {

TOdpadPtr newOdpad(TTile* tile, int delay) {
  auto o = std::make_shared<TOdpad>();
  o->x = cellX(tile);
  o->y = cellY(tile);
  o->time = plat::millisecs() + delay;
  return o;
}

}  // namespace

TOdpadPtr generateOdpad(TTile* tile, int delay) {
  auto o = newOdpad(tile, delay);
  o->chip = tile ? tile->chip : nullptr;
  o->tile = tile;
  // A marker only: the cell stops drawing itself and its chip, the debris
  // draws them instead.
  if (tile) {
    auto mark = std::make_shared<TFlyingTile>();
    mark->tile = tile;
    tile->_flyingTile = mark;
  }
  o->ax = plat::randFloat(-1, 1);
  o->ay = 0;
  o->speedUp = 1;
  odpadList.add(o);
  return o;
}

TOdpadPtr generateOdpadVanish(TTile* tile, int delay) {
  auto o = newOdpad(tile, delay);
  o->chip = tile ? tile->chip : nullptr;
  o->tile = tile;
  if (tile) tile->setChip(nullptr);
  o->ax = plat::randFloat(-1, 1);
  o->ay = 0;
  o->speedUp = 1;
  o->doNotReplace = 1;
  odpadList.add(o);
  return o;
}

TOdpadPtr generateOdpadChip(TTile* tile, int delay) {
  auto o = newOdpad(tile, delay);
  o->chip = tile ? tile->chip : nullptr;
  if (o->chip) {
    o->chip->_odpad = o;
    o->chip->a = 0;
  }
  o->ax = plat::randFloat(-1, 1);
  o->ay = 0;
  o->speedUp = 0.7f;
  odpadList.add(o);
  return o;
}

TOdpadPtr generateOdpadReplace(TTile* tile, const TChipDataPtr& kind) {
  auto o = newOdpad(tile, 0);
  const float cx = cellX(tile), cy = cellY(tile);
  o->x1 = cx > 512 ? 1070.f : -50.f;
  o->y1 = -70;
  o->x2 = cx;
  o->y2 = cy;
  o->mx = cx;
  o->my = -70;
  o->x = o->x1;
  o->y = o->y1;
  o->chipData = kind;
  o->tile = tile;
  o->ax = plat::randFloat(-1, 1);
  o->speedUp = 0.3f;
  o->dy = cy;
  odpadList.add(o);
  generateOdpadChip(tile, 0);
  return o;
}

TOdpadPtr generateOdpadDown(TTile* tile, int delay) {
  auto o = newOdpad(tile, delay);
  o->chip = tile ? tile->chip : nullptr;
  o->tile = tile;
  o->ax = 0;
  o->ay = 1;
  o->speedUp = 5;
  o->specChip = 1;
  o->speed = 0.5f;
  o->x1 = cellX(tile);
  o->y1 = cellY(tile) + 42;
  o->x2 = 962;
  o->y2 = 72;
  o->mx = static_cast<float>(plat::randInt(-250, 0));
  o->my = static_cast<float>(plat::randInt(840, 900));
  odpadList.add(o);
  return o;
}

void TOdpad::update() {
  if (plat::millisecs() < time || finish) return;
  if (chipData) {
    updateReplace();
  } else if (specChip == 1) {
    updateSpecChip();
  } else {
    x += ax * delta;
    y += ay * delta;
    ay += speedUp * delta;
    if (y > 800) finish = 1;
  }
}

void TOdpad::updateReplace() {
  per = fx::advancePer(per, 0.02f * delta);
  const float t = fx::easeOut(per);
  x = fx::bezier(x1, mx, x2, t);
  y = fx::bezier(y1, my, y2, t);
  if (per >= 1) {
    auto ch = tile ? tile->chip : nullptr;
    if (ch) {
      ch->cd = chipData;
      ch->a = 1;
      // The old look falling away is another debris; the chip draws itself
      // again from now on.
      ch->_odpad.reset();
    }
    destroy();
  }
}

void TOdpad::updateSpecChip() {
  generate1();
  if (faza == 0)
    updatePhase0();
  else
    updatePhase1();
}

void TOdpad::updatePhase0() {
  x += ax * delta;
  y += ay * delta;
  ay += speedUp * delta;
  if (y > y1) {
    y = y1;
    faza = 1;
    _releaseLinks();
  }
}

void TOdpad::updatePhase1() {
  per = fx::advancePer(per, 0.025f * delta * speed);
  x = fx::bezier(x1, mx, x2, per);
  y = fx::bezier(y1, my, y2, per);
  if (per >= 1) destroy();
}

void TOdpad::generate1() {
  const int now = plat::millisecs();
  if (now <= partTime) return;
  partTime = now + 20;
  for (int i = 1; i <= 6; ++i) {
    const int v = plat::randInt(200, 255);
    generateLongBurstParticle(static_cast<int>(x + plat::randInt(-25, 25)),
                              static_cast<int>(y + plat::randInt(-25, 25)), TRGB{v, v, 0}, i * 10);
    generateLongBurstParticle(static_cast<int>(x + plat::randInt(-25, 25)),
                              static_cast<int>(y + plat::randInt(-25, 25)), TRGB{255, 255, 255},
                              i * 10);
  }
}

void TOdpad::generate() {
  auto around = [this](float c) { return static_cast<int>(c + plat::randInt(-25, 25)); };
  for (int i = 1; i <= 60; ++i) {
    int v = plat::randInt(200, 255);
    generateShortBurstParticle(around(x), around(y), TRGB{v, v, 0}, i * 10);
    v = plat::randInt(200, 255);
    generateShortBurstParticle(around(x), around(y), TRGB{static_cast<int>(0.1f * v), v, 0}, i * 10);
    v = plat::randInt(200, 255);
    generateShortBurstParticle(around(x), around(y),
                               TRGB{v, static_cast<int>(0.5f * v), static_cast<int>(0.1f * v)},
                               i * 10);
  }
}

void TOdpad::_releaseLinks() {
  if (tile && tile->_flyingTile && !tile->_flyingTile->list) tile->_flyingTile.reset();
  if (specChip == 1) {
    // The piece has left its cell; the cell may take a new chip.
    if (tile && chip && tile->chip == chip) tile->setChip(nullptr);
    tile = nullptr;
  }
  if (chip && chip->_odpad.get() == this) chip->_odpad.reset();
}

void TOdpad::destroy() {
  if (!list) return;
  list->remove(this);
  if (chip && chip->_odpad.get() == this) chip->_odpad.reset();
  if (specChip == 1) {
    _releaseLinks();
    generate();
    flightTargets().pieceCollected();
  }
}

void TOdpad::draw() {
  auto& g = plat::gfx();
  if (tile && tile->_flyingTile) tile->drawOnlyTile(0, drawTilesShadow);
  resetLook(g, plat::Blend::Alpha);
  if (chip && chip->cd) {
    const auto& img = chip->cd->gfx;
    if (chip->cd->puzzleChip && faza == 1) g.setScale(1 + per, 1 + per);
    if (plat::millisecs() >= time) {
      g.setColour(0, 0, 0);
      g.setAlpha(0.5f);
      drawAt(img, x + 4, y + 4);
    }
    g.setColour(255, 255, 255);
    g.setAlpha(1);
    drawAt(img, x, y);
    g.setScale(1, 1);
  }
  if (chipData) {
    g.setColour(255, 255, 255);
    g.setAlpha(1);
    drawAt(chipData->gfx, x, y);
  }
}

void TOdpad::randomizeAll() {
  for (auto& o : odpadList.members()) {
    if (o->specChip || o->doNotReplace || !o->tile) continue;
    TTile* t = o->tile;
    if (t->kindId() == 0) continue;
    if (t->_flyingTile && !t->_flyingTile->list) t->_flyingTile.reset();
    // A chip that came into the cell meanwhile keeps it.
    if (t->chip && t->chip != o->chip) continue;
    // The old chip fell off the screen; the cell is free for a new one.
    t->setChip(nullptr);
    t->randomMyChip();
    if (t->chip && t->chip != o->chip) {
      t->chip->setState("MOVE-SHOW-2");
      t->chip->adY = -500.f - 2.f * t->r * t->c;
    }
  }
  dropOdpady();
}

void updateOdpady() {
  int inFlight = 0;
  odpadList.forEach([&inFlight](TOdpad& o) {
    o.update();
    if (o.specChip == 1 && o.list) ++inFlight;
  });
  if (inFlight > 0) flightTargets().piecesInFlight(inFlight);
  bool allFinished = true;
  for (auto& o : odpadList.members())
    if (!o->finish) allFinished = false;
  if (allFinished) TOdpad::randomizeAll();
}

void drawOdpady() {
  odpadList.forEach([](TOdpad& o) { o.draw(); });
}

void dropOdpady() {
  for (auto& o : odpadList.members()) {
    if (o->tile && o->tile->_flyingTile && !o->tile->_flyingTile->list) o->tile->_flyingTile.reset();
    if (o->chip && o->chip->_odpad == o) o->chip->_odpad.reset();
  }
  odpadList.clear();
}

void settleOdpady() {
  for (auto& o : odpadList.members()) {
    if (o->chipData) {
      auto ch = o->tile ? o->tile->chip : nullptr;
      if (ch) {
        ch->cd = o->chipData;
        ch->a = 1;
        ch->_odpad.reset();
      }
    }
    if (o->specChip == 1) {
      o->_releaseLinks();
      flightTargets().pieceCollected();
    }
    if (o->chip && o->chip->_odpad == o) {
      o->chip->_odpad.reset();
      o->chip->a = 1;
    }
  }
  dropOdpady();
}
