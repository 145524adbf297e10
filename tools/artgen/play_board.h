// Painters of the board controller's own images: selection ring, chain line, point.
#pragma once

#include "Paint.h"

namespace artgen {

// 5 x 5 frames of the ring around the picked cell (gfx/select.png).
void paintSelectRing(Canvas& c);
// The white chain-line segment, vertical, soft at the edges.
void paintChainLine(Canvas& c);
// A small soft white dot.
void paintBoardPoint(Canvas& c);

} // namespace artgen
