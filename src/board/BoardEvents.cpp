#include "board/BoardEvents.h"

#include "app/GlobalSnd.h"

void TBoardEvents::sound(TBoardSound s, int k) {
  TGlobalSnd& snd = globalSnd();
  switch (s) {
    case TBoardSound::TileBreak: snd.playTileBreak(); break;
    case TBoardSound::ChainBreak: snd.playChainBreak(); break;
    case TBoardSound::DestroyChip: snd.playDestroyChip(); break;
    case TBoardSound::PuzzleMatched: snd.playPuzzleMatched(); break;
    case TBoardSound::ChipMove: snd.playChipMove(); break;
    case TBoardSound::Bomb: snd.playBOMB(k); break;
    case TBoardSound::Crossfire: snd.playCROSSFIRE(k); break;
  }
}

TBoardEvents& defaultBoardEvents() {
  static TBoardEvents events;
  return events;
}
