#pragma once
// PNG encoding tuned for charts: large flat areas and repeated rows compress
// well with zlib's fast levels and no per-row filter search, which is where a
// general-purpose writer spends most of its time; a large picture's two halves
// are compressed at once.
#include <QImage>
#include <optional>
#include <string>

namespace tokiwa {

// The image as the bytes of a PNG file: 8-bit RGB, or RGBA when the image has
// an alpha channel. Lossless. Empty when the image is null or encoding fails.
std::optional<std::string> EncodePng(const QImage& image);

}  // namespace tokiwa
