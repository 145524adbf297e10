// The sample layout in a real window: every kind of button, a framed window,
// a speech box with its shadow, a menu bar with an open drop-down and a text
// entry. The picture is kept for a look and sampled here.
#include <gtest/gtest.h>

#include "GameWindow.h"

#include <cstdlib>
#include <filesystem>

#include "app/Canvas.h"
#include "app/Screen.h"
#include "gui/Belka.h"
#include "gui/Button.h"
#include "gui/Font.h"
#include "gui/Gui.h"
#include "gui/Mouse.h"
#include "gui/Text.h"
#include "gui/TextEntry.h"
#include "gui/Theme.h"
#include "gui/Window.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/Pixmap.h"
#include "platform/Platform.h"

TEST_F(GameWindow, GuiScreenshotSampleLayoutWithEveryWidget) {
  auto& g = plat::gfx();
  setVirtualCanvas(1024, 768, 0);
  plat::useFakeClock(1000);
  delta = 1;
  auto t1 = createTheme("temat1", "gfx/gui/window/temat1.txt", nullptr);
  auto t2 = createTheme("temat2", "gfx/gui/window/temat.txt", nullptr);
  ASSERT_TRUE(t1->oknoImg[2] && t2->oknoImg[8] && t1->bar[1]);

  auto gui = loadGui("gfx/gui/sample/sample.gui");
  ASSERT_GE(gui->_listaObiektow.size(), 15u);
  auto bar = gui->getItemAs<TBelka>("menu");
  auto entry = gui->getItemAs<TTextEntry>("name");
  ASSERT_TRUE(bar && entry);
  auto font = TMyFont::get("gfx/fonts/Bookman.ttf", 18);

  // A speech box: temat2 over a darkened copy of temat1, 5 px down-right.
  auto shadow = createWindow("shadow", 565, 205, 380, 150, t1, 0, 0, 1, 0);
  shadow->setRGB(0, 0, 0);
  shadow->_alpha = 0.4f;
  auto box = createWindow("speech", 560, 200, 380, 150, t2, 0, 0, 1, 0);
  auto words = TText::create("words", "Woof! Hover the buttons, open the Game menu and type your name.", 590, 225,
                              320, font, "LEFT", 1, 1);
  words->setRGB(58, 38, 21);

  auto& in = plat::input();
  in.typeText("Biscuit the Brave");
  auto frameAt = [&](int x, int y, bool down) {
    in.moveMouse(float(x), float(y));
    if (down) in.pressMouse(plat::MOUSE_LEFT);
    else in.releaseMouse(plat::MOUSE_LEFT);
    mouse().update();
    gui->update();
    plat::advanceFakeClock(16);
  };
  for (int i = 0; i < 20; ++i) frameAt(0, 400, false);
  // Open the Game menu and hover its submenu; hover the fstep button.
  auto game = bar->_menusList[0];
  frameAt(int(game->rect.x + 5), int(game->rect.y + 4), true);
  frameAt(int(game->rect.x + 5), int(game->rect.y + 4), false);
  auto more = game->_barTitles[2];
  for (int i = 0; i < 25; ++i) frameAt(int(more->rect.x + 20), int(more->rect.y + 4), false);
  ASSERT_EQ(game->_dBoxA, 1);

  g.setClsColour(126, 200, 227);
  g.cls();
  g.setBlend(plat::Blend::Alpha);
  g.setColour(255, 255, 255);
  g.setAlpha(1);
  gui->draw();
  shadow->draw(0, 0);
  box->draw(0, 0);
  words->draw(0, 0);
  g.setFont(font);
  g.setColour(58, 38, 21);
  g.setAlpha(1);
  bar->draw(0, 0);  // the open drop-down lies over everything
  plat::Pixmap pm = g.readBackBuffer();
  g.flip(0);
  keep(pm, "gui-sample.png");

  auto rgbAt = [&](int x, int y) {
    const uint8_t* p = pm.at(x, y);
    return std::array<int, 3>{p[0], p[1], p[2]};
  };
  auto paper = rgbAt(60, 400);  // inside the framed window
  EXPECT_GT(paper[0], 200);
  EXPECT_GT(paper[0], paper[2] + 10) << "cream paper";
  auto blue = rgbAt(750, 340);  // inside the speech box
  EXPECT_GT(blue[2], blue[0]) << "the second speaker's box is blue";
  auto plank = rgbAt(700, 15);  // the menu bar
  EXPECT_GT(plank[0], plank[2] + 30) << "wooden bar";
  EXPECT_EQ(entry->getTxt(), "Biscuit the Brave");

  globalThemes().clear();
  currentTheme() = nullptr;
  TMyFont::clearCache();
}
