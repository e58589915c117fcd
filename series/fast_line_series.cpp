#include "series/fast_line_series.h"

#include "chart/axis_panel.h"
#include "series/series_pens.h"

namespace tokiwa {

TFastLineSeries::TFastLineSeries(TComponent* owner)
    : TChartSeries(owner), linePen_(std::make_unique<TChartPen>()) {
  linePen_->SetColor(SeriesColor());
  // A colour given to the pen itself becomes the series' colour too.
  linePen_->OnChange = [this](TPersistent* sender) {
    if (linePen_->Color() != SeriesColor()) SetSeriesColor(linePen_->Color());
    StyleChanged(sender);
  };
  SetSinglePointAllowed(false);
  SetKeepPointPastRange(true);
}

TFastLineSeries::~TFastLineSeries() = default;

void TFastLineSeries::SetLinePen(const TChartPen& pen) {
  linePen_->Assign(pen);
  SetSeriesColor(linePen_->Color());
}

void TFastLineSeries::SetSeriesColor(TColor colour) {
  TChartSeries::SetSeriesColor(colour);
  linePen_->SetColor(colour);
}

void TFastLineSeries::Assign(const TPersistent& source) {
  if (auto* line = dynamic_cast<const TFastLineSeries*>(&source)) linePen_->Assign(*line->linePen_);
  TChartSeries::Assign(source);
}

void TFastLineSeries::PrepareLinePen() {
  Canvas& canvas = ChartCanvas();
  UseChartPen(canvas, *linePen_);
  canvas.Pen().SetColor(SeriesColor());
}

// --- drawing ---

// Called for every shown point in order; the pen position carries the line
// from one call to the next.
void TFastLineSeries::DrawPoint(int index) {
  Canvas& canvas = ChartCanvas();
  const int x = PointScreenX(index);
  const int y = PointScreenY(index);
  if (index == FirstShownIndex()) {
    if (index < 1) {
      canvas.MoveTo(x, y);
      lastX_ = x;
      lastY_ = y;
      return;
    }
    // The line comes in from the point before the shown range.
    lastX_ = PointScreenX(index - 1);
    lastY_ = PointScreenY(index - 1);
    canvas.MoveTo(lastX_, lastY_);
  } else if (x == lastX_ && y == lastY_) {
    return;
  }
  canvas.LineTo(x, y);
  lastX_ = x;
  lastY_ = y;
}

// A thin solid pen that copies its colour draws the whole line as one folded
// polyline, with the same pixels as the segments one by one; other pens draw
// segment by segment.
bool TFastLineSeries::DrawsAsOnePolyline() const {
  const TPen& pen = ChartCanvas().Pen();
  return pen.Style() == TPenStyle::psSolid && pen.Width() <= 1 && pen.Mode() == TPenMode::pmCopy;
}

void TFastLineSeries::DrawPoints() {
  PrepareLinePen();
  if (DrawsAsOnePolyline()) {
    DrawPolyline();
  } else {
    TChartSeries::DrawPoints();
  }
}

void TFastLineSeries::DrawPolyline() {
  const int first = FirstShownIndex();
  const int last = LastShownIndex();
  if (first < 0 || last < first) return;
  polyline_.Clear();
  if (first >= 1) polyline_.Add({PointScreenX(first - 1), PointScreenY(first - 1)});
  for (int i = first; i <= last; ++i) polyline_.Add({PointScreenX(i), PointScreenY(i)});
  const std::span<const TPoint> points = polyline_.Finish();
  Canvas& canvas = ChartCanvas();
  if (points.size() >= 2) canvas.Polyline(points);
  // Where the segment-by-segment drawing leaves the pen.
  canvas.MoveTo(points.back().X, points.back().Y);
  lastX_ = points.back().X;
  lastY_ = points.back().Y;
}

void TFastLineSeries::DrawSymbolShape(int, const TRect& rect) {
  PrepareLinePen();
  Chart().DrawHorizLine(rect.Left, rect.Right, Mid(rect.Top, rect.Bottom));
}

// --- clicks ---

// A point's own pixel first; then the segment that ends at it, which answers
// the point at its left end.
int TFastLineSeries::PointAtPixel(int x, int y) {
  const int first = FirstShownIndex();
  const int last = LastShownIndex();
  if (first < 0 || last < 0 || last < first) return -1;
  int previousX = 0, previousY = 0;
  for (int i = first; i <= last && i < PointCount(); ++i) {
    const int px = PointScreenX(i);
    const int py = PointScreenY(i);
    if (x == px && y == py) return i;
    if (i > first && IsNearSegment(x, y, px, py, previousX, previousY)) return i - 1;
    previousX = px;
    previousY = py;
  }
  return -1;
}

}  // namespace tokiwa
