// The real backend in a real window (Xvfb in CI): the OpenGL picture must
// match the software rasteriser, survive a flip and a mode change, and the
// event pump must translate SDL events into game input.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>

#include "platform/Backends.h"
#include "platform/Files.h"
#include "platform/Font.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/Pixmap.h"

using namespace plat;

namespace {

constexpr int kW = 640, kH = 480;

std::string fontPath() {
  std::string game = std::string(WOOFMERE_GAME_DIR) + "/gfx/fonts/";
  for (const char* name : {"main.ttf", "Main.ttf", "font.ttf"})
    if (std::filesystem::exists(game + name)) return game + name;
  return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
}

ImagePtr solid(int w, int h, uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255, int flags = 0) {
  Pixmap pm(w, h);
  pm.fill(r, g, b, a);
  return Image::fromPixmap(std::move(pm), flags);
}

// Left half opaque red, right half transparent green: shows orientation
// under rotation and what the mask test keeps.
ImagePtr halves() {
  Pixmap pm(40, 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) {
      uint8_t* p = pm.at(x, y);
      p[0] = x < 20 ? 255 : 0;
      p[1] = x < 20 ? 0 : 255;
      p[2] = 0;
      p[3] = x < 20 ? 255 : 60;
    }
  return Image::fromPixmap(std::move(pm), 0);
}

// One-pixel black and white checks, filtered: sampled one texel to one
// pixel it must stay sharp; half a pixel off, bilinear sampling turns it
// grey. Catches the backend sampling the wrong way for a placement.
ImagePtr checks() {
  Pixmap pm(20, 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const uint8_t v = (x + y) % 2 ? 0 : 255;
      uint8_t* p = pm.at(x, y);
      p[0] = p[1] = p[2] = v;
      p[3] = 255;
    }
  return Image::fromPixmap(std::move(pm), kFilteredImage);
}

struct Probe {
  const char* what;
  int x, y;
  int r, g, b;
};

// The same scene for both backends; returns the pixels it promises.
std::vector<Probe> drawScene(Graphics& g, const FontPtr& font) {
  g.setVirtualResolution(kW, kH);
  g.setClsColour(40, 40, 60);
  g.cls();
  ImagePtr img = halves();
  g.setBlend(Blend::Solid);
  g.drawImage(solid(40, 40, 220, 30, 30), 20, 20);
  g.setBlend(Blend::Mask);
  g.drawImage(img, 80, 20);
  g.setBlend(Blend::Alpha);
  g.setAlpha(0.5f);
  g.drawImage(solid(40, 40, 0, 0, 255), 140, 20);
  g.setAlpha(1);
  g.setBlend(Blend::Solid);
  g.setColour(100, 0, 0);
  g.drawRect(200, 20, 40, 40);
  g.setColour(255, 255, 255);
  g.setBlend(Blend::Additive);
  g.drawImage(solid(40, 40, 100, 100, 100), 200, 20);
  g.setBlend(Blend::Solid);
  g.drawRect(260, 20, 40, 40);
  g.setBlend(Blend::Shade);
  g.drawImage(solid(40, 40, 128, 255, 0), 260, 20);

  g.setBlend(Blend::Alpha);
  g.setRotation(90);
  g.drawImage(img, 360, 20);        // red on top, covering x 340..359
  g.setRotation(0);
  g.setScale(2, 2);
  g.drawImage(img, 380, 20);        // 80 x 40
  g.setScale(1, 1);
  g.setColour(255, 220, 0);
  g.drawOval(480, 20, 60, 40);
  g.setColour(255, 255, 255);
  g.drawLine(20, 100, 620, 100);

  ImagePtr check = checks();
  g.drawImage(check, 560, 20);
  g.drawImage(check, 590.5f, 20);
  g.setRotation(90);
  g.drawImage(check, 640, 20);   // a quarter turn keeps texels whole
  g.setRotation(0);

  g.setRotation(30);
  g.setColour(120, 200, 255);
  g.drawImage(solid(60, 20, 255, 255, 255, 255, kFilteredImage), 60, 160);
  g.setRotation(0);
  g.setColour(255, 255, 255);

  g.setViewport(300, 150, 100, 50);
  g.setColour(0, 200, 0);
  g.drawRect(250, 120, 300, 200);   // clipped to the viewport
  g.setViewport(0, 0, kW, kH);
  g.setColour(255, 255, 255);

  if (font) {
    g.setFont(font);
    g.drawText("Woofmere: 1234 AV \xC3\xA9\xC3\xA8 \xCE\xA9", 20, 240);
    g.setScale(2, 2);
    g.drawText("Big", 20, 300);
    g.setScale(1, 1);
  }
  return {
      {"solid", 40, 40, 220, 30, 30},
      {"mask keeps opaque", 90, 30, 255, 0, 0},
      {"mask drops clear", 110, 30, 40, 40, 60},
      {"alpha half", 160, 40, 20, 20, 158},
      {"additive", 220, 40, 200, 100, 100},
      {"shade", 280, 40, 128, 255, 0},
      {"rotated red end", 350, 30, 255, 0, 0},
      {"rotated clear end", 350, 50, 31, 91, 46},
      {"outside rotation", 362, 30, 40, 40, 60},
      {"scaled red", 418, 58, 255, 0, 0},
      {"oval centre", 510, 40, 255, 220, 0},
      {"oval corner", 481, 21, 40, 40, 60},
      {"line", 300, 100, 255, 255, 255},
      {"viewport inside", 301, 151, 0, 200, 0},
      {"viewport outside", 299, 151, 40, 40, 60},
      {"aligned checks white", 560, 20, 255, 255, 255},
      {"aligned checks black", 561, 20, 0, 0, 0},
      {"half-pixel checks grey", 600, 30, 128, 128, 128},
      {"turned checks white", 621, 20, 255, 255, 255},
      {"turned checks black", 621, 21, 0, 0, 0},
  };
}

class Window : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
    g = detail::createSdlGraphics();
    ASSERT_TRUE(g);
    ASSERT_TRUE(g->openDisplay(kW, kH, false));
    g->setTitle("Woofmere window test");
    font = ImageFont::load(fontPath(), 22);
  }
  void TearDown() override {
    if (g) g->closeDisplay();
    g.reset();
  }
  std::unique_ptr<Graphics> g;
  FontPtr font;
};

void expectProbes(const Pixmap& pm, const std::vector<Probe>& probes, int tolerance) {
  for (const Probe& p : probes) {
    const uint8_t* c = pm.at(p.x, p.y);
    EXPECT_NEAR(c[0], p.r, tolerance) << p.what;
    EXPECT_NEAR(c[1], p.g, tolerance) << p.what;
    EXPECT_NEAR(c[2], p.b, tolerance) << p.what;
  }
}

TEST_F(Window, OpenGlPictureMatchesTheSoftwareRenderer) {
  ASSERT_EQ(g->displayWidth(), kW);
  ASSERT_EQ(g->displayHeight(), kH);
  std::vector<Probe> probes = drawScene(*g, font);
  Pixmap back = g->readBackBuffer();
  ASSERT_EQ(back.width, kW);
  expectProbes(back, probes, 3);
  g->flip(0);
  FrameStats stats = g->lastFrameStats();
  EXPECT_GT(stats.sprites, 20);
  EXPECT_LT(stats.batches, stats.sprites);

  // What a screenshot hook reads right after the flip is the shown picture.
  Pixmap shown = g->readBackBuffer();
  expectProbes(shown, probes, 3);
  const std::string out = std::string(WOOFMERE_OUT_DIR) + "/window-test.png";
  createFolder(WOOFMERE_OUT_DIR);
  EXPECT_TRUE(savePng(out, shown));

  auto soft = detail::createHeadlessGraphics(1024, 768);
  ASSERT_TRUE(soft->openDisplay(kW, kH, false));
  drawScene(*soft, font);
  Pixmap ref = soft->readBackBuffer();
  savePng(std::string(WOOFMERE_OUT_DIR) + "/window-test-soft.png", ref);
  int differing = 0;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      const uint8_t *a = shown.at(x, y), *b = ref.at(x, y);
      if (std::abs(a[0] - b[0]) > 8 || std::abs(a[1] - b[1]) > 8 || std::abs(a[2] - b[2]) > 8)
        ++differing;
    }
  // Only edge pixels of rotated or filtered quads may round differently.
  EXPECT_LT(differing, kW * kH / 200) << differing << " pixels differ";
}

TEST_F(Window, ReopeningKeepsTexturesAndFollowsTheNewSize) {
  ImagePtr img = solid(16, 16, 0, 200, 0);
  g->drawImage(img, 0, 0);
  g->flip(0);
  EXPECT_EQ(g->lastFrameStats().uploads, 1);
  ASSERT_TRUE(g->openDisplay(800, 600, false));
  EXPECT_EQ(g->displayWidth(), 800);
  EXPECT_EQ(g->displayHeight(), 600);
  g->setVirtualResolution(400, 300);
  g->cls();
  g->drawImage(img, 10, 10);   // 32 x 32 real pixels at (20, 20)
  g->flip(0);
  EXPECT_EQ(g->lastFrameStats().uploads, 0);
  Pixmap pm = g->readBackBuffer();
  EXPECT_EQ(pm.width, 800);
  EXPECT_EQ(pm.rgbaAt(21, 21), 0x00C800FFu);
  EXPECT_EQ(pm.rgbaAt(51, 51), 0x00C800FFu);
  EXPECT_EQ(pm.rgbaAt(52, 52), 0x000000FFu);
  int dw, dh;
  g->desktopSize(dw, dh);
  EXPECT_GE(dw, 800);
  EXPECT_GE(dh, 600);
}

TEST_F(Window, PacedFlipWaitsForTheTickWithoutBursting) {
  g->flip(-1);   // anchor
  const uint32_t start = SDL_GetTicks();
  for (int i = 0; i < 12; ++i) {
    g->cls();
    g->flip(-1);
  }
  const uint32_t elapsed = SDL_GetTicks() - start;
  EXPECT_GE(elapsed, 12 * 1000 / 60 - 5);
  EXPECT_LT(elapsed, 12 * 1000 / 60 + 400);   // generous: shared CI machine
}

struct EventCase {
  const char* what;
  std::function<void(SDL_Event&)> make;
  std::function<bool()> check;
};

TEST_F(Window, EventPumpTranslatesSdlEvents) {
  g->setVirtualResolution(320, 240);   // half the window
  input().reset();
  input().clearCloseRequest();
  Uint32 winId = 0;
  // Our own window is the one with the focus flags or the first one.
  for (Uint32 id = 1; id < 16 && !winId; ++id)
    if (SDL_GetWindowFromID(id)) winId = id;
  const EventCase cases[] = {
      {"motion in virtual units",
       [&](SDL_Event& e) {
         e.type = SDL_MOUSEMOTION;
         e.motion.windowID = winId;
         e.motion.x = 100;
         e.motion.y = 60;
       },
       [] { return input().mouseX() == 50 && input().mouseY() == 30; }},
      {"right button",
       [&](SDL_Event& e) {
         e.type = SDL_MOUSEBUTTONDOWN;
         e.button.windowID = winId;
         e.button.button = SDL_BUTTON_RIGHT;
         e.button.x = 20;
         e.button.y = 20;
       },
       [] { return input().mouseDown(MOUSE_RIGHT) && input().mouseHit(MOUSE_RIGHT) == 1; }},
      {"wheel",
       [](SDL_Event& e) {
         e.type = SDL_MOUSEWHEEL;
         e.wheel.y = 2;
         e.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
       },
       [] { return input().mouseWheel() == 2; }},
      {"key",
       [](SDL_Event& e) {
         e.type = SDL_KEYDOWN;
         e.key.keysym.sym = SDLK_p;
         e.key.keysym.scancode = SDL_SCANCODE_P;
       },
       [] { return input().keyHit(KEY_P) == 1 && input().keyDown(KEY_P); }},
      {"escape",
       [](SDL_Event& e) {
         e.type = SDL_KEYDOWN;
         e.key.keysym.sym = SDLK_ESCAPE;
       },
       [] { return input().keyHit(KEY_ESCAPE) == 1; }},
      {"text",
       [](SDL_Event& e) {
         e.type = SDL_TEXTINPUT;
         std::strcpy(e.text.text, "\xC3\xA9");
       },
       [] {
         char32_t c;
         while ((c = input().getChar()) == KEY_ESCAPE) {
         }
         return c == U'\u00e9';
       }},
      {"focus lost suspends",
       [&](SDL_Event& e) {
         e.type = SDL_WINDOWEVENT;
         e.window.windowID = winId;
         e.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
       },
       [] { return input().suspended() && !input().keyDown(KEY_P); }},
      {"focus gained resumes",
       [&](SDL_Event& e) {
         e.type = SDL_WINDOWEVENT;
         e.window.windowID = winId;
         e.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
       },
       [] { return !input().suspended(); }},
      {"quit", [](SDL_Event& e) { e.type = SDL_QUIT; },
       [] { return input().closeRequested(); }},
  };
  for (const EventCase& c : cases) {
    SCOPED_TRACE(c.what);
    detail::pumpSdlEvents();   // drain whatever the window system sent
    if (std::string(c.what) == "focus lost suspends") input().pressKey(KEY_P);
    SDL_Event e;
    SDL_zero(e);
    c.make(e);
    ASSERT_EQ(SDL_PushEvent(&e), 1);
    detail::pumpSdlEvents();
    EXPECT_TRUE(c.check());
  }
  input().reset();
  input().clearCloseRequest();
  input().setSuspended(false);
}

}  // namespace
