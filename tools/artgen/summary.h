// Painters of the win and lose summaries.
#pragma once

#include "Paint.h"

namespace artgen {

} // namespace artgen
