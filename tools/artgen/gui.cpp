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
    const double pawX = 21.2, pawY = 21.6, pawScale = 1.25;

    // A soft shadow down and to the right keeps the pointer readable on
    // cream panels as well as on the sky.
    cairo_surface_t* shadow = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, c.width, c.height);
    cairo_t* sc = cairo_create(shadow);
    cairo_translate(sc, 1.0, 1.3);
    arrowPath(sc);
    pawPath(sc, pawX, pawY, pawScale);
    setColor(sc, pal::cocoa);
    cairo_set_line_width(sc, 2.8);
    cairo_stroke_preserve(sc);
    cairo_fill(sc);
    cairo_destroy(sc);
    cairo_set_source_surface(cr, shadow, 0, 0);
    cairo_paint_with_alpha(cr, 0.35);
    cairo_surface_destroy(shadow);

    arrowPath(cr);
    paintShape(cr, {pal::cream, 1.4, 0.6}, 2, 2, 18, 26);

    pawPath(cr, pawX, pawY, pawScale);
    paintShape(cr, {pal::sunset, 1.3, 0.45}, 15, 15, 28, 28);
}

void paintWhitePixel(Canvas& c)
{
    cairo_set_source_rgb(c.cr, 1, 1, 1);
    cairo_paint(c.cr);
}

} // namespace artgen
