#include "board/PowerUp.h"

#include "data/RCMFile.h"
#include "platform/Files.h"

namespace {
std::array<int, 6> thresholds{};
}

int powerUpThreshold(int slot) { return (slot >= 1 && slot <= 6) ? thresholds[slot - 1] : 0; }

void setPowerUpThreshold(int slot, int units) {
  if (slot >= 1 && slot <= 6) thresholds[slot - 1] = units;
}

bool loadPowerUpsTimes(const std::string& path) {
  auto f = loadRCMFile(path);
  if (!f) return false;
  for (int n = 1; n <= 6; ++n)
    thresholds[n - 1] = static_cast<int>(f->getFloat("powerUpsTimes::data" + std::to_string(n)));
  return true;
}

float TPowerUp::getPercent() const {
  if (aktywny) return 1.f;
  if (odkryty) {
    const int t = powerUpThreshold(n);
    // Without a threshold (no data file) there is nothing to show a share of.
    if (t <= 0) return 0.f;
    return static_cast<float>(data) / static_cast<float>(t);
  }
  return 0.3f;
}

bool TPowerUp::addData(int k) {
  if (aktywny) return false;
  data += k;
  const int t = powerUpThreshold(n);
  if (data < t) return false;
  data = t;
  state = 1;
  if (odkryty) aktywny = 1;
  return true;
}

void TPowerUp::use() {
  aktywny = 0;
  data = 0;
  unitTime = plat::millisecs() + 100;
}
