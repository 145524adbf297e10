#include <gtest/gtest.h>

#include <filesystem>

#include "app/Canvas.h"
#include "app/Globals.h"
#include "app/Screen.h"
#include "platform/Clock.h"
#include "platform/Font.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/Platform.h"

// The pause picture in a real window: the last frame, darkened, with the
// caption in the middle, until the focus comes back.
TEST(PauseWindow, ShowsTheDarkenedFrameWithTheCaption) {
  plat::PlatformConfig cfg;
  cfg.audio = false;
  ASSERT_TRUE(plat::init(cfg));
  auto& g = plat::gfx();
  ASSERT_TRUE(g.openDisplay(1024, 768, false));
  setVirtualCanvas(1024, 768, 3);
  pauseFont = plat::ImageFont::load(std::string(WOOFMERE_GAME_DIR) + "/gfx/fonts/Bookman.ttf", 72);
  pauseText = "Paused - click to continue";
  auto splash = plat::loadImage(std::string(WOOFMERE_GAME_DIR) + "/gfx/branding/partnerscreen-1.jpg");
  g.setBlend(plat::Blend::Alpha);
  g.setColour(255, 255, 255);
  g.setAlpha(1);
  g.drawImage(splash, 0, 0);
  auto& in = plat::input();
  // Let the window manager's focus events for the new window arrive first.
  for (int i = 0; i < 10; ++i) {
    plat::pumpEvents();
    plat::delayMs(20);
  }
  in.setSuspended(true);
  int frames = 0;
  plat::Pixmap paused;
  plat::setFrameHook([&] {
    // The window manager's own focus events must not end the pause early.
    if (++frames < 5) in.setSuspended(true);
    if (frames == 5) {
      paused = g.readBackBuffer();
      in.setSuspended(false);
    }
  });
  flipScreen(0);
  plat::setFrameHook(nullptr);
  ASSERT_FALSE(paused.empty());
  std::filesystem::create_directories(WOOFMERE_OUT_DIR);
  plat::savePng(std::string(WOOFMERE_OUT_DIR) + "/pause.png", paused);
  // Caption pixels are white; the sky around them is dimmed.
  int white = 0;
  for (int x = 200; x < 824; ++x) {
    const uint8_t* p = paused.at(x, 350);
    if (p[0] > 240 && p[1] > 240 && p[2] > 240) ++white;
  }
  EXPECT_GT(white, 20) << "caption missing";
  EXPECT_LT(paused.at(5, 5)[2], 160) << "the frame below should be darkened";
  pauseFont.reset();
  plat::shutdown();
}
