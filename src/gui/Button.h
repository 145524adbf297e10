// The clickable widget of every screen: eight kinds in one class, from image
// buttons that swell under the mouse to captions with a letter wave, and the
// named animations of the schema-driven kind.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "gui/GuiFile.h"
#include "gui/GuiObject.h"
#include "platform/Font.h"
#include "platform/Image.h"

class TGui;

// Button kind codes (TYP).
constexpr int SIMPLE_BUTTON = 0;
constexpr int ANIM_BUTTON = 1;
constexpr int BLEND_BUTTON = 2;
constexpr int FSTEP_BUTTON = 3;
constexpr int TEXT_BUTTON = 4;
constexpr int TEXT_SPEC_BUTTON1 = 5;
constexpr int FSTEP_BLEND_BUTTON = 6;
constexpr int TEXT_SPEC_BUTTON2 = 8;

// Flags of the image kinds that are drawn scaled: masked, filtered, mip-mapped.
constexpr int kButtonImageFlags = 7;

// The named animations of one ANIM_BUTTON. At most ten names; the frame
// lists grow with the schema.
class TAnimData {
 public:
  static constexpr int kMaxAnims = 10;
  std::vector<std::vector<int>> frameN = std::vector<std::vector<int>>(kMaxAnims);
  std::vector<int> frames = std::vector<int>(kMaxAnims, 0);
  std::vector<int> maxFrames = std::vector<int>(kMaxAnims, 0);
  int anims = 0;
  std::vector<std::string> animName = std::vector<std::string>(kMaxAnims);
  int animFrames = 0;
  int animTime = 0;
  std::vector<int> frameDelta = std::vector<int>(kMaxAnims, 500);

  int getAnimByName(const std::string& name) const;
  int dodajNazwe(const std::string& name);
  int liczbaKlatek();
  void addFrame(int anim, int frame);
};

class TButton : public TGuiObject {
 public:
  plat::ImagePtr _image;
  plat::FontPtr _font;
  int _typ = 0;
  int _dir = 0;
  std::optional<TRGB> outLine;
  TAnimData _animData;
  int frames = 0;
  int aktAnim = 0;
  int aktFrame = 0;
  int _activeFlag = 0, _overFlag = 0, _unactiveFlag = 0;
  int _animNormal = 0, _animActive = 0, _animOver = 0, _animUnActive = 0;
  float _buttonAlpha = 1, _dButtonAlpha = 1;
  float _buttonScale = 1, _dButtonScale = 1;
  std::string _txt;
  std::vector<float> _textScale;  // one zoom per caption letter
  float _chrN = 0;
  int _wykonano = 0;
  float _textWidth = 0, _textHeight = 0;
  float _bigText = 2;
  float _old4StepB = 0, _new4StepB = 0;
  float _oldAlpha = 0, _newAlpha = 0;
  int _textShadow = 1;
  int dimAdX = 0, dimAdY = 0;
  int _pomRememberX = 0, _pomRememberY = 0;
  int _hasRgb = 1;  // 0: the file gave -1, the caption has no fill

  virtual void setDeltaTime(int ms, int index);
  virtual void interpretujSchemat(const std::string& schema, int dir);
  virtual void updateMe(int x, int y);
  virtual void updateScaleAndAlpha();
  virtual void sprawdzAnimacje();
  virtual void animUpdate();
  virtual void playAnim(const std::string& name);
  virtual void drawAsPowerUp(int ignored, const TRGB& rgbArg, float alpha, float fill);
  virtual void drawMyTextSpec(const std::string& text, float x, float y);
  void updateClass(int x, int y) override { updateMe(x, y); }
  void draw(float ox, float oy) override;
  void countDims() override { CountDims(); }
  void countDims2() override;
  void CountDims();
  bool assignFrom(const TGuiObject& o) override { return assignSame(*this, o); }

  // The strip cell a state shows: 0 normal, 1 over, 2 pressed, 3 inactive.
  int fourStepCell() const;

  static std::shared_ptr<TButton> CreateFromList(const std::string& name, const std::vector<TSimpleEntry>& entries,
                                                 TGui* gui);
  static std::shared_ptr<TButton> createSimpleButton(const std::string& name, const plat::ImagePtr& image,
                                                     const std::string& path, float x, float y, int visible,
                                                     int active);
  static std::shared_ptr<TButton> createAnimButton(const std::string& name, const std::string& path, float x, float y,
                                                   const std::string& schema, int dir, int visible, int active);
  static std::shared_ptr<TButton> createBlendButton(const std::string& name, const std::string& path, float x,
                                                    float y, int dir, int visible, int active);
  static std::shared_ptr<TButton> createFStepButton(const std::string& name, const std::string& path, float x,
                                                    float y, int dir, int visible, int active);
  static std::shared_ptr<TButton> createFStepBlendButton(const std::string& name, const std::string& path, float x,
                                                         float y, int dir, int visible, int active);
  static std::shared_ptr<TButton> createTextButton(const std::string& name, const std::string& caption,
                                                   const plat::FontPtr& font, float x, float y,
                                                   const std::optional<TRGB>& colour,
                                                   const std::optional<TRGB>& outline, int visible, int active,
                                                   float overAdX, float overAdY);
  static std::shared_ptr<TButton> createTextSpecButton1(const std::string& name, const std::string& caption,
                                                        const plat::FontPtr& font, float x, float y,
                                                        const std::optional<TRGB>& colour,
                                                        const std::optional<TRGB>& outline, int visible, int active);
  static std::shared_ptr<TButton> createTextSpecButton2(const std::string& name, const plat::ImagePtr& image,
                                                        const std::string& path, const std::string& caption,
                                                        const plat::FontPtr& font, float x, float y,
                                                        const std::optional<TRGB>& colour,
                                                        const std::optional<TRGB>& outline, int visible, int active,
                                                        float addX, float addY);

  // Letters of the caption (characters, not bytes).
  std::vector<std::string> letters() const;

 private:
  void initBase(const std::string& name, float x, float y, int visible, int active);
  void loadStrip(const std::string& path, int cells, int dir);
  void drawCaption(float tx, float ty, bool shadow);
};
