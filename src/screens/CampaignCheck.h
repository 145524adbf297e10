// Proof that the shipped campaign holds together and can be won: the level
// lists, every level file read through the game's own loader, the rules a
// playable board must keep, and seeded bot games at a human pace on the
// fixed 1/60 s clock. The level generator uses the same rules and the same
// paced player to set each level's time.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TM3Game;
class TLevel;
class TRCMFile;

inline constexpr int kCampaignLevels = 191;
// Level times the campaign keeps to, in seconds.
inline constexpr int kMinLevelTime = 180;
inline constexpr int kMaxLevelTime = 420;
// The largest jigsaw: winning level 190 with pieces unlocks this many.
inline constexpr int kMaxJigsawPieces = 42;

// Reads the board catalogs of the game folder (the working directory) into
// the controller: chips, bonuses, tiles, frame pieces, board settings, level
// backgrounds and the power-up charge thresholds.
void loadCampaignCatalogs(TM3Game& g);

// The power-up slots a profile has uncovered on level n (slot k from the
// level after its unlock level on).
bool powerUpOpenOnLevel(int slot, int levelNr);

struct TPaceOptions {
  double thinkSeconds = 1.5;  // a quiet board is looked at this long before a move
  bool checkInvariants = true;
};

struct TPacedRun {
  bool won = false;     // won within the level's time
  int moves = 0;
  double seconds = 0;   // game time played (to the win, or the whole time)
  std::vector<std::string> violations;
};

// A level file's text read through the game's loader for a bot game: the
// board without its background picture.
std::shared_ptr<TLevel> loadLevelForPlay(TM3Game& g, const std::string& levelText);

// One seeded game of the level by the bot on the fixed 1/60 s clock, with
// headless effects, at most one move per think time once the board is
// quiet, power-ups uncovered as on level `levelNr` and starting empty.
TPacedRun playLevelPaced(TM3Game& g, const std::shared_ptr<TLevel>& level, int levelNr, uint64_t seed,
                         const TPaceOptions& opt = {});

// The rules a shipped level keeps, as one line per broken rule (empty when
// it is sound). `raw` is the level file as read; `level` what the game's
// loader made of it; the controller holds the catalogs.
std::vector<std::string> checkLevelRules(TM3Game& g, const TRCMFile& raw, const std::shared_ptr<TLevel>& level,
                                         int levelNr);

// The campaign's shape as the lists give it.
struct TCampaignShape {
  std::vector<int> pieces;       // [n]: piece chips on level n's board (index 0 unused)
  std::vector<int> cumulative;   // [n]: puzzlelist2 value of level n
  std::vector<int> stageStart;   // first level of each stage
  std::vector<int> stageEnd;     // last level of each stage
  std::vector<int> stagePieces;  // jigsaw pieces of each stage
  int lastPlayed = 0;            // last level a campaign reaches
};

// Checks the lists and the levels together (C1-C11, every path named, the
// rules above). `folder` is the game folder ("" = working directory).
// Problems are appended; `levels` receives the loaded levels by number.
TCampaignShape checkCampaignContent(TM3Game& g, std::vector<std::string>& problems,
                                    std::vector<std::shared_ptr<TLevel>>& levels, const std::string& folder = "");

struct TCampaignCheckOptions {
  int seeds = 10;
  std::string reportDir;  // campaign-report.txt and campaign-difficulty.png
  TPaceOptions pace;
};

// The whole check; the process exit status (0 when every check holds).
int runCampaignCheck(const TCampaignCheckOptions& opt);
