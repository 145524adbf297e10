// Widget images of the GUI toolkit (widgets.cpp): window theme pieces, the
// menu bar, and the sample buttons of the toolkit's sample layout.
#pragma once

#include "Paint.h"

namespace artgen {

// Theme T (1 cream paper, 2 sky blue), piece P in the theme's index order:
// 0 top-left, 1 top, 2 top-right, 3 right, 4 bottom-right, 5 bottom,
// 6 bottom-left, 7 left, 8 middle.
template <int T, int P> void paintThemePiece(Canvas& c);
// Menu bar: 0 left end, 1 middle, 2 right end.
template <int P> void paintBarPiece(Canvas& c);
void paintSampleSimple(Canvas& c);
void paintSampleBlend(Canvas& c);
void paintSampleFStep(Canvas& c);
void paintSampleFStepBlend(Canvas& c);
void paintSampleAnim(Canvas& c);
void paintSampleSpec2(Canvas& c);
void paintSampleSparkle(Canvas& c);

} // namespace artgen
