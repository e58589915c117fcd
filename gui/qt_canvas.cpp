#include "gui/qt_canvas.h"

#include <QPainterPath>
#include <QPolygon>
#include <QPolygonF>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace tokiwa {

namespace {

// Normalises a rectangle given in either corner order (the platform does too).
struct Box {
  std::int64_t l, t, r, b;
  Box(int left, int top, int right, int bottom)
      : l(std::min(left, right)), t(std::min(top, bottom)), r(std::max(left, right)),
        b(std::max(top, bottom)) {}
};

Qt::BrushStyle HatchPattern(TBrushStyle s) {
  switch (s) {
    case TBrushStyle::bsHorizontal: return Qt::HorPattern;
    case TBrushStyle::bsVertical: return Qt::VerPattern;
    case TBrushStyle::bsFDiagonal: return Qt::FDiagPattern;
    case TBrushStyle::bsBDiagonal: return Qt::BDiagPattern;
    case TBrushStyle::bsCross: return Qt::CrossPattern;
    case TBrushStyle::bsDiagCross: return Qt::DiagCrossPattern;
    default: return Qt::SolidPattern;
  }
}

// The part of [l, r) x [t, b) inside `bounds`, as a QRect (empty when none).
QRect Intersect(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b, const TRect& bounds) {
  l = std::max<std::int64_t>(l, bounds.Left);
  t = std::max<std::int64_t>(t, bounds.Top);
  r = std::min<std::int64_t>(r, bounds.Right);
  b = std::min<std::int64_t>(b, bounds.Bottom);
  if (r <= l || b <= t) return {};
  return QRect(int(l), int(t), int(r - l), int(b - t));
}

}  // namespace

QtCanvas::QtCanvas(QImage* target) : target_(target), device_(target) { UpdateClipBounds(); }

QtCanvas::~QtCanvas() { End(); }

void QtCanvas::SetTarget(QImage* target) {
  End();
  target_ = target;
  device_ = target;
  UpdateClipBounds();
}

void QtCanvas::SetDevice(QPaintDevice* device) {
  End();
  target_ = nullptr;
  device_ = device;
  UpdateClipBounds();
}

void QtCanvas::End() {
  if (!painter_) return;
  painter_->end();
  painter_.reset();
  bits_ = nullptr;
}

QPainter* QtCanvas::Painter() {
  if (painter_) return painter_.get();
  if (!device_ || (target_ && target_->isNull())) return nullptr;
  auto p = std::make_unique<QPainter>();
  if (!p->begin(device_)) return nullptr;
  p->setRenderHint(QPainter::Antialiasing, false);
  p->setRenderHint(QPainter::TextAntialiasing, !monochrome_);
  p->setBackgroundMode(Qt::TransparentMode);
  composition_ = QPainter::CompositionMode_SourceOver;
  bgOpaque_ = false;
  bgColour_ = p->background().color();
  painter_ = std::move(p);
  // The painter has detached the image: these are the pixels it paints.
  bits_ = target_ ? reinterpret_cast<std::uint32_t*>(target_->bits()) : nullptr;
  ApplyClip();
  return painter_.get();
}

std::optional<raster::PixelSurface> QtCanvas::DirectSurface() {
  if (!directRaster_ || clipKind_ == ClipKind::Region || !target_ || target_->format() != QImage::Format_RGB32)
    return std::nullopt;
  if (!Painter()) return std::nullopt;
  return raster::PixelSurface{bits_, target_->bytesPerLine() / 4};
}

raster::PixelOp QtCanvas::DirectOp() const {
  switch (composition_) {
    case QPainter::RasterOp_NotSourceXorDestination: return raster::PixelOp::NotXor;
    case QPainter::RasterOp_SourceXorDestination: return raster::PixelOp::Xor;
    case QPainter::RasterOp_NotDestination: return raster::PixelOp::Not;
    default: return raster::PixelOp::Copy;
  }
}

QRgb QtCanvas::ToPixel(TColor c) const {
  const TColor rgb = ColorToRGB(c);
  const QRgb q = qRgb(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
  return monochrome_ ? MonoColor(q) : q;
}

const QColor& QtCanvas::CachedColour(ColourCache& cache, TColor c) const {
  if (!cache.valid || cache.key != c) {
    cache.value = ToQColor(c);
    cache.key = c;
    cache.valid = true;
  }
  return cache.value;
}

void QtCanvas::SetMonochrome(bool on) {
  monochrome_ = on;
  penColour_.valid = brushColour_.valid = false;
  if (painter_) painter_->setRenderHint(QPainter::TextAntialiasing, !on);
}

QRgb QtCanvas::MonoColor(QRgb rgb) { return qGray(rgb) >= 128 ? qRgb(255, 255, 255) : qRgb(0, 0, 0); }

// ---- Clipping -------------------------------------------------------------

TRect QtCanvas::DeviceRect() const {
  if (!device_) return {};
  return {0, 0, device_->width(), device_->height()};
}

void QtCanvas::UpdateClipBounds() {
  TRect device = DeviceRect();
  TRect region = device;
  if (clipKind_ == ClipKind::Rect) {
    // Only the part over the image matters; this also keeps QRect's sizes in range.
    TRect over = device;
    over.Inflate(1, 1);
    const TRect& r = clipRequest_;
    clipRect_ = Intersect(r.Left, r.Top, r.Right, r.Bottom, over);
    region = ToTRect(clipRect_);
  } else if (clipKind_ == ClipKind::Region) {
    QRect r = clipRegion_.boundingRect();
    region = ToTRect(r);
  }
  IntersectRect(clipBounds_, region, device);
}

void QtCanvas::ApplyClip() {
  if (!painter_) return;
  switch (clipKind_) {
    case ClipKind::None: painter_->setClipping(false); break;
    case ClipKind::Rect: painter_->setClipRect(clipRect_); break;
    case ClipKind::Region: painter_->setClipRegion(clipRegion_); break;
  }
}

void QtCanvas::ClipRect(const TRect& r) {
  clipKind_ = ClipKind::Rect;
  clipRequest_ = {std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
                  std::max(r.Top, r.Bottom)};
  UpdateClipBounds();
  ApplyClip();
}

void QtCanvas::ClipPolygon(std::span<const TPoint> points) {
  QPolygon polygon;
  if (raster::WithinSafeRange(points)) {
    for (const TPoint& p : points) polygon << QPoint(p.X, p.Y);
  } else {
    TRect d = DeviceRect();
    raster::RectF box{d.Left - 2.0, d.Top - 2.0, d.Right + 2.0, d.Bottom + 2.0};
    for (const raster::PointF& p : raster::ClipPolygon(points, box)) {
      polygon << QPoint(int(std::lround(p.x)), int(std::lround(p.y)));
    }
  }
  clipKind_ = ClipKind::Region;
  clipRegion_ = QRegion(polygon, Qt::OddEvenFill);
  UpdateClipBounds();
  ApplyClip();
}

void QtCanvas::RemoveClip() {
  clipKind_ = ClipKind::None;
  clipRegion_ = QRegion();
  UpdateClipBounds();
  ApplyClip();
}

bool QtCanvas::Visible(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) const {
  return !clipBounds_.IsEmpty() && left < clipBounds_.Right && right > clipBounds_.Left &&
         top < clipBounds_.Bottom && bottom > clipBounds_.Top;
}

// ---- Painter state --------------------------------------------------------

void QtCanvas::SetComposition(QPainter::CompositionMode mode) {
  if (composition_ == mode) return;
  painter_->setCompositionMode(mode);
  composition_ = mode;
}

void QtCanvas::SetBackground(bool opaque, const QColor& colour) {
  if (opaque != bgOpaque_) {
    painter_->setBackgroundMode(opaque ? Qt::OpaqueMode : Qt::TransparentMode);
    bgOpaque_ = opaque;
  }
  if (opaque && colour != bgColour_) {
    painter_->setBackground(colour);
    bgColour_ = colour;
  }
}

QPainter::CompositionMode QtCanvas::PenComposition() const {
  switch (Pen().Mode()) {
    case TPenMode::pmNotXor: return QPainter::RasterOp_NotSourceXorDestination;
    case TPenMode::pmXor: return QPainter::RasterOp_SourceXorDestination;
    case TPenMode::pmNot: return QPainter::RasterOp_NotDestination;
    case TPenMode::pmCopy: break;
  }
  return QPainter::CompositionMode_SourceOver;
}

// Thin pens are the platform's cosmetic pens: one pixel, styled, drawn here
// pixel by pixel. Wider pens are geometric and always solid.
bool QtCanvas::ThinPen() const { return Pen().Width() <= 1; }

// How far a pen's pixels reach beyond the outline it strokes.
int QtCanvas::PenReach() const { return Pen().Width() / 2 + 1; }

std::optional<QBrush> QtCanvas::FillBrush() {
  TBrushStyle style = Brush().Style();
  if (style == TBrushStyle::bsClear) return std::nullopt;
  QColor colour = ToQColor(Brush().Color());
  if (style == TBrushStyle::bsSolid) return QBrush(colour);
  // Hatch gaps show the background colour only in opaque mode.
  SetBackground(GetBkMode() == BkMode::Opaque, ToQColor(BkColor()));
  return QBrush(colour, HatchPattern(style));
}

// Fills with the brush; solid colours take Qt's fastest path.
void QtCanvas::FillArea(const QRect& r) {
  if (r.isEmpty()) return;
  TBrushStyle style = Brush().Style();
  if (style == TBrushStyle::bsClear) return;
  if (style == TBrushStyle::bsSolid) {
    FillSolid(r, CachedColour(brushColour_, Brush().Color()));
  } else if (auto brush = FillBrush()) {
    painter_->fillRect(r, *brush);
  }
}

void QtCanvas::FillClipped(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
                           const QColor& colour) {
  const QRect r = Intersect(left, top, right, bottom, clipBounds_);
  if (!r.isEmpty()) FillSolid(r, colour);
}

// Straight into the image's pixels where there is one; documents go through the painter.
void QtCanvas::FillSolid(const QRect& r, const QColor& colour) {
  if (auto surface = DirectSurface()) {
    raster::FillPixels(*surface, ToTRect(r), colour.rgb(), DirectOp());
  } else {
    painter_->fillRect(r, colour);
  }
}

QPen QtCanvas::WidePen() const {
  QPen pen(ToQColor(Pen().Color()));
  pen.setWidth(Pen().Width());
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

// ---- Strokes --------------------------------------------------------------

void QtCanvas::StrokeThin(std::span<const TPoint> path, bool closed) {
  if (path.size() < 2) return;
  runs_.clear();
  std::span<const int> dashes = raster::DashPattern(Pen().Style());
  std::int64_t phase = 0;
  std::size_t segments = closed ? path.size() : path.size() - 1;
  if (auto surface = DirectSurface()) {
    SetComposition(PenComposition());
    const raster::LineInk ink = ThinInk();
    for (std::size_t i = 0; i < segments; ++i)
      phase = raster::DrawLinePixels(*surface, path[i], path[(i + 1) % path.size()], clipBounds_, dashes, phase, ink);
    return;
  }
  for (std::size_t i = 0; i < segments; ++i) {
    phase = raster::AppendLineRuns(path[i], path[(i + 1) % path.size()], clipBounds_, dashes, phase, runs_);
  }
  PaintRuns();
}

raster::LineInk QtCanvas::ThinInk() {
  raster::LineInk ink;
  ink.on = CachedColour(penColour_, Pen().Color()).rgb();
  ink.off = ToQColor(BkColor()).rgb();
  ink.gaps = GetBkMode() == BkMode::Opaque;
  ink.op = DirectOp();
  return ink;
}

void QtCanvas::PaintRuns() {
  if (runs_.empty()) return;
  QPainter* p = Painter();
  if (!p) return;
  SetComposition(PenComposition());
  const QColor on = CachedColour(penColour_, Pen().Color());
  // The gaps of a styled pen take the background colour in opaque mode.
  const bool gaps = GetBkMode() == BkMode::Opaque;
  const QColor off = ToQColor(BkColor());
  // Short runs go to the painter as points, batched while they share a colour:
  // the pixels must still be painted in order where a polyline overlaps itself.
  std::vector<QPoint>& points = points_;
  bool pointsOn = true;
  auto flush = [&] {
    if (points.empty()) return;
    QPen pen(pointsOn ? on : off, 0);
    pen.setCosmetic(true);
    p->setPen(pen);
    p->drawPoints(points.data(), int(points.size()));
    points.clear();
  };
  points.clear();
  for (const raster::PixelRun& run : runs_) {
    if (!run.on && !gaps) continue;
    if (run.on != pointsOn) flush();
    pointsOn = run.on;
    if (run.length >= 3) {
      flush();
      QRect r = run.vertical ? QRect(run.x, run.y, 1, run.length) : QRect(run.x, run.y, run.length, 1);
      p->fillRect(r, run.on ? on : off);
      continue;
    }
    for (int k = 0; k < run.length; ++k) points.emplace_back(run.x + (run.vertical ? 0 : k), run.y + (run.vertical ? k : 0));
  }
  flush();
}

// The outline of a rectangle with a thin pen; solid frames go straight to
// four fills, styled ones through the dash pattern.
void QtCanvas::ThinFrame(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b) {
  // r and b are the last column and row. One pixel wide or high: a single
  // line, so that no pixel is drawn twice.
  const bool line = l == r || t == b;
  if (raster::DashPattern(Pen().Style()).empty()) {
    const QColor& colour = CachedColour(penColour_, Pen().Color());
    if (line) {
      FillClipped(l, t, r + 1, b + 1, colour);
      return;
    }
    FillClipped(l, t, r, t + 1, colour);          // top, without its last pixel
    FillClipped(r, t, r + 1, b, colour);          // right
    FillClipped(l + 1, b, r + 1, b + 1, colour);  // bottom
    FillClipped(l, t + 1, l + 1, b + 1, colour);  // left
    return;
  }
  // Far-off edges are invisible anyway; clamping keeps them in int range.
  auto cx = [&](std::int64_t v) { return int(std::clamp<std::int64_t>(v, clipBounds_.Left - 1, clipBounds_.Right)); };
  auto cy = [&](std::int64_t v) { return int(std::clamp<std::int64_t>(v, clipBounds_.Top - 1, clipBounds_.Bottom)); };
  if (line) {
    const std::array<TPoint, 2> single{TPoint{cx(l), cy(t)}, l == r ? TPoint{cx(l), cy(b + 1)} : TPoint{cx(r + 1), cy(t)}};
    StrokeThin(single, false);
    return;
  }
  const std::array<TPoint, 4> frame{TPoint{cx(l), cy(t)}, TPoint{cx(r), cy(t)}, TPoint{cx(r), cy(b)}, TPoint{cx(l), cy(b)}};
  StrokeThin(frame, true);
}

void QtCanvas::StrokeWide(std::span<const TPoint> path, bool closed) {
  QPainter* p = Painter();
  if (!p || path.size() < 2) return;
  SetComposition(PenComposition());
  p->setPen(WidePen());
  p->setBrush(Qt::NoBrush);
  // Pixel (x, y) is the square from (x, y) to (x + 1, y + 1) in Qt: stroke the centres.
  if (raster::WithinSafeRange(path)) {
    QPolygonF polygon;
    for (const TPoint& pt : path) polygon << QPointF(pt.X + 0.5, pt.Y + 0.5);
    if (closed) {
      p->drawPolygon(polygon);
    } else {
      p->drawPolyline(polygon);
    }
    return;
  }
  // Far-off coordinates: clip each segment to just beyond the visible area.
  double margin = Pen().Width() + 2.0;
  raster::RectF box{clipBounds_.Left - margin, clipBounds_.Top - margin, clipBounds_.Right + margin,
                    clipBounds_.Bottom + margin};
  std::size_t segments = closed ? path.size() : path.size() - 1;
  for (std::size_t i = 0; i < segments; ++i) {
    const TPoint& a = path[i];
    const TPoint& b = path[(i + 1) % path.size()];
    raster::PointF fa{a.X + 0.5, a.Y + 0.5}, fb{b.X + 0.5, b.Y + 0.5};
    if (raster::ClipSegment(fa, fb, box)) p->drawLine(QLineF(fa.x, fa.y, fb.x, fb.y));
  }
}

// ---- Shapes ---------------------------------------------------------------

void QtCanvas::Rectangle(int left, int top, int right, int bottom) {
  Box box(left, top, right, bottom);
  bool outline = Pen().Style() != TPenStyle::psClear;
  int reach = outline ? PenReach() : 0;
  if (box.r - box.l < 1 || box.b - box.t < 1) return;
  if (!Visible(box.l - reach, box.t - reach, box.r + reach, box.b + reach)) return;
  QPainter* p = Painter();
  if (!p) return;
  SetComposition(PenComposition());
  if (outline && ThinPen() && Pen().Mode() == TPenMode::pmCopy && Brush().Style() == TBrushStyle::bsSolid &&
      raster::DashPattern(Pen().Style()).empty()) {
    // Opaque on opaque: the frame's colour under the fill takes two fills, not five.
    FillClipped(box.l, box.t, box.r, box.b, CachedColour(penColour_, Pen().Color()));
    FillArea(Intersect(box.l + 1, box.t + 1, box.r - 1, box.b - 1, clipBounds_));
    return;
  }
  // Without a pen the platform fills one pixel short of the right and bottom edges.
  FillArea(outline ? Intersect(box.l + 1, box.t + 1, box.r - 1, box.b - 1, clipBounds_)
                   : Intersect(box.l, box.t, box.r - 1, box.b - 1, clipBounds_));
  if (!outline) return;
  if (ThinPen()) {
    ThinFrame(box.l, box.t, box.r - 1, box.b - 1);
    return;
  }
  // Geometric pen centred on the outline, or kept inside it for psInsideFrame.
  double inset = Pen().Style() == TPenStyle::psInsideFrame ? (Pen().Width() - 1) / 2.0 : 0.0;
  std::int64_t margin = Pen().Width() + 2;
  auto clampX = [&](std::int64_t v) {
    return std::clamp<std::int64_t>(v, clipBounds_.Left - margin, clipBounds_.Right + margin);
  };
  auto clampY = [&](std::int64_t v) {
    return std::clamp<std::int64_t>(v, clipBounds_.Top - margin, clipBounds_.Bottom + margin);
  };
  QRectF frame(QPointF(clampX(box.l) + 0.5 + inset, clampY(box.t) + 0.5 + inset),
               QPointF(clampX(box.r - 1) + 0.5 - inset, clampY(box.b - 1) + 0.5 - inset));
  QPen pen = WidePen();
  pen.setJoinStyle(Qt::MiterJoin);
  p->setPen(pen);
  p->setBrush(Qt::NoBrush);
  p->drawRect(frame);
}

// Solid fills under a solid thin pen or none: each rectangle is one or two
// fills, written straight into the image, as Rectangle would write them.
bool QtCanvas::FillsRectanglesDirectly() const {
  if (Brush().Style() != TBrushStyle::bsSolid) return false;
  if (Pen().Style() == TPenStyle::psClear) return true;
  return ThinPen() && Pen().Mode() == TPenMode::pmCopy && raster::DashPattern(Pen().Style()).empty();
}

void QtCanvas::Rectangles(std::span<const ColouredRect> rects) {
  std::optional<raster::PixelSurface> surface;
  if (rects.empty() || !FillsRectanglesDirectly() || !(surface = DirectSurface())) {
    Canvas::Rectangles(rects);
    return;
  }
  SetComposition(PenComposition());
  const raster::PixelOp op = DirectOp();
  const bool outline = Pen().Style() != TPenStyle::psClear;
  auto fill = [&](std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b, TColor c) {
    const QRect q = Intersect(l, t, r, b, clipBounds_);
    if (!q.isEmpty())
      raster::FillPixels(*surface, ToTRect(q), ToPixel(c), op);
  };
  for (const ColouredRect& rect : rects) {
    const Box box(rect.rect.Left, rect.rect.Top, rect.rect.Right, rect.rect.Bottom);
    if (box.r - box.l < 1 || box.b - box.t < 1) continue;
    if (outline) {
      fill(box.l, box.t, box.r, box.b, rect.pen);
      fill(box.l + 1, box.t + 1, box.r - 1, box.b - 1, rect.brush);
    } else {
      fill(box.l, box.t, box.r - 1, box.b - 1, rect.brush);
    }
  }
  Pen().SetColor(rects.back().pen);
  Brush().SetColor(rects.back().brush);
}

void QtCanvas::FillRect(const TRect& r) {
  Box box(r.Left, r.Top, r.Right, r.Bottom);
  QRect fill = Intersect(box.l, box.t, box.r, box.b, clipBounds_);
  if (fill.isEmpty()) return;
  if (!Painter()) return;
  // A pattern copy: the pen's raster operation does not apply.
  SetComposition(QPainter::CompositionMode_SourceOver);
  FillArea(fill);
}

void QtCanvas::LineTo(int x, int y) {
  const std::array<TPoint, 2> line{PenPos(), TPoint{x, y}};
  SetPenPos(line[1]);
  if (Pen().Style() == TPenStyle::psClear) return;
  if (ThinPen()) {
    StrokeThin(line, false);
    return;
  }
  int reach = PenReach();
  if (!Visible(std::int64_t(std::min(line[0].X, x)) - reach, std::int64_t(std::min(line[0].Y, y)) - reach,
               std::int64_t(std::max(line[0].X, x)) + reach + 1, std::int64_t(std::max(line[0].Y, y)) + reach + 1)) {
    return;
  }
  StrokeWide(line, false);
}

namespace {

// Bounds of a point list, right and bottom inclusive of the last pixel.
Box BoundsOf(std::span<const TPoint> points) {
  int l = points[0].X, t = points[0].Y, r = l, b = t;
  for (const TPoint& p : points) {
    l = std::min(l, p.X);
    r = std::max(r, p.X);
    t = std::min(t, p.Y);
    b = std::max(b, p.Y);
  }
  return Box(l, t, r, b);
}

}  // namespace

void QtCanvas::FillPolygonArea(std::span<const TPoint> points) {
  auto brush = FillBrush();
  if (!brush) return;
  QPainter* p = Painter();
  p->setPen(Qt::NoPen);
  p->setBrush(*brush);
  if (raster::WithinSafeRange(points)) {
    QPolygon polygon;
    polygon.reserve(qsizetype(points.size()));
    for (const TPoint& pt : points) polygon << QPoint(pt.X, pt.Y);
    p->drawPolygon(polygon, Qt::OddEvenFill);
    return;
  }
  raster::RectF box{clipBounds_.Left - 2.0, clipBounds_.Top - 2.0, clipBounds_.Right + 2.0,
                    clipBounds_.Bottom + 2.0};
  QPolygonF polygon;
  for (const raster::PointF& pt : raster::ClipPolygon(points, box)) polygon << QPointF(pt.x, pt.y);
  if (polygon.size() >= 3) p->drawPolygon(polygon, Qt::OddEvenFill);
}

void QtCanvas::Polygon(std::span<const TPoint> points) {
  if (points.empty()) return;
  Box box = BoundsOf(points);
  int reach = PenReach();
  if (!Visible(box.l - reach, box.t - reach, box.r + reach + 1, box.b + reach + 1)) return;
  if (!Painter()) return;
  SetComposition(PenComposition());
  FillPolygonArea(points);
  if (Pen().Style() == TPenStyle::psClear) return;
  if (ThinPen()) {
    StrokeThin(points, true);
  } else {
    StrokeWide(points, true);
  }
}

void QtCanvas::Polyline(std::span<const TPoint> points) {
  if (points.size() < 2 || Pen().Style() == TPenStyle::psClear) return;
  Box box = BoundsOf(points);
  int reach = PenReach();
  if (!Visible(box.l - reach, box.t - reach, box.r + reach + 1, box.b + reach + 1)) return;
  if (ThinPen()) {
    StrokeThin(points, false);
  } else {
    StrokeWide(points, false);
  }
}

void QtCanvas::Ellipse(int left, int top, int right, int bottom) {
  EllipticShape(0, left, top, right, bottom, 0, 0, 0, 0);
}

void QtCanvas::Pie(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) {
  EllipticShape(1, left, top, right, bottom, x1, y1, x2, y2);
}

void QtCanvas::Arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) {
  EllipticShape(2, left, top, right, bottom, x1, y1, x2, y2);
}

// kind 0 = ellipse, 1 = pie, 2 = arc. Ellipses this large (beyond the safe
// range) are not drawn: no figure of the engine comes near that size.
void QtCanvas::EllipticShape(int kind, int left, int top, int right, int bottom, int x1, int y1, int x2,
                             int y2) {
  Box box(left, top, right, bottom);
  bool outline = Pen().Style() != TPenStyle::psClear;
  int reach = outline ? PenReach() : 0;
  if (box.r - box.l < 1 || box.b - box.t < 1) return;
  if (!Visible(box.l - reach, box.t - reach, box.r + reach, box.b + reach)) return;
  if (!raster::WithinSafeRange(TRect{left, top, right, bottom})) return;
  QPainter* p = Painter();
  if (!p) return;
  SetComposition(PenComposition());
  // Same convention as the rectangle: the outline runs along l..r-1, t..b-1.
  QRect rect(int(box.l), int(box.t), int(box.r - box.l - 1), int(box.b - box.t - 1));
  if (!outline) {
    p->setPen(Qt::NoPen);
  } else if (ThinPen()) {
    QPen pen(ToQColor(Pen().Color()), 0);
    pen.setCosmetic(true);
    std::span<const int> dashes = raster::DashPattern(Pen().Style());
    if (!dashes.empty()) pen.setDashPattern(QList<qreal>(dashes.begin(), dashes.end()));
    p->setPen(pen);
  } else {
    p->setPen(WidePen());
  }
  // Qt fills the gaps of its dashes like the platform does, from the background.
  SetBackground(GetBkMode() == BkMode::Opaque, ToQColor(BkColor()));
  std::optional<QBrush> brush = kind == 2 ? std::nullopt : FillBrush();
  p->setBrush(brush ? *brush : QBrush(Qt::NoBrush));
  if (kind == 0) {
    p->drawEllipse(rect);
    return;
  }
  // Radials to parametric angles: the point of the ellipse on the ray from the
  // centre through (x, y) has parameter atan2(dy * a, dx * b).
  const double cx = box.l + rect.width() / 2.0, cy = box.t + rect.height() / 2.0;
  const double a = std::max(rect.width() / 2.0, 0.5), b = std::max(rect.height() / 2.0, 0.5);
  auto angle = [&](int x, int y) { return std::atan2((cy - y) * a, (x - cx) * b) * 180 / std::numbers::pi; };
  const double start = angle(x1, y1);
  double span = std::fmod(angle(x2, y2) - start, 360.0);
  if (span <= 0) span += 360.0;  // the same radial twice is the whole ellipse
  // A path keeps the angles exact (drawPie would round them to 1/16 degree), so
  // slices drawn from one end point to the next share their edges.
  QPainterPath path;
  if (kind == 1) {
    path.moveTo(QRectF(rect).center());
    path.arcTo(QRectF(rect), start, span);
    path.closeSubpath();
  } else {
    path.arcMoveTo(QRectF(rect), start);
    path.arcTo(QRectF(rect), start, span);
  }
  p->drawPath(path);
}

void QtCanvas::SetPixel(int x, int y, TColor colour) {
  if (!clipBounds_.Contains(x, y)) return;
  QPainter* p = Painter();
  if (!p) return;
  SetComposition(QPainter::CompositionMode_SourceOver);
  p->fillRect(QRect(x, y, 1, 1), ToQColor(colour));
}

}  // namespace tokiwa
