// The base of every widget: id, visibility and activity, rectangle, fade and
// zoom, colour, and the per-frame mouse states.
#pragma once

#include <memory>
#include <string>
#include <typeinfo>

#include "gui/Geometry.h"

// Widget kind numbers.
constexpr int GUI_BUTTON = 0;
constexpr int GUI_WINDOW = 2;
constexpr int GUI_TEXT = 3;
constexpr int GUI_ANIM = 7;
constexpr int GUI_TEXTENTRY = 9;
constexpr int GUI_BELKA = 10;
constexpr int GUI_CONTROL = 11;

class TGuiObject {
 public:
  TGuiObject() { clear(); }
  virtual ~TGuiObject() = default;

  std::string _id;
  int _v = 1;
  int _a = 1;
  int _class = 0;
  std::shared_ptr<TDim> dim;
  float _alpha = 1;
  float _dAlpha = 1;
  float _scale = 1;
  float _dScale = 1;
  TRGB rgb;
  float _overAdX = 0;
  float _overAdY = 0;
  int _over = 0;
  int _clicked = 0;
  int _holded = 0;
  float wzr = 0.06f;
  int _key = 0;
  float _loadDimX = 0;
  float _loadDimY = 0;

  virtual void move(float dx, float dy);
  virtual void setPosition(int x, int y);
  virtual void clear();
  virtual void update(float ox, float oy);
  // The kind's own per-frame step; nothing in the base.
  virtual void updateClass(int x, int y) {}
  virtual void updateParams();
  virtual void wygasAlpha() { _dAlpha = 0; }
  virtual void wygasScale() { _dScale = 0; }
  virtual void _drawFrame();
  virtual void draw(float ox, float oy) {}
  virtual void setKey(int key) { _key = key; }
  virtual void setRGB(int r, int g, int b) { rgb = newRGB(r, g, b); }
  virtual void setState(int visible, int active) {
    _v = visible;
    _a = active;
  }
  virtual void countDims() {}
  virtual void countDims2() {}
  // Menu bars report their picks through these instead of _clicked/_over.
  virtual bool isSelector() const { return false; }
  virtual std::string clickedOp() const { return std::string(); }
  virtual std::string overOp() const { return std::string(); }
  virtual void _clean() {}
  // Takes over the state of a widget of the same kind (a reloaded layout
  // refreshes the objects screens already hold). False for another kind.
  virtual bool assignFrom(const TGuiObject& o) { return assignSame(*this, o); }

 protected:
  template <class T>
  static bool assignSame(T& self, const TGuiObject& o) {
    if (typeid(o) != typeid(T) || typeid(self) != typeid(T)) return false;
    self = static_cast<const T&>(o);
    return true;
  }
};
