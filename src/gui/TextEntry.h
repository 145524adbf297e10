// A single-line text field: typed characters up to a maximum count, a
// blinking block cursor, the tail of a long text behind "..", Enter clicks.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gui/GuiFile.h"
#include "gui/GuiObject.h"
#include "platform/Font.h"

class TGui;

class TTextEntry : public TGuiObject {
 public:
  std::string _txt;
  plat::FontPtr _font;
  int _maxZnakow = 10;
  float _curWidth = 0, _curHeight = 0;
  int _czas = 0;
  int _trigger = 0;
  int _interwal = 300;

  void draw(float ox, float oy) override;
  virtual void updateMe(int ox, int oy);
  void updateClass(int x, int y) override { updateMe(x, y); }
  virtual void setInterwal(int ms) { _interwal = ms; }
  virtual std::string getTxt() const { return _txt; }
  virtual void setTxt(const std::string& t) { _txt = t; }
  bool assignFrom(const TGuiObject& o) override { return assignSame(*this, o); }
  static std::shared_ptr<TTextEntry> createFromList(const std::string& name, const std::vector<TSimpleEntry>& entries,
                                                    TGui* gui);
};

std::shared_ptr<TTextEntry> createTextEntry(const std::string& id, const plat::FontPtr& font, int x, int y, int width,
                                            int maxChars, const TRGB& colour, int active, int visible);
