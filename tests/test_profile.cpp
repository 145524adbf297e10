// Player profiles: their files, the current profile and the quest rules.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "TestUtil.h"
#include "app/Globals.h"
#include "board/Level.h"
#include "platform/Files.h"
#include "screens/Dogs.h"
#include "screens/LevelManager.h"
#include "screens/Profile.h"
#include "screens/PuzzleLevel.h"
#include "screens/TutorialTips.h"
#include "test_board_util.h"

namespace {

// A jigsaw of four pieces: one loose and active, a group of two, one not
// collected yet.
const char* kJigsaw =
    "puzzles {\n\tst = 100, 120\n\ti = 4\n"
    "\tp1 {\n\t\tid = 1\n\t\timg = \"gfx/none-1.png\"\n\t\tddim = 0, 0\n\t\tsasiedzi = \"2 3\"\n\t\tdim = 10, 20\n\t\tactive = 1\n\t}\n"
    "\tp2 {\n\t\tid = 2\n\t\timg = \"gfx/none-2.png\"\n\t\tddim = 100, 0\n\t\tsasiedzi = \"1\"\n\t\tdim = 30, 40\n\t\tactive = 1\n\t}\n"
    "\tp3 {\n\t\tid = 3\n\t\timg = \"gfx/none-3.png\"\n\t\tddim = 0, 100\n\t\tsasiedzi = \"1\"\n\t\tdim = 50, 60\n\t\tactive = 1\n\t}\n"
    "\tp4 {\n\t\tid = 4\n\t\timg = \"gfx/none-4.png\"\n\t\tddim = 100, 100\n\t\tsasiedzi = \"\"\n\t\tdim = 70, 80\n\t\tactive = 0\n\t}\n"
    "\tpuzzlesAndGroups {\n\t\ti = 3\n"
    "\t\tpog1 {\n\t\t\ttyp = \"PUZZLE\"\n\t\t\tid = 4\n\t\t\ta = 0\n\t\t}\n"
    "\t\tpog2 {\n\t\t\ttyp = \"GROUP\"\n\t\t\tgrupa = \"2 3\"\n\t\t}\n"
    "\t\tpog3 {\n\t\t\ttyp = \"PUZZLE\"\n\t\t\tid = 1\n\t\t\ta = 1\n\t\t}\n\t}\n}\n";

struct ProfileTest : ::testing::Test {
  TempDir dir;
  std::string oldUserDir, here;
  TM3Catalogs cat;
  std::shared_ptr<TLevel> onBoard;  // what the play screen was handed last
  int boardLevelTime = 77;

  void SetUp() override {
    here = plat::currentFolder();
    // Relative content paths (level and jigsaw files) resolve in the temp folder.
    ASSERT_TRUE(plat::changeFolder(dir.path()));
    oldUserDir = userDir;
    userDir = dir.path() + "/user";
    std::filesystem::create_directories(userDir + "/Profiles");
    boardtest::fillCatalogs(cat);
    ProfilePlayScreen& play = profilePlayScreen();
    play.catalogs = [this] { return &cat; };
    play.setLevel = [this](const std::shared_ptr<TLevel>& l) { onBoard = l; };
    play.levelTime = [this] { return boardLevelTime; };
    play.level = [this] { return onBoard; };
    writeBytes(dir.file("data/PuzzleLevels/puzzleLevel-1.dat"), kJigsaw);
    writeBytes(dir.file("data/PuzzleLevels/dog2.dat"), kJigsaw);
    writeLevel("data/levels/level-a.lvl", {"AB2", "CDE"});
    writeLevel("data/levels/level-b.lvl", {"AAB", "3CD", "EFG"});
    TLevelManager& lm = levelManager();
    lm.questLevels.clear();
    for (int n = 1; n <= 60; ++n)
      lm.questLevels.push_back(TLevelData{n, n % 2 ? "data/levels/level-a.lvl" : "data/levels/level-b.lvl"});
    lm.puzzleList2.clear();
    for (int n = 1; n <= 10; ++n) lm.puzzleList2.push_back(TPuzzleData{n, (n + 1) / 2});
    TDogCatalog& dogs = dogCatalog();
    dogs.dogsList.clear();
    dogs.loaded = true;
    const char* jigsaws[] = {"data/PuzzleLevels/puzzleLevel-1.dat", "data/PuzzleLevels/dog2.dat", ""};
    const int starts[] = {1, 4, 8};
    for (int i = 0; i < 3; ++i) {
      auto d = std::make_shared<TPies>();
      d->id = i + 1;
      d->startLevel = starts[i];
      d->puzzleLevel = jigsaws[i];
      dogs.dogsList.push_back(d);
    }
    TTipCatalog& tips = tipCatalog();
    tips.allTips.clear();
    tips.loaded = true;
    for (const char* id : {"FIRST-SWAP", "HAMMER", "PUZZLE"}) {
      auto t = std::make_shared<TTutorialTip>();
      t->id = id;
      tips.allTips.push_back(t);
    }
    tips.pendingTips = tips.allTips;
  }
  void TearDown() override {
    setCurrentProfile(nullptr);
    profileList() = TProfileList();
    profilePlayScreen() = ProfilePlayScreen();
    dogCatalog() = TDogCatalog();
    tipCatalog() = TTipCatalog();
    levelManager() = TLevelManager();
    plat::testing::setBeforeRenameHook(nullptr);
    userDir = oldUserDir;
    plat::changeFolder(here);
  }

  void writeLevel(const std::string& path, const std::vector<std::string>& rows) {
    auto l = boardtest::board(cat, rows);
    l->czas = l->maxCzas = 90;
    std::filesystem::create_directories(std::filesystem::path(dir.file(path)).parent_path());
    ASSERT_TRUE(l->save(dir.file(path)));
  }

  // A profile in mid-campaign with something in every list it saves.
  std::shared_ptr<TProfile> busyProfile(const std::string& name) {
    auto p = std::make_shared<TProfile>();
    p->name = name;
    p->nrLevelu = 5;
    p->nrStageu = 2;
    p->puzzles = 3;
    p->score = 12345;
    p->gameType = "PUZZLE";
    p->gameMode = "RELAXED";
    p->pies = dogCatalog().getDog(2);
    p->bylyPsy = {dogCatalog().getDog(1)};
    p->puzzleLevel = loadPuzzleLevel("data/PuzzleLevels/puzzleLevel-1.dat", 0, false);
    p->activePuzzles = {p->puzzleLevel->getPuzzleById(2), p->puzzleLevel->getPuzzleById(1)};
    p->questLevel = loadLevel("data/levels/level-b.lvl", cat);
    p->powerUp[0].data = 7;
    p->powerUp[2].aktywny = 1;
    p->lekcjeTutoriala = {tipCatalog().findTip("HAMMER")};
    return p;
  }
  std::string profileFile(const TProfile& p) const { return p.folder() + "profile.dat"; }
};

}  // namespace

TEST_F(ProfileTest, IdsAndFoldersComeFromTheUpperCasedName) {
  const std::pair<std::string, std::string> cases[] = {
      {"Ann", "65-78-78-"}, {"ann", "65-78-78-"}, {"", ""}, {"R2 d", "82-50-32-68-"}, {"Zoë", "90-79-203-"}};
  for (const auto& [name, id] : cases) {
    TProfile p;
    p.name = name;
    EXPECT_EQ(p.getMyID(), id) << name;
  }
  TProfile ann;
  ann.name = "Ann";
  EXPECT_EQ(ann.folder(), userDir + "/Profiles/65-78-78-/");
}

TEST_F(ProfileTest, SavedProfileLoadsBackAndSavesTheSameBytes) {
  auto p = busyProfile("Ann");
  ASSERT_TRUE(p->save());
  const std::string folder = p->folder();
  const std::string files[] = {"profile.dat", "questlevel.lvl", "puzzleLevel.dat"};
  std::vector<std::string> before;
  for (const auto& f : files) before.push_back(readBytes(folder + f));
  EXPECT_NE(before[0].find("levelTime = 77"), std::string::npos) << before[0];

  auto q = loadProfile(profileFile(*p));
  EXPECT_EQ(q->name, "Ann");
  EXPECT_EQ(q->nrLevelu, 5);
  EXPECT_EQ(q->nrStageu, 2);
  EXPECT_EQ(q->puzzles, 3);
  EXPECT_EQ(q->score, 12345);
  EXPECT_EQ(q->gameType, "PUZZLE");
  EXPECT_EQ(q->gameMode, "RELAXED");
  EXPECT_EQ(q->pies, dogCatalog().getDog(2));
  ASSERT_EQ(q->bylyPsy.size(), 1u);
  EXPECT_EQ(q->bylyPsy[0], dogCatalog().getDog(1)) << "a dog met is the catalogue's dog, not a copy";
  ASSERT_EQ(q->activePuzzles.size(), 2u);
  EXPECT_EQ(q->activePuzzles[0], q->puzzleLevel->getPuzzleById(2));
  ASSERT_TRUE(q->questLevel);
  EXPECT_EQ(q->questLevel->rows, 3);
  EXPECT_EQ(q->questLevel->profileLevelTime, 77) << "the level's elapsed time comes back for a resumed level";
  EXPECT_EQ(q->powerUp[0].data, 7);
  EXPECT_EQ(q->powerUp[2].aktywny, 1);
  ASSERT_EQ(q->lekcjeTutoriala.size(), 1u);
  EXPECT_EQ(q->lekcjeTutoriala[0]->id, "HAMMER");

  ASSERT_TRUE(q->save());
  for (size_t i = 0; i < std::size(files); ++i) EXPECT_EQ(readBytes(folder + files[i]), before[i]) << files[i];
}

TEST_F(ProfileTest, ProfileWithoutLevelInProgressSavesNoLevel) {
  TProfile p;
  p.name = "Bo";
  ASSERT_TRUE(p.save());
  const std::string text = readBytes(profileFile(p));
  EXPECT_NE(text.find("questLevel = 0"), std::string::npos) << text;
  EXPECT_EQ(text.find("levelTime"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(p.folder() + "questlevel.lvl"));
  // And nobody to save is not an error.
  EXPECT_TRUE(saveCurrentProfile());
  EXPECT_FALSE(std::filesystem::exists(userDir + "/Profiles/profile.dat"));
}

namespace {
int renamesLeft = 0;
void dieAtRename() {
  if (--renamesLeft == 0) ::_exit(42);
}
}  // namespace

TEST_F(ProfileTest, SaveKilledBeforeAnyRenameLeavesTheOldProfileWhole) {
  auto p = busyProfile("Ann");
  ASSERT_TRUE(p->save());
  const std::string oldBytes = readBytes(profileFile(*p));
  // The save replaces questlevel.lvl, puzzleLevel.dat, then profile.dat.
  for (int killAt = 1; killAt <= 3; ++killAt) {
    SCOPED_TRACE(killAt);
    pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      renamesLeft = killAt;
      plat::testing::setBeforeRenameHook(dieAtRename);
      p->nrLevelu = 6;
      p->score = 99999;
      p->save();
      ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 42) << "the simulated crash did not happen";
    EXPECT_EQ(readBytes(profileFile(*p)), oldBytes);
    auto q = loadProfile(profileFile(*p));
    EXPECT_EQ(q->nrLevelu, 5);
    EXPECT_EQ(q->score, 12345);
    EXPECT_TRUE(q->questLevel);
    EXPECT_EQ(q->activePuzzles.size(), 2u);
  }
}

TEST_F(ProfileTest, HostileProfileFilesLoadWithDefaultsAndAMessage) {
  auto good = busyProfile("Ann");
  ASSERT_TRUE(good->save());
  const std::string valid = readBytes(profileFile(*good));
  struct Case {
    const char* what;
    std::string text;
  };
  auto replace = [&valid](const std::string& from, const std::string& to) {
    std::string t = valid;
    t.replace(t.find(from), from.size(), to);
    return t;
  };
  const Case cases[] = {
      {"truncated", valid.substr(0, valid.size() / 2)},
      {"not a data file", std::string("\x89PNG\r\n\x1a\n\0\0garbage{{{", 19)},
      {"wrong types", replace("nrLevelu = 5", "nrLevelu = \"five\"")},
      {"huge level", replace("nrLevelu = 5", "nrLevelu = 1e300")},
      {"negative score", replace("score = 12345", "score = -7")},
      {"huge dog count", replace("dogies {\n\t\ti = 1", "dogies {\n\t\ti = 1e12")},
      {"huge piece count", replace("activePuzzles {\n\t\ti = 2", "activePuzzles {\n\t\ti = 4000000000")},
      {"unknown dog", replace("dog1 = 1", "dog1 = 99")},
      {"unknown piece", replace("puzzle1 = 2", "puzzle1 = 999")},
      {"unknown tip", replace("\"HAMMER\"", "\"NO-SUCH-TIP\"")},
      {"unknown mode and screen", replace("\"RELAXED\"", "\"TURBO\"")},
      {"hostile screen", replace("\"PUZZLE\"", "\"END\"")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    writeBytes(profileFile(*good), c.text);
    testing::internal::CaptureStdout();
    auto p = loadProfile(profileFile(*good));
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(out.empty()) << "no message";
    EXPECT_GE(p->nrLevelu, 1);
    EXPECT_LE(p->nrLevelu, 192);
    EXPECT_GE(p->score, 0);
    EXPECT_TRUE(p->gameMode == "TIMED" || p->gameMode == "RELAXED") << p->gameMode;
    EXPECT_TRUE(p->gameType.empty() || p->gameType == "PUZZLE") << p->gameType;
    for (auto& d : p->bylyPsy) EXPECT_TRUE(d && dogCatalog().getDog(d->id) == d);
    for (auto& piece : p->activePuzzles) EXPECT_TRUE(piece && p->puzzleLevel->getPuzzleById(piece->id) == piece);
    for (auto& tip : p->lekcjeTutoriala) EXPECT_TRUE(tip && tipCatalog().findTip(tip->id) == tip);
    EXPECT_LE(p->bylyPsy.size(), 1u);
    EXPECT_LE(p->activePuzzles.size(), 2u);
    EXPECT_TRUE(p->save()) << "a repaired profile saves again";
  }
}

TEST_F(ProfileTest, MissingFilesGiveAFreshStart) {
  testing::internal::CaptureStdout();
  auto p = loadProfile(userDir + "/Profiles/nobody/profile.dat");
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(p->nrLevelu, 1);
  EXPECT_FALSE(p->questLevel);
  ASSERT_TRUE(p->puzzleLevel);
  EXPECT_EQ(p->puzzleLevel->allPuzzles.size(), 4u) << "the fallback jigsaw";

  // A profile that says it has a level in progress whose file is gone.
  auto q = busyProfile("Cy");
  ASSERT_TRUE(q->save());
  std::filesystem::remove(q->folder() + "questlevel.lvl");
  testing::internal::CaptureStdout();
  auto r = loadProfile(profileFile(*q));
  EXPECT_NE(testing::internal::GetCapturedStdout().find("questlevel.lvl"), std::string::npos);
  EXPECT_FALSE(r->questLevel);
  EXPECT_EQ(r->canResumeQuest(), 0);
}

TEST_F(ProfileTest, QuestProgressTable) {
  auto p = std::make_shared<TProfile>();
  p->name = "Dee";
  setCurrentProfile(p);
  p->score = 500;
  p->QUEST_startNew();
  EXPECT_EQ(p->nrLevelu, 1);
  EXPECT_EQ(p->score, 0);
  EXPECT_EQ(p->pies, dogCatalog().getDog(1));
  ASSERT_TRUE(p->questLevel);
  EXPECT_EQ(onBoard, p->questLevel) << "the level was handed to the play screen";
  ASSERT_EQ(p->puzzleLevel->allPuzzles.size(), 4u);

  // A won level's score joins the stage's statistics of this run.
  onBoard->score = 300;
  p->giveActStageData();
  p->giveActStageData();
  EXPECT_EQ(p->getActStageScore(), 600);
  EXPECT_EQ(p->getStageData(1).getLevelData(1).score, 600);
  EXPECT_EQ(p->stagesData.size(), 1u);

  // level: power-up slots discovered, pieces due after it.
  struct Row {
    int level, slots, due;
  };
  const Row rows[] = {{1, 1, 1}, {2, 1, 1}, {6, 1, 3}, {7, 2, 4},   {14, 2, -1}, {15, 3, -1},
                      {23, 3, -1}, {24, 4, -1}, {34, 4, -1}, {35, 5, -1}, {45, 5, -1}, {46, 6, -1}};
  for (const Row& r : rows) {
    p->nrLevelu = r.level;
    p->QUEST_loadActLevel();
    int slots = 0;
    for (auto& u : p->powerUp) slots += u.odkryty;
    EXPECT_EQ(slots, r.slots) << "level " << r.level;
    for (int k = 0; k < r.slots; ++k) EXPECT_EQ(p->powerUp[k].odkryty, 1) << "level " << r.level << " slot " << k + 1;
    EXPECT_EQ(puzzlesDueAfterLevel(r.level), r.due) << "level " << r.level;
    EXPECT_EQ(p->questLevel->rows, r.level % 2 ? 2 : 3) << "level " << r.level;
  }

  // The stages follow the dogs: 1 -> 2 -> 3 -> the end.
  p->nrLevelu = 4;
  p->puzzles = 2;
  p->addPuzzles(2);
  EXPECT_EQ(p->newStage(), 0);
  EXPECT_EQ(p->getNextStage(), "GALERIA");
  EXPECT_EQ(p->nrStageu, 2);
  EXPECT_EQ(p->pies, dogCatalog().getDog(2));
  EXPECT_EQ(p->newStage(), 1);
  ASSERT_EQ(p->bylyPsy.size(), 1u);
  EXPECT_EQ(p->bylyPsy[0], dogCatalog().getDog(1));
  EXPECT_EQ(p->puzzles, 0);
  EXPECT_TRUE(p->activePuzzles.empty());
  EXPECT_TRUE(p->questLevel);

  // The third dog names no jigsaw file: the stage falls back to the first.
  EXPECT_EQ(p->getNextStage(), "GALERIA");
  EXPECT_EQ(p->puzzleLevel->allPuzzles.size(), 4u);
  ASSERT_EQ(p->bylyPsy.size(), 2u);

  EXPECT_EQ(p->getNextStage(), "STORY");
  EXPECT_FALSE(p->questLevel) << "nothing left to resume";
  EXPECT_EQ(p->canResumeQuest(), 0);

  // A level number the lists do not know leaves no level, with a message.
  p->nrLevelu = 150;
  testing::internal::CaptureStdout();
  EXPECT_EQ(p->QUEST_loadActLevel(), 0);
  EXPECT_NE(testing::internal::GetCapturedStdout().find("no level 150"), std::string::npos);
  EXPECT_FALSE(p->questLevel);
}

TEST_F(ProfileTest, UnlockingPieces) {
  TProfile p;
  p.puzzleLevel = loadPuzzleLevel("data/PuzzleLevels/puzzleLevel-1.dat", 0, false);
  EXPECT_EQ(p.allPuzzles(), 0);
  // Three pieces are active in the file; asking for two only sets flags.
  p.addPuzzles(2);
  EXPECT_EQ(p.activePuzzles.size(), 3u);
  EXPECT_EQ(p.getNewPuzzlesCount(), 0);
  EXPECT_EQ(p.countActivePuzzles(), 3);
  p.addPuzzles(40);
  EXPECT_EQ(p.activePuzzles.size(), 4u);
  EXPECT_EQ(p.getNewPuzzlesCount(), 1) << "only the piece unlocked now flies in";
  EXPECT_EQ(p.allPuzzles(), 1);

  // One piece only, or none at all (a missing file), is never "complete".
  writeBytes(dir.file("one.dat"),
             "puzzles {\n\ti = 1\n\tp1 {\n\t\tid = 7\n\t\tactive = 1\n\t}\n"
             "\tpuzzlesAndGroups {\n\t\ti = 1\n\t\tpog1 {\n\t\t\ttyp = \"PUZZLE\"\n\t\t\tid = 7\n\t\t\ta = 1\n\t\t}\n\t}\n}\n");
  p.puzzleLevel = loadPuzzleLevel("one.dat", 0, false);
  p.addPuzzles(1);
  EXPECT_EQ(p.allPuzzles(), 0);
  testing::internal::CaptureStdout();
  p.puzzleLevel = loadPuzzleLevel("missing.dat", 1, false);
  testing::internal::GetCapturedStdout();
  p.addPuzzles(5);
  EXPECT_EQ(p.allPuzzles(), 0);
}

TEST_F(ProfileTest, JigsawStateSurvivesSaveAndLoad) {
  auto a = loadPuzzleLevel("data/PuzzleLevels/puzzleLevel-1.dat", 0, false);
  ASSERT_EQ(a->puzzles.size(), 3u);
  auto grp = std::dynamic_pointer_cast<TPuzzleGroup>(a->puzzles[1]);
  ASSERT_TRUE(grp);
  ASSERT_EQ(grp->grupa.size(), 2u);
  EXPECT_EQ(grp->grupa[0]->id, 2);
  EXPECT_EQ(a->allPuzzles[0]->sasiedzi.size(), 2u);
  ASSERT_TRUE(a->save(dir.file("copy.dat")));
  EXPECT_EQ(loadPuzzleLevel(dir.file("copy.dat"), 0, false)->saveText(), a->saveText());

  // A fresh jigsaw keeps its pieces but lays them out anew.
  auto fresh = loadPuzzleLevel("data/PuzzleLevels/puzzleLevel-1.dat", 1, false);
  EXPECT_EQ(fresh->puzzles.size(), 3u);
  EXPECT_EQ(fresh->allPuzzles[0]->dim.x, 10);
}

TEST_F(ProfileTest, SeenTipsBelongToEachProfile) {
  auto ann = busyProfile("Ann");  // has seen HAMMER
  auto bo = std::make_shared<TProfile>();
  bo->name = "Bo";
  TTipCatalog& tips = tipCatalog();
  setCurrentProfile(ann);
  EXPECT_EQ(tips.pendingTips.size(), 2u);
  EXPECT_FALSE(tips.getTipById("hammer"));
  setCurrentProfile(bo);
  EXPECT_EQ(tips.pendingTips.size(), 3u) << "Bo still gets the tip Ann has seen";
  EXPECT_TRUE(tips.getTipById("hammer"));
  setCurrentProfile(ann);
  ann->QUEST_startNew();
  EXPECT_EQ(tips.pendingTips.size(), 3u) << "a new quest shows every tip again";
}

TEST_F(ProfileTest, ProfileListKeepsNamesAndTheCurrentOne) {
  TProfileList& list = profileList();
  // No list yet: an empty one is written and nobody is current.
  list.loadProfiles();
  EXPECT_TRUE(list.profiles.empty());
  EXPECT_FALSE(list.profile);
  EXPECT_NE(readBytes(TProfileList::listPath()).find("\"NULL\""), std::string::npos);

  auto ann = busyProfile("Ann");
  auto bo = std::make_shared<TProfile>();
  bo->name = "Bo";
  bo->nrLevelu = 9;
  ASSERT_TRUE(ann->save());
  setCurrentProfile(ann);
  setCurrentProfile(bo);
  ASSERT_EQ(list.profiles.size(), 2u);
  ASSERT_TRUE(list.save());

  TProfileList again;
  again.loadProfiles();
  ASSERT_EQ(again.profiles.size(), 2u);
  EXPECT_EQ(again.profiles[0]->name, "Ann");
  EXPECT_EQ(again.profiles[0]->nrLevelu, 5);
  ASSERT_TRUE(again.profile);
  EXPECT_EQ(again.profile->name, "Bo");
  EXPECT_EQ(again.profile->nrLevelu, 9);

  // A damaged list names nobody without crashing.
  writeBytes(TProfileList::listPath(), "Profiles {\n\ti = 1e15\n\tActProfile = 5\n\tProfile1 = \"\"\n}\n");
  testing::internal::CaptureStdout();
  again.loadProfiles();
  EXPECT_FALSE(testing::internal::GetCapturedStdout().empty());
  EXPECT_TRUE(again.profiles.empty());
}
