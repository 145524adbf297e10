// The screen base class every screen derives from, the frame timer and the
// frame factor `delta`, the eased counter, and the per-frame operations all
// screen loops share (standard update, presentation, pause picture).
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Image.h"
#include "platform/Pixmap.h"

class TGui;

// Frame factor of the current frame: elapsed time / (1000 / 60 ms); 1.0 at
// 60 frames per second. Every speed in the game is multiplied by it.
extern float delta;

class TDeltaTime {
 public:
  int OldTime = 0;
  int ElapsedTime = 0;
  float dFps = 0;
  float dDelta = 0;
  int CurrFps = 0;
  int FPSCounter = 0;
  int CurrTime = 0;
  int CheckTime = 0;

  static TDeltaTime* Create(float fps);
  void SetFPS(float fps);
  void Update();
  float CurrDelta() const;
  int FPS() const { return CurrFps; }
  void Destroy();

  // Every timer created, in creation order.
  static std::vector<TDeltaTime*>& timers();
  // The one timer of the game, set to 60 frames per second at start.
  static TDeltaTime& global();
};

// A value eased toward a target, optionally running back and forth between
// 0 and 1.
class TRMCounter {
 public:
  float v = 0;
  float dv = 0;
  float vSpeed = 0.05f;
  int switch_ = 0;  // `switch` is a keyword
  float perSin = 0;
  float sinValue = 90;
  float perCos = 0;
  float cosValue = 90;

  void setValue(float x) { dv = x; }
  void setStartValue(float x) { v = x; }
  void setSpeed(float x);
  void update();
  static std::shared_ptr<TRMCounter> createCounter(float v, float dv, int sw);
};

// Thrown by the frame operations when the player quits (window close,
// Alt+F4, Escape with cheats). It unwinds every nested screen loop up to the
// top, where the exit handler runs once.
class QuitGame : public std::exception {
 public:
  const char* what() const noexcept override { return "quit"; }
};

class TEkran {
 public:
  TEkran();
  virtual ~TEkran();

  std::string id = "Screen Object";
  std::string wynik;
  int _exit = 0;
  float alpha = 1;
  float dAlpha = 1;
  float aSpeed = 0.05f;
  float fade = 0;
  float dFade = 0;
  float fSpeed = 0.05f;
  std::shared_ptr<TGui> Gui;
  int guiLocked = 0;
  TEkran* ekran = nullptr;
  std::string state;

  virtual void setup() {}
  virtual void _drawGui();
  virtual void _drawFade();
  virtual void _drawMouse();
  virtual void draw() {}
  virtual void _updateFade();
  virtual void _updateAlpha();
  virtual void _updateGui();
  virtual void update() {}
  virtual plat::ImagePtr _getMyScreen();
  virtual void _prepareDelta();
  virtual void STANDARD_DATA();
  virtual void lockGui();
  virtual void unlockGui();
};

// Moves value toward target by step without passing it.
float easeToward(float value, float target, float step);

// --- frame operations --------------------------------------------------------
// Frame timer update, delta, then the system's events.
void updateDelta();
// First call of every screen's update(): timer, mouse, sound manager, quit keys.
void standardUpdate(int special);
// Presents a frame: cursor, pause picture while the game has no focus
// (unless noPause), presentation, end of the canvas frame.
void flipScreen(int noPause);
void flipWithCursor();
void flipOnly();
// Loads an image; on failure prints the message and gives no image.
plat::ImagePtr loadImageSafe(const std::string& path, int flags = plat::kDefaultImageFlags);
// Runs the pause picture until the game has the focus again.
void pauseLoop();

// Quits the game from anywhere: throws QuitGame (see above).
[[noreturn]] void quitGame();
