#include <gtest/gtest.h>

#include <set>

#include "TestUtil.h"
#include "board/Catalogs.h"
#include "board/Level.h"
#include "data/RCMFile.h"
#include "platform/Random.h"
#include "test_board_util.h"

namespace {

std::shared_ptr<TRCMFile> parse(const std::string& text) { return parseRCMText(text, "test.dat"); }

TEST(BoardCatalogs, KindCountsChipsFromOneTilesAndFramesFromZero) {
  TempDir dir;
  writeBytes(dir.file("chips.dat"),
             "chips {\n\ti = 3\n\tchip1 {\n\t\tid = 5\n\t\tres = -5\n\t}\n\tchip2 {\n\t\tid = 6\n\t\tres = 0\n\t}\n"
             "\tchip3 {\n\t\tid = 7\n\t\tres = 4\n\t\tMoc = 2\n\t\tTyp = \"BOMB\"\n\t\trgb = 1, 2, 3\n\t}\n}\n");
  writeBytes(dir.file("tiles.dat"), "tiles {\n\ti = 3\n\ttile0 {\n\t\tid = 0\n\t}\n\ttile3 {\n\t\tid = 3\n\t\tmatch = 2\n\t}\n}\n");
  writeBytes(dir.file("frames.dat"), "frames {\n\ti = 2\n\tframe2 {\n\t\tid = 2\n\t\ttyp = \"IN\"\n\t\tdir = 1, -1\n\t}\n}\n");
  TM3Catalogs g;
  testing::internal::CaptureStdout();
  g.loadChips(dir.file("chips.dat"));
  g.loadTiles(dir.file("tiles.dat"));
  g.loadFrame(dir.file("frames.dat"));
  testing::internal::GetCapturedStdout();

  ASSERT_EQ(g.chipsList.size(), 3u);
  EXPECT_EQ(g.tilesList.size(), 4u);
  EXPECT_EQ(g.frameList.size(), 3u);
  EXPECT_EQ(g.chipsList[0]->res, -1) << "negative res stays -1";
  EXPECT_EQ(g.chipsList[1]->res, 0);
  EXPECT_EQ(g.chipsList[2]->res, 4);
  EXPECT_EQ(g.chipsList[2]->moc, 2);
  EXPECT_EQ(g.chipsList[2]->typ, "BOMB");
  EXPECT_EQ(g.chipsList[2]->rgb.b, 3);
  EXPECT_EQ(g.chipsList[2]->score, 50);
  EXPECT_EQ(g.chipsList[2]->m3Game, &g);
  EXPECT_EQ(g.getTileData(3)->match, 2);
  EXPECT_EQ(g.getChipData(6), g.chipsList[1]);
  EXPECT_EQ(g.getChipData(99), nullptr);
  EXPECT_NE(g.getFrameDataByDir(1, -1, "IN"), nullptr);
  EXPECT_EQ(g.getFrameDataByDir(1, -1, "in"), nullptr) << "piece types compare exactly";
}

TEST(BoardCatalogs, BonusTypesAreListedOnceUpperCased) {
  auto f = parse("chips {\n\ti = 3\n\tchip1 {\n\t\tTyp = \"bomb\"\n\t}\n\tchip2 {\n\t\tTyp = \"BOMB\"\n\t}\n"
                 "\tchip3 {\n\t\tTyp = \"CROSSFIRE\"\n\t}\n}\n");
  TempDir dir;
  ASSERT_TRUE(f->save(dir.file("bonusy.dat")));
  TM3Catalogs g;
  testing::internal::CaptureStdout();
  g.loadBonusChips(dir.file("bonusy.dat"));
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(g.bonusList.size(), 3u);
  EXPECT_EQ(g.bonusyByType, (std::vector<std::string>{"BOMB", "CROSSFIRE"}));
}

TEST(BoardCatalogs, ProperAndVariedColour) {
  struct Case {
    int id, puzzle, proper;
  };
  for (const Case& c : {Case{99, 0, 1}, Case{100, 0, 0}, Case{3, 1, 0}, Case{101, 0, 0}}) {
    TChipData cd;
    cd.id = c.id;
    cd.puzzleChip = c.puzzle;
    EXPECT_EQ(cd.proper(), c.proper) << c.id << "/" << c.puzzle;
  }
  plat::seedRandom(3);
  TChipData cd;
  cd.rgb = newRGB(250, 5, 128);
  bool variedUp = false;
  for (int i = 0; i < 500; ++i) {
    TRGB v = cd.getRGB();
    ASSERT_LE(v.r, 255);
    ASSERT_GE(v.g, 0);
    ASSERT_NEAR(v.b, 128, 15);
    variedUp |= v.b > 128;
  }
  EXPECT_TRUE(variedUp);
}

TEST(BoardCatalogs, SettingsReadEveryKeyAndRefuseZeroCells) {
  TempDir dir;
  writeBytes(dir.file("s.dat"), "settings {\n\tsize = 40, 44\n\txSpeed = 12\n\tswap_bonusMatch = 4\n}\n");
  writeBytes(dir.file("zero.dat"), "settings {\n\txSpeed = 12\n}\n");
  testing::internal::CaptureStdout();
  auto s = loadM3Settings(dir.file("s.dat"));
  auto z = loadM3Settings(dir.file("zero.dat"));
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_FLOAT_EQ(s->sizeX, 40);
  EXPECT_FLOAT_EQ(s->sizeY, 44);
  EXPECT_EQ(s->swap_bonusMatch, 4);
  EXPECT_EQ(s->chain_bonusMatch, 0) << "a missing key reads 0, not the constructor's 6";
  EXPECT_FLOAT_EQ(s->xSpeed, 12);
  EXPECT_FLOAT_EQ(s->ySpeed, 12) << "a missing speed would freeze every chip";
  EXPECT_NE(out.find("cannot move a chip"), std::string::npos) << out;
  EXPECT_FLOAT_EQ(z->sizeX, 42) << "zero-size cells are refused";
  EXPECT_NE(out.find("unusable"), std::string::npos) << out;
}

TEST(BoardCatalogs, BrokenKindsLoadWithoutImagesAndSayWhy) {
  auto f = parse("chips {\n\ti = 2\n\tchip1 {\n\t\tid = 1\n\t\tframes = 3\n\t\tframesDim = 0, 0\n"
                 "\t\tgfx = \"no/such/chip.png\"\n\t}\n\tchip2 {\n\t\tid = 2\n\t}\n}\n");
  testing::internal::CaptureStdout();
  auto a = loadChipData(*f, 1, 1);
  auto b = loadChipData(*f, 2, 1);
  auto t = loadTileData(*f, 7);
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(a->gfx, nullptr);
  EXPECT_EQ(b->gfx, nullptr);
  EXPECT_EQ(t->gfx, nullptr);
  EXPECT_NE(out.find("no cell size"), std::string::npos) << out;
  EXPECT_NE(out.find("NO CHIP FILE : no/such/chip.png"), std::string::npos) << out;
  EXPECT_NE(out.find("NO TILE FILE : "), std::string::npos) << out;
}

TEST(BoardCatalogs, HugeCountsAreCapped) {
  TempDir dir;
  writeBytes(dir.file("chips.dat"), "chips {\n\ti = 1e12\n}\n");
  TM3Catalogs g;
  testing::internal::CaptureStdout();
  g.loadChips(dir.file("chips.dat"));
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(g.chipsList.size(), size_t(kMaxCatalogKinds));
}

TEST(BoardCatalogs, RandomPicksFromEmptyListsPickNothing) {
  TM3Catalogs g;
  EXPECT_EQ(g.getRandomChip(), nullptr) << "no level bound";
  EXPECT_EQ(g.getRandomBonusType(), "");
  auto L = boardtest::board(g, {"..."});
  EXPECT_EQ(g.getRandomChip(), nullptr);
  EXPECT_EQ(g.getRandomBonus(), nullptr);
  EXPECT_EQ(L->getRandomChip(), nullptr);

  boardtest::fillCatalogs(g);
  L->availableChips = {g.getChipData(2), g.getChipData(4)};
  L->availableBonus = {g.getBonusChipData(105)};
  plat::seedRandom(9);
  std::set<int> seen;
  for (int i = 0; i < 100; ++i) seen.insert(g.getRandomChip()->cd->id);
  EXPECT_EQ(seen, (std::set<int>{2, 4}));
  EXPECT_EQ(g.getRandomBonus()->id, 105);
  EXPECT_NE(g.getRandomBonusType(), "");
}

TEST(BoardCatalogs, BackgroundsAppendAndFirstWins) {
  TempDir dir;
  writeBytes(dir.file("b.dat"),
             "backGrounds {\n\ti = 2\n\tback1 {\n\t\turl = \"a.jpg\"\n\t\tid = 1\n\t}\n\tback2 {\n\t\turl = \"b.jpg\"\n"
             "\t\tid = 1\n\t}\n}\n");
  backgroundList().clear();
  loadBackgrounds(dir.file("b.dat"));
  EXPECT_EQ(backgroundList().size(), 2u);
  ASSERT_NE(getBackground(1), nullptr);
  EXPECT_EQ(getBackground(1)->url, "a.jpg");
  EXPECT_EQ(getBackground(7), nullptr);
  backgroundList().clear();
}

TEST(BoardCatalogs, TileSetSwitchKeepsTheBoardsKinds) {
  TM3Catalogs g;
  boardtest::fillCatalogs(g);
  auto L = boardtest::board(g, {"A3#"});
  auto oldKind = L->at(0, 1)->td;
  g.tilesList.clear();
  for (int id = 0; id <= 3; ++id) {
    auto td = std::make_shared<TTileData>();
    td->id = id;
    td->url = "alt";
    g.tilesList.push_back(td);
  }
  g.rebuildTiles();
  EXPECT_NE(L->at(0, 1)->td, oldKind);
  EXPECT_EQ(L->at(0, 1)->td->id, 3);
  EXPECT_EQ(L->at(0, 1)->td->url, "alt");
  EXPECT_EQ(L->at(0, 2)->kindId(), 0);
}

}  // namespace
