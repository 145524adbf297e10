// The flying objects of the screens: firework sparks, sliding captions,
// jigsaw pieces and resources on their way to a power-up.
#include <cmath>

#include "app/GlobalSnd.h"
#include "app/Screen.h"
#include "fx/Flying.h"
#include "fx/ParticleGenerators.h"
#include "fx/Path.h"
#include "gui/Font.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Random.h"

TFxList<TFireWork> fireWorkList;
TFxList<TFlyingNapis> napisList;
TFxList<TFlyingPuzzle> flyingPuzzleList;
TFxList<TFlyingRes> flyingResList;

std::vector<plat::ImagePtr> TFireWork::fireWorkImages;
std::vector<plat::FontPtr> TFlyingNapis::napisFonts;

namespace {

inline float trunc(float v) { return static_cast<float>(static_cast<int>(v)); }

void drawAt(const plat::ImagePtr& img, float x, float y) {
  if (img) plat::gfx().drawImage(img, trunc(x), trunc(y), 0);
}

}  // namespace

// ================================================================= fireworks

void setupFireWorks() {
  TFireWork::fireWorkImages.clear();
  for (const char* path : {"gfx/particles/3.png", "gfx/particles/1.png"}) {
    auto img = loadImageSafe(path, plat::kFilteredImage | plat::kMipmappedImage);
    if (img) img->midHandle();
    TFireWork::fireWorkImages.push_back(img);
  }
}

TFireWorkPtr createFireWork(float x, float y, float ax, float ay, TRGB colour) {
  auto f = std::make_shared<TFireWork>();
  f->x = x;
  f->y = y;
  f->ax = ax;
  f->ay = ay;
  f->rgb = colour;
  f->time = plat::millisecs() + plat::randInt(1000, 2000);
  f->ady = plat::randFloat(0.03f, 0.05f);
  f->adx = 0;
  fireWorkList.add(f);
  return f;
}

void fireworkBurst(float x, float y) {
  globalSnd().playFireWork();
  for (int angle = 1; angle <= 358; angle += 3) {
    const float v = plat::randFloat(2, 3);
    const TRGB c{plat::randInt(0, 255), plat::randInt(0, 255), plat::randInt(0, 255)};
    const float px = x + plat::randInt(-5, 5);
    const float py = y + plat::randInt(-5, 5);
    createFireWork(px, py, v * fx::cosDeg(static_cast<float>(angle)),
                   v * fx::sinDeg(static_cast<float>(angle)), c);
  }
}

void TFireWork::update() {
  x += ax * delta;
  y += ay * delta;
  ax += adx * delta;
  ay += ady * delta;
  rot += 3 * delta;
  if (plat::millisecs() > time) {
    a -= 0.002f * delta;
    if (a < 0) {
      a = 0;
      destroy();
    }
  }
}

void TFireWork::draw() {
  if (n < 0 || n >= static_cast<int>(fireWorkImages.size())) return;
  auto& g = plat::gfx();
  g.setAlpha(a);
  g.setRotation(rot);
  g.setColour(rgb.r, rgb.g, rgb.b);
  drawAt(fireWorkImages[n], x, y);
}

void TFireWork::destroy() {
  if (list) list->remove(this);
}

void TFireWork::updateAll() {
  fireWorkList.forEach([](TFireWork& f) { f.update(); });
}

void TFireWork::drawAll() {
  auto& g = plat::gfx();
  g.setBlend(plat::Blend::Additive);
  g.setScale(1, 1);
  fireWorkList.forEach([](TFireWork& f) { f.draw(); });
  g.setBlend(plat::Blend::Alpha);
  g.setColour(255, 255, 255);
  g.setAlpha(1);
  g.setRotation(0);
}

// ================================================================= captions

void setupFlyingNapis() {
  TFlyingNapis::napisFonts = {TMyFont::get("gfx/fonts/font.ttf", 72),
                              TMyFont::get("gfx/fonts/font.ttf", 120)};
}

TFlyingNapisPtr createFlyingNapis(const std::string& text, int big, float x, float y, float targetX,
                                  TRGB colour, float direction, int delay) {
  auto f = std::make_shared<TFlyingNapis>();
  f->txt = text;
  f->x = f->sx = x;
  f->y = y;
  f->dx = targetX;
  f->rgb = colour;
  f->moveSide = direction;
  f->state = "BEGIN";
  const size_t k = big == 1 ? 1 : 0;
  if (k < TFlyingNapis::napisFonts.size()) f->myFont = TFlyingNapis::napisFonts[k];
  f->startTime = plat::millisecs() + delay;
  napisList.add(f);
  return f;
}

void TFlyingNapis::update() {
  if (plat::millisecs() < startTime) return;
  if (state == "BEGIN")
    _update_begin();
  else if (state == "SLOW-MODE")
    _update_slow();
  else if (state == "FLY-OUT")
    _update_fly_out();
}

void TFlyingNapis::_update_begin() {
  per = fx::advancePer(per, 0.05f * delta);
  x = sx + fx::easeOut(per) * std::fabs(dx - sx) * moveSide;
  if (per >= 1) {
    state = "SLOW-MODE";
    sx = x;
    dx += 200 * moveSide;
    per = 0;
  }
}

void TFlyingNapis::_update_slow() {
  per = fx::advancePer(per, 0.01f * delta);
  x = sx + per * std::fabs(dx - sx) * moveSide;
  if (per >= 1) {
    state = "FLY-OUT";
    sx = x;
    dx += 600 * moveSide;
    per = 0;
  }
}

void TFlyingNapis::_update_fly_out() {
  per = fx::advancePer(per, 0.05f * delta);
  x = sx + per * std::fabs(dx - sx) * moveSide;
  if (per >= 1) destroy();
}

void TFlyingNapis::draw() {
  if (plat::millisecs() < startTime || !myFont) return;
  float b = 1;
  if (state == "BEGIN") b = per;
  if (state == "FLY-OUT") b = 1 - per;
  auto& g = plat::gfx();
  g.setFont(myFont);
  g.setBlend(plat::Blend::Alpha);
  g.setScale(1, 1);
  g.setRotation(0);
  const int w = static_cast<int>(g.textWidth(txt)) / 2;
  const int h = static_cast<int>(g.textHeight(txt)) / 2;
  g.setColour(0, 0, 0);
  g.setAlpha(0.5f * b);
  g.drawText(txt, trunc(x + 5 - w), trunc(y + 5 - h));
  // A dark cocoa outline, as the picture captions have: eight offset copies
  // of the text (one batch with the fill, since they share the glyph sheet).
  g.setColour(74, 42, 24);
  g.setAlpha(b);
  const float ring = !napisFonts.empty() && myFont == napisFonts.back() ? 4.f : 3.f;
  for (int k = 0; k < 8; ++k) {
    static constexpr float kDir[8][2] = {{1, 0}, {0.7f, 0.7f}, {0, 1}, {-0.7f, 0.7f},
                                         {-1, 0}, {-0.7f, -0.7f}, {0, -1}, {0.7f, -0.7f}};
    g.drawText(txt, trunc(x - w + ring * kDir[k][0]), trunc(y - h + ring * kDir[k][1]));
  }
  g.setColour(rgb.r, rgb.g, rgb.b);
  g.setAlpha(b);
  g.drawText(txt, trunc(x - w), trunc(y - h));
  g.setColour(255, 255, 255);
  g.setAlpha(1);
}

void TFlyingNapis::destroy() {
  if (list) list->remove(this);
}

void updateNapisy() {
  napisList.forEach([](TFlyingNapis& f) { f.update(); });
}

void drawNapisy() {
  napisList.forEach([](TFlyingNapis& f) { f.draw(); });
}

// ================================================================= pieces

TFlyingPuzzlePtr createFlyingPuzzle(const plat::ImagePtr& img, float x, float y, float x2, float y2,
                                    int mode, int delay) {
  auto f = std::make_shared<TFlyingPuzzle>();
  f->img = img;
  f->x = f->x1 = x;
  f->y = f->y1 = y;
  f->x2 = x2;
  f->y2 = y2;
  if (mode == -1) {
    f->mx = x2;
    f->my = y;
  } else {
    f->mx = x;
    f->my = y2;
  }
  f->startTime = plat::millisecs() + delay;
  flyingPuzzleList.add(f);
  return f;
}

void TFlyingPuzzle::update() {
  if (plat::millisecs() < startTime) return;
  per = fx::advancePer(per, 0.05f * delta);
  x = fx::bezier(x1, mx, x2, per);
  y = fx::bezier(y1, my, y2, per);
  if (per >= 1) destroy();
}

void TFlyingPuzzle::draw() {
  auto& g = plat::gfx();
  g.setColour(255, 255, 255);
  g.setScale(1 - per, 1 - per);
  g.setAlpha(1 - per);
  g.setBlend(plat::Blend::Alpha);
  g.setRotation(360 * per);
  drawAt(img, x, y);
  g.setScale(1, 1);
  g.setRotation(0);
  g.setAlpha(1);
}

void TFlyingPuzzle::destroy() {
  if (!list) return;
  list->remove(this);
  flightTargets().puzzlePieceLanded();
}

void updateFlyingPuzzles() {
  flyingPuzzleList.forEach([](TFlyingPuzzle& f) { f.update(); });
}

void drawFlyingPuzzles() {
  flyingPuzzleList.forEach([](TFlyingPuzzle& f) { f.draw(); });
}

// ================================================================= resources

TFlyingResPtr generateFlyingRes(float x, float y, const TChipDataPtr& kind, int slot, int delay) {
  // Only six power-ups exist; any other slot would charge past the table.
  if (slot < 1 || slot > 6) return nullptr;
  auto f = std::make_shared<TFlyingRes>();
  f->x = f->x1 = x;
  f->y = f->y1 = y;
  if (plat::randInt(0, 1) == 0) {
    f->mx = static_cast<float>(1024 - plat::randInt(1, 100));
    f->my = static_cast<float>(plat::randInt(1, 100));
  } else {
    f->mx = static_cast<float>(plat::randInt(1, 100));
    f->my = static_cast<float>(768 - plat::randInt(1, 100));
  }
  // A screen without the slot's button: the resource ends its swoop at the
  // control point and still charges.
  if (!flightTargets().powerUpSlotPoint(slot, f->x2, f->y2)) {
    f->x2 = f->mx;
    f->y2 = f->my;
  }
  f->pSpeed = plat::randFloat(0.01f, 0.015f);
  f->n = slot - 1;
  f->cd = kind;
  f->startTime = plat::millisecs() + delay;
  flyingResList.add(f);
  return f;
}

void TFlyingRes::update() {
  const int now = plat::millisecs();
  if (now < startTime) return;
  per = fx::advancePer(per, pSpeed * delta);
  x = fx::bezier(x1, mx, x2, per);
  y = fx::bezier(y1, my, y2, per);
  if (now > time) {
    time = now + 50;
    generate();
  }
  if (per >= 1) destroy();
}

void TFlyingRes::generate() {
  const TRGB c = cd ? cd->rgb : TRGB{};
  for (int i = 0; i < 4; ++i)
    generateWideBurstParticle(static_cast<int>(x), static_cast<int>(y), c, 0);
}

void TFlyingRes::draw() {
  if (!cd || !cd->gfx) return;
  auto& g = plat::gfx();
  g.setColour(0, 0, 0);
  g.setBlend(plat::Blend::Alpha);
  g.setScale(1, 1);
  g.setRotation(0);
  g.setAlpha(0.4f);
  drawAt(cd->gfx, x + 3, y + 3);
  g.setAlpha(1);
  g.setColour(255, 255, 255);
  drawAt(cd->gfx, x, y);
}

void TFlyingRes::destroy() {
  if (!list) return;
  flightTargets().chargePowerUp(n);
  list->remove(this);
  generate();
}

void updateFlyingResources() {
  flyingResList.forEach([](TFlyingRes& f) { f.update(); });
}

void drawFlyingResources() {
  flyingResList.forEach([](TFlyingRes& f) { f.draw(); });
}
