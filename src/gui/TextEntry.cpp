#include "gui/TextEntry.h"

#include "gui/Font.h"
#include "gui/Text.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Input.h"

std::shared_ptr<TTextEntry> createTextEntry(const std::string& id, const plat::FontPtr& font, int x, int y, int width,
                                            int maxChars, const TRGB& colour, int active, int visible) {
  auto e = std::make_shared<TTextEntry>();
  auto& g = plat::gfx();
  e->_font = font;
  if (font) g.setFont(font);
  e->dim = newDim(x, y, width, int(g.textHeight("A")));
  e->dim->update();
  e->_curWidth = g.textWidth("A");
  e->_curHeight = g.textHeight("A");
  e->_trigger = 1;
  e->_czas = plat::millisecs() + e->_interwal;
  e->_maxZnakow = maxChars;
  e->_a = active;
  e->_v = visible;
  e->_id = id;
  e->_class = GUI_TEXTENTRY;
  e->rgb = colour;
  e->_loadDimX = float(x);
  e->_loadDimY = float(y);
  return e;
}

std::shared_ptr<TTextEntry> TTextEntry::createFromList(const std::string& name,
                                                       const std::vector<TSimpleEntry>& entries, TGui* gui) {
  std::vector<int> pos{0, 0, 300};
  int width = 25, v = 1, a = 1;
  TRGB colour;
  plat::FontPtr font;
  for (const auto& e : entries) {
    std::string k = upperCase(e._typ);
    if (k == "POSITION") {
      auto n = guiNumbers(e._value);
      pos = {guiNumber(n, 0), guiNumber(n, 1), n.size() > 2 ? n[2] : 300};
    } else if (k == "WIDTH") width = guiInt(guiText(e._value));
    else if (k == "RGB") {
      auto n = guiNumbers(e._value);
      // No colour (-1) draws in white.
      colour = guiNumber(n, 0) == -1 ? TRGB{} : TRGB{guiNumber(n, 0), guiNumber(n, 1), guiNumber(n, 2)};
    } else if (k == "FONT") font = guiFontById(e._value, gui);
    else if (k == "VISIBLE") v = guiFlag(e._value);
    else if (k == "ACTIVE") a = guiFlag(e._value);
  }
  return createTextEntry(name, font, pos[0], pos[1], pos[2], width, colour, a, v);
}

void TTextEntry::updateMe(int, int) {
  if (_v != 1) return;  // a hidden field must not eat what another one is typed
  char32_t c = plat::input().getChar();
  if (c == 8) {
    std::u32string u = plat::utf8ToUtf32(_txt);
    if (!u.empty()) {
      u.pop_back();
      _txt = plat::utf32ToUtf8(u);
    }
  } else if (c == 13) {
    _clicked = 1;
  } else if (c >= 32 && c != 127 && !(c >= 0x80 && c < 0xA0)) {
    // Control characters (tab, escape, ...) never become part of a name.
    if (int(plat::utf8Length(_txt)) < _maxZnakow) _txt += plat::utf32ToUtf8(std::u32string(1, c));
  }
  int now = plat::millisecs();
  if (now > _czas) {
    _czas = now + _interwal;
    _trigger = _trigger ? 0 : 1;
  }
}

void TTextEntry::draw(float ox, float oy) {
  if (!dim) return;
  auto& g = plat::gfx();
  g.setScale(_scale, _scale);
  g.setAlpha(_alpha);
  g.setColour(rgb.r, rgb.g, rgb.b);
  if (_font) g.setFont(_font);
  float X = dim->x + ox, Y = dim->y + oy;
  std::string shown;
  if (g.textWidth(_txt) >= dim->w) {
    shown = drawTailFitted(_txt, int(X), int(Y), dim->w);
  } else {
    g.drawText(_txt, X, Y);
    shown = _txt;
  }
  if (_trigger == 1 && _a == 1) g.drawRect(X + g.textWidth(shown) + 2, Y, _curWidth, _curHeight);
  g.setScale(1, 1);
  g.setAlpha(1);
  g.setColour(255, 255, 255);
}
