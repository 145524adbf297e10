// Shared immediate-mode renderer behind both backends. It owns every piece
// of drawing state, turns each draw into a textured quad in real framebuffer
// pixels and hands runs of quads that share texture, blend mode and clip
// rectangle to the backend in one call. A backend only has to manage
// textures, draw quad batches, clear, read pixels and present.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/Graphics.h"

namespace plat::detail {

// One corner of a quad: position in real pixels (top-left origin), texture
// coordinates normalised to the sheet, colour including alpha.
struct Vertex {
  float x, y;
  float u, v;
  uint8_t r, g, b, a;
};

// Rectangle in real pixels, top-left origin.
struct PixelRect {
  int x = 0, y = 0, w = 0, h = 0;
  bool operator==(const PixelRect&) const = default;
};

// Backend texture handles stay below this; the bit above marks an image
// placed on a shared atlas page.
constexpr uint32_t kMaxTextureHandle = 0x80000000u;

class GraphicsCore : public Graphics {
 public:
  GraphicsCore();
  ~GraphicsCore() override;

  // coordinate system
  void setVirtualResolution(float w, float h) override;
  float virtualWidth() const override;
  float virtualHeight() const override;
  void setViewport(int x, int y, int w, int h) override;
  void getViewport(int& x, int& y, int& w, int& h) const override;
  void setOrigin(float x, float y) override;
  void getOrigin(float& x, float& y) const override;

  // frame
  void setClsColour(int r, int g, int b) override;
  void getClsColour(int& r, int& g, int& b) const override;
  void cls() override;
  void flip(int sync = -1) override;
  FrameStats lastFrameStats() const override { return lastStats_; }

  // state
  void setColour(int r, int g, int b) override;
  void getColour(int& r, int& g, int& b) const override;
  void setAlpha(float a) override;
  float alpha() const override { return alpha_; }
  void setScale(float sx, float sy) override;
  void getScale(float& sx, float& sy) const override;
  void setRotation(float degrees) override;
  float rotation() const override { return rotation_; }
  void setBlend(Blend b) override;
  Blend blend() const override { return blend_; }
  void setFont(const FontPtr& f) override { font_ = f; }
  FontPtr font() const override { return font_; }

  // drawing
  void drawImage(const ImagePtr& img, float x, float y, int frame = 0) override;
  void drawImageRect(const ImagePtr& img, float x, float y, float w, float h,
                     int frame = 0) override;
  void drawSubImageRect(const ImagePtr& img, float x, float y, float w, float h, float sx,
                        float sy, float sw, float sh, float hx = 0, float hy = 0,
                        int frame = 0) override;
  void drawRect(float x, float y, float w, float h) override;
  void drawLine(float x1, float y1, float x2, float y2) override;
  void drawOval(float x, float y, float w, float h) override;
  void plot(float x, float y) override;
  void drawText(const std::string& utf8, float x, float y) override;
  float textWidth(const std::string& utf8) override;
  float textHeight(const std::string& utf8) override;

  // pixels
  ImagePtr grabImage(float x, float y, float w, float h) override;
  Pixmap readBackBuffer() override;
  void flush() override;

  // Frees the texture behind an id handed out by this renderer (called when
  // an Image dies). Ids of an earlier context are ignored.
  void releaseTexture(uint64_t id);
  // Statistics of the frame being drawn (not yet flipped).
  FrameStats currentFrameStats() const { return stats_; }

 protected:
  // --- backend hooks -------------------------------------------------------
  // Texture handles are the backend's own small numbers (non-zero).
  virtual uint32_t backendCreateTexture(const Pixmap& pm, int imageFlags) = 0;
  virtual void backendUpdateTexture(uint32_t handle, const Pixmap& pm, int imageFlags) = 0;
  // Replaces the pixels of a rectangle of an existing texture.
  virtual void backendUpdateRegion(uint32_t handle, int x, int y, const Pixmap& pm,
                                   int imageFlags) = 0;
  virtual void backendDestroyTexture(uint32_t handle) = 0;
  // `quads` quads, four vertices each, in order around the quad.
  // `texelAligned`: every quad maps texels one to one onto whole pixels, so
  // nearest sampling gives the same picture as filtering.
  virtual void backendDrawQuads(uint32_t texture, Blend blend, const PixelRect& clip,
                                const Vertex* v, int quads, bool texelAligned) = 0;
  virtual void backendClear(const PixelRect& clip, uint8_t r, uint8_t g, uint8_t b) = 0;
  // Pixels of a rectangle already clipped to the framebuffer, rows top-down,
  // alpha 255.
  virtual Pixmap backendRead(const PixelRect& rect) = 0;
  // Shows the frame; sync as in Graphics::flip.
  virtual void backendPresent(int sync) = 0;

  // A backend calls this when its context went away with every texture in
  // it: images holding old ids upload again on their next draw.
  void texturesLost();
  // Call after (re)opening a display: drops pending quads and any viewport
  // that was set for the old mode.
  void resetForNewDisplay();
  // Derived destructors call this first: no texture release may reach a
  // backend that is being torn down.
  void detachRenderer();

 private:
  struct Affine {
    // q = (a*px + b*py + tx, c*px + d*py + ty), in real pixels.
    float a, b, c, d, tx, ty;
  };
  // Local-to-real transform for something drawn at virtual (x, y), with the
  // current scale, rotation, origin and virtual resolution.
  Affine transformAt(float x, float y) const;
  // Pushes one quad: local rectangle (lx0,ly0)-(lx1,ly1) through `t`,
  // sampling sheet pixels (s0,t0)-(s1,t1) of `img` (nullptr = white).
  void pushQuad(const Affine& t, float lx0, float ly0, float lx1, float ly1, Image* img,
                float s0, float t0, float s1, float t1);
  void pushShape(const Affine& t, float lx0, float ly0, float lx1, float ly1, bool oval);
  // The texture an image is drawn from and where its sheet lies on it.
  struct TexturePlace {
    uint32_t handle = 0;
    float x = 0, y = 0;        // sheet origin on the texture, in texels
    float invW = 1, invH = 1;  // 1 / texture size
  };
  TexturePlace textureFor(Image* img);
  // Small images share large "atlas" textures, so that a frame of chips,
  // tiles, particles and shapes takes few batches. False when the image
  // must have a texture of its own.
  bool placeOnAtlas(Image* img, uint32_t& handle);
  void releaseAtlasPlace(uint32_t handle);
  struct AtlasPage {
    uint32_t handle = 0;
    int flags = 0;               // sampling flags every image on it shares
    int shelfX = 0, shelfY = 0, shelfH = 0;
    int live = 0;                // images placed on it and not yet released
  };
  AtlasPage* atlasPage(uint32_t handle);
  std::vector<AtlasPage> pages_;
  PixelRect clipRect() const;
  Image* shapes();

  std::vector<Vertex> pending_;
  uint32_t pendingTex_ = 0;
  Blend pendingBlend_ = Blend::Solid;
  bool pendingAligned_ = true;
  PixelRect pendingClip_;

  uint32_t generation_;
  FrameStats stats_, lastStats_;

  float virtualW_ = 0, virtualH_ = 0;   // 0 = follow the display
  bool viewportSet_ = false;
  int vpX_ = 0, vpY_ = 0, vpW_ = 0, vpH_ = 0;
  float originX_ = 0, originY_ = 0;
  int clsR_ = 0, clsG_ = 0, clsB_ = 0;
  int r_ = 255, g_ = 255, b_ = 255;
  float alpha_ = 1;
  float scaleX_ = 1, scaleY_ = 1;
  float rotation_ = 0;
  float cos_ = 1, sin_ = 0;
  Blend blend_ = Blend::Solid;
  FontPtr font_;
  ImagePtr shapes_;   // white block for rects plus a disc for ovals
};

// Headless test hook: openDisplay refuses these modes (fullScreen -1 = both
// windowed and full screen, 0 = windowed only, 1 = full screen only).
struct RefusedMode {
  int w = 0, h = 0;
  int fullScreen = -1;
};
void setHeadlessRefusedModes(std::vector<RefusedMode> modes);

}  // namespace plat::detail
