#include "app/Game.h"

#include <iostream>

#include "app/Canvas.h"
#include "platform/Files.h"
#include "platform/Font.h"
#include "platform/Graphics.h"
#include "platform/Image.h"
#include "platform/Input.h"
#include "platform/Platform.h"

namespace {

// Title card shown until the screens arrive: the splash picture, a hint
// and the paw cursor, so every harness option can be exercised on a
// real frame.
int runTitleCard(const HarnessOptions& opts) {
  auto& g = plat::gfx();
  plat::ImagePtr splash = plat::loadImage("gfx/branding/partnerscreen-1.jpg");
  plat::ImagePtr cursor = plat::loadImage("gfx/gui/cursor.png");
  plat::FontPtr small = plat::ImageFont::load("gfx/fonts/DejaVuSans.ttf", 18);
  auto& in = plat::input();
  for (;;) {
    plat::pumpEvents();
    if (in.closeRequested() || in.keyHit(plat::KEY_ESCAPE) || (in.keyDown(plat::KEY_LALT) && in.keyHit(plat::KEY_F4)))
      break;
    g.setBlend(plat::Blend::Alpha);
    g.setAlpha(1);
    g.setColour(255, 255, 255);
    g.setScale(1, 1);
    g.setRotation(0);
    if (splash) g.drawImage(splash, 0, 0);
    if (small) {
      g.setFont(small);
      g.setColour(246, 235, 217);
      const std::string hint = "Press Escape to leave";
      g.drawText(hint, 512 - g.textWidth(hint) / 2, 700);
    }
    g.setColour(255, 255, 255);
    if (cursor) g.drawImage(cursor, canvasMouseX(), canvasMouseY());
    g.flip();
    endCanvasFrame();
  }
  return 0;
}

}  // namespace

int runGame(const HarnessOptions& opts) {
  if (!opts.userDir.empty()) {
    if (!plat::createFolder(opts.userDir)) {
      std::cout << "Could not create the user folder " << opts.userDir << std::endl;
      return 1;
    }
    plat::setUserDataDir(opts.userDir);
  }
  plat::PlatformConfig cfg;
  cfg.headless = opts.headless;
  if (!plat::init(cfg)) {
    std::cout << "Could not start the display system." << std::endl;
    return 1;
  }
  Harness& h = Harness::get();
  h.install();
  auto& g = plat::gfx();
  if (!g.openDisplay(1024, 768, false)) {
    std::cout << "We're very sorry but the game could not initialize required graphics mode. Please update your drivers." << std::endl;
    plat::shutdown();
    return 1;
  }
  g.setTitle("Woofmere");
  setVirtualCanvas(1024, 768, canvas::kClearBars | canvas::kLetterbox);
  int status = runTitleCard(opts);
  plat::runExitHook();
  h.report();
  plat::shutdown();
  return status;
}
