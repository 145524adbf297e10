// woofmere-soundgen: synthesises the game's sounds into a game folder.
//
//   woofmere-soundgen --out DIR [--list] [NAME...]
#include "../common/GeneratorMain.h"
#include "Recipes.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace {

using namespace soundgen;

struct SoundEntry {
    const char* path; // relative to the game folder
    const char* title;
    float quality;    // Vorbis VBR quality, -0.1 .. 1
    Buffer (*render)();
};

// To add a sound: write a recipe (declare it in Recipes.h) and list it here.
const SoundEntry registry[] = {
    {"gfx/sounds/click.ogg", "Click", 0.5f, renderClick},
    {"gfx/music/test-loop.ogg", "Test loop", 0.4f, renderTestLoop},
    {"gfx/sounds/createBonus1.ogg", "Bonus created", 0.4f, renderCreateBonus},
    {"gfx/sounds/createPowerUp.ogg", "Power-up charged A", 0.4f, renderPowerUpChimeA},
    {"gfx/sounds/createPowerUp2.ogg", "Power-up charged B", 0.4f, renderPowerUpChimeB},
    {"gfx/sounds/createPowerUp3.ogg", "Power-up charged C", 0.4f, renderPowerUpChimeC},
    {"gfx/sounds/tile-Break.ogg", "Tile breaks", 0.4f, renderTileBreak},
    {"gfx/sounds/hammer-break-1.ogg", "Hammer 1", 0.4f, renderHammerBreak1},
    {"gfx/sounds/hammer-break-2.ogg", "Hammer 2", 0.4f, renderHammerBreak2},
    {"gfx/sounds/hammer-break-3.ogg", "Hammer 3", 0.4f, renderHammerBreak3},
    {"gfx/sounds/chain-break.ogg", "Chain breaks", 0.4f, renderChainBreak},
    {"gfx/sounds/chipDestroy1.ogg", "Chip pops", 0.4f, renderChipDestroy},
    {"gfx/sounds/puzzle-matched.ogg", "Piece matched", 0.4f, renderPuzzleMatched},
    {"gfx/sounds/puzzle-clicked.ogg", "Piece clicked", 0.4f, renderPuzzleClicked},
    {"gfx/sounds/bomb1.ogg", "Small bomb", 0.4f, renderBomb1},
    {"gfx/sounds/bomb2.ogg", "Medium bomb", 0.4f, renderBomb2},
    {"gfx/sounds/bomb3.ogg", "Big bomb", 0.4f, renderBomb3},
    {"gfx/sounds/szu.ogg", "Sparkle hop", 0.4f, renderSzu},
    {"gfx/sounds/chipMove2.ogg", "Chain step", 0.4f, renderChipMove2},
    {"gfx/sounds/crossfire1.ogg", "Crossfire 1", 0.4f, renderCrossfire1},
    {"gfx/sounds/crossfire2.ogg", "Crossfire 2", 0.4f, renderCrossfire2},
    {"gfx/sounds/crossfire3.ogg", "Crossfire 3", 0.4f, renderCrossfire3},
    {"gfx/sounds/fireWork.ogg", "Firework", 0.4f, renderFirework},
    {"gfx/sounds/bad-match.ogg", "No match", 0.4f, renderBadMatch},
    {"gfx/sounds/chipMove.ogg", "Chip lands", 0.4f, renderChipMove},
    {"gfx/sounds/level-begin.ogg", "Level begins", 0.4f, renderLevelBegin},
    {"gfx/sounds/magic1.ogg", "Magic 1", 0.4f, renderMagic1},
    {"gfx/sounds/magic2.ogg", "Magic 2", 0.4f, renderMagic2},
    {"gfx/sounds/shuffle1.ogg", "Shuffle 1", 0.4f, renderShuffle1},
    {"gfx/sounds/shuffle2.ogg", "Shuffle 2", 0.4f, renderShuffle2},
    {"gfx/sounds/level-completed.ogg", "Level completed", 0.4f, renderLevelCompleted},
    {"gfx/music/title-screen.ogg", "Title", 0.3f, renderMusicTitle},
    {"gfx/music/main-menu.ogg", "Main menu", 0.3f, renderMusicMenu},
    {"gfx/music/story.ogg", "Story", 0.3f, renderMusicStory},
    {"gfx/music/level-1.ogg", "Level 1", 0.3f, renderMusicLevel1},
    {"gfx/music/level-2.ogg", "Level 2", 0.3f, renderMusicLevel2},
    {"gfx/music/level-3.ogg", "Level 3", 0.3f, renderMusicLevel3},
    {"gfx/music/level-4.ogg", "Level 4", 0.3f, renderMusicLevel4},
};

} // namespace

int main(int argc, char** argv)
{
    return runGenerator("woofmere-soundgen", "woofmere-soundgen --out DIR [--list] [NAME...]", argc, argv, registry,
                        [](const SoundEntry& e, const std::filesystem::path& outDir) {
                            writeOgg(e.render(), outDir / e.path, e.quality, e.title);
                        });
}
