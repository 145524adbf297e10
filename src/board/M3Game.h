// The match-3 engine of one board: input in the three control modes, swaps,
// falls, match resolution and scoring, bonus chips and their blasts, the
// power-ups acting on the board, and the move searches. It is the one
// authority over the board: tiles and chips report to it through
// TBoardEvents, and everything that flies (ghosts of matched chips, debris,
// resources) goes through the TBoardEffects seam, whose arrivals call back
// into it.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "board/BoardEvents.h"
#include "board/Catalogs.h"
#include "board/Chip.h"
#include "board/Finders.h"
#include "board/Level.h"
#include "board/PowerUp.h"
#include "board/Tile.h"
#include "fx/Flying.h"
#include "platform/Image.h"

class TM3Game;

// The state of a chip that belongs to debris while it still sits in its cell:
// it neither falls, swaps nor matches until the refill replaces it.
inline constexpr const char* kDebrisState = "ODPAD";

struct TPara {
  TChipPtr c1, c2;
};

struct TM3Para {
  TChipPtr c1, c2;
  TTile* t1 = nullptr;  // where c1 started (c2 flies here)
  TTile* t2 = nullptr;  // where c2 started (c1 flies here)
  std::shared_ptr<TDim> d1, d2;
};

class TMatchInfo {
 public:
  TTile* tile1 = nullptr;
  TTile* tile2 = nullptr;
  int maxMatch = 0;
  TChipList zaznaczone;
  float a = 0, da = 1;
  void update(int hintTime);
};

// Sounds the controller and the power-ups ask for (the chips' own sounds go
// through TBoardEvents::sound).
enum class TGameSound { CreateBonus, BadMatch, AddToChain, HammerBreak, CreatePowerUp, Crossfire, Named };

// Everything that flies on behalf of the board. The controller hands work
// over and the effects call back when it arrives: fantomArrived,
// pieceArrived, resourceArrived and refillCell. A real implementation animates;
// TInstantEffects lands everything on its next update.
class TBoardEffects {
 public:
  virtual ~TBoardEffects() = default;
  // Ghosts of `chips` gather on `target`; on arrival: game.fantomArrived.
  virtual void fantoms(TM3Game& g, const TChipList& chips, const TChipPtr& target, int size) = 0;
  // A cell of a dead board falls away; when every such debris is down the
  // cells refill (game.refillCell).
  virtual void debrisDeadBoard(TM3Game& g, TTile* tile, int delay) = 0;
  // The cell lets go of its chip at once; the chip drops off.
  virtual void debrisVanish(TM3Game& g, TTile* tile) = 0;
  // The chip takes `kind` once the new look has arrived.
  virtual void debrisReplace(TM3Game& g, TTile* tile, const TChipDataPtr& kind) = 0;
  // A collected jigsaw piece flies to the counter (game.pieceArrived).
  virtual void debrisPiece(TM3Game& g, TTile* tile) = 0;
  // One unit for power-up `slot` (game.resourceArrived).
  virtual void resource(TM3Game& g, TChip* chip, int slot, int delay) = 0;
  virtual void praise(TM3Game& g, int x, int y, int kind) {}
  virtual void number(TM3Game& g, int x, int y, int value, int kind) {}
  virtual void sound(TGameSound s, int k, const std::string& name) {}
  virtual void update(TM3Game& g) = 0;
  // Empties the debris list at once without losing anything: pieces on their
  // way are credited, replacements take their kind, cells held by dead-board
  // debris keep their chip. Called before a new dead-board refill.
  virtual void settleDebris(TM3Game& g) {}
  // Debris still falling (the board is not quiet while it is).
  virtual bool debrisBusy() const = 0;
  virtual bool fantomsBusy() const = 0;
  // Drops everything in flight at a level change. Pieces and resources
  // already collected are still credited.
  virtual void dropAll(TM3Game& g) = 0;
};

// Lands each kind of flight after a fixed number of update() calls (0 = on
// the next update). Used headless, by the bot and by the tests.
class TInstantEffects : public TBoardEffects {
 public:
  int fantomFrames = 0, debrisFrames = 0, pieceFrames = 0, resourceFrames = 0;
  std::vector<std::string> sounds;  // "CreateBonus", "Named shuffle1", ...

  void fantoms(TM3Game& g, const TChipList& chips, const TChipPtr& target, int size) override;
  void debrisDeadBoard(TM3Game& g, TTile* tile, int delay) override;
  void debrisVanish(TM3Game& g, TTile* tile) override;
  void debrisReplace(TM3Game& g, TTile* tile, const TChipDataPtr& kind) override;
  void debrisPiece(TM3Game& g, TTile* tile) override;
  void resource(TM3Game& g, TChip* chip, int slot, int delay) override;
  void sound(TGameSound s, int k, const std::string& name) override;
  void update(TM3Game& g) override;
  void settleDebris(TM3Game& g) override;
  bool debrisBusy() const override { return !dead_.empty() || !pieces_.empty(); }
  bool fantomsBusy() const override { return !fantoms_.empty(); }
  void dropAll(TM3Game& g) override;
  int count(const std::string& s) const;

 private:
  struct Fantom {
    std::weak_ptr<TChip> target;
    int size;
    int frames;
  };
  struct Dead {
    TTile* tile;
    TChipPtr chip;
    int frames;
  };
  struct Later {
    int slot;
    int frames;
  };
  std::vector<Fantom> fantoms_;
  std::vector<Dead> dead_;
  std::vector<Later> pieces_;
  std::vector<Later> resources_;
};

// The flying objects arrive back here (TFlightTargets): ghosts form bonuses,
// pieces and resources are credited. What lies on the play screen's panels
// (the power-up buttons, the piece counter) is asked of `panel`.
class TM3Game : public TM3Catalogs, public TBoardEvents, public TFlightTargets {
 public:
  TM3Game();
  ~TM3Game() override;

  // --- wiring ------------------------------------------------------------------
  // The play screen side (score, pieces, sounds of chips, particles). Never null.
  TBoardEvents* host;
  // Flying objects. Never null (an owned TInstantEffects until replaced).
  TBoardEffects* fx;
  void setHost(TBoardEvents* h);
  void setEffects(TBoardEffects* e);
  // The profile's power-ups (an own set until the play screen binds one).
  TPowerUps* powerUps;
  void setPowerUps(TPowerUps* p);
  int profileLevelNumber = 0;
  // The play screen's side of the flights: the points of its power-up
  // buttons (and a jigsaw piece landing). The board counts pieces and
  // charges power-ups itself. Null: none.
  TFlightTargets* panel = nullptr;
  void setPanel(TFlightTargets* p) { panel = p; }

  // --- images ------------------------------------------------------------------
  plat::ImagePtr linia;       // chain line segment, mid handle
  plat::ImagePtr imagePoint;  // loaded, never drawn
  plat::ImagePtr overImg;     // selection ring, rows x cols frames
  // The selection ring cut into rows x cols frames; a missing file leaves
  // the ring undrawn.
  void loadOverImg(const std::string& path, int rows, int cols);
  // "gfx/gui/maingame/linia.png" and "gfx/gui/mainGame/punkt.png".
  void loadLineImages();

  // --- fields ------------------------------------------------------------------
  std::vector<TPara> swapsList;
  std::vector<TM3Para> listaPar;
  int matchType = 0;
  int swapsCount = 0;
  TTile* overTile = nullptr;
  TTile* overTilePom = nullptr;
  TTile* pickedTile_ = nullptr;
  int matcheSamoistne = 0;
  float overImgF = 0, maxOverImgF = 24, overImgAnimSpeed = 0.3f;
  float rAlpha = 0, dRAlpha = 0;
  TTile* _lastOver = nullptr;
  int mx = 0, my = 0;
  TChipList zaznaczone;
  TChipPtr _lastAdded, _lastChip;
  int puzzles = 0;
  int tilesToCollect = 0;
  int blyskTime = 0;
  float blyskA = 0, dBlyskA = 0;
  int blyski = 0;
  int _isAnyBonus = 0;
  int poblyskTime = 0;
  std::shared_ptr<TDim> swapDim;
  TTile* swapTile = nullptr;
  int isBomb_ = 0, isCrossFire_ = 0, isBomb2_ = 0, isCrossFire2_ = 0;
  int log_matches4 = 0, log_matches5 = 0, log_matches6 = 0, log_matchesMore = 0;
  int bylOstatniTiles = 0;
  int noClick = 0;
  // Chips handed to debris so far (they leave the board without DESTROY).
  int chipsToDebris = 0;
  // Jigsaw pieces whose flight has landed.
  int piecesCredited = 0;
  // Random removal in progress: the chips still to hit, one every 300 ms.
  TChipList randomRemoval;
  int randomRemovalTime = 0;
  int bonusUse[6] = {0, 0, 0, 0, 0, 0};

  // --- per level ---------------------------------------------------------------
  void setLevel(const std::shared_ptr<TLevel>& lvl);
  void setLevelPosition(float x, float y);

  // --- per frame ---------------------------------------------------------------
  void update();
  int controlGame(int locked);
  int _control_SWAP();
  int _control_CHAIN();
  int _control_CLICK();

  // True when nothing moves: no debris, no ghost, no swap or shuffle pair,
  // no random removal, and every chip idle. Input and power-ups wait for it.
  int _nothingIsHappening() const;
  bool quiet() const;
  // Advances the flights alone (ghosts, debris, resources), for the play
  // screen's states in which the board itself does not run. update() does it
  // already: never call both in one frame.
  void updateFlights() { fx->update(*this); }

  // --- drawing -----------------------------------------------------------------
  // The board: tiles, frame, chips, shuffle pairs, chains, the chain being
  // drawn, the selection ring, the ghosts, the cheat read-outs. Debris,
  // resources and particles are the play screen's to draw (drawOdpady,
  // drawFlyingResources, drawParticles), above its panels.
  void draw();
  void drawBack();
  void drawEDITOR();
  void _drawTiles();
  void _drawRamka();
  void _drawChips();
  void _drawPaires();
  void _drawLevelChains();
  void _drawChain();
  void _drawOverImg();
  void _drawDebug();
  void drawPoint(float x, float y) {}
  // The chain sprite between two cell centres, shadow first; e = alpha.
  void drawMyLine(float x1, float y1, float x2, float y2, float e);
  // Board flash and shimmer.
  void startPoblysk();
  void cleanUpFlashes();
  TTile* _overTile = nullptr;

  // --- SWAP --------------------------------------------------------------------
  int _chipsMayBeSwaped(TTile* t1, TTile* t2) const;
  void swapChips(TTile* t1, TTile* t2);
  void reverse(TTile* t1, TTile* t2);
  void clickTile(TTile* tile);
  int _isMatch(TTile* tile);
  std::optional<TChipList> getMatchedChipsSwap(TTile* t) const;
  void _updateTileSwaps();
  TTile* getTileByMousePosition() const;
  static int getKierunek(int x, int y);
  static const char* kierunekName(int k);

  // --- falling -----------------------------------------------------------------
  int _chipMayFallDown(int r, int c) const;
  void fallChip(int r, int c);
  int _chipMaySideFallDown(int r, int c);
  void sideFallChip(int r, int c, int dir);

  // --- CHAIN and GROUP ---------------------------------------------------------
  TChipPtr _chipInTile(TTile* t) const;
  int _canAddToChain(TTile* t1, TTile* t2) const;
  TChipList _canAddToChain2(TTile* t1, TTile* t2) const;
  TChipPtr getLastAddedChip() const;
  TChipPtr getLastBeforeAddedChip() const;
  void _updateChipsGroup();
  TChipList overGroup;  // the hovered group of GROUP mode (3 or more)

  // --- moves -------------------------------------------------------------------
  int _MatchLeft_short();
  TMatchInfo _noMatchLeft();
  TMatchInfo _noMatchLeft_CHAIN();
  TMatchInfo _noMatchLeft_CLICK();

  // --- bonuses -----------------------------------------------------------------
  void _moveFantomsToOne(const TChipList& chips, TTile* tile, int size);
  // A ghost has arrived at its target chip.
  void fantomArrived(const TChipPtr& target, int size);
  void createBonus1();
  void createBonusOnChip(TChip* chip, const TChipDataPtr& cd);
  void CROSS(int r, int c, int delay, int kind);
  void pieceArrived();
  void resourceArrived(int slot);
  // Dead-board refill of one cell, asked for by the debris.
  void refillCell(TTile* tile);
  // Sends every chip but the pieces away as debris; the board refills.
  void sendAllToOdpady();

  // --- power-ups ---------------------------------------------------------------
  // Slot 1..6 on a tile (ignored by 3 and 4). False, with the charge kept,
  // when refused: not charged, board busy, a removal travelling, not a real
  // cell, a puzzle chip, nothing to act on.
  bool usePowerUp(int slot, TTile* tile);
  TChipList getRandomChips(int n) const;
  TChipList getRandomChipsWithout(int n, const TChipDataPtr& cd) const;
  TChipList getAllChipsLikeThisById(int id) const;
  std::vector<TTile*> createTilesListForCrossFireX(int r, int c) const;

  // --- queries -----------------------------------------------------------------
  TTile* _updateTileOver_BEZWZGLEDNIE();
  TChip* getChipByPos(int r, int c) const;
  TChipList getChipsSQR(int r, int c, int rad) const;
  TChipList getAllChips() const;
  int isBonus(int id) const;
  int isAnyBonus() const { return isCrossFire_ ? isCrossFire_ : isBomb_; }
  TTile* tileAt(int r, int c) const { return level ? level->at(r, c) : nullptr; }

  // --- TBoardEvents: the board reporting to the controller ---------------------
  int controlMode() override { return matchType; }
  TTile* pickedTile() override { return pickedTile_; }
  void clearPickedTile() override { pickedTile_ = nullptr; }
  int isInPair(const TChip* ch) override;
  int isSwap(const TChip* ch) override;
  int isMatch(TTile* t) override { return _isMatch(t); }
  void removePair(const TChip* ch) override;
  void isLandedMatch(TTile* t) override;
  void BOMB(int r, int c, int moc) override;
  void CROSS_HORIZONTAL(int r, int c, int moc) override;
  void CROSS_VERTICAL(int r, int c, int moc) override;
  void SHUFFLE(int moc) override;
  void addScore(int points) override;
  void tileMatched() override { host->tileMatched(); }
  void puzzleCollected() override { host->puzzleCollected(); }
  void chainBroken() override { host->chainBroken(); }
  int levelTime() override { return host->levelTime(); }
  void addPuzzleTime(const std::string& t) override { host->addPuzzleTime(t); }
  bool hintHolds(const TChip* c) override { return host->hintHolds(c); }
  float highlightPhase() override { return host->highlightPhase(); }
  bool powerUpSlotOpen(int slot) override;
  void effect(const TBoardFx& f) override { host->effect(f); }
  void debris(TDebrisKind kind, TTile* tile, TChipData* newKind) override;
  void flyingResource(TChip* chip, int slot, int delay) override;
  void sound(TBoardSound s, int k) override { host->sound(s, k); }

  // --- TFlightTargets: the flights arriving ------------------------------------
  void ghostArrived(TChip& chip, int matchSize) override;
  void pieceCollected() override;
  void piecesInFlight(int n) override { puzzles += n; }
  void chargePowerUp(int n) override { resourceArrived(n + 1); }
  bool powerUpSlotPoint(int slot, float& x, float& y) override;
  void puzzlePieceLanded() override {
    if (panel) panel->puzzlePieceLanded();
  }

 private:
  void resolve(const TChipList& m, TTile* tile, int threshold, bool scoreStaying);
  void countMatchSize(int n);
  void _updatePary();
  void _updateRandomRemoval();
  void _updateBlysk();
  void playSound(TGameSound s, int k = 0, const std::string& name = "");
  std::unique_ptr<TInstantEffects> ownFx_;
  TPowerUps ownPowerUps_{};
  TBoardEvents ownHost_;
  bool backTried_ = false;
  std::vector<const TChipData*> restKinds_;   // scratch of _drawChips
  std::vector<const plat::Image*> restImages_;  // scratch of _drawRamka
};
