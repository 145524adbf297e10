// The ANIM object of a layout file: a frame strip played by named,
// optionally looping animations.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gui/GuiFile.h"
#include "gui/GuiObject.h"
#include "platform/Image.h"

class TRGMAnim {
 public:
  std::string id;          // upper case
  std::vector<int> frame;  // cell numbers in playing order
  int maxFrames = 0;
  int interwal = 0;  // ms per step
  int loop = 0;
};

class TRGMAnimation : public TGuiObject {
 public:
  plat::ImagePtr gfx;
  int allFrames = 0;
  std::vector<std::shared_ptr<TRGMAnim>> animsList;
  std::shared_ptr<TRGMAnim> aktAnim;
  int _frame = 0;
  int _maxFrames = 0;
  int _animTime = 0;
  int _wykonano = 0;

  static std::shared_ptr<TRGMAnimation> createFromList(const std::string& name,
                                                       const std::vector<TSimpleEntry>& entries);
  virtual void interpretujSchemat(const std::string& schema);
  virtual void loadGFX(const std::string& path);
  virtual void updateMe(int x, int y);
  void updateClass(int x, int y) override { updateMe(x, y); }
  void draw(float ox, float oy) override;
  virtual void playAnim(const std::shared_ptr<TRGMAnim>& anim);
  virtual void playAnim(const std::string& name);
  bool assignFrom(const TGuiObject& o) override { return assignSame(*this, o); }
};
