// Shared set-up of the toolkit tests: a headless display on the fake clock,
// the game's fonts, and scripted mouse frames.
#pragma once

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <string>

#include "app/Canvas.h"
#include "app/Screen.h"
#include "gui/Font.h"
#include "gui/Mouse.h"
#include "gui/Theme.h"
#include "platform/Clock.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/Platform.h"

struct GuiFixture : ::testing::Test {
  void SetUp() override {
    plat::PlatformConfig cfg;
    cfg.headless = true;
    cfg.audio = false;
    ASSERT_TRUE(plat::init(cfg));
    ASSERT_TRUE(plat::gfx().openDisplay(1024, 768, false));
    setVirtualCanvas(1024, 768, 0);
    plat::useFakeClock(10000);
    plat::input().reset();
    delta = 1;
    TMouse& m = mouse();
    m.cur = nullptr;
    m.x = m.y = m.px = m.py = 0;
    m.leftPressed = m.leftHolded = m._leftHolded = 0;
  }
  void TearDown() override {
    plat::gfx().setFont(nullptr);
    TMyFont::clearCache();
    globalFonts().clear();
    globalThemes().clear();
    currentTheme() = nullptr;
    plat::shutdown();
  }
  static std::string fontPath(const std::string& name) { return std::string(WOOFMERE_GAME_DIR) + "/gfx/fonts/" + name; }
  // One frame of input: pointer at (x, y), the left button as given.
  void frame(int x, int y, bool down) {
    auto& in = plat::input();
    in.moveMouse(float(x), float(y));
    if (down && !in.mouseDown(plat::MOUSE_LEFT)) in.pressMouse(plat::MOUSE_LEFT);
    if (!down && in.mouseDown(plat::MOUSE_LEFT)) in.releaseMouse(plat::MOUSE_LEFT);
    mouse().update();
  }
};

// Captures standard output for the messages a load prints.
class StdoutCapture {
 public:
  StdoutCapture() : old_(std::cout.rdbuf(buf_.rdbuf())) {}
  ~StdoutCapture() { std::cout.rdbuf(old_); }
  std::string text() const { return buf_.str(); }

 private:
  std::ostringstream buf_;
  std::streambuf* old_;
};
