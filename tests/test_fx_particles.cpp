// Particles: their life on the program clock, the generators' recipes, the
// drawing of the particle kinds and the loading of their images.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <set>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "TestUtil.h"
#include "app/Screen.h"
#include "fx/BoardFx.h"
#include "fx/ParticleGenerators.h"
#include "platform/Clock.h"
#include "platform/Graphics.h"
#include "platform/Platform.h"
#include "platform/Random.h"

namespace {

plat::ImagePtr solid(int w, int h, uint8_t r, uint8_t g, uint8_t b) {
  plat::Pixmap pm(w, h);
  pm.fill(r, g, b, 255);
  auto img = plat::Image::fromPixmap(std::move(pm), 0);
  img->midHandle();
  return img;
}

class Particles : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::useFakeClock(100000);
    plat::seedRandom(7);
    delta = 1;
    particleList.clear();
  }
  void TearDown() override {
    particleList.clear();
    TParticle::images.clear();
    TScoreParticle::digits.clear();
    TTextParticle::captions.clear();
    TPlateParticle::shards.clear();
  }
  static void step(int ms) {
    plat::advanceFakeClock(ms);
    updateParticles();
  }
  static std::vector<TParticlePtr> all() { return particleList.members(); }
};

TEST_F(Particles, ADelayedParticleWaitsThenLivesItsLifeOnTheClock) {
  auto p = createParticle(0, 0, 0, 100, 0, 50, 0, TRGB{}, 1, 0, 1, 1, 0, 0, 4, 500, 1000);
  step(499);
  EXPECT_FALSE(p->started());
  EXPECT_FALSE(p->born());
  EXPECT_FLOAT_EQ(p->lifePer, 0);
  step(1);  // 500 ms: born on this update
  ASSERT_TRUE(p->born());
  EXPECT_EQ(p->bornTime, 100500);
  EXPECT_FLOAT_EQ(p->x, 0);
  step(500);
  EXPECT_FLOAT_EQ(p->lifePer, 0.5f);
  EXPECT_FLOAT_EQ(p->x, 50);
  EXPECT_FLOAT_EQ(p->a, 0.5f);
  step(500);  // exactly its life: still there, at the end of its path
  EXPECT_TRUE(particleList.contains(p.get()));
  EXPECT_FLOAT_EQ(p->x, 100);
  step(1);
  EXPECT_FALSE(particleList.contains(p.get())) << "gone once its life is over";
}

TEST_F(Particles, BornOnTheFirstUpdateEvenWhenTheClockReadsZero) {
  plat::useFakeClock(0);
  auto p = createParticle(0, 0, 0, 0, 0, 0, 0, TRGB{}, 1, 0, 1, 1, 0, 0, 4, 0, 100);
  step(0);
  step(60);
  step(60);
  EXPECT_FALSE(particleList.contains(p.get())) << "lives 100 ms from its birth at 0";
}

TEST_F(Particles, MotionDependsOnTimeNotOnFrames) {
  // One particle sees a frame every 5 ms, the other one frame in 200 ms.
  TParticleList fast, slow;
  auto a = createParticle(0, 10, 20, 300, 120, 40, -80, TRGB{}, 1, 0.2f, 0.5f, 2, 0, 270, 4, 0, 600,
                          &fast);
  auto b = createParticle(0, 10, 20, 300, 120, 40, -80, TRGB{}, 1, 0.2f, 0.5f, 2, 0, 270, 4, 0, 600,
                          &slow);
  updateParticles(fast);
  updateParticles(slow);
  for (int i = 0; i < 40; ++i) {
    plat::advanceFakeClock(5);
    updateParticles(fast);
  }
  updateParticles(slow);
  for (auto* p : {a.get(), b.get()}) {
    const float t = 200.f / 600.f;
    EXPECT_NEAR(p->x, 10 + 2 * t * (40 - 10) + t * t * (10 - 80 + 300), 1e-3);
    EXPECT_NEAR(p->y, 20 + 2 * t * (-80 - 20) + t * t * (20 + 160 + 120), 1e-3);
    EXPECT_NEAR(p->a, 1 + (0.2f - 1) * t, 1e-5);
    EXPECT_NEAR(p->s, 0.5f + 1.5f * t, 1e-5);
    EXPECT_NEAR(p->r, 270 * t, 1e-3);
  }
}

TEST_F(Particles, ANewParticleStandsAtItsStartBeforeItsFirstUpdate) {
  auto p = createParticle(0, 300, 200, 0, 0, 0, 0, TRGB{}, 1, 0, 1, 1, 0, 0, 4, 0, 100);
  EXPECT_FLOAT_EQ(p->x, 300);
  EXPECT_FLOAT_EQ(p->y, 200);
  EXPECT_FLOAT_EQ(p->a, 1);
}

TEST_F(Particles, ListsAreIndependentAndClearedAtOnce) {
  TParticleList mine;
  createParticle(0, 0, 0, 0, 0, 0, 0, TRGB{}, 1, 0, 1, 1, 0, 0, 4, 0, 100, &mine);
  createParticle(0, 0, 0, 0, 0, 0, 0, TRGB{}, 1, 0, 1, 1, 0, 0, 4, 0, 100);
  EXPECT_EQ(mine.size(), 1u);
  EXPECT_EQ(particleList.size(), 1u);
  clearParticles(mine);
  EXPECT_TRUE(mine.empty());
  EXPECT_EQ(particleList.size(), 1u);
}

// --- generators ------------------------------------------------------------------

float dist(float ax, float ay, float bx, float by) { return std::hypot(ax - bx, ay - by); }

TEST_F(Particles, RadialFamilyRecipes) {
  const TRGB red{200, 10, 10};
  struct Case {
    const char* name;
    std::function<void()> make;
    float radius;
    bool kindMayBeZero;
    float startS;
    int blend;
    int life;
  };
  const std::vector<Case> cases = {
      {"burst", [&] { generateBurstParticle(100, 100, red, 20); }, 24, true, 0.5f, 4, 500},
      {"burst alpha", [&] { generateBurstParticleAlpha(100, 100, red, 20); }, 24, true, 0.5f, 3, 500},
      {"wide", [&] { generateWideBurstParticle(100, 100, red, 20); }, 25, true, 0.5f, 4, 500},
      {"short", [&] { generateShortBurstParticle(100, 100, red, 20); }, 24, true, 0.5f, 4, 300},
      {"long", [&] { generateLongBurstParticle(100, 100, red, 20); }, 24, true, 0.5f, 4, 600},
      {"spark", [&] { generateSparkParticle(100, 100, red, 20); }, 24, false, 1, 4, 200},
      {"spark long", [&] { generateSparkParticleLong(100, 100, red, 20); }, 24, false, 1, 4, 300},
      {"big", [&] { generateBigBurstParticle(100, 100, red, 20); }, 36, true, 0.5f, 4, 500},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::set<int> kinds;
    for (int i = 0; i < 200; ++i) {
      particleList.clear();
      c.make();
      ASSERT_EQ(particleList.size(), 1u);
      const auto& p = *all()[0];
      kinds.insert(p.n);
      EXPECT_NEAR(dist(p.x1, p.y1, p.x2, p.y2), c.radius, 1e-3);
      EXPECT_FLOAT_EQ(p.x1, 100);
      EXPECT_FLOAT_EQ(p.mx, (p.x1 + p.x2) / 2);
      EXPECT_FLOAT_EQ(p.my, (p.y1 + p.y2) / 2);
      EXPECT_EQ(p.rgb.r, 200);
      EXPECT_EQ(p.blend, c.blend);
      EXPECT_EQ(p.lifeTime, c.life);
      EXPECT_EQ(p.startTime, 100020);
      EXPECT_FLOAT_EQ(p.startS, c.startS);
      EXPECT_FLOAT_EQ(p.ds, 1);
      EXPECT_FLOAT_EQ(p.startA, 1);
      EXPECT_FLOAT_EQ(p.da, 0);
    }
    EXPECT_EQ(kinds, c.kindMayBeZero ? (std::set<int>{0, 1}) : (std::set<int>{1}));
  }
}

TEST_F(Particles, BlueBurstIsBlueOrCyan) {
  std::set<std::string> looks;
  for (int i = 0; i < 100; ++i) {
    particleList.clear();
    generateBlueBurstParticle(0, 0);
    const TRGB c = all()[0]->rgb;
    EXPECT_EQ(c.r, 0);
    EXPECT_GE(c.b, 150);
    EXPECT_LE(c.b, 255);
    EXPECT_TRUE(c.g == 0 || c.g == c.b);
    looks.insert(c.g == 0 ? "blue" : "cyan");
  }
  EXPECT_EQ(looks.size(), 2u);
}

TEST_F(Particles, SparkLineIsFieryAndFliesStraight) {
  int red = 0;
  for (int i = 0; i < 200; ++i) {
    particleList.clear();
    generateSparkLine(10, 20, 30, 60, -1000);
    const auto& p = *all()[0];
    EXPECT_EQ(p.n, 2);
    EXPECT_EQ(p.blend, 4);
    EXPECT_EQ(p.lifeTime, 500);
    EXPECT_FLOAT_EQ(p.mx, 20);
    EXPECT_FLOAT_EQ(p.my, 40);
    EXPECT_FLOAT_EQ(p.x2, 30);
    if (p.rgb.g == 0) {
      ++red;
      EXPECT_GE(p.rgb.r, 200);
    } else {
      EXPECT_GE(p.rgb.g, 100);
      EXPECT_LE(p.rgb.g, 150);
      EXPECT_EQ(p.rgb.r, std::min(2 * p.rgb.g, 255));
      EXPECT_EQ(p.rgb.b, p.rgb.g / 10);
    }
  }
  EXPECT_GT(red, 20) << "about one in four is plain red";
  EXPECT_LT(red, 90);
}

TEST_F(Particles, TileBreakShardsCoverTheCellAndUseTheStrengthsImage) {
  generateTileBreakParticles(2, 300, 200);
  auto shards = all();
  ASSERT_EQ(shards.size(), 36u);
  for (int k = 0; k < 36; ++k) {
    auto* p = dynamic_cast<TPlateParticle*>(shards[k].get());
    ASSERT_NE(p, nullptr);
    const int i = k / 6, j = k % 6;
    EXPECT_EQ(p->n, 1) << "strength 2 breaks gfx/tiles/tile3.png";
    EXPECT_EQ(p->frame, 6 * i + j);
    EXPECT_FLOAT_EQ(p->x1, 300 - 21 + 7 * j);
    EXPECT_FLOAT_EQ(p->y1, 200 - 21 + 7 * i);
    EXPECT_GE(p->y2 - p->y1, 100);
    EXPECT_LE(p->y2 - p->y1, 200);
    EXPECT_LE(std::abs(p->x2 - p->x1), 100);
    EXPECT_FLOAT_EQ(p->mx, p->x2);
    EXPECT_GE(p->y1 - p->my, 50);
    EXPECT_LE(p->y1 - p->my, 70);
    EXPECT_EQ(p->blend, 3);
    EXPECT_EQ(p->lifeTime, 1200);
    EXPECT_GE(p->dr, 100);
    EXPECT_LE(p->dr, 200);
  }
}

TEST_F(Particles, ChainBreakAndExplosion) {
  generateChainBreakParticles(50, 60);
  auto links = all();
  ASSERT_EQ(links.size(), 10u);
  for (auto& p : links) {
    EXPECT_EQ(p->n, 6);
    EXPECT_EQ(p->lifeTime, 2000);
    EXPECT_EQ(p->blend, 3);
    EXPECT_FLOAT_EQ(p->x1, 50);
  }
  particleList.clear();
  generateExplosionParticles(70, 80, 30);
  auto flash = all();
  ASSERT_EQ(flash.size(), 2u);
  EXPECT_EQ(flash[0]->blend, 3);
  EXPECT_FLOAT_EQ(flash[0]->startA, 1);
  EXPECT_EQ(flash[1]->blend, 4);
  EXPECT_FLOAT_EQ(flash[1]->startA, 0.7f);
  for (auto& p : flash) {
    EXPECT_EQ(p->n, 7);
    EXPECT_EQ(p->rgb.g, 255) << "white when no colour is given";
    EXPECT_FLOAT_EQ(p->startS, 0.2f);
    EXPECT_FLOAT_EQ(p->ds, 2);
    EXPECT_FLOAT_EQ(p->dr, 360);
    EXPECT_EQ(p->startTime, 100030);
    EXPECT_FLOAT_EQ(p->x2, 70);
  }
  particleList.clear();
  generateExplosionParticles(0, 0, 0, TRGB{1, 2, 3});
  EXPECT_EQ(all()[1]->rgb.b, 3);
}

TEST_F(Particles, PraiseCaptionsDoNotPileUp) {
  ASSERT_NE(generateTextParticle(0, 500, 300), nullptr);
  struct Case {
    int caption;
    int x, y;
    bool made;
  };
  const std::vector<Case> cases = {
      {2, 530, 340, false},  // 50 px away
      {3, 500, 390, false},  // exactly 90 px away
      {2, 500, 391, true},   // just beyond
      {5, 530, 340, true},   // level complete always shows
      {9, 500, 300, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "caption " << c.caption << " at " << c.x << "," << c.y);
    TParticleList l;
    generateTextParticle(0, 500, 300, &l);
    auto p = generateTextParticle(c.caption, c.x, c.y, &l);
    EXPECT_EQ(p != nullptr, c.made);
    EXPECT_EQ(l.size(), c.made ? 2u : 1u);
  }
  // Other particle kinds and other lists do not count.
  TParticleList l;
  generateScoreParticle(10, 500, 300, &l);
  EXPECT_NE(generateTextParticle(1, 500, 300, &l), nullptr);
}

TEST_F(Particles, TextParticleWobblesAndSettles) {
  auto p = generateTextParticle(1, 400, 400);
  EXPECT_EQ(p->startTime, 100250);
  EXPECT_FLOAT_EQ(p->y2, 320);
  step(250);
  EXPECT_FLOAT_EQ(p->px, 1);
  EXPECT_FLOAT_EQ(p->py, 1.2f);
  step(500);  // p = 0.25: sin(225) and cos(180)
  EXPECT_NEAR(p->px, 1 + 0.8f * std::sin(225 * M_PI / 180) * 0.75f, 1e-5);
  EXPECT_NEAR(p->py, 1 - 0.2f * 0.75f, 1e-5);
  step(1500);
  EXPECT_NEAR(p->px, 1, 1e-6);
  EXPECT_NEAR(p->py, 1, 1e-6);
}

TEST_F(Particles, NumbersBecomeImageNumbers) {
  EXPECT_EQ(TScoreParticle::tabFor("+150"), (std::vector<int>{10, 1, 5, 0}));
  EXPECT_EQ(TScoreParticle::tabFor("+ 7x"), (std::vector<int>{10, -1, 7, -1}));
  auto s = generateScoreParticle(150, 10, 20, nullptr, 500);
  EXPECT_EQ(s->tab, (std::vector<int>{10, 1, 5, 0}));
  EXPECT_EQ(s->startTime, 100500);
  EXPECT_FLOAT_EQ(s->y2, -20);
  EXPECT_EQ(s->lifeTime, 3000);
  auto n = generateNumberAndTextParticle(7, 9, 10, 20);
  EXPECT_EQ(n->tab, (std::vector<int>{7}));
  EXPECT_EQ(n->n, 9);
  EXPECT_FLOAT_EQ(n->startS, 2);
  EXPECT_FLOAT_EQ(n->y2, -30);
}

TEST_F(Particles, BoardRequestsBecomeTheirRecipes) {
  struct Case {
    TBoardFx::Kind kind;
    size_t count;
    int blend;
  };
  const std::vector<Case> cases = {
      {TBoardFx::TileBreak, 36, 3}, {TBoardFx::ChainBreak, 10, 3}, {TBoardFx::BurstAlpha, 1, 3},
      {TBoardFx::Burst, 1, 4},      {TBoardFx::Explosion, 2, 3},   {TBoardFx::Score, 1, 3},
      {TBoardFx::Spark, 1, 4},      {TBoardFx::SparkLong, 1, 4},   {TBoardFx::SparkLine, 1, 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    TParticleList l;
    TBoardFx fx;
    fx.kind = c.kind;
    fx.value = 1;
    fx.x = 100;
    fx.y = 100;
    spawnBoardFx(fx, &l);
    EXPECT_EQ(l.size(), c.count);
    EXPECT_EQ(l.members()[0]->blend, c.blend);
  }
}

// --- drawing ------------------------------------------------------------------

class ParticleDrawing : public Particles {
 protected:
  void SetUp() override {
    Particles::SetUp();
    plat::PlatformConfig cfg;
    cfg.headless = true;
    cfg.audio = false;
    ASSERT_TRUE(plat::init(cfg));
    ASSERT_TRUE(plat::gfx().openDisplay(1024, 768, false));
    plat::gfx().setClsColour(0, 0, 0);
  }
  void TearDown() override {
    Particles::TearDown();
    plat::shutdown();
  }
  static plat::Pixmap frame(const std::function<void()>& draw) {
    plat::gfx().cls();
    draw();
    return plat::gfx().readBackBuffer();
  }
  static int sprites(const std::function<void()>& draw) {
    plat::gfx().cls();
    draw();
    plat::gfx().flip(0);
    return plat::gfx().lastFrameStats().sprites;
  }
};

TEST_F(ParticleDrawing, NothingShowsBeforeTheStartTime) {
  TParticle::images = {solid(8, 8, 255, 255, 255)};
  createParticle(0, 100, 100, 100, 100, 100, 100, TRGB{}, 1, 0, 1, 1, 0, 0, 3, 500, 1000);
  updateParticles();
  EXPECT_EQ(sprites([] { drawParticles(); }), 0);
  step(500);
  EXPECT_EQ(sprites([] { drawParticles(); }), 1);
}

TEST_F(ParticleDrawing, KindsWithoutAnImageDrawNothing) {
  TParticle::images = {solid(8, 8, 255, 255, 255)};
  createParticle(5, 100, 100, 100, 100, 100, 100, TRGB{}, 1, 0, 1, 1, 0, 0, 3, 0, 1000);
  createParticle(-1, 100, 100, 100, 100, 100, 100, TRGB{}, 1, 0, 1, 1, 0, 0, 3, 0, 1000);
  generateTextParticle(4, 100, 100);
  generateTileBreakParticles(7, 100, 100);
  generateScoreParticle(5, 100, 100);
  step(300);
  EXPECT_EQ(sprites([] { drawParticles(); }), 0);
}

TEST_F(ParticleDrawing, ParticleIsTintedWithItsColour) {
  TParticle::images = {solid(8, 8, 255, 255, 255)};
  createParticle(0, 200, 150, 200, 150, 200, 150, TRGB{255, 128, 0}, 1, 1, 2, 2, 0, 0, 3, 0, 1000);
  updateParticles();
  auto pm = frame([] { drawParticles(); });
  const uint8_t* px = pm.at(200, 150);
  EXPECT_EQ(px[0], 255);
  EXPECT_NEAR(px[1], 128, 2);
  EXPECT_EQ(px[2], 0);
  EXPECT_NE(pm.rgbaAt(207, 150) >> 8, 0u) << "scale 2 spreads 8 pixels to 16";
  EXPECT_EQ(pm.rgbaAt(209, 150) >> 8, 0u);
}

TEST_F(ParticleDrawing, ScoreIsCentredOnItsX) {
  // The plus and each digit in a colour of its own, 40 pixels wide.
  TScoreParticle::digits.assign(11, nullptr);
  TScoreParticle::digits[10] = solid(40, 40, 250, 0, 0);
  TScoreParticle::digits[1] = solid(40, 40, 0, 250, 0);
  TScoreParticle::digits[5] = solid(40, 40, 0, 0, 250);
  TScoreParticle::digits[0] = solid(40, 40, 250, 250, 0);
  generateScoreParticle(150, 500, 300);
  updateParticles();
  auto pm = frame([] { drawParticles(); });
  int left = 1024, right = -1;
  for (int x = 0; x < 1024; ++x)
    if (pm.rgbaAt(x, 300) >> 8) {
      left = std::min(left, x);
      right = std::max(right, x);
    }
  ASSERT_GE(right, 0);
  EXPECT_NEAR((left + right) / 2.0, 500, 1.5);
  EXPECT_EQ(pm.rgbaAt(left, 300) >> 8, 0xFA0000u) << "the plus comes first";
  EXPECT_EQ(pm.rgbaAt(right, 300) >> 8, 0xFAFA00u) << "the zero comes last";
  // Characters step 40 x 0.65 x 0.65 = 16.9 px apart: the 1 and the 5 show
  // between them.
  EXPECT_EQ(pm.rgbaAt(500 - 8, 300) >> 8, 0x00FA00u);
  EXPECT_EQ(pm.rgbaAt(500 + 8, 300) >> 8, 0x0000FAu);
}

TEST_F(ParticleDrawing, NumberWithCaptionPutsTheCaptionAfterTheDigits) {
  TScoreParticle::digits.assign(11, nullptr);
  TScoreParticle::digits[7] = solid(40, 40, 0, 250, 0);
  TTextParticle::captions.assign(10, nullptr);
  TTextParticle::captions[9] = solid(20, 20, 0, 0, 250);
  generateNumberAndTextParticle(7, 9, 300, 300);
  updateParticles();
  auto pm = frame([] { drawParticles(); });
  // One digit: advance 16.9 x 2, from 300 - 8.45; the caption 100 further.
  const float end = 300 - 8.45f + 33.8f;
  EXPECT_EQ(pm.rgbaAt(static_cast<int>(end + 100), 300) >> 8, 0x0000FAu);
  EXPECT_EQ(pm.rgbaAt(static_cast<int>(300 - 8.45f + 16.9f), 300) >> 8, 0x00FA00u);
}

TEST_F(ParticleDrawing, ShardShowsItsOwnCellOfTheTile) {
  // A 42 x 42 tile whose 7 x 7 cells each have their own red value.
  plat::Pixmap pm(42, 42);
  for (int y = 0; y < 42; ++y)
    for (int x = 0; x < 42; ++x) {
      uint8_t* p = pm.at(x, y);
      p[0] = static_cast<uint8_t>(10 + 6 * ((y / 7) * 6 + x / 7));
      p[1] = 0;
      p[2] = 0;
      p[3] = 255;
    }
  auto tile = plat::Image::fromPixmap(std::move(pm), 0, 7, 7, 0, 36);
  tile->midHandle();
  TPlateParticle::shards = {tile, nullptr};
  generateTileBreakParticles(1, 500, 400);
  updateParticles();
  auto shot = frame([] { drawParticles(); });
  // Shard (i 2, j 3), cell 15, starts at (500 - 21 + 21, 400 - 21 + 14).
  EXPECT_EQ(shot.at(500, 393)[0], 10 + 6 * 15);
}

// --- loading ------------------------------------------------------------------

class ParticleLoading : public Particles {
 protected:
  void SetUp() override {
    Particles::SetUp();
    old = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
  }
  void TearDown() override {
    std::filesystem::current_path(old);
    Particles::TearDown();
  }
  std::string loadCapturingOutput() {
    std::ostringstream out;
    auto* saved = std::cout.rdbuf(out.rdbuf());
    setupParticles();
    std::cout.rdbuf(saved);
    return out.str();
  }
  TempDir dir;
  std::filesystem::path old;
};

TEST_F(ParticleLoading, MissingImagesAreReportedAndLeftEmpty) {
  writeBytes(dir.file("gfx/particles/0.png"), plat::encodePng(plat::Pixmap(4, 6)));
  writeBytes(dir.file("gfx/particles/2.png"), "not an image");
  writeBytes(dir.file("data/particles.dat"),
             "particles {\n\ti = 2\n\tp0 = \"gfx/particles/0.png\"\n\tp1 = \"gfx/particles/1.png\"\n"
             "\tp2 = \"gfx/particles/2.png\"\n}\n");
  const std::string out = loadCapturingOutput();
  EXPECT_NE(out.find("NO PARTICLE IMG: gfx/particles/1.png"), std::string::npos) << out;
  EXPECT_NE(out.find("NO PARTICLE IMG: gfx/particles/2.png"), std::string::npos) << out;
  EXPECT_EQ(out.find("NO PARTICLE IMG: gfx/particles/0.png"), std::string::npos) << out;
  ASSERT_NE(TParticle::image(0), nullptr);
  EXPECT_FLOAT_EQ(TParticle::image(0)->handleY(), 3) << "mid handle";
  EXPECT_EQ(TParticle::image(1), nullptr);
  EXPECT_GE(TParticle::images.size(), 8u) << "the generators' kinds always have a slot";
  EXPECT_EQ(TScoreParticle::digits.size(), 11u);
  EXPECT_EQ(TTextParticle::captions.size(), 10u);
  EXPECT_EQ(TPlateParticle::shards.size(), 2u);
}

TEST_F(ParticleLoading, BrokenDataFilesGiveEmptyTables) {
  struct Case {
    const char* name;
    const char* text;  // nullptr: no file at all
  };
  const std::vector<Case> cases = {
      {"no file", nullptr},
      {"unbalanced braces", "particles {\n\ti = 7\n"},
      {"absurd count", "particles {\n\ti = 99999999\n}\n"},
      {"negative count", "particles {\n\ti = -5\n}\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(dir.file("data"));
    if (c.text) writeBytes(dir.file("data/particles.dat"), c.text);
    TParticle::images.clear();
    loadCapturingOutput();
    EXPECT_GE(TParticle::images.size(), 8u);
    EXPECT_LE(TParticle::images.size(), 256u);
    for (auto& img : TParticle::images) EXPECT_EQ(img, nullptr);
  }
}

TEST_F(ParticleLoading, TheGameFolderHasEveryImage) {
  std::filesystem::current_path(WOOFMERE_GAME_DIR);
  const std::string out = loadCapturingOutput();
  EXPECT_EQ(out, "") << "nothing missing, nothing broken";
  ASSERT_EQ(TParticle::images.size(), 8u);
  for (int k = 0; k < 8; ++k) EXPECT_NE(TParticle::image(k), nullptr) << "kind " << k;
  for (auto& d : TScoreParticle::digits) {
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->width(), TScoreParticle::digits[0]->width()) << "digits share one spacing";
  }
  for (size_t k = 0; k < TTextParticle::captions.size(); ++k)
    EXPECT_NE(TTextParticle::captions[k], nullptr) << TTextParticle::captionFiles()[k];
  for (auto& sh : TPlateParticle::shards) {
    ASSERT_NE(sh, nullptr);
    EXPECT_EQ(sh->frames(), 36);
    EXPECT_EQ(sh->width(), 7);
  }
}

}  // namespace
