// Texts on screen: the TEXT widget, the word-wrapping drawer many screens
// call directly, outlined text, the fitted tail of a long string, and text
// references into the localized text files.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "gui/GuiFile.h"
#include "gui/GuiObject.h"
#include "platform/Font.h"

class TGui;

constexpr int ALIGN_RIGHT = 0;
constexpr int ALIGN_LEFT = 1;
constexpr int ALIGN_CENTER = 2;
constexpr int ALIGN_JUSTIFY = 3;

// "LEFT", "RIGHT", "CENTER", "JUSTIFY" in any case and with blanks around;
// anything else is LEFT.
int alignFromName(const std::string& name);

// One piece of laid-out text, at its top-left corner.
struct TTextPiece {
  std::string text;
  float x = 0, y = 0;
};
struct TTextLayout {
  std::vector<TTextPiece> pieces;
  int height = 0;  // line height x lines
  int lines = 0;
};
// Where drawTextBox puts every piece, without drawing (the font must be
// given or current).
TTextLayout layoutTextBox(const std::string& text, int x, int y, float width, const std::string& alignName,
                          const plat::FontPtr& font, int lineGap);
int drawTextBox(const std::string& text, int x, int y, float width, const std::string& alignName, float ignored,
                const plat::FontPtr& font, int lineGap);
void drawOutlinedText(const std::string& text, int x, int y, const std::optional<TRGB>& outlineRGB,
                      const std::optional<TRGB>& mainRGB, const std::string& alignName);
// The longest tail of text that fits maxWidth behind "..", drawn and returned.
std::string tailFitted(const std::string& text, float maxWidth);
std::string drawTailFitted(const std::string& text, int x, int y, float maxWidth);

class TText : public TGuiObject {
 public:
  int _align = ALIGN_LEFT;
  std::string _txt;
  float _adh = 0;
  float _adW = 0;
  plat::FontPtr _font;
  int _shadow = 0;
  std::optional<TRGB> shRGB;
  int _hasRgb = 1;  // 0: the file gave -1, the text is drawn in white

  virtual void setAlign(const std::string& name);
  virtual int countH();
  virtual void updateMe(int x, int y) {}
  void updateClass(int x, int y) override { updateMe(x, y); }
  void draw(float ox, float oy) override;
  bool assignFrom(const TGuiObject& o) override { return assignSame(*this, o); }

  static std::shared_ptr<TText> create(const std::string& id, const std::string& text, float x, float y, float width,
                                       const plat::FontPtr& font, const std::string& alignName, int visible,
                                       int active);
  static std::shared_ptr<TText> createFromList(const std::string& name, const std::vector<TSimpleEntry>& entries,
                                               TGui* gui);
  // "[txt/menu.txt|3]" -> line 3 of the localized txt/menu.txt. A broken
  // reference or a missing file is reported and gives the placeholder line.
  static std::string odczytajTekst(const std::string& reference);

 private:
  std::string alignName() const;
};

// A TXT value: a text reference is replaced by its line, other text as is.
std::string guiCaption(const std::string& value);
