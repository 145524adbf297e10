// The campaign's level order and the jigsaw piece counts by level: data
// files read once at loading.
#pragma once

#include <memory>
#include <string>
#include <vector>

struct TLevelData {
  int id = 0;       // the level number this entry stands for
  std::string url;  // its level file
};

struct TPuzzleData {
  int levelNr = 0;
  int puzzles = 0;  // pieces that should be unlocked after that level
};

class TLevelManager {
 public:
  std::vector<TLevelData> questLevels;
  std::vector<TLevelData> freePlayLevels;
  std::vector<TPuzzleData> puzzleList;
  std::vector<TPuzzleData> puzzleList2;

  // Reads the four lists. A missing data/puzzleList.dat during start-up is
  // fatal (FatalContentError), as for every plain text file of the game.
  void setup(const std::string& folder = "data/");

  // First entry whose level number is n, or nullptr.
  const TLevelData* getQuestLevelData(int n) const;
  const TPuzzleData* getPuzzleData(int n) const;
  const TPuzzleData* getPuzzleData2(int n) const;
};

TLevelManager& levelManager();
