#include "platform/Random.h"

#include <cmath>

namespace plat {

namespace {

// xoshiro256** seeded through splitmix64: small, fast and identical on every
// compiler, unlike the standard library's distributions.
struct Rng {
  uint64_t s[4];
  uint64_t seed = 0;

  static uint64_t splitmix(uint64_t& x) {
    uint64_t z = (x += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  void reseed(uint64_t v) {
    seed = v;
    uint64_t x = v;
    for (auto& w : s) w = splitmix(x);
  }
  static uint64_t rotl(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
  uint64_t next() {
    uint64_t result = rotl(s[1] * 5, 7) * 9;
    uint64_t t = s[1] << 17;
    s[2] ^= s[0];
    s[3] ^= s[1];
    s[1] ^= s[2];
    s[0] ^= s[3];
    s[2] ^= t;
    s[3] = rotl(s[3], 45);
    return result;
  }
  // Unbiased integer in [0, n) by rejection.
  uint64_t below(uint64_t n) {
    if (n == 0) return 0;
    uint64_t limit = UINT64_MAX - UINT64_MAX % n;
    uint64_t v;
    do v = next();
    while (v >= limit);
    return v % n;
  }
};

Rng& rng() {
  static Rng r = [] {
    Rng x{};
    x.reseed(0x5EED5EEDull);
    return x;
  }();
  return r;
}

}  // namespace

void seedRandom(uint64_t seed) { rng().reseed(seed); }
uint64_t randomSeed() { return rng().seed; }

int randInt(int a, int b) {
  int lo = a < b ? a : b, hi = a < b ? b : a;
  uint64_t span = uint64_t(int64_t(hi) - int64_t(lo)) + 1;
  return int(int64_t(lo) + int64_t(rng().below(span)));
}

float randFloat(float a, float b) {
  float lo = a < b ? a : b, hi = a < b ? b : a;
  // 24 random bits give every float in [0, 1) a fair chance and never 1.
  float unit = float(rng().next() >> 40) * (1.0f / 16777216.0f);
  float v = lo + (hi - lo) * unit;
  if (v >= hi && hi > lo) v = std::nextafter(hi, lo);
  return v;
}

}  // namespace plat
