// Pixel-exact collision layers: images are written into numbered layers at
// positions and other images tested against them on alpha. Used for
// hovering over irregular shapes (jigsaw pieces, pinned dogs).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Image.h"

namespace plat {

class CollisionLayers {
 public:
  static constexpr int kLayers = 32;
  // layerMask: bit i = layer i. Positions in canvas units; handles apply.
  void clear(uint32_t layerMask = 0xffffffffu);
  void write(const ImagePtr& img, float x, float y, int frame, uint32_t layerMask, int id = 0);
  // Ids of the written images (in writing order) whose opaque pixels
  // (alpha >= 128) overlap opaque pixels of img at (x, y).
  std::vector<int> collide(const ImagePtr& img, float x, float y, int frame,
                           uint32_t layerMask) const;
  bool hits(const ImagePtr& img, float x, float y, int frame, uint32_t layerMask) const {
    return !collide(img, x, y, frame, layerMask).empty();
  }

 private:
  struct Entry {
    ImagePtr img;
    int frame;
    int x, y;  // top-left after the handle
    uint32_t layers;
    int id;
  };
  std::vector<Entry> entries_;
};

}  // namespace plat
