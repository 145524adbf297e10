// The immediate-mode 2D drawing API every screen uses. One instance, gfx().
// Coordinates are virtual units (see setVirtualResolution) relative to the
// origin; the graphics module maps them onto the real framebuffer. Sprites
// are batched: consecutive draws with the same texture, blend mode and
// viewport reach the GPU in one call.
#pragma once

#include <memory>
#include <string>

#include "platform/Font.h"
#include "platform/Image.h"
#include "platform/Pixmap.h"

namespace plat {

enum class Blend : int { Solid = 1, Mask = 2, Alpha = 3, Additive = 4, Shade = 5 };

struct FrameStats {
  int sprites = 0;    // quads submitted (images, glyphs, rects)
  int batches = 0;    // GPU draw calls
  int uploads = 0;    // textures uploaded or refreshed
  double pixels = 0;  // framebuffer pixels covered by quads, overdraw and off-screen parts included
};

class Graphics {
 public:
  virtual ~Graphics() = default;

  // --- display -----------------------------------------------------------
  // Opens (or reopens, keeping every loaded texture) a window of w x h or
  // the full screen at that mode. False, with a message, on failure.
  virtual bool openDisplay(int w, int h, bool fullScreen, int depth = 32, int hz = 60) = 0;
  virtual void closeDisplay() = 0;
  virtual bool displayOpen() const = 0;
  virtual bool fullScreen() const = 0;
  // Real size of the framebuffer in pixels (follows window resizes).
  virtual int displayWidth() const = 0;
  virtual int displayHeight() const = 0;
  virtual void desktopSize(int& w, int& h) const = 0;
  virtual void setTitle(const std::string& title) = 0;
  virtual void showSystemPointer(bool show) = 0;
  // Moves the pointer to a point in virtual units (origin not applied).
  virtual void movePointer(float vx, float vy) = 0;

  // --- coordinate system ---------------------------------------------------
  virtual void setVirtualResolution(float w, float h) = 0;
  virtual float virtualWidth() const = 0;
  virtual float virtualHeight() const = 0;
  // Clip rectangle in virtual units (origin not applied).
  virtual void setViewport(int x, int y, int w, int h) = 0;
  virtual void getViewport(int& x, int& y, int& w, int& h) const = 0;
  virtual void setOrigin(float x, float y) = 0;
  virtual void getOrigin(float& x, float& y) const = 0;

  // --- frame ---------------------------------------------------------------
  virtual void setClsColour(int r, int g, int b) = 0;
  virtual void getClsColour(int& r, int& g, int& b) const = 0;
  // Clears the current viewport to the clear colour.
  virtual void cls() = 0;
  // Presents the back buffer. sync -1 (default): sleep to the next 1/60 s
  // tick (never a busy loop); 0: no wait; 1: vsync where available.
  virtual void flip(int sync = -1) = 0;
  virtual FrameStats lastFrameStats() const = 0;

  // --- state ---------------------------------------------------------------
  virtual void setColour(int r, int g, int b) = 0;
  virtual void getColour(int& r, int& g, int& b) const = 0;
  virtual void setAlpha(float a) = 0;
  virtual float alpha() const = 0;
  virtual void setScale(float sx, float sy) = 0;
  virtual void getScale(float& sx, float& sy) const = 0;
  virtual void setRotation(float degrees) = 0;
  virtual float rotation() const = 0;
  virtual void setBlend(Blend b) = 0;
  virtual Blend blend() const = 0;
  virtual void setFont(const FontPtr& f) = 0;
  virtual FontPtr font() const = 0;

  // --- drawing (all honour colour, alpha, scale, rotation, blend) -----------
  // Image frame with its handle at (x, y). A null image draws nothing.
  virtual void drawImage(const ImagePtr& img, float x, float y, int frame = 0) = 0;
  // Frame stretched to w x h (handle scaled with it).
  virtual void drawImageRect(const ImagePtr& img, float x, float y, float w, float h,
                             int frame = 0) = 0;
  // Part (sx, sy, sw, sh) of a frame drawn into (x, y, w, h); (hx, hy) is the
  // handle inside the destination rectangle.
  virtual void drawSubImageRect(const ImagePtr& img, float x, float y, float w, float h, float sx,
                                float sy, float sw, float sh, float hx = 0, float hy = 0,
                                int frame = 0) = 0;
  virtual void drawRect(float x, float y, float w, float h) = 0;
  virtual void drawLine(float x1, float y1, float x2, float y2) = 0;
  virtual void drawOval(float x, float y, float w, float h) = 0;
  virtual void plot(float x, float y) = 0;
  // Text with the current font, (x, y) = top-left of the first line.
  virtual void drawText(const std::string& utf8, float x, float y) = 0;
  virtual float textWidth(const std::string& utf8) = 0;
  virtual float textHeight(const std::string& utf8) = 0;

  // --- pixels --------------------------------------------------------------
  // Back buffer rectangle in virtual units (origin applied) as a new image
  // of the same size in virtual units.
  virtual ImagePtr grabImage(float x, float y, float w, float h) = 0;
  // The whole back buffer in real pixels.
  virtual Pixmap readBackBuffer() = 0;
  // Sends every pending batch to the GPU (also done by flip and reads).
  virtual void flush() = 0;
};

// The active backend's graphics; valid after plat::init().
Graphics& gfx();

}  // namespace plat
