#include "screens/CampaignCheck.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <map>
#include <set>
#include <sstream>

#include "app/Screen.h"
#include "board/Bot.h"
#include "board/M3Game.h"
#include "board/MoveSearch.h"
#include "board/PowerUp.h"
#include "data/RCMFile.h"
#include "gui/Mouse.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Font.h"
#include "platform/Pixmap.h"
#include "platform/Random.h"
#include "screens/LevelManager.h"

namespace {

std::string levelName(int n) { return "level " + std::to_string(n) + ": "; }

std::vector<std::string> words(const std::string& s) {
  std::vector<std::string> out;
  std::istringstream in(s);
  std::string w;
  while (in >> w) out.push_back(w);
  return out;
}

int toInt(const std::string& s) { return static_cast<int>(std::clamp<long long>(rcmToInt(s), -1000000, 1000000)); }

bool real(const TTile* t) { return t && t->kindId() != 0; }
int chipId(const TTile* t) { return (t && t->chip && t->chip->cd) ? t->chip->cd->id : 0; }
bool isPiece(const TTile* t) { return t && t->chip && t->chip->cd && t->chip->cd->puzzleChip; }
bool isColour(const TTile* t) { return t && t->chip && t->chip->cd && t->chip->cd->proper(); }

// Straight lines of three like colours on the board as it stands.
bool anyLine(const TLevel& L) {
  for (int r = 0; r < L.rows; ++r)
    for (int c = 0; c < L.cols; ++c) {
      TTile* t = L.at(r, c);
      if (!isColour(t)) continue;
      const int id = chipId(t);
      auto same = [&](int rr, int cc) {
        TTile* o = L.at(rr, cc);
        return isColour(o) && chipId(o) == id;
      };
      if (same(r, c + 1) && same(r, c + 2)) return true;
      if (same(r + 1, c) && same(r + 2, c)) return true;
    }
  return false;
}

// Sizes of the 4-connected groups of like colours.
std::vector<int> groupSizes(const TLevel& L) {
  std::vector<int> sizes;
  std::vector<char> seen(static_cast<size_t>(L.rows * L.cols), 0);
  for (int r = 0; r < L.rows; ++r)
    for (int c = 0; c < L.cols; ++c) {
      if (seen[r * L.cols + c] || !isColour(L.at(r, c))) continue;
      const int id = chipId(L.at(r, c));
      int n = 0;
      std::vector<std::pair<int, int>> open{{r, c}};
      seen[r * L.cols + c] = 1;
      while (!open.empty()) {
        auto [rr, cc] = open.back();
        open.pop_back();
        ++n;
        const int d[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (auto& s : d) {
          const int nr = rr + s[0], nc = cc + s[1];
          TTile* o = L.at(nr, nc);
          if (!o || seen[nr * L.cols + nc] || !isColour(o) || chipId(o) != id) continue;
          seen[nr * L.cols + nc] = 1;
          open.push_back({nr, nc});
        }
      }
      sizes.push_back(n);
    }
  return sizes;
}

// Cells that falling chips can reach: from a creator, straight down through
// cells whose chip may fall, or diagonally past a hole or a chained cell.
std::vector<char> refillable(const TLevel& L) {
  std::vector<char> ok(static_cast<size_t>(L.rows * L.cols), 0);
  auto get = [&](int r, int c) { return (r >= 0 && c >= 0 && r < L.rows && c < L.cols) ? ok[r * L.cols + c] : 0; };
  for (int r = 0; r < L.rows; ++r)
    for (int c = 0; c < L.cols; ++c) {
      TTile* t = L.at(r, c);
      if (!real(t)) continue;
      bool reach = t->creator != 0;
      TTile* above = L.at(r - 1, c);
      if (real(above) && !above->chain && get(r - 1, c)) reach = true;
      if (r > 0 && (!real(above) || above->chain) && (get(r - 1, c - 1) || get(r - 1, c + 1))) reach = true;
      ok[r * L.cols + c] = reach ? 1 : 0;
    }
  return ok;
}

}  // namespace

bool powerUpOpenOnLevel(int slot, int levelNr) {
  static const int after[6] = {0, 6, 14, 23, 34, 45};
  return slot >= 1 && slot <= 6 && levelNr > after[slot - 1];
}

void loadCampaignCatalogs(TM3Game& g) {
  g.loadChips("data/chips.dat");
  g.loadBonusChips("data/bonusy.dat");
  g.loadTiles("data/tiles.dat");
  g.loadFrame("data/frames.dat");
  g.loadSettings("data/settings.dat");
  backgroundList().clear();  // the reader appends: a second reading would double the list
  loadBackgrounds("data/backgrounds.dat");
  loadPowerUpsTimes("data/powerUps.dat");
}

std::shared_ptr<TLevel> loadLevelForPlay(TM3Game& g, const std::string& levelText) {
  auto raw = parseRCMText(levelText, "level");
  raw->setFloat("level::data::backGround", 0);
  return loadLevelFrom(*raw, g);
}

TPacedRun playLevelPaced(TM3Game& g, const std::shared_ptr<TLevel>& level, int levelNr, uint64_t seed,
                         const TPaceOptions& opt) {
  TPacedRun out;
  plat::useFakeClock(100000);
  plat::seedRandom(seed);
  delta = 1;
  g.setLevel(level);
  level->setPosition(534, 406);
  for (int k = 0; k < 6; ++k) {
    TPowerUp& p = (*g.powerUps)[k];
    p = TPowerUp{};
    p.n = k + 1;
    p.odkryty = powerUpOpenOnLevel(k + 1, levelNr) ? 1 : 0;
  }
  TBot bot(g);
  TBotOptions bo;
  bo.checkInvariants = opt.checkInvariants;
  bo.aimAtGoals = true;  // a player goes for what is left to win
  TBotResult res;
  const int limit = level->czas * 60;
  const int think = std::max(2, static_cast<int>(std::lround(opt.thinkSeconds * 60)));
  int quietRun = 0;
  while (res.frames < limit) {
    bot.frame(bo, res);
    quietRun = (g.quiet() && !bot.moving()) ? quietRun + 1 : 0;
    if (quietRun >= 2 && g.tilesToCollect == 0 && g.puzzles == 0) {
      out.won = true;
      break;
    }
    if (quietRun >= 3 && quietRun < think) {
      // The player looks at a board at rest: nothing on it changes while
      // the clock runs on, so those frames are counted, not stepped.
      const int skip = std::min(think - quietRun, limit - res.frames);
      plat::advanceFakeClock(skip * bo.frameMs);
      res.frames += skip;
      quietRun += skip;
    }
    if (quietRun >= think && res.frames < limit) {
      if (bot.planMove(res, bo)) ++res.moves;
      quietRun = 0;
    }
    if (!res.violations.empty()) break;
  }
  mouse().leftPressed = mouse().leftHolded = 0;
  out.moves = res.moves;
  out.seconds = res.frames / 60.0;
  out.violations = res.violations;
  return out;
}

std::vector<std::string> checkLevelRules(TM3Game& g, const TRCMFile& raw, const std::shared_ptr<TLevel>& level,
                                         int levelNr) {
  std::vector<std::string> p;
  const std::string at = levelName(levelNr);
  auto fail = [&](const std::string& s) { p.push_back(at + s); };
  TLevel& L = *level;
  if (L.rows < 5 || L.rows > 12 || L.cols < 5 || L.cols > 16)
    fail("board is " + std::to_string(L.rows) + " x " + std::to_string(L.cols) + ", outside 5..12 x 5..16");
  if (L.rows <= 0 || L.cols <= 0) return p;

  // Background: an id that exists, whose picture is in the game folder.
  const int bg = toInt(raw.getString("level::data::backGround"));
  auto back = getBackground(bg);
  if (!back) fail("no background with id " + std::to_string(bg));
  else if (!plat::fileExists(back->url)) fail("background " + std::to_string(bg) + " names a missing file " + back->url);

  // L9: a fresh level's time, in the campaign's range.
  if (L.czas != L.maxCzas) fail("time " + std::to_string(L.czas) + " differs from its full time " + std::to_string(L.maxCzas));
  if (L.maxCzas < kMinLevelTime || L.maxCzas > kMaxLevelTime)
    fail("time " + std::to_string(L.maxCzas) + " s outside " + std::to_string(kMinLevelTime) + ".." +
         std::to_string(kMaxLevelTime));
  const std::string mode = raw.getString("level::data::matchType");
  if (mode != "SWAP" && mode != "CHAIN" && mode != "GROUP") fail("mode \"" + mode + "\" is not SWAP, CHAIN or GROUP");
  if (L.score != 0 || L.tilesCount != 0 || L.puzzles != 0) fail("score, tile count and pieces must start at 0");

  // Available kinds: every id known, ordinary colours only, enough of them
  // for every power-up slot that is open here (C10).
  const auto avail = words(raw.getString("level::data::availableChips"));
  std::set<int> colours;
  for (const auto& w : avail) {
    auto kind = g.getChipData(toInt(w));
    if (!kind) fail("availableChips names no chip kind " + w);
    else if (!kind->proper()) fail("availableChips holds " + w + ", which is not an ordinary colour");
    else if (!colours.insert(kind->id).second) fail("availableChips names " + w + " twice");
  }
  if (colours.size() < 3) fail("fewer than 3 available colours");
  for (int slot = 6; slot >= 1; --slot)
    if (powerUpOpenOnLevel(slot, levelNr) && static_cast<int>(colours.size()) < slot) {
      fail("power-up " + std::to_string(slot) + " is open but only " + std::to_string(colours.size()) +
           " colours can charge");
      break;
    }
  const auto bonus = words(raw.getString("level::data::availableBonus"));
  if (L.availableBonus.size() != bonus.size()) fail("availableBonus names unknown bonus kinds");
  if (mode == "GROUP" && L.availableBonus.empty()) fail("a GROUP level without bonus kinds forms no bonus");

  // Rows as written: every list as long as the board (the loader fills gaps
  // silently with holes), the frame one cell wider on each side (L8).
  for (int r = 0; r < L.rows; ++r)
    for (const char* sec : {"tiles", "chips", "chain"})
      if (static_cast<int>(words(raw.getString(std::string("level::") + sec + "::row" + std::to_string(r))).size()) != L.cols)
        fail(std::string(sec) + " row " + std::to_string(r) + " does not hold " + std::to_string(L.cols) + " values");
  if (!L.hasFrames()) fail("no frame");
  for (int r = 0; r < L.rows + 2 && L.hasFrames(); ++r) {
    for (int c = 0; c < L.cols + 2; ++c) {
      const std::string cell = raw.getString("level::frame::row" + std::to_string(r), c);
      if (cell.empty()) {
        fail("frame row " + std::to_string(r) + " lacks value " + std::to_string(c));
        break;
      }
      std::vector<int> want;
      for (auto& piece : L.CreateTileFramesList(r, c)) want.push_back(piece->id);
      std::vector<int> have;
      for (auto& piece : L.frameAt(r, c)->lista) have.push_back(piece->id);
      if (have != want || have.empty() || have[0] != 0) {
        fail("frame cell " + std::to_string(r) + "," + std::to_string(c) + " is not the border of the board's shape");
        break;
      }
    }
  }

  // Cells.
  int breakable = 0, pieces = 0;
  const auto reach = refillable(L);
  for (int c = 0; c < L.cols; ++c)
    for (int r = 0; r < L.rows; ++r)
      if (real(L.at(r, c))) {
        if (!L.at(r, c)->creator) fail("column " + std::to_string(c) + " has no chip creator on its top cell");
        break;
      }
  for (int r = 0; r < L.rows; ++r)
    for (int c = 0; c < L.cols; ++c) {
      TTile* t = L.at(r, c);
      const std::string cell = " at " + std::to_string(r) + "," + std::to_string(c);
      const int kind = t->kindId();
      if (kind == 2 || kind == 3) ++breakable;
      if (!real(t)) {
        if (t->chip) fail("a chip on a hole" + cell);
        if (t->chain) fail("a chain on a hole" + cell);
        if (t->creator) fail("a chip creator on a hole" + cell);
        continue;
      }
      if (!t->chip) fail("an empty cell" + cell);  // L1
      if (!reach[r * L.cols + c]) fail("no falling chip can refill the cell" + cell);  // L3
      if (t->chain) {  // L6
        if (!isColour(t)) fail("a chain on a cell without an ordinary chip" + cell);
        if (t->creator) fail("a chain on a chip creator" + cell);
      }
      const int id = chipId(t);
      if (id > 100 && (id < 101 || id > 106)) fail("unknown bonus chip" + cell);  // L7
      if (isColour(t) && !colours.count(id)) fail("a colour that is not available" + cell);
      if (isPiece(t)) {  // L5
        ++pieces;
        if (r == L.rows - 1) fail("a jigsaw piece on the bottom row" + cell);
        else if (!real(L.at(r + 1, c))) fail("a jigsaw piece right above a hole" + cell);
        if (t->chain) fail("a chained jigsaw piece" + cell);
        for (int b = r + 1; b < L.rows && real(L.at(b, c)); ++b)
          if (!isColour(L.at(b, c))) {
            fail("a jigsaw piece above something other than ordinary chips" + cell);
            break;
          }
      }
    }
  if (breakable == 0 && pieces == 0) fail("nothing to break and no piece: won at the first quiet board");  // C6
  const int saPuzzle = toInt(raw.getString("level::data::saPuzzle"));
  if (saPuzzle != (pieces > 0 ? 1 : 0))
    fail("saPuzzle is " + std::to_string(saPuzzle) + " with " + std::to_string(pieces) + " piece chip(s)");

  // L2: the first move is there and nothing resolves by itself.
  g.setLevel(level);
  if (mode == "SWAP") {
    if (anyLine(L)) fail("a line of three stands at the start");
    if (!matchLeftSwapShort(L)) fail("no swap makes a line at the start");
  } else if (mode == "CHAIN") {
    if (!matchLeftChainShort(L)) fail("no chain of three at the start");
  } else if (mode == "GROUP") {
    const auto sizes = groupSizes(L);
    if (std::count_if(sizes.begin(), sizes.end(), [](int n) { return n >= 3; }) < 2)
      fail("fewer than two groups of three at the start");
  }
  g.setLevel(nullptr);
  return p;
}

namespace {

// One data file of the game folder, or a problem when it is missing.
std::shared_ptr<TRCMFile> dataFile(const std::string& path, std::vector<std::string>& problems, bool required) {
  if (!plat::fileExists(path)) {
    if (required) problems.push_back(path + " is missing");
    return nullptr;
  }
  return loadRCMFile(path);
}

// Jigsaw files, dogs and stories, checked against the stages when the game
// folder has them (C2, C4, C7, C8, C11).
void checkDogsAndStories(const TCampaignShape& s, std::vector<std::string>& problems, const std::string& folder) {
  auto dogs = dataFile(folder + "data/dogs.dat", problems, false);
  if (!dogs) {
    std::cout << "campaign check: no data/dogs.dat yet; stage starts and jigsaw sizes are checked against the lists only"
              << std::endl;
  } else {
    const int n = static_cast<int>(dogs->getFloat("dogs::i"));
    if (n != static_cast<int>(s.stageStart.size()))
      problems.push_back("data/dogs.dat has " + std::to_string(n) + " dogs for " + std::to_string(s.stageStart.size()) +
                         " stages");
    if (n > 21) problems.push_back("more than 21 dogs: the gallery holds 21");
    for (int stage = 1; stage <= static_cast<int>(s.stageStart.size()); ++stage) {
      int found = 0;
      for (int k = 1; k <= n; ++k) {
        const std::string key = "dogs::dog" + std::to_string(k) + "::";
        if (static_cast<int>(dogs->getFloat(key + "id")) != stage) continue;
        found = k;
        const int start = static_cast<int>(dogs->getFloat(key + "startowyLevel"));
        if (start != s.stageStart[stage - 1])
          problems.push_back("dog " + std::to_string(stage) + " starts at level " + std::to_string(start) +
                             ", its stage at " + std::to_string(s.stageStart[stage - 1]));
        const std::string jig = dogs->getString(key + "puzzleLevel");
        if (!plat::fileExists(folder + jig)) {
          problems.push_back("dog " + std::to_string(stage) + " names a missing jigsaw " + jig);
          continue;
        }
        const int pieces = static_cast<int>(loadRCMFile(folder + jig)->getFloat("puzzles::i"));
        if (pieces != s.stagePieces[stage - 1])
          problems.push_back("jigsaw of stage " + std::to_string(stage) + " has " + std::to_string(pieces) +
                             " pieces; its levels unlock " + std::to_string(s.stagePieces[stage - 1]));
        if (pieces > kMaxJigsawPieces) problems.push_back("jigsaw " + jig + " has more than 42 pieces");
        break;
      }
      if (!found) problems.push_back("no dog with id " + std::to_string(stage) + " for stage " + std::to_string(stage));
    }
  }
  const char* stories[3][2] = {{"1", "UBIERANIE"}, {"3", "UBIERANIE"}, {"2", "MAIN-MENU"}};
  for (auto& st : stories) {
    const std::string path = folder + "data/story-" + st[0] + ".dat";
    auto f = dataFile(path, problems, false);
    if (!f) continue;
    std::string atEnd = f->getString("story::atEnd");
    std::transform(atEnd.begin(), atEnd.end(), atEnd.begin(), ::toupper);
    if (atEnd != st[1]) problems.push_back(path + " ends with \"" + atEnd + "\" instead of \"" + st[1] + "\"");
  }
}

}  // namespace

TCampaignShape checkCampaignContent(TM3Game& g, std::vector<std::string>& problems,
                                    std::vector<std::shared_ptr<TLevel>>& levels, const std::string& folder) {
  TCampaignShape s;
  const int N = kCampaignLevels;
  s.pieces.assign(N + 1, 0);
  s.cumulative.assign(N + 1, 0);
  levels.assign(N + 1, nullptr);

  TLevelManager lists;
  if (!plat::fileExists(folder + "data/puzzleList.dat")) {
    problems.push_back("data/puzzleList.dat is missing (the game cannot start without it)");
    return s;
  }
  for (const char* f : {"data/quest_levels.dat", "data/free_levels.dat", "data/puzzlelist2.dat"})
    if (!plat::fileExists(folder + f)) problems.push_back(std::string(f) + " is missing");
  lists.setup(folder + "data/");

  // C1: every level number listed once, pointing at its own loadable file.
  auto quest = loadRCMFile(folder + "data/quest_levels.dat");
  if (static_cast<int>(quest->getFloat("levels::i")) != N)
    problems.push_back("data/quest_levels.dat lists " + std::to_string(static_cast<int>(quest->getFloat("levels::i"))) +
                       " levels, not " + std::to_string(N));
  std::map<int, int> idCount;
  for (auto& d : lists.questLevels) ++idCount[d.id];
  for (auto& [id, count] : idCount)
    if (count > 1) problems.push_back("data/quest_levels.dat lists level " + std::to_string(id) + " " + std::to_string(count) + " times");
  for (auto& d : lists.freePlayLevels)
    if (!plat::fileExists(folder + d.url)) problems.push_back("data/free_levels.dat names a missing file " + d.url);
  for (int n = 1; n <= N; ++n) {
    const TLevelData* d = lists.getQuestLevelData(n);
    if (!d) {
      problems.push_back(levelName(n) + "not in data/quest_levels.dat");
      continue;
    }
    const std::string want = "data/levels/level-" + std::to_string(n) + ".lvl";
    if (d->url != want) problems.push_back(levelName(n) + "listed as " + d->url + " instead of " + want);
    if (!plat::fileExists(folder + d->url)) {
      problems.push_back(levelName(n) + "file " + d->url + " is missing");
      continue;
    }
    auto raw = loadRCMFile(folder + d->url);
    auto L = loadLevelFrom(*raw, g);
    if (!L || L->rows <= 0 || L->cols <= 0) {
      problems.push_back(levelName(n) + d->url + " holds no board");
      continue;
    }
    for (auto& e : checkLevelRules(g, *raw, L, n)) problems.push_back(e);
    for (auto& t : L->tile)
      if (isPiece(t.get())) ++s.pieces[n];
    L->backImg = nullptr;  // 191 pictures would hold hundreds of megabytes
    levels[n] = L;
  }

  // The piece lists: both cover every level with the same numbers.
  if (static_cast<int>(lists.puzzleList2.size()) != N)
    problems.push_back("data/puzzlelist2.dat lists " + std::to_string(lists.puzzleList2.size()) + " levels, not " +
                       std::to_string(N));
  if (static_cast<int>(lists.puzzleList.size()) != N)
    problems.push_back("data/puzzleList.dat has " + std::to_string(lists.puzzleList.size()) + " lines, not " +
                       std::to_string(N));
  for (int n = 1; n <= N; ++n) {
    const TPuzzleData* a = lists.getPuzzleData2(n);
    const TPuzzleData* b = lists.getPuzzleData(n);
    s.cumulative[n] = a ? a->puzzles : 0;
    if (a && b && a->puzzles != b->puzzles)
      problems.push_back(levelName(n) + "the two piece lists differ (" + std::to_string(b->puzzles) + " and " +
                         std::to_string(a->puzzles) + ")");
  }

  // Stages (C3, C4, C5): inside a stage the count grows by the level's piece
  // chips; a stage ends at a level with pieces, and the next starts afresh.
  // Levels after the last stage end carry nothing and are never played.
  int stageStartAt = 1;
  for (int n = 1; n <= N; ++n) {
    const int want = (n == stageStartAt ? 0 : s.cumulative[n - 1]) + s.pieces[n];
    if (s.cumulative[n] != want)
      problems.push_back(levelName(n) + "puzzlelist2 says " + std::to_string(s.cumulative[n]) + " pieces, its stage has " +
                         std::to_string(want) + " (" + std::to_string(s.pieces[n]) + " piece chip(s) on the board)");
    // A stage ends where the next level does not go on counting from it.
    const bool endsHere = s.cumulative[n] > 0 && (n == N || s.cumulative[n + 1] != s.cumulative[n] + s.pieces[n + 1]);
    if (!endsHere) continue;
    if (s.pieces[n] == 0) problems.push_back(levelName(n) + "ends a stage without pieces: the jigsaw never opens (C4)");
    s.stageStart.push_back(stageStartAt);
    s.stageEnd.push_back(n);
    s.stagePieces.push_back(s.cumulative[n]);
    stageStartAt = n + 1;
  }
  if (s.stageEnd.empty()) problems.push_back("no stage ends: the lists carry no pieces");
  s.lastPlayed = s.stageEnd.empty() ? N : s.stageEnd.back();
  for (int n = s.lastPlayed + 1; n <= N; ++n)
    if (s.pieces[n] || s.cumulative[n])
      problems.push_back(levelName(n) + "carries pieces after the last stage has ended");
  if (s.stageEnd.size() > 21) problems.push_back(std::to_string(s.stageEnd.size()) + " stages: at most 21 dogs");
  if (!s.stageEnd.empty() && s.stageEnd[0] != 12)
    problems.push_back("the first stage ends at level " + std::to_string(s.stageEnd[0]) +
                       ", not 12: story 3 would interrupt it (C7)");
  for (size_t k = 0; k < s.stagePieces.size(); ++k)
    if (s.stagePieces[k] > kMaxJigsawPieces)
      problems.push_back("stage " + std::to_string(k + 1) + " unlocks more than 42 pieces");
  // The ending (C9): a last dress-up visit after level 190 ends the game
  // without the closing story; any other level reaches it.
  if (s.lastPlayed == 190)
    std::cout << "campaign check: the last stage ends at level 190; the game ends there without story 2" << std::endl;
  checkDogsAndStories(s, problems, folder);
  return s;
}

// ------------------------------------------------------------------ the report

namespace {

struct LevelFigures {
  int level = 0;
  std::string mode;
  int time = 0;
  int wins = 0, runs = 0;
  double medianMoves = 0, medianSeconds = 0, worstSeconds = 0;
  double difficulty = 0;  // median share of the level time used (a lost run counts as all of it)
  bool pass = false;
};

double median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const size_t m = v.size() / 2;
  return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

// A small painter over a pixmap, with the game's own font for the labels.
class Plot {
 public:
  Plot(int w, int h) : pm(w, h) { pm.fill(255, 255, 255, 255); }
  void rect(int x, int y, int w, int h, uint32_t rgb) {
    for (int yy = std::max(0, y); yy < std::min(pm.height, y + h); ++yy)
      for (int xx = std::max(0, x); xx < std::min(pm.width, x + w); ++xx) {
        uint8_t* p = pm.at(xx, yy);
        p[0] = rgb >> 16;
        p[1] = (rgb >> 8) & 255;
        p[2] = rgb & 255;
        p[3] = 255;
      }
  }
  void text(const plat::FontPtr& font, const std::string& s, int x, int y, uint32_t rgb) {
    if (!font) return;
    const plat::Pixmap& atlas = font->atlas()->pixmap();
    float pen = static_cast<float>(x);
    for (char ch : s) {
      const plat::Glyph* gl = font->glyph(static_cast<unsigned char>(ch));
      if (!gl) continue;
      for (int yy = 0; yy < gl->h; ++yy)
        for (int xx = 0; xx < gl->w; ++xx) {
          const int px = static_cast<int>(pen + gl->offsetX) + xx, py = y + static_cast<int>(gl->offsetY) + yy;
          if (px < 0 || py < 0 || px >= pm.width || py >= pm.height) continue;
          const uint8_t* a = atlas.at(gl->sx + xx, gl->sy + yy);
          const int alpha = a[3];
          uint8_t* p = pm.at(px, py);
          const int col[3] = {static_cast<int>(rgb >> 16), static_cast<int>((rgb >> 8) & 255), static_cast<int>(rgb & 255)};
          for (int k = 0; k < 3; ++k) p[k] = static_cast<uint8_t>((p[k] * (255 - alpha) + col[k] * alpha) / 255);
        }
      pen += gl->advance;
    }
  }
  plat::Pixmap pm;
};

void writePlot(const std::string& path, const std::vector<LevelFigures>& figs, const TCampaignShape& shape, int seeds) {
  const int W = 1400, H = 560, left = 70, right = 20, top = 50, bottom = 60;
  Plot plot(W, H);
  auto font = plat::ImageFont::load("gfx/fonts/DejaVuSans.ttf", 13);
  const int n = static_cast<int>(figs.size());
  const int plotW = W - left - right, plotH = H - top - bottom;
  const double bw = plotW / static_cast<double>(std::max(1, n));
  // Grid lines each 25 % of the level time.
  for (int q = 0; q <= 4; ++q) {
    const int y = top + plotH - plotH * q / 4;
    plot.rect(left, y, plotW, 1, 0xdddddd);
    plot.text(font, std::to_string(q * 25) + " %", 20, y - 8, 0x444444);
  }
  // Stage bands in alternating shades, with their numbers.
  for (size_t k = 0; k < shape.stageStart.size(); ++k) {
    const int x0 = left + static_cast<int>((shape.stageStart[k] - 1) * bw);
    const int x1 = left + static_cast<int>(shape.stageEnd[k] * bw);
    if (k % 2) plot.rect(x0, top, x1 - x0, plotH, 0xf2f4f8);
    plot.text(font, std::to_string(k + 1), (x0 + x1) / 2 - 4, top + plotH + 6, 0x666666);
  }
  for (int i = 0; i < n; ++i) {
    const LevelFigures& f = figs[i];
    const int x = left + static_cast<int>(i * bw);
    const int h = static_cast<int>(plotH * std::min(1.0, f.difficulty));
    const uint32_t colour = !f.pass ? 0xd03030 : f.mode == "SWAP" ? 0x4a7fd0 : f.mode == "CHAIN" ? 0x3fae5a : 0xe0a030;
    plot.rect(x, top + plotH - h, std::max(1, static_cast<int>(bw) - 1), h, colour);
    // The worst run as a dark tick above the bar.
    const int wy = top + plotH - static_cast<int>(plotH * std::min(1.0, f.worstSeconds / std::max(1, f.time)));
    plot.rect(x, wy, std::max(1, static_cast<int>(bw) - 1), 2, 0x333333);
  }
  plot.rect(left, top + plotH, plotW, 1, 0x000000);
  plot.rect(left, top, 1, plotH, 0x000000);
  plot.text(font,
            "Share of the level time the paced bot needed (median bar, worst run tick), " + std::to_string(seeds) +
                " seeds per level; red = below 9 in 10 wins",
            left, 12, 0x000000);
  plot.text(font, "SWAP", W - 260, 32, 0x4a7fd0);
  plot.text(font, "CHAIN", W - 200, 32, 0x3fae5a);
  plot.text(font, "GROUP", W - 130, 32, 0xe0a030);
  plot.text(font, "stages (levels 1.." + std::to_string(n) + ")", left + plotW / 2 - 60, H - 28, 0x000000);
  plat::savePng(path, plot.pm);
}

}  // namespace

int runCampaignCheck(const TCampaignCheckOptions& opt) {
  using clock = std::chrono::steady_clock;
  const auto t0 = clock::now();
  TM3Game g;
  loadCampaignCatalogs(g);
  std::vector<std::string> problems;
  std::vector<std::shared_ptr<TLevel>> levels;
  const TCampaignShape shape = checkCampaignContent(g, problems, levels);
  const double staticSeconds = std::chrono::duration<double>(clock::now() - t0).count();

  // Each level is played from its file text, so every run starts from the
  // board as shipped.
  const int seeds = std::max(1, opt.seeds);
  const int needWins = (9 * seeds + 9) / 10;
  std::vector<LevelFigures> figs;
  // CI plays a sample: every level is still read and checked, but only
  // every K-th is played (WOOFMERE_CHECK_EVERY=K).
  const char* every = std::getenv("WOOFMERE_CHECK_EVERY");
  const int stride = every ? std::clamp(std::atoi(every), 1, kCampaignLevels) : 1;
  for (int n = 1; n <= kCampaignLevels; ++n) {
    if (!levels[n] || (n - 1) % stride != 0) continue;
    LevelFigures f;
    f.level = n;
    f.mode = levels[n]->matchType;
    f.time = levels[n]->maxCzas;
    const std::string text = levels[n]->saveText();
    std::vector<double> moves, secs, shares;
    for (int s = 1; s <= seeds; ++s) {
      auto L = loadLevelForPlay(g, text);
      const TPacedRun r = playLevelPaced(g, L, n, static_cast<uint64_t>(n) * 7919u + static_cast<uint64_t>(s), opt.pace);
      ++f.runs;
      f.wins += r.won ? 1 : 0;
      moves.push_back(r.moves);
      secs.push_back(r.seconds);
      shares.push_back(r.won ? r.seconds / std::max(1, f.time) : 1.0);
      f.worstSeconds = std::max(f.worstSeconds, r.seconds);
      for (auto& v : r.violations) problems.push_back(levelName(n) + "seed " + std::to_string(s) + ": " + v);
      g.setLevel(nullptr);
    }
    f.medianMoves = median(moves);
    f.medianSeconds = median(secs);
    f.difficulty = median(shares);
    f.pass = f.wins >= needWins;
    if (!f.pass)
      problems.push_back(levelName(n) + "won " + std::to_string(f.wins) + " of " + std::to_string(f.runs) +
                         " runs within " + std::to_string(f.time) + " s (needs " + std::to_string(needWins) + ")");
    std::printf("level %3d %-5s %3d s: won %d of %d, median %.0f s\n", n, f.mode.c_str(), f.time, f.wins, f.runs,
                f.medianSeconds);
    std::fflush(stdout);
    figs.push_back(f);
  }
  const double totalSeconds = std::chrono::duration<double>(clock::now() - t0).count();

  // The report: one line per level, then the problems.
  std::ostringstream rep;
  char line[256];
  rep << "Campaign check: " << seeds << " seed(s) per level";
  if (stride > 1) rep << ", every " << stride << "th level played";
  rep << ", one move at most every " << opt.pace.thinkSeconds
      << " s of game time once the board is quiet\n";
  rep << "stages:";
  for (size_t k = 0; k < shape.stageStart.size(); ++k)
    rep << " " << shape.stageStart[k] << "-" << shape.stageEnd[k] << "(" << shape.stagePieces[k] << ")";
  rep << "\nlast level played: " << shape.lastPlayed
      << (shape.lastPlayed == 190 ? " (ends at 190 without the closing story)\n" : " (the closing story follows)\n");
  rep << "level mode  time  wins  moves  used(s)  worst(s)  used%\n";
  double lo = 1, hi = 0;
  for (auto& f : figs) {
    std::snprintf(line, sizeof line, "%5d %-5s %5d %3d/%-3d %5.0f %8.1f %9.1f %5.0f%s\n", f.level, f.mode.c_str(), f.time,
                  f.wins, f.runs, f.medianMoves, f.medianSeconds, f.worstSeconds, 100 * f.difficulty,
                  f.pass ? "" : "  FAIL");
    rep << line;
    const double rate = f.runs ? static_cast<double>(f.wins) / f.runs : 0;
    lo = std::min(lo, rate);
    hi = std::max(hi, rate);
  }
  std::snprintf(line, sizeof line, "win rate per level: %.0f %% .. %.0f %%; content checks %.1f s, whole check %.1f s\n",
                100 * lo, 100 * hi, staticSeconds, totalSeconds);
  rep << line;
  rep << problems.size() << " problem(s)\n";
  for (auto& p : problems) rep << "  " << p << "\n";

  std::string dir = opt.reportDir.empty() ? "campaign-check" : opt.reportDir;
  plat::createFolder(dir);
  plat::writeTextFile(dir + "/campaign-report.txt", rep.str());
  writePlot(dir + "/campaign-difficulty.png", figs, shape, seeds);
  for (auto& p : problems) std::cout << "campaign check: " << p << "\n";
  std::cout << "campaign check: " << figs.size() << " levels played, " << line;
  std::cout << "campaign check: " << (problems.empty() ? "every check holds" : std::to_string(problems.size()) + " problem(s)")
            << "; report in " << dir << "/campaign-report.txt, plot in " << dir << "/campaign-difficulty.png"
            << std::endl;
  return problems.empty() ? 0 : 1;
}
