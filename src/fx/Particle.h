// Particles: small images that fly along a curve while they fade, scale and
// turn over a fixed life, optionally after a birth delay. Their motion is a
// function of elapsed program time, never of the frame count, so a screen
// full of them looks the same at any frame rate.
//
// Particles live in lists (TParticleList). The global `particleList` takes
// every particle a generator makes unless the generator is given another
// list; a screen calls updateParticles() and drawParticles() on each list it
// owns once per frame, and may drop a whole list with clearParticles().
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "fx/FxList.h"
#include "gui/Geometry.h"
#include "platform/Image.h"

class TParticle;
using TParticlePtr = std::shared_ptr<TParticle>;
using TParticleList = TFxList<TParticle>;

// The default list: the play screen, the win screen, the gallery and the
// debris trails all use it.
extern TParticleList particleList;

class TParticle {
 public:
  virtual ~TParticle() = default;

  float startA = 0;  // alpha at birth
  float startS = 0;  // scale at birth
  float startR = 0;  // rotation at birth, degrees
  float a = 0, da = 0;  // current alpha, alpha at the end of life
  float s = 0, ds = 0;  // current scale, scale at the end of life
  float r = 0, dr = 0;  // current rotation, rotation at the end of life
  int n = 0;            // image number
  TRGB rgb;
  float x = 0, y = 0;
  int blend = 4;      // 3 alpha blending, 4 additive
  int startTime = 0;  // neither moves nor draws before this time
  int bornTime = 0;   // time of the first update at or after startTime
  int lifeTime = 1;   // ms
  float lifePer = 0;  // 0..1
  float x1 = 0, y1 = 0;  // start of the path
  float x2 = 0, y2 = 0;  // end of the path
  float per = 0;         // path parameter, equals lifePer
  float mx = 0, my = 0;  // control point of the path
  TParticleList* list = nullptr;

  // Particle images by kind, from data/particles.dat (class-wide).
  static std::vector<plat::ImagePtr> images;
  static void setup();
  static bool imagesLoaded();
  // The image of kind k, or nullptr for a kind with no image.
  static plat::ImagePtr image(int k);

  // True once the first update at or after startTime has run.
  bool born() const { return born_; }
  // True while the particle shows: its start time has come.
  bool started() const;

  void _updateTime();
  void _updateAlpha();
  void _updateScale();
  void _updatePosition();  // rotation
  void _updateMove();      // path
  virtual void update();
  virtual void draw();
  // Leaves its list.
  void destroy();

 protected:
  // Blend, rotation, colour and alpha of the particle into the renderer.
  void applyLook() const;

 private:
  bool born_ = false;
};

// The general constructor: a = startA, s = startS, r = startR, startTime =
// now + delay; the particle starts at (x1, y1) and goes to `list`
// (`particleList` when null).
TParticlePtr createParticle(int n, float x1, float y1, float x2, float y2, float mx, float my,
                            TRGB colour, float startA, float da, float startS, float ds,
                            float startR, float dr, int blend, int delay, int lifeTime,
                            TParticleList* list = nullptr);

// Fills the fields every constructor shares (as createParticle does) without
// putting p in a list; for the particle kinds of ParticleKinds.h.
void initParticle(TParticle& p, int n, float x1, float y1, float x2, float y2, float mx, float my,
                  TRGB colour, float startA, float da, float startS, float ds, float startR,
                  float dr, int blend, int delay, int lifeTime);
// Appends p to `list` (`particleList` when null) and gives it back.
TParticlePtr addParticle(const TParticlePtr& p, TParticleList* list = nullptr);

// Loads the particle, caption, digit and shard images (once, at loading).
void setupParticles();
void updateParticles(TParticleList& list = particleList);
void drawParticles(TParticleList& list = particleList);
void clearParticles(TParticleList& list = particleList);
