// The seven colour chips. Each has its own silhouette as well as its own
// colour, so the board stays playable without telling colours apart.
#pragma once

#include "Paint.h"

#include <array>

namespace artgen {

enum class ChipKind { Bone, Ball, Paw, Tag, Bowl, Biscuit, Heart };

inline constexpr std::array<ChipKind, 7> allChipKinds = {
    ChipKind::Bone, ChipKind::Ball, ChipKind::Paw, ChipKind::Tag,
    ChipKind::Bowl, ChipKind::Biscuit, ChipKind::Heart};

Rgb chipColor(ChipKind kind);

// Paints one chip filling the square (0,0)-(size,size) of the current user
// space; designed at 40 and scaled for anything else.
void paintChip(cairo_t* cr, ChipKind kind, double size);

// The seven chips side by side in 40x40 cells.
void paintChipAtlas(Canvas& c);

} // namespace artgen
