// Fonts by path and size: the shared cache every caller goes through, and
// the FONT objects a layout file declares by id.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gui/GuiFile.h"
#include "platform/Font.h"

class TGui;

// The font cache: a path and size is loaded once, a failed load too, so a
// missing file is not retried every frame.
class TMyFont {
 public:
  struct Entry {
    std::string path;
    int size = 0;
    plat::FontPtr font;
  };
  // The font for path (compared ignoring case) and size; nullptr when the
  // file could not be loaded.
  static plat::FontPtr get(const std::string& path, int size);
  static std::vector<Entry>& entries();
  static void clearCache();
};

class TRGMFont {
 public:
  plat::FontPtr _font;
  std::string _id;

  // The FONT declaration: the last URL that loads, at SIZE (default 12).
  // Appended to the GUI's fonts, or to the global list without a GUI.
  static std::shared_ptr<TRGMFont> createFromList(const std::string& name, const std::vector<TSimpleEntry>& entries,
                                                  TGui* gui);
  // First font of the GUI (or the global list) whose id matches ignoring case.
  static std::shared_ptr<TRGMFont> getByID(const std::string& id, const TGui* gui);
};

std::vector<std::shared_ptr<TRGMFont>>& globalFonts();

// The font a key names, or nullptr with "Nie znaleziono czcionki : " + id.
plat::FontPtr guiFontById(const std::string& id, const TGui* gui);
