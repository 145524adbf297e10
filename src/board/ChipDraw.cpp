// How a chip looks: its ordinary drawing with shadow, the highlights of the
// picked, hinted and hovered chips, the cross-fade of a kind change, the glow
// of jigsaw pieces, and the small idle animations behind them.
#include <algorithm>
#include <cmath>

#include "app/Screen.h"
#include "board/Chip.h"
#include "board/Tile.h"
#include "platform/Clock.h"
#include "platform/Graphics.h"
#include "platform/Random.h"

namespace {

float sinDeg(float deg) { return std::sin(deg * static_cast<float>(M_PI) / 180.f); }

plat::ImagePtr imageOf(const TChipDataPtr& kind) { return kind ? kind->gfx : nullptr; }

// The kind's image in black, 2 px right and down, then in white.
void shadowAndImage(const plat::ImagePtr& img, float x, float y, int frame, float alpha) {
  auto& g = plat::gfx();
  g.setColour(0, 0, 0);
  g.setAlpha(alpha * 0.4f);
  g.drawImage(img, x + 2, y + 2, frame);
  g.setColour(255, 255, 255);
  g.setAlpha(alpha);
  g.drawImage(img, x, y, frame);
}

}  // namespace

void TChip::drawNormal(float x, float y, int) {
  if (_odpad) return;
  auto& g = plat::gfx();
  const plat::ImagePtr img = imageOf(cd);
  shadowAndImage(img, x + adx, y + adY, frame, a);
  if (destrA != 0) {
    g.setBlend(plat::Blend::Additive);
    g.setColour(255, 255, 255);
    g.setAlpha(a * destrA);
    g.drawImage(img, x + adx, y + adY, frame);
    g.setBlend(plat::Blend::Alpha);
  }
}

void TChip::draw(float x, float y, int over) {
  auto& g = plat::gfx();
  if (!_odpad) {
    g.setRotation(overRot);
    g.setScale(s * sx, s * sy);
    g.setAlpha(a);
    g.setBlend(plat::Blend::Alpha);
    if (docelowyChip) {
      shadowAndImage(imageOf(cd), x + adx, y + adY, frame, a * (1 - changeP));
      shadowAndImage(imageOf(docelowyChip), x + adx, y + adY, frame, a * changeP);
    } else if (tileP == 0) {
      drawNormal(x, y, over);
      if (isPicked()) drawLIghtned(x, y, over);
    }
  }
  screenX = x + adx;
  screenY = y + adY;
}

void TChip::draw_EDITOR(float x, float y, int over) {
  auto& g = plat::gfx();
  g.setRotation(overRot);
  g.setAlpha(a);
  g.setBlend(plat::Blend::Alpha);
  if (over != 0) g.setScale(s * sx + 0.1f, s * sy + 0.1f);
  else g.setScale(s * sx, s * sy);
  if (docelowyChip) {
    shadowAndImage(imageOf(cd), x + adx, y + adY, frame, a * (1 - changeP));
    shadowAndImage(imageOf(docelowyChip), x + adx, y + adY, frame, a * changeP);
  } else if (tileP == 0) {
    drawNormal(x, y, over);
  }
  screenX = x + adx;
  screenY = y + adY;
}

void TChip::drawLIghtned(float x, float y, int) {
  if (_odpad) return;
  auto& g = plat::gfx();
  g.setColour(255, 255, 255);
  g.setAlpha(std::fabs(sinDeg(90 * overP)) * a * 0.3f);
  g.setBlend(plat::Blend::Additive);
  g.drawImage(imageOf(cd), x + adx, y + adY, frame);
  g.setBlend(plat::Blend::Alpha);
}

void TChip::drawLIghtned1(float x, float y) {
  if (_odpad) return;
  auto& g = plat::gfx();
  g.setColour(255, 255, 255);
  g.setAlpha(a * 0.3f);
  g.setBlend(plat::Blend::Additive);
  g.drawImage(imageOf(cd), x + adx, y + adY, frame);
  g.setBlend(plat::Blend::Alpha);
}

void TChip::drawHintChain(float x, float y) {
  if (_odpad) return;
  auto& g = plat::gfx();
  g.setColour(255, 255, 255);
  g.setAlpha(0.3f);
  g.setBlend(plat::Blend::Additive);
  g.drawImage(imageOf(cd), x + adx, y + adY, frame);
}

void TChip::drawLIghtnedGroup(float x, float y) {
  if (_odpad) return;
  auto& g = plat::gfx();
  g.setRotation(10 * sinDeg(90 * shakeP));
  g.setScale(s * sx, s * sy);
  g.setBlend(plat::Blend::Alpha);
  shadowAndImage(imageOf(cd), x + adx + asx, y + adY + asy, frame, a);
  g.setRotation(0);
}

void TChip::drawLIghtnedGroup1(float x, float y, float k) {
  if (_odpad) return;
  auto& g = plat::gfx();
  g.setRotation(6 * sinDeg(90 * shakeP));
  g.setScale(s * sx, s * sy);
  g.setBlend(plat::Blend::Alpha);
  shadowAndImage(imageOf(cd), x + adx + asx, y + adY + asy, frame, a);
  g.setBlend(plat::Blend::Additive);
  g.setAlpha(a * 0.5f * k);
  g.drawImage(imageOf(cd), x + adx + asx, y + adY + asy, frame);
  g.setBlend(plat::Blend::Alpha);
  g.setRotation(0);
}

void TChip::drawNormalSpec() {
  if (_odpad) return;
  auto& g = plat::gfx();
  g.setRotation(rot);
  g.setScale(s * sx, s * sy);
  g.setAlpha(a);
  g.setBlend(plat::Blend::Alpha);
  drawNormal(cellX(), cellY(), 0);
}

void TChip::drawChain() { plat::gfx().drawImage(imageOf(cd), cellX() + adx, cellY() + adY, frame); }

void TChip::drawPuzzleChipEfekt() {
  auto& g = plat::gfx();
  g.setColour(255, 255, 255);
  g.setBlend(plat::Blend::Additive);
  g.setScale(1, 1);
  g.setAlpha(aBlask);
  g.setRotation(blaskRot);
  g.drawImage(poswiata1, cellX() + adx, cellY() + adY, 0);
  g.setRotation(-blaskRot);
  g.drawImage(poswiata2, cellX() + adx, cellY() + adY, 0);
  g.setBlend(plat::Blend::Alpha);
  g.setAlpha(1);
  g.setScale(1, 1);
  g.setRotation(0);
}

// ----------------------------------------------------------------- animations

void TChip::_update_picked() {
  if (!isPicked()) {
    _update_not_picked();
    return;
  }
  if (doverP == 0) doverP = 1;
  if (overP == doverP) doverP = -doverP;
  overP = easeToward(overP, doverP, 0.05f * delta);
  overRot = 30 * sinDeg(90 * overP);
}

void TChip::_update_not_picked() {
  doverP = 0;
  overP = easeToward(overP, 0, 0.05f * delta);
  overRot = 30 * sinDeg(90 * overP);
}

void TChip::_update_over_Group() {
  if (overGroupA == overGroupDA) overGroupDA = (overGroupDA == 0) ? 1.f : 0.f;
  overGroupA = easeToward(overGroupA, overGroupDA, 0.05f * delta);
}

void TChip::_update_shaking(float speed, float amplitude) {
  if (shakeP == dShakeP) {
    dShakeP = -dShakeP;
    sasX = plat::randInt(0, 1) == 0 ? -1.f : 1.f;
    sasY = plat::randInt(0, 1) == 0 ? -1.f : 1.f;
  }
  shakeP = easeToward(shakeP, dShakeP, 0.2f * speed * delta);
  shakeP *= amplitude;
}

void TChip::_update_PuzzleChip() {
  if (!cd || !cd->puzzleChip) return;
  aBlask = easeToward(aBlask, dABlask, 0.01f * delta);
  blaskRot += 3 * delta;
  if (blaskRot > 360) blaskRot -= 360;
  const int now = plat::millisecs();
  if (now > blaskTime) {
    if (aBlask == 0) {
      dABlask = 1;
      blaskTime = now + 2500;
    } else {
      dABlask = 0;
      // the fade takes 100 frames; rest a little after it
      blaskTime = now + 100 * 1000 / 60 + kGlowRestMs;
    }
  }
}
