// Framed windows drawn from a theme's nine pieces, stretched to any size,
// and the container they build on.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gui/GuiFile.h"
#include "gui/GuiObject.h"

class TGui;
class TTheme;

class TControl : public TGuiObject {
 public:
  std::vector<std::shared_ptr<TGuiObject>> listaObiektow;
  std::shared_ptr<TTheme> theme;

  void draw(float ox, float oy) override { rysujObiekty(ox, oy); }
  virtual void updateMe(int ox, int oy) { updateObiekty(float(ox), float(oy)); }
  void updateClass(int x, int y) override { updateMe(x, y); }
  virtual void rysujObiekty(float ox, float oy);
  virtual void updateObiekty(float ox, float oy);
  virtual void dodajObiekt(const std::shared_ptr<TGuiObject>& o);
  bool assignFrom(const TGuiObject& o) override { return assignSame(*this, o); }
};

class TWindow : public TControl {
 public:
  std::string title;
  float skala[4] = {1, 1, 1, 1};
  float incX = 0, incY = 0;
  float decX = 0, decY = 0;

  void draw(float ox, float oy) override;
  void updateMe(int ox, int oy) override { updateObiekty(float(ox), float(oy)); }
  virtual void obliczSkale();
  bool assignFrom(const TGuiObject& o) override { return assignSame(*this, o); }
  static std::shared_ptr<TWindow> CreateFromList(const std::string& name, const std::vector<TSimpleEntry>& entries,
                                                 TGui* gui);
};

std::shared_ptr<TWindow> createWindow(const std::string& id, int x, int y, int w, int h,
                                      const std::shared_ptr<TTheme>& theme, int centreX, int centreY, int visible,
                                      int active);
