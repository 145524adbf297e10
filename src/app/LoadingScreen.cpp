#include "app/LoadingScreen.h"

#include <algorithm>

#include "app/Globals.h"
#include "app/GlobalSnd.h"
#include "app/Options.h"
#include "app/Txt.h"
#include "data/RCMFile.h"
#include "fx/Flying.h"
#include "fx/Particle.h"
#include "fx/ParticleKinds.h"
#include "gui/Theme.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/Platform.h"

std::map<std::string, std::function<void()>>& TLoadingScreen::setups() {
  static std::map<std::string, std::function<void()>> m;
  return m;
}

TLoadingScreen::TLoadingScreen() {
  back = loadImageSafe("gfx/gui/loading/back.jpg");
  dog = loadImageSafe("gfx/gui/loading/dog.png");
  // The logo and caption come from the English folders: the language is
  // not known yet when the loading screen is made.
  if (plat::fileExists("gfx/gui/loading/eng/logo.png")) logo = plat::loadImage("gfx/gui/loading/eng/logo.png");
  font = plat::ImageFont::load("gfx/fonts/Bookman.ttf", 20);
  txt = txtLine(loadTxt("txt/loading.txt"), 1);
  auto f = loadRCMFile(globalSnd().dataFile);
  maxProgress = int(f->getFloat("globalSnd::sounds")) + int(f->getFloat("globalSnd::musics")) + 34;
}

void TLoadingScreen::progress() {
  p += 1;
  // Loading takes a few seconds: closing the window must still work.
  plat::pumpEvents();
  auto& in = plat::input();
  if (in.closeRequested() || (in.keyDown(plat::KEY_LALT) && in.keyHit(plat::KEY_F4))) quitGame();
  draw();
}

void TLoadingScreen::draw() {
  _drawBack();
  _drawProgress();
  flipOnly();
}

void TLoadingScreen::_drawBack() {
  auto& g = plat::gfx();
  g.cls();
  g.setBlend(plat::Blend::Alpha);
  g.setColour(255, 255, 255);
  g.setRotation(0);
  g.setScale(1, 1);
  g.setAlpha(1);
  g.drawImage(back, 0, 0);
  g.drawImage(logo, 50, 20);
  if (font) {
    g.setFont(font);
    int w = int(g.textWidth(txt));
    g.setColour(0, 0, 0);
    g.setAlpha(0.5f);
    g.drawText(txt, float(514 - w / 2), 712);
    g.setColour(247, 222, 113);
    g.setAlpha(1);
    g.drawText(txt, float(512 - w / 2), 710);
  }
  g.setColour(255, 255, 255);
}

void TLoadingScreen::_drawProgress() {
  if (!dog || maxProgress <= 0) return;
  // More steps than expected must not draw past the picture.
  float m = std::clamp(float(p) / float(maxProgress), 0.0f, 1.0f);
  float W = float(dog->width()), H = float(dog->height());
  float top = H * (1 - m);
  plat::gfx().drawSubImageRect(dog, 515, 404 + top, W, H * m, 0, top, W, H * m, W / 2, H / 2);
}

void TLoadingScreen::step(const std::string& name, const std::function<void()>& work, bool counts) {
  stepLog.push_back(name);
  if (work) work();
  auto it = setups().find(name);
  if (it != setups().end() && it->second) it->second();
  if (counts) progress();
}

void TLoadingScreen::music(int k, bool counts) {
  stepLog.push_back("music" + std::to_string(k));
  globalSnd()._setupExactMusicByNR(k);
  if (counts) progress();
}

void TLoadingScreen::PART1() {
  // The two global window themes exist before any layout file is read.
  stepLog.push_back("theme temat1");
  createTheme("temat1", "gfx/gui/window/temat1.txt", nullptr);
  progress();
  stepLog.push_back("theme temat2");
  createTheme("temat2", "gfx/gui/window/temat.txt", nullptr);
  progress();
  globalSnd().onSoundLoaded = [this] { progress(); };
  stepLog.push_back("TGlobalSnd");
  globalSnd().setup();
  globalSnd().onSoundLoaded = nullptr;
  progress();
  step("TMainGame");
  step("TStory");
  stepLog.push_back("setupMouse");
  options().setupMouse();
  progress();
  music(1);
  music(6);
  stepLog.push_back("Teksty");
  Teksty::setup();
  progress();
}

void TLoadingScreen::PART2() {
  step("TMainMenu");
  step("TLoseScreen");
  music(7, false);
  step("TWinScreen");
  step("TPopUp");
  music(2);
  step("TQuestContinue");
  step("TEnterText");
  step("backgrounds");
  step("particle images", [] { TParticle::setup(); });
  music(8, false);
}

void TLoadingScreen::PART3() {
  step("TShowDog");
  step("TLevelManager");
  step("TProfileManager");
  music(3);
  step("TModeSelection");
  step("power-ups");
}

void TLoadingScreen::PART4() {
  step("TEndOfGame");
  stepLog.push_back("TOptions");
  options().setup();
  progress();
  stepLog.push_back("TLoadingScreen");
  setup();
  progress();
  music(4);
  step("TUbieranie");
  stepLog.push_back("point image");
  pointImage = loadImageSafe("gfx/point.png");
  progress();
}

void TLoadingScreen::PART5() {
  // The particle images themselves came in an earlier step.
  step("particles", [] {
    TTextParticle::setupCaptions();
    TScoreParticle::setupDigits();
    TPlateParticle::setupShards();
  });
  step("TCredits");
  step("TTutorial");
  step("profiles");
  music(5);
  step("TPuzzleGame");
  step("flying captions", setupFlyingNapis);
  step("fireworks", setupFireWorks);
  step("TGaleria");
}
