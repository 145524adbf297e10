// One game piece in a board cell: a small state machine keyed by a state
// string. Its cell runs update() once a frame and acts on the event string it
// returns; the controller moves chips between cells and then gives them a
// movement state, which runs the drawing offset from one cell back to 0.
#pragma once

#include <memory>
#include <string>

#include "board/Catalogs.h"
#include "gui/Geometry.h"

class TTile;
class TOdpad;
class TBoardEvents;

class TChip : public std::enable_shared_from_this<TChip> {
 public:
  TChip();

  TChipDataPtr cd;
  int r = 0, c = 0;
  float screenX = 0, screenY = 0;
  float adx = 0, adY = 0;
  float rot = 0;
  float a = 1;
  float s = 1;
  int frame = 0;
  float sx = 1, sy = 1;
  float destrA = 0;
  float p = 0;
  float destrChain = 1;
  std::string state;
  std::string lastState;
  TChipDataPtr docelowyChip;
  TTile* docelowyTile = nullptr;
  std::shared_ptr<TDim> startDim, endDim, mDim;
  float tileP = 0;
  float changeP = 0;
  std::shared_ptr<TOdpad> _odpad;
  std::string lastAvState;
  TTile* tile = nullptr;
  int oznaczony = 0;
  int bylUsuwanyLancuch = 0;
  int _reverse = 1;
  int bylOddanyRes = 0;
  int reversing = 0;
  int destroyTime = 0;
  int startTime = 0;
  float xSpeed = 0, ySpeed = 0;
  float _ax = 0;
  float _ay = 0;
  int destroyType = 0;
  float overRot = 0;
  float overP = 0, doverP = 0;
  float shakeP = 0, dShakeP = 0;
  float asx = 0, asy = 0;
  float sasX = 0, sasY = 0;
  int partTime = 0;
  float speCRot = 0;
  float aBlask = 0, dABlask = 0;
  float blaskRot = 0;
  int blaskTime = 0;
  int bylUsuwany = 0;

  // Shared hover pulse of GROUP mode.
  static float overGroupA;
  static float overGroupDA;
  // Glow images of piece chips, loaded by the play screen.
  static plat::ImagePtr poswiata1, poswiata2;
  // How long a faded piece glow rests before rising again.
  static constexpr int kGlowRestMs = 1500;

  // --- queries ---------------------------------------------------------------
  int isInPair() const;
  int isPicked() const;
  int isSwaping() const;
  int isMovingCheckSwap() const;
  int isMoving() const;
  int isBonus() const;
  int doingNothing() const;
  bool flying() const { return docelowyTile != nullptr; }

  // --- drawing (ChipDraw.cpp) -------------------------------------------------
  void draw(float x, float y, int over);
  void draw_EDITOR(float x, float y, int over);
  void drawLIghtned(float x, float y, int over);
  void drawLIghtned1(float x, float y);
  void drawHintChain(float x, float y);
  void drawLIghtnedGroup(float x, float y);
  void drawLIghtnedGroup1(float x, float y, float k);
  void drawNormal(float x, float y, int over);
  void drawNormalSpec();
  void drawChain();
  void drawPuzzleChipEfekt();

  // --- actions ---------------------------------------------------------------
  void giveScore();
  void giveScore2();
  void sendMeDown();
  void moveUpToFall();
  void moveDownToFall();
  void setState(const std::string& name);
  void setMyAlpha(float v) { a = v; }
  void setChipData(const TChipDataPtr& kind) { cd = kind; }
  void setDestroyType(int t) { destroyType = t; }
  void generateDestroyParticlesBomb() {}
  void generateDestroyParticlesCross() {}
  void generateDestroyParticlesFireHORIZONTAL() {}
  void generateDestroyParticlesFireVERTICAL() {}
  void generateDestroyParticlesNormal(int x);
  std::string finishMove();
  void _update_tile_Position();
  void _update_settings();
  std::string _update_state();
  void _update_change();
  void _update_tileFly();
  void _update_not_picked();
  void _update_picked();
  void _update_over_Group();
  void _update_shaking(float speed, float amplitude);
  void _update_PuzzleChip();
  void _update_bonusRot() {}
  std::string update();
  void giveResource(int x);
  void destroyChain(int delay);
  void destroy(int delay);
  void vanish();
  void replaceChipData(const TChipDataPtr& kind);
  void changeTo(const TChipDataPtr& kind);
  void flyToTile(TTile* target);
  void reverse();
  void BONUS_SHUFFLE();
  void BONUS_CROSSFIRE();
  void BONUS_HORIZONTAL();
  void BONUS_VERTICAL();
  void BONUS_BOMB();
  void POWERUP();
  std::string getMoveReverse() const;

  // Cell size and the event sink of the board the chip is on (safe defaults
  // for a chip outside any board).
  float cellW() const;
  float cellH() const;
  TBoardEvents& events() const;
  float cellX() const;
  float cellY() const;

 private:
  void entryAction(const std::string& name);
  std::string fallStep();
  std::string sideFallStep(float dir);
  std::string swapStep(float& offset, float speed);
  std::string updateDestroy();
  std::string updateDestroyChain();
  void runDestroyParticles();
  void breakCellUnder();
};

using TChipPtr = std::shared_ptr<TChip>;
