#include "gui/GuiObject.h"

#include "app/Screen.h"
#include "gui/Mouse.h"
#include "platform/Graphics.h"
#include "platform/Input.h"

void TGuiObject::move(float dx, float dy) {
  if (!dim) return;
  dim->x += dx;
  dim->x1 += dx;
  dim->x2 += dx;
  dim->y += dy;
  dim->y1 += dy;
  dim->y2 += dy;
}

void TGuiObject::setPosition(int x, int y) {
  if (!dim) return;
  move(float(int(x - dim->x)), float(int(y - dim->y)));
}

void TGuiObject::clear() {
  _v = 1;
  _a = 1;
  _over = 0;
  _clicked = 0;
}

void TGuiObject::update(float ox, float oy) {
  TMouse& m = mouse();
  if (_v == 1 && _a == 1 && dim) {
    bool over = dim->x1 + ox - _overAdX <= m.x && m.x <= dim->x2 + ox + _overAdX && dim->y1 + oy - _overAdY <= m.y &&
                m.y <= dim->y2 + oy + _overAdY;
    if (over) {
      _over = 1;
      _clicked = m.leftPressed ? 1 : 0;
      _holded = m.leftHolded ? 1 : 0;
    } else {
      _over = 0;
      _clicked = 0;
    }
  } else {
    _over = 0;
    _clicked = 0;
  }
  if (_a == 1 && _key != 0 && plat::input().keyHit(_key)) {
    _clicked = 1;
    _over = 1;
  }
  updateClass(int(ox), int(oy));
  updateParams();
}

void TGuiObject::updateParams() {
  float s = wzr * delta;
  _scale = easeToward(_scale, _dScale, s);
  _alpha = easeToward(_alpha, _dAlpha, s);
}

void TGuiObject::_drawFrame() {
  if (!dim) return;
  auto& g = plat::gfx();
  g.setColour(255, 0, 0);
  g.setAlpha(1);
  g.setScale(1, 1);
  g.drawLine(dim->x1, dim->y1, dim->x2, dim->y1);
  g.drawLine(dim->x2, dim->y1, dim->x2, dim->y2);
  g.drawLine(dim->x2, dim->y2, dim->x1, dim->y2);
  g.drawLine(dim->x1, dim->y2, dim->x1, dim->y1);
  g.setColour(255, 255, 255);
}
