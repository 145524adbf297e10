// Painters of the play screen's panels, counters, power-up buttons and hint arrows.
#pragma once

#include "Paint.h"

namespace artgen {

void paintHudUnderlay(Canvas& c);     // bottom-right board behind the menu button
void paintHudRibbon(Canvas& c);       // score and level ribbon, top left
void paintHudCounters(Canvas& c);     // tile and piece counters, top right
void paintHudPowerPanel(Canvas& c);   // the wooden roll behind the six buttons
void paintHudOutline(Canvas& c);      // pulsing ring on the aiming tool (additive)
void paintHudBow(Canvas& c);          // the bow on a locked slot
void paintHudSlotBacking(Canvas& c);  // round backing of a slot's colour chip
void paintHudClock(Canvas& c);
void paintHudTubeBack(Canvas& c);
void paintHudTubeFrame(Canvas& c);
void paintHudTimeBar(Canvas& c);  // one pixel tall, stretched by the screen
void paintHudTick(Canvas& c);
template <int N> void paintHudMode(Canvas& c);  // 0 swap, 1 chain, 2 group
template <int N> void paintHudTool(Canvas& c);  // power-up button strips 1..6
void paintHudMenuButton(Canvas& c);
void paintCursorHammer(Canvas& c);
void paintCursorScissors(Canvas& c);
void paintCursorNeedle(Canvas& c);
void paintCursorWand(Canvas& c);
void paintHintArrow(Canvas& c);
void paintHintArrow2(Canvas& c);

} // namespace artgen
