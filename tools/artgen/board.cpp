// Board images: the chips as game pieces, bonus chips, cells, chains, the
// wooden border pieces, piece glows and one background scene per stage.
#include "Painters.h"
#include "chips.h"

#include <cmath>

namespace artgen {

namespace {

// Deterministic scatter for grain, cracks and scenery.
struct Lcg {
    unsigned state;
    double next()
    {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / double(1u << 24);
    }
};

void centreIn(Canvas& c, double size)
{
    cairo_translate(c.cr, (c.width - size) / 2, (c.height - size) / 2);
}

void bomb(cairo_t* cr, int strength)
{
    const double r = 11 + strength * 1.3;
    const Rgb body = mix(hex(0x34405A), hex(0x5A3A6A), (strength - 1) / 2.0);
    cairo_new_path(cr);
    cairo_arc(cr, 19, 24, r, 0, 2 * M_PI);
    // the fuse cap
    cairo_new_sub_path(cr);
    cairo_rectangle(cr, 22, 24 - r - 3.5, 7, 6);
    paintShape(cr, {body, 2.0, 0.6}, 19 - r, 24 - r, 19 + r, 24 + r);
    // fuse and its flame
    cairo_new_path(cr);
    cairo_move_to(cr, 25.5, 24 - r - 3);
    cairo_curve_to(cr, 28, 24 - r - 8, 33, 24 - r - 5, 33, 24 - r - 9);
    setColor(cr, pal::cocoa);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    const double fx = 33, fy = 24 - r - 10;
    cairo_pattern_t* glow = cairo_pattern_create_radial(fx, fy, 0, fx, fy, 5 + strength);
    addStop(glow, 0, pal::white, 1);
    addStop(glow, 0.35, pal::gold, 1);
    addStop(glow, 1, pal::sunset, 0);
    cairo_arc(cr, fx, fy, 5 + strength, 0, 2 * M_PI);
    cairo_set_source(cr, glow);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    // strength rings on the body
    for (int i = 0; i < strength; ++i) {
        cairo_new_path(cr);
        cairo_arc(cr, 19, 24, r - 3.5 - i * 2.6, M_PI * 0.15, M_PI * 0.85);
        setColor(cr, mix(pal::gold, pal::white, i * 0.3), 0.95);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
}

void crossArrows(cairo_t* cr, int strength)
{
    const Rgb base = mix(hex(0x3FA7E0), hex(0x7EE0F0), (strength - 1) / 2.0);
    cairo_save(cr);
    cairo_translate(cr, 20, 21);
    cairo_new_path(cr);
    for (int k = 0; k < 4; ++k) {
        cairo_save(cr);
        cairo_rotate(cr, k * M_PI / 2);
        cairo_new_sub_path(cr);
        cairo_move_to(cr, -2.6, 0);
        cairo_line_to(cr, -2.6, -10);
        cairo_line_to(cr, -6.8, -10);
        cairo_line_to(cr, 0, -17.5);
        cairo_line_to(cr, 6.8, -10);
        cairo_line_to(cr, 2.6, -10);
        cairo_line_to(cr, 2.6, 0);
        cairo_close_path(cr);
        cairo_restore(cr);
    }
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 5.5, 0, 2 * M_PI);
    cairo_restore(cr);
    paintShape(cr, {base, 2.0, 0.5}, 2, 3, 38, 39);
    for (int i = 0; i < strength; ++i) {
        cairo_new_path(cr);
        cairo_arc(cr, 20, 21, 3 + i * 3.2, 0, 2 * M_PI);
        setColor(cr, i == 0 ? pal::gold : pal::white, 0.9);
        cairo_set_line_width(cr, 1.3);
        cairo_stroke(cr);
    }
}

void jigsawPath(cairo_t* cr)
{
    // a square body with a knob on top and right, sockets left and bottom
    cairo_new_path(cr);
    cairo_move_to(cr, 6, 9);
    cairo_line_to(cr, 15, 9);
    cairo_arc(cr, 20, 6.5, 5, M_PI * 0.8, M_PI * 2.2);
    cairo_line_to(cr, 33, 9);
    cairo_line_to(cr, 33, 17);
    cairo_arc(cr, 35.5, 21.5, 4.6, -M_PI * 0.7, M_PI * 0.7);
    cairo_line_to(cr, 33, 34);
    cairo_line_to(cr, 24, 34);
    cairo_arc_negative(cr, 19.5, 34, 4.2, 0, M_PI);
    cairo_line_to(cr, 6, 34);
    cairo_line_to(cr, 6, 26);
    cairo_arc_negative(cr, 6, 21.5, 4.2, M_PI / 2, -M_PI / 2);
    cairo_close_path(cr);
}

void cracks(cairo_t* cr, unsigned seed, int layers, double alpha)
{
    Lcg rng{seed};
    for (int layer = 0; layer < layers; ++layer) {
        const double cx = 21 + (rng.next() - 0.5) * 8, cy = 21 + (rng.next() - 0.5) * 8;
        const int arms = 5 + layer * 2;
        for (int a = 0; a < arms; ++a) {
            double ang = a * 2 * M_PI / arms + rng.next() * 0.6;
            double x = cx, y = cy;
            cairo_move_to(cr, x, y);
            for (int s = 0; s < 4; ++s) {
                ang += (rng.next() - 0.5) * 0.8;
                x += std::cos(ang) * (4 + rng.next() * 3);
                y += std::sin(ang) * (4 + rng.next() * 3);
                cairo_line_to(cr, x, y);
            }
        }
        setColor(cr, pal::white, alpha);
        cairo_set_line_width(cr, 1.6 - layer * 0.3);
        cairo_stroke_preserve(cr);
        setColor(cr, hex(0x4A6A80), alpha * 0.7);
        cairo_set_line_width(cr, 0.7);
        cairo_stroke(cr);
    }
}

void cellBase(Canvas& c, Rgb top, Rgb bottom, double alpha)
{
    cairo_t* cr = c.cr;
    roundedRect(cr, 2, 2, 38, 38, 6);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 2, 0, 40);
    addStop(g, 0, top, alpha);
    addStop(g, 1, bottom, alpha);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    setColor(cr, darker(bottom, 0.35), 0.55);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

void tileKind(Canvas& c, int kind, bool alt)
{
    cairo_t* cr = c.cr;
    if (kind == 0) {
        roundedRect(cr, 3, 3, 36, 36, 6);
        const double dash[] = {4, 3};
        cairo_set_dash(cr, dash, 2, 0);
        setColor(cr, pal::cocoa, 0.7);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        cairo_set_dash(cr, nullptr, 0, 0);
        return;
    }
    const Rgb light = alt ? hex(0xE9F3D8) : pal::cream;
    const Rgb shade = alt ? hex(0xC9DDB0) : pal::sand;
    if (kind == 1) {
        cellBase(c, light, shade, 0.92);
        return;
    }
    // breakable: ice blue glass over the cell, cracks thicker with two hits
    const Rgb ice = alt ? hex(0xB6E3C9) : hex(0xA9DAF0);
    cellBase(c, lighter(ice, 0.4), ice, 0.95);
    roundedRect(cr, 5, 5, 32, 14, 5);
    setColor(cr, pal::white, 0.35);
    cairo_fill(cr);
    cracks(cr, 17u + kind * 31u, kind == 3 ? 2 : 1, kind == 3 ? 0.95 : 0.8);
    if (kind == 3) {
        roundedRect(cr, 4, 4, 34, 34, 5);
        setColor(cr, pal::white, 0.6);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
}

void chainLinks(Canvas& c, int count)
{
    cairo_t* cr = c.cr;
    for (int k = 0; k < count; ++k) {
        cairo_save(cr);
        cairo_translate(cr, c.width / 2.0, c.height / 2.0);
        cairo_rotate(cr, k == 0 ? M_PI / 4 : -M_PI / 4);
        for (int i = -2; i <= 2; ++i) {
            const bool side = (i % 2) != 0;
            cairo_new_path(cr);
            if (side) ellipse(cr, i * 8.5, 0, 6.2, 2.4);
            else ellipse(cr, i * 8.5, 0, 6.2, 4.6);
            setColor(cr, hex(0x2E3236));
            cairo_set_line_width(cr, 4.4);
            cairo_stroke_preserve(cr);
            setColor(cr, hex(0x9AA3AB));
            cairo_set_line_width(cr, 2.6);
            cairo_stroke_preserve(cr);
            setColor(cr, hex(0xE6ECF0), 0.9);
            cairo_set_line_width(cr, 0.9);
            cairo_stroke(cr);
        }
        cairo_restore(cr);
    }
}

// The wooden border: a 7-px strip, rounded where pieces turn a corner.
constexpr double kStrip = 7;

void woodFill(cairo_t* cr)
{
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 42, 42);
    addStop(g, 0, lighter(pal::wood, 0.15));
    addStop(g, 1, pal::wood);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    setColor(cr, pal::grain, 0.9);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

void framePiece(Canvas& c, int n)
{
    cairo_t* cr = c.cr;
    const double W = 42, S = kStrip;
    cairo_new_path(cr);
    switch (n) {
    case 1: cairo_rectangle(cr, 0, -1, S, W + 2); break;              // occupied cell to the left
    case 2: cairo_rectangle(cr, W - S, -1, S, W + 2); break;          // to the right
    case 3: cairo_rectangle(cr, -1, 0, W + 2, S); break;              // above
    case 4: cairo_rectangle(cr, -1, W - S, W + 2, S); break;          // below
    // outer corners: a quarter ring around the board's corner
    case 5: cairo_arc(cr, W, W, S, M_PI, 1.5 * M_PI); cairo_line_to(cr, W, W); break;
    case 6: cairo_arc(cr, 0, W, S, 1.5 * M_PI, 2 * M_PI); cairo_line_to(cr, 0, W); break;
    case 7: cairo_arc(cr, 0, 0, S, 0, 0.5 * M_PI); cairo_line_to(cr, 0, 0); break;
    case 8: cairo_arc(cr, W, 0, S, 0.5 * M_PI, M_PI); cairo_line_to(cr, W, 0); break;
    // inner joints: a rounded block where two strips meet
    case 9: roundedRect(cr, W - S - 1, W - S - 1, S + 1, S + 1, 3); break;
    case 10: roundedRect(cr, 0, W - S - 1, S + 1, S + 1, 3); break;
    case 11: roundedRect(cr, 0, 0, S + 1, S + 1, 3); break;
    case 12: roundedRect(cr, W - S - 1, 0, S + 1, S + 1, 3); break;
    default: return;  // piece 0 is transparent
    }
    cairo_close_path(cr);
    woodFill(cr);
}

// --- backgrounds ----------------------------------------------------------

struct Scene {
    Rgb skyTop, skyBottom, hill, ground;
    int kind;  // 0 park, 1 shops, 2 beach, 3 autumn woods, 4 snowy square, 5 fair at night
};

const Scene kScenes[6] = {
    {hex(0x7EC8E3), hex(0xD7EEF5), hex(0x8CC46A), hex(0x6DAA4A), 0},
    {hex(0x9FD0E8), hex(0xF3E3C6), hex(0xC9A27A), hex(0xB8A58A), 1},
    {hex(0x6FC3E8), hex(0xFBE6B8), hex(0x5BB5CF), hex(0xF0D9A0), 2},
    {hex(0xF2C58C), hex(0xF7E2C0), hex(0xB8662E), hex(0x8F5A2A), 3},
    {hex(0xB9D3E6), hex(0xEEF4F8), hex(0xDDE8F0), hex(0xF4F7FA), 4},
    {hex(0x1C2446), hex(0x4A3A6A), hex(0x2E2A4E), hex(0x3A3050), 5},
};

void sceneryItem(cairo_t* cr, const Scene& s, double x, double base, double size, Lcg& rng)
{
    switch (s.kind) {
    case 0: case 3: {  // trees
        const Rgb leaves = s.kind == 0 ? mix(pal::leaf, hex(0x3C7A30), rng.next() * 0.5)
                                       : mix(pal::sunset, hex(0xC0452A), rng.next());
        cairo_rectangle(cr, x - size * 0.08, base - size * 0.6, size * 0.16, size * 0.6);
        setColor(cr, pal::grain);
        cairo_fill(cr);
        cairo_arc(cr, x, base - size * 0.8, size * 0.42, 0, 2 * M_PI);
        setColor(cr, leaves);
        cairo_fill(cr);
        break;
    }
    case 1: {  // shop fronts
        const Rgb wall = mix(pal::sand, pal::sunset, rng.next() * 0.6);
        cairo_rectangle(cr, x - size * 0.5, base - size * 1.3, size, size * 1.3);
        setColor(cr, wall);
        cairo_fill(cr);
        cairo_rectangle(cr, x - size * 0.5, base - size * 1.0, size, size * 0.15);
        setColor(cr, mix(pal::leaf, pal::sunset, rng.next()));
        cairo_fill(cr);
        cairo_rectangle(cr, x - size * 0.3, base - size * 0.7, size * 0.6, size * 0.45);
        setColor(cr, lighter(pal::sky, 0.3));
        cairo_fill(cr);
        break;
    }
    case 2: {  // palms and parasols
        cairo_move_to(cr, x, base);
        cairo_line_to(cr, x + size * 0.1, base - size);
        setColor(cr, pal::wood);
        cairo_set_line_width(cr, size * 0.08);
        cairo_stroke(cr);
        cairo_arc(cr, x + size * 0.1, base - size, size * 0.4, M_PI, 2 * M_PI);
        setColor(cr, mix(pal::sunset, pal::white, rng.next() * 0.4));
        cairo_fill(cr);
        break;
    }
    case 4: {  // snowy firs
        cairo_move_to(cr, x, base - size * 1.2);
        cairo_line_to(cr, x - size * 0.4, base);
        cairo_line_to(cr, x + size * 0.4, base);
        cairo_close_path(cr);
        setColor(cr, hex(0x3E6A58));
        cairo_fill(cr);
        cairo_move_to(cr, x, base - size * 1.2);
        cairo_line_to(cr, x - size * 0.18, base - size * 0.7);
        cairo_line_to(cr, x + size * 0.18, base - size * 0.7);
        cairo_close_path(cr);
        setColor(cr, pal::white);
        cairo_fill(cr);
        break;
    }
    default: {  // fair lights and tents
        cairo_move_to(cr, x - size * 0.5, base);
        cairo_line_to(cr, x, base - size);
        cairo_line_to(cr, x + size * 0.5, base);
        cairo_close_path(cr);
        setColor(cr, mix(hex(0xB03A48), hex(0x3A7AB0), rng.next()));
        cairo_fill(cr);
        for (int i = 0; i < 6; ++i) {
            cairo_arc(cr, x - size * 0.5 + i * size * 0.2, base - size * 0.2, size * 0.04, 0, 2 * M_PI);
            setColor(cr, pal::gold);
            cairo_fill(cr);
        }
        break;
    }
    }
}

void paintScene(Canvas& c, int n)
{
    cairo_t* cr = c.cr;
    const Scene& s = kScenes[(n - 1) % 6];
    Lcg rng{static_cast<unsigned>(n * 7919)};
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, c.height);
    addStop(sky, 0, s.skyTop);
    addStop(sky, 0.7, s.skyBottom);
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);
    if (s.kind == 5) {  // stars
        for (int i = 0; i < 120; ++i) {
            cairo_arc(cr, rng.next() * c.width, rng.next() * 400, 0.8 + rng.next() * 1.4, 0, 2 * M_PI);
            setColor(cr, pal::white, 0.5 + rng.next() * 0.5);
            cairo_fill(cr);
        }
    } else {
        cairo_arc(cr, 120 + rng.next() * 780, 110, 46, 0, 2 * M_PI);
        setColor(cr, s.kind == 3 ? pal::sunset : pal::gold, 0.85);
        cairo_fill(cr);
    }
    // distant hills
    cairo_move_to(cr, 0, 520);
    for (int x = 0; x <= c.width; x += 32)
        cairo_line_to(cr, x, 470 + 30 * std::sin(x * 0.006 + n) + 18 * std::sin(x * 0.017 + n * 2));
    cairo_line_to(cr, c.width, c.height);
    cairo_line_to(cr, 0, c.height);
    cairo_close_path(cr);
    setColor(cr, mix(s.hill, s.skyBottom, 0.35));
    cairo_fill(cr);
    // scenery along the sides, leaving the board area quiet
    for (int i = 0; i < 9; ++i) {
        const bool left = i % 2 == 0;
        const double x = left ? 20 + rng.next() * 120 : 905 + rng.next() * 110;
        sceneryItem(cr, s, x, 600 + rng.next() * 100, 90 + rng.next() * 70, rng);
    }
    // ground
    cairo_move_to(cr, 0, 640);
    cairo_curve_to(cr, 300, 610, 700, 660, c.width, 625);
    cairo_line_to(cr, c.width, c.height);
    cairo_line_to(cr, 0, c.height);
    cairo_close_path(cr);
    setColor(cr, s.ground);
    cairo_fill(cr);
    // a soft veil over the board area so the chips stand out
    cairo_pattern_t* veil = cairo_pattern_create_radial(535, 390, 120, 535, 390, 520);
    addStop(veil, 0, pal::cocoa, 0.28);
    addStop(veil, 1, pal::cocoa, 0.0);
    cairo_set_source(cr, veil);
    cairo_paint(cr);
    cairo_pattern_destroy(veil);
}

void glowRays(Canvas& c, int rays, double twist)
{
    cairo_t* cr = c.cr;
    const double cx = c.width / 2.0, cy = c.height / 2.0, R = c.width / 2.0;
    for (int i = 0; i < rays; ++i) {
        const double a = twist + i * 2 * M_PI / rays;
        cairo_move_to(cr, cx, cy);
        cairo_arc(cr, cx, cy, R, a - 0.09, a + 0.09);
        cairo_close_path(cr);
    }
    cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, R);
    addStop(g, 0, pal::white, 0.95);
    addStop(g, 0.4, pal::gold, 0.55);
    addStop(g, 1, pal::gold, 0);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

} // namespace

template <int N>
void paintBoardChip(Canvas& c)
{
    centreIn(c, 40);
    paintChip(c.cr, allChipKinds[N - 1], 40);
}

void paintPuzzleChip(Canvas& c)
{
    centreIn(c, 40);
    jigsawPath(c.cr);
    paintShape(c.cr, {pal::cream, 2.0, 0.5}, 4, 1, 40, 39);
    jigsawPath(c.cr);
    setColor(c.cr, pal::gold);
    cairo_set_line_width(c.cr, 2.2);
    cairo_stroke(c.cr);
}

template <int N>
void paintBonusChip(Canvas& c)
{
    centreIn(c, 40);
    if (N <= 3) {
        crossArrows(c.cr, N);
    } else {
        bomb(c.cr, N - 3);
    }
}

template <int N>
void paintTile(Canvas& c)
{
    tileKind(c, N % 10, N >= 10);
}

void paintChain(Canvas& c) { chainLinks(c, 1); }
void paintChain2(Canvas& c) { chainLinks(c, 2); }

template <int N>
void paintFramePiece(Canvas& c)
{
    framePiece(c, N);
}

template <int N>
void paintBackground(Canvas& c)
{
    paintScene(c, N);
}

void paintGlow1(Canvas& c) { glowRays(c, 12, 0); }
void paintGlow2(Canvas& c) { glowRays(c, 7, 0.3); }

template void paintBoardChip<1>(Canvas&);
template void paintBoardChip<2>(Canvas&);
template void paintBoardChip<3>(Canvas&);
template void paintBoardChip<4>(Canvas&);
template void paintBoardChip<5>(Canvas&);
template void paintBoardChip<6>(Canvas&);
template void paintBoardChip<7>(Canvas&);
template void paintBonusChip<1>(Canvas&);
template void paintBonusChip<2>(Canvas&);
template void paintBonusChip<3>(Canvas&);
template void paintBonusChip<4>(Canvas&);
template void paintBonusChip<5>(Canvas&);
template void paintBonusChip<6>(Canvas&);
template void paintTile<0>(Canvas&);
template void paintTile<1>(Canvas&);
template void paintTile<2>(Canvas&);
template void paintTile<3>(Canvas&);
template void paintTile<10>(Canvas&);
template void paintTile<11>(Canvas&);
template void paintTile<12>(Canvas&);
template void paintTile<13>(Canvas&);
template void paintFramePiece<0>(Canvas&);
template void paintFramePiece<1>(Canvas&);
template void paintFramePiece<2>(Canvas&);
template void paintFramePiece<3>(Canvas&);
template void paintFramePiece<4>(Canvas&);
template void paintFramePiece<5>(Canvas&);
template void paintFramePiece<6>(Canvas&);
template void paintFramePiece<7>(Canvas&);
template void paintFramePiece<8>(Canvas&);
template void paintFramePiece<9>(Canvas&);
template void paintFramePiece<10>(Canvas&);
template void paintFramePiece<11>(Canvas&);
template void paintFramePiece<12>(Canvas&);
template void paintBackground<1>(Canvas&);
template void paintBackground<2>(Canvas&);
template void paintBackground<3>(Canvas&);
template void paintBackground<4>(Canvas&);
template void paintBackground<5>(Canvas&);
template void paintBackground<6>(Canvas&);
template void paintBackground<7>(Canvas&);
template void paintBackground<8>(Canvas&);
template void paintBackground<9>(Canvas&);
template void paintBackground<10>(Canvas&);
template void paintBackground<11>(Canvas&);
template void paintBackground<12>(Canvas&);
template void paintBackground<13>(Canvas&);
template void paintBackground<14>(Canvas&);
template void paintBackground<15>(Canvas&);
template void paintBackground<16>(Canvas&);
template void paintBackground<17>(Canvas&);
template void paintBackground<18>(Canvas&);
template void paintBackground<19>(Canvas&);

} // namespace artgen
