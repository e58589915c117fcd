// Text and image drawing of the Qt canvas.
#include <QRawFont>
#include <QTransform>
#include <algorithm>
#include <cmath>

#include "gui/qt_canvas.h"

namespace tokiwa {

namespace {

// The turns QTransform works out exactly: at any other angle the glyphs fall
// on slightly different fractions of a pixel from one place to the next.
bool ExactTurn(int degrees) {
  return degrees == 0 || degrees == 90 || degrees == -90 || degrees == 180 || degrees == 270 || degrees == -270;
}

// Where the runs' glyphs can put ink on the device, one pixel wider for
// hinting, and a ring of one more around that.
QRect InkArea(const QList<QGlyphRun>& runs, const QTransform& transform, QPoint baseline) {
  QRectF ink;
  for (const QGlyphRun& run : runs) {
    const QRawFont font = run.rawFont();
    const QList<quint32> glyphs = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    for (qsizetype i = 0; i < glyphs.size() && i < positions.size(); ++i)
      ink |= font.boundingRect(glyphs[i]).translated(positions[i]);
  }
  return transform.mapRect(ink.translated(baseline)).toAlignedRect().adjusted(-2, -2, 2, 2);
}

// Whether drawing left the outermost ring of the patch's area as it was.
bool RingKept(const TextPatch& patch) {
  const qsizetype width = patch.area.width(), height = patch.area.height();
  const auto& a = patch.before;
  const auto& b = patch.after;
  const qsizetype last = (height - 1) * width;
  if (!std::equal(a.begin(), a.begin() + width, b.begin()) ||
      !std::equal(a.begin() + last, a.begin() + last + width, b.begin() + last))
    return false;
  for (qsizetype row = width; row < last; row += width)
    if (a[row] != b[row] || a[row + width - 1] != b[row + width - 1]) return false;
  return true;
}

}  // namespace

RealisedFont& QtCanvas::CurrentFont() { return fonts_->For(Font(), monochrome_); }

// Drawn from the glyphs once shaped on images; a document keeps its texts as
// text. Decorations go the general way, and so does text while the painter's
// background is opaque (hatched fills leave it so): Qt then places runs of
// glyphs without the painter's transform.
bool QtCanvas::DrawsShapedText() const {
  return directRaster_ && target_ && !bgOpaque_ && !(Font().Style() & (fsUnderline | fsStrikeOut));
}

TSize QtCanvas::TextExtent(std::string_view text) {
  RealisedFont& font = CurrentFont();
  return {font.Width(text), font.Metrics().height()};
}

// The text box is laid out in the text's own (rotated) frame with the anchor
// at the origin: left, centre or right of the box on it horizontally, the top
// or the bottom of the box on it vertically.
void QtCanvas::TextOut(int x, int y, std::string_view text) {
  if (text.empty()) return;
  if (std::abs(std::int64_t(x)) > raster::kSafeCoordinate || std::abs(std::int64_t(y)) > raster::kSafeCoordinate) {
    return;  // no text reaches the image from that far
  }
  RealisedFont& font = CurrentFont();
  const QFontMetrics& fm = font.Metrics();
  const int w = font.Width(text), h = fm.height();
  const int dx = HAlign() == TextHAlign::Left ? 0 : HAlign() == TextHAlign::Center ? -(w / 2) : -w;
  const int dy = VAlign() == TextVAlign::Top ? 0 : -h;
  const QRect box(dx, dy, w, h);

  QTransform transform;
  transform.translate(x, y);
  transform.rotate(-Font().Angle());  // counter-clockwise on screen
  const QRect bounds = transform.mapRect(QRectF(box)).toAlignedRect();
  if (!Visible(std::int64_t(bounds.left()) - 1, std::int64_t(bounds.top()) - 1, std::int64_t(bounds.right()) + 2,
               std::int64_t(bounds.bottom()) + 2)) {
    return;
  }
  QPainter* p = Painter();
  if (!p) return;
  SetComposition(QPainter::CompositionMode_SourceOver);
  p->setTransform(transform);
  if (TextBackgroundOpaque()) p->fillRect(box, ToQColor(BkColor()));
  p->setFont(font.Font());
  p->setPen(ToQColor(Font().Color()));
  const QPoint baseline(dx, dy + fm.ascent());
  if (DrawsShapedText()) {
    DrawShapedText(*p, font, text, transform, baseline);
  } else {
    p->drawText(baseline, ShownText(text));
  }
  p->resetTransform();
}

// Glyphs as once shaped. A text turned square to the image leaves the same
// pixels wherever it is drawn at whole pixels on the same pixels, so when it
// was drawn on such pixels before, what it left is copied instead.
void QtCanvas::DrawShapedText(QPainter& painter, RealisedFont& font, std::string_view text,
                              const QTransform& transform, QPoint baseline) {
  const QList<QGlyphRun>& runs = font.Glyphs(text);
  auto draw = [&] {
    for (const QGlyphRun& run : runs) painter.drawGlyphRun(baseline, run);
  };
  const int angle = -Font().Angle();
  const auto surface = TextBackgroundOpaque() || !ExactTurn(angle) ? std::nullopt : DirectSurface();
  if (!surface) return draw();
  const QPoint origin = transform.map(baseline);  // whole pixels, the turn being exact
  const std::vector<TextPatch>& patches = font.Patches(text);
  const auto turned = std::find_if(patches.begin(), patches.end(), [&](const TextPatch& p) { return p.angle == angle; });
  const QRect area = turned != patches.end() ? turned->area.translated(origin) : InkArea(runs, transform, baseline);
  const TRect where = ToTRect(area);
  if (area.width() < 3 || area.height() < 3 || !clipBounds_.Contains(where)) return draw();
  const QRgb pen = ToPixel(Font().Color());
  for (const TextPatch& patch : patches) {
    if (patch.angle == angle && patch.pen == pen && raster::PixelsAre(*surface, where, patch.before.data())) {
      return raster::WritePixels(*surface, where, patch.after.data());
    }
  }
  const std::size_t size = std::size_t(area.width()) * std::size_t(area.height());
  TextPatch patch{angle, pen, area.translated(-origin), std::vector<std::uint32_t>(size), std::vector<std::uint32_t>(size)};
  raster::ReadPixels(*surface, where, patch.before.data());
  draw();
  raster::ReadPixels(*surface, where, patch.after.data());
  // Ink on the ring might have gone further: such a text is not copied.
  if (RingKept(patch)) font.KeepPatch(text, std::move(patch));
}

// ---- Images ---------------------------------------------------------------

void QtCanvas::DrawQImage(const QRectF& target, const QImage& image, const QRectF& source) {
  QPainter* p = Painter();
  if (!p || image.isNull()) return;
  SetComposition(QPainter::CompositionMode_SourceOver);
  if (!monochrome_) {
    p->drawImage(target, image, source);
    return;
  }
  QImage mono = image.convertToFormat(QImage::Format_RGB32);
  for (int row = 0; row < mono.height(); ++row) {
    auto* line = reinterpret_cast<QRgb*>(mono.scanLine(row));
    for (int col = 0; col < mono.width(); ++col) line[col] = MonoColor(line[col]);
  }
  p->drawImage(target, mono, source);
}

void QtCanvas::Draw(int x, int y, const Image& image) {
  auto* source = dynamic_cast<const QtImageSource*>(&image);
  if (!source) return;
  const QImage& img = source->GetQImage();
  if (img.isNull() || &img == target_) return;
  if (!Visible(x, y, std::int64_t(x) + img.width(), std::int64_t(y) + img.height())) return;
  DrawQImage(QRectF(x, y, img.width(), img.height()), img, QRectF(img.rect()));
}

void QtCanvas::StretchDraw(const TRect& r, const Image& image) {
  auto* source = dynamic_cast<const QtImageSource*>(&image);
  if (!source || r.Right <= r.Left || r.Bottom <= r.Top) return;
  const QImage& img = source->GetQImage();
  if (img.isNull() || &img == target_) return;
  if (!Visible(r.Left, r.Top, r.Right, r.Bottom)) return;
  const double w = double(r.Right) - r.Left, h = double(r.Bottom) - r.Top;
  if (raster::WithinSafeRange(r)) {
    DrawQImage(QRectF(r.Left, r.Top, w, h), img, QRectF(img.rect()));
    return;
  }
  // Only the visible part, with the matching part of the source.
  const double l = std::max<double>(r.Left, clipBounds_.Left), t = std::max<double>(r.Top, clipBounds_.Top);
  const double rr = std::min<double>(r.Right, clipBounds_.Right), b = std::min<double>(r.Bottom, clipBounds_.Bottom);
  const double sx = img.width() / w, sy = img.height() / h;
  DrawQImage(QRectF(l, t, rr - l, b - t), img,
             QRectF((l - r.Left) * sx, (t - r.Top) * sy, (rr - l) * sx, (b - t) * sy));
}

}  // namespace tokiwa
