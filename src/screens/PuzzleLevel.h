// One jigsaw: its pieces, the loose pieces and joined groups as they lie,
// and its file (data/PuzzleLevels/*.dat for a new stage, puzzleLevel.dat in
// the player's folder for the saved state).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gui/Geometry.h"
#include "platform/Image.h"

class TPuzzle {
 public:
  virtual ~TPuzzle() = default;
  int id = 0;
  int aktywny = 0;  // collected
  TDim dDim;  // position in the solved picture
  TDim dim;   // top-left corner as it lies
  plat::ImagePtr img;
  std::string imgUrl;       // as read from the file
  std::string sasiedziTxt;  // neighbour ids separated by blanks
  std::vector<std::weak_ptr<TPuzzle>> sasiedzi;
  int nowy = 0;  // collected since the jigsaw was last shown

  virtual bool isGroup() const { return false; }
};
using TPuzzlePtr = std::shared_ptr<TPuzzle>;

class TPuzzleGroup : public TPuzzle {
 public:
  std::vector<TPuzzlePtr> grupa;
  bool isGroup() const override { return true; }
};

class TPuzzleLevel {
 public:
  float stx = 0, sty = 0;
  std::vector<TPuzzlePtr> puzzles;     // loose pieces and groups, drawing order
  std::vector<TPuzzlePtr> allPuzzles;  // every piece, file order

  TPuzzlePtr getPuzzleById(int id) const;
  bool save(const std::string& path) const;
  std::string saveText() const;
  void shufflePuzzlePositions();
};
using TPuzzleLevelPtr = std::shared_ptr<TPuzzleLevel>;

// Reads a jigsaw file; fresh = 1 shuffles the pieces for a new stage. A
// missing or damaged file gives a jigsaw without pieces. Images are loaded
// unless loadImages is false.
TPuzzleLevelPtr loadPuzzleLevel(const std::string& path, int fresh, bool loadImages = true);
