// Start and end of the platform layer: picks the real (SDL2 + OpenGL) or the
// headless backend and owns the shared services.
#pragma once

#include <functional>
#include <string>

namespace plat {

struct PlatformConfig {
  bool headless = false;
  bool audio = true;          // try to open an audio device (real backend)
  int headlessDesktopW = 1024;  // desktop the headless backend pretends to have
  int headlessDesktopH = 768;
};

bool init(const PlatformConfig& cfg);
void shutdown();
bool headless();

// Reads pending system events into input() (window close, focus, keys,
// mouse, resize). Cheap; called once per frame and by waiting loops.
void pumpEvents();

// Hook run once when the program ends, whichever way it ends.
void setExitHook(std::function<void()> hook);
void runExitHook();

}  // namespace plat

namespace plat {
// Hook run by Graphics::flip right after each presented frame (also the
// pause picture's frames). The harness uses it to count frames, feed the
// input script, step the fake clock and take screenshots.
void setFrameHook(std::function<void()> hook);
void runFrameHook();
}  // namespace plat
