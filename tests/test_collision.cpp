#include <gtest/gtest.h>

#include "platform/Collision.h"

using namespace plat;

namespace {
// A 10 x 10 image whose only opaque pixels form a diagonal line.
ImagePtr diagonal() {
  Pixmap pm(10, 10);
  for (int i = 0; i < 10; ++i) pm.at(i, i)[3] = 255;
  return Image::fromPixmap(pm);
}
ImagePtr point() {
  Pixmap pm(1, 1);
  pm.fill(255, 255, 255, 255);
  return Image::fromPixmap(pm);
}
}  // namespace

TEST(CollisionLayers, PixelExactOnAlphaWithHandlesAndLayers) {
  CollisionLayers layers;
  auto shape = diagonal();
  shape->midHandle();
  layers.write(shape, 100, 100, 0, 1u << 0, 7);  // covers (95..104, 95..104), opaque on the diagonal
  auto p = point();
  EXPECT_TRUE(layers.hits(p, 95, 95, 0, 1));
  EXPECT_TRUE(layers.hits(p, 104, 104, 0, 1));
  EXPECT_FALSE(layers.hits(p, 104, 95, 0, 1)) << "inside the box but transparent";
  EXPECT_FALSE(layers.hits(p, 105, 105, 0, 1)) << "outside the box";
  EXPECT_FALSE(layers.hits(p, 95, 95, 0, 2)) << "other layer";
  layers.write(shape, 100, 100, 0, 1u << 1, 9);
  EXPECT_EQ(layers.collide(p, 100, 100, 0, 3), (std::vector<int>{7, 9}));
  layers.clear(1);
  EXPECT_EQ(layers.collide(p, 100, 100, 0, 3), (std::vector<int>{9}));
  EXPECT_FALSE(layers.hits(nullptr, 100, 100, 0, 3));
}
