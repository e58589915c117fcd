#include "gui/png_encoder.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <future>
#include <new>
#include <string_view>
#include <system_error>
#include <vector>

namespace tokiwa {

namespace {

// Level 3 is the strongest of zlib's fast levels; a chart PNG comes out a few
// times smaller than raw pixels at a fraction of the default level's time.
// Rows go unfiltered: trying every filter on every row took longer than
// compressing.
constexpr int kCompressionLevel = 3;
// Below this many bytes of pixels a second thread costs more than it saves.
constexpr std::size_t kSplitFrom = std::size_t{1} << 20;
constexpr int kRowsABatch = 32;

void PutBigEndian(std::string& out, std::uint32_t value) {
  const char bytes[4] = {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
                         static_cast<char>(value >> 8), static_cast<char>(value)};
  out.append(bytes, 4);
}

void AppendChunk(std::string& out, const char (&type)[5], std::string_view data) {
  PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.append(type, 4);
  out.append(data);
  const auto* bytes = reinterpret_cast<const Bytef*>(out.data() + start);
  PutBigEndian(out, static_cast<std::uint32_t>(crc32_z(0, bytes, data.size() + 4)));
}

// One row as PNG stores it at out: filter type 0, then R, G, B (and A) bytes;
// returns the end of what it wrote. RGB32 holds 0xffRRGGBB words; RGBA8888 is
// already in PNG's order.
Bytef* PutRow(const uchar* line, int width, bool alpha, Bytef* out) {
  *out++ = 0;
  if (alpha) return std::copy(line, line + std::size_t(width) * 4, out);
  const auto* pixels = reinterpret_cast<const std::uint32_t*>(line);
  for (int x = 0; x < width; ++x, out += 3) {
    const std::uint32_t rgb = pixels[x];
    out[0] = static_cast<Bytef>(rgb >> 16);
    out[1] = static_cast<Bytef>(rgb >> 8);
    out[2] = static_cast<Bytef>(rgb);
  }
  return out;
}

// Rows [first, last) as raw deflate data that ends on a byte boundary, or as
// the end of the stream when last; with the Adler-32 of the uncompressed rows.
struct DeflatedRows {
  std::string data;
  uLong adler = adler32(0, nullptr, 0);
  uLong size = 0;
  bool ok = false;
};

DeflatedRows DeflateRows(const QImage& image, bool alpha, int first, int last, bool ending) {
  DeflatedRows result;
  z_stream z{};
  if (deflateInit2(&z, kCompressionLevel, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) return result;
  const int width = image.width();
  const std::size_t rowBytes = 1 + std::size_t(width) * (alpha ? 4 : 3);
  std::vector<Bytef> rows;
  std::vector<Bytef> buffer(std::size_t{1} << 16);
  bool ok = true;
  try {
    int y = first;
    do {  // once at least, so an empty range still ends the stream
      const int end = std::min(last, y + kRowsABatch);
      rows.resize(rowBytes * std::size_t(end - y));
      Bytef* at = rows.data();
      for (int row = y; row < end; ++row) at = PutRow(image.constScanLine(row), width, alpha, at);
      result.adler = adler32_z(result.adler, rows.data(), rows.size());
      result.size += static_cast<uLong>(rows.size());
      const int flush = end < last ? Z_NO_FLUSH : ending ? Z_FINISH : Z_SYNC_FLUSH;
      z.next_in = rows.data();
      z.avail_in = static_cast<uInt>(rows.size());
      do {
        z.next_out = buffer.data();
        z.avail_out = static_cast<uInt>(buffer.size());
        if (deflate(&z, flush) == Z_STREAM_ERROR) ok = false;
        result.data.append(reinterpret_cast<const char*>(buffer.data()), buffer.size() - z.avail_out);
      } while (ok && z.avail_out == 0);
      y = end;
    } while (ok && y < last);
  } catch (const std::bad_alloc&) {
    ok = false;
  }
  deflateEnd(&z);
  result.ok = ok;
  return result;
}

// The zlib stream of the image's rows; the two halves of a large picture are
// compressed at once and joined as independent deflate runs, whose checksums
// combine.
std::optional<std::string> CompressRows(const QImage& image, bool alpha) {
  const int height = image.height();
  const std::size_t bytes = std::size_t(image.width()) * std::size_t(height) * (alpha ? 4 : 3);
  const int middle = bytes >= kSplitFrom ? height / 2 : 0;
  std::future<DeflatedRows> top;
  if (middle > 0) {
    try {
      top = std::async(std::launch::async, DeflateRows, std::cref(image), alpha, 0, middle, false);
    } catch (const std::system_error&) {  // no thread to be had: one after the other
      top = std::async(std::launch::deferred, DeflateRows, std::cref(image), alpha, 0, middle, false);
    }
  }
  const DeflatedRows bottom = DeflateRows(image, alpha, middle, height, true);
  const DeflatedRows head = middle > 0 ? top.get() : DeflatedRows{{}, adler32(0, nullptr, 0), 0, true};
  if (!head.ok || !bottom.ok) return std::nullopt;
  std::string out;
  // Deflate with a 32 KiB window; the level flag says "fast", and the two
  // bytes together are a multiple of 31.
  constexpr unsigned kMethod = 0x78, kFlags = 1u << 6;
  out.push_back(static_cast<char>(kMethod));
  out.push_back(static_cast<char>(kFlags + 31 - (kMethod * 256 + kFlags) % 31));
  out += head.data;
  out += bottom.data;
  PutBigEndian(out, static_cast<std::uint32_t>(adler32_combine(head.adler, bottom.adler, bottom.size)));
  return out;
}

// image is RGB32 (4 bytes a pixel, padding ignored) or RGBA8888.
std::optional<std::string> Encode(const QImage& image, bool alpha) {
  const std::optional<std::string> rows = CompressRows(image, alpha);
  if (!rows) return std::nullopt;
  std::string header;
  PutBigEndian(header, static_cast<std::uint32_t>(image.width()));
  PutBigEndian(header, static_cast<std::uint32_t>(image.height()));
  // 8 bits a channel, colour type 6 (RGBA) or 2 (RGB), deflate, no filter
  // choice, no interlace.
  header += std::string_view(alpha ? "\x08\x06\x00\x00\x00" : "\x08\x02\x00\x00\x00", 5);
  std::string out("\x89PNG\r\n\x1a\n", 8);
  out.reserve(rows->size() + 64);
  AppendChunk(out, "IHDR", header);
  // Chunk lengths are 31-bit; a huge picture takes several data chunks.
  constexpr std::size_t kMostInAChunk = std::size_t{1} << 30;
  for (std::size_t at = 0; at < rows->size(); at += kMostInAChunk) {
    AppendChunk(out, "IDAT", std::string_view(*rows).substr(at, kMostInAChunk));
  }
  AppendChunk(out, "IEND", {});
  return out;
}

}  // namespace

std::optional<std::string> EncodePng(const QImage& source) {
  if (source.isNull()) return std::nullopt;
  const bool alpha = source.hasAlphaChannel();
  // A shallow copy when the image already has the format.
  const QImage image = source.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB32);
  if (image.isNull()) return std::nullopt;
  try {
    return Encode(image, alpha);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

}  // namespace tokiwa
