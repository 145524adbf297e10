#include "board/Bot.h"

#include <set>

#include "board/Finders.h"
#include "board/MoveSearch.h"
#include "gui/Mouse.h"
#include "platform/Clock.h"
#include "platform/Random.h"

namespace {
void mouseTo(TTile* t) {
  TMouse& m = mouse();
  if (t) {
    m.x = static_cast<int>(t->cx());
    m.y = static_cast<int>(t->cy());
  } else {
    m.x = m.y = -1000;
  }
}
std::string describeColumn(const TLevel& L, int c) {
  std::string s = " (column:";
  for (int r = 0; r < L.rows; ++r) {
    TTile* t = L.at(r, c);
    s += " [" + std::to_string(t->kindId()) + (t->chip ? " '" + t->chip->state + "'" : " -") + "]";
  }
  return s + ")";
}
// What matching the chip in cell t does toward the win.
int goalWeight(const TLevel& L, const TTile* t) {
  if (!t) return 0;
  int w = t->kindId() >= 2 ? 2 + t->kindId() : 0;
  w += 2 * t->chain;
  for (int r = t->r - 1; r >= 0; --r) {
    TTile* a = L.at(r, t->c);
    if (!a || a->kindId() == 0 || !a->chip) break;
    if (a->chip->cd && a->chip->cd->puzzleChip) {
      w += 6;
      break;
    }
  }
  return w;
}
}  // namespace

TMatchInfo aimedMove(TM3Game& g) {
  TLevel& L = *g.level;
  TMatchInfo best;
  int bestScore = 0;
  auto weigh = [&](const TChipList& chips, TTile* a, TTile* b) {
    int w = static_cast<int>(chips.size());
    for (auto& ch : chips) {
      TTile* at = ch.get() == (a ? a->chip.get() : nullptr) ? a : ch.get() == (b ? b->chip.get() : nullptr) ? b : ch->tile;
      w += goalWeight(L, at);
    }
    return w;
  };
  if (g.matchType == 0) {
    for (int r = 0; r < L.rows; ++r)
      for (int c = 0; c < L.cols; ++c)
        for (TTile* n : {L.at(r, c + 1), L.at(r + 1, c)}) {
          TTile* t = L.at(r, c);
          auto movable = [](const TTile* x) { return x && x->kindId() != 0 && x->chip && x->chain == 0; };
          if (!movable(t) || !movable(n) || trySwap(L, t, n) <= 0) continue;
          std::swap(t->chip, n->chip);
          int score = 0;
          for (TTile* x : {t, n})
            if (auto m = matchFinderS::findMatch(L, x); m && m->size() > 2) score += weigh(*m, t, n);
          std::swap(t->chip, n->chip);
          if (score > bestScore) {
            bestScore = score;
            best.tile1 = t;
            best.tile2 = n;
            best.maxMatch = score;
          }
        }
    return best;
  }
  for (auto& t : L.tile) {
    if (!t || t->kindId() <= 0) continue;
    auto m = g.matchType == 1 ? matchFinderC::findMatch(L, t.get()) : matchFinder::findMatch(L, t.get());
    if (!m || m->size() < 3) continue;
    const int score = weigh(*m, nullptr, nullptr);
    if (score > bestScore) {
      bestScore = score;
      best.tile1 = best.tile2 = t.get();
      best.maxMatch = static_cast<int>(m->size());
      best.zaznaczone = *m;
    }
  }
  return best;
}

void TBot::frame(const TBotOptions& opt, TBotResult& res) {
  TMouse& m = mouse();
  if (next_ < plan_.size()) {
    const Step& s = plan_[next_++];
    mouseTo(s.tile);
    m.leftPressed = s.press ? 1 : 0;
    m.leftHolded = s.hold ? 1 : 0;
  } else {
    plan_.clear();
    next_ = 0;
    mouseTo(nullptr);
    m.leftPressed = m.leftHolded = 0;
  }
  g_.update();
  g_.controlGame(0);
  m.leftPressed = 0;
  plat::advanceFakeClock(opt.frameMs);
  ++res.frames;
  if (opt.checkInvariants)
    for (auto& v : check()) res.violations.push_back("frame " + std::to_string(res.frames) + ": " + v);
}

bool TBot::planMove(TBotResult& res, const TBotOptions& opt) {
  TLevel& L = *g_.level;
  if (opt.usePowerUps) {
    for (int slot = 1; slot <= 6; ++slot) {
      if (!(*g_.powerUps)[slot - 1].aktywny) continue;
      auto chips = g_.getRandomChips(1);
      TTile* t = chips.empty() ? nullptr : chips[0]->tile;
      if (g_.usePowerUp(slot, t)) {
        ++res.powerUpsUsed;
        return true;
      }
    }
  }
  auto press = [&](TTile* t) { plan_.push_back({t, true, true}); };
  auto hold = [&](TTile* t) { plan_.push_back({t, false, true}); };
  auto up = [&]() { plan_.push_back({nullptr, false, false}); };
  if (g_._MatchLeft_short()) {
    TMatchInfo best = opt.aimAtGoals ? aimedMove(g_) : g_._noMatchLeft();
    if (g_.matchType == 0 && best.tile1) {
      press(best.tile1);
      hold(best.tile2);
      up();
      return true;
    }
    if (g_.matchType == 2 && best.tile1) {
      press(best.tile1);
      up();
      return true;
    }
    if (g_.matchType == 1 && best.zaznaczone.size() >= 3) {
      bool first = true;
      for (auto& ch : best.zaznaczone) {
        if (first) press(ch->tile);
        else hold(ch->tile);
        first = false;
      }
      up();
      return true;
    }
  }
  // No move: set a bonus off, else refill the dead board.
  for (auto& t : L.tile)
    if (t->chip && t->chip->isBonus()) {
      press(t.get());
      up();
      if (g_.matchType == 0) {
        press(t.get());
        up();
      }
      return true;
    }
  ++res.refills;
  g_.sendAllToOdpady();
  return true;
}

TBotResult TBot::play(const TBotOptions& opt) {
  TBotResult res;
  seen_.clear();
  lastScore_ = g_.level ? g_.level->score : 0;
  lastDebris_ = g_.chipsToDebris;
  int idle = 0;
  while (res.frames < opt.maxFrames) {
    frame(opt, res);
    if (next_ < plan_.size() || !g_.quiet()) {
      idle = 0;
      continue;
    }
    // Two quiet frames in a row: the board has come to rest.
    if (++idle < 2) continue;
    idle = 0;
    if (g_.tilesToCollect == 0 && g_.puzzles == 0) {
      res.won = true;
      break;
    }
    if (res.moves >= opt.maxMoves) break;
    if (planMove(res, opt)) ++res.moves;
  }
  return res;
}

std::vector<std::string> TBot::check() {
  std::vector<std::string> out;
  if (!g_.level) return out;
  TLevel& L = *g_.level;
  std::set<TChip*> now;
  for (auto& t : L.tile) {
    if (!t->chip) continue;
    TChip* ch = t->chip.get();
    if (t->kindId() == 0) out.push_back("chip on a hole at " + std::to_string(t->r) + "," + std::to_string(t->c));
    if (!now.insert(ch).second) out.push_back("chip in two cells");
    if (ch->tile != t.get() && !ch->flying() && !g_.isInPair(ch))
      out.push_back("chip's cell link is wrong at " + std::to_string(t->r) + "," + std::to_string(t->c));
  }
  // A chip may leave the board only through its destruction or as debris.
  int unexplained = 0;
  for (auto& [p, rec] : seen_)
    if (!now.count(p)) {
      const std::string& st = rec.second;
      const bool piece = rec.first->cd && rec.first->cd->puzzleChip;
      if (st != "DESTROY" && st != kDebrisState && !piece) ++unexplained;
    }
  const int debris = g_.chipsToDebris - lastDebris_;
  if (unexplained > debris) out.push_back(std::to_string(unexplained - debris) + " chip(s) lost");
  lastDebris_ = g_.chipsToDebris;
  seen_.clear();
  for (auto& t : L.tile)
    if (t->chip) seen_[t->chip.get()] = {t->chip, t->chip->state};
  if (L.score < lastScore_) out.push_back("score went down");
  lastScore_ = L.score;
  // A cell emptied on this frame refills on the next: empties count only
  // once the board has stayed quiet for a few frames.
  quietFrames_ = g_.quiet() ? quietFrames_ + 1 : 0;
  if (quietFrames_ >= 3)
    for (auto& t : L.tile)
      if (t->kindId() != 0 && !t->chip)
        out.push_back("empty cell on a quiet board at " + std::to_string(t->r) + "," + std::to_string(t->c) +
                      describeColumn(L, t->c));
  return out;
}

std::shared_ptr<TLevel> makeBotLevel(TM3Game& g, int rows, int cols, const std::string& mode, int kinds) {
  auto L = std::make_shared<TLevel>();
  L->m3Game = &g;
  L->settings = g.settings;
  L->rows = rows;
  L->cols = cols;
  L->matchType = mode;
  L->createEmptyTilesTab();
  for (auto& cd : g.chipsList)
    if (cd && cd->proper() && static_cast<int>(L->availableChips.size()) < kinds) L->availableChips.push_back(cd);
  for (auto& b : g.bonusList) L->availableBonus.push_back(b);
  for (size_t i = 0; i < 6 && i < L->availableChips.size(); ++i) L->powerUpChips[i] = L->availableChips[i];
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) {
      TTile* t = L->at(r, c);
      int kind = 1;
      const int roll = plat::randInt(1, 100);
      // Holes only in the bottom row: a cell under a hole that no slide can
      // reach would stay empty by the level's design, not by a fault.
      if (r == rows - 1 && roll <= 30) kind = 0;
      else if (roll <= 20) kind = 2;
      else if (roll <= 25) kind = 3;
      t->td = g.getTileData(kind);
      if (!t->td) t->td = g.getTileData(1);
      t->creator = (r == 0) ? 1 : 0;
    }
  L->setPosition(512, 384);
  L->randomChips();
  return L;
}
