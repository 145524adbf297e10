// One board: the grid of tiles with their chips, the border of frame pieces
// around its shape, the kinds that may appear on it, the chip-creating cells
// and its timing and score values, with the .lvl file reader and writer.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "board/Catalogs.h"
#include "board/Tile.h"
#include "gui/Geometry.h"

class TRCMFile;
class TLevel;

class TGoal {
 public:
  int id = 0;
  std::string typ;
  int res = 0;
  float alpha = 1;
  int value = 0;
  float rot = 0;
  int checked = 0;
  int partTime = 0;

  std::string getGoalString() const;
  int check(TLevel& level);
  void _drawCollect() {}
  void _drawMatch() {}
  void draw() {}
  void update() {}
};

class TLevel {
 public:
  std::vector<TChipDataPtr> availableChips;
  std::vector<TChipDataPtr> availableBonus;
  std::vector<std::shared_ptr<TDim>> chipCreators;
  std::string matchType = "SWAP";
  TM3SettingsPtr settings;
  TM3Catalogs* m3Game = nullptr;
  TBackGroundPtr backGround;
  plat::ImagePtr backImg;
  int rows = 0, cols = 0;
  std::vector<TTilePtr> tile;               // rows x cols, row-major
  std::vector<std::shared_ptr<TM3Frame>> ramka;  // (rows+2) x (cols+2), row-major; may be empty
  int tilesCount = 0;
  int highestMatch = 0;
  std::array<int, 4> zasob{};
  std::array<int, 4> zebranie{};
  std::vector<std::shared_ptr<TGoal>> goals;
  int czas = 0;
  int maxCzas = 0;
  int score = 0;
  int puzzles = 0;
  float lx = 0, ly = 0;
  float sx = 0, sy = 0;
  float w = 0, h = 0;
  int collect = 0;
  int saPuzzle = 0;
  int pomPuzzleCount = 0;
  int noPuzzleChip = 0;
  int log_iloscMatchy = 0;
  int log_zmatchowaneChipsy = 0;
  int log_iloscPuzzli = 0;
  std::string log_availableChips;
  int log_tilesToBrake = 0;
  int log_lastTileBrakeTime = 0;
  // Filled by the reader for the play screen: the kinds that charge the six
  // power-ups, and the level time a saved level was left at.
  std::array<TChipDataPtr, 6> powerUpChips{};
  int profileLevelTime = 0;

  // Largest grid a file may ask for; bigger dimensions are cut with a message.
  static constexpr int kMaxSide = 64;

  // Tile at (r, c), null outside the grid.
  TTile* at(int r, int c) const;
  TM3Frame* frameAt(int r, int c) const;
  bool hasFrames() const { return !ramka.empty(); }

  int getLevelWidth() const { return static_cast<int>(w); }
  int getLevelHeight() const { return static_cast<int>(h); }
  int isChip(int id) const;
  int thereIsNoPuzzleChip() const { return noPuzzleChip; }
  int allTilesAre(int kind);
  void fillLevel(int id);
  int tileBelowIsEmpty(int r, int c) const;
  void createEmptyTilesTab();
  void shutDown();
  void countDims();
  void setPosition(float x, float y);
  void createFrameDims();
  int _isMatch(TTile* t);
  void _saveLevelStandards(TRCMFile& f) const;
  void _saveLevelResources(TRCMFile& f) const;
  void _saveLevelAvailables(TRCMFile& f) const;
  void _saveLevelTiles(TRCMFile& f) const;
  void _saveLevelChains(TRCMFile& f) const;
  void _saveLevelChips(TRCMFile& f) const;
  void _saveLevelChipCreators(TRCMFile& f) const;
  void _saveLevelGoals(TRCMFile& f) const;
  void _saveLevelFrame(TRCMFile& f) const;
  void CreateCreatorsList();
  void CreateFramesTab();
  void CreateLevelFrames();
  std::vector<TM3FrameDataPtr> CreateTileFramesList(int r, int c) const;
  void setDirectedFrameInnerCorDouble2(std::vector<TM3FrameDataPtr>& list) const;
  void setDirectedFrameInnerCorDouble1(std::vector<TM3FrameDataPtr>& list, int r, int c) const;
  int isTileFree(int r, int c) const;
  int isTileOcc(int r, int c) const;
  void setDirectedFrameCor(std::vector<TM3FrameDataPtr>& list, int r, int c) const;
  void setDirectedFrameInnerCor(std::vector<TM3FrameDataPtr>& list, int r, int c) const;
  void setDirectedFrame(std::vector<TM3FrameDataPtr>& list, int r, int c) const;
  bool save(const std::string& path);
  std::string saveText();
  void checkIfPuzzles();
  void setBackGround(int id);
  void setGlobalAlpha(float a);
  void setFrameAlpha(float a);
  void loadBackGround();
  TChipDataPtr getRandomChip() const;
  void randomChips();
  void moveChipsUp(TTile* t);
  int checkMatch(int r, int c);

 private:
  void fillFile(TRCMFile& f);
};

std::shared_ptr<TLevel> loadLevel(const std::string& path, TM3Catalogs& controller);
// The same reader over a data file already in memory (fuzzing, tests).
std::shared_ptr<TLevel> loadLevelFrom(const TRCMFile& file, TM3Catalogs& controller);
std::shared_ptr<TLevel> newEmptyLevel(int rows, int cols, TM3Catalogs& controller);
