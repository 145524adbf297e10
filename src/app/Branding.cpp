#include "app/Branding.h"

#include "gui/Mouse.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Input.h"

void TBranding::setup() {
  imgList.clear();
  for (int k = 1; k <= 10; ++k) {
    std::string path = "gfx/branding/partnerscreen-" + std::to_string(k) + ".jpg";
    if (!plat::fileExists(path)) continue;
    if (auto img = loadImageSafe(path)) imgList.push_back(img);
  }
}

void TBranding::takePicture() {
  if (imgList.empty()) {
    aktImg = nullptr;
    return;
  }
  aktImg = imgList.front();
  imgList.pop_front();
  dFade = 0;
  time = plat::millisecs() + 1500;
}

void TBranding::prepare() {
  fade = 1;
  dFade = 0;
  _prepareDelta();
  takePicture();
  plat::input().flushMouse();
}

void TBranding::update() {
  updateDelta();
  // The splash has no standard update of its own, but closing the window
  // must work here as everywhere else.
  auto& in = plat::input();
  if (in.closeRequested() || (in.keyDown(plat::KEY_LALT) && in.keyHit(plat::KEY_F4))) quitGame();
  if (plat::millisecs() >= time) dFade = 1;
  if (fade == 1 && dFade == 1) takePicture();
  _updateFade();
}

void TBranding::draw() {
  auto& g = plat::gfx();
  g.setBlend(plat::Blend::Alpha);
  g.setColour(255, 255, 255);
  g.setAlpha(1);
  g.setScale(1, 1);
  g.setRotation(0);
  if (aktImg) g.drawImage(aktImg, 0, 0);
  _drawFade();
  g.setColour(255, 255, 255);
}

void TBranding::mainLoop() {
  if (imgList.empty()) return;
  prepare();
  auto& g = plat::gfx();
  do {
    g.cls();
    update();
    draw();
    flipOnly();
    if (plat::input().mouseHit(plat::MOUSE_LEFT)) dFade = 1;
  } while (!(fade == 1 && dFade == 1 && !aktImg));
  plat::input().flushMouse();
}
