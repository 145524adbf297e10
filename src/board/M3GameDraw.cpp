// The board's drawing. The play screen calls drawBack() and draw() every
// frame, so both stay cheap: each pass walks the cells once and draws with
// as few blend changes as the look allows, which keeps consecutive sprites
// of one image in one batch.
#include <algorithm>
#include <cmath>
#include <iostream>
#include <string>

#include "app/Globals.h"
#include "app/Screen.h"
#include "board/M3Game.h"
#include "fx/Flying.h"
#include "gui/Font.h"
#include "gui/Mouse.h"
#include "platform/Graphics.h"
#include "platform/Input.h"

namespace {

void resetLook(plat::Graphics& g) {
  g.setBlend(plat::Blend::Alpha);
  g.setColour(255, 255, 255);
  g.setAlpha(1);
  g.setScale(1, 1);
  g.setRotation(0);
}

plat::ImagePtr loadMid(const std::string& path) {
  auto img = loadImageSafe(path, plat::kFilteredImage);
  if (img) img->midHandle();
  return img;
}

}  // namespace

// ----------------------------------------------------------------- images

void TM3Game::loadOverImg(const std::string& path, int rows, int cols) {
  overImg = nullptr;
  overImgF = 0;
  overImgAnimSpeed = 0.3f;
  rows = std::max(rows, 1);
  cols = std::max(cols, 1);
  maxOverImgF = static_cast<float>(rows * cols - 1);
  auto sheet = loadImageSafe(path, plat::kFilteredImage);
  if (!sheet) return;
  const int w = sheet->width() / cols, h = sheet->height() / rows;
  if (w <= 0 || h <= 0) {
    std::cout << "selection ring " << path << " is smaller than " << cols << " x " << rows << " frames"
              << std::endl;
    return;
  }
  overImg = plat::Image::fromPixmap(sheet->pixmap(), plat::kFilteredImage, w, h, 0, rows * cols);
  overImg->sourcePath = path;
  overImg->midHandle();
}

void TM3Game::loadLineImages() {
  linia = loadMid("gfx/gui/maingame/linia.png");
  imagePoint = loadMid("gfx/gui/mainGame/punkt.png");
}

// ----------------------------------------------------------------- the board

void TM3Game::drawBack() {
  if (!level) return;
  // The background is loaded on first use, and tried once per level: a
  // missing file is reported once, not every frame.
  if (!level->backImg && !backTried_) {
    backTried_ = true;
    level->loadBackGround();
  }
  if (!level->backImg) return;
  auto& g = plat::gfx();
  resetLook(g);
  g.drawImage(level->backImg, 0, 0);
}

void TM3Game::draw() {
  if (!level) return;
  auto& g = plat::gfx();
  _drawTiles();
  _drawRamka();
  _drawChips();
  _drawPaires();
  _drawLevelChains();
  _drawChain();
  _drawOverImg();
  resetLook(g);
  drawFantoms();
  _drawDebug();
  resetLook(g);
}

void TM3Game::drawEDITOR() {
  if (!level) return;
  auto& g = plat::gfx();
  resetLook(g);
  for (auto& t : level->tile)
    if (t) t->draw(1);
  _drawRamka();
  resetLook(g);
  for (auto& t : level->tile)
    if (t) t->drawChip_EDITOR();
  resetLook(g);
  _drawLevelChains();
  resetLook(g);
}

void TM3Game::_drawTiles() {
  auto& g = plat::gfx();
  resetLook(g);
  for (auto& t : level->tile)
    if (t) t->draw(0);
  // The flash is additive: one pass after all cells, not a blend switch per cell.
  if (blyskA > 0) {
    for (auto& t : level->tile)
      if (t && !t->_flyingTile) t->drawBlysk(blyskA);
  }
  resetLook(g);
}

void TM3Game::_drawRamka() {
  if (!level->hasFrames()) return;
  // The border's pieces lie side by side, so they are drawn image by image
  // (a dozen batches) rather than cell by cell (one per piece).
  restImages_.clear();
  for (auto& f : level->ramka)
    if (f)
      for (auto& piece : f->lista)
        if (piece && piece->gfx &&
            std::find(restImages_.begin(), restImages_.end(), piece->gfx.get()) == restImages_.end())
          restImages_.push_back(piece->gfx.get());
  auto& g = plat::gfx();
  resetLook(g);
  for (const plat::Image* img : restImages_)
    for (auto& f : level->ramka) {
      if (!f || f->a <= 0) continue;
      for (auto& piece : f->lista)
        if (piece && piece->gfx.get() == img) {
          g.setAlpha(f->a);
          g.setScale(f->s, f->s);
          g.drawImage(piece->gfx, f->x, f->y, 0);
        }
    }
  resetLook(g);
}

void TM3Game::_drawChips() {
  auto& g = plat::gfx();
  resetLook(g);
  // Chips at rest in their cells do not overlap, so they are drawn kind by
  // kind: one batch per kind instead of one per chip. Everything that moves,
  // glows or is highlighted follows in board order, on top, as before.
  auto atRest = [this](const TTile& t) {
    const TChip& ch = *t.chip;
    if (!ch.cd || ch.cd->puzzleChip || !ch.state.empty() || ch.docelowyChip || ch.flying() || ch._odpad) return false;
    if (ch.adx != 0 || ch.adY != 0 || ch.destrA != 0 || ch.overRot != 0 || &t == pickedTile_) return false;
    for (auto& p : overGroup)
      if (p.get() == &ch) return false;
    return true;
  };
  restKinds_.clear();
  for (auto& t : level->tile)
    if (t && t->chip && !t->_flyingTile && atRest(*t) &&
        std::find(restKinds_.begin(), restKinds_.end(), t->chip->cd.get()) == restKinds_.end())
      restKinds_.push_back(t->chip->cd.get());
  for (const TChipData* kind : restKinds_)
    for (auto& t : level->tile)
      if (t && t->chip && !t->_flyingTile && t->chip->cd.get() == kind && atRest(*t)) t->drawChip();
  for (auto& t : level->tile) {
    if (!t || !t->chip || t->_flyingTile || atRest(*t)) continue;
    TChip& ch = *t->chip;
    if (ch.cd && ch.cd->puzzleChip && ch.aBlask > 0) ch.drawPuzzleChipEfekt();
    bool lit = false;
    for (auto& p : overGroup)
      if (p.get() == &ch) lit = true;
    if (lit) ch.drawLIghtnedGroup(t->cx(), t->cy());
    else t->drawChip();
  }
  resetLook(g);
}

void TM3Game::_drawPaires() {
  if (listaPar.empty()) return;
  for (auto& p : listaPar) {
    if (p.c1 && p.c1->flying()) p.c1->drawNormalSpec();
    if (p.c2 && p.c2->flying()) p.c2->drawNormalSpec();
  }
  resetLook(plat::gfx());
}

void TM3Game::_drawLevelChains() {
  for (auto& t : level->tile)
    if (t && t->chain) t->drawChain();
  resetLook(plat::gfx());
}

void TM3Game::_drawChain() {
  if (matchType != 1 || zaznaczone.empty()) return;
  auto& g = plat::gfx();
  float x = 0, y = 0;
  bool first = true;
  for (auto& ch : zaznaczone) {
    if (!ch || !ch->tile) continue;
    g.setAlpha(0.4f);
    g.setBlend(plat::Blend::Additive);
    g.setScale(1, 1);
    g.setRotation(0);
    ch->drawChain();
    g.setColour(255, 255, 255);
    g.setAlpha(1);
    g.setBlend(plat::Blend::Alpha);
    const float cx = ch->tile->cx(), cy = ch->tile->cy();
    if (!first) drawMyLine(x, y, cx, cy, 1);
    x = cx;
    y = cy;
    first = false;
  }
  resetLook(g);
}

void TM3Game::drawMyLine(float x1, float y1, float x2, float y2, float e) {
  if (!linia) return;
  float rot = 0;
  if (x2 > x1 && y2 > y1) rot = -45;
  else if (x2 == x1 && y2 > y1) rot = 0;
  else if (x2 < x1 && y2 > y1) rot = 45;
  else if (x2 > x1 && y2 == y1) rot = -90;
  else if (x2 < x1 && y2 == y1) rot = 90;
  else if (x2 > x1 && y2 < y1) rot = -135;
  else if (x2 == x1 && y2 < y1) rot = -180;
  else if (x2 < x1 && y2 < y1) rot = 135;
  if (x1 != x2 || y1 != y2) rot += 180;
  auto& g = plat::gfx();
  const float mx = (x1 + x2) / 2, my = (y1 + y2) / 2;
  g.setScale(1, 1);
  g.setBlend(plat::Blend::Alpha);
  g.setRotation(rot);
  g.setColour(0, 0, 0);
  g.setAlpha(0.5f * e);
  g.drawImage(linia, mx + 2, my + 2);
  g.setColour(255, 255, 255);
  g.setAlpha(e);
  g.drawImage(linia, mx, my);
  g.setRotation(0);
  g.setScale(1, 1);
}

void TM3Game::_drawOverImg() {
  if (!pickedTile_ || !overImg) return;
  auto& g = plat::gfx();
  resetLook(g);
  g.drawImage(overImg, pickedTile_->cx(), pickedTile_->cy(), static_cast<int>(overImgF));
}

// ----------------------------------------------------------------- cheats

void TM3Game::_drawDebug() {
  if (!cheatsOn) return;
  auto& g = plat::gfx();
  auto& in = plat::input();
  if (in.keyDown(plat::KEY_D)) {
    // Chips that lost their cell link.
    g.setColour(255, 0, 0);
    g.setAlpha(0.4f);
    for (auto& t : level->tile)
      if (t && t->chip && t->chip->tile != t.get()) g.drawRect(t->cx() - 20, t->cy() - 20, 40, 40);
  }
  if (in.keyDown(plat::KEY_T) && _overTile) {
    const float x = static_cast<float>(mouse().x) + 10, y = static_cast<float>(mouse().y) + 10;
    g.setColour(0, 0, 0);
    g.setAlpha(0.6f);
    g.drawRect(x, y, 150, 120);
    g.setColour(255, 255, 255);
    g.setAlpha(1);
    if (auto f = TMyFont::get("gfx/fonts/DejaVuSans.ttf", 10)) g.setFont(f);
    if (!_overTile->chip) {
      g.drawText("OVER TILE - NO CHIP", x + 4, y + 4);
    } else {
      const TChip& ch = *_overTile->chip;
      const std::string lines[] = {
          "ALPHA : " + std::to_string(ch.a),
          "SCALE : " + std::to_string(ch.s),
          "STATE : " + ch.state,
          "BYL USUWANY : " + std::to_string(ch.bylUsuwany),
          "CHIP ID : " + std::to_string(ch.cd ? ch.cd->id : 0),
          "DESTROY TYPE : " + std::to_string(ch.destroyType),
          "LAST AV STATE : " + ch.lastAvState,
      };
      float ly = y + 4;
      for (const auto& l : lines) {
        g.drawText(l, x + 4, ly);
        ly += 12;
      }
    }
  }
  resetLook(g);
}
