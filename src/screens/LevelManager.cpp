#include "screens/LevelManager.h"

#include "app/LoadingScreen.h"
#include "app/Txt.h"
#include "data/RCMFile.h"

namespace {

std::vector<TLevelData> readLevelList(const std::string& path, const char* pathKey) {
  std::vector<TLevelData> list;
  auto f = loadRCMFile(path);
  const int n = int(f->getFloat("levels::i"));
  for (int k = 1; k <= n; ++k) {
    const std::string g = "levels::lvl" + std::to_string(k) + "::";
    TLevelData d;
    d.url = f->getString(g + pathKey);
    d.id = int(f->getFloat(g + "id"));
    list.push_back(d);
  }
  return list;
}

template <typename List>
const TPuzzleData* findLevel(const List& list, int n) {
  for (const auto& d : list)
    if (d.levelNr == n) return &d;
  return nullptr;
}

}  // namespace

TLevelManager& levelManager() {
  static TLevelManager* m = [] {
    auto* lm = new TLevelManager();  // lives for the whole run
    TLoadingScreen::setups()["TLevelManager"] = [lm] { lm->setup(); };
    return lm;
  }();
  return *m;
}

void TLevelManager::setup(const std::string& folder) {
  questLevels = readLevelList(folder + "quest_levels.dat", "url");
  // The free-play list spells its path key "ulr".
  freePlayLevels = readLevelList(folder + "free_levels.dat", "ulr");
  puzzleList.clear();
  TTxtFile counts = loadTxtPlain(folder + "puzzleList.dat");
  for (int k = 1; k <= counts.lines(); ++k)
    puzzleList.push_back(TPuzzleData{k, int(rcmToInt(txtLine(counts, k)))});
  puzzleList2.clear();
  auto f = loadRCMFile(folder + "puzzlelist2.dat");
  const int n = int(f->getFloat("puzzles::i"));
  for (int k = 1; k <= n; ++k)
    puzzleList2.push_back(TPuzzleData{k, int(f->getFloat("puzzles::level" + std::to_string(k)))});
}

const TLevelData* TLevelManager::getQuestLevelData(int n) const {
  for (const auto& d : questLevels)
    if (d.id == n) return &d;
  return nullptr;
}

const TPuzzleData* TLevelManager::getPuzzleData(int n) const { return findLevel(puzzleList, n); }
const TPuzzleData* TLevelManager::getPuzzleData2(int n) const { return findLevel(puzzleList2, n); }
