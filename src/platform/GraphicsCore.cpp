#include "platform/GraphicsCore.h"

#include <algorithm>
#include <atomic>
#include <cmath>

#include "platform/Files.h"
#include "platform/Platform.h"

namespace plat::detail {

namespace {

// Every context gets a fresh generation; it sits in the high half of the
// texture ids we hand to images, so an image that outlived its context
// uploads again instead of binding someone else's texture.
std::atomic<uint32_t> g_nextGeneration{1};
GraphicsCore* g_active = nullptr;

void releaseThunk(uint64_t id) {
  if (g_active) g_active->releaseTexture(id);
}

uint64_t makeId(uint32_t generation, uint32_t handle) {
  return (uint64_t(generation) << 32) | handle;
}

constexpr uint32_t kAtlasBit = kMaxTextureHandle;
// Atlas pages: a sheet up to kAtlasMaxImage on a side goes on a page, with
// its edge pixels repeated once around it (so filtering at its border
// behaves as on a texture of its own) and clear texels beyond, which keep
// the smaller mipmap levels of neighbours apart.
constexpr int kAtlasPage = 1024;
constexpr int kAtlasMaxImage = 256;
constexpr int kAtlasPad = 3;

// The sheet with its border repeated once and kAtlasPad - 1 clear texels
// around that.
Pixmap paddedSheet(const Pixmap& pm) {
  Pixmap out(pm.width + 2 * kAtlasPad, pm.height + 2 * kAtlasPad);
  std::fill(out.rgba.begin(), out.rgba.end(), uint8_t(0));
  for (int y = -1; y <= pm.height; ++y)
    for (int x = -1; x <= pm.width; ++x) {
      const uint8_t* src = pm.at(std::clamp(x, 0, pm.width - 1), std::clamp(y, 0, pm.height - 1));
      std::copy_n(src, 4, out.at(x + kAtlasPad, y + kAtlasPad));
    }
  return out;
}

int clampByte(int v) { return std::clamp(v, 0, 255); }

// The shapes sheet: a soft-edged disc for ovals in the top 128 x 128 and a
// white block below it for rects, lines and plots, so all of them share one
// texture and batch together. The empty rows between keep bilinear sampling
// at the disc's bottom edge from picking up the block.
constexpr int kShapeSize = 128;
constexpr int kShapeSheetH = 140;
constexpr float kWhiteU = 4.0f / kShapeSize;
constexpr float kWhiteV = 136.0f / kShapeSheetH;

Pixmap makeShapeSheet() {
  Pixmap pm(kShapeSize, kShapeSheetH);
  const float c = kShapeSize * 0.5f;
  const float radius = c - 0.5f;
  for (int y = 0; y < kShapeSize; ++y) {
    for (int x = 0; x < kShapeSize; ++x) {
      float d = std::hypot(x + 0.5f - c, y + 0.5f - c);
      float cover = std::clamp(radius - d + 0.5f, 0.0f, 1.0f);
      uint8_t* p = pm.at(x, y);
      p[0] = p[1] = p[2] = 255;
      p[3] = uint8_t(std::lround(cover * 255));
    }
  }
  for (int y = 132; y < kShapeSheetH; ++y)
    for (int x = 0; x < 8; ++x) {
      uint8_t* p = pm.at(x, y);
      p[0] = p[1] = p[2] = p[3] = 255;
    }
  return pm;
}

}  // namespace

GraphicsCore::GraphicsCore() : generation_(g_nextGeneration++) {
  g_active = this;
  setTextureReleaser(&releaseThunk);
}

GraphicsCore::~GraphicsCore() { detachRenderer(); }

void GraphicsCore::detachRenderer() {
  if (g_active == this) {
    g_active = nullptr;
    setTextureReleaser(nullptr);
  }
  // With the releaser gone, dropping our own sheet cannot call back into a
  // half-destroyed backend.
  shapes_.reset();
  pending_.clear();
}

void GraphicsCore::texturesLost() {
  pending_.clear();
  pages_.clear();
  generation_ = g_nextGeneration++;
}

void GraphicsCore::resetForNewDisplay() {
  pending_.clear();
  viewportSet_ = false;
}

void GraphicsCore::releaseTexture(uint64_t id) {
  if (id == 0 || uint32_t(id >> 32) != generation_) return;
  uint32_t handle = uint32_t(id);
  if (handle & kAtlasBit) {
    releaseAtlasPlace(handle & ~kAtlasBit);
    return;
  }
  // A batch still waiting to be drawn may use it.
  if (handle == pendingTex_ && !pending_.empty()) flush();
  backendDestroyTexture(handle);
}

GraphicsCore::AtlasPage* GraphicsCore::atlasPage(uint32_t handle) {
  for (AtlasPage& p : pages_)
    if (p.handle == handle) return &p;
  return nullptr;
}

void GraphicsCore::releaseAtlasPlace(uint32_t handle) {
  AtlasPage* page = atlasPage(handle);
  if (!page || --page->live > 0) return;
  // Its last image is gone (the space of released ones is not reused).
  if (handle == pendingTex_ && !pending_.empty()) flush();
  backendDestroyTexture(handle);
  pages_.erase(pages_.begin() + (page - pages_.data()));
}

bool GraphicsCore::placeOnAtlas(Image* img, uint32_t& handle) {
  const Pixmap& pm = img->pixmap();
  if (!img->sharesTexture() || (img->flags() & kDynamicImage) || pm.empty() ||
      pm.width > kAtlasMaxImage || pm.height > kAtlasMaxImage)
    return false;
  const int flags = img->flags() & (kFilteredImage | kMipmappedImage);
  const int w = pm.width + 2 * kAtlasPad, h = pm.height + 2 * kAtlasPad;
  // Shelves, left to right and top to bottom.
  auto fit = [w, h](AtlasPage& p, int& x, int& y) {
    int sx = p.shelfX, sy = p.shelfY, sh = p.shelfH;
    if (sx + w > kAtlasPage) {
      sy += sh;
      sx = 0;
      sh = 0;
    }
    if (sy + h > kAtlasPage) return false;
    x = sx;
    y = sy;
    p.shelfX = sx + w;
    p.shelfY = sy;
    p.shelfH = std::max(sh, h);
    return true;
  };
  int x = 0, y = 0;
  AtlasPage* page = nullptr;
  for (AtlasPage& p : pages_)
    if (p.flags == flags && fit(p, x, y)) {
      page = &p;
      break;
    }
  if (!page) {
    Pixmap blank(kAtlasPage, kAtlasPage);
    std::fill(blank.rgba.begin(), blank.rgba.end(), uint8_t(0));
    uint32_t made = backendCreateTexture(blank, flags);
    if (!made) return false;
    pages_.push_back({made, flags});
    page = &pages_.back();
    fit(*page, x, y);
  }
  backendUpdateRegion(page->handle, x, y, paddedSheet(pm), flags);
  ++page->live;
  img->setAtlasPlace(x + kAtlasPad, y + kAtlasPad);
  handle = page->handle;
  return true;
}

// --- coordinate system -------------------------------------------------------

void GraphicsCore::setVirtualResolution(float w, float h) {
  if (!(w > 0) || !(h > 0)) {
    w = 0;
    h = 0;
  }
  virtualW_ = w;
  virtualH_ = h;
  viewportSet_ = false;
}

float GraphicsCore::virtualWidth() const {
  return virtualW_ > 0 ? virtualW_ : float(displayWidth());
}

float GraphicsCore::virtualHeight() const {
  return virtualH_ > 0 ? virtualH_ : float(displayHeight());
}

void GraphicsCore::setViewport(int x, int y, int w, int h) {
  viewportSet_ = true;
  vpX_ = x;
  vpY_ = y;
  vpW_ = std::max(0, w);
  vpH_ = std::max(0, h);
}

void GraphicsCore::getViewport(int& x, int& y, int& w, int& h) const {
  if (viewportSet_) {
    x = vpX_;
    y = vpY_;
    w = vpW_;
    h = vpH_;
  } else {
    x = 0;
    y = 0;
    w = int(std::lround(virtualWidth()));
    h = int(std::lround(virtualHeight()));
  }
}

void GraphicsCore::setOrigin(float x, float y) {
  originX_ = x;
  originY_ = y;
}

void GraphicsCore::getOrigin(float& x, float& y) const {
  x = originX_;
  y = originY_;
}

PixelRect GraphicsCore::clipRect() const {
  const int dw = displayWidth(), dh = displayHeight();
  if (!viewportSet_) return {0, 0, dw, dh};
  const float kx = dw / virtualWidth(), ky = dh / virtualHeight();
  int x0 = int(std::lround(vpX_ * kx)), y0 = int(std::lround(vpY_ * ky));
  int x1 = int(std::lround((vpX_ + vpW_) * kx)), y1 = int(std::lround((vpY_ + vpH_) * ky));
  x0 = std::clamp(x0, 0, dw);
  x1 = std::clamp(x1, 0, dw);
  y0 = std::clamp(y0, 0, dh);
  y1 = std::clamp(y1, 0, dh);
  return {x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
}

// --- frame -------------------------------------------------------------------

void GraphicsCore::setClsColour(int r, int g, int b) {
  clsR_ = clampByte(r);
  clsG_ = clampByte(g);
  clsB_ = clampByte(b);
}

void GraphicsCore::getClsColour(int& r, int& g, int& b) const {
  r = clsR_;
  g = clsG_;
  b = clsB_;
}

void GraphicsCore::cls() {
  flush();
  if (!displayOpen()) return;
  PixelRect clip = clipRect();
  if (clip.w > 0 && clip.h > 0) backendClear(clip, uint8_t(clsR_), uint8_t(clsG_), uint8_t(clsB_));
}

void GraphicsCore::flip(int sync) {
  flush();
  lastStats_ = stats_;
  stats_ = {};
  // Before the swap: the harness may still read the finished frame (the back
  // buffer is undefined after presenting).
  runFrameHook();
  if (displayOpen()) backendPresent(sync);
}

void GraphicsCore::flush() {
  if (pending_.empty()) return;
  if (displayOpen() && pendingClip_.w > 0 && pendingClip_.h > 0) {
    backendDrawQuads(pendingTex_, pendingBlend_, pendingClip_, pending_.data(),
                     int(pending_.size() / 4), pendingAligned_);
    ++stats_.batches;
  }
  pending_.clear();
}

// --- state -------------------------------------------------------------------

void GraphicsCore::setColour(int r, int g, int b) {
  r_ = clampByte(r);
  g_ = clampByte(g);
  b_ = clampByte(b);
}

void GraphicsCore::getColour(int& r, int& g, int& b) const {
  r = r_;
  g = g_;
  b = b_;
}

void GraphicsCore::setAlpha(float a) { alpha_ = std::isnan(a) ? 1.0f : std::clamp(a, 0.0f, 1.0f); }

void GraphicsCore::setScale(float sx, float sy) {
  scaleX_ = sx;
  scaleY_ = sy;
}

void GraphicsCore::getScale(float& sx, float& sy) const {
  sx = scaleX_;
  sy = scaleY_;
}

void GraphicsCore::setRotation(float degrees) {
  rotation_ = degrees;
  // Quarter turns are common (tiles, arrows): keep them exact so sprites
  // stay on whole pixels instead of picking up 1e-8 drift.
  double turns = degrees / 90.0;
  if (std::isfinite(turns) && turns == std::floor(turns)) {
    static constexpr float kCos[4] = {1, 0, -1, 0};
    static constexpr float kSin[4] = {0, 1, 0, -1};
    int q = int(std::fmod(std::fmod(turns, 4.0) + 4.0, 4.0));
    cos_ = kCos[q];
    sin_ = kSin[q];
  } else {
    double rad = degrees * (3.14159265358979323846 / 180.0);
    cos_ = float(std::cos(rad));
    sin_ = float(std::sin(rad));
  }
}

void GraphicsCore::setBlend(Blend b) {
  int v = int(b);
  blend_ = (v >= 1 && v <= 5) ? b : Blend::Solid;
}

// --- quads -------------------------------------------------------------------

GraphicsCore::Affine GraphicsCore::transformAt(float x, float y) const {
  const float kx = displayWidth() / virtualWidth();
  const float ky = displayHeight() / virtualHeight();
  // Positive angles turn clockwise on screen (y grows downwards).
  return {kx * cos_ * scaleX_,  -kx * sin_ * scaleY_, ky * sin_ * scaleX_,
          ky * cos_ * scaleY_,  kx * (x + originX_),  ky * (y + originY_)};
}

Image* GraphicsCore::shapes() {
  if (!shapes_) shapes_ = Image::fromPixmap(makeShapeSheet(), kFilteredImage);
  return shapes_.get();
}

// Quads smaller than this many real pixels keep their blend mode.
constexpr double kSolidArea = 128.0 * 128.0;

static bool whole(float v) { return std::fabs(v - std::round(v)) < 1e-3f; }

// True when the quad maps texels one to one onto whole pixels (any quarter
// turn or mirror allowed): nearest sampling then gives exactly what bilinear
// sampling would, at a fraction of the cost in a software rasteriser.
static bool texelAligned(float a, float b, float c, float d, float w, float h, float x0, float y0,
                         float s0, float t0, float sw, float sh) {
  auto zero = [](float v) { return std::fabs(v) < 1e-6f; };
  auto unit = [](float v) { return std::fabs(std::fabs(v) - 1) < 1e-6f; };
  const bool straight = zero(b) && zero(c) && unit(a) && unit(d);
  const bool turned = zero(a) && zero(d) && unit(b) && unit(c);
  return (straight || turned) && whole(x0) && whole(y0) && whole(s0) && whole(t0) &&
         std::fabs(std::fabs(sw) - std::fabs(w)) < 1e-3f && std::fabs(std::fabs(sh) - std::fabs(h)) < 1e-3f;
}

static bool allOpaque(const Pixmap& pm) {
  const uint8_t* p = pm.rgba.data();
  const size_t n = pm.rgba.size();
  for (size_t i = 3; i < n; i += 4)
    if (p[i] != 255) return false;
  return n > 0;
}

GraphicsCore::TexturePlace GraphicsCore::textureFor(Image* img) {
  uint64_t id = img->texture();
  uint32_t handle = uint32_t(id) & ~kAtlasBit;
  bool onAtlas = (uint32_t(id) & kAtlasBit) != 0;
  if (id == 0 || uint32_t(id >> 32) != generation_) {
    onAtlas = placeOnAtlas(img, handle);
    if (!onAtlas) handle = backendCreateTexture(img->pixmap(), img->flags());
    img->setTexture(handle ? makeId(generation_, handle | (onAtlas ? kAtlasBit : 0)) : 0);
    img->setOpaque(allOpaque(img->pixmap()));
    ++stats_.uploads;
  } else if (img->dirty()) {
    if (onAtlas) {
      // Changing pixels leave the page for a texture of their own: the
      // page's space is not reused, and the image is likely to change again.
      releaseAtlasPlace(handle);
      img->keepOwnTexture();
      onAtlas = false;
      handle = backendCreateTexture(img->pixmap(), img->flags());
      img->setTexture(handle ? makeId(generation_, handle) : 0);
    } else {
      // Quads already queued must see the old pixels.
      if (handle == pendingTex_ && !pending_.empty()) flush();
      backendUpdateTexture(handle, img->pixmap(), img->flags());
      img->setTexture(id);
    }
    img->setOpaque(allOpaque(img->pixmap()));
    ++stats_.uploads;
  }
  TexturePlace place;
  place.handle = handle;
  if (onAtlas) {
    place.x = float(img->atlasX());
    place.y = float(img->atlasY());
    place.invW = place.invH = 1.0f / kAtlasPage;
  } else {
    place.invW = 1.0f / img->pixmap().width;
    place.invH = 1.0f / img->pixmap().height;
  }
  return place;
}

namespace {
struct Corner {
  float x, y, u, v;
};
}  // namespace

static void emitQuad(std::vector<Vertex>& out, const Corner (&c)[4], uint8_t r, uint8_t g,
                     uint8_t b, uint8_t a) {
  for (const Corner& k : c) out.push_back({k.x, k.y, k.u, k.v, r, g, b, a});
}

void GraphicsCore::pushQuad(const Affine& t, float lx0, float ly0, float lx1, float ly1,
                            Image* img, float s0, float t0, float s1, float t1) {
  if (!displayOpen() || !img || img->pixmap().empty()) return;
  const uint8_t alphaByte = uint8_t(std::lround(alpha_ * 255));
  // Fades and glows are often drawn at zero alpha; a software rasteriser
  // would still blend every one of their pixels.
  if (alphaByte == 0 && (blend_ == Blend::Alpha || blend_ == Blend::Additive)) return;
  const TexturePlace place = textureFor(img);
  const uint32_t tex = place.handle;
  // A large opaque image at full alpha looks the same unblended, and
  // blending a full-screen background is a large share of a software
  // rasteriser's frame. Small ones are left alone: splitting a running batch
  // of the same image costs more than it saves.
  Blend blend = blend_;
  if (blend == Blend::Alpha && alphaByte == 255 && img->opaque() &&
      !(tex == pendingTex_ && pendingBlend_ == Blend::Alpha && !pending_.empty()) &&
      std::fabs((double(t.a) * t.d - double(t.b) * t.c) * (lx1 - lx0) * (ly1 - ly0)) >= kSolidArea)
    blend = Blend::Solid;
  const float iw = place.invW, ih = place.invH;
  const float lx[4] = {lx0, lx1, lx1, lx0};
  const float ly[4] = {ly0, ly0, ly1, ly1};
  const float su[4] = {s0, s1, s1, s0};
  const float sv[4] = {t0, t0, t1, t1};
  Corner c[4];
  for (int i = 0; i < 4; ++i) {
    c[i] = {t.a * lx[i] + t.b * ly[i] + t.tx, t.c * lx[i] + t.d * ly[i] + t.ty,
            (place.x + su[i]) * iw, (place.y + sv[i]) * ih};
  }
  // Aligned and filtered quads go in separate batches: one filtered quad
  // would make a whole batch of aligned ones pay for filtering.
  const bool aligned =
      texelAligned(t.a, t.b, t.c, t.d, lx1 - lx0, ly1 - ly0, c[0].x, c[0].y, s0, t0, s1 - s0, t1 - t0);
  PixelRect clip = clipRect();
  if (!pending_.empty() && (tex != pendingTex_ || blend != pendingBlend_ ||
                            aligned != pendingAligned_ || !(clip == pendingClip_)))
    flush();
  pendingTex_ = tex;
  pendingBlend_ = blend;
  pendingClip_ = clip;
  pendingAligned_ = aligned;
  emitQuad(pending_, c, uint8_t(r_), uint8_t(g_), uint8_t(b_), alphaByte);
  ++stats_.sprites;
  stats_.pixels += std::fabs(double(t.a) * t.d - double(t.b) * t.c) *
                   std::fabs(double(lx1 - lx0) * (ly1 - ly0));
}

void GraphicsCore::pushShape(const Affine& t, float lx0, float ly0, float lx1, float ly1,
                             bool oval) {
  Image* sheet = shapes();
  if (oval) {
    pushQuad(t, lx0, ly0, lx1, ly1, sheet, 0, 0, kShapeSize, kShapeSize);
  } else {
    float u = kWhiteU * kShapeSize, v = kWhiteV * kShapeSheetH;
    pushQuad(t, lx0, ly0, lx1, ly1, sheet, u, v, u, v);
  }
}

// --- drawing -----------------------------------------------------------------

void GraphicsCore::drawImage(const ImagePtr& img, float x, float y, int frame) {
  if (!img) return;
  int fx = 0, fy = 0;
  img->frameOrigin(frame, fx, fy);
  const float w = float(img->width()), h = float(img->height());
  const float hx = img->handleX(), hy = img->handleY();
  pushQuad(transformAt(x, y), -hx, -hy, w - hx, h - hy, img.get(), float(fx), float(fy), fx + w,
           fy + h);
}

void GraphicsCore::drawImageRect(const ImagePtr& img, float x, float y, float w, float h,
                                 int frame) {
  if (!img || img->width() <= 0 || img->height() <= 0) return;
  int fx = 0, fy = 0;
  img->frameOrigin(frame, fx, fy);
  const float iw = float(img->width()), ih = float(img->height());
  const float hx = img->handleX() * w / iw, hy = img->handleY() * h / ih;
  pushQuad(transformAt(x, y), -hx, -hy, w - hx, h - hy, img.get(), float(fx), float(fy), fx + iw,
           fy + ih);
}

void GraphicsCore::drawSubImageRect(const ImagePtr& img, float x, float y, float w, float h,
                                    float sx, float sy, float sw, float sh, float hx, float hy,
                                    int frame) {
  if (!img) return;
  int fx = 0, fy = 0;
  img->frameOrigin(frame, fx, fy);
  pushQuad(transformAt(x, y), -hx, -hy, w - hx, h - hy, img.get(), fx + sx, fy + sy,
           fx + sx + sw, fy + sy + sh);
}

void GraphicsCore::drawRect(float x, float y, float w, float h) {
  pushShape(transformAt(x, y), 0, 0, w, h, false);
}

void GraphicsCore::drawOval(float x, float y, float w, float h) {
  pushShape(transformAt(x, y), 0, 0, w, h, true);
}

void GraphicsCore::plot(float x, float y) { pushShape(transformAt(x, y), 0, 0, 1, 1, false); }

void GraphicsCore::drawLine(float x1, float y1, float x2, float y2) {
  // A one-unit-wide strip through the pixel centres, reaching half a unit
  // past each end so that both end points are lit, as a pixel line would.
  const float dx = x2 - x1, dy = y2 - y1;
  const float len = std::hypot(dx, dy);
  if (len < 1e-6f) {
    plot(x1, y1);
    return;
  }
  // Rotate a horizontal strip onto the line direction, then apply the
  // current transform anchored at the first end point.
  const float ux = dx / len, uy = dy / len;
  const Affine base = transformAt(x1, y1);
  // Local frame: along = (ux, uy), across = (-uy, ux); the strip spans
  // [-0.5, len + 0.5] x [-0.5, 0.5] around (0.5, 0.5).
  Affine t = base;
  t.a = base.a * ux + base.b * uy;
  t.b = -base.a * uy + base.b * ux;
  t.c = base.c * ux + base.d * uy;
  t.d = -base.c * uy + base.d * ux;
  t.tx = base.tx + base.a * 0.5f + base.b * 0.5f;
  t.ty = base.ty + base.c * 0.5f + base.d * 0.5f;
  pushShape(t, -0.5f, -0.5f, len + 0.5f, 0.5f, false);
}

void GraphicsCore::drawText(const std::string& utf8, float x, float y) {
  if (!font_ || utf8.empty()) return;
  const Affine t = transformAt(x, y);
  const std::u32string text = utf8ToUtf32(utf8);
  float penX = 0, penY = 0;
  char32_t prev = 0;
  for (char32_t c : text) {
    if (c == '\n') {
      penX = 0;
      penY += font_->height();
      prev = 0;
      continue;
    }
    const Glyph* gp = font_->glyph(c);
    if (!gp) gp = font_->glyph(U'?');
    if (!gp) continue;
    const Glyph g = *gp;
    if (prev) penX += font_->kerning(prev, c);
    prev = c;
    if (g.w > 0 && g.h > 0) {
      // Whole units keep glyph texels on pixel centres at 1:1.
      float gx = std::round(penX + g.offsetX), gy = std::round(penY + g.offsetY);
      // Fetch the atlas after glyph(): a new glyph may have replaced it.
      Image* atlas = font_->atlas().get();
      pushQuad(t, gx, gy, gx + g.w, gy + g.h, atlas, float(g.sx), float(g.sy), float(g.sx + g.w),
               float(g.sy + g.h));
    }
    penX += g.advance;
  }
}

float GraphicsCore::textWidth(const std::string& utf8) {
  return font_ ? font_->textWidth(utf8) : 0.0f;
}

float GraphicsCore::textHeight(const std::string& utf8) {
  if (!font_) return 0.0f;
  int lines = 1 + int(std::count(utf8.begin(), utf8.end(), '\n'));
  return lines * font_->height();
}

// --- pixels ------------------------------------------------------------------

ImagePtr GraphicsCore::grabImage(float x, float y, float w, float h) {
  flush();
  const int outW = std::max(1, int(std::lround(w))), outH = std::max(1, int(std::lround(h)));
  Pixmap pm;
  if (displayOpen()) {
    const float kx = displayWidth() / virtualWidth(), ky = displayHeight() / virtualHeight();
    int x0 = int(std::lround((x + originX_) * kx)), y0 = int(std::lround((y + originY_) * ky));
    int x1 = int(std::lround((x + originX_ + w) * kx));
    int y1 = int(std::lround((y + originY_ + h) * ky));
    // Read what lies on the framebuffer; the rest stays transparent black.
    int cx0 = std::clamp(x0, 0, displayWidth()), cx1 = std::clamp(x1, 0, displayWidth());
    int cy0 = std::clamp(y0, 0, displayHeight()), cy1 = std::clamp(y1, 0, displayHeight());
    Pixmap real(std::max(1, x1 - x0), std::max(1, y1 - y0));
    if (cx1 > cx0 && cy1 > cy0) {
      Pixmap part = backendRead({cx0, cy0, cx1 - cx0, cy1 - cy0});
      for (int row = 0; row < part.height; ++row)
        std::copy_n(part.at(0, row), size_t(part.width) * 4, real.at(cx0 - x0, cy0 - y0 + row));
    }
    pm = (real.width == outW && real.height == outH) ? std::move(real) : real.scaled(outW, outH);
  } else {
    pm = Pixmap(outW, outH);
  }
  return Image::fromPixmap(std::move(pm), kDefaultImageFlags);
}

Pixmap GraphicsCore::readBackBuffer() {
  flush();
  if (!displayOpen()) return Pixmap();
  return backendRead({0, 0, displayWidth(), displayHeight()});
}

}  // namespace plat::detail
