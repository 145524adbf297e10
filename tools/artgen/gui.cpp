// Small interface images: the pointer and helper pixels.
#include "Painters.h"

#include <cmath>

namespace artgen {

namespace {

void arrowPath(cairo_t* cr)
{
    cairo_new_path(cr);
    cairo_move_to(cr, 2.2, 2.2);
    cairo_line_to(cr, 2.2, 22.5);
    cairo_line_to(cr, 7.2, 17.8);
    cairo_line_to(cr, 10.6, 25.2);
    cairo_line_to(cr, 14.2, 23.6);
    cairo_line_to(cr, 10.9, 16.4);
    cairo_line_to(cr, 17.6, 16.4);
    cairo_close_path(cr);
}

void pawPath(cairo_t* cr, double cx, double cy, double s)
{
    cairo_new_path(cr);
    ellipse(cr, cx, cy + 1.6 * s, 3.2 * s, 2.6 * s);
    ellipse(cr, cx - 3.9 * s, cy - 1.6 * s, 1.25 * s, 1.6 * s);
    ellipse(cr, cx - 1.4 * s, cy - 3.6 * s, 1.25 * s, 1.6 * s);
    ellipse(cr, cx + 1.4 * s, cy - 3.6 * s, 1.25 * s, 1.6 * s);
    ellipse(cr, cx + 3.9 * s, cy - 1.6 * s, 1.25 * s, 1.6 * s);
}

} // namespace

void paintPawCursor(Canvas& c)
{
    cairo_t* cr = c.cr;
    // The paw badge sits on the arrow's tail, clear of the bottom-right edge
    // so the shadow never touches the border pixels.
    const double pawX = 21.6, pawY = 21.8, pawScale = 1.2;

    // A soft shadow down and to the right keeps the pointer readable on
    // cream panels as well as on the sky.
    cairo_surface_t* shadow = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, c.width, c.height);
    cairo_t* sc = cairo_create(shadow);
    cairo_translate(sc, 1.0, 1.3);
    setColor(sc, pal::cocoa);
    cairo_set_line_width(sc, 2.8);
    arrowPath(sc);
    cairo_stroke_preserve(sc);
    cairo_fill(sc);
    pawPath(sc, pawX, pawY, pawScale);
    cairo_stroke_preserve(sc);
    cairo_fill(sc);
    cairo_destroy(sc);
    cairo_set_source_surface(cr, shadow, 0, 0);
    cairo_paint_with_alpha(cr, 0.35);
    cairo_surface_destroy(shadow);

    arrowPath(cr);
    paintShape(cr, {pal::cream, 1.4, 0.6}, 2, 2, 18, 26);

    // Pad and toes each get their own outline, so a thin cocoa line keeps
    // the toes apart even at cursor size.
    const double k = pawScale;
    cairo_new_path(cr);
    ellipse(cr, pawX, pawY + 1.8 * k, 3.3 * k, 2.7 * k);
    paintShape(cr, {pal::sunset, 1.1, 0.45}, pawX - 4 * k, pawY - 1 * k, pawX + 4 * k, pawY + 5 * k);
    const double toes[4][2] = {{-4.2, -1.6}, {-1.5, -4.1}, {1.5, -4.1}, {4.2, -1.6}};
    for (const auto& t : toes) {
        cairo_new_path(cr);
        ellipse(cr, pawX + t[0] * k, pawY + t[1] * k, 1.35 * k, 1.7 * k);
        paintShape(cr, {pal::sunset, 1.1, 0.3}, pawX + (t[0] - 1.5) * k, pawY + (t[1] - 2) * k,
                   pawX + (t[0] + 1.5) * k, pawY + (t[1] + 2) * k);
    }
}

void paintWhitePixel(Canvas& c)
{
    cairo_set_source_rgb(c.cr, 1, 1, 1);
    cairo_paint(c.cr);
}

} // namespace artgen
