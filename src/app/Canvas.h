// The virtual canvas: every screen draws on a fixed 1024 x 768 canvas that is
// mapped onto the real window or screen with one uniform scale, centred, the
// bars left over filled with the border colour.
#pragma once

namespace canvas {

// Mode bits.
constexpr int kClearBars = 1;   // clear the bars to the border colour
constexpr int kLetterbox = 2;
constexpr int kWholeScale = 4;  // whole-number scale only

// Module state, readable for tests and the harness.
struct CanvasState {
  float canvasW = 1024, canvasH = 768;
  float canvasOffsetX = 0, canvasOffsetY = 0;
  int canvasMode = 0;
  int borderR = 0, borderG = 0, borderB = 0;
  float scale = 1;          // real pixels per canvas unit
  int realW = 0, realH = 0; // display size the canvas was set for
};
const CanvasState& state();

}  // namespace canvas

void setVirtualCanvas(float w, float h, int mode);
void resetVirtualCanvas(int mode);
// After every presented frame: repaints the bars and clears the back buffer.
// Also re-fits the canvas when the window was resized.
void endCanvasFrame();
void setBorderColour(int r, int g, int b);
float canvasWidth();
float canvasHeight();
float canvasMouseX();
float canvasMouseY();
void moveCanvasMouse(float x, float y);
void setCanvasOrigin(float x, float y);
void getCanvasOrigin(float& x, float& y);
void setCanvasViewport(float x, float y, float w, float h);
void getCanvasViewport(float& x, float& y, float& w, float& h);
// Canvas point -> virtual units of the platform (for scripted input).
void canvasToVirtual(float cx, float cy, float& vx, float& vy);
