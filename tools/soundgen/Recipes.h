// Every sound the registry in main.cpp can name.
#pragma once

#include "Synth.h"

namespace soundgen {

Buffer renderClick();
Buffer renderTestLoop();

} // namespace soundgen
