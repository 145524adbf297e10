#include "gui/Animation.h"

#include <set>

#include "data/StringSplit.h"
#include "platform/Clock.h"
#include "platform/Graphics.h"

std::shared_ptr<TRGMAnimation> TRGMAnimation::createFromList(const std::string& name,
                                                             const std::vector<TSimpleEntry>& entries) {
  auto a = std::make_shared<TRGMAnimation>();
  a->_class = GUI_ANIM;
  a->_id = name;
  std::vector<int> pos{0, 0};
  std::string schema, path;
  for (const auto& e : entries) {
    std::string k = upperCase(e._typ);
    if (k == "POSITION") pos = guiNumbers(e._value);
    else if (k == "SCHEMAT") schema = guiText(e._value);
    else if (k == "GFX") path = guiText(e._value);
    else if (k == "VISIBLE") a->_v = guiFlag(e._value);
    else if (k == "ACTIVE") a->_a = guiFlag(e._value);
  }
  a->dim = newDim(guiNumber(pos, 0), guiNumber(pos, 1), 0, 0);
  a->_loadDimX = a->dim->x;
  a->_loadDimY = a->dim->y;
  a->interpretujSchemat(schema);
  a->loadGFX(path);
  if (a->gfx) {
    a->dim->w = float(a->gfx->width());
    a->dim->h = float(a->gfx->height());
  }
  a->dim->update();
  return a;
}

void TRGMAnimation::interpretujSchemat(const std::string& schema) {
  animsList.clear();
  std::string s = trimBlanks(schema);
  if (s.empty() || s[0] != '[') {
    reportError("Nieprawidlowa definicja schematu : " + schema);
    return;
  }
  std::set<std::string> distinct;
  size_t i = 0;
  while (i < s.size()) {
    size_t open = s.find('[', i);
    if (open == std::string::npos) break;
    size_t close = s.find(']', open);
    if (close == std::string::npos) {
      reportError("Nieprawidlowa definicja schematu : " + schema);
      break;
    }
    size_t next = s.find('[', close);
    std::string header = s.substr(open + 1, close - open - 1);
    std::string body = s.substr(close + 1, (next == std::string::npos ? s.size() : next) - close - 1);
    auto anim = std::make_shared<TRGMAnim>();
    for (const auto& w : splitString(header, " ")) {
      std::string word = trimBlanks(w);
      if (word.empty()) continue;
      if (upperCase(word) == "LOOP") anim->loop = 1;
      else if (word.find_first_not_of("0123456789") == std::string::npos) anim->interwal = guiInt(word);
      else anim->id = upperCase(word);
    }
    for (const auto& w : splitString(body, " ")) {
      std::string word = trimBlanks(w);
      if (word.empty()) continue;
      anim->frame.push_back(guiInt(word));
      distinct.insert(word);
    }
    anim->maxFrames = int(anim->frame.size());
    animsList.push_back(anim);
    i = next == std::string::npos ? s.size() : next;
  }
  allFrames = int(distinct.size());
  bool normal = false;
  for (const auto& a : animsList)
    if (a->id == "NORMAL") normal = true;
  if (!normal) {
    reportError("Schemat :" + schema + " - nie uwzglednil animacji NORMAL!");
    return;
  }
  playAnim("NORMAL");
}

void TRGMAnimation::loadGFX(const std::string& path) {
  std::string p = guiResolvePath(path);
  plat::ImagePtr whole = plat::loadImage(p);
  if (!whole || allFrames <= 0) return;
  int cw = whole->width() / allFrames;
  if (cw <= 0) {
    reportError("Obrazek " + path + " jest za maly na " + std::to_string(allFrames) + " klatek");
    return;
  }
  gfx = plat::Image::fromPixmap(whole->pixmap(), plat::kDefaultImageFlags, cw, whole->height(), 0, allFrames);
  gfx->sourcePath = p;
  gfx->setHandle(0, 0);
  // Cells the schema names beyond the strip are skipped when drawn.
  for (const auto& a : animsList)
    for (int f : a->frame)
      if (f < 0 || f >= allFrames) {
        reportError("Klatka " + std::to_string(f) + " poza paskiem " + path);
        return;
      }
}

void TRGMAnimation::playAnim(const std::shared_ptr<TRGMAnim>& anim) {
  if (!anim) return;
  aktAnim = anim;
  _frame = 0;
  _maxFrames = anim->maxFrames;
  _wykonano = 0;
  _animTime = plat::millisecs() + anim->interwal;
}

void TRGMAnimation::playAnim(const std::string& name) {
  for (const auto& a : animsList)
    if (a->id == upperCase(name)) {
      playAnim(a);
      return;
    }
  reportError("Animacja ktora chcesz wyswietlic, nie istnieje!");
}

void TRGMAnimation::updateMe(int, int) {
  if (!aktAnim) return;
  int now = plat::millisecs();
  if (now <= _animTime) return;
  _animTime = now + aktAnim->interwal;
  _frame += 1;
  if (_frame > _maxFrames) {
    _wykonano = 1;
    _frame = aktAnim->loop ? 0 : _frame - 1;
  }
}

void TRGMAnimation::draw(float, float) {
  if (!aktAnim || !gfx || !dim || _frame == 0) return;
  // The position runs one past the list at the end of a cycle: no cell there.
  if (_frame < 0 || size_t(_frame) >= aktAnim->frame.size()) return;
  int c = aktAnim->frame[size_t(_frame)];
  if (c < 0 || c >= gfx->frames()) return;
  auto& g = plat::gfx();
  g.setScale(_scale, _scale);
  g.setAlpha(_alpha);
  g.setColour(rgb.r, rgb.g, rgb.b);
  g.drawImage(gfx, dim->x, dim->y, c);
  g.setScale(1, 1);
  g.setAlpha(1);
}
