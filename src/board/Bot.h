// A player for headless runs: it plays a level through the controller's own
// input (the mouse, frame by frame), picking the best swap, the longest chain
// or the largest group and using power-ups once they are charged, and checks
// the board's invariants after every frame. The level checks, the soak and
// the benchmarks run on it.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "board/M3Game.h"

struct TBotOptions {
  int maxMoves = 30;
  int maxFrames = 30000;
  bool usePowerUps = true;
  bool checkInvariants = true;
  double frameMs = 1000.0 / 60.0;
  // Weigh moves by what is left to win (breakable cells, chains, cells
  // under jigsaw pieces) as a player aims, not by their size alone.
  bool aimAtGoals = false;
};

struct TBotResult {
  int moves = 0;
  int frames = 0;
  int powerUpsUsed = 0;
  int refills = 0;
  bool won = false;
  std::vector<std::string> violations;
};

class TBot {
 public:
  explicit TBot(TM3Game& g) : g_(g) {}
  // Plays until won, out of moves or out of frames. The fake clock must be on.
  TBotResult play(const TBotOptions& opt = {});
  // One frame: the next scripted mouse step, the controller's update and
  // control, the clock. Returns false once nothing more is to be done.
  void frame(const TBotOptions& opt, TBotResult& res);
  // Plans the next move on a quiet board; false when none was planned.
  bool planMove(TBotResult& res, const TBotOptions& opt);
  // True while a planned move is still being played through the mouse.
  bool moving() const { return next_ < plan_.size(); }
  // Board invariants; each broken one as a line of text.
  std::vector<std::string> check();

 private:
  struct Step {
    TTile* tile;  // null: mouse away
    bool press, hold;
  };
  TM3Game& g_;
  std::vector<Step> plan_;
  size_t next_ = 0;
  std::map<TChip*, std::pair<TChipPtr, std::string>> seen_;
  int lastScore_ = 0;
  int lastDebris_ = 0;
  int quietFrames_ = 0;
};

// The move worth most to a player aiming at the win: its size plus the goals
// its chips sit on (breakable cells, chains, cells under jigsaw pieces).
// tile1 and tile2 for a swap, zaznaczone for a chain or group; empty when the
// board has no move.
TMatchInfo aimedMove(TM3Game& g);

// A random level for the bot on the game's catalogs: rows x cols, holes in
// the bottom row, some breakable cells, `kinds`
// colours, the first six charging the power-ups.
std::shared_ptr<TLevel> makeBotLevel(TM3Game& g, int rows, int cols, const std::string& mode, int kinds);
