// A controller on a text-drawn board, driven frame by frame with the fake
// clock and the mouse, as the play screen drives it.
#pragma once

#include <gtest/gtest.h>

#include <set>

#include "app/Screen.h"
#include "board/M3Game.h"
#include "gui/Mouse.h"
#include "platform/Clock.h"
#include "platform/Random.h"
#include "test_board_util.h"

namespace gametest {

class GameFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::useFakeClock(100000);
    plat::seedRandom(7);
    delta = 1;
    boardtest::fillCatalogs(g);
    g.settings->swap_bonusMatch = 4;
    g.settings->chain_bonusMatch = 6;
    g.settings->group_bonusMatch = 6;
    g.setHost(&ev);
    g.setEffects(&fx);
    for (int n = 1; n <= 6; ++n) setPowerUpThreshold(n, 3);
    release();
  }
  void TearDown() override {
    release();
    for (int n = 1; n <= 6; ++n) setPowerUpThreshold(n, 0);
  }

  std::shared_ptr<TLevel> load(const std::vector<std::string>& rows, const std::string& mode = "SWAP") {
    L = boardtest::board(g, rows);
    L->matchType = mode;
    g.setLevel(L);
    return L;
  }
  // Top row creates chips of kinds 1..n.
  void creators(int kinds) {
    L->availableChips.clear();
    for (int id = 1; id <= kinds; ++id) L->availableChips.push_back(g.getChipData(id));
    for (int c = 0; c < L->cols; ++c)
      if (L->at(0, c)->kindId() != 0) L->at(0, c)->creator = 1;
  }

  void frame() {
    g.update();
    g.controlGame(0);
    mouse().leftPressed = 0;
    plat::advanceFakeClock(1000.0 / 60.0);
  }
  void frames(int n) {
    for (int i = 0; i < n; ++i) frame();
  }
  // Runs until the board is quiet (at most 2000 frames).
  int settle() {
    int n = 0;
    do {
      frame();
      ++n;
    } while (!g.quiet() && n < 2000);
    frame();
    return n;
  }

  void mouseAt(TTile* t) {
    mouse().x = static_cast<int>(t->cx());
    mouse().y = static_cast<int>(t->cy());
  }
  static void release() {
    mouse().leftPressed = mouse().leftHolded = mouse().rightPressed = mouse().rightHolded = 0;
    mouse().x = mouse().y = -1000;
  }
  void press(TTile* t) {
    mouseAt(t);
    mouse().leftPressed = 1;
    mouse().leftHolded = 1;
    frame();
  }
  void hold(TTile* t) {
    mouseAt(t);
    mouse().leftHolded = 1;
    frame();
  }
  void drag(TTile* a, TTile* b) {
    press(a);
    hold(b);
    release();
    frame();
  }
  void click(TTile* t) {
    press(t);
    release();
    frame();
  }

  TTile* at(int r, int c) { return L->at(r, c); }
  int kindAt(int r, int c) { return (at(r, c)->chip && at(r, c)->chip->cd) ? at(r, c)->chip->cd->id : 0; }
  // The board as text, with the letters of the board drawings.
  std::vector<std::string> picture() {
    std::vector<std::string> out;
    for (int r = 0; r < L->rows; ++r) {
      std::string row;
      for (int c = 0; c < L->cols; ++c) {
        TTile* t = at(r, c);
        const int k = kindAt(r, c);
        char ch = '.';
        if (t->kindId() == 0) ch = '#';
        else if (k >= 1 && k <= 7) ch = static_cast<char>('A' + k - 1);
        else if (k == 8) ch = 'P';
        else if (k > 100) ch = static_cast<char>('0' + k - 100);
        row += ch;
      }
      out.push_back(row);
    }
    return out;
  }
  std::set<std::pair<int, int>> destroying() {
    std::set<std::pair<int, int>> s;
    for (auto& t : L->tile)
      if (t->chip && t->chip->state == "DESTROY") s.insert({t->r, t->c});
    return s;
  }

  TM3Game g;
  boardtest::RecordingEvents ev;
  TInstantEffects fx;
  std::shared_ptr<TLevel> L;
};

}  // namespace gametest
