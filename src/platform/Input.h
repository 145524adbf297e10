// Keyboard and mouse state, fed by the backend's event pump (or a script)
// and read by the game once per frame.
#pragma once

#include <deque>
#include <string>

namespace plat {

// Key codes (the common virtual-key numbering).
enum Key : int {
  KEY_BACKSPACE = 8, KEY_TAB = 9, KEY_ENTER = 13, KEY_PAUSE = 19, KEY_ESCAPE = 27, KEY_SPACE = 32,
  KEY_PAGEUP = 33, KEY_PAGEDOWN = 34, KEY_END = 35, KEY_HOME = 36,
  KEY_LEFT = 37, KEY_UP = 38, KEY_RIGHT = 39, KEY_DOWN = 40, KEY_INSERT = 45, KEY_DELETE = 46,
  KEY_0 = 48, KEY_1, KEY_2, KEY_3, KEY_4, KEY_5, KEY_6, KEY_7, KEY_8, KEY_9,
  KEY_A = 65, KEY_B, KEY_C, KEY_D, KEY_E, KEY_F, KEY_G, KEY_H, KEY_I, KEY_J, KEY_K, KEY_L, KEY_M,
  KEY_N, KEY_O, KEY_P, KEY_Q, KEY_R, KEY_S, KEY_T, KEY_U, KEY_V, KEY_W, KEY_X, KEY_Y, KEY_Z,
  KEY_NUM0 = 96, KEY_NUM1, KEY_NUM2, KEY_NUM3, KEY_NUM4, KEY_NUM5, KEY_NUM6, KEY_NUM7, KEY_NUM8,
  KEY_NUM9, KEY_NUMMULTIPLY, KEY_NUMADD, KEY_NUMSEPARATOR, KEY_NUMSUBTRACT, KEY_NUMDECIMAL,
  KEY_NUMDIVIDE,
  KEY_F1 = 112, KEY_F2, KEY_F3, KEY_F4, KEY_F5, KEY_F6, KEY_F7, KEY_F8, KEY_F9, KEY_F10, KEY_F11,
  KEY_F12,
  KEY_LSHIFT = 160, KEY_RSHIFT = 161, KEY_LCONTROL = 162, KEY_RCONTROL = 163, KEY_LALT = 164,
  KEY_RALT = 165,
  KEY_TILDE = 192, KEY_MINUS = 189, KEY_EQUALS = 187, KEY_COMMA = 188, KEY_PERIOD = 190,
  KEY_SLASH = 191,
  KEY_COUNT = 256,
};

// Names as written in scripts ("ESCAPE", "F4", "A", "LALT"); -1 if unknown.
int keyFromName(const std::string& name);

enum MouseButton : int { MOUSE_LEFT = 1, MOUSE_RIGHT = 2, MOUSE_MIDDLE = 3 };

class Input {
 public:
  // --- read by the game ---
  // Number of presses since the last call for this key (and resets it).
  int keyHit(int key);
  bool keyDown(int key) const;
  int mouseHit(int button);
  bool mouseDown(int button) const;
  // Pointer position in virtual units (see Graphics::setVirtualResolution).
  float mouseX() const { return mouseX_; }
  float mouseY() const { return mouseY_; }
  // Wheel steps since the last call.
  int mouseWheel();
  // Next typed character (code point), 0 when none.
  char32_t getChar();
  void flushKeys();   // pending hits and typed characters
  void flushMouse();  // pending button hits and wheel
  // Close request from the window manager; stays set until cleared.
  bool closeRequested() const { return closeRequested_; }
  void clearCloseRequest() { closeRequested_ = false; }
  // True while the application has lost the focus.
  bool suspended() const { return suspended_; }

  // --- written by the backend or a script ---
  void pressKey(int key);
  void releaseKey(int key);
  void typeChar(char32_t c);
  void typeText(const std::string& utf8);
  void moveMouse(float vx, float vy) { mouseX_ = vx; mouseY_ = vy; }
  void pressMouse(int button);
  void releaseMouse(int button);
  void wheel(int steps) { wheel_ += steps; }
  void requestClose() { closeRequested_ = true; }
  void setSuspended(bool s) { suspended_ = s; }
  // Forget everything (held keys too), e.g. after losing the focus.
  void reset();

 private:
  int hits_[KEY_COUNT] = {};
  bool down_[KEY_COUNT] = {};
  int mouseHits_[4] = {};
  bool mouseDown_[4] = {};
  float mouseX_ = 0, mouseY_ = 0;
  int wheel_ = 0;
  std::deque<char32_t> chars_;
  bool closeRequested_ = false;
  bool suspended_ = false;
};

Input& input();

}  // namespace plat
