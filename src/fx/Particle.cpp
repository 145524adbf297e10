#include "fx/Particle.h"

#include <algorithm>
#include <iostream>

#include "data/RCMFile.h"
#include "fx/ParticleKinds.h"
#include "fx/Path.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Graphics.h"

TParticleList particleList;

std::vector<plat::ImagePtr> TParticle::images;

namespace {

// The generators use kinds 0..7, so the table always has those slots.
constexpr int kMinParticleKinds = 8;
// A broken "i" must not make the game try to load millions of images.
constexpr int kMaxParticleKinds = 256;

bool particleImagesLoaded = false;


}  // namespace

void TParticle::setup() {
  images.assign(kMinParticleKinds, nullptr);
  auto file = loadRCMFile("data/particles.dat");
  int highest = static_cast<int>(file->getFloat("particles::i"));
  if (highest >= kMaxParticleKinds) {
    std::cout << "NO PARTICLE IMG: particles::i = " << highest << " is too high, using "
              << kMaxParticleKinds - 1 << std::endl;
    highest = kMaxParticleKinds - 1;
  }
  if (highest + 1 > static_cast<int>(images.size())) images.resize(highest + 1);
  for (int k = 0; k <= highest; ++k) {
    const std::string path = file->getString("particles::p" + std::to_string(k));
    plat::ImagePtr img;
    if (!path.empty() && plat::fileExists(path))
      img = plat::loadImage(path, plat::kFilteredImage | plat::kMipmappedImage);
    if (img) {
      img->midHandle();
      images[k] = img;
    } else {
      std::cout << "NO PARTICLE IMG: " << path << std::endl;
    }
  }
  particleImagesLoaded = true;
}

bool TParticle::imagesLoaded() { return particleImagesLoaded; }

plat::ImagePtr TParticle::image(int k) {
  if (k < 0 || k >= static_cast<int>(images.size())) return nullptr;
  return images[k];
}

bool TParticle::started() const { return plat::millisecs() >= startTime; }

void TParticle::_updateTime() {
  const int now = plat::millisecs();
  if (now < startTime) {
    lifePer = 0;
    return;
  }
  // A flag, not bornTime == 0: the clock may well read 0 at the first frame.
  if (!born_) {
    born_ = true;
    bornTime = now;
  }
  const int elapsed = now - bornTime;
  if (lifeTime <= 0) {
    lifePer = 1;
    destroy();
    return;
  }
  lifePer = std::min(1.f, static_cast<float>(elapsed) / static_cast<float>(lifeTime));
  if (elapsed > lifeTime) destroy();
}

void TParticle::_updateAlpha() { a = startA + (da - startA) * lifePer; }
void TParticle::_updateScale() { s = startS + (ds - startS) * lifePer; }
void TParticle::_updatePosition() { r = startR + (dr - startR) * lifePer; }

void TParticle::_updateMove() {
  per = lifePer;
  x = fx::bezier(x1, mx, x2, per);
  y = fx::bezier(y1, my, y2, per);
}

void TParticle::update() {
  if (plat::millisecs() < startTime) return;
  _updateTime();
  _updateAlpha();
  _updateScale();
  _updatePosition();
  _updateMove();
}

void TParticle::applyLook() const {
  auto& g = plat::gfx();
  g.setBlend(static_cast<plat::Blend>(blend));
  g.setRotation(r);
  g.setColour(rgb.r, rgb.g, rgb.b);
  g.setAlpha(a);
}

void TParticle::draw() {
  if (!started()) return;
  const plat::ImagePtr img = image(n);
  if (!img) return;
  applyLook();
  plat::gfx().setScale(s, s);
  plat::gfx().drawImage(img, static_cast<float>(static_cast<int>(x)),
                        static_cast<float>(static_cast<int>(y)), 0);
}

void TParticle::destroy() {
  if (list) list->remove(this);
}

void initParticle(TParticle& p, int n, float x1, float y1, float x2, float y2, float mx, float my,
                  TRGB colour, float startA, float da, float startS, float ds, float startR,
                  float dr, int blend, int delay, int lifeTime) {
  p.n = n;
  p.x1 = x1;
  p.y1 = y1;
  p.x2 = x2;
  p.y2 = y2;
  p.mx = mx;
  p.my = my;
  p.rgb = colour;
  p.startA = p.a = startA;
  p.da = da;
  p.startS = p.s = startS;
  p.ds = ds;
  p.startR = p.r = startR;
  p.dr = dr;
  p.blend = blend;
  p.startTime = plat::millisecs() + delay;
  p.lifeTime = lifeTime;
  // A particle made after this frame's update walk is drawn before its first
  // update; it must show at its start, not at the corner of the screen.
  p.x = x1;
  p.y = y1;
}

TParticlePtr addParticle(const TParticlePtr& p, TParticleList* list) {
  (list ? *list : particleList).add(p);
  return p;
}

TParticlePtr createParticle(int n, float x1, float y1, float x2, float y2, float mx, float my,
                            TRGB colour, float startA, float da, float startS, float ds,
                            float startR, float dr, int blend, int delay, int lifeTime,
                            TParticleList* list) {
  auto p = std::make_shared<TParticle>();
  initParticle(*p, n, x1, y1, x2, y2, mx, my, colour, startA, da, startS, ds, startR, dr, blend,
               delay, lifeTime);
  return addParticle(p, list);
}

void setupParticles() {
  TParticle::setup();
  TTextParticle::setupCaptions();
  TScoreParticle::setupDigits();
  TPlateParticle::setupShards();
}

void updateParticles(TParticleList& list) {
  list.forEach([](TParticle& p) { p.update(); });
}

void drawParticles(TParticleList& list) {
  list.forEach([](TParticle& p) { p.draw(); });
}

void clearParticles(TParticleList& list) { list.clear(); }
