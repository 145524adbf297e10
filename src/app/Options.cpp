#include "app/Options.h"

#include <algorithm>
#include <iostream>
#include <strings.h>

#include "app/Canvas.h"
#include "app/Globals.h"
#include "app/GlobalSnd.h"
#include "data/RCMFile.h"
#include "gui/Gui.h"
#include "gui/Mouse.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Input.h"

TOptions& options() {
  static TOptions* o = [] {
    auto* opts = new TOptions();  // lives for the whole run
    TMouse::fullScreenFlag = &opts->fullScreen;
    return opts;
  }();
  return *o;
}

std::string TOptions::settingsPath() const { return userDir + "/Data/settings.dat"; }

void TOptions::loadOptions() {
  if (!plat::fileExists(settingsPath())) saveOptions();
  auto f = loadRCMFile(settingsPath());
  fullScreen = int(f->getFloat("settings::fullScreen"));
  wideScreen = int(f->getFloat("settings::wideScreen"));
  customCursor = int(f->getFloat("settings::customCursor"));
  musicVol = float(f->getFloat("settings::musicVolume"));
  soundVol = float(f->getFloat("settings::soundVolume"));
  if (musicVol < 0.05f) musicVol = 0;
  if (soundVol < 0.05f) soundVol = 0;
  loaded = true;
  globalSnd().setMusicVol(musicVol);
  globalSnd().setSoundVol(soundVol);
}

bool TOptions::saveOptions() {
  auto f = createRCMFile();
  f->setFloat("settings::fullScreen", fullScreen);
  f->setFloat("settings::wideScreen", wideScreen);
  f->setFloat("settings::customCursor", customCursor);
  f->setFloat("settings::musicVolume", musicVol);
  f->setFloat("settings::soundVolume", soundVol);
  return f->save(settingsPath());
}

void TOptions::openScreen() { openGraphics(1024, 768, forceWindow ? 0 : fullScreen, wideScreen); }

void TOptions::setupMouse() {
  if (customCursor == 1) {
    mouse()._v = 1;
    plat::gfx().showSystemPointer(false);
  } else {
    mouse()._v = 0;
    plat::gfx().showSystemPointer(true);
  }
}

void TOptions::switchScreen() {
  fullScreen = fullScreen ? 0 : 1;
  forceWindow = false;
  openScreen();
}

void TOptions::checkSoundStuff() {
  musicVol = std::clamp(musicVol, 0.0f, 1.0f);
  soundVol = std::clamp(soundVol, 0.0f, 1.0f);
  globalSnd().setMusicVol(musicVol);
  globalSnd().setSoundVol(soundVol);
}

void openGraphics(int width, int height, int fullScreen, int wideScreen) {
  auto& g = plat::gfx();
  bool ok = false;
  if (fullScreen) {
    if (wideScreen) {
      ok = g.openDisplay(desktopWidth, desktopHeight, true);
    } else {
      ok = g.openDisplay(width, height, true);
    }
    if (!ok) ok = wideScreen ? g.openDisplay(desktopWidth, desktopHeight, true) : g.openDisplay(800, 600, true);
  } else {
    if (desktopHeight > height) ok = g.openDisplay(width, height, false);
    if (!ok) {
      if (desktopHeight <= 600) {
        ok = g.openDisplay(640, 480, false);
      } else if (desktopHeight <= 768) {
        ok = g.openDisplay(819, 614, false);
      }
    }
  }
  if (!ok) {
    std::cout << kNoDisplayMessage << std::endl;
    throw DisplayUnavailable();
  }
  setVirtualCanvas(float(width), float(height), 3);
}

// --- the options overlay -------------------------------------------------------

namespace {

// Slider geometry on the canvas: the track starts at x 380 and is 291 wide.
constexpr int kSliderX = 380;
constexpr int kSliderW = 291;
constexpr int kMusicY = 211, kSoundY = 290, kSliderH = 30;
constexpr float kBarX = 378, kMusicBarY = 218, kSoundBarY = 298;
constexpr float kMusicKnobY = 224, kSoundKnobY = 305;
constexpr int kHelpX = 620, kHelpY = 360, kHelpW = 40, kHelpH = 55;

void showItem(TGui& gui, const char* id, bool shown) {
  if (auto item = gui.getItem(id)) item->setState(shown ? 1 : 0, shown ? 1 : 0);
}

void showPair(TGui& gui, const char* onId, const char* offId, int value) {
  showItem(gui, onId, value == 1);
  showItem(gui, offId, value != 1);
}

}  // namespace

void TOptions::setup() {
  Gui = loadGui("gfx/gui/options/options.gui");
  kosc = loadImageSafe("gfx/gui/options/suwak.png");
  if (kosc) kosc->midHandle();
  // The bar grows from its left end, so it keeps the top-left handle.
  pasek = loadImageSafe("gfx/gui/options/pasek.png");
}

void TOptions::prepare(TEkran* screen) {
  ekran = screen;
  alpha = 0;
  dAlpha = 1;
  fade = 0;
  dFade = 0.5f;
  wynik.clear();
  holdedMusic = holdedSound = 0;
  zarAlpha = dZarAlpha = 0;
  // A key hit meant for the screen below must not close the overlay the
  // moment it has faded in.
  plat::input().flushKeys();
  if (!Gui) return;
  const bool play = screen != nullptr && screen == playScreen;
  const bool jigsaw = screen != nullptr && screen == jigsawScreen;
  showItem(*Gui, "restart", play);
  showItem(*Gui, "mainMenu", play || jigsaw);
  showItem(*Gui, "credits", !play);
  showItem(*Gui, "gallery", !play && !jigsaw);
}

std::string TOptions::mainLoop(TEkran* screen) {
  prepare(screen);
  auto& g = plat::gfx();
  auto& in = plat::input();
  do {
    g.cls();
    update();
    draw();
    flipScreen(0);
    if (alpha == 1 && Gui) {
      TGui& gui = *Gui;
      if (in.keyHit(plat::KEY_ESCAPE) || gui.clickedItem("ok")) {
        dAlpha = 0;
        dFade = 0;
      }
      if (gui.clickedItem("on") || gui.clickedItem("off")) switchScreen();
      if (gui.clickedItem("onW") || gui.clickedItem("offW")) {
        wideScreen = wideScreen ? 0 : 1;
        if (fullScreen == 1 && !forceWindow) openScreen();
      }
      if (gui.clickedItem("onC") || gui.clickedItem("offC")) {
        customCursor = customCursor ? 0 : 1;
        setupMouse();
      }
      bool volume = false;
      if (gui.clickedItem("plus1")) { musicVol += 0.05f; volume = true; }
      if (gui.clickedItem("minus1")) { musicVol -= 0.05f; volume = true; }
      if (gui.clickedItem("plus2")) { soundVol += 0.05f; volume = true; }
      if (gui.clickedItem("minus2")) { soundVol -= 0.05f; volume = true; }
      if (volume) checkSoundStuff();
      if (gui.clickedItem("credits")) goCREDITS();
      if (gui.clickedItem("gallery")) goGallery();
      if (gui.clickedItem("restart")) goRESTART();
      if (gui.clickedItem("MAINMENU")) goMAINMENU();
    }
  } while (!(alpha == 0 && dAlpha == 0));
  saveOptions();
  return wynik;
}

void TOptions::_updateOptionsGui() {
  if (Gui) {
    showPair(*Gui, "on", "off", fullScreen);
    showPair(*Gui, "onW", "offW", wideScreen);
    showPair(*Gui, "onC", "offC", customCursor);
  }
  TMouse& m = mouse();
  if (m.leftHolded) {
    if (m.inRect(kSliderX, kMusicY, kSliderW, kSliderH) || mouseInMusicA() || mouseInMusicB()) {
      float x = float(m.x);
      if (mouseInMusicA()) x = kSliderX;
      else if (mouseInMusicB()) x = kSliderX + kSliderW - 1;
      musicVol = (x - kSliderX) / kSliderW;
      globalSnd().setMusicVol(musicVol);
      holdedMusic = 1;
    }
    if (m.inRect(kSliderX, kSoundY, kSliderW, kSliderH) || mouseInSoundA() || mouseInSoundB()) {
      float x = float(m.x);
      if (mouseInSoundA()) x = kSliderX;
      else if (mouseInSoundB()) x = kSliderX + kSliderW - 1;
      soundVol = (x - kSliderX) / kSliderW;
      globalSnd().setSoundVol(soundVol);
      holdedSound = 1;
    }
  } else {
    holdedMusic = 0;
    holdedSound = 0;
  }
}

void TOptions::update() {
  standardUpdate(0);
  _updateOptionsGui();
  _updateAlpha();
  _updateFade();
  _updateGui();
  TMouse& m = mouse();
  if (Gui) {
    if (m.inRect(kHelpX, kHelpY, kHelpW, kHelpH)) {
      Gui->_over = "HELP";
      if (m.leftPressed) Gui->_clicked = "HELP";
    }
    dZarAlpha = strcasecmp(Gui->_over.c_str(), "HELP") == 0 ? 1.0f : 0.0f;
  } else {
    dZarAlpha = 0;
  }
  zarAlpha = easeToward(zarAlpha, dZarAlpha, 0.05f * delta);
  // The help tip is the hotspot's target: it shows while the bulb is hovered.
  if (Gui) {
    if (auto tip = Gui->getItem("helpTip")) {
      tip->_alpha = alpha * zarAlpha;
      tip->_dAlpha = tip->_alpha;
    }
  }
}

void TOptions::draw() {
  auto& g = plat::gfx();
  if (ekran != nullptr && ekran != this) ekran->draw();
  g.setBlend(plat::Blend::Alpha);
  g.setColour(255, 255, 255);
  g.setAlpha(1);
  _drawFade();
  _drawGui();
  g.setBlend(plat::Blend::Alpha);
  g.setScale(1, 1);
  g.setAlpha(alpha);
  g.setColour(255, 255, 255);
  g.setRotation(0);
  if (pasek) {
    const float w = float(pasek->width()), h = float(pasek->height());
    const float mw = w * std::clamp(musicVol, 0.0f, 1.0f), sw = w * std::clamp(soundVol, 0.0f, 1.0f);
    if (mw > 0) g.drawSubImageRect(pasek, kBarX, kMusicBarY, mw, h, 0, 0, mw, h);
    if (sw > 0) g.drawSubImageRect(pasek, kBarX, kSoundBarY, sw, h, 0, 0, sw, h);
  }
  if (kosc) {
    g.drawImage(kosc, kSliderX + kSliderW * musicVol, kMusicKnobY);
    g.drawImage(kosc, kSliderX + kSliderW * soundVol, kSoundKnobY);
  }
  // The cursor is drawn by flipScreen, which presents every overlay frame.
}

void TOptions::goCREDITS() {
  if (creditsHook) creditsHook();
  else std::cout << "Options: no credits screen to open" << std::endl;
}

void TOptions::goGallery() {
  if (galleryHook) galleryHook(1);
  else std::cout << "Options: no gallery screen to open" << std::endl;
  plat::input().flushMouse();
  plat::input().flushKeys();
}

void TOptions::goRESTART() {
  wynik = "RESTART";
  dAlpha = 0;
  dFade = 0;
}

void TOptions::goMAINMENU() {
  wynik = "MAIN-MENU";
  dAlpha = 0;
  dFade = 0;
}

int TOptions::mouseInMusicA() const {
  const TMouse& m = mouse();
  return (holdedMusic == 1 && m.x < kSliderX && m.y > kMusicY && m.y <= kMusicY + 29) ? 1 : 0;
}

int TOptions::mouseInMusicB() const {
  const TMouse& m = mouse();
  return (holdedMusic == 1 && m.x > kSliderX + kSliderW - 1 && m.y > kMusicY && m.y <= kMusicY + 29) ? 1 : 0;
}

int TOptions::mouseInSoundA() const {
  const TMouse& m = mouse();
  return (holdedSound == 1 && m.x < kSliderX && m.y > kSoundY + 1 && m.y <= kSoundY + 31) ? 1 : 0;
}

int TOptions::mouseInSoundB() const {
  const TMouse& m = mouse();
  return (holdedSound == 1 && m.x > kSliderX + kSliderW - 1 && m.y > kSoundY + 1 && m.y <= kSoundY + 31) ? 1 : 0;
}
