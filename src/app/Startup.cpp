#include "app/Startup.h"

#include <algorithm>
#include <exception>
#include <iostream>

#include "app/Branding.h"
#include "app/Canvas.h"
#include "app/Globals.h"
#include "app/GlobalSnd.h"
#include "app/LoadingScreen.h"
#include "app/Options.h"
#include "app/Screen.h"
#include "app/Txt.h"
#include "data/StringSplit.h"
#include "gui/Gui.h"
#include "gui/Mouse.h"
#include "screens/LevelManager.h"
#include "screens/MainGame.h"
#include "screens/LoseScreen.h"
#include "screens/Profile.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Platform.h"

StartupWiring& startupWiring() {
  static StartupWiring w;
  return w;
}

std::string prepareUserDir(const std::string& base) {
  std::string dir = base + "/." + "Woofmere";
  if (!plat::folderExists(dir)) plat::createFolder(dir);
  if (!plat::folderExists(dir + "/Data")) plat::createFolder(dir + "/Data");
  if (!plat::folderExists(dir + "/Profiles")) plat::createFolder(dir + "/Profiles");
  std::replace(dir.begin(), dir.end(), '\\', '/');
  return dir;
}

void onExitSave() {
  // Runs while the program is going down, possibly because of an error:
  // each step is kept from stopping the next one.
  auto guarded = [](const char* what, const std::function<void()>& f) {
    if (!f) return;
    try {
      f();
    } catch (const std::exception& e) {
      std::cout << "Could not " << what << " at exit: " << e.what() << std::endl;
    }
  };
  const StartupWiring& w = startupWiring();
  guarded("save the profiles", w.saveProfiles);
  guarded("save the options", [] {
    if (options().loaded) options().saveOptions();
  });
  guarded("send the play log", w.sendPlayLogs);
}

void startUp() {
  StartupWiring& w = startupWiring();
  // 1-3: platform modules are up (main); module state, switches, timer.
  setVirtualCanvas(1024, 768, 0);
  noTutorial = plat::fileExists("noTutorial.txt") ? 1 : 0;
  TDeltaTime::global().SetFPS(60);
  guiReloadEnabled = 1;
  // 4: the screens, each once, and the services.
  options();
  globalSnd();
  mouse();
  levelManager();
  mainGame();
  setupProfiles();
  setupSummaries();
  if (w.createScreens) w.createScreens();
  TLoadingScreen loading;
  // 5
  playLogOn = int(plat::fileKind("playLog.txt"));
  if (w.setupPlayLog) w.setupPlayLog();
  TBranding branding;
  plat::gfx().desktopSize(desktopWidth, desktopHeight);
  if (desktopWidth <= 0 || desktopHeight <= 0) {
    desktopWidth = 640;
    desktopHeight = 480;
  }
  plat::gfx().setTitle(trimBlanks(txtLine(loadTxt("txt/names.txt"), 1)));
  // 6
  userDir = prepareUserDir(plat::userDataDir());
  // 7
  loadLang("data/lang.txt");
  cheatsOn = plat::fileExists("cheats.txt") ? 1 : 0;
  mouse().hide();
  plat::gfx().showSystemPointer(false);
  plat::setExitHook(onExitSave);
  // 8
  options().loadOptions();
  options().openScreen();
  // 9: the paw's tip is at its top-left corner.
  mouse().loadCursor("paw", nullptr, "gfx/gui/cursor.png", 2, 2, 1, 0);
  pauseFont = plat::ImageFont::load("gfx/fonts/Bookman.ttf", 72);
  pauseText = txtLine(loadTxt("txt/pause.txt"), 1);
  options().setupMouse();
  // 10
  if (!plat::fileExists("noLogo.txt")) {
    branding.setup();
    branding.mainLoop();
  }
  // 11
  loading.PART1();
  loading.PART2();
  loading.PART3();
  loading.PART4();
  loading.PART5();
  // From here on a missing text file costs a placeholder, not the game.
  setTxtStartupPhase(false);
}
