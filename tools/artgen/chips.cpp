#include "chips.h"

#include <cmath>

namespace artgen {

namespace {

// Everything below is laid out on a 40-unit square; the outline takes 2 of
// those on each side, so shapes keep about 3 units clear of the edge.

// A small metal ring for the tags: outline first, then a gold band.
void ring(cairo_t* cr, double cx, double cy, double r)
{
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    setColor(cr, pal::cocoa);
    cairo_set_line_width(cr, 4.6);
    cairo_stroke_preserve(cr);
    setColor(cr, pal::gold);
    cairo_set_line_width(cr, 2.0);
    cairo_stroke_preserve(cr);
    // a glint on the upper left of the band
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r, M_PI * 1.05, M_PI * 1.45);
    setColor(cr, pal::white, 0.9);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void bone(cairo_t* cr)
{
    const Rgb base = chipColor(ChipKind::Bone);
    cairo_save(cr);
    cairo_translate(cr, 20, 20);
    cairo_rotate(cr, -M_PI / 6);
    cairo_new_path(cr);
    cairo_rectangle(cr, -10, -3.6, 20, 7.2);
    for (double sx : {-1.0, 1.0})
        for (double sy : {-1.0, 1.0}) {
            cairo_new_sub_path(cr);
            cairo_arc(cr, sx * 11.2, sy * 4.4, 5.0, 0, 2 * M_PI);
        }
    cairo_restore(cr);
    paintShape(cr, {base}, 4, 6, 36, 34);

    // a soft shine running along the shaft
    cairo_save(cr);
    cairo_translate(cr, 20, 20);
    cairo_rotate(cr, -M_PI / 6);
    cairo_move_to(cr, -8, -1.6);
    cairo_line_to(cr, 7, -1.6);
    setColor(cr, pal::white, 0.45);
    cairo_set_line_width(cr, 1.6);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void ball(cairo_t* cr)
{
    const Rgb base = chipColor(ChipKind::Ball);
    cairo_new_path(cr);
    cairo_arc(cr, 20, 20, 16, 0, 2 * M_PI);
    paintShape(cr, {base, 2.0, 0.5}, 4, 4, 36, 36);

    // The seam: two opposed curves, as on a real ball.
    cairo_save(cr);
    cairo_arc(cr, 20, 20, 15.8, 0, 2 * M_PI);
    cairo_clip(cr);
    cairo_translate(cr, 20, 20);
    cairo_rotate(cr, -0.45);
    cairo_new_path(cr);
    cairo_move_to(cr, -12, -16);
    cairo_curve_to(cr, -4, -7, -4, 7, -12, 16);
    cairo_move_to(cr, 12, -16);
    cairo_curve_to(cr, 4, -7, 4, 7, 12, 16);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    setColor(cr, darker(base, 0.45), 0.55);
    cairo_set_line_width(cr, 3.4);
    cairo_stroke_preserve(cr);
    setColor(cr, pal::white, 0.95);
    cairo_set_line_width(cr, 2.0);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void paw(cairo_t* cr)
{
    const Rgb base = chipColor(ChipKind::Paw);
    cairo_new_path(cr);
    // main pad: a rounded, slightly heart-shaped cushion
    cairo_move_to(cr, 20, 19.5);
    cairo_curve_to(cr, 26, 19.5, 31, 25, 31, 29.5);
    cairo_curve_to(cr, 31, 34, 27, 35.5, 24, 34.5);
    cairo_curve_to(cr, 22, 33.8, 18, 33.8, 16, 34.5);
    cairo_curve_to(cr, 13, 35.5, 9, 34, 9, 29.5);
    cairo_curve_to(cr, 9, 25, 14, 19.5, 20, 19.5);
    cairo_close_path(cr);
    struct Toe {
        double x, y, angle;
    };
    for (Toe t : {Toe{8.0, 17.5, -0.5}, Toe{15.2, 9.8, -0.18}, Toe{24.8, 9.8, 0.18}, Toe{32.0, 17.5, 0.5}}) {
        cairo_save(cr);
        cairo_translate(cr, t.x, t.y);
        cairo_rotate(cr, t.angle);
        ellipse(cr, 0, 0, 4.1, 5.2);
        cairo_restore(cr);
    }
    paintShape(cr, {base}, 4, 4, 36, 36);
}

void tag(cairo_t* cr)
{
    const Rgb base = chipColor(ChipKind::Tag);
    cairo_new_path(cr);
    cairo_arc(cr, 20, 23.5, 13.5, 0, 2 * M_PI);
    paintShape(cr, {base}, 6, 10, 34, 37);

    // an engraved rim and a hole for the ring
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_arc(cr, 20, 23.5, 9.8, 0, 2 * M_PI);
    setColor(cr, darker(base, 0.35), 0.7);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_new_path(cr);
    cairo_arc(cr, 20.6, 24.1, 9.8, -0.2 * M_PI, 0.7 * M_PI);
    setColor(cr, pal::white, 0.45);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    // a little bone stamped in the middle
    cairo_new_path(cr);
    cairo_rectangle(cr, 16, 22.6, 8, 2.0);
    for (double sx : {15.6, 24.4})
        for (double sy : {22.4, 25.0}) {
            cairo_new_sub_path(cr);
            cairo_arc(cr, sx, sy, 1.5, 0, 2 * M_PI);
        }
    setColor(cr, darker(base, 0.45), 0.8);
    cairo_fill(cr);
    cairo_new_path(cr);
    cairo_arc(cr, 20, 12.8, 1.7, 0, 2 * M_PI);
    setColor(cr, pal::cocoa);
    cairo_fill(cr);
    cairo_restore(cr);
    ring(cr, 20, 8.2, 3.8);
}

void bowl(cairo_t* cr)
{
    const Rgb base = chipColor(ChipKind::Bowl);
    // the far rim and the dark inside
    cairo_new_path(cr);
    ellipse(cr, 20, 19, 14.5, 4.6);
    cairo_save(cr);
    setColor(cr, pal::cocoa);
    cairo_set_line_width(cr, 4);
    cairo_stroke_preserve(cr);
    setColor(cr, darker(base, 0.5));
    cairo_fill(cr);
    cairo_restore(cr);

    // kibble heaped in the bowl
    cairo_new_path(cr);
    struct Bit {
        double x, y, r;
    };
    for (Bit b : {Bit{12.5, 17.5, 3.4}, Bit{19.5, 14.2, 3.8}, Bit{26.8, 16.8, 3.4}, Bit{16.0, 19, 3}, Bit{23.5, 19, 3}}) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, b.x, b.y, b.r, 0, 2 * M_PI);
    }
    paintShape(cr, {hex(0xB9773A), 1.4, 0.5}, 9, 10, 31, 22);

    // the body: the front lip is the near half of the rim
    cairo_new_path(cr);
    cairo_move_to(cr, 5.5, 19);
    cairo_save(cr);
    cairo_translate(cr, 20, 19);
    cairo_scale(cr, 14.5, 4.6);
    cairo_arc_negative(cr, 0, 0, 1, M_PI, 0);
    cairo_restore(cr);
    cairo_line_to(cr, 34.5, 19);
    cairo_curve_to(cr, 35.5, 25, 37, 30, 37, 32);
    cairo_curve_to(cr, 37, 34.5, 35, 35.5, 33, 35.5);
    cairo_line_to(cr, 7, 35.5);
    cairo_curve_to(cr, 5, 35.5, 3, 34.5, 3, 32);
    cairo_curve_to(cr, 3, 30, 4.5, 25, 5.5, 19);
    cairo_close_path(cr);
    paintShape(cr, {base}, 3, 16, 37, 36);

    // a cream paw on the front
    cairo_save(cr);
    cairo_new_path(cr);
    ellipse(cr, 20, 30.2, 2.9, 2.3);
    for (double dx : {-3.6, -1.3, 1.3, 3.6}) {
        const double dy = std::abs(dx) > 2 ? 26.9 : 25.6;
        ellipse(cr, 20 + dx, dy, 1.05, 1.3);
    }
    setColor(cr, pal::cream, 0.95);
    cairo_fill(cr);
    cairo_restore(cr);
}

void biscuit(cairo_t* cr)
{
    const Rgb base = chipColor(ChipKind::Biscuit);
    cairo_save(cr);
    cairo_translate(cr, 20, 20);
    cairo_rotate(cr, -0.12);
    cairo_new_path(cr);
    // a square with gently scalloped sides, like a pressed biscuit
    const double h = 14.0, bulge = 1.1;
    const int scallops = 4;
    cairo_move_to(cr, -h + 3, -h);
    for (int side = 0; side < 4; ++side) {
        // walk one side in local coordinates, then rotate for the next
        cairo_save(cr);
        cairo_rotate(cr, side * M_PI / 2);
        const double start = -h + 3, end = h - 3, step = (end - start) / scallops;
        for (int i = 0; i < scallops; ++i) {
            const double a = start + i * step, b = a + step;
            cairo_curve_to(cr, a + step * 0.25, -h - bulge, b - step * 0.25, -h - bulge, b, -h);
        }
        cairo_arc(cr, h - 3, -h + 3, 3, -M_PI / 2, 0);
        cairo_restore(cr);
    }
    cairo_close_path(cr);
    cairo_restore(cr);
    paintShape(cr, {base}, 5, 5, 35, 35);

    // docking holes: a dark dot with a lit lower lip
    cairo_save(cr);
    cairo_translate(cr, 20, 20);
    cairo_rotate(cr, -0.12);
    for (int gy = -1; gy <= 1; ++gy)
        for (int gx = -1; gx <= 1; ++gx) {
            if ((gx + gy) % 2 != 0)
                continue; // a five-dot pattern reads better than nine at this size
            const double x = gx * 7.0, y = gy * 7.0;
            cairo_new_path(cr);
            cairo_arc(cr, x + 0.4, y + 0.5, 1.9, 0, 2 * M_PI);
            setColor(cr, lighter(base, 0.55), 0.8);
            cairo_fill(cr);
            cairo_arc(cr, x, y, 1.8, 0, 2 * M_PI);
            setColor(cr, darker(base, 0.55));
            cairo_fill(cr);
        }
    cairo_restore(cr);
}

void heart(cairo_t* cr)
{
    const Rgb base = chipColor(ChipKind::Heart);
    cairo_new_path(cr);
    cairo_move_to(cr, 20, 15);
    cairo_curve_to(cr, 16, 8, 4.5, 8.5, 4.5, 18.5);
    cairo_curve_to(cr, 4.5, 26, 13, 31, 20, 36.5);
    cairo_curve_to(cr, 27, 31, 35.5, 26, 35.5, 18.5);
    cairo_curve_to(cr, 35.5, 8.5, 24, 8, 20, 15);
    cairo_close_path(cr);
    paintShape(cr, {base}, 4, 9, 36, 37);

    // the hole and ring that make it a tag
    cairo_new_path(cr);
    cairo_arc(cr, 20, 17.6, 1.6, 0, 2 * M_PI);
    setColor(cr, pal::cocoa);
    cairo_fill(cr);
    ring(cr, 20, 12.0, 3.6);
}

} // namespace

Rgb chipColor(ChipKind kind)
{
    switch (kind) {
    case ChipKind::Bone: return hex(0xE0473B);
    case ChipKind::Ball: return hex(0xF3D12B);
    case ChipKind::Paw: return hex(0x4FAE3A);
    case ChipKind::Tag: return hex(0x3A8CE0);
    case ChipKind::Bowl: return hex(0x9A57CF);
    case ChipKind::Biscuit: return hex(0xF2892E);
    case ChipKind::Heart: return hex(0xF274AE);
    }
    return pal::cream;
}

void paintChip(cairo_t* cr, ChipKind kind, double size)
{
    cairo_save(cr);
    cairo_scale(cr, size / 40.0, size / 40.0);
    switch (kind) {
    case ChipKind::Bone: bone(cr); break;
    case ChipKind::Ball: ball(cr); break;
    case ChipKind::Paw: paw(cr); break;
    case ChipKind::Tag: tag(cr); break;
    case ChipKind::Bowl: bowl(cr); break;
    case ChipKind::Biscuit: biscuit(cr); break;
    case ChipKind::Heart: heart(cr); break;
    }
    cairo_restore(cr);
}

void paintChipAtlas(Canvas& c)
{
    const double cell = c.height;
    for (size_t i = 0; i < allChipKinds.size(); ++i) {
        cairo_save(c.cr);
        cairo_translate(c.cr, i * cell, 0);
        paintChip(c.cr, allChipKinds[i], cell);
        cairo_restore(c.cr);
    }
}

} // namespace artgen
