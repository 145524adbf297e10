#include <gtest/gtest.h>

#include <cmath>

#include "app/Screen.h"
#include "fx/Flying.h"
#include "fx/Particle.h"
#include "fx/Path.h"
#include "platform/Clock.h"
#include "platform/Random.h"
#include "test_board_util.h"

namespace {

using boardtest::board;

// Records every arrival; a ghost arrival starts the chip's change into a
// bomb, as the controller's bonus rule does.
class Targets : public TFlightTargets {
 public:
  std::vector<std::pair<TChip*, int>> ghosts;
  int pieces = 0;
  std::vector<int> inFlight;
  std::vector<int> charged;
  int landed = 0;
  TChipDataPtr bonus = std::make_shared<TChipData>();

  void ghostArrived(TChip& chip, int n) override {
    ghosts.emplace_back(&chip, n);
    chip.changeTo(bonus);
  }
  void pieceCollected() override { ++pieces; }
  void piecesInFlight(int n) override { inFlight.push_back(n); }
  void chargePowerUp(int n) override { charged.push_back(n); }
  bool powerUpSlotPoint(int slot, float& x, float& y) override {
    x = 900;
    y = 100.f * slot;
    return true;
  }
  void puzzlePieceLanded() override { ++landed; }
};

class FlyingFx : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::useFakeClock(100000);
    plat::seedRandom(5);
    delta = 1;
    boardtest::fillCatalogs(game);
    game.setEvents(&ev);
    setFlightTargets(&targets);
  }
  void TearDown() override {
    setFlightTargets(nullptr);
    fantomList.clear();
    dropFlyingTiles();
    dropOdpady();
    fireWorkList.clear();
    napisList.clear();
    flyingPuzzleList.clear();
    flyingResList.clear();
    particleList.clear();
    game.setEvents(nullptr);
  }
  // Frames of 1/60 s until pred holds; the frames it took (-1 past limit).
  template <class Step, class Pred>
  int framesUntil(Step step, Pred done, int limit = 5000) {
    for (int n = 1; n <= limit; ++n) {
      plat::advanceFakeClock(1000.0 / 60.0);
      step();
      if (done()) return n;
    }
    return -1;
  }

  TM3Catalogs game;
  boardtest::RecordingEvents ev;
  Targets targets;
};

// ----------------------------------------------------------------- ghosts

TEST_F(FlyingFx, GhostFliesTwentyFramesAndTurnsItsChipOnce) {
  auto L = board(game, {"AAB"});
  auto target = L->at(0, 2)->chip;
  std::vector<TChipFantomPtr> ghosts;
  for (int c = 0; c < 2; ++c) {
    auto src = L->at(0, c)->chip;
    src->screenX = 100.f + 40 * c;
    src->screenY = 300;
    src->a = 0.8f;
    src->sx = 1.2f;
    auto g = createChipFantom(*src);
    EXPECT_FLOAT_EQ(g->a, 0.8f);
    EXPECT_FLOAT_EQ(g->s, 1.2f);
    g->iloscMatchy = 5;
    g->moveTo(*L->at(0, 2)->dim, target);
    ghosts.push_back(g);
  }
  // A third ghost never sent stays where it was made.
  auto idle = createChipFantom(*L->at(0, 0)->chip);
  const int frames = framesUntil(updateFantoms, [&] { return fantomList.size() == 1; });
  EXPECT_EQ(frames, 20);
  EXPECT_FLOAT_EQ(ghosts[0]->x, L->at(0, 2)->dim->x);
  EXPECT_FLOAT_EQ(ghosts[1]->y, L->at(0, 2)->dim->y);
  // Both arrive on the same frame; the second finds the chip already changing.
  ASSERT_EQ(targets.ghosts.size(), 1u);
  EXPECT_EQ(targets.ghosts[0].first, target.get());
  EXPECT_EQ(targets.ghosts[0].second, 5);
  EXPECT_TRUE(fantomList.contains(idle.get()));
  EXPECT_FLOAT_EQ(idle->x, 100);
}

TEST_F(FlyingFx, GhostWhoseTargetLeftTheBoardDoesNothing) {
  struct Case {
    const char* name;
    void (*leave)(TLevel&);
  };
  const Case cases[] = {
      {"cell emptied", [](TLevel& L) { L.at(0, 1)->setChip(nullptr); }},
      {"chip being destroyed", [](TLevel& L) { L.at(0, 1)->chip->setState("DESTROY"); }},
      {"another chip took the cell",
       [](TLevel& L) { L.at(0, 1)->setChip(createChip(L.m3Game->getChipData(3))); }},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    targets.ghosts.clear();
    auto L = board(game, {"AB"});
    std::weak_ptr<TChip> target = L->at(0, 1)->chip;
    auto g = createChipFantom(*L->at(0, 0)->chip);
    g->iloscMatchy = 4;
    g->moveTo(*L->at(0, 1)->dim, target.lock());
    k.leave(*L);
    framesUntil(updateFantoms, [] { return fantomList.empty(); });
    EXPECT_TRUE(targets.ghosts.empty());
  }
}

TEST_F(FlyingFx, GhostWithoutMatchSizeJustVanishes) {
  auto L = board(game, {"AB"});
  auto g = createChipFantom(*L->at(0, 0)->chip);
  g->moveTo(*L->at(0, 1)->dim, L->at(0, 1)->chip);
  EXPECT_EQ(framesUntil(updateFantoms, [] { return fantomList.empty(); }), 20);
  EXPECT_TRUE(targets.ghosts.empty());
}

// ----------------------------------------------------------------- flying tiles

TEST_F(FlyingFx, FlyInSimpleAddsTheHalves) {
  auto t = std::make_shared<TTile>();
  t->dim = newDimAt(300, 200);
  struct Case {
    float dx, dy, sx, sy, mx, my;
  };
  for (const Case& k : {Case{-40, -40, 260, 160, 280, 180}, Case{40, 40, 340, 240, 360, 260}}) {
    auto f = createFlyingTile(t.get());
    f->setFlyInSimple(k.dx, k.dy);
    EXPECT_FLOAT_EQ(f->x1, k.sx);
    EXPECT_FLOAT_EQ(f->y1, k.sy);
    EXPECT_FLOAT_EQ(f->mx, k.mx);
    EXPECT_FLOAT_EQ(f->my, k.my);
    EXPECT_FLOAT_EQ(f->x2, 300);
    EXPECT_FLOAT_EQ(f->y2, 200);
  }
  dropFlyingTiles();
  EXPECT_EQ(t->_flyingTile, nullptr);
}

TEST_F(FlyingFx, FlyingTileWaitsArrivesAndShowsItsEndForOneFrame) {
  auto t = std::make_shared<TTile>();
  t->dim = newDimAt(300, 200);
  auto f = createFlyingTile(t.get());
  EXPECT_EQ(t->_flyingTile, f);
  f->setFlyingIn(-100, 50);
  f->speed = 0.05f;
  f->startTime = plat::millisecs() + 500;
  // Waits half a second (30 frames), then 20 frames to the cell, one frame there.
  int frames = framesUntil(updateFlyingTiles, [&] { return f->byloBegin == 1; });
  EXPECT_EQ(frames, 30);
  frames = framesUntil(updateFlyingTiles, [&] { return f->per >= 1; });
  EXPECT_EQ(frames, 19);
  EXPECT_FLOAT_EQ(f->x, 300);
  EXPECT_FLOAT_EQ(f->y, 200);
  EXPECT_TRUE(flyingTileList.contains(f.get()));
  EXPECT_EQ(t->_flyingTile, f);
  framesUntil(updateFlyingTiles, [] { return true; });
  EXPECT_FALSE(flyingTileList.contains(f.get()));
  EXPECT_EQ(t->_flyingTile, nullptr);
}

TEST_F(FlyingFx, FlyingOutFadesOutAlongAnElbow) {
  auto t = std::make_shared<TTile>();
  t->dim = newDimAt(300, 200);
  auto f = createFlyingTile(t.get());
  f->setFlyingOut(900, 700);
  EXPECT_FLOAT_EQ(f->reverse, 1);
  EXPECT_FLOAT_EQ(f->mx, 900);
  EXPECT_FLOAT_EQ(f->my, 200);
  EXPECT_EQ(framesUntil(updateFlyingTiles, [] { return flyingTileList.empty(); }), 101);
}

// ----------------------------------------------------------------- debris

class FlyingDebris : public FlyingFx {
 protected:
  void SetUp() override {
    FlyingFx::SetUp();
    L = board(game, {"AB#", "CDE"});
    L->availableChips = {game.getChipData(1), game.getChipData(2)};
    L->m3Game = &game;
  }
  std::shared_ptr<TLevel> L;
};

TEST_F(FlyingDebris, DeadBoardRefillsEveryRealCellOnceTheLastChipHasFallen) {
  std::vector<TChipPtr> old;
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 3; ++c) {
      old.push_back(L->at(r, c)->chip);
      generateOdpad(L->at(r, c), r == 1 && c == 2 ? 300 : 0);
      EXPECT_NE(L->at(r, c)->_flyingTile, nullptr);
    }
  EXPECT_EQ(odpadList.size(), 6u);
  int refilled = -1;
  for (int n = 1; n < 400 && refilled < 0; ++n) {
    plat::advanceFakeClock(1000.0 / 60.0);
    updateOdpady();
    if (odpadList.empty()) refilled = n;
    else
      EXPECT_EQ(L->at(0, 0)->chip, old[0]) << "nothing refills before the last chip is gone";
  }
  // The delayed one starts 18 frames late and needs 40 frames to pass y 800
  // from y ~ 400: it falls ay = 0, 1, 2, ...
  EXPECT_GT(refilled, 18);
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 3; ++c) {
      TTile* t = L->at(r, c);
      EXPECT_EQ(t->_flyingTile, nullptr);
      if (t->kindId() == 0) continue;
      ASSERT_NE(t->chip, nullptr);
      EXPECT_NE(t->chip, old[r * 3 + c]);
      EXPECT_EQ(t->chip->state, "MOVE-SHOW-2");
      EXPECT_FLOAT_EQ(t->chip->adY, -500.f - 2.f * r * c);
    }
}

TEST_F(FlyingDebris, VanishedChipLeavesAtOnceAndNeverRefills) {
  auto ch = L->at(0, 0)->chip;
  auto o = generateOdpadVanish(L->at(0, 0), 0);
  EXPECT_EQ(L->at(0, 0)->chip, nullptr);
  EXPECT_EQ(o->chip, ch);
  framesUntil(updateOdpady, [] { return odpadList.empty(); });
  EXPECT_EQ(L->at(0, 0)->chip, nullptr);
}

TEST_F(FlyingDebris, ReplacementEntersFromTheNearerSideAndTakesFiftyFrames) {
  struct Case {
    float cellX, startX;
  };
  for (const Case& k : {Case{600, 1070}, Case{512, -50}, Case{100, -50}}) {
    SCOPED_TRACE(k.cellX);
    TTile* t = L->at(0, 1);
    t->dim->x = k.cellX;
    auto ch = t->chip;
    auto kind = game.getChipData(5);
    auto o = generateOdpadReplace(t, kind);
    EXPECT_FLOAT_EQ(o->x1, k.startX);
    EXPECT_FLOAT_EQ(o->y1, -70);
    ASSERT_NE(ch->_odpad, nullptr) << "the old look is debris of its own";
    EXPECT_FLOAT_EQ(ch->a, 0);
    EXPECT_EQ(odpadList.size(), 2u);
    const int frames = framesUntil(updateOdpady, [&] { return !odpadList.contains(o.get()); });
    EXPECT_EQ(frames, 50);
    EXPECT_EQ(t->chip, ch);
    EXPECT_EQ(ch->cd, kind);
    EXPECT_FLOAT_EQ(ch->a, 1);
    EXPECT_EQ(ch->_odpad, nullptr);
    // The old look falls off; its cell is not refilled by it.
    framesUntil(updateOdpady, [] { return odpadList.empty(); });
    EXPECT_EQ(t->chip, ch);
  }
}

TEST_F(FlyingDebris, PieceCountsAsOnTheBoardUntilItArrivesOnce) {
  L->at(0, 1)->setChip(createChip(game.getChipData(8)));
  auto o = generateOdpadDown(L->at(0, 1), 0);
  L->at(0, 1)->setChip(nullptr);  // the chip empties its cell right after
  int frames = framesUntil(updateOdpady, [] { return odpadList.empty(); });
  EXPECT_GT(frames, 80);
  EXPECT_EQ(targets.pieces, 1);
  EXPECT_EQ(static_cast<int>(targets.inFlight.size()), frames - 1)
      << "every frame but the arrival frame counts the piece";
  EXPECT_FLOAT_EQ(o->x, 962);
  EXPECT_FLOAT_EQ(o->y, 72);
  EXPECT_GT(particleList.size(), 100u) << "trail and arrival burst";
}

TEST_F(FlyingDebris, DroppingDebrisMidFlightLosesNothing) {
  TTile* piece = L->at(0, 1);
  piece->setChip(createChip(game.getChipData(8)));
  generateOdpadDown(piece, 0);
  TTile* repl = L->at(1, 0);
  auto replaced = repl->chip;
  auto kind = game.getChipData(6);
  generateOdpadReplace(repl, kind);
  generateOdpad(L->at(1, 1), 0);
  for (int i = 0; i < 3; ++i) {
    plat::advanceFakeClock(1000.0 / 60.0);
    updateOdpady();
  }
  settleOdpady();
  EXPECT_TRUE(odpadList.empty());
  EXPECT_EQ(targets.pieces, 1) << "the piece is credited";
  EXPECT_EQ(piece->chip, nullptr);
  EXPECT_EQ(piece->_flyingTile, nullptr);
  EXPECT_EQ(replaced->cd, kind);
  EXPECT_EQ(replaced->_odpad, nullptr);
  EXPECT_FLOAT_EQ(replaced->a, 1);
  EXPECT_EQ(L->at(1, 1)->_flyingTile, nullptr);
  EXPECT_NE(L->at(1, 1)->chip, nullptr);
}

// ----------------------------------------------------------------- fireworks

TEST_F(FlyingFx, FireworkBurstsIntoSparksThatFadeAndClearThemselves) {
  fireworkBurst(512, 300);
  ASSERT_EQ(fireWorkList.size(), 120u);
  const auto sparks = fireWorkList.members();
  for (const auto& s : sparks) {
    EXPECT_NEAR(std::hypot(s->ax, s->ay), 2.5f, 0.51f);
    EXPECT_GE(s->time, plat::millisecs() + 1000);
    EXPECT_LE(s->time, plat::millisecs() + 2000);
  }
  // None fades before a second; all are gone 2 s + 500 frames later.
  framesUntil(TFireWork::updateAll, [] { return false; }, 59);
  for (const auto& s : sparks) EXPECT_FLOAT_EQ(s->a, 1);
  const int frames = framesUntil(TFireWork::updateAll, [] { return fireWorkList.empty(); });
  EXPECT_GT(frames + 59, 500 + 60);
  EXPECT_LE(frames + 59, 500 + 121 + 1);
}

// ----------------------------------------------------------------- captions

TEST_F(FlyingFx, CaptionWaitsEasesInDriftsAndFliesOut) {
  struct Case {
    float x, target, side;
  };
  for (const Case& k : {Case{-300, 312, 1}, Case{1300, 612, -1}}) {
    SCOPED_TRACE(k.side);
    auto n = createFlyingNapis("Level 3", 0, k.x, 280, k.target, TRGB{}, k.side, 1000);
    EXPECT_EQ(framesUntil(updateNapisy, [&] { return n->per > 0; }), 60) << "a second of waiting";
    EXPECT_FLOAT_EQ(n->x, k.x + fx::easeOut(0.05f) * std::fabs(k.target - k.x) * k.side);
    EXPECT_EQ(framesUntil(updateNapisy, [&] { return n->state != "BEGIN"; }), 19);
    EXPECT_NEAR(n->x, k.target, 0.01f);
    EXPECT_EQ(framesUntil(updateNapisy, [&] { return n->state != "SLOW-MODE"; }), 100);
    EXPECT_NEAR(n->x, k.target + 200 * k.side, 0.1f);
    EXPECT_EQ(framesUntil(updateNapisy, [&] { return napisList.empty(); }), 20);
    EXPECT_NEAR(n->x, k.target + 800 * k.side, 0.1f);
  }
}

// ----------------------------------------------------------------- pieces and resources

TEST_F(FlyingFx, PieceFliesTwentyFramesAndLandsOnce) {
  for (int mode : {-1, 1}) {
    targets.landed = 0;
    auto p = createFlyingPuzzle(nullptr, 100, 600, 240, 415, mode, 0);
    EXPECT_FLOAT_EQ(p->mx, mode == -1 ? 240.f : 100.f);
    EXPECT_FLOAT_EQ(p->my, mode == -1 ? 600.f : 415.f);
    EXPECT_EQ(framesUntil(updateFlyingPuzzles, [] { return flyingPuzzleList.empty(); }), 20);
    EXPECT_FLOAT_EQ(p->x, 240);
    EXPECT_FLOAT_EQ(p->y, 415);
    EXPECT_EQ(targets.landed, 1);
  }
}

TEST_F(FlyingFx, ResourceReachesItsSlotAndChargesItOnce) {
  auto kind = game.getChipData(2);
  auto r = generateFlyingRes(200, 400, kind, 3, 100);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->n, 2);
  EXPECT_FLOAT_EQ(r->x2, 900);
  EXPECT_FLOAT_EQ(r->y2, 300);
  EXPECT_TRUE((r->mx >= 924 && r->my <= 100) || (r->mx <= 100 && r->my >= 668));
  const int frames = framesUntil(updateFlyingResources, [] { return flyingResList.empty(); });
  EXPECT_GE(frames, 6 + 66);
  EXPECT_LE(frames, 6 + 101);
  EXPECT_EQ(targets.charged, std::vector<int>{2});
  EXPECT_FLOAT_EQ(r->x, 900);
  EXPECT_EQ(generateFlyingRes(0, 0, kind, 0, 0), nullptr);
  EXPECT_EQ(generateFlyingRes(0, 0, kind, 7, 0), nullptr);
}

TEST_F(FlyingFx, WithoutTargetsArrivalsAreHarmless) {
  setFlightTargets(nullptr);
  auto L = board(game, {"AB"});
  auto g = createChipFantom(*L->at(0, 0)->chip);
  g->iloscMatchy = 5;
  g->moveTo(*L->at(0, 1)->dim, L->at(0, 1)->chip);
  auto r = generateFlyingRes(10, 10, game.getChipData(1), 1, 0);
  EXPECT_FLOAT_EQ(r->x2, r->mx) << "no slot button: ends at its control point";
  createFlyingPuzzle(nullptr, 0, 0, 10, 10, 1, 0);
  for (int i = 0; i < 120; ++i) {
    plat::advanceFakeClock(1000.0 / 60.0);
    updateFantoms();
    updateFlyingResources();
    updateFlyingPuzzles();
  }
  EXPECT_TRUE(fantomList.empty());
  EXPECT_TRUE(flyingResList.empty());
  EXPECT_TRUE(flyingPuzzleList.empty());
  EXPECT_EQ(L->at(0, 1)->chip->docelowyChip, nullptr);
}

}  // namespace
