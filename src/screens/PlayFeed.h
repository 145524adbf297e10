// A machine-readable account of play on standard output, for a program that
// drives the game from outside with real window input (a test sending X
// events). Off unless WOOFMERE_PLAY_FEED=1 is in the environment: a player
// never sees it. Every line starts with "feed: "; points are window pixels,
// ready for a pointer warp relative to the game's window.
//
//   feed: state NORMAL                      the play screen's state changed
//   feed: move 7 SWAP 412 318 460 318       a quiet board's best move (numbered)
//   feed: move 8 GROUP 412 318              (CHAIN lists every cell in order)
//   feed: win-summary ready OK 512 603      a button that now takes a click
//   feed: lose-summary ready RESTART 512 532 MAINMENU 512 606
//   feed: win-summary closed
//   feed: lose-summary answer RESTART
//   feed: play-screen answer GET-NEXT-QUEST-LEVEL
#pragma once

#include <initializer_list>
#include <string>

class TGui;
class TMainGame;

namespace playfeed {

bool on();
void line(const std::string& text);

// Once per frame of the play screen: state changes and, on a board at rest,
// the move to make (again every few seconds while nobody makes it).
void mainGameFrame(TMainGame& g);
// Once per frame of a summary: the buttons, once they take clicks.
void summaryFrame(const char* screen, const TGui* gui, bool clickable, std::initializer_list<const char*> buttons);

}  // namespace playfeed
