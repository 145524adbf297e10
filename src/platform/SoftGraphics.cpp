// Headless backend: no window, no GPU. Quads are rasterised into a CPU RGBA
// framebuffer with the same coverage, sampling and blending rules as the
// OpenGL backend, so screenshots taken in tests look like the real thing.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <unordered_map>
#include <utility>

#include "platform/Backends.h"
#include "platform/GraphicsCore.h"
#include "platform/Input.h"

namespace plat::detail {

namespace {

std::vector<RefusedMode> g_refused;

// Exact round(a * b / 255) for bytes.
inline int mul255(int a, int b) {
  int t = a * b + 128;
  return (t + (t >> 8)) >> 8;
}

struct SoftTexture {
  Pixmap pm;
  bool filtered = false;
};

// Edge of a quad as a linear function E(x, y) = A x + B y + C, positive
// inside. `ownTies` decides which of two quads sharing an edge gets the
// pixels whose centres lie exactly on it, so neither none nor both do.
struct Edge {
  float A, B, C;
  bool ownTies;
};

class SoftGraphics final : public GraphicsCore {
 public:
  SoftGraphics(int desktopW, int desktopH) : desktopW_(desktopW), desktopH_(desktopH) {}
  ~SoftGraphics() override { detachRenderer(); }

  bool openDisplay(int w, int h, bool fullScreen, int depth, int hz) override {
    if (w <= 0 || h <= 0) {
      std::printf("Cannot open a display of %d x %d\n", w, h);
      std::fflush(stdout);
      return false;
    }
    for (const RefusedMode& m : g_refused) {
      if (m.w == w && m.h == h && (m.fullScreen < 0 || (m.fullScreen == 1) == fullScreen)) {
        std::printf("Cannot open a %s display of %d x %d\n", fullScreen ? "full-screen" : "windowed",
                    w, h);
        std::fflush(stdout);
        return false;
      }
    }
    if (!open_ || fb_.width != w || fb_.height != h) {
      fb_ = Pixmap(w, h);
      fb_.fill(0, 0, 0, 255);
    }
    open_ = true;
    full_ = fullScreen;
    resetForNewDisplay();
    return true;
  }
  void closeDisplay() override {
    flush();
    open_ = false;
  }
  bool displayOpen() const override { return open_; }
  bool fullScreen() const override { return open_ && full_; }
  int displayWidth() const override { return open_ ? fb_.width : 0; }
  int displayHeight() const override { return open_ ? fb_.height : 0; }
  void desktopSize(int& w, int& h) const override {
    w = desktopW_;
    h = desktopH_;
  }
  void setTitle(const std::string&) override {}
  void showSystemPointer(bool) override {}
  void movePointer(float vx, float vy) override { input().moveMouse(vx, vy); }

 protected:
  uint32_t backendCreateTexture(const Pixmap& pm, int flags) override {
    uint32_t h = nextHandle_++;
    if (nextHandle_ >= kMaxTextureHandle) nextHandle_ = 1;
    textures_[h] = {pm, (flags & kFilteredImage) != 0};
    return h;
  }
  void backendUpdateTexture(uint32_t handle, const Pixmap& pm, int flags) override {
    textures_[handle] = {pm, (flags & kFilteredImage) != 0};
  }
  void backendUpdateRegion(uint32_t handle, int x, int y, const Pixmap& pm, int) override {
    auto it = textures_.find(handle);
    if (it == textures_.end()) return;
    Pixmap& dst = it->second.pm;
    for (int row = 0; row < pm.height; ++row) {
      if (y + row < 0 || y + row >= dst.height) continue;
      for (int col = 0; col < pm.width; ++col)
        if (x + col >= 0 && x + col < dst.width) std::copy_n(pm.at(col, row), 4, dst.at(x + col, y + row));
    }
  }
  void backendDestroyTexture(uint32_t handle) override { textures_.erase(handle); }

  void backendDrawQuads(uint32_t texture, Blend blend, const PixelRect& clip, const Vertex* v,
                        int quads, bool /*texelAligned: found per quad below*/) override {
    auto it = textures_.find(texture);
    const SoftTexture* tex = it == textures_.end() ? nullptr : &it->second;
    for (int q = 0; q < quads; ++q) drawQuad(tex, blend, clip, v + q * 4);
  }

  void backendClear(const PixelRect& clip, uint8_t r, uint8_t g, uint8_t b) override {
    for (int y = clip.y; y < clip.y + clip.h; ++y) {
      uint8_t* p = fb_.at(clip.x, y);
      for (int x = 0; x < clip.w; ++x, p += 4) {
        p[0] = r;
        p[1] = g;
        p[2] = b;
        p[3] = 255;
      }
    }
  }

  Pixmap backendRead(const PixelRect& r) override {
    Pixmap out(r.w, r.h);
    for (int y = 0; y < r.h; ++y)
      std::copy_n(fb_.at(r.x, r.y + y), size_t(r.w) * 4, out.at(0, y));
    return out;
  }

  void backendPresent(int) override {}

 private:
  void drawQuad(const SoftTexture* tex, Blend blend, const PixelRect& clip, const Vertex* in) {
    Vertex v[4] = {in[0], in[1], in[2], in[3]};
    // Signed area; wind every quad the same way so shared edges are walked
    // in opposite directions by their two neighbours.
    float area = 0;
    for (int i = 0; i < 4; ++i) {
      const Vertex& a = v[i];
      const Vertex& b = v[(i + 1) & 3];
      area += a.x * b.y - b.x * a.y;
    }
    if (std::fabs(area) < 1e-6f) return;
    if (area < 0) std::swap(v[1], v[3]);

    Edge e[4];
    for (int i = 0; i < 4; ++i) {
      const Vertex& a = v[i];
      const Vertex& b = v[(i + 1) & 3];
      float dx = b.x - a.x, dy = b.y - a.y;
      // E = dx * (y - ay) - dy * (x - ax)
      // With positive winding the inside is where every E is positive.
      e[i] = {-dy, dx, dy * a.x - dx * a.y, dy > 0 || (dy == 0 && dx < 0)};
    }

    // Screen -> texture mapping is affine: solve it from three corners.
    const Vertex &p0 = v[0], &p1 = v[1], &p2 = v[2];
    float det = (p1.x - p0.x) * (p2.y - p0.y) - (p2.x - p0.x) * (p1.y - p0.y);
    if (std::fabs(det) < 1e-9f) return;
    auto plane = [&](float f0, float f1, float f2, float& fx, float& fy, float& fc) {
      fx = ((f1 - f0) * (p2.y - p0.y) - (f2 - f0) * (p1.y - p0.y)) / det;
      fy = ((f2 - f0) * (p1.x - p0.x) - (f1 - f0) * (p2.x - p0.x)) / det;
      fc = f0 - fx * p0.x - fy * p0.y;
    };
    const int tw = tex ? tex->pm.width : 1, th = tex ? tex->pm.height : 1;
    float ux, uy, uc, vx, vy, vc;
    plane(p0.u * tw, p1.u * tw, p2.u * tw, ux, uy, uc);
    plane(p0.v * th, p1.v * th, p2.v * th, vx, vy, vc);

    float minX = v[0].x, maxX = v[0].x, minY = v[0].y, maxY = v[0].y;
    for (int i = 1; i < 4; ++i) {
      minX = std::min(minX, v[i].x);
      maxX = std::max(maxX, v[i].x);
      minY = std::min(minY, v[i].y);
      maxY = std::max(maxY, v[i].y);
    }
    const int cx0 = std::max(clip.x, 0), cy0 = std::max(clip.y, 0);
    const int cx1 = std::min(clip.x + clip.w, fb_.width), cy1 = std::min(clip.y + clip.h, fb_.height);
    const int y0 = std::max(cy0, int(std::floor(minY)) - 1);
    const int y1 = std::min(cy1, int(std::ceil(maxY)) + 1);
    const int bx0 = std::max(cx0, int(std::floor(minX)) - 1);
    const int bx1 = std::min(cx1, int(std::ceil(maxX)) + 1);
    if (y0 >= y1 || bx0 >= bx1) return;

    const int cr = in[0].r, cg = in[0].g, cb = in[0].b, ca = in[0].a;
    const bool bilinear = tex && tex->filtered;

    // Unrotated, unscaled pictures (backgrounds, tiles, panels) are most of
    // what a screen draws: walk texel rows directly.
    // Pixel centre x + 0.5 maps to x + 0.5 + uc, a texel centre exactly
    // when uc is whole; then nearest and bilinear sampling agree.
    auto near = [](float a, float b, float eps) { return std::fabs(a - b) < eps; };
    const bool oneToOne = tex && near(ux, 1, 1e-5f) && near(uy, 0, 1e-5f) && near(vx, 0, 1e-5f) &&
                          near(vy, 1, 1e-5f);
    const float offU = std::round(uc), offV = std::round(vc);
    const bool texelAligned = oneToOne && near(uc, offU, 1e-3f) && near(vc, offV, 1e-3f);

    for (int y = y0; y < y1; ++y) {
      const float py = y + 0.5f;
      int lo = bx0, hi = bx1;
      for (const Edge& ed : e) {
        const float k = ed.B * py + ed.C;
        if (ed.A == 0) {
          if (!(k > 0 || (k == 0 && ed.ownTies))) hi = lo;
          continue;
        }
        const float t = -k / ed.A - 0.5f;   // x where the edge crosses the row
        if (ed.A > 0) {
          int m = ed.ownTies ? int(std::ceil(t)) : int(std::floor(t)) + 1;
          lo = std::max(lo, m);
        } else {
          int m = ed.ownTies ? int(std::floor(t)) + 1 : int(std::ceil(t));
          hi = std::min(hi, m);
        }
      }
      if (lo >= hi) continue;
      uint8_t* d = fb_.at(lo, y);
      if (texelAligned && fastRow(tex->pm, blend, d, lo, hi, y, int(offU), int(offV), cr, cg, cb, ca))
        continue;
      float u = ux * (lo + 0.5f) + uy * py + uc;
      float vv = vx * (lo + 0.5f) + vy * py + vc;
      for (int x = lo; x < hi; ++x, d += 4, u += ux, vv += vx) {
        int s[4];
        sample(tex, bilinear, u, vv, s);
        int sr = mul255(s[0], cr), sg = mul255(s[1], cg), sb = mul255(s[2], cb);
        int sa = mul255(s[3], ca);
        switch (blend) {
          case Blend::Solid:
            d[0] = uint8_t(sr);
            d[1] = uint8_t(sg);
            d[2] = uint8_t(sb);
            break;
          case Blend::Mask:
            if (sa >= 128) {
              d[0] = uint8_t(sr);
              d[1] = uint8_t(sg);
              d[2] = uint8_t(sb);
            }
            break;
          case Blend::Alpha:
            d[0] = uint8_t(mul255(sr, sa) + mul255(d[0], 255 - sa));
            d[1] = uint8_t(mul255(sg, sa) + mul255(d[1], 255 - sa));
            d[2] = uint8_t(mul255(sb, sa) + mul255(d[2], 255 - sa));
            break;
          case Blend::Additive:
            d[0] = uint8_t(std::min(255, d[0] + mul255(sr, sa)));
            d[1] = uint8_t(std::min(255, d[1] + mul255(sg, sa)));
            d[2] = uint8_t(std::min(255, d[2] + mul255(sb, sa)));
            break;
          case Blend::Shade:
            d[0] = uint8_t(mul255(d[0], sr));
            d[1] = uint8_t(mul255(d[1], sg));
            d[2] = uint8_t(mul255(d[2], sb));
            break;
        }
        d[3] = 255;
      }
    }
  }

  // One row of a texel-aligned quad. False when this case has no fast path.
  static bool fastRow(const Pixmap& pm, Blend blend, uint8_t* d, int lo, int hi, int y, int du,
                      int dv, int cr, int cg, int cb, int ca) {
    const int ty = std::clamp(y + dv, 0, pm.height - 1);
    const bool white = cr == 255 && cg == 255 && cb == 255;
    if (!white || (blend != Blend::Solid && blend != Blend::Alpha)) return false;
    for (int x = lo; x < hi; ++x, d += 4) {
      const uint8_t* s = pm.at(std::clamp(x + du, 0, pm.width - 1), ty);
      if (blend == Blend::Solid) {
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
      } else {
        const int a = ca == 255 ? s[3] : mul255(s[3], ca);
        if (a == 255) {
          d[0] = s[0];
          d[1] = s[1];
          d[2] = s[2];
        } else if (a != 0) {
          d[0] = uint8_t(mul255(s[0], a) + mul255(d[0], 255 - a));
          d[1] = uint8_t(mul255(s[1], a) + mul255(d[1], 255 - a));
          d[2] = uint8_t(mul255(s[2], a) + mul255(d[2], 255 - a));
        }
      }
      d[3] = 255;
    }
    return true;
  }

  static void sample(const SoftTexture* tex, bool bilinear, float u, float v, int out[4]) {
    if (!tex) {
      out[0] = out[1] = out[2] = out[3] = 255;
      return;
    }
    const Pixmap& pm = tex->pm;
    const int w = pm.width, h = pm.height;
    if (!bilinear) {
      int x = std::clamp(int(std::floor(u)), 0, w - 1);
      int y = std::clamp(int(std::floor(v)), 0, h - 1);
      const uint8_t* p = pm.at(x, y);
      out[0] = p[0];
      out[1] = p[1];
      out[2] = p[2];
      out[3] = p[3];
      return;
    }
    const float fx = u - 0.5f, fy = v - 0.5f;
    const float flx = std::floor(fx), fly = std::floor(fy);
    const int ax = int(flx), ay = int(fly);
    const int wx = int((fx - flx) * 256), wy = int((fy - fly) * 256);
    const int x0 = std::clamp(ax, 0, w - 1), x1 = std::clamp(ax + 1, 0, w - 1);
    const int y0 = std::clamp(ay, 0, h - 1), y1 = std::clamp(ay + 1, 0, h - 1);
    const uint8_t *a = pm.at(x0, y0), *b = pm.at(x1, y0), *c = pm.at(x0, y1), *d = pm.at(x1, y1);
    for (int i = 0; i < 4; ++i) {
      int top = a[i] * (256 - wx) + b[i] * wx;
      int bot = c[i] * (256 - wx) + d[i] * wx;
      out[i] = (top * (256 - wy) + bot * wy + 32768) >> 16;
    }
  }

  int desktopW_, desktopH_;
  bool open_ = false, full_ = false;
  Pixmap fb_;
  std::unordered_map<uint32_t, SoftTexture> textures_;
  uint32_t nextHandle_ = 1;
};

}  // namespace

void setHeadlessRefusedModes(std::vector<RefusedMode> modes) { g_refused = std::move(modes); }

std::unique_ptr<Graphics> createHeadlessGraphics(int desktopW, int desktopH) {
  return std::make_unique<SoftGraphics>(desktopW, desktopH);
}

}  // namespace plat::detail
