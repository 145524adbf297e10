#include <gtest/gtest.h>

#include "TestUtil.h"
#include "app/Txt.h"
#include "screens/LevelManager.h"

namespace {

struct LevelListsTest : ::testing::Test {
  TempDir dir;
  TLevelManager lm;
  void write(const std::string& name, const std::string& text) { writeBytes(dir.file(name), text); }
  void SetUp() override {
    write("quest_levels.dat",
          "levels {\n\ti = 3\n\tlvl1 {\n\t\tid = 5\n\t\turl = \"data/levels/level-5.lvl\"\n\t}\n"
          "\tlvl2 {\n\t\tid = 6\n\t\turl = \"data/levels/level-6.lvl\"\n\t}\n"
          "\tlvl3 {\n\t\tid = 5\n\t\turl = \"data/levels/other.lvl\"\n\t}\n}\n");
    write("free_levels.dat", "levels {\n\ti = 1\n\tlvl1 {\n\t\tid = 2\n\t\tulr = \"data/free.lvl\"\n\t}\n}\n");
    write("puzzleList.dat", "3\n  7\n\n-2\nabc\n12");
    write("puzzlelist2.dat", "puzzles {\n\ti = 2\n\tlevel1 = 4\n\tlevel2 = 9.8\n}\n");
  }
};

}  // namespace

TEST_F(LevelListsTest, ReadsTheFourListsAsWritten) {
  lm.setup(dir.path() + "/");
  ASSERT_EQ(lm.questLevels.size(), 3u);
  // Looked up by level number, not by position; the first of two wins.
  ASSERT_NE(lm.getQuestLevelData(5), nullptr);
  EXPECT_EQ(lm.getQuestLevelData(5)->url, "data/levels/level-5.lvl");
  EXPECT_EQ(lm.getQuestLevelData(6)->url, "data/levels/level-6.lvl");
  EXPECT_EQ(lm.getQuestLevelData(1), nullptr);
  ASSERT_EQ(lm.freePlayLevels.size(), 1u);
  EXPECT_EQ(lm.freePlayLevels[0].url, "data/free.lvl") << "the free list's path key is 'ulr'";

  // Line k is level k; blanks, signs, empty and unreadable lines as numbers
  // read them; a last line without a newline still counts.
  const int expected[] = {3, 7, 0, -2, 0, 12};
  ASSERT_EQ(lm.puzzleList.size(), 6u);
  for (int k = 1; k <= 6; ++k) {
    ASSERT_NE(lm.getPuzzleData(k), nullptr) << k;
    EXPECT_EQ(lm.getPuzzleData(k)->puzzles, expected[k - 1]) << "level " << k;
  }
  EXPECT_EQ(lm.getPuzzleData2(2)->puzzles, 9);
  EXPECT_EQ(lm.getPuzzleData2(3), nullptr);
}

TEST_F(LevelListsTest, MissingFilesGiveEmptyListsButThePieceListIsRequiredAtStart) {
  std::filesystem::remove(dir.file("quest_levels.dat"));
  testing::internal::CaptureStdout();
  lm.setup(dir.path() + "/");
  testing::internal::GetCapturedStdout();
  EXPECT_TRUE(lm.questLevels.empty());
  std::filesystem::remove(dir.file("puzzleList.dat"));
  setTxtStartupPhase(true);
  EXPECT_THROW(lm.setup(dir.path() + "/"), FatalContentError);
}
