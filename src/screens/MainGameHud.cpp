// The play screen's drawing: the board and its effects in their layers, and
// the heads-up display around it (ribbons, counters, clock and time tube,
// mode emblem, the power-up panel with its gauges and glows, tooltips).
#include <algorithm>
#include <cctype>
#include <cmath>

#include "board/Level.h"
#include "fx/Emitter.h"
#include "gui/Button.h"
#include "gui/Gui.h"
#include "gui/Mouse.h"
#include "gui/Text.h"
#include "platform/Graphics.h"
#include "screens/MainGame.h"
#include "screens/Profile.h"

namespace {

float sinDeg(float d) { return std::sin(d * static_cast<float>(M_PI) / 180.f); }

// Every HUD caption: gold with a soft cocoa shadow one pixel lower right.
constexpr int kCapR = 247, kCapG = 222, kCapB = 113;

void resetLook(plat::Graphics& g) {
  g.setBlend(plat::Blend::Alpha);
  g.setColour(255, 255, 255);
  g.setAlpha(1);
  g.setScale(1, 1);
  g.setRotation(0);
}

void shadowedCentred(plat::Graphics& g, const plat::FontPtr& font, const std::string& text, float cx, float y,
                     float a) {
  if (!font || a <= 0) return;
  g.setFont(font);
  const float x = static_cast<float>(static_cast<int>(cx - g.textWidth(text) / 2));
  g.setColour(58, 38, 21);
  g.setAlpha(a * 0.5f);
  g.drawText(text, x + 1, y + 1);
  g.setColour(kCapR, kCapG, kCapB);
  g.setAlpha(a);
  g.drawText(text, x, y);
}

std::string trimmed(const std::string& s) {
  size_t b = s.find_first_not_of(" \t"), e = s.find_last_not_of(" \t");
  return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

std::string upperText(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// Tooltip hot spots: (x, y, w, h) by tooltip index.
struct Spot {
  int idx, x, y, w, h;
};
constexpr Spot kSpots[] = {{11, 20, 64, 72, 67},  {12, 20, 156, 72, 67}, {13, 20, 236, 72, 67},
                           {14, 20, 316, 72, 67}, {15, 20, 396, 72, 67}, {16, 20, 484, 72, 67},
                           {0, 900, 0, 120, 47},  {1, 940, 50, 85, 47},  {2, 5, 700, 60, 60}};

}  // namespace

// ----------------------------------------------------------------- the frame's drawing

void TMainGame::draw() {
  restorePointer();
  auto& g = plat::gfx();
  m3Game->drawBack();
  m3Game->draw();
  if (hintShown) _drawHintInfo();
  resetLook(g);
  _drawGUI();
  _drawBonusObwodka();
  resetLook(g);
  drawFlyingTiles();
  drawOdpady();
  drawParticles();
  drawParticles(blastList);
  drawParticles(numbersList);
  for (auto& a : arrows) a->draw();
  resetLook(g);
  _drawToolTips();
  drawFlyingResources();
  drawNapisy();
  _drawTrybImg();
  _drawBonusImg();
  const std::string st = state;
  if ((st == "NORMAL" || st == "WIN") && hooks.drawTutorial) hooks.drawTutorial();
  resetLook(g);
  _drawFade();
  g.setColour(255, 255, 255);
}

// ----------------------------------------------------------------- the HUD

void TMainGame::_drawGUI() {
  auto& g = plat::gfx();
  resetLook(g);
  if (Gui) Gui->setGuiAlpha(alpha * guiAlpha);
  _drawPanele();
  _drawTime();
  _drawMatchType();
  TProfile* p = profile();
  const auto buttons = bonusButtons();
  // Glows behind the charged buttons.
  g.setBlend(plat::Blend::Additive);
  for (size_t k = 0; k < buttons.size() && k < 6 && p; ++k) {
    const TPowerUp& pu = p->powerUp[k];
    const auto& b = buttons[k];
    if (!b->dim || pu.alpha <= 0) continue;
    g.setAlpha(pu.alpha);
    g.setScale(1, 1);
    g.setRotation(pu.rot);
    g.drawImage(TChip::poswiata1, b->dim->x, b->dim->y);
    g.setRotation(pu.rot + 90);
    g.drawImage(TChip::poswiata2, b->dim->x, b->dim->y);
    g.setScale(0.7f, 0.7f);
    g.setRotation(-pu.rot);
    g.drawImage(TChip::poswiata1, b->dim->x, b->dim->y);
    g.setRotation(90 - pu.rot);
    g.drawImage(TChip::poswiata2, b->dim->x, b->dim->y);
  }
  resetLook(g);
  if (Gui)
    for (auto& o : Gui->_listaObiektow) {
      if (o->_v != 1) continue;
      auto b = std::dynamic_pointer_cast<TButton>(o);
      const int slot = b ? bonusSlotOf(*b) : 0;
      const bool powerUp = b && upperText(b->_id).rfind("BONUS", 0) == 0 && slot > 0;
      if (!powerUp) {
        g.setRotation(0);
        g.setScale(1, 1);
        o->draw(0, 0);
        continue;
      }
      const TPowerUp* pu = p ? &p->powerUp[static_cast<size_t>(slot - 1)] : nullptr;
      const float f = pu ? pu->getPercent() : 0.3f;
      const float h = f >= 1 ? 1.0f : 0.3f;
      const TChipDataPtr colour = level ? level->powerUpChips[static_cast<size_t>(slot - 1)] : nullptr;
      if (f < 1 && colour && pu && pu->odkryty)
        b->drawAsPowerUp(0, colour->getRGB(), guiAlpha * alpha, f);
      b->_alpha = b->_dAlpha = guiAlpha * alpha * h;
      resetLook(g);
      b->draw(0, 0);
      resetLook(g);
    }
  // The slot's colour on a small backing, or the bow of a locked slot.
  for (size_t k = 0; k < buttons.size() && k < 6; ++k) {
    const auto& b = buttons[k];
    if (!b->dim) continue;
    const int slot = static_cast<int>(k) + 1;
    const TPowerUp* pu = p ? &p->powerUp[k] : nullptr;
    const TChipDataPtr colour = level ? level->powerUpChips[k] : nullptr;
    resetLook(g);
    g.setAlpha(guiAlpha * alpha);
    if (colour && pu && pu->odkryty) {
      g.drawImage(powerUpPodklad, b->dim->x + 25, b->dim->y + 25);
      g.setScale(0.7f, 0.7f);
      if (colour->gfx) g.drawImage(colour->gfx, b->dim->x + 25, b->dim->y + 25);
      g.setScale(1, 1);
    } else {
      g.drawImage(wstazka, b->dim->x, b->dim->y);
    }
    (void)slot;
  }
  resetLook(g);
}

void TMainGame::_drawWstega() {
  if (!panelBonusow || alpha <= 0) return;
  const float s = sinDeg(90 * hper);
  const float W = static_cast<float>(panelBonusow->width()), H = static_cast<float>(panelBonusow->height());
  const float h = s * H;
  if (h < 1) return;
  auto& g = plat::gfx();
  resetLook(g);
  g.setAlpha(alpha);
  // The lower part of the roll shows first, as if it unrolled downward.
  g.drawSubImageRect(panelBonusow, 4, 0, W, h, 0, H - h, W, h);
}

void TMainGame::_drawPanele() {
  auto& g = plat::gfx();
  const float a = alpha;
  resetLook(g);
  _drawWstega();
  resetLook(g);
  g.setAlpha(a);
  float x1 = 0, x2 = 1024;
  if (podklad) g.drawImage(podklad, 1024 + (1 - a) * static_cast<float>(podklad->width()), 700);
  if (wstega) {
    const float w = static_cast<float>(wstega->width());
    x1 = -w + w * a;
    g.drawImage(wstega, x1, 0);
  }
  if (wstega2) {
    x2 = 1024 + (1 - a) * static_cast<float>(wstega2->width());
    g.drawImage(wstega2, x2, 0);
  }
  const int nr = profile() ? profile()->nrLevelu : 0;
  shadowedCentred(g, scoreFont1, trimmed(txtLevel) + " " + std::to_string(nr), x1 + 210, 20, a);
  shadowedCentred(g, scoreFont1, trimmed(txtScore) + " " + getScoreString(), x1 + 80, 20, a);
  shadowedCentred(g, scoreFont2, std::to_string(m3Game->tilesToCollect), x2 - 25, 9, a);
  shadowedCentred(g, scoreFont2, std::to_string(m3Game->puzzles), x2 - 25, 57, a);
  resetLook(g);
}

void TMainGame::_drawTime() {
  if (!timed() || !level) return;
  auto& g = plat::gfx();
  const float s = sinDeg(90 * alpha);
  const float X = 1024 - 80 * s;
  const float L = timeShare() * 406.f;
  resetLook(g);
  g.setAlpha(s);
  g.drawImage(panelZegara, X + 40, 630);
  g.drawImage(timePodklad, X + 34, 130);
  if (L >= 1) {
    g.setScale(1, L);
    g.drawImage(timeLine, X + 53, 579);
    g.setScale(1, 1);
  }
  g.drawImage(timePanel, X + 35, 130);
  if (timeFont) {
    g.setFont(timeFont);
    const std::string t = getTimeString(level->czas);
    g.setColour(58, 38, 21);
    g.drawText(t, static_cast<float>(static_cast<int>(X + 40 - g.textWidth(t) / 2)),
               static_cast<float>(static_cast<int>(630 - g.textHeight(t) / 2)));
  }
  g.setColour(255, 255, 255);
  for (int i = 1; i <= 3; ++i) g.drawImage(timeDiv, X + 60, 576 - static_cast<float>(i) * 101.5f);
  resetLook(g);
}

void TMainGame::_drawMatchType() {
  auto& g = plat::gfx();
  const int mt = std::clamp(m3Game->matchType, 0, 2);
  if (matchFont && toolTipA[2] > 0) {
    g.setFont(matchFont);
    g.setColour(58, 38, 21);
    g.setAlpha(toolTipA[2] * 0.5f);
    g.drawText(txtMatch[mt], 72, 732);
    g.setColour(kCapR, kCapG, kCapB);
    g.setAlpha(toolTipA[2]);
    g.drawText(txtMatch[mt], 70, 730);
  }
  resetLook(g);
  g.setAlpha(alpha);
  g.drawImage(trybImgSmall[static_cast<size_t>(mt)], 35, 740);
  resetLook(g);
}

void TMainGame::_drawTrybImg() {
  if (znakPer == 0) return;
  auto& g = plat::gfx();
  const float s = sinDeg(90 * znakPer);
  resetLook(g);
  g.setRotation(1);
  g.setAlpha(s);
  g.setScale(s, s);
  g.drawImage(trybImg[static_cast<size_t>(std::clamp(m3Game->matchType, 0, 2))], 512, 384);
  resetLook(g);
}

void TMainGame::_updateGUI() {
  if (!Gui) return;
  TProfile* p = profile();
  for (auto& o : Gui->_listaObiektow) {
    auto b = std::dynamic_pointer_cast<TButton>(o);
    const int slot = b ? bonusSlotOf(*b) : 0;
    if (b && slot > 0 && upperText(b->_id).rfind("BONUS", 0) == 0) {
      const float f = p ? p->powerUp[static_cast<size_t>(slot - 1)].getPercent() : 0.f;
      b->_alpha = b->_dAlpha = f * guiAlpha * alpha;
      b->setState(1, f >= 1 ? 1 : 0);
    } else {
      o->_alpha = o->_dAlpha = guiAlpha * alpha;
    }
  }
  Gui->update();
}

// ----------------------------------------------------------------- tooltips

void TMainGame::_updateToolTips() {
  for (int i = 0; i < 17; ++i) toolTipA[i] = easeToward(toolTipA[i], dToolTipA[i], 0.05f * delta);
  const TMouse& m = mouse();
  for (const Spot& s : kSpots) dToolTipA[s.idx] = m.inRect(s.x, s.y, s.w, s.h) ? 1.f : 0.f;
}

void TMainGame::_drawToolTips() {
  auto& g = plat::gfx();
  auto box = [&](int idx, const std::string& text, float bx, float by, float tx, float ty) {
    const float a = toolTipA[idx];
    if (a <= 0 || !toolTipFont) return;
    g.setFont(toolTipFont);
    const float w = g.textWidth(text), h = g.textHeight(text);
    resetLook(g);
    g.setColour(58, 38, 21);
    g.setAlpha(0.75f * a * alpha);
    g.drawRect(bx - w / 2, by, w + 20, h + 10);
    g.setColour(255, 255, 255);
    g.setAlpha(a * alpha);
    g.drawText(text, static_cast<float>(static_cast<int>(tx - w / 2)), ty);
  };
  // The two counters' tips hang just below the ribbon, inside the canvas.
  box(0, txtTilesLeft, 890 - 60, 105, 900 - 60, 110);
  box(1, txtPuzzlesLeft, 910 - 60, 105, 920 - 60, 110);
  _drawPowerUpsToolTips();
  resetLook(g);
}

void TMainGame::_drawPowerUpsToolTips() {
  auto& g = plat::gfx();
  TProfile* p = profile();
  for (int n = 1; n <= 6; ++n) {
    const float a = toolTipA[10 + n];
    auto b = bonusButton(n);
    if (a <= 0 || !b || !b->dim || !toolTipFont || !toolTipTitleFont) continue;
    // Beside the panel rather than over the button, so the gauge stays visible.
    const float bx = b->dim->x + 60, by = b->dim->y - 30;
    const TTextLayout lay = layoutTextBox(txtPowerUpOpis[n - 1], 0, 0, 170, "LEFT", toolTipFont, 0);
    const float h = static_cast<float>(lay.height);
    resetLook(g);
    g.setColour(58, 38, 21);
    g.setAlpha(0.8f * a);
    g.drawRect(bx - 5, by - 5, 190, h + 55);
    g.setFont(toolTipTitleFont);
    const std::string title = upperText(txtPowerUp[n - 1]);
    g.setColour(255, 255, 0);
    g.setAlpha(a);
    g.drawText(title, static_cast<float>(static_cast<int>(bx + 85 - g.textWidth(title) / 2)), by);
    g.setFont(toolTipFont);
    g.setColour(255, 255, 255);
    for (const auto& piece : lay.pieces) g.drawText(piece.text, bx + piece.x, by + 22 + piece.y);
    const TPowerUp* pu = p ? &p->powerUp[static_cast<size_t>(n - 1)] : nullptr;
    std::string line;
    if (!pu || !pu->odkryty) {
      g.setColour(255, 80, 60);
      line = txtNotAvailable;
    } else {
      const float f = pu->getPercent();
      g.setColour(255, 255, 255);
      line = f >= 1 ? txtReadyToUse : trimmed(txtCharged) + " " + std::to_string(static_cast<int>(100 * f)) + "%";
    }
    g.drawText(line, static_cast<float>(static_cast<int>(bx + 85 - g.textWidth(line) / 2)), by + 28 + h);
  }
  resetLook(g);
}
