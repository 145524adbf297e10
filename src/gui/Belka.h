// Menu bars with drop-down menus and sideways submenus. A bar is a selector:
// instead of its own click it reports the id of the entry picked, which the
// GUI hands to the screen like a button's click.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gui/GuiFile.h"
#include "gui/GuiObject.h"
#include "platform/Font.h"

class TGui;
class TTheme;
class TBelka;

class TGuiSelector : public TGuiObject {
 public:
  std::string _clickedOp;
  std::string _overOp;
  void _clean() override {}
  bool isSelector() const override { return true; }
  std::string clickedOp() const override { return _clickedOp; }
  std::string overOp() const override { return _overOp; }
};

// One menu entry (and the title part of a menu).
class TBarTitle {
 public:
  virtual ~TBarTitle() = default;
  void* _parent = nullptr;  // the bar or the menu holding the entry
  TBelka* _belka = nullptr;
  int checked = 0;
  std::string title = "NO TITLE";
  std::string id;
  TDim dim;
  TDim rect;
  float _alpha = 0, _dAlpha = 0;
  int _over = 0, _clicked = 0;
  plat::FontPtr _font;
  int _active = 1;

  virtual bool isMenu() const { return false; }
  virtual void _createRect();
  virtual void draw();
  virtual void update();
};

class TMenu : public TBarTitle {
 public:
  TDim _comRect;
  float _boxA = 0, _dBoxA = 0;
  int _width = 0;
  int _first = 0;
  std::vector<std::shared_ptr<TBarTitle>> _barTitles;
  int _rozwiniety = 0;

  bool isMenu() const override { return true; }
  virtual float _getMaxWidth();
  virtual void _setRect(float offset);
  virtual void _rozwin();
  virtual void _zwin();
  virtual void _zwinBezwzglednie();
  virtual void updateMe();
  virtual void _drawBox();
  virtual void drawMe();
  virtual std::shared_ptr<TBarTitle> getBarTitle(const std::string& path);
  virtual void getReady(float offset);
  void draw() override;
  void update() override;
  // The drop-down box in canvas coordinates.
  TDim boxOnCanvas() const;
};

class TBelka : public TGuiSelector {
 public:
  int _width = 0;
  float _widthScale = 0;
  std::shared_ptr<TTheme> theme;
  std::vector<std::shared_ptr<TMenu>> _menusList;
  plat::FontPtr _font;
  TMenu* _actualMenu = nullptr;
  int _activated = 0;

  virtual std::shared_ptr<TBarTitle> getBarTitle(const std::string& path);
  void _clean() override {
    _clickedOp.clear();
    _overOp.clear();
  }
  virtual void updateMe(int ox, int oy);
  void updateClass(int x, int y) override { updateMe(x, y); }
  void draw(float ox, float oy) override;
  virtual void _zwinMenusy();
  virtual void __CLICK(const std::string& id);
  virtual void __OVER(const std::string& id);
  virtual void _drawMenus();
  virtual void _updateMenus();
  virtual void getReady();
  virtual void _poukladajMenu();
  bool assignFrom(const TGuiObject& o) override;

  static std::shared_ptr<TBelka> createFromList(const std::string& name, const std::vector<TSimpleEntry>& entries,
                                                const std::vector<std::shared_ptr<TSmallObject>>& nested, TGui* gui);
  std::vector<std::shared_ptr<TMenu>> createMenus(const std::vector<std::shared_ptr<TSmallObject>>& nested, TGui* gui);
  std::shared_ptr<TMenu> getMenu(const std::vector<TGuiToken>& entries, const std::string& name, int first, TGui* gui);

 private:
  void adopt();
};

std::shared_ptr<TBelka> createBar(const std::string& name, int x, int y, int width,
                                  const std::shared_ptr<TTheme>& theme, const plat::FontPtr& font);
