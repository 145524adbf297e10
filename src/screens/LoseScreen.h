// The lose summary: the time ran out; restart the level or go to the main
// menu. Drawn over the play screen, which darkens to half behind it.
#pragma once

#include <string>

#include "app/Screen.h"
#include "platform/Font.h"
#include "platform/Image.h"

class TLoseScreen : public TEkran {
 public:
  TLoseScreen();

  plat::ImagePtr img;
  int toExit = 0;
  std::string txtInfo;
  plat::FontPtr font;
  // The demo player is at the mouse: once the panel has stood for a while,
  // it restarts the level itself, so a demo goes on unattended.
  bool demo = false;

  void setup() override;
  void prepare();
  // "RESTART" or "MAIN-MENU", once the panel has faded away.
  std::string mainLoop();
  void update() override;
  void draw() override;
  void goRESTART();
  void goMAIN_MENU();
};

TLoseScreen& loseScreen();

// Creates both summaries so their loading steps are registered, and hands
// them to the play screen. Called once at start-up.
void setupSummaries();
