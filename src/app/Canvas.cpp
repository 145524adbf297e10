#include "app/Canvas.h"

#include <algorithm>
#include <cmath>

#include "platform/Graphics.h"
#include "platform/Input.h"

namespace canvas {
namespace {
CanvasState g;
}
const CanvasState& state() { return g; }
CanvasState& mutableState() { return g; }
}  // namespace canvas

using canvas::g;

namespace {

void clearBars() {
  auto& gx = plat::gfx();
  int r, gr, b;
  gx.getClsColour(r, gr, b);
  gx.setViewport(0, 0, int(std::ceil(gx.virtualWidth())), int(std::ceil(gx.virtualHeight())));
  gx.setClsColour(g.borderR, g.borderG, g.borderB);
  gx.cls();
  gx.setClsColour(r, gr, b);
}

void setCanvasRectViewport() {
  plat::gfx().setViewport(int(g.canvasOffsetX), int(g.canvasOffsetY), int(g.canvasW), int(g.canvasH));
}

}  // namespace

void setVirtualCanvas(float w, float h, int mode) {
  auto& gx = plat::gfx();
  if (mode != 1) g.canvasMode = mode;
  g.canvasW = w;
  g.canvasH = h;
  g.realW = gx.displayWidth();
  g.realH = gx.displayHeight();
  if (g.canvasMode == 0) {
    g.canvasOffsetX = g.canvasOffsetY = 0;
    g.scale = w > 0 ? g.realW / w : 1;
    gx.setVirtualResolution(w, h);
    gx.setViewport(0, 0, int(std::ceil(w)), int(std::ceil(h)));
    gx.setOrigin(0, 0);
    return;
  }
  float W = float(g.realW), H = float(g.realH);
  if (W <= 0 || H <= 0 || w <= 0 || h <= 0) {
    W = w > 0 ? w : 1;
    H = h > 0 ? h : 1;
  }
  float s = std::min(W / w, H / h);
  if (g.canvasMode & canvas::kWholeScale) s = std::max(std::floor(s), 1.0f);
  g.scale = s;
  gx.setVirtualResolution(W / s, H / s);
  g.canvasOffsetX = (W / s - w) * 0.5f;
  g.canvasOffsetY = (H / s - h) * 0.5f;
  if (g.canvasMode & canvas::kWholeScale) {
    g.canvasOffsetX = std::floor(g.canvasOffsetX);
    g.canvasOffsetY = std::floor(g.canvasOffsetY);
  }
  if (g.canvasMode & canvas::kClearBars) {
    clearBars();
    setCanvasRectViewport();
  } else {
    gx.setViewport(0, 0, int(std::ceil(W / s)), int(std::ceil(H / s)));
  }
  gx.setOrigin(g.canvasOffsetX, g.canvasOffsetY);
}

void resetVirtualCanvas(int mode) { setVirtualCanvas(g.canvasW, g.canvasH, mode); }

void endCanvasFrame() {
  auto& gx = plat::gfx();
  if (gx.displayWidth() != g.realW || gx.displayHeight() != g.realH) resetVirtualCanvas(1);
  if (g.canvasMode & canvas::kClearBars) {
    clearBars();
    setCanvasRectViewport();
  }
  gx.cls();
}

void setBorderColour(int r, int gr, int b) {
  g.borderR = r;
  g.borderG = gr;
  g.borderB = b;
}

float canvasWidth() { return g.canvasW; }
float canvasHeight() { return g.canvasH; }
float canvasMouseX() { return plat::input().mouseX() - g.canvasOffsetX; }
float canvasMouseY() { return plat::input().mouseY() - g.canvasOffsetY; }

void moveCanvasMouse(float x, float y) {
  plat::gfx().movePointer(x + g.canvasOffsetX, y + g.canvasOffsetY);
  plat::input().moveMouse(x + g.canvasOffsetX, y + g.canvasOffsetY);
}

void setCanvasOrigin(float x, float y) { plat::gfx().setOrigin(x + g.canvasOffsetX, y + g.canvasOffsetY); }

void getCanvasOrigin(float& x, float& y) {
  plat::gfx().getOrigin(x, y);
  x -= g.canvasOffsetX;
  y -= g.canvasOffsetY;
}

void setCanvasViewport(float x, float y, float w, float h) {
  float x0 = std::clamp(x, 0.0f, g.canvasW), y0 = std::clamp(y, 0.0f, g.canvasH);
  float x1 = std::clamp(x + w, 0.0f, g.canvasW), y1 = std::clamp(y + h, 0.0f, g.canvasH);
  plat::gfx().setViewport(int(x0 + g.canvasOffsetX), int(y0 + g.canvasOffsetY), int(x1 - x0), int(y1 - y0));
}

void getCanvasViewport(float& x, float& y, float& w, float& h) {
  int vx, vy, vw, vh;
  plat::gfx().getViewport(vx, vy, vw, vh);
  x = vx - g.canvasOffsetX;
  y = vy - g.canvasOffsetY;
  w = float(vw);
  h = float(vh);
}

void canvasToVirtual(float cx, float cy, float& vx, float& vy) {
  vx = cx + g.canvasOffsetX;
  vy = cy + g.canvasOffsetY;
}
