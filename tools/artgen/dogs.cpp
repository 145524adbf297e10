#include "dogs.h"

#include <cmath>

namespace artgen {

namespace {

constexpr double line = 4.0; // outline width at this scale: comic-thick

void part(cairo_t* cr, Rgb c, double x0, double y0, double x1, double y1, double gloss = 0.18)
{
    paintShape(cr, {c, line, gloss}, x0, y0, x1, y1);
}

void rotatedEllipse(cairo_t* cr, double cx, double cy, double rx, double ry, double angle)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    ellipse(cr, 0, 0, rx, ry);
    cairo_restore(cr);
}

} // namespace

void paintSittingDog(cairo_t* cr, const DogLook& look)
{
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);

    // tail, raised and mid-wag, with two motion strokes
    cairo_new_path(cr);
    cairo_move_to(cr, -55, -40);
    cairo_curve_to(cr, -95, -55, -110, -95, -98, -135);
    cairo_set_line_width(cr, 22 + 2 * line);
    setColor(cr, pal::cocoa);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 22);
    setColor(cr, look.fur);
    cairo_stroke(cr);
    for (int i = 0; i < 2; ++i) {
        cairo_new_path(cr);
        cairo_arc(cr, -98, -135, 30 + i * 12, M_PI * 1.05, M_PI * 1.35);
        setColor(cr, pal::cocoa, 0.8);
        cairo_set_line_width(cr, 4);
        cairo_stroke(cr);
    }

    // haunch and far back paw
    cairo_new_path(cr);
    rotatedEllipse(cr, -28, -48, 58, 46, -0.15);
    part(cr, look.fur, -86, -94, 30, -2);
    cairo_new_path(cr);
    ellipse(cr, -50, -8, 32, 12);
    part(cr, look.fur, -82, -20, -18, 4);

    // far front leg, a shade darker so the two legs separate
    cairo_new_path(cr);
    roundedRect(cr, 38, -110, 24, 108, 12);
    part(cr, darker(look.fur, 0.15), 38, -110, 62, -2);

    // chest and body
    cairo_new_path(cr);
    rotatedEllipse(cr, 8, -100, 44, 78, 0.22);
    part(cr, look.fur, -36, -178, 52, -22);
    cairo_new_path(cr);
    rotatedEllipse(cr, 22, -100, 20, 46, 0.22);
    setColor(cr, look.belly);
    cairo_fill(cr);

    // near front leg and both front paws
    cairo_new_path(cr);
    roundedRect(cr, 6, -105, 26, 104, 13);
    part(cr, look.fur, 6, -105, 32, -1);
    cairo_new_path(cr);
    ellipse(cr, 24, -6, 20, 11);
    part(cr, look.belly, 4, -17, 44, 5);
    cairo_new_path(cr);
    ellipse(cr, 56, -6, 18, 10);
    part(cr, darker(look.belly, 0.1), 38, -16, 74, 4);
    for (double x : {18.0, 26.0}) {
        cairo_new_path(cr);
        cairo_move_to(cr, x, -6);
        cairo_line_to(cr, x, 2);
        setColor(cr, pal::cocoa, 0.8);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
    }

    // collar and tag
    cairo_new_path(cr);
    cairo_save(cr);
    cairo_translate(cr, 22, -162);
    cairo_rotate(cr, 0.28);
    roundedRect(cr, -36, -8, 72, 16, 8);
    cairo_restore(cr);
    part(cr, look.collar, -16, -178, 60, -146, 0.3);
    cairo_new_path(cr);
    cairo_arc(cr, 30, -144, 9, 0, 2 * M_PI);
    part(cr, pal::gold, 21, -153, 39, -135, 0.5);

    // head
    cairo_new_path(cr);
    cairo_arc(cr, 36, -212, 50, 0, 2 * M_PI);
    part(cr, look.fur, -14, -262, 86, -162);
    // muzzle
    cairo_new_path(cr);
    rotatedEllipse(cr, 80, -192, 34, 24, 0.1);
    part(cr, look.belly, 46, -216, 114, -168, 0.25);
    // tongue, peeking out under the muzzle
    cairo_new_path(cr);
    cairo_move_to(cr, 76, -176);
    cairo_curve_to(cr, 76, -150, 98, -150, 98, -174);
    cairo_close_path(cr);
    part(cr, hex(0xEE7A93), 76, -178, 98, -152, 0.35);
    cairo_new_path(cr);
    cairo_move_to(cr, 87, -172);
    cairo_line_to(cr, 87, -160);
    setColor(cr, darker(hex(0xEE7A93), 0.4));
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    // redraw the muzzle's lower edge over the tongue root
    cairo_new_path(cr);
    cairo_move_to(cr, 62, -181);
    cairo_curve_to(cr, 72, -172, 90, -172, 106, -182);
    setColor(cr, pal::cocoa);
    cairo_set_line_width(cr, line);
    cairo_stroke(cr);
    // nose
    cairo_new_path(cr);
    rotatedEllipse(cr, 110, -204, 12, 9, 0.2);
    part(cr, pal::cocoa, 98, -213, 122, -195, 0.6);
    cairo_new_path(cr);
    cairo_move_to(cr, 108, -196);
    cairo_curve_to(cr, 104, -186, 96, -184, 90, -186);
    setColor(cr, pal::cocoa);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);

    // eye patch, eye and brow
    if (look.eyePatch) {
        cairo_new_path(cr);
        rotatedEllipse(cr, 50, -224, 21, 18, -0.3);
        setColor(cr, look.ear, 0.85);
        cairo_fill(cr);
    }
    cairo_new_path(cr);
    ellipse(cr, 54, -222, 11, 13);
    part(cr, pal::white, 43, -235, 65, -209, 0);
    cairo_new_path(cr);
    ellipse(cr, 57, -220, 7.5, 9);
    setColor(cr, pal::cocoa);
    cairo_fill(cr);
    cairo_new_path(cr);
    cairo_arc(cr, 59.5, -224, 3, 0, 2 * M_PI);
    setColor(cr, pal::white);
    cairo_fill(cr);
    cairo_new_path(cr);
    cairo_arc(cr, 54, -236, 14, M_PI * 1.2, M_PI * 1.75);
    setColor(cr, pal::cocoa);
    cairo_set_line_width(cr, 3.5);
    cairo_stroke(cr);

    // floppy ear, hanging over the back of the head
    cairo_new_path(cr);
    cairo_move_to(cr, 8, -254);
    cairo_curve_to(cr, 34, -262, 36, -236, 28, -206);
    cairo_curve_to(cr, 22, -180, 6, -170, -4, -180);
    cairo_curve_to(cr, -16, -192, -14, -244, 8, -254);
    cairo_close_path(cr);
    part(cr, look.ear, -14, -262, 36, -172, 0.25);

    // a rosy cheek
    cairo_new_path(cr);
    ellipse(cr, 64, -194, 7, 4.5);
    setColor(cr, hex(0xF29E8E), 0.55);
    cairo_fill(cr);

    cairo_restore(cr);
}

} // namespace artgen
