#pragma once
// The fonts a canvas draws with, realised for Qt once per distinct setting,
// each remembering the widths of the texts measured in it. Measuring a text
// shapes it, which costs more than drawing it, and every frame measures the
// same labels again (to place them, to size the axes, then to draw them).
// Drawing the glyphs costs more than copying what they left, so the pixels
// around a drawn text are remembered too.
#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QList>
#include <QRect>
#include <QRgb>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "runtime/graphics.h"

namespace tokiwa {

// A text from the logs as shown: undecodable bytes kept as the loader shows them.
QString ShownText(std::string_view text);

// The pixels around a text turned by a multiple of a right angle, before and
// after it was drawn: drawn again at whole pixels with the same pen where the
// pixels are those before, it leaves those after again.
struct TextPatch {
  int angle = 0;
  QRgb pen = 0;
  QRect area;  // around the baseline's start
  std::vector<std::uint32_t> before, after;  // area's rows
};

class RealisedFont {
 public:
  explicit RealisedFont(QFont font);
  const QFont& Font() const { return font_; }
  const QFontMetrics& Metrics() const { return metrics_; }
  // The advance of the text as shown.
  int Width(std::string_view text);
  // The text shaped, its baseline at y = 0: drawn run by run it gives the
  // pixels drawing the text itself gives, without shaping it again.
  const QList<QGlyphRun>& Glyphs(std::string_view text);
  // The text's patches, the latest few; all are dropped when the font's
  // patches outgrow their budget.
  const std::vector<TextPatch>& Patches(std::string_view text) { return Find(text).patches; }
  void KeepPatch(std::string_view text, TextPatch patch);

 private:
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  struct Known {
    int width = 0;
    std::optional<QList<QGlyphRun>> glyphs;  // shaped when first drawn
    std::vector<TextPatch> patches;
  };
  // The text's entry, measured when it is new.
  Known& Find(std::string_view text);

  QFont font_;
  QFontMetrics metrics_;
  std::unordered_map<std::string, Known, Hash, std::equal_to<>> texts_;
  std::size_t patchBytes_ = 0;
};

class RealisedFonts {
 public:
  // The font for these settings; a monochrome canvas draws it without
  // antialiasing. Stays valid until the next call.
  RealisedFont& For(const TFont& font, bool monochrome);

 private:
  struct Key {
    std::string name;
    int height = 0;
    TFontStyles style = 0;
    bool monochrome = false;
    bool operator==(const Key&) const = default;
  };
  std::vector<std::pair<Key, std::unique_ptr<RealisedFont>>> fonts_;
  std::size_t last_ = 0;
};

}  // namespace tokiwa
