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
// The patches of one font: a screenful of labels takes a few hundred KiB. A
// text keeps those of the grounds it was last drawn on.
constexpr std::size_t kMaxPatchBytes = std::size_t{4} << 20;
constexpr std::size_t kMaxPatchesPerText = 4;

std::size_t Bytes(const TextPatch& patch) {
  return (patch.before.size() + patch.after.size()) * sizeof(std::uint32_t);
}

}  // namespace

QString ShownText(std::string_view text) {
  const std::string shown = Cp932DisplayText(text);
  return QString::fromUtf8(shown.data(), qsizetype(shown.size()));
}

RealisedFont::RealisedFont(QFont font) : font_(std::move(font)), metrics_(font_) {}

RealisedFont::Known& RealisedFont::Find(std::string_view text) {
  if (auto known = texts_.find(text); known != texts_.end()) return known->second;
  if (texts_.size() >= kMaxTexts) {
    texts_.clear();
    patchBytes_ = 0;
  }
  return texts_.emplace(text, Known{metrics_.horizontalAdvance(ShownText(text)), std::nullopt, {}}).first->second;
}

int RealisedFont::Width(std::string_view text) { return Find(text).width; }

const QList<QGlyphRun>& RealisedFont::Glyphs(std::string_view text) {
  Known& known = Find(text);
  if (known.glyphs) return *known.glyphs;
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
  return known.glyphs.emplace(std::move(runs));
}

void RealisedFont::KeepPatch(std::string_view text, TextPatch patch) {
  const std::size_t bytes = Bytes(patch);
  if (bytes > kMaxPatchBytes / 8) return;
  if (patchBytes_ + bytes > kMaxPatchBytes) {
    for (auto& [name, known] : texts_) known.patches = {};
    patchBytes_ = 0;
  }
  std::vector<TextPatch>& patches = Find(text).patches;
  if (patches.size() >= kMaxPatchesPerText) {
    patchBytes_ -= Bytes(patches.front());
    patches.erase(patches.begin());
  }
  patches.push_back(std::move(patch));
  patchBytes_ += bytes;
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
