// Particle images, the digits of flying scores and the praise captions.
//
// Particle images are tinted by the code with each particle's colour, so they
// are drawn white on transparent: the alpha carries the shape. Most of them
// are added onto the screen, so their edges fade to nothing instead of
// ending in a line. Digits and captions are shown as drawn (tint white).
#include "Painters.h"

#include <cmath>
#include <string>

namespace artgen {

namespace {

// A white blob whose alpha falls from `core` at the centre to 0 at radius r,
// `power` shaping the fall (higher: tighter core).
void softDisc(cairo_t* cr, double cx, double cy, double r, double core, double power)
{
    cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
    for (int i = 0; i <= 8; ++i) {
        const double t = i / 8.0;
        addStop(g, t, pal::white, core * std::pow(1.0 - t, power));
    }
    cairo_set_source(cr, g);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

// A tapered ray from the centre: wide and bright at the middle, a point at
// each end.
void ray(cairo_t* cr, double cx, double cy, double len, double halfWidth, double angle)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    cairo_pattern_t* g = cairo_pattern_create_linear(-len, 0, len, 0);
    addStop(g, 0.0, pal::white, 0.0);
    addStop(g, 0.5, pal::white, 1.0);
    addStop(g, 1.0, pal::white, 0.0);
    cairo_move_to(cr, -len, 0);
    cairo_curve_to(cr, -len * 0.3, -halfWidth, len * 0.3, -halfWidth, len, 0);
    cairo_curve_to(cr, len * 0.3, halfWidth, -len * 0.3, halfWidth, -len, 0);
    cairo_close_path(cr);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_restore(cr);
}

void setTextFont(Canvas& c, const char* file, double size)
{
    cairo_t* cr = c.cr;
    cairo_set_font_face(cr, loadFont(c.env, file));
    cairo_set_font_size(cr, size);
    cairo_font_options_t* opts = cairo_font_options_create();
    cairo_font_options_set_hint_style(opts, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(opts, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, opts);
    cairo_font_options_destroy(opts);
}

// Outlined display text centred in the canvas: a soft shadow, a cocoa outline
// of `outline` px and a warm gradient fill (top colour to bottom colour).
void outlinedText(Canvas& c, const std::string& text, const char* font, double outline, Rgb top,
                  Rgb bottom, double leftPad = 0)
{
    cairo_t* cr = c.cr;
    cairo_save(cr);
    // Fit the text inside the canvas with room for the outline and shadow.
    const double roomW = c.width - leftPad - 2 * outline - 4;
    const double roomH = c.height - 2 * outline - 4;
    double size = roomH;
    setTextFont(c, font, size);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    const double fit = std::min(roomW / ext.width, roomH / ext.height);
    size *= fit;
    setTextFont(c, font, size);
    cairo_text_extents(cr, text.c_str(), &ext);
    const double x = leftPad + (c.width - leftPad - ext.width) / 2 - ext.x_bearing - 1;
    const double y = (c.height - ext.height) / 2 - ext.y_bearing - 1;

    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_new_path(cr);
    cairo_move_to(cr, x + 2, y + 3);
    cairo_text_path(cr, text.c_str());
    setColor(cr, pal::cocoa, 0.35);
    cairo_set_line_width(cr, outline * 2);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);

    cairo_new_path(cr);
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, text.c_str());
    setColor(cr, pal::cocoa);
    cairo_set_line_width(cr, outline * 2);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, y + ext.y_bearing, 0, y + ext.y_bearing + ext.height);
    addStop(fill, 0.0, lighter(top, 0.5));
    addStop(fill, 0.45, top);
    addStop(fill, 1.0, bottom);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
    cairo_restore(cr);
}

} // namespace

// --- particle images -------------------------------------------------------------

// 0: a soft round glow, the bread and butter of every burst.
void paintParticleGlow(Canvas& c)
{
    softDisc(c.cr, c.width / 2.0, c.height / 2.0, c.width / 2.0, 1.0, 1.6);
}

// 1: a four-point star with a small glow in its heart.
void paintParticleStar(Canvas& c)
{
    const double cx = c.width / 2.0, cy = c.height / 2.0;
    softDisc(c.cr, cx, cy, c.width * 0.28, 0.9, 1.4);
    ray(c.cr, cx, cy, c.width * 0.48, c.width * 0.09, 0);
    ray(c.cr, cx, cy, c.width * 0.48, c.width * 0.09, M_PI / 2);
    ray(c.cr, cx, cy, c.width * 0.22, c.width * 0.05, M_PI / 4);
    ray(c.cr, cx, cy, c.width * 0.22, c.width * 0.05, -M_PI / 4);
}

// 2: a streak, bright in the middle and thinning to both ends.
void paintParticleStreak(Canvas& c)
{
    cairo_t* cr = c.cr;
    cairo_save(cr);
    cairo_translate(cr, c.width / 2.0, c.height / 2.0);
    cairo_scale(cr, c.width / 2.0, c.height / 2.0);
    cairo_pattern_t* g = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    addStop(g, 0.0, pal::white, 1.0);
    addStop(g, 0.35, pal::white, 0.75);
    addStop(g, 1.0, pal::white, 0.0);
    cairo_set_source(cr, g);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_restore(cr);
}

// 3: a round spark: a hard bright core in a short halo (the fireworks).
void paintParticleSpark(Canvas& c)
{
    const double cx = c.width / 2.0, cy = c.height / 2.0;
    softDisc(c.cr, cx, cy, c.width / 2.0, 0.55, 2.0);
    softDisc(c.cr, cx, cy, c.width * 0.22, 1.0, 0.5);
}

// 4 and 5: small dots.
void paintParticleDot(Canvas& c)
{
    softDisc(c.cr, c.width / 2.0, c.height / 2.0, c.width * 0.3, 1.0, 0.4);
}

void paintParticleRingDot(Canvas& c)
{
    cairo_t* cr = c.cr;
    const double cx = c.width / 2.0, cy = c.height / 2.0;
    softDisc(cr, cx, cy, c.width * 0.18, 1.0, 0.6);
    setColor(cr, pal::white, 0.7);
    cairo_set_line_width(cr, 1.5);
    cairo_arc(cr, cx, cy, c.width * 0.36, 0, 2 * M_PI);
    cairo_stroke(cr);
}

// 6: half of a broken chain link, in the chain's own metal (drawn as is).
void paintParticleChainLink(Canvas& c)
{
    cairo_t* cr = c.cr;
    const Rgb metal = hex(0x9AA3AE);
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    // a C-shaped piece of link, open on the right
    auto link = [&](double width) {
        cairo_new_path(cr);
        cairo_arc(cr, 6.0, 5.0, 3.2, M_PI * 0.35, M_PI * 1.65);
        cairo_set_line_width(cr, width);
        cairo_stroke(cr);
        cairo_move_to(cr, 6.0, 1.8);
        cairo_line_to(cr, 10.5, 1.8);
        cairo_move_to(cr, 6.0, 8.2);
        cairo_line_to(cr, 10.5, 8.2);
        cairo_set_line_width(cr, width);
        cairo_stroke(cr);
    };
    setColor(cr, pal::cocoa);
    link(3.4);
    setColor(cr, metal);
    link(1.8);
    setColor(cr, lighter(metal, 0.7));
    cairo_new_path(cr);
    cairo_arc(cr, 6.0, 5.0, 3.2, M_PI * 1.05, M_PI * 1.45);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// 7: the flash of a bomb or crossfire: a bright ring around a soft glow.
void paintParticleFlash(Canvas& c)
{
    cairo_t* cr = c.cr;
    const double cx = c.width / 2.0, cy = c.height / 2.0, r = c.width / 2.0;
    softDisc(cr, cx, cy, r * 0.75, 0.55, 1.3);
    cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
    addStop(g, 0.0, pal::white, 0.0);
    addStop(g, 0.62, pal::white, 0.0);
    addStop(g, 0.8, pal::white, 0.95);
    addStop(g, 0.9, pal::white, 0.45);
    addStop(g, 1.0, pal::white, 0.0);
    cairo_set_source(cr, g);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

// --- digits ------------------------------------------------------------------------

template <int N>
void paintScoreDigit(Canvas& c)
{
    const std::string text = N == 10 ? "+" : std::string(1, static_cast<char>('0' + N));
    outlinedText(c, text, "DejaVuSans-Bold.ttf", 3.0, pal::gold, pal::sunset);
}

// --- captions ----------------------------------------------------------------------

template <int N>
void paintCaption(Canvas& c)
{
    static const char* const texts[] = {"Excellent!", "Great!",      "Spectacular!", "Terrific!",
                                        "Go!",        "Level complete!", "No more moves", "Ready?",
                                        "Time's up!", "matched"};
    const bool warning = N == 6 || N == 8;
    // "matched" follows a number drawn just left of the image's middle, so
    // it keeps a gap on its left.
    outlinedText(c, texts[N], "BookmanDemi.ttf", N == 9 ? 3.0 : 5.0,
                 warning ? lighter(pal::sunset, 0.2) : pal::gold, warning ? hex(0xD9643A) : pal::sunset,
                 N == 9 ? c.width * 0.12 : 0);
}

template void paintScoreDigit<0>(Canvas&);
template void paintScoreDigit<1>(Canvas&);
template void paintScoreDigit<2>(Canvas&);
template void paintScoreDigit<3>(Canvas&);
template void paintScoreDigit<4>(Canvas&);
template void paintScoreDigit<5>(Canvas&);
template void paintScoreDigit<6>(Canvas&);
template void paintScoreDigit<7>(Canvas&);
template void paintScoreDigit<8>(Canvas&);
template void paintScoreDigit<9>(Canvas&);
template void paintScoreDigit<10>(Canvas&);
template void paintCaption<0>(Canvas&);
template void paintCaption<1>(Canvas&);
template void paintCaption<2>(Canvas&);
template void paintCaption<3>(Canvas&);
template void paintCaption<4>(Canvas&);
template void paintCaption<5>(Canvas&);
template void paintCaption<6>(Canvas&);
template void paintCaption<7>(Canvas&);
template void paintCaption<8>(Canvas&);
template void paintCaption<9>(Canvas&);

} // namespace artgen
