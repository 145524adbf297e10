// The options overlay run headless on the fake clock, with the mouse and
// keys scripted frame by frame.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <stdexcept>
#include <string>

#include "TestUtil.h"
#include "app/Canvas.h"
#include "app/Globals.h"
#include "app/GlobalSnd.h"
#include "app/Options.h"
#include "app/Screen.h"
#include "gui/Font.h"
#include "gui/Gui.h"
#include "gui/Mouse.h"
#include "gui/Theme.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/Platform.h"

namespace {

// Stands for whatever screen the overlay is opened over.
struct BelowScreen : TEkran {
  int draws = 0;
  void draw() override { ++draws; }
};

struct OverlayTest : ::testing::Test {
  TempDir dir;
  std::string oldUserDir, here;
  BelowScreen below;
  int frameNo = 0;
  int oldDesktopW = 0, oldDesktopH = 0;
  // Frame number -> what the player does after that frame was presented.
  std::map<int, std::function<void()>> script;

  void SetUp() override {
    here = plat::currentFolder();
    ASSERT_TRUE(plat::changeFolder(WOOFMERE_GAME_DIR));
    oldUserDir = userDir;
    userDir = dir.path();
    std::filesystem::create_directories(dir.file("Data"));
    plat::PlatformConfig cfg;
    cfg.headless = true;
    cfg.audio = false;
    ASSERT_TRUE(plat::init(cfg));
    plat::useFakeClock(10000);
    // The frame timer outlives each test; it must not see the clock go back.
    TDeltaTime::global().OldTime = plat::millisecs();
    plat::input().reset();
    options() = TOptions();
    // The headless desktop; other tests may have left other sizes behind.
    oldDesktopW = desktopWidth;
    oldDesktopH = desktopHeight;
    desktopWidth = 1024;
    desktopHeight = 768;
    TOptions& o = options();
    o.fullScreen = 0;
    o.openScreen();
    o.setup();
    ASSERT_TRUE(o.Gui);
    ASSERT_TRUE(o.kosc);
    ASSERT_TRUE(o.pasek);
    delta = 1;
    TMouse& m = mouse();
    m.cur = nullptr;
    m.x = m.y = m.px = m.py = 0;
    m.leftPressed = m.leftHolded = m._leftHolded = 0;
    plat::setFrameHook([this] {
      plat::advanceFakeClock(1000.0 / 60.0);
      ++frameNo;
      if (auto it = script.find(frameNo); it != script.end()) it->second();
      if (frameNo > 600) throw std::runtime_error("the overlay never closed");
    });
  }
  void TearDown() override {
    plat::setFrameHook(nullptr);
    options().setupMouse();
    options() = TOptions();
    userDir = oldUserDir;
    desktopWidth = oldDesktopW;
    desktopHeight = oldDesktopH;
    plat::gfx().setFont(nullptr);
    TMyFont::clearCache();
    globalFonts().clear();
    globalThemes().clear();
    currentTheme() = nullptr;
    plat::shutdown();
    plat::changeFolder(here);
  }

  // Centre of a widget of the overlay.
  static std::pair<float, float> centreOf(const std::string& id) {
    auto item = options().Gui->getItem(id);
    EXPECT_TRUE(item) << id;
    if (!item || !item->dim) return {0, 0};
    const TDim& d = *item->dim;
    return {d.x1 + (d.x2 - d.x1) / 2, d.y1 + (d.y2 - d.y1) / 2};
  }
  static void at(float x, float y, bool down) {
    auto& in = plat::input();
    in.moveMouse(x, y);
    if (down && !in.mouseDown(plat::MOUSE_LEFT)) in.pressMouse(plat::MOUSE_LEFT);
    if (!down && in.mouseDown(plat::MOUSE_LEFT)) in.releaseMouse(plat::MOUSE_LEFT);
  }
  // A click on a widget once the overlay is fully shown (it fades in over
  // 20 frames), starting after frame `from`.
  void clickAt(int from, const std::string& id) {
    script[from] = [id] {
      auto [x, y] = centreOf(id);
      at(x, y, true);
    };
    script[from + 1] = [id] {
      auto [x, y] = centreOf(id);
      at(x, y, false);
    };
  }
  void clickOk(int from) { clickAt(from, "ok"); }
  static bool shown(const std::string& id) {
    auto item = options().Gui->getItem(id);
    return item && item->_v == 1 && item->_a == 1;
  }
  // One overlay frame without the loop, for slider drags.
  static void step(float x, float y, bool down) {
    at(x, y, down);
    plat::advanceFakeClock(1000.0 / 60.0);
    options().update();
  }
};

TEST_F(OverlayTest, ButtonsDependOnTheScreenBelow) {
  TOptions& o = options();
  BelowScreen play, jigsaw;
  o.playScreen = &play;
  o.jigsawScreen = &jigsaw;
  struct Case {
    const char* name;
    TEkran* screen;
    bool restart, mainMenu, credits, gallery;
  } cases[] = {
      {"main menu or any other screen", &below, false, false, true, true},
      {"play screen", &play, true, true, false, false},
      {"jigsaw screen", &jigsaw, false, true, true, false},
      {"nothing below", nullptr, false, false, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    o.prepare(c.screen);
    EXPECT_EQ(shown("restart"), c.restart);
    EXPECT_EQ(shown("MAINMENU"), c.mainMenu);
    EXPECT_EQ(shown("mainMenu"), c.mainMenu) << "ids ignore case";
    EXPECT_EQ(shown("credits"), c.credits);
    EXPECT_EQ(shown("gallery"), c.gallery);
    EXPECT_EQ(o.alpha, 0);
    EXPECT_EQ(o.dAlpha, 1);
    EXPECT_EQ(o.fade, 0);
    EXPECT_EQ(o.dFade, 0.5f);
  }
}

TEST_F(OverlayTest, LayoutHasEveryIdAndTheSlidersOverTheirGrooves) {
  for (const char* id : {"ok", "on", "off", "onW", "offW", "onC", "offC", "plus1", "minus1", "plus2", "minus2",
                         "credits", "gallery", "restart", "MAINMENU"}) {
    auto item = options().Gui->getItem(id);
    ASSERT_TRUE(item) << id;
    ASSERT_TRUE(item->dim) << id;
    // No button may cover the slider rectangles or the help hotspot, or a
    // press there would do two things at once.
    const TDim& d = *item->dim;
    auto overlaps = [&](float x, float y, float w, float h) {
      return d.x1 < x + w && x < d.x2 && d.y1 < y + h && y < d.y2;
    };
    EXPECT_FALSE(overlaps(380, 211, 291, 30)) << id;
    EXPECT_FALSE(overlaps(380, 290, 291, 30)) << id;
    EXPECT_FALSE(overlaps(620, 360, 40, 55)) << id;
  }
  // The bar fills the groove from 378 to just past the knob's last place.
  EXPECT_GE(options().pasek->width(), 293);
}

TEST_F(OverlayTest, EscapeClosesTheOverlayAndSavesTheSettings) {
  TOptions& o = options();
  o.musicVol = 0.75f;
  script[25] = [] { plat::input().pressKey(plat::KEY_ESCAPE); };
  script[26] = [] { plat::input().releaseKey(plat::KEY_ESCAPE); };
  EXPECT_EQ(o.mainLoop(&below), "");
  EXPECT_EQ(o.alpha, 0);
  EXPECT_EQ(o.fade, 0) << "the veil is lifted too";
  EXPECT_GT(below.draws, 40) << "the screen below is drawn every frame";
  EXPECT_LT(frameNo, 200);
  TOptions back;
  back.loadOptions();
  EXPECT_NEAR(back.musicVol, 0.75f, 1e-6);
}

TEST_F(OverlayTest, EscapeDuringTheFadeInIsKeptForWhenTheOverlayIsShownButOldHitsAreNot) {
  TOptions& o = options();
  // A hit the screen below left unread must not close the overlay at once.
  plat::input().pressKey(plat::KEY_ESCAPE);
  plat::input().releaseKey(plat::KEY_ESCAPE);
  clickOk(60);
  o.mainLoop(&below);
  EXPECT_GT(frameNo, 60);
}

TEST_F(OverlayTest, OkButtonsAndResults) {
  TOptions& o = options();
  BelowScreen play;
  o.playScreen = &play;
  struct Case {
    const char* button;
    TEkran* screen;
    const char* result;
  } cases[] = {
      {"ok", &below, ""},
      {"restart", &play, "RESTART"},
      {"MAINMENU", &play, "MAIN-MENU"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.button);
    frameNo = 0;
    script.clear();
    clickAt(25, c.button);
    EXPECT_EQ(o.mainLoop(c.screen), c.result);
    EXPECT_LT(frameNo, 200);
  }
}

TEST_F(OverlayTest, CreditsAndGalleryRunTheirHooksOrOnlySaySo) {
  TOptions& o = options();
  clickAt(25, "credits");
  clickAt(30, "gallery");
  clickOk(35);
  testing::internal::CaptureStdout();
  o.mainLoop(&below);
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("no credits screen"), std::string::npos) << out;
  EXPECT_NE(out.find("no gallery screen"), std::string::npos) << out;

  int credits = 0, galleryArg = 0;
  o.creditsHook = [&] { ++credits; };
  o.galleryHook = [&](int arg) {
    galleryArg = arg;
    // Whatever the gallery left pending must not reach the overlay.
    plat::input().pressKey(plat::KEY_ESCAPE);
  };
  frameNo = 0;
  script.clear();
  clickAt(25, "credits");
  clickAt(30, "gallery");
  clickOk(40);
  o.mainLoop(&below);
  EXPECT_EQ(credits, 1);
  EXPECT_EQ(galleryArg, 1);
  EXPECT_GT(frameNo, 40) << "the gallery's pending Escape was flushed";
}

TEST_F(OverlayTest, TogglesSwitchDisplayWideScreenAndCursor) {
  TOptions& o = options();
  auto& g = plat::gfx();
  ASSERT_FALSE(g.fullScreen());
  clickAt(25, "off");   // to full screen
  clickAt(30, "offC");  // to the game's cursor
  clickAt(35, "offW");  // wide screen, reopened in full screen
  script[40] = [&] { EXPECT_TRUE(shown("on") && !shown("off")); };
  clickOk(45);
  o.mainLoop(&below);
  EXPECT_EQ(o.fullScreen, 1);
  EXPECT_TRUE(g.fullScreen());
  EXPECT_EQ(o.customCursor, 1);
  EXPECT_EQ(mouse()._v, 1);
  EXPECT_EQ(o.wideScreen, 1);
  EXPECT_FALSE(shown("onC") == false || shown("offC")) << "only the button of the current value shows";

  frameNo = 0;
  script.clear();
  clickAt(25, "on");
  clickAt(30, "onC");
  clickOk(35);
  o.mainLoop(&below);
  EXPECT_EQ(o.fullScreen, 0);
  EXPECT_FALSE(g.fullScreen());
  EXPECT_EQ(o.customCursor, 0);
  EXPECT_EQ(mouse()._v, 0);
  TOptions back;
  back.loadOptions();
  EXPECT_EQ(back.fullScreen, 0);
  EXPECT_EQ(back.wideScreen, 1);
}

TEST_F(OverlayTest, VolumeButtonsStepAndStayInRange) {
  TOptions& o = options();
  struct Case {
    const char* button;
    float music, sound;
    int presses;
    float wantMusic, wantSound;
  } cases[] = {
      {"plus1", 1.0f, 0.5f, 1, 1.0f, 0.5f},
      {"plus1", 0.3f, 0.5f, 20, 1.0f, 0.5f},
      {"minus1", 0.3f, 0.5f, 1, 0.25f, 0.5f},
      {"minus2", 0.3f, 0.0f, 1, 0.3f, 0.0f},
      {"plus2", 0.3f, 0.0f, 2, 0.3f, 0.1f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.button) + " x" + std::to_string(c.presses));
    o.musicVol = c.music;
    o.soundVol = c.sound;
    frameNo = 0;
    script.clear();
    for (int i = 0; i < c.presses; ++i) clickAt(25 + 2 * i, c.button);
    clickOk(26 + 2 * c.presses);
    o.mainLoop(&below);
    EXPECT_NEAR(o.musicVol, c.wantMusic, 1e-5);
    EXPECT_NEAR(o.soundVol, c.wantSound, 1e-5);
    EXPECT_NEAR(globalSnd().musicVol, o.musicVol, 1e-6);
    EXPECT_LE(o.musicVol, 1.0f);
    EXPECT_GE(o.soundVol, 0.0f);
  }
}

TEST_F(OverlayTest, DraggingTheSliders) {
  TOptions& o = options();
  o.prepare(&below);
  // Press inside the music slider and drag past its right end.
  step(500, 224, true);
  EXPECT_EQ(o.holdedMusic, 1);
  // The pointer's canvas position may round a pixel either way.
  EXPECT_NEAR(mouse().x, 500, 1);
  EXPECT_NEAR(o.musicVol, (mouse().x - 380) / 291.0f, 1e-5);
  EXPECT_NEAR(globalSnd().musicVol, o.musicVol, 1e-6);
  step(900, 224, true);
  EXPECT_NEAR(o.musicVol, 290.0f / 291, 1e-5) << "the far right is one short of the full width";
  // Out of the slider's band the knob stays where it was.
  step(900, 260, true);
  EXPECT_NEAR(o.musicVol, 290.0f / 291, 1e-5);
  // Past the left end.
  step(100, 230, true);
  EXPECT_EQ(o.musicVol, 0.0f);
  EXPECT_EQ(o.holdedSound, 0) << "dragging music leaves the sound alone";
  step(100, 230, false);
  EXPECT_EQ(o.holdedMusic, 0);
  // Off the slider without holding it first, nothing moves.
  step(900, 224, true);
  EXPECT_EQ(o.musicVol, 0.0f);
  step(900, 224, false);

  // The sound slider the same way.
  step(525, 305, true);
  EXPECT_EQ(o.holdedSound, 1);
  EXPECT_NEAR(o.soundVol, (mouse().x - 380) / 291.0f, 1e-5);
  step(1000, 310, true);
  EXPECT_NEAR(o.soundVol, 290.0f / 291, 1e-5);
  step(0, 300, true);
  EXPECT_EQ(o.soundVol, 0.0f);
  step(0, 300, false);
  EXPECT_EQ(o.holdedSound, 0);
}

TEST_F(OverlayTest, HoveringTheBulbLightsTheHelp) {
  TOptions& o = options();
  o.prepare(&below);
  for (int i = 0; i < 30; ++i) step(640, 385, false);
  EXPECT_EQ(o.Gui->_over, "HELP");
  EXPECT_EQ(o.dZarAlpha, 1);
  EXPECT_EQ(o.zarAlpha, 1);
  step(640, 385, true);
  EXPECT_EQ(o.Gui->_clicked, "HELP");
  step(100, 100, false);
  EXPECT_EQ(o.dZarAlpha, 0);
  EXPECT_NEAR(o.zarAlpha, 0.95f, 0.01) << "the help fades at 0.05 a frame";
}

}  // namespace
