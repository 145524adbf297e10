// The whole program behind main(): start-up, the screens, and the exit path.
#pragma once

#include "app/Harness.h"

// Runs the game with the given options from the current folder (the game
// folder). Returns the process exit status.
int runGame(const HarnessOptions& opts);
