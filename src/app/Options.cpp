#include "app/Options.h"

#include <algorithm>
#include <iostream>

#include "app/Canvas.h"
#include "app/Globals.h"
#include "app/GlobalSnd.h"
#include "data/RCMFile.h"
#include "gui/Mouse.h"
#include "platform/Files.h"
#include "platform/Graphics.h"

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
