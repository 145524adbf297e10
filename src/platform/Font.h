// Image fonts: a TrueType (or OpenType) face rasterised once at a size into a
// glyph atlas with metrics and kerning, then drawn as sprites.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>

#include "platform/Image.h"

namespace plat {

struct Glyph {
  int sx = 0, sy = 0, w = 0, h = 0;   // cell in the atlas
  float offsetX = 0, offsetY = 0;     // from the pen position (top of the line) to the cell
  float advance = 0;
};

class ImageFont {
 public:
  // Loads path at `size` pixels. nullptr and a message when the file is
  // missing or not a font. Covers Latin-1; other characters are rasterised
  // on first use.
  static std::shared_ptr<ImageFont> load(const std::string& path, int size);
  ~ImageFont();

  int size() const { return size_; }
  float height() const { return height_; }   // line height
  float ascent() const { return ascent_; }
  // Width of a UTF-8 string, kerning included.
  float textWidth(const std::string& utf8);
  const Glyph* glyph(char32_t c);             // nullptr when the face lacks it
  float kerning(char32_t left, char32_t right);
  const ImagePtr& atlas() const { return atlas_; }

 private:
  ImageFont() = default;
  struct Impl;
  std::unique_ptr<Impl> impl_;
  int size_ = 0;
  float height_ = 0, ascent_ = 0;
  ImagePtr atlas_;
  std::unordered_map<char32_t, Glyph> glyphs_;
  friend struct FontBuilder;
};

using FontPtr = std::shared_ptr<ImageFont>;

}  // namespace plat
