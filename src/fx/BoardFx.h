// Turns the board's effect requests (TBoardFx, board/BoardEvents.h) into
// particles, so whoever implements TBoardEvents::effect only forwards them.
#pragma once

#include "board/BoardEvents.h"
#include "fx/Particle.h"

void spawnBoardFx(const TBoardFx& fx, TParticleList* list = nullptr);
