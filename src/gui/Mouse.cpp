#include "gui/Mouse.h"

#include <strings.h>

#include <algorithm>
#include <cmath>

#include "app/Canvas.h"
#include "platform/Clock.h"
#include "platform/Graphics.h"
#include "platform/Input.h"

int* TMouse::fullScreenFlag = nullptr;

namespace {
TMouse* g_mouse = nullptr;

// Truncates a canvas coordinate. Mapping a point to the letterboxed display
// and back may land a hair below the whole number it started as (100 comes
// back as 99.99998), which must not move the pointer a pixel left.
int canvasPixel(float v) { return int(std::floor(v + 1e-3f)); }
}

TMouse& mouse() {
  if (!g_mouse) g_mouse = new TMouse();  // lives for the whole run
  return *g_mouse;
}

void TCursor::draw(int x, int y) {
  auto& g = plat::gfx();
  g.setColour(255, 255, 255);
  g.setScale(1, 1);
  g.setAlpha(1);
  g.drawImage(_img, float(x), float(y), (_frame > 0 && _maxFrames > 0) ? _frame : 0);
}

int TCursor::update() {
  if (_timeDelta <= 0 || _maxFrames <= 0) return 0;
  int now = plat::millisecs();
  if (now < _time) return 0;
  _time = now + _timeDelta;
  _frame += 1;
  if (_frame > _maxFrames) _frame = 0;
  return 1;
}

TMouse::TMouse() : previous_(g_mouse) { g_mouse = this; }
TMouse::~TMouse() {
  if (g_mouse == this) g_mouse = previous_;
}

void TMouse::sampleButtons() {
  auto& in = plat::input();
  leftPressed = in.mouseHit(plat::MOUSE_LEFT);
  rightPressed = in.mouseHit(plat::MOUSE_RIGHT);
  leftHolded = in.mouseDown(plat::MOUSE_LEFT) ? 1 : 0;
  rightHolded = in.mouseDown(plat::MOUSE_RIGHT) ? 1 : 0;
}

void TMouse::update() {
  auto& in = plat::input();
  sampleButtons();
  middleHit = in.mouseHit(plat::MOUSE_MIDDLE);
  middleHold = in.mouseDown(plat::MOUSE_MIDDLE) ? 1 : 0;
  px = x;
  py = y;
  x = canvasPixel(canvasMouseX());
  y = canvasPixel(canvasMouseY());
  vx = px - x;
  vy = py - y;
  if (cur) {
    cur->update();
  } else {
    _lastLHolded = leftHolded;
  }
}

void TMouse::updateSpec() {
  auto& in = plat::input();
  sampleButtons();
  int now = plat::millisecs();
  if (in.mouseDown(plat::MOUSE_LEFT)) {
    leftPressed = 0;
    if (!_leftHolded) {
      _leftHolded = 1;
      _leftHoldedTime = now;
    }
    leftHolded = (now - _leftHoldedTime > 100) ? 1 : 0;
  } else if (_leftHolded) {
    leftHolded = 0;
    _leftHolded = 0;
    if (now - _leftHoldedTime < 100) leftPressed = 1;
  }
  px = x;
  py = y;
  x = canvasPixel(canvasMouseX());
  y = canvasPixel(canvasMouseY());
  if (fullScreenFlag && *fullScreenFlag) {
    int cx = std::clamp(x, 0, 1023), cy = std::clamp(y, 0, 767);
    if (cx != x || cy != y) {
      x = cx;
      y = cy;
      moveCanvasMouse(float(x), float(y));
    }
  }
  vx = px - x;
  vy = py - y;
  if (cur) cur->update();
}

void TMouse::draw() {
  if (_v == 1 && cur) cur->draw(x, y);
}

int TMouse::inRect(int rx, int ry, int w, int h) const {
  return (rx <= x && x <= rx + w && ry <= y && y <= ry + h) ? 1 : 0;
}

int TMouse::inDim(const TDim& d) const {
  return (d.x <= x && x <= d.x + d.w && d.y <= y && y <= d.y + d.h) ? 1 : 0;
}

void TMouse::loadCursor(const std::string& id, const plat::ImagePtr& image, const std::string& path, int hx, int hy,
                        int frames, int frameTime) {
  auto c = std::make_shared<TCursor>();
  c->_id = id;
  c->_hx = hx;
  c->_hy = hy;
  if (image) {
    c->_img = image;
  } else {
    plat::ImagePtr whole = plat::loadImage(path);
    if (whole && frames >= 2) {
      int w = whole->width() / frames;
      c->_img = plat::loadAnimImage(path, w, whole->height(), 0, frames);
      c->_maxFrames = frames - 1;
      c->_timeDelta = frameTime;
    } else {
      c->_img = whole;
    }
  }
  listaKursorow.push_back(c);
  cur = c;
  if (c->_img) c->_img->setHandle(float(hx), float(hy));
}

void TMouse::setCursor(const std::string& id) {
  for (auto it = listaKursorow.rbegin(); it != listaKursorow.rend(); ++it) {
    if (strcasecmp((*it)->_id.c_str(), id.c_str()) == 0) {
      cur = *it;
      return;
    }
  }
}

void TMouse::clear() {
  plat::input().flushMouse();
  leftPressed = leftHolded = rightPressed = rightHolded = 0;
}
