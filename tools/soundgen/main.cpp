// woofmere-soundgen: synthesises the game's sounds into a game folder.
//
//   woofmere-soundgen --out DIR [--list] [NAME...]
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
};

int usage()
{
    std::fprintf(stderr, "usage: woofmere-soundgen --out DIR [--list] [NAME...]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    std::filesystem::path outDir;
    std::vector<std::string> only;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--list") {
            for (const SoundEntry& e : registry)
                std::printf("%s\n", e.path);
            return 0;
        } else if (arg == "--out" && i + 1 < argc) {
            outDir = argv[++i];
        } else if (!arg.empty() && arg[0] != '-') {
            only.push_back(arg);
        } else {
            return usage();
        }
    }
    if (outDir.empty())
        return usage();

    try {
        size_t made = 0;
        for (const SoundEntry& e : registry) {
            if (!only.empty() && std::find(only.begin(), only.end(), e.path) == only.end())
                continue;
            writeOgg(e.render(), outDir / e.path, e.quality, e.title);
            ++made;
        }
        if (made < only.size()) {
            std::fprintf(stderr, "woofmere-soundgen: some requested sounds are not in the registry\n");
            return 1;
        }
    } catch (const std::exception& ex) {
        std::fprintf(stderr, "woofmere-soundgen: %s\n", ex.what());
        return 1;
    }
    return 0;
}
