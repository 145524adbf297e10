// Painters of the play screen's panels, counters, power-up buttons and hint arrows.
#pragma once

#include "Paint.h"

namespace artgen {

} // namespace artgen
