// Cartoon dogs in the game's style, parameterised so breeds differ by
// colour, ears and markings rather than by separate drawings.
#pragma once

#include "Paint.h"

namespace artgen {

struct DogLook {
    Rgb fur = hex(0xD9A066);
    Rgb belly = hex(0xF3DDB8);
    Rgb ear = hex(0x9A6234);
    Rgb collar = hex(0xE0473B);
    bool eyePatch = true;
};

// A dog sitting in three-quarter view, facing right, its feet on (0,0) and
// about 260 units tall; scale and place it with the cairo transform.
void paintSittingDog(cairo_t* cr, const DogLook& look);

} // namespace artgen
