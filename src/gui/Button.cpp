#include "gui/Button.h"

#include <algorithm>

#include "app/Screen.h"
#include "data/StringSplit.h"
#include "gui/Font.h"
#include "gui/Gui.h"
#include "gui/Text.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Graphics.h"

// --- TAnimData -----------------------------------------------------------------

int TAnimData::getAnimByName(const std::string& name) const {
  std::string n = upperCase(name);
  for (int i = 0; i < kMaxAnims; ++i)
    if (!animName[i].empty() && animName[i] == n) return i;
  reportError("Podanej nazwy animacji nie ma na liscie animacji obiektu! Nazwa :" + name);
  return 0;
}

int TAnimData::dodajNazwe(const std::string& name) {
  std::string n = upperCase(name);
  for (int i = 0; i < kMaxAnims; ++i)
    if (!animName[i].empty() && animName[i] == n) return i;
  if (anims >= kMaxAnims) {
    reportError("Nie mozna dodac wiecej niz 10 animacji!");
    return 0;
  }
  animName[anims] = n;
  return anims++;
}

int TAnimData::liczbaKlatek() {
  int m = 0;
  for (const auto& l : frameN)
    for (int f : l) m = std::max(m, f);
  animFrames = m;
  return m;
}

void TAnimData::addFrame(int anim, int frame) {
  frameN[anim].push_back(frame);
  frames[anim] = maxFrames[anim] = int(frameN[anim].size());
}

// --- construction ----------------------------------------------------------------

void TButton::initBase(const std::string& name, float x, float y, int visible, int active) {
  _class = GUI_BUTTON;
  _id = name;
  dim = newDim(int(x), int(y), 0, 0);
  dim->x = x;
  dim->y = y;
  _v = visible;
  _a = active;
  _loadDimX = x;
  _loadDimY = y;
  rgb = TRGB{};
  _alpha = _dAlpha = _scale = _dScale = 1;
}

std::vector<std::string> TButton::letters() const {
  std::vector<std::string> out;
  for (char32_t c : plat::utf8ToUtf32(_txt)) out.push_back(plat::utf32ToUtf8(std::u32string(1, c)));
  return out;
}

void TButton::loadStrip(const std::string& path, int cells, int dir) {
  _dir = dir;
  std::string p = guiResolvePath(path);
  plat::ImagePtr whole = plat::loadImage(p);
  if (!whole || cells <= 0) return;
  int W = whole->width(), H = whole->height();
  int cw = dir == 0 ? W / cells : W;
  int ch = dir == 0 ? H : H / cells;
  if (cw <= 0 || ch <= 0) {
    reportError("Obrazek " + path + " jest za maly na " + std::to_string(cells) + " klatek");
    return;
  }
  _image = plat::Image::fromPixmap(whole->pixmap(), plat::kDefaultImageFlags, cw, ch, 0, cells);
  _image->sourcePath = p;
  _image->setHandle(float(cw / 2), float(ch / 2));
}

void TButton::CountDims() {
  if (!dim) return;
  if (_typ == TEXT_BUTTON) {
    auto& g = plat::gfx();
    if (_font) g.setFont(_font);
    g.setScale(1, 1);
    float w = g.textWidth(_txt), h = g.textHeight(_txt);
    dim->x1 = dim->x - w / 2;
    dim->x2 = dim->x + w / 2;
    dim->y1 = dim->y - h / 2;
    dim->y2 = dim->y + h / 2;
    dim->w = w;
    dim->h = h;
    return;
  }
  float hx = _image ? _image->handleX() : 0, hy = _image ? _image->handleY() : 0;
  dim->x1 = dim->x - hx;
  dim->y1 = dim->y - hy;
  dim->x2 = dim->x1 + (_image ? _image->width() : 0);
  dim->y2 = dim->y1 + (_image ? _image->height() : 0);
}

void TButton::countDims2() {
  if (!dim) return;
  auto& g = plat::gfx();
  if (_font) g.setFont(_font);
  float w = 0;
  for (const auto& l : letters()) w += g.textWidth(l) + 3;
  float h = float(int(_textHeight));
  dim->x1 = dim->x - w / 2;
  dim->x2 = dim->x + w / 2;
  dim->y1 = dim->y - h;
  dim->y2 = dim->y;
  dim->w = w;
  dim->h = h;
}

std::shared_ptr<TButton> TButton::createSimpleButton(const std::string& name, const plat::ImagePtr& image,
                                                     const std::string& path, float x, float y, int visible,
                                                     int active) {
  auto b = std::make_shared<TButton>();
  b->initBase(name, x, y, visible, active);
  b->_typ = SIMPLE_BUTTON;
  b->_image = image ? image : plat::loadImage(guiResolvePath(path), kButtonImageFlags);
  if (b->_image && !image) b->_image->setHandle(float(b->_image->width() / 2), float(b->_image->height() / 2));
  b->CountDims();
  if (b->_image) {
    b->dim->w = float(b->_image->width());
    b->dim->h = float(b->_image->height());
  }
  return b;
}

std::shared_ptr<TButton> TButton::createAnimButton(const std::string& name, const std::string& path, float x, float y,
                                                   const std::string& schema, int dir, int visible, int active) {
  auto b = std::make_shared<TButton>();
  b->initBase(name, x, y, visible, active);
  b->_typ = ANIM_BUTTON;
  if (schema.empty()) reportError("Nieprawidlowy schemat :" + schema);
  b->interpretujSchemat(schema, dir);
  b->loadStrip(path, b->frames, dir);
  b->CountDims();
  return b;
}

namespace {
std::shared_ptr<TButton> stripButton(const std::string& name, const std::string& path, float x, float y, int dir,
                                     int visible, int active, int typ, int cells) {
  auto b = std::make_shared<TButton>();
  b->_typ = typ;
  b->_class = GUI_BUTTON;
  b->_id = name;
  b->dim = newDim(0, 0, 0, 0);
  b->dim->x = x;
  b->dim->y = y;
  b->_v = visible;
  b->_a = active;
  b->_loadDimX = x;
  b->_loadDimY = y;
  return b;
}
}  // namespace

std::shared_ptr<TButton> TButton::createBlendButton(const std::string& name, const std::string& path, float x,
                                                    float y, int dir, int visible, int active) {
  auto b = stripButton(name, path, x, y, dir, visible, active, BLEND_BUTTON, 2);
  b->loadStrip(path, 2, dir);
  b->CountDims();
  b->_buttonAlpha = 0;
  return b;
}

std::shared_ptr<TButton> TButton::createFStepButton(const std::string& name, const std::string& path, float x,
                                                    float y, int dir, int visible, int active) {
  auto b = stripButton(name, path, x, y, dir, visible, active, FSTEP_BUTTON, 4);
  b->loadStrip(path, 4, dir);
  b->CountDims();
  b->_buttonAlpha = 0;
  return b;
}

std::shared_ptr<TButton> TButton::createFStepBlendButton(const std::string& name, const std::string& path, float x,
                                                         float y, int dir, int visible, int active) {
  auto b = stripButton(name, path, x, y, dir, visible, active, FSTEP_BLEND_BUTTON, 4);
  b->loadStrip(path, 4, dir);
  b->CountDims();
  b->_buttonAlpha = 0;
  b->_oldAlpha = b->_newAlpha = 1;
  b->_old4StepB = b->_new4StepB = 0;
  return b;
}

std::shared_ptr<TButton> TButton::createTextButton(const std::string& name, const std::string& caption,
                                                   const plat::FontPtr& font, float x, float y,
                                                   const std::optional<TRGB>& colour,
                                                   const std::optional<TRGB>& outline, int visible, int active,
                                                   float overAdX, float overAdY) {
  auto b = std::make_shared<TButton>();
  b->initBase(name, x, y, visible, active);
  b->_typ = TEXT_BUTTON;
  b->rgb = colour.value_or(TRGB{});
  b->outLine = outline;
  b->_txt = caption;
  b->_font = font;
  b->_overAdX = overAdX;
  b->_overAdY = overAdY;
  b->CountDims();
  return b;
}

std::shared_ptr<TButton> TButton::createTextSpecButton1(const std::string& name, const std::string& caption,
                                                        const plat::FontPtr& font, float x, float y,
                                                        const std::optional<TRGB>& colour,
                                                        const std::optional<TRGB>& outline, int visible,
                                                        int active) {
  auto b = std::make_shared<TButton>();
  b->initBase(name, x, y, visible, active);
  b->_typ = TEXT_SPEC_BUTTON1;
  b->rgb = colour.value_or(TRGB{});
  b->outLine = outline;
  b->_txt = caption;
  b->_font = font;
  b->_chrN = 0;
  auto& g = plat::gfx();
  g.setScale(1, 1);
  if (font) g.setFont(font);
  b->_textWidth = g.textWidth("O");
  b->_textHeight = g.textHeight("O");
  b->_textScale.assign(b->letters().size(), 1.0f);
  b->countDims2();
  return b;
}

std::shared_ptr<TButton> TButton::createTextSpecButton2(const std::string& name, const plat::ImagePtr& image,
                                                        const std::string& path, const std::string& caption,
                                                        const plat::FontPtr& font, float x, float y,
                                                        const std::optional<TRGB>& colour,
                                                        const std::optional<TRGB>& outline, int visible, int active,
                                                        float addX, float addY) {
  auto b = createSimpleButton(name, image, path, x, y, visible, active);
  b->_typ = TEXT_SPEC_BUTTON2;
  b->_txt = caption;
  b->_font = font;
  b->rgb = colour.value_or(TRGB{});
  b->outLine = outline;
  b->dimAdX = int(addX);
  b->dimAdY = int(addY);
  b->_pomRememberX = int(x);
  b->_pomRememberY = int(y);
  return b;
}

std::shared_ptr<TButton> TButton::CreateFromList(const std::string& name, const std::vector<TSimpleEntry>& entries,
                                                 TGui* gui) {
  std::string typ = "SIMPLE_BUTTON", gfxPath, schema, txt;
  int dir = 1;  // only the exact "H" lays frames side by side
  std::vector<int> pos{0, 0}, overAd{0, 0}, addDim{0, 0};
  plat::FontPtr font;
  std::optional<TRGB> colour = TRGB{}, outline = TRGB{};
  int v = 1, a = 1;
  for (const auto& e : entries) {
    std::string k = upperCase(e._typ);
    if (k == "TYP") typ = e._value;
    else if (k == "POSITION") pos = guiNumbers(e._value);
    else if (k == "GFX") gfxPath = guiText(e._value);
    else if (k == "SCHEMAT") schema = guiText(e._value);
    else if (k == "DIR") dir = e._value == "H" ? 0 : 1;
    else if (k == "TXT") txt = guiCaption(e._value);
    else if (k == "FONT") font = guiFontById(e._value, gui);
    else if (k == "RGB") {
      auto n = guiNumbers(e._value);
      colour = guiNumber(n, 0) == -1 ? std::nullopt : std::optional<TRGB>(TRGB{guiNumber(n, 0), guiNumber(n, 1), guiNumber(n, 2)});
    } else if (k == "OUTLINE") {
      auto n = guiNumbers(e._value);
      outline = upperCase(guiText(e._value)) == "NONE"
                    ? std::nullopt
                    : std::optional<TRGB>(TRGB{guiNumber(n, 0), guiNumber(n, 1), guiNumber(n, 2)});
    } else if (k == "OVERAD") overAd = guiNumbers(e._value);
    else if (k == "ADDDIM") addDim = guiNumbers(e._value);
    else if (k == "VISIBLE") v = guiFlag(e._value);
    else if (k == "ACTIVE") a = guiFlag(e._value);
  }
  float x = float(guiNumber(pos, 0)), y = float(guiNumber(pos, 1));
  std::shared_ptr<TButton> b;
  if (typ == "SIMPLE_BUTTON") b = createSimpleButton(name, nullptr, gfxPath, x, y, v, a);
  else if (typ == "ANIM_BUTTON") b = createAnimButton(name, gfxPath, x, y, schema, dir, v, a);
  else if (typ == "BLEND_BUTTON") b = createBlendButton(name, gfxPath, x, y, dir, v, a);
  else if (typ == "FSTEP_BUTTON") b = createFStepButton(name, gfxPath, x, y, 0, v, a);
  else if (typ == "FSTEP_BLEND_BUTTON") b = createFStepBlendButton(name, gfxPath, x, y, 0, v, a);
  else if (typ == "TEXT_BUTTON")
    b = createTextButton(name, txt, font, x, y, colour, outline, v, a, float(guiNumber(overAd, 0)),
                         float(guiNumber(overAd, 1)));
  else if (typ == "TEXT_SPEC_BUTTON1") b = createTextSpecButton1(name, txt, font, x, y, colour, outline, v, a);
  else if (typ == "TEXT_SPEC_BUTTON2")
    b = createTextSpecButton2(name, nullptr, gfxPath, txt, font, x, y, colour, outline, v, a,
                              float(guiNumber(addDim, 0)), float(guiNumber(addDim, 1)));
  else {
    reportError("Unknown button type : '" + typ + "' !");
    return nullptr;
  }
  if (!colour) b->_hasRgb = 0;
  return b;
}

// --- schema ------------------------------------------------------------------------

void TButton::setDeltaTime(int ms, int index) {
  if (index >= 0 && index < TAnimData::kMaxAnims) _animData.frameDelta[index] = ms;
}

void TButton::interpretujSchemat(const std::string& schema, int dir) {
  _dir = dir;
  _activeFlag = _overFlag = _unactiveFlag = 0;
  bool haveNormal = false;
  int current = 0;
  for (const auto& raw : splitString(schema, " ", "[", "]")) {
    std::string piece = trimBlanks(raw);
    if (piece.empty()) continue;
    if (piece.find_first_not_of("0123456789") == std::string::npos) {
      _animData.addFrame(current, guiInt(piece));
      continue;
    }
    // NAME or NAME(ms); a double quote makes parentheses plain characters.
    std::string nm, ms;
    bool quoted = false, open = false, bad = false;
    for (char c : piece) {
      if (c == '"') {
        quoted = !quoted;
      } else if (c == '(' && !quoted) {
        if (open) bad = true;
        open = true;
      } else if (c == ')' && !quoted) {
        if (!open) bad = true;
        open = false;
      } else if (open) {
        ms += c;
      } else {
        nm += c;
      }
    }
    if (bad) reportError("BLAD! Nieprawidlowa definicja znacznika wewnatrz zmiennej _str$ :" + piece);
    nm = trimBlanks(nm);
    current = _animData.dodajNazwe(nm);
    _animData.frameDelta[current] = trimBlanks(ms).empty() ? 500 : guiInt(trimBlanks(ms));
    std::string up = upperCase(nm);
    if (up == "ACTIVE") {
      _activeFlag = 1;
      _animActive = current;
    } else if (up == "OVER") {
      _overFlag = 1;
      _animOver = current;
    } else if (up == "UNACTIVE") {
      _unactiveFlag = 1;
      _animUnActive = current;
    } else if (up == "NORMAL") {
      _animNormal = current;
      haveNormal = true;
    }
  }
  if (!haveNormal) reportError("Blad! Nie okreslono znacznika animacji [NORMAL] w schemacie:" + schema);
  frames = _animData.liczbaKlatek();
  playAnim("NORMAL");
}

void TButton::playAnim(const std::string& name) {
  aktAnim = _animData.getAnimByName(name);
  aktFrame = 0;
  _wykonano = 0;
  _animData.animTime = plat::millisecs() + _animData.frameDelta[aktAnim];
}

void TButton::sprawdzAnimacje() {
  if (aktAnim == _animActive) {
    if (_wykonano) {
      if (!_over) playAnim("NORMAL");
      else if (_overFlag) playAnim("OVER");
    }
    if (!_a && _unactiveFlag) playAnim("UNACTIVE");
  } else if (aktAnim == _animOver) {
    if (!_over) playAnim("NORMAL");
    if (_clicked && _activeFlag) playAnim("ACTIVE");
    if (!_a && _unactiveFlag) playAnim("UNACTIVE");
  } else if (aktAnim == _animNormal) {
    if (_clicked && _activeFlag) playAnim("ACTIVE");
    if (_over && _overFlag) playAnim("OVER");
    if (!_a && _unactiveFlag) playAnim("UNACTIVE");
  } else if (aktAnim == _animUnActive) {
    if (_wykonano) playAnim(!_a ? "UNACTIVE" : "NORMAL");
  } else {
    if (_wykonano) playAnim("NORMAL");
    if (!_a && _unactiveFlag) playAnim("UNACTIVE");
  }
}

void TButton::animUpdate() {
  int now = plat::millisecs();
  if (now < _animData.animTime) return;
  _animData.animTime = now + _animData.frameDelta[aktAnim];
  aktFrame += 1;
  if (aktFrame >= _animData.maxFrames[aktAnim]) {
    aktFrame = 0;
    _wykonano = 1;
  }
}

// --- per frame -----------------------------------------------------------------------

int TButton::fourStepCell() const {
  if (_over && (_clicked || _holded)) return 2;
  if (_over) return 1;
  if (_a) return 0;
  return 3;
}

void TButton::updateScaleAndAlpha() {
  float s = 0.05f * delta;
  _buttonScale = easeToward(_buttonScale, _dButtonScale, s);
  _buttonAlpha = easeToward(_buttonAlpha, _dButtonAlpha, s);
}

void TButton::updateMe(int x, int y) {
  switch (_typ) {
    case SIMPLE_BUTTON:
    case TEXT_SPEC_BUTTON2:
      _dButtonScale = _over ? 1.1f : 1.0f;
      if (_clicked) _buttonScale = 1;
      break;
    case TEXT_BUTTON:
      _dButtonScale = _over ? 1.1f : 1.0f;
      if (_clicked || _holded) _buttonScale = 1;
      break;
    case ANIM_BUTTON:
      sprawdzAnimacje();
      animUpdate();
      break;
    case BLEND_BUTTON:
      _dButtonAlpha = _over ? 1.0f : 0.0f;
      _buttonAlpha = easeToward(_buttonAlpha, _dButtonAlpha, wzr * delta);
      break;
    case FSTEP_BLEND_BUTTON: {
      int want = _over ? ((_clicked || _holded) ? 2 : 1) : (_a ? 0 : 3);
      if (float(want) != _new4StepB) {
        _old4StepB = _new4StepB;
        _newAlpha = 0;
      }
      _new4StepB = float(want);
      _newAlpha = std::min(1.0f, _newAlpha + 0.05f * delta);
      break;
    }
    case TEXT_SPEC_BUTTON1: {
      auto ls = letters();
      _textScale.assign(ls.size(), 1.0f);
      if (!_over || ls.empty()) {
        _chrN = 0;
        break;
      }
      _chrN += 0.08f * delta;
      if (_chrN >= float(ls.size())) _chrN = 0;
      if (ls[size_t(_chrN)] == " ") _chrN += 1;
      // A caption ending in a blank would step the wave past its last letter.
      if (_chrN >= float(ls.size())) _chrN = 0;
      size_t i = size_t(_chrN);
      float d = _chrN - float(i), b = _bigText;
      if (d < 0.5f) _textScale[i] = 1 + d * b;
      else if (d == 0.5f) _textScale[i] = 1.5f + 0.5f * b;
      else _textScale[i] = 1.5f - (d - 0.5f) * b;
      break;
    }
    default:
      break;
  }
  updateScaleAndAlpha();
}

// --- drawing -----------------------------------------------------------------------------

void TButton::drawCaption(float tx, float ty, bool shadow) {
  auto& g = plat::gfx();
  auto drawAt = [&](float px, float py) {
    if (_typ == TEXT_SPEC_BUTTON1) drawMyTextSpec(_txt, px, py);
    else g.drawText(_txt, px, py);
  };
  if (shadow) {
    g.setColour(0, 0, 0);
    g.setAlpha(0.4f * _alpha);
    drawAt(tx + 1, ty + 1);
    g.setAlpha(_alpha);
  }
  if (outLine) {
    g.setColour(outLine->r, outLine->g, outLine->b);
    drawAt(tx - 1, ty - 1);
    drawAt(tx + 1, ty - 1);
    drawAt(tx - 1, ty + 1);
    drawAt(tx + 1, ty + 1);
  }
  if (_hasRgb) {
    g.setColour(rgb.r, rgb.g, rgb.b);
    drawAt(tx, ty);
  }
  g.setColour(255, 255, 255);
}

void TButton::drawMyTextSpec(const std::string& text, float x, float y) {
  auto& g = plat::gfx();
  float sx, sy;
  g.getScale(sx, sy);
  auto ls = letters();
  for (size_t i = 0; i < ls.size(); ++i) {
    float z = (i < _textScale.size() ? _textScale[i] : 1.0f) * sx;
    float lw = g.textWidth(ls[i]);
    g.setScale(z, z);
    g.drawText(ls[i], x - lw * z / 2, y - _textHeight * z / 2);
    x += lw + 3;
  }
  g.setScale(sx, sy);
}

void TButton::draw(float ox, float oy) {
  if (!dim) return;
  auto& g = plat::gfx();
  float X = dim->x + ox, Y = dim->y + oy;
  g.setAlpha(_alpha * _buttonAlpha);
  g.setScale(_scale * _buttonScale, _scale * _buttonScale);
  g.setColour(rgb.r, rgb.g, rgb.b);
  int cells = _image ? _image->frames() : 0;
  auto cell = [&](int c, float alpha) {
    if (c < 0 || c >= cells) return;  // not in the strip: nothing to show
    g.setAlpha(alpha);
    g.drawImage(_image, X, Y, c);
  };
  switch (_typ) {
    case SIMPLE_BUTTON:
      g.setAlpha(_alpha);
      g.drawImage(_image, X, Y);
      break;
    case ANIM_BUTTON: {
      g.setScale(_scale, _scale);
      const auto& l = _animData.frameN[size_t(aktAnim)];
      if (aktFrame >= 0 && size_t(aktFrame) < l.size()) cell(l[size_t(aktFrame)] - 1, _alpha);
      break;
    }
    case BLEND_BUTTON:
      g.setScale(_scale, _scale);
      cell(0, _alpha);
      cell(1, _alpha * _buttonAlpha);
      break;
    case FSTEP_BUTTON:
      g.setScale(_scale, _scale);
      cell(fourStepCell(), _alpha);
      break;
    case FSTEP_BLEND_BUTTON:
      g.setScale(_scale, _scale);
      cell(int(_old4StepB), _alpha * _oldAlpha);
      cell(int(_new4StepB), _alpha * _newAlpha);
      break;
    case TEXT_BUTTON:
    case TEXT_SPEC_BUTTON1: {
      g.setAlpha(_alpha);
      float z = _scale * _buttonScale;
      if (_font) g.setFont(_font);
      if (_typ == TEXT_BUTTON) {
        float tx = float(int(X - float(int(g.textWidth(_txt)) / 2) * z));
        float ty = float(int(Y - float(int(g.textHeight(_txt)) / 2) * z));
        drawCaption(tx, ty, _textShadow != 0);
      } else {
        auto ls = letters();
        float first = ls.empty() ? 0 : g.textWidth(ls[0]);
        drawCaption(X - dim->w / 2 + first / 2, Y - _textHeight / 2, false);
      }
      break;
    }
    case TEXT_SPEC_BUTTON2: {
      g.setAlpha(_alpha);
      float z = _scale * _buttonScale;
      if (_font) g.setFont(_font);
      g.setColour(255, 255, 255);
      g.drawImage(_image, X, Y);
      float tx = float(int(X - g.textWidth(_txt) * z / 2 + dimAdX));
      float ty = float(int(Y - g.textHeight(_txt) * z / 2 + dimAdY));
      drawCaption(tx, ty, false);
      break;
    }
    default:
      break;
  }
  g.setAlpha(1);
  g.setScale(1, 1);
  g.setColour(255, 255, 255);
}

void TButton::drawAsPowerUp(int, const TRGB&, float alpha, float fill) {
  if (!_image || !dim || fill <= 0) return;
  fill = std::min(fill, 1.0f);
  auto& g = plat::gfx();
  float W = float(_image->width()), H = float(_image->height());
  float left = float(int(dim->x - float(int(W) / 2)));
  float top = float(int(dim->y + H * (1 - fill) - float(int(H) / 2)));
  float sy = H * (1 - fill), sh = H * fill;
  g.setScale(1, 1);
  g.setBlend(plat::Blend::Additive);
  g.setColour(255, 255, 0);
  g.setAlpha(alpha);
  float glowSy = std::max(0.0f, sy - 1), glowSh = std::min(H - glowSy, sh + 1);
  if (_image->frames() > 3)
    for (int i = 0; i < 4; ++i) g.drawSubImageRect(_image, left, top - 1, W, sh + 1, 0, glowSy, W - 1, glowSh, 0, 0, 3);
  g.setBlend(plat::Blend::Alpha);
  g.setColour(255, 255, 255);
  g.setAlpha(alpha);
  g.drawSubImageRect(_image, left, top, W, sh, 0, sy, W, sh, 0, 0, 0);
  g.setAlpha(1);
}
