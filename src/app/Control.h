// The screen dispatcher: the program's main loop. It holds one command
// string, runs the screen loop or quest step the command names, and takes the
// string that comes back as the next command, until "END".
#pragma once

#include <functional>
#include <stdexcept>
#include <string>

// How the dispatcher reaches the screens and the current profile. Each
// screen and service fills in its entries when it is set up; an entry left
// empty means that part of the game is not in this build, and a command
// that needs it ends the program with a message naming it.
struct ControlWiring {
  // Screen loops.
  std::function<std::string()> mainMenu;            // TMainMenu.mainLoop
  std::function<std::string()> mainGame;            // TMainGame.mainLoop
  std::function<std::string(int)> story;            // TStory.mainLoop(n)
  std::function<std::string()> ubieranie;           // TUbieranie.mainLoop
  std::function<std::string()> puzzle;              // TPuzzleGame.mainLoop
  std::function<std::string(int)> galeria;          // TGaleria.mainLoop(arg)
  std::function<void()> endOfGame;                  // TEndOfGame.mainLoop
  // The current profile.
  std::function<int()> profileLevel;                // nrLevelu
  std::function<void(int)> setProfileLevel;
  std::function<std::string()> profileGameType;     // gameType
  std::function<bool()> saveProfile;                // TProfile.save
  std::function<void()> questStartNew;              // TProfile.QUEST_startNew
  std::function<int()> questLoadActLevel;           // TProfile.QUEST_loadActLevel
  std::function<std::string()> nextStage;           // TProfile.getNextStage
  // The play screen.
  std::function<void()> setLevelFromProfile;        // TMainGame.setLevel(profile.questLevel)
  std::function<void()> setStartData;               // TMainGame.setStartData
  std::function<void()> clearContinueLevel;         // continueLevel = 0
  std::function<bool()> levelHasPuzzle;             // level.saPuzzle <> 0
};

// Thrown when a command needs a part of the game this build lacks.
class MissingScreen : public std::runtime_error {
 public:
  explicit MissingScreen(const std::string& what) : std::runtime_error(what) {}
};

class Control {
 public:
  static ControlWiring& wiring();

  static void start();
  static void mainLoop();
  // One row of the table for the command (already upper-cased or not).
  // Returns the next command.
  static std::string dispatch(const std::string& command);
  static std::string RESTART_Level();
  static std::string RESUME_Quest();
  static std::string NEW_Quest();
  static int prepareQuestLevel();
  static std::string QUEST_PrepareNextLevel();
  static std::string QUEST_getNextLevel();
  static std::string QUEST_getNextStage();
};

// The last level of the campaign is 191: reaching 192 ends the game.
inline constexpr int kEndLevel = 192;
