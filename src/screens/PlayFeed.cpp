#include "screens/PlayFeed.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <map>

#include "app/Canvas.h"
#include "board/Bot.h"
#include "board/Level.h"
#include "gui/Gui.h"
#include "gui/GuiObject.h"
#include "platform/Clock.h"
#include "screens/MainGame.h"

namespace playfeed {
namespace {

// A driver that missed a move (its click fell between frames) gets it again.
constexpr int kRepeatMs = 3000;

std::string at(float cx, float cy) {
  const canvas::CanvasState& c = canvas::state();
  const long x = std::lround((cx + c.canvasOffsetX) * c.scale);
  const long y = std::lround((cy + c.canvasOffsetY) * c.scale);
  return " " + std::to_string(x) + " " + std::to_string(y);
}

std::string tileAt(const TTile* t) { return at(t->cx(), t->cy()); }

struct MainGameSeen {
  std::string state;
  int quietFrames = 0;
  int nextMoveAt = 0;
  int moves = 0;
};

std::string moveLine(TM3Game& g) {
  if (!g.level || !g._MatchLeft_short()) return "";
  const TMatchInfo m = aimedMove(g);
  if (g.matchType == 0) {
    if (!m.tile1 || !m.tile2) return "";
    return "SWAP" + tileAt(m.tile1) + tileAt(m.tile2);
  }
  if (g.matchType == 2) return m.tile1 ? "GROUP" + tileAt(m.tile1) : "";
  std::string s = "CHAIN";
  int n = 0;
  for (auto& ch : m.zaznaczone)
    if (ch && ch->tile) {
      s += tileAt(ch->tile);
      ++n;
    }
  return n >= 3 ? s : "";
}

}  // namespace

bool on() {
  static const bool enabled = [] {
    const char* v = std::getenv("WOOFMERE_PLAY_FEED");
    return v && std::strcmp(v, "1") == 0;
  }();
  return enabled;
}

void line(const std::string& text) {
  if (on()) std::cout << "feed: " << text << std::endl;
}

void mainGameFrame(TMainGame& g) {
  if (!on()) return;
  static MainGameSeen seen;
  if (g.state != seen.state) {
    seen.state = g.state;
    seen.quietFrames = 0;
    line("state " + g.state);
  }
  if (g.state != "NORMAL" || g.tryb != 0 || !g.m3Game || !g.m3Game->quiet()) {
    seen.quietFrames = 0;
    return;
  }
  // Two quiet frames in a row: the board has come to rest.
  if (++seen.quietFrames == 2) seen.nextMoveAt = 0;
  if (seen.quietFrames < 2 || plat::millisecs() < seen.nextMoveAt) return;
  seen.nextMoveAt = plat::millisecs() + kRepeatMs;
  const std::string move = moveLine(*g.m3Game);
  if (!move.empty()) line("move " + std::to_string(++seen.moves) + " " + move);
}

void summaryFrame(const char* screen, const TGui* gui, bool clickable, std::initializer_list<const char*> buttons) {
  if (!on()) return;
  static std::map<std::string, bool> told;
  bool& done = told[screen];
  if (!clickable || !gui) {
    done = false;
    return;
  }
  if (done) return;
  done = true;
  std::string s = std::string(screen) + " ready";
  for (const char* id : buttons) {
    auto item = gui->getItem(id);
    if (!item || !item->dim) continue;
    s += std::string(" ") + id + at((item->dim->x1 + item->dim->x2) / 2, (item->dim->y1 + item->dim->y2) / 2);
  }
  line(s);
}

}  // namespace playfeed
