#include "platform/Platform.h"

#include <SDL.h>

#include <iostream>
#include <memory>

#include "platform/Audio.h"
#include "platform/Backends.h"
#include "platform/Graphics.h"
#include "platform/Input.h"

namespace plat {

namespace {
std::unique_ptr<Graphics> g_gfx;
std::unique_ptr<Audio> g_audio;
bool g_headless = false;
std::function<void()> g_exitHook;
bool g_exitHookRan = false;
std::function<void()> g_frameHook;
}  // namespace

bool init(const PlatformConfig& cfg) {
  g_headless = cfg.headless;
  input().reset();
  if (cfg.headless) {
    g_gfx = detail::createHeadlessGraphics(cfg.headlessDesktopW, cfg.headlessDesktopH);
    g_audio = detail::createSilentAudio();
  } else {
    g_gfx = detail::createSdlGraphics();
    if (!g_gfx) return false;
    g_audio = cfg.audio ? detail::createMixerAudio() : detail::createSilentAudio();
  }
  return g_gfx != nullptr;
}

void shutdown() {
  if (g_audio) g_audio->stopAll();
  g_audio.reset();
  if (g_gfx) g_gfx->closeDisplay();
  g_gfx.reset();
  if (!g_headless) SDL_Quit();
}

bool headless() { return g_headless; }

void pumpEvents() {
  if (!g_headless && g_gfx) detail::pumpSdlEvents();
}

void setExitHook(std::function<void()> hook) {
  g_exitHook = std::move(hook);
  g_exitHookRan = false;
}

void runExitHook() {
  // Quitting may be requested from deep inside nested loops more than once
  // on the way out; the hook saves files and must run exactly once.
  if (g_exitHookRan || !g_exitHook) return;
  g_exitHookRan = true;
  g_exitHook();
}

void setFrameHook(std::function<void()> hook) { g_frameHook = std::move(hook); }

void runFrameHook() {
  if (g_frameHook) g_frameHook();
}

Graphics& gfx() {
  if (!g_gfx) {
    // Tests and tools that never called init() still get a working (headless)
    // graphics object rather than a null dereference.
    g_headless = true;
    g_gfx = detail::createHeadlessGraphics(1024, 768);
  }
  return *g_gfx;
}

Audio& audio() {
  if (!g_audio) g_audio = detail::createSilentAudio();
  return *g_audio;
}

}  // namespace plat
