// The board controller's own images. The ring is gold with a cocoa edge so
// it reads on light cells and dark backgrounds alike; a bright glint runs
// once round it per cycle while the ring breathes a little.
#include "play_board.h"

#include <cmath>

namespace artgen {

namespace {

constexpr int kRingFrames = 25;

void ringPath(cairo_t* cr, double cx, double cy, double half, double r)
{
    roundedRect(cr, cx - half, cy - half, 2 * half, 2 * half, r);
}

void paintRingFrame(cairo_t* cr, double cx, double cy, double t)
{
    const double pulse = 0.5 + 0.5 * std::sin(t * 2 * M_PI);
    const double half = 21.5 + 0.8 * pulse;
    const double radius = 9;

    // Soft outer glow.
    ringPath(cr, cx, cy, half, radius);
    setColor(cr, pal::gold, 0.25 + 0.15 * pulse);
    cairo_set_line_width(cr, 6);
    cairo_stroke(cr);
    // Cocoa edge under the gold band.
    ringPath(cr, cx, cy, half, radius);
    setColor(cr, pal::cocoa, 0.85);
    cairo_set_line_width(cr, 4.2);
    cairo_stroke(cr);
    ringPath(cr, cx, cy, half, radius);
    setColor(cr, mix(pal::gold, pal::sunset, 0.25 * (1 - pulse)), 1.0);
    cairo_set_line_width(cr, 2.6);
    cairo_stroke(cr);

    // The glint: a short bright dash that travels once round per cycle.
    const double side = 2 * half - 2 * radius;
    const double perimeter = 4 * side + 2 * M_PI * radius;
    const double dash[] = {perimeter * 0.12, perimeter * 0.88};
    ringPath(cr, cx, cy, half, radius);
    cairo_set_dash(cr, dash, 2, -perimeter * t);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    setColor(cr, pal::white, 0.95);
    cairo_set_line_width(cr, 2.0);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
}

} // namespace

void paintSelectRing(Canvas& c)
{
    const int cols = 5, rows = 5;
    const double w = c.width / static_cast<double>(cols), h = c.height / static_cast<double>(rows);
    for (int k = 0; k < kRingFrames; ++k) {
        const int col = k % cols, row = k / cols;
        cairo_save(c.cr);
        cairo_rectangle(c.cr, col * w, row * h, w, h);
        cairo_clip(c.cr);
        paintRingFrame(c.cr, col * w + w / 2, row * h + h / 2, k / static_cast<double>(kRingFrames));
        cairo_restore(c.cr);
    }
}

void paintChainLine(Canvas& c)
{
    // White, so the game tints it: black for the shadow, white on top.
    const double w = c.width, h = c.height;
    cairo_pattern_t* across = cairo_pattern_create_linear(0, 0, w, 0);
    addStop(across, 0.0, pal::white, 0.0);
    addStop(across, 0.3, pal::white, 0.9);
    addStop(across, 0.5, pal::white, 1.0);
    addStop(across, 0.7, pal::white, 0.9);
    addStop(across, 1.0, pal::white, 0.0);
    roundedRect(c.cr, 0.5, 0.5, w - 1, h - 1, (w - 1) / 2);
    cairo_set_source(c.cr, across);
    cairo_fill(c.cr);
    cairo_pattern_destroy(across);
}

void paintBoardPoint(Canvas& c)
{
    const double r = c.width / 2.0;
    cairo_pattern_t* glow = cairo_pattern_create_radial(r, r, 0, r, r, r);
    addStop(glow, 0.0, pal::white, 1.0);
    addStop(glow, 0.6, pal::white, 0.8);
    addStop(glow, 1.0, pal::white, 0.0);
    cairo_arc(c.cr, r, r, r, 0, 2 * M_PI);
    cairo_set_source(c.cr, glow);
    cairo_fill(c.cr);
    cairo_pattern_destroy(glow);
}

} // namespace artgen
