// The one seedable random source. Every random draw in the game goes through
// it so that a board, and a whole session, can be replayed from its seed.
#pragma once

#include <cstdint>

namespace plat {

void seedRandom(uint64_t seed);
uint64_t randomSeed();
// Uniform integer from min(a, b) to max(a, b), both ends included.
int randInt(int a, int b);
// Uniform float from the smaller bound (included) to the larger (excluded).
float randFloat(float a, float b);

}  // namespace plat
