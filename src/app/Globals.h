// Program-wide state set at start-up and read by every screen.
#pragma once

#include <string>

#include "platform/Font.h"
#include "platform/Image.h"

// The command the dispatcher acts on next ("MAIN-MENU", "MAIN-GAME", ...).
extern std::string actCommand;
// Kind of campaign being played; only "QUEST" exists.
extern std::string actGameType;
// Per-user directory: settings in Data/, profiles in Profiles/.
extern std::string userDir;
// Switch files found in the game folder at start.
extern int noTutorial;
extern int cheatsOn;
extern int playLogOn;  // 0 none, 1 a file, 2 a folder named playLog.txt
// The pause picture's font and caption.
extern plat::FontPtr pauseFont;
extern std::string pauseText;
// One opaque pixel, tested against collision layers for pixel-exact hover.
extern plat::ImagePtr pointImage;
// Desktop video mode read at start (640 x 480 when none is reported).
extern int desktopWidth;
extern int desktopHeight;
