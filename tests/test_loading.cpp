#include <gtest/gtest.h>
#include <unistd.h>

#include "TestUtil.h"
#include "app/Branding.h"
#include "app/Canvas.h"
#include "app/GlobalSnd.h"
#include "app/LoadingScreen.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Platform.h"

namespace {

// Runs a test body from inside a folder, as the game runs from its own.
struct InFolder {
  std::string old;
  explicit InFolder(const std::string& dir) : old(plat::currentFolder()) { EXPECT_TRUE(plat::changeFolder(dir)); }
  ~InFolder() { plat::changeFolder(old); }
};

struct LoadingTest : ::testing::Test {
  void SetUp() override {
    plat::PlatformConfig cfg;
    cfg.headless = true;
    ASSERT_TRUE(plat::init(cfg));
    ASSERT_TRUE(plat::gfx().openDisplay(1024, 768, false));
    setVirtualCanvas(1024, 768, 3);
    plat::useFakeClock(0);
  }
  void TearDown() override {
    TLoadingScreen::setups().clear();
    plat::shutdown();
  }
};

}  // namespace

TEST_F(LoadingTest, SplashShowsThePicturesThatExistInOrder) {
  TempDir dir;
  plat::Pixmap pm(8, 8);
  pm.fill(200, 100, 50, 255);
  for (int k : {1, 2, 4}) writeBytes(dir.file("gfx/branding/partnerscreen-" + std::to_string(k) + ".jpg"),
                                     plat::encodeJpeg(pm, 90));
  InFolder in(dir.path());
  // A small window keeps the 400 software-drawn frames quick.
  ASSERT_TRUE(plat::gfx().openDisplay(128, 96, false));
  setVirtualCanvas(1024, 768, 3);
  TBranding b;
  b.setup();
  ASSERT_EQ(b.imgList.size(), 3u);
  EXPECT_EQ(b.imgList[2]->sourcePath, "gfx/branding/partnerscreen-4.jpg");
  // Each picture fades in, stays 1.5 s and fades out: about 130 frames each.
  int frames = 0;
  plat::setFrameHook([&] {
    ++frames;
    plat::advanceFakeClock(1000.0 / 60.0);
  });
  b.mainLoop();
  plat::setFrameHook(nullptr);
  EXPECT_GT(frames, 3 * 100);
  EXPECT_LT(frames, 3 * 160);
  EXPECT_EQ(b.aktImg, nullptr);
}

TEST_F(LoadingTest, PhasesRunEverySetUpInOrderAndFillTheDog) {
  InFolder in(WOOFMERE_GAME_DIR);
  std::vector<std::string> called;
  for (const char* name : {"TMainGame", "TMainMenu", "TProfileManager", "profiles", "TGaleria"})
    TLoadingScreen::setups()[name] = [&called, name] { called.push_back(name); };
  TLoadingScreen loading;
  int frames = 0;
  plat::setFrameHook([&] { ++frames; });
  loading.PART1();
  loading.PART2();
  loading.PART3();
  loading.PART4();
  loading.PART5();
  plat::setFrameHook(nullptr);
  EXPECT_EQ(called, (std::vector<std::string>{"TMainGame", "TMainMenu", "TProfileManager", "profiles",
                                              "TGaleria"}));
  int effects = int(globalSnd().sounds.size());
  EXPECT_EQ(loading.p, effects + 39) << "one step per effect plus the 39 fixed steps of the five phases";
  EXPECT_EQ(frames, loading.p) << "every step draws a frame";
  EXPECT_EQ(loading.stepLog.back(), "TGaleria");
  // Music pieces 7 and 8 are loaded without a step of their own.
  auto pos = [&](const std::string& s) { return std::find(loading.stepLog.begin(), loading.stepLog.end(), s); };
  EXPECT_LT(pos("music1"), pos("music6"));
  EXPECT_LT(pos("music6"), pos("music7"));
  EXPECT_NE(pos("music8"), loading.stepLog.end());
}

TEST_F(LoadingTest, DogFillsInFromTheBottom) {
  InFolder in(WOOFMERE_GAME_DIR);
  TLoadingScreen loading;
  if (!loading.dog) GTEST_SKIP() << "no loading picture in the game folder";
  auto& g = plat::gfx();
  int H = loading.dog->height(), W = loading.dog->width();
  auto covered = [&](int y) {
    // Rows of the dog picture differ from the background where the dog is drawn.
    g.cls();
    loading._drawBack();
    plat::Pixmap before = g.readBackBuffer();
    loading._drawProgress();
    plat::Pixmap after = g.readBackBuffer();
    int changed = 0;
    for (int x = 515 - W / 2; x < 515 + W / 2; ++x)
      if (before.rgbaAt(x, y) != after.rgbaAt(x, y)) ++changed;
    return changed;
  };
  loading.maxProgress = 100;
  loading.p = 50;
  EXPECT_EQ(covered(404 - H / 2 + H / 4), 0) << "top quarter still empty at half way";
  EXPECT_GT(covered(404 + H / 4), 0) << "bottom quarter drawn";
  loading.p = 300;  // more steps than expected never draws past the picture
  EXPECT_EQ(covered(404 - H / 2 - 2), 0);
}
