// woofmere-artgen: draws the game's images into a game folder.
//
//   woofmere-artgen --out DIR --fonts DIR [--list] [NAME...]
//
// With names, only those images are drawn. --fonts points at the folder
// holding the game's font files (gfx/fonts of the assembled game).
#include "../common/GeneratorMain.h"
#include "Painters.h"

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace artgen;

struct ArtEntry {
    const char* path; // relative to the game folder; .png or .jpg decides the format
    int width;
    int height;
    Painter paint;
};

// To add an image: write a painter (declare it in Painters.h) and list it here.
constexpr ArtEntry registry[] = {
    {"gfx/gui/cursor.png", 32, 32, paintPawCursor},
    {"gfx/point.png", 1, 1, paintWhitePixel},
    {"gfx/test/chips-atlas.png", 280, 40, paintChipAtlas},
    {"gfx/branding/partnerscreen-1.jpg", 1024, 768, paintPartnerSplash},
    {"gfx/chips/chip-1.png", 40, 40, paintBoardChip<1>},
    {"gfx/chips/chip-2.png", 40, 40, paintBoardChip<2>},
    {"gfx/chips/chip-3.png", 40, 40, paintBoardChip<3>},
    {"gfx/chips/chip-4.png", 40, 40, paintBoardChip<4>},
    {"gfx/chips/chip-5.png", 40, 40, paintBoardChip<5>},
    {"gfx/chips/chip-6.png", 40, 40, paintBoardChip<6>},
    {"gfx/chips/chip-7.png", 40, 40, paintBoardChip<7>},
    {"gfx/chips/puzzle-chip.png", 40, 40, paintPuzzleChip},
    {"gfx/chips/cross-1.png", 40, 40, paintBonusChip<1>},
    {"gfx/chips/cross-2.png", 40, 40, paintBonusChip<2>},
    {"gfx/chips/cross-3.png", 40, 40, paintBonusChip<3>},
    {"gfx/chips/bomb-1.png", 40, 40, paintBonusChip<4>},
    {"gfx/chips/bomb-2.png", 40, 40, paintBonusChip<5>},
    {"gfx/chips/bomb-3.png", 40, 40, paintBonusChip<6>},
    {"gfx/tiles/tile0.png", 42, 42, paintTile<0>},
    {"gfx/tiles/tile1.png", 42, 42, paintTile<1>},
    {"gfx/tiles/tile2.png", 42, 42, paintTile<2>},
    {"gfx/tiles/tile3.png", 42, 42, paintTile<3>},
    {"gfx/tiles/alt/tile0.png", 42, 42, paintTile<10>},
    {"gfx/tiles/alt/tile1.png", 42, 42, paintTile<11>},
    {"gfx/tiles/alt/tile2.png", 42, 42, paintTile<12>},
    {"gfx/tiles/alt/tile3.png", 42, 42, paintTile<13>},
    {"gfx/tiles/chain.png", 46, 46, paintChain},
    {"gfx/tiles/chain2.png", 46, 46, paintChain2},
    {"gfx/frames/frame-0.png", 42, 42, paintFramePiece<0>},
    {"gfx/frames/frame-1.png", 42, 42, paintFramePiece<1>},
    {"gfx/frames/frame-2.png", 42, 42, paintFramePiece<2>},
    {"gfx/frames/frame-3.png", 42, 42, paintFramePiece<3>},
    {"gfx/frames/frame-4.png", 42, 42, paintFramePiece<4>},
    {"gfx/frames/frame-5.png", 42, 42, paintFramePiece<5>},
    {"gfx/frames/frame-6.png", 42, 42, paintFramePiece<6>},
    {"gfx/frames/frame-7.png", 42, 42, paintFramePiece<7>},
    {"gfx/frames/frame-8.png", 42, 42, paintFramePiece<8>},
    {"gfx/frames/frame-9.png", 42, 42, paintFramePiece<9>},
    {"gfx/frames/frame-10.png", 42, 42, paintFramePiece<10>},
    {"gfx/frames/frame-11.png", 42, 42, paintFramePiece<11>},
    {"gfx/frames/frame-12.png", 42, 42, paintFramePiece<12>},
    {"gfx/backgrounds/back-1.jpg", 1024, 768, paintBackground<1>},
    {"gfx/backgrounds/back-2.jpg", 1024, 768, paintBackground<2>},
    {"gfx/backgrounds/back-3.jpg", 1024, 768, paintBackground<3>},
    {"gfx/backgrounds/back-4.jpg", 1024, 768, paintBackground<4>},
    {"gfx/backgrounds/back-5.jpg", 1024, 768, paintBackground<5>},
    {"gfx/backgrounds/back-6.jpg", 1024, 768, paintBackground<6>},
    {"gfx/backgrounds/back-7.jpg", 1024, 768, paintBackground<7>},
    {"gfx/backgrounds/back-8.jpg", 1024, 768, paintBackground<8>},
    {"gfx/backgrounds/back-9.jpg", 1024, 768, paintBackground<9>},
    {"gfx/backgrounds/back-10.jpg", 1024, 768, paintBackground<10>},
    {"gfx/backgrounds/back-11.jpg", 1024, 768, paintBackground<11>},
    {"gfx/backgrounds/back-12.jpg", 1024, 768, paintBackground<12>},
    {"gfx/backgrounds/back-13.jpg", 1024, 768, paintBackground<13>},
    {"gfx/backgrounds/back-14.jpg", 1024, 768, paintBackground<14>},
    {"gfx/backgrounds/back-15.jpg", 1024, 768, paintBackground<15>},
    {"gfx/backgrounds/back-16.jpg", 1024, 768, paintBackground<16>},
    {"gfx/backgrounds/back-17.jpg", 1024, 768, paintBackground<17>},
    {"gfx/backgrounds/back-18.jpg", 1024, 768, paintBackground<18>},
    {"gfx/backgrounds/back-19.jpg", 1024, 768, paintBackground<19>},
    {"gfx/poswiata-1.png", 96, 96, paintGlow1},
    {"gfx/poswiata-2.png", 96, 96, paintGlow2},
    {"gfx/gui/loading/back.jpg", 1024, 768, paintLoadingBack},
    {"gfx/gui/loading/dog.png", 300, 300, paintLoadingDog},
    {"gfx/gui/loading/eng/logo.png", 400, 120, paintLoadingLogo},
    {"gfx/particles/0.png", 16, 16, paintParticleGlow},
    {"gfx/particles/1.png", 24, 24, paintParticleStar},
    {"gfx/particles/2.png", 24, 8, paintParticleStreak},
    {"gfx/particles/3.png", 16, 16, paintParticleSpark},
    {"gfx/particles/4.png", 16, 16, paintParticleDot},
    {"gfx/particles/5.png", 16, 16, paintParticleRingDot},
    {"gfx/particles/6.png", 14, 10, paintParticleChainLink},
    {"gfx/particles/7.png", 96, 96, paintParticleFlash},
    {"gfx/particles/cyfry/0.png", 32, 44, paintScoreDigit<0>},
    {"gfx/particles/cyfry/1.png", 32, 44, paintScoreDigit<1>},
    {"gfx/particles/cyfry/2.png", 32, 44, paintScoreDigit<2>},
    {"gfx/particles/cyfry/3.png", 32, 44, paintScoreDigit<3>},
    {"gfx/particles/cyfry/4.png", 32, 44, paintScoreDigit<4>},
    {"gfx/particles/cyfry/5.png", 32, 44, paintScoreDigit<5>},
    {"gfx/particles/cyfry/6.png", 32, 44, paintScoreDigit<6>},
    {"gfx/particles/cyfry/7.png", 32, 44, paintScoreDigit<7>},
    {"gfx/particles/cyfry/8.png", 32, 44, paintScoreDigit<8>},
    {"gfx/particles/cyfry/9.png", 32, 44, paintScoreDigit<9>},
    {"gfx/particles/cyfry/plus.png", 32, 44, paintScoreDigit<10>},
    {"gfx/captions/eng/excellent.png", 360, 90, paintCaption<0>},
    {"gfx/captions/eng/great.png", 360, 90, paintCaption<1>},
    {"gfx/captions/eng/spectacular.png", 360, 90, paintCaption<2>},
    {"gfx/captions/eng/terrific.png", 360, 90, paintCaption<3>},
    {"gfx/captions/eng/go.png", 360, 90, paintCaption<4>},
    {"gfx/captions/eng/level_complited.png", 360, 90, paintCaption<5>},
    {"gfx/captions/eng/noMatch.png", 360, 90, paintCaption<6>},
    {"gfx/captions/eng/ready.png", 360, 90, paintCaption<7>},
    {"gfx/captions/eng/times_up.png", 360, 90, paintCaption<8>},
    {"gfx/captions/eng/matched.png", 160, 40, paintCaption<9>},
#include "gui_widgets.inc"
#include "play_board.inc"
#include "hud.inc"
#include "summary.inc"
    {"gfx/gui/options/panel.png", 644, 520, paintOptionsPanel},
    {"gfx/gui/options/suwak.png", 36, 22, paintOptionsKnob},
    {"gfx/gui/options/pasek.png", 295, 13, paintOptionsBar},
    {"gfx/gui/options/on.png", 416, 44, paintOptionsOn},
    {"gfx/gui/options/off.png", 416, 44, paintOptionsOff},
    {"gfx/gui/options/plus.png", 176, 44, paintOptionsPlus},
    {"gfx/gui/options/minus.png", 176, 44, paintOptionsMinus},
    {"gfx/gui/options/ok.png", 600, 48, paintOptionsOk},
    {"gfx/gui/options/credits.png", 600, 48, paintOptionsCredits},
    {"gfx/gui/options/gallery.png", 600, 48, paintOptionsGallery},
    {"gfx/gui/options/restart.png", 600, 48, paintOptionsRestart},
    {"gfx/gui/options/menu.png", 600, 48, paintOptionsMenu},
};

bool endsWith(const std::string& s, const char* tail)
{
    const size_t n = std::strlen(tail);
    return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

void render(const ArtEntry& e, const std::filesystem::path& outDir, const ArtEnv& env)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, e.width, e.height);
    cairo_t* cr = cairo_create(surface);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_GOOD);
    Canvas canvas{cr, e.width, e.height, env};
    e.paint(canvas);
    const cairo_status_t status = cairo_status(cr);
    cairo_destroy(cr);
    if (status != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        throw std::runtime_error(std::string(e.path) + ": " + cairo_status_to_string(status));
    }
    const std::string path = e.path;
    if (endsWith(path, ".jpg"))
        writeJpeg(surface, outDir / path);
    else
        writePng(surface, outDir / path);
    cairo_surface_destroy(surface);
}

} // namespace

int main(int argc, char** argv)
{
    ArtEnv env;
    return runGenerator(
        "woofmere-artgen", "woofmere-artgen --out DIR --fonts DIR [--list] [NAME...]", argc, argv, registry,
        [&](const ArtEntry& e, const std::filesystem::path& outDir) { render(e, outDir, env); },
        [&](const std::string& arg, const char* value) {
            if (arg != "--fonts")
                return false;
            env.fontDir = value;
            return true;
        });
}
