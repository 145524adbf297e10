// A real 1024 x 768 window running from the assembled game folder, for tests
// that draw a scene, keep a picture of it for people to look at, and sample
// its pixels.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Pixmap.h"
#include "platform/Platform.h"

class GameWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
    here_ = plat::currentFolder();
    ASSERT_TRUE(plat::changeFolder(WOOFMERE_GAME_DIR));
    plat::PlatformConfig cfg;
    cfg.audio = false;
    ASSERT_TRUE(plat::init(cfg));
    started_ = true;
    ASSERT_TRUE(plat::gfx().openDisplay(1024, 768, false));
  }

  void TearDown() override {
    if (started_) plat::shutdown();
    if (!here_.empty()) plat::changeFolder(here_);
  }

  // Saves the picture in the test output folder and gives its path.
  static std::string keep(const plat::Pixmap& pm, const std::string& name) {
    std::filesystem::create_directories(WOOFMERE_OUT_DIR);
    const std::string path = std::string(WOOFMERE_OUT_DIR) + "/" + name;
    EXPECT_TRUE(plat::savePng(path, pm));
    return path;
  }

 protected:
  // Sampled points (every `step` pixels) of a rectangle where `after` is
  // clearly brighter than `before`: where an effect lit the picture up.
  static int countBrighter(const plat::Pixmap& before, const plat::Pixmap& after, int x0, int y0, int x1, int y1,
                           int step = 3) {
    auto brightness = [](const plat::Pixmap& pm, int x, int y) {
      const uint8_t* p = pm.at(x, y);
      return p[0] + p[1] + p[2];
    };
    int lit = 0;
    for (int y = y0; y < y1; y += step)
      for (int x = x0; x < x1; x += step) lit += brightness(after, x, y) > brightness(before, x, y) + 40;
    return lit;
  }

 private:
  std::string here_;
  bool started_ = false;
};
