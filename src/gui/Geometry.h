// The toolkit's rectangle and colour.
#pragma once

#include <memory>

class TChip;

// A rectangle: anchor and size, plus the hit box that update() computes.
struct TDim {
  float x = 0, y = 0, h = 0, w = 0;
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  TChip* ch = nullptr;  // optional chip the rectangle belongs to

  void update() {
    x1 = x;
    y1 = y;
    x2 = x + w;
    y2 = y + h;
  }
};

// Integers stored as floats; the hit box is left for update().
inline std::shared_ptr<TDim> newDim(int x, int y, int w, int h) {
  auto d = std::make_shared<TDim>();
  d->x = float(x);
  d->y = float(y);
  d->w = float(w);
  d->h = float(h);
  return d;
}
inline std::shared_ptr<TDim> newDimAt(int x, int y) { return newDim(x, y, 0, 0); }

struct TRGB {
  int r = 255, g = 255, b = 255;
};

inline TRGB newRGB(int r, int g, int b) { return TRGB{r, g, b}; }
