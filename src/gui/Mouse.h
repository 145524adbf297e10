// The one global mouse, sampled once per frame for the whole program, and
// the custom cursors it draws.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gui/Geometry.h"
#include "platform/Image.h"

class TCursor {
 public:
  std::string _id;
  plat::ImagePtr _img;
  int _time = 0;       // ms of the next frame change
  int _timeDelta = 0;  // ms per frame; 0 = still
  int _frame = 0;
  int _maxFrames = 0;  // index of the last frame; 0 = single image
  int _hx = 0, _hy = 0;

  void draw(int x, int y);
  // 1 when the frame advanced.
  int update();
};

class TMouse {
 public:
  TMouse();  // becomes the global mouse
  // A global mouse that goes away (one a test made on its stack) hands the
  // place back to the one it replaced, so later callers get a live mouse.
  ~TMouse();
  TMouse(const TMouse&) = default;
  TMouse& operator=(const TMouse&) = default;

  std::vector<std::shared_ptr<TCursor>> listaKursorow;
  int x = 0, y = 0;
  int px = 0, py = 0;
  int vx = 0, vy = 0;
  int leftPressed = 0, rightPressed = 0;
  int leftHolded = 0, rightHolded = 0;
  int middleHit = 0, middleHold = 0;
  int lHoldTime = 0, rHoldTime = 0;
  int _lastLHolded = 0;
  int _v = 1;
  std::shared_ptr<TCursor> cur;
  int _leftHolded = 0;
  int _leftHoldedTime = 0;
  plat::ImagePtr point;

  // Sampling with the click-versus-hold split (drag screens).
  void updateSpec();
  // Plain sampling.
  void update();
  void draw();
  void show() { _v = 1; }
  void hide() { _v = 0; }
  int inRect(int rx, int ry, int w, int h) const;
  int inDim(const TDim& d) const;
  // imageOrPath: give either an image or a path. frames >= 2 cuts a strip.
  void loadCursor(const std::string& id, const plat::ImagePtr& image, const std::string& path, int hx, int hy,
                  int frames, int frameTime);
  void setCursor(const std::string& id);
  void clear();

  // Left and right buttons: hits since the last sample and held state.
  void sampleButtons();

  // Set by the options: in full screen the pointer is kept on the canvas.
  static int* fullScreenFlag;

 private:
  TMouse* previous_ = nullptr;  // the global mouse before this one
};

// The global mouse (created on first use).
TMouse& mouse();
