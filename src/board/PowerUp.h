// The six power-up slots: their charge thresholds (data/powerUps.dat) and the
// charge record of one slot, which the player's profile keeps between levels.
#pragma once

#include <array>
#include <string>

// Units (matched chips of the slot's colour) that charge slot 1..6.
int powerUpThreshold(int slot);
void setPowerUpThreshold(int slot, int units);
// Reads "powerUpsTimes::data1".."data6"; missing keys leave 0. False when the
// file could not be read.
bool loadPowerUpsTimes(const std::string& path = "data/powerUps.dat");

class TPowerUp {
 public:
  int data = 0;
  int unitTime = 0;
  int n = 0;
  int aktywny = 0;
  int odkryty = 0;
  float alpha = 0, dAlpha = 0;
  float rot = 0;
  int state = 0;
  int time = 0;
  int partTime = 0;

  float getPercent() const;
  // True on the unit that completes the charge (the caller plays the sound).
  bool addData(int k);
  void use();
  // The glow and sparkle show of the panel button; sparkles are asked of
  // the caller through generate (may be empty).
  template <class F>
  void update(F generate);
};

using TPowerUps = std::array<TPowerUp, 6>;

#include "app/Screen.h"
#include "platform/Clock.h"

template <class F>
void TPowerUp::update(F generate) {
  if (!odkryty) return;
  rot += 4 * delta;
  if (rot > 360) rot -= 360;
  alpha = easeToward(alpha, dAlpha, 0.05f * delta);
  const int now = plat::millisecs();
  switch (state) {
    case 1:
      dAlpha = 1;
      if (alpha >= 1) {
        time = now + 1500;
        state = 2;
      }
      break;
    case 2:
      if (now > partTime) {
        partTime = now + 50;
        generate();
      }
      if (now > time) state = 3;
      break;
    case 3:
      dAlpha = 0;
      state = 4;
      break;
    case 4:
      if (alpha <= 0) state = 0;
      break;
    default:
      dAlpha = 0;
      rot = 0;
      break;
  }
}
