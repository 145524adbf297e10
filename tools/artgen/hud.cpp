// The play screen's panels and counters: wooden boards with a paper face,
// sunset ribbons with gold text areas, the power-up roll with its six tool
// buttons, the clock and the glass time tube, the mode emblems, the tool
// cursors and the hint arrows.
#include "hud.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace artgen {

namespace {

constexpr double kPi = M_PI;

Rgb greyed(Rgb c)
{
    const double l = 0.30 * c.r + 0.59 * c.g + 0.11 * c.b;
    return mix(c, Rgb{l, l, l}, 0.8);
}

// A wooden board with grain running along it and a cocoa rim.
void woodBoard(cairo_t* cr, double x, double y, double w, double h, double r, bool horizontal = true)
{
    roundedRect(cr, x, y, w, h, r);
    if (horizontal)
        fillWood(cr, 0, y, 0, y + h, 0.25, 0.3, 0.45);
    else
        fillWood(cr, x, 0, x + w, 0, 0.25, 0.3, 0.45);
    setColor(cr, pal::cocoa);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    cairo_save(cr);
    roundedRect(cr, x + 2, y + 2, w - 4, h - 4, std::max(1.0, r - 2));
    cairo_clip(cr);
    const int lines = horizontal ? static_cast<int>(h / 7) : static_cast<int>(w / 7);
    for (int i = 1; i < lines; ++i) {
        if (horizontal) {
            const double yy = y + i * h / lines;
            cairo_move_to(cr, x, yy);
            cairo_curve_to(cr, x + w * 0.3, yy + 2.5 * std::sin(i * 1.7), x + w * 0.7, yy - 2.5 * std::cos(i * 1.3),
                           x + w, yy + std::sin(i));
        } else {
            const double xx = x + i * w / lines;
            cairo_move_to(cr, xx, y);
            cairo_curve_to(cr, xx + 2.5 * std::sin(i * 1.7), y + h * 0.3, xx - 2.5 * std::cos(i * 1.3), y + h * 0.7,
                           xx + std::sin(i), y + h);
        }
    }
    setColor(cr, pal::grain, 0.28);
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
    cairo_restore(cr);
    // A thin light bevel along the top edge.
    roundedRect(cr, x + 3.5, y + 3.5, w - 7, h - 7, std::max(1.0, r - 3));
    setColor(cr, pal::white, 0.18);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

// A sunset ribbon band with folded ends and a darker text area in the middle.
void ribbon(cairo_t* cr, double x0, double y0, double x1, double y1, double notch)
{
    const double my = (y0 + y1) / 2;
    cairo_new_path(cr);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y0);
    cairo_line_to(cr, x1 - notch, my);
    cairo_line_to(cr, x1, y1);
    cairo_line_to(cr, x0, y1);
    cairo_line_to(cr, x0 + notch, my);
    cairo_close_path(cr);
    paintShape(cr, ShapeStyle{pal::sunset, 2.0, 0.25}, x0, y0, x1, y1);
    // Stitching along both edges.
    cairo_set_dash(cr, std::array<double, 2>{4, 3}.data(), 2, 0);
    cairo_move_to(cr, x0 + notch + 4, y0 + 4);
    cairo_line_to(cr, x1 - notch - 4, y0 + 4);
    cairo_move_to(cr, x0 + notch + 4, y1 - 4);
    cairo_line_to(cr, x1 - notch - 4, y1 - 4);
    setColor(cr, lighter(pal::gold, 0.3), 0.8);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
}

// A plate for text: darker orange with a gold rim.
void textPlate(cairo_t* cr, double x, double y, double w, double h)
{
    roundedRect(cr, x, y, w, h, h / 2);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + h);
    addStop(p, 0, darker(pal::sunset, 0.55));
    addStop(p, 1, darker(pal::sunset, 0.35));
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    setColor(cr, pal::gold, 0.9);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

void star(cairo_t* cr, double cx, double cy, double ro, double ri, int points, double rot = -90)
{
    cairo_new_path(cr);
    for (int i = 0; i < points * 2; ++i) {
        const double a = (rot + i * 180.0 / points) * kPi / 180;
        const double r = (i % 2) ? ri : ro;
        if (i == 0) cairo_move_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
        else cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(cr);
}

// A small breakable-cell icon (cracked glass square) and a jigsaw piece icon.
void tileIcon(cairo_t* cr, double cx, double cy, double s)
{
    roundedRect(cr, cx - s / 2, cy - s / 2, s, s, s * 0.18);
    paintShape(cr, ShapeStyle{lighter(pal::sky, 0.2), 2.0, 0.6}, cx - s / 2, cy - s / 2, cx + s / 2, cy + s / 2);
    cairo_move_to(cr, cx - s * 0.3, cy - s * 0.25);
    cairo_line_to(cr, cx - s * 0.02, cy + s * 0.02);
    cairo_line_to(cr, cx + s * 0.3, cy - s * 0.12);
    cairo_move_to(cr, cx - s * 0.02, cy + s * 0.02);
    cairo_line_to(cr, cx + s * 0.08, cy + s * 0.32);
    setColor(cr, pal::white, 0.9);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
}

void pieceShape(cairo_t* cr, double cx, double cy, double s)
{
    const double h = s / 2, k = s * 0.16;
    cairo_new_path(cr);
    cairo_move_to(cr, cx - h, cy - h);
    cairo_line_to(cr, cx - k, cy - h);
    cairo_arc_negative(cr, cx, cy - h, k, kPi, 0);
    cairo_line_to(cr, cx + h, cy - h);
    cairo_line_to(cr, cx + h, cy - k);
    cairo_arc(cr, cx + h, cy, k, -kPi / 2, kPi / 2);
    cairo_line_to(cr, cx + h, cy + h);
    cairo_line_to(cr, cx - h, cy + h);
    cairo_line_to(cr, cx - h, cy + k);
    cairo_arc_negative(cr, cx - h, cy, k, kPi / 2, -kPi / 2);
    cairo_close_path(cr);
}

void pieceIcon(cairo_t* cr, double cx, double cy, double s)
{
    pieceShape(cr, cx, cy, s);
    paintShape(cr, ShapeStyle{pal::cream, 2.0, 0.5}, cx - s / 2, cy - s / 2, cx + s / 2, cy + s / 2);
    pieceShape(cr, cx, cy, s * 0.78);
    setColor(cr, pal::gold, 0.9);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
}

// ----------------------------------------------------------------- tool icons

// Each icon is drawn into a 64 x 64 cell around (32, 32).
void iconHammer(cairo_t* cr)
{
    cairo_save(cr);
    cairo_translate(cr, 32, 33);
    cairo_rotate(cr, -0.7);
    roundedRect(cr, -3.5, -6, 7, 28, 3);
    paintShape(cr, ShapeStyle{pal::wood, 1.5, 0.3}, -3.5, -6, 3.5, 22);
    roundedRect(cr, -14, -16, 28, 12, 3);
    paintShape(cr, ShapeStyle{hex(0xA7B4BE), 1.5, 0.7}, -14, -16, 14, -4);
    cairo_restore(cr);
}

void iconCrossfire(cairo_t* cr)
{
    for (int k = 0; k < 2; ++k) {
        cairo_save(cr);
        cairo_translate(cr, 32, 32);
        cairo_rotate(cr, k ? kPi / 4 : -kPi / 4);
        cairo_new_path(cr);
        // A double-headed arrow.
        cairo_move_to(cr, -20, 0);
        cairo_line_to(cr, -12, -8);
        cairo_line_to(cr, -12, -3);
        cairo_line_to(cr, 12, -3);
        cairo_line_to(cr, 12, -8);
        cairo_line_to(cr, 20, 0);
        cairo_line_to(cr, 12, 8);
        cairo_line_to(cr, 12, 3);
        cairo_line_to(cr, -12, 3);
        cairo_line_to(cr, -12, 8);
        cairo_close_path(cr);
        paintShape(cr, ShapeStyle{k ? pal::sunset : hex(0xE8604C), 1.5, 0.4}, -20, -8, 20, 8);
        cairo_restore(cr);
    }
}

void iconDice(cairo_t* cr)
{
    roundedRect(cr, 16, 16, 32, 32, 7);
    paintShape(cr, ShapeStyle{pal::cream, 1.8, 0.6}, 16, 16, 48, 48);
    const double pips[5][2] = {{24, 24}, {40, 24}, {32, 32}, {24, 40}, {40, 40}};
    for (auto& p : pips) {
        cairo_new_path(cr);
        cairo_arc(cr, p[0], p[1], 3.2, 0, 2 * kPi);
        setColor(cr, hex(0xC0392B));
        cairo_fill(cr);
    }
}

void iconShuffle(cairo_t* cr)
{
    for (int k = 0; k < 2; ++k) {
        cairo_save(cr);
        cairo_translate(cr, 32, 32);
        if (k) cairo_scale(cr, 1, -1);
        cairo_new_path(cr);
        cairo_move_to(cr, -20, -10);
        cairo_curve_to(cr, -4, -10, 2, 10, 12, 10);
        setColor(cr, pal::cocoa);
        cairo_set_line_width(cr, 8);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke_preserve(cr);
        setColor(cr, k ? pal::sky : pal::leaf);
        cairo_set_line_width(cr, 4.5);
        cairo_stroke(cr);
        cairo_new_path(cr);
        cairo_move_to(cr, 10, 3);
        cairo_line_to(cr, 21, 10);
        cairo_line_to(cr, 10, 17);
        cairo_close_path(cr);
        paintShape(cr, ShapeStyle{k ? pal::sky : pal::leaf, 1.5, 0.3}, 10, 3, 21, 17);
        cairo_restore(cr);
    }
}

void iconWand(cairo_t* cr)
{
    cairo_save(cr);
    cairo_translate(cr, 32, 32);
    cairo_rotate(cr, 0.75);
    roundedRect(cr, -3, -4, 6, 28, 2.5);
    paintShape(cr, ShapeStyle{hex(0x6B4A8A), 1.5, 0.4}, -3, -4, 3, 24);
    roundedRect(cr, -3, 18, 6, 6, 2);
    setColor(cr, pal::white);
    cairo_fill(cr);
    cairo_restore(cr);
    star(cr, 24, 22, 12, 5, 5);
    paintShape(cr, ShapeStyle{pal::gold, 1.5, 0.6}, 12, 10, 36, 34);
}

void iconNeedle(cairo_t* cr)
{
    // A red thread loop and a silver needle across it.
    cairo_new_path(cr);
    cairo_move_to(cr, 40, 18);
    cairo_curve_to(cr, 58, 20, 52, 46, 34, 44);
    cairo_curve_to(cr, 20, 42, 18, 52, 26, 54);
    setColor(cr, pal::cocoa);
    cairo_set_line_width(cr, 5);
    cairo_stroke_preserve(cr);
    setColor(cr, hex(0xD9534F));
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_translate(cr, 32, 32);
    cairo_rotate(cr, -0.8);
    cairo_new_path(cr);
    cairo_move_to(cr, -24, 0);
    cairo_line_to(cr, 16, -3.5);
    cairo_arc(cr, 18, 0, 3.5, -kPi / 2, kPi / 2);
    cairo_line_to(cr, -24, 0);
    cairo_close_path(cr);
    paintShape(cr, ShapeStyle{hex(0xC9D3DA), 1.4, 0.7}, -24, -4, 22, 4);
    cairo_new_path(cr);
    cairo_arc(cr, 16, 0, 1.4, 0, 2 * kPi);
    setColor(cr, pal::cocoa);
    cairo_fill(cr);
    cairo_restore(cr);
    // A few sparkles: it makes things vanish.
    for (auto& s : {std::array<double, 3>{14, 16, 4}, std::array<double, 3>{50, 50, 3.5}}) {
        star(cr, s[0], s[1], s[2] * 2, s[2] * 0.6, 4, 0);
        setColor(cr, pal::gold);
        cairo_fill(cr);
    }
}

using IconFn = void (*)(cairo_t*);

// One 64 x 64 cell of a power-up button: a round cream disc in a wooden ring
// with the tool on it. Look 0 normal, 1 hover, 2 pressed, 3 the light
// silhouette that doubles as the charge gauge's rim.
void toolCell(cairo_t* cr, double ox, int look, IconFn icon)
{
    cairo_save(cr);
    cairo_rectangle(cr, ox, 0, 64, 64);
    cairo_clip(cr);
    const double shift = look == 2 ? 2 : 0;
    cairo_translate(cr, ox + shift, shift);
    if (look == 3) {
        cairo_new_path(cr);
        cairo_arc(cr, 32, 32, 28, 0, 2 * kPi);
        setColor(cr, hex(0xE8E4DA));
        cairo_set_line_width(cr, 4);
        cairo_stroke(cr);
        cairo_push_group(cr);
        icon(cr);
        cairo_pattern_t* grp = cairo_pop_group(cr);
        // The tool's shape, flat and light.
        setColor(cr, hex(0xD8D2C6), 0.85);
        cairo_mask(cr, grp);
        cairo_pattern_destroy(grp);
        cairo_restore(cr);
        return;
    }
    cairo_new_path(cr);
    cairo_arc(cr, 32, 32, 29, 0, 2 * kPi);
    Rgb ring = look == 1 ? lighter(pal::wood, 0.25) : look == 2 ? darker(pal::wood, 0.2) : pal::wood;
    paintShape(cr, ShapeStyle{ring, 1.5, 0.25}, 3, 3, 61, 61);
    cairo_new_path(cr);
    cairo_arc(cr, 32, 32, 23, 0, 2 * kPi);
    cairo_pattern_t* p = cairo_pattern_create_radial(26, 24, 2, 32, 32, 26);
    Rgb face = look == 1 ? lighter(pal::cream, 0.5) : look == 2 ? darker(pal::cream, 0.1) : pal::cream;
    addStop(p, 0, lighter(face, 0.5));
    addStop(p, 1, darker(face, 0.12));
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    setColor(cr, pal::grain, 0.6);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_translate(cr, 32, 32);
    cairo_scale(cr, 0.78, 0.78);
    cairo_translate(cr, -32, -32);
    icon(cr);
    cairo_restore(cr);
    cairo_restore(cr);
}

void toolStrip(Canvas& c, IconFn icon)
{
    for (int look = 0; look < 4; ++look) toolCell(c.cr, look * 64.0, look, icon);
}

// The mode emblems: a medallion with the mode's move drawn on it.
void modeChips(cairo_t* cr, int mode, double cx, double cy, double s)
{
    const Rgb cols[3] = {hex(0xE8604C), pal::sky, pal::leaf};
    auto chip = [&](double x, double y, Rgb col) {
        cairo_new_path(cr);
        cairo_arc(cr, x, y, s * 0.13, 0, 2 * kPi);
        paintShape(cr, ShapeStyle{col, std::max(1.0, s / 90), 0.6}, x - s * 0.13, y - s * 0.13, x + s * 0.13,
                   y + s * 0.13);
    };
    if (mode == 0) {
        // Two chips trading places, with curved arrows between them.
        chip(cx - s * 0.2, cy, cols[0]);
        chip(cx + s * 0.2, cy, pal::gold);
        for (int k = 0; k < 2; ++k) {
            const double dir = k ? 1 : -1;
            cairo_new_path(cr);
            cairo_arc(cr, cx, cy, s * 0.22, k ? 0.35 * kPi : 1.35 * kPi, k ? 0.65 * kPi : 1.65 * kPi);
            setColor(cr, pal::cocoa);
            cairo_set_line_width(cr, std::max(2.0, s * 0.045));
            cairo_stroke(cr);
            (void)dir;
        }
    } else if (mode == 1) {
        // A path through four chips of one colour.
        const double pts[4][2] = {{-0.24, 0.18}, {-0.08, -0.12}, {0.1, 0.12}, {0.25, -0.16}};
        cairo_new_path(cr);
        for (int i = 0; i < 4; ++i) {
            const double x = cx + pts[i][0] * s, y = cy + pts[i][1] * s;
            if (i == 0) cairo_move_to(cr, x, y);
            else cairo_line_to(cr, x, y);
        }
        setColor(cr, pal::white, 0.9);
        cairo_set_line_width(cr, std::max(2.0, s * 0.05));
        cairo_stroke(cr);
        for (auto& p : pts) chip(cx + p[0] * s, cy + p[1] * s, cols[1]);
    } else {
        // A cluster of one colour.
        const double pts[5][2] = {{-0.14, -0.1}, {0.12, -0.12}, {-0.02, 0.08}, {0.22, 0.1}, {-0.24, 0.14}};
        for (auto& p : pts) chip(cx + p[0] * s, cy + p[1] * s, cols[2]);
    }
}

void modeEmblem(Canvas& c, int mode)
{
    cairo_t* cr = c.cr;
    const double s = c.width, cx = s / 2, cy = s / 2;
    const bool small = s < 100;
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, s * 0.46, 0, 2 * kPi);
    paintShape(cr, ShapeStyle{pal::wood, small ? 1.5 : 3.0, 0.2}, 0, 0, s, s);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, s * 0.38, 0, 2 * kPi);
    cairo_pattern_t* p = cairo_pattern_create_radial(cx - s * 0.1, cy - s * 0.12, 1, cx, cy, s * 0.4);
    addStop(p, 0, lighter(pal::cream, 0.6));
    addStop(p, 1, pal::sand);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    setColor(cr, pal::gold);
    cairo_set_line_width(cr, small ? 1.5 : 4);
    cairo_stroke(cr);
    modeChips(cr, mode, cx, cy, s);
}

// A cursor tool, drawn at its natural place in a small image.
void cursorWith(Canvas& c, IconFn icon, double scale, double dx, double dy)
{
    cairo_save(c.cr);
    cairo_translate(c.cr, dx, dy);
    cairo_scale(c.cr, scale, scale);
    icon(c.cr);
    cairo_restore(c.cr);
}

void arrowShape(Canvas& c, Rgb col)
{
    cairo_t* cr = c.cr;
    const double w = c.width, h = c.height;
    // Points up: the screen turns it toward the other cell of the swap.
    cairo_new_path(cr);
    cairo_move_to(cr, w / 2, 3);
    cairo_line_to(cr, w - 3, h * 0.48);
    cairo_line_to(cr, w * 0.68, h * 0.48);
    cairo_line_to(cr, w * 0.68, h - 3);
    cairo_line_to(cr, w * 0.32, h - 3);
    cairo_line_to(cr, w * 0.32, h * 0.48);
    cairo_line_to(cr, 3, h * 0.48);
    cairo_close_path(cr);
    paintShape(cr, ShapeStyle{col, 2.0, 0.5}, 0, 0, w, h);
}

} // namespace

// ----------------------------------------------------------------- panels

void paintHudUnderlay(Canvas& c)
{
    woodBoard(c.cr, 2, 2, c.width + 20, c.height - 4, 16);
}

void paintHudRibbon(Canvas& c)
{
    cairo_t* cr = c.cr;
    ribbon(cr, -10, 3, c.width - 2, c.height - 3, 14);
    textPlate(cr, 16, 11, 128, 28);
    textPlate(cr, 152, 11, 118, 28);
}

void paintHudCounters(Canvas& c)
{
    cairo_t* cr = c.cr;
    const double w = c.width, h = c.height;
    // A paper tag hanging from the top edge.
    cairo_new_path(cr);
    cairo_move_to(cr, 4, 0);
    cairo_line_to(cr, w + 10, 0);
    cairo_line_to(cr, w + 10, h - 4);
    cairo_line_to(cr, 22, h - 4);
    cairo_curve_to(cr, 8, h - 4, 4, h - 12, 4, h - 22);
    cairo_close_path(cr);
    paintShape(cr, ShapeStyle{pal::sunset, 2.0, 0.2}, 0, 0, w, h);
    textPlate(cr, 70, 7, 56, 36);
    textPlate(cr, 70, 55, 56, 36);
    tileIcon(cr, 40, 25, 26);
    pieceIcon(cr, 40, 72, 24);
}

void paintHudPowerPanel(Canvas& c)
{
    cairo_t* cr = c.cr;
    const double w = c.width, h = c.height;
    woodBoard(cr, 3, -10, w - 6, h + 6, 20, false);
    // The roll's end at the bottom.
    roundedRect(cr, 0, h - 22, w, 20, 10);
    paintShape(cr, ShapeStyle{darker(pal::wood, 0.15), 2.0, 0.3}, 0, h - 22, w, h - 2);
    // Sockets for the six buttons (their centres on the canvas, x 56).
    const double ys[6] = {97, 189, 269, 349, 429, 517};
    for (double y : ys) {
        cairo_new_path(cr);
        cairo_arc(cr, 56 - 4, y, 33, 0, 2 * kPi);
        cairo_pattern_t* p = cairo_pattern_create_radial(52, y, 20, 52, y, 34);
        addStop(p, 0, darker(pal::wood, 0.55), 0.9);
        addStop(p, 1, darker(pal::wood, 0.2), 0.6);
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    }
    // Brass nails at the corners.
    for (double y : {12.0, h - 34}) {
        for (double x : {14.0, w - 14}) {
            cairo_new_path(cr);
            cairo_arc(cr, x, y, 3.5, 0, 2 * kPi);
            paintShape(cr, ShapeStyle{pal::gold, 1.0, 0.7}, x - 4, y - 4, x + 4, y + 4);
        }
    }
}

void paintHudOutline(Canvas& c)
{
    cairo_t* cr = c.cr;
    const double s = c.width, cx = s / 2;
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cx, s * 0.3, cx, cx, s * 0.5);
    addStop(p, 0, pal::gold, 0);
    addStop(p, 0.35, pal::gold, 0.95);
    addStop(p, 0.6, lighter(pal::gold, 0.5), 0.6);
    addStop(p, 1, pal::gold, 0);
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
}

void paintHudBow(Canvas& c)
{
    cairo_t* cr = c.cr;
    const Rgb red = hex(0xC8453A);
    // Two ribbon tails, two loops, a knot.
    for (int k = 0; k < 2; ++k) {
        const double d = k ? 1 : -1;
        cairo_new_path(cr);
        cairo_move_to(cr, 32 + d * 3, 34);
        cairo_line_to(cr, 32 + d * 16, 60);
        cairo_line_to(cr, 32 + d * 9, 56);
        cairo_line_to(cr, 32 + d * 5, 61);
        cairo_line_to(cr, 32 - d * 2, 36);
        cairo_close_path(cr);
        paintShape(cr, ShapeStyle{darker(red, 0.15), 1.5, 0.2}, 16, 34, 48, 62);
    }
    for (int k = 0; k < 2; ++k) {
        const double d = k ? 1 : -1;
        cairo_new_path(cr);
        cairo_move_to(cr, 32, 30);
        cairo_curve_to(cr, 32 + d * 10, 8, 32 + d * 32, 12, 32 + d * 28, 26);
        cairo_curve_to(cr, 32 + d * 26, 38, 32 + d * 10, 40, 32, 32);
        cairo_close_path(cr);
        paintShape(cr, ShapeStyle{red, 1.8, 0.45}, 32 - 30, 8, 32 + 30, 40);
    }
    roundedRect(cr, 26, 24, 12, 14, 4);
    paintShape(cr, ShapeStyle{darker(red, 0.1), 1.5, 0.5}, 26, 24, 38, 38);
}

void paintHudSlotBacking(Canvas& c)
{
    cairo_t* cr = c.cr;
    const double s = c.width;
    cairo_new_path(cr);
    cairo_arc(cr, s / 2, s / 2, s / 2 - 2.5, 0, 2 * kPi);
    paintShape(cr, ShapeStyle{pal::cream, 1.5, 0.5}, 0, 0, s, s);
    cairo_new_path(cr);
    cairo_arc(cr, s / 2, s / 2, s / 2 - 5, 0, 2 * kPi);
    setColor(cr, pal::gold);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

void paintHudClock(Canvas& c)
{
    cairo_t* cr = c.cr;
    const double s = c.width, cx = s / 2;
    cairo_new_path(cr);
    cairo_arc(cr, cx, cx, s / 2 - 3, 0, 2 * kPi);
    paintShape(cr, ShapeStyle{pal::wood, 2.0, 0.3}, 0, 0, s, s);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cx, s / 2 - 11, 0, 2 * kPi);
    cairo_pattern_t* p = cairo_pattern_create_radial(cx - 8, cx - 10, 2, cx, cx, s / 2);
    addStop(p, 0, lighter(pal::cream, 0.6));
    addStop(p, 1, pal::sand);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    setColor(cr, pal::grain, 0.7);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // Hour ticks around the face (the time text sits in the middle).
    for (int i = 0; i < 12; ++i) {
        const double a = i * kPi / 6;
        const double r0 = s / 2 - 15, r1 = s / 2 - (i % 3 ? 13 : 11.5);
        cairo_move_to(cr, cx + r0 * std::cos(a), cx + r0 * std::sin(a));
        cairo_line_to(cr, cx + r1 * std::cos(a), cx + r1 * std::sin(a));
    }
    setColor(cr, pal::cocoa, 0.7);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // The bell on top.
    roundedRect(cr, cx - 6, 0.5, 12, 5, 2);
    setColor(cr, pal::gold);
    cairo_fill(cr);
}

void paintHudTubeBack(Canvas& c)
{
    cairo_t* cr = c.cr;
    const double w = c.width, h = c.height;
    roundedRect(cr, 12, 8, 16, h - 16, 8);
    cairo_pattern_t* p = cairo_pattern_create_linear(12, 0, 28, 0);
    addStop(p, 0, darker(pal::sky, 0.55), 0.85);
    addStop(p, 0.5, darker(pal::sky, 0.35), 0.75);
    addStop(p, 1, darker(pal::sky, 0.6), 0.85);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    (void)w;
}

void paintHudTubeFrame(Canvas& c)
{
    cairo_t* cr = c.cr;
    const double w = c.width, h = c.height;
    // A wooden stand with a glass tube; transparent where the bar shows.
    cairo_new_path(cr);
    roundedRect(cr, 2, 2, w - 4, h - 4, 12);
    roundedRect(cr, 13, 10, 14, h - 20, 7);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    fillWood(cr, 2, 0, w - 2, 0, 0.2, 0.3);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    setColor(cr, pal::cocoa);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    // The glass: a light streak down the left side.
    roundedRect(cr, 15, 14, 3, h - 28, 1.5);
    setColor(cr, pal::white, 0.45);
    cairo_fill(cr);
}

void paintHudTimeBar(Canvas& c)
{
    cairo_t* cr = c.cr;
    const double w = c.width;
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, w, 0);
    addStop(p, 0, darker(pal::leaf, 0.2));
    addStop(p, 0.35, lighter(pal::leaf, 0.45));
    addStop(p, 1, darker(pal::leaf, 0.35));
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
}

void paintHudTick(Canvas& c)
{
    roundedRect(c.cr, 0.5, 0.5, c.width - 1, c.height - 1, 1.5);
    setColor(c.cr, pal::gold);
    cairo_fill_preserve(c.cr);
    setColor(c.cr, pal::cocoa, 0.8);
    cairo_set_line_width(c.cr, 1);
    cairo_stroke(c.cr);
}

template <int N>
void paintHudMode(Canvas& c)
{
    modeEmblem(c, N);
}
template void paintHudMode<0>(Canvas&);
template void paintHudMode<1>(Canvas&);
template void paintHudMode<2>(Canvas&);

template <int N>
void paintHudTool(Canvas& c)
{
    static const IconFn icons[6] = {iconHammer, iconCrossfire, iconDice, iconShuffle, iconWand, iconNeedle};
    toolStrip(c, icons[N - 1]);
}
template void paintHudTool<1>(Canvas&);
template void paintHudTool<2>(Canvas&);
template void paintHudTool<3>(Canvas&);
template void paintHudTool<4>(Canvas&);
template void paintHudTool<5>(Canvas&);
template void paintHudTool<6>(Canvas&);

void paintHudMenuButton(Canvas& c)
{
    cairo_t* cr = c.cr;
    const double w = c.width / 4.0, h = c.height;
    for (int look = 0; look < 4; ++look) {
        cairo_save(cr);
        cairo_rectangle(cr, look * w, 0, w, h);
        cairo_clip(cr);
        const double shift = look == 2 ? 2 : 0;
        cairo_translate(cr, look * w + shift, shift);
        Rgb col = look == 1 ? lighter(pal::leaf, 0.25) : look == 2 ? darker(pal::leaf, 0.2) : pal::leaf;
        if (look == 3) col = greyed(pal::leaf);
        roundedRect(cr, 3, 3, w - 8, h - 8, (h - 8) / 2);
        paintShape(cr, ShapeStyle{col, 2.0, look == 2 ? 0.2 : 0.45}, 3, 3, w - 5, h - 5);
        cairo_set_font_face(cr, loadFont(c.env, "BookmanDemi.ttf"));
        cairo_set_font_size(cr, h * 0.45);
        cairo_text_extents_t ext;
        cairo_text_extents(cr, "Menu", &ext);
        const double tx = (w - 5 - ext.width) / 2 - ext.x_bearing, ty = (h - 5 - ext.height) / 2 - ext.y_bearing;
        setColor(cr, pal::cocoa, 0.8);
        cairo_move_to(cr, tx + 1, ty + 1.3);
        cairo_show_text(cr, "Menu");
        setColor(cr, pal::white);
        cairo_move_to(cr, tx, ty);
        cairo_show_text(cr, "Menu");
        cairo_restore(cr);
    }
}

// ----------------------------------------------------------------- cursors and arrows

// The tool's working tip sits at the image's handle.
void paintCursorHammer(Canvas& c) { cursorWith(c, iconHammer, 0.6, -4, -6); }
void paintCursorScissors(Canvas& c) { cursorWith(c, iconCrossfire, 0.55, -10, -11); }
void paintCursorNeedle(Canvas& c) { cursorWith(c, iconNeedle, 0.6, -4, -4); }
void paintCursorWand(Canvas& c) { cursorWith(c, iconWand, 0.6, 4, 5); }

void paintHintArrow(Canvas& c) { arrowShape(c, pal::gold); }
void paintHintArrow2(Canvas& c) { arrowShape(c, lighter(pal::sunset, 0.2)); }

} // namespace artgen
