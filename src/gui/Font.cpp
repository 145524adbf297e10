#include "gui/Font.h"

#include "gui/Gui.h"
#include "platform/Files.h"

std::vector<TMyFont::Entry>& TMyFont::entries() {
  static std::vector<Entry> e;
  return e;
}

void TMyFont::clearCache() { entries().clear(); }

plat::FontPtr TMyFont::get(const std::string& path, int size) {
  for (const auto& e : entries())
    if (e.size == size && equalsNoCase(e.path, path)) return e.font;
  plat::FontPtr f;
  if (size > 0 && size <= 1000 && plat::fileKind(path) == plat::FileKind::File) f = plat::ImageFont::load(path, size);
  entries().push_back(Entry{path, size, f});
  return f;
}

std::vector<std::shared_ptr<TRGMFont>>& globalFonts() {
  static std::vector<std::shared_ptr<TRGMFont>> l;
  return l;
}

std::shared_ptr<TRGMFont> TRGMFont::createFromList(const std::string& name, const std::vector<TSimpleEntry>& entries,
                                                   TGui* gui) {
  int size = 12;
  std::string taken;
  for (const auto& e : entries) {
    if (equalsNoCase(e._typ, "SIZE")) size = guiInt(guiText(e._value));
  }
  for (const auto& e : entries) {
    if (!equalsNoCase(e._typ, "URL")) continue;
    std::string path = guiResolvePath(guiText(e._value));
    if (!TMyFont::get(path, 12)) {
      reportError("Nie moge znalezc czcionki : " + guiText(e._value) +
                  "  fileType = " + std::to_string(int(plat::fileKind(path))) +
                  "  filePath : " + plat::normalizePath(path));
      continue;
    }
    taken = path;
  }
  if (taken.empty()) {
    reportError("Nie podano scierzki do czcionki.");
    return nullptr;
  }
  auto f = std::make_shared<TRGMFont>();
  f->_id = name;
  // Through the cache as well: a reloaded layout or two screens naming the
  // same face and size share one atlas.
  f->_font = TMyFont::get(taken, size);
  if (!f->_font) {
    reportError("Nie moge znalezc czcionki : " + taken + "  fileType = " +
                std::to_string(int(plat::fileKind(taken))) + "  filePath : " + plat::normalizePath(taken));
    return nullptr;
  }
  if (gui)
    gui->_fonts.push_back(f);
  else
    globalFonts().push_back(f);
  return f;
}

std::shared_ptr<TRGMFont> TRGMFont::getByID(const std::string& id, const TGui* gui) {
  const auto& list = gui ? gui->_fonts : globalFonts();
  for (const auto& f : list)
    if (equalsNoCase(f->_id, id)) return f;
  return nullptr;
}

plat::FontPtr guiFontById(const std::string& id, const TGui* gui) {
  auto f = TRGMFont::getByID(id, gui);
  if (!f) {
    reportError("Nie znaleziono czcionki : " + id);
    return nullptr;
  }
  return f->_font;
}
