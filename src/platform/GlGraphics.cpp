// Real backend: an SDL2 window with a legacy (2.1 / compatibility) OpenGL
// context. Fixed-function texturing with client-side vertex arrays keeps it
// working everywhere, Mesa's software rasteriser included; each batch is one
// glDrawArrays.
//
// The picture is drawn straight into the window's back buffer. An offscreen
// framebuffer copied to the window on flip would keep reads defined after a
// swap, but under Mesa's software rasteriser that copy and its clear cost
// about 4 ms of CPU a frame, a fifth of a busy play screen. Nothing in the
// game reads after a swap (the harness's frame hook runs before it), and
// software GL swaps by copying, so the back buffer still holds the shown
// frame there. WOOFMERE_OFFSCREEN=1 brings the offscreen framebuffer back
// for a driver whose back buffer is needed after a swap.
//
// Frame pacing: vsync is switched off unless flip(1) asks for it, and
// flip(-1) sleeps to the next 1/60 s tick itself. Vsync on virtual or
// software displays is unreliable (often absent, sometimes blocking for
// much longer than a frame), while a sleep-governed tick gives the same
// game speed everywhere.
#include <SDL.h>
#include <SDL_opengl.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <thread>
#include <unordered_map>

#include "platform/Backends.h"
#include "platform/GraphicsCore.h"
#include "platform/Input.h"

namespace plat::detail {

namespace {

void say(const char* what, const char* detail = nullptr) {
  if (detail && *detail)
    std::printf("%s: %s\n", what, detail);
  else
    std::printf("%s\n", what);
  std::fflush(stdout);
}

int64_t steadyMicros() {
  return std::chrono::duration_cast<std::chrono::microseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

class GlGraphics;
GlGraphics* g_sdlGraphics = nullptr;

class GlGraphics final : public GraphicsCore {
 public:
  GlGraphics() {
#if defined(__GLIBC__)
    // Mesa's software rasteriser takes and frees large blocks on every
    // state change. With glibc's default trimming each one went back to the
    // system and was faulted in afresh: some 150 us per batch, 45 ms for a
    // frame of 300 batches. Keeping up to 64 MiB of free heap makes it 3 us.
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
#endif
    videoOk_ = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    if (!videoOk_) say("Cannot start the video system", SDL_GetError());
    g_sdlGraphics = this;
  }

  ~GlGraphics() override {
    detachRenderer();
    destroyWindow();
    if (g_sdlGraphics == this) g_sdlGraphics = nullptr;
    if (videoOk_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }

  bool openDisplay(int w, int h, bool fullScreen, int depth, int hz) override {
    if (!videoOk_) {
      say("Cannot open a display: no video system");
      return false;
    }
    if (w <= 0 || h <= 0) {
      std::printf("Cannot open a display of %d x %d\n", w, h);
      std::fflush(stdout);
      return false;
    }
    int deskW = 0, deskH = 0;
    desktopSize(deskW, deskH);
    if (!fullScreen && deskW > 0 && (w > deskW || h > deskH)) {
      std::printf("A %d x %d window does not fit on the %d x %d desktop\n", w, h, deskW, deskH);
      std::fflush(stdout);
      return false;
    }
    flush();
    const bool fresh = win_ == nullptr;
    if (fresh && !createWindow(w, h)) return false;

    if (!applyMode(w, h, fullScreen, hz)) {
      if (fresh) destroyWindow();
      return false;
    }
    SDL_ShowWindow(win_);
    SDL_RaiseWindow(win_);
    SDL_PumpEvents();
    updateDrawableSize();
    resetForNewDisplay();
    // Start the new mode on a clean, known picture.
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    scissor_ = {-1, -1, -1, -1};
    return true;
  }

  void closeDisplay() override {
    flush();
    destroyWindow();
  }

  bool displayOpen() const override { return win_ != nullptr; }
  bool fullScreen() const override { return win_ && full_; }
  int displayWidth() const override { return win_ ? drawW_ : 0; }
  int displayHeight() const override { return win_ ? drawH_ : 0; }

  void desktopSize(int& w, int& h) const override {
    SDL_DisplayMode mode;
    int display = win_ ? std::max(0, SDL_GetWindowDisplayIndex(win_)) : 0;
    if (videoOk_ && SDL_GetDesktopDisplayMode(display, &mode) == 0) {
      w = mode.w;
      h = mode.h;
    } else {
      w = 1024;
      h = 768;
    }
  }

  void setTitle(const std::string& title) override {
    title_ = title;
    if (win_) SDL_SetWindowTitle(win_, title.c_str());
  }

  void showSystemPointer(bool show) override {
    if (videoOk_) SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
  }

  void movePointer(float vx, float vy) override {
    input().moveMouse(vx, vy);
    if (!win_) return;
    int ww = 0, wh = 0;
    SDL_GetWindowSize(win_, &ww, &wh);
    SDL_WarpMouseInWindow(win_, int(vx / virtualWidth() * ww), int(vy / virtualHeight() * wh));
  }

  // Called by the event pump.
  void onWindowResized() {
    if (!win_) return;
    flush();
    updateDrawableSize();
  }

  void windowSize(int& w, int& h) const {
    w = h = 0;
    if (win_) SDL_GetWindowSize(win_, &w, &h);
  }

 protected:
  uint32_t backendCreateTexture(const Pixmap& pm, int flags) override {
    GLuint id = 0;
    glGenTextures(1, &id);
    if (!id || id >= kMaxTextureHandle) return 0;
    upload(id, pm, flags, true);
    return id;
  }

  void backendUpdateTexture(uint32_t handle, const Pixmap& pm, int flags) override {
    upload(handle, pm, flags, false);
  }

  void backendUpdateRegion(uint32_t handle, int x, int y, const Pixmap& pm, int) override {
    bindTexture(handle);
    glTexSubImage2D(GL_TEXTURE_2D, 0, x, y, pm.width, pm.height, GL_RGBA, GL_UNSIGNED_BYTE,
                    pm.rgba.data());
  }

  void backendDestroyTexture(uint32_t handle) override {
    GLuint id = handle;
    if (boundTex_ == handle) boundTex_ = 0;
    glDeleteTextures(1, &id);
    textures_.erase(handle);
  }

  void backendDrawQuads(uint32_t texture, Blend blend, const PixelRect& clip, const Vertex* v,
                        int quads, bool texelAligned) override {
    bindTexture(texture);
    setSampling(texture, texelAligned);
    setBlendState(blend);
    setScissor(clip);
    glVertexPointer(2, GL_FLOAT, sizeof(Vertex), &v->x);
    glTexCoordPointer(2, GL_FLOAT, sizeof(Vertex), &v->u);
    glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(Vertex), &v->r);
    glDrawArrays(GL_QUADS, 0, quads * 4);
  }

  void backendClear(const PixelRect& clip, uint8_t r, uint8_t g, uint8_t b) override {
    setScissor(clip);
    glClearColor(r / 255.0f, g / 255.0f, b / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
  }

  Pixmap backendRead(const PixelRect& r) override {
    Pixmap out(r.w, r.h);
    if (r.w <= 0 || r.h <= 0) return out;
    // The front buffer is no help after a swap: software GL reads it back
    // black. Its back buffer still holds the shown frame (see the top).
    if (!fbo_) glReadBuffer(GL_BACK);
    std::vector<uint8_t> rows(size_t(r.w) * r.h * 4);
    glReadPixels(r.x, drawH_ - (r.y + r.h), r.w, r.h, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
    const size_t stride = size_t(r.w) * 4;
    for (int y = 0; y < r.h; ++y) {
      const uint8_t* src = rows.data() + size_t(r.h - 1 - y) * stride;
      uint8_t* dst = out.at(0, y);
      std::copy_n(src, stride, dst);
      for (int x = 0; x < r.w; ++x) dst[x * 4 + 3] = 255;
    }
    return out;
  }

  void backendPresent(int sync) override {
    const int interval = sync == 1 ? 1 : 0;
    if (interval != swapInterval_) {
      // Not every driver honours this; pacing below does not depend on it.
      SDL_GL_SetSwapInterval(interval);
      swapInterval_ = interval;
    }
    if (fbo_) {
      fb_.bind(GL_READ_FRAMEBUFFER, fbo_);
      fb_.bind(GL_DRAW_FRAMEBUFFER, 0);
      glDisable(GL_SCISSOR_TEST);   // the blit obeys the scissor box
      fb_.blit(0, 0, drawW_, drawH_, 0, 0, drawW_, drawH_, GL_COLOR_BUFFER_BIT, GL_NEAREST);
      glEnable(GL_SCISSOR_TEST);
    }
    SDL_GL_SwapWindow(win_);
    if (fbo_) fb_.bind(GL_FRAMEBUFFER, fbo_);
    if (sync == -1) waitForTick();
  }

 private:
  bool createWindow(int w, int h) {
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    win_ = SDL_CreateWindow(title_.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w, h,
                            SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN |
                                SDL_WINDOW_ALLOW_HIGHDPI);
    if (!win_) {
      say("Cannot create a window", SDL_GetError());
      return false;
    }
    ctx_ = SDL_GL_CreateContext(win_);
    if (!ctx_) {
      say("Cannot create an OpenGL context", SDL_GetError());
      SDL_DestroyWindow(win_);
      win_ = nullptr;
      return false;
    }
    SDL_GL_MakeCurrent(win_, ctx_);
    swapInterval_ = -99;
    initGlState();
    loadFramebufferFunctions();
    return true;
  }

  void destroyWindow() {
    if (ctx_) {
      fbo_ = rbo_ = 0;
      fboW_ = fboH_ = 0;
      SDL_GL_DeleteContext(ctx_);
      ctx_ = nullptr;
      // Every texture went with the context.
      texturesLost();
      textures_.clear();
    }
    if (win_) {
      SDL_DestroyWindow(win_);
      win_ = nullptr;
    }
    full_ = false;
  }

  bool applyMode(int w, int h, bool fullScreen, int hz) {
    if (!fullScreen) {
      SDL_SetWindowFullscreen(win_, 0);
      SDL_SetWindowSize(win_, w, h);
      SDL_SetWindowPosition(win_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
      full_ = false;
      return true;
    }
    int deskW = 0, deskH = 0;
    desktopSize(deskW, deskH);
    if (w != deskW || h != deskH) {
      // A real mode change; when the monitor has no such mode or refuses it,
      // full screen at the desktop size with the picture scaled still works.
      SDL_DisplayMode want{SDL_PIXELFORMAT_UNKNOWN, w, h, hz, nullptr}, got;
      int display = std::max(0, SDL_GetWindowDisplayIndex(win_));
      if (SDL_GetClosestDisplayMode(display, &want, &got) && got.w == w && got.h == h &&
          SDL_SetWindowDisplayMode(win_, &got) == 0 &&
          SDL_SetWindowFullscreen(win_, SDL_WINDOW_FULLSCREEN) == 0) {
        full_ = true;
        return true;
      }
      std::printf("Full-screen mode %d x %d is not available; using the desktop size\n", w, h);
      std::fflush(stdout);
    }
    // Cover the desktop first: without a window manager (a bare X server,
    // Xvfb) nobody acts on the full-screen request, and the window would
    // keep its old size while SDL reports the desktop's.
    if (!(SDL_GetWindowFlags(win_) & SDL_WINDOW_FULLSCREEN)) {
      SDL_SetWindowPosition(win_, 0, 0);
      SDL_SetWindowSize(win_, deskW, deskH);
    }
    if (SDL_SetWindowFullscreen(win_, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
      say("Cannot switch to full screen", SDL_GetError());
      return false;
    }
    full_ = true;
    return true;
  }

  void initGlState() {
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnable(GL_SCISSOR_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    boundTex_ = 0;
    texturing_ = true;
    blendState_ = 0;
    scissor_ = {-1, -1, -1, -1};
  }

  void updateDrawableSize() {
    SDL_GL_GetDrawableSize(win_, &drawW_, &drawH_);
    if (drawW_ <= 0 || drawH_ <= 0) SDL_GetWindowSize(win_, &drawW_, &drawH_);
    ensureOffscreen();
    glViewport(0, 0, drawW_, drawH_);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // Real pixels, top-left origin: a quad edge on an integer lies on a
    // pixel edge, so coverage matches the software rasteriser.
    glOrtho(0, drawW_, drawH_, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    scissor_ = {-1, -1, -1, -1};
  }

  struct FramebufferFns {
    PFNGLGENFRAMEBUFFERSPROC gen = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC del = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bind = nullptr;
    PFNGLGENRENDERBUFFERSPROC genRb = nullptr;
    PFNGLDELETERENDERBUFFERSPROC delRb = nullptr;
    PFNGLBINDRENDERBUFFERPROC bindRb = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC storage = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC attach = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC status = nullptr;
    PFNGLBLITFRAMEBUFFERPROC blit = nullptr;
    bool ok() const {
      return gen && del && bind && genRb && delRb && bindRb && storage && attach && status && blit;
    }
  };

  void loadFramebufferFunctions() {
    fb_ = {};
    if (!std::getenv("WOOFMERE_OFFSCREEN")) return;
    const bool have = SDL_GL_ExtensionSupported("GL_ARB_framebuffer_object");
    if (!have) return;
    auto get = [](const char* n) { return SDL_GL_GetProcAddress(n); };
    fb_.gen = reinterpret_cast<PFNGLGENFRAMEBUFFERSPROC>(get("glGenFramebuffers"));
    fb_.del = reinterpret_cast<PFNGLDELETEFRAMEBUFFERSPROC>(get("glDeleteFramebuffers"));
    fb_.bind = reinterpret_cast<PFNGLBINDFRAMEBUFFERPROC>(get("glBindFramebuffer"));
    fb_.genRb = reinterpret_cast<PFNGLGENRENDERBUFFERSPROC>(get("glGenRenderbuffers"));
    fb_.delRb = reinterpret_cast<PFNGLDELETERENDERBUFFERSPROC>(get("glDeleteRenderbuffers"));
    fb_.bindRb = reinterpret_cast<PFNGLBINDRENDERBUFFERPROC>(get("glBindRenderbuffer"));
    fb_.storage = reinterpret_cast<PFNGLRENDERBUFFERSTORAGEPROC>(get("glRenderbufferStorage"));
    fb_.attach =
        reinterpret_cast<PFNGLFRAMEBUFFERRENDERBUFFERPROC>(get("glFramebufferRenderbuffer"));
    fb_.status =
        reinterpret_cast<PFNGLCHECKFRAMEBUFFERSTATUSPROC>(get("glCheckFramebufferStatus"));
    fb_.blit = reinterpret_cast<PFNGLBLITFRAMEBUFFERPROC>(get("glBlitFramebuffer"));
    if (!fb_.ok()) fb_ = {};
  }

  // (Re)sizes the offscreen picture to the drawable; its old content is
  // dropped, as a resized window's would be.
  void ensureOffscreen() {
    if (!fb_.ok() || drawW_ <= 0 || drawH_ <= 0) return;
    if (fbo_ && fboW_ == drawW_ && fboH_ == drawH_) return;
    if (!fbo_) {
      fb_.gen(1, &fbo_);
      fb_.genRb(1, &rbo_);
    }
    fb_.bindRb(GL_RENDERBUFFER, rbo_);
    fb_.storage(GL_RENDERBUFFER, GL_RGBA8, drawW_, drawH_);
    fb_.bind(GL_FRAMEBUFFER, fbo_);
    fb_.attach(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, rbo_);
    if (fb_.status(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
      say("Offscreen picture unavailable; drawing straight to the window");
      fb_.bind(GL_FRAMEBUFFER, 0);
      fb_.del(1, &fbo_);
      fb_.delRb(1, &rbo_);
      fbo_ = rbo_ = 0;
      fb_ = {};
      return;
    }
    fboW_ = drawW_;
    fboH_ = drawH_;
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
  }

  void upload(GLuint id, const Pixmap& pm, int flags, bool fresh) {
    bindTexture(id);
    const bool filtered = (flags & kFilteredImage) != 0;
    const bool mipmapped = filtered && (flags & kMipmappedImage) != 0;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filtered ? GL_LINEAR : GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                    mipmapped ? GL_LINEAR_MIPMAP_LINEAR : (filtered ? GL_LINEAR : GL_NEAREST));
    glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, mipmapped ? GL_TRUE : GL_FALSE);
    auto it = textures_.find(id);
    if (!fresh && it != textures_.end() && it->second.w == pm.width && it->second.h == pm.height) {
      glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, pm.width, pm.height, GL_RGBA, GL_UNSIGNED_BYTE,
                      pm.rgba.data());
    } else {
      glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, pm.width, pm.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                   pm.rgba.data());
    }
    textures_[id] = {pm.width, pm.height, filtered, mipmapped, !filtered};
  }

  // Filtered images drawn one texel to one pixel are sampled nearest: the
  // picture is identical, and Mesa's software rasteriser fills such quads
  // far faster than bilinear ones (a third less CPU for a play screen).
  void setSampling(uint32_t handle, bool texelAligned) {
    if (!handle) return;
    auto it = textures_.find(handle);
    if (it == textures_.end() || !it->second.filtered) return;
    TexInfo& t = it->second;
    if (t.nearestNow == texelAligned) return;
    t.nearestNow = texelAligned;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, texelAligned ? GL_NEAREST : GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                    texelAligned ? GL_NEAREST
                                 : (t.mipmapped ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR));
  }

  void bindTexture(uint32_t handle) {
    if (handle == 0) {
      if (texturing_) glDisable(GL_TEXTURE_2D);
      texturing_ = false;
      return;
    }
    if (!texturing_) glEnable(GL_TEXTURE_2D);
    texturing_ = true;
    if (handle != boundTex_) glBindTexture(GL_TEXTURE_2D, handle);
    boundTex_ = handle;
  }

  void setBlendState(Blend b) {
    if (int(b) == blendState_) return;
    blendState_ = int(b);
    switch (b) {
      case Blend::Solid:
        glDisable(GL_BLEND);
        glDisable(GL_ALPHA_TEST);
        break;
      case Blend::Mask:
        glDisable(GL_BLEND);
        glEnable(GL_ALPHA_TEST);
        glAlphaFunc(GL_GEQUAL, 0.5f);
        break;
      case Blend::Alpha:
        glEnable(GL_BLEND);
        glDisable(GL_ALPHA_TEST);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        break;
      case Blend::Additive:
        glEnable(GL_BLEND);
        glDisable(GL_ALPHA_TEST);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        break;
      case Blend::Shade:
        glEnable(GL_BLEND);
        glDisable(GL_ALPHA_TEST);
        glBlendFunc(GL_DST_COLOR, GL_ZERO);
        break;
    }
  }

  void setScissor(const PixelRect& clip) {
    if (clip == scissor_) return;
    scissor_ = clip;
    glScissor(clip.x, drawH_ - (clip.y + clip.h), clip.w, clip.h);
  }

  void waitForTick() {
    constexpr int64_t kPeriod = 1000000 / 60;
    const int64_t now = steadyMicros();
    int64_t next = lastTick_ + kPeriod;
    if (lastTick_ == 0 || now > next + kPeriod) {
      // Too late to catch up without a burst of frames: start counting anew.
      lastTick_ = now;
      return;
    }
    if (now < next) {
      int64_t wait = next - now;
      if (wait >= 1000) SDL_Delay(Uint32(wait / 1000));
      int64_t rest = next - steadyMicros();
      if (rest > 0) std::this_thread::sleep_for(std::chrono::microseconds(rest));
    }
    lastTick_ = next;
  }

  bool videoOk_ = false;
  SDL_Window* win_ = nullptr;
  SDL_GLContext ctx_ = nullptr;
  bool full_ = false;
  int drawW_ = 0, drawH_ = 0;
  std::string title_ = "Woofmere";
  int swapInterval_ = -99;
  int64_t lastTick_ = 0;
  FramebufferFns fb_;
  GLuint fbo_ = 0, rbo_ = 0;
  int fboW_ = 0, fboH_ = 0;
  uint32_t boundTex_ = 0;
  bool texturing_ = true;
  int blendState_ = 0;
  PixelRect scissor_{-1, -1, -1, -1};
  struct TexInfo {
    int w = 0, h = 0;
    bool filtered = false, mipmapped = false;
    bool nearestNow = false;   // current sampling of a filtered texture
  };
  std::unordered_map<uint32_t, TexInfo> textures_;
};

int mapKey(const SDL_Keysym& k) {
  const SDL_Keycode s = k.sym;
  if (s >= SDLK_a && s <= SDLK_z) return KEY_A + int(s - SDLK_a);
  if (s >= SDLK_0 && s <= SDLK_9) return KEY_0 + int(s - SDLK_0);
  if (s >= SDLK_F1 && s <= SDLK_F12) return KEY_F1 + int(s - SDLK_F1);
  if (s >= SDLK_KP_1 && s <= SDLK_KP_9) return KEY_NUM1 + int(s - SDLK_KP_1);
  switch (s) {
    case SDLK_BACKSPACE: return KEY_BACKSPACE;
    case SDLK_TAB: return KEY_TAB;
    case SDLK_RETURN: return KEY_ENTER;
    case SDLK_KP_ENTER: return KEY_ENTER;
    case SDLK_PAUSE: return KEY_PAUSE;
    case SDLK_ESCAPE: return KEY_ESCAPE;
    case SDLK_SPACE: return KEY_SPACE;
    case SDLK_PAGEUP: return KEY_PAGEUP;
    case SDLK_PAGEDOWN: return KEY_PAGEDOWN;
    case SDLK_END: return KEY_END;
    case SDLK_HOME: return KEY_HOME;
    case SDLK_LEFT: return KEY_LEFT;
    case SDLK_UP: return KEY_UP;
    case SDLK_RIGHT: return KEY_RIGHT;
    case SDLK_DOWN: return KEY_DOWN;
    case SDLK_INSERT: return KEY_INSERT;
    case SDLK_DELETE: return KEY_DELETE;
    case SDLK_KP_0: return KEY_NUM0;
    case SDLK_KP_MULTIPLY: return KEY_NUMMULTIPLY;
    case SDLK_KP_PLUS: return KEY_NUMADD;
    case SDLK_KP_MINUS: return KEY_NUMSUBTRACT;
    case SDLK_KP_PERIOD: return KEY_NUMDECIMAL;
    case SDLK_KP_DIVIDE: return KEY_NUMDIVIDE;
    case SDLK_LSHIFT: return KEY_LSHIFT;
    case SDLK_RSHIFT: return KEY_RSHIFT;
    case SDLK_LCTRL: return KEY_LCONTROL;
    case SDLK_RCTRL: return KEY_RCONTROL;
    case SDLK_LALT: return KEY_LALT;
    case SDLK_RALT: return KEY_RALT;
    case SDLK_BACKQUOTE: return KEY_TILDE;
    case SDLK_MINUS: return KEY_MINUS;
    case SDLK_EQUALS: return KEY_EQUALS;
    case SDLK_COMMA: return KEY_COMMA;
    case SDLK_PERIOD: return KEY_PERIOD;
    case SDLK_SLASH: return KEY_SLASH;
    default: return -1;
  }
}

int mapButton(Uint8 b) {
  switch (b) {
    case SDL_BUTTON_LEFT: return MOUSE_LEFT;
    case SDL_BUTTON_RIGHT: return MOUSE_RIGHT;
    case SDL_BUTTON_MIDDLE: return MOUSE_MIDDLE;
    default: return 0;
  }
}

// Window coordinates -> virtual units.
void pointerTo(int x, int y) {
  GlGraphics* g = g_sdlGraphics;
  if (!g) return;
  int ww = 0, wh = 0;
  g->windowSize(ww, wh);
  if (ww <= 0 || wh <= 0) return;
  input().moveMouse(float(x) / ww * g->virtualWidth(), float(y) / wh * g->virtualHeight());
}

}  // namespace

std::unique_ptr<Graphics> createSdlGraphics() {
  auto g = std::make_unique<GlGraphics>();
  if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_StartTextInput();
  return g;
}

void pumpSdlEvents() {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
  Input& in = input();
  SDL_Event e;
  while (SDL_PollEvent(&e)) {
    switch (e.type) {
      case SDL_QUIT:
        in.requestClose();
        break;
      case SDL_WINDOWEVENT:
        switch (e.window.event) {
          case SDL_WINDOWEVENT_CLOSE:
            in.requestClose();
            break;
          case SDL_WINDOWEVENT_FOCUS_LOST:
          case SDL_WINDOWEVENT_MINIMIZED:
            // Keys held when the focus went will never see their release.
            in.reset();
            in.setSuspended(true);
            break;
          case SDL_WINDOWEVENT_FOCUS_GAINED:
          case SDL_WINDOWEVENT_RESTORED:
            in.setSuspended(false);
            break;
          case SDL_WINDOWEVENT_SIZE_CHANGED:
          case SDL_WINDOWEVENT_RESIZED:
            if (g_sdlGraphics) g_sdlGraphics->onWindowResized();
            break;
          default:
            break;
        }
        break;
      case SDL_KEYDOWN: {
        int key = mapKey(e.key.keysym);
        if (key < 0) break;
        // Auto-repeat only for keys that edit or move a caret.
        if (e.key.repeat && key != KEY_BACKSPACE && key != KEY_DELETE && key != KEY_LEFT &&
            key != KEY_RIGHT && key != KEY_UP && key != KEY_DOWN)
          break;
        in.pressKey(key);
        break;
      }
      case SDL_KEYUP: {
        int key = mapKey(e.key.keysym);
        if (key >= 0) in.releaseKey(key);
        break;
      }
      case SDL_TEXTINPUT:
        in.typeText(e.text.text);
        break;
      case SDL_MOUSEMOTION:
        pointerTo(e.motion.x, e.motion.y);
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP: {
        pointerTo(e.button.x, e.button.y);
        int b = mapButton(e.button.button);
        if (!b) break;
        if (e.type == SDL_MOUSEBUTTONDOWN)
          in.pressMouse(b);
        else
          in.releaseMouse(b);
        break;
      }
      case SDL_MOUSEWHEEL: {
        int steps = e.wheel.y;
        if (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) steps = -steps;
        if (steps) in.wheel(steps);
        break;
      }
      default:
        break;
    }
  }
}

}  // namespace plat::detail
