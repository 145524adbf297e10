// Widget images: window frames cut from one painted panel so the pieces
// join without seams when stretched, a wooden menu bar, and sample buttons
// showing the four looks every button has.
#include "gui_widgets.h"

#include <cmath>

namespace artgen {

namespace {

struct ThemeLook {
    Rgb paper;
    Rgb border;
    Rgb inner;
};

ThemeLook themeLook(int t)
{
    if (t == 2) return {lighter(pal::sky, 0.72), hex(0x2B4A78), lighter(pal::sky, 0.35)};
    return {pal::cream, pal::wood, pal::sand};
}

// The whole panel is 48 x 48: 16 px corners around a 16 px middle. A piece is
// a window onto it, so the 1 px edges repeat exactly what lies between the
// corners.
void paintPanel(cairo_t* cr, const ThemeLook& look)
{
    const double s = 48;
    roundedRect(cr, 1.5, 1.5, s - 3, s - 3, 10);
    setColor(cr, look.paper);
    cairo_fill_preserve(cr);
    setColor(cr, look.border);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    roundedRect(cr, 5, 5, s - 10, s - 10, 7);
    setColor(cr, look.inner, 0.9);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

void pieceOrigin(int p, double& ox, double& oy)
{
    switch (p) {
    case 0: ox = 0; oy = 0; break;
    case 1: ox = 24; oy = 0; break;
    case 2: ox = 32; oy = 0; break;
    case 3: ox = 32; oy = 24; break;
    case 4: ox = 32; oy = 32; break;
    case 5: ox = 24; oy = 32; break;
    case 6: ox = 0; oy = 32; break;
    case 7: ox = 0; oy = 24; break;
    default: ox = 22; oy = 22; break;
    }
}

Rgb desaturated(Rgb c)
{
    const double l = 0.30 * c.r + 0.59 * c.g + 0.11 * c.b;
    return mix(c, Rgb{l, l, l}, 0.8);
}

// One button face in a cell: state 0 normal, 1 hover (lighter), 2 pressed
// (darker, shifted 2 px), 3 inactive (desaturated).
void buttonFace(const Canvas& c, double x, double y, double w, double h, Rgb base, int state, const char* label)
{
    cairo_t* cr = c.cr;
    Rgb col = base;
    double shift = 0;
    if (state == 1) col = lighter(base, 0.28);
    if (state == 2) { col = darker(base, 0.22); shift = 2; }
    if (state == 3) col = desaturated(base);
    cairo_save(cr);
    cairo_translate(cr, x + shift, y + shift);
    roundedRect(cr, 3, 3, w - 7, h - 7, std::min(14.0, h / 3));
    ShapeStyle st{col, 2.0, state == 2 ? 0.2 : 0.45};
    paintShape(cr, st, 3, 3, w - 4, h - 4);
    if (label) {
        cairo_set_font_face(cr, loadFont(c.env, "BookmanDemi.ttf"));
        cairo_set_font_size(cr, h * 0.42);
        cairo_text_extents_t ext;
        cairo_text_extents(cr, label, &ext);
        const double tx = (w - 4 - ext.width) / 2 - ext.x_bearing, ty = (h - 4 - ext.height) / 2 - ext.y_bearing;
        setColor(cr, pal::cocoa, state == 3 ? 0.5 : 0.8);
        cairo_move_to(cr, tx + 1, ty + 1.2);
        cairo_show_text(cr, label);
        setColor(cr, state == 3 ? lighter(desaturated(pal::cream), 0.3) : pal::white);
        cairo_move_to(cr, tx, ty);
        cairo_show_text(cr, label);
    }
    cairo_restore(cr);
}

void pawBadge(cairo_t* cr, double cx, double cy, double s, Rgb col)
{
    cairo_new_path(cr);
    ellipse(cr, cx, cy + 1.6 * s, 3.2 * s, 2.6 * s);
    ellipse(cr, cx - 3.9 * s, cy - 1.6 * s, 1.25 * s, 1.6 * s);
    ellipse(cr, cx - 1.4 * s, cy - 3.6 * s, 1.25 * s, 1.6 * s);
    ellipse(cr, cx + 1.4 * s, cy - 3.6 * s, 1.25 * s, 1.6 * s);
    ellipse(cr, cx + 3.9 * s, cy - 1.6 * s, 1.25 * s, 1.6 * s);
    ShapeStyle st{col, 1.5, 0.4};
    paintShape(cr, st, cx - 5 * s, cy - 5 * s, cx + 5 * s, cy + 5 * s);
}

} // namespace

template <int T, int P> void paintThemePiece(Canvas& c)
{
    double ox, oy;
    pieceOrigin(P, ox, oy);
    cairo_translate(c.cr, -ox, -oy);
    paintPanel(c.cr, themeLook(T));
}

#define THEME_PIECES(T) \
    template void paintThemePiece<T, 0>(Canvas&); template void paintThemePiece<T, 1>(Canvas&); \
    template void paintThemePiece<T, 2>(Canvas&); template void paintThemePiece<T, 3>(Canvas&); \
    template void paintThemePiece<T, 4>(Canvas&); template void paintThemePiece<T, 5>(Canvas&); \
    template void paintThemePiece<T, 6>(Canvas&); template void paintThemePiece<T, 7>(Canvas&); \
    template void paintThemePiece<T, 8>(Canvas&);
THEME_PIECES(1)
THEME_PIECES(2)
#undef THEME_PIECES

// The bar is a 40 px wide wooden plank; ends are its first and last 10 px.
template <int P> void paintBarPiece(Canvas& c)
{
    cairo_t* cr = c.cr;
    const double ox = P == 0 ? 0 : (P == 1 ? 20 : 30);
    cairo_translate(cr, -ox, 0);
    roundedRect(cr, 1, 1, 38, 28, 7);
    fillWood(cr, 0, 0, 0, 30, 0.25, 0.3);
    setColor(cr, pal::grain);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // Grain lines run along the plank, so they survive horizontal stretching.
    for (double y : {9.5, 15.5, 21.5}) {
        cairo_move_to(cr, 4, y);
        cairo_line_to(cr, 36, y);
    }
    setColor(cr, pal::grain, 0.25);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}
template void paintBarPiece<0>(Canvas&);
template void paintBarPiece<1>(Canvas&);
template void paintBarPiece<2>(Canvas&);

void paintSampleSimple(Canvas& c) { buttonFace(c, 0, 0, c.width, c.height, pal::sunset, 0, "Play"); }

void paintSampleBlend(Canvas& c)
{
    // Two cells stacked: normal above, hover below.
    buttonFace(c, 0, 0, c.width, c.height / 2, pal::leaf, 0, "Options");
    buttonFace(c, 0, c.height / 2, c.width, c.height / 2, pal::leaf, 1, "Options");
}

void paintSampleFStep(Canvas& c)
{
    const double w = c.width / 4.0;
    for (int s = 0; s < 4; ++s) buttonFace(c, s * w, 0, w, c.height, pal::sunset, s, "Next");
}

void paintSampleFStepBlend(Canvas& c)
{
    const double w = c.width / 4.0;
    for (int s = 0; s < 4; ++s) buttonFace(c, s * w, 0, w, c.height, pal::sky, s, "Hint");
}

void paintSampleAnim(Canvas& c)
{
    // Six cells side by side: a breathing paw (1-3), a lit paw (4-5), a
    // pressed paw (6).
    const double w = 64;
    const double scales[6] = {2.3, 2.45, 2.6, 2.6, 2.75, 2.2};
    for (int i = 0; i < 6; ++i) {
        cairo_save(c.cr);
        cairo_translate(c.cr, i * w, 0);
        ellipse(c.cr, 32, 32, 28, 28);
        Rgb ring = i >= 3 ? lighter(pal::gold, i == 5 ? 0 : 0.2) : pal::sand;
        paintShape(c.cr, ShapeStyle{ring, 2.0, 0.3}, 4, 4, 60, 60);
        pawBadge(c.cr, 32, 33 + (i == 5 ? 2 : 0), scales[i], i >= 3 ? pal::sunset : pal::wood);
        cairo_restore(c.cr);
    }
}

void paintSampleSpec2(Canvas& c) { buttonFace(c, 0, 0, c.width, c.height, pal::sky, 0, nullptr); }

void paintSampleSparkle(Canvas& c)
{
    // Four cells of a twinkling star, growing then fading.
    const double r[4] = {5, 9, 13, 8};
    for (int i = 0; i < 4; ++i) {
        cairo_t* cr = c.cr;
        const double cx = i * 32 + 16, cy = 16;
        cairo_new_path(cr);
        for (int k = 0; k < 8; ++k) {
            const double a = k * M_PI / 4, rr = k % 2 ? r[i] * 0.4 : r[i];
            if (k == 0) cairo_move_to(cr, cx + rr * std::cos(a), cy + rr * std::sin(a));
            else cairo_line_to(cr, cx + rr * std::cos(a), cy + rr * std::sin(a));
        }
        cairo_close_path(cr);
        paintShape(cr, ShapeStyle{pal::gold, 1.0, 0.5}, cx - r[i], cy - r[i], cx + r[i], cy + r[i]);
    }
}

} // namespace artgen
