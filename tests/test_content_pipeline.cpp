// Checks the game folder the build assembles: the generated images and
// sounds, the copied fonts and the committed text all land where the game
// looks for them, in the shape it expects.
#include <gtest/gtest.h>

#include <png.h>
#include <vorbis/vorbisfile.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path gameDir = WOOFMERE_GAME_DIR;

std::string readAll(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t bigEndian32(const std::string& s, size_t at)
{
    std::uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i)
        v = (v << 8) | static_cast<unsigned char>(s.at(at + i));
    return v;
}

struct Rgba {
    int width = 0, height = 0;
    std::vector<unsigned char> px; // 4 bytes a pixel
    const unsigned char* at(int x, int y) const { return &px[(static_cast<size_t>(y) * width + x) * 4]; }
};

Rgba decodePng(const fs::path& p)
{
    Rgba img;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, p.c_str()))
        return img;
    image.format = PNG_FORMAT_RGBA;
    img.width = static_cast<int>(image.width);
    img.height = static_cast<int>(image.height);
    img.px.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, img.px.data(), 0, nullptr))
        img = {};
    return img;
}

std::vector<float> decodeOggMono(const fs::path& p, int& rate, int& channels)
{
    OggVorbis_File vf;
    std::vector<float> out;
    if (ov_fopen(p.c_str(), &vf) != 0)
        return out;
    rate = static_cast<int>(ov_info(&vf, -1)->rate);
    channels = ov_info(&vf, -1)->channels;
    for (;;) {
        float** pcm = nullptr;
        int section = 0;
        const long n = ov_read_float(&vf, &pcm, 4096, &section);
        if (n <= 0)
            break;
        for (long i = 0; i < n; ++i) {
            float s = 0;
            for (int c = 0; c < channels; ++c)
                s += pcm[c][i];
            out.push_back(s / channels);
        }
    }
    ov_clear(&vf);
    return out;
}

TEST(ContentPipeline, EveryExpectedFileIsInTheGameFolder)
{
    for (const char* rel : {"data/lang.txt", "txt/eng/names.txt", "txt/eng/pause.txt", "txt/eng/loading.txt",
                            "gfx/fonts/Bookman.ttf", "gfx/fonts/BookmanDemi.ttf", "gfx/fonts/DejaVuSans.ttf",
                            "gfx/fonts/DejaVuSans-Bold.ttf", "gfx/gui/cursor.png", "gfx/point.png",
                            "gfx/test/chips-atlas.png", "gfx/branding/partnerscreen-1.jpg",
                            "gfx/sounds/click.ogg", "gfx/music/test-loop.ogg"}) {
        SCOPED_TRACE(rel);
        const fs::path p = gameDir / rel;
        ASSERT_TRUE(fs::is_regular_file(p));
        EXPECT_GT(fs::file_size(p), 0u);
    }
}

TEST(ContentPipeline, TextFilesHoldExactlyTheirLine)
{
    const struct {
        const char* rel;
        const char* text;
    } cases[] = {
        {"data/lang.txt", "eng\n"},
        {"txt/eng/names.txt", "Woofmere\n"},
        {"txt/eng/pause.txt", "Paused - click to continue\n"},
        {"txt/eng/loading.txt", "Loading...\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readAll(gameDir / c.rel), c.text) << c.rel;
}

TEST(ContentPipeline, FontsAreOpenTypeOrTrueType)
{
    for (const char* name : {"Bookman.ttf", "BookmanDemi.ttf", "DejaVuSans.ttf", "DejaVuSans-Bold.ttf"}) {
        const std::string data = readAll(gameDir / "gfx/fonts" / name);
        ASSERT_GE(data.size(), 4u) << name;
        const std::uint32_t tag = bigEndian32(data, 0);
        EXPECT_TRUE(tag == 0x00010000u || tag == 0x4F54544Fu /* OTTO */) << name;
    }
}

TEST(ContentPipeline, PngHeadersGiveTheExpectedSizes)
{
    const struct {
        const char* rel;
        std::uint32_t width, height;
    } cases[] = {
        {"gfx/gui/cursor.png", 32, 32},
        {"gfx/point.png", 1, 1},
        {"gfx/test/chips-atlas.png", 280, 40},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rel);
        const std::string data = readAll(gameDir / c.rel);
        ASSERT_GE(data.size(), 24u);
        EXPECT_EQ(data.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
        EXPECT_EQ(data.substr(12, 4), "IHDR");
        EXPECT_EQ(bigEndian32(data, 16), c.width);
        EXPECT_EQ(bigEndian32(data, 20), c.height);
    }
}

TEST(ContentPipeline, SplashIsA1024x768Jpeg)
{
    const std::string data = readAll(gameDir / "gfx/branding/partnerscreen-1.jpg");
    ASSERT_GE(data.size(), 4u);
    ASSERT_EQ(static_cast<unsigned char>(data[0]), 0xFF);
    ASSERT_EQ(static_cast<unsigned char>(data[1]), 0xD8);
    // walk the marker segments to the frame header
    size_t at = 2;
    while (at + 9 < data.size()) {
        ASSERT_EQ(static_cast<unsigned char>(data[at]), 0xFF);
        const unsigned marker = static_cast<unsigned char>(data[at + 1]);
        const size_t length = (static_cast<unsigned char>(data[at + 2]) << 8) | static_cast<unsigned char>(data[at + 3]);
        if (marker >= 0xC0 && marker <= 0xC2) {
            const unsigned height = (static_cast<unsigned char>(data[at + 5]) << 8) | static_cast<unsigned char>(data[at + 6]);
            const unsigned width = (static_cast<unsigned char>(data[at + 7]) << 8) | static_cast<unsigned char>(data[at + 8]);
            EXPECT_EQ(width, 1024u);
            EXPECT_EQ(height, 768u);
            return;
        }
        at += 2 + length;
    }
    FAIL() << "no frame header";
}

TEST(ContentPipeline, CursorIsTransparentAroundAndOpaqueAtItsTip)
{
    const Rgba img = decodePng(gameDir / "gfx/gui/cursor.png");
    ASSERT_EQ(img.width, 32);
    ASSERT_EQ(img.height, 32);
    for (auto [x, y] : {std::pair{31, 0}, std::pair{0, 31}, std::pair{31, 31}})
        EXPECT_EQ(img.at(x, y)[3], 0) << x << "," << y;
    // the hot spot is at the top left: something solid must be there
    EXPECT_GT(img.at(3, 4)[3], 200);
}

TEST(ContentPipeline, NoOpaquePixelIsPureBlackOrPureGreen)
{
    // Masked blits treat those two colours as holes.
    for (const char* rel : {"gfx/gui/cursor.png", "gfx/test/chips-atlas.png"}) {
        const Rgba img = decodePng(gameDir / rel);
        ASSERT_GT(img.width, 0) << rel;
        int bad = 0;
        for (int y = 0; y < img.height; ++y)
            for (int x = 0; x < img.width; ++x) {
                const unsigned char* p = img.at(x, y);
                const bool black = p[0] == 0 && p[1] == 0 && p[2] == 0;
                const bool green = p[0] == 0 && p[1] == 255 && p[2] == 0;
                bad += p[3] == 255 && (black || green);
            }
        EXPECT_EQ(bad, 0) << rel;
    }
}

TEST(ContentPipeline, PointIsOneOpaqueWhitePixel)
{
    const Rgba img = decodePng(gameDir / "gfx/point.png");
    ASSERT_EQ(img.width, 1);
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(img.px[c], 255);
}

TEST(ContentPipeline, EveryChipCellHasASolidMiddleAndClearCorners)
{
    const Rgba img = decodePng(gameDir / "gfx/test/chips-atlas.png");
    ASSERT_EQ(img.width, 280);
    for (int cell = 0; cell < 7; ++cell) {
        SCOPED_TRACE(cell);
        const int x0 = cell * 40;
        EXPECT_EQ(img.at(x0, 0)[3], 0);
        EXPECT_EQ(img.at(x0 + 39, 39)[3], 0);
        EXPECT_EQ(img.at(x0 + 20, 24)[3], 255);
    }
}

TEST(ContentPipeline, SoundsPeakNearMinus3dBWithoutClipping)
{
    for (const char* rel : {"gfx/sounds/click.ogg", "gfx/music/test-loop.ogg"}) {
        SCOPED_TRACE(rel);
        int rate = 0, channels = 0;
        const std::vector<float> s = decodeOggMono(gameDir / rel, rate, channels);
        ASSERT_FALSE(s.empty());
        EXPECT_EQ(rate, 44100);
        float peak = 0;
        for (float v : s)
            peak = std::max(peak, std::abs(v));
        const double db = 20 * std::log10(peak);
        EXPECT_LT(db, -0.5);
        EXPECT_GT(db, -8.0); // downmixed stereo reads a little lower than its channels
    }
}

TEST(ContentPipeline, MusicLoopIsEightSecondsAndJoinsSmoothly)
{
    int rate = 0, channels = 0;
    const std::vector<float> s = decodeOggMono(gameDir / "gfx/music/test-loop.ogg", rate, channels);
    ASSERT_EQ(s.size(), 8u * 44100u);
    // Across the loop point the signal moves no more than it does anywhere
    // else; a discontinuity would stand out as a click.
    float largestStep = 0;
    for (size_t i = 1; i < s.size(); ++i)
        largestStep = std::max(largestStep, std::abs(s[i] - s[i - 1]));
    EXPECT_LE(std::abs(s.front() - s.back()), largestStep);
    EXPECT_LT(std::abs(s.front() - s.back()), 0.05f);
}

} // namespace

// --- the sound list, its sounds and music, and the loading screen ----------
namespace {

struct SoundEntry {
    std::string group, id, url;
    int levelMusic = -1, loop = -1;
};

struct SoundList {
    int sounds = -1, musics = -1;
    std::vector<SoundEntry> effects, music;
};

std::string trim(const std::string& s)
{
    const size_t a = s.find_first_not_of(" \t\r");
    const size_t b = s.find_last_not_of(" \t\r");
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

// Just enough of the data-file syntax to read the sound list: groups, and
// `key = "text"` or `key = number` entries, one a line.
SoundList readSoundList(const fs::path& p)
{
    SoundList list;
    std::ifstream in(p);
    std::string line;
    std::vector<std::string> groups;
    SoundEntry current;
    while (std::getline(in, line)) {
        line = trim(line);
        if (line.size() > 1 && line.back() == '{') {
            groups.push_back(trim(line.substr(0, line.size() - 1)));
            current = {};
            current.group = groups.back();
            continue;
        }
        if (line == "}") {
            if (groups.size() == 2)
                (current.group.rfind("snd", 0) == 0 ? list.effects : list.music).push_back(current);
            if (!groups.empty())
                groups.pop_back();
            continue;
        }
        const size_t eq = line.find(" = ");
        if (eq == std::string::npos)
            continue;
        const std::string key = line.substr(0, eq), value = line.substr(eq + 3);
        const std::string text = value.size() >= 2 && value.front() == '"' ? value.substr(1, value.size() - 2) : "";
        if (groups.size() == 1 && key == "sounds")
            list.sounds = std::stoi(value);
        else if (groups.size() == 1 && key == "musics")
            list.musics = std::stoi(value);
        else if (groups.size() == 2 && key == "id")
            current.id = text;
        else if (groups.size() == 2 && key == "url")
            current.url = text;
        else if (groups.size() == 2 && key == "levelMusic")
            current.levelMusic = std::stoi(value);
        else if (groups.size() == 2 && key == "loop")
            current.loop = std::stoi(value);
    }
    return list;
}

const SoundList& soundList()
{
    static const SoundList list = readSoundList(gameDir / "data/globalSnd.dat");
    return list;
}

struct Decoded {
    int rate = 0, channels = 0;
    std::vector<std::vector<float>> channel; // one vector per channel
    double seconds() const { return channel.empty() ? 0 : static_cast<double>(channel[0].size()) / rate; }
};

Decoded decodeOgg(const fs::path& p)
{
    Decoded d;
    OggVorbis_File vf;
    if (ov_fopen(p.c_str(), &vf) != 0)
        return d;
    d.rate = static_cast<int>(ov_info(&vf, -1)->rate);
    d.channels = ov_info(&vf, -1)->channels;
    d.channel.resize(d.channels);
    for (;;) {
        float** pcm = nullptr;
        int section = 0;
        const long n = ov_read_float(&vf, &pcm, 4096, &section);
        if (n <= 0)
            break;
        for (int c = 0; c < d.channels; ++c)
            d.channel[c].insert(d.channel[c].end(), pcm[c], pcm[c] + n);
    }
    ov_clear(&vf);
    return d;
}

float peakOf(const Decoded& d)
{
    float peak = 0;
    for (const auto& ch : d.channel)
        for (float v : ch)
            peak = std::max(peak, std::abs(v));
    return peak;
}

TEST(SoundList, FileEndsWithANewlineAndHasNoCarriageReturns)
{
    const std::string text = readAll(gameDir / "data/globalSnd.dat");
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');
    EXPECT_EQ(text.find('\r'), std::string::npos);
}

TEST(SoundList, NamesEveryEffectAndPieceTheGameAsksFor)
{
    const SoundList& list = soundList();
    const char* effects[] = {
        "createBonus1", "createPowerUp", "createPowerUp2", "createPowerUp3", "tile-Break", "hammer-break-1",
        "hammer-break-2", "hammer-break-3", "chain-break", "chipDestroy1", "puzzle-matched", "puzzle-clicked",
        "bomb1", "bomb2", "bomb3", "szu", "chipMove2", "crossfire1", "crossfire2", "crossfire3", "fireWork",
        "bad-match", "chipMove", "level-begin", "magic1", "magic2", "shuffle1", "shuffle2", "level-completed",
    };
    ASSERT_EQ(list.sounds, 29);
    ASSERT_EQ(list.effects.size(), 29u);
    for (size_t k = 0; k < list.effects.size(); ++k) {
        EXPECT_EQ(list.effects[k].group, "snd" + std::to_string(k + 1));
        EXPECT_EQ(list.effects[k].id, effects[k]);
    }

    const struct {
        const char* id;
        int levelMusic;
    } music[] = {
        {"title-screen", 0}, {"main menu", 0}, {"main-menu", 0}, {"story", 0},
        {"level-1", 1},      {"level-2", 1},   {"level-3", 1},   {"level-4", 1},
    };
    ASSERT_EQ(list.musics, 8);
    ASSERT_EQ(list.music.size(), 8u);
    for (size_t k = 0; k < list.music.size(); ++k) {
        SCOPED_TRACE(list.music[k].id);
        EXPECT_EQ(list.music[k].group, "music" + std::to_string(k + 1));
        EXPECT_EQ(list.music[k].id, music[k].id);
        EXPECT_EQ(list.music[k].levelMusic, music[k].levelMusic);
        EXPECT_EQ(list.music[k].loop, 1);
    }
}

TEST(SoundList, EveryFileItNamesIsInTheGameFolderAndDecodes)
{
    const SoundList& list = soundList();
    std::vector<SoundEntry> all = list.effects;
    all.insert(all.end(), list.music.begin(), list.music.end());
    ASSERT_FALSE(all.empty());
    for (const SoundEntry& e : all) {
        SCOPED_TRACE(e.url);
        ASSERT_TRUE(fs::is_regular_file(gameDir / e.url));
        const Decoded d = decodeOgg(gameDir / e.url);
        EXPECT_EQ(d.rate, 44100);
        EXPECT_GT(d.seconds(), 0.0);
    }
}

TEST(SoundEffects, PeakNearMinus3dBWithoutClippingAndStayShort)
{
    for (const SoundEntry& e : soundList().effects) {
        SCOPED_TRACE(e.url);
        const Decoded d = decodeOgg(gameDir / e.url);
        ASSERT_GT(d.seconds(), 0.0);
        EXPECT_EQ(d.channels, 1);
        const double db = 20 * std::log10(peakOf(d));
        // the encoder moves peaks a little either way
        EXPECT_LT(db, -1.0);
        EXPECT_GT(db, -5.0);
        EXPECT_LE(d.seconds(), e.id == "level-completed" ? 4.0 : 1.5);
        // a sound that starts or stops mid-wave clicks
        EXPECT_LT(std::abs(d.channel[0].back()), 0.01f);
    }
}

TEST(SoundEffects, TheFrequentOnesAreTheShortest)
{
    const struct {
        const char* id;
        double maxSeconds;
    } cases[] = {{"chipMove", 0.1}, {"chipDestroy1", 0.2}, {"puzzle-clicked", 0.12}, {"chipMove2", 0.12}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        const fs::path p = gameDir / "gfx/sounds" / (std::string(c.id) + ".ogg");
        const Decoded d = decodeOgg(p);
        ASSERT_GT(d.seconds(), 0.0);
        EXPECT_LE(d.seconds(), c.maxSeconds);
    }
}

TEST(Music, PiecesAreStereoLoopsOfHalfAMinuteToAMinuteThatJoinSmoothly)
{
    for (const SoundEntry& e : soundList().music) {
        SCOPED_TRACE(e.id);
        const Decoded d = decodeOgg(gameDir / e.url);
        ASSERT_EQ(d.channels, 2);
        EXPECT_GE(d.seconds(), 30.0);
        EXPECT_LE(d.seconds(), 60.0);
        EXPECT_LT(peakOf(d), 0.95f);
        for (const auto& ch : d.channel) {
            // The loop point is no bigger a step than the piece takes
            // elsewhere; a cut would stand out as a click.
            float largestStep = 0;
            for (size_t i = 1; i < ch.size(); ++i)
                largestStep = std::max(largestStep, std::abs(ch[i] - ch[i - 1]));
            EXPECT_LE(std::abs(ch.front() - ch.back()), largestStep);
            EXPECT_LT(std::abs(ch.front() - ch.back()), 0.05f);
        }
    }
}

TEST(Music, PiecesAreNotSilentAnywhere)
{
    // a loop with a dead second in it sounds like the game froze
    for (const SoundEntry& e : soundList().music) {
        SCOPED_TRACE(e.id);
        const Decoded d = decodeOgg(gameDir / e.url);
        ASSERT_EQ(d.channels, 2);
        const size_t window = static_cast<size_t>(d.rate);
        for (size_t start = 0; start + window <= d.channel[0].size(); start += window) {
            float peak = 0;
            for (size_t i = start; i < start + window; ++i)
                peak = std::max(peak, std::abs(d.channel[0][i]));
            EXPECT_GT(peak, 0.03f) << "second " << start / window;
        }
    }
}

// Width and height from a JPEG's frame header; zero when there is none.
std::pair<unsigned, unsigned> jpegSize(const std::string& data)
{
    if (data.size() < 4 || static_cast<unsigned char>(data[0]) != 0xFF || static_cast<unsigned char>(data[1]) != 0xD8)
        return {0, 0};
    size_t at = 2;
    while (at + 9 < data.size() && static_cast<unsigned char>(data[at]) == 0xFF) {
        const unsigned marker = static_cast<unsigned char>(data[at + 1]);
        const size_t length = (static_cast<unsigned char>(data[at + 2]) << 8) | static_cast<unsigned char>(data[at + 3]);
        if (marker >= 0xC0 && marker <= 0xC2)
            return {(static_cast<unsigned char>(data[at + 7]) << 8) | static_cast<unsigned char>(data[at + 8]),
                    (static_cast<unsigned char>(data[at + 5]) << 8) | static_cast<unsigned char>(data[at + 6])};
        at += 2 + length;
    }
    return {0, 0};
}

TEST(LoadingScreen, BackgroundIsAFullScreenJpeg)
{
    const auto [w, h] = jpegSize(readAll(gameDir / "gfx/gui/loading/back.jpg"));
    EXPECT_EQ(w, 1024u);
    EXPECT_EQ(h, 768u);
}

TEST(LoadingScreen, DogAndLogoAreTransparentAroundASolidMiddle)
{
    const struct {
        const char* rel;
        int width, height;
    } cases[] = {
        {"gfx/gui/loading/dog.png", 300, 300},
        {"gfx/gui/loading/eng/logo.png", 400, 120},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rel);
        const Rgba img = decodePng(gameDir / c.rel);
        ASSERT_EQ(img.width, c.width);
        ASSERT_EQ(img.height, c.height);
        for (auto [x, y] : {std::pair{0, 0}, std::pair{c.width - 1, 0}, std::pair{0, c.height - 1},
                            std::pair{c.width - 1, c.height - 1}})
            EXPECT_EQ(img.at(x, y)[3], 0) << x << "," << y;
        // the drawing sits in the middle: its opaque box is roughly centred
        int x0 = c.width, x1 = -1, y0 = c.height, y1 = -1, black = 0;
        for (int y = 0; y < img.height; ++y)
            for (int x = 0; x < img.width; ++x) {
                const unsigned char* p = img.at(x, y);
                if (p[3] < 128)
                    continue;
                x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
                black += p[3] == 255 && ((p[0] == 0 && p[2] == 0) && (p[1] == 0 || p[1] == 255));
            }
        ASSERT_GE(x1, 0);
        EXPECT_NEAR((x0 + x1) / 2.0, c.width / 2.0, c.width * 0.08);
        EXPECT_NEAR((y0 + y1) / 2.0, c.height / 2.0, c.height * 0.1);
        EXPECT_GT(x1 - x0, c.width * 0.75);
        EXPECT_GT(y1 - y0, c.height * 0.6);
        EXPECT_EQ(black, 0);
    }
}

TEST(LoadingScreen, DogRevealStartsWithItsFeet)
{
    // The screen uncovers the dog from the bottom row up; the first rows
    // shown must already hold something, or the bar seems stuck.
    const Rgba img = decodePng(gameDir / "gfx/gui/loading/dog.png");
    ASSERT_EQ(img.height, 300);
    int solid = 0;
    for (int y = img.height - 30; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            solid += img.at(x, y)[3] > 200;
    EXPECT_GT(solid, 1000);
}

} // namespace

// --- board content -------------------------------------------------------
#include "data/RCMFile.h"

namespace {

// Every image a board catalog names exists, with the size the board needs.
TEST(BoardContent, CatalogImagesExistAtTheirSizes)
{
    struct Catalog {
        const char* file;
        const char* group;
        const char* kind;
        const char* key;
        int first;
        int maxW, maxH;  // 0: exact size 42 x 42 required
    };
    const Catalog catalogs[] = {
        {"data/chips.dat", "chips", "chip", "gfx", 1, 42, 42},
        {"data/bonusy.dat", "chips", "chip", "gfx", 1, 42, 42},
        {"data/tiles.dat", "tiles", "tile", "gfx", 0, 0, 0},
        {"data/tiles1.dat", "tiles", "tile", "gfx", 0, 0, 0},
        {"data/frames.dat", "frames", "frame", "gfx", 0, 0, 0},
    };
    for (const Catalog& c : catalogs) {
        auto f = loadRCMFile((gameDir / c.file).string());
        const int n = static_cast<int>(f->getFloat(std::string(c.group) + "::i"));
        ASSERT_GT(n, 0) << c.file;
        for (int k = c.first; k <= n; ++k) {
            const std::string key = std::string(c.group) + "::" + c.kind + std::to_string(k) + "::" + c.key;
            const std::string path = f->getString(key);
            const Rgba img = decodePng(gameDir / path);
            ASSERT_GT(img.width, 0) << c.file << " " << path;
            if (c.maxW == 0) {
                EXPECT_EQ(img.width, 42) << path;
                EXPECT_EQ(img.height, 42) << path;
            } else {
                EXPECT_LE(img.width, c.maxW) << path;
                EXPECT_LE(img.height, c.maxH) << path;
            }
        }
    }
    // Piece 0 lies over every cell: it must not hide anything.
    const Rgba blank = decodePng(gameDir / "gfx/frames/frame-0.png");
    ASSERT_EQ(blank.width, 42);
    for (size_t i = 3; i < blank.px.size(); i += 4)
        ASSERT_EQ(blank.px[i], 0);
    for (const char* p : {"gfx/tiles/chain.png", "gfx/tiles/chain2.png", "gfx/poswiata-1.png", "gfx/poswiata-2.png"})
        EXPECT_GT(decodePng(gameDir / p).width, 0) << p;

    auto backs = loadRCMFile((gameDir / "data/backgrounds.dat").string());
    const int nb = static_cast<int>(backs->getFloat("backGrounds::i"));
    EXPECT_EQ(nb, 19);
    for (int k = 1; k <= nb; ++k) {
        const std::string path = backs->getString("backGrounds::back" + std::to_string(k) + "::url");
        EXPECT_EQ(backs->getFloat("backGrounds::back" + std::to_string(k) + "::id"), k);
        const std::string bytes = readAll(gameDir / path);
        ASSERT_GT(bytes.size(), 1000u) << path;
        EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xFF) << path << " is a JPEG";
    }
}

} // namespace
