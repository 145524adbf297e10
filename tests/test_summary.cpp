// The win and lose summaries, run headless on the fake clock over a stand-in
// play screen, with the mouse scripted frame by frame.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <stdexcept>

#include "TestUtil.h"
#include "app/Canvas.h"
#include "app/Globals.h"
#include "app/Options.h"
#include "app/Screen.h"
#include "board/Level.h"
#include "board/PowerUp.h"
#include "fx/Flying.h"
#include "fx/Particle.h"
#include "gui/Font.h"
#include "gui/Gui.h"
#include "gui/Mouse.h"
#include "gui/Theme.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/Pixmap.h"
#include "platform/Platform.h"
#include "platform/Random.h"
#include "screens/LoseScreen.h"
#include "screens/MainGame.h"
#include "screens/Profile.h"
#include "screens/PuzzleLevel.h"
#include "screens/WinScreen.h"

namespace {

// Stands for the play screen: a plain meadow-green field.
struct PlainPlayScreen : TEkran {
  int draws = 0;
  void draw() override {
    ++draws;
    auto& g = plat::gfx();
    g.setBlend(plat::Blend::Alpha);
    g.setAlpha(1);
    g.setScale(1, 1);
    g.setRotation(0);
    g.setColour(104, 150, 84);
    g.drawRect(0, 0, 1024, 768);
    g.setColour(255, 255, 255);
  }
};

struct SummaryTest : ::testing::Test {
  TempDir dir;
  std::string oldUserDir, here;
  PlainPlayScreen below;
  std::shared_ptr<TLevel> level = std::make_shared<TLevel>();
  std::shared_ptr<TProfile> profile = std::make_shared<TProfile>();
  int frameNo = 0;
  int oldDesktopW = 0, oldDesktopH = 0;
  std::map<int, std::function<void()>> script;
  std::function<void()> everyFrame;

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
    plat::seedRandom(7);
    TDeltaTime::global().OldTime = plat::millisecs();
    plat::input().reset();
    oldDesktopW = desktopWidth;
    oldDesktopH = desktopHeight;
    options().playScreen = &below;
    delta = 1;
    TMouse& m = mouse();
    m.cur = nullptr;
    m.x = m.y = m.px = m.py = 0;
    m.leftPressed = m.leftHolded = m._leftHolded = 0;
    setupFireWorks();
    // The screens live for the whole run: nothing of an earlier test's
    // visit may be mistaken for this one's.
    winScreen().state.clear();
    winScreen().lines.clear();
    winScreen().showCount = 0;
    loseScreen().alpha = loseScreen().dAlpha = 0;
    winScreen().setup();
    loseScreen().setup();
    ASSERT_TRUE(winScreen().img && winScreen().Gui && winScreen().titlefont);
    ASSERT_TRUE(loseScreen().img && loseScreen().Gui && loseScreen().font);

    profile->name = "Ann";
    profile->score = 100;
    profile->puzzles = 1;
    // A jigsaw of six pieces, two of them unlocked.
    profile->puzzleLevel = std::make_shared<TPuzzleLevel>();
    for (int id = 1; id <= 6; ++id) {
      auto p = std::make_shared<TPuzzle>();
      p->id = id;
      p->aktywny = id <= 2;
      profile->puzzleLevel->allPuzzles.push_back(p);
      if (id <= 2) profile->activePuzzles.push_back(p);
    }
    setCurrentProfile(profile);
    level->score = 1200;
    level->tilesCount = 14;
    level->highestMatch = 5;
    level->czas = 75;
    level->maxCzas = 120;
    level->puzzles = 2;
    profilePlayScreen().level = [this] { return level; };

    plat::setFrameHook([this] {
      plat::advanceFakeClock(1000.0 / 60.0);
      ++frameNo;
      if (everyFrame) everyFrame();
      if (auto it = script.find(frameNo); it != script.end()) it->second();
      if (frameNo > 2000) throw std::runtime_error("the summary never closed");
    });
  }
  void TearDown() override {
    plat::setFrameHook(nullptr);
    setCurrentProfile(nullptr);
    profileList() = TProfileList();
    profilePlayScreen() = ProfilePlayScreen();
    options() = TOptions();
    desktopWidth = oldDesktopW;
    desktopHeight = oldDesktopH;
    fireWorkList.clear();
    clearParticles();
    userDir = oldUserDir;
    plat::gfx().setFont(nullptr);
    TMyFont::clearCache();
    globalFonts().clear();
    globalThemes().clear();
    currentTheme() = nullptr;
    plat::shutdown();
    plat::changeFolder(here);
  }

  // Frames are only drawn into pixels with a display; the software
  // renderer is slow in debug builds, so only the pictures open one.
  void openDisplay() {
    desktopWidth = 1024;
    desktopHeight = 768;
    options().fullScreen = 0;
    options().openScreen();
    options().playScreen = &below;
  }
  static std::pair<float, float> centreOf(TGui& gui, const std::string& id) {
    auto item = gui.getItem(id);
    EXPECT_TRUE(item) << id;
    if (!item || !item->dim) return {0, 0};
    const TDim& d = *item->dim;
    return {d.x1 + (d.x2 - d.x1) / 2, d.y1 + (d.y2 - d.y1) / 2};
  }
  void clickAt(int frame, float x, float y) {
    script[frame] = [x, y] {
      auto& in = plat::input();
      in.moveMouse(x, y);
      in.pressMouse(plat::MOUSE_LEFT);
    };
    script[frame + 1] = [] { plat::input().releaseMouse(plat::MOUSE_LEFT); };
  }
  void clickItem(int frame, TGui& gui, const std::string& id) {
    // Looked up when the frame comes: the layout may be loaded later.
    script[frame] = [&gui, id] {
      auto [x, y] = centreOf(gui, id);
      plat::input().moveMouse(x, y);
      plat::input().pressMouse(plat::MOUSE_LEFT);
    };
    script[frame + 1] = [] { plat::input().releaseMouse(plat::MOUSE_LEFT); };
  }
  void screenshot(int frame, const std::string& name) {
    script[frame] = [name, old = script[frame]] {
      if (old) old();
      const auto out = std::filesystem::path(WOOFMERE_GAME_DIR).parent_path() / "test-output";
      std::filesystem::create_directories(out);
      EXPECT_TRUE(plat::savePng((out / name).string(), plat::gfx().readBackBuffer()));
    };
  }
};

}  // namespace

TEST_F(SummaryTest, WonTimedLevelIsCreditedOnceAndRevealedLineByLine) {
  TWinScreen& w = winScreen();
  profile->gameMode = "TIMED";
  // When each line appeared, by frame.
  std::vector<int> revealedAt;
  everyFrame = [&] {
    while (int(revealedAt.size()) < w.showCount) revealedAt.push_back(frameNo);
  };
  // Press OK well after every line is in.
  clickItem(400, *w.Gui, "OK");
  EXPECT_EQ(w.mainLoop(), "");

  EXPECT_EQ(profile->score, 100 + 1200 + 75 * 5);
  EXPECT_EQ(profile->puzzles, 3);
  EXPECT_EQ(w.puzzlesToGo, 6 - 2 - 2);
  std::vector<std::pair<std::string, std::string>> got;
  for (auto& l : w.lines) got.emplace_back(l->txt, l->data);
  const std::vector<std::pair<std::string, std::string>> want = {
      {w.txtScore, "1200"},       {w.txtTiles, "14"},         {w.txtTimeLeft, "01:15"}, {w.txtTimeBonus, "375"},
      {w.txtBiggestMatch, "5"},   {w.txtLevelScore, "1575"},  {w.txtTotalScore, "1675"}, {w.txtPuzzles, "2"}};
  EXPECT_EQ(got, want);
  EXPECT_EQ(w.txtComp, "Level complete!");
  // The lines come one every 400 ms (24 frames), the first 500 ms after the
  // panel has landed.
  ASSERT_EQ(revealedAt.size(), 8u);
  for (size_t i = 1; i < revealedAt.size(); ++i) {
    EXPECT_GE(revealedAt[i] - revealedAt[i - 1], 24) << i;
    EXPECT_LE(revealedAt[i] - revealedAt[i - 1], 25) << i;
  }
  EXPECT_LT(revealedAt.back(), 400);
  EXPECT_GT(below.draws, 400) << "the play screen is drawn below every frame";
  EXPECT_EQ(w.fade, 0);
  EXPECT_FALSE(fireWorkList.empty()) << "fireworks went up";

  // A second win credits only its own level.
  script.clear();
  frameNo = 0;
  clickAt(5, 512, 300);  // skip the entrance
  clickItem(60, *w.Gui, "OK");
  w.mainLoop();
  EXPECT_EQ(profile->score, 1675 + 1575);
  EXPECT_EQ(profile->puzzles, 5);
}

TEST_F(SummaryTest, RelaxedLevelGetsTheFullTimeBonusAndAClickSkipsTheEntrance) {
  TWinScreen& w = winScreen();
  profile->gameMode = "RELAXED";
  level->czas = level->maxCzas = 120;
  int shownAfterClick = -1;
  std::string stateAfterClick;
  clickAt(10, 512, 300);
  script[12] = [&] {
    shownAfterClick = w.showCount;
    stateAfterClick = w.state;
  };
  clickItem(40, *w.Gui, "OK");
  w.mainLoop();
  EXPECT_EQ(shownAfterClick, 6);
  EXPECT_EQ(stateAfterClick, "WAIT");
  ASSERT_EQ(w.lines.size(), 6u);
  EXPECT_EQ(w.getTimeBonus(), 600);
  EXPECT_EQ(w.lines[3]->txt, w.txtLevelScore);
  EXPECT_EQ(w.lines[3]->data, "1800");
  for (auto& l : w.lines) EXPECT_NE(l->txt, w.txtTimeLeft) << "no time line in relaxed play";
  const float ys[] = {230, 270, 310, 350, 390};
  for (int i = 1; i <= 5; ++i) EXPECT_FLOAT_EQ(w.getDataY(i), ys[i - 1]);
}

TEST_F(SummaryTest, WinWithoutAProfileCreditsNothingAndStillEnds) {
  setCurrentProfile(nullptr);
  TWinScreen& w = winScreen();
  clickAt(5, 512, 300);
  clickItem(50, *w.Gui, "OK");
  EXPECT_EQ(w.mainLoop(), "");
  EXPECT_TRUE(w.lines.empty());
  EXPECT_EQ(profile->score, 100);
}

TEST_F(SummaryTest, LoseSummaryAnswersByItsButtonsOnceFadedAway) {
  TLoseScreen& l = loseScreen();
  EXPECT_EQ(l.txtInfo, "Time is up!");
  struct Case {
    const char* button;
    const char* answer;
  };
  for (const Case c : {Case{"RESTART", "RESTART"}, Case{"MAINMENU", "MAIN-MENU"}}) {
    SCOPED_TRACE(c.button);
    script.clear();
    frameNo = 0;
    clickItem(40, *l.Gui, c.button);
    int framesAfter = 0;
    everyFrame = [&] {
      if (frameNo > 41) ++framesAfter;
    };
    EXPECT_EQ(l.mainLoop(), c.answer);
    EXPECT_EQ(l.alpha, 0) << "answered before the panel faded away";
    EXPECT_GE(framesAfter, 15);
    everyFrame = nullptr;
  }
}

TEST_F(SummaryTest, TheDemoPlayerGoesOnByItselfOnceTheResultsHaveStood) {
  TWinScreen& w = winScreen();
  TLoseScreen& l = loseScreen();
  w.demo = l.demo = true;
  int readyAt = -1;
  everyFrame = [&] {
    if (readyAt < 0 && w.state == "WAIT") readyAt = frameNo;
  };
  EXPECT_EQ(w.mainLoop(), "");
  ASSERT_GE(readyAt, 0) << "the results were never all shown";
  EXPECT_GE(frameNo - readyAt, 4 * 60) << "pressed before the results had stood";
  everyFrame = nullptr;
  frameNo = 0;
  EXPECT_EQ(l.mainLoop(), "RESTART");
  w.demo = l.demo = false;
}

TEST_F(SummaryTest, PicturesOfBothSummaries) {
  // Only the pictures are wanted here: each run stops once it is taken.
  struct Taken {};
  openDisplay();
  profile->gameMode = "TIMED";
  clickAt(5, 512, 300);  // the whole summary at once
  screenshot(40, "summary-win.png");
  script[41] = [] { throw Taken{}; };
  EXPECT_THROW(winScreen().mainLoop(), Taken);

  script.clear();
  frameNo = 0;
  plat::input().moveMouse(0, 0);
  screenshot(30, "summary-lose.png");
  script[31] = [] { throw Taken{}; };
  EXPECT_THROW(loseScreen().mainLoop(), Taken);
}

// --- over the real play screen ------------------------------------------------

namespace {

struct SummaryOnPlayTest : SummaryTest {
  std::unique_ptr<TMainGame> g;

  void SetUp() override {
    SummaryTest::SetUp();
    loadPowerUpsTimes("data/powerUps.dat");
    g = std::make_unique<TMainGame>();
    g->animatedEffects = false;
    g->setup();
    options().playScreen = g.get();
    profilePlayScreen().level = [this] { return g->level; };
    g->hooks.winScreen = [] { winScreen().mainLoop(); };
    g->hooks.loseScreen = [] { return loseScreen().mainLoop(); };
    auto lvl = loadLevel(std::string(WOOFMERE_TEST_DATA) + "/maingame-small.lvl", *g->m3Game);
    lvl->randomChips();
    g->setLevel(lvl);
    g->setStartData();
  }
  void TearDown() override {
    g.reset();
    SummaryTest::TearDown();
  }
  // Presses and releases the left button on a GUI item over two frames.
  static void press(TGui& gui, const std::string& id, bool down) {
    auto [x, y] = centreOf(gui, id);
    plat::input().moveMouse(x, y);
    if (down) plat::input().pressMouse(plat::MOUSE_LEFT);
    else plat::input().releaseMouse(plat::MOUSE_LEFT);
  }
};

}  // namespace

TEST_F(SummaryOnPlayTest, WonLevelShowsTheSummaryAndCreditsTheProfile) {
  profile->gameMode = "TIMED";
  g->level->score = 0;
  g->level->puzzles = 0;
  int okAt = -1;
  everyFrame = [&] {
    if (g->state == "NORMAL") {
      g->level->score = 900;
      g->level->puzzles = 1;
      g->WIN();
    }
    TWinScreen& w = winScreen();
    if (okAt < 0 && w.state == "WAIT" && !w.lines.empty() && w.showCount == int(w.lines.size())) {
      okAt = frameNo;
      press(*w.Gui, "OK", true);
    } else if (okAt > 0 && frameNo == okAt + 1) {
      press(*w.Gui, "OK", false);
    }
  };
  const int czasAtWin = g->level->czas;
  EXPECT_EQ(g->mainLoop(), "GET-NEXT-QUEST-LEVEL");
  EXPECT_GT(okAt, 0) << "the summary was never shown";
  EXPECT_EQ(profile->score, 100 + 900 + g->level->czas * 5);
  EXPECT_LE(g->level->czas, czasAtWin);
  EXPECT_EQ(profile->puzzles, 2);
}

TEST_F(SummaryOnPlayTest, LostLevelAnswersByTheSummarysButtons) {
  struct Case {
    const char* button;
    const char* answer;
  };
  for (const Case c : {Case{"RESTART", "RESTART-LEVEL"}, Case{"MAINMENU", "MAIN-MENU"}}) {
    SCOPED_TRACE(c.button);
    profile->gameMode = "TIMED";
    g->level->czas = 2;
    g->setStartData();
    frameNo = 0;
    // Shown (fully faded in) only once the clock has run out.
    loseScreen().alpha = loseScreen().dAlpha = 0;
    int clickAt = -1;
    everyFrame = [&] {
      TLoseScreen& l = loseScreen();
      if (clickAt < 0 && l.alpha == 1 && l.dAlpha == 1) {
        clickAt = frameNo;
        press(*l.Gui, c.button, true);
      } else if (clickAt > 0 && frameNo == clickAt + 1) {
        press(*l.Gui, c.button, false);
      }
    };
    EXPECT_EQ(g->mainLoop(), c.answer);
    EXPECT_GT(clickAt, 0) << "the lose summary was never shown";
  }
}
