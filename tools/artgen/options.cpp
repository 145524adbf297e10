// The options overlay: a paper sheet in a wooden frame with two slider
// grooves and a help bulb in fixed places, the bone knob, the filled bar,
// and the overlay's buttons in their four looks.
#include "Painters.h"

#include <algorithm>
#include <cmath>

namespace artgen {

namespace {

// The panel is drawn centred on the canvas at (512, 360), so its top-left
// corner lies at canvas (190, 100); the grooves and the bulb must sit under
// the places the overlay draws the bars and tests the help hotspot.
constexpr double kPanelX = 190, kPanelY = 100;

Rgb greyed(Rgb c)
{
    const double l = 0.30 * c.r + 0.59 * c.g + 0.11 * c.b;
    return mix(c, Rgb{l, l, l}, 0.8);
}

// One rounded button face in a cell: 0 normal, 1 hover (lighter), 2 pressed
// (darker, shifted 2 px), 3 inactive (greyed).
void face(const Canvas& c, double x, double w, Rgb base, int state, const char* label, double fontScale)
{
    cairo_t* cr = c.cr;
    const double h = c.height;
    Rgb col = base;
    double shift = 0;
    if (state == 1) col = lighter(base, 0.3);
    if (state == 2) {
        col = darker(base, 0.22);
        shift = 2;
    }
    if (state == 3) col = greyed(base);
    cairo_save(cr);
    cairo_rectangle(cr, x, 0, w, h);
    cairo_clip(cr);
    cairo_translate(cr, x + shift, shift);
    roundedRect(cr, 3, 3, w - 8, h - 8, std::min(14.0, h / 3));
    paintShape(cr, ShapeStyle{col, 2.0, state == 2 ? 0.2 : 0.45}, 3, 3, w - 5, h - 5);
    cairo_set_font_face(cr, loadFont(c.env, "BookmanDemi.ttf"));
    cairo_set_font_size(cr, h * fontScale);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, label, &ext);
    const double tx = (w - 5 - ext.width) / 2 - ext.x_bearing;
    const double ty = (h - 5 - ext.height) / 2 - ext.y_bearing;
    setColor(cr, pal::cocoa, state == 3 ? 0.45 : 0.85);
    cairo_move_to(cr, tx + 1, ty + 1.3);
    cairo_show_text(cr, label);
    setColor(cr, state == 3 ? lighter(greyed(pal::cream), 0.3) : pal::white);
    cairo_move_to(cr, tx, ty);
    cairo_show_text(cr, label);
    cairo_restore(cr);
}

void strip(Canvas& c, Rgb base, const char* label, double fontScale = 0.42)
{
    const double w = c.width / 4.0;
    for (int s = 0; s < 4; ++s) face(c, s * w, w, base, s, label, fontScale);
}

// A groove the filled bar lies in, given in canvas coordinates.
void groove(cairo_t* cr, double x, double y, double w, double h)
{
    x -= kPanelX;
    y -= kPanelY;
    roundedRect(cr, x, y, w, h, h / 2);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
    addStop(g, 0, darker(pal::sand, 0.35));
    addStop(g, 0.5, darker(pal::sand, 0.12));
    addStop(g, 1, lighter(pal::sand, 0.2));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    setColor(cr, pal::grain, 0.8);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

// The help bulb over the hotspot (620, 360, 40, 55).
void bulb(cairo_t* cr, const ArtEnv& env)
{
    const double cx = 640 - kPanelX, cy = 380 - kPanelY;
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, 16, 0, 2 * M_PI);
    cairo_new_sub_path(cr);
    roundedRect(cr, cx - 8, cy + 8, 16, 16, 3);
    paintShape(cr, ShapeStyle{pal::gold, 1.5, 0.6}, cx - 16, cy - 16, cx + 16, cy + 24);
    // The screw cap.
    roundedRect(cr, cx - 9, cy + 21, 18, 12, 3);
    paintShape(cr, ShapeStyle{hex(0xB8B0A0), 1.2, 0.3}, cx - 9, cy + 21, cx + 9, cy + 33);
    for (double y : {cy + 25.5, cy + 29.5}) {
        cairo_move_to(cr, cx - 8, y);
        cairo_line_to(cr, cx + 8, y);
    }
    setColor(cr, pal::cocoa, 0.5);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_set_font_face(cr, loadFont(env, "BookmanDemi.ttf"));
    cairo_set_font_size(cr, 22);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, "?", &ext);
    cairo_move_to(cr, cx - ext.width / 2 - ext.x_bearing, cy - ext.height / 2 - ext.y_bearing);
    setColor(cr, pal::wood);
    cairo_show_text(cr, "?");
}

} // namespace

void paintOptionsPanel(Canvas& c)
{
    cairo_t* cr = c.cr;
    const double w = c.width, h = c.height;
    // Wooden frame with grain running along it.
    roundedRect(cr, 3, 3, w - 6, h - 6, 26);
    fillWood(cr, 0, 0, w, h, 0.2, 0.25);
    setColor(cr, pal::cocoa);
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    for (int i = 0; i < 9; ++i) {
        const double y = 8 + i * (h - 16) / 8.0;
        cairo_move_to(cr, 10, y);
        cairo_curve_to(cr, w * 0.3, y + 3 * std::sin(i), w * 0.7, y - 3 * std::cos(i), w - 10, y);
    }
    setColor(cr, pal::grain, 0.25);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // The paper sheet.
    roundedRect(cr, 20, 20, w - 40, h - 40, 16);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 20, 0, h - 20);
    addStop(p, 0, lighter(pal::cream, 0.4));
    addStop(p, 1, pal::cream);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    setColor(cr, pal::grain, 0.9);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    roundedRect(cr, 27, 27, w - 54, h - 54, 12);
    setColor(cr, pal::sand);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // A divider under the title and one above the bottom buttons.
    for (double y : {66.0, h - 92}) {
        cairo_move_to(cr, 60, y);
        cairo_line_to(cr, w - 60, y);
    }
    setColor(cr, pal::sand);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    groove(cr, 375, 216, 300, 17);
    groove(cr, 375, 296, 300, 17);
    bulb(cr, c.env);
}

void paintOptionsKnob(Canvas& c)
{
    // A small bone lying across the bar.
    cairo_t* cr = c.cr;
    const double cx = c.width / 2.0, cy = c.height / 2.0;
    cairo_new_path(cr);
    roundedRect(cr, cx - 9, cy - 4.5, 18, 9, 3);
    for (double dx : {-10.5, 10.5})
        for (double dy : {-4.5, 4.5}) {
            cairo_new_sub_path(cr);
            cairo_arc(cr, cx + dx, cy + dy, 5.2, 0, 2 * M_PI);
        }
    paintShape(cr, ShapeStyle{pal::cream, 2.0, 0.6}, cx - 16, cy - 10, cx + 16, cy + 10);
}

void paintOptionsBar(Canvas& c)
{
    cairo_t* cr = c.cr;
    const double w = c.width, h = c.height;
    roundedRect(cr, 1, 1, w - 2, h - 2, (h - 2) / 2);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, h);
    addStop(g, 0, lighter(pal::gold, 0.4));
    addStop(g, 0.5, pal::sunset);
    addStop(g, 1, darker(pal::sunset, 0.25));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    setColor(cr, pal::cocoa, 0.8);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

void paintOptionsOn(Canvas& c) { strip(c, pal::leaf, "On"); }
void paintOptionsOff(Canvas& c) { strip(c, pal::sunset, "Off"); }
void paintOptionsPlus(Canvas& c) { strip(c, pal::sky, "+", 0.62); }
void paintOptionsMinus(Canvas& c) { strip(c, pal::sky, "-", 0.62); }
void paintOptionsOk(Canvas& c) { strip(c, pal::leaf, "OK"); }
void paintOptionsCredits(Canvas& c) { strip(c, pal::sky, "Credits"); }
void paintOptionsGallery(Canvas& c) { strip(c, pal::sky, "Gallery"); }
void paintOptionsRestart(Canvas& c) { strip(c, pal::sunset, "Restart"); }
void paintOptionsMenu(Canvas& c) { strip(c, pal::sunset, "Main menu", 0.38); }

} // namespace artgen
