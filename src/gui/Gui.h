// A screen's widgets: kept in declaration order, updated and drawn every
// frame, and asked which one was clicked or hovered.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gui/GuiObject.h"

// When 1, left Control + L reloads a GUI from its file.
extern int guiReloadEnabled;

class TGui {
 public:
  virtual ~TGui() = default;

  std::vector<std::shared_ptr<TGuiObject>> _listaObiektow;
  std::string _clicked;
  std::string _over;
  std::string _url;
  std::string _myPath;
  int _locked = 0;
  std::string remPath;

  void addItem(const std::shared_ptr<TGuiObject>& obj);
  // First widget whose id matches ignoring case, or nullptr.
  std::shared_ptr<TGuiObject> getItem(const std::string& id) const;
  int clickedItem(const std::string& id) const;
  virtual void update();
  virtual void draw();
  // Reloads the layout file; nothing until a file was loaded.
  virtual void reload() {}
};
