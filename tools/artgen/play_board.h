// Painters of the board controller's own images: selection ring, chain line, point.
#pragma once

#include "Paint.h"

namespace artgen {

} // namespace artgen
