#include "platform/Clock.h"

#include <chrono>
#include <thread>

namespace plat {

namespace {
using SteadyClock = std::chrono::steady_clock;
const SteadyClock::time_point g_start = SteadyClock::now();
bool g_fake = false;
double g_fakeMs = 0;
}  // namespace

int millisecs() {
  if (g_fake) return int(g_fakeMs);
  return int(std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - g_start).count());
}

void useFakeClock(int startMs) {
  g_fake = true;
  g_fakeMs = startMs;
}

bool fakeClockInUse() { return g_fake; }

void advanceFakeClock(double ms) { g_fakeMs += ms; }

void delayMs(int ms) {
  if (ms <= 0) return;
  if (g_fake) {
    g_fakeMs += ms;
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

int64_t realMicros() {
  return std::chrono::duration_cast<std::chrono::microseconds>(SteadyClock::now() - g_start).count();
}

}  // namespace plat
