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
