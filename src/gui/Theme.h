// Themes: the images framed windows, menu bars and drop-down boxes are drawn
// from, read from a theme file. The theme made last is the current theme.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gui/Geometry.h"
#include "gui/GuiFile.h"
#include "platform/Image.h"

class TGui;

class TTheme {
 public:
  std::string id;
  std::array<plat::ImagePtr, 9> oknoImg;  // window: corners, edges, middle
  std::array<plat::ImagePtr, 3> bar;      // menu bar: left end, middle, right end
  std::array<plat::ImagePtr, 9> rect;     // drop-down box pieces
  int barHeight = 0;
  std::optional<TRGB> backRGB, textRGB, outLineRGB;
  std::string remPath;

  void loadTheme(const std::string& path);
  void loadWindowGFX(const class TRCMFile& f);
  void loadBelkaGFX(const class TRCMFile& f);
  static std::shared_ptr<TTheme> createFromList(const std::string& name, const std::vector<TSimpleEntry>& entries,
                                                TGui* gui);
};

std::shared_ptr<TTheme> createTheme(const std::string& id, const std::string& path, TGui* gui);
std::shared_ptr<TTheme> findTheme(const std::string& id, const TGui* gui);
std::vector<std::shared_ptr<TTheme>>& globalThemes();
std::shared_ptr<TTheme>& currentTheme();
