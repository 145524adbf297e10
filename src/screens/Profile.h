// One player's state in the quest campaign: level and stage reached, the
// stage's dog and the dogs met, the stage's jigsaw with its unlocked pieces,
// the six power-ups, the tutorial tips seen and the level left unfinished.
// It lives in a folder of its own below userDir + "/Profiles/", named by the
// player's ID; every file in it is replaced atomically.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "board/PowerUp.h"

class TLevel;
class TM3Catalogs;
class TPuzzle;
class TPuzzleLevel;
class TPies;
class TTutorialTip;

// One level played in this run of the program (not saved).
class TProfLevelData {
 public:
  int nrLevelu = 0;
  int score = 0;
  int time = 0;
  int punktyZebrane = 0;
};

// Statistics of one stage in this run of the program (not saved).
class TStageData {
 public:
  std::vector<std::shared_ptr<TProfLevelData>> levels;
  int nrStageu = 0;
  int score = 0;

  // The entry for level n, appended when missing.
  TProfLevelData& getLevelData(int n);
};

// The jigsaw a profile falls back to when it has none saved, and the first
// dog's jigsaw.
inline constexpr const char* kDefaultPuzzleLevel = "data/PuzzleLevels/puzzleLevel-1.dat";

// Power-up slot k (1..6) is discovered from this level on.
inline constexpr int kPowerUpUnlockLevel[6] = {1, 7, 15, 24, 35, 46};

class TProfile {
 public:
  TProfile();

  std::string name;
  std::string url;                            // the profile.dat it was read from
  std::shared_ptr<TLevel> questLevel;         // the level in progress; none once the campaign is over
  std::shared_ptr<TPuzzleLevel> puzzleLevel;  // the stage's jigsaw
  std::shared_ptr<TPies> pies;                // the stage's dog; none without a dog catalogue
  int nrLevelu = 1;
  int nrStageu = 1;
  int puzzles = 0;  // pieces collected in this stage
  int score = 0;
  int ulozone = 0;  // the stage's jigsaw is assembled
  std::vector<std::shared_ptr<TStageData>> stagesData;
  std::vector<std::shared_ptr<TPuzzle>> activePuzzles;
  std::vector<std::shared_ptr<TPies>> bylyPsy;
  std::string gameType;  // "MAIN-GAME", "PUZZLE" or "UBIERANIE": where the player was last
  std::string gameMode = "TIMED";
  TPowerUps powerUp;  // slot k has n = k + 1
  std::vector<std::shared_ptr<TTutorialTip>> lekcjeTutoriala;
  int tutorialOn = 1;

  // The name upper-cased, each character as its decimal code and "-":
  // "Ann" -> "65-78-78-".
  std::string getMyID() const;
  // userDir + "/Profiles/" + ID + "/".
  std::string folder() const;

  // Writes questlevel.lvl and puzzleLevel.dat when they exist, then
  // profile.dat, each atomically. False (with a message) when a file could
  // not be written; the files already on disk stay whole.
  bool save();
  // Reads path (a profile.dat) over this profile. Damaged or missing files
  // give defaults and a message, never a crash.
  void load(const std::string& path);

  void QUEST_startNew();
  void QUEST_newPowerUps();
  void QUEST_setProperStagePuzzle();
  // Reads the file of quest level nrLevelu into questLevel and hands it to
  // the play screen. questLevel is none when the level lists have no such
  // level or no play screen reads levels. Always 0.
  int QUEST_loadActLevel();
  // "GALERIA" when a new stage begins, "STORY" when every stage is done.
  std::string getNextStage();
  void addPuzzles(int n);
  int getNewPuzzlesCount() const;
  int countActivePuzzles() const;
  int allPuzzles() const;
  void checkPowerUps();
  // The charge show of each slot; generate(slot) is asked for its sparkles.
  void updatePowerUps(const std::function<void(int slot)>& generate = {});
  void resetPowerUpsEffects();
  TStageData& getStageData(int n);
  void giveActStageData();
  int getActStageScore();
  int canResumeQuest() const { return questLevel ? 1 : 0; }
  int newStage() const;
};

// Reads a profile.dat into a new profile (loadProfile of the campaign).
std::shared_ptr<TProfile> loadProfile(const std::string& path);

// Pieces that should be unlocked once level n is won (the second piece list),
// or -1 when the list has no such level.
int puzzlesDueAfterLevel(int n);

// ---------------------------------------------------------------------------
// The current profile. Every screen reads it here; nullptr while none exists.
TProfile* currentProfile();
std::shared_ptr<TProfile> currentProfileShared();
// Makes p current (appending it to the profile list when missing) and
// rebuilds the tutorial's pending tips from what p has seen. nullptr: none.
void setCurrentProfile(std::shared_ptr<TProfile> p);
// Saves the current profile; a no-op answering true when there is none
// (the level editor binds levels without a player).
bool saveCurrentProfile();

// The list of profiles, profiles.dat below userDir + "/Profiles/".
class TProfileList {
 public:
  std::vector<std::shared_ptr<TProfile>> profiles;
  std::shared_ptr<TProfile> profile;  // the current one

  static std::string listPath();
  // Reads profiles.dat (written empty first when missing) and every profile
  // it names; the one named ActProfile becomes current.
  void loadProfiles();
  // Writes profiles.dat, then the current profile.
  bool save();
};
TProfileList& profileList();

// How the profile reaches the play screen, which fills these when it is set
// up. Empty entries are skipped.
struct ProfilePlayScreen {
  // The board controller whose catalogs read level files.
  std::function<TM3Catalogs*()> catalogs;
  // TMainGame.setLevel: binds a level to the board (it saves the profile).
  std::function<void(const std::shared_ptr<TLevel>&)> setLevel;
  // Resets the play screen's power-up state for a new level.
  std::function<void()> resetPowerUps;
  std::function<int()> levelTime;
  std::function<void(int)> setLevelTime;
  // The level on the board (its score feeds the stage statistics).
  std::function<std::shared_ptr<TLevel>()> level;
};
ProfilePlayScreen& profilePlayScreen();

// The other quest screens a new quest or stage prepares; filled by them.
struct ProfileQuestScreens {
  std::function<void()> storySetup;                         // TStory.setup
  std::function<void()> tutorialSetup;                      // TTutorial.setup (clears its current tip)
  std::function<void()> prepareCharacterBegin;              // TUbieranie._prepareCharacterBegin
  std::function<void(const std::shared_ptr<TPies>&)> newDog;  // TGaleria.newDog
};
ProfileQuestScreens& profileQuestScreens();

// Fills the dispatcher's profile entries, the exit handler's profile save
// and the loading step that reads the profiles. Called once at start-up.
void setupProfiles();
