#include "gui/Window.h"

#include "app/Canvas.h"
#include "gui/Gui.h"
#include "gui/Theme.h"
#include "platform/Graphics.h"

void TControl::rysujObiekty(float ox, float oy) {
  if (!dim) return;
  for (const auto& o : listaObiektow) o->draw(dim->x + ox, dim->y + oy);
}

void TControl::updateObiekty(float ox, float oy) {
  if (!dim) return;
  for (const auto& o : listaObiektow) o->update(dim->x + ox, dim->y + oy);
}

void TControl::dodajObiekt(const std::shared_ptr<TGuiObject>& o) {
  if (o) listaObiektow.push_back(o);
}

void TWindow::obliczSkale() {
  if (!theme || !dim) return;
  const auto& p = theme->oknoImg;
  float a = (p[0] ? p[0]->width() : 0) + (p[2] ? p[2]->width() : 0);
  float b = (p[0] ? p[0]->height() : 0) + (p[4] ? p[4]->height() : 0);
  if (p[1] && p[1]->width() > 0) skala[0] = (dim->w - a) / float(p[1]->width());
  if (p[3] && p[3]->height() > 0) skala[1] = (dim->h - b) / float(p[3]->height());
  if (p[8] && p[8]->width() > 0) skala[2] = (dim->w - a) / float(p[8]->width());
  if (p[8] && p[8]->height() > 0) skala[3] = (dim->h - b) / float(p[8]->height());
  incX = p[0] ? float(p[0]->width()) : 0;
  incY = p[0] ? float(p[0]->height()) : 0;
  decX = p[2] ? float(p[2]->width()) : 0;
  decY = p[2] ? float(p[2]->height()) : 0;
}

void TWindow::draw(float ox, float oy) {
  if (!theme || !dim) return;
  auto& g = plat::gfx();
  g.setColour(rgb.r, rgb.g, rgb.b);
  g.setAlpha(_alpha);
  g.setScale(1, 1);
  const auto& p = theme->oknoImg;
  float X = dim->x + ox, Y = dim->y + oy, w = dim->w, h = dim->h;
  auto piece = [&](int i, float x, float y, float sx, float sy) {
    if (!p[size_t(i)]) return;
    g.setScale(sx, sy);
    g.drawImage(p[size_t(i)], x, y);
  };
  piece(0, X, Y, 1, 1);
  piece(2, X + w, Y, 1, 1);
  piece(4, X + w, Y + h, 1, 1);
  piece(6, X, Y + h, 1, 1);
  piece(1, X + incX, Y, skala[0], 1);
  piece(3, X + w, Y + incY, 1, skala[1]);
  piece(5, X + incX, Y + h, skala[0], 1);
  piece(7, X, Y + incY, 1, skala[1]);
  piece(8, X + incX, Y + incY, skala[2], skala[3]);
  g.setScale(1, 1);
  rysujObiekty(0, 0);
}

std::shared_ptr<TWindow> createWindow(const std::string& id, int x, int y, int w, int h,
                                      const std::shared_ptr<TTheme>& theme, int centreX, int centreY, int visible,
                                      int active) {
  if (centreX) x = (int(canvasWidth()) - w) / 2;
  if (centreY) y = (int(canvasHeight()) - h) / 2;
  auto win = std::make_shared<TWindow>();
  win->dim = newDim(x, y, w, h);
  win->dim->update();
  win->theme = theme ? theme : currentTheme();
  win->_id = id;
  win->_v = visible;
  win->_a = active;
  win->_class = GUI_WINDOW;
  win->_loadDimX = float(x);
  win->_loadDimY = float(y);
  win->obliczSkale();
  return win;
}

std::shared_ptr<TWindow> TWindow::CreateFromList(const std::string& name, const std::vector<TSimpleEntry>& entries,
                                                 TGui* gui) {
  std::vector<int> pos;
  std::shared_ptr<TTheme> theme;
  int v = 1, a = 1;
  for (const auto& e : entries) {
    std::string k = upperCase(e._typ);
    if (k == "POSITION") pos = guiNumbers(e._value);
    else if (k == "THEME") theme = findTheme(guiText(e._value), gui);
    else if (k == "VISIBLE") v = guiFlag(e._value);
    else if (k == "ACTIVE") a = guiFlag(e._value);
  }
  if (!theme) theme = currentTheme();
  if (!theme) reportError("No theme for window object!");
  return createWindow(name, guiNumber(pos, 0), guiNumber(pos, 1), guiNumber(pos, 2), guiNumber(pos, 3), theme, 0, 0,
                      v, a);
}
