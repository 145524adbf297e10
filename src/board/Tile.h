// One cell of the board and one cell of the border around it. A tile owns
// the cell's look (alpha, scale, flash, glow of cells still to be broken,
// chains) and turns the events its chip reports into board actions.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "board/Catalogs.h"
#include "gui/Geometry.h"

class TChip;
class TLevel;
class TOdpad;
class TFlyingTile;
class TBoardEvents;

class TTile {
 public:
  std::shared_ptr<TFlyingTile> _flyingTile;
  std::shared_ptr<TOdpad> _odpad;
  TLevel* level = nullptr;
  TTileDataPtr td;
  float ta = 1, tda = 1;
  float ts = 1, tds = 1;
  float tr = 0;
  std::shared_ptr<TChip> chip;
  TTile* swap = nullptr;
  int over = 0;
  int oznacz = 0;
  int oznaczony = 0;
  int creator = 0;
  int chain = 0;
  int destroyTime = 0;
  int partTime = 0;
  int destroyUseTime = 0;
  std::string specState;
  int destrType = 0;
  std::shared_ptr<TDim> dim;
  int r = 0, c = 0;
  float blyskA = 0, dBlyskA = 0;
  int blyskTime = 0;
  int startBlysk = 0;
  int ozn = 0;

  // Chain overlays shared by all tiles, loaded by the play screen.
  static plat::ImagePtr chainImg, chain2Img;

  // Kind id, 0 (no cell) when the tile has no kind.
  int kindId() const { return td ? td->id : 0; }
  float cx() const { return dim ? static_cast<float>(static_cast<int>(dim->x)) : 0.f; }
  float cy() const { return dim ? static_cast<float>(static_cast<int>(dim->y)) : 0.f; }
  TBoardEvents& events() const;

  void resetMyLook();
  void drawOnlyTile(int force, int shadow);
  void drawPoblysk();
  void drawBlysk(float phase);
  void drawBezwzglednie(int force);
  void draw(int force);
  void drawChip();
  void drawChip_EDITOR();
  void drawHintInfo();
  void drawChain();
  void setChip(const std::shared_ptr<TChip>& ch);
  void setTileData(const TTileDataPtr& kind) { td = kind; }
  void setMyAlpha(float a);
  int canBeOver() const;
  int updateOver();
  void updateAlpha();
  void updateScale();
  void updateParams() { updateAlpha(); updateScale(); }
  void checkIfPuzzle();
  std::string updateChip();
  void updateCreator();
  void updateBlysk();
  void _updateDestroy();
  void updateSpecState();
  void update();
  void generateDestroyParticlesBomb();
  void generateDestroyParticlesCross(float angle);
  void generateDestroyParticles(int delay, int type);
  void randomMyChip();
  int haveBonus() const;
  void shutDown();
  void destroyChip();
  void destroyChain();
  void matchHere();
  void chipFallDown();
  void chipSideFallDown(int d);

 private:
  void drawShadowed(float alpha, float shadowAlpha, int force);
};

class TM3Frame {
 public:
  TLevel* lvl = nullptr;
  std::vector<TM3FrameDataPtr> lista;
  float x = 0, y = 0;
  float a = 0;
  float s = 1;
  TTileDataPtr td;

  int kindId() const { return td ? td->id : 0; }
  std::string getString() const;
  void draw() const;
};

using TTilePtr = std::shared_ptr<TTile>;
