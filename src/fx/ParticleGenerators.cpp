#include "fx/ParticleGenerators.h"

#include <algorithm>
#include <cmath>

#include "fx/Path.h"
#include "platform/Random.h"

namespace {

constexpr TRGB kWhite{255, 255, 255};
constexpr int kAlphaBlend = 3;
constexpr int kAdditive = 4;

// How close a praise caption may come to another caption before it is
// dropped, so a cascade does not pile captions on one spot.
constexpr float kCaptionGap = 90.f;

struct Radial {
  float radius;
  int kind;  // -1: 0 or 1 at random
  float startS, endS;
  int blend;
  int life;
};

void radial(const Radial& k, int x, int y, TRGB colour, int delay, TParticleList* list) {
  const float angle = static_cast<float>(plat::randInt(1, 360));
  const float ex = static_cast<float>(x) + k.radius * fx::cosDeg(angle);
  const float ey = static_cast<float>(y) + k.radius * fx::sinDeg(angle);
  const int kind = k.kind < 0 ? plat::randInt(0, 1) : k.kind;
  const float fx0 = static_cast<float>(x), fy0 = static_cast<float>(y);
  createParticle(kind, fx0, fy0, ex, ey, (fx0 + ex) / 2.f, (fy0 + ey) / 2.f, colour, 1, 0,
                 k.startS, k.endS, 0, 0, k.blend, delay, k.life, list);
}

// A piece that drops away from (sx, sy): down by 100..200, sideways by up to
// 100, after a small hop of 50..70.
struct Fall {
  float ex, ey, mx, my;
};
Fall fallFrom(float sx, float sy) {
  Fall f;
  f.ex = sx + static_cast<float>(plat::randInt(-100, 100));
  f.ey = sy + static_cast<float>(plat::randInt(100, 200));
  f.mx = f.ex;
  f.my = sy - static_cast<float>(plat::randInt(50, 70));
  return f;
}

}  // namespace

void generateTileBreakParticles(int strength, int x, int y, TParticleList* list) {
  for (int i = 0; i < 6; ++i)
    for (int j = 0; j < 6; ++j) {
      const float sx = static_cast<float>(x - 21 + 7 * j);
      const float sy = static_cast<float>(y - 21 + 7 * i);
      const Fall f = fallFrom(sx, sy);
      const float spin = static_cast<float>(plat::randInt(100, 200));
      auto p = std::make_shared<TPlateParticle>();
      initParticle(*p, strength - 1, sx, sy, f.ex, f.ey, f.mx, f.my, kWhite, 1, 0, 1, 1, 0, spin,
                   kAlphaBlend, 0, 1200);
      p->frame = 6 * i + j;
      addParticle(p, list);
    }
}

void generateChainBreakParticles(int x, int y, TParticleList* list) {
  const float sx = static_cast<float>(x), sy = static_cast<float>(y);
  for (int k = 0; k < 10; ++k) {
    const Fall f = fallFrom(sx, sy);
    const float spin = static_cast<float>(plat::randInt(100, 200));
    createParticle(6, sx, sy, f.ex, f.ey, f.mx, f.my, kWhite, 1, 0, 1, 1, 0, spin, kAlphaBlend, 0,
                   2000, list);
  }
}

std::shared_ptr<TScoreParticle> generateScoreParticle(int score, int x, int y,
                                                      TParticleList* list, int delay) {
  auto p = std::make_shared<TScoreParticle>();
  const float fx0 = static_cast<float>(x), fy0 = static_cast<float>(y);
  initParticle(*p, 0, fx0, fy0, fx0, fy0 - 40, fx0, fy0 - 20, kWhite, 1, 0, 1, 1, 0, 0,
               kAlphaBlend, delay, 3000);
  p->tab = TScoreParticle::tabFor("+" + std::to_string(score));
  addParticle(p, list);
  return p;
}

std::shared_ptr<TNumberAndTextParticle> generateNumberAndTextParticle(int number, int caption, int x,
                                                                      int y, TParticleList* list) {
  auto p = std::make_shared<TNumberAndTextParticle>();
  const float fx0 = static_cast<float>(x), fy0 = static_cast<float>(y);
  initParticle(*p, caption, fx0, fy0, fx0, fy0 - 50, fx0, fy0 - 25, kWhite, 1, 0, 2, 2, 0, 0,
               kAlphaBlend, 0, 3000);
  p->tab = TScoreParticle::tabFor(std::to_string(number));
  addParticle(p, list);
  return p;
}

std::shared_ptr<TTextParticle> generateTextParticle(int caption, int x, int y,
                                                    TParticleList* list) {
  TParticleList& target = list ? *list : particleList;
  const float fx0 = static_cast<float>(x), fy0 = static_cast<float>(y);
  if (caption < 4) {
    auto near = target.find([&](TParticle& q) {
      if (!dynamic_cast<TTextParticle*>(&q)) return false;
      return std::hypot(q.x - fx0, q.y - fy0) <= kCaptionGap;
    });
    if (near) return nullptr;
  }
  auto p = std::make_shared<TTextParticle>();
  initParticle(*p, caption, fx0, fy0, fx0, fy0 - 80, fx0, fy0 - 40, kWhite, 1, 0, 1, 1, 0, 0,
               kAlphaBlend, 250, 2000);
  addParticle(p, &target);
  return p;
}

void generateExplosionParticles(int x, int y, int delay, std::optional<TRGB> colour,
                                TParticleList* list) {
  const TRGB c = colour.value_or(kWhite);
  const float fx0 = static_cast<float>(x), fy0 = static_cast<float>(y);
  createParticle(7, fx0, fy0, fx0, fy0, fx0, fy0, c, 1, 0, 0.2f, 2, 0, 360, kAlphaBlend, delay, 700,
                 list);
  createParticle(7, fx0, fy0, fx0, fy0, fx0, fy0, c, 0.7f, 0, 0.2f, 2, 0, 360, kAdditive, delay,
                 700, list);
}

void generateSparkLine(int x1, int y1, int x2, int y2, int delay, TParticleList* list) {
  const int f = plat::randInt(100, 150);
  TRGB c;
  if (plat::randInt(0, 3) != 0)
    c = newRGB(std::min(2 * f, 255), f, static_cast<int>(0.1 * f));
  else
    c = newRGB(std::min(2 * f, 255), 0, 0);
  const float ax = static_cast<float>(x1), ay = static_cast<float>(y1);
  const float bx = static_cast<float>(x2), by = static_cast<float>(y2);
  createParticle(2, ax, ay, bx, by, (ax + bx) / 2.f, (ay + by) / 2.f, c, 1, 0, 0.5f, 1, 0, 0,
                 kAdditive, delay, 500, list);
}

void generateBurstParticle(int x, int y, TRGB colour, int delay, TParticleList* list) {
  radial({24, -1, 0.5f, 1, kAdditive, 500}, x, y, colour, delay, list);
}

void generateBlueBurstParticle(int x, int y, int delay, TParticleList* list) {
  const int v = plat::randInt(150, 255);
  const TRGB c = plat::randInt(0, 1) == 1 ? newRGB(0, 0, v) : newRGB(0, v, v);
  radial({24, -1, 0.5f, 1, kAdditive, 500}, x, y, c, delay, list);
}

void generateBurstParticleAlpha(int x, int y, TRGB colour, int delay, TParticleList* list) {
  radial({24, -1, 0.5f, 1, kAlphaBlend, 500}, x, y, colour, delay, list);
}

void generateWideBurstParticle(int x, int y, TRGB colour, int delay, TParticleList* list) {
  radial({25, -1, 0.5f, 1, kAdditive, 500}, x, y, colour, delay, list);
}

void generateShortBurstParticle(int x, int y, TRGB colour, int delay, TParticleList* list) {
  radial({24, -1, 0.5f, 1, kAdditive, 300}, x, y, colour, delay, list);
}

void generateLongBurstParticle(int x, int y, TRGB colour, int delay, TParticleList* list) {
  radial({24, -1, 0.5f, 1, kAdditive, 600}, x, y, colour, delay, list);
}

void generateSparkParticle(int x, int y, TRGB colour, int delay, TParticleList* list) {
  radial({24, 1, 1, 1, kAdditive, 200}, x, y, colour, delay, list);
}

void generateSparkParticleLong(int x, int y, TRGB colour, int delay, TParticleList* list) {
  radial({24, 1, 1, 1, kAdditive, 300}, x, y, colour, delay, list);
}

void generateBigBurstParticle(int x, int y, TRGB colour, int delay, TParticleList* list) {
  radial({36, -1, 0.5f, 1, kAdditive, 500}, x, y, colour, delay, list);
}
