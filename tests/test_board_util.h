// Small boards for the board tests: catalogs built in memory, boards drawn
// as text, and an event sink that records what the board reports.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "board/BoardEvents.h"
#include "board/Catalogs.h"
#include "board/Chip.h"
#include "board/Level.h"
#include "board/Tile.h"

namespace boardtest {

// Kinds 1..7 colours, 8 a jigsaw piece, bonus 101..106, tiles 0..3, the 13
// frame pieces, 42 x 42 cells, speeds 12.
inline void fillCatalogs(TM3Catalogs& g) {
  g.settings = std::make_shared<TM3Settings>();
  g.settings->sizeX = g.settings->sizeY = 42;
  g.settings->xSpeed = g.settings->ySpeed = 12;
  for (int id = 1; id <= 8; ++id) {
    auto cd = std::make_shared<TChipData>();
    cd->id = id;
    cd->puzzleChip = id == 8;
    cd->rgb = newRGB(20 * id, 10 * id, 5 * id);
    cd->m3Game = &g;
    g.chipsList.push_back(cd);
  }
  for (int id = 101; id <= 106; ++id) {
    auto cd = std::make_shared<TChipData>();
    cd->id = id;
    cd->typ = id <= 103 ? "CROSSFIRE" : "BOMB";
    cd->moc = id <= 103 ? id - 100 : id - 103;
    cd->m3Game = &g;
    g.bonusList.push_back(cd);
  }
  g.bonusyByType = {"CROSSFIRE", "BOMB"};
  for (int id = 0; id <= 3; ++id) {
    auto td = std::make_shared<TTileData>();
    td->id = id;
    td->match = id >= 2 ? id - 1 : 0;
    td->m3Game = &g;
    g.tilesList.push_back(td);
  }
  const int dirs[13][2] = {{0, 0},  {-1, 0}, {1, 0},  {0, -1}, {0, 1},   {1, 1}, {-1, 1},
                           {-1, -1}, {1, -1}, {1, 1}, {-1, 1}, {-1, -1}, {1, -1}};
  for (int n = 0; n <= 12; ++n) {
    auto fd = std::make_shared<TM3FrameData>();
    fd->id = n;
    fd->dx = dirs[n][0];
    fd->dy = dirs[n][1];
    fd->typ = n >= 9 ? "IN" : "";
    fd->m3Game = &g;
    g.frameList.push_back(fd);
  }
}

// Rows of text, one character a cell:
//   'A'..'G' chip kinds 1..7 on a plain cell, 'P' a jigsaw piece,
//   'X', 'Y', 'Z' crossfires 101..103, 'b' bomb 105,
//   '.' an empty plain cell, '#' a hole,
//   '2', '3' an empty breakable cell of that kind.
inline std::shared_ptr<TLevel> board(TM3Catalogs& g, const std::vector<std::string>& rows) {
  auto L = std::make_shared<TLevel>();
  L->m3Game = &g;
  L->settings = g.settings;
  L->rows = static_cast<int>(rows.size());
  L->cols = rows.empty() ? 0 : static_cast<int>(rows[0].size());
  L->createEmptyTilesTab();
  for (int r = 0; r < L->rows; ++r)
    for (int c = 0; c < L->cols; ++c) {
      TTile* t = L->at(r, c);
      const char ch = rows[r][c];
      int tileKind = 1;
      if (ch == '#') tileKind = 0;
      if (ch == '2' || ch == '3') tileKind = ch - '0';
      t->td = g.getTileData(tileKind);
      TChipDataPtr kind;
      if (ch >= 'A' && ch <= 'G') kind = g.getChipData(ch - 'A' + 1);
      if (ch == 'P') kind = g.getChipData(8);
      if (ch >= 'X' && ch <= 'Z') kind = g.getBonusChipData(101 + (ch - 'X'));
      if (ch == 'b') kind = g.getBonusChipData(105);
      if (kind) t->setChip(createChip(kind));
    }
  L->setPosition(512, 384);
  g.level = L;
  return L;
}

// Every call the board makes, as text, in order.
class RecordingEvents : public TBoardEvents {
 public:
  std::vector<std::string> log;
  std::vector<TBoardFx> fx;
  int mode = 0;
  TTile* picked = nullptr;
  int matchAnswer = 0;
  bool inSwap = false;
  int score = 0;

  int controlMode() override { return mode; }
  TTile* pickedTile() override { return picked; }
  void clearPickedTile() override {
    picked = nullptr;
    log.push_back("clearPicked");
  }
  int isSwap(const TChip*) override { return inSwap ? 1 : 0; }
  int isMatch(TTile* t) override {
    log.push_back("isMatch " + cell(t));
    return matchAnswer;
  }
  void removePair(const TChip*) override { log.push_back("removePair"); }
  void isLandedMatch(TTile* t) override { log.push_back("landedMatch " + cell(t)); }
  void BOMB(int r, int c, int moc) override { log.push_back("BOMB " + rc(r, c) + " " + std::to_string(moc)); }
  void CROSS_HORIZONTAL(int r, int c, int moc) override {
    log.push_back("CROSS_HORIZONTAL " + rc(r, c) + " " + std::to_string(moc));
  }
  void CROSS_VERTICAL(int r, int c, int moc) override {
    log.push_back("CROSS_VERTICAL " + rc(r, c) + " " + std::to_string(moc));
  }
  void addScore(int points) override { score += points; }
  void tileMatched() override { log.push_back("tileMatched"); }
  void puzzleCollected() override { log.push_back("puzzleCollected"); }
  void chainBroken() override { log.push_back("chainBroken"); }
  int levelTime() override { return 1234; }
  void addPuzzleTime(const std::string& t) override { log.push_back("puzzleTime " + t); }
  bool powerUpSlotOpen(int slot) override { return slot != 2; }
  void effect(const TBoardFx& f) override { fx.push_back(f); }
  void debris(TDebrisKind k, TTile* t, TChipData*) override {
    log.push_back(std::string("debris ") + (k == TDebrisKind::Down ? "down" : k == TDebrisKind::Vanish ? "vanish" : "replace") +
                  " " + cell(t));
  }
  void flyingResource(TChip*, int slot, int) override { log.push_back("resource " + std::to_string(slot)); }
  void sound(TBoardSound s, int k) override {
    static const char* names[] = {"TileBreak", "ChainBreak", "DestroyChip", "PuzzleMatched", "ChipMove", "Bomb", "Crossfire"};
    log.push_back(std::string("sound ") + names[static_cast<int>(s)] + (k ? " " + std::to_string(k) : ""));
  }

  int count(const std::string& entry) const {
    int n = 0;
    for (const auto& e : log) n += e == entry;
    return n;
  }
  int countFx(TBoardFx::Kind k) const {
    int n = 0;
    for (const auto& f : fx) n += f.kind == k;
    return n;
  }

 private:
  static std::string rc(int r, int c) { return std::to_string(r) + "," + std::to_string(c); }
  static std::string cell(const TTile* t) { return t ? rc(t->r, t->c) : "none"; }
};

}  // namespace boardtest
