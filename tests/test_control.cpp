#include <gtest/gtest.h>

#include "app/Control.h"
#include "app/Globals.h"

namespace {

// A recording stand-in for the screens and the current profile.
struct FakeGame {
  int level = 1;
  std::string gameType;
  bool puzzleLevel = false;
  int savedAtLevel = -1;
  std::vector<std::string> log;

  void wire() {
    ControlWiring& w = Control::wiring();
    w = ControlWiring{};
    w.mainMenu = [this] { log.push_back("menu"); return std::string("END"); };
    w.mainGame = [this] { log.push_back("game"); return std::string("MAIN-MENU"); };
    w.story = [this](int n) { log.push_back("story" + std::to_string(n)); return std::string("MAIN-GAME"); };
    w.galeria = [this](int a) { log.push_back("gallery" + std::to_string(a)); return std::string("UBIERANIE"); };
    w.ubieranie = [this] { log.push_back("dressup"); return std::string("GET-NEXT-STAGE"); };
    w.puzzle = [this] { log.push_back("puzzle"); return std::string("UBIERANIE"); };
    w.endOfGame = [this] { log.push_back("end-of-game"); };
    w.profileLevel = [this] { return level; };
    w.setProfileLevel = [this](int n) { level = n; };
    w.profileGameType = [this] { return gameType; };
    w.saveProfile = [this] { savedAtLevel = level; return true; };
    w.questStartNew = [this] { level = 1; log.push_back("new-quest"); };
    w.questLoadActLevel = [this] { log.push_back("load" + std::to_string(level)); return 0; };
    w.nextStage = [] { return std::string("GALERIA"); };
    w.setLevelFromProfile = [this] { log.push_back("set-level"); };
    w.setStartData = [this] { log.push_back("start-data"); };
    w.clearContinueLevel = [this] { log.push_back("no-continue"); };
    w.levelHasPuzzle = [this] { return puzzleLevel; };
  }
};

struct ControlTest : ::testing::Test {
  FakeGame game;
  void SetUp() override {
    game.wire();
    actGameType = "QUEST";
  }
  void TearDown() override { Control::wiring() = ControlWiring{}; }
};

}  // namespace

TEST_F(ControlTest, CommandsMatchIgnoringCase) {
  for (const char* c : {"main-menu", "Main-MENU", "MAIN-MENU"}) {
    game.log.clear();
    EXPECT_EQ(Control::dispatch(c), "END");
    EXPECT_EQ(game.log, std::vector<std::string>{"menu"}) << c;
  }
  EXPECT_EQ(Control::dispatch("end"), "END");
}

TEST_F(ControlTest, UnknownCommandIsReportedOnceAndLeadsToTheMainMenu) {
  testing::internal::CaptureStdout();
  EXPECT_EQ(Control::dispatch("DANCE"), "MAIN-MENU");
  EXPECT_EQ(Control::dispatch("dance"), "MAIN-MENU");
  EXPECT_EQ(Control::dispatch(""), "MAIN-MENU");
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 2) << out;
}

TEST_F(ControlTest, StoryDependsOnTheLevel) {
  struct Case {
    int level;
    std::vector<std::string> shown;
  };
  const Case cases[] = {{1, {"story1"}},   {9, {"story1"}},   {13, {"story3"}},
                        {10, {"gallery0", "story2"}}, {12, {"gallery0", "story2"}}, {14, {"gallery0", "story2"}}};
  for (const auto& c : cases) {
    game.log.clear();
    game.level = c.level;
    Control::dispatch("STORY");
    EXPECT_EQ(game.log, c.shown) << "level " << c.level;
  }
}

TEST_F(ControlTest, QuestSteps) {
  // A new quest starts the story.
  EXPECT_EQ(Control::dispatch("NEW-QUEST"), "STORY");
  EXPECT_EQ(game.log, (std::vector<std::string>{"no-continue", "new-quest"}));
  // Resume goes back to the screen the player was last in.
  EXPECT_EQ(Control::RESUME_Quest(), "MAIN-GAME");
  game.gameType = "PUZZLE";
  EXPECT_EQ(Control::RESUME_Quest(), "PUZZLE");
  // A won level moves the profile on and saves it after the move.
  game.level = 5;
  game.log.clear();
  EXPECT_EQ(Control::dispatch("GET-NEXT-QUEST-LEVEL"), "MAIN-GAME");
  EXPECT_EQ(game.level, 6);
  EXPECT_EQ(game.savedAtLevel, 6);
  EXPECT_EQ(game.log, (std::vector<std::string>{"load6", "set-level", "start-data"}));
  // A level with pieces goes to the jigsaw.
  game.puzzleLevel = true;
  EXPECT_EQ(Control::dispatch("GET-NEXT-QUEST-LEVEL"), "PUZZLE");
  EXPECT_EQ(game.level, 7);
  EXPECT_EQ(Control::dispatch("GET-NEXT-STAGE"), "GALERIA");
  EXPECT_EQ(Control::dispatch("RESTART-LEVEL"), "MAIN-GAME");
  actGameType = "OTHER";
  EXPECT_EQ(Control::RESTART_Level(), "");
}

TEST_F(ControlTest, LastLevelEndsTheGameWithoutLoadingALevel) {
  game.level = 191;
  EXPECT_EQ(Control::QUEST_PrepareNextLevel(), "MAIN-MENU");
  EXPECT_EQ(game.level, 192);
  EXPECT_EQ(game.savedAtLevel, 192);
  EXPECT_EQ(game.log, std::vector<std::string>{"end-of-game"});
}

TEST_F(ControlTest, MainLoopRunsUntilEndAndMissingScreensSayWhich) {
  actCommand = "MAIN-GAME";  // game -> menu -> END
  Control::mainLoop();
  EXPECT_EQ(game.log, (std::vector<std::string>{"game", "menu"}));
  Control::wiring().puzzle = nullptr;
  try {
    Control::dispatch("puzzle");
    FAIL() << "expected MissingScreen";
  } catch (const MissingScreen& e) {
    EXPECT_STREQ(e.what(), "the jigsaw screen");
  }
}
