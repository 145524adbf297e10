// The controller with its real flights (ghosts, debris, pieces, resources)
// instead of the headless stand-in: the same arrivals, now animated.
#include "test_board_game_util.h"

#include "board/BoardFlights.h"
#include "fx/Flying.h"
#include "fx/Particle.h"
#include "fx/ParticleKinds.h"
#include "platform/Graphics.h"
#include "platform/Platform.h"

namespace {

using gametest::GameFixture;

// The play screen's side: where the power-up buttons are. Records any
// arrival that reaches it, which must be none of the board's.
class Panel : public TFlightTargets {
 public:
  std::vector<int> charged;
  int pieces = 0;
  bool powerUpSlotPoint(int slot, float& x, float& y) override {
    x = 900;
    y = 100.f * slot;
    return true;
  }
  void chargePowerUp(int n) override { charged.push_back(n); }
  void pieceCollected() override { ++pieces; }
};

class BoardFlights : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    g.setEffects(&flights);
    g.setPanel(&panel);
  }
  void TearDown() override {
    g.setEffects(nullptr);
    setFlightTargets(nullptr);
    fantomList.clear();
    dropOdpady();
    flyingResList.clear();
    particleList.clear();
    GameFixture::TearDown();
  }
  std::vector<TChipPtr> chips() {
    std::vector<TChipPtr> out;
    for (auto& t : L->tile) out.push_back(t->chip);
    return out;
  }
  int fullCells() {
    int n = 0;
    for (auto& t : L->tile) n += t->kindId() != 0 && t->chip && !t->_flyingTile;
    return n;
  }
  std::shared_ptr<TOdpad> pieceDebris() {
    return odpadList.find([](const TOdpad& o) { return o.specChip == 1; });
  }

  TFlyingEffects flights;
  Panel panel;
};

TEST_F(BoardFlights, GhostsGatherOnTheSwappedInChipWhichTurnsIntoABonusOnArrival) {
  load({"AABA", "CDAE"});
  creators(5);
  drag(at(0, 2), at(1, 2));
  int ghostsSeen = 0;
  TChipPtr staying;
  for (int i = 0; i < 60 && !(staying && staying->docelowyChip); ++i) {
    frame();
    if (!fantomList.empty() && ghostsSeen == 0) {
      ghostsSeen = static_cast<int>(fantomList.size());
      staying = at(0, 2)->chip;
      EXPECT_EQ(staying->docelowyChip, nullptr) << "the bonus waits for the ghosts";
      EXPECT_FALSE(g.quiet()) << "ghosts in flight keep the board busy";
    }
  }
  EXPECT_EQ(ghostsSeen, 4) << "one ghost per chip of the line, the staying one included";
  ASSERT_TRUE(staying && staying->docelowyChip);
  const int kind = staying->docelowyChip->id;
  EXPECT_TRUE(kind == 102 || kind == 105) << kind;
  bool praised = false;
  for (auto& p : particleList.members()) praised |= dynamic_cast<TTextParticle*>(p.get()) != nullptr;
  EXPECT_TRUE(praised) << "a praise caption at the cell";
  settle();
  EXPECT_EQ(kindAt(0, 2), kind);
  EXPECT_TRUE(fantomList.empty());
}

TEST_F(BoardFlights, DeadBoardFallsAwayAsDebrisRefusesInputAndRefillsWithAMove) {
  load({"ABCD", "CDAB", "ABCD", "CDAB"});
  creators(4);
  ASSERT_EQ(g._MatchLeft_short(), 0) << "the fixture must be a dead board";
  const auto old = chips();
  g.sendAllToOdpady();
  EXPECT_EQ(odpadList.size(), 16u);
  for (auto& t : L->tile) EXPECT_EQ(t->chip->state, kDebrisState);
  // Input while the debris falls is refused: the cells belong to the debris.
  drag(at(1, 1), at(1, 2));
  click(at(2, 2));
  EXPECT_EQ(g.swapsCount, 0);
  EXPECT_EQ(g.pickedTile(), nullptr);
  EXPECT_EQ(fullCells(), 0) << "every cell is drawn by its debris";
  settle();
  EXPECT_TRUE(odpadList.empty());
  EXPECT_EQ(fullCells(), 16);
  for (size_t i = 0; i < old.size(); ++i) EXPECT_NE(L->tile[i]->chip, old[i]) << "cell " << i;
  for (auto& t : L->tile) EXPECT_TRUE(t->chip->state.empty());
  // As the play screen does: a board still dead is sent away again.
  int refills = 1;
  while (!g._MatchLeft_short() && refills < 6) {
    g.sendAllToOdpady();
    settle();
    ++refills;
  }
  EXPECT_EQ(g._MatchLeft_short(), 1) << "after " << refills << " refills";
}

TEST_F(BoardFlights, RefillWhileACollectedPieceFallsCreditsItOnceAndFreesItsCell) {
  load({"ABCA", "BCPB", "CA.C"});
  creators(3);
  // The piece lands on the bottom row and leaves: it starts to drop.
  for (int i = 0; i < 30 && !pieceDebris(); ++i) frame();
  frame();
  auto piece = pieceDebris();
  ASSERT_NE(piece, nullptr);
  ASSERT_EQ(piece->faza, 0);
  ASSERT_NE(piece->tile, nullptr);
  TChipPtr pieceChip = piece->chip;
  EXPECT_EQ(g.puzzles, 1) << "a piece in flight still counts as on the board";
  EXPECT_EQ(L->puzzles, 0);
  // The dead-board refill (and the shuffle power-up) starts the debris list
  // over while the piece is still falling.
  g.sendAllToOdpady();
  EXPECT_EQ(L->puzzles, 1);
  EXPECT_EQ(g.piecesCredited, 1);
  EXPECT_EQ(piece->list, nullptr);
  EXPECT_EQ(piece->tile, nullptr);
  for (auto& t : L->tile) EXPECT_NE(t->chip, pieceChip);
  EXPECT_EQ(panel.pieces, 0) << "the counting is the board's, not the panel's";
  settle();
  EXPECT_EQ(L->puzzles, 1) << "credited once";
  EXPECT_EQ(g.puzzles, 0);
  EXPECT_EQ(fullCells(), 12);
}

TEST_F(BoardFlights, ResourcesFlyToTheirButtonAndChargeTheControllersPowerUp) {
  // No creators: nothing refills, so exactly three chips give.
  setPowerUpThreshold(1, 100);
  load({"AABC", "CDAE"});
  L->powerUpChips[0] = g.getChipData(1);
  (*g.powerUps)[0].odkryty = 1;
  // A screen's own targets stay installed; the board's arrivals still land
  // on the board.
  setFlightTargets(&panel);
  drag(at(0, 2), at(1, 2));
  for (int i = 0; i < 30 && flyingResList.empty(); ++i) frame();
  ASSERT_EQ(flyingResList.size(), 3u);
  for (auto& r : flyingResList.members()) {
    EXPECT_FLOAT_EQ(r->x2, 900);
    EXPECT_FLOAT_EQ(r->y2, 100);
  }
  EXPECT_EQ(installedFlightTargets(), &panel);
  settle();
  while (!flyingResList.empty()) frame();
  EXPECT_EQ((*g.powerUps)[0].data, 3);
  EXPECT_TRUE(panel.charged.empty());

  // A level change mid-flight still credits what was earned.
  load({"AABC", "CDAE"});
  L->powerUpChips[0] = g.getChipData(1);
  drag(at(0, 2), at(1, 2));
  for (int i = 0; i < 30 && flyingResList.empty(); ++i) frame();
  ASSERT_EQ(flyingResList.size(), 3u);
  load({"ABCD"});
  EXPECT_TRUE(flyingResList.empty());
  EXPECT_EQ((*g.powerUps)[0].data, 6);
}

}  // namespace

// ----------------------------------------------------------------- drawing

namespace {

// The board's layers counted on the headless renderer, every image a 40 x 40
// square (a 3 x 3 sheet for the ring).
class BoardDraw : public BoardFlights {
 protected:
  void SetUp() override {
    BoardFlights::SetUp();
    plat::PlatformConfig cfg;
    cfg.headless = true;
    cfg.audio = false;
    ASSERT_TRUE(plat::init(cfg));
    ASSERT_TRUE(plat::gfx().openDisplay(1024, 768, false));
    img = square(40, 40);
    for (auto& k : g.chipsList) k->gfx = img;
    for (auto& k : g.tilesList) k->gfx = img;
    g.overImg = plat::Image::fromPixmap(square(120, 120)->pixmap(), plat::kFilteredImage, 40, 40, 0, 9);
    g.linia = square(8, 46);
  }
  void TearDown() override {
    for (auto& k : g.chipsList) k->gfx = nullptr;
    for (auto& k : g.tilesList) k->gfx = nullptr;
    BoardFlights::TearDown();
    plat::shutdown();
  }
  static plat::ImagePtr square(int w, int h) {
    plat::Pixmap pm(w, h);
    pm.fill(200, 50, 50, 255);
    auto i = plat::Image::fromPixmap(std::move(pm));
    i->midHandle();
    return i;
  }
  plat::FrameStats drawn() {
    plat::gfx().cls();
    g.draw();
    plat::gfx().flip(0);
    return plat::gfx().lastFrameStats();
  }
  plat::ImagePtr img;
};

TEST_F(BoardDraw, LayersRingChainLinesAndGhosts) {
  load({"ABC", "ABC", "ABC"}, "CHAIN");
  const auto rest = drawn();
  EXPECT_EQ(rest.sprites, 9 * 2 + 9 * 2) << "cells and chips, each with its shadow";
  EXPECT_LE(rest.batches, 2) << "one image: cells in one batch, chips in one";
  // A chain of three being drawn: a glow per chip, a shadowed line per link.
  press(at(0, 0));
  hold(at(1, 0));
  hold(at(2, 0));
  ASSERT_EQ(g.zaznaczone.size(), 3u);
  EXPECT_EQ(drawn().sprites, rest.sprites + 3 + 2 * 2);
  release();
  frame();
  // The ring on a picked cell, ghosts on their way.
  load({"ABC", "CAB"});
  g.clickTile(at(0, 1));
  at(0, 1)->chip->overP = 0.5f;   // mid-pulse, so its glow shows
  const int base = 6 * 4;
  EXPECT_EQ(drawn().sprites, base + 2) << "the ring and the picked chip's own glow";
  g._moveFantomsToOne({at(0, 0)->chip, at(1, 1)->chip}, at(0, 1), 2);
  EXPECT_EQ(drawn().sprites, base + 2 + 2);
}

}  // namespace
