// The title card shown while the game starts.
#include "Painters.h"
#include "chips.h"
#include "dogs.h"

#include <cmath>
#include <cstdint>

namespace artgen {

namespace {

// A rolling ridge across the full width, closed down to the bottom edge.
void ridge(cairo_t* cr, int w, int h, double base, double amp, double waves, double phase)
{
    cairo_new_path(cr);
    cairo_move_to(cr, 0, h);
    const int steps = 64;
    for (int i = 0; i <= steps; ++i) {
        const double x = w * static_cast<double>(i) / steps;
        const double t = x / w * waves * 2 * M_PI + phase;
        const double y = base - amp * (0.65 * std::sin(t) + 0.35 * std::sin(t * 2.3 + 1.1));
        cairo_line_to(cr, x, y);
    }
    cairo_line_to(cr, w, h);
    cairo_close_path(cr);
}

double ridgeY(int w, double x, double base, double amp, double waves, double phase)
{
    const double t = x / w * waves * 2 * M_PI + phase;
    return base - amp * (0.65 * std::sin(t) + 0.35 * std::sin(t * 2.3 + 1.1));
}

void cloud(cairo_t* cr, double x, double y, double s)
{
    cairo_new_path(cr);
    roundedRect(cr, x - 60 * s, y - 8 * s, 120 * s, 30 * s, 15 * s);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x - 28 * s, y - 6 * s, 26 * s, 0, 2 * M_PI);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + 12 * s, y - 16 * s, 34 * s, 0, 2 * M_PI);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + 44 * s, y, 20 * s, 0, 2 * M_PI);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    setColor(cr, pal::white, 0.92);
    cairo_fill(cr);
}

void tree(cairo_t* cr, double x, double y, double s, Rgb leaves)
{
    cairo_new_path(cr);
    roundedRect(cr, x - 4 * s, y - 30 * s, 8 * s, 32 * s, 3 * s);
    setColor(cr, mix(pal::wood, leaves, 0.3));
    cairo_fill(cr);
    cairo_new_path(cr);
    cairo_arc(cr, x, y - 42 * s, 20 * s, 0, 2 * M_PI);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x - 12 * s, y - 30 * s, 13 * s, 0, 2 * M_PI);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + 12 * s, y - 31 * s, 14 * s, 0, 2 * M_PI);
    cairo_pattern_t* p = cairo_pattern_create_linear(x - 20 * s, y - 62 * s, x + 20 * s, y - 16 * s);
    addStop(p, 0, lighter(leaves, 0.2));
    addStop(p, 1, darker(leaves, 0.2));
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void house(cairo_t* cr, double x, double y, double s, Rgb wall, Rgb roof)
{
    cairo_new_path(cr);
    cairo_rectangle(cr, x - 14 * s, y - 20 * s, 28 * s, 22 * s);
    setColor(cr, wall);
    cairo_fill(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, x - 18 * s, y - 19 * s);
    cairo_line_to(cr, x, y - 36 * s);
    cairo_line_to(cr, x + 18 * s, y - 19 * s);
    cairo_close_path(cr);
    setColor(cr, roof);
    cairo_fill(cr);
    cairo_new_path(cr);
    cairo_rectangle(cr, x - 4 * s, y - 12 * s, 8 * s, 8 * s);
    setColor(cr, lighter(pal::gold, 0.2));
    cairo_fill(cr);
}

void pawPrint(cairo_t* cr, double x, double y, double s, double angle, Rgb c, double alpha)
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
    setColor(cr, c, alpha);
    cairo_fill(cr);
}

// Flowers and tufts scattered over the near meadow. A fixed-seed generator
// keeps the scatter identical from build to build.
void meadowSpeckles(cairo_t* cr, int w, int h)
{
    std::uint32_t state = 0x5EED;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / 16777216.0;
    };
    const Rgb petals[] = {pal::cream, pal::gold, hex(0xF2A7C3), pal::white};
    for (int i = 0; i < 90; ++i) {
        const double x = next() * w;
        const double depth = next();
        const double y = h * (0.82 + 0.18 * depth);
        if (x > w * 0.55 && x < w * 0.82 && y > h * 0.8)
            continue; // keep the path clear
        const double s = 1.0 + depth * 1.6;
        cairo_new_path(cr);
        cairo_move_to(cr, x - 3 * s, y + 2 * s);
        cairo_line_to(cr, x - 1 * s, y - 4 * s);
        cairo_line_to(cr, x + 0.5 * s, y + 1 * s);
        cairo_line_to(cr, x + 3 * s, y - 3 * s);
        cairo_line_to(cr, x + 3 * s, y + 2 * s);
        setColor(cr, darker(pal::leaf, 0.3), 0.6);
        cairo_set_line_width(cr, 1.2 * s);
        cairo_stroke(cr);
        if (next() < 0.45) {
            const Rgb c = petals[static_cast<int>(next() * 4) % 4];
            for (int k = 0; k < 5; ++k) {
                const double a = k * 2 * M_PI / 5;
                cairo_new_path(cr);
                cairo_arc(cr, x + std::cos(a) * 2.2 * s, y - 6 * s + std::sin(a) * 2.2 * s, 1.6 * s, 0, 2 * M_PI);
                setColor(cr, c);
                cairo_fill(cr);
            }
            cairo_new_path(cr);
            cairo_arc(cr, x, y - 6 * s, 1.2 * s, 0, 2 * M_PI);
            setColor(cr, pal::sunset);
            cairo_fill(cr);
        }
    }
}

// A little wooden fence along the brow of the meadow on the right.
void fence(cairo_t* cr, int w, int h)
{
    const double x0 = w * 0.74, x1 = w + 20.0;
    auto groundAt = [&](double x) { return ridgeY(w, x, h * 0.80, 18, 0.8, 4.0) + 10; };
    cairo_save(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (double railDrop : {18.0, 36.0}) {
        cairo_new_path(cr);
        for (double x = x0; x <= x1; x += 8)
            cairo_line_to(cr, x, groundAt(x) - 50 + railDrop);
        setColor(cr, pal::cocoa);
        cairo_set_line_width(cr, 9);
        cairo_stroke_preserve(cr);
        setColor(cr, pal::wood);
        cairo_set_line_width(cr, 5);
        cairo_stroke(cr);
    }
    for (double x = x0; x <= x1; x += 56) {
        const double g = groundAt(x);
        cairo_new_path(cr);
        cairo_move_to(cr, x - 5, g + 4);
        cairo_line_to(cr, x - 5, g - 52);
        cairo_line_to(cr, x, g - 59);
        cairo_line_to(cr, x + 5, g - 52);
        cairo_line_to(cr, x + 5, g + 4);
        cairo_close_path(cr);
        paintShape(cr, {pal::wood, 2.0, 0.2}, x - 5, g - 59, x + 5, g + 4);
    }
    cairo_restore(cr);
}

void title(Canvas& c, double cx, double baseline, double size)
{
    cairo_t* cr = c.cr;
    cairo_save(cr);
    cairo_set_font_face(cr, loadFont(c.env, "BookmanDemi.ttf"));
    cairo_set_font_size(cr, size);
    cairo_font_options_t* opts = cairo_font_options_create();
    cairo_font_options_set_hint_style(opts, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(opts, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, opts);
    cairo_font_options_destroy(opts);

    const char* text = "Woofmere";
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text, &ext);
    const double x = cx - ext.width / 2 - ext.x_bearing;

    // soft shadow, thick cocoa outline, then a gold-to-orange fill
    cairo_new_path(cr);
    cairo_move_to(cr, x + 5, baseline + 7);
    cairo_text_path(cr, text);
    setColor(cr, pal::cocoa, 0.35);
    cairo_set_line_width(cr, 16);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);

    cairo_new_path(cr);
    cairo_move_to(cr, x, baseline);
    cairo_text_path(cr, text);
    setColor(cr, pal::cocoa);
    cairo_set_line_width(cr, 14);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, baseline - size * 0.75, 0, baseline + size * 0.05);
    addStop(fill, 0.0, lighter(pal::gold, 0.45));
    addStop(fill, 0.45, pal::gold);
    addStop(fill, 1.0, pal::sunset);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
    cairo_restore(cr);
}

} // namespace

void paintPartnerSplash(Canvas& c)
{
    cairo_t* cr = c.cr;
    const int w = c.width, h = c.height;

    // sky: deeper blue overhead, warm near the horizon
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, h * 0.72);
    addStop(sky, 0.0, mix(pal::sky, hex(0x3F8FC4), 0.45));
    addStop(sky, 0.5, pal::sky);
    addStop(sky, 1.0, mix(pal::cream, pal::sunset, 0.25));
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);

    // afternoon sun
    const double sunX = w * 0.84, sunY = h * 0.43;
    cairo_pattern_t* glow = cairo_pattern_create_radial(sunX, sunY, 30, sunX, sunY, 260);
    addStop(glow, 0, pal::gold, 0.65);
    addStop(glow, 1, pal::gold, 0);
    cairo_set_source(cr, glow);
    cairo_paint(cr);
    cairo_pattern_destroy(glow);
    cairo_new_path(cr);
    cairo_arc(cr, sunX, sunY, 52, 0, 2 * M_PI);
    setColor(cr, lighter(pal::gold, 0.5));
    cairo_fill(cr);

    // The back layers are drawn on their own surface and blurred, so the
    // scene gains depth and the sharp foreground stands out.
    cairo_surface_t* back = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* bc = cairo_create(back);
    cloud(bc, w * 0.18, h * 0.34, 1.1);
    cloud(bc, w * 0.52, h * 0.40, 0.8);
    cloud(bc, w * 0.93, h * 0.47, 0.7);
    const Rgb farHill = mix(pal::leaf, pal::sky, 0.55);
    ridge(bc, w, h, h * 0.63, 22, 1.3, 0.4);
    setColor(bc, farHill);
    cairo_fill(bc);
    // a small town on the far hills
    const Rgb wallFar = mix(pal::cream, pal::sky, 0.3), roofFar = mix(pal::sunset, pal::sky, 0.35);
    for (int i = 0; i < 7; ++i) {
        const double x = w * 0.56 + i * 34;
        house(bc, x, ridgeY(w, x, h * 0.63, 22, 1.3, 0.4) + 6, 0.9 + 0.15 * (i % 3), wallFar, roofFar);
    }
    cairo_destroy(bc);
    blurSurface(back, 3);
    cairo_set_source_surface(cr, back, 0, 0);
    cairo_paint(cr);
    cairo_surface_destroy(back);

    cairo_surface_t* mid = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* mc = cairo_create(mid);
    const Rgb midHill = mix(pal::leaf, pal::sky, 0.2);
    for (int i = 0; i < 9; ++i) {
        const double x = 40 + i * 118 + (i % 2) * 30;
        tree(mc, x, ridgeY(w, x, h * 0.71, 26, 1.1, 2.2) + 8, 1.0 + 0.2 * ((i * 7) % 3), darker(midHill, 0.15));
    }
    ridge(mc, w, h, h * 0.71, 26, 1.1, 2.2);
    setColor(mc, midHill);
    cairo_fill(mc);
    cairo_destroy(mc);
    blurSurface(mid, 1);
    cairo_set_source_surface(cr, mid, 0, 0);
    cairo_paint(cr);
    cairo_surface_destroy(mid);

    // near meadow with a winding sandy path
    ridge(cr, w, h, h * 0.80, 18, 0.8, 4.0);
    cairo_pattern_t* grass = cairo_pattern_create_linear(0, h * 0.75, 0, h);
    addStop(grass, 0, lighter(pal::leaf, 0.1));
    addStop(grass, 1, darker(pal::leaf, 0.2));
    cairo_set_source(cr, grass);
    cairo_fill(cr);
    cairo_pattern_destroy(grass);

    // The path winds in from the bottom edge and narrows into the meadow;
    // clipping to the meadow lets it vanish over the brow of the hill.
    cairo_save(cr);
    ridge(cr, w, h, h * 0.80, 18, 0.8, 4.0);
    cairo_clip(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, w * 0.585, h * 0.74);
    cairo_curve_to(cr, w * 0.52, h * 0.86, w * 0.70, h * 0.92, w * 0.60, h + 2);
    cairo_line_to(cr, w * 0.80, h + 2);
    cairo_curve_to(cr, w * 0.86, h * 0.92, w * 0.60, h * 0.86, w * 0.605, h * 0.74);
    cairo_close_path(cr);
    cairo_pattern_t* sand = cairo_pattern_create_linear(0, h * 0.76, 0, h);
    addStop(sand, 0, mix(pal::sand, pal::leaf, 0.25));
    addStop(sand, 0.3, pal::sand);
    addStop(sand, 1, mix(pal::sand, pal::wood, 0.15));
    cairo_set_source(cr, sand);
    cairo_fill(cr);
    cairo_pattern_destroy(sand);
    cairo_restore(cr);

    meadowSpeckles(cr, w, h);
    fence(cr, w, h);

    // paw prints trotting up the path toward the town
    for (int i = 0; i < 6; ++i) {
        const double t = i / 5.0;
        const double x = w * (0.69 - 0.09 * t) + (i % 2 ? 10 : -10);
        const double y = h * (0.98 - 0.17 * t);
        pawPrint(cr, x, y, 2.2 - 1.2 * t, -0.3, pal::wood, 0.55);
    }

    // chips scattered in the grass, a hint of the game
    const struct {
        ChipKind kind;
        double x, y, size, angle;
    } chips[] = {
        {ChipKind::Bone, 0.06, 0.86, 58, -0.2},  {ChipKind::Ball, 0.13, 0.92, 46, 0.1},
        {ChipKind::Heart, 0.70, 0.83, 50, 0.15}, {ChipKind::Paw, 0.46, 0.91, 44, -0.1},
        {ChipKind::Tag, 0.33, 0.93, 48, 0.2},
    };
    for (const auto& ch : chips) {
        cairo_save(cr);
        cairo_translate(cr, ch.x * w, ch.y * h);
        cairo_rotate(cr, ch.angle);
        cairo_translate(cr, -ch.size / 2, -ch.size / 2);
        paintChip(cr, ch.kind, ch.size);
        cairo_restore(cr);
    }

    // the star of the show
    cairo_save(cr);
    cairo_translate(cr, w * 0.27, h * 0.95);
    ellipse(cr, 0, 0, 120, 16);
    setColor(cr, pal::cocoa, 0.25);
    cairo_fill(cr);
    cairo_scale(cr, 1.25, 1.25);
    paintSittingDog(cr, DogLook{});
    cairo_restore(cr);

    // a friend by the fence: a pale spotted pup with a blue collar
    cairo_save(cr);
    cairo_translate(cr, w * 0.86, h * 0.965);
    ellipse(cr, 0, 0, 80, 11);
    setColor(cr, pal::cocoa, 0.25);
    cairo_fill(cr);
    cairo_scale(cr, -0.82, 0.82);
    DogLook pup;
    pup.fur = hex(0xF1E6D6);
    pup.belly = pal::white;
    pup.ear = hex(0x6B4526);
    pup.collar = hex(0x3A8CE0);
    paintSittingDog(cr, pup);
    cairo_restore(cr);

    title(c, w * 0.5, h * 0.24, 140);

    // a gentle warm vignette pulls the eye to the middle
    cairo_pattern_t* vig = cairo_pattern_create_radial(w / 2.0, h / 2.0, h * 0.45, w / 2.0, h / 2.0, w * 0.72);
    addStop(vig, 0, pal::cocoa, 0);
    addStop(vig, 1, pal::cocoa, 0.28);
    cairo_set_source(cr, vig);
    cairo_paint(cr);
    cairo_pattern_destroy(vig);
}

} // namespace artgen
