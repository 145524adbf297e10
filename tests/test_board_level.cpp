#include <gtest/gtest.h>

#include "TestUtil.h"
#include "board/Finders.h"
#include "board/Level.h"
#include "data/RCMFile.h"
#include "platform/Random.h"
#include "test_board_util.h"

namespace {

using boardtest::board;

class BoardLevelFile : public ::testing::Test {
 protected:
  void SetUp() override {
    boardtest::fillCatalogs(game);
    backgroundList().clear();
    auto b = std::make_shared<TBackGround>();
    b->id = 3;
    b->url = "no/such/back.jpg";
    backgroundList().push_back(b);
  }
  void TearDown() override { backgroundList().clear(); }

  std::shared_ptr<TLevel> load(const std::string& text) {
    testing::internal::CaptureStdout();
    auto L = loadLevelFrom(*parseRCMText(text, "level.lvl"), game);
    out = testing::internal::GetCapturedStdout();
    return L;
  }

  // Everything a saved level must keep, as one comparable text.
  static std::string describe(const TLevel& L) {
    std::string s = std::to_string(L.rows) + "x" + std::to_string(L.cols) + " " + L.matchType + " t" +
                    std::to_string(L.czas) + "/" + std::to_string(L.maxCzas) + " s" + std::to_string(L.score) +
                    " bg" + std::to_string(L.backGround ? L.backGround->id : 0) + " tc" +
                    std::to_string(L.tilesCount) + " p" + std::to_string(L.puzzles) + "\n";
    for (int r = 0; r < L.rows; ++r) {
      for (int c = 0; c < L.cols; ++c) {
        TTile* t = L.at(r, c);
        s += std::to_string(t->kindId()) + ":" + std::to_string(t->chip ? t->chip->cd->id : 0) + ":" +
             std::to_string(t->chain) + (t->creator ? "C" : "") + " ";
      }
      s += "\n";
    }
    for (auto& k : L.availableChips) s += "a" + std::to_string(k->id);
    for (auto& k : L.availableBonus) s += "b" + std::to_string(k->id);
    s += "\n";
    for (int r = 0; r < L.rows + 2; ++r)
      for (int c = 0; c < L.cols + 2; ++c) s += L.frameAt(r, c) ? L.frameAt(r, c)->getString() : "-";
    return s;
  }

  TM3Catalogs game;
  std::string out;
};

TEST_F(BoardLevelFile, SaveAndLoadGiveTheSameBoard) {
  auto L = board(game, {"AB#C", "P3.X", "2DEb"});
  L->at(0, 1)->chain = 1;
  L->at(2, 2)->chain = 2;
  L->at(0, 0)->creator = 1;
  L->at(0, 3)->creator = 1;
  L->availableChips = {game.getChipData(1), game.getChipData(2), game.getChipData(3)};
  L->availableBonus = {game.getBonusChipData(101), game.getBonusChipData(106)};
  L->matchType = "CHAIN";
  L->czas = 100;
  L->maxCzas = 180;
  L->score = 2500;
  L->tilesCount = 4;
  L->puzzles = 1;
  L->highestMatch = 7;
  testing::internal::CaptureStdout();
  L->setBackGround(3);
  testing::internal::GetCapturedStdout();
  L->CreateLevelFrames();

  TempDir dir;
  ASSERT_TRUE(L->save(dir.file("round.lvl")));
  testing::internal::CaptureStdout();
  auto back = loadLevel(dir.file("round.lvl"), game);
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(describe(*back), describe(*L));
  EXPECT_EQ(back->highestMatch, 0) << "never written";
  EXPECT_EQ(back->saPuzzle, 1) << "a piece lies on the board";
  EXPECT_EQ(back->log_tilesToBrake, 2 + 1) << "a kind-3 and a kind-2 cell";
  EXPECT_EQ(back->log_iloscPuzzli, 1);
  EXPECT_EQ(back->log_availableChips, "1 2 3");
  ASSERT_EQ(back->chipCreators.size(), 2u);
  EXPECT_EQ(back->chipCreators[1]->y, 3);

  // and the written text itself is stable
  EXPECT_EQ(back->saveText(), L->saveText());
}

TEST_F(BoardLevelFile, CellValuesAndAvailablesAsWritten) {
  auto L = load(
      "level {\n\tdata {\n\t\tdims = 1, 2\n\t\tavailableChips = \"1 2 3 4 5 6 7 99\"\n"
      "\t\tavailableBonus = \"1 101 4 77\"\n\t\tmatchType = \"group\"\n\t}\n"
      "\ttiles {\n\t\trow0 = \"1 1\"\n\t}\n\tchips {\n\t\trow0 = \"0 101\"\n\t}\n"
      "\tframe {\n\t\trow0 = \"\"0 5 7\"\", \"'0 3'\", \"''\"\n\t}\n}\n");
  EXPECT_EQ(L->at(0, 0)->chip, nullptr);
  ASSERT_NE(L->at(0, 1)->chip, nullptr);
  EXPECT_EQ(L->at(0, 1)->chip->cd->id, 101) << "ids above 100 are bonus kinds";
  EXPECT_EQ(L->matchType, "GROUP");
  EXPECT_EQ(L->availableChips.size(), 7u) << "99 names no kind";
  EXPECT_EQ(L->powerUpChips[5]->id, 6) << "the first six fill the power-up table";
  ASSERT_EQ(L->availableBonus.size(), 3u);
  EXPECT_EQ(L->availableBonus[0]->id, 101) << "\"1\" means bonus 101";
  EXPECT_EQ(L->availableBonus[1]->id, 101);
  EXPECT_EQ(L->availableBonus[2]->id, 104);
  EXPECT_EQ(L->frameAt(0, 0)->getString(), "\"0 5 7\"");
  EXPECT_EQ(L->frameAt(0, 1)->getString(), "\"0 3\"");
  EXPECT_EQ(L->frameAt(0, 2)->getString(), "\"\"") << "an empty cell stays empty, not piece 0";
  EXPECT_NE(L->saveText().find("row0 = \"0 0\""), std::string::npos) << "an empty cell writes 0";
}

TEST_F(BoardLevelFile, HostileFilesLoadAsHolesAndEmptyCellsWithMessages) {
  struct Case {
    const char* name;
    std::string text;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"unknown ids",
       "level {\n\tdata {\n\t\tdims = 1, 3\n\t}\n\ttiles {\n\t\trow0 = \"1 9 1\"\n\t}\n\tchips {\n\t\trow0 = \"1 1 55\"\n\t}\n}\n",
       "no tile kind 9"},
      {"short rows", "level {\n\tdata {\n\t\tdims = 2, 3\n\t}\n\ttiles {\n\t\trow0 = \"1\"\n\t}\n}\n", "shorter"},
      {"creator outside",
       "level {\n\tdata {\n\t\tdims = 1, 1\n\t}\n\tchipCreators {\n\t\ti = 2\n\t\tcc1 = 5, 0\n\t\tcc2 = 0, -1\n\t}\n}\n",
       "outside the board"},
      {"huge dims", "level {\n\tdata {\n\t\tdims = 100000000, -5\n\t}\n}\n", "too large"},
      {"garbage numbers", "level {\n\tdata {\n\t\tdims = 2, 2\n\t}\n\ttiles {\n\t\trow0 = \"1e99 -1e99\"\n\t}\n}\n",
       "no tile kind"},
  };
  for (const Case& c : cases) {
    auto L = load(c.text);
    EXPECT_NE(out.find(c.message), std::string::npos) << c.name << ": " << out;
    ASSERT_EQ(L->tile.size(), size_t(L->rows) * L->cols) << c.name;
    ASSERT_EQ(L->ramka.size(), size_t(L->rows + 2) * (L->cols + 2)) << c.name;
    for (auto& t : L->tile) EXPECT_TRUE(t->kindId() == 0 || t->kindId() == 1) << c.name;
    EXPECT_TRUE(L->chipCreators.empty()) << c.name;
    L->setPosition(512, 384);
    L->saveText();  // writing it back never fails either
  }
}

TEST_F(BoardLevelFile, SavingWithoutBackgroundOrBorderWritesWhatIsThere) {
  auto L = board(game, {"AB"});
  ASSERT_FALSE(L->hasFrames());
  const std::string text = L->saveText();
  EXPECT_NE(text.find("backGround = 0"), std::string::npos) << text;
  EXPECT_EQ(text.find("frame"), std::string::npos) << text;
}

TEST_F(BoardLevelFile, NewEmptyLevelIsPlainAndLaidOut) {
  testing::internal::CaptureStdout();
  auto L = newEmptyLevel(3, 4, game);
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(L->czas, 360);
  EXPECT_EQ(L->maxCzas, 360);
  for (auto& t : L->tile) {
    EXPECT_EQ(t->kindId(), 1);
    EXPECT_EQ(t->chip, nullptr);
    ASSERT_NE(t->dim, nullptr);
  }
  EXPECT_FALSE(L->hasFrames());
  // layout: centred on (lx, ly) = (0, 0), cell 42
  EXPECT_FLOAT_EQ(L->at(0, 0)->dim->x, -84);
  EXPECT_FLOAT_EQ(L->at(2, 3)->dim->y, 21);
}

TEST_F(BoardLevelFile, BorderPiecesFollowTheShape) {
  // A 2 x 2 block: edge strips around it, outer corners at the corners,
  // only piece 0 over the cells.
  auto L = board(game, {"..", ".."});
  L->CreateLevelFrames();
  auto ids = [&](int r, int c) { return L->frameAt(r, c)->getString(); };
  EXPECT_EQ(ids(1, 1), "\"0\"");
  EXPECT_EQ(ids(2, 2), "\"0\"");
  EXPECT_EQ(ids(1, 0), "\"0 2\"") << "occupied cell to the right";
  EXPECT_EQ(ids(0, 1), "\"0 4\"") << "occupied cell below";
  EXPECT_EQ(ids(3, 2), "\"0 3\"");
  EXPECT_EQ(ids(0, 0), "\"0 5\"") << "outer corner, neighbour at bottom-right";
  EXPECT_EQ(ids(3, 3), "\"0 7\"");

  // An L shape: the empty corner cell borders two strips and gets the inner joint.
  auto L2 = board(game, {"..", "#."});
  L2->CreateLevelFrames();
  EXPECT_EQ(L2->frameAt(2, 1)->getString(), "\"0 2 3 12\"");
  // Positions: frame grid one cell up and left of tile (0, 0).
  L2->setPosition(512, 384);
  EXPECT_FLOAT_EQ(L2->frameAt(1, 1)->x, L2->at(0, 0)->dim->x);
  EXPECT_FLOAT_EQ(L2->frameAt(0, 0)->y, L2->at(0, 0)->dim->y - 42);
}

TEST_F(BoardLevelFile, RandomFillLeavesNoGroupOfThree) {
  plat::seedRandom(5);
  auto L = board(game, {"......", "......", "..##..", "......", "......"});
  L->availableChips = {game.getChipData(1), game.getChipData(2)};
  testing::internal::CaptureStdout();
  L->randomChips();
  const std::string msg = testing::internal::GetCapturedStdout();
  EXPECT_EQ(msg, "");
  for (int r = 0; r < L->rows; ++r)
    for (int c = 0; c < L->cols; ++c) {
      TTile* t = L->at(r, c);
      if (t->kindId() == 0) {
        EXPECT_EQ(t->chip, nullptr);
        continue;
      }
      ASSERT_NE(t->chip, nullptr);
      EXPECT_LE(matchFinder::findMatch(*L, t)->size(), 2u) << r << "," << c;
    }
}

TEST_F(BoardLevelFile, RandomFillWithOneKindEndsWithAMessage) {
  auto L = board(game, {"....", "...."});
  L->availableChips = {game.getChipData(3)};
  testing::internal::CaptureStdout();
  L->randomChips();
  const std::string msg = testing::internal::GetCapturedStdout();
  EXPECT_NE(msg.find("too few chip kinds"), std::string::npos);
  for (auto& t : L->tile) EXPECT_EQ(t->chip->cd->id, 3);

  L->availableChips.clear();
  testing::internal::CaptureStdout();
  L->randomChips();
  EXPECT_NE(testing::internal::GetCapturedStdout().find("no available chip kinds"), std::string::npos);
}

TEST_F(BoardLevelFile, QueriesOverTheBoard) {
  auto L = board(game, {"A3P", "#.."});
  EXPECT_EQ(L->isChip(8), 1);
  EXPECT_EQ(L->isChip(5), 0);
  EXPECT_EQ(L->allTilesAre(1), 0);
  EXPECT_EQ(L->noPuzzleChip, 0);
  L->at(0, 1)->td = game.getTileData(1);
  L->at(0, 2)->setChip(nullptr);
  EXPECT_EQ(L->allTilesAre(1), 1);
  EXPECT_EQ(L->thereIsNoPuzzleChip(), 1);
  EXPECT_EQ(L->tileBelowIsEmpty(0, 0), 1) << "a hole below";
  EXPECT_EQ(L->tileBelowIsEmpty(0, 1), 0);
  EXPECT_EQ(L->tileBelowIsEmpty(1, 1), 1) << "the bottom row";

  TGoal g;
  g.typ = "COLLECT";
  g.res = 2;
  g.value = 5;
  EXPECT_EQ(g.getGoalString(), "COLLECT FOOD 5");
  EXPECT_EQ(g.check(*L), 0);
  L->zasob[2] = 5;
  EXPECT_EQ(g.check(*L), 1);
  L->zasob[2] = 0;
  EXPECT_EQ(g.check(*L), 1) << "once met, it stays met";
}

}  // namespace
