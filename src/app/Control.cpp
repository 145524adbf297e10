#include "app/Control.h"

#include <algorithm>
#include <cctype>
#include <iostream>
#include <set>

#include "app/Globals.h"
#include "app/Options.h"
#include "platform/Platform.h"

namespace {

std::string upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::toupper(c)); });
  return s;
}

template <typename F>
const F& need(const F& f, const char* what) {
  if (!f) throw MissingScreen(what);
  return f;
}

}  // namespace

ControlWiring& Control::wiring() {
  static ControlWiring w;
  return w;
}

void Control::start() {
  actCommand = "MAIN-MENU";
  options().setupMouse();
}

std::string Control::dispatch(const std::string& command) {
  const ControlWiring& w = wiring();
  const std::string c = upper(command);
  if (c == "MAIN-MENU") return need(w.mainMenu, "the main menu")();
  if (c == "MAIN-GAME") return need(w.mainGame, "the play screen")();
  if (c == "STORY") {
    int level = need(w.profileLevel, "the player profiles")();
    if (level < 10) return need(w.story, "the story screen")(1);
    if (level == 13) return need(w.story, "the story screen")(3);
    need(w.galeria, "the gallery")(0);
    return need(w.story, "the story screen")(2);
  }
  if (c == "UBIERANIE") return need(w.ubieranie, "the dress-up screen")();
  if (c == "PUZZLE") return need(w.puzzle, "the jigsaw screen")();
  if (c == "GALERIA") return need(w.galeria, "the gallery")(0);
  if (c == "NEW-QUEST") return NEW_Quest();
  if (c == "RESUME-QUEST") return RESUME_Quest();
  if (c == "GET-NEXT-QUEST-LEVEL") return QUEST_getNextLevel();
  if (c == "GET-NEXT-STAGE") return QUEST_getNextStage();
  if (c == "RESTART-LEVEL") return RESTART_Level();
  if (c == "END") return "END";
  // A command outside the table would leave the game polling forever; a
  // content mistake must not freeze it, so say so and go to the main menu.
  static std::set<std::string> reported;
  if (reported.insert(c).second)
    std::cout << "Unknown command \"" << command << "\": going to the main menu." << std::endl;
  return "MAIN-MENU";
}

void Control::mainLoop() {
  while (upper(actCommand) != "END") {
    actCommand = dispatch(actCommand);
    plat::pumpEvents();
  }
}

std::string Control::RESTART_Level() {
  if (upper(actGameType) == "QUEST") {
    prepareQuestLevel();
    return "MAIN-GAME";
  }
  return "";
}

std::string Control::RESUME_Quest() {
  const ControlWiring& w = wiring();
  need(w.setLevelFromProfile, "the play screen")();
  std::string gameType = need(w.profileGameType, "the player profiles")();
  return gameType.empty() ? "MAIN-GAME" : gameType;
}

std::string Control::NEW_Quest() {
  const ControlWiring& w = wiring();
  actGameType = "QUEST";
  need(w.clearContinueLevel, "the play screen")();
  need(w.questStartNew, "the player profiles")();
  return "STORY";
}

int Control::prepareQuestLevel() {
  const ControlWiring& w = wiring();
  int r = need(w.questLoadActLevel, "the player profiles")();
  need(w.setLevelFromProfile, "the play screen")();
  need(w.setStartData, "the play screen")();
  return r;
}

std::string Control::QUEST_PrepareNextLevel() {
  const ControlWiring& w = wiring();
  // The level number moves on before the profile is saved, so a crash right
  // after a win does not make the player replay the won level.
  int level = need(w.profileLevel, "the player profiles")() + 1;
  need(w.setProfileLevel, "the player profiles")(level);
  need(w.saveProfile, "the player profiles")();
  if (level == kEndLevel) {
    need(w.endOfGame, "the end-of-game screen")();
    return "MAIN-MENU";
  }
  prepareQuestLevel();
  return "MAIN-GAME";
}

std::string Control::QUEST_getNextLevel() {
  bool hadPieces = need(wiring().levelHasPuzzle, "the play screen")();
  std::string next = QUEST_PrepareNextLevel();
  return hadPieces ? "PUZZLE" : next;
}

std::string Control::QUEST_getNextStage() { return need(wiring().nextStage, "the player profiles")(); }
