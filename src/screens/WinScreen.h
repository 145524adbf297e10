// The summaries that end a level over the play screen, which keeps being
// drawn below them: the win summary reveals the level's results line by line
// with sparkles and fireworks and credits them to the profile; the lose
// summary says the time ran out and offers a restart or the main menu.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/Screen.h"
#include "fx/Particle.h"
#include "platform/Font.h"
#include "platform/Image.h"

class TLevel;

// One line of the summary: caption and value.
class TSummaryData {
 public:
  std::string txt;
  std::string data;
  static std::shared_ptr<TSummaryData> createSumData(const std::string& txt, const std::string& data);
};

class TWinScreen : public TEkran {
 public:
  TWinScreen();

  plat::ImagePtr img;
  plat::ImagePtr podkladka;
  int toExit = 0;
  // The demo player is at the mouse: once the results have stood for a
  // while, it presses OK itself, so a demo goes on to the next level.
  bool demo = false;
  plat::FontPtr titlefont, dataFont, totalFont, smallFont;
  int time = 0;
  int showCount = 0;
  std::string txtComp, txtScore, txtGameTime, txtTimeLeft, txtTimeBonus, txtTiles, txtBiggestMatch, txtMultiplier,
      txtMultiplierBonus, txtTotalScore, txtPuzzles, txtToGo1, txtToGo2, txtLevelScore;
  int fireTime = 0;
  std::vector<std::shared_ptr<TSummaryData>> lines;
  float moveX = 40;
  plat::ImagePtr puzel, tiles;
  float guiAlpha = 0, dGuiAlpha = 0;
  int puzzlesToGo = 0;
  int collectedPuzzles = 0;
  // The sparkles of the revealed lines: drawn by this screen alone, so the
  // play screen below does not draw them a second time.
  TParticleList sparkles;

  void setup() override;
  // Runs the summary of the level on the play screen until it has faded
  // away; "".
  std::string mainLoop();
  void prepare();
  void _prepareSelf();
  void _prepareSummary();
  void _prepareEfekty();
  void _prepareReady();
  void update() override;
  void draw() override;
  void _updateState();
  void _updateEfekt();
  void _updateGUI();
  void _drawBack();
  void _drawData();
  void _drawPuzzlesData(const TSummaryData& line);
  void generateShowParticles(int i);
  void generatePuzzleParticles();
  // 120 sparkles over a value's box, mostly white, one in five yellow.
  void sparkleBox(int x, int y, int w, int h);

  int getTimeBonus() const;
  int getTotalScore() const;
  float getDataY(int i) const;
  // The level the summary is about: the play screen's.
  std::shared_ptr<TLevel> level() const;
};

TWinScreen& winScreen();

// For the demo player on a summary: true once the panel has been ready for
// four seconds (readySince starts at -1 and keeps the moment it became ready).
bool demoWaited(int& readySince);
