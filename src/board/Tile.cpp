#include "board/Tile.h"

#include <cmath>

#include "app/Screen.h"
#include "board/BoardEvents.h"
#include "board/Chip.h"
#include "board/Level.h"
#include "gui/Mouse.h"
#include "platform/Clock.h"
#include "platform/Graphics.h"
#include "platform/Random.h"

namespace {
float sinDeg(float deg) { return std::sin(deg * static_cast<float>(M_PI) / 180.f); }
float cosDeg(float deg) { return std::cos(deg * static_cast<float>(M_PI) / 180.f); }
}  // namespace

plat::ImagePtr TTile::chainImg;
plat::ImagePtr TTile::chain2Img;

TBoardEvents& TTile::events() const {
  if (level && level->m3Game) return *level->m3Game->events;
  return defaultBoardEvents();
}

// ----------------------------------------------------------------- look

void TTile::resetMyLook() {
  ta = 1;
  ts = 1;
  tr = 0;
  if (chip) {
    chip->s = 1;
    chip->a = 1;
    chip->finishMove();
  }
}

void TTile::drawShadowed(float alpha, float shadowAlpha, int force) {
  if (!td) return;
  auto& g = plat::gfx();
  g.setColour(0, 0, 0);
  g.setAlpha(shadowAlpha);
  td->draw(cx() + 3, cy() + 3, 0, force);
  g.setColour(255, 255, 255);
  g.setAlpha(alpha);
  td->draw(cx(), cy(), 0, force);
}

void TTile::drawOnlyTile(int force, int shadow) {
  if (!td) return;
  auto& g = plat::gfx();
  g.setScale(ts, ts);
  g.setRotation(tr);
  if (shadow != 0) {
    drawShadowed(ta, ta * 0.4f, force);
  } else {
    g.setColour(255, 255, 255);
    g.setAlpha(ta);
    td->draw(cx(), cy(), 0, force);
  }
}

void TTile::drawPoblysk() {
  // Nothing to add at alpha 0, and skipping it spares a blend switch per cell.
  if (!td || blyskA <= 0) return;
  auto& g = plat::gfx();
  g.setBlend(plat::Blend::Additive);
  g.setAlpha(sinDeg(90 * blyskA) * 0.3f);
  g.setColour(255, 255, 255);
  g.setScale(1, 1);
  td->draw(cx(), cy(), 0, 0);
  g.setBlend(plat::Blend::Alpha);
}

void TTile::drawBlysk(float phase) {
  if (!td || td->id < 2 || blyskA != 0 || phase <= 0) return;
  auto& g = plat::gfx();
  g.setBlend(plat::Blend::Additive);
  g.setAlpha(sinDeg(90 * phase) * 0.3f);
  g.setColour(255, 255, 0);
  g.setScale(1, 1);
  td->draw(cx(), cy(), 0, 0);
  g.setBlend(plat::Blend::Alpha);
  g.setColour(255, 255, 255);
}

void TTile::drawBezwzglednie(int force) {
  auto& g = plat::gfx();
  g.setScale(1, 1);
  g.setRotation(0);
  drawShadowed(1, 0.4f, force);
  if (chip) chip->draw(cx(), cy(), over);
}

void TTile::draw(int force) {
  if (_flyingTile || !td) return;
  auto& g = plat::gfx();
  g.setScale(ts, ts);
  g.setRotation(tr);
  g.setBlend(plat::Blend::Alpha);
  drawShadowed(ta, ta * 0.4f, force);
  drawPoblysk();
  g.setScale(ts, ts);
  if (oznaczony) {
    g.setBlend(plat::Blend::Additive);
    g.setAlpha(ta * (0.2f + 0.3f * sinDeg(90 * events().highlightPhase())));
    g.setColour(255, 255, 255);
    td->draw(cx(), cy(), 0, force);
    g.setBlend(plat::Blend::Alpha);
  }
  if (ozn) {
    g.setColour(100, 100, 100);
    td->draw(cx(), cy(), 0, force);
  }
  if (oznacz) {
    g.setAlpha(0.4f);
    g.setColour(255, 0, 0);
    g.drawRect(cx() - 20, cy() - 20, 40, 40);
  }
  g.setColour(255, 255, 255);
  g.setAlpha(1);
}

void TTile::drawChip() {
  if (_flyingTile || !chip) return;
  if (events().hintHolds(chip.get())) return;
  chip->draw(cx(), cy(), over);
}

void TTile::drawChip_EDITOR() {
  if (_flyingTile || !chip) return;
  chip->draw_EDITOR(cx(), cy(), over);
}

void TTile::drawHintInfo() {
  if (chip) chip->drawLIghtnedGroup(cx(), cy());
}

void TTile::drawChain() {
  if (_flyingTile || chain == 0) return;
  auto& g = plat::gfx();
  g.setAlpha(ta);
  g.setRotation(tr);
  g.setScale(ts, ts);
  g.setColour(255, 255, 255);
  g.setBlend(plat::Blend::Alpha);
  g.drawImage(chain == 2 ? chain2Img : chainImg, cx(), cy());
}

// ----------------------------------------------------------------- state

void TTile::setChip(const std::shared_ptr<TChip>& ch) {
  chip = ch;
  if (chip) chip->tile = this;
}

void TTile::setMyAlpha(float a) {
  ta = tda = a;
  if (chip) chip->a = a;
}

int TTile::canBeOver() const {
  if (!chip || chip->isMoving()) return 0;
  if (level && level->m3Game && events().controlMode() == 0 && chain != 0) return 0;
  return 1;
}

int TTile::updateOver() {
  over = 0;
  if (_flyingTile || !dim) return over;
  float w = 0, h = 0;
  if (level && level->settings) {
    w = level->settings->sizeX;
    h = level->settings->sizeY;
  }
  // Diagonal drags in CHAIN mode pass between cells.
  const float shrink = events().controlMode() == 1 ? 5.f : 0.f;
  const int x = static_cast<int>(dim->x - w / 2 + shrink);
  const int y = static_cast<int>(dim->y - h / 2 + shrink);
  over = mouse().inRect(x, y, static_cast<int>(w - 2 * shrink), static_cast<int>(h - 2 * shrink));
  return over;
}

void TTile::updateAlpha() { ta = easeToward(ta, tda, 0.02f * delta); }
void TTile::updateScale() { ts = easeToward(ts, tds, 0.02f * delta); }

void TTile::checkIfPuzzle() {
  if (!chip || !chip->cd || !chip->cd->puzzleChip || !level) return;
  if (!level->tileBelowIsEmpty(r, c)) return;
  TBoardEvents& ev = events();
  chip->sendMeDown();
  ev.addPuzzleTime(std::to_string(ev.levelTime()));
}

std::string TTile::updateChip() {
  if (_flyingTile || !chip) return "";
  auto ch = chip;  // the chip may leave the cell during its own update
  const std::string ev = ch->update();
  TBoardEvents& e = events();
  if (ev == "DESTROYED") {
    if (chip == ch) setChip(nullptr);
    return "";
  }
  if (ev == "FALL") {
    ch->setState("");
    return "CHECK-IF-CAN-FALL";
  }
  if (ev == "LANDED") {
    ch->setState("");
    checkIfPuzzle();
    e.isLandedMatch(this);
    return "";
  }
  if (ev == "CHECK_MATCH") {
    ch->setState("");
    e.isLandedMatch(this);
    return "";
  }
  if (ev == "END_MOVE") {
    const bool bonus = ch->cd && !ch->cd->typ.empty();
    if (e.isSwap(ch.get())) {
      if (bonus) {
        ch->setState("");
        ch->destroy(0);
      } else if (e.isMatch(this)) {
        e.removePair(ch.get());
      }
    } else {
      e.isMatch(this);
      if (bonus) {
        ch->setState("");
        ch->destroy(0);
      } else {
        ch->setState("");
        checkIfPuzzle();
      }
    }
    return "";
  }
  if (ev == "END_CHAIN") ch->setState("");
  return "";
}

void TTile::randomMyChip() {
  if (!level || !level->m3Game) return;
  auto ch = level->m3Game->getRandomChip();
  if (!ch) return;
  setChip(ch);
  ch->setState("MOVE-SHOW");
}

void TTile::updateCreator() {
  if (creator && !chip) randomMyChip();
}

void TTile::updateBlysk() {
  if (!startBlysk) return;
  const int now = plat::millisecs();
  if (now > blyskTime) {
    dBlyskA = 1;
    blyskTime = now + 500000;
  }
  if (dBlyskA == 1) {
    blyskA = easeToward(blyskA, 1, 0.05f * delta);
    if (blyskA >= 1) dBlyskA = 0;
  } else if (blyskA > 0) {
    // (before its start time the flash is still waiting at 0)
    blyskA = easeToward(blyskA, 0, 0.05f * delta);
    if (blyskA <= 0) startBlysk = 0;
  }
}

void TTile::_updateDestroy() {
  const int now = plat::millisecs();
  if (now < destroyTime) return;
  if (now > partTime) {
    partTime = now + 15;
    generateDestroyParticlesBomb();
  }
  if (now > destroyUseTime) specState = "";
}

void TTile::updateSpecState() {
  if (specState == "DESTROY") _updateDestroy();
}

void TTile::update() {
  updateCreator();
  updateBlysk();
  updateSpecState();
}

void TTile::generateDestroyParticlesBomb() {
  for (int i = 0; i < 10; ++i) {
    TBoardFx fx;
    fx.kind = i < 5 ? TBoardFx::Spark : TBoardFx::SparkLong;
    if (i < 5) {
      const int v = plat::randInt(200, 255);
      fx.rgb = newRGB(v, v, 0);
    } else {
      fx.rgb = newRGB(plat::randInt(200, 255), 0, 0);
    }
    fx.x = static_cast<int>(cx()) + plat::randInt(-3, 3);
    fx.y = static_cast<int>(cy()) + plat::randInt(-3, 3);
    fx.delay = -500;
    events().effect(fx);
  }
}

void TTile::generateDestroyParticlesCross(float angle) {
  for (int i = 0; i < 15; ++i) {
    const int b = plat::randInt(-25, 25);
    const float x0 = cx() + cosDeg(angle) * b, y0 = cy() + sinDeg(angle) * b;
    const int m = plat::randInt(0, 1) == 0 ? -1 : 1;
    TBoardFx fx;
    fx.kind = TBoardFx::SparkLine;
    fx.x = static_cast<int>(x0);
    fx.y = static_cast<int>(y0);
    fx.x2 = static_cast<int>(x0 + cosDeg(angle + 90.f * m) * 25);
    fx.y2 = static_cast<int>(y0 + sinDeg(angle + 90.f * m) * 25);
    fx.delay = -1000;
    events().effect(fx);
  }
}

void TTile::generateDestroyParticles(int delay, int type) {
  const int now = plat::millisecs();
  destrType = type;
  specState = "DESTROY";
  destroyTime = now + delay;
  destroyUseTime = now + delay + 300;
}

int TTile::haveBonus() const { return (chip && chip->isBonus()) ? 1 : 0; }

void TTile::shutDown() {
  if (kindId() > 0) {
    tda = 0;
    tds = 0;
  }
}

void TTile::destroyChip() {
  if (chip) chip->destroy(0);
}

void TTile::destroyChain() {
  if (chain > 0) chain -= 1;
  TBoardFx fx;
  fx.kind = TBoardFx::ChainBreak;
  fx.x = static_cast<int>(cx());
  fx.y = static_cast<int>(cy());
  events().effect(fx);
}

void TTile::matchHere() {
  const int id = kindId();
  if (id != 2 && id != 3) return;
  TBoardFx fx;
  fx.kind = TBoardFx::TileBreak;
  fx.x = static_cast<int>(cx());
  fx.y = static_cast<int>(cy());
  fx.value = id == 2 ? 1 : 2;
  TBoardEvents& ev = events();
  ev.effect(fx);
  TTileDataPtr next = (level && level->m3Game) ? level->m3Game->getTileData(id - 1) : nullptr;
  if (next) {
    td = next;
  } else {
    // The catalog lacks the next kind down: keep the cell playable rather
    // than leaving a breakable cell that can never be broken.
    auto plain = std::make_shared<TTileData>(*td);
    plain->id = id - 1;
    td = plain;
  }
  if (level) level->tilesCount += 1;
  ev.sound(TBoardSound::TileBreak, 0);
  ev.tileMatched();
}

void TTile::chipFallDown() {
  if (!chip) return;
  auto ch = chip;
  ch->setState("FALL-DOWN");
  chip = nullptr;
}

void TTile::chipSideFallDown(int d) {
  if (!chip) return;
  auto ch = chip;
  ch->setState(d < 0 ? "FALL-LEFT-DOWN" : "FALL-RIGHT-DOWN");
  chip = nullptr;
}

// ----------------------------------------------------------------- frame cells

std::string TM3Frame::getString() const {
  std::string s = "\"";
  for (size_t i = 0; i < lista.size(); ++i) {
    if (i) s += " ";
    s += std::to_string(lista[i] ? lista[i]->id : 0);
  }
  return s + "\"";
}

void TM3Frame::draw() const {
  auto& g = plat::gfx();
  g.setAlpha(a);
  g.setScale(s, s);
  g.setColour(255, 255, 255);
  g.setBlend(plat::Blend::Alpha);
  for (const auto& piece : lista)
    if (piece) g.drawImage(piece->gfx, x, y, 0);
}
