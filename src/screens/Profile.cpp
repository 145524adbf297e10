#include "screens/Profile.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iostream>

#include "app/Control.h"
#include "app/Globals.h"
#include "app/LoadingScreen.h"
#include "app/Startup.h"
#include "board/Level.h"
#include "data/RCMFile.h"
#include "platform/Files.h"
#include "platform/Random.h"
#include "screens/Dogs.h"
#include "screens/LevelManager.h"
#include "screens/PuzzleLevel.h"
#include "screens/TutorialTips.h"

namespace {

// Largest list a profile may claim; anything above is a damaged file.
constexpr int kMaxListed = 10000;
constexpr int kMaxStage = 10000;
constexpr int kMaxScore = 2000000000;
constexpr int kMaxCharge = 1000000;

void say(const std::string& path, const std::string& what) {
  std::cout << "Profile " << path << ": " << what << std::endl;
}

// A number of the file as an int in [lo, hi]; anything outside (huge, NaN,
// not a number at all) is reported and replaced by fallback.
int readClamped(const TRCMFile& f, const std::string& key, int lo, int hi, int fallback, const std::string& path) {
  const double v = f.getFloat(key);
  if (std::isfinite(v) && v >= lo && v < double(hi) + 1) return int(v);
  say(path, key + " = " + f.getString(key) + " is out of range, using " + std::to_string(fallback));
  return fallback;
}

// The folder part of a path, with its final slash ("" for a bare name).
std::string folderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string upperAscii(std::string s) {
  for (char& c : s) c = char(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

char32_t upperChar(char32_t c) {
  if (c >= U'a' && c <= U'z') return c - 32;
  // Latin-1 letters, as typed on most European keyboards.
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  if (c == 0xFF) return 0x178;
  return c;
}

template <class T>
bool contains(const std::vector<std::shared_ptr<T>>& list, const std::shared_ptr<T>& x) {
  return std::find(list.begin(), list.end(), x) != list.end();
}

// The entry of list whose key field is n, appended when missing.
template <class T>
T& findOrAppend(std::vector<std::shared_ptr<T>>& list, int T::*key, int n) {
  for (auto& e : list)
    if ((*e).*key == n) return *e;
  auto e = std::make_shared<T>();
  (*e).*key = n;
  list.push_back(e);
  return *e;
}

std::shared_ptr<TProfile>& currentSlot() {
  static std::shared_ptr<TProfile> p;
  return p;
}

// The dispatcher asks for the current profile before any player exists only
// when something went wrong (a damaged list); a fresh profile keeps the game
// going instead of dereferencing nothing.
TProfile& requireProfile() {
  if (!currentProfile()) {
    std::cout << "No current profile: starting one for \"Player\"" << std::endl;
    auto p = std::make_shared<TProfile>();
    p->name = "Player";
    setCurrentProfile(p);
  }
  return *currentProfile();
}

}  // namespace

// ---------------------------------------------------------------------------

TProfLevelData& TStageData::getLevelData(int n) { return findOrAppend(levels, &TProfLevelData::nrLevelu, n); }

TProfile::TProfile() { QUEST_newPowerUps(); }

std::string TProfile::getMyID() const {
  std::string id;
  for (char32_t c : plat::utf8ToUtf32(name)) id += std::to_string(uint32_t(upperChar(c))) + "-";
  return id;
}

std::string TProfile::folder() const { return userDir + "/Profiles/" + getMyID() + "/"; }

bool TProfile::save() {
  const std::string dir = folder();
  if (!plat::folderExists(dir) && !plat::createFolder(dir)) {
    std::cout << "Profile: could not create the folder " << dir << std::endl;
    return false;
  }
  bool ok = true;
  // The level and the jigsaw go first: profile.dat never names files that
  // were not written.
  if (questLevel) ok = questLevel->save(dir + "questlevel.lvl") && ok;
  if (puzzleLevel) ok = puzzleLevel->save(dir + "puzzleLevel.dat") && ok;

  auto f = createRCMFile();
  f->setString("profile::name", name);
  f->setFloat("Profile::nrLevelu", nrLevelu);
  f->setFloat("Profile::nrStage", nrStageu);
  f->setFloat("Profile::puzzles", puzzles);
  f->setFloat("Profile::score", score);
  f->setString("Profile::gameType", gameType);
  f->setString("Profile::gameMode", gameMode);
  f->setFloat("Profile::ulozone", ulozone);
  f->setFloat("Profile::questLevel", questLevel ? 1 : 0);
  if (questLevel) {
    const auto& time = profilePlayScreen().levelTime;
    f->setFloat("Profile::levelTime", time ? time() : 0);
  }
  f->setFloat("Profile::puzzleLevel", puzzleLevel ? 1 : 0);
  f->setFloat("Profile::activePuzzles::i", double(activePuzzles.size()));
  for (size_t k = 0; k < activePuzzles.size(); ++k)
    f->setFloat("profile::activePuzzles::puzzle" + std::to_string(k + 1), activePuzzles[k]->id);
  f->setFloat("Profile::dogies::i", double(bylyPsy.size()));
  for (size_t k = 0; k < bylyPsy.size(); ++k)
    f->setFloat("Profile::dogies::dog" + std::to_string(k + 1), bylyPsy[k]->id);
  for (int k = 1; k <= 6; ++k) {
    const std::string g = "Profile::powerUps::powerUp" + std::to_string(k) + "::";
    f->setFloat(g + "data", powerUp[k - 1].data);
    f->setFloat(g + "aktywny", powerUp[k - 1].aktywny);
  }
  f->setFloat("Profile::tutorial::tips", double(lekcjeTutoriala.size()));
  for (size_t k = 0; k < lekcjeTutoriala.size(); ++k)
    f->setString("profile::tutorial::tip" + std::to_string(k + 1), lekcjeTutoriala[k]->id);
  ok = f->save(dir + "profile.dat") && ok;
  url = dir + "profile.dat";
  return ok;
}

void TProfile::load(const std::string& path) {
  auto file = loadRCMFile(path);
  const TRCMFile& f = *file;
  const std::string dir = folderOf(path);
  name = f.getString("Profile::name");
  url = path;
  nrLevelu = readClamped(f, "profile::nrLevelu", 1, kEndLevel, 1, path);
  nrStageu = readClamped(f, "profile::nrStage", 1, kMaxStage, 1, path);
  puzzles = readClamped(f, "profile::puzzles", 0, kMaxListed, 0, path);
  score = readClamped(f, "profile::score", 0, kMaxScore, 0, path);
  gameType = upperAscii(f.getString("profile::gameType"));
  // Resuming answers gameType to the dispatcher: only quest screens may
  // stand there.
  if (!gameType.empty() && gameType != "MAIN-GAME" && gameType != "PUZZLE" && gameType != "UBIERANIE") {
    say(path, "unknown gameType \"" + gameType + "\", resuming in the play screen");
    gameType.clear();
  }
  gameMode = upperAscii(f.getString("profile::gameMode"));
  if (gameMode != "TIMED" && gameMode != "RELAXED") {
    say(path, "unknown gameMode \"" + gameMode + "\", playing TIMED");
    gameMode = "TIMED";
  }
  ulozone = 0;

  TDogCatalog& dogs = dogCatalog();
  pies = dogs.getDog(nrStageu);

  if (f.getFloat("profile::puzzleLevel") != 0) {
    puzzleLevel = loadPuzzleLevel(dir + "puzzleLevel.dat", 0);
  } else {
    puzzleLevel = loadPuzzleLevel(kDefaultPuzzleLevel, 1);
  }

  questLevel = nullptr;
  if (f.getFloat("profile::questLevel") != 0) {
    TM3Catalogs* cat = profilePlayScreen().catalogs ? profilePlayScreen().catalogs() : nullptr;
    if (!cat) {
      say(path, "no board to read the level in progress with; it is dropped");
    } else if (!plat::fileExists(dir + "questlevel.lvl")) {
      say(path, "questlevel.lvl is missing; the level in progress is dropped");
    } else {
      questLevel = loadLevel(dir + "questlevel.lvl", *cat);
      if (questLevel && (questLevel->rows == 0 || questLevel->cols == 0)) {
        say(path, "questlevel.lvl has no board; the level in progress is dropped");
        questLevel = nullptr;
      }
      // The elapsed time is kept in profile.dat, not in the level file.
      if (questLevel && questLevel->profileLevelTime == 0)
        questLevel->profileLevelTime = readClamped(f, "profile::levelTime", 0, kMaxScore, 0, path);
    }
  }

  bylyPsy.clear();
  const int nDogs = readClamped(f, "Profile::dogies::i", 0, kMaxListed, 0, path);
  int unknownDogs = 0;
  for (int k = 1; k <= nDogs; ++k) {
    const int id = int(rcmToInt(f.getString("Profile::dogies::dog" + std::to_string(k))));
    TPiesPtr dog = dogs.getDog(id);
    if (!dog && dogs.dogsList.empty()) {
      // Without a catalogue the id is all there is; keep it so the next save
      // does not forget the dogs this player has met.
      dog = std::make_shared<TPies>();
      dog->id = id;
    }
    if (dog) {
      bylyPsy.push_back(dog);
    } else {
      ++unknownDogs;
    }
  }
  if (unknownDogs) say(path, "skipped " + std::to_string(unknownDogs) + " unknown dog id(s)");

  for (int k = 1; k <= 6; ++k) {
    const std::string g = "Profile::powerUps::powerUp" + std::to_string(k) + "::";
    powerUp[k - 1].data = readClamped(f, g + "data", 0, kMaxCharge, 0, path);
    powerUp[k - 1].aktywny = f.getFloat(g + "aktywny") != 0 ? 1 : 0;
  }

  lekcjeTutoriala.clear();
  TTipCatalog& tips = tipCatalog();
  const int nTips = readClamped(f, "profile::tutorial::tips", 0, kMaxListed, 0, path);
  int unknownTips = 0;
  for (int k = 1; k <= nTips; ++k) {
    const std::string id = upperAscii(f.getString("profile::tutorial::tip" + std::to_string(k)));
    TTutorialTipPtr tip = tips.findTip(id);
    if (!tip && tips.allTips.empty() && !id.empty()) {
      tip = std::make_shared<TTutorialTip>();
      tip->id = id;
    }
    if (!tip) {
      ++unknownTips;
    } else if (!contains(lekcjeTutoriala, tip)) {
      lekcjeTutoriala.push_back(tip);
    }
  }
  if (unknownTips) say(path, "skipped " + std::to_string(unknownTips) + " unknown tutorial tip(s)");

  activePuzzles.clear();
  const int nPieces = readClamped(f, "profile::activePuzzles::i", 0, kMaxListed, 0, path);
  int unknownPieces = 0;
  for (int k = 1; k <= nPieces; ++k) {
    const int id = int(rcmToInt(f.getString("profile::activePuzzles::puzzle" + std::to_string(k))));
    TPuzzlePtr piece = puzzleLevel ? puzzleLevel->getPuzzleById(id) : nullptr;
    if (!piece) {
      ++unknownPieces;
    } else if (!contains(activePuzzles, piece)) {
      activePuzzles.push_back(piece);
    }
  }
  if (unknownPieces) say(path, "skipped " + std::to_string(unknownPieces) + " unknown jigsaw piece id(s)");
  checkPowerUps();
}

std::shared_ptr<TProfile> loadProfile(const std::string& path) {
  auto p = std::make_shared<TProfile>();
  p->load(path);
  return p;
}

// --- quest ------------------------------------------------------------------

void TProfile::QUEST_startNew() {
  nrLevelu = 1;
  nrStageu = 1;
  puzzles = 0;
  score = 0;
  bylyPsy.clear();
  const ProfileQuestScreens& screens = profileQuestScreens();
  if (screens.storySetup) screens.storySetup();
  stagesData.clear();
  lekcjeTutoriala.clear();
  // Every tip comes back for a new quest.
  if (currentProfile() == this) tipCatalog().rebuildPending(lekcjeTutoriala);
  if (screens.tutorialSetup) screens.tutorialSetup();
  pies = dogCatalog().getDog(1);
  if (screens.prepareCharacterBegin) screens.prepareCharacterBegin();
  QUEST_newPowerUps();
  QUEST_setProperStagePuzzle();
  QUEST_loadActLevel();
}

void TProfile::QUEST_newPowerUps() {
  for (int k = 0; k < 6; ++k) {
    powerUp[k] = TPowerUp();
    powerUp[k].n = k + 1;
  }
}

void TProfile::QUEST_setProperStagePuzzle() {
  std::string path = pies ? pies->puzzleLevel : std::string();
  if (path.empty()) path = kDefaultPuzzleLevel;
  puzzleLevel = loadPuzzleLevel(path, 1);
  activePuzzles.clear();
}

int TProfile::QUEST_loadActLevel() {
  const ProfilePlayScreen& play = profilePlayScreen();
  questLevel = nullptr;
  const TLevelData* data = levelManager().getQuestLevelData(nrLevelu);
  TM3Catalogs* cat = play.catalogs ? play.catalogs() : nullptr;
  if (!data) {
    std::cout << "Quest: no level " << nrLevelu << " in the level list" << std::endl;
  } else if (!cat) {
    std::cout << "Quest: no board to read " << data->url << " with" << std::endl;
  } else {
    questLevel = loadLevel(data->url, *cat);
  }
  checkPowerUps();
  if (play.setLevel) play.setLevel(questLevel);
  if (play.resetPowerUps) play.resetPowerUps();
  if (play.setLevelTime) play.setLevelTime(0);
  return 0;
}

std::string TProfile::getNextStage() {
  ulozone = 0;
  ++nrStageu;
  TDogCatalog& dogs = dogCatalog();
  if (nrStageu > int(dogs.dogsList.size())) {
    questLevel = nullptr;
    return "STORY";
  }
  const ProfileQuestScreens& screens = profileQuestScreens();
  if (pies) {
    if (!contains(bylyPsy, pies)) bylyPsy.push_back(pies);
    if (screens.newDog) screens.newDog(pies);
  }
  pies = dogs.getDog(nrStageu);
  puzzles = 0;
  activePuzzles.clear();
  QUEST_setProperStagePuzzle();
  if (screens.prepareCharacterBegin) screens.prepareCharacterBegin();
  QUEST_loadActLevel();
  return "GALERIA";
}

void TProfile::addPuzzles(int n) {
  if (!puzzleLevel) return;
  activePuzzles.clear();
  std::vector<TPuzzlePtr> candidates;
  for (auto& p : puzzleLevel->allPuzzles) (p->aktywny ? activePuzzles : candidates).push_back(p);
  const int want = n - int(activePuzzles.size());
  std::vector<TPuzzlePtr> picked;
  while (int(picked.size()) < want && !candidates.empty()) {
    const int i = plat::randInt(1, int(candidates.size())) - 1;
    picked.push_back(candidates[size_t(i)]);
    candidates.erase(candidates.begin() + i);
  }
  for (auto& p : picked) {
    p->nowy = 1;
    activePuzzles.push_back(p);
  }
  for (auto& p : activePuzzles) p->aktywny = 1;
}

int TProfile::getNewPuzzlesCount() const {
  return int(std::count_if(activePuzzles.begin(), activePuzzles.end(), [](const TPuzzlePtr& p) { return p->nowy; }));
}

int TProfile::countActivePuzzles() const {
  return int(
      std::count_if(activePuzzles.begin(), activePuzzles.end(), [](const TPuzzlePtr& p) { return p->aktywny; }));
}

int TProfile::allPuzzles() const {
  if (!puzzleLevel) return 0;
  const size_t n = puzzleLevel->allPuzzles.size();
  // A jigsaw without pieces (its file missing) is never complete: answering
  // yes would send every won level to an empty jigsaw.
  if (n == 0 || n == 1) return 0;
  for (auto& p : puzzleLevel->allPuzzles)
    if (!contains(activePuzzles, p)) return 0;
  return 1;
}

void TProfile::checkPowerUps() {
  for (int k = 0; k < 6; ++k) powerUp[k].odkryty = nrLevelu >= kPowerUpUnlockLevel[k] ? 1 : 0;
}

void TProfile::updatePowerUps(const std::function<void(int)>& generate) {
  for (int k = 0; k < 6; ++k)
    powerUp[k].update([&generate, k] {
      if (generate) generate(k + 1);
    });
}

void TProfile::resetPowerUpsEffects() {
  for (auto& p : powerUp) {
    p.alpha = 0;
    p.state = 0;
  }
}

TStageData& TProfile::getStageData(int n) { return findOrAppend(stagesData, &TStageData::nrStageu, n); }

void TProfile::giveActStageData() {
  const auto& level = profilePlayScreen().level;
  std::shared_ptr<TLevel> l = level ? level() : nullptr;
  if (!l) return;
  TStageData& stage = getStageData(nrStageu);
  stage.score += l->score;
  stage.getLevelData(nrLevelu).score += l->score;
}

int TProfile::getActStageScore() { return getStageData(nrStageu).score; }

int TProfile::newStage() const { return pies && std::abs(nrLevelu - pies->startLevel) <= 1 ? 1 : 0; }

int puzzlesDueAfterLevel(int n) {
  const TPuzzleData* d = levelManager().getPuzzleData2(n);
  return d ? d->puzzles : -1;
}

// --- the current profile and the list ----------------------------------------

TProfile* currentProfile() { return currentSlot().get(); }
std::shared_ptr<TProfile> currentProfileShared() { return currentSlot(); }

void setCurrentProfile(std::shared_ptr<TProfile> p) {
  TProfileList& list = profileList();
  if (p && !contains(list.profiles, p)) list.profiles.push_back(p);
  list.profile = p;
  currentSlot() = p;
  TTipCatalog& tips = tipCatalog();
  if (p) {
    tips.rebuildPending(p->lekcjeTutoriala);
  } else {
    tips.rebuildPending({});
  }
}

bool saveCurrentProfile() {
  TProfile* p = currentProfile();
  return p ? p->save() : true;
}

TProfileList& profileList() {
  static TProfileList list;
  return list;
}

std::string TProfileList::listPath() { return userDir + "/Profiles/" + "profiles.dat"; }

void TProfileList::loadProfiles() {
  const std::string path = listPath();
  profiles.clear();
  profile = nullptr;
  if (!plat::fileExists(path)) save();
  auto file = loadRCMFile(path);
  const TRCMFile& f = *file;
  const int n = readClamped(f, "Profiles::i", 0, kMaxListed, 0, path);
  const std::string act = upperAscii(f.getString("Profiles::ActProfile"));
  for (int k = 1; k <= n; ++k) {
    const std::string key = "Profiles::profile" + std::to_string(k);
    const std::string name = f.getString(key, 0);
    const std::string id = f.getString(key, 1);
    if (name.empty()) {
      say(path, key + " has no name; skipped");
      continue;
    }
    TProfile probe;
    probe.name = name;
    auto p = loadProfile(probe.folder() + "profile.dat");
    p->name = name;
    profiles.push_back(p);
    if (!id.empty() && upperAscii(id) == act) profile = p;
  }
}

bool TProfileList::save() {
  auto f = createRCMFile();
  f->setFloat("Profiles::i", double(profiles.size()));
  f->setString("Profiles::ActProfile", profile ? profile->getMyID() : "NULL");
  for (size_t k = 0; k < profiles.size(); ++k) {
    const std::string key = "Profiles::Profile" + std::to_string(k + 1);
    f->setString(key, profiles[k]->name, 0);
    f->setString(key, profiles[k]->getMyID(), 1);
  }
  bool ok = f->save(listPath());
  if (profile) ok = profile->save() && ok;
  return ok;
}

ProfilePlayScreen& profilePlayScreen() {
  static ProfilePlayScreen s;
  return s;
}

ProfileQuestScreens& profileQuestScreens() {
  static ProfileQuestScreens s;
  return s;
}

// --- start-up ------------------------------------------------------------------

void setupProfiles() {
  ControlWiring& w = Control::wiring();
  w.profileLevel = [] { return requireProfile().nrLevelu; };
  w.setProfileLevel = [](int n) { requireProfile().nrLevelu = n; };
  w.profileGameType = [] { return requireProfile().gameType; };
  w.saveProfile = [] { return saveCurrentProfile(); };
  w.questStartNew = [] { requireProfile().QUEST_startNew(); };
  w.questLoadActLevel = [] { return requireProfile().QUEST_loadActLevel(); };
  w.nextStage = [] { return requireProfile().getNextStage(); };
  TLoadingScreen::setups()["profiles"] = [] {
    dogCatalog().setupOnce();
    tipCatalog().setupOnce();
    TProfileList& list = profileList();
    list.loadProfiles();
    setCurrentProfile(list.profile);
    // Only now is there a list worth writing at exit.
    startupWiring().saveProfiles = [] { profileList().save(); };
  };
}
