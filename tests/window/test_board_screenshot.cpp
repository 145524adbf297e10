// A level from the shipped catalogs, saved, loaded back and drawn in a real
// window with its background, border, cells, chains and chips; the picture
// is kept for a look and sampled here.
#include <gtest/gtest.h>

#include "GameWindow.h"

#include <cstdlib>
#include <filesystem>

#include "board/Catalogs.h"
#include "board/Chip.h"
#include "board/Level.h"
#include "board/Tile.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Pixmap.h"
#include "platform/Platform.h"
#include "platform/Random.h"

namespace {

void drawLevel(TLevel& L) {
  auto& g = plat::gfx();
  g.setClsColour(12, 12, 12);
  g.cls();
  g.setBlend(plat::Blend::Alpha);
  g.setColour(255, 255, 255);
  g.setAlpha(1);
  g.drawImage(L.backImg, 0, 0);
  for (auto& t : L.tile) t->draw(0);
  for (auto& t : L.tile) t->drawChip();
  g.setScale(1, 1);
  g.setRotation(0);
  for (auto& t : L.tile) t->drawChain();
  for (auto& f : L.ramka) f->draw();
  g.setAlpha(1);
  g.setScale(1, 1);
}

TEST_F(GameWindow, BoardScreenshotLoadedLevelWithBackgroundBorderTilesAndChips) {
  auto& g = plat::gfx();
  g.setVirtualResolution(1024, 768);

  TM3Catalogs game;
  game.loadSettings("data/settings.dat");
  game.loadTiles("data/tiles.dat");
  game.loadChips("data/chips.dat");
  game.loadBonusChips("data/bonusy.dat");
  game.loadFrame("data/frames.dat");
  backgroundList().clear();
  loadBackgrounds();
  TTile::chainImg = plat::loadImage("gfx/tiles/chain.png", plat::kFilteredImage);
  TTile::chain2Img = plat::loadImage("gfx/tiles/chain2.png", plat::kFilteredImage);
  ASSERT_TRUE(TTile::chainImg && TTile::chain2Img);
  TTile::chainImg->midHandle();
  TTile::chain2Img->midHandle();
  for (auto& k : game.chipsList) ASSERT_NE(k->gfx, nullptr) << k->url;
  for (auto& k : game.bonusList) ASSERT_NE(k->gfx, nullptr) << k->url;

  // A board with notched corners and a hole, breakable cells, chains, bonuses and a piece.
  plat::seedRandom(4);
  auto L = newEmptyLevel(9, 11, game);
  game.level = L;
  for (auto [r, c] : {std::pair{0, 0}, std::pair{0, 10}, std::pair{8, 0}, std::pair{8, 10}, std::pair{4, 5},
                      std::pair{3, 5}, std::pair{0, 1}})
    L->at(r, c)->td = game.getTileData(0);
  for (int c = 3; c <= 7; ++c) L->at(6, c)->td = game.getTileData(c % 2 ? 3 : 2);
  for (int id = 1; id <= 6; ++id) L->availableChips.push_back(game.getChipData(id));
  L->randomChips();
  L->at(2, 2)->setChip(createChip(game.getBonusChipData(105)));
  L->at(2, 8)->setChip(createChip(game.getBonusChipData(102)));
  L->at(7, 5)->setChip(createChip(game.getChipData(8)));
  L->at(1, 4)->chain = 1;
  L->at(1, 6)->chain = 2;
  L->at(0, 2)->creator = 1;
  L->setBackGround(4);
  L->CreateLevelFrames();

  const std::string lvlPath = std::string(WOOFMERE_OUT_DIR) + "/board-level.lvl";
  std::filesystem::create_directories(WOOFMERE_OUT_DIR);
  ASSERT_TRUE(L->save(lvlPath));
  auto loaded = loadLevel(lvlPath, game);
  ASSERT_EQ(loaded->rows, 9);
  ASSERT_NE(loaded->backImg, nullptr);
  loaded->setPosition(535, 390);
  loaded->setFrameAlpha(1);

  drawLevel(*loaded);
  plat::Pixmap pm = g.readBackBuffer();
  g.flip(0);
  ASSERT_EQ(pm.width, 1024);
  keep(pm, "board-level.png");

  auto rgbAt = [&](float x, float y) {
    const uint8_t* p = pm.at(static_cast<int>(x), static_cast<int>(y));
    return std::array<int, 3>{p[0], p[1], p[2]};
  };
  // The border strip left of tile (4, 0): wood brown.
  TTile* t40 = loaded->at(4, 0);
  auto wood = rgbAt(t40->dim->x - 21 - 3, t40->dim->y);
  EXPECT_GT(wood[0], wood[2] + 30) << "wood is warm";
  // A plain cell's corner: the light cream of the cell.
  TTile* t11 = loaded->at(1, 1);
  auto cell = rgbAt(t11->dim->x - 16, t11->dim->y + 16);
  EXPECT_GT(cell[0] + cell[1] + cell[2], 500);
  // The chip on it differs from the cell around it.
  auto chip = rgbAt(t11->dim->x, t11->dim->y);
  EXPECT_NE(chip, cell);

  TTile::chainImg = TTile::chain2Img = nullptr;
  backgroundList().clear();
}

}  // namespace
