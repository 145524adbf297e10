// Internal: factory functions of the two backends, used by Platform.cpp.
#pragma once

#include <memory>

#include "platform/Graphics.h"
#include "platform/Audio.h"

namespace plat::detail {

// Real backend: SDL2 window with an OpenGL context. Initialises SDL video.
std::unique_ptr<Graphics> createSdlGraphics();
// Headless: no window and no GPU; draws into a CPU framebuffer so that
// screenshots and pixel reads still work in tests.
std::unique_ptr<Graphics> createHeadlessGraphics(int desktopW, int desktopH);
// Translates pending SDL events into input() (real backend only).
void pumpSdlEvents();

std::unique_ptr<Audio> createMixerAudio();   // SDL2_mixer; silent fallback inside
std::unique_ptr<Audio> createSilentAudio();  // headless: decodes to validate, plays nothing

}  // namespace plat::detail
