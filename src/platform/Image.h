// A drawable image: a pixmap cut into equal cells (frames) with a handle,
// plus the GPU texture the renderer keeps for it.
#pragma once

#include <memory>
#include <string>

#include "platform/Pixmap.h"

namespace plat {

// Load flags. Masked images turn the mask colour transparent; filtered
// images are sampled bilinearly when scaled or rotated.
enum ImageFlags : int {
  kMaskedImage = 1,
  kFilteredImage = 2,
  kMipmappedImage = 4,
  kDynamicImage = 8,
  kDefaultImageFlags = kFilteredImage,
};

void setMaskColour(int r, int g, int b);

class Image {
 public:
  // Cuts the pixmap into cells of cellW x cellH, left to right then top to
  // bottom, taking `count` cells from `first`. cellW/cellH 0 = whole pixmap.
  static std::shared_ptr<Image> fromPixmap(Pixmap pm, int flags = kDefaultImageFlags, int cellW = 0,
                                           int cellH = 0, int first = 0, int count = 1);
  ~Image();
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  int width() const { return cellW_; }   // one frame
  int height() const { return cellH_; }
  int frames() const { return count_; }
  int flags() const { return flags_; }

  float handleX() const { return handleX_; }
  float handleY() const { return handleY_; }
  void setHandle(float x, float y) { handleX_ = x; handleY_ = y; }
  void midHandle() { handleX_ = cellW_ * 0.5f; handleY_ = cellH_ * 0.5f; }

  // The whole sheet (after masking). Changing it through mutablePixmap()
  // re-uploads the texture before the next draw.
  const Pixmap& pixmap() const { return pm_; }
  Pixmap& mutablePixmap() { dirty_ = true; return pm_; }
  // Top-left corner of a frame's cell in the sheet. Frames out of range clamp.
  void frameOrigin(int frame, int& sx, int& sy) const;
  // One frame as its own pixmap.
  Pixmap framePixmap(int frame) const;

  // Renderer bookkeeping: texture id (0 = not uploaded) and a dirty flag.
  uint64_t texture() const { return texture_; }
  void setTexture(uint64_t id) { texture_ = id; dirty_ = false; }
  bool dirty() const { return dirty_; }
  // Whether every pixel of the sheet is fully opaque, as of the last upload:
  // such an image blended at full alpha may be drawn without blending.
  bool opaque() const { return opaque_; }
  void setOpaque(bool o) { opaque_ = o; }
  // Where the renderer placed the sheet on a shared texture (-1: a texture
  // of its own). An image whose pixels changed once is kept on its own.
  int atlasX() const { return atlasX_; }
  int atlasY() const { return atlasY_; }
  void setAtlasPlace(int x, int y) { atlasX_ = x; atlasY_ = y; }
  bool sharesTexture() const { return !ownTexture_; }
  void keepOwnTexture() { ownTexture_ = true; }

  std::string sourcePath;  // for messages

 private:
  Image() = default;
  Pixmap pm_;
  int flags_ = 0;
  int cellW_ = 0, cellH_ = 0;
  int first_ = 0, count_ = 1, cols_ = 1;
  float handleX_ = 0, handleY_ = 0;
  uint64_t texture_ = 0;
  bool dirty_ = true;
  bool opaque_ = false;
  int atlasX_ = -1, atlasY_ = -1;
  bool ownTexture_ = false;
};

using ImagePtr = std::shared_ptr<Image>;

// Loading with a failure message ("no image" on failure, never a crash).
ImagePtr loadImage(const std::string& path, int flags = kDefaultImageFlags);
ImagePtr loadAnimImage(const std::string& path, int cellW, int cellH, int first, int count,
                       int flags = kDefaultImageFlags);

// Called by Image's destructor so the renderer can free the texture. Set by
// the graphics module; null when no renderer exists.
using TextureReleaser = void (*)(uint64_t id);
void setTextureReleaser(TextureReleaser fn);

}  // namespace plat
