// Renderer behaviour checked on the headless backend's CPU framebuffer:
// placement, transforms, blend arithmetic, clipping, batching and fonts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <array>
#include <filesystem>
#include <functional>

#include "TestUtil.h"
#include "platform/Backends.h"
#include "platform/Font.h"
#include "platform/Graphics.h"
#include "platform/GraphicsCore.h"
#include "platform/Platform.h"

using namespace plat;

namespace {

constexpr const char* kDejaVu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr const char* kCffFont = "/usr/share/fonts/opentype/urw-base35/NimbusSans-Regular.otf";

ImagePtr solidImage(int w, int h, uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255,
                    int flags = 0) {
  Pixmap pm(w, h);
  pm.fill(r, g, b, a);
  return Image::fromPixmap(std::move(pm), flags);
}

struct Rgb {
  int r, g, b;
};

class SoftGfx : public ::testing::Test {
 protected:
  void SetUp() override {
    g = detail::createHeadlessGraphics(1024, 768);
    ASSERT_TRUE(g->openDisplay(160, 120, false));
    g->setClsColour(0, 0, 0);
    g->cls();
  }

  Rgb px(int x, int y) {
    Pixmap pm = g->readBackBuffer();
    const uint8_t* p = pm.at(x, y);
    return {p[0], p[1], p[2]};
  }
  bool lit(int x, int y) {
    Rgb c = px(x, y);
    return c.r || c.g || c.b;
  }
  void expectRgb(int x, int y, Rgb want, int tolerance = 1) {
    Rgb c = px(x, y);
    EXPECT_NEAR(c.r, want.r, tolerance) << "at " << x << "," << y;
    EXPECT_NEAR(c.g, want.g, tolerance) << "at " << x << "," << y;
    EXPECT_NEAR(c.b, want.b, tolerance) << "at " << x << "," << y;
  }
  // The covered pixel rectangle (inclusive) of everything not black.
  void litBounds(int& x0, int& y0, int& x1, int& y1) {
    Pixmap pm = g->readBackBuffer();
    x0 = y0 = 1 << 20;
    x1 = y1 = -1;
    for (int y = 0; y < pm.height; ++y)
      for (int x = 0; x < pm.width; ++x) {
        const uint8_t* p = pm.at(x, y);
        if (p[0] || p[1] || p[2]) {
          x0 = std::min(x0, x);
          y0 = std::min(y0, y);
          x1 = std::max(x1, x);
          y1 = std::max(y1, y);
        }
      }
  }

  std::unique_ptr<Graphics> g;
};

// --- placement and transforms ---------------------------------------------------

struct PlaceCase {
  const char* name;
  float handleX, handleY, originX, originY, x, y, scaleX, scaleY;
  int left, top, right, bottom;   // inclusive lit bounds
};

TEST_F(SoftGfx, ImagePlacementFollowsHandleOriginAndScale) {
  const PlaceCase cases[] = {
      {"plain", 0, 0, 0, 0, 10, 20, 1, 1, 10, 20, 13, 23},
      {"handle", 2, 2, 0, 0, 10, 20, 1, 1, 8, 18, 11, 21},
      {"origin", 0, 0, 5, 7, 10, 20, 1, 1, 15, 27, 18, 30},
      {"scaled", 0, 0, 0, 0, 10, 10, 2, 3, 10, 10, 17, 21},
      {"scaled around handle", 2, 2, 0, 0, 20, 20, 2, 2, 16, 16, 23, 23},
      {"mirrored", 0, 0, 0, 0, 10, 10, -1, 1, 6, 10, 9, 13},
  };
  for (const PlaceCase& c : cases) {
    SCOPED_TRACE(c.name);
    g->cls();
    ImagePtr img = solidImage(4, 4, 255, 255, 255);
    img->setHandle(c.handleX, c.handleY);
    g->setOrigin(c.originX, c.originY);
    g->setScale(c.scaleX, c.scaleY);
    g->drawImage(img, c.x, c.y);
    int x0, y0, x1, y1;
    litBounds(x0, y0, x1, y1);
    EXPECT_EQ(x0, c.left);
    EXPECT_EQ(y0, c.top);
    EXPECT_EQ(x1, c.right);
    EXPECT_EQ(y1, c.bottom);
    g->setOrigin(0, 0);
    g->setScale(1, 1);
  }
}

TEST_F(SoftGfx, QuarterTurnIsClockwiseAndPixelExact) {
  // Left half red, right half green.
  Pixmap pm(4, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) {
      uint8_t* p = pm.at(x, y);
      p[0] = x < 2 ? 255 : 0;
      p[1] = x < 2 ? 0 : 255;
      p[2] = 0;
      p[3] = 255;
    }
  ImagePtr img = Image::fromPixmap(std::move(pm), 0);
  g->setRotation(90);
  g->drawImage(img, 20, 20);
  // Local +x now points down the screen and local +y to the left.
  int x0, y0, x1, y1;
  litBounds(x0, y0, x1, y1);
  EXPECT_EQ(x0, 18);
  EXPECT_EQ(x1, 19);
  EXPECT_EQ(y0, 20);
  EXPECT_EQ(y1, 23);
  expectRgb(18, 20, {255, 0, 0});
  expectRgb(19, 21, {255, 0, 0});
  expectRgb(18, 22, {0, 255, 0});
  expectRgb(19, 23, {0, 255, 0});
}

TEST_F(SoftGfx, VirtualResolutionScalesToTheFramebuffer) {
  g->setVirtualResolution(80, 60);   // half the 160 x 120 display
  ImagePtr img = solidImage(4, 4, 255, 255, 255);
  g->drawImage(img, 10, 10);
  int x0, y0, x1, y1;
  litBounds(x0, y0, x1, y1);
  EXPECT_EQ(x0, 20);
  EXPECT_EQ(y0, 20);
  EXPECT_EQ(x1, 27);
  EXPECT_EQ(y1, 27);
}

TEST_F(SoftGfx, SubImageRectSamplesTheRightPart) {
  // Two frames side by side: red then blue.
  Pixmap pm(8, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) {
      uint8_t* p = pm.at(x, y);
      p[0] = x < 4 ? 255 : 0;
      p[1] = 0;
      p[2] = x < 4 ? 0 : 255;
      p[3] = 255;
    }
  ImagePtr sheet = Image::fromPixmap(std::move(pm), 0, 4, 4, 0, 2);
  g->drawImage(sheet, 0, 0, 1);
  expectRgb(1, 1, {0, 0, 255});
  g->drawImageRect(sheet, 10, 0, 8, 8, 0);
  expectRgb(10, 0, {255, 0, 0});
  expectRgb(17, 7, {255, 0, 0});
  EXPECT_FALSE(lit(18, 7));
  // Right half of frame 0 stretched over 2 x 4.
  g->drawSubImageRect(sheet, 30, 0, 2, 4, 2, 0, 2, 4, 0, 0, 0);
  expectRgb(30, 0, {255, 0, 0});
  EXPECT_FALSE(lit(32, 0));
}

TEST_F(SoftGfx, ColourModulatesTheTexture) {
  g->setColour(255, 128, 0);
  g->drawImage(solidImage(4, 4, 200, 200, 200), 0, 0);
  expectRgb(1, 1, {200, 100, 0});
}

// --- blending -------------------------------------------------------------------

struct BlendCase {
  const char* name;
  Blend blend;
  Rgb dst;
  Rgb src;
  int texAlpha;
  float alpha;
  Rgb want;
};

TEST_F(SoftGfx, BlendModesCombineSourceAndDestination) {
  const BlendCase cases[] = {
      {"solid ignores alpha", Blend::Solid, {100, 100, 100}, {200, 50, 0}, 100, 0.5f, {200, 50, 0}},
      {"mask passes opaque", Blend::Mask, {100, 100, 100}, {200, 50, 0}, 200, 1, {200, 50, 0}},
      {"mask drops clear", Blend::Mask, {100, 100, 100}, {200, 50, 0}, 100, 1, {100, 100, 100}},
      {"mask uses state alpha", Blend::Mask, {100, 100, 100}, {200, 50, 0}, 255, 0.4f, {100, 100, 100}},
      {"alpha half", Blend::Alpha, {100, 100, 100}, {200, 50, 0}, 255, 0.5f, {150, 75, 50}},
      {"alpha from texture", Blend::Alpha, {0, 0, 0}, {200, 200, 200}, 51, 1, {40, 40, 40}},
      {"additive", Blend::Additive, {100, 100, 100}, {200, 50, 0}, 255, 0.5f, {200, 125, 100}},
      {"additive saturates", Blend::Additive, {200, 200, 200}, {200, 200, 200}, 255, 1, {255, 255, 255}},
      {"shade multiplies", Blend::Shade, {100, 200, 255}, {128, 255, 0}, 255, 1, {50, 200, 0}},
  };
  for (const BlendCase& c : cases) {
    SCOPED_TRACE(c.name);
    g->setClsColour(c.dst.r, c.dst.g, c.dst.b);
    g->cls();
    g->setBlend(c.blend);
    g->setAlpha(c.alpha);
    g->drawImage(solidImage(8, 8, uint8_t(c.src.r), uint8_t(c.src.g), uint8_t(c.src.b),
                            uint8_t(c.texAlpha)),
                 4, 4);
    expectRgb(6, 6, c.want);
    expectRgb(2, 2, c.dst, 0);
  }
}

TEST_F(SoftGfx, NeighboursOnHalfPixelsNeitherOverlapNorLeaveGaps) {
  // Half-transparent so a pixel covered twice shows brighter.
  g->setBlend(Blend::Additive);
  g->setAlpha(0.5f);
  ImagePtr img = solidImage(10, 10, 200, 200, 200);
  g->drawImage(img, 0.5f, 0.5f);
  g->drawImage(img, 10.5f, 0.5f);
  g->drawImage(img, 0.5f, 10.5f);
  for (int x = 1; x < 20; ++x) expectRgb(x, 5, {100, 100, 100}, 1);
  for (int y = 1; y < 20; ++y) expectRgb(5, y, {100, 100, 100}, 1);
}

// --- shapes -------------------------------------------------------------------

TEST_F(SoftGfx, ShapesCoverTheExpectedPixels) {
  g->drawRect(10, 10, 5, 3);
  int x0, y0, x1, y1;
  litBounds(x0, y0, x1, y1);
  EXPECT_EQ((std::array{x0, y0, x1, y1}), (std::array{10, 10, 14, 12}));

  g->cls();
  g->drawLine(5, 5, 15, 5);
  litBounds(x0, y0, x1, y1);
  EXPECT_EQ((std::array{x0, y0, x1, y1}), (std::array{5, 5, 15, 5}));

  g->cls();
  g->drawLine(5, 5, 5, 9);
  litBounds(x0, y0, x1, y1);
  EXPECT_EQ((std::array{x0, y0, x1, y1}), (std::array{5, 5, 5, 9}));

  g->cls();
  g->plot(7, 8);
  litBounds(x0, y0, x1, y1);
  EXPECT_EQ((std::array{x0, y0, x1, y1}), (std::array{7, 8, 7, 8}));

  g->cls();
  g->setBlend(Blend::Alpha);
  g->drawOval(20, 20, 40, 20);
  EXPECT_TRUE(lit(40, 30));    // centre
  EXPECT_TRUE(lit(21, 30));    // left end of the long axis
  EXPECT_FALSE(lit(21, 21));   // corner of the bounding box
  EXPECT_FALSE(lit(58, 38));
  litBounds(x0, y0, x1, y1);
  EXPECT_GE(x0, 20);
  EXPECT_LE(x1, 59);
}

TEST_F(SoftGfx, ShapesFollowColourAlphaAndRotation) {
  g->setBlend(Blend::Alpha);
  g->setColour(0, 255, 0);
  g->setAlpha(0.5f);
  g->drawRect(0, 0, 4, 4);
  expectRgb(1, 1, {0, 128, 0});

  g->cls();
  g->setAlpha(1);
  g->setRotation(90);
  g->drawRect(50, 50, 10, 2);   // becomes 2 wide, 10 tall, left of x = 50
  int x0, y0, x1, y1;
  litBounds(x0, y0, x1, y1);
  EXPECT_EQ((std::array{x0, y0, x1, y1}), (std::array{48, 50, 49, 59}));
}

// --- viewport -------------------------------------------------------------------

TEST_F(SoftGfx, ViewportClipsDrawingAndClearing) {
  g->setViewport(10, 10, 20, 20);
  g->setOrigin(3, 3);   // the origin moves drawing, never the viewport
  g->drawRect(-50, -50, 200, 200);
  EXPECT_FALSE(lit(9, 9));
  EXPECT_TRUE(lit(10, 10));
  EXPECT_TRUE(lit(29, 29));
  EXPECT_FALSE(lit(30, 30));

  g->setClsColour(0, 0, 255);
  g->setViewport(12, 12, 4, 4);
  g->cls();
  expectRgb(12, 12, {0, 0, 255});
  expectRgb(11, 12, {255, 255, 255});
  int x, y, w, h;
  g->getViewport(x, y, w, h);
  EXPECT_EQ((std::array{x, y, w, h}), (std::array{12, 12, 4, 4}));
}

TEST_F(SoftGfx, ViewportIsInVirtualUnits) {
  g->setVirtualResolution(80, 60);
  g->setViewport(0, 0, 10, 10);   // 20 x 20 real pixels
  g->drawRect(0, 0, 80, 60);
  EXPECT_TRUE(lit(19, 19));
  EXPECT_FALSE(lit(20, 19));
}

// --- batching and texture life --------------------------------------------------

TEST_F(SoftGfx, BatchesSplitOnlyWhenTextureBlendClipOrSamplingChange) {
  ImagePtr a = solidImage(4, 4, 255, 0, 0);
  ImagePtr b = solidImage(4, 4, 0, 255, 0);
  ImagePtr glass = solidImage(4, 4, 0, 0, 255, 128);
  ImagePtr wall = solidImage(200, 150, 90, 90, 90);
  // Too large for the shared pages: a texture each.
  ImagePtr wideA = solidImage(300, 4, 255, 0, 0), wideB = solidImage(300, 4, 0, 255, 0);
  struct Case {
    const char* name;
    std::function<void()> draw;
    int sprites, batches;
  } cases[] = {
      {"one image", [&] { for (int i = 0; i < 100; ++i) g->drawImage(a, i, i % 50); }, 100, 1},
      {"alternating large images",
       [&] { for (int i = 0; i < 100; ++i) g->drawImage(i % 2 ? wideA : wideB, i, 0); }, 100, 100},
      {"alternating small images share a page",
       [&] { for (int i = 0; i < 100; ++i) g->drawImage(i % 2 ? a : b, i, 0); }, 100, 1},
      {"rects, ovals, lines and plots share a sheet",
       [&] {
         for (int i = 0; i < 10; ++i) {
           g->drawRect(i, 0, 2, 2);
           g->drawOval(i, 10, 5, 5);
           g->drawLine(0, 0, i, 20);
           g->plot(i, 30);
         }
       },
       40, 1},
      {"blend change",
       [&] {
         g->drawImage(glass, 0, 0);
         g->setBlend(Blend::Alpha);
         g->drawImage(glass, 5, 0);
         g->setBlend(Blend::Solid);
       },
       2, 2},
      {"a large opaque image blended at full alpha is drawn solid",
       [&] {
         g->drawImage(wall, 0, 0);
         g->setBlend(Blend::Alpha);
         g->drawImage(wall, 5, 0);
         g->setAlpha(0.5f);
         g->drawImage(wall, 10, 0);   // now it needs blending
         g->setAlpha(1);
         g->drawImage(wall, 15, 0);   // and is not split off again
         g->drawImage(a, 0, 0);       // small images keep their blend (and the page)
         g->setBlend(Blend::Solid);
         g->drawImage(a, 0, 0);
       },
       6, 3},
      {"nothing is sent for quads blended at zero alpha",
       [&] {
         g->setAlpha(0);
         for (Blend bl : {Blend::Alpha, Blend::Additive}) {
           g->setBlend(bl);
           g->drawImage(glass, 0, 0);
           g->drawRect(0, 0, 160, 120);
         }
         g->setBlend(Blend::Solid);
         g->drawImage(a, 0, 0);   // solid ignores alpha
         g->setAlpha(1);
       },
       1, 1},
      {"viewport change",
       [&] {
         g->drawImage(a, 0, 0);
         g->setViewport(0, 0, 50, 50);
         g->drawImage(a, 5, 0);
         g->setViewport(0, 0, 160, 120);
       },
       2, 2},
      {"colour, alpha and quarter turns do not split",
       [&] {
         g->drawImage(a, 0, 0);
         g->setColour(10, 20, 30);
         g->setAlpha(0.5f);
         g->setRotation(90);
         g->drawImage(a, 5, 0);
         g->setColour(255, 255, 255);
         g->setAlpha(1);
         g->setRotation(0);
       },
       2, 1},
      {"scaled or turned quads go apart from one-to-one ones",
       [&] {
         g->drawImage(a, 0, 0);
         g->setScale(2, 2);
         g->drawImage(a, 5, 0);
         g->setScale(1, 1);
         g->setRotation(33);
         g->drawImage(a, 5, 0);
         g->setRotation(0);
         g->drawImage(a, 9.5f, 0);   // half a pixel off is filtered too
         g->drawImage(a, 20, 0);
       },
       5, 3},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    g->flip(0);   // start a clean frame
    g->cls();
    c.draw();
    g->flip(0);
    FrameStats s = g->lastFrameStats();
    EXPECT_EQ(s.sprites, c.sprites);
    EXPECT_EQ(s.batches, c.batches);
  }
}

TEST_F(SoftGfx, TexturesUploadOnceAndAgainWhenThePixelsChange) {
  ImagePtr img = solidImage(300, 4, 255, 0, 0);
  const int expected[] = {1, 0, 1};
  for (int frame = 0; frame < 3; ++frame) {
    SCOPED_TRACE(frame);
    if (frame == 2) img->mutablePixmap().fill(0, 255, 0, 255);
    g->drawImage(img, 0, 0);
    g->flip(0);
    EXPECT_EQ(g->lastFrameStats().uploads, expected[frame]);
  }
  expectRgb(1, 1, {0, 255, 0});
}

TEST_F(SoftGfx, SharedPagesKeepImagesApartAndLetChangedOnesGo) {
  // Two small images side by side on a page: one drawn eight times larger
  // with filtering must not pick up its neighbour at its edges.
  ImagePtr red = solidImage(4, 4, 255, 0, 0, 255, kFilteredImage);
  ImagePtr green = solidImage(4, 4, 0, 255, 0, 255, kFilteredImage);
  g->setScale(8, 8);
  g->drawImage(green, 100, 80);
  g->drawImage(red, 0, 0);
  g->setScale(1, 1);
  g->flip(0);
  EXPECT_EQ(g->lastFrameStats().batches, 1);
  for (int x : {0, 16, 31}) {
    SCOPED_TRACE(x);
    expectRgb(x, 0, {255, 0, 0});
    expectRgb(x, 31, {255, 0, 0});
    expectRgb(31, x, {255, 0, 0});
  }
  // A changed image leaves the page; its neighbour stays as it was.
  g->cls();
  red->mutablePixmap().fill(0, 0, 255, 255);
  g->drawImage(red, 0, 0);
  g->drawImage(green, 10, 0);
  g->flip(0);
  EXPECT_EQ(g->lastFrameStats().batches, 2);
  expectRgb(1, 1, {0, 0, 255});
  expectRgb(11, 1, {0, 255, 0});
  // Released images give their page back once none is left on it.
  red.reset();
  green.reset();
  ImagePtr again = solidImage(4, 4, 9, 9, 9);
  g->drawImage(again, 0, 0);
  g->flip(0);
  expectRgb(1, 1, {9, 9, 9});
}

TEST_F(SoftGfx, ImagesThatFillAPageGoOnFurtherPages) {
  // Forty 200 x 200 images need two pages or more; each must still show its
  // own pixels, drawn one after another in a single frame.
  std::vector<ImagePtr> images;
  for (int i = 0; i < 40; ++i) images.push_back(solidImage(200, 200, uint8_t(i * 6), uint8_t(255 - i * 6), 7));
  for (int i = 0; i < 40; ++i) {
    SCOPED_TRACE(i);
    g->cls();
    g->drawImage(images[size_t(i)], float(-i), 0);
    g->flip(0);
    expectRgb(10, 10, {uint8_t(i * 6), uint8_t(255 - i * 6), 7});
  }
  // Released in any order, the pages left still serve the remaining images.
  for (int i = 0; i < 40; i += 2) images[size_t(i)].reset();
  g->cls();
  g->drawImage(images[39], 0, 0);
  g->flip(0);
  expectRgb(10, 10, {uint8_t(39 * 6), uint8_t(255 - 39 * 6), 7});
}

TEST_F(SoftGfx, AnOpaqueImageMadeTranslucentBlendsAgain) {
  // Opaque images skip blending; changed pixels must be looked at anew.
  ImagePtr img = solidImage(200, 150, 255, 0, 0);
  g->setBlend(Blend::Alpha);
  g->drawImage(img, 0, 0);
  g->flip(0);
  g->cls();
  img->mutablePixmap().fill(255, 0, 0, 0);
  g->drawImage(img, 0, 0);
  expectRgb(1, 1, {0, 0, 0});
}

TEST_F(SoftGfx, ChangedPixelsDoNotLeakIntoQuadsAlreadyQueued) {
  ImagePtr img = solidImage(4, 4, 255, 0, 0);
  g->drawImage(img, 0, 0);
  img->mutablePixmap().fill(0, 255, 0, 255);
  g->drawImage(img, 10, 0);
  expectRgb(1, 1, {255, 0, 0});
  expectRgb(11, 1, {0, 255, 0});
}

TEST_F(SoftGfx, ImageDestroyedWhileQueuedStillDraws) {
  {
    ImagePtr img = solidImage(4, 4, 0, 0, 255);
    g->drawImage(img, 0, 0);
  }
  expectRgb(1, 1, {0, 0, 255});
}

TEST_F(SoftGfx, ImagesSurviveANewRenderer) {
  ImagePtr img = solidImage(4, 4, 0, 255, 0);
  g->drawImage(img, 0, 0);
  g->flush();
  g.reset();
  SetUp();   // a new renderer must not trust the old texture id
  g->drawImage(img, 0, 0);
  expectRgb(1, 1, {0, 255, 0});
}

// --- pixels ---------------------------------------------------------------------

TEST_F(SoftGfx, GrabImageCopiesVirtualRectangleWithOrigin) {
  g->setVirtualResolution(80, 60);
  g->setClsColour(0, 0, 0);
  g->cls();
  g->setColour(255, 0, 0);
  g->drawRect(10, 10, 5, 5);
  g->setOrigin(8, 8);
  ImagePtr grab = g->grabImage(2, 2, 10, 10);
  ASSERT_TRUE(grab);
  EXPECT_EQ(grab->width(), 10);
  EXPECT_EQ(grab->height(), 10);
  EXPECT_EQ(grab->pixmap().rgbaAt(1, 1), 0xFF0000FFu);
  EXPECT_EQ(grab->pixmap().rgbaAt(8, 8), 0x000000FFu);
}

TEST_F(SoftGfx, BackBufferIsWholeFramebufferAndOpaque) {
  Pixmap pm = g->readBackBuffer();
  EXPECT_EQ(pm.width, 160);
  EXPECT_EQ(pm.height, 120);
  EXPECT_EQ(pm.rgbaAt(0, 0), 0x000000FFu);
}

// --- display and frames ---------------------------------------------------------

TEST(SoftDisplay, RefusedModesFailOnlyWhereAsked) {
  auto g = detail::createHeadlessGraphics(1920, 1080);
  detail::setHeadlessRefusedModes({{800, 600, 1}, {640, 480, -1}});
  testing::internal::CaptureStdout();
  EXPECT_FALSE(g->openDisplay(800, 600, true));
  EXPECT_TRUE(g->openDisplay(800, 600, false));
  EXPECT_FALSE(g->openDisplay(640, 480, false));
  EXPECT_FALSE(g->openDisplay(640, 480, true));
  EXPECT_FALSE(g->openDisplay(0, 480, false));
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("800 x 600"), std::string::npos);
  detail::setHeadlessRefusedModes({});
  EXPECT_TRUE(g->openDisplay(640, 480, true));
  EXPECT_TRUE(g->fullScreen());
  int w, h;
  g->desktopSize(w, h);
  EXPECT_EQ(w, 1920);
  EXPECT_EQ(h, 1080);
}

TEST(SoftDisplay, FlipRunsTheFrameHookAndDrawingWithoutDisplayIsHarmless) {
  auto g = detail::createHeadlessGraphics(1024, 768);
  int frames = 0;
  setFrameHook([&] { ++frames; });
  g->drawRect(0, 0, 10, 10);
  g->drawText("x", 0, 0);
  g->cls();
  g->flip();
  EXPECT_TRUE(g->readBackBuffer().empty());
  ASSERT_TRUE(g->openDisplay(64, 64, false));
  g->flip(-1);
  EXPECT_EQ(frames, 2);
  setFrameHook(nullptr);
}

// --- fonts ----------------------------------------------------------------------

class SoftText : public SoftGfx {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(kDejaVu)) GTEST_SKIP() << "no DejaVu font installed";
    SoftGfx::SetUp();
    font = ImageFont::load(kDejaVu, 20);
    ASSERT_TRUE(font);
    g->setFont(font);
  }
  FontPtr font;
};

TEST_F(SoftText, MetricsAndWidthsAreSane) {
  EXPECT_EQ(font->size(), 20);
  EXPECT_GE(font->height(), 20);
  EXPECT_GT(font->ascent(), 10);
  EXPECT_LT(font->ascent(), font->height());
  EXPECT_EQ(g->textWidth(""), 0);
  const float a = g->textWidth("A"), v = g->textWidth("V");
  EXPECT_GT(a, 5);
  // The pair is kerned tighter than the letters side by side.
  EXPECT_LT(font->kerning('A', 'V'), 0);
  EXPECT_FLOAT_EQ(g->textWidth("AV"), a + v + font->kerning('A', 'V'));
  EXPECT_FLOAT_EQ(g->textWidth("ab\nabcd"), g->textWidth("abcd"));
  EXPECT_FLOAT_EQ(g->textHeight("one\ntwo"), 2 * font->height());
  EXPECT_FLOAT_EQ(g->textWidth("\xC3\xA9"), font->glyph(U'\u00e9')->advance);   // UTF-8 é
}

TEST_F(SoftText, TextDrawsInsideItsBoxInOneBatch) {
  g->flip(0);
  g->setBlend(Blend::Alpha);
  g->drawText("Hello", 10, 10);
  g->flip(0);
  EXPECT_EQ(g->lastFrameStats().batches, 1);
  EXPECT_EQ(g->lastFrameStats().sprites, 5);
  int x0, y0, x1, y1;
  litBounds(x0, y0, x1, y1);
  EXPECT_GE(x0, 10);
  EXPECT_GE(y0, 10);
  EXPECT_LE(x1, 10 + g->textWidth("Hello") + 1);
  EXPECT_LE(y1, 10 + font->height());
  EXPECT_GT(x1 - x0, 30);
}

TEST_F(SoftText, CharactersBeyondLatin1AreAddedOnDemand) {
  ImagePtr before = font->atlas();
  const Glyph* omega = font->glyph(U'\u03a9');
  ASSERT_TRUE(omega);
  EXPECT_GT(omega->w, 0);
  EXPECT_NE(font->atlas(), before);
  // Glyphs placed earlier keep their cells.
  const Glyph* a = font->glyph('A');
  EXPECT_EQ(font->atlas()->pixmap().at(a->sx + a->w / 2, a->sy + a->h / 2)[3],
            before->pixmap().at(a->sx + a->w / 2, a->sy + a->h / 2)[3]);
  EXPECT_EQ(font->glyph(U'\u4e2d'), nullptr);   // no CJK in this face
  g->setBlend(Blend::Alpha);
  g->drawText("A\xCE\xA9", 0, 0);   // "AΩ"
  int x0, y0, x1, y1;
  litBounds(x0, y0, x1, y1);
  EXPECT_GT(x1, g->textWidth("A"));
}

TEST(FontLoad, BadFilesGiveNullAndAMessage) {
  TempDir dir;
  writeBytes(dir.file("junk.ttf"), std::string(300, '\x42'));
  writeBytes(dir.file("empty.ttf"), "");
  const std::string paths[] = {dir.file("junk.ttf"), dir.file("empty.ttf"), dir.file("none.ttf")};
  for (const std::string& p : paths) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(ImageFont::load(p, 16), nullptr) << p;
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find(p), std::string::npos);
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << out;
  }
}

TEST(FontLoad, OpenTypeOutlinesUnderATrueTypeName) {
  if (!std::filesystem::exists(kCffFont)) GTEST_SKIP() << "no CFF font installed";
  TempDir dir;
  writeBytes(dir.file("renamed.ttf"), readBytes(kCffFont));
  FontPtr f = ImageFont::load(dir.file("renamed.ttf"), 24);
  ASSERT_TRUE(f);
  const Glyph* g = f->glyph('W');
  ASSERT_TRUE(g);
  EXPECT_GT(g->w, 10);
  EXPECT_GT(f->textWidth("Woof"), 40);
}

}  // namespace
