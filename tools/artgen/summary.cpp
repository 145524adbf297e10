// The win and lose summaries: a dark board in a wooden frame, so the gold
// captions the screens write on it read well, with a little decoration that
// stays clear of where the text goes.
#include "Painters.h"
#include "dogs.h"

#include <cmath>
#include <tuple>
#include <utility>

namespace artgen {

namespace {

// The frame and the dark board inside it, for a panel of the canvas size.
// inset is the width of the wooden rim.
void boardPanel(Canvas& c, double inset)
{
    cairo_t* cr = c.cr;
    const double w = c.width, h = c.height;
    // A soft drop shadow so the panel lifts off the play screen.
    roundedRect(cr, 8, 10, w - 12, h - 12, 30);
    setColor(cr, pal::cocoa, 0.35);
    cairo_fill(cr);
    roundedRect(cr, 3, 3, w - 10, h - 10, 28);
    fillWood(cr, 0, 0, w, h, 0.25, 0.3);
    setColor(cr, pal::cocoa);
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    // Grain along the rim.
    for (int i = 0; i < 14; ++i) {
        const double y = 9 + i * (h - 26) / 13.0;
        cairo_move_to(cr, 10, y);
        cairo_curve_to(cr, w * 0.3, y + 3 * std::sin(i * 1.7), w * 0.7, y - 3 * std::cos(i * 1.3), w - 16, y);
    }
    setColor(cr, pal::grain, 0.28);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // The board: deep warm brown, a touch lighter at its top.
    const double bx = inset, by = inset, bw = w - 7 - 2 * inset, bh = h - 7 - 2 * inset;
    roundedRect(cr, bx, by, bw, bh, 18);
    cairo_pattern_t* b = cairo_pattern_create_radial(w / 2, h * 0.3, 20, w / 2, h * 0.45, h * 0.75);
    addStop(b, 0, hex(0x5A3A22));
    addStop(b, 1, hex(0x2E1D10));
    cairo_set_source(cr, b);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(b);
    setColor(cr, pal::cocoa);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    // A fine gold line inside the board's edge.
    roundedRect(cr, bx + 7, by + 7, bw - 14, bh - 14, 13);
    setColor(cr, pal::gold, 0.55);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

// A line across the board at height y, fading out at both ends.
void divider(cairo_t* cr, double x0, double x1, double y)
{
    cairo_pattern_t* g = cairo_pattern_create_linear(x0, 0, x1, 0);
    addStop(g, 0, pal::gold, 0);
    addStop(g, 0.5, pal::gold, 0.7);
    addStop(g, 1, pal::gold, 0);
    cairo_set_source(cr, g);
    cairo_rectangle(cr, x0, y - 1, x1 - x0, 2);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void star(cairo_t* cr, double cx, double cy, double r, Rgb colour)
{
    cairo_new_path(cr);
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5;
        const double rr = i % 2 ? r * 0.45 : r;
        if (i == 0)
            cairo_move_to(cr, cx + rr * std::cos(a), cy + rr * std::sin(a));
        else
            cairo_line_to(cr, cx + rr * std::cos(a), cy + rr * std::sin(a));
    }
    cairo_close_path(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    paintShape(cr, ShapeStyle{colour, 1.5, 0.5}, cx - r, cy - r, cx + r, cy + r);
}

void pawPrint(cairo_t* cr, double cx, double cy, double s, double alpha)
{
    ellipse(cr, cx, cy + 3 * s, 6 * s, 5 * s);
    setColor(cr, pal::gold, alpha);
    cairo_fill(cr);
    const double toes[4][2] = {{-6.5, -4}, {-2.3, -8}, {2.3, -8}, {6.5, -4}};
    for (const auto& t : toes) {
        ellipse(cr, cx + t[0] * s, cy + t[1] * s, 2.2 * s, 2.8 * s);
        cairo_fill(cr);
    }
}

// A ribbon banner across the top, tails folded behind the frame.
void ribbon(cairo_t* cr, double cx, double y, double w, double h)
{
    const double x0 = cx - w / 2, x1 = cx + w / 2;
    for (int side : {-1, 1}) {
        const double ex = side < 0 ? x0 : x1;
        cairo_move_to(cr, ex, y + 8);
        cairo_line_to(cr, ex + side * 34, y + 8);
        cairo_line_to(cr, ex + side * 22, y + 8 + h / 2);
        cairo_line_to(cr, ex + side * 34, y + 8 + h);
        cairo_line_to(cr, ex, y + 8 + h);
        cairo_close_path(cr);
        setColor(cr, darker(pal::sunset, 0.3));
        cairo_fill_preserve(cr);
        setColor(cr, pal::cocoa);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
    roundedRect(cr, x0, y, w, h, 6);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
    // Deep enough that the gold title reads on it.
    addStop(g, 0, darker(pal::sunset, 0.12));
    addStop(g, 1, darker(pal::sunset, 0.4));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    setColor(cr, pal::cocoa);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    cairo_move_to(cr, x0 + 8, y + 5);
    cairo_line_to(cr, x1 - 8, y + 5);
    cairo_move_to(cr, x0 + 8, y + h - 5);
    cairo_line_to(cr, x1 - 8, y + h - 5);
    const double dash[] = {5, 4};
    cairo_set_dash(cr, dash, 2, 0);
    setColor(cr, pal::gold, 0.8);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
}

// An alarm clock that has rung out, leaning on its side.
void alarmClock(cairo_t* cr, double cx, double cy, double r)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, -0.18);
    for (int side : {-1, 1}) {
        cairo_new_path(cr);
        cairo_arc(cr, side * r * 0.62, -r * 0.86, r * 0.32, M_PI, 2 * M_PI);
        cairo_close_path(cr);
        paintShape(cr, ShapeStyle{pal::gold, 2, 0.5}, -r, -r * 1.2, r, -r * 0.5);
        cairo_move_to(cr, side * r * 0.55, r * 0.8);
        cairo_line_to(cr, side * r * 0.75, r * 1.1);
        setColor(cr, pal::cocoa);
        cairo_set_line_width(cr, 4);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    }
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, r, 0, 2 * M_PI);
    paintShape(cr, ShapeStyle{hex(0xE0473B), 2.5, 0.55}, -r, -r, r, r);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, r * 0.78, 0, 2 * M_PI);
    setColor(cr, pal::cream);
    cairo_fill_preserve(cr);
    setColor(cr, pal::cocoa, 0.8);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    for (int i = 0; i < 12; ++i) {
        const double a = i * M_PI / 6;
        const double r0 = i % 3 ? r * 0.66 : r * 0.58;
        cairo_move_to(cr, r0 * std::cos(a), r0 * std::sin(a));
        cairo_line_to(cr, r * 0.72 * std::cos(a), r * 0.72 * std::sin(a));
    }
    setColor(cr, pal::cocoa);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // Both hands on twelve: time is up.
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, 0, -r * 0.62);
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, r * 0.08, -r * 0.42);
    cairo_set_line_width(cr, 3.5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    cairo_arc(cr, 0, 0, 3.5, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_restore(cr);
}

} // namespace

void paintWinPanel(Canvas& c)
{
    // Canvas placement: the panel's centre is (512, 400), its corner
    // (232, 140). The title stands at y 180, the lines between 230 and 420,
    // the pieces line at 470 with its note at 505, the OK button near 600.
    cairo_t* cr = c.cr;
    const double oy = 140;
    boardPanel(c, 18);
    // The banner stops above the first line (y 218 on screen).
    ribbon(cr, 276.5, 22, 380, 50);
    divider(cr, 60, 493, 452 - oy);
    // A lighter band for the pieces gained, the reward of the level.
    roundedRect(cr, 60, 458 - oy, 433, 78, 12);
    setColor(cr, pal::gold, 0.08);
    cairo_fill_preserve(cr);
    setColor(cr, pal::gold, 0.25);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    for (auto [x, y, r] : {std::tuple{52.0, 52.0, 13.0}, {501.0, 52.0, 13.0}, {40.0, 92.0, 7.0}, {513.0, 92.0, 7.0}})
        star(cr, x, y, r, pal::gold);
    for (auto [x, y, s] : {std::tuple{56.0, 300.0, 1.2}, {498.0, 340.0, 1.2}, {70.0, 400.0, 0.9}, {484.0, 250.0, 0.9}})
        pawPrint(cr, x, y, s, 0.14);
}

void paintWinPieceIcon(Canvas& c)
{
    cairo_save(c.cr);
    cairo_scale(c.cr, c.width / 42.0, c.height / 42.0);
    Canvas inner{c.cr, 42, 42, c.env};
    paintPuzzleChip(inner);
    cairo_restore(c.cr);
}

void paintWinTilesIcon(Canvas& c)
{
    cairo_save(c.cr);
    cairo_scale(c.cr, c.width / 42.0, c.height / 42.0);
    Canvas inner{c.cr, 42, 42, c.env};
    paintTile<2>(inner);
    cairo_restore(c.cr);
}

void paintWinPodkladka(Canvas& c)
{
    // Loaded by the win screen but never shown: a plain cream square.
    cairo_rectangle(c.cr, 0, 0, c.width, c.height);
    setColor(c.cr, pal::cream);
    cairo_fill(c.cr);
}

void paintLosePanel(Canvas& c)
{
    // Canvas placement: centre (512, 370), corner (302, 60). The message
    // stands at y 80 (x 360..665), the picture between y 190 and 440, the
    // two buttons near 530 and 605.
    cairo_t* cr = c.cr;
    boardPanel(c, 18);
    divider(cr, 50, 363, 185 - 60);
    divider(cr, 50, 363, 478 - 60);
    // A sad dog beside the clock that rang out.
    const double floorY = 440 - 60;
    ellipse(cr, 206, floorY + 4, 140, 12);
    setColor(cr, pal::cocoa, 0.45);
    cairo_fill(cr);
    cairo_save(cr);
    cairo_translate(cr, 150, floorY);
    cairo_scale(cr, 0.82, 0.82);
    DogLook look;
    look.fur = hex(0xC98F5A);
    look.belly = hex(0xF2DEC0);
    look.ear = hex(0x6E4325);
    look.collar = pal::sky;
    paintSittingDog(cr, look);
    cairo_restore(cr);
    alarmClock(cr, 300, floorY - 52, 46);
    // Little "z" marks of a long wait.
    cairo_set_font_face(cr, loadFont(c.env, "BookmanDemi.ttf"));
    setColor(cr, pal::gold, 0.6);
    for (auto [x, y, s] : {std::tuple{330.0, 235.0 - 60, 16.0}, {348.0, 214.0 - 60, 21.0}, {370.0, 190.0 - 60 + 2, 26.0}}) {
        cairo_set_font_size(cr, s);
        cairo_move_to(cr, x - 22, y + 20);
        cairo_show_text(cr, "z");
    }
    for (auto [x, y] : {std::pair{44.0, 44.0}, {369.0, 44.0}, {44.0, 569.0}, {369.0, 569.0}})
        star(cr, x, y, 9, darker(pal::gold, 0.15));
}

} // namespace artgen
