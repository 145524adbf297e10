// Pixels on the CPU side: decoded images, grabbed screens, glyph atlases.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace plat {

// 8-bit RGBA, straight (not premultiplied) alpha, rows top to bottom.
struct Pixmap {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;

  Pixmap() = default;
  Pixmap(int w, int h) : width(w), height(h), rgba(size_t(w) * size_t(h) * 4, 0) {}
  bool empty() const { return width <= 0 || height <= 0; }
  uint8_t* at(int x, int y) { return &rgba[(size_t(y) * size_t(width) + size_t(x)) * 4]; }
  const uint8_t* at(int x, int y) const { return &rgba[(size_t(y) * size_t(width) + size_t(x)) * 4]; }
  // Packed 0xRRGGBBAA, for tests and collision checks.
  uint32_t rgbaAt(int x, int y) const {
    const uint8_t* p = at(x, y);
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
  }
  void fill(uint8_t r, uint8_t g, uint8_t b, uint8_t a);
  // Copy of a rectangle, clipped to the pixmap.
  Pixmap crop(int x, int y, int w, int h) const;
  // Bilinear resize, used when a grabbed window must become 1024 x 768.
  Pixmap scaled(int w, int h) const;
};

// Decoders pick the format from the file's signature, not its extension.
// A file that is missing or fails to decode gives nullopt and one line on
// standard output naming the file; they never crash on hostile data.
std::optional<Pixmap> decodeImage(const std::string& bytes, const std::string& nameForMessages);
std::optional<Pixmap> loadPixmap(const std::string& path);

std::string encodePng(const Pixmap& pm);
bool savePng(const std::string& path, const Pixmap& pm);  // atomic
// JPEG (opaque pictures only; alpha dropped). quality 0-100.
std::string encodeJpeg(const Pixmap& pm, int quality);

}  // namespace plat
