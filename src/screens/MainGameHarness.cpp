// The harness's way into a level: --level N plays level N of the campaign
// (or a .lvl file) on a test profile of the run's user folder, with --bot
// letting the demo player take the mouse.
#include <algorithm>
#include <cctype>
#include <iostream>

#include "app/Control.h"
#include "app/Globals.h"
#include "board/Level.h"
#include "platform/Files.h"
#include "screens/MainGame.h"
#include "screens/Profile.h"

namespace {

constexpr const char* kTestProfileName = "Tester";

bool allDigits(const std::string& s) {
  return !s.empty() && s.size() < 9 && std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c); });
}

// Reads a level file onto the play screen for profile p; false (with a
// message) when it holds no board.
bool bindLevelFile(TMainGame& g, TProfile& p, const std::string& path) {
  auto lvl = loadLevel(path, *g.m3Game);
  if (!lvl || lvl->rows <= 0 || lvl->cols <= 0) {
    std::cout << "--level: " << path << " holds no board." << std::endl;
    return false;
  }
  p.questLevel = lvl;
  g.setLevel(lvl);
  g.resetPowerUps();
  g.levelTime_ = 0;
  return true;
}

}  // namespace

std::string startHarnessLevel(const std::string& arg, bool bot) {
  TMainGame& g = mainGame();
  // The command line makes every path absolute, level numbers included: a
  // name that is no file but a number is a level of the campaign.
  std::string which = arg;
  const size_t slash = arg.find_last_of('/');
  if (!plat::fileExists(arg) && slash != std::string::npos && allDigits(arg.substr(slash + 1)))
    which = arg.substr(slash + 1);
  if (!g.m3Game) {
    std::cout << "--level: the play screen was not set up." << std::endl;
    return "";
  }
  auto p = std::make_shared<TProfile>();
  p->name = kTestProfileName;
  for (auto& q : profileList().profiles)
    if (q && q->getMyID() == p->getMyID()) p = q;
  setCurrentProfile(p);
  if (!p->puzzleLevel) p->QUEST_setProperStagePuzzle();
  actGameType = "QUEST";
  if (allDigits(which)) {
    p->nrLevelu = std::max(1, std::stoi(which));
    p->QUEST_loadActLevel();
    if (!p->questLevel) {
      std::cout << "--level: the campaign has no level " << which << "." << std::endl;
      return "";
    }
  } else {
    if (!plat::fileExists(which)) {
      std::cout << "--level: no level file " << which << "." << std::endl;
      return "";
    }
    if (!bindLevelFile(g, *p, which)) return "";
    // Restarting (or going on after a win) reloads the level the profile is
    // on: for a file that is the file again, not the campaign level that
    // happens to have the profile's number.
    Control::wiring().questLoadActLevel = [which] {
      TProfile* cur = currentProfile();
      if (cur && bindLevelFile(mainGame(), *cur, which)) return 0;
      return cur ? cur->QUEST_loadActLevel() : 0;
    };
  }
  g.setStartData();
  g.botPlays = bot;
  return "MAIN-GAME";
}
