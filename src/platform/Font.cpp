// FreeType-backed image fonts. Glyphs live in one atlas image so a line of
// text is a single batch; Latin-1 is rasterised up front, anything else the
// first time it is asked for.
#include "platform/Font.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <iostream>
#include <unordered_set>

#include "platform/Files.h"

namespace plat {

namespace {
constexpr int kPad = 2;   // empty texels around each glyph so filtering never bleeds
}

struct ImageFont::Impl {
  FT_Library lib = nullptr;
  FT_Face face = nullptr;
  std::string bytes;   // FreeType reads the face from here for its lifetime
  Pixmap sheet;        // glyphs added since the atlas image was last rebuilt
  int penX = kPad, penY = kPad, rowH = 0;
  std::unordered_set<char32_t> missing;
  ~Impl() {
    if (face) FT_Done_Face(face);
    if (lib) FT_Done_FreeType(lib);
  }
};

struct FontBuilder {
  // Rasterises c into the sheet and records its glyph. False when the face
  // has no such character.
  static bool addGlyph(ImageFont& f, char32_t c) {
    ImageFont::Impl& im = *f.impl_;
    FT_UInt index = FT_Get_Char_Index(im.face, FT_ULong(c));
    if (index == 0 && c != U' ') return false;
    if (FT_Load_Glyph(im.face, index, FT_LOAD_DEFAULT | FT_LOAD_RENDER) != 0) return false;
    FT_GlyphSlot slot = im.face->glyph;
    const FT_Bitmap& bm = slot->bitmap;
    Glyph g;
    g.w = int(bm.width);
    g.h = int(bm.rows);
    g.offsetX = float(slot->bitmap_left);
    g.offsetY = f.ascent_ - float(slot->bitmap_top);
    g.advance = slot->advance.x / 64.0f;
    if (g.w > 0 && g.h > 0) {
      place(im, g.w, g.h, g.sx, g.sy);
      for (int y = 0; y < g.h; ++y) {
        const unsigned char* row = bm.buffer + ptrdiff_t(y) * bm.pitch;
        for (int x = 0; x < g.w; ++x) {
          int cover;
          if (bm.pixel_mode == FT_PIXEL_MODE_MONO)
            cover = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
          else if (bm.pixel_mode == FT_PIXEL_MODE_GRAY)
            cover = bm.num_grays > 1 ? row[x] * 255 / (bm.num_grays - 1) : row[x];
          else
            cover = 0;
          uint8_t* p = im.sheet.at(g.sx + x, g.sy + y);
          p[0] = p[1] = p[2] = 255;
          p[3] = uint8_t(cover);
        }
      }
    }
    f.glyphs_[c] = g;
    return true;
  }

  // Shelf packing; the sheet grows downwards so earlier glyphs keep their
  // cells.
  static void place(ImageFont::Impl& im, int w, int h, int& sx, int& sy) {
    Pixmap& pm = im.sheet;
    if (im.penX + w + kPad > pm.width) {
      im.penX = kPad;
      im.penY += im.rowH + kPad;
      im.rowH = 0;
    }
    int needH = im.penY + h + kPad;
    if (needH > pm.height) {
      int newH = std::max(pm.height, 16);
      while (newH < needH) newH *= 2;
      Pixmap grown(pm.width, newH);
      std::copy(pm.rgba.begin(), pm.rgba.end(), grown.rgba.begin());
      // Transparent white, so filtering at glyph edges fades to white.
      for (size_t i = pm.rgba.size(); i < grown.rgba.size(); i += 4) {
        grown.rgba[i] = grown.rgba[i + 1] = grown.rgba[i + 2] = 255;
      }
      pm = std::move(grown);
    }
    sx = im.penX;
    sy = im.penY;
    im.penX += w + kPad;
    im.rowH = std::max(im.rowH, h);
  }

  static void publish(ImageFont& f) {
    f.atlas_ = Image::fromPixmap(f.impl_->sheet, kFilteredImage);
    f.atlas_->sourcePath = "font atlas";
  }
};

std::shared_ptr<ImageFont> ImageFont::load(const std::string& path, int size) {
  auto fail = [&](const char* why) -> std::shared_ptr<ImageFont> {
    std::cout << "Cannot load font " << path << ": " << why << std::endl;
    return nullptr;
  };
  if (size <= 0 || size > 1000) return fail("bad size");
  std::optional<std::string> bytes = readBinaryFile(path);
  if (!bytes) return fail("file not found");
  if (bytes->empty()) return fail("empty file");

  std::shared_ptr<ImageFont> f(new ImageFont());
  f->impl_ = std::make_unique<Impl>();
  Impl& im = *f->impl_;
  im.bytes = std::move(*bytes);
  if (FT_Init_FreeType(&im.lib) != 0) return fail("font engine unavailable");
  if (FT_New_Memory_Face(im.lib, reinterpret_cast<const FT_Byte*>(im.bytes.data()),
                         FT_Long(im.bytes.size()), 0, &im.face) != 0)
    return fail("not a font file");
  if (FT_Set_Pixel_Sizes(im.face, 0, FT_UInt(size)) != 0) {
    // Bitmap-only faces offer fixed sizes; take the first rather than fail.
    if (im.face->num_fixed_sizes <= 0 || FT_Select_Size(im.face, 0) != 0)
      return fail("size not available");
  }
  f->size_ = size;
  const FT_Size_Metrics& m = im.face->size->metrics;
  f->ascent_ = std::ceil(m.ascender / 64.0f);
  f->height_ = std::ceil(m.height / 64.0f);
  if (f->height_ <= 0) f->height_ = float(size);
  if (f->ascent_ <= 0) f->ascent_ = float(size);

  // Wide enough for about sixteen glyphs a row.
  int width = 64;
  while (width < size * 16 && width < 2048) width *= 2;
  im.sheet = Pixmap(width, 16);
  for (size_t i = 0; i < im.sheet.rgba.size(); i += 4)
    im.sheet.rgba[i] = im.sheet.rgba[i + 1] = im.sheet.rgba[i + 2] = 255;
  int found = 0;
  for (char32_t c = 32; c < 256; ++c) {
    if (FontBuilder::addGlyph(*f, c))
      ++found;
    else
      im.missing.insert(c);
  }
  if (found == 0) return fail("no Latin characters in the face");
  FontBuilder::publish(*f);
  return f;
}

ImageFont::~ImageFont() = default;

const Glyph* ImageFont::glyph(char32_t c) {
  auto it = glyphs_.find(c);
  if (it != glyphs_.end()) return &it->second;
  if (!impl_ || impl_->missing.count(c)) return nullptr;
  if (!FontBuilder::addGlyph(*this, c)) {
    impl_->missing.insert(c);
    return nullptr;
  }
  // A fresh image (not an in-place edit) because the sheet may have grown;
  // the renderer uploads it on the next draw.
  FontBuilder::publish(*this);
  return &glyphs_[c];
}

float ImageFont::kerning(char32_t left, char32_t right) {
  if (!impl_ || !FT_HAS_KERNING(impl_->face)) return 0;
  FT_UInt l = FT_Get_Char_Index(impl_->face, FT_ULong(left));
  FT_UInt r = FT_Get_Char_Index(impl_->face, FT_ULong(right));
  if (!l || !r) return 0;
  FT_Vector k;
  if (FT_Get_Kerning(impl_->face, l, r, FT_KERNING_DEFAULT, &k) != 0) return 0;
  return k.x / 64.0f;
}

float ImageFont::textWidth(const std::string& utf8) {
  float widest = 0, pen = 0;
  char32_t prev = 0;
  for (char32_t c : utf8ToUtf32(utf8)) {
    if (c == '\n') {
      widest = std::max(widest, pen);
      pen = 0;
      prev = 0;
      continue;
    }
    const Glyph* g = glyph(c);
    if (!g) g = glyph(U'?');
    if (!g) continue;
    if (prev) pen += kerning(prev, c);
    prev = c;
    pen += g->advance;
  }
  return std::max(widest, pen);
}

}  // namespace plat
