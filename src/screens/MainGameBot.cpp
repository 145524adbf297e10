// The demo player of the play screen: it moves the game's own mouse, frame
// by frame, so every move goes through the same input path as a player's:
// the board's drags and clicks, the power-up buttons' modes and their aim.
#include <algorithm>

#include "board/Level.h"
#include "gui/Mouse.h"
#include "platform/Random.h"
#include "screens/MainGame.h"
#include "screens/Profile.h"

namespace {

// Where the bot rests the pointer between moves: off the board and the panels.
constexpr float kRestX = 700, kRestY = 740;

}  // namespace

void TMainGame::botStep() {
  if (!bot_) bot_ = std::make_unique<BotState>();
  BotState& b = *bot_;
  TMouse& m = mouse();
  auto apply = [&](const BotState::Step& s) {
    m.x = static_cast<int>(s.x);
    m.y = static_cast<int>(s.y);
    m.leftPressed = s.press ? 1 : 0;
    m.leftHolded = s.hold ? 1 : 0;
    m.rightPressed = m.rightHolded = 0;
  };
  if (state != "NORMAL") {
    b.plan.clear();
    b.next = 0;
    apply({kRestX, kRestY, false, false});
    return;
  }
  if (b.next < b.plan.size()) {
    apply(b.plan[b.next++]);
    return;
  }
  b.plan.clear();
  b.next = 0;
  apply({kRestX, kRestY, false, false});
  if (!m3Game->quiet()) {
    b.idle = 0;
    return;
  }
  // Two quiet frames in a row: the board has come to rest.
  if (++b.idle < 2) return;
  b.idle = 0;
  auto at = [](TTile* t, bool press, bool hold) {
    return BotState::Step{t->cx(), t->cy(), press, hold};
  };
  auto rest = BotState::Step{kRestX, kRestY, false, false};
  // A charged power-up first: its button's mode, then a press on a chip.
  if (TProfile* p = profile())
    for (int slot = 1; slot <= 6; ++slot) {
      if (!p->powerUp[static_cast<size_t>(slot - 1)].aktywny) continue;
      if (slot == 3 || slot == 4) {
        useBonus(slot);
        return;
      }
      auto chips = m3Game->getRandomChips(1);
      if (chips.empty() || !chips[0]->tile) continue;
      tryb = 0;
      useBonus(slot);
      if (tryb == 0) continue;
      b.plan = {at(chips[0]->tile, false, false), at(chips[0]->tile, true, true), rest};
      return;
    }
  if (!m3Game->_MatchLeft_short()) return;  // the screen refills a dead board itself
  TMatchInfo best = m3Game->_noMatchLeft();
  if (m3Game->matchType == 0 && best.tile1 && best.tile2) {
    b.plan = {at(best.tile1, false, false), at(best.tile1, true, true), at(best.tile2, false, true),
              at(best.tile2, false, true), rest};
  } else if (m3Game->matchType == 2 && best.tile1) {
    b.plan = {at(best.tile1, false, false), at(best.tile1, true, true), rest};
  } else if (m3Game->matchType == 1 && best.zaznaczone.size() >= 3) {
    bool first = true;
    for (auto& ch : best.zaznaczone) {
      if (!ch->tile) continue;
      if (first) b.plan.push_back(at(ch->tile, false, false));
      b.plan.push_back(at(ch->tile, first, true));
      b.plan.push_back(at(ch->tile, false, true));
      first = false;
    }
    b.plan.push_back(rest);
  }
}
