// Milliseconds since start. In tests and replays the clock is stepped by hand
// (a fake clock) so that frame timing is reproducible.
#pragma once

#include <cstdint>

namespace plat {

int millisecs();
// Switches to the fake clock: from now on millisecs() only moves by advance().
void useFakeClock(int startMs = 0);
bool fakeClockInUse();
void advanceFakeClock(double ms);
// Sleeps (or, on the fake clock, advances) for ms milliseconds.
void delayMs(int ms);
// Monotonic microseconds of the real clock, for measurements only.
int64_t realMicros();

}  // namespace plat
