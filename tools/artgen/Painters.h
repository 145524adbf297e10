// Every painter the registry in main.cpp can name.
#pragma once

#include "Paint.h"

namespace artgen {

void paintPawCursor(Canvas& c);
void paintWhitePixel(Canvas& c);
void paintChipAtlas(Canvas& c);
void paintPartnerSplash(Canvas& c);

} // namespace artgen
