#include <gtest/gtest.h>

#include "TestUtil.h"
#include "platform/Audio.h"
#include "platform/Image.h"
#include "platform/Pixmap.h"

using namespace plat;

namespace {

Pixmap gradient(int w, int h) {
  Pixmap pm(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t* p = pm.at(x, y);
      p[0] = uint8_t(x * 255 / (w - 1));
      p[1] = uint8_t(y * 255 / (h - 1));
      p[2] = 90;
      p[3] = uint8_t((x + y) % 256);
    }
  return pm;
}

// Runs the decoder over damaged copies: every one must fail cleanly or give a
// sane picture, never crash (the sanitizer build watches the memory).
void expectDamageIsHarmless(const std::string& good, const char* what) {
  std::vector<std::string> damaged;
  for (size_t cut : {size_t(1), size_t(8), size_t(20), good.size() / 2, good.size() - 1}) damaged.push_back(good.substr(0, cut));
  for (size_t i = 0; i < good.size(); i += 7) {
    std::string d = good;
    d[i] = char(d[i] ^ 0x5A);
    damaged.push_back(d);
  }
  for (const auto& d : damaged) {
    testing::internal::CaptureStdout();
    auto pm = decodeImage(d, what);
    std::string out = testing::internal::GetCapturedStdout();
    if (pm) {
      EXPECT_GT(pm->width, 0);
      EXPECT_EQ(pm->rgba.size(), size_t(pm->width) * size_t(pm->height) * 4);
    } else {
      EXPECT_NE(out.find(what), std::string::npos) << "failure message should name the file";
    }
  }
}

}  // namespace

TEST(ImageCodecs, PngRoundTripKeepsEveryPixel) {
  Pixmap pm = gradient(37, 21);
  auto back = decodeImage(encodePng(pm), "mem.png");
  ASSERT_TRUE(back);
  EXPECT_EQ(back->width, 37);
  EXPECT_EQ(back->height, 21);
  EXPECT_EQ(back->rgba, pm.rgba);
}

TEST(ImageCodecs, JpegDecodesOpaqueAndClose) {
  Pixmap pm = gradient(64, 48);
  auto back = decodeImage(encodeJpeg(pm, 95), "mem.jpg");
  ASSERT_TRUE(back);
  ASSERT_EQ(back->width, 64);
  const uint8_t* p = back->at(32, 24);
  EXPECT_NEAR(p[0], pm.at(32, 24)[0], 12);
  EXPECT_NEAR(p[1], pm.at(32, 24)[1], 12);
  EXPECT_EQ(p[3], 255);
}

TEST(ImageCodecs, CorruptFilesGiveAMessageNotACrash) {
  expectDamageIsHarmless(encodePng(gradient(16, 16)), "bad.png");
  expectDamageIsHarmless(encodeJpeg(gradient(16, 16), 80), "bad.jpg");
  testing::internal::CaptureStdout();
  EXPECT_FALSE(decodeImage("GIF89a....", "odd.gif"));
  EXPECT_FALSE(decodeImage("", "empty.png"));
  EXPECT_NE(testing::internal::GetCapturedStdout().find("odd.gif"), std::string::npos);
}

TEST(ImageCodecs, LoadImageCutsFramesAndMasks) {
  TempDir dir;
  Pixmap strip(30, 10);
  strip.fill(0, 0, 0, 255);              // mask colour
  for (int x = 10; x < 20; ++x) strip.at(x, 5)[0] = 200;
  ASSERT_TRUE(savePng(dir.file("strip.png"), strip));
  auto img = loadAnimImage(dir.file("strip.png"), 10, 10, 0, 3, kMaskedImage);
  ASSERT_TRUE(img);
  EXPECT_EQ(img->frames(), 3);
  EXPECT_EQ(img->width(), 10);
  int sx, sy;
  img->frameOrigin(1, sx, sy);
  EXPECT_EQ(sx, 10);
  Pixmap f1 = img->framePixmap(1);
  EXPECT_EQ(f1.at(0, 0)[3], 0) << "mask colour should turn transparent";
  EXPECT_EQ(f1.at(3, 5)[3], 255);
  testing::internal::CaptureStdout();
  EXPECT_EQ(loadImage(dir.file("nope.png")), nullptr);
  EXPECT_NE(testing::internal::GetCapturedStdout().find("nope.png"), std::string::npos);
}

TEST(SoundLoading, CorruptOggGivesAMessageNotACrash) {
  TempDir dir;
  auto& a = audio();  // silent backend in tests: same checks as the real one
  const std::pair<const char*, std::string> bad[] = {
      {"garbage.ogg", "this is not a sound at all"},
      {"header.ogg", std::string("OggS\0\x02", 6) + std::string(200, '\x11')},
      {"empty.ogg", ""},
  };
  for (const auto& [name, bytes] : bad) {
    writeBytes(dir.file(name), bytes);
    testing::internal::CaptureStdout();
    EXPECT_EQ(a.loadSound(dir.file(name), false), nullptr) << name;
    EXPECT_NE(testing::internal::GetCapturedStdout().find(name), std::string::npos);
  }
  // Damaged copies of a real sound, when the game folder has one.
  std::string good = readBytes(std::string(WOOFMERE_GAME_DIR) + "/gfx/sounds/click.ogg");
  if (good.empty()) GTEST_SKIP() << "no generated sound in the game folder";
  ASSERT_NE(a.loadSound(std::string(WOOFMERE_GAME_DIR) + "/gfx/sounds/click.ogg", false), nullptr);
  for (size_t cut : {good.size() / 3, good.size() - 10}) {
    writeBytes(dir.file("cut.ogg"), good.substr(0, cut));
    testing::internal::CaptureStdout();
    a.loadSound(dir.file("cut.ogg"), false);  // may load what is left; must not crash
    testing::internal::GetCapturedStdout();
  }
  for (size_t i = 60; i < good.size(); i += good.size() / 10) {
    std::string d = good;
    d[i] = char(d[i] ^ 0xFF);
    writeBytes(dir.file("flip.ogg"), d);
    testing::internal::CaptureStdout();
    a.loadSound(dir.file("flip.ogg"), false);
    testing::internal::GetCapturedStdout();
  }
}

TEST(SoundPlayback, SilentChannelsFollowTheClockAndIgnoreStaleHandles) {
  std::string path = std::string(WOOFMERE_GAME_DIR) + "/gfx/sounds/click.ogg";
  if (readBytes(path).empty()) GTEST_SKIP() << "no generated sound in the game folder";
  auto& a = audio();
  auto s = a.loadSound(path, false);
  ASSERT_TRUE(s);
  Channel c = a.play(s, 0.5f);
  ASSERT_NE(c, kNoChannel);
  EXPECT_TRUE(a.playing(c));
  a.pause(c);
  EXPECT_FALSE(a.playing(c));
  a.resume(c);
  EXPECT_TRUE(a.playing(c));
  a.stop(c);
  EXPECT_FALSE(a.playing(c));
  Channel again = a.play(s, 1);
  a.stop(c);  // the old handle must not stop the new voice
  EXPECT_TRUE(a.playing(again));
  a.stopAll();
  EXPECT_FALSE(a.playing(again));
}
