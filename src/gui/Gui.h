// A screen's widgets: read from its .gui file, kept in declaration order,
// updated and drawn every frame, and asked which one was clicked or hovered.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gui/GuiFile.h"
#include "gui/GuiObject.h"

class TRGMFont;
class TTheme;

// When 1 (and cheats are on), left Control + L reloads a GUI from its file.
extern int guiReloadEnabled;

class TGui {
 public:
  virtual ~TGui() = default;

  std::vector<std::shared_ptr<TRGMFont>> _fonts;
  std::vector<std::shared_ptr<TTheme>> _themes;
  std::vector<std::shared_ptr<TGuiObject>> _listaObiektow;
  std::string _clicked;
  std::string _over;
  std::shared_ptr<TTheme> _theme;
  std::string _url;
  std::string _myPath;
  int _locked = 0;
  std::string remPath;
  // Counts loads; screens that cache widgets may compare it to refetch.
  int _loads = 0;

  void addItem(const std::shared_ptr<TGuiObject>& obj);
  // First widget whose id matches ignoring case, or nullptr.
  std::shared_ptr<TGuiObject> getItem(const std::string& id) const;
  template <class T>
  std::shared_ptr<T> getItemAs(const std::string& id) const {
    return std::dynamic_pointer_cast<T>(getItem(id));
  }
  int clickedItem(const std::string& id) const;
  virtual void update();
  virtual void draw();
  virtual void Load(const std::string& path);
  // Builds the widgets again from the file. Widgets a screen already holds
  // stay the ones in the list and take the new layout, so nothing the screen
  // keeps goes stale.
  virtual void reload();
  void setGuiAlpha(float a);
  void clear();
  static int init(const std::string& path) { return 0; }

  // Builds the widget of one declaration (nullptr for fonts, themes, unknown kinds).
  std::shared_ptr<TGuiObject> dodajObiekt(const std::string& kind, const std::string& name,
                                          const std::vector<TSimpleEntry>& entries);
  std::shared_ptr<TGuiObject> dodajObiektZlozony(const std::string& kind, const std::string& name,
                                                 const std::vector<TSimpleEntry>& entries,
                                                 const std::vector<std::shared_ptr<TSmallObject>>& nested);
};

// An empty GUI, filled from path when the file exists.
std::shared_ptr<TGui> loadGui(const std::string& path);
