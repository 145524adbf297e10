#include "platform/Pixmap.h"

#include <png.h>
#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "platform/Files.h"

namespace plat {

void Pixmap::fill(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  for (size_t i = 0; i + 3 < rgba.size(); i += 4) {
    rgba[i] = r;
    rgba[i + 1] = g;
    rgba[i + 2] = b;
    rgba[i + 3] = a;
  }
}

Pixmap Pixmap::crop(int x, int y, int w, int h) const {
  Pixmap out(w > 0 ? w : 0, h > 0 ? h : 0);
  for (int yy = 0; yy < out.height; ++yy) {
    int sy = y + yy;
    if (sy < 0 || sy >= height) continue;
    for (int xx = 0; xx < out.width; ++xx) {
      int sx = x + xx;
      if (sx < 0 || sx >= width) continue;
      std::memcpy(out.at(xx, yy), at(sx, sy), 4);
    }
  }
  return out;
}

Pixmap Pixmap::scaled(int w, int h) const {
  Pixmap out(w, h);
  if (empty() || w <= 0 || h <= 0) return out;
  for (int y = 0; y < h; ++y) {
    float fy = (y + 0.5f) * height / float(h) - 0.5f;
    int y0 = fy < 0 ? 0 : int(fy);
    int y1 = y0 + 1 < height ? y0 + 1 : height - 1;
    float ty = fy - y0;
    if (ty < 0) ty = 0;
    for (int x = 0; x < w; ++x) {
      float fx = (x + 0.5f) * width / float(w) - 0.5f;
      int x0 = fx < 0 ? 0 : int(fx);
      int x1 = x0 + 1 < width ? x0 + 1 : width - 1;
      float tx = fx - x0;
      if (tx < 0) tx = 0;
      const uint8_t *a = at(x0, y0), *b = at(x1, y0), *c = at(x0, y1), *d = at(x1, y1);
      uint8_t* o = out.at(x, y);
      for (int k = 0; k < 4; ++k) {
        float top = a[k] + (b[k] - a[k]) * tx;
        float bot = c[k] + (d[k] - c[k]) * tx;
        o[k] = uint8_t(top + (bot - top) * ty + 0.5f);
      }
    }
  }
  return out;
}

namespace {

constexpr int kMaxSide = 16384;  // refuse absurd sizes from hostile headers

struct PngReadState {
  const std::string* bytes;
  size_t pos;
};

void pngRead(png_structp png, png_bytep out, png_size_t len) {
  auto* st = static_cast<PngReadState*>(png_get_io_ptr(png));
  if (st->pos + len > st->bytes->size()) png_error(png, "unexpected end of file");
  std::memcpy(out, st->bytes->data() + st->pos, len);
  st->pos += len;
}

void pngQuietWarning(png_structp, png_const_charp) {}

std::optional<Pixmap> decodePng(const std::string& bytes, std::string& why) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, pngQuietWarning);
  if (!png) return std::nullopt;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return std::nullopt;
  }
  // Everything touched after setjmp lives on the heap or is volatile-safe.
  std::vector<png_bytep>* volatile rows = new std::vector<png_bytep>();
  Pixmap* volatile result = new Pixmap();
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    delete result;
    delete rows;
    why = "corrupt PNG data";
    return std::nullopt;
  }
  PngReadState st{&bytes, 0};
  png_set_read_fn(png, &st, pngRead);
  png_set_user_limits(png, kMaxSide, kMaxSide);
  png_read_info(png, info);
  png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
  int bitDepth = png_get_bit_depth(png, info);
  int colourType = png_get_color_type(png, info);
  if (bitDepth == 16) png_set_strip_16(png);
  if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
  if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
  if (!(colourType & PNG_COLOR_MASK_ALPHA) && !png_get_valid(png, info, PNG_INFO_tRNS))
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != size_t(w) * 4) png_error(png, "unsupported pixel layout");
  *result = Pixmap(int(w), int(h));
  rows->resize(h);
  for (png_uint_32 y = 0; y < h; ++y) (*rows)[y] = result->at(0, int(y));
  png_read_image(png, rows->data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  Pixmap out = std::move(*result);
  delete result;
  delete rows;
  return out;
}

struct JpegError {
  jpeg_error_mgr mgr;
  jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void jpegFail(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<JpegError*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  longjmp(err->jump, 1);
}

void jpegQuiet(j_common_ptr, int) {}

std::optional<Pixmap> decodeJpeg(const std::string& bytes, std::string& why) {
  jpeg_decompress_struct cinfo{};
  JpegError err{};
  cinfo.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = jpegFail;
  err.mgr.emit_message = jpegQuiet;
  Pixmap* volatile result = new Pixmap();
  std::vector<uint8_t>* volatile row = new std::vector<uint8_t>();
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    why = std::string("corrupt JPEG data: ") + err.message;
    delete result;
    delete row;
    return std::nullopt;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  if (cinfo.output_width > unsigned(kMaxSide) || cinfo.output_height > unsigned(kMaxSide) ||
      cinfo.output_components != 3) {
    std::strcpy(err.message, "unsupported size or colour layout");
    longjmp(err.jump, 1);
  }
  *result = Pixmap(int(cinfo.output_width), int(cinfo.output_height));
  row->resize(size_t(cinfo.output_width) * 3);
  while (cinfo.output_scanline < cinfo.output_height) {
    int y = int(cinfo.output_scanline);
    JSAMPROW rp = row->data();
    jpeg_read_scanlines(&cinfo, &rp, 1);
    uint8_t* dst = result->at(0, y);
    for (unsigned x = 0; x < cinfo.output_width; ++x) {
      dst[x * 4] = (*row)[x * 3];
      dst[x * 4 + 1] = (*row)[x * 3 + 1];
      dst[x * 4 + 2] = (*row)[x * 3 + 2];
      dst[x * 4 + 3] = 255;
    }
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  Pixmap out = std::move(*result);
  delete result;
  delete row;
  return out;
}

void pngWrite(png_structp png, png_bytep data, png_size_t len) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), len);
}
void pngFlush(png_structp) {}

}  // namespace

std::optional<Pixmap> decodeImage(const std::string& bytes, const std::string& name) {
  std::string why;
  std::optional<Pixmap> pm;
  static const unsigned char kPngSig[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (bytes.size() >= 8 && std::memcmp(bytes.data(), kPngSig, 8) == 0) {
    pm = decodePng(bytes, why);
  } else if (bytes.size() >= 3 && uint8_t(bytes[0]) == 0xFF && uint8_t(bytes[1]) == 0xD8 &&
             uint8_t(bytes[2]) == 0xFF) {
    pm = decodeJpeg(bytes, why);
  } else {
    why = "not a PNG or JPEG file";
  }
  if (!pm) std::cout << "Could not decode image " << name << ": " << why << std::endl;
  return pm;
}

std::optional<Pixmap> loadPixmap(const std::string& path) {
  auto bytes = readBinaryFile(path);
  if (!bytes) {
    std::cout << "Could not open image " << path << ": file not found" << std::endl;
    return std::nullopt;
  }
  return decodeImage(*bytes, path);
}

std::string encodePng(const Pixmap& pm) {
  std::string out;
  if (pm.empty()) return out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return out;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return std::string();
  }
  png_set_write_fn(png, &out, pngWrite, pngFlush);
  png_set_IHDR(png, info, png_uint_32(pm.width), png_uint_32(pm.height), 8, PNG_COLOR_TYPE_RGBA,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < pm.height; ++y) png_write_row(png, const_cast<png_bytep>(pm.at(0, y)));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

bool savePng(const std::string& path, const Pixmap& pm) {
  std::string bytes = encodePng(pm);
  if (bytes.empty()) {
    std::cout << "Could not encode PNG for " << path << std::endl;
    return false;
  }
  return writeFileAtomic(path, bytes);
}

std::string encodeJpeg(const Pixmap& pm, int quality) {
  if (pm.empty()) return std::string();
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr jerr{};
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  unsigned char* mem = nullptr;
  unsigned long memSize = 0;
  jpeg_mem_dest(&cinfo, &mem, &memSize);
  cinfo.image_width = JDIMENSION(pm.width);
  cinfo.image_height = JDIMENSION(pm.height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<uint8_t> row(size_t(pm.width) * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    const uint8_t* src = pm.at(0, int(cinfo.next_scanline));
    for (int x = 0; x < pm.width; ++x) {
      row[size_t(x) * 3] = src[x * 4];
      row[size_t(x) * 3 + 1] = src[x * 4 + 1];
      row[size_t(x) * 3 + 2] = src[x * 4 + 2];
    }
    JSAMPROW rp = row.data();
    jpeg_write_scanlines(&cinfo, &rp, 1);
  }
  jpeg_finish_compress(&cinfo);
  std::string out(reinterpret_cast<char*>(mem), memSize);
  jpeg_destroy_compress(&cinfo);
  std::free(mem);
  return out;
}

}  // namespace plat
