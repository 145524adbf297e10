// The options overlay in a real window over the partner splash, kept as a
// picture for people to look at.
#include "GameWindow.h"

#include <filesystem>

#include "app/Canvas.h"
#include "app/Globals.h"
#include "app/Options.h"
#include "app/Screen.h"
#include "gui/Font.h"
#include "gui/Gui.h"
#include "gui/Mouse.h"
#include "gui/Theme.h"
#include "platform/Clock.h"
#include "platform/Input.h"

namespace {

struct SplashScreen : TEkran {
  plat::ImagePtr picture = plat::loadImage("gfx/branding/partnerscreen-1.jpg");
  void draw() override {
    auto& g = plat::gfx();
    g.setBlend(plat::Blend::Alpha);
    g.setColour(255, 255, 255);
    g.setAlpha(1);
    g.setScale(1, 1);
    g.drawImage(picture, 0, 0);
  }
};

class OptionsWindow : public GameWindow {
 protected:
  void SetUp() override {
    GameWindow::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    oldUserDir = userDir;
    userDir = (std::filesystem::temp_directory_path() / "woofmere-options-window").string();
    std::filesystem::create_directories(userDir + "/Data");
    setVirtualCanvas(1024, 768, 3);
    plat::useFakeClock(10000);
    TDeltaTime::global().OldTime = plat::millisecs();
    plat::input().reset();
    options() = TOptions();
    options().fullScreen = 0;
    options().setup();
  }
  void TearDown() override {
    if (!oldUserDir.empty() || !userDir.empty()) {
      options() = TOptions();
      userDir = oldUserDir;
    }
    TMyFont::clearCache();
    globalFonts().clear();
    globalThemes().clear();
    currentTheme() = nullptr;
    GameWindow::TearDown();
  }
  // Runs overlay frames with the pointer at (x, y) and gives the last one.
  static plat::Pixmap shoot(int frames, float x, float y) {
    auto& g = plat::gfx();
    TOptions& o = options();
    plat::Pixmap pm;
    for (int i = 0; i < frames; ++i) {
      plat::input().moveMouse(x, y);
      plat::advanceFakeClock(1000.0 / 60.0);
      g.cls();
      o.update();
      o.draw();
      if (i == frames - 1) pm = g.readBackBuffer();
      flipOnly();
    }
    return pm;
  }
  std::string oldUserDir;
};

TEST_F(OptionsWindow, OverlayOverTheSplash) {
  SplashScreen below;
  ASSERT_TRUE(below.picture);
  TOptions& o = options();
  ASSERT_TRUE(o.Gui);
  o.musicVol = 0.3f;
  o.soundVol = 0.75f;
  o.prepare(&below);
  // Fully faded in, the pointer on the help bulb.
  plat::Pixmap pm = shoot(45, 640, 385);
  ASSERT_FALSE(pm.empty());
  keep(pm, "options-overlay.png");
  EXPECT_EQ(o.alpha, 1);
  EXPECT_EQ(o.fade, 0.5f);
  EXPECT_GT(o.zarAlpha, 0.9f);

  auto bright = [&](int x, int y) {
    const uint8_t* p = pm.at(x, y);
    return p[0] + p[1] + p[2];
  };
  // The paper of the panel is light; the splash around it is veiled.
  EXPECT_GT(bright(512, 160), 600);
  EXPECT_LT(bright(20, 20), 500);
  // The music bar is filled to 30 %, the sound bar to 75 %: at x 560 only
  // the sound bar is orange, the music groove shows sand.
  const uint8_t* sound = pm.at(560, 305);
  const uint8_t* music = pm.at(560, 224);
  EXPECT_GT(int(sound[0]) - int(sound[2]), 80) << "filled sound bar";
  EXPECT_LT(int(music[0]) - int(music[2]), 80) << "empty part of the music groove";

  // Below the play screen: restart and main menu instead of credits and
  // gallery.
  o.playScreen = &below;
  o.prepare(&below);
  plat::Pixmap play = shoot(45, 900, 700);
  keep(play, "options-overlay-play.png");
  EXPECT_EQ(o.Gui->getItem("restart")->_v, 1);
  EXPECT_EQ(o.Gui->getItem("gallery")->_v, 0);
}

}  // namespace
