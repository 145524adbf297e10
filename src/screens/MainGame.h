// The play screen: one level from its opening show to its end. It owns the
// board controller, keeps the clock, the hints, the power-up panel and its
// targeting modes, the dead-board refill and the heads-up display, and hands
// the result of the level to the win or lose summary, the profile and the
// dispatcher.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Screen.h"
#include "board/BoardEvents.h"
#include "board/M3Game.h"
#include "fx/Flying.h"
#include "fx/Particle.h"
#include "platform/Font.h"
#include "platform/Image.h"

class TLevel;
class TProfile;
class TButton;

// A pulsing pointer: the hint arrows of SWAP mode (and the tutorial's).
class TArrow {
 public:
  float x = 0, y = 0;
  float p = 0, dP = 1;
  float a = 0, dA = 1;
  float rot = 0;
  int ay = 0;
  int n = 0;
  std::shared_ptr<TChip> myObject;

  // The two arrow images, [0] and [1]; shared with the tutorial.
  static std::array<plat::ImagePtr, 2> arrowImages;

  virtual ~TArrow() = default;
  virtual void update();
  virtual void draw();
};

// What the play screen calls on the parts of the game built beside it. An
// empty entry falls back to a stand-in that keeps the level's flow whole.
struct TMainGameHooks {
  // The win summary; runs until it has faded away.
  std::function<void()> winScreen;
  // The lose summary: "RESTART" or "MAIN-MENU".
  std::function<std::string()> loseScreen;
  // One play-log record: 1 won, 0 lost, -1 left for the menu, -2 restarted.
  std::function<void(int result)> playLog;
  // The tutorial's per-frame step and drawing over this screen, and whether
  // one of its tips is open (a won level waits for it to close).
  std::function<void()> updateTutorial;
  std::function<void()> drawTutorial;
  std::function<bool()> tutorialTipShown;
};

class TMainGame : public TEkran, public TBoardEvents, public TFlightTargets {
 public:
  TMainGame();
  ~TMainGame() override;

  // --- fields ------------------------------------------------------------------
  plat::ImagePtr img;
  plat::ImagePtr podklad, wstega, wstega2, wstazka, timePanel, timePodklad, timeLine, panelZegara, panelBonusow,
      powerUpPodklad, bonusObw, imgIgla, imgMlotek, imgNozyce, imgRozczka, timeDiv;
  std::array<plat::ImagePtr, 3> trybImg{}, trybImgSmall{};
  int tryb = 0;
  int checked = 0;
  int continueLevel = 0;
  int bonusUse[6] = {0, 0, 0, 0, 0, 0};
  int byloZnak = 0;
  std::shared_ptr<TLevel> level;
  std::unique_ptr<TM3Game> m3Game;
  int secondTime = 0;
  TMatchInfo match3Info;
  TMatchInfo hintInfo;
  bool hintShown = false;  // hintInfo holds a hint
  int hintTime = 0;
  std::vector<std::shared_ptr<TArrow>> arrows;
  int puzzleCollected_ = 0;  // `puzzleCollected` (the name is taken by the board event)
  TParticleList blastList, numbersList;
  float oznP = 0, dOznP = 1, efPer = 0, dEfPer = 1;
  float hper = 0, dhper = 0;
  int blaskPuzzliTime = 0;
  float bonusOA = 0, dBonusOA = 0;
  TChipList vanishList;
  int vanishPartTime = 0;
  float iloscPwrup = 0;
  float guiAlpha = 0;
  int endTime = 0;
  float znakPer = 0, dZnakPer = 0;
  int znakTime = 0;
  std::string txtScore, txtTime, txtMatch[3], txtLevel, txtPuzzlesLeft, txtTilesLeft, txtNotAvailable, txtCharged,
      txtReadyToUse, txtPowerUp[6], txtPowerUpOpis[6];
  plat::FontPtr scoreFont1, scoreFont2, multiFont, timeFont, matchFont, toolTipFont, toolTipTitleFont;
  int partTime = 0;
  float toolTipA[17] = {}, dToolTipA[17] = {};
  std::vector<std::string> listaCzasow;
  int toExit = 0;
  int chainBroken_ = 0;  // `chainBroken`
  int tileMatched_ = 0;  // `tileMatched`
  int secondTime2 = 0;
  int levelTime_ = 0;  // `levelTime`: seconds played in this level

  TMainGameHooks hooks;
  // The flying objects the board uses while this screen runs. Set up with
  // the animated ones; a test may clear animatedEffects before setup() to
  // keep the controller's instant stand-in.
  std::unique_ptr<TBoardEffects> effects;
  bool animatedEffects = true;
  // When set, plays the level through the screen's input path instead of
  // the mouse (the harness's --bot).
  bool botPlays = false;

  // --- called by the dispatcher and the loading screen -----------------------
  void setup() override;
  void _setupGUI();
  void _setupGame();
  void _setupTexts();
  void setLevel(const std::shared_ptr<TLevel>& lvl);
  void setStartData();
  std::string mainLoop();
  void prepare();
  void finish();

  // --- the frame -------------------------------------------------------------
  void update() override;
  void draw() override;
  void _updateState();
  void _STATE_Normal();
  void _updateZnak();
  void _updateHper();
  void _updatePuzzleBlask();
  void _updateArrows();
  void _updateOzn();
  void _updateEfPer();
  void _updateTime();
  void _controlGUI();
  void _controlGame();
  void _controlKEYBOARD();
  void goMENU();

  // --- visit -----------------------------------------------------------------
  void _preparePowerUps();
  void _prepareSelf();
  void _prepareNapisy();
  void _prepareLog();
  void _prepareMusic();
  void initBegin();
  void initEnd();
  void sendAllToOdpady();

  // --- results ---------------------------------------------------------------
  void WIN();
  void LOSE();
  void CHEATWIN();
  void CHEATRestart() {}
  void addScore(int n) override;
  // The answer of a won level: "PUZZLE" when the stage's pieces are all
  // unlocked, else "GET-NEXT-QUEST-LEVEL".
  std::string nextLevelAnswer() const;

  // --- hints -----------------------------------------------------------------
  void showHint();
  void hideHint();
  void showHint2();
  int isMatch();
  int isChainBroken() const { return chainBroken_; }
  void createHintArrows(float x1, float y1, float x2, float y2);
  std::shared_ptr<TArrow> createArrow(int n, float x, float y, float rot);
  void _drawHintInfo();

  // --- power-ups -------------------------------------------------------------
  void useBonus(int k);
  void useBonus_hammer();
  void useBonus_bomba();
  void useBonus_losoweUsun();
  void useBonus_shuffle();
  void useBonus_zamienNiektore();
  void useBonus_VanishColor();
  void _updateTryb();
  void useHammerOnTile(TTile* tile);
  void useHammerOnTile2(TTile* tile);
  void useCrossFireOnTile(TTile* tile);
  void useVanishOnTile(TTile* tile);
  void useZamienOnTile(TTile* tile);
  void _updateTileOver(TTile* tile);
  void _updateTileOverClear();
  void _updateTileOverCrossfire(TTile* tile);
  void _updateTileVanish(TTile* tile);
  void resetPowerUps();
  TDim getPowerUpDim(int n) const;
  // The sparkles of a power-up that has just become fully charged.
  void powerUpSparkles(int slot);
  void _drawBonusObwodka();
  void _drawBonusImg();
  void _updateBonusObw();

  // --- the heads-up display (MainGameHud.cpp) --------------------------------
  void _drawGUI();
  void _updateGUI();
  void _updateToolTips();
  void _drawPanele();
  void _drawWstega();
  void _drawTime();
  void _drawMatchType();
  void _drawTrybImg();
  void _drawToolTips();
  void _drawPowerUpsToolTips();
  // Share of the level's time still left, 0..1 (0 for a level without time).
  float timeShare() const;

  // --- strings ---------------------------------------------------------------
  static std::string getCutString(int n, int width);
  static std::string getTimeString(int s);
  static std::string cutFloat(float f);
  std::string getScoreString() const;
  std::string getTimeLeft() const;
  std::string getGameTime() const;

  // --- TBoardEvents: the board reporting to the screen -----------------------
  void tileMatched() override { tileMatched_ = 1; }
  void puzzleCollected() override { puzzleCollected_ = 1; }
  void chainBroken() override { chainBroken_ = 1; }
  int levelTime() override { return levelTime_; }
  void addPuzzleTime(const std::string& t) override { listaCzasow.push_back(t); }
  bool hintHolds(const TChip* c) override;
  float highlightPhase() override { return oznP; }
  void effect(const TBoardFx& f) override;

  // --- TFlightTargets: the panel points flights head for --------------------
  // (The controller takes the arrivals themselves; it asks this screen, its
  // panel, where the power-up buttons are.)
  bool powerUpSlotPoint(int slot, float& x, float& y) override;

  // --- helpers ---------------------------------------------------------------
  TProfile* profile() const;
  bool timed() const;
  // The power-up button of slot 1..6, or null.
  std::shared_ptr<TButton> bonusButton(int slot) const;
  // Power-up buttons in GUI order (the k-th is drawn with slot k's glow).
  std::vector<std::shared_ptr<TButton>> bonusButtons() const;
  // The GUI item of slot n, if any, for glows and tooltips.
  int bonusSlotOf(const TButton& b) const;

 private:
  void runWinScreen();
  std::string runLoseScreen();
  void playLog(int result);
  void botStep();
  // The pointer's visibility while a tool cursor stands in for it.
  int savedPointer_ = -1;
  void restorePointer();
  // The demo player's planned mouse steps.
  struct BotState {
    struct Step {
      float x, y;
      bool press, hold;
    };
    std::vector<Step> plan;
    size_t next = 0;
    int idle = 0;
  };
  std::unique_ptr<BotState> bot_;
};

// The one play screen (created on first use; registers its loading step and
// its dispatcher entries).
TMainGame& mainGame();

// --level and --bot of the harness: makes (or reuses) the test profile
// "Tester", binds campaign level N or a .lvl file to the play screen and
// answers "MAIN-GAME"; "" (with a message) when there is no such level.
std::string startHarnessLevel(const std::string& which, bool bot);
