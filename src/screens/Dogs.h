// The dog catalogue, data/dogs.dat: one dog per quest stage. The profile
// needs each dog's number, the level its stage starts at and its jigsaw;
// the dress-up screen and the gallery add the pictures and remarks.
#pragma once

#include <memory>
#include <string>
#include <vector>

class TPies {
 public:
  int id = 0;               // stage n belongs to the dog with id n
  std::string name;         // a line of txt/dogNames.txt
  std::string puzzleLevel;  // the stage's jigsaw file
  int startLevel = 0;       // the level at which the stage begins
};
using TPiesPtr = std::shared_ptr<TPies>;

class TDogCatalog {
 public:
  std::vector<TPiesPtr> dogsList;  // file order
  bool loaded = false;

  // Reads the catalogue; a missing or damaged file leaves it empty.
  void setup(const std::string& path = "data/dogs.dat");
  void setupOnce() {
    if (!loaded) setup();
  }
  // The first dog whose id is n, or nullptr.
  TPiesPtr getDog(int n) const;
};
TDogCatalog& dogCatalog();
