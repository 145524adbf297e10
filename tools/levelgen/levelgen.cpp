// Writes the campaign: data/levels/level-1.lvl ... and the four level lists,
// from the committed plan and its seed. Boards are built on the game's own
// level model and written with its own writer, checked with the campaign
// rules, and timed by the same paced bot the campaign check uses.
//
//   woofmere-levelgen --plan tools/levelgen/campaign.plan --game build/game --out content
//       [--only FIRST-LAST] [--quick]
//
// --game is a built game folder (the catalogs are read from it); --out is
// the content folder the files are written into. --only rewrites some levels
// (the lists are written whole every time); --quick skips the timing games.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "board/Catalogs.h"
#include "board/Level.h"
#include "board/M3Game.h"
#include "data/RCMFile.h"
#include "platform/Files.h"
#include "screens/CampaignCheck.h"

namespace {

// ------------------------------------------------------------------ the plan

struct Stage {
  int dog = 0, first = 0, last = 0, pieces = 0;
  std::vector<int> perLevel;  // empty: spread by the generator
};

struct Plan {
  uint64_t seed = 1;
  std::vector<Stage> stages;
  int spareFirst = 0, spareLast = 0;
  std::map<int, std::string> modes;
  int mixFrom = 10, swapShare = 60, chainShare = 20;
  std::vector<std::array<int, 3>> colours;  // first, last, kinds
  int sevensFrom = 1000, sevensEvery = 4;
  int chainsFrom = 4, doubleChainsFrom = 8, twoHitsFrom = 16;
  double diffStart = 0.25, diffEnd = 0.5, diffRise = 0.15;
  int minTime = kMinLevelTime, maxTime = kMaxLevelTime;
  int tries = 3;
};

bool range(const std::string& s, int& a, int& b) {
  return std::sscanf(s.c_str(), "%d-%d", &a, &b) == 2 && a >= 1 && b >= a;
}

bool readPlan(const std::string& path, Plan& p) {
  std::ifstream in(path);
  if (!in) {
    std::cout << "levelgen: cannot read the plan " << path << "\n";
    return false;
  }
  std::string line;
  int lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    if (auto h = line.find('#'); h != std::string::npos) line.resize(h);
    std::istringstream ls(line);
    std::string key;
    if (!(ls >> key)) continue;
    bool ok = true;
    if (key == "seed") {
      ok = static_cast<bool>(ls >> p.seed);
    } else if (key == "stage") {
      Stage s;
      std::string r;
      ok = static_cast<bool>(ls >> s.dog >> r >> s.pieces) && range(r, s.first, s.last);
      int v;
      while (ls >> v) s.perLevel.push_back(v);
      if (!s.perLevel.empty() && static_cast<int>(s.perLevel.size()) != s.last - s.first + 1) ok = false;
      p.stages.push_back(s);
    } else if (key == "spare") {
      std::string r;
      ok = static_cast<bool>(ls >> r) && range(r, p.spareFirst, p.spareLast);
    } else if (key == "mode") {
      int n;
      std::string m;
      ok = static_cast<bool>(ls >> n >> m);
      p.modes[n] = m;
    } else if (key == "modes") {
      int group;
      ok = static_cast<bool>(ls >> p.mixFrom >> p.swapShare >> p.chainShare >> group) &&
           p.swapShare + p.chainShare + group == 100;
    } else if (key == "colours") {
      std::string r;
      std::array<int, 3> c{};
      ok = static_cast<bool>(ls >> r >> c[2]) && range(r, c[0], c[1]);
      p.colours.push_back(c);
    } else if (key == "sevens") {
      ok = static_cast<bool>(ls >> p.sevensFrom >> p.sevensEvery) && p.sevensEvery > 0;
    } else if (key == "chains") {
      ok = static_cast<bool>(ls >> p.chainsFrom >> p.doubleChainsFrom);
    } else if (key == "twohits") {
      ok = static_cast<bool>(ls >> p.twoHitsFrom);
    } else if (key == "difficulty") {
      ok = static_cast<bool>(ls >> p.diffStart >> p.diffEnd >> p.diffRise);
    } else if (key == "time") {
      ok = static_cast<bool>(ls >> p.minTime >> p.maxTime);
    } else if (key == "tries") {
      ok = static_cast<bool>(ls >> p.tries) && p.tries >= 1;
    } else {
      ok = false;
    }
    if (!ok) {
      std::cout << "levelgen: " << path << " line " << lineNo << " is not understood: " << line << "\n";
      return false;
    }
  }
  // Stages follow each other without gaps from level 1.
  int next = 1;
  for (auto& s : p.stages) {
    if (s.first != next) {
      std::cout << "levelgen: stage " << s.dog << " starts at " << s.first << ", expected " << next << "\n";
      return false;
    }
    next = s.last + 1;
  }
  if (p.spareFirst && p.spareFirst != next) {
    std::cout << "levelgen: the spare levels must follow the last stage\n";
    return false;
  }
  if ((p.spareFirst ? p.spareLast : next - 1) != kCampaignLevels) {
    std::cout << "levelgen: the plan must cover levels 1.." << kCampaignLevels << "\n";
    return false;
  }
  return true;
}

// ------------------------------------------------------------------ randomness

// A small generator of our own, so the files do not depend on the standard
// library's distributions.
struct Rng {
  uint64_t s;
  explicit Rng(uint64_t seed) : s(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
  uint64_t next() {
    uint64_t z = (s += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int in(int a, int b) {
    if (b < a) std::swap(a, b);
    return a + static_cast<int>(next() % static_cast<uint64_t>(b - a + 1));
  }
  double unit() { return static_cast<double>(next() >> 11) / 9007199254740992.0; }
};

// ------------------------------------------------------------------ one level

struct Design {
  int level = 0, stage = 0, dog = 0;
  std::string mode;
  int colours = 5;
  int pieces = 0;
  double global = 0, local = 0;  // progress through the campaign and the stage, 0..1
  double target = 0.3;           // share of the time the player should need
  int background = 1;
};

using Mask = std::vector<std::vector<char>>;

// Board shapes, symmetric about the vertical axis.
Mask shapeMask(const std::string& kind, int R, int C, Rng& rng) {
  Mask m(R, std::vector<char>(C, 1));
  auto mirrorSet = [&](int r, int c, char v) {
    if (r < 0 || r >= R || c < 0 || c >= C) return;
    m[r][c] = v;
    m[r][C - 1 - c] = v;
  };
  if (kind == "rounded" || kind == "octagon") {
    const int k = kind == "rounded" ? 1 : std::max(2, std::min(R, C) / 3);
    for (int r = 0; r < k; ++r)
      for (int c = 0; c < k - r; ++c) {
        mirrorSet(r, c, 0);
        mirrorSet(R - 1 - r, c, 0);
      }
  } else if (kind == "holes") {
    // Pairs of single holes inside, away from the rim.
    const int n = rng.in(1, std::max(1, R * C / 40));
    for (int i = 0; i < n; ++i) mirrorSet(rng.in(2, R - 3), rng.in(1, C / 2 - 1), 0);
  } else if (kind == "islands" && C >= 8) {
    // Hole columns split the board into blocks side by side.
    const int gap = C % 2 ? C / 2 : rng.in(2, C / 2 - 2);
    for (int r = 0; r < R; ++r) mirrorSet(r, gap, 0);
    if (C % 2 == 0) {
      // An even board gets a raised middle island instead of one split.
      for (int c = gap + 1; c < C - 1 - gap; ++c) m[0][c] = 0;
    }
  } else if (kind == "ring") {
    const int h = std::max(1, R / 4), w = std::max(1, C / 4);
    for (int r = R / 2 - h / 2 - (h % 2 ? 0 : 1) + 1; r < R / 2 + (h + 1) / 2 && r < R - 1; ++r)
      for (int c = C / 2 - w; c < C / 2; ++c) mirrorSet(r, c, 0);
  } else if (kind == "cross") {
    const int kr = std::max(1, R / 4), kc = std::max(1, C / 4);
    for (int r = 0; r < kr; ++r)
      for (int c = 0; c < kc; ++c) {
        mirrorSet(r, c, 0);
        mirrorSet(R - 1 - r, c, 0);
      }
  } else if (kind == "diamond") {
    const double rc = (R - 1) / 2.0, cc = (C - 1) / 2.0;
    for (int r = 0; r < R; ++r)
      for (int c = 0; c < C; ++c)
        if (std::abs(r - rc) / (rc + 1) + std::abs(c - cc) / (cc + 1) > 1.05) m[r][c] = 0;
  } else if (kind == "notches") {
    // An H: notches in the middle of the top and bottom.
    const int w = std::max(1, C / 5);
    const int d = std::max(1, R / 4);
    for (int r = 0; r < d; ++r)
      for (int c = C / 2 - w; c < C / 2; ++c) {
        mirrorSet(r, c, 0);
        mirrorSet(R - 1 - r, c, 0);
      }
  } else if (kind == "vee") {
    // A bowl: the top falls off toward the middle.
    for (int c = 0; c < C / 2; ++c) {
      const int depth = std::max(0, (c - C / 6) / 2);
      for (int r = 0; r < std::min(depth, R / 3); ++r) mirrorSet(r, c, 0);
    }
  } else if (kind == "pillars") {
    // Short hole columns hanging from the top between pillars.
    for (int c = 1; c < C / 2; c += 3)
      for (int r = 0; r < R / 3; ++r) mirrorSet(r, c, 0);
  }
  return m;
}

const std::vector<std::string>& shapesFor(int level) {
  static const std::vector<std::string> early = {"full", "rounded"};
  static const std::vector<std::string> middle = {"full", "rounded", "octagon", "holes", "cross", "notches", "vee", "ring"};
  static const std::vector<std::string> late = {"rounded", "octagon", "holes",   "islands", "ring",
                                                "cross",   "diamond", "notches", "vee",     "pillars"};
  return level <= 4 ? early : level <= 30 ? middle : late;
}

class LevelMaker {
 public:
  LevelMaker(TM3Game& g, const Plan& plan) : g_(g), plan_(plan) {}

  // Builds the level of design d with content scale `amount` (1 = the
  // design's share of breakable cells), checked by the campaign rules.
  std::shared_ptr<TLevel> make(const Design& d, double amount, int shrink, uint64_t variant,
                               std::vector<std::string>& why) {
    Rng rng(plan_.seed * 1000003ull + static_cast<uint64_t>(d.level) * 7919ull + variant);
    // Size grows through the campaign, with some play either way.
    const int R = std::clamp(6 + static_cast<int>(std::lround(4.5 * d.global)) + rng.in(-1, 1) + (d.level <= 3 ? 0 : 1) - shrink, 6, 12);
    const int C = std::clamp(6 + static_cast<int>(std::lround(7.0 * d.global)) + rng.in(-1, 2) - shrink, 6, 16);
    const auto& shapes = shapesFor(d.level);
    const std::string shape = shapes[rng.in(0, static_cast<int>(shapes.size()) - 1)];
    Mask m = shapeMask(shape, R, C, rng);
    fixShape(m);

    auto L = std::make_shared<TLevel>();
    L->m3Game = &g_;
    L->settings = g_.settings;
    L->rows = R;
    L->cols = C;
    L->matchType = d.mode;
    L->czas = L->maxCzas = plan_.maxTime;
    L->collect = 3;
    L->backGround = getBackground(d.background);
    L->createEmptyTilesTab();
    for (int id = 1; id <= d.colours; ++id) L->availableChips.push_back(g_.getChipData(id));
    for (auto& b : g_.bonusList) L->availableBonus.push_back(b);
    for (int r = 0; r < R; ++r)
      for (int c = 0; c < C; ++c) L->at(r, c)->td = g_.getTileData(m[r][c] ? 1 : 0);
    for (int c = 0; c < C; ++c)
      for (int r = 0; r < R; ++r)
        if (m[r][c]) {
          L->at(r, c)->creator = 1;
          break;
        }

    placePieces(*L, d, rng);
    placeBreakables(*L, d, amount, rng);
    placeChains(*L, d, rng);
    for (int attempt = 0; attempt < 50; ++attempt) {
      fillColours(*L, d, rng);
      L->CreateLevelFrames();
      auto reread = loadLevelFrom(*parseRCMText(L->saveText(), "new level"), g_);
      why = checkLevelRules(g_, *parseRCMText(L->saveText(), "new level"), reread, d.level);
      if (why.empty()) return L;
    }
    return nullptr;
  }

 private:
  // Every real cell must be refillable: a cell under a hole needs a real
  // neighbour above it on one side; otherwise the hole is filled in.
  static void fixShape(Mask& m) {
    const int R = static_cast<int>(m.size()), C = static_cast<int>(m[0].size());
    for (bool changed = true; changed;) {
      changed = false;
      for (int r = 1; r < R; ++r)
        for (int c = 0; c < C; ++c) {
          if (!m[r][c] || m[r - 1][c]) continue;
          // Column's top cell (nothing real above): a creator, fine.
          bool realAbove = false;
          for (int k = 0; k < r; ++k) realAbove |= m[k][c] != 0;
          if (!realAbove) continue;
          const bool side = (c > 0 && m[r - 1][c - 1]) || (c + 1 < C && m[r - 1][c + 1]);
          if (!side) {
            m[r - 1][c] = 1;
            changed = true;
          }
        }
    }
  }

  static bool real(const TLevel& L, int r, int c) {
    TTile* t = L.at(r, c);
    return t && t->kindId() != 0;
  }

  void placePieces(TLevel& L, const Design& d, Rng& rng) {
    // Columns whose cells below the piece run straight to the bottom (or a
    // hole): the piece drops out once they are cleared.
    std::vector<std::pair<int, int>> spots;
    for (int c = 0; c < L.cols; ++c) {
      int bottom = -1;
      for (int r = L.rows - 1; r >= 0; --r)
        if (real(L, r, c)) {
          bottom = r;
          break;
        }
      if (bottom < 2) continue;
      // One cell above the bottom: a player gets it out with one match
      // below it, however big the board.
      const int r = bottom - 1;
      bool run = true;
      for (int k = r; k <= bottom; ++k) run &= real(L, k, c);
      if (run && !L.at(r, c)->creator) spots.push_back({r, c});
    }
    for (int i = 0; i < d.pieces && !spots.empty(); ++i) {
      const int k = rng.in(0, static_cast<int>(spots.size()) - 1);
      auto [r, c] = spots[k];
      spots.erase(spots.begin() + k);
      L.at(r, c)->setChip(createChip(g_.getChipData(8)));
      pieceCols_.push_back(c);
    }
  }

  void placeBreakables(TLevel& L, const Design& d, double amount, Rng& rng) {
    int realCells = 0;
    for (auto& t : L.tile) realCells += t->kindId() != 0;
    // The share of breakable cells and of cells that take two hits.
    const double share = std::clamp((0.12 + 0.40 * d.global + 0.18 * d.local) * amount, 0.04, 0.9);
    // Boards scaled up for a quick mode take more two-hit cells too.
    const double twoHits =
        d.level >= plan_.twoHitsFrom ? std::clamp(0.15 + 0.45 * d.global + 0.25 * (amount - 1), 0.0, 0.85) : 0.0;
    int want = std::max(d.pieces > 0 ? 0 : 2, static_cast<int>(std::lround(share * realCells)));
    // A pattern: a symmetric block, rows, or scattered pairs.
    const int style = rng.in(0, 2);
    std::vector<std::pair<int, int>> cells;
    for (int r = 0; r < L.rows; ++r)
      for (int c = 0; c < L.cols; ++c)
        if (real(L, r, c) && !(L.at(r, c)->chip)) cells.push_back({r, c});
    auto score = [&](int r, int c) {
      const double cr = (L.rows - 1) / 2.0, cc = (L.cols - 1) / 2.0;
      switch (style) {
        case 0: return std::abs(r - cr) / L.rows + std::abs(c - cc) / L.cols + rng.unit() * 0.15;  // centre first
        case 1: return static_cast<double>((L.rows - 1 - r) % 2) + rng.unit() * 0.5;                // every other row
        default: return rng.unit();
      }
    };
    std::vector<std::pair<double, std::pair<int, int>>> ranked;
    for (auto& rc : cells)
      if (rc.second <= (L.cols - 1) / 2) ranked.push_back({score(rc.first, rc.second), rc});
    std::sort(ranked.begin(), ranked.end());
    for (auto& [s, rc] : ranked) {
      if (want <= 0) break;
      const int kind = rng.unit() < twoHits ? 3 : 2;
      for (int c : {rc.second, L.cols - 1 - rc.second}) {
        TTile* t = L.at(rc.first, c);
        if (t->kindId() == 1 && !t->chip) {
          t->td = g_.getTileData(kind);
          --want;
        }
      }
    }
  }

  void placeChains(TLevel& L, const Design& d, Rng& rng) {
    if (d.level < plan_.chainsFrom) return;
    int realCells = 0;
    for (auto& t : L.tile) realCells += t->kindId() != 0;
    int want = static_cast<int>(std::lround(realCells * (0.03 + 0.07 * d.global + 0.03 * d.local)));
    for (int tries = 0; want > 0 && tries < 400; ++tries) {
      const int r = rng.in(1, L.rows - 1), c = rng.in(1, L.cols - 2);
      TTile* t = L.at(r, c);
      if (!real(L, r, c) || t->creator || t->chip || t->chain) continue;
      if (std::find(pieceCols_.begin(), pieceCols_.end(), c) != pieceCols_.end()) continue;
      // Both side cells real, so the cell below refills past the chain.
      if (!real(L, r, c - 1) || !real(L, r, c + 1)) continue;
      bool alone = true;
      for (int dr = -1; dr <= 1; ++dr)
        for (int dc = -1; dc <= 1; ++dc)
          if (TTile* o = L.at(r + dr, c + dc); o && o->chain) alone = false;
      if (!alone) continue;
      t->chain = (d.level >= plan_.doubleChainsFrom && rng.unit() < 0.2 + 0.4 * d.global) ? 2 : 1;
      --want;
    }
  }

  // Colours on every cell without a piece; SWAP boards start without a line.
  void fillColours(TLevel& L, const Design& d, Rng& rng) {
    for (int r = 0; r < L.rows; ++r)
      for (int c = 0; c < L.cols; ++c) {
        TTile* t = L.at(r, c);
        if (!real(L, r, c) || (t->chip && t->chip->cd->puzzleChip)) continue;
        int id = 0;
        for (int tries = 0; tries < 20; ++tries) {
          id = rng.in(1, d.colours);
          if (d.mode != "SWAP") break;
          auto same = [&](int rr, int cc) {
            TTile* o = L.at(rr, cc);
            return o && o->chip && o->chip->cd->id == id;
          };
          if (!(same(r, c - 1) && same(r, c - 2)) && !(same(r - 1, c) && same(r - 2, c))) break;
        }
        t->setChip(createChip(g_.getChipData(id)));
      }
  }

  TM3Game& g_;
  const Plan& plan_;
  std::vector<int> pieceCols_;
};

// ------------------------------------------------------------------ the campaign

std::vector<Design> designs(const Plan& plan) {
  std::vector<Design> out(kCampaignLevels + 1);
  Rng rng(plan.seed);
  const double last = plan.stages.empty() ? kCampaignLevels : plan.stages.back().last;
  int run = 0;
  std::string prev;
  for (size_t si = 0; si < plan.stages.size(); ++si) {
    const Stage& s = plan.stages[si];
    const int len = s.last - s.first + 1;
    std::vector<int> pieces = s.perLevel;
    if (pieces.empty()) {
      // About half the levels carry pieces, always the last; at most three
      // each, so big jigsaws spread over more levels.
      pieces.assign(len, 0);
      int carriers = std::clamp(std::max((len + 1) / 2, (s.pieces + 2) / 3), 1, len);
      std::vector<int> at;
      for (int k = 0; k < carriers; ++k) at.push_back(len - 1 - static_cast<int>(std::lround(k * len / double(carriers))));
      int left = s.pieces;
      for (size_t k = 0; k < at.size(); ++k) {
        const int rest = static_cast<int>(at.size() - k);
        int n = std::clamp((left + rest - 1) / rest + (rng.in(0, 2) == 0 ? -1 : 0), 1, 3);
        if (left - n > 3 * (rest - 1)) n = left - 3 * (rest - 1);
        pieces[at[k]] = n;
        left -= n;
      }
    }
    for (int k = 0; k < len; ++k) {
      Design& d = out[s.first + k];
      d.level = s.first + k;
      d.stage = static_cast<int>(si) + 1;
      d.dog = s.dog;
      d.pieces = pieces[k];
      d.background = s.dog;
      d.global = (d.level - 1) / std::max(1.0, last - 1);
      d.local = len > 1 ? k / double(len - 1) : 1.0;
    }
  }
  for (int n = plan.spareFirst; plan.spareFirst && n <= plan.spareLast; ++n) {
    Design& d = out[n];
    d.level = n;
    d.global = 1.0;
    d.local = 0.5;
    d.background = plan.stages.empty() ? 1 : plan.stages.back().dog;
  }
  for (int n = 1; n <= kCampaignLevels; ++n) {
    Design& d = out[n];
    d.target = plan.diffStart + (plan.diffEnd - plan.diffStart) * d.global + plan.diffRise * d.local;
    for (auto& c : plan.colours)
      if (n >= c[0] && n <= c[1]) d.colours = c[2];
    if (plan.modes.count(n)) {
      d.mode = plan.modes.at(n);
    } else if (n < plan.mixFrom) {
      d.mode = "SWAP";
    } else {
      const int roll = rng.in(1, 100);
      d.mode = roll <= plan.swapShare ? "SWAP" : roll <= plan.swapShare + plan.chainShare ? "CHAIN" : "GROUP";
      // No more than two levels of the same slower mode in a row.
      if (d.mode != "SWAP" && d.mode == prev && run >= 2) d.mode = "SWAP";
    }
    run = d.mode == prev ? run + 1 : 1;
    prev = d.mode;
    if (d.mode == "SWAP" && n >= plan.sevensFrom && (n - plan.sevensFrom) % plan.sevensEvery == 0) d.colours = 7;
  }
  return out;
}

// The time a level gets: what the paced bot needed at worst over a few
// games, divided by the share of the time the design wants a player to use.
constexpr double kMargin = 1.2;

struct Timing {
  bool allWon = false;
  double worst = 0;
};

Timing timeLevel(TM3Game& g, const std::string& text, int level, int tries) {
  Timing t;
  t.allWon = true;
  for (int k = 0; k < tries; ++k) {
    auto L = loadLevelForPlay(g, text);
    L->czas = L->maxCzas = 1200;  // time to finish, whatever it takes
    TPaceOptions pace;
    pace.checkInvariants = false;  // the campaign check watches the board
    const TPacedRun r = playLevelPaced(g, L, level, 0xC0FFEEull + static_cast<uint64_t>(level) * 131ull + k, pace);
    g.setLevel(nullptr);
    t.allWon &= r.won && r.violations.empty();
    t.worst = std::max(t.worst, r.seconds);
  }
  return t;
}

bool writeLists(const std::string& out, const std::vector<Design>& d, const Plan& plan) {
  auto quest = createRCMFile();
  quest->setFloat("levels::i", kCampaignLevels);
  for (int n = 1; n <= kCampaignLevels; ++n) {
    const std::string k = "levels::lvl" + std::to_string(n) + "::";
    quest->setString(k + "url", "data/levels/level-" + std::to_string(n) + ".lvl");
    quest->setFloat(k + "id", n);
  }
  // The free-play list is read but no screen offers it: it stays empty.
  auto free = createRCMFile();
  free->setFloat("levels::i", 0);
  auto list2 = createRCMFile();
  list2->setFloat("puzzles::i", kCampaignLevels);
  std::string list1;
  std::vector<int> cumulative(kCampaignLevels + 1, 0);
  for (auto& s : plan.stages) {
    int sum = 0;
    for (int n = s.first; n <= s.last; ++n) cumulative[n] = sum += d[n].pieces;
    if (sum != s.pieces) {
      std::cout << "levelgen: stage " << s.dog << " carries " << sum << " pieces, its jigsaw has " << s.pieces << "\n";
      return false;
    }
  }
  for (int n = 1; n <= kCampaignLevels; ++n) {
    list2->setFloat("puzzles::level" + std::to_string(n), cumulative[n]);
    list1 += std::to_string(cumulative[n]) + "\n";
  }
  return quest->save(out + "/data/quest_levels.dat") && free->save(out + "/data/free_levels.dat") &&
         list2->save(out + "/data/puzzlelist2.dat") && plat::writeTextFile(out + "/data/puzzleList.dat", list1);
}

}  // namespace

int main(int argc, char** argv) {
  std::string planPath = "tools/levelgen/campaign.plan", game, out = "content";
  int onlyFirst = 1, onlyLast = kCampaignLevels;
  bool quick = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto next = [&]() { return i + 1 < argc ? std::string(argv[++i]) : std::string(); };
    if (a == "--plan") planPath = next();
    else if (a == "--game") game = next();
    else if (a == "--out") out = next();
    else if (a == "--only") {
      if (!range(next(), onlyFirst, onlyLast)) return 2;
    } else if (a == "--quick") quick = true;
    else {
      std::cout << "usage: woofmere-levelgen --plan FILE --game GAME-FOLDER --out CONTENT-FOLDER [--only A-B] [--quick]\n";
      return 2;
    }
  }
  auto absolute = [](std::string p) { return (!p.empty() && p[0] != '/') ? plat::currentFolder() + "/" + p : p; };
  planPath = absolute(planPath);
  out = absolute(out);
  Plan plan;
  if (game.empty() || !readPlan(planPath, plan)) {
    std::cout << "levelgen: needs --game (a built game folder) and a readable plan\n";
    return 2;
  }
  if (!plat::changeFolder(game)) {
    std::cout << "levelgen: no game folder " << game << "\n";
    return 2;
  }
  TM3Game g;
  loadCampaignCatalogs(g);
  plat::createFolder(out + "/data/levels");
  const auto ds = designs(plan);
  // The run that starts at level 1 writes the lists (runs over other ranges
  // may go side by side without writing the same files at once).
  if (onlyFirst == 1 && !writeLists(out, ds, plan)) return 1;

  int failed = 0;
  for (int n = onlyFirst; n <= onlyLast; ++n) {
    const Design& d = ds[n];
    // Content is scaled until the level fits its time window: the time the
    // bot needs over the design's share lands within the plan's times.
    double amount = 1.0;
    int shrink = 0;  // rows and columns taken off a board that takes too long
    std::shared_ptr<TLevel> best;
    int bestTime = 0;
    double bestShare = 0;
    for (int attempt = 0; attempt < 8; ++attempt) {
      std::vector<std::string> why;
      auto L = LevelMaker(g, plan).make(d, amount, shrink, static_cast<uint64_t>(attempt), why);
      if (!L) {
        std::cout << "levelgen: level " << n << " breaks the rules: " << (why.empty() ? "?" : why[0]) << "\n";
        continue;
      }
      if (quick) {
        best = L;
        bestTime = plan.maxTime;
        break;
      }
      const Timing t = timeLevel(g, L->saveText(), n, plan.tries);
      std::cout << "  level " << n << " try " << attempt << ": content x" << amount << ", worst game "
                << static_cast<int>(t.worst) << " s" << (t.allWon ? "" : " (not always won)") << std::endl;
      if (!t.allWon) {
        amount *= 0.6;
        continue;
      }
      // A margin over the worst game seen: a player's slow game is slower still.
      const int want = static_cast<int>(std::ceil(kMargin * t.worst / d.target / 5.0)) * 5;
      const int time = std::clamp(want, plan.minTime, plan.maxTime);
      if (want > plan.maxTime) {
        amount *= 0.75;
        ++shrink;
        if (!best || kMargin * t.worst / time < bestShare) best = L, bestTime = time, bestShare = kMargin * t.worst / time;
        continue;
      }
      best = L;
      bestTime = time;
      bestShare = kMargin * t.worst / time;
      // Too little to do for its time: more cells to break, up to a point.
      if (want < plan.minTime && t.worst / plan.minTime < d.target * 0.75 && amount < 4) {
        amount *= 1.5;
        continue;
      }
      break;
    }
    if (!best) {
      std::cout << "levelgen: level " << n << " could not be made\n";
      ++failed;
      continue;
    }
    best->czas = best->maxCzas = bestTime;
    const std::string path = out + "/data/levels/level-" + std::to_string(n) + ".lvl";
    if (!best->save(path)) {
      std::cout << "levelgen: cannot write " << path << "\n";
      return 1;
    }
    std::cout << "level " << n << " " << d.mode << " " << best->rows << "x" << best->cols << " colours " << d.colours
              << " pieces " << d.pieces << " time " << bestTime << " share " << static_cast<int>(bestShare * 100)
              << "% (target " << static_cast<int>(d.target * 100) << "%)" << std::endl;
  }
  return failed ? 1 : 0;
}
