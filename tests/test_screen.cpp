#include <gtest/gtest.h>

#include "app/Canvas.h"
#include "app/Screen.h"
#include "gui/Mouse.h"
#include "platform/Clock.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/Platform.h"

TEST(ScreenFades, AlphaAndVeilStopExactlyAtTheirTargets) {
  struct Case {
    float from, to, expected;
  };
  delta = 1;
  for (const Case& c : {Case{0.98f, 1, 1}, Case{0.02f, 0, 0}, Case{0.5f, 1, 0.55f}, Case{0.5f, 0, 0.45f}, Case{1, 1, 1}}) {
    TEkran s;
    s.alpha = c.from;
    s.dAlpha = c.to;
    s._updateAlpha();
    EXPECT_FLOAT_EQ(s.alpha, c.expected) << c.from << " -> " << c.to;
    s.fade = c.from;
    s.dFade = c.to;
    s._updateFade();
    EXPECT_FLOAT_EQ(s.fade, c.expected);
  }
}

TEST(FrameTimer, DeltaFollowsTheElapsedTimeAndFpsCountsWholeSeconds) {
  plat::useFakeClock(10000);
  TDeltaTime* t = TDeltaTime::Create(60);
  t->Update();  // sets the reference time
  EXPECT_EQ(t->FPS(), 0);
  plat::advanceFakeClock(50);
  t->Update();
  EXPECT_FLOAT_EQ(t->CurrDelta(), 3.0f) << "a 50 ms frame at 60 fps";
  for (int i = 0; i < 55; ++i) {  // 50 + 55 x 16.7 ms: still under a second
    plat::advanceFakeClock(1000.0 / 60.0);
    t->Update();
  }
  EXPECT_EQ(t->FPS(), 0) << "no whole second has passed yet";
  plat::advanceFakeClock(1000.0 / 60.0 * 5);
  t->Update();
  EXPECT_GE(t->FPS(), 55);
  EXPECT_LE(t->FPS(), 60);
  auto& list = TDeltaTime::timers();
  EXPECT_NE(std::find(list.begin(), list.end(), t), list.end());
  t->Destroy();
  EXPECT_EQ(std::find(list.begin(), list.end(), t), list.end());
  delete t;
}

TEST(Counter, PingPongRunsTwentyFramesEachWay) {
  delta = 1;
  auto c = TRMCounter::createCounter(0, 1, 1);
  for (int i = 0; i < 19; ++i) c->update();
  EXPECT_LT(c->v, 1.0f);
  c->update();
  EXPECT_FLOAT_EQ(c->v, 1.0f);
  EXPECT_FLOAT_EQ(c->dv, 0.0f) << "the target flips at the end";
  EXPECT_NEAR(c->perSin, 1.0f, 1e-5);  // sin(90 degrees)
  for (int i = 0; i < 20; ++i) c->update();
  EXPECT_NEAR(c->v, 0.0f, 1e-5);
  c->setSpeed(-0.2f);
  EXPECT_FLOAT_EQ(c->vSpeed, 0.2f);
}

namespace {
struct HeadlessFixture : ::testing::Test {
  void SetUp() override {
    plat::PlatformConfig cfg;
    cfg.headless = true;
    ASSERT_TRUE(plat::init(cfg));
    ASSERT_TRUE(plat::gfx().openDisplay(1024, 768, false));
    setVirtualCanvas(1024, 768, 3);
    plat::useFakeClock(1000);
    plat::input().reset();
    plat::input().clearCloseRequest();
  }
  void TearDown() override { plat::shutdown(); }
};
}  // namespace

TEST_F(HeadlessFixture, QuitKeysEndTheGameOnlyWhereTheyShould) {
  auto& in = plat::input();
  // Escape without cheats: the screen may use it, the game goes on.
  in.pressKey(plat::KEY_ESCAPE);
  EXPECT_NO_THROW(standardUpdate(0));
  EXPECT_EQ(in.keyHit(plat::KEY_ESCAPE), 1) << "the hit is left for the screen";
  // Alt+F4 always ends it, and so does the close button.
  in.pressKey(plat::KEY_LALT);
  in.pressKey(plat::KEY_F4);
  EXPECT_THROW(standardUpdate(0), QuitGame);
  in.reset();
  in.requestClose();
  EXPECT_THROW(standardUpdate(0), QuitGame);
  in.clearCloseRequest();
  in.pressKey(plat::KEY_F4);  // F4 alone is nothing
  EXPECT_NO_THROW(standardUpdate(0));
}

TEST_F(HeadlessFixture, PauseDarkensTheLastFrameUntilTheFocusReturns) {
  auto& g = plat::gfx();
  auto& in = plat::input();
  in.setSuspended(true);
  g.setClsColour(0, 0, 0);
  g.setBlend(plat::Blend::Solid);
  g.setColour(200, 200, 200);
  g.setAlpha(1);
  g.drawRect(0, 0, 1024, 768);
  int frames = 0;
  plat::Pixmap paused;
  plat::setFrameHook([&] {
    if (++frames == 3) {
      paused = g.readBackBuffer();
      in.setSuspended(false);
    }
  });
  flipScreen(0);
  plat::setFrameHook(nullptr);
  EXPECT_GE(frames, 3) << "the pause picture runs frames of its own";
  ASSERT_FALSE(paused.empty());
  // The frame is still there, darkened by half.
  const uint8_t* p = paused.at(20, 700);
  EXPECT_NEAR(p[0], 100, 3);
  EXPECT_FALSE(in.suspended());
}

TEST_F(HeadlessFixture, MissingImageIsReportedAndDrawsNothing) {
  testing::internal::CaptureStdout();
  auto img = loadImageSafe("gfx/does/not/exist.png");
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(img, nullptr);
  EXPECT_NE(out.find("Couldn't load image file: gfx/does/not/exist.png - program will probably crash!"),
            std::string::npos);
  plat::gfx().drawImage(img, 10, 10);  // a no-op, not a crash
}

TEST_F(HeadlessFixture, MouseClickVersusHold) {
  TMouse m;
  auto& in = plat::input();
  // A short press: no click while held, one click on release.
  in.pressMouse(plat::MOUSE_LEFT);
  m.updateSpec();
  EXPECT_EQ(m.leftPressed, 0);
  EXPECT_EQ(m.leftHolded, 0);
  plat::advanceFakeClock(50);
  in.releaseMouse(plat::MOUSE_LEFT);
  m.updateSpec();
  EXPECT_EQ(m.leftPressed, 1);
  // A long press: a hold from 100 ms on and no click.
  in.pressMouse(plat::MOUSE_LEFT);
  m.updateSpec();
  plat::advanceFakeClock(60);
  m.updateSpec();
  EXPECT_EQ(m.leftHolded, 0);
  plat::advanceFakeClock(60);
  m.updateSpec();
  EXPECT_EQ(m.leftHolded, 1);
  plat::advanceFakeClock(180);
  in.releaseMouse(plat::MOUSE_LEFT);
  m.updateSpec();
  EXPECT_EQ(m.leftPressed, 0);
  EXPECT_EQ(m.leftHolded, 0);
}

TEST_F(HeadlessFixture, MouseGeometryAndCursors) {
  TMouse m;
  moveCanvasMouse(30, 30);
  m.update();
  EXPECT_EQ(m.inRect(10, 10, 20, 20), 1);
  moveCanvasMouse(31, 30);
  m.update();
  EXPECT_EQ(m.inRect(10, 10, 20, 20), 0);
  EXPECT_EQ(m.vx, -1);
  plat::Pixmap pm(4, 4);
  auto a = plat::Image::fromPixmap(pm), b = plat::Image::fromPixmap(pm);
  m.loadCursor("paw", a, "", 1, 2, 1, 0);
  m.loadCursor("other", a, "", 0, 0, 1, 0);
  m.loadCursor("PAW", b, "", 0, 0, 1, 0);
  m.setCursor("paw");
  EXPECT_EQ(m.cur->_img, b) << "the later registration wins";
  m.setCursor("nothing");
  EXPECT_EQ(m.cur->_img, b);
}

TEST_F(HeadlessFixture, MousePositionSurvivesTheLetterboxRoundTrip) {
  // Most displays put the canvas at a fractional scale and offset.
  TMouse m;
  int wrong = 0;
  for (auto [w, h] : {std::pair{1920, 1080}, {1366, 768}, {1280, 1024}, {819, 614}, {1440, 900}, {1600, 900}})
  for (int x = 0; x < 1024; ++x) {
    if (x == 0) {
      ASSERT_TRUE(plat::gfx().openDisplay(w, h, true));
      setVirtualCanvas(1024, 768, 3);
    }
    moveCanvasMouse(float(x), float(x % 768));
    m.update();
    if (m.x != x || m.y != x % 768) ++wrong;
    m.updateSpec();
    if (m.x != x) ++wrong;
  }
  EXPECT_EQ(wrong, 0) << "canvas points that came back a pixel off";
}
