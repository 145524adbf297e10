#include <gtest/gtest.h>

#include "app/Canvas.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/Platform.h"

namespace {

struct CanvasTest : ::testing::Test {
  void SetUp() override {
    plat::PlatformConfig cfg;
    cfg.headless = true;
    cfg.headlessDesktopW = 1920;
    cfg.headlessDesktopH = 1080;
    ASSERT_TRUE(plat::init(cfg));
  }
  void TearDown() override { plat::shutdown(); }
};

}  // namespace

TEST_F(CanvasTest, WideScreenIsLetterboxedWithBarsInTheBorderColour) {
  auto& g = plat::gfx();
  ASSERT_TRUE(g.openDisplay(1920, 1080, true));
  setBorderColour(30, 60, 90);
  g.setClsColour(200, 10, 10);
  setVirtualCanvas(1024, 768, 3);
  const auto& s = canvas::state();
  EXPECT_FLOAT_EQ(s.scale, 1.40625f);
  EXPECT_NEAR(s.canvasOffsetX * s.scale, 240.0f, 1e-3);  // bars of 240 real pixels
  EXPECT_FLOAT_EQ(s.canvasOffsetY, 0.0f);
  EXPECT_NEAR(g.virtualWidth(), 1920 / 1.40625f, 1e-3);

  g.flip(0);
  endCanvasFrame();
  plat::Pixmap fb = g.readBackBuffer();
  ASSERT_EQ(fb.width, 1920);
  for (int x : {0, 120, 238, 1682, 1919}) EXPECT_EQ(fb.rgbaAt(x, 540), 0x1E3C5AFFu) << "bar at x=" << x;
  for (int x : {242, 960, 1677}) EXPECT_EQ(fb.rgbaAt(x, 540), 0xC80A0AFFu) << "canvas at x=" << x;

  // Drawing at canvas (0, 0) lands on the first real pixel after the bar.
  g.setBlend(plat::Blend::Solid);
  g.setColour(0, 255, 0);
  g.setAlpha(1);
  g.drawRect(0, 0, 10, 10);
  fb = g.readBackBuffer();
  EXPECT_EQ(fb.rgbaAt(245, 5), 0x00FF00FFu);
  EXPECT_NE(fb.rgbaAt(236, 5), 0x00FF00FFu) << "the viewport clips the bar";
}

TEST_F(CanvasTest, MouseIsReportedInCanvasUnits) {
  auto& g = plat::gfx();
  ASSERT_TRUE(g.openDisplay(1920, 1080, true));
  setVirtualCanvas(1024, 768, 3);
  const float s = canvas::state().scale;
  struct Case {
    float realX, realY, canvasX, canvasY;
  };
  for (const Case& c : {Case{960, 540, 512, 384}, Case{240, 0, 0, 0}, Case{0, 0, -170.6667f, 0},
                        Case{1680, 1080, 1024, 768}}) {
    plat::input().moveMouse(c.realX / s, c.realY / s);
    EXPECT_NEAR(canvasMouseX(), c.canvasX, 1e-2);
    EXPECT_NEAR(canvasMouseY(), c.canvasY, 1e-2);
  }
  moveCanvasMouse(100, 200);
  EXPECT_NEAR(canvasMouseX(), 100, 1e-3);
  EXPECT_NEAR(canvasMouseY(), 200, 1e-3);
}

TEST_F(CanvasTest, OriginAndViewportAreTranslatedAndClipped) {
  auto& g = plat::gfx();
  ASSERT_TRUE(g.openDisplay(1920, 1080, true));
  setVirtualCanvas(1024, 768, 3);
  setCanvasOrigin(10, 20);
  float ox, oy;
  getCanvasOrigin(ox, oy);
  EXPECT_NEAR(ox, 10, 1e-3);
  EXPECT_NEAR(oy, 20, 1e-3);
  setCanvasViewport(-50, 700, 2000, 500);  // clipped to the canvas
  float x, y, w, h;
  getCanvasViewport(x, y, w, h);
  EXPECT_NEAR(x, 0, 1.0);
  EXPECT_NEAR(y, 700, 1.0);
  EXPECT_NEAR(w, 1024, 1.0);
  EXPECT_NEAR(h, 68, 1.0);
}

TEST_F(CanvasTest, ModesWholeScaleAndPlain) {
  auto& g = plat::gfx();
  ASSERT_TRUE(g.openDisplay(1920, 1080, true));
  setVirtualCanvas(1024, 768, 3 | canvas::kWholeScale);
  EXPECT_FLOAT_EQ(canvas::state().scale, 1.0f);
  EXPECT_FLOAT_EQ(canvas::state().canvasOffsetX, 448.0f);
  EXPECT_FLOAT_EQ(canvas::state().canvasOffsetY, 156.0f);
  setVirtualCanvas(1024, 768, 1);  // 1 keeps the previous mode
  EXPECT_EQ(canvas::state().canvasMode, 3 | canvas::kWholeScale);
  setVirtualCanvas(800, 600, 0);
  EXPECT_FLOAT_EQ(canvas::state().canvasOffsetX, 0.0f);
  EXPECT_FLOAT_EQ(g.virtualWidth(), 800.0f);
  // A window the exact size of the canvas: no bars at all.
  ASSERT_TRUE(g.openDisplay(1024, 768, false));
  setVirtualCanvas(1024, 768, 3);
  EXPECT_FLOAT_EQ(canvas::state().scale, 1.0f);
  EXPECT_FLOAT_EQ(canvas::state().canvasOffsetX, 0.0f);
}
