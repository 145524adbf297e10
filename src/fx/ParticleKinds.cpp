#include "fx/ParticleKinds.h"

#include <cmath>

#include "app/Txt.h"
#include "fx/Path.h"
#include "platform/Files.h"
#include "platform/Graphics.h"

std::vector<plat::ImagePtr> TTextParticle::captions;
std::vector<plat::ImagePtr> TScoreParticle::digits;
std::vector<plat::ImagePtr> TPlateParticle::shards;

namespace {

// A missing caption or digit is simply not drawn, so it is loaded without the
// loader's complaint when the file is not there at all.
plat::ImagePtr loadQuietly(const std::string& path) {
  if (!plat::fileExists(path)) return nullptr;
  plat::ImagePtr img = plat::loadImage(path, plat::kFilteredImage);
  if (img) img->midHandle();
  return img;
}

plat::ImagePtr at(const std::vector<plat::ImagePtr>& table, int k) {
  if (k < 0 || k >= static_cast<int>(table.size())) return nullptr;
  return table[k];
}

// Spacing of one character: its image width x wspX x 0.65. A blank takes the
// width of a zero.
float advanceOf(int ch, float wspX) {
  const plat::ImagePtr img = at(TScoreParticle::digits, ch < 0 ? 0 : ch);
  return img ? static_cast<float>(img->width()) * wspX * 0.65f : 0.f;
}

}  // namespace

// --- text particle ------------------------------------------------------------

const std::vector<std::string>& TTextParticle::captionFiles() {
  static const std::vector<std::string> files = {
      "/excellent.png", "/great.png", "/spectacular.png", "/terrific.png", "/go.png",
      "/level_complited.png", "/noMatch.png", "/ready.png", "/times_up.png", "/matched.png"};
  return files;
}

void TTextParticle::setupCaptions() {
  captions.clear();
  for (const auto& f : captionFiles()) captions.push_back(loadQuietly("gfx/captions/" + lang + f));
}

void TTextParticle::update() {
  TParticle::update();
  if (!born()) return;
  p = lifePer;
  px = 1.f + 0.8f * fx::sinDeg(900.f * p) * (1.f - p);
  py = 1.f + 0.2f * fx::cosDeg(720.f * p) * (1.f - p);
}

void TTextParticle::draw() {
  if (!started()) return;
  const plat::ImagePtr img = at(captions, n);
  if (!img) return;
  applyLook();
  plat::gfx().setScale(s * px, s * py);
  plat::gfx().drawImage(img, x, y, 0);
}

// --- score particle -----------------------------------------------------------

void TScoreParticle::setupDigits() {
  digits.clear();
  for (int d = 0; d <= 9; ++d)
    digits.push_back(loadQuietly("gfx/particles/cyfry/" + std::to_string(d) + ".png"));
  digits.push_back(loadQuietly("gfx/particles/cyfry/plus.png"));
}

std::vector<int> TScoreParticle::tabFor(const std::string& text) {
  std::vector<int> out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '+')
      out.push_back(10);
    else if (c >= '0' && c <= '9')
      out.push_back(c - '0');
    else
      out.push_back(-1);
  }
  return out;
}

float TScoreParticle::width() const {
  float w = 0;
  for (int ch : tab) w += advanceOf(ch, wspX);
  return w;
}

float TScoreParticle::drawDigits(float advanceScale) const {
  auto& g = plat::gfx();
  float cx = x - width() / 2.f;
  for (int ch : tab) {
    const float adv = advanceOf(ch, wspX) * advanceScale;
    // The digit images are mid-handled, so each one is put in the middle of
    // its own slot; that keeps the whole number centred on x.
    if (ch >= 0) g.drawImage(at(digits, ch), cx + adv / 2.f, y, 0);
    cx += adv;
  }
  return cx;
}

void TScoreParticle::draw() {
  if (!started()) return;
  applyLook();
  plat::gfx().setScale(s * 0.65f, s * 0.65f);
  drawDigits(1.f);
}

void TNumberAndTextParticle::draw() {
  if (!started()) return;
  applyLook();
  plat::gfx().setScale(s * 0.65f, s * 0.65f);
  const float end = drawDigits(s);
  plat::gfx().drawImage(at(TTextParticle::captions, n), end + 50.f * s, y, 0);
}

// --- plate particle -----------------------------------------------------------

void TPlateParticle::setupShards() {
  shards.clear();
  for (const char* path : {"gfx/tiles/tile2.png", "gfx/tiles/tile3.png"}) {
    plat::ImagePtr img;
    if (plat::fileExists(path)) img = plat::loadAnimImage(path, 7, 7, 0, 36, plat::kFilteredImage);
    if (img) img->midHandle();
    shards.push_back(img);
  }
}

void TPlateParticle::draw() {
  if (!started()) return;
  const plat::ImagePtr img = at(shards, n);
  if (!img) return;
  applyLook();
  plat::gfx().setScale(s, s);
  plat::gfx().drawImage(img, x, y, frame);
}
