#include "gui/Text.h"

#include "app/Txt.h"
#include "data/StringSplit.h"
#include "gui/Font.h"
#include "gui/Gui.h"
#include "platform/Files.h"
#include "platform/Graphics.h"

int alignFromName(const std::string& name) {
  std::string n = upperCase(trimBlanks(name));
  if (n == "RIGHT") return ALIGN_RIGHT;
  if (n == "CENTER") return ALIGN_CENTER;
  if (n == "JUSTIFY") return ALIGN_JUSTIFY;
  return ALIGN_LEFT;
}

namespace {

std::string joinedWords(const std::vector<std::string>& words) {
  std::string s;
  for (const auto& w : words) s += w;
  return s;
}

void finishLine(TTextLayout& out, const std::string& line, const std::vector<std::string>& words, int align, int x,
                int y, float width, int L, int n, bool last) {
  auto& g = plat::gfx();
  std::string shown = last ? line : trimBlanks(line);
  float ly = float(y + n * L);
  if (align == ALIGN_JUSTIFY && !last) {
    std::vector<std::string> ws;
    for (const auto& w : words)
      if (!w.empty()) ws.push_back(w);
    float gap = ws.size() > 1 ? (width - g.textWidth(joinedWords(ws))) / float(ws.size() - 1) : 8.0f;
    float before = 0;
    for (size_t j = 0; j < ws.size(); ++j) {
      out.pieces.push_back(TTextPiece{ws[j], x + j * gap + before, ly});
      before += g.textWidth(ws[j]);
    }
    return;
  }
  float lw = g.textWidth(shown);
  float lx = float(x);
  if (align == ALIGN_RIGHT) lx = x + (width - lw);
  if (align == ALIGN_CENTER) lx = float(int(x + width / 2 - float(int(lw) / 2)));
  out.pieces.push_back(TTextPiece{shown, lx, ly});
}

}  // namespace

TTextLayout layoutTextBox(const std::string& text, int x, int y, float width, const std::string& alignName,
                          const plat::FontPtr& font, int lineGap) {
  auto& g = plat::gfx();
  if (font) g.setFont(font);
  TTextLayout out;
  int align = alignFromName(alignName);
  int L = int(g.textHeight("A")) + lineGap;
  std::string line;
  std::vector<std::string> lineWords;
  int n = 0;
  for (const auto& word : splitString(text + " ", " ")) {
    if (!line.empty()) {
      if (g.textWidth(line + " " + word) > width) {
        finishLine(out, line, lineWords, align, x, y, width, L, n, false);
        ++n;
        line.clear();
        lineWords.clear();
      }
    }
    // A word wider than the box stands alone on its line and overflows;
    // trying it again on a fresh line would never end.
    line += line.empty() ? word : " " + word;
    lineWords.push_back(word);
  }
  finishLine(out, line, lineWords, align == ALIGN_JUSTIFY ? ALIGN_LEFT : align, x, y, width, L, n, true);
  out.lines = n + 1;
  out.height = L * (n + 1);
  return out;
}

int drawTextBox(const std::string& text, int x, int y, float width, const std::string& alignName, float,
                const plat::FontPtr& font, int lineGap) {
  TTextLayout l = layoutTextBox(text, x, y, width, alignName, font, lineGap);
  auto& g = plat::gfx();
  for (const auto& p : l.pieces) g.drawText(p.text, p.x, p.y);
  return l.height;
}

void drawOutlinedText(const std::string& text, int x, int y, const std::optional<TRGB>& outlineRGB,
                      const std::optional<TRGB>& mainRGB, const std::string& alignName) {
  auto& g = plat::gfx();
  std::string n = upperCase(alignName);
  int left = x;
  if (n == "RIGHT") left = int(x - g.textWidth(text));
  if (n == "CENTER") left = x - int(g.textWidth(text)) / 2;
  TRGB o = outlineRGB.value_or(TRGB{0, 0, 0});
  g.setColour(o.r, o.g, o.b);
  g.drawText(text, float(left - 1), float(y - 1));
  g.drawText(text, float(left + 1), float(y - 1));
  g.drawText(text, float(left - 1), float(y + 1));
  g.drawText(text, float(left + 1), float(y + 1));
  TRGB m = mainRGB.value_or(TRGB{});
  g.setColour(m.r, m.g, m.b);
  g.drawText(text, float(left), float(y));
}

std::string tailFitted(const std::string& text, float maxWidth) {
  auto& g = plat::gfx();
  std::u32string u = plat::utf8ToUtf32(text);
  for (size_t i = 0; i < u.size(); ++i) {
    std::string tail = ".." + plat::utf32ToUtf8(u.substr(i));
    if (g.textWidth(tail) <= maxWidth) return tail;
  }
  return std::string();
}

std::string drawTailFitted(const std::string& text, int x, int y, float maxWidth) {
  std::string t = tailFitted(text, maxWidth);
  plat::gfx().drawText(t, float(x), float(y));
  return t;
}

void TText::setAlign(const std::string& name) {
  std::string n = upperCase(name);
  if (n == "LEFT" || n == "RIGHT" || n == "CENTER" || n == "JUSTIFY") _align = alignFromName(n);
}

std::string TText::alignName() const {
  switch (_align) {
    case ALIGN_RIGHT: return "RIGHT";
    case ALIGN_CENTER: return "CENTER";
    case ALIGN_JUSTIFY: return "JUSTIFY";
    default: return "LEFT";
  }
}

int TText::countH() {
  plat::gfx().setScale(_scale, _scale);
  if (!dim) return 0;
  // Only the layout: a panel is sized before its frame, and a stray copy of
  // the text drawn here would show behind it.
  return layoutTextBox(_txt, int(dim->x), int(dim->y), dim->w, alignName(), _font, int(_adW)).height;
}

void TText::draw(float ox, float oy) {
  if (!dim) return;
  auto& g = plat::gfx();
  TRGB c = _hasRgb ? rgb : TRGB{};
  g.setColour(c.r, c.g, c.b);
  if (_alpha == 0) return;
  g.setAlpha(_alpha);
  g.setScale(_scale, _scale);
  if (_shadow == 1 && shRGB) {
    g.setColour(shRGB->r, shRGB->g, shRGB->b);
    drawTextBox(_txt, int(dim->x + ox + 1), int(dim->y + oy + 1), dim->w, alignName(), _adh, _font, int(_adW));
    g.setColour(c.r, c.g, c.b);
  }
  float yy = dim->y + oy + (_align == ALIGN_CENTER ? 1 : 0);
  dim->h = float(drawTextBox(_txt, int(dim->x + ox), int(yy), dim->w, alignName(), _adh, _font, int(_adW)));
  g.setScale(1, 1);
}

std::shared_ptr<TText> TText::create(const std::string& id, const std::string& text, float x, float y, float width,
                                     const plat::FontPtr& font, const std::string& alignName, int visible,
                                     int active) {
  auto t = std::make_shared<TText>();
  t->_class = GUI_TEXT;
  t->_id = id;
  t->_txt = text;
  t->dim = newDim(int(x), int(y), 0, 0);
  t->dim->w = width;
  t->dim->update();
  t->_font = font;
  t->_align = alignFromName(alignName);
  t->rgb = TRGB{};
  t->_v = visible;
  t->_a = active;
  t->_loadDimX = float(int(x));
  t->_loadDimY = float(int(y));
  return t;
}

std::shared_ptr<TText> TText::createFromList(const std::string& name, const std::vector<TSimpleEntry>& entries,
                                             TGui* gui) {
  std::vector<int> pos{0, 0, 10000000};
  std::string txt, align = "LEFT";
  plat::FontPtr font;
  std::vector<int> col{255, 255, 255};
  std::optional<TRGB> shadow;
  int v = 1, a = 1;
  for (const auto& e : entries) {
    std::string k = upperCase(e._typ);
    if (k == "POSITION") {
      auto n = guiNumbers(e._value);
      pos = {guiNumber(n, 0), guiNumber(n, 1), n.size() > 2 ? n[2] : 10000000};
    } else if (k == "TXT") {
      txt = guiCaption(e._value);
    } else if (k == "FONT") {
      font = guiFontById(e._value, gui);
    } else if (k == "RGB") {
      col = guiNumbers(e._value);
    } else if (k == "SHADOW") {
      auto n = guiNumbers(e._value);
      shadow = TRGB{guiNumber(n, 0), guiNumber(n, 1), guiNumber(n, 2)};
    } else if (k == "ALIGN") {
      align = e._value;
    } else if (k == "VISIBLE") {
      v = guiFlag(e._value);
    } else if (k == "ACTIVE") {
      a = guiFlag(e._value);
    }
  }
  auto t = create(name, txt, float(pos[0]), float(pos[1]), float(pos[2]), font, align, v, a);
  if (guiNumber(col, 0) == -1)
    t->_hasRgb = 0;
  else
    t->rgb = TRGB{guiNumber(col, 0), guiNumber(col, 1), guiNumber(col, 2)};
  if (shadow) {
    t->_shadow = 1;
    t->shRGB = shadow;
  }
  return t;
}

std::string TText::odczytajTekst(const std::string& reference) {
  if (reference.size() < 2) {
    reportError("Nieprawidlowy odnosnik do tekstu : " + reference);
    return TXT_BEYOND;
  }
  auto parts = splitString(reference.substr(1, reference.size() - 2), "|");
  if (parts.size() < 2 || trimBlanks(parts[1]).empty() ||
      trimBlanks(parts[1]).find_first_not_of("0123456789") != std::string::npos) {
    reportError("Nieprawidlowy odnosnik do tekstu : " + reference);
    return TXT_BEYOND;
  }
  std::string file = trimBlanks(parts[0]);
  int n = guiInt(trimBlanks(parts[1]));
  // Text files live under the game folder's txt/; a layout may also keep
  // its own next to it.
  std::string local = localizedTxtPath(file);
  std::string inFolder = guiCurrentFolder().empty() ? std::string() : guiResolvePath(local);
  std::string chosen;
  if (!inFolder.empty() && plat::fileExists(inFolder)) {
    return txtLine(loadTxtPlain(inFolder), n);
  }
  if (!plat::fileExists(local)) {
    reportError("Nie znaleziono pliku : " + local);
    return TXT_BEYOND;
  }
  return txtLine(loadTxt(file), n);
}

std::string guiCaption(const std::string& value) {
  std::string t = guiText(value);
  if (t.size() >= 2 && t.front() == '[' && t.back() == ']') return TText::odczytajTekst(t);
  return t;
}
