// The shipped campaign and the checks that guard it: the generator's level
// files against the game's own reader and writer, and the campaign check's
// rules catching broken levels and lists.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "TestUtil.h"
#include "board/Level.h"
#include "board/M3Game.h"
#include "data/RCMFile.h"
#include "screens/CampaignCheck.h"
#include "test_board_util.h"

namespace {

namespace fs = std::filesystem;
const std::string kContent = std::string(WOOFMERE_TEST_DATA) + "/../../content/";

std::string joined(const std::vector<std::string>& v) {
  std::string s;
  for (auto& x : v) s += x + "\n";
  return s;
}

// The game's catalogs, read in the built game folder as the game reads them.
class Campaign : public ::testing::Test {
 public:
  void SetUp() override {
    old_ = fs::current_path();
    fs::current_path(WOOFMERE_GAME_DIR);
    testing::internal::CaptureStdout();
    loadCampaignCatalogs(g);
    testing::internal::GetCapturedStdout();
  }
  void TearDown() override {
    g.setLevel(nullptr);
    fs::current_path(old_);
  }

  // Everything a level file holds, as one comparable text.
  static std::string describe(const TLevel& L) {
    std::string s = std::to_string(L.rows) + "x" + std::to_string(L.cols) + " " + L.matchType + " t" +
                    std::to_string(L.czas) + "/" + std::to_string(L.maxCzas) + " bg" +
                    std::to_string(L.backGround ? L.backGround->id : 0) + " sa" + std::to_string(L.saPuzzle) + "\n";
    for (auto& t : L.tile)
      s += std::to_string(t->kindId()) + ":" + std::to_string(t->chip ? t->chip->cd->id : 0) + ":" +
           std::to_string(t->chain) + (t->creator ? "C " : " ");
    for (auto& k : L.availableChips) s += "a" + std::to_string(k->id);
    for (auto& k : L.availableBonus) s += "b" + std::to_string(k->id);
    for (auto& f : L.ramka) s += f->getString();
    return s;
  }

  TM3Game g;

 private:
  fs::path old_;
};

TEST_F(Campaign, EveryGeneratedLevelIsWhatTheGameWritesAndReadsBackTheSame) {
  // The backgrounds keep their ids; their pictures are not needed here.
  for (auto& b : backgroundList()) b->url = "no-picture-in-this-test.jpg";
  testing::internal::CaptureStdout();
  for (int n = 1; n <= kCampaignLevels; ++n) {
    const std::string path = kContent + "data/levels/level-" + std::to_string(n) + ".lvl";
    const std::string bytes = readBytes(path);
    ASSERT_FALSE(bytes.empty()) << path;
    auto L = loadLevelFrom(*parseRCMText(bytes, path), g);
    // Read by the game and written again: the very bytes the generator wrote.
    const std::string again = L->saveText();
    EXPECT_EQ(again, bytes) << "level " << n;
    auto back = loadLevelFrom(*parseRCMText(again, path), g);
    EXPECT_EQ(describe(*back), describe(*L)) << "level " << n;
    EXPECT_GT(L->rows, 0) << "level " << n;
    if (HasFailure()) break;
  }
  testing::internal::GetCapturedStdout();
}

// A sound 6 x 6 SWAP board: a swap of (0,1) and (1,1) lines up three A,
// a piece at (2,1) over ordinary chips, one breakable cell at (4,4).
class CampaignRules : public Campaign {
 public:
  std::shared_ptr<TLevel> fixture() {
    auto L = boardtest::board(g, {"ABACDE", "CABEAB", "APCDEC", "BCDABD", "ABEDDA", "DEABCE"});
    L->at(4, 4)->td = g.getTileData(2);
    for (int c = 0; c < 6; ++c) L->at(0, c)->creator = 1;
    for (int id = 1; id <= 5; ++id) L->availableChips.push_back(g.getChipData(id));
    for (auto& b : g.bonusList) L->availableBonus.push_back(b);
    L->czas = L->maxCzas = 300;
    L->backGround = getBackground(1);
    return L;
  }
  // The rules' verdict on the level as written to a file and read back;
  // `edit` may change the file text first.
  std::vector<std::string> verdict(const std::shared_ptr<TLevel>& L, int levelNr = 20,
                                   const std::function<void(TRCMFile&)>& edit = nullptr) {
    L->CreateLevelFrames();
    auto raw = parseRCMText(L->saveText(), "fixture.lvl");
    if (edit) edit(*raw);
    testing::internal::CaptureStdout();
    auto back = loadLevelFrom(*raw, g);
    testing::internal::GetCapturedStdout();
    return checkLevelRules(g, *raw, back, levelNr);
  }
  void setChip(TLevel& L, int r, int c, int id) { L.at(r, c)->setChip(id ? createChip(g.getChipData(id)) : nullptr); }
  void hole(TLevel& L, int r, int c) {
    L.at(r, c)->td = g.getTileData(0);
    L.at(r, c)->setChip(nullptr);
  }
};

TEST_F(CampaignRules, ASoundBoardPasses) {
  const auto v = verdict(fixture());
  EXPECT_TRUE(v.empty()) << joined(v);
}

TEST_F(CampaignRules, EachBrokenRuleIsNamed) {
  struct Case {
    const char* what;
    std::function<void(CampaignRules&, TLevel&)> change;
    const char* expected;
    int levelNr = 20;
    std::function<void(TRCMFile&)> edit = nullptr;
  };
  const Case cases[] = {
      {"piece on the bottom row", [](auto& t, TLevel& L) { t.setChip(L, 2, 1, 3), t.setChip(L, 5, 1, 8); },
       "a jigsaw piece on the bottom row"},
      {"piece over a hole", [](auto& t, TLevel& L) { t.hole(L, 3, 1); }, "a jigsaw piece right above a hole"},
      {"column without creator", [](auto&, TLevel& L) { L.at(0, 3)->creator = 0; }, "column 3 has no chip creator"},
      {"chain on a creator", [](auto&, TLevel& L) { L.at(0, 0)->chain = 1; }, "a chain on a chip creator"},
      {"chained piece", [](auto&, TLevel& L) { L.at(2, 1)->chain = 2; }, "a chained jigsaw piece"},
      {"line at the start", [](auto& t, TLevel& L) { t.setChip(L, 3, 3, 5), t.setChip(L, 3, 4, 5), t.setChip(L, 3, 5, 5); },
       "a line of three stands at the start"},
      {"empty cell", [](auto& t, TLevel& L) { t.setChip(L, 3, 3, 0); }, "an empty cell at 3,3"},
      {"nothing to win", [](auto& t, TLevel& L) { L.at(4, 4)->td = t.g.getTileData(1), t.setChip(L, 2, 1, 2); },
       "nothing to break and no piece"},
      {"cell no fall reaches",
       [](auto& t, TLevel& L) { t.hole(L, 1, 2), t.hole(L, 1, 3), t.hole(L, 1, 4); },
       "no falling chip can refill the cell at 2,3"},
      {"time too short", [](auto&, TLevel& L) { L.czas = L.maxCzas = 60; }, "time 60 s outside"},
      {"time used up", [](auto&, TLevel& L) { L.czas = 200; }, "differs from its full time"},
      {"colour not available", [](auto&, TLevel& L) { L.availableChips.pop_back(); }, "a colour that is not available"},
      {"GROUP without bonuses", [](auto&, TLevel& L) { L.matchType = "GROUP", L.availableBonus.clear(); },
       "forms no bonus"},
      {"too few colours for power-up 6", [](auto&, TLevel&) {}, "power-up 6 is open but only 5 colours", 46},
      {"pieces not announced", [](auto&, TLevel&) {}, "saPuzzle is 0 with 1 piece", 20,
       [](TRCMFile& f) { f.setString("level::data::saPuzzle", "0"); }},
      {"frame not the shape's border", [](auto&, TLevel&) {}, "is not the border of the board's shape", 20,
       [](TRCMFile& f) { f.setString("level::frame::row0", "\"0\"", 0); }},
      {"short row", [](auto&, TLevel&) {}, "tiles row 2 does not hold 6 values", 20,
       [](TRCMFile& f) { f.setString("level::tiles::row2", "1 1 1"); }},
  };
  for (const auto& c : cases) {
    auto L = fixture();
    c.change(*this, *L);
    const std::string v = joined(verdict(L, c.levelNr, c.edit));
    EXPECT_NE(v.find(c.expected), std::string::npos) << c.what << ": got\n" << v;
  }
}

// The shipped lists and levels hold together; the same files with faults
// planted in the lists are caught.
TEST_F(Campaign, ListsHoldTogetherAndBrokenListsAreCaught) {
  TempDir dir;
  fs::create_directories(dir.file("data"));
  for (const char* f : {"quest_levels.dat", "free_levels.dat", "puzzleList.dat", "puzzlelist2.dat"})
    fs::copy_file(kContent + "data/" + f, dir.file(std::string("data/") + f));
  fs::copy(kContent + "data/levels", dir.file("data/levels"));
  std::vector<std::string> problems;
  std::vector<std::shared_ptr<TLevel>> levels;
  testing::internal::CaptureStdout();
  TCampaignShape s = checkCampaignContent(g, problems, levels, dir.path() + "/");
  testing::internal::GetCapturedStdout();
  EXPECT_TRUE(problems.empty()) << joined(problems);
  ASSERT_FALSE(s.stageEnd.empty());
  EXPECT_EQ(s.stageEnd[0], 12) << "story 3 comes between the first two stages";
  EXPECT_NE(s.lastPlayed, 190) << "the closing story is reached";
  for (size_t k = 0; k + 1 < s.stageStart.size(); ++k) EXPECT_EQ(s.stageStart[k + 1], s.stageEnd[k] + 1);

  // Level 7's entry points at level 8, a count is off by one, the plain
  // list disagrees, and a level file is gone.
  auto quest = loadRCMFile(dir.file("data/quest_levels.dat"));
  quest->setFloat("levels::lvl7::id", 8);
  quest->save(dir.file("data/quest_levels.dat"));
  auto list2 = loadRCMFile(dir.file("data/puzzlelist2.dat"));
  const int at5 = static_cast<int>(list2->getFloat("puzzles::level5"));
  list2->setFloat("puzzles::level5", at5 + 1);
  list2->save(dir.file("data/puzzlelist2.dat"));
  std::string plain = readBytes(dir.file("data/puzzleList.dat"));
  writeBytes(dir.file("data/puzzleList.dat"), "99\n" + plain.substr(plain.find('\n') + 1));
  fs::remove(dir.file("data/levels/level-9.lvl"));

  problems.clear();
  testing::internal::CaptureStdout();
  checkCampaignContent(g, problems, levels, dir.path() + "/");
  testing::internal::GetCapturedStdout();
  const std::string all = joined(problems);
  for (const char* expected : {"level 7: not in data/quest_levels.dat", "lists level 8 2 times",
                               "level 5: puzzlelist2 says", "level 1: the two piece lists differ",
                               "level 9: file data/levels/level-9.lvl is missing"})
    EXPECT_NE(all.find(expected), std::string::npos) << expected << " in\n" << all;
}

}  // namespace
