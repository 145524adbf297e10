#include "screens/LoseScreen.h"

#include "app/LoadingScreen.h"
#include "app/Options.h"
#include "app/Txt.h"
#include "fx/Emitter.h"
#include "fx/Particle.h"
#include "gui/Font.h"
#include "gui/Gui.h"
#include "gui/Text.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "screens/MainGame.h"
#include "screens/PlayFeed.h"
#include "screens/WinScreen.h"

TLoseScreen::TLoseScreen() { id = "LOSE-SCREEN"; }

void TLoseScreen::setup() {
  txtInfo = txtLine(loadTxt("txt/loseScreen.txt"), 1);
  img = loadImageSafe("gfx/gui/loseScreen/panel.png");
  if (img) img->midHandle();
  font = TMyFont::get("gfx/gui/loseScreen/font.ttf", 36);
  Gui = loadGui("gfx/gui/loseScreen/loseScreen.gui");
}

void TLoseScreen::prepare() {
  ekran = options().playScreen;
  toExit = 0;
  alpha = 0;
  dAlpha = 1;
  fade = 0;
  dFade = 0.5f;
  wynik.clear();
  // A click that ended the level must not press a button the moment the
  // panel appears.
  plat::input().flushMouse();
  plat::input().flushKeys();
}

std::string TLoseScreen::mainLoop() {
  prepare();
  auto& g = plat::gfx();
  int readySince = -1;
  do {
    g.cls();
    update();
    draw();
    flipScreen(0);
    if (Gui && dAlpha == 1) {
      if (Gui->clickedItem("RESTART")) goRESTART();
      if (Gui->clickedItem("MAINMENU")) goMAIN_MENU();
    }
    const bool ready = wynik.empty() && dAlpha == 1 && alpha >= 1;
    if (demo && ready && demoWaited(readySince)) goRESTART();
    playfeed::summaryFrame("lose-summary", Gui.get(), ready, {"RESTART", "MAINMENU"});
  } while (!(alpha == 0 && dAlpha == 0));
  playfeed::line("lose-summary answer " + wynik);
  return wynik;
}

void TLoseScreen::update() {
  standardUpdate(0);
  _updateAlpha();
  _updateFade();
  updateEmitters();
  updateParticles();
  _updateGui();
}

void TLoseScreen::draw() {
  auto& g = plat::gfx();
  if (ekran && ekran != this) ekran->draw();
  _drawFade();
  g.setBlend(plat::Blend::Alpha);
  g.setScale(1, 1);
  g.setRotation(0);
  g.setColour(255, 255, 255);
  g.setAlpha(alpha);
  g.drawImage(img, 512, 370);
  g.setFont(font);
  // A soft shadow keeps the message readable over the panel's picture.
  g.setColour(0, 0, 0);
  g.setAlpha(0.5f * alpha);
  drawTextBox(txtInfo, 363, 83, 305, "center", 0, font, 0);
  g.setColour(247, 222, 113);
  g.setAlpha(alpha);
  drawTextBox(txtInfo, 360, 80, 305, "center", 0, font, 0);
  g.setColour(255, 255, 255);
  _drawGui();
  drawParticles();
  g.setAlpha(1);
}

void TLoseScreen::goRESTART() {
  wynik = "RESTART";
  dAlpha = 0;
  dFade = 0;
}

void TLoseScreen::goMAIN_MENU() {
  wynik = "MAIN-MENU";
  dAlpha = 0;
  dFade = 0;
}

TLoseScreen& loseScreen() {
  static TLoseScreen* s = [] {
    auto* l = new TLoseScreen();  // lives for the whole run
    TLoadingScreen::setups()["TLoseScreen"] = [l] { l->setup(); };
    return l;
  }();
  return *s;
}

void setupSummaries() {
  TWinScreen& win = winScreen();
  TLoseScreen& lose = loseScreen();
  TMainGameHooks& hooks = mainGame().hooks;
  hooks.winScreen = [&win] {
    win.demo = mainGame().botPlays;
    win.mainLoop();
  };
  hooks.loseScreen = [&lose] {
    lose.demo = mainGame().botPlays;
    return lose.mainLoop();
  };
}
