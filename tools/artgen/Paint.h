// Shared drawing vocabulary for the image generator: the palette, the
// outline-and-highlight style every touchable thing uses, and the writers.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace artgen {

struct Rgb {
    double r, g, b;
};

constexpr Rgb hex(std::uint32_t v)
{
    return {((v >> 16) & 0xFF) / 255.0, ((v >> 8) & 0xFF) / 255.0, (v & 0xFF) / 255.0};
}

namespace pal {
inline constexpr Rgb cream = hex(0xF6EBD9);
inline constexpr Rgb sand = hex(0xE8D2AE);
inline constexpr Rgb wood = hex(0x8B5A2B);
inline constexpr Rgb grain = hex(0x5E3B1A);
inline constexpr Rgb cocoa = hex(0x3A2615);
inline constexpr Rgb leaf = hex(0x5FA044);
inline constexpr Rgb sky = hex(0x7EC8E3);
inline constexpr Rgb sunset = hex(0xF29E4C);
inline constexpr Rgb gold = hex(0xF7DE71);
inline constexpr Rgb white = hex(0xFFFDF8);
} // namespace pal

// Linear mix: t = 0 gives a, t = 1 gives b.
Rgb mix(Rgb a, Rgb b, double t);
inline Rgb lighter(Rgb c, double t) { return mix(c, pal::white, t); }
inline Rgb darker(Rgb c, double t) { return mix(c, pal::cocoa, t); }

void setColor(cairo_t* cr, Rgb c, double alpha = 1.0);
void addStop(cairo_pattern_t* p, double offset, Rgb c, double alpha = 1.0);
// Fills the current path (kept for a stroke) with the game's wood: light at
// (x0, y0), plain wood at `mid`, dark at (x1, y1).
void fillWood(cairo_t* cr, double x0, double y0, double x1, double y1, double light, double dark, double mid = 0.5);

// What painters may need from outside: where the game's fonts live.
struct ArtEnv {
    std::filesystem::path fontDir;
};

struct Canvas {
    cairo_t* cr;
    int width;
    int height;
    const ArtEnv& env;
};

using Painter = void (*)(Canvas&);

// Builds a path into the context; the caller decides how to fill it.
using PathFn = void (*)(cairo_t* cr, void* user);

// Paints the current path as a touchable shape: a cocoa outline of
// `outline` px showing outside the fill, a top-left-lit gradient, and a soft
// highlight. The outline is drawn under the fill, so paths made of several
// overlapping sub-shapes read as one silhouette with no inner seams.
struct ShapeStyle {
    Rgb base;
    double outline = 2.0;
    double highlight = 0.55; // strength of the glossy spot, 0 for none
};
void paintShape(cairo_t* cr, const ShapeStyle& style, double x0, double y0, double x1, double y1);

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
void ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);

// Separable box blur on an ARGB32 surface, three passes approximate a
// gaussian; used to push distant layers back.
void blurSurface(cairo_surface_t* s, int radius);

// Loads a font file from the game's font folder for the cairo text API.
// The face lives until the process ends.
cairo_font_face_t* loadFont(const ArtEnv& env, std::string_view fileName);

// Writers. Both are byte-for-byte reproducible: no time chunks, fixed
// compression settings. Opaque pure black and pure green are nudged, since
// the game's masked images treat those colours as holes.
void writePng(cairo_surface_t* s, const std::filesystem::path& file);
void writeJpeg(cairo_surface_t* s, const std::filesystem::path& file, int quality = 92);

} // namespace artgen
