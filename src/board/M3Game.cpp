#include "board/M3Game.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <unordered_set>

#include "app/Globals.h"
#include "app/Screen.h"
#include "board/MoveSearch.h"
#include "gui/Mouse.h"
#include "platform/Clock.h"
#include "platform/Input.h"
#include "platform/Random.h"

namespace {

std::string upper(std::string s) {
  for (char& ch : s) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return s;
}

bool real(const TTile* t) { return t && t->kindId() != 0; }

// Still in its cell and still the board's: not on its way out, not carried
// off by debris.
bool onBoard(const TChip* ch) {
  return ch && ch->tile && ch->tile->chip.get() == ch && ch->state != "DESTROY" && ch->state != kDebrisState;
}

// A hit was consumed: the same press must not act twice.
void flushHits() {
  mouse().leftPressed = 0;
  mouse().rightPressed = 0;
}

bool contains(const TChipList& l, const TChip* ch) {
  return std::any_of(l.begin(), l.end(), [&](const TChipPtr& p) { return p.get() == ch; });
}

}  // namespace

// ----------------------------------------------------------------- TMatchInfo

void TMatchInfo::update(int hintTime) {
  if (plat::millisecs() >= hintTime - 499) da = 0;
  a = easeToward(a, da, 0.05f * delta);
}

// ----------------------------------------------------------------- set-up

TM3Game::TM3Game() : host(&ownHost_), fx(nullptr), powerUps(&ownPowerUps_) {
  ownFx_ = std::make_unique<TInstantEffects>();
  fx = ownFx_.get();
  setEvents(this);
  for (int i = 0; i < 6; ++i) ownPowerUps_[i].n = i + 1;
}

TM3Game::~TM3Game() = default;

void TM3Game::setHost(TBoardEvents* h) { host = h ? h : &ownHost_; }
void TM3Game::setEffects(TBoardEffects* e) { fx = e ? e : ownFx_.get(); }
void TM3Game::setPowerUps(TPowerUps* p) { powerUps = p ? p : &ownPowerUps_; }

void TM3Game::setLevel(const std::shared_ptr<TLevel>& lvl) {
  fx->dropAll(*this);
  level = lvl;
  swapsList.clear();
  listaPar.clear();
  zaznaczone.clear();
  randomRemoval.clear();
  _lastAdded = _lastChip = nullptr;
  pickedTile_ = overTile = overTilePom = _lastOver = swapTile = nullptr;
  swapDim = nullptr;
  overGroup.clear();
  _overTile = nullptr;
  backTried_ = false;
  if (lvl) {
    const std::string m = upper(lvl->matchType);
    if (m == "SWAP") matchType = 0;
    else if (m == "CHAIN") matchType = 1;
    else if (m == "GROUP") matchType = 2;
    lvl->highestMatch = lvl->log_iloscMatchy = lvl->log_zmatchowaneChipsy = lvl->log_lastTileBrakeTime = 0;
    lvl->m3Game = this;
    for (auto& t : lvl->tile)
      if (t) t->level = lvl.get();
  }
  swapsCount = 0;
  log_matches4 = log_matches5 = log_matches6 = log_matchesMore = 0;
  bylOstatniTiles = 0;
  for (auto& b : bonusList)
    if (b) b->ileRazy = 0;
  for (int& u : bonusUse) u = 0;
}

void TM3Game::setLevelPosition(float x, float y) {
  if (level) level->setPosition(x, y);
}

// ----------------------------------------------------------------- the frame

void TM3Game::update() {
  if (!level) return;
  TLevel& L = *level;
  // 1
  isBomb_ = isCrossFire_ = isBomb2_ = isCrossFire2_ = _isAnyBonus = 0;
  // 2
  puzzles = 0;
  tilesToCollect = 0;
  for (auto& tp : L.tile) {
    TTile* t = tp.get();
    if (!t) continue;
    t->level = &L;
    t->update();
    if (t->chip && t->chip->cd && t->chip->cd->puzzleChip) ++puzzles;
    if (t->kindId() == 2) tilesToCollect += 1;
    if (t->kindId() == 3) tilesToCollect += 2;
  }
  if (cheatsOn) {
    _overTile = nullptr;
    const float px = static_cast<float>(mouse().x), py = static_cast<float>(mouse().y);
    for (auto& tp : L.tile)
      if (tp && std::fabs(px - tp->cx()) <= 22 && std::fabs(py - tp->cy()) <= 22) _overTile = tp.get();
  }
  if (tilesToCollect == 0 && bylOstatniTiles == 0) {
    bylOstatniTiles = 1;
    L.log_lastTileBrakeTime = host->levelTime();  // already in seconds
  }
  // 3
  _updateTileSwaps();
  // 4
  for (int r = L.rows - 1; r >= 0; --r)
    for (int c = 0; c < L.cols; ++c) {
      TTile* t = L.at(r, c);
      if (!t) continue;
      const std::string st = t->updateChip();
      if (t->chip && t->chip->cd) {
        const TChipData& cd = *t->chip->cd;
        const std::string typ = upper(cd.typ);
        if (typ == "CROSSFIRE") {
          isCrossFire_ = 1;
          if (cd.id != 101) isCrossFire2_ = 1;
        }
        if (typ == "BOMB") {
          isBomb_ = 1;
          if (cd.id != 104) isBomb2_ = 1;
        }
        if (!typ.empty()) _isAnyBonus = 1;
      }
      if (st == "CHECK-IF-CAN-FALL" && t->chip) {
        if (chipMayFallDownMore(L, r, c) && !t->chip->flying()) fallChip(r, c);
        else if (!_chipMaySideFallDown(r, c)) t->chip->setState("LAND");
      }
      // A swap link outlives its swap only until the cell's chip is at rest.
      if (t->swap && (!t->chip || t->chip->state.empty())) t->swap = nullptr;
    }
  // 5
  overTile = nullptr;
  for (auto& tp : L.tile) {
    TTile* t = tp.get();
    if (t && t->updateOver() && t->canBeOver()) overTile = t;
  }
  if (overTile && (!overTile->chip || overTile->chip->isMoving())) overTile = nullptr;
  // 6
  rAlpha = easeToward(rAlpha, dRAlpha, 0.05f * delta);
  L.setFrameAlpha(rAlpha);
  // 7
  for (int r = 0; r < L.rows; ++r)
    for (int c = 0; c < L.cols; ++c)
      if (_chipMayFallDown(r, c)) fallChip(r, c);
  // 8
  overImgF += overImgAnimSpeed * delta;
  if (overImgF > maxOverImgF) overImgF = 0;
  // 9
  _updatePary();
  // 10
  _updateChipsGroup();
  // 11
  for (int r = 0; r < L.rows; ++r)
    for (int c = 0; c < L.cols; ++c) _chipMaySideFallDown(r, c);
  // 12
  fx->update(*this);
  _updateRandomRemoval();
  // 13
  _updateBlysk();
  // 14
  if (cheatsOn && plat::input().keyHit(plat::KEY_B)) poblyskTime = plat::millisecs() - 10;
}

void TM3Game::_updateBlysk() {
  const int now = plat::millisecs();
  if (dBlyskA > blyskA) {
    blyskA = easeToward(blyskA, dBlyskA, 0.05f * delta);
    if (blyskA >= dBlyskA) {
      dBlyskA = 0;
      ++blyski;
    }
  } else if (dBlyskA < blyskA) {
    blyskA = easeToward(blyskA, dBlyskA, 0.05f * delta);
    if (blyskA <= dBlyskA) {
      if (blyski < 2) dBlyskA = 1;
      else blyskTime = now + 40000;
    }
  }
  if (blyskTime != 0 && now > blyskTime && level) {
    TTile* last = level->at(level->rows - 1, level->cols - 1);
    if (last && last->startBlysk == 0) {
      dBlyskA = dBlyskA == 0 ? 1.f : 0.f;
      blyski = 0;
      blyskTime = now + 500000;
    } else {
      blyskTime = now + 5000;
    }
  }
  if (poblyskTime != 0 && now > poblyskTime && level) {
    poblyskTime = now + 30000;
    if (blyskA == 0 && dBlyskA == 0) startPoblysk();
  }
}

void TM3Game::startPoblysk() {
  if (!level) return;
  const int now = plat::millisecs();
  for (auto& t : level->tile) {
    if (!t) continue;
    t->blyskTime = now + (t->r + 1) * (t->c + 1) * 20;
    t->startBlysk = 1;
  }
}

void TM3Game::cleanUpFlashes() {
  blyskTime = plat::millisecs() + 20000;
  blyskA = dBlyskA = 0;
  if (!level) return;
  for (auto& t : level->tile) {
    if (!t) continue;
    t->startBlysk = 0;
    t->blyskA = t->dBlyskA = 0;
  }
}

int TM3Game::controlGame(int locked) {
  if (locked || !level) return 0;
  switch (matchType) {
    case 1: return _control_CHAIN();
    case 2: return _control_CLICK();
    default: return _control_SWAP();
  }
}

int TM3Game::_nothingIsHappening() const {
  if (fx->debrisBusy()) return 0;
  if (!level) return 1;
  for (auto& t : level->tile)
    if (t && t->chip && !t->chip->doingNothing()) return 0;
  return 1;
}

bool TM3Game::quiet() const {
  if (!(_nothingIsHappening() && swapsList.empty() && listaPar.empty() && randomRemoval.empty() &&
        !fx->fantomsBusy()))
    return false;
  // In GROUP mode a landing chip does not count as moving, yet it may still
  // fall on: at rest means every chip in no state at all.
  // Nor is a board whose emptied cells are about to refill: an empty
  // creator makes a chip on the next frame, an idle chip over an empty cell
  // falls into it.
  if (level)
    for (auto& t : level->tile) {
      if (!t) continue;
      if (t->chip && !t->chip->state.empty()) return false;
      if (!t->chip && t->creator && real(t.get())) return false;
      if (_chipMayFallDown(t->r, t->c)) return false;
    }
  return true;
}

// ----------------------------------------------------------------- falling

int TM3Game::_chipMayFallDown(int r, int c) const {
  // A chip on its shuffle flight still sits in its old cell: it must not fall.
  TTile* t = tileAt(r, c);
  return (t && t->chip && !t->chip->flying() && chipMayFallDown(*level, r, c)) ? 1 : 0;
}

void TM3Game::fallChip(int r, int c) {
  TTile* t = tileAt(r, c);
  TTile* below = tileAt(r + 1, c);
  if (!t || !below || !t->chip) return;
  auto ch = t->chip;
  below->chip = ch;
  t->chipFallDown();
  ch->tile = below;
}

void TM3Game::sideFallChip(int r, int c, int dir) {
  TTile* t = tileAt(r, c);
  TTile* land = tileAt(r + 1, c + dir);
  if (!t || !land || !t->chip) return;
  auto ch = t->chip;
  land->chip = ch;
  t->chipSideFallDown(dir);
  ch->tile = land;
}

int TM3Game::_chipMaySideFallDown(int r, int c) {
  TTile* t = tileAt(r, c);
  if (!t || !t->chip || t->chip->flying() || t->chip->state == kDebrisState) return 0;
  const int dir = sideFallDirection(*level, r, c);
  if (dir == 0) return 0;
  sideFallChip(r, c, dir);
  return 1;
}

// ----------------------------------------------------------------- swaps

int TM3Game::getKierunek(int x, int y) {
  if (x < 0 && y < 0) return 0;
  if (x == 0 && y < 0) return 1;
  if (x > 0 && y < 0) return 2;
  if (x > 0 && y == 0) return 3;
  if (x > 0 && y > 0) return 4;
  if (x == 0 && y > 0) return 5;
  if (x < 0 && y > 0) return 6;
  return 7;
}

const char* TM3Game::kierunekName(int k) {
  static const char* names[] = {"MOVE-LEFT-UP",    "MOVE-UP",   "MOVE-RIGHT-UP",  "MOVE-RIGHT",
                                "MOVE-RIGHT-DOWN", "MOVE-DOWN", "MOVE-LEFT-DOWN", "MOVE-LEFT"};
  return names[(k >= 0 && k < 8) ? k : 7];
}

int TM3Game::_chipsMayBeSwaped(TTile* t1, TTile* t2) const {
  if (!t1 || !t2 || !t1->chip || !t2->chip) return 0;
  const int dr = std::abs(t1->r - t2->r), dc = std::abs(t1->c - t2->c);
  if (!((dc == 1 && dr == 0) || (dr == 1 && dc == 0))) return 0;
  return (t1->chip->state.empty() && t2->chip->state.empty() && !t1->chip->flying() && !t2->chip->flying()) ? 1 : 0;
}

void TM3Game::swapChips(TTile* t1, TTile* t2) {
  if (!t1 || !t2 || !t1->chip || !t2->chip) return;
  if (t1->chip->isMoving() || t2->chip->isMoving() || t1->chain || t2->chain) return;
  auto c1 = t1->chip, c2 = t2->chip;
  t1->chip = c2;
  t2->chip = c1;
  c1->tile = t2;
  c2->tile = t1;
  t1->swap = t2;
  t2->swap = t1;
  swapsList.push_back({c1, c2});
  c1->setState(kierunekName(getKierunek(t2->c - t1->c, t2->r - t1->r)));
  c2->setState(kierunekName(getKierunek(t1->c - t2->c, t1->r - t2->r)));
  pickedTile_ = nullptr;
}

void TM3Game::reverse(TTile* t1, TTile* t2) {
  if (!t1 || !t2 || !t1->chip || !t2->chip) return;
  auto c1 = t1->chip, c2 = t2->chip;
  t1->chip = c2;
  t2->chip = c1;
  c1->tile = t2;
  c2->tile = t1;
  t1->swap = t2;
  t2->swap = t1;
  c1->reversing = c2->reversing = 1;
  // The playback starts from rest in the chips' own cells.
  c1->state.clear();
  c2->state.clear();
  c1->setState(kierunekName(getKierunek(t2->c - t1->c, t2->r - t1->r)));
  c2->setState(kierunekName(getKierunek(t1->c - t2->c, t1->r - t2->r)));
}

int TM3Game::isSwap(const TChip* ch) {
  for (auto& p : swapsList)
    if (p.c1.get() == ch || p.c2.get() == ch) return 1;
  return 0;
}

int TM3Game::isInPair(const TChip* ch) {
  for (auto& p : listaPar)
    if (p.c1.get() == ch || p.c2.get() == ch) return 1;
  return 0;
}

void TM3Game::removePair(const TChip* ch) {
  for (auto it = swapsList.begin(); it != swapsList.end(); ++it)
    if (it->c1.get() == ch || it->c2.get() == ch) {
      swapsList.erase(it);
      return;
    }
}

void TM3Game::_updateTileSwaps() {
  // _isMatch and destroy may call back into the list; work on a copy and
  // take pairs out by identity.
  const auto pairs = swapsList;
  for (const auto& p : pairs) {
    if (!isSwap(p.c1.get())) continue;
    TChip& a = *p.c1;
    TChip& b = *p.c2;
    if (a.state == "DESTROY" || b.state == "DESTROY") {
      a.adx = a.adY = b.adx = b.adY = 0;
      removePair(&a);
      continue;
    }
    const bool arrived = a.isMoving() && b.isMoving() && a.adx == 0 && a.adY == 0 && b.adx == 0 && b.adY == 0;
    if (!arrived) continue;
    const int m1 = a.tile ? _isMatch(a.tile) : 0;
    const int m2 = b.tile ? _isMatch(b.tile) : 0;
    removePair(&a);
    if (m1 || m2 || a.isBonus() || b.isBonus()) {
      if (a.isBonus()) a.destroy(0);
      if (b.isBonus()) b.destroy(0);
    } else if (a.state != "DESTROY" && b.state != "DESTROY" && a.tile && b.tile) {
      playSound(TGameSound::BadMatch);
      reverse(a.tile, b.tile);
    }
  }
}

TTile* TM3Game::getTileByMousePosition() const {
  if (!swapDim || !swapTile) return nullptr;
  const int dx = mouse().x - static_cast<int>(swapDim->x);
  const int dy = mouse().y - static_cast<int>(swapDim->y);
  if (std::abs(dx) <= 8 && std::abs(dy) <= 8) return nullptr;
  int tr = swapTile->r, tc = swapTile->c;
  if (std::abs(dy) < std::abs(dx)) tc += dx > 0 ? 1 : -1;
  else tr += dy > 0 ? 1 : -1;
  TTile* t = tileAt(tr, tc);
  return (t && t->chip) ? t : nullptr;
}

void TM3Game::clickTile(TTile* tile) {
  if (noClick == 1) {
    pickedTile_ = nullptr;
    noClick = 0;
  }
  if (pickedTile_) {
    if (tile == pickedTile_) {
      if (tile->haveBonus()) tile->destroyChip();
      pickedTile_ = nullptr;
      return;
    }
    if (_chipsMayBeSwaped(tile, pickedTile_)) {
      swapChips(tile, pickedTile_);
      return;
    }
  }
  pickedTile_ = tile;
}

int TM3Game::_control_SWAP() {
  TMouse& m = mouse();
  if (!overTile) _lastOver = nullptr;
  if (m.leftPressed && overTile) {
    clickTile(overTile);
    mx = m.x;
    my = m.y;
    _lastOver = overTile;
  }
  if (!swapDim && m.leftHolded && (overTile || _lastOver)) {
    swapDim = newDimAt(m.x, m.y);
    swapTile = _lastOver ? _lastOver : overTile;
  }
  if (swapDim && m.leftHolded) {
    TTile* target = getTileByMousePosition();
    if (target && target != swapTile && _chipsMayBeSwaped(swapTile, target)) {
      matcheSamoistne = 0;
      swapChips(swapTile, target);
      ++swapsCount;
      overTilePom = target;
      overTile = nullptr;
      flushHits();
      mx = m.x;
      my = m.y;
      return 1;
    }
  } else if (swapDim && !m.leftHolded) {
    swapDim = nullptr;
    swapTile = nullptr;
  }
  return 0;
}

// ----------------------------------------------------------------- matches

void TM3Game::countMatchSize(int n) {
  if (n == 4) ++log_matches4;
  else if (n == 5) ++log_matches5;
  else if (n == 6) ++log_matches6;
  else if (n > 6) ++log_matchesMore;
}

int TM3Game::_isMatch(TTile* tile) {
  if (!level || !tile) return 0;
  auto m = getMatchedChipsSwap(tile);
  if (!m) return 0;
  // The line search sees chips that are already being destroyed; a line
  // resolved once must not score again when one of its chips stops moving.
  std::erase_if(*m, [](const TChipPtr& ch) { return ch->state == "DESTROY"; });
  if (m->size() < 3 || !tile->chip || !contains(*m, tile->chip.get())) return 0;
  const int n = static_cast<int>(m->size());
  countMatchSize(n);
  level->highestMatch = std::max(level->highestMatch, n);
  level->log_iloscMatchy += 1;
  level->log_zmatchowaneChipsy += n;
  for (auto& ch : *m) ch->giveResource(0);
  if (n < settings->swap_bonusMatch) {
    for (auto& ch : *m) ch->destroy(0);
  } else {
    auto staying = tile->chip;
    staying->giveScore();
    for (auto& ch : *m)
      if (ch != staying) ch->destroy(0);
    _moveFantomsToOne(*m, tile, n);
  }
  if (++matcheSamoistne > 7) {
    matcheSamoistne = 0;
    createBonus1();
  }
  return n;
}

std::optional<TChipList> TM3Game::getMatchedChipsSwap(TTile* t) const {
  return matchFinderS::findMatch(*level, t);
}

void TM3Game::isLandedMatch(TTile* t) {
  if (matchType == 0) _isMatch(t);
}

void TM3Game::_moveFantomsToOne(const TChipList& chips, TTile* tile, int size) {
  playSound(TGameSound::CreateBonus);
  fx->praise(*this, static_cast<int>(tile->cx()), static_cast<int>(tile->cy()), plat::randInt(0, 3));
  fx->fantoms(*this, chips, tile->chip, size);
}

void TM3Game::fantomArrived(const TChipPtr& target, int size) {
  // The target may have been blasted or carried off while the ghosts flew.
  if (!target || !onBoard(target.get()) || target->docelowyChip || size <= 0) return;
  const int b = matchType == 1 ? settings->chain_bonusMatch
                               : matchType == 2 ? settings->group_bonusMatch : settings->swap_bonusMatch;
  const int d = size - b;
  const std::string T = getRandomBonusType();
  int kind;
  if (level && upper(level->matchType) == "SWAP") {
    if (upper(T) == "BOMB") kind = d < 1 ? 105 : 106;
    else kind = d < 1 ? 102 : 103;
  } else {
    if (d <= 1) kind = 102;
    else if (d == 2) kind = 103;
    else if (d <= 4) kind = 105;
    else kind = 106;
  }
  createBonusOnChip(target.get(), getBonusChipData(kind));
}

void TM3Game::createBonusOnChip(TChip* chip, const TChipDataPtr& cd) {
  if (chip) chip->changeTo(cd);
}

void TM3Game::createBonus1() {
  TChipList cand;
  for (auto& ch : getAllChips())
    if (!ch->docelowyChip && ch->state != "DESTROY" && ch->cd && !ch->cd->puzzleChip) cand.push_back(ch);
  if (cand.empty()) return;
  auto ch = cand[plat::randInt(0, static_cast<int>(cand.size()) - 1)];
  const int kind = profileLevelNumber == 1 ? 104 : (plat::randInt(0, 1) == 0 ? 101 : 104);
  createBonusOnChip(ch.get(), getBonusChipData(kind));
  playSound(TGameSound::CreateBonus);
}

void TM3Game::addScore(int points) {
  if (level) level->score += points;
  host->addScore(points);
}

// ----------------------------------------------------------------- blasts

void TM3Game::CROSS(int r, int c, int delay, int kind) {
  TTile* t = tileAt(r, c);
  if (!t) return;
  if (t->kindId() > 0) t->generateDestroyParticles(delay, kind);
  if (t->chip) {
    t->chip->setDestroyType(5);
    t->chip->destroy(delay);
  }
}

void TM3Game::CROSS_HORIZONTAL(int r, int c, int n) {
  for (int i = 1; i <= n; ++i) {
    CROSS(r, c - i, i * 100, 1);
    CROSS(r, c + i, i * 100, 1);
  }
}

void TM3Game::CROSS_VERTICAL(int r, int c, int n) {
  for (int i = 1; i <= n; ++i) {
    CROSS(r - i, c, i * 100, 2);
    CROSS(r + i, c, i * 100, 2);
  }
}

void TM3Game::BOMB(int row, int col, int rad) {
  for (int i = row - rad; i <= row + rad; ++i)
    for (int j = col - rad; j <= col + rad; ++j) {
      if (!tileAt(i, j)) continue;
      const bool corner = std::abs(i - row) == rad && std::abs(j - col) == rad;
      if (corner && rad > 1) continue;
      const int d = static_cast<int>(100 * std::sqrt(static_cast<double>((j - col) * (j - col) + (i - row) * (i - row))));
      CROSS(i, j, d, 3);
    }
}

void TM3Game::SHUFFLE(int n) {
  TChipList cand;
  for (auto& ch : getAllChips())
    if (!ch->docelowyChip && ch->state != "DESTROY" && !ch->flying() && !isInPair(ch.get()) && !isSwap(ch.get()) &&
        ch->tile && !ch->tile->chain)
      cand.push_back(ch);
  TChipPtr first;
  for (int k = 0; k < 2 * n && !cand.empty(); ++k) {
    const int i = plat::randInt(0, static_cast<int>(cand.size()) - 1);
    if (k % 2 == 0) {
      first = cand[i];
      continue;
    }
    TChipPtr second = cand[i];
    cand.erase(cand.begin() + i);
    auto it = std::find(cand.begin(), cand.end(), first);
    if (it != cand.end()) cand.erase(it);
    TM3Para p;
    p.c1 = first;
    p.c2 = second;
    p.t1 = first->tile;
    p.t2 = second->tile;
    if (first != second) {
      first->flyToTile(p.t2);
      second->flyToTile(p.t1);
      listaPar.push_back(p);
    }
  }
}

void TM3Game::_updatePary() {
  for (auto it = listaPar.begin(); it != listaPar.end();) {
    TM3Para& p = *it;
    if (p.c1->flying() || p.c2->flying()) {
      ++it;
      continue;
    }
    // Each start cell takes the chip that flew into it, dying or not: a
    // dying chip finishes in its new cell and the cell clears itself.
    p.t1->setChip(p.c2);
    p.t2->setChip(p.c1);
    p.t1->swap = p.t2->swap = nullptr;
    p.c1->tileP = p.c2->tileP = 0;
    it = listaPar.erase(it);
  }
}

// ----------------------------------------------------------------- effects

void TM3Game::debris(TDebrisKind kind, TTile* tile, TChipData* newKind) {
  if (!tile) return;
  switch (kind) {
    case TDebrisKind::Down:
      ++chipsToDebris;
      fx->debrisPiece(*this, tile);
      break;
    case TDebrisKind::Vanish:
      ++chipsToDebris;
      fx->debrisVanish(*this, tile);
      break;
    case TDebrisKind::Replace: {
      TChipDataPtr k;
      for (auto& cd : chipsList)
        if (cd.get() == newKind) k = cd;
      for (auto& cd : bonusList)
        if (cd.get() == newKind) k = cd;
      fx->debrisReplace(*this, tile, k);
      break;
    }
  }
}

void TM3Game::flyingResource(TChip* chip, int slot, int delay) { fx->resource(*this, chip, slot, delay); }

bool TM3Game::powerUpSlotOpen(int slot) {
  if (slot < 1 || slot > 6) return false;
  const TPowerUp& p = (*powerUps)[slot - 1];
  return p.odkryty && !p.aktywny;
}

void TM3Game::pieceArrived() {
  ++piecesCredited;
  if (level) level->puzzles += 1;
}

void TM3Game::pieceCollected() { pieceArrived(); }

void TM3Game::ghostArrived(TChip& chip, int matchSize) { fantomArrived(chip.shared_from_this(), matchSize); }

bool TM3Game::powerUpSlotPoint(int slot, float& x, float& y) {
  return panel ? panel->powerUpSlotPoint(slot, x, y) : false;
}

void TM3Game::resourceArrived(int slot) {
  if (slot < 1 || slot > 6) return;
  if ((*powerUps)[slot - 1].addData(1)) playSound(TGameSound::CreatePowerUp, slot);
}

void TM3Game::refillCell(TTile* tile) {
  if (!real(tile)) return;
  tile->randomMyChip();
  if (tile->chip) {
    tile->chip->state.clear();
    tile->chip->setState("MOVE-SHOW-2");
    tile->chip->adY = -500.f - 2.f * tile->r * tile->c;
  }
}

void TM3Game::sendAllToOdpady() {
  if (!level) return;
  // Whatever is still falling lands first, so no collected piece or
  // replacement is lost when the list starts over.
  fx->settleDebris(*this);
  // Bottom row first, 3 ms apart: the board crumbles from below.
  int delay = 0;
  for (int r = level->rows - 1; r >= 0; --r)
    for (int c = 0; c < level->cols; ++c) {
      TTile* t = level->at(r, c);
      if (!real(t) || !t->chip || (t->chip->cd && t->chip->cd->puzzleChip)) continue;
      ++chipsToDebris;
      fx->debrisDeadBoard(*this, t, delay);
      delay += 3;
    }
}

void TM3Game::playSound(TGameSound s, int k, const std::string& name) { fx->sound(s, k, name); }

// ----------------------------------------------------------------- queries

TChip* TM3Game::getChipByPos(int r, int c) const {
  TTile* t = tileAt(r, c);
  return (real(t) && t->chip) ? t->chip.get() : nullptr;
}

TChipList TM3Game::getChipsSQR(int r, int c, int rad) const {
  TChipList l;
  for (int i = r - rad; i <= r + rad; ++i)
    for (int j = c - rad; j <= c + rad; ++j)
      if (TTile* t = tileAt(i, j); t && t->chip) l.push_back(t->chip);
  return l;
}

TChipList TM3Game::getAllChips() const {
  TChipList l;
  if (level)
    for (auto& t : level->tile)
      if (t && t->chip) l.push_back(t->chip);
  return l;
}

TChipList TM3Game::getAllChipsLikeThisById(int id) const {
  TChipList l;
  for (auto& ch : getAllChips())
    if (ch->cd && ch->cd->id == id) l.push_back(ch);
  return l;
}

int TM3Game::isBonus(int id) const {
  if (id < 100) id += 100;
  return getAllChipsLikeThisById(id).empty() ? 0 : 1;
}

TTile* TM3Game::_updateTileOver_BEZWZGLEDNIE() {
  if (!level) return nullptr;
  for (auto& t : level->tile)
    if (t && t->updateOver()) return t.get();
  return nullptr;
}

// Distinct draws: a chip is hit once, never twice by one power-up.
static TChipList drawDistinct(TChipList cand, int n) {
  TChipList out;
  while (n-- > 0 && !cand.empty()) {
    const int i = plat::randInt(0, static_cast<int>(cand.size()) - 1);
    out.push_back(cand[i]);
    cand.erase(cand.begin() + i);
  }
  return out;
}

TChipList TM3Game::getRandomChips(int n) const {
  TChipList cand;
  for (auto& ch : getAllChips())
    if (ch->cd && ch->cd->proper() && !ch->tile->chain && ch->state != "DESTROY") cand.push_back(ch);
  return drawDistinct(cand, n);
}

TChipList TM3Game::getRandomChipsWithout(int n, const TChipDataPtr& cd) const {
  TChipList cand;
  for (auto& ch : getAllChips())
    if (ch->cd && ch->cd != cd && !ch->cd->puzzleChip && ch->state != "DESTROY") cand.push_back(ch);
  return drawDistinct(cand, n);
}

std::vector<TTile*> TM3Game::createTilesListForCrossFireX(int r, int c) const {
  std::vector<TTile*> out;
  if (!level) return out;
  const int far = std::max(level->rows, level->cols);
  for (int i = 0; i <= far; ++i) {
    const int cells[4][2] = {{r - i, c - i}, {r - i, c + i}, {r + i, c + i}, {r + i, c - i}};
    for (auto& rc : cells) {
      TTile* t = tileAt(rc[0], rc[1]);
      if (real(t) && std::find(out.begin(), out.end(), t) == out.end()) out.push_back(t);
    }
  }
  return out;
}

// ----------------------------------------------------------------- power-ups

bool TM3Game::usePowerUp(int slot, TTile* tile) {
  if (slot < 1 || slot > 6 || !level) return false;
  TPowerUp& pu = (*powerUps)[slot - 1];
  if (!pu.aktywny || !randomRemoval.empty() || !quiet()) return false;
  const bool needsTile = slot == 1 || slot == 2 || slot == 5 || slot == 6;
  // Only a real cell of this board is a target; anything else keeps the charge.
  if (needsTile) {
    if (!real(tile) || tileAt(tile->r, tile->c) != tile) return false;
    if (slot != 1 && !tile->chip) return false;
    if (tile->chip && tile->chip->cd && tile->chip->cd->puzzleChip) {
      playSound(TGameSound::BadMatch);
      flushHits();
      return false;
    }
  }
  switch (slot) {
    case 1:
      playSound(TGameSound::HammerBreak);
      if (!tile->chip) {
        tile->matchHere();
      } else {
        tile->chip->destroy(0);
        level->moveChipsUp(tile);
      }
      break;
    case 2: {
      for (TTile* t : createTilesListForCrossFireX(tile->r, tile->c)) {
        if (!t->chip) {
          t->matchHere();
          continue;
        }
        const float dx = t->cx() - tile->cx(), dy = t->cy() - tile->cy();
        const int d = static_cast<int>(std::sqrt(dx * dx + dy * dy));
        t->chip->rot = static_cast<float>(std::atan2(dy, dx) * 180.0 / M_PI);
        t->chip->setDestroyType(4);
        t->generateDestroyParticles(d, 3);
        t->chip->destroy(d);
      }
      playSound(TGameSound::Crossfire, 3);
      break;
    }
    case 3: {
      auto l = getRandomChips(15);
      if (l.empty()) return false;
      randomRemoval = l;
      randomRemovalTime = plat::millisecs() + 300;
      break;
    }
    case 4:
      sendAllToOdpady();
      playSound(TGameSound::Named, 0, plat::randInt(1, 2) == 1 ? "shuffle1" : "shuffle2");
      break;
    case 5: {
      if (tile->chip->isBonus()) return false;
      auto kind = tile->chip->cd;
      auto l = getRandomChipsWithout(plat::randInt(15, 20), kind);
      for (auto& ch : l) ch->replaceChipData(kind);
      playSound(TGameSound::Named, 0, "magic2");
      break;
    }
    case 6: {
      if (!tile->chip->cd || !tile->chip->cd->proper()) return false;
      for (auto& ch : getAllChipsLikeThisById(tile->chip->cd->id)) ch->vanish();
      playSound(TGameSound::Named, 0, "magic1");
      break;
    }
  }
  flushHits();
  pickedTile_ = nullptr;
  pu.use();
  bonusUse[slot - 1] += 1;
  return true;
}

void TM3Game::_updateRandomRemoval() {
  if (randomRemoval.empty() || plat::millisecs() < randomRemovalTime) return;
  auto ch = randomRemoval.front();
  randomRemoval.erase(randomRemoval.begin());
  // A chip that left its cell (matched, blasted, carried off) is passed over.
  if (onBoard(ch.get())) ch->destroy(0);
  randomRemovalTime = plat::millisecs() + 300;
}

// ----------------------------------------------------------------- CHAIN

TChipPtr TM3Game::_chipInTile(TTile* t) const {
  if (!real(t) || !t->chip || t->chip->isMoving()) return nullptr;
  return t->chip;
}

int TM3Game::_canAddToChain(TTile* t1, TTile* t2) const {
  if (!t1 || !t2 || !t1->chip || !t2->chip || !t1->chip->cd || !t2->chip->cd) return 0;
  if (t1->chip->cd->puzzleChip || t2->chip->cd->puzzleChip) return 0;
  const int dr = std::abs(t1->r - t2->r), dc = std::abs(t1->c - t2->c);
  if (dr > 1 || dc > 1 || (dr == 0 && dc == 0)) return 0;
  return t1->chip->cd->id == t2->chip->cd->id ? 1 : 0;
}

TChipList TM3Game::_canAddToChain2(TTile* t1, TTile* t2) const {
  TChipList out;
  if (!t1 || !t2 || !t1->chip || !t2->chip || !t1->chip->cd || !t2->chip->cd) return out;
  if (t1->chip->cd->puzzleChip || t2->chip->cd->puzzleChip || t1 == t2) return out;
  if (t1->r != t2->r && t1->c != t2->c) return out;
  const int dr = (t2->r > t1->r) - (t2->r < t1->r), dc = (t2->c > t1->c) - (t2->c < t1->c);
  const int id = t1->chip->cd->id;
  for (int r = t1->r, c = t1->c;; r += dr, c += dc) {
    TTile* t = tileAt(r, c);
    if (!t || !t->chip || !t->chip->cd || t->chip->cd->id != id || t->chip->isMoving()) return {};
    if (t != t1 && contains(zaznaczone, t->chip.get())) return {};
    out.push_back(t->chip);
    if (t == t2) return out;
  }
}

TChipPtr TM3Game::getLastAddedChip() const { return zaznaczone.empty() ? nullptr : zaznaczone.back(); }

TChipPtr TM3Game::getLastBeforeAddedChip() const {
  if (zaznaczone.size() < 2) return getLastAddedChip();
  return zaznaczone[zaznaczone.size() - 2];
}

int TM3Game::_control_CHAIN() {
  TMouse& m = mouse();
  if (zaznaczone.empty() && overTile && m.leftPressed && overTile->chip && overTile->chip->isBonus()) {
    overTile->chip->destroy(0);
    flushHits();
    return 0;
  }
  if (!m.leftHolded) {
    // Chips blasted or carried off while the chain was drawn drop out of it.
    TChipList chain;
    for (auto& ch : zaznaczone)
      if (onBoard(ch.get())) chain.push_back(ch);
    if (chain.size() > 2) {
      auto c = chain.back();
      TTile* ct = c->tile;
      const int n = static_cast<int>(chain.size());
      countMatchSize(n);
      for (auto& ch : chain) ch->giveResource(0);
      level->log_iloscMatchy += 1;
      level->log_zmatchowaneChipsy += n;
      if (n >= settings->chain_bonusMatch) {
        c->generateDestroyParticlesNormal(-1);
        for (auto& ch : chain)
          if (ch != c) ch->destroy(0);
        _moveFantomsToOne(chain, ct, n);
        ct->matchHere();
        if (ct->chain) c->destroyChain(0);
      } else {
        for (auto& ch : chain) ch->destroy(0);
      }
      level->highestMatch = std::max(level->highestMatch, n);
      fx->number(*this, static_cast<int>(ct->cx()), static_cast<int>(ct->cy()) + 31, n, 9);
    }
    zaznaczone.clear();
    _lastOver = nullptr;
    _lastChip = _lastAdded = nullptr;
    return 0;
  }
  TChipPtr p = _chipInTile(overTile);
  if (!p || p == _lastChip) return 0;
  _lastAdded = getLastAddedChip();
  if (contains(zaznaczone, p.get())) {
    if (p == getLastBeforeAddedChip() && _lastChip && !(p->cd && p->cd->puzzleChip)) {
      zaznaczone.pop_back();
      playSound(TGameSound::AddToChain);
    }
  } else if (zaznaczone.empty()) {
    zaznaczone.push_back(p);
    playSound(TGameSound::AddToChain);
  } else if (_lastAdded->tile && _canAddToChain(_lastAdded->tile, p->tile)) {
    zaznaczone.push_back(p);
    playSound(TGameSound::AddToChain);
  } else if (_lastAdded->tile) {
    for (auto& ch : _canAddToChain2(_lastAdded->tile, p->tile))
      if (!contains(zaznaczone, ch.get())) zaznaczone.push_back(ch);
  }
  _lastChip = p;
  return 0;
}

// ----------------------------------------------------------------- GROUP

int TM3Game::_control_CLICK() {
  TMouse& m = mouse();
  if (!m.leftPressed || !overTile || !overTile->chip) return 0;
  TChipPtr s = overTile->chip;
  if (s->isBonus()) {
    s->destroy(0);
    flushHits();
    return 0;
  }
  auto g = matchFinder::findMatch(*level, overTile);
  if (!g || g->size() <= 2) return 0;
  // The group search takes moving chips too; only chips at rest are removed.
  for (auto& ch : *g)
    if (!ch->doingNothing() || ch->flying()) return 0;
  flushHits();
  const int n = static_cast<int>(g->size());
  for (auto& ch : *g) ch->giveResource(0);
  level->log_iloscMatchy += 1;
  level->log_zmatchowaneChipsy += n;
  if (n >= settings->group_bonusMatch && !level->availableBonus.empty()) {
    s->generateDestroyParticlesNormal(-1);
    for (auto& ch : *g)
      if (ch != s) ch->destroy(0);
    _moveFantomsToOne(*g, overTile, n);
  } else {
    for (auto& ch : *g) ch->destroy(0);
  }
  level->highestMatch = std::max(level->highestMatch, n);
  return 0;
}

void TM3Game::_updateChipsGroup() {
  overGroup.clear();
  if (matchType != 2 || !overTile) return;
  auto g = matchFinder::findMatch(*level, overTile);
  if (!g || g->size() <= 2) return;
  (*g)[0]->_update_over_Group();  // the pulse is shared by all chips
  const float n = static_cast<float>(g->size());
  for (auto& ch : *g) ch->_update_shaking(n * 0.1f, 1.0f);
  overGroup = *g;
}

// ----------------------------------------------------------------- moves

int TM3Game::_MatchLeft_short() {
  if (!level) return 0;
  if (matchType == 1) return matchLeftChainShort(*level);
  if (matchType == 2) return matchLeftGroupShort(*level);
  return matchLeftSwapShort(*level);
}

namespace {

// The cell whose group (as the finder sees it) is the largest, for hints.
// When the groups partition the board (GROUP mode: every chip of a group
// finds that same group), each group is searched once, from its first cell
// in board order, which is also the cell the full walk would keep.
template <typename Finder, bool Partition>
TMatchInfo largestGroup(TLevel& level) {
  TMatchInfo best;
  std::unordered_set<const TChip*> seen;
  for (auto& t : level.tile) {
    if (!t || t->kindId() <= 0) continue;
    if (Partition && t->chip && seen.count(t->chip.get())) continue;
    auto g = Finder::findMatch(level, t.get());
    if (Partition && g)
      for (auto& ch : *g) seen.insert(ch.get());
    if (g && static_cast<int>(g->size()) > best.maxMatch) {
      best.tile1 = best.tile2 = t.get();
      best.maxMatch = static_cast<int>(g->size());
      best.zaznaczone = *g;
    }
  }
  return best;
}

}  // namespace

TMatchInfo TM3Game::_noMatchLeft_CHAIN() { return largestGroup<matchFinderC, false>(*level); }

TMatchInfo TM3Game::_noMatchLeft_CLICK() { return largestGroup<matchFinder, true>(*level); }

TMatchInfo TM3Game::_noMatchLeft() {
  TMatchInfo info;
  if (!level) return info;
  if (matchType == 1) return _noMatchLeft_CHAIN();
  if (matchType == 2) return _noMatchLeft_CLICK();
  const TSwapMove mv = noMatchLeftSwap(*level);
  info.tile1 = mv.tile1;
  info.tile2 = mv.tile2;
  info.maxMatch = mv.maxMatch;
  return info;
}
