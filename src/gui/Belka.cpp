#include "gui/Belka.h"

#include <algorithm>
#include <array>

#include "app/Screen.h"
#include "data/StringSplit.h"
#include "gui/Font.h"
#include "gui/Gui.h"
#include "gui/Mouse.h"
#include "gui/Theme.h"
#include "platform/Graphics.h"

namespace {

float textW(const plat::FontPtr& f, const std::string& s) {
  auto& g = plat::gfx();
  if (f) g.setFont(f);
  return g.textWidth(s);
}
float textH(const plat::FontPtr& f, const std::string& s) {
  auto& g = plat::gfx();
  if (f) g.setFont(f);
  return g.textHeight(s);
}

bool inside(const TDim& r, int x, int y) { return r.x <= x && x <= r.x + r.w && r.y <= y && y <= r.y + r.h; }

// Nine pieces with the window handles, corners inside (a, t)-(e, b).
void drawNine(const std::array<plat::ImagePtr, 9>& p, float a, float t, float e, float b) {
  auto& g = plat::gfx();
  float w = e - a, h = b - t;
  float lw = p[0] ? float(p[0]->width()) : 0, lh = p[0] ? float(p[0]->height()) : 0;
  float rw = p[2] ? float(p[2]->width()) : 0, bh = p[4] ? float(p[4]->height()) : 0;
  auto piece = [&](int i, float x, float y, float sx, float sy) {
    if (!p[size_t(i)]) return;
    g.setScale(sx, sy);
    g.drawImage(p[size_t(i)], x, y);
  };
  auto across = [&](int i) { return p[size_t(i)] && p[size_t(i)]->width() ? (w - lw - rw) / p[size_t(i)]->width() : 1; };
  auto down = [&](int i) { return p[size_t(i)] && p[size_t(i)]->height() ? (h - lh - bh) / p[size_t(i)]->height() : 1; };
  piece(8, a + lw, t + lh, across(8), down(8));
  piece(1, a + lw, t, across(1), 1);
  piece(5, a + lw, b, across(5), 1);
  piece(3, e, t + lh, 1, down(3));
  piece(7, a, t + lh, 1, down(7));
  piece(0, a, t, 1, 1);
  piece(2, e, t, 1, 1);
  piece(4, e, b, 1, 1);
  piece(6, a, b, 1, 1);
  g.setScale(1, 1);
}

}  // namespace

// --- entries -------------------------------------------------------------------------

void TBarTitle::_createRect() {
  float bx = _belka && _belka->dim ? _belka->dim->x : 0, by = _belka && _belka->dim ? _belka->dim->y : 0;
  rect.x = dim.x + bx - 5;
  rect.y = dim.y + by;
  rect.w = dim.w + 10;
  rect.h = dim.h;
}

void TBarTitle::update() {
  if (dim.w == 0) dim.w = textW(_font, title);
  if (dim.h == 0) dim.h = textH(_font, title);
  _createRect();
  TMouse& m = mouse();
  if (_alpha != 0) {
    _over = m.inRect(int(rect.x), int(rect.y), int(rect.w), int(rect.h));
    if (_over && m.leftPressed) {
      _clicked = 1;
      m.leftPressed = 0;  // the press is this entry's; nothing later sees it
    } else {
      _clicked = 0;
    }
  } else {
    _over = _clicked = 0;
  }
  _alpha = easeToward(_alpha, _dAlpha, 0.06f * delta);
  if (!isMenu() && _belka) {
    if (_clicked) _belka->__CLICK(id);
    if (_over) _belka->__OVER(id);
  }
}

void TBarTitle::draw() {
  if (_alpha == 0 || !_belka) return;
  auto& g = plat::gfx();
  g.setAlpha(_alpha);
  if (_font) g.setFont(_font);
  auto theme = _belka->theme;
  if (_over && _active) {
    TRGB b = theme && theme->backRGB ? *theme->backRGB : TRGB{};
    g.setColour(b.r, b.g, b.b);
    g.setBlend(plat::Blend::Alpha);
    g.setAlpha(_alpha * 0.3f);
    g.drawRect(rect.x, rect.y, rect.w, rect.h);
    g.setAlpha(_alpha);
  }
  if (!_active) g.setAlpha(_alpha * 0.5f);
  TRGB t = theme && theme->textRGB ? *theme->textRGB : TRGB{};
  g.setColour(t.r, t.g, t.b);
  std::string shown = checked == 1 ? "* " + (title.size() > 2 ? title.substr(2) : std::string()) : title;
  g.drawText(shown, dim.x + _belka->dim->x, dim.y + _belka->dim->y);
  g.setColour(255, 255, 255);
}

// --- menus ------------------------------------------------------------------------------

float TMenu::_getMaxWidth() {
  float m = 0;
  for (const auto& e : _barTitles) m = std::max(m, textW(e->_font, e->title));
  return m + textW(_font, "* ");
}

void TMenu::_setRect(float offset) {
  float H = textH(_font, "A");
  _comRect.x = dim.x + offset;
  _comRect.y = _first ? dim.y + 1.5f * H : dim.y;
  _comRect.w = _getMaxWidth() + 40;
  float h = float(int(H) / 2);
  for (const auto& e : _barTitles) h += textH(e->_font, "A") + 1;
  _comRect.h = h;
}

void TMenu::getReady(float offset) {
  if (!_first) _setRect(offset);
  float x = _comRect.x + 10, y = _comRect.y;
  float mw = _getMaxWidth();
  for (const auto& e : _barTitles) {
    e->dim.x = x;
    e->dim.y = y;
    y += textH(e->_font, "A") + 1;
    if (auto sub = std::dynamic_pointer_cast<TMenu>(e)) sub->getReady(mw);
  }
  for (const auto& e : _barTitles) {
    e->dim.w = mw;
    e->rect.w = mw;
  }
}

void TMenu::_rozwin() {
  for (const auto& e : _barTitles) e->_dAlpha = 1;
  _dBoxA = 1;
}

void TMenu::_zwin() {
  for (const auto& e : _barTitles) {
    e->_dAlpha = 0;
    if (auto sub = std::dynamic_pointer_cast<TMenu>(e)) sub->_zwin();
  }
  _dBoxA = 0;
}

void TMenu::_zwinBezwzglednie() {
  if (_belka) {
    _belka->_activated = 0;
    _belka->_actualMenu = nullptr;
  }
  _dBoxA = 0;
  for (const auto& e : _barTitles) e->_dAlpha = 0;
}

TDim TMenu::boxOnCanvas() const {
  TDim b = _comRect;
  if (_belka && _belka->dim) {
    b.x += _belka->dim->x;
    b.y += _belka->dim->y;
  }
  return b;
}

void TMenu::update() {
  TBarTitle::update();
  updateMe();
}

void TMenu::updateMe() {
  if (!_belka) return;
  TMouse& m = mouse();
  bool inBox = inside(boxOnCanvas(), m.x, m.y);
  if (_first && _clicked) _belka->_actualMenu = this;
  if (_first) {
    if (m.leftPressed && !inBox && !_over) _zwinBezwzglednie();
  } else if (!inBox && !_clicked && !_rozwiniety) {
    _dBoxA = 0;
    for (const auto& e : _barTitles) e->_dAlpha = 0;
  }
  if (_clicked || (!_first && _over)) _rozwin();
  // Moving along the bar while a menu is down switches to the hovered one.
  TMenu* act = _belka->_actualMenu;
  if (_first && _over && act && act != this && act->_dBoxA > 0) {
    act->_zwin();
    _rozwin();
    _belka->_actualMenu = this;
  }
  _boxA = easeToward(_boxA, _dBoxA, 0.06f * delta);
  _rozwiniety = 0;
  for (const auto& e : _barTitles) {
    e->update();
    if (auto sub = std::dynamic_pointer_cast<TMenu>(e))
      if (sub->_dBoxA == 1) _rozwiniety = 1;
  }
}

void TMenu::_drawBox() {
  if (!_belka || !_belka->theme || !_belka->dim) return;
  auto& g = plat::gfx();
  g.setAlpha(_boxA);
  g.setScale(1, 1);
  g.setColour(255, 255, 255);
  float bx = _belka->dim->x, by = _belka->dim->y;
  float a = float(int(_comRect.x + bx)), e = float(int(a + _comRect.w + 5));
  float t = float(int(_comRect.y + by - 5)), b = float(int(_comRect.y + _comRect.h + by));
  drawNine(_belka->theme->rect, a, t, e, b);
  g.setColour(255, 255, 255);
}

void TMenu::drawMe() {
  if (_dBoxA > 0) _drawBox();
  for (const auto& e : _barTitles)
    if (!e->isMenu()) e->draw();
  for (const auto& e : _barTitles)
    if (e->isMenu()) e->draw();
}

void TMenu::draw() {
  if (_alpha == 0) return;
  TBarTitle::draw();
  drawMe();
}

std::shared_ptr<TBarTitle> TMenu::getBarTitle(const std::string& path) {
  size_t colon = path.find(':');
  std::string first = colon == std::string::npos ? path : path.substr(0, colon);
  std::string rest = colon == std::string::npos ? std::string() : path.substr(colon + 1);
  for (const auto& e : _barTitles) {
    if (e->id != first) continue;
    auto sub = std::dynamic_pointer_cast<TMenu>(e);
    if (sub && !rest.empty()) return sub->getBarTitle(rest);
    return e;
  }
  return nullptr;
}

// --- the bar ----------------------------------------------------------------------------------

std::shared_ptr<TBarTitle> TBelka::getBarTitle(const std::string& path) {
  size_t colon = path.find(':');
  std::string first = colon == std::string::npos ? path : path.substr(0, colon);
  std::string rest = colon == std::string::npos ? std::string() : path.substr(colon + 1);
  for (const auto& m : _menusList)
    if (equalsNoCase(m->id, first)) return m->getBarTitle(rest);
  reportError("Nie znaleziono " + first + " w belce :" + _id);
  return nullptr;
}

void TBelka::updateMe(int, int) {
  _clean();
  _updateMenus();
}

void TBelka::_updateMenus() {
  for (const auto& m : _menusList) m->update();
}

void TBelka::draw(float, float) {
  if (!dim) return;
  auto& g = plat::gfx();
  g.setAlpha(_alpha);
  g.setColour(255, 255, 255);
  float lw = theme && theme->bar[0] ? float(theme->bar[0]->width()) : 0;
  if (theme) {
    g.setScale(_scale, _scale);
    g.drawImage(theme->bar[0], dim->x, dim->y);
    g.setScale(_scale * _widthScale, _scale);
    g.drawImage(theme->bar[1], dim->x + lw * _scale, dim->y);
    g.setScale(_scale, _scale);
    g.drawImage(theme->bar[2], dim->x + lw * _scale + _widthScale, dim->y);
    g.setScale(1, 1);
  }
  _drawMenus();
  g.setAlpha(1);
}

void TBelka::_drawMenus() {
  for (const auto& m : _menusList) m->draw();
}

void TBelka::_zwinMenusy() {
  for (const auto& m : _menusList) m->_zwin();
}

void TBelka::__CLICK(const std::string& id) {
  _zwinMenusy();
  _clickedOp = _overOp = id;
}

void TBelka::__OVER(const std::string& id) { _overOp = id; }

void TBelka::getReady() {
  if (!dim) return;
  float lw = theme && theme->bar[0] ? float(theme->bar[0]->width()) : 0;
  float rw = theme && theme->bar[2] ? float(theme->bar[2]->width()) : 0;
  _widthScale = dim->w - (lw + rw);
}

void TBelka::_poukladajMenu() {
  if (!dim) return;
  float x = 10;
  float y = float(int(dim->h / 2 - float(int(textH(_font, "A")) / 2)));
  for (const auto& m : _menusList) {
    m->dim.x = x;
    m->dim.y = y;
    m->_alpha = m->_dAlpha = 1;
    m->_active = 1;
    m->_parent = this;
    m->_setRect(0);
    x += textW(m->_font, m->title) + 30;
    m->getReady(0);
  }
}

std::shared_ptr<TMenu> TBelka::getMenu(const std::vector<TGuiToken>& entries, const std::string& name, int first,
                                       TGui* gui) {
  auto menu = std::make_shared<TMenu>();
  menu->id = name;
  menu->_first = first;
  menu->_belka = this;
  if (first) menu->_parent = this;
  bool ownFont = false;
  for (const auto& t : entries) {
    if (t.object) {
      auto sub = getMenu(t.object->_tokeny, t.object->_name, 0, gui);
      sub->_parent = menu.get();
      menu->_barTitles.push_back(sub);
      continue;
    }
    std::string k = upperCase(t.entry._typ);
    if (k == "TITLE") {
      menu->title = guiText(t.entry._value);
    } else if (k == "COMMAND") {
      auto parts = splitString(guiText(t.entry._value), "|");
      if (parts.size() < 2) {
        reportError("Nieprawidlowy wpis :" + t.entry._value);
        continue;
      }
      auto e = std::make_shared<TBarTitle>();
      e->id = parts[0];
      e->title = "  " + parts[1];
      e->_font = _font;
      if (parts.size() > 2) {
        if (auto f = guiFontById(parts[2], gui)) e->_font = f;
      }
      e->_parent = menu.get();
      e->_belka = this;
      menu->_barTitles.push_back(e);
    } else if (k == "FONT") {
      menu->_font = guiFontById(t.entry._value, gui);
      ownFont = true;
    }
  }
  if (!ownFont || !menu->_font) menu->_font = _font;
  return menu;
}

std::vector<std::shared_ptr<TMenu>> TBelka::createMenus(const std::vector<std::shared_ptr<TSmallObject>>& nested,
                                                        TGui* gui) {
  std::vector<std::shared_ptr<TMenu>> out;
  for (const auto& n : nested) out.push_back(getMenu(n->_tokeny, n->_name, 1, gui));
  return out;
}

std::shared_ptr<TBelka> createBar(const std::string& name, int x, int y, int width,
                                  const std::shared_ptr<TTheme>& theme, const plat::FontPtr& font) {
  auto b = std::make_shared<TBelka>();
  b->dim = newDim(x, y, width, theme ? theme->barHeight : 0);
  b->dim->update();
  b->theme = theme;
  b->_id = name;
  b->_class = GUI_BELKA;
  b->_font = font;
  b->_loadDimX = float(x);
  b->_loadDimY = float(y);
  b->getReady();
  return b;
}

std::shared_ptr<TBelka> TBelka::createFromList(const std::string& name, const std::vector<TSimpleEntry>& entries,
                                               const std::vector<std::shared_ptr<TSmallObject>>& nested, TGui* gui) {
  std::vector<int> pos{0, 0};
  std::shared_ptr<TTheme> theme;
  int width = 0, v = 1, a = 1;
  plat::FontPtr font;
  for (const auto& e : entries) {
    std::string k = upperCase(e._typ);
    if (k == "POSITION") pos = guiNumbers(e._value);
    else if (k == "TEMAT") {
      theme = findTheme(guiText(e._value), gui);
      if (!theme) reportError("No theme asigned for bar object!");
    } else if (k == "WIDTH") width = guiInt(guiText(e._value));
    else if (k == "FONT") font = guiFontById(e._value, gui);
    else if (k == "VISIBLE") v = guiFlag(e._value);
    else if (k == "ACTIVE") a = guiFlag(e._value);
  }
  auto b = createBar(name, guiNumber(pos, 0), guiNumber(pos, 1), width, theme, font);
  b->_v = v;
  b->_a = a;
  b->_menusList = b->createMenus(nested, gui);
  b->_poukladajMenu();
  return b;
}

void TBelka::adopt() {
  std::vector<TMenu*> stack;
  for (const auto& m : _menusList) {
    m->_parent = this;
    stack.push_back(m.get());
  }
  while (!stack.empty()) {
    TMenu* m = stack.back();
    stack.pop_back();
    m->_belka = this;
    for (const auto& e : m->_barTitles) {
      e->_belka = this;
      if (auto sub = std::dynamic_pointer_cast<TMenu>(e)) stack.push_back(sub.get());
    }
  }
}

bool TBelka::assignFrom(const TGuiObject& o) {
  if (!assignSame(*this, o)) return false;
  // The entries answer to the bar the screen holds, not the one just read.
  adopt();
  return true;
}
