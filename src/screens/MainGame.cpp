#include "screens/MainGame.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iostream>

#include "app/Control.h"
#include "app/Globals.h"
#include "app/GlobalSnd.h"
#include "app/LoadingScreen.h"
#include "app/Options.h"
#include "app/Txt.h"
#include "board/BoardFlights.h"
#include "board/Level.h"
#include "fx/BoardFx.h"
#include "fx/Emitter.h"
#include "fx/ParticleGenerators.h"
#include "gui/Button.h"
#include "gui/Font.h"
#include "gui/Gui.h"
#include "gui/Mouse.h"
#include "platform/Clock.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/Random.h"
#include "screens/PlayFeed.h"
#include "screens/Profile.h"

namespace {

std::string upper(std::string s) {
  for (char& ch : s) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return s;
}

float sinDeg(float d) { return std::sin(d * static_cast<float>(M_PI) / 180.f); }
float cosDeg(float d) { return std::cos(d * static_cast<float>(M_PI) / 180.f); }

bool realTile(const TTile* t) { return t && t->kindId() != 0; }
bool isPiece(const TChip* ch) { return ch && ch->cd && ch->cd->puzzleChip; }

plat::ImagePtr loadWithHandle(const std::string& path, float hx, float hy, bool mid = false) {
  auto img = loadImageSafe(path);
  if (!img) return img;
  if (mid) img->midHandle();
  else img->setHandle(hx, hy);
  return img;
}

}  // namespace

// ----------------------------------------------------------------- TArrow

std::array<plat::ImagePtr, 2> TArrow::arrowImages{};

void TArrow::update() {
  a = easeToward(a, dA, 0.05f * delta);
  p = easeToward(p, dP, 0.04f * delta);
  if (p == dP) dP = dP == 0 ? 1.f : 0.f;
  if (myObject && myObject->tile) {
    x = myObject->tile->cx();
    y = myObject->tile->cy();
  }
}

void TArrow::draw() {
  const auto& img = arrowImages[static_cast<size_t>(std::clamp(n, 0, 1))];
  if (!img || a <= 0) return;
  auto& g = plat::gfx();
  // The arrow nods along its own axis, toward what it points at.
  const float nod = 6.f * sinDeg(90.f * p);
  g.setBlend(plat::Blend::Alpha);
  g.setColour(255, 255, 255);
  g.setScale(1, 1);
  g.setRotation(rot);
  g.setAlpha(a);
  g.drawImage(img, x + nod * cosDeg(rot - 90), y + ay + nod * sinDeg(rot - 90));
  g.setRotation(0);
}

// ----------------------------------------------------------------- set-up

TMainGame::TMainGame() { id = "MAIN-GAME"; }

TMainGame::~TMainGame() = default;

void TMainGame::setup() {
  _setupGUI();
  _setupGame();
  _setupTexts();
}

void TMainGame::_setupGUI() {
  const std::string d = "gfx/gui/mainGame/";
  podklad = loadImageSafe(d + "podklad.png");
  if (podklad) podklad->setHandle(static_cast<float>(podklad->width()), 0);
  wstega = loadWithHandle(d + "wstega.png", 0, 0);
  wstega2 = loadImageSafe(d + "wstega2.png");
  if (wstega2) wstega2->setHandle(static_cast<float>(wstega2->width()), 0);
  panelBonusow = loadWithHandle(d + "pasek-bonusow.png", 0, 0);
  bonusObw = loadWithHandle(d + "obwodka.png", 0, 0, true);
  wstazka = loadWithHandle(d + "kokarda.png", 0, 0, true);
  timeDiv = loadWithHandle(d + "div.png", 0, 0, true);
  timePanel = loadWithHandle(d + "time.png", 0, 0);
  timePodklad = loadWithHandle(d + "time-podklad.png", 0, 0);
  timeLine = loadWithHandle(d + "pasek.png", 0, 1);
  panelZegara = loadWithHandle(d + "panel-zegara.png", 0, 0, true);
  static const char* modes[3] = {"swap", "chain", "group"};
  for (int i = 0; i < 3; ++i) {
    trybImg[i] = loadWithHandle(d + "tryb_" + modes[i] + ".png", 0, 0, true);
    trybImgSmall[i] = loadWithHandle(d + "tryb_" + modes[i] + "_small.png", 0, 0, true);
  }
  powerUpPodklad = loadWithHandle(d + "podklad-bonus.png", 0, 0, true);
  imgMlotek = loadWithHandle("gfx/gui/cursor_mlotek.png", 6, 3);
  imgNozyce = loadWithHandle("gfx/gui/cursor_nozyce.png", 7, 6);
  imgIgla = loadWithHandle("gfx/gui/cursor_igla.png", 15, 3);
  imgRozczka = loadWithHandle("gfx/gui/cursor_rozczka.png", 19, 13);
  // The piece chips' glow and the charged buttons' glow share these.
  TChip::poswiata1 = loadWithHandle("gfx/poswiata-1.png", 0, 0, true);
  TChip::poswiata2 = loadWithHandle("gfx/poswiata-2.png", 0, 0, true);
  // The tutorial loads the same arrows again when it is set up.
  if (!TArrow::arrowImages[0]) TArrow::arrowImages[0] = loadWithHandle("gfx/gui/tutorial/arrow.png", 0, 0, true);
  if (!TArrow::arrowImages[1]) TArrow::arrowImages[1] = loadWithHandle("gfx/gui/tutorial/arrow2.png", 0, 0, true);
  const std::string font = "gfx/fonts/Bookman.ttf";
  scoreFont1 = TMyFont::get(font, 18);
  multiFont = TMyFont::get(font, 12);
  scoreFont2 = TMyFont::get(font, 26);
  timeFont = TMyFont::get(font, 20);
  toolTipFont = TMyFont::get(font, 12);
  matchFont = TMyFont::get(font, 20);
  toolTipTitleFont = TMyFont::get(font, 14);
  Gui = loadGui(d + "game.gui");
}

void TMainGame::_setupGame() {
  m3Game = std::make_unique<TM3Game>();
  m3Game->loadSettings("data/settings.dat");
  m3Game->loadTiles("data/tiles.dat");
  m3Game->loadChips("data/chips.dat");
  m3Game->loadBonusChips("data/bonusy.dat");
  m3Game->loadFrame("data/frames.dat");
  m3Game->loadOverImg("gfx/select.png", 5, 5);
  TTile::chainImg = loadWithHandle("gfx/tiles/chain.png", 0, 0, true);
  TTile::chain2Img = loadWithHandle("gfx/tiles/chain2.png", 0, 0, true);
  m3Game->loadLineImages();
  m3Game->setHost(this);
  m3Game->setPanel(this);
  if (animatedEffects && !effects) effects = std::make_unique<TFlyingEffects>();
  if (effects) m3Game->setEffects(effects.get());
}

void TMainGame::_setupTexts() {
  TTxtFile t = loadTxt("txt/mainGame.txt");
  txtScore = txtLine(t, 1);
  txtTime = txtLine(t, 2);
  for (int i = 0; i < 3; ++i) txtMatch[i] = txtLine(t, 5 + i);
  txtLevel = txtLine(t, 8);
  txtTilesLeft = txtLine(t, 9);
  txtPuzzlesLeft = txtLine(t, 10);
  for (int i = 0; i < 6; ++i) {
    txtPowerUp[i] = txtLine(t, 11 + 2 * i);
    txtPowerUpOpis[i] = txtLine(t, 12 + 2 * i);
  }
  txtNotAvailable = txtLine(t, 23);
  txtCharged = txtLine(t, 24);
  txtReadyToUse = txtLine(t, 25);
}

// ----------------------------------------------------------------- a level

void TMainGame::setLevel(const std::shared_ptr<TLevel>& lvl) {
  if (!m3Game) _setupGame();
  // Whatever flew over the old board let go of its cells before they go.
  dropFlyingTiles();
  dropOdpady();
  fantomList.clear();
  level = lvl;
  // The controller forgets the old level's swaps, pairs, chain and picks.
  m3Game->setLevel(lvl);
  m3Game->clearPickedTile();
  hintShown = false;
  hintInfo = TMatchInfo();
  arrows.clear();
  vanishList.clear();
  tryb = 0;
  if (lvl) {
    m3Game->setLevelPosition(534, 406);
    levelTime_ = lvl->profileLevelTime;
    // One pass over the cells so the counters are right before the first frame.
    m3Game->puzzles = m3Game->tilesToCollect = 0;
    for (auto& t : lvl->tile) {
      if (!t) continue;
      if (t->chip && isPiece(t->chip.get())) ++m3Game->puzzles;
      if (t->kindId() == 2) m3Game->tilesToCollect += 1;
      if (t->kindId() == 3) m3Game->tilesToCollect += 2;
    }
  }
  // The level editor binds levels without a player: nothing to save then.
  if (profile()) saveCurrentProfile();
  for (int& u : bonusUse) u = 0;
}

void TMainGame::setStartData() {
  state = "BEGIN";
  toExit = 0;
}

std::string TMainGame::mainLoop() {
  // A missing or empty board would only ever show "no moves": leave at once.
  const bool board = level && m3Game &&
                     std::any_of(level->tile.begin(), level->tile.end(), [](auto& t) { return realTile(t.get()); });
  if (!board) {
    std::cout << "The play screen has no board to play; back to the main menu." << std::endl;
    return "MAIN-MENU";
  }
  prepare();
  auto& g = plat::gfx();
  while (!toExit) {
    g.cls();
    update();
    draw();
    flipScreen(0);
    _controlGUI();
    _controlGame();
    _controlKEYBOARD();
    if (fade == 1 && dFade == 1) toExit = 1;
  }
  finish();
  playfeed::line("play-screen answer " + wynik);
  return wynik;
}

void TMainGame::prepare() {
  _preparePowerUps();
  _prepareSelf();
  _prepareNapisy();
  _prepareLog();
  _prepareMusic();
}

void TMainGame::_prepareSelf() {
  listaCzasow.clear();
  wynik.clear();
  if (auto* p = profile()) p->gameType = "MAIN-GAME";
  fade = 1;
  dFade = 0;
  aSpeed = 0.015f;
  alpha = 0;
  dAlpha = 1;
  byloZnak = 0;
  znakPer = dZnakPer = 0;
  guiAlpha = 0;
  toExit = 0;
  m3Game->rAlpha = m3Game->dRAlpha = 0;
  hper = 0;
  dhper = 1;
  tryb = 0;
  puzzleCollected_ = 0;
  level->setGlobalAlpha(0);
  level->setFrameAlpha(0);
  dEfPer = 1;
  chainBroken_ = 0;
  m3Game->overTile = m3Game->overTilePom = nullptr;
  m3Game->clearPickedTile();
  const int now = plat::millisecs();
  secondTime2 = now + 1000;
  secondTime = 0;
  state = "BEGIN";
  blaskPuzzliTime = now + 12000;
  bonusOA = dBonusOA = 0;
  hintShown = false;
  hintInfo = TMatchInfo();
  arrows.clear();
  if (auto* p = profile()) p->resetPowerUpsEffects();
  flyingResList.clear();
  clearParticles();
  clearParticles(blastList);
  clearParticles(numbersList);
  clearEmitters();
  fantomList.clear();
  m3Game->zaznaczone.clear();
  for (auto& a : toolTipA) a = 0;
  for (auto& a : dToolTipA) a = 0;
  if (Gui) Gui->setGuiAlpha(0);
  if (bot_) bot_.reset();
}

void TMainGame::_prepareNapisy() {
  napisList.clear();
  const int mt = std::clamp(m3Game->matchType, 0, 2);
  const int nr = profile() ? profile()->nrLevelu : 0;
  createFlyingNapis(txtMatch[mt], 1, -300, 280, 312, newRGB(255, 255, 255), 1, 1000);
  createFlyingNapis(txtLevel + std::to_string(nr), 0, 1300, 460, 612, newRGB(255, 255, 255), -1, 1000);
  dZnakPer = 0;
  znakTime = plat::millisecs() + 1000;
}

void TMainGame::_prepareLog() { continueLevel = levelTime_ == 0 ? 1 : 0; }

void TMainGame::_prepareMusic() { globalSnd().playLevelMusic(); }

void TMainGame::finish() {
  profileList().save();
  if (m3Game) {
    m3Game->blyskA = m3Game->dBlyskA = 0;
    m3Game->blyskTime = m3Game->poblyskTime = 0;
  }
  if (level)
    for (auto& t : level->tile) {
      if (!t) continue;
      t->blyskA = t->dBlyskA = 0;
      t->startBlysk = 0;
      if (t->chip) t->chip->aBlask = t->chip->dABlask = 0;
    }
  tryb = 0;
  restorePointer();
  mouse().setCursor("paw");
}

// ----------------------------------------------------------------- the frame

void TMainGame::update() {
  standardUpdate(0);
  if (botPlays) botStep();
  const std::string st = upper(state);
  if ((st == "NORMAL" || st == "WIN") && hooks.updateTutorial) hooks.updateTutorial();
  _updateState();
  _updateAlpha();
  _updateFade();
  _updateOzn();
  _updateZnak();
  // In play the controller moves the ghosts, debris and resources; outside
  // play whatever is still on its way finishes its flight.
  if (upper(state) != "NORMAL") m3Game->fx->update(*m3Game);
  updateEmitters();
  updateParticles();
  _updateBonusObw();
  updateParticles(numbersList);
  updateParticles(blastList);
  _updateTryb();
  _updatePuzzleBlask();
  _updateGUI();
  if (hintShown && upper(state) == "NORMAL") hintInfo.update(hintTime);
  _updateHper();
  _updateEfPer();
  _updateArrows();
  updateNapisy();
  _updateToolTips();
  playfeed::mainGameFrame(*this);
}

void TMainGame::_updateOzn() {
  oznP = easeToward(oznP, dOznP, 0.02f * delta);
  if (oznP == dOznP) dOznP = dOznP == 0 ? 1.f : 0.f;
}

void TMainGame::_updateEfPer() {
  efPer = easeToward(efPer, dEfPer, 0.05f * delta);
  if (efPer == dEfPer) dEfPer = dEfPer == 0 ? 1.f : 0.f;
}

void TMainGame::_updateZnak() {
  if (!byloZnak && plat::millisecs() > znakTime) {
    dZnakPer = 1;
    byloZnak = 1;
  }
  znakPer = easeToward(znakPer, dZnakPer, (znakPer < dZnakPer ? 0.04f : 0.08f) * delta);
}

void TMainGame::_updateHper() {
  if (alpha == 1 || dAlpha == 0) hper = easeToward(hper, dhper, 0.02f * delta);
  if (hper != 1) guiAlpha = 0;
  else guiAlpha = std::min(1.f, guiAlpha + 0.05f * delta);
}

void TMainGame::_updatePuzzleBlask() {
  const int now = plat::millisecs();
  if (now <= blaskPuzzliTime || !level) return;
  for (auto& t : level->tile)
    if (t && t->chip && isPiece(t->chip.get())) t->chip->blaskTime = 0;
  blaskPuzzliTime = now + 20000;
}

void TMainGame::_updateArrows() {
  const bool normal = upper(state) == "NORMAL";
  for (auto& a : arrows) {
    if (!normal) a->dA = 0;
    a->update();
  }
  std::erase_if(arrows, [](const std::shared_ptr<TArrow>& a) { return a->a <= 0 && a->dA <= 0; });
}

void TMainGame::_updateState() {
  std::string st = upper(state);
  if (st != "NORMAL") {
    hideHint();
    if (auto* p = profile()) p->resetPowerUpsEffects();
  }
  const int now = plat::millisecs();
  if (st == "BEGIN") {
    if (hper > 0.6f) {
      state = "BEGIN1";
      level->setGlobalAlpha(1);
      level->setFrameAlpha(0);
      initBegin();
      globalSnd().playMySound("level-begin", 1);
    }
  } else if (st == "BEGIN1") {
    updateFlyingTiles();
    m3Game->rAlpha = easeToward(m3Game->rAlpha, m3Game->dRAlpha, 0.05f * delta);
    level->setFrameAlpha(m3Game->rAlpha);
    if (!flyingTileList.empty()) return;
    m3Game->dRAlpha = 1;
    if (m3Game->rAlpha >= 1) {
      state = "NORMAL";
      secondTime = now + 1000;
      m3Game->blyskTime = now + 5000;
      m3Game->poblyskTime = now + 7000;
      hintTime = now + 30000;
    }
  } else if (st == "NORMAL") {
    _STATE_Normal();
  } else if (st == "WIN") {
    if (hooks.tutorialTipShown && hooks.tutorialTipShown()) return;
    m3Game->dRAlpha = 0;
    m3Game->rAlpha = easeToward(m3Game->rAlpha, 0, 0.05f * delta);
    level->setFrameAlpha(m3Game->rAlpha);
    fantomList.clear();
    if (m3Game->rAlpha <= 0) {
      initEnd();
      endTime = now + 1500;
      state = "WIN-END";
    }
  } else if (st == "WIN-END") {
    updateFlyingTiles();
    level->setGlobalAlpha(0);
    if (now > endTime) {
      runWinScreen();
      TProfile* p = profile();
      if (p && level->saPuzzle && p->nrLevelu == 190) p->addPuzzles(42);
      state = "NEXT-LEVEL";
    }
  } else if (st == "NEXT-LEVEL") {
    wynik = nextLevelAnswer();
    dFade = 1;
  } else if (st == "LOSE") {
    // The lose summary has already run inside LOSE().
  } else if (st == "MAIN-MENU") {
    toExit = 1;
    wynik = "MAIN-MENU";
  } else if (st == "RESTART") {
    toExit = 1;
    wynik = "RESTART-LEVEL";
  } else {
    state = "NORMAL";
  }
}

void TMainGame::_STATE_Normal() {
  m3Game->update();
  dZnakPer = 0;
  const bool quiet = m3Game->quiet();
  if (quiet && !checked) {
    checked = 1;
    if (!m3Game->_MatchLeft_short()) {
      sendAllToOdpady();
      generateTextParticle(6, 512, 384);
      checked = 0;
      return;
    }
    if (level->allTilesAre(1) && level->thereIsNoPuzzleChip()) {
      WIN();
      return;
    }
  }
  if (!quiet) {
    checked = 0;
    hideHint();
  }
  auto& in = plat::input();
  if (cheatsOn && in.keyHit(plat::KEY_F1)) {
    TTile* t = m3Game->overTile;
    if (t && t->chip) m3Game->createBonusOnChip(t->chip.get(), m3Game->getBonusChipData(105));
  }
  _updateTime();
  if (upper(state) != "NORMAL") return;  // the time ran out
  const TMouse& m = mouse();
  if (m.leftPressed || m.leftHolded) hideHint();
  if (plat::millisecs() > hintTime) showHint();
  if (auto* p = profile()) p->updatePowerUps([this](int slot) { powerUpSparkles(slot); });
}

void TMainGame::powerUpSparkles(int slot) {
  float x, y;
  if (!powerUpSlotPoint(slot, x, y) || !level) return;
  const TChipDataPtr& cd = level->powerUpChips[static_cast<size_t>(std::clamp(slot, 1, 6) - 1)];
  if (!cd) return;
  const TRGB rgb = cd->getRGB();
  for (int i = 0; i < 10; ++i)
    generateSparkParticle(static_cast<int>(x) + plat::randInt(-24, 24), static_cast<int>(y) + plat::randInt(-24, 24),
                          i < 8 ? rgb : newRGB(255, 255, 255), plat::randInt(0, 15));
}

void TMainGame::_updateTime() {
  const int now = plat::millisecs();
  if (now > secondTime2) {
    secondTime2 = now + 1000;
    ++levelTime_;
  }
  if (!timed() || now <= secondTime) return;
  secondTime = now + 1000;
  level->czas -= 1;
  if (level->czas <= 0) {
    level->czas = 0;
    LOSE();
  }
}

void TMainGame::sendAllToOdpady() {
  // The controller starts one piece of debris per cell, bottom row first;
  // the pieces stay where they are.
  m3Game->sendAllToOdpady();
}

// ----------------------------------------------------------------- shows

void TMainGame::initBegin() {
  dropFlyingTiles();
  std::vector<TTile*> tiles;
  for (auto& t : level->tile)
    if (t) t->resetMyLook();
  for (auto& t : level->tile)
    if (realTile(t.get())) tiles.push_back(t.get());
  if (tiles.empty()) return;
  const float sizeX = level->settings ? static_cast<float>(level->settings->sizeX) : 42.f;
  const int now = plat::millisecs();
  // Cells in growing top-left rectangles, each once.
  auto rectangles = [&] {
    std::vector<TTile*> out;
    std::vector<char> taken(level->tile.size(), 0);
    const int R = level->rows - 1, C = level->cols - 1;
    for (int i = 0, j = 0;; i = std::min(i + 1, R), j = std::min(j + 1, C)) {
      for (int r = 0; r <= i; ++r)
        for (int c = 0; c <= j; ++c) {
          const size_t k = static_cast<size_t>(r * level->cols + c);
          TTile* t = level->at(r, c);
          if (taken[k] || !realTile(t)) continue;
          taken[k] = 1;
          out.push_back(t);
        }
      if (i == R && j == C) break;
    }
    return out;
  };
  auto columnsFirst = [&] {
    std::vector<TTile*> out;
    for (int c = 0; c < level->cols; ++c)
      for (int r = 0; r < level->rows; ++r)
        if (realTile(level->at(r, c))) out.push_back(level->at(r, c));
    return out;
  };
  const int show = plat::randInt(0, 6);
  const std::vector<TTile*> order = (show == 1 || show == 5 || show == 6) ? rectangles()
                                    : show == 4                          ? columnsFirst()
                                                                         : tiles;
  const int N = static_cast<int>(order.size());
  for (int k = 0; k < N; ++k) {
    TTile* t = order[static_cast<size_t>(k)];
    auto f = createFlyingTile(t);
    if (!f) continue;
    f->speed = 0.05f;
    switch (show) {
      case 0: {
        const float a = static_cast<float>(k) * 360.f / static_cast<float>(N);
        f->setFlyingIn(512 + 800 * cosDeg(a), 384 + 800 * sinDeg(a));
        break;
      }
      case 1:
        f->setFlyInSimple(-sizeX, -sizeX);
        f->startTime = now + 5 * k;
        break;
      case 2:
        f->setFlyInSimple1(t->cx(), 768);
        f->startTime = now + 100 + 10 * k;
        break;
      case 3:
      case 4:
        f->setFlyInSimple1(1024, t->cy());
        f->startTime = now + 100 + 10 * k;
        break;
      case 5:
        f->setFlyInSimple2(1024, 768);
        f->startTime = now + 5 * k;
        break;
      default:
        f->setFlyInSimple(2 * sizeX, 2 * sizeX);
        f->startTime = now + 5 * k;
        break;
    }
  }
}

void TMainGame::initEnd() {
  dropFlyingTiles();
  const int now = plat::millisecs();
  int k = 0;
  for (int r = level->rows - 1; r >= 0; --r)
    for (int c = level->cols - 1; c >= 0; --c) {
      TTile* t = level->at(r, c);
      if (!realTile(t)) continue;
      auto f = createFlyingTile(t);
      if (!f) continue;
      f->setFlyingOut(t->cx(), 800);
      f->countPosition();
      f->speed = 0.03f;
      f->drawWhenBeforeTime = 1;
      f->rotate = 0;
      f->startTime = now + 10 + 8 * k++;
    }
}

// ----------------------------------------------------------------- results

std::string TMainGame::nextLevelAnswer() const {
  const TProfile* p = profile();
  return (p && p->allPuzzles()) ? "PUZZLE" : "GET-NEXT-QUEST-LEVEL";
}

void TMainGame::WIN() {
  state = "WIN";
  globalSnd().playWINMusic();
  if (auto* p = profile()) p->giveActStageData();
  generateTextParticle(5, 512, 384);
  m3Game->blyskA = m3Game->dBlyskA = 0;
  m3Game->blyskTime = m3Game->poblyskTime = 0;
  playLog(1);
  mouse().setCursor("paw");
  tryb = 0;
  globalSnd().shutDownMusic();
}

void TMainGame::LOSE() {
  playLog(0);
  tryb = 0;
  state = runLoseScreen();
  generateTextParticle(8, 512, 384);
}

void TMainGame::CHEATWIN() {
  for (auto& t : level->tile)
    if (t && t->chip && isPiece(t->chip.get())) level->puzzles += 1;
  WIN();
  state = "NEXT-LEVEL";
  wynik = nextLevelAnswer();
  mouse().setCursor("paw");
  fade = dFade = 1;
  saveCurrentProfile();
}

void TMainGame::runWinScreen() {
  if (hooks.winScreen) {
    hooks.winScreen();
    return;
  }
  // Without the summary screen the profile still takes the level's result.
  if (TProfile* p = profile()) {
    p->puzzles += level->puzzles;
    p->score += level->score + level->czas * 5;
  }
}

std::string TMainGame::runLoseScreen() {
  if (hooks.loseScreen) {
    std::string a = upper(hooks.loseScreen());
    return a == "RESTART" ? "RESTART" : "MAIN-MENU";
  }
  // Without the summary screen a lost level is simply played again.
  return "RESTART";
}

void TMainGame::playLog(int result) {
  if (hooks.playLog) hooks.playLog(result);
}

void TMainGame::addScore(int n) {
  // The controller has already added the points to the level.
}

// ----------------------------------------------------------------- input

void TMainGame::_controlGUI() {
  restorePointer();
  if (!Gui || upper(state) != "NORMAL") return;
  if (Gui->clickedItem("MENU")) {
    goMENU();
    return;
  }
  for (int k = 1; k <= 6; ++k)
    if (Gui->clickedItem("bonus_" + std::to_string(k))) useBonus(k);
}

void TMainGame::_controlGame() {
  // Outside play, and while a power-up is aiming, the board takes no input:
  // a click then belongs to the power-up, not to a swap.
  const int locked = (upper(state) != "NORMAL" || tryb != 0) ? 1 : 0;
  m3Game->controlGame(locked);
}

void TMainGame::goMENU() {
  const std::string a = upper(options().mainLoop(this));
  if (a == "RESTART") {
    playLog(-2);
    state = "RESTART";
  } else if (a == "MAIN-MENU") {
    playLog(-1);
    state = "MAIN-MENU";
    saveCurrentProfile();
  }
}

void TMainGame::_controlKEYBOARD() {
  if (!cheatsOn) return;
  auto& in = plat::input();
  if (in.keyHit(plat::KEY_W)) CHEATWIN();
  if (in.keyHit(plat::KEY_P)) LOSE();
  if (in.keyHit(plat::KEY_C)) CHEATRestart();
  if (in.keyHit(plat::KEY_R)) level->CreateLevelFrames();
  if (in.keyHit(plat::KEY_S)) sendAllToOdpady();
  if (in.keyHit(plat::KEY_1)) m3Game->loadTileSet(0);
  if (in.keyHit(plat::KEY_2)) m3Game->loadTileSet(1);
  if (in.keyHit(plat::KEY_H)) showHint();
  TProfile* p = profile();
  if (p && in.keyHit(plat::KEY_F2))
    for (auto& pu : p->powerUp) {
      pu.data = powerUpThreshold(pu.n);
      pu.aktywny = 1;
    }
  if (p && in.keyHit(plat::KEY_F3))
    for (auto& pu : p->powerUp) {
      pu.data = 0;
      pu.aktywny = 0;
    }
}

// ----------------------------------------------------------------- hints

void TMainGame::showHint() {
  const int now = plat::millisecs();
  if (m3Game->matchType == 1 && hintShown) {
    hideHint();
    return;
  }
  // A hint on a moving board, or with no move to show, would point at cells
  // that are about to change or at nothing: try again later.
  if (!level || !m3Game->quiet()) {
    hideHint();
    return;
  }
  TMatchInfo info = m3Game->_noMatchLeft();
  if (!info.tile1 || (m3Game->matchType == 0 && !info.tile2) ||
      (m3Game->matchType != 0 && info.zaznaczone.size() < 3)) {
    hideHint();
    return;
  }
  if (m3Game->matchType == 0) {
    const bool shown = std::any_of(arrows.begin(), arrows.end(), [](auto& a) { return a->dA > 0; });
    if (shown) {
      for (auto& a : arrows) a->dA = 0;
      hintTime = now + 45000;
      hintShown = false;
      hintInfo = TMatchInfo();
      return;
    }
    createHintArrows(info.tile1->cx(), info.tile1->cy(), info.tile2->cx(), info.tile2->cy());
  }
  hintInfo = info;
  hintInfo.a = 0;
  hintInfo.da = 1;
  hintShown = true;
  hintTime = now + 4000;
}

void TMainGame::hideHint() {
  hintTime = plat::millisecs() + 45000;
  hintShown = false;
  hintInfo = TMatchInfo();
  for (auto& a : arrows) a->dA = 0;
}

void TMainGame::showHint2() { showHint(); }

int TMainGame::isMatch() {
  if (!level || m3Game->matchType != 0) return 0;
  return m3Game->_noMatchLeft().maxMatch > 2 ? 1 : 0;
}

void TMainGame::createHintArrows(float x1, float y1, float x2, float y2) {
  const float e = std::atan2(y2 - y1, x2 - x1) * 180.f / static_cast<float>(M_PI);
  const float f = std::atan2(y1 - y2, x1 - x2) * 180.f / static_cast<float>(M_PI);
  auto at = [](float x, float y, float ang, bool isX) {
    return static_cast<float>(static_cast<int>(isX ? x + 10 * cosDeg(ang + 90) + 25 * cosDeg(ang)
                                                   : y + 10 * sinDeg(ang + 90) + 25 * sinDeg(ang)));
  };
  createArrow(1, at(x1, y1, e, true), at(x1, y1, e, false), e + 90);
  createArrow(0, at(x2, y2, f, true), at(x2, y2, f, false), f + 90);
}

std::shared_ptr<TArrow> TMainGame::createArrow(int n, float x, float y, float rot) {
  auto a = std::make_shared<TArrow>();
  a->n = n;
  a->x = x;
  a->y = y;
  a->rot = rot;
  arrows.push_back(a);
  return a;
}

bool TMainGame::hintHolds(const TChip* c) {
  if (!hintShown || m3Game->matchType == 0) return false;
  return std::any_of(hintInfo.zaznaczone.begin(), hintInfo.zaznaczone.end(),
                     [&](const TChipPtr& p) { return p.get() == c; });
}

void TMainGame::_drawHintInfo() {
  if (!hintShown || m3Game->matchType == 0) return;
  const TChipList& l = hintInfo.zaznaczone;
  const float n = static_cast<float>(l.size());
  if (!l.empty() && l[0]->tile) l[0]->_update_over_Group();
  const float a = m3Game->matchType == 1 ? hintInfo.a : 1.f;
  for (auto& ch : l) {
    if (!ch->tile) continue;
    ch->_update_shaking(n * 0.1f, 1.0f);
    ch->drawLIghtnedGroup1(ch->tile->cx(), ch->tile->cy(), a);
  }
  if (m3Game->matchType != 1) return;
  for (size_t i = 1; i < l.size(); ++i) {
    if (!l[i - 1]->tile || !l[i]->tile) continue;
    plat::gfx().setAlpha(hintInfo.a);
    m3Game->drawMyLine(l[i - 1]->tile->cx(), l[i - 1]->tile->cy(), l[i]->tile->cx(), l[i]->tile->cy(), hintInfo.a);
  }
}

// ----------------------------------------------------------------- effects

void TMainGame::effect(const TBoardFx& f) { spawnBoardFx(f, f.kind == TBoardFx::Score ? &numbersList : nullptr); }

bool TMainGame::powerUpSlotPoint(int slot, float& x, float& y) {
  auto b = bonusButton(slot);
  if (!b || !b->dim) return false;
  x = b->dim->x;
  y = b->dim->y;
  return true;
}

// ----------------------------------------------------------------- strings

std::string TMainGame::getCutString(int n, int width) {
  std::string s = std::to_string(n);
  const bool neg = n < 0;
  std::string digits = neg ? s.substr(1) : s;
  if (static_cast<int>(digits.size()) < width) digits.insert(0, static_cast<size_t>(width) - digits.size(), '0');
  return neg ? "-" + digits : digits;
}

std::string TMainGame::getTimeString(int s) {
  if (s < 0) s = 0;
  const int m = s / 60, sec = s % 60;
  return (m < 10 ? "0" : "") + std::to_string(m) + ":" + (sec < 10 ? "0" : "") + std::to_string(sec);
}

std::string TMainGame::cutFloat(float f) {
  const int whole = static_cast<int>(f);
  const int tenth = std::abs(static_cast<int>(f * 10)) % 10;
  return std::to_string(whole) + "." + std::to_string(tenth);
}

std::string TMainGame::getScoreString() const { return getCutString(level ? level->score : 0, 6); }

std::string TMainGame::getTimeLeft() const { return getTimeString(level ? level->czas : 0); }

std::string TMainGame::getGameTime() const { return getTimeString(level ? level->maxCzas - level->czas : 0); }

// ----------------------------------------------------------------- helpers

TProfile* TMainGame::profile() const { return currentProfile(); }

bool TMainGame::timed() const {
  const TProfile* p = profile();
  return p && upper(p->gameMode) == "TIMED";
}

float TMainGame::timeShare() const {
  // A level without a time limit has a full tube, never a division by zero.
  if (!level || level->maxCzas <= 0) return level && level->czas > 0 ? 1.f : 0.f;
  return std::clamp(static_cast<float>(level->czas) / static_cast<float>(level->maxCzas), 0.f, 1.f);
}

std::shared_ptr<TButton> TMainGame::bonusButton(int slot) const {
  if (!Gui) return nullptr;
  return Gui->getItemAs<TButton>("bonus_" + std::to_string(slot));
}

std::vector<std::shared_ptr<TButton>> TMainGame::bonusButtons() const {
  std::vector<std::shared_ptr<TButton>> out;
  if (!Gui) return out;
  for (auto& o : Gui->_listaObiektow) {
    auto b = std::dynamic_pointer_cast<TButton>(o);
    if (b && upper(b->_id).rfind("BONUS", 0) == 0) out.push_back(b);
  }
  return out;
}

int TMainGame::bonusSlotOf(const TButton& b) const {
  const std::string& id = b._id;
  if (id.empty() || !std::isdigit(static_cast<unsigned char>(id.back()))) return 0;
  const int n = id.back() - '0';
  return (n >= 1 && n <= 6) ? n : 0;
}

// ----------------------------------------------------------------- the one screen

TMainGame& mainGame() {
  static TMainGame* screen = [] {
    auto* g = new TMainGame();  // lives for the whole run
    TLoadingScreen::setups()["TMainGame"] = [g] { g->setup(); };
    // The level backgrounds are the play screen's; the loading screen's
    // step of that name reads their catalog.
    auto& bg = TLoadingScreen::setups()["backgrounds"];
    if (!bg) bg = [] { loadBackgrounds(); };
    ControlWiring& w = Control::wiring();
    w.mainGame = [g] { return g->mainLoop(); };
    w.setLevelFromProfile = [g] {
      TProfile* p = currentProfile();
      g->setLevel(p ? p->questLevel : nullptr);
    };
    w.setStartData = [g] { g->setStartData(); };
    w.clearContinueLevel = [g] { g->continueLevel = 0; };
    w.levelHasPuzzle = [g] { return g->level && g->level->saPuzzle != 0; };
    ProfilePlayScreen& pp = profilePlayScreen();
    pp.catalogs = [g]() -> TM3Catalogs* { return g->m3Game.get(); };
    pp.setLevel = [g](const std::shared_ptr<TLevel>& l) { g->setLevel(l); };
    pp.resetPowerUps = [g] { g->resetPowerUps(); };
    pp.levelTime = [g] { return g->levelTime_; };
    pp.setLevelTime = [g](int t) { g->levelTime_ = t; };
    pp.level = [g] { return g->level; };
    options().playScreen = g;
    return g;
  }();
  return *screen;
}
