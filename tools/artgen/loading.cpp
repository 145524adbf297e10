// The loading screen: a cosy room, the dog that fills in from the feet up
// as the game loads, and the name in the corner.
//
// The screen draws the dog centred on (515, 404) and the caption in gold at
// y 710, so the room keeps a lamp-lit, quiet wall behind the dog and a dark
// wooden floor under the caption, where gold reads best.
#include "Painters.h"
#include "dogs.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace artgen {

namespace {

constexpr double dogX = 515, dogY = 404;
constexpr double floorY = 600;

void paw(cairo_t* cr, double x, double y, double s, double angle)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_scale(cr, s, s);
    cairo_new_path(cr);
    ellipse(cr, 0, 2, 4.2, 3.4);
    ellipse(cr, -5, -2.2, 1.6, 2.1);
    ellipse(cr, -1.8, -5, 1.6, 2.1);
    ellipse(cr, 1.8, -5, 1.6, 2.1);
    ellipse(cr, 5, -2.2, 1.6, 2.1);
    cairo_restore(cr);
}

// Wallpaper: wide cream and sand stripes with small paw prints, faint
// enough to stay behind everything.
void wall(cairo_t* cr, int w)
{
    cairo_pattern_t* base = cairo_pattern_create_linear(0, 0, 0, floorY);
    addStop(base, 0, mix(pal::sand, pal::sunset, 0.18));
    addStop(base, 1, mix(pal::cream, pal::sand, 0.4));
    cairo_set_source(cr, base);
    cairo_rectangle(cr, 0, 0, w, floorY);
    cairo_fill(cr);
    cairo_pattern_destroy(base);

    for (int i = 0; i * 64 < w; i += 2) {
        cairo_rectangle(cr, i * 64 + 8, 0, 48, floorY);
        setColor(cr, pal::cream, 0.22);
        cairo_fill(cr);
    }
    for (int row = 0; row * 80 < floorY - 80; ++row)
        for (int col = 0; col * 128 < w + 64; ++col) {
            const double x = col * 128 + (row % 2 ? 96 : 32);
            const double y = 50 + row * 80;
            paw(cr, x, y, 1.5, (row % 2 ? 0.35 : -0.35));
            setColor(cr, pal::wood, 0.10);
            cairo_fill(cr);
        }
}

// Lamplight on the wall behind the dog: the warm centre of the picture.
void lampGlow(cairo_t* cr, int w, int h)
{
    cairo_pattern_t* glow = cairo_pattern_create_radial(dogX, dogY - 30, 40, dogX, dogY - 30, 360);
    addStop(glow, 0, lighter(pal::gold, 0.55), 0.85);
    addStop(glow, 0.5, pal::gold, 0.30);
    addStop(glow, 1, pal::gold, 0.0);
    cairo_set_source(cr, glow);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
}

// A round framed mirror-like medallion behind the dog gives the reveal a
// stage: the dog fills a clear, quiet disc.
void medallion(cairo_t* cr)
{
    const double cx = dogX, cy = dogY - 10, r = 196;
    cairo_new_path(cr);
    cairo_arc(cr, cx + 6, cy + 8, r + 14, 0, 2 * M_PI);
    setColor(cr, pal::cocoa, 0.18);
    cairo_fill(cr);

    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r + 14, 0, 2 * M_PI);
    paintShape(cr, {pal::wood, 3.0, 0.25}, cx - r, cy - r, cx + r, cy + r);

    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_pattern_t* inner = cairo_pattern_create_radial(cx - 50, cy - 70, 20, cx, cy, r);
    addStop(inner, 0, lighter(pal::cream, 0.5));
    addStop(inner, 0.7, pal::cream);
    addStop(inner, 1, mix(pal::cream, pal::sand, 0.7));
    cairo_set_source(cr, inner);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(inner);
    setColor(cr, pal::cocoa);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);

    // a meadow in the lower part of the disc, for the dog to sit on
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r - 1.5, 0, 2 * M_PI);
    cairo_clip(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, cx - r, cy + 112);
    cairo_curve_to(cr, cx - 80, cy + 96, cx + 60, cy + 126, cx + r, cy + 104);
    cairo_line_to(cr, cx + r, cy + r);
    cairo_line_to(cr, cx - r, cy + r);
    cairo_close_path(cr);
    cairo_pattern_t* grass = cairo_pattern_create_linear(0, cy + 100, 0, cy + r);
    addStop(grass, 0, lighter(pal::leaf, 0.45));
    addStop(grass, 1, lighter(pal::leaf, 0.15));
    cairo_set_source(cr, grass);
    cairo_fill(cr);
    cairo_pattern_destroy(grass);
    cairo_restore(cr);

    // a ring of gold dots around the rim
    for (int i = 0; i < 36; ++i) {
        const double a = i * 2 * M_PI / 36;
        cairo_new_path(cr);
        cairo_arc(cr, cx + std::cos(a) * (r + 7), cy + std::sin(a) * (r + 7), 2.6, 0, 2 * M_PI);
        setColor(cr, pal::gold, 0.9);
        cairo_fill(cr);
    }
}

// Skirting board and a floor of dark planks.
void woodFloor(cairo_t* cr, int w, int h)
{
    cairo_pattern_t* planks = cairo_pattern_create_linear(0, floorY, 0, h);
    addStop(planks, 0, pal::wood);
    addStop(planks, 1, darker(pal::grain, 0.35));
    cairo_set_source(cr, planks);
    cairo_rectangle(cr, 0, floorY, w, h - floorY);
    cairo_fill(cr);
    cairo_pattern_destroy(planks);

    std::uint32_t state = 0xF100;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / 16777216.0;
    };
    // plank seams and staggered butt joints, closer together toward the back
    double y = floorY + 22;
    for (int row = 0; y < h; ++row) {
        cairo_new_path(cr);
        cairo_move_to(cr, 0, y);
        cairo_line_to(cr, w, y);
        setColor(cr, pal::cocoa, 0.45);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        const double gap = 22 + row * 9;
        for (double x = next() * 200; x < w; x += 220 + next() * 160) {
            cairo_new_path(cr);
            cairo_move_to(cr, x, y - gap + 2);
            cairo_line_to(cr, x, y - 1);
            setColor(cr, pal::cocoa, 0.35);
            cairo_stroke(cr);
        }
        y += gap + 9;
    }
    // a long grain streak here and there
    for (int i = 0; i < 40; ++i) {
        const double gx = next() * w, gy = floorY + 10 + next() * (h - floorY - 10);
        cairo_new_path(cr);
        cairo_move_to(cr, gx, gy);
        cairo_curve_to(cr, gx + 40, gy - 2, gx + 80, gy + 2, gx + 120 + next() * 60, gy);
        setColor(cr, lighter(pal::wood, 0.2), 0.18);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }

    // skirting board
    cairo_new_path(cr);
    cairo_rectangle(cr, -10, floorY - 26, w + 20, 30);
    paintShape(cr, {lighter(pal::wood, 0.15), 2.0, 0.15}, 0, floorY - 26, 0, floorY + 4);
}

// A round rug where the dog sits.
void rug(cairo_t* cr)
{
    const double cx = dogX, cy = floorY + 26;
    cairo_new_path(cr);
    ellipse(cr, cx, cy, 250, 46);
    paintShape(cr, {mix(pal::sunset, hex(0xC0504A), 0.45), 2.5, 0.1}, cx - 250, cy - 46, cx + 250, cy + 46);
    cairo_new_path(cr);
    ellipse(cr, cx, cy, 222, 36);
    setColor(cr, pal::gold, 0.85);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    cairo_new_path(cr);
    ellipse(cr, cx, cy, 180, 26);
    setColor(cr, pal::cream, 0.45);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
}

// Small things around the room so the wall is not bare: a bone-shaped
// shelf with a ball at the left, a window of sky at the right.
void corners(cairo_t* cr, int w)
{
    // window at the right, with a sky and a hill, curtains either side
    const double wx = w - 220, wy = 150, ww = 150, wh = 190;
    cairo_new_path(cr);
    roundedRect(cr, wx - 10, wy - 10, ww + 20, wh + 20, 10);
    paintShape(cr, {pal::wood, 2.5, 0.2}, wx, wy, wx + ww, wy + wh);
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, wy, 0, wy + wh);
    addStop(sky, 0, pal::sky);
    addStop(sky, 1, mix(pal::sky, pal::cream, 0.6));
    cairo_set_source(cr, sky);
    cairo_rectangle(cr, wx, wy, ww, wh);
    cairo_fill(cr);
    cairo_pattern_destroy(sky);
    cairo_save(cr);
    cairo_rectangle(cr, wx, wy, ww, wh);
    cairo_clip(cr);
    cairo_new_path(cr);
    ellipse(cr, wx + ww * 0.3, wy + wh + 30, 130, 90);
    setColor(cr, mix(pal::leaf, pal::sky, 0.3));
    cairo_fill(cr);
    cairo_new_path(cr);
    ellipse(cr, wx + ww * 0.95, wy + wh + 40, 110, 80);
    setColor(cr, pal::leaf);
    cairo_fill(cr);
    cairo_new_path(cr);
    cairo_arc(cr, wx + ww * 0.72, wy + 48, 20, 0, 2 * M_PI);
    setColor(cr, lighter(pal::gold, 0.4));
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_new_path(cr);
    cairo_rectangle(cr, wx + ww / 2 - 4, wy, 8, wh);
    cairo_rectangle(cr, wx, wy + wh / 2 - 4, ww, 8);
    paintShape(cr, {pal::wood, 1.5, 0.1}, wx, wy, wx + ww, wy + wh);
    for (int side = 0; side < 2; ++side) {
        const double x0 = side == 0 ? wx - 30 : wx + ww + 30;
        const double dir = side == 0 ? 1 : -1;
        cairo_new_path(cr);
        cairo_move_to(cr, x0, wy - 22);
        cairo_line_to(cr, x0 + dir * 52, wy - 22);
        cairo_curve_to(cr, x0 + dir * 30, wy + 80, x0 + dir * 38, wy + 150, x0 + dir * 22, wy + wh + 40);
        cairo_line_to(cr, x0, wy + wh + 40);
        cairo_close_path(cr);
        paintShape(cr, {mix(pal::leaf, pal::cream, 0.35), 2.0, 0.15}, x0, wy, x0 + dir * 50, wy + wh);
    }
    cairo_new_path(cr);
    roundedRect(cr, wx - 50, wy - 30, ww + 100, 12, 6);
    paintShape(cr, {pal::wood, 2.0, 0.2}, wx - 50, wy - 30, wx + ww + 50, wy - 18);

    // shelf at the left with a ball and a little pot plant
    const double sx = 70, sy = 430;
    cairo_new_path(cr);
    roundedRect(cr, sx, sy, 170, 14, 5);
    paintShape(cr, {pal::wood, 2.0, 0.2}, sx, sy, sx + 170, sy + 14);
    cairo_new_path(cr);
    cairo_arc(cr, sx + 45, sy - 22, 22, 0, 2 * M_PI);
    paintShape(cr, {hex(0xD9E05A), 2.0, 0.5}, sx + 23, sy - 44, sx + 67, sy);
    cairo_new_path(cr);
    cairo_arc(cr, sx + 45, sy - 22, 22, M_PI * 0.15, M_PI * 0.85);
    cairo_new_sub_path(cr);
    cairo_arc(cr, sx + 45, sy - 22, 22, M_PI * 1.15, M_PI * 1.85);
    setColor(cr, pal::white, 0.9);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, sx + 100, sy - 34);
    cairo_line_to(cr, sx + 140, sy - 34);
    cairo_line_to(cr, sx + 134, sy);
    cairo_line_to(cr, sx + 106, sy);
    cairo_close_path(cr);
    paintShape(cr, {pal::sunset, 2.0, 0.3}, sx + 100, sy - 34, sx + 140, sy);
    for (int i = 0; i < 5; ++i) {
        const double a = -M_PI / 2 + (i - 2) * 0.45;
        cairo_new_path(cr);
        ellipse(cr, sx + 120 + std::cos(a) * 22, sy - 40 + std::sin(a) * 22, 9, 9);
        paintShape(cr, {pal::leaf, 1.5, 0.3}, sx + 100, sy - 70, sx + 140, sy - 30);
    }
}

} // namespace

void paintLoadingBack(Canvas& c)
{
    cairo_t* cr = c.cr;
    const int w = c.width, h = c.height;
    wall(cr, w);
    lampGlow(cr, w, h);
    corners(cr, w);
    medallion(cr);
    woodFloor(cr, w, h);
    rug(cr);

    // a soft warm vignette keeps the eye in the middle
    cairo_pattern_t* vig = cairo_pattern_create_radial(w / 2.0, h * 0.5, h * 0.42, w / 2.0, h * 0.5, w * 0.75);
    addStop(vig, 0, pal::cocoa, 0);
    addStop(vig, 1, pal::cocoa, 0.32);
    cairo_set_source(cr, vig);
    cairo_paint(cr);
    cairo_pattern_destroy(vig);
}

void paintLoadingDog(Canvas& c)
{
    // Revealed from the bottom: the paws and the shadow come first, the
    // wagging tail and the face last, which is where the reward is.
    cairo_t* cr = c.cr;
    const double s = c.height / 300.0;
    cairo_save(cr);
    cairo_scale(cr, s, s);
    cairo_translate(cr, 150 + 8, 286);
    ellipse(cr, 0, 2, 118, 11);
    setColor(cr, pal::cocoa, 0.28);
    cairo_fill(cr);
    cairo_scale(cr, 1.02, 1.02);
    DogLook look;
    look.fur = hex(0xE3B27A);
    look.belly = hex(0xF7E8CC);
    look.ear = hex(0x8A5530);
    look.collar = hex(0x3A8CE0);
    paintSittingDog(cr, look);
    cairo_restore(cr);
}

void paintLoadingLogo(Canvas& c)
{
    cairo_t* cr = c.cr;
    cairo_save(cr);
    cairo_set_font_face(cr, loadFont(c.env, "BookmanDemi.ttf"));
    cairo_font_options_t* opts = cairo_font_options_create();
    cairo_font_options_set_hint_style(opts, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(opts, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, opts);
    cairo_font_options_destroy(opts);

    // Fit the word across the picture, then bow it into a gentle arch with
    // the height that is left: a sign over a shop door, not a line of type.
    const char* text = "Woofmere";
    const double outline = 10, shadow = 5;
    cairo_set_font_size(cr, 100);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text, &ext);
    const double roomW = c.width - 2 * outline - shadow, roomH = c.height - 2 * outline - shadow;
    const double size = 100 * std::min(roomW / ext.width, roomH / ext.height);
    cairo_set_font_size(cr, size);
    cairo_text_extents(cr, text, &ext);
    const double arch = std::clamp(roomH - ext.height, 0.0, 0.35 * ext.height);
    const double x = (c.width - shadow - ext.width) / 2 - ext.x_bearing;
    const double y = (c.height - shadow - ext.height + arch) / 2 - ext.y_bearing;
    const double mid = x + ext.x_bearing + ext.width / 2;

    auto archedText = [&](double dx, double dy) {
        cairo_new_path(cr);
        cairo_move_to(cr, x + dx, y + dy);
        cairo_text_path(cr, text);
        cairo_path_t* path = cairo_copy_path(cr);
        for (int i = 0; i < path->num_data; i += path->data[i].header.length)
            for (int j = 1; j < path->data[i].header.length; ++j) {
                cairo_path_data_t& p = path->data[i + j];
                const double u = (p.point.x - mid - dx) / (ext.width / 2);
                p.point.y -= arch * (1 - u * u);
            }
        cairo_new_path(cr);
        cairo_append_path(cr, path);
        cairo_path_destroy(path);
    };

    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    archedText(shadow, shadow);
    setColor(cr, pal::cocoa, 0.35);
    cairo_set_line_width(cr, outline);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);

    archedText(0, 0);
    setColor(cr, pal::cocoa);
    cairo_set_line_width(cr, outline);
    cairo_stroke_preserve(cr);
    const double top = y + ext.y_bearing - arch, bottom = y + ext.y_bearing + ext.height;
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, top, 0, bottom);
    addStop(fill, 0.0, lighter(pal::gold, 0.5));
    addStop(fill, 0.5, pal::gold);
    addStop(fill, 1.0, pal::sunset);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
    cairo_restore(cr);
}

} // namespace artgen
