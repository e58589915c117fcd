#pragma once
// A chart saved as a picture file: PNG as the window draws it, or SVG and PDF
// drawn by Qt's own generators through the same canvas, as vectors with the
// texts as text.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tokiwa {

class TCustomChart;

enum class ImageFormat : std::uint8_t { Png, Svg, Pdf };

// The largest picture side, in pixels: also the ceiling of a chart's back buffer.
inline constexpr int kMaxImageSide = 16384;

// The format an output file's name asks for: ".png", ".svg" or ".pdf" in any
// case of letters. A name without an extension is PNG, as every picture was
// before there was a choice (and devices such as /dev/stdout have none); any
// other extension asks for nothing known.
std::optional<ImageFormat> ImageFormatOf(std::string_view path);

// The extension of a format, with its dot.
std::string_view ExtensionOf(ImageFormat format);

// Renders the chart at width × height pixels into a file of that format,
// written whole or not at all (an existing file is replaced only by a
// complete one). Returns false, after showing the reason through the error
// display, when there is no Qt GUI application, the size is not positive or
// too large, the chart's paint fails or the file cannot be written. The chart
// keeps its host and bounds.
bool RenderChartToFile(TCustomChart& chart, int width, int height, const std::string& path, ImageFormat format);

}  // namespace tokiwa
