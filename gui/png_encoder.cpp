#include "gui/png_encoder.h"

#include <png.h>

#include <csetjmp>
#include <new>

namespace tokiwa {

namespace {

// Level 3 is the strongest of zlib's fast levels; a chart PNG comes out a few
// times smaller than raw pixels at a fraction of the default level's time.
// Filter selection is skipped: trying every filter on every row took longer
// than compressing.
constexpr int kCompressionLevel = 3;

void AppendBytes(png_structp png, png_bytep data, png_size_t size) {
  auto* out = static_cast<std::string*>(png_get_io_ptr(png));
  bool full = false;
  try {
    out->append(reinterpret_cast<const char*>(data), size);
  } catch (const std::bad_alloc&) {
    full = true;
  }
  if (full) png_error(png, "out of memory");
}

void NoFlush(png_structp) {}
void IgnoreWarning(png_structp, png_const_charp) {}
void StopOnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

// libpng reports errors by a long jump back here, so this frame holds nothing
// that needs destroying. image is RGB32 (4 bytes a pixel, padding ignored) or
// RGBA8888.
bool Encode(const QImage& image, bool alpha, std::string& out) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, StopOnError, IgnoreWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &out, AppendBytes, NoFlush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()), static_cast<png_uint_32>(image.height()), 8,
               alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_set_compression_level(png, kCompressionLevel);
  png_write_info(png, info);
  if (!alpha) {
    // RGB32 holds 0xffRRGGBB words: drop the padding byte, put red first.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    png_set_filler(png, 0, PNG_FILLER_AFTER);
    png_set_bgr(png);
#else
    png_set_filler(png, 0, PNG_FILLER_BEFORE);
#endif
  }
  for (int y = 0; y < image.height(); ++y) png_write_row(png, image.constScanLine(y));
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

std::optional<std::string> EncodePng(const QImage& source) {
  if (source.isNull()) return std::nullopt;
  const bool alpha = source.hasAlphaChannel();
  // A shallow copy when the image already has the format.
  const QImage image = source.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB32);
  std::string out;
  if (image.isNull() || !Encode(image, alpha, out)) return std::nullopt;
  return out;
}

}  // namespace tokiwa
