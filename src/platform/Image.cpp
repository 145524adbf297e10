#include "platform/Image.h"

#include <algorithm>
#include <iostream>

namespace plat {

namespace {
int g_maskR = 0, g_maskG = 0, g_maskB = 0;
TextureReleaser g_releaser = nullptr;
}  // namespace

void setMaskColour(int r, int g, int b) {
  g_maskR = r;
  g_maskG = g;
  g_maskB = b;
}

void setTextureReleaser(TextureReleaser fn) { g_releaser = fn; }

std::shared_ptr<Image> Image::fromPixmap(Pixmap pm, int flags, int cellW, int cellH, int first, int count) {
  std::shared_ptr<Image> img(new Image());
  if (flags & kMaskedImage) {
    for (size_t i = 0; i + 3 < pm.rgba.size(); i += 4) {
      if (pm.rgba[i] == g_maskR && pm.rgba[i + 1] == g_maskG && pm.rgba[i + 2] == g_maskB) pm.rgba[i + 3] = 0;
    }
  }
  if (cellW <= 0 || cellW > pm.width) cellW = pm.width;
  if (cellH <= 0 || cellH > pm.height) cellH = pm.height;
  int cols = cellW > 0 ? std::max(1, pm.width / cellW) : 1;
  int rows = cellH > 0 ? std::max(1, pm.height / cellH) : 1;
  int cells = cols * rows;
  first = std::clamp(first, 0, std::max(0, cells - 1));
  count = std::clamp(count, 1, std::max(1, cells - first));
  img->pm_ = std::move(pm);
  img->flags_ = flags;
  img->cellW_ = cellW;
  img->cellH_ = cellH;
  img->first_ = first;
  img->count_ = count;
  img->cols_ = cols;
  return img;
}

Image::~Image() {
  if (texture_ && g_releaser) g_releaser(texture_);
}

void Image::frameOrigin(int frame, int& sx, int& sy) const {
  frame = std::clamp(frame, 0, count_ - 1);
  int cell = first_ + frame;
  sx = (cell % cols_) * cellW_;
  sy = (cell / cols_) * cellH_;
}

Pixmap Image::framePixmap(int frame) const {
  int sx, sy;
  frameOrigin(frame, sx, sy);
  return pm_.crop(sx, sy, cellW_, cellH_);
}

ImagePtr loadImage(const std::string& path, int flags) { return loadAnimImage(path, 0, 0, 0, 1, flags); }

ImagePtr loadAnimImage(const std::string& path, int cellW, int cellH, int first, int count, int flags) {
  auto pm = loadPixmap(path);
  if (!pm) return nullptr;
  auto img = Image::fromPixmap(std::move(*pm), flags, cellW, cellH, first, count);
  img->sourcePath = path;
  return img;
}

}  // namespace plat
