// The play screen's side of the six power-ups: the panel buttons, the
// targeting modes with their cursors and highlights, and the hand-over to
// the controller, which does the work on the board.
#include <algorithm>
#include <cmath>

#include "board/Level.h"
#include "fx/ParticleGenerators.h"
#include "gui/Button.h"
#include "gui/Gui.h"
#include "gui/Mouse.h"
#include "platform/Clock.h"
#include "platform/Graphics.h"
#include "platform/Random.h"
#include "screens/MainGame.h"
#include "screens/Profile.h"

namespace {

float sinDeg(float d) { return std::sin(d * static_cast<float>(M_PI) / 180.f); }

bool realTile(const TTile* t) { return t && t->kindId() != 0; }

}  // namespace

void TMainGame::_preparePowerUps() {
  TProfile* p = profile();
  if (!p) {
    m3Game->setPowerUps(nullptr);
    iloscPwrup = 0;
    return;
  }
  p->checkPowerUps();
  m3Game->setPowerUps(&p->powerUp);
  m3Game->profileLevelNumber = p->nrLevelu;
  int open = 0;
  for (int n = 1; n <= 6; ++n) {
    TPowerUp& pu = p->powerUp[static_cast<size_t>(n - 1)];
    auto b = bonusButton(n);
    if (pu.odkryty) {
      ++open;
      if (b) b->setState(1, pu.aktywny ? 1 : 0);
    } else {
      pu.aktywny = 0;
      if (b) b->setState(1, 0);
    }
  }
  iloscPwrup = static_cast<float>(open) / 6.f;
}

void TMainGame::resetPowerUps() {
  if (TProfile* p = profile())
    for (auto& pu : p->powerUp) {
      pu.aktywny = 0;
      pu.data = 0;
    }
}

TDim TMainGame::getPowerUpDim(int n) const {
  TDim d;
  if (auto b = bonusButton(n); b && b->dim) {
    d.x = b->dim->x;
    d.y = b->dim->y;
  }
  return d;
}

// ----------------------------------------------------------------- buttons

void TMainGame::useBonus(int k) {
  // One random removal at a time: its sparkle is still hopping.
  if (!m3Game->randomRemoval.empty()) return;
  switch (k) {
    case 1: useBonus_hammer(); break;
    case 2: useBonus_bomba(); break;
    case 3: useBonus_losoweUsun(); break;
    case 4: useBonus_shuffle(); break;
    case 5: useBonus_zamienNiektore(); break;
    case 6: useBonus_VanishColor(); break;
    default: break;
  }
}

void TMainGame::useBonus_hammer() { tryb = tryb == 1 ? 0 : 1; }
void TMainGame::useBonus_bomba() { tryb = tryb == 3 ? 0 : 3; }
void TMainGame::useBonus_VanishColor() { tryb = tryb == 2 ? 0 : 2; }
void TMainGame::useBonus_zamienNiektore() { tryb = tryb == 4 ? 0 : 4; }

namespace {

// After a power-up acted: its button greys out and the use is counted.
void usedPowerUp(TMainGame& g, int slot) {
  g.tryb = 0;
  g.bonusUse[slot - 1] += 1;
  if (auto b = g.bonusButton(slot)) b->setState(1, 0);
  TMouse& m = mouse();
  m.leftPressed = m.rightPressed = 0;
}

}  // namespace

void TMainGame::useBonus_losoweUsun() {
  if (m3Game->usePowerUp(3, nullptr)) usedPowerUp(*this, 3);
}

void TMainGame::useBonus_shuffle() {
  if (m3Game->usePowerUp(4, nullptr)) usedPowerUp(*this, 4);
}

// ----------------------------------------------------------------- aiming

void TMainGame::_updateTileOverClear() {
  if (!level) return;
  for (auto& t : level->tile)
    if (t) t->oznaczony = 0;
}

void TMainGame::_updateTileOver(TTile* tile) {
  if (!realTile(tile)) return;
  if (tile->chain && m3Game->matchType == 0) return;
  tile->oznaczony = 1;
}

void TMainGame::_updateTileOverCrossfire(TTile* tile) {
  if (!realTile(tile)) return;
  for (TTile* t : m3Game->createTilesListForCrossFireX(tile->r, tile->c)) _updateTileOver(t);
}

void TMainGame::_updateTileVanish(TTile* tile) {
  if (!realTile(tile) || !tile->chip || !tile->chip->cd || !tile->chip->cd->proper()) return;
  vanishList = m3Game->getAllChipsLikeThisById(tile->chip->cd->id);
  const int now = plat::millisecs();
  if (now < vanishPartTime) return;
  vanishPartTime = now + 20;
  for (auto& ch : vanishList) {
    if (!ch->tile) continue;
    const TRGB rgb = plat::randInt(0, 1) ? newRGB(255, 255, 255) : newRGB(255, 60, 60);
    generateSparkParticle(static_cast<int>(ch->tile->cx()) + plat::randInt(-5, 5),
                          static_cast<int>(ch->tile->cy()) + plat::randInt(-5, 5), rgb);
  }
}

void TMainGame::_updateTryb() {
  vanishList.clear();
  _updateTileOverClear();
  TProfile* p = profile();
  const bool playing = state == "NORMAL";
  TMouse& m = mouse();
  if (playing && p && m.rightPressed && p->powerUp[0].aktywny) {
    TTile* t = m3Game->_updateTileOver_BEZWZGLEDNIE();
    _updateTileOver(t);
    useHammerOnTile2(t);
    return;
  }
  if (tryb == 0 || !playing) return;
  TTile* over = m3Game->overTile;
  switch (tryb) {
    case 1:
      _updateTileOver(over);
      if (over && over->chip) useHammerOnTile(over);
      break;
    case 3:
      _updateTileOverCrossfire(over);
      if (over && over->chip) useCrossFireOnTile(over);
      break;
    case 2:
      _updateTileVanish(over);
      if (over && over->chip) useVanishOnTile(over);
      break;
    case 4:
      _updateTileOver(over);
      if (over && over->chip) useZamienOnTile(over);
      break;
    default: break;
  }
}

namespace {

// The aimed power-ups act on the press of the left button.
bool aimedUse(TMainGame& g, int slot, TTile* tile) {
  if (!mouse().leftPressed || !tile) return false;
  if (!g.m3Game->usePowerUp(slot, tile)) {
    // A refused click (a piece, a bonus for the swap-in, a busy board) is
    // used up: it must not also reach the board.
    mouse().leftPressed = 0;
    return false;
  }
  usedPowerUp(g, slot);
  return true;
}

}  // namespace

void TMainGame::useHammerOnTile(TTile* tile) { aimedUse(*this, 1, tile); }

void TMainGame::useHammerOnTile2(TTile* tile) {
  if (!tile) return;
  if (m3Game->usePowerUp(1, tile)) usedPowerUp(*this, 1);
  mouse().rightPressed = 0;
}

void TMainGame::useCrossFireOnTile(TTile* tile) { aimedUse(*this, 2, tile); }
void TMainGame::useVanishOnTile(TTile* tile) { aimedUse(*this, 6, tile); }
void TMainGame::useZamienOnTile(TTile* tile) { aimedUse(*this, 5, tile); }

// ----------------------------------------------------------------- feedback

void TMainGame::_updateBonusObw() {
  bonusOA = easeToward(bonusOA, dBonusOA, 0.05f * delta);
  if (bonusOA == dBonusOA) dBonusOA = dBonusOA == 0 ? 1.f : 0.f;
}

void TMainGame::_drawBonusObwodka() {
  int slot = 0;
  switch (tryb) {
    case 1: slot = 1; break;
    case 3: slot = 2; break;
    case 4: slot = 5; break;
    case 2: slot = 6; break;
    default: return;
  }
  auto b = bonusButton(slot);
  if (!b || !b->dim || !bonusObw) return;
  auto& g = plat::gfx();
  const float s = sinDeg(90 * bonusOA);
  g.setBlend(plat::Blend::Additive);
  g.setColour(255, 255, 255);
  g.setRotation(0);
  g.setAlpha(s);
  g.setScale(0.95f + 0.1f * s, 0.95f + 0.1f * s);
  g.drawImage(bonusObw, b->dim->x, b->dim->y);
  g.setScale(1, 1);
  g.setBlend(plat::Blend::Alpha);
  g.setAlpha(1);
}

void TMainGame::restorePointer() {
  if (savedPointer_ < 0) return;
  mouse()._v = savedPointer_;
  savedPointer_ = -1;
}

void TMainGame::_drawBonusImg() {
  plat::ImagePtr cur;
  switch (tryb) {
    case 1: cur = imgMlotek; break;
    case 3: cur = imgNozyce; break;
    case 2: cur = imgIgla; break;
    case 4: cur = imgRozczka; break;
    default: break;
  }
  TMouse& m = mouse();
  if (!cur) return;
  // The tool replaces the paw for this frame's presentation.
  if (savedPointer_ < 0) savedPointer_ = m._v;
  m._v = 0;
  auto& g = plat::gfx();
  g.setBlend(plat::Blend::Alpha);
  g.setColour(255, 255, 255);
  g.setAlpha(1);
  g.setScale(1, 1);
  g.setRotation(0);
  g.drawImage(cur, static_cast<float>(m.x), static_cast<float>(m.y));
}
