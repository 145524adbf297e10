// Whole objects that fly for a moment: ghosts of matched chips gathering on
// the cell where a bonus is born, tiles flying into and out of the board,
// debris carrying chips off it, firework sparks, big sliding captions, jigsaw
// pieces flying onto the dog picture and resources flying to their power-up
// slot. Each kind lives in a global list of its own; the screen that owns the
// effect runs the list's update and draw functions once per frame.
//
// Several of them act on something when they arrive (a chip, a cell, a
// power-up, a panel). They reach it through TFlightTargets, which the board
// controller and the play and jigsaw screens implement; until one is
// installed the arrivals change nothing outside the board.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "board/Catalogs.h"
#include "fx/FxList.h"
#include "gui/Geometry.h"
#include "platform/Font.h"
#include "platform/Image.h"

class TChip;
class TTile;

namespace fx {
// Moves a path parameter on by step, stopping at 1. Float steps such as 0.01
// never add up to exactly 1, which would cost a flight one extra frame; a
// parameter within a hair of the end counts as arrived.
inline float advancePer(float per, float step) {
  per += step;
  return per >= 1.f - 1e-4f ? 1.f : per;
}
}  // namespace fx

// What the flying objects act on when they arrive. Every method has a
// harmless default.
class TFlightTargets {
 public:
  virtual ~TFlightTargets() = default;

  // A ghost carrying a big match reached its chip. Only called while the chip
  // is still on its cell, alive, and not already changing kind; the
  // controller applies its big-match bonus rule (createBonusOnChip).
  virtual void ghostArrived(TChip& chip, int matchSize) {}
  // A collected jigsaw piece reached the piece counter: the level's
  // `puzzles` + 1.
  virtual void pieceCollected() {}
  // Pieces still flying off the board this frame; the controller adds them
  // to the frame's count of pieces on the board.
  virtual void piecesInFlight(int n) {}
  // One unit for power-up n (0..5).
  virtual void chargePowerUp(int n) {}
  // Centre of the play screen's GUI item "BONUS_<slot>" (slot 1..6); false
  // when the screen has no such item.
  virtual bool powerUpSlotPoint(int slot, float& x, float& y) { return false; }
  // A jigsaw piece landed on the dog picture (the jigsaw screen's
  // addDogAlpha).
  virtual void puzzlePieceLanded() {}
};

// The installed targets (a do-nothing one by default); null restores it.
TFlightTargets& flightTargets();
void setFlightTargets(TFlightTargets* targets);
// The installed targets as set, null when none.
TFlightTargets* installedFlightTargets();

// Installs targets for the life of the scope and puts the previous ones
// back, so two owners of flights (the board and a screen) never answer for
// each other's arrivals.
class TFlightTargetsScope {
 public:
  explicit TFlightTargetsScope(TFlightTargets* t) : prev_(installedFlightTargets()) { setFlightTargets(t); }
  ~TFlightTargetsScope() { setFlightTargets(prev_); }
  TFlightTargetsScope(const TFlightTargetsScope&) = delete;
  TFlightTargetsScope& operator=(const TFlightTargetsScope&) = delete;

 private:
  TFlightTargets* prev_;
};

// ----------------------------------------------------------------- ghosts

class TChipFantom {
 public:
  plat::ImagePtr img;
  float a = 0, da = 0;
  float s = 0, ds = 0;
  float r = 0;
  float aSpeed = 0.05f, sSpeed = 0.05f, rSpeed = 0;
  float x = 0, y = 0;
  int blend = 3;
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0, mx = 0, my = 0;
  float per = 0;
  int iloscMatchy = 0;
  int typ = 0;
  std::string state;
  // Weak: the chip may be destroyed while the ghost is on its way.
  std::weak_ptr<TChip> dChip;
  TFxList<TChipFantom>* list = nullptr;

  void moveTo(const TDim& dim, const std::shared_ptr<TChip>& chip);
  void update();
  void _update_move();
  void giveBonus(int n);
  void draw();
  void destroy();
};
using TChipFantomPtr = std::shared_ptr<TChipFantom>;
extern TFxList<TChipFantom> fantomList;

TChipFantomPtr createChipFantom(const TChip& chip);
void updateFantoms();
void drawFantoms();

// ----------------------------------------------------------------- flying tiles

class TFlyingTile {
 public:
  // The cell is owned by its level; whoever drops the level empties this
  // list first (dropFlyingTiles).
  TTile* tile = nullptr;
  int drawWhenBeforeTime = 0;
  int startTime = 0;
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0, mx = 0, my = 0;
  float x = 0, y = 0;
  float per = 0;
  float rot = 0;
  float reverse = 0;
  float speed = 0.01f;
  int rotate = 1;
  int byloBegin = 0;
  TFxList<TFlyingTile>* list = nullptr;

  void setFlyInSimple(float dx, float dy);
  void setFlyInSimple1(float px, float py);
  void setFlyInSimple2(float px, float py);
  void setFlyingRoute(float ax1, float ay1, float ax2, float ay2);
  void setFlyingIn(float px, float py);
  void setFlyingOut(float px, float py);
  void update();
  void countPosition();
  void endFly();
  void draw();
  void drawWhen();
};
using TFlyingTilePtr = std::shared_ptr<TFlyingTile>;
extern TFxList<TFlyingTile> flyingTileList;

TFlyingTilePtr createFlyingTile(TTile* tile);
void updateFlyingTiles();
void drawFlyingTiles();
// Empties the list and lets go of every cell it marked.
void dropFlyingTiles();

// ----------------------------------------------------------------- debris

class TOdpad {
 public:
  int finish = 0;
  std::shared_ptr<TChip> chip;
  TChipDataPtr chipData;
  float x = 0, y = 0;
  float ax = 0, ay = 0;
  float speedUp = 0;
  float dy = 0;
  int time = 0;
  TTile* tile = nullptr;
  int specChip = 0;
  float per = 0;
  int faza = 0;
  int drawTilesShadow = 1;
  int doNotReplace = 0;
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0, mx = 0, my = 0;
  int partTime = 0;
  float speed = 1;
  TFxList<TOdpad>* list = nullptr;

  void update();
  void updateReplace();
  void updateSpecChip();
  void updatePhase0();
  void updatePhase1();
  void generate1();
  void generate();
  void draw();
  void destroy();
  // Refills the cells of the dead-board debris and empties the list.
  static void randomizeAll();

  // Lets go of the cell, and of the chip's link back to this debris.
  void _releaseLinks();
};
using TOdpadPtr = std::shared_ptr<TOdpad>;
extern TFxList<TOdpad> odpadList;

TOdpadPtr generateOdpad(TTile* tile, int delay);
TOdpadPtr generateOdpadVanish(TTile* tile, int delay);
TOdpadPtr generateOdpadChip(TTile* tile, int delay);
TOdpadPtr generateOdpadReplace(TTile* tile, const TChipDataPtr& kind);
TOdpadPtr generateOdpadDown(TTile* tile, int delay);
void updateOdpady();
void drawOdpady();
// Empties the list at once without losing anything: pieces on their way are
// credited, replacements take their new kind, every cell and chip link is
// let go. For the shuffle and any other path that drops debris mid-flight.
void settleOdpady();
// Empties the list and lets go of every link, with no effect on the game
// (a level being thrown away).
void dropOdpady();

// ----------------------------------------------------------------- fireworks

class TFireWork {
 public:
  int time = 0;
  float x = 0, y = 0;
  float ax = 0, ay = 0;
  float ady = 0;
  float adx = 0;
  float dcAx = 0;
  TRGB rgb;
  float a = 1;
  int n = 0;
  float rot = 0;
  TFxList<TFireWork>* list = nullptr;

  // 0 the spark, 1 loaded and never drawn.
  static std::vector<plat::ImagePtr> fireWorkImages;

  void update();
  void draw();
  void destroy();
  static void updateAll();
  static void drawAll();
};
using TFireWorkPtr = std::shared_ptr<TFireWork>;
extern TFxList<TFireWork> fireWorkList;

void setupFireWorks();
TFireWorkPtr createFireWork(float x, float y, float ax, float ay, TRGB colour);
void fireworkBurst(float x, float y);

// ----------------------------------------------------------------- captions

class TFlyingNapis {
 public:
  std::string txt;
  float x = 0, y = 0;
  float dx = 0;
  float sx = 0;
  float per = 0;
  float moveSide = 1;
  TRGB rgb;
  std::string state;
  plat::FontPtr myFont;
  int startTime = 0;
  TFxList<TFlyingNapis>* list = nullptr;

  // 0 the 72-point font, 1 the 120-point one.
  static std::vector<plat::FontPtr> napisFonts;

  void update();
  void _update_begin();
  void _update_slow();
  void _update_fly_out();
  void draw();
  void destroy();
};
using TFlyingNapisPtr = std::shared_ptr<TFlyingNapis>;
extern TFxList<TFlyingNapis> napisList;

void setupFlyingNapis();
TFlyingNapisPtr createFlyingNapis(const std::string& text, int big, float x, float y, float targetX,
                                  TRGB colour, float direction, int delay);
void updateNapisy();
void drawNapisy();

// ----------------------------------------------------------------- pieces

class TFlyingPuzzle {
 public:
  plat::ImagePtr img;
  float x = 0, y = 0, x1 = 0, y1 = 0, x2 = 0, y2 = 0, mx = 0, my = 0, per = 0;
  int startTime = 0;
  TFxList<TFlyingPuzzle>* list = nullptr;

  void update();
  void draw();
  void destroy();
};
using TFlyingPuzzlePtr = std::shared_ptr<TFlyingPuzzle>;
extern TFxList<TFlyingPuzzle> flyingPuzzleList;

TFlyingPuzzlePtr createFlyingPuzzle(const plat::ImagePtr& img, float x, float y, float x2, float y2,
                                    int mode, int delay);
void updateFlyingPuzzles();
void drawFlyingPuzzles();

// ----------------------------------------------------------------- resources

class TFlyingRes {
 public:
  TChipDataPtr cd;
  int n = 0;
  float x = 0, y = 0, x1 = 0, y1 = 0, x2 = 0, y2 = 0, mx = 0, my = 0, per = 0;
  float pSpeed = 0;
  int time = 0;
  int startTime = 0;
  TFxList<TFlyingRes>* list = nullptr;

  void update();
  void generate();
  void draw();
  void destroy();
};
using TFlyingResPtr = std::shared_ptr<TFlyingRes>;
extern TFxList<TFlyingRes> flyingResList;

// Gives nullptr for a slot outside 1..6.
TFlyingResPtr generateFlyingRes(float x, float y, const TChipDataPtr& kind, int slot, int delay);
void updateFlyingResources();
void drawFlyingResources();
