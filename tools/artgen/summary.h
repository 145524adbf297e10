// Painters of the win and lose summaries.
#pragma once

#include "Paint.h"

namespace artgen {

void paintWinPanel(Canvas& c);
void paintWinPieceIcon(Canvas& c);
void paintWinTilesIcon(Canvas& c);
void paintWinPodkladka(Canvas& c);
void paintLosePanel(Canvas& c);

} // namespace artgen
