#include "Paint.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <jpeglib.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <csetjmp>
#include <map>
#include <memory>
#include <stdexcept>
#include <vector>

namespace artgen {

Rgb mix(Rgb a, Rgb b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

void setColor(cairo_t* cr, Rgb c, double alpha)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void addStop(cairo_pattern_t* p, double offset, Rgb c, double alpha)
{
    cairo_pattern_add_color_stop_rgba(p, offset, c.r, c.g, c.b, alpha);
}

void fillWood(cairo_t* cr, double x0, double y0, double x1, double y1, double light, double dark, double mid)
{
    cairo_pattern_t* g = cairo_pattern_create_linear(x0, y0, x1, y1);
    addStop(g, 0, lighter(pal::wood, light));
    addStop(g, mid, pal::wood);
    addStop(g, 1, darker(pal::wood, dark));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r)
{
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void ellipse(cairo_t* cr, double cx, double cy, double rx, double ry)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_close_path(cr);
    cairo_restore(cr);
}

void paintShape(cairo_t* cr, const ShapeStyle& style, double x0, double y0, double x1, double y1)
{
    cairo_save(cr);
    cairo_path_t* path = cairo_copy_path(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);

    if (style.outline > 0) {
        setColor(cr, pal::cocoa);
        cairo_set_line_width(cr, style.outline * 2);
        cairo_stroke_preserve(cr);
    }

    // Light comes from the upper left: lighter there, a touch of cocoa in
    // the far corner so the chip has body without going muddy.
    cairo_pattern_t* body = cairo_pattern_create_linear(x0, y0, x1, y1);
    addStop(body, 0.0, lighter(style.base, 0.30));
    addStop(body, 0.45, style.base);
    addStop(body, 1.0, darker(style.base, 0.22));
    cairo_set_source(cr, body);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(body);

    if (style.highlight > 0) {
        cairo_clip(cr);
        const double w = x1 - x0, h = y1 - y0;
        const double hx = x0 + w * 0.32, hy = y0 + h * 0.28;
        cairo_pattern_t* glow = cairo_pattern_create_radial(hx, hy, 0, hx, hy, std::max(w, h) * 0.42);
        addStop(glow, 0.0, pal::white, style.highlight);
        addStop(glow, 0.5, pal::white, style.highlight * 0.35);
        addStop(glow, 1.0, pal::white, 0.0);
        cairo_set_source(cr, glow);
        cairo_paint(cr);
        cairo_pattern_destroy(glow);
    }
    cairo_restore(cr);
    cairo_new_path(cr);
    cairo_path_destroy(path);
}

void blurSurface(cairo_surface_t* s, int radius)
{
    if (radius <= 0)
        return;
    cairo_surface_flush(s);
    const int w = cairo_image_surface_get_width(s);
    const int h = cairo_image_surface_get_height(s);
    const int stride = cairo_image_surface_get_stride(s);
    unsigned char* data = cairo_image_surface_get_data(s);

    std::vector<std::uint32_t> px(static_cast<size_t>(w) * h), tmp(px.size());
    for (int y = 0; y < h; ++y)
        std::copy_n(reinterpret_cast<std::uint32_t*>(data + y * stride), w, px.begin() + y * w);

    // One box pass along a line with clamped edges, integer sums so the
    // result never depends on floating-point evaluation order.
    auto pass = [&](const std::uint32_t* src, std::uint32_t* dst, int n, int step) {
        const int win = 2 * radius + 1;
        std::uint32_t sum[4] = {0, 0, 0, 0};
        auto at = [&](int i) { return src[std::clamp(i, 0, n - 1) * step]; };
        for (int i = -radius; i <= radius; ++i)
            for (int c = 0; c < 4; ++c)
                sum[c] += (at(i) >> (8 * c)) & 0xFF;
        for (int i = 0; i < n; ++i) {
            std::uint32_t out = 0;
            for (int c = 0; c < 4; ++c)
                out |= ((sum[c] + win / 2) / win) << (8 * c);
            dst[i * step] = out;
            const std::uint32_t in = at(i + radius + 1), gone = at(i - radius);
            for (int c = 0; c < 4; ++c)
                sum[c] += ((in >> (8 * c)) & 0xFF) - ((gone >> (8 * c)) & 0xFF);
        }
    };
    for (int round = 0; round < 3; ++round) {
        for (int y = 0; y < h; ++y)
            pass(&px[y * w], &tmp[y * w], w, 1);
        for (int x = 0; x < w; ++x)
            pass(&tmp[x], &px[x], h, w);
    }
    for (int y = 0; y < h; ++y)
        std::copy_n(px.begin() + y * w, w, reinterpret_cast<std::uint32_t*>(data + y * stride));
    cairo_surface_mark_dirty(s);
}

cairo_font_face_t* loadFont(const ArtEnv& env, std::string_view fileName)
{
    static FT_Library library = nullptr;
    static std::map<std::string, cairo_font_face_t*> cache;
    const std::string file = (env.fontDir / fileName).string();
    if (auto it = cache.find(file); it != cache.end())
        return it->second;
    if (!library && FT_Init_FreeType(&library) != 0)
        throw std::runtime_error("cannot start FreeType");
    FT_Face face = nullptr;
    if (FT_New_Face(library, file.c_str(), 0, &face) != 0)
        throw std::runtime_error("cannot load font " + file);
    cairo_font_face_t* cf = cairo_ft_font_face_create_for_ft_face(face, 0);
    cache.emplace(file, cf);
    return cf;
}

namespace {

// Straight (unpremultiplied) RGBA rows from a cairo ARGB32 surface.
std::vector<unsigned char> toRgba(cairo_surface_t* s, int& w, int& h)
{
    cairo_surface_flush(s);
    w = cairo_image_surface_get_width(s);
    h = cairo_image_surface_get_height(s);
    const int stride = cairo_image_surface_get_stride(s);
    const unsigned char* data = cairo_image_surface_get_data(s);
    std::vector<unsigned char> out(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = row[x];
            const unsigned a = p >> 24;
            unsigned r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            if (a == 0) {
                r = g = b = 0;
            } else if (a < 255) {
                r = std::min(255u, (r * 255 + a / 2) / a);
                g = std::min(255u, (g * 255 + a / 2) / a);
                b = std::min(255u, (b * 255 + a / 2) / a);
            } else if (g == 0 && b == 0 && (r == 0)) {
                r = g = b = 1; // opaque pure black reads as a hole to masked blits
            } else if (r == 0 && g == 255 && b == 0) {
                g = 254; // so does opaque pure green
            }
            unsigned char* o = &out[(static_cast<size_t>(y) * w + x) * 4];
            o[0] = static_cast<unsigned char>(r);
            o[1] = static_cast<unsigned char>(g);
            o[2] = static_cast<unsigned char>(b);
            o[3] = static_cast<unsigned char>(a);
        }
    }
    return out;
}

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

FILE* openOut(const std::filesystem::path& file)
{
    std::filesystem::create_directories(file.parent_path());
    FILE* f = std::fopen(file.c_str(), "wb");
    if (!f)
        throw std::runtime_error("cannot write " + file.string());
    return f;
}

} // namespace

void writePng(cairo_surface_t* s, const std::filesystem::path& file)
{
    int w = 0, h = 0;
    std::vector<unsigned char> rgba = toRgba(s, w, h);
    bool opaque = true;
    for (size_t i = 3; i < rgba.size(); i += 4)
        opaque = opaque && rgba[i] == 255;

    std::unique_ptr<FILE, FileCloser> f(openOut(file));
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("libpng failed writing " + file.string());
    }
    png_init_io(png, f.get());
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, w, h, 8, opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    if (opaque)
        png_set_filler(png, 0, PNG_FILLER_AFTER); // drop the alpha byte from our RGBA rows
    for (int y = 0; y < h; ++y)
        png_write_row(png, &rgba[static_cast<size_t>(y) * w * 4]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
}

void writeJpeg(cairo_surface_t* s, const std::filesystem::path& file, int quality)
{
    int w = 0, h = 0;
    std::vector<unsigned char> rgba = toRgba(s, w, h);
    std::vector<unsigned char> row(static_cast<size_t>(w) * 3);

    std::unique_ptr<FILE, FileCloser> f(openOut(file));
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, f.get());
    cinfo.image_width = static_cast<JDIMENSION>(w);
    cinfo.image_height = static_cast<JDIMENSION>(h);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    cinfo.optimize_coding = TRUE;
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        const unsigned char* src = &rgba[static_cast<size_t>(cinfo.next_scanline) * w * 4];
        for (int x = 0; x < w; ++x) {
            // JPEG has no alpha: composite over cream rather than black.
            const double a = src[x * 4 + 3] / 255.0;
            row[x * 3 + 0] = static_cast<unsigned char>(std::lround(src[x * 4 + 0] * a + 246 * (1 - a)));
            row[x * 3 + 1] = static_cast<unsigned char>(std::lround(src[x * 4 + 1] * a + 235 * (1 - a)));
            row[x * 3 + 2] = static_cast<unsigned char>(std::lround(src[x * 4 + 2] * a + 217 * (1 - a)));
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
}

} // namespace artgen
