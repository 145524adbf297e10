#include "app/Globals.h"

std::string actCommand = "MAIN-MENU";
std::string actGameType = "QUEST";
std::string userDir;
int noTutorial = 0;
int cheatsOn = 0;
int playLogOn = 0;
plat::FontPtr pauseFont;
std::string pauseText;
int desktopWidth = 640;
int desktopHeight = 480;
plat::ImagePtr pointImage;
