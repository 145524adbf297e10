#include <gtest/gtest.h>

#include "TestUtil.h"
#include "app/Canvas.h"
#include "app/Globals.h"
#include "app/GlobalSnd.h"
#include "app/Options.h"
#include "platform/Graphics.h"
#include "platform/GraphicsCore.h"
#include "platform/Platform.h"

namespace {
struct OptionsTest : ::testing::Test {
  TempDir dir;
  std::string oldUserDir;
  void SetUp() override {
    oldUserDir = userDir;
    userDir = dir.path();
    std::filesystem::create_directories(dir.file("Data"));
    options() = TOptions();
  }
  void TearDown() override {
    userDir = oldUserDir;
    plat::detail::setHeadlessRefusedModes({});
    plat::shutdown();
  }
};
}  // namespace

TEST_F(OptionsTest, MissingFileIsWrittenWithDefaultsThenRead) {
  TOptions& o = options();
  o.loadOptions();
  EXPECT_EQ(o.fullScreen, 1);
  EXPECT_EQ(o.wideScreen, 0);
  EXPECT_EQ(o.customCursor, 0);
  EXPECT_NEAR(o.musicVol, 0.3f, 1e-6);
  EXPECT_NEAR(o.soundVol, 0.5f, 1e-6);
  std::string text = readBytes(dir.file("Data/settings.dat"));
  // Keys in their fixed order.
  size_t a = text.find("fullScreen"), b = text.find("wideScreen"), c = text.find("customCursor"),
         d = text.find("musicVolume"), e = text.find("soundVolume");
  ASSERT_NE(e, std::string::npos) << text;
  EXPECT_TRUE(a < b && b < c && c < d && d < e) << text;
}

TEST_F(OptionsTest, ValuesAreTruncatedAndQuietVolumesReadAsZero) {
  writeBytes(dir.file("Data/settings.dat"),
             "settings {\n\tfullScreen = 0.9\n\twideScreen = 1.7\n\tcustomCursor = 1\n"
             "\tmusicVolume = 0.04\n\tsoundVolume = 0.05\n}\n");
  TOptions& o = options();
  o.loadOptions();
  EXPECT_EQ(o.fullScreen, 0);
  EXPECT_EQ(o.wideScreen, 1);
  EXPECT_EQ(o.customCursor, 1);
  EXPECT_EQ(o.musicVol, 0.0f);
  EXPECT_NEAR(o.soundVol, 0.05f, 1e-6);
  EXPECT_EQ(globalSnd().musicVol, 0.0f) << "the sound manager gets the volumes";
  // Round trip through the writer.
  o.musicVol = 0.75f;
  ASSERT_TRUE(o.saveOptions());
  TOptions back;
  back.loadOptions();
  EXPECT_NEAR(back.musicVol, 0.75f, 1e-6);
  EXPECT_EQ(back.wideScreen, 1);
}

TEST_F(OptionsTest, VolumesAreClampedByTheSoundCheck) {
  TOptions& o = options();
  o.musicVol = 1.05f;
  o.soundVol = -0.05f;
  o.checkSoundStuff();
  EXPECT_EQ(o.musicVol, 1.0f);
  EXPECT_EQ(o.soundVol, 0.0f);
}

TEST_F(OptionsTest, DisplayFallbackChain) {
  struct Case {
    const char* name;
    int desktopW, desktopH, full, wide;
    std::vector<plat::detail::RefusedMode> refused;
    int expectW, expectH;  // 0 = no display at all
  };
  const Case cases[] = {
      {"window on a big desktop", 1920, 1080, 0, 0, {}, 1024, 768},
      {"window on a 768-high desktop", 1366, 768, 0, 0, {}, 819, 614},
      {"window on a 600-high desktop", 800, 600, 0, 0, {}, 640, 480},
      {"full screen", 1920, 1080, 1, 0, {}, 1024, 768},
      {"wide full screen", 1920, 1080, 1, 1, {}, 1920, 1080},
      {"full screen falls back to 800x600", 1920, 1080, 1, 0, {{1024, 768, 1}}, 800, 600},
      {"big desktop, window refused", 1920, 1080, 0, 0, {{1024, 768, 0}}, 0, 0},
      {"nothing works", 1920, 1080, 1, 0, {{1024, 768, -1}, {800, 600, -1}}, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    plat::PlatformConfig cfg;
    cfg.headless = true;
    cfg.headlessDesktopW = c.desktopW;
    cfg.headlessDesktopH = c.desktopH;
    ASSERT_TRUE(plat::init(cfg));
    desktopWidth = c.desktopW;
    desktopHeight = c.desktopH;
    plat::detail::setHeadlessRefusedModes(c.refused);
    auto& g = plat::gfx();
    if (c.expectW == 0) {
      testing::internal::CaptureStdout();
      EXPECT_THROW(openGraphics(1024, 768, c.full, c.wide), DisplayUnavailable);
      EXPECT_NE(testing::internal::GetCapturedStdout().find(kNoDisplayMessage), std::string::npos);
    } else {
      openGraphics(1024, 768, c.full, c.wide);
      EXPECT_EQ(g.displayWidth(), c.expectW);
      EXPECT_EQ(g.displayHeight(), c.expectH);
      EXPECT_EQ(canvasWidth(), 1024.0f) << "the canvas is always 1024 x 768";
    }
    plat::detail::setHeadlessRefusedModes({});
    plat::shutdown();
  }
}

TEST_F(OptionsTest, SwitchingScreenTogglesAndReopens) {
  plat::PlatformConfig cfg;
  cfg.headless = true;
  cfg.headlessDesktopW = 1920;
  cfg.headlessDesktopH = 1080;
  ASSERT_TRUE(plat::init(cfg));
  desktopWidth = 1920;
  desktopHeight = 1080;
  TOptions& o = options();
  o.fullScreen = 0;
  o.openScreen();
  EXPECT_FALSE(plat::gfx().fullScreen());
  o.switchScreen();
  EXPECT_EQ(o.fullScreen, 1);
  EXPECT_TRUE(plat::gfx().fullScreen());
}
