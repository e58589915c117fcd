#include "gui/realised_fonts.h"

#include <QTextLayout>

#include "gui/font_mapping.h"
#include "runtime/encoding.h"

namespace tokiwa {

namespace {

// Bounds on what is remembered: labels change as the view moves, and a
// program may set any number of font sizes.
constexpr std::size_t kMaxTexts = 4096;
constexpr std::size_t kMaxFonts = 64;

}  // namespace

QString ShownText(std::string_view text) {
  const std::string shown = Cp932DisplayText(text);
  return QString::fromUtf8(shown.data(), qsizetype(shown.size()));
}

RealisedFont::RealisedFont(QFont font) : font_(std::move(font)), metrics_(font_) {}

int RealisedFont::Width(std::string_view text) {
  if (auto known = widths_.find(text); known != widths_.end()) return known->second;
  if (widths_.size() >= kMaxTexts) widths_.clear();
  const int width = metrics_.horizontalAdvance(ShownText(text));
  widths_.emplace(text, width);
  return width;
}

const QList<QGlyphRun>& RealisedFont::Glyphs(std::string_view text) {
  if (auto known = glyphs_.find(text); known != glyphs_.end()) return known->second;
  if (glyphs_.size() >= kMaxTexts) glyphs_.clear();
  QTextLayout layout(ShownText(text), font_);
  layout.beginLayout();
  QTextLine line = layout.createLine();
  layout.endLayout();
  QList<QGlyphRun> runs = layout.glyphRuns();
  const qreal baseline = line.ascent();
  for (QGlyphRun& run : runs) {
    QList<QPointF> positions = run.positions();
    for (QPointF& position : positions) position.ry() -= baseline;
    run.setPositions(positions);
  }
  return glyphs_.emplace(text, std::move(runs)).first->second;
}

RealisedFont& RealisedFonts::For(const TFont& font, bool monochrome) {
  auto matches = [&](const Key& key) {
    return key.height == font.Height() && key.style == font.Style() && key.monochrome == monochrome &&
           key.name == font.Name();
  };
  if (last_ < fonts_.size() && matches(fonts_[last_].first)) return *fonts_[last_].second;
  for (last_ = 0; last_ < fonts_.size(); ++last_)
    if (matches(fonts_[last_].first)) return *fonts_[last_].second;
  if (fonts_.size() >= kMaxFonts) fonts_.clear();
  QFont realised = ToQFont(font);
  if (monochrome) realised.setStyleStrategy(QFont::NoAntialias);
  fonts_.emplace_back(Key{font.Name(), font.Height(), font.Style(), monochrome},
                      std::make_unique<RealisedFont>(std::move(realised)));
  last_ = fonts_.size() - 1;
  return *fonts_.back().second;
}

}  // namespace tokiwa
