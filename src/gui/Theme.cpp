#include "gui/Theme.h"

#include <iostream>

#include "data/RCMFile.h"
#include "gui/Gui.h"
#include "platform/Files.h"

std::vector<std::shared_ptr<TTheme>>& globalThemes() {
  static std::vector<std::shared_ptr<TTheme>> l;
  return l;
}

std::shared_ptr<TTheme>& currentTheme() {
  static std::shared_ptr<TTheme> t;
  return t;
}

namespace {

enum HandleAt { kTopLeft, kTopRight, kBottomRight, kBottomLeft };

plat::ImagePtr loadPiece(const TRCMFile& f, const std::string& key, HandleAt h, bool sayMissing = false) {
  std::string path = f.getString(key);
  plat::ImagePtr img;
  if (!path.empty()) img = plat::loadImage(guiResolvePath(path));
  if (!img) {
    if (sayMissing) std::cout << "NO img: " << path << std::endl;
    return nullptr;
  }
  float w = float(img->width()), hh = float(img->height());
  switch (h) {
    case kTopLeft: img->setHandle(0, 0); break;
    case kTopRight: img->setHandle(w, 0); break;
    case kBottomRight: img->setHandle(w, hh); break;
    case kBottomLeft: img->setHandle(0, hh); break;
  }
  return img;
}

std::optional<TRGB> readColour(const TRCMFile& f, const std::string& key) {
  if (f.getString(key).empty()) return std::nullopt;
  return TRGB{int(f.getFloat(key, 0)), int(f.getFloat(key, 1)), int(f.getFloat(key, 2))};
}

}  // namespace

void TTheme::loadWindowGFX(const TRCMFile& f) {
  const std::string k = "TEMAT::OKNO::";
  oknoImg[0] = loadPiece(f, k + "leftUp", kTopLeft);
  oknoImg[1] = loadPiece(f, k + "Up", kTopLeft);
  oknoImg[2] = loadPiece(f, k + "rightUp", kTopRight, true);
  oknoImg[3] = loadPiece(f, k + "right", kTopRight);
  oknoImg[4] = loadPiece(f, k + "rightdown", kBottomRight);
  oknoImg[5] = loadPiece(f, k + "down", kBottomLeft);
  oknoImg[6] = loadPiece(f, k + "leftdown", kBottomLeft);
  oknoImg[7] = loadPiece(f, k + "left", kTopLeft);
  oknoImg[8] = loadPiece(f, k + "srodek", kTopLeft);
}

void TTheme::loadBelkaGFX(const TRCMFile& f) {
  const std::string k = "TEMAT::BELKA::";
  bar[0] = loadPiece(f, k + "lewo", kTopLeft);
  bar[1] = loadPiece(f, k + "srodek", kTopLeft);
  bar[2] = loadPiece(f, k + "prawo", kTopLeft);
  barHeight = bar[1] ? bar[1]->height() : 0;
  textRGB = readColour(f, k + "textRGB");
  outLineRGB = readColour(f, k + "outLineRGB");
  backRGB = readColour(f, k + "backRGB");
  // Drop-down pieces share the window pieces' handles, so one drawing
  // routine serves both.
  static const char* keys[9] = {"LU", "U", "RU", "R", "RD", "D", "LD", "L", "Middle"};
  static const HandleAt handles[9] = {kTopLeft, kTopLeft, kTopRight, kTopRight, kBottomRight,
                                      kBottomLeft, kBottomLeft, kTopLeft, kTopLeft};
  for (int i = 0; i < 9; ++i) rect[size_t(i)] = loadPiece(f, k + keys[i], handles[i]);
}

void TTheme::loadTheme(const std::string& path) {
  remPath = plat::normalizePath(plat::currentFolder());
  std::string p = guiResolvePath(path);
  auto f = loadRCMFile(p);
  GuiFolderScope scope(folderOfPath(p));
  loadWindowGFX(*f);
  loadBelkaGFX(*f);
}

std::shared_ptr<TTheme> createTheme(const std::string& id, const std::string& path, TGui* gui) {
  auto t = std::make_shared<TTheme>();
  t->id = upperCase(id);
  t->loadTheme(path);
  if (gui) gui->_themes.push_back(t);
  globalThemes().push_back(t);
  currentTheme() = t;
  return t;
}

std::shared_ptr<TTheme> findTheme(const std::string& id, const TGui* gui) {
  std::string u = upperCase(id);
  if (gui)
    for (const auto& t : gui->_themes)
      if (t->id == u) return t;
  for (const auto& t : globalThemes())
    if (t->id == u) return t;
  return nullptr;
}

std::shared_ptr<TTheme> TTheme::createFromList(const std::string& name, const std::vector<TSimpleEntry>& entries,
                                               TGui* gui) {
  for (const auto& e : entries)
    if (equalsNoCase(e._typ, "URL")) return createTheme(name, guiText(e._value), gui);
  reportError("No path for theme file!");
  return nullptr;
}
