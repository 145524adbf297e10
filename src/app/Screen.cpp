#include "app/Screen.h"

#include <algorithm>
#include <cmath>
#include <iostream>

#include "app/Canvas.h"
#include "app/Globals.h"
#include "app/GlobalSnd.h"
#include "app/Harness.h"
#include "gui/Gui.h"
#include "gui/Mouse.h"
#include "platform/Clock.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/Platform.h"

float delta = 1.0f;

// ---------------------------------------------------------------------------
// TDeltaTime

std::vector<TDeltaTime*>& TDeltaTime::timers() {
  static std::vector<TDeltaTime*> list;
  return list;
}

TDeltaTime* TDeltaTime::Create(float fps) {
  auto* t = new TDeltaTime();
  t->SetFPS(fps);
  timers().push_back(t);
  return t;
}

TDeltaTime& TDeltaTime::global() {
  static TDeltaTime* t = Create(60);
  return *t;
}

void TDeltaTime::SetFPS(float fps) {
  dFps = fps;
  dDelta = fps > 0 ? 1000.0f / fps : 0;
}

void TDeltaTime::Update() {
  CurrTime = plat::millisecs();
  ElapsedTime = CurrTime - OldTime;
  OldTime = CurrTime;
  if (CheckTime < CurrTime) {
    CheckTime = CurrTime + 1000;
    CurrFps = FPSCounter;
    FPSCounter = 0;
  } else {
    FPSCounter += 1;
  }
}

float TDeltaTime::CurrDelta() const { return dDelta > 0 ? float(ElapsedTime) / dDelta : 0.0f; }

void TDeltaTime::Destroy() {
  auto& list = timers();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

// ---------------------------------------------------------------------------
// TRMCounter

float easeToward(float value, float target, float step) {
  if (value < target) return std::min(value + step, target);
  if (value > target) return std::max(value - step, target);
  return value;
}

void TRMCounter::setSpeed(float x) { vSpeed = std::fabs(x); }

void TRMCounter::update() {
  v = easeToward(v, dv, vSpeed * delta);
  if (switch_ != 0 && v == dv) dv = (dv == 0) ? 1.0f : 0.0f;
  constexpr float kDeg = 3.14159265358979f / 180.0f;
  perSin = std::sin(sinValue * v * kDeg);
  perCos = std::cos(cosValue * v * kDeg);
}

std::shared_ptr<TRMCounter> TRMCounter::createCounter(float v, float dv, int sw) {
  auto c = std::make_shared<TRMCounter>();
  c->v = v;
  c->dv = dv;
  c->switch_ = sw;
  return c;
}

// ---------------------------------------------------------------------------
// TEkran

TEkran::TEkran() = default;
TEkran::~TEkran() = default;

void TEkran::_drawGui() {
  if (Gui) Gui->draw();
}

void TEkran::_drawFade() {
  auto& g = plat::gfx();
  g.setBlend(plat::Blend::Alpha);
  g.setScale(1, 1);
  g.setRotation(0);
  g.setAlpha(fade);
  g.setColour(0, 0, 0);
  g.drawRect(0, 0, canvasWidth(), canvasHeight());
}

void TEkran::_drawMouse() { mouse().draw(); }

void TEkran::_updateAlpha() { alpha = easeToward(alpha, dAlpha, aSpeed * delta); }

void TEkran::_updateFade() { fade = easeToward(fade, dFade, fSpeed * delta); }

void TEkran::_updateGui() {
  if (!Gui) return;
  for (auto& o : Gui->_listaObiektow) {
    o->_alpha = alpha;
    o->_dAlpha = alpha;
  }
  Gui->update();
}

plat::ImagePtr TEkran::_getMyScreen() {
  auto& g = plat::gfx();
  g.cls();
  draw();
  return g.grabImage(0, 0, canvasWidth() - 1, canvasHeight() - 1);
}

void TEkran::_prepareDelta() {
  for (int i = 0; i < 100; ++i) updateDelta();
}

void TEkran::STANDARD_DATA() {
  alpha = 1;
  dAlpha = 1;
  fade = 0;
  dFade = 0;
}

void TEkran::lockGui() {
  if (Gui) Gui->_locked = 1;
}

void TEkran::unlockGui() {
  if (Gui) Gui->_locked = 0;
}

// ---------------------------------------------------------------------------
// Frame operations

void updateDelta() {
  TDeltaTime& t = TDeltaTime::global();
  t.Update();
  delta = t.CurrDelta();
  // Replays and tests need every frame to weigh the same.
  if (Harness::get().fixedDelta()) delta = 1.0f;
  plat::pumpEvents();
}

[[noreturn]] void quitGame() { throw QuitGame(); }

void standardUpdate(int special) {
  updateDelta();
  if (special != 0) {
    mouse().updateSpec();
  } else {
    mouse().update();
  }
  globalSnd().update();
  auto& in = plat::input();
  if (cheatsOn == 1 && in.keyHit(plat::KEY_ESCAPE)) quitGame();
  if (in.closeRequested()) quitGame();
  if (in.keyDown(plat::KEY_LALT) && in.keyHit(plat::KEY_F4)) quitGame();
}

void flipOnly() {
  plat::gfx().flip();
  endCanvasFrame();
}

void flipWithCursor() {
  mouse().draw();
  flipOnly();
}

void flipScreen(int noPause) {
  mouse().draw();
  if (noPause == 0 && plat::input().suspended()) pauseLoop();
  flipOnly();
}

void pauseLoop() {
  auto& g = plat::gfx();
  auto& in = plat::input();
  globalSnd().stopAllSounds();
  // Only the canvas is kept: the bars beside it carry no picture.
  plat::Pixmap whole = g.readBackBuffer();
  const auto& cs = canvas::state();
  plat::Pixmap shot = whole.crop(int(std::lround(cs.canvasOffsetX * cs.scale)),
                                 int(std::lround(cs.canvasOffsetY * cs.scale)),
                                 int(std::lround(cs.canvasW * cs.scale)), int(std::lround(cs.canvasH * cs.scale)));
  plat::ImagePtr still = plat::Image::fromPixmap(shot.scaled(1024, 768));
  while (in.suspended()) {
    // A close request while paused must still reach the quit check.
    if (in.closeRequested()) break;
    g.cls();
    g.setColour(255, 255, 255);
    g.setScale(1, 1);
    g.setBlend(plat::Blend::Alpha);
    g.setAlpha(1);
    g.setRotation(0);
    g.setFont(pauseFont);
    g.drawImage(still, 0, 0);
    g.setColour(0, 0, 0);
    g.setAlpha(0.5f);
    g.drawRect(0, 0, 1024, 768);
    int w = int(g.textWidth(pauseText));
    g.drawText(pauseText, float(516 - w / 2), 324);
    g.setColour(255, 255, 255);
    g.setAlpha(1);
    g.drawText(pauseText, float(512 - w / 2), 320);
    flipOnly();
    updateDelta();
  }
  globalSnd().resumeAllSounds();
}

plat::ImagePtr loadImageSafe(const std::string& path, int flags) {
  plat::ImagePtr img = plat::loadImage(path, flags);
  if (!img) std::cout << "Couldn't load image file: " << path << " - program will probably crash!" << std::endl;
  return img;
}
