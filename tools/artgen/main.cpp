// woofmere-artgen: draws the game's images into a game folder.
//
//   woofmere-artgen --out DIR --fonts DIR [--list] [NAME...]
//
// With names, only those images are drawn. --fonts points at the folder
// holding the game's font files (gfx/fonts of the assembled game).
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

int usage()
{
    std::fprintf(stderr, "usage: woofmere-artgen --out DIR --fonts DIR [--list] [NAME...]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    std::filesystem::path outDir;
    ArtEnv env;
    std::vector<std::string> only;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--list") {
            for (const ArtEntry& e : registry)
                std::printf("%s\n", e.path);
            return 0;
        } else if (arg == "--out" && i + 1 < argc) {
            outDir = argv[++i];
        } else if (arg == "--fonts" && i + 1 < argc) {
            env.fontDir = argv[++i];
        } else if (!arg.empty() && arg[0] != '-') {
            only.push_back(arg);
        } else {
            return usage();
        }
    }
    if (outDir.empty())
        return usage();

    try {
        size_t drawn = 0;
        for (const ArtEntry& e : registry) {
            if (!only.empty() && std::find(only.begin(), only.end(), e.path) == only.end())
                continue;
            render(e, outDir, env);
            ++drawn;
        }
        if (drawn < only.size()) {
            std::fprintf(stderr, "woofmere-artgen: some requested images are not in the registry\n");
            return 1;
        }
    } catch (const std::exception& ex) {
        std::fprintf(stderr, "woofmere-artgen: %s\n", ex.what());
        return 1;
    }
    return 0;
}
