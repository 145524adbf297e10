#include <gtest/gtest.h>

#include "app/Screen.h"
#include "gui/Mouse.h"
#include "platform/Clock.h"
#include "platform/Graphics.h"
#include "platform/Platform.h"
#include "test_board_util.h"

namespace {

using boardtest::board;

class BoardTiles : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::useFakeClock(50000);
    delta = 1;
    boardtest::fillCatalogs(game);
    game.setEvents(&ev);
  }
  TM3Catalogs game;
  boardtest::RecordingEvents ev;
};

TEST_F(BoardTiles, BreakableCellsStepDownOneKindPerHit) {
  auto L = board(game, {"3"});
  TTile* t = L->at(0, 0);
  const int kinds[] = {2, 1, 1};
  const int counts[] = {1, 2, 2};
  for (int hit = 0; hit < 3; ++hit) {
    t->matchHere();
    EXPECT_EQ(t->kindId(), kinds[hit]) << "hit " << hit + 1;
    EXPECT_EQ(L->tilesCount, counts[hit]) << "hit " << hit + 1;
  }
  ASSERT_EQ(ev.countFx(TBoardFx::TileBreak), 2);
  EXPECT_EQ(ev.fx[0].value, 2) << "the first hit on a kind-3 cell throws strength-2 shards";
  EXPECT_EQ(ev.fx[1].value, 1);
  EXPECT_EQ(ev.count("sound TileBreak"), 2);
  EXPECT_EQ(ev.count("tileMatched"), 2);

  t->destroyChain();
  EXPECT_EQ(t->chain, 0) << "no chain to lose";
  EXPECT_EQ(ev.countFx(TBoardFx::ChainBreak), 1) << "the effect still plays";
}

TEST_F(BoardTiles, PiecesAreCollectedOnlyOverTheBottomOrAHole) {
  struct Case {
    std::vector<std::string> rows;
    int r;
    bool collected;
  };
  for (const Case& c : {Case{{"P"}, 0, true}, Case{{"P", "A"}, 0, false}, Case{{"P", "#"}, 0, true}}) {
    ev.log.clear();
    auto L = board(game, c.rows);
    TTile* t = L->at(c.r, 0);
    t->chip->setState("LIE");
    t->updateChip();
    EXPECT_EQ(t->chip == nullptr, c.collected) << c.rows.size();
    EXPECT_EQ(ev.count("puzzleCollected"), c.collected ? 1 : 0);
    EXPECT_EQ(ev.count("puzzleTime 1234"), c.collected ? 1 : 0);
    EXPECT_EQ(ev.count("debris down 0,0"), c.collected ? 1 : 0);
    EXPECT_EQ(ev.count("sound PuzzleMatched"), c.collected ? 1 : 0);
  }
}

TEST_F(BoardTiles, EndOfASwapMoveGoesToTheController) {
  struct Case {
    const char* name;
    char kind;
    bool inSwap;
    int match;
    std::vector<std::string> expected;
    std::string state;
  };
  const std::vector<Case> cases = {
      {"a swap that matched drops its pair", 'A', true, 3, {"isMatch 0,0", "removePair"}, "MOVE-LEFT"},
      {"a swap that did not waits for the controller", 'A', true, 0, {"isMatch 0,0"}, "MOVE-LEFT"},
      {"a bonus in a swap goes off", 'b', true, 0, {}, "DESTROY"},
      {"a lone move is checked and rests", 'A', false, 0, {"isMatch 0,0"}, ""},
  };
  for (const Case& c : cases) {
    ev.log.clear();
    ev.inSwap = c.inSwap;
    ev.matchAnswer = c.match;
    auto L = board(game, {std::string(1, c.kind) + "."});
    auto chip = L->at(0, 0)->chip;
    chip->state = "MOVE-LEFT";  // arrived: offset already 0
    L->at(0, 0)->updateChip();
    EXPECT_EQ(ev.log, c.expected) << c.name;
    EXPECT_EQ(chip->state, c.state) << c.name;
  }
}

TEST_F(BoardTiles, ChainModeHoverLeavesAGapBetweenCells) {
  auto L = board(game, {"A"});
  TTile* t = L->at(0, 0);
  const int left = static_cast<int>(t->dim->x) - 21;
  mouse().x = left + 3;
  mouse().y = static_cast<int>(t->dim->y);
  struct Case {
    int mode;
    int over;
  };
  for (const Case& c : {Case{0, 1}, Case{1, 0}, Case{2, 1}}) {
    ev.mode = c.mode;
    EXPECT_EQ(t->updateOver(), c.over) << "mode " << c.mode;
  }
  ev.mode = 0;
  t->chain = 1;
  EXPECT_EQ(t->canBeOver(), 0) << "chained cells cannot be picked for a swap";
  ev.mode = 2;
  EXPECT_EQ(t->canBeOver(), 1);
}

TEST_F(BoardTiles, FlashRunsFortyFrames) {
  auto L = board(game, {"A"});
  TTile* t = L->at(0, 0);
  t->blyskTime = plat::millisecs() + 100;
  t->startBlysk = 1;
  int frames = 0;
  while (t->startBlysk) {
    plat::advanceFakeClock(1000.0 / 60.0);
    t->updateBlysk();
    ASSERT_LT(++frames, 200);
  }
  EXPECT_FLOAT_EQ(t->blyskA, 0);
  EXPECT_NEAR(frames, 6 + 40, 1) << "waits for its start time, then 40 frames";
}

TEST_F(BoardTiles, ShutDownFadesRealCellsOnly) {
  auto L = board(game, {"A#"});
  L->shutDown();
  EXPECT_FLOAT_EQ(L->at(0, 0)->tda, 0);
  EXPECT_FLOAT_EQ(L->at(0, 1)->tda, 1);
  int frames = 0;
  while (L->at(0, 0)->ta > 0) {
    L->at(0, 0)->updateParams();
    ++frames;
  }
  EXPECT_NEAR(frames, 50, 1);
}

// Drawing, counted on the headless renderer.
class BoardDrawing : public BoardTiles {
 protected:
  void SetUp() override {
    BoardTiles::SetUp();
    plat::PlatformConfig cfg;
    cfg.headless = true;
    cfg.audio = false;
    ASSERT_TRUE(plat::init(cfg));
    ASSERT_TRUE(plat::gfx().openDisplay(1024, 768, false));
    plat::Pixmap pm(40, 40);
    pm.fill(200, 50, 50, 255);
    img = plat::Image::fromPixmap(std::move(pm));
    img->midHandle();
    for (auto& k : game.chipsList) k->gfx = img;
    for (auto& k : game.tilesList) k->gfx = img;
  }
  void TearDown() override { plat::shutdown(); }

  int sprites(const std::function<void()>& draw) {
    plat::gfx().cls();
    draw();
    plat::gfx().flip(0);
    return plat::gfx().lastFrameStats().sprites;
  }
  plat::ImagePtr img;
};

TEST_F(BoardDrawing, ChipVariants) {
  auto L = board(game, {"A"});
  auto chip = L->at(0, 0)->chip;
  EXPECT_EQ(sprites([&] { chip->draw(100, 100, 0); }), 2) << "shadow and image";
  chip->destrA = 0.5f;
  EXPECT_EQ(sprites([&] { chip->draw(100, 100, 0); }), 3) << "plus the flash of destruction";
  chip->destrA = 0;
  chip->tileP = 0.4f;
  chip->adx = 7;
  EXPECT_EQ(sprites([&] { chip->draw(100, 100, 0); }), 0) << "a flying chip is drawn by its pair";
  EXPECT_FLOAT_EQ(chip->screenX, 107);
  chip->tileP = 0;
  chip->adx = 0;
  chip->changeTo(game.getChipData(2));
  chip->changeP = 0.25f;
  EXPECT_EQ(sprites([&] { chip->draw(100, 100, 0); }), 4) << "cross-fade of two kinds";
  chip->docelowyChip = nullptr;
  ev.picked = L->at(0, 0);
  chip->overP = 0.5f;   // the glow pulses; at 0 it is invisible and not drawn
  EXPECT_EQ(sprites([&] { chip->draw(100, 100, 0); }), 3) << "the picked highlight";
  chip->draw_EDITOR(100, 100, 1);
  float sx, sy;
  plat::gfx().getScale(sx, sy);
  EXPECT_FLOAT_EQ(sx, 1.1f);
}

TEST_F(BoardDrawing, PickedChipRocksAndSettles) {
  auto L = board(game, {"A"});
  auto chip = L->at(0, 0)->chip;
  ev.picked = L->at(0, 0);
  float most = 0;
  for (int i = 0; i < 20; ++i) {
    chip->_update_picked();
    most = std::max(most, chip->overRot);
  }
  EXPECT_NEAR(most, 30, 0.01);
  ev.picked = nullptr;
  for (int i = 0; i < 20; ++i) chip->_update_picked();
  EXPECT_NEAR(chip->overRot, 0, 0.01);
}

TEST_F(BoardDrawing, TilesAndBorder) {
  auto L = board(game, {"A#"});
  EXPECT_EQ(sprites([&] { L->at(0, 1)->draw(0); }), 0) << "a hole draws nothing";
  EXPECT_GT(sprites([&] { L->at(0, 1)->draw(1); }), 0) << "unless forced (the editor)";
  EXPECT_EQ(sprites([&] { L->at(0, 0)->drawChain(); }), 0);
  TTile::chainImg = img;
  L->at(0, 0)->chain = 1;
  EXPECT_EQ(sprites([&] { L->at(0, 0)->drawChain(); }), 1);
  TTile::chainImg = nullptr;
  for (auto& f : game.frameList) f->gfx = img;
  L->CreateLevelFrames();
  TM3Frame* right = L->frameAt(1, 2);
  EXPECT_EQ(right->getString(), "\"0 1\"");
  right->a = 1;   // frames fade in from nothing
  EXPECT_EQ(sprites([&] { right->draw(); }), 2);
}

}  // namespace
