// Every sound the registry in main.cpp can name.
#pragma once

#include "Synth.h"

namespace soundgen {

Buffer renderClick();
Buffer renderTestLoop();

// effects.cpp: the play screen's effects, mono
Buffer renderCreateBonus();
Buffer renderPowerUpChimeA();
Buffer renderPowerUpChimeB();
Buffer renderPowerUpChimeC();
Buffer renderTileBreak();
Buffer renderHammerBreak1();
Buffer renderHammerBreak2();
Buffer renderHammerBreak3();
Buffer renderChainBreak();
Buffer renderChipDestroy();
Buffer renderPuzzleMatched();
Buffer renderPuzzleClicked();
Buffer renderBomb1();
Buffer renderBomb2();
Buffer renderBomb3();
Buffer renderSzu();
Buffer renderChipMove2();
Buffer renderCrossfire1();
Buffer renderCrossfire2();
Buffer renderCrossfire3();
Buffer renderFirework();
Buffer renderBadMatch();
Buffer renderChipMove();
Buffer renderLevelBegin();
Buffer renderMagic1();
Buffer renderMagic2();
Buffer renderShuffle1();
Buffer renderShuffle2();
Buffer renderLevelCompleted();

// music.cpp: the loops, stereo
Buffer renderMusicTitle();
Buffer renderMusicMenu();
Buffer renderMusicStory();
Buffer renderMusicLevel1();
Buffer renderMusicLevel2();
Buffer renderMusicLevel3();
Buffer renderMusicLevel4();

} // namespace soundgen
