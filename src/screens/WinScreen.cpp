#include "screens/WinScreen.h"

#include <algorithm>
#include <cmath>

#include "app/LoadingScreen.h"
#include "app/Options.h"
#include "app/Txt.h"
#include "board/Level.h"
#include "fx/Emitter.h"
#include "fx/Flying.h"
#include "fx/ParticleGenerators.h"
#include "gui/Font.h"
#include "gui/Gui.h"
#include "gui/Mouse.h"
#include "platform/Clock.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/Random.h"
#include "screens/MainGame.h"
#include "screens/PlayFeed.h"
#include "screens/Profile.h"
#include "screens/PuzzleLevel.h"

namespace {

constexpr int kCaptionR = 247, kCaptionG = 222, kCaptionB = 113;
// The caption colour x 1.2, each channel clamped.
constexpr int kValueR = 255, kValueG = 255, kValueB = 135;
constexpr float kRightEdge = 540;  // captions end here (500 + moveX)
constexpr float kValueX = 564;

float sinDeg(float d) { return std::sin(d * float(M_PI) / 180.f); }
float cosDeg(float d) { return std::cos(d * float(M_PI) / 180.f); }

void ink(int r, int g, int b, float a) {
  auto& gfx = plat::gfx();
  gfx.setColour(r, g, b);
  gfx.setAlpha(a);
}

}  // namespace

std::shared_ptr<TSummaryData> TSummaryData::createSumData(const std::string& txt, const std::string& data) {
  auto d = std::make_shared<TSummaryData>();
  d->txt = txt;
  d->data = data;
  return d;
}

TWinScreen::TWinScreen() { id = "WIN-SCREEN"; }

void TWinScreen::setup() {
  TTxtFile t = loadTxt("txt/winScreen.txt");
  std::string* fields[] = {&txtComp,      &txtScore,          &txtGameTime,   &txtTimeLeft, &txtTimeBonus,
                           &txtTiles,     &txtBiggestMatch,   &txtMultiplier, &txtMultiplierBonus,
                           &txtTotalScore, &txtPuzzles,       &txtToGo1,      &txtToGo2,    &txtLevelScore};
  for (int k = 0; k < 14; ++k) *fields[k] = txtLine(t, k + 2);
  img = loadImageSafe("gfx/gui/winScreen/panel.png");
  if (img) img->midHandle();
  podkladka = loadImageSafe("gfx/gui/winscreen/podkladka.png");
  titlefont = TMyFont::get("gfx/fonts/Bookman.ttf", 30);
  dataFont = TMyFont::get("gfx/fonts/Bookman.ttf", 20);
  totalFont = TMyFont::get("gfx/fonts/Bookman.ttf", 26);
  smallFont = TMyFont::get("gfx/fonts/Bookman.ttf", 14);
  puzel = loadImageSafe("gfx/gui/winScreen/puzel.png");
  if (puzel) puzel->midHandle();
  tiles = loadImageSafe("gfx/gui/winScreen/tiles.png");
  if (tiles) tiles->midHandle();
  Gui = loadGui("gfx/gui/winScreen/winScreen.gui");
}

std::shared_ptr<TLevel> TWinScreen::level() const {
  const auto& f = profilePlayScreen().level;
  return f ? f() : nullptr;
}

int TWinScreen::getTimeBonus() const {
  auto l = level();
  return l ? l->czas * 5 : 0;
}

int TWinScreen::getTotalScore() const {
  auto l = level();
  return (l ? l->score : 0) + getTimeBonus();
}

float TWinScreen::getDataY(int i) const {
  const int n = int(lines.size());
  if (n < 2) return 190;
  return 190.f + 200.f / float(n - 1) * float(i);
}

// --- start -----------------------------------------------------------------

void TWinScreen::prepare() {
  ekran = options().playScreen;
  _prepareSelf();
  _prepareSummary();
  _prepareEfekty();
}

void TWinScreen::_prepareSelf() {
  toExit = 0;
  fSpeed = 0.025f;
  aSpeed = 0.1f;
  STANDARD_DATA();
  // The texts wait for the panel: they fade in once it has landed.
  alpha = dAlpha = 0;
  guiAlpha = dGuiAlpha = 0;
  state = "SHOW";
  auto l = level();
  const int gained = l ? l->puzzles : 0;
  puzzlesToGo = 0;
  if (TProfile* p = currentProfile()) {
    p->puzzles += gained;
    const int pieces = p->puzzleLevel ? int(p->puzzleLevel->allPuzzles.size()) : 0;
    // More pieces collected than were missing is nothing left to go, not a
    // negative count.
    puzzlesToGo = std::max(0, pieces - p->countActivePuzzles() - gained);
  }
  showCount = 0;
  plat::input().flushMouse();
  plat::input().flushKeys();
  fireTime = plat::millisecs();
}

void TWinScreen::_prepareSummary() {
  lines.clear();
  TProfile* p = currentProfile();
  auto l = level();
  if (!p || !l) return;
  p->score += getTotalScore();
  auto add = [this](const std::string& txt, const std::string& data) {
    lines.push_back(TSummaryData::createSumData(txt, data));
  };
  const std::string mode = p->gameMode;
  if (mode == "RELAXED") {
    add(txtScore, std::to_string(l->score));
    add(txtTiles, std::to_string(l->tilesCount));
    add(txtBiggestMatch, std::to_string(l->highestMatch));
    add(txtLevelScore, std::to_string(getTotalScore()));
    add(txtTotalScore, std::to_string(p->score));
    add(txtPuzzles, std::to_string(l->puzzles));
  } else if (mode == "TIMED") {
    add(txtScore, std::to_string(l->score));
    add(txtTiles, std::to_string(l->tilesCount));
    add(txtTimeLeft, TMainGame::getTimeString(l->czas));
    add(txtTimeBonus, std::to_string(getTimeBonus()));
    add(txtBiggestMatch, std::to_string(l->highestMatch));
    add(txtLevelScore, std::to_string(getTotalScore()));
    add(txtTotalScore, std::to_string(p->score));
    add(txtPuzzles, std::to_string(l->puzzles));
  }
}

void TWinScreen::_prepareEfekty() { clearParticles(sparkles); }

void TWinScreen::_prepareReady() {
  showCount = int(lines.size());
  alpha = dAlpha = 1;
  state = "WAIT";
  fade = dFade = 1;
  guiAlpha = dGuiAlpha = 1;
  for (int i = 1; i <= showCount; ++i) generateShowParticles(i);
}

// --- frame -------------------------------------------------------------------

bool demoWaited(int& readySince) {
  constexpr int kDemoReadMs = 4000;
  const int now = plat::millisecs();
  if (readySince < 0) readySince = now;
  return now - readySince >= kDemoReadMs;
}

std::string TWinScreen::mainLoop() {
  prepare();
  auto& g = plat::gfx();
  int readySince = -1;
  do {
    g.cls();
    update();
    draw();
    flipScreen(0);
    if (Gui && Gui->clickedItem("OK")) state = "HIDE";
    if (demo && state == "WAIT" && demoWaited(readySince)) state = "HIDE";
    if (mouse().leftPressed && state == "SHOW") _prepareReady();
    playfeed::summaryFrame("win-summary", Gui.get(), state == "WAIT", {"OK"});
  } while (!(fade == 0 && dFade == 0));
  playfeed::line("win-summary closed");
  clearParticles(sparkles);
  return "";
}

void TWinScreen::update() {
  standardUpdate(0);
  _updateState();
  _updateEfekt();
  _updateAlpha();
  _updateFade();
  TFireWork::updateAll();
  updateFlyingTiles();
  updateParticles(sparkles);
  updateParticles();
  updateEmitters();
  _updateGUI();
}

void TWinScreen::_updateState() {
  const int now = plat::millisecs();
  if (state == "SHOW") {
    dFade = 1;
    if (fade == 1) dAlpha = 1;
    if (alpha == 1) dGuiAlpha = 1;
    if (guiAlpha == 1) {
      time = now + 500;
      state = "WAIT";
      showCount = 0;
    }
  } else if (state == "WAIT") {
    while (showCount + 1 <= int(lines.size()) && now > time) {
      time = now + 400;
      ++showCount;
      generateShowParticles(showCount);
    }
  } else if (state == "HIDE") {
    dGuiAlpha = 0;
    if (guiAlpha == 0) dAlpha = 0;
    if (alpha == 0) dFade = 0;
  }
  guiAlpha = easeToward(guiAlpha, dGuiAlpha, 0.05f * delta);
}

void TWinScreen::_updateEfekt() {
  const int now = plat::millisecs();
  if (now < fireTime) return;
  fireTime = now + 2000;
  fireworkBurst(float(plat::randInt(100, 924)), float(plat::randInt(30, 500)));
}

void TWinScreen::_updateGUI() {
  if (!Gui) return;
  for (auto& o : Gui->_listaObiektow) {
    o->_alpha = guiAlpha;
    o->_dAlpha = guiAlpha;
  }
  Gui->update();
}

void TWinScreen::generateShowParticles(int i) {
  const int n = int(lines.size());
  if (i < 1 || i > n) return;
  if (i == n) {
    generatePuzzleParticles();
    return;
  }
  auto& g = plat::gfx();
  g.setFont(dataFont);
  const std::string& value = lines[size_t(i - 1)]->data;
  sparkleBox(int(kValueX), int(getDataY(i)), int(g.textWidth(value)), int(g.textHeight(value)));
}

void TWinScreen::generatePuzzleParticles() {
  if (lines.empty()) return;
  auto& g = plat::gfx();
  g.setFont(totalFont);
  const std::string& value = lines.back()->data;
  sparkleBox(554, 470, int(g.textWidth(value)), int(g.textHeight(value)));
}

void TWinScreen::sparkleBox(int x, int y, int w, int h) {
  for (int k = 0; k < 120; ++k) {
    const int v = plat::randInt(200, 255);
    const TRGB c = plat::randInt(1, 5) == 1 ? TRGB{v, v, 0} : TRGB{255, 255, 255};
    generateSparkParticle(plat::randInt(x, x + w), plat::randInt(y, y + h), c, 0, &sparkles);
  }
}

// --- drawing -------------------------------------------------------------------

void TWinScreen::draw() {
  auto& g = plat::gfx();
  _drawBack();
  _drawGui();
  _drawData();
  TFireWork::drawAll();
  drawParticles(sparkles);
  g.setBlend(plat::Blend::Alpha);
  g.setAlpha(1);
  g.setRotation(0);
  g.setScale(1, 1);
  g.setColour(255, 255, 255);
}

void TWinScreen::_drawBack() {
  auto& g = plat::gfx();
  if (ekran && ekran != this) ekran->draw();
  const float s = sinDeg(90.f * fade);
  g.setBlend(plat::Blend::Alpha);
  g.setColour(255, 255, 255);
  g.setAlpha(s);
  const float k = cosDeg(90.f * s) + 1.f;
  g.setScale(k, k);
  g.setRotation(360.f * s);
  g.drawImage(img, 512, 400);
  g.setScale(1, 1);
  g.setRotation(0);
}

void TWinScreen::_drawData() {
  auto& g = plat::gfx();
  g.setBlend(plat::Blend::Alpha);
  g.setScale(1, 1);
  g.setRotation(0);
  g.setFont(titlefont);
  const float tw = g.textWidth(txtComp);
  ink(0, 0, 0, 0.5f * alpha);
  g.drawText(txtComp, 512 - tw / 2 + 4, 184);
  ink(kCaptionR, kCaptionG, kCaptionB, alpha);
  g.drawText(txtComp, 512 - tw / 2, 180);

  const int n = int(lines.size());
  g.setFont(dataFont);
  const float right = 500 + moveX;
  for (int i = 1; i <= std::min(showCount, n); ++i) {
    const TSummaryData& line = *lines[size_t(i - 1)];
    if (i == n) {
      _drawPuzzlesData(line);
      g.setFont(dataFont);
      continue;
    }
    const float y = getDataY(i);
    const float cw = g.textWidth(line.txt);
    ink(0, 0, 0, 0.4f * alpha);
    g.drawText(line.txt, right - cw + 3, y + 3);
    g.drawText(line.data, kValueX + 3, y + 3);
    ink(kCaptionR, kCaptionG, kCaptionB, alpha);
    g.drawText(line.txt, right - cw, y);
    ink(kValueR, kValueG, kValueB, alpha);
    g.drawText(line.data, kValueX, y);
    if (i == 2 && tiles) {
      ink(255, 255, 255, alpha);
      g.drawImage(tiles, kRightEdge - cw - float(tiles->width()) / 2 - 5, y + g.textHeight(line.txt) / 2);
    }
  }
  g.setColour(255, 255, 255);
  g.setAlpha(1);
}

void TWinScreen::_drawPuzzlesData(const TSummaryData& line) {
  auto& g = plat::gfx();
  g.setFont(totalFont);
  const float cw = g.textWidth(line.txt);
  ink(0, 0, 0, 0.4f * alpha);
  g.drawText(line.txt, kRightEdge - cw + 3, 473);
  g.drawText(line.data, 554 + 3, 473);
  ink(kCaptionR, kCaptionG, kCaptionB, alpha);
  g.drawText(line.txt, kRightEdge - cw, 470);
  ink(kValueR, kValueG, kValueB, alpha);
  g.drawText(line.data, 554, 470);
  if (puzel) {
    ink(255, 255, 255, alpha);
    g.drawImage(puzel, 535 - cw - float(puzel->width()) / 2 - 5, 470 + g.textHeight(line.txt) / 2);
  }
  g.setFont(smallFont);
  const std::string note = "(" + std::to_string(puzzlesToGo) + " " + txtToGo2 + ")";
  const float nw = g.textWidth(note);
  ink(0, 0, 0, 0.4f * alpha);
  g.drawText(note, 520 - nw / 2, 507);
  ink(kCaptionR, kCaptionG, kCaptionB, alpha);
  g.drawText(note, 518 - nw / 2, 505);
}

TWinScreen& winScreen() {
  static TWinScreen* s = [] {
    auto* w = new TWinScreen();  // lives for the whole run
    TLoadingScreen::setups()["TWinScreen"] = [w] { w->setup(); };
    return w;
  }();
  return *s;
}
