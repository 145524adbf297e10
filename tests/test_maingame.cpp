// The play screen run headless on the fake clock: whole levels won by the
// demo player through the screen's own mouse path and lost to the clock,
// the hints' timing, the power-up slots' unlock levels and the HUD strings.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <stdexcept>
#include <string>

#include "TestUtil.h"
#include "app/Globals.h"
#include "app/Screen.h"
#include "board/Level.h"
#include "board/PowerUp.h"
#include "fx/Flying.h"
#include "gui/Button.h"
#include "gui/Font.h"
#include "gui/Gui.h"
#include "gui/Mouse.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/Platform.h"
#include "platform/Random.h"
#include "screens/MainGame.h"
#include "screens/Profile.h"
#include "screens/PuzzleLevel.h"

namespace {

struct MainGameTest : ::testing::Test {
  TempDir dir;
  std::string here, oldUserDir;
  std::unique_ptr<TMainGame> g;
  std::shared_ptr<TProfile> prof;
  ProfilePlayScreen oldHooks;
  int frameNo = 0;
  int frameLimit = 20000;
  std::function<void(int)> onFrame;

  void SetUp() override {
    here = plat::currentFolder();
    ASSERT_TRUE(plat::changeFolder(WOOFMERE_GAME_DIR));
    oldUserDir = userDir;
    userDir = dir.path();
    plat::PlatformConfig cfg;
    cfg.headless = true;
    cfg.audio = false;
    ASSERT_TRUE(plat::init(cfg));
    plat::useFakeClock(10000);
    TDeltaTime::global().OldTime = plat::millisecs();
    plat::input().reset();
    plat::seedRandom(7);
    delta = 1;
    loadPowerUpsTimes("data/powerUps.dat");
    g = std::make_unique<TMainGame>();
    g->animatedEffects = false;
    g->setup();
    ASSERT_TRUE(g->Gui);
    // The profile reads the level's score from the play screen under test.
    oldHooks = profilePlayScreen();
    profilePlayScreen().level = [this] { return g->level; };
    prof = std::make_shared<TProfile>();
    prof->name = "Tester";
    setCurrentProfile(prof);
    TMouse& m = mouse();
    m.cur = nullptr;
    m.x = m.y = 0;
    m.leftPressed = m.leftHolded = m.rightPressed = 0;
    plat::setFrameHook([this] {
      plat::advanceFakeClock(1000.0 / 60.0);
      ++frameNo;
      if (onFrame) onFrame(frameNo);
      if (frameNo > frameLimit) throw std::runtime_error("the level never ended");
    });
  }

  void TearDown() override {
    plat::setFrameHook(nullptr);
    setCurrentProfile(nullptr);
    profileList().profiles.clear();
    profilePlayScreen() = oldHooks;
    g.reset();
    userDir = oldUserDir;
    plat::gfx().setFont(nullptr);
    TMyFont::clearCache();
    plat::shutdown();
    plat::changeFolder(here);
  }

  std::shared_ptr<TLevel> fixture(const std::string& name = "maingame-small.lvl") {
    auto lvl = loadLevel(std::string(WOOFMERE_TEST_DATA) + "/" + name, *g->m3Game);
    bool empty = true;
    for (auto& t : lvl->tile)
      if (t && t->chip) empty = false;
    if (empty) lvl->randomChips();
    return lvl;
  }

  void start(const std::shared_ptr<TLevel>& lvl) {
    g->setLevel(lvl);
    g->setStartData();
  }

  // One frame of the screen without presenting it (the clock steps here).
  void step() {
    g->update();
    g->_controlGUI();
    g->_controlGame();
    plat::advanceFakeClock(1000.0 / 60.0);
  }
  // Steps until the screen is in play; the frames it took.
  int stepToNormal() {
    int n = 0;
    while (g->state != "NORMAL" && n < 2000) {
      step();
      ++n;
    }
    return n;
  }
};

// ----------------------------------------------------------------- winning

TEST_F(MainGameTest, BotWinsRelaxedLevelAndTheProfileTakesIt) {
  struct Case {
    bool stageComplete;
    const char* answer;
  };
  for (const Case& c : {Case{false, "GET-NEXT-QUEST-LEVEL"}, Case{true, "PUZZLE"}}) {
    SCOPED_TRACE(c.answer);
    prof->nrLevelu = 3;
    prof->gameMode = "RELAXED";
    prof->stagesData.clear();
    prof->activePuzzles.clear();
    prof->puzzleLevel = std::make_shared<TPuzzleLevel>();
    for (int i = 0; i < 2; ++i) {
      auto piece = std::make_shared<TPuzzle>();
      prof->puzzleLevel->allPuzzles.push_back(piece);
      if (c.stageComplete) prof->activePuzzles.push_back(piece);
    }
    int wins = 0;
    std::vector<int> logged;
    g->hooks.winScreen = [&] { ++wins; };
    g->hooks.playLog = [&](int r) { logged.push_back(r); };
    auto lvl = fixture();
    start(lvl);
    g->botPlays = true;
    frameNo = 0;
    EXPECT_EQ(g->mainLoop(), c.answer);
    EXPECT_EQ(wins, 1);
    EXPECT_EQ(logged, std::vector<int>{1});
    EXPECT_GT(lvl->score, 0);
    EXPECT_EQ(lvl->allTilesAre(1), 1);
    // The stage statistics took the level's score; the visit marked the
    // profile as being in the play screen, and setLevel saved it.
    EXPECT_EQ(prof->getStageData(prof->nrStageu).score, lvl->score);
    EXPECT_EQ(prof->gameType, "MAIN-GAME");
    EXPECT_TRUE(plat::fileExists(prof->folder() + "profile.dat"));
    // A relaxed level never runs its clock down.
    EXPECT_EQ(lvl->czas, lvl->maxCzas);
    EXPECT_GT(g->levelTime_, 0);
  }
}

// ----------------------------------------------------------------- losing

TEST_F(MainGameTest, TimedLevelRunningOutAsksTheLoseSummary) {
  struct Case {
    const char* summary;
    const char* answer;
  };
  for (const Case& c : {Case{"RESTART", "RESTART-LEVEL"}, Case{"MAIN-MENU", "MAIN-MENU"}}) {
    SCOPED_TRACE(c.answer);
    prof->gameMode = "TIMED";
    auto lvl = fixture();
    lvl->czas = 3;
    std::vector<int> logged;
    int loses = 0;
    g->hooks.loseScreen = [&] {
      ++loses;
      return std::string(c.summary);
    };
    g->hooks.playLog = [&](int r) { logged.push_back(r); };
    start(lvl);
    // Note when play began and when the clock first ticked.
    int normalAt = -1, firstTickAt = -1;
    frameNo = 0;
    onFrame = [&](int f) {
      if (normalAt < 0 && g->state == "NORMAL") normalAt = f;
      if (firstTickAt < 0 && lvl->czas < 3) firstTickAt = f;
    };
    EXPECT_EQ(g->mainLoop(), c.answer);
    onFrame = nullptr;
    EXPECT_EQ(loses, 1);
    EXPECT_EQ(logged, std::vector<int>{0});
    EXPECT_EQ(lvl->czas, 0);
    // The countdown starts a second after the board is in play.
    ASSERT_GT(normalAt, 0);
    EXPECT_NEAR(firstTickAt - normalAt, 60, 2);
  }
}

TEST_F(MainGameTest, CountdownStopsOutsidePlay) {
  prof->gameMode = "TIMED";
  auto lvl = fixture();
  start(lvl);
  g->prepare();
  stepToNormal();
  for (int i = 0; i < 150; ++i) step();
  const int left = lvl->czas;
  EXPECT_LT(left, lvl->maxCzas);
  g->state = "WIN";
  for (int i = 0; i < 150; ++i) step();
  EXPECT_EQ(lvl->czas, left);
}

// ----------------------------------------------------------------- hints

TEST_F(MainGameTest, HintComesAfterThirtySecondsAndAPressPostponesIt) {
  start(fixture());
  g->prepare();
  stepToNormal();
  const int t0 = plat::millisecs();
  int frames = 0;
  while (!g->hintShown && frames < 3000) {
    step();
    ++frames;
  }
  ASSERT_TRUE(g->hintShown);
  EXPECT_NEAR(plat::millisecs() - t0, 30000, 100);
  // SWAP shows two arrows beside the pair.
  EXPECT_EQ(g->arrows.size(), 2u);
  // It stays four seconds, then the arrows fade and the next waits 45 s.
  for (int i = 0; i < 4 * 60 + 5; ++i) step();
  EXPECT_FALSE(g->hintShown);
  EXPECT_NEAR(g->hintTime - plat::millisecs(), 45000, 200);
  // A press at any time hides a hint and postpones the next by 45 s.
  g->hintTime = plat::millisecs() - 1;
  step();
  ASSERT_TRUE(g->hintShown);
  plat::input().moveMouse(5, 5);
  plat::input().pressMouse(plat::MOUSE_LEFT);
  step();
  plat::input().releaseMouse(plat::MOUSE_LEFT);
  EXPECT_FALSE(g->hintShown);
  EXPECT_NEAR(g->hintTime - plat::millisecs(), 45000, 100);
}

TEST_F(MainGameTest, HintWithNoMoveOrOnAMovingBoardIsPostponed) {
  // Two rows with no colour twice in a row: no swap makes a line.
  start(fixture("maingame-nomove.lvl"));
  g->prepare();
  g->state = "NORMAL";
  g->showHint();
  EXPECT_FALSE(g->hintShown);
  EXPECT_TRUE(g->arrows.empty());
  EXPECT_EQ(g->hintTime, plat::millisecs() + 45000);

  start(fixture());
  g->prepare();
  g->state = "NORMAL";
  g->level->at(2, 2)->chip->setState("MOVE-DOWN");
  g->showHint();
  EXPECT_FALSE(g->hintShown);
  EXPECT_EQ(g->hintTime, plat::millisecs() + 45000);
}

// ----------------------------------------------------------------- power-ups

TEST_F(MainGameTest, PowerUpSlotsUnlockAtTheirLevels) {
  struct Case {
    int level, open;
  };
  const Case cases[] = {{1, 1},  {6, 1},  {7, 2},  {14, 2}, {15, 3}, {23, 3},
                        {24, 4}, {34, 4}, {35, 5}, {45, 5}, {46, 6}, {191, 6}};
  start(fixture());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.level);
    prof->nrLevelu = c.level;
    // A charge left in a slot the player has not reached must not be usable.
    for (auto& pu : prof->powerUp) pu.aktywny = 1;
    g->_preparePowerUps();
    EXPECT_FLOAT_EQ(g->iloscPwrup, c.open / 6.f);
    for (int slot = 1; slot <= 6; ++slot) {
      const TPowerUp& pu = prof->powerUp[static_cast<size_t>(slot - 1)];
      EXPECT_EQ(pu.odkryty, slot <= c.open ? 1 : 0) << "slot " << slot;
      EXPECT_EQ(pu.aktywny, slot <= c.open ? 1 : 0) << "slot " << slot;
      auto b = g->bonusButton(slot);
      ASSERT_TRUE(b);
      EXPECT_EQ(b->_a, slot <= c.open ? 1 : 0) << "slot " << slot;
    }
  }
}

TEST_F(MainGameTest, HammerAimsWithItsButtonAndStrikesThroughTheMouse) {
  prof->nrLevelu = 10;
  start(fixture());
  g->prepare();
  stepToNormal();
  // A second click on the button leaves the mode unused.
  g->useBonus(1);
  EXPECT_EQ(g->tryb, 1);
  g->useBonus(1);
  EXPECT_EQ(g->tryb, 0);
  TPowerUp& hammer = prof->powerUp[0];
  hammer.data = powerUpThreshold(1);
  hammer.aktywny = 1;
  g->useBonus(1);
  ASSERT_EQ(g->tryb, 1);
  // Aiming: the press on a chip belongs to the hammer, not to the board.
  TTile* t = g->level->at(4, 1);
  auto chip = t->chip;
  plat::input().moveMouse(t->cx(), t->cy());
  step();
  plat::input().pressMouse(plat::MOUSE_LEFT);
  step();
  plat::input().releaseMouse(plat::MOUSE_LEFT);
  EXPECT_EQ(g->tryb, 0);
  EXPECT_EQ(g->bonusUse[0], 1);
  EXPECT_EQ(hammer.aktywny, 0);
  EXPECT_EQ(chip->state, "DESTROY");
  EXPECT_EQ(g->m3Game->pickedTile(), nullptr);
}

// ----------------------------------------------------------------- the level's binding

TEST_F(MainGameTest, BoardTakesNoInputBeforePlayAndANewLevelForgetsTheOld) {
  start(fixture());
  g->prepare();
  ASSERT_EQ(g->state, "BEGIN");
  TTile* t = g->level->at(1, 1);
  plat::input().moveMouse(t->cx(), t->cy());
  plat::input().pressMouse(plat::MOUSE_LEFT);
  step();
  plat::input().releaseMouse(plat::MOUSE_LEFT);
  EXPECT_EQ(g->m3Game->pickedTile(), nullptr);

  // Leftovers of a level left mid-move must not reach the next one.
  g->m3Game->swapsList.push_back({t->chip, g->level->at(1, 2)->chip});
  g->m3Game->zaznaczone.push_back(t->chip);
  std::filesystem::remove(prof->folder() + "profile.dat");
  setCurrentProfile(nullptr);  // as the level editor binds levels
  start(fixture());
  EXPECT_TRUE(g->m3Game->swapsList.empty());
  EXPECT_TRUE(g->m3Game->zaznaczone.empty());
  EXPECT_EQ(g->m3Game->pickedTile(), nullptr);
  EXPECT_FALSE(plat::fileExists(prof->folder() + "profile.dat"));
}

// ----------------------------------------------------------------- strings

TEST(MainGameStrings, ScoreTimeAndTenths) {
  struct Cut {
    int n;
    const char* s;
  };
  for (const Cut& c : {Cut{0, "000000"}, Cut{12345, "012345"}, Cut{123456, "123456"}, Cut{1234567, "1234567"}})
    EXPECT_EQ(TMainGame::getCutString(c.n, 6), c.s) << c.n;
  struct Time {
    int s;
    const char* t;
  };
  for (const Time& c : {Time{0, "00:00"}, Time{59, "00:59"}, Time{61, "01:01"}, Time{600, "10:00"},
                        Time{6000, "100:00"}, Time{-5, "00:00"}})
    EXPECT_EQ(TMainGame::getTimeString(c.s), c.t) << c.s;
  EXPECT_EQ(TMainGame::cutFloat(3.14f), "3.1");
  EXPECT_EQ(TMainGame::cutFloat(12.0f), "12.0");
}

TEST(MainGameStrings, TimeTubeShareNeverDividesByZero) {
  TMainGame g;
  g.level = std::make_shared<TLevel>();
  struct Case {
    int czas, maxCzas;
    float share;
  };
  for (const Case& c : {Case{30, 60, 0.5f}, Case{0, 60, 0.f}, Case{90, 60, 1.f}, Case{30, 0, 1.f}, Case{0, 0, 0.f}}) {
    g.level->czas = c.czas;
    g.level->maxCzas = c.maxCzas;
    const float s = g.timeShare();
    EXPECT_TRUE(std::isfinite(s));
    EXPECT_FLOAT_EQ(s, c.share) << c.czas << " of " << c.maxCzas;
  }
}

}  // namespace
