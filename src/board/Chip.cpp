#include "board/Chip.h"

#include <cctype>
#include <cmath>

#include "app/Screen.h"
#include "board/BoardEvents.h"
#include "board/Level.h"
#include "board/Tile.h"
#include "platform/Clock.h"
#include "platform/Random.h"

namespace {

float sinDeg(float deg) { return std::sin(deg * static_cast<float>(M_PI) / 180.f); }

std::string upper(std::string s) {
  for (char& ch : s) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return s;
}

bool startsWith(const std::string& s, const char* head) { return s.rfind(head, 0) == 0; }

float plusOrMinusOne() { return plat::randInt(0, 1) == 0 ? -1.f : 1.f; }

// A shrink that runs 20 steps of 0.05 from 1 lands a hair above 0 in floats.
constexpr float kGone = 1e-4f;

}  // namespace

float TChip::overGroupA = 1;
float TChip::overGroupDA = 0;
plat::ImagePtr TChip::poswiata1;
plat::ImagePtr TChip::poswiata2;

TChip::TChip() {
  dShakeP = plusOrMinusOne();
  sasX = plusOrMinusOne();
  sasY = plusOrMinusOne();
}

// ----------------------------------------------------------------- context

float TChip::cellW() const {
  if (tile && tile->level && tile->level->settings) return tile->level->settings->sizeX;
  return 0;
}
float TChip::cellH() const {
  if (tile && tile->level && tile->level->settings) return tile->level->settings->sizeY;
  return 0;
}
TBoardEvents& TChip::events() const { return tile ? tile->events() : defaultBoardEvents(); }
float TChip::cellX() const { return tile ? tile->cx() : 0.f; }
float TChip::cellY() const { return tile ? tile->cy() : 0.f; }

// ----------------------------------------------------------------- queries

int TChip::isInPair() const { return events().isInPair(this); }

int TChip::isPicked() const {
  TTile* picked = events().pickedTile();
  return (picked && picked == tile && picked->chip.get() == this) ? 1 : 0;
}

int TChip::isSwaping() const { return (tile && tile->swap) ? 1 : 0; }

int TChip::isMovingCheckSwap() const {
  if (startsWith(state, "MOVE") && !isSwaping()) return 1;
  if (startsWith(state, "FALL")) return 1;
  if (state == "LAND" || state == "LAND_BACK") return 1;
  return flying() ? 1 : 0;
}

int TChip::isMoving() const {
  if (startsWith(state, "MOVE") || startsWith(state, "FALL")) return 1;
  if ((state == "LAND" || state == "LAND_BACK") && events().controlMode() != 2) return 1;
  if (flying()) return 1;
  return state == "DESTROY" ? 1 : 0;
}

int TChip::isBonus() const { return (cd && cd->id > 100) ? 1 : 0; }

int TChip::doingNothing() const { return (!isMoving() && state != "DESTROY") ? 1 : 0; }

std::string TChip::getMoveReverse() const {
  if (state == "MOVE-LEFT") return "MOVE-RIGHT";
  if (state == "MOVE-RIGHT") return "MOVE-LEFT";
  if (state == "MOVE-UP") return "MOVE-DOWN";
  if (state == "MOVE-DOWN") return "MOVE-UP";
  return "";
}

// ----------------------------------------------------------------- states

void TChip::setState(const std::string& name) {
  if (state == "DESTROY") return;
  lastAvState = name;
  const std::string before = state;
  lastState = state;
  state = upper(name);
  if (state == "DESTROY") {
    adx = adY = 0;
    return;
  }
  if (tile && events().pickedTile() == tile) events().clearPickedTile();
  if (startsWith(state, "LAND") && !startsWith(before, "LAND")) events().sound(TBoardSound::ChipMove, 0);
  entryAction(name);
}

void TChip::entryAction(const std::string& name) {
  const float w = cellW(), h = cellH();
  if (name == "MOVE-LEFT") { adx = w; c -= 1; }
  else if (name == "MOVE-RIGHT") { adx = -w; c += 1; }
  else if (name == "MOVE-UP") { adY = h; r -= 1; }
  else if (name == "MOVE-DOWN") { adY = -h; r += 1; }
  else if (name == "MOVE-LEFT-UP") { adx = w; adY = h; c -= 1; r -= 1; }
  else if (name == "MOVE-RIGHT-UP") { adx = -w; adY = h; c += 1; r -= 1; }
  else if (name == "MOVE-LEFT-DOWN") { adx = w; adY = -h; c -= 1; r += 1; }
  else if (name == "MOVE-RIGHT-DOWN") { adx = -w; adY = -h; c += 1; r += 1; }
  else if (name == "FALL-DOWN") { adY = -h; r += 1; }
  else if (name == "FALL-LEFT-DOWN") { adY = -h; adx = w; r += 1; c -= 1; }
  else if (name == "FALL-RIGHT-DOWN") { adY = -h; adx = -w; r += 1; c += 1; }
  else if (name == "LAND" || name == "LAND_BACK") { p = 0; }
  else if (name == "MOVE-SHOW" || name == "MOVE-SHOW-2") { a = 0; s = 0; }
}

void TChip::moveUpToFall() {
  _ay = -7;
  setState("MOVE-UP-TO-FALL-DOWN");
}

void TChip::moveDownToFall() { setState("MOVE-DOWN-TO-FALL-DOWN"); }

std::string TChip::finishMove() {
  if (state == "MOVE-LEFT" || state == "MOVE-RIGHT") {
    adx = 0;
    _update_tile_Position();
    return "END_MOVE";
  }
  if (state == "MOVE-UP" || state == "MOVE-DOWN") {
    adY = 0;
    _update_tile_Position();
    return "END_MOVE";
  }
  if (state == "FALL-DOWN" || state == "MOVE-DOWN-TO-FALL-DOWN") {
    adY = 0;
    a = 1;
    return "FALL";
  }
  if (state == "FALL-LEFT-DOWN" || state == "FALL-RIGHT-DOWN") {
    adY = adx = 0;
    return "FALL";
  }
  if (state == "MOVE-UP-TO-FALL-DOWN") {
    _ay = 0;
    state = "MOVE-DOWN-TO-FALL-DOWN";
    return "";
  }
  if (state == "LAND") {
    p = 1;
    adY = -cellH() / 4;
    state = "LAND_BACK";
    return "";
  }
  if (state == "LAND_BACK") {
    p = 1;
    adY = 0;
    return "LANDED";
  }
  if (state == "MOVE-SHOW") {
    a = 1;
    s = 1;
    adY = 0;
    state = "";
    return "";
  }
  if (state == "DESTROY") {
    s = 1;
    a = 1;
    return "";
  }
  if (state == "LIE") {
    state = "";
    return "LANDED";
  }
  if (state == "REPLACE") {
    if (!_odpad) state = "";
    return "CHECK_MATCH";
  }
  return "";
}

void TChip::_update_tile_Position() {
  if (!tile) return;
  r = tile->r;
  c = tile->c;
}

void TChip::_update_settings() {
  if (tile && tile->level && tile->level->m3Game && tile->level->m3Game->settings) {
    xSpeed = tile->level->m3Game->settings->xSpeed;
    ySpeed = tile->level->m3Game->settings->ySpeed;
  } else if (tile && tile->level && tile->level->settings) {
    xSpeed = tile->level->settings->xSpeed;
    ySpeed = tile->level->settings->ySpeed;
  }
}

std::string TChip::swapStep(float& offset, float speed) {
  const float step = speed / 3.f * delta * 1.3f;
  if (offset > 0) {
    offset -= step;
    if (offset > 0) return "";
  } else if (offset < 0) {
    offset += step;
    if (offset < 0) return "";
  }
  offset = 0;
  _update_tile_Position();
  return "END_MOVE";
}

std::string TChip::fallStep() {
  const float h = cellH();
  if (a < 1 && h > 0) a = std::fabs(_ay / h);
  if (_ay < 5) _ay = 5;
  _ay += ySpeed / 10.f * delta;
  if (h > 0 && _ay > h) _ay = h;
  adY += _ay * delta;
  if (adY >= 0) {
    adY = 0;
    a = 1;
    _update_tile_Position();
    return "FALL";
  }
  return "";
}

std::string TChip::sideFallStep(float dir) {
  const float h = cellH();
  if (adY < 0 && a < 1 && h > 0) a = std::fabs(adY / h);
  if (_ay < 5) _ay = 5;
  _ay += ySpeed / 10.f * delta;
  if (h > 0 && _ay > h) _ay = h;
  const float step = _ay * delta;
  adY += step;
  // dir -1: a left fall, whose offset starts one cell to the right
  if (dir < 0) adx = std::max(0.f, adx - step);
  else adx = std::min(0.f, adx + step);
  if (adY >= 0) {
    adY = 0;
    adx = 0;
    _update_tile_Position();
    return "FALL";
  }
  return "";
}

std::string TChip::_update_state() {
  if (state.empty()) return "";
  if (state == "MOVE-LEFT" || state == "MOVE-RIGHT") return swapStep(adx, xSpeed);
  if (state == "MOVE-UP" || state == "MOVE-DOWN") return swapStep(adY, ySpeed);
  if (state == "FALL-DOWN" || state == "MOVE-DOWN-TO-FALL-DOWN") return fallStep();
  if (state == "FALL-LEFT-DOWN") return sideFallStep(-1);
  if (state == "FALL-RIGHT-DOWN") return sideFallStep(1);
  if (state == "MOVE-UP-TO-FALL-DOWN") {
    _ay += ySpeed / 18.f * delta;
    if (std::fabs(_ay) < 1) {
      _ay = 0;
      setState("MOVE-DOWN-TO-FALL-DOWN");
    }
    adY += _ay;
    return "";
  }
  if (state == "LAND") {
    _ay = 0;
    p = std::min(1.f, p + 0.1f * delta);
    adY = -sinDeg(90 * p) * cellH() / 4;
    if (p >= 1) setState("LAND_BACK");
    return "";
  }
  if (state == "LAND_BACK") {
    _ay = 0;
    p = std::min(1.f, p + 0.1f * delta);
    adY = -(cellH() / 4) * (1 - sinDeg(90 * p));
    if (p >= 1) {
      adY = 0;
      return "LANDED";
    }
    return "";
  }
  if (state == "MOVE-SHOW") {
    a = 0;
    s = 1;
    adY = -cellH();
    state = "FALL-DOWN";
    return "";
  }
  if (state == "MOVE-SHOW-2") {
    a = 0;
    s = 1;
    state = "FALL-DOWN";
    return "";
  }
  if (state == "DESTROY") return updateDestroy();
  if (state == "DESTROY-CHAIN") return updateDestroyChain();
  if (state == "LIE") {
    state = "";
    return "LANDED";
  }
  if (state == "REPLACE") {
    if (_odpad) return "";
    state = "";
    return "CHECK_MATCH";
  }
  return "";
}

// ----------------------------------------------------------------- frame

std::string TChip::update() {
  auto keep = weak_from_this().lock();
  if (!cd) destroy(0);
  _update_tile_Position();
  _update_change();
  _update_tileFly();
  _update_settings();
  if (isPicked()) _update_picked();
  else _update_not_picked();
  if (cd && cd->puzzleChip) _update_PuzzleChip();
  _update_bonusRot();
  return _update_state();
}

void TChip::_update_change() {
  if (!docelowyChip) return;
  changeP += 0.05f * delta;
  if (changeP > 1) {
    cd = docelowyChip;
    a = 1;
    changeP = 0;
    docelowyChip = nullptr;
  }
}

void TChip::_update_tileFly() {
  if (!docelowyTile || !startDim || !endDim || !mDim) return;
  tileP = std::min(1.f, tileP + 0.03f * delta);
  const float t = tileP;
  const float bx = startDim->x + 2 * t * (mDim->x - startDim->x) + t * t * (startDim->x - 2 * mDim->x + endDim->x);
  const float by = startDim->y + 2 * t * (mDim->y - startDim->y) + t * t * (startDim->y - 2 * mDim->y + endDim->y);
  adx = bx - startDim->x;
  adY = by - startDim->y;
  if (tileP >= 1) {
    tile = docelowyTile;
    docelowyTile = nullptr;
    adx = adY = 0;
    // Back at rest: a finished flight must not keep the chip hidden from draw().
    tileP = 0;
  }
}

void TChip::flyToTile(TTile* target) {
  if (!target) return;
  docelowyTile = target;
  const int x0 = static_cast<int>(cellX()), y0 = static_cast<int>(cellY());
  const int x1 = static_cast<int>(target->cx()), y1 = static_cast<int>(target->cy());
  startDim = newDimAt(x0, y0);
  endDim = newDimAt(x1, y1);
  const int dx = x1 - x0;
  const int mx = x0 + (dx < 0 ? -1 : (dx > 0 ? 1 : 0)) * std::abs(dx) / 2;
  mDim = newDimAt(mx, plat::randInt(0, 1) != 0 ? 600 : 0);
  tileP = 0;
}

// ----------------------------------------------------------------- destruction

void TChip::breakCellUnder() {
  if (tile && tile->kindId() > 1) tile->matchHere();
}

void TChip::destroy(int delay) {
  if (cd && cd->puzzleChip) {
    if (tile) {
      tile->matchHere();
      if (tile->chain) destroyChain(delay);
    }
    return;
  }
  if (state == "DESTROY") return;
  if (docelowyChip) {
    cd = docelowyChip;
    changeP = 0;
    docelowyChip = nullptr;
  }
  if (tile && tile->chain) {
    destroyChain(delay);
    return;
  }
  setState("DESTROY");
  bylUsuwany = 0;
  startTime = plat::millisecs() + delay;
  destroyTime = 0;
  if (tile && events().pickedTile() == tile) events().clearPickedTile();
}

void TChip::runDestroyParticles() {
  switch (destroyType) {
    case 1: generateDestroyParticlesFireHORIZONTAL(); break;
    case 2: generateDestroyParticlesFireVERTICAL(); break;
    case 3: generateDestroyParticlesBomb(); break;
    case 4: generateDestroyParticlesCross(); break;
    default: break;
  }
}

std::string TChip::updateDestroy() {
  const int now = plat::millisecs();
  if (now < startTime) return "";
  s -= 0.05f * delta;
  a -= 0.05f * delta;
  if (!cd || cd->typ != "SHUFFLE") destrA = std::min(1.f, destrA + 0.05f * delta);
  if (destroyType == 0 && bylUsuwany == 0) {
    generateDestroyParticlesNormal(0);
    bylUsuwany = 1;
    events().sound(TBoardSound::DestroyChip, 0);
    giveScore();
    if (cd && cd->id > 100) POWERUP();
    breakCellUnder();
  }
  if (now > destroyTime) {
    if (bylUsuwany == 0) {
      breakCellUnder();
      bylUsuwany = 1;
      if (cd && cd->id > 100) POWERUP();
    }
    destroyTime = now + 40;
    runDestroyParticles();
  }
  if (s <= kGone) {
    s = 0;
    return "DESTROYED";
  }
  return "";
}

void TChip::destroyChain(int delay) {
  startTime = plat::millisecs() + delay;
  destrChain = 1;
  bylUsuwanyLancuch = 0;
  setState("DESTROY-CHAIN");
  events().chainBroken();
}

std::string TChip::updateDestroyChain() {
  const int now = plat::millisecs();
  if (now < startTime) return "";
  if (bylUsuwanyLancuch == 0) {
    if (tile) tile->destroyChain();
    bylUsuwanyLancuch = 1;
    events().sound(TBoardSound::ChainBreak, 0);
  }
  destrChain = std::max(0.f, destrChain - 0.05f * delta);
  if (destrChain <= kGone) {
    destrChain = 0;
    return "END_CHAIN";
  }
  if (now > destroyTime) {
    destroyTime = now + 40;
    runDestroyParticles();
  }
  return "";
}

void TChip::generateDestroyParticlesNormal(int) {
  const int now = plat::millisecs();
  if (now < partTime) return;
  partTime = now + 25;
  const int x = static_cast<int>(cellX()), y = static_cast<int>(cellY());
  auto emit = [&](TBoardFx::Kind kind, int n) {
    for (int i = 0; i < n; ++i) {
      TBoardFx fx;
      fx.kind = kind;
      fx.x = x + plat::randInt(-10, 10);
      fx.y = y + plat::randInt(-10, 10);
      fx.rgb = cd ? cd->getRGB() : TRGB{};
      fx.delay = -1000;
      events().effect(fx);
    }
  };
  emit(TBoardFx::BurstAlpha, 21);
  emit(TBoardFx::Burst, 31);
  emit(TBoardFx::Burst, 11);
}

void TChip::giveScore() {
  const int points = cd ? cd->score : 0;
  events().addScore(points);
  TBoardFx fx;
  fx.kind = TBoardFx::Score;
  fx.x = static_cast<int>(cellX());
  fx.y = static_cast<int>(cellY());
  fx.value = points;
  fx.delay = -1;
  events().effect(fx);
}

void TChip::giveScore2() {
  const int points = cd ? cd->score : 0;
  events().addScore(points);
  TBoardFx fx;
  fx.kind = TBoardFx::Score;
  fx.x = static_cast<int>(cellX());
  fx.y = static_cast<int>(cellY());
  fx.value = points;
  fx.delay = 500;
  events().effect(fx);
}

void TChip::sendMeDown() {
  auto keep = weak_from_this().lock();
  TBoardEvents& ev = events();
  ev.puzzleCollected();
  ev.debris(TDebrisKind::Down, tile, nullptr);
  if (tile && tile->chip.get() == this) tile->setChip(nullptr);
  ev.sound(TBoardSound::PuzzleMatched, 0);
}

void TChip::vanish() { events().debris(TDebrisKind::Vanish, tile, nullptr); }

void TChip::replaceChipData(const TChipDataPtr& kind) {
  events().debris(TDebrisKind::Replace, tile, kind.get());
  setState("REPLACE");
}

void TChip::changeTo(const TChipDataPtr& kind) {
  docelowyChip = kind;
  changeP = 0;
}

void TChip::reverse() {
  const std::string back = getMoveReverse();
  if (back != state) setState(back);
}

void TChip::giveResource(int x) {
  if (!cd || cd->puzzleChip || bylOddanyRes) return;
  if (tile && tile->level) {
    const auto& table = tile->level->powerUpChips;
    for (int i = 0; i < 6; ++i)
      if (table[i] && table[i]->id == cd->id && events().powerUpSlotOpen(i + 1))
        events().flyingResource(this, i + 1, x);
  }
  bylOddanyRes = 1;
}

// ----------------------------------------------------------------- bonuses

void TChip::POWERUP() {
  if (!cd) return;
  cd->ileRazy += 1;
  const std::string& t = cd->typ;
  if (t == "BOMB") BONUS_BOMB();
  else if (t == "SHUFFLE") BONUS_SHUFFLE();
  else if (t == "CROSSFIRE") BONUS_CROSSFIRE();
  else if (t == "HORIZONTAL") BONUS_HORIZONTAL();
  else if (t == "VERTICAL") BONUS_VERTICAL();
}

void TChip::BONUS_BOMB() {
  if (cd->id >= 104 && cd->id <= 106) events().sound(TBoardSound::Bomb, cd->id - 103);
  events().BOMB(r, c, cd->moc);
  TBoardFx fx;
  fx.kind = TBoardFx::Explosion;
  fx.x = static_cast<int>(cellX());
  fx.y = static_cast<int>(cellY());
  events().effect(fx);
}

void TChip::BONUS_CROSSFIRE() {
  if (cd->id >= 101 && cd->id <= 103) events().sound(TBoardSound::Crossfire, cd->id - 100);
  events().CROSS_HORIZONTAL(r, c, cd->moc);
  events().CROSS_VERTICAL(r, c, cd->moc);
  TBoardFx fx;
  fx.kind = TBoardFx::Explosion;
  fx.x = static_cast<int>(cellX());
  fx.y = static_cast<int>(cellY());
  events().effect(fx);
}

void TChip::BONUS_HORIZONTAL() { events().CROSS_HORIZONTAL(r, c, cd->moc); }
void TChip::BONUS_VERTICAL() { events().CROSS_VERTICAL(r, c, cd->moc); }
void TChip::BONUS_SHUFFLE() { events().SHUFFLE(cd->moc); }
