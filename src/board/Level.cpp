#include "board/Level.h"

#include <algorithm>
#include <cmath>
#include <iostream>

#include "board/BoardEvents.h"
#include "board/Chip.h"
#include "board/Finders.h"
#include "data/RCMFile.h"
#include "data/StringSplit.h"
#include "platform/Files.h"
#include "platform/Image.h"
#include "platform/Random.h"

namespace {

int toInt(double v) {
  if (!std::isfinite(v)) return 0;
  if (v > 2.0e9) return 2000000000;
  if (v < -2.0e9) return -2000000000;
  return static_cast<int>(v);
}

int readInt(const TRCMFile& f, const std::string& key, int index = 0) { return toInt(f.getFloat(key, index)); }

// Tokens of a row list; blanks never make empty cells, so a doubled blank
// cannot shift a row.
std::vector<std::string> tokens(const std::string& text) {
  std::vector<std::string> out;
  for (auto& t : splitString(text, " ")) {
    std::string s = trimBlanks(t);
    if (!s.empty()) out.push_back(s);
  }
  return out;
}

// A frame token may carry the quotes of its cell value (the data-file writer
// turns them into apostrophes); the number is what is between them.
// A token that is nothing but quotes (an empty cell) names no piece.
bool frameToken(std::string t, int& id) {
  auto quote = [](char ch) { return ch == '"' || ch == '\''; };
  while (!t.empty() && quote(t.front())) t.erase(t.begin());
  while (!t.empty() && quote(t.back())) t.pop_back();
  if (t.empty()) return false;
  id = static_cast<int>(std::clamp<long long>(rcmToInt(t), -1000000, 1000000));
  return true;
}

std::string joinIds(const std::vector<TChipDataPtr>& kinds) {
  std::string s;
  for (const auto& k : kinds) {
    if (!k) continue;
    if (!s.empty()) s += " ";
    s += std::to_string(k->id);
  }
  return s;
}

int clampSide(int v, const char* what) {
  if (v < 0) {
    std::cout << "Level file: negative " << what << " " << v << ", using 0" << std::endl;
    return 0;
  }
  if (v > TLevel::kMaxSide) {
    std::cout << "Level file: " << what << " " << v << " is too large, using " << TLevel::kMaxSide << std::endl;
    return TLevel::kMaxSide;
  }
  return v;
}

}  // namespace

// ----------------------------------------------------------------- TGoal

std::string TGoal::getGoalString() const {
  static const char* words[] = {"CAPS", "JUNK", "FOOD", "WOOD"};
  const std::string word = (res >= 0 && res <= 3) ? words[res] : "";
  return typ + " " + word + " " + std::to_string(value);
}

int TGoal::check(TLevel& level) {
  if (typ == "COLLECT") {
    if (res >= 0 && res <= 3 && level.zasob[res] >= value) checked = 1;
  } else if (typ == "MATCH") {
    if (level.allTilesAre(1) == 1) checked = 1;
  }
  return checked;
}

// ----------------------------------------------------------------- grid

TTile* TLevel::at(int r, int c) const {
  if (r < 0 || c < 0 || r >= rows || c >= cols) return nullptr;
  const size_t i = static_cast<size_t>(r) * cols + c;
  return i < tile.size() ? tile[i].get() : nullptr;
}

TM3Frame* TLevel::frameAt(int r, int c) const {
  if (r < 0 || c < 0 || r >= rows + 2 || c >= cols + 2) return nullptr;
  const size_t i = static_cast<size_t>(r) * (cols + 2) + c;
  return i < ramka.size() ? ramka[i].get() : nullptr;
}

int TLevel::isChip(int id) const {
  for (const auto& t : tile)
    if (t && t->chip && t->chip->cd && t->chip->cd->id == id) return 1;
  return 0;
}

int TLevel::allTilesAre(int) {
  noPuzzleChip = 1;
  int allBroken = 1;
  for (const auto& t : tile) {
    if (!t) continue;
    if (t->chip && t->chip->cd && t->chip->cd->puzzleChip) noPuzzleChip = 0;
    if (t->kindId() > 1) allBroken = 0;
  }
  return allBroken;
}

void TLevel::fillLevel(int id) {
  TTileDataPtr kind = m3Game ? m3Game->getTileData(id) : nullptr;
  for (auto& t : tile)
    if (t) t->setTileData(kind);
}

int TLevel::tileBelowIsEmpty(int r, int c) const {
  if (r == rows - 1) return 1;
  TTile* below = at(r + 1, c);
  return (below && below->kindId() == 0) ? 1 : 0;
}

void TLevel::createEmptyTilesTab() {
  tile.clear();
  tile.reserve(static_cast<size_t>(rows) * cols);
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) {
      auto t = std::make_shared<TTile>();
      t->r = r;
      t->c = c;
      t->level = this;
      tile.push_back(t);
    }
}

void TLevel::shutDown() {
  for (auto& t : tile)
    if (t) t->shutDown();
}

void TLevel::countDims() {
  const float w0 = settings ? settings->sizeX : 0, h0 = settings ? settings->sizeY : 0;
  sx = lx - w0 * cols / 2;
  sy = ly - h0 * rows / 2;
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c)
      if (TTile* t = at(r, c))
        t->dim = newDimAt(static_cast<int>(sx + w0 * c), static_cast<int>(sy + h0 * r));
}

void TLevel::setPosition(float x, float y) {
  lx = x;
  ly = y;
  countDims();
  if (hasFrames()) createFrameDims();
}

void TLevel::createFrameDims() {
  const float w0 = settings ? settings->sizeX : 0, h0 = settings ? settings->sizeY : 0;
  sx = lx - w0 * (cols + 2) / 2;
  sy = ly - h0 * (rows + 2) / 2;
  for (int r = 0; r < rows + 2; ++r)
    for (int c = 0; c < cols + 2; ++c)
      if (TM3Frame* f = frameAt(r, c)) {
        f->x = static_cast<float>(static_cast<int>(sx + w0 * c));
        f->y = static_cast<float>(static_cast<int>(sy + h0 * r));
      }
}

int TLevel::_isMatch(TTile* t) { return m3Game ? m3Game->events->isMatch(t) : 0; }

void TLevel::CreateCreatorsList() {
  chipCreators.clear();
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c)
      if (TTile* t = at(r, c); t && t->creator) chipCreators.push_back(newDimAt(r, c));
}

void TLevel::checkIfPuzzles() {
  for (const auto& t : tile)
    if (t && t->chip && t->chip->cd && t->chip->cd->puzzleChip) saPuzzle = 1;
}

void TLevel::setBackGround(int id) {
  backGround = getBackground(id);
  loadBackGround();
}

void TLevel::loadBackGround() {
  backImg = nullptr;
  if (!backGround) return;
  backImg = plat::loadImage(backGround->url, plat::kDefaultImageFlags);
  if (!backImg)
    std::cout << "no background image: " << plat::normalizePath(backGround->url)
              << " FILETYPE : " << static_cast<int>(plat::fileKind(backGround->url)) << std::endl;
}

void TLevel::setGlobalAlpha(float a) {
  for (auto& t : tile)
    if (t) t->setMyAlpha(a);
}

void TLevel::setFrameAlpha(float a) {
  for (auto& f : ramka)
    if (f) f->a = a;
}

TChipDataPtr TLevel::getRandomChip() const {
  if (availableChips.empty()) return nullptr;
  const int k = plat::randInt(1, static_cast<int>(availableChips.size()));
  return availableChips[k - 1];
}

int TLevel::checkMatch(int r, int c) {
  auto group = matchFinder::findMatch(*this, at(r, c));
  return (group && group->size() > 2) ? 1 : 0;
}

void TLevel::randomChips() {
  if (availableChips.empty()) {
    std::cout << "Level has no available chip kinds: the board stays empty" << std::endl;
    return;
  }
  bool warned = false;
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) {
      TTile* t = at(r, c);
      if (!t || t->kindId() <= 0) continue;
      // Only kinds that start no group of three here; drawing blindly until
      // one fits never ends with a single kind.
      std::vector<TChipDataPtr> fits;
      for (const auto& kind : availableChips) {
        t->setChip(createChip(kind));
        if (checkMatch(r, c) == 0) fits.push_back(kind);
      }
      if (fits.empty()) {
        if (!warned)
          std::cout << "Level fill: too few chip kinds to avoid a ready match at row " << r << ", column " << c
                    << std::endl;
        warned = true;
        t->setChip(createChip(getRandomChip()));
      } else {
        t->setChip(createChip(fits[plat::randInt(1, static_cast<int>(fits.size())) - 1]));
      }
      t->chip->oznaczony = 0;
    }
  for (auto& t : tile)
    if (t && t->chip) t->chip->oznaczony = 0;
}

void TLevel::moveChipsUp(TTile* t) {
  if (!t) return;
  for (int r = t->r - 1; r >= 0; --r) {
    TTile* above = at(r, t->c);
    if (!above || above->kindId() == 0 || above->chain || !above->chip) break;
    above->chip->moveUpToFall();
  }
}

// ----------------------------------------------------------------- border

int TLevel::isTileOcc(int r, int c) const {
  TM3Frame* f = frameAt(r, c);
  return (f && f->kindId() != 0) ? 1 : 0;
}

int TLevel::isTileFree(int r, int c) const {
  TTile* t = at(r, c);
  return (t && t->kindId() == 0) ? 1 : 0;
}

void TLevel::CreateFramesTab() {
  ramka.clear();
  TTileDataPtr outside = m3Game ? m3Game->getTileData(0) : nullptr;
  for (int r = 0; r < rows + 2; ++r)
    for (int c = 0; c < cols + 2; ++c) {
      auto f = std::make_shared<TM3Frame>();
      f->lvl = this;
      TTile* under = at(r - 1, c - 1);
      f->td = under ? under->td : outside;
      ramka.push_back(f);
    }
}

namespace {
void appendPiece(std::vector<TM3FrameDataPtr>& list, const TM3FrameDataPtr& piece) {
  if (piece) list.push_back(piece);
}
bool holds(const std::vector<TM3FrameDataPtr>& list, const TM3FrameDataPtr& piece) {
  return piece && std::find(list.begin(), list.end(), piece) != list.end();
}
}  // namespace

void TLevel::setDirectedFrame(std::vector<TM3FrameDataPtr>& list, int r, int c) const {
  if (!m3Game) return;
  static const int dirs[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
  for (const auto& d : dirs)
    if (isTileOcc(r + d[1], c + d[0])) appendPiece(list, m3Game->getFrameDataByDir(d[0], d[1], ""));
}

void TLevel::setDirectedFrameCor(std::vector<TM3FrameDataPtr>& list, int r, int c) const {
  if (!m3Game) return;
  static const int dirs[4][2] = {{1, 1}, {-1, 1}, {-1, -1}, {1, -1}};
  for (const auto& d : dirs)
    if (isTileOcc(r + d[1], c + d[0]) && !isTileOcc(r + d[1], c) && !isTileOcc(r, c + d[0]))
      appendPiece(list, m3Game->getFrameDataByDir(d[0], d[1], ""));
}

void TLevel::setDirectedFrameInnerCor(std::vector<TM3FrameDataPtr>& list, int r, int c) const {
  if (!m3Game) return;
  static const int dirs[4][2] = {{1, 1}, {-1, 1}, {-1, -1}, {1, -1}};
  for (const auto& d : dirs)
    if (isTileOcc(r + d[1], c + d[0]) && isTileOcc(r + d[1], c) && isTileOcc(r, c + d[0]))
      appendPiece(list, m3Game->getFrameDataByDir(d[0], d[1], "IN"));
}

void TLevel::setDirectedFrameInnerCorDouble1(std::vector<TM3FrameDataPtr>& list, int r, int c) const {
  if (!m3Game) return;
  if (!(r >= 1 && r < rows - 1 && c >= 1 && c < cols - 1)) return;
  const int R = r - 1, C = c - 1;
  TTile* under = at(R, C);
  if (!under || under->kindId() != 0) return;
  auto in = [&](int dx, int dy) { return m3Game->getFrameDataByDir(dx, dy, "IN"); };
  if (isTileFree(R - 1, C - 1) && !isTileFree(R - 1, C) && !isTileFree(R, C - 1)) appendPiece(list, in(-1, -1));
  if (isTileFree(R + 1, C + 1) && !isTileFree(R + 1, C) && !isTileFree(R, C + 1)) appendPiece(list, in(1, 1));
  if (isTileFree(R - 1, C + 1) && !isTileFree(R - 1, C) && !isTileFree(R, C + 1)) appendPiece(list, in(1, -1));
  if (isTileFree(R + 1, C - 1) && !isTileFree(R + 1, C) && !isTileFree(R, C - 1)) appendPiece(list, in(-1, 1));
}

void TLevel::setDirectedFrameInnerCorDouble2(std::vector<TM3FrameDataPtr>& list) const {
  if (!m3Game) return;
  auto E = [&](int dx, int dy) { return m3Game->getFrameDataByDir(dx, dy, ""); };
  auto I = [&](int dx, int dy) { return m3Game->getFrameDataByDir(dx, dy, "IN"); };
  static const int pairs[4][2] = {{-1, -1}, {-1, 1}, {1, -1}, {1, 1}};
  for (const auto& p : pairs) {
    if (holds(list, E(p[0], 0)) && holds(list, E(0, p[1])) && !holds(list, I(p[0], p[1])))
      appendPiece(list, I(p[0], p[1]));
  }
}

std::vector<TM3FrameDataPtr> TLevel::CreateTileFramesList(int r, int c) const {
  std::vector<TM3FrameDataPtr> list;
  if (!m3Game) return list;
  appendPiece(list, m3Game->getFrameData(0));
  if (isTileOcc(r, c)) return list;
  setDirectedFrame(list, r, c);
  setDirectedFrameCor(list, r, c);
  setDirectedFrameInnerCor(list, r, c);
  setDirectedFrameInnerCorDouble1(list, r, c);
  setDirectedFrameInnerCorDouble2(list);
  return list;
}

void TLevel::CreateLevelFrames() {
  CreateFramesTab();
  for (int r = 0; r < rows + 2; ++r)
    for (int c = 0; c < cols + 2; ++c)
      if (TM3Frame* f = frameAt(r, c)) {
        f->lista = CreateTileFramesList(r, c);
        f->lvl = this;
      }
  createFrameDims();
}

// ----------------------------------------------------------------- writing

void TLevel::_saveLevelStandards(TRCMFile& f) const {
  f.setFloat("level::data::dims", rows, 0);
  f.setFloat("level::data::dims", cols, 1);
  f.setFloat("level::data::backGround", backGround ? backGround->id : 0);
  f.setFloat("level::data::time", czas, 0);
  f.setFloat("level::data::time", maxCzas, 1);
  f.setFloat("level::data::score", score);
  f.setFloat("level::data::collect", collect);
  f.setFloat("level::data::tilesCount", tilesCount);
  f.setString("level::data::matchType", matchType);
  f.setString("level::data::saPuzzle", std::to_string(saPuzzle));
  f.setString("level::data::puzzles", std::to_string(puzzles));
}

void TLevel::_saveLevelResources(TRCMFile& f) const {
  for (int k = 0; k < 4; ++k) f.setFloat("level::zasoby::res" + std::to_string(k), zasob[k]);
}

void TLevel::_saveLevelGoals(TRCMFile& f) const {
  f.setFloat("level::goals::i", static_cast<double>(goals.size()));
  int k = 1;
  for (const auto& g : goals) {
    if (!g) continue;
    static const char* words[] = {" CAPS", " JUNK", " FOOD", " WOOD"};
    std::string text = g->typ;
    if (g->res >= 0 && g->res <= 3) text += words[g->res];
    text += " " + std::to_string(g->value);
    f.setString("level::goals::goal" + std::to_string(k++), text);
  }
}

void TLevel::_saveLevelAvailables(TRCMFile& f) const {
  f.setString("level::data::availableChips", joinIds(availableChips));
  f.setString("level::data::availableBonus", joinIds(availableBonus));
}

namespace {
template <class F>
std::string rowList(const TLevel& l, int r, F value) {
  std::string s;
  for (int c = 0; c < l.cols; ++c) {
    if (c) s += " ";
    TTile* t = l.at(r, c);
    s += std::to_string(t ? value(*t) : 0);
  }
  return s;
}
}  // namespace

void TLevel::_saveLevelTiles(TRCMFile& f) const {
  for (int r = 0; r < rows; ++r)
    f.setString("level::tiles::row" + std::to_string(r), rowList(*this, r, [](const TTile& t) { return t.kindId(); }));
}

void TLevel::_saveLevelChips(TRCMFile& f) const {
  for (int r = 0; r < rows; ++r)
    f.setString("level::chips::row" + std::to_string(r), rowList(*this, r, [](const TTile& t) {
                  return (t.chip && t.chip->cd) ? t.chip->cd->id : 0;
                }));
}

void TLevel::_saveLevelChains(TRCMFile& f) const {
  for (int r = 0; r < rows; ++r)
    f.setString("level::chain::row" + std::to_string(r), rowList(*this, r, [](const TTile& t) { return t.chain; }));
}

void TLevel::_saveLevelChipCreators(TRCMFile& f) const {
  f.setFloat("level::chipCreators::i", static_cast<double>(chipCreators.size()));
  int k = 1;
  for (const auto& d : chipCreators) {
    const std::string key = "level::chipCreators::cc" + std::to_string(k++);
    f.setFloat(key, d ? d->x : 0, 0);
    f.setFloat(key, d ? d->y : 0, 1);
  }
}

void TLevel::_saveLevelFrame(TRCMFile& f) const {
  if (!hasFrames()) return;  // a level without a border writes none
  for (int r = 0; r < rows + 2; ++r)
    for (int c = 0; c < cols + 2; ++c)
      if (TM3Frame* fr = frameAt(r, c)) f.setString("level::frame::row" + std::to_string(r), fr->getString(), c);
}

void TLevel::fillFile(TRCMFile& f) {
  CreateCreatorsList();
  checkIfPuzzles();
  _saveLevelStandards(f);
  _saveLevelResources(f);
  _saveLevelGoals(f);
  _saveLevelAvailables(f);
  _saveLevelTiles(f);
  _saveLevelChips(f);
  _saveLevelChains(f);
  _saveLevelChipCreators(f);
  _saveLevelFrame(f);
}

bool TLevel::save(const std::string& path) {
  auto f = createRCMFile();
  fillFile(*f);
  return f->save(path);
}

std::string TLevel::saveText() {
  auto f = createRCMFile();
  fillFile(*f);
  return f->saveText();
}

// ----------------------------------------------------------------- reading

std::shared_ptr<TLevel> loadLevelFrom(const TRCMFile& f, TM3Catalogs& game) {
  auto lvl = std::make_shared<TLevel>();
  TLevel& L = *lvl;
  L.m3Game = &game;
  L.settings = game.settings;

  // standards
  L.rows = clampSide(readInt(f, "level::data::dims", 0), "row count");
  L.cols = clampSide(readInt(f, "level::data::dims", 1), "column count");
  L.czas = readInt(f, "level::data::time", 0);
  L.maxCzas = readInt(f, "level::data::time", 1);
  L.score = readInt(f, "Level::data::score");
  L.profileLevelTime = readInt(f, "Profile::levelTime");
  L.matchType = f.getString("level::data::matchType");
  for (char& ch : L.matchType) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  if (L.matchType != "SWAP" && L.matchType != "CHAIN" && L.matchType != "GROUP") {
    std::cout << "Level file: unknown mode \"" << L.matchType << "\", playing SWAP" << std::endl;
    L.matchType = "SWAP";
  }
  L.collect = readInt(f, "Level::data::collect");
  L.tilesCount = readInt(f, "Level::data::tilesCount");
  L.highestMatch = readInt(f, "level::data::highestMatch");
  L.saPuzzle = readInt(f, "level::data::saPuzzle");
  L.puzzles = readInt(f, "level::data::Puzzles");
  const int bg = readInt(f, "level::data::backGround");
  if (getBackground(bg)) L.setBackGround(bg);
  else if (bg != 0) std::cout << "Level file: no background with id " << bg << std::endl;
  L.createEmptyTilesTab();

  // availables
  const std::string avail = f.getString("level::data::availableChips");
  int slot = 0;
  for (const auto& t : tokens(avail)) {
    const int id = static_cast<int>(std::clamp<long long>(rcmToInt(t), -1000000, 1000000));
    if (auto kind = game.getChipData(id)) {
      L.availableChips.push_back(kind);
      if (slot < 6) L.powerUpChips[slot++] = kind;
    } else {
      std::cout << "Level file: no chip kind " << id << " for availableChips" << std::endl;
    }
  }
  for (const auto& t : tokens(f.getString("level::data::availableBonus"))) {
    const int v = static_cast<int>(std::clamp<long long>(rcmToInt(t), -1000000, 1000000));
    if (auto kind = game.getBonusChipData(v >= 100 ? v : v + 100)) L.availableBonus.push_back(kind);
    else std::cout << "Level file: no bonus kind " << v << " for availableBonus" << std::endl;
  }

  // cells
  for (int r = 0; r < L.rows; ++r) {
    const std::string rs = std::to_string(r);
    const auto tileRow = tokens(f.getString("level::tiles::row" + rs));
    const auto chipRow = tokens(f.getString("level::chips::row" + rs));
    const auto chainRow = tokens(f.getString("level::chain::row" + rs));
    if (static_cast<int>(tileRow.size()) < L.cols || static_cast<int>(chipRow.size()) < L.cols ||
        static_cast<int>(chainRow.size()) < L.cols)
      std::cout << "Level file: row " << r << " is shorter than " << L.cols
                << " columns; the missing cells are holes or empty" << std::endl;
    auto value = [](const std::vector<std::string>& row, int c) {
      return c < static_cast<int>(row.size())
                 ? static_cast<int>(std::clamp<long long>(rcmToInt(row[c]), -1000000, 1000000))
                 : 0;
    };
    for (int c = 0; c < L.cols; ++c) {
      TTile* t = L.at(r, c);
      const int tid = value(tileRow, c);
      t->td = game.getTileData(tid);
      if (!t->td) {
        std::cout << "Level file: no tile kind " << tid << " at row " << r << ", column " << c
                  << "; the cell is a hole" << std::endl;
        t->td = game.getTileData(0);
      }
      const int cid = value(chipRow, c);
      TChipDataPtr kind;
      if (cid > 100) kind = game.getBonusChipData(cid);
      else if (cid != 0) kind = game.getChipData(cid);
      if (cid != 0 && !kind)
        std::cout << "Level file: no chip kind " << cid << " at row " << r << ", column " << c << std::endl;
      if (kind) t->setChip(createChip(kind));
      t->chain = std::clamp(value(chainRow, c), 0, 2);
    }
  }

  // chip creators
  const int nc = std::clamp(readInt(f, "level::chipCreators::i"), 0, 100000);
  for (int k = 1; k <= nc; ++k) {
    const std::string key = "level::chipCreators::cc" + std::to_string(k);
    const int cr = readInt(f, key, 0), cc = readInt(f, key, 1);
    TTile* t = L.at(cr, cc);
    if (!t) {
      std::cout << "Level file: chip creator " << k << " at (" << cr << ", " << cc
                << ") lies outside the board; ignored" << std::endl;
      continue;
    }
    t->creator = 1;
    L.chipCreators.push_back(newDimAt(cr, cc));
  }

  // frames
  L.CreateFramesTab();
  bool anyFrame = false;
  for (int r = 0; r < L.rows + 2; ++r) {
    const std::string key = "level::frame::row" + std::to_string(r);
    for (int c = 0; c < L.cols + 2; ++c) {
      const std::string cell = f.getString(key, c);
      if (!cell.empty()) anyFrame = true;
      TM3Frame* fr = L.frameAt(r, c);
      for (const auto& t : tokens(cell)) {
        int id = 0;
        if (!frameToken(t, id)) continue;
        if (auto piece = game.getFrameData(id)) fr->lista.push_back(piece);
      }
    }
  }
  // A hand-written level with no border section gets the border its shape asks for.
  if (!anyFrame) {
    for (int r = 0; r < L.rows + 2; ++r)
      for (int c = 0; c < L.cols + 2; ++c) L.frameAt(r, c)->lista = L.CreateTileFramesList(r, c);
  }

  // counts for the play log
  L.log_tilesToBrake = 0;
  L.log_iloscPuzzli = 0;
  for (const auto& t : L.tile) {
    if (t->td) L.log_tilesToBrake += t->td->match;
    if (t->chip && t->chip->cd && t->chip->cd->puzzleChip) L.log_iloscPuzzli += 1;
  }
  L.log_availableChips = avail;
  return lvl;
}

std::shared_ptr<TLevel> loadLevel(const std::string& path, TM3Catalogs& game) {
  auto f = loadRCMFile(path);
  return loadLevelFrom(*f, game);
}

std::shared_ptr<TLevel> newEmptyLevel(int rows, int cols, TM3Catalogs& game) {
  auto lvl = std::make_shared<TLevel>();
  lvl->m3Game = &game;
  lvl->settings = game.settings;
  lvl->rows = clampSide(rows, "row count");
  lvl->cols = clampSide(cols, "column count");
  lvl->czas = lvl->maxCzas = 360;
  lvl->setBackGround(1);
  lvl->createEmptyTilesTab();
  lvl->fillLevel(1);
  lvl->countDims();
  return lvl;
}
