#include "series/gantt_series.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

#include "chart/axis.h"
#include "chart/axis_panel.h"
#include "runtime/date_time.h"
#include "runtime/geometry.h"
#include "runtime/messages.h"
#include "runtime/safe_math.h"
#include "series/bar_cover.h"
#include "series/series_pointer.h"

namespace tokiwa {

namespace {

// A value list's values as ValueAt gives them, the indexes low..high checked
// once (a bad one throws as ValueAt does) rather than at every read.
class ScaledValues {
 public:
  ScaledValues(const TChartValueList& list, int low, int high)
      : values_(list.RawValues().data()), multiplier_(list.Multiplier()) {
    if (low > high) return;
    static_cast<void>(list.ValueAt(low));
    static_cast<void>(list.ValueAt(high));
  }
  double operator[](int index) const { return values_[index] * multiplier_; }

 private:
  const double* values_;
  double multiplier_;
};

// The pixel rows of a paint's few row values, each mapped once.
class RowPixels {
 public:
  template <typename Map>
  int At(double value, const Map& map) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    Entry& entry = entries_[(bits * 0x9E3779B97F4A7C15ull) >> 58];
    if (!entry.used || entry.bits != bits) entry = {bits, map(value), true};
    return entry.pixel;
  }

 private:
  struct Entry {
    std::uint64_t bits = 0;
    int pixel = 0;
    bool used = false;
  };
  std::array<Entry, 64> entries_{};
};

// Values just inside a column's left and right edges, from the axis' inverse
// mapping and checked against the mapping itself.
std::pair<BarCover::ValueOfColumn, BarCover::ValueOfColumn> ColumnEdgeValues(const AxisMapping& columns) {
  auto fromValue = [columns](int column) {
    const double v = columns.ValueNear(column - 1, 0.5001);
    return columns.Position(v) >= column ? v : INFINITY;
  };
  auto toValue = [columns](int column) {
    const double v = columns.ValueNear(column, 0.4999);
    return columns.Position(v) <= column ? v : -INFINITY;
  };
  return {fromValue, toValue};
}

}  // namespace

TGanttSeries::TGanttSeries(TComponent* owner)
    : TPointSeries(owner),
      endValues_(new TChartValueList(this, "End")),
      nextTask_(new TChartValueList(this, "NextTask")),
      connectingPen_(std::make_unique<TChartPen>()) {
  XValues().SetName("Start");
  XValues().SetDateTime(true);
  SetColorEachPoint(true);
  endValues_->SetDateTime(true);
  Pointer().SetStyle(TSeriesPointerStyle::psRectangle);
  connectingPen_->OnChange = StyleChangedHandler();
  SetLimitToVisibleRange(false);
  ResetPendingValue(*nextTask_);
  index_ = std::make_unique<BarIndex>(XValues(), *endValues_, YValues());
}

TGanttSeries::~TGanttSeries() = default;

void TGanttSeries::SetEndValues(const TChartValueList& list) {
  endValues_->Assign(list);
  RepaintChart();
}

void TGanttSeries::SetNextTask(const TChartValueList& list) {
  nextTask_->Assign(list);
  RepaintChart();
}

int TGanttSeries::AddBar(double start, double end, double y, const std::string& label, TColor colour) {
  // Bars added in start order with nobody listening, as a whole log's are,
  // skip the general insertion (whose steps a derived series may change).
  if (AppendsDirectly() && CanAppendQuietly(start)) {
    const double extras[2] = {end, -1};
    AppendQuietly(start, y, label, colour, extras);
    return PointCount() - 1;
  }
  addingBar_ = true;  // AppendPoint clears it as it takes the point
  const int i = AppendPoint(start, y, label, colour);
  if (i == -1) return -1;
  endValues_->PendingValue = end;
  nextTask_->PendingValue = -1;
  InsertPendingExtras(i);
  return i;
}

// A derived series may change the steps of the general insertion.
bool TGanttSeries::AppendsDirectly() const {
  return typeid(*this) == typeid(TGanttSeries) && ValueListCount() == 4 && &ValueList(2) == endValues_ &&
         &ValueList(3) == nextTask_;
}

bool TGanttSeries::AddBarsAtOnce(std::vector<double>&& starts, std::vector<double>&& ends,
                                 std::vector<double>&& ys, std::vector<TColor>&& colours,
                                 const std::vector<int>& labels, const std::vector<std::string>& texts) {
  if (!AppendsDirectly()) return false;
  std::vector<std::vector<double>> extras;
  extras.push_back(std::move(ends));
  extras.emplace_back(starts.size(), -1.0);  // no next task
  if (AppendAllQuietly(std::move(starts), std::move(ys), std::move(extras), std::move(colours), labels, texts))
    return true;
  ends = std::move(extras.front());
  return false;
}

int TGanttSeries::AddBar(double start, double end, double y, const std::string& label) {
  return AddBar(start, end, y, label, ColorDefault);
}

int TGanttSeries::AppendPoint(double x, double y, const std::string& label, TColor colour) {
  if (!addingBar_) return AddBar(x, x, y, label, colour);
  addingBar_ = false;
  return TPointSeries::AppendPoint(x, y, label, colour);
}

void TGanttSeries::ResetPendingValue(TChartValueList& list) {
  if (&list == nextTask_) {
    list.PendingValue = -1;
    return;
  }
  TPointSeries::ResetPendingValue(list);
}

double TGanttSeries::HighestX() const {
  return std::max(XValues().HighestValue(), endValues_->HighestValue());
}

void TGanttSeries::HorizMargins(int& left, int& right) {
  left = 0;
  right = 0;
}

TGanttSeries::Span TGanttSeries::SpanOf(int startX, int endX) {
  // Ends far outside the window are pulled in; the visible part stays exact.
  const int x0 = OnCanvasKeepParity(startX);
  const int centre = Halfway(x0, OnCanvasKeepParity(endX));
  return {centre, centre - x0};
}

// Called once per bar for up to a million bars: no allocation, no text.
void TGanttSeries::DrawPoint(int index) {
  TSeriesPointer& pointer = Pointer();
  if (!pointer.Visible()) return;
  const TColor colour = PointColor(index);
  pointer.PreparePointerCanvas(colour);
  const int endX = ValuePositionX(endValues_->ValueAt(index));
  const Span span = SpanOf(PointScreenX(index), endX);
  const int y = OnCanvas(PointScreenY(index));
  pointer.DrawPointer(span.centre, y, TSeriesPointerStyle::psRectangle, colour, span.halfWidth, pointer.VertSize());
  if (connectingPen_->Visible()) DrawConnection(index, endX, y);
}

bool TGanttSeries::ColumnsInOrder() const {
  const TChartAxis* axis = GetHorizAxis();
  return axis && !axis->Inverted() && !axis->Logarithmic();
}

void TGanttSeries::DrawPoints() {
  const int first = FirstShownIndex(), last = LastShownIndex();
  // An elbow can cross the picture between two bars outside it.
  if (drawEveryBar_ || first < 0 || connectingPen_->Visible() || !ColumnsInOrder()) {
    TPointSeries::DrawPoints();
    return;
  }
  if (last < first || !Pointer().Visible()) return;
  // Bars wholly left or right of the picture draw nothing: the index skips
  // whole stretches of them. The 3D faces reach right of a bar by the slot's
  // depth.
  TCustomAxisPanel& chart = Chart();
  const bool faces = Pointer().Draw3D() && chart.SlotDepthX() > 0;
  const TRect& panel = chart.PanelBounds();
  const long long left = static_cast<long long>(panel.Left) - 2 - (faces ? chart.SlotDepthX() : 0);
  const long long right = static_cast<long long>(panel.Right) + 2;
  const auto [from, to] = index_->BarsMeeting(left, right, [this](double v) { return ValuePositionX(v); });
  const int low = std::max(first, from), high = std::min(last, to - 1);
  if (!faces && BarsPaintOver()) {
    DrawUncovered(low, high);
  } else if (DrawsForward()) {
    for (int i = low; i <= high; ++i) DrawPoint(i);
  } else {
    for (int i = high; i >= low; --i) DrawPoint(i);
  }
  // The canvas as drawing every bar would leave it.
  Pointer().PreparePointerCanvas(PointColor(DrawsForward() ? last : first));
}

bool TGanttSeries::BarsPaintOver() const {
  const TChartPen& pen = Pointer().Pen();
  // An invisible pen leaves the canvas' mode, which the fill takes too.
  const TPenMode mode = pen.Visible() ? pen.Mode() : ParentChart()->DrawCanvas().Pen().Mode();
  const bool thinSolid = !pen.Visible() || (pen.Style() == TPenStyle::psSolid && pen.Width() <= 1);
  return mode == TPenMode::pmCopy && thinSolid && Pointer().Brush().Style() == TBrushStyle::bsSolid;
}

// Walks the bars from the last drawn to the first, keeping per row the
// columns later bars paint, then draws in the usual order only what shows:
// of a bar painted over at one end, the rectangle up to the first column
// painted over, which gives exactly its pixels left of that column.
void TGanttSeries::DrawUncovered(int low, int high) {
  TCustomAxisPanel& chart = Chart();
  const TRect& panel = chart.PanelBounds();
  const int halfHeight = Pointer().VertSize();
  const bool framed = Pointer().Pen().Visible();
  BarCover cover;
  // Bars wholly above or below the picture draw nothing either.
  const AxisMapping columns = ColumnMapping();
  auto [fromValue, toValue] = ColumnEdgeValues(columns);
  cover.Reset(panel.Top - halfHeight - 2, panel.Bottom + halfHeight + 2, std::move(fromValue), std::move(toValue));
  std::vector<ColouredRect> pieces;
  const TSeriesPointer::Colouring colouring = Pointer().PieceColouring();
  RowPixels rowPixels;
  const bool forward = DrawsForward();
  const ScaledValues starts(XValues(), low, high), ends(*endValues_, low, high), rows(YValues(), low, high);
  for (int k = low; k <= high; ++k) {
    const int i = forward ? high - (k - low) : k;
    const double start = starts[i], end = ends[i];
    const int y = rowPixels.At(rows[i], [this](double v) { return OnCanvas(ValuePositionY(v)); });
    if (!cover.HasRow(y) || cover.Covers(y, start, end)) continue;
    const Span span = SpanOf(columns.Position(start), columns.Position(end));
    const TRect r = PointerRectangle(span.centre, y, span.halfWidth, halfHeight);
    // Corners in either order, as the canvas takes them; without a pen it
    // fills one column short of the right edge.
    const int l = std::min(r.Left, r.Right), rr = std::max(r.Left, r.Right);
    const int paintedTo = framed ? rr : rr - 1;
    if (paintedTo <= l) continue;
    const auto [shownFrom, shownTo] = cover.Uncovered(y, l, paintedTo);
    if (shownFrom >= shownTo) continue;
    // The column next to what shows is painted over later.
    const TRect piece{shownFrom > l ? shownFrom - 1 : l, r.Top, shownTo < paintedTo ? shownTo + 1 : rr, r.Bottom};
    pieces.push_back(colouring.Of(piece, PointColor(i)));
  }
  if (pieces.empty()) return;
  std::reverse(pieces.begin(), pieces.end());
  // The pen's and brush's styles; each rectangle brings its colours.
  Pointer().PreparePointerCanvas(pieces.front().brush);
  chart.DrawRectangles(pieces);
}

// The elbow from the end of a bar to the start of the bar it leads to.
void TGanttSeries::DrawConnection(int index, int x1, int y) {
  const double link = nextTask_->ValueAt(index);
  if (!std::isfinite(link)) return;
  const int t = RoundHalfEven(link);
  if (t < 0 || t >= PointCount()) return;
  Canvas& canvas = ChartCanvas();
  canvas.Pen().Assign(*connectingPen_);
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  const int tx = PointScreenX(t);
  const int ty = OnCanvas(PointScreenY(t));
  const int mx = OnCanvas(Halfway(x1, tx));
  canvas.MoveTo(OnCanvas(x1), y);
  canvas.LineTo(mx, y);
  canvas.LineTo(mx, ty);
  canvas.LineTo(OnCanvas(tx), ty);
}

bool TGanttSeries::IsNearPointer(int index, int px, int py, int x, int y) {
  return x >= px && x <= ValuePositionX(endValues_->ValueAt(index)) && Distance(py, y) < Pointer().VertSize();
}

// Hidden bars are not drawn, so they do not answer clicks either (not even at
// the exact start pixel, which the point series' test would otherwise accept).
int TGanttSeries::PointAtPixel(int x, int y) {
  const int i = BarAtPixel(x, y);
  if (i >= 0 && OnClickPointer && IsNearPointer(i, OnCanvas(PointScreenX(i)), OnCanvas(PointScreenY(i)), x, y))
    OnClickPointer(this, i, x, y);
  return i;
}

int TGanttSeries::BarAtPixel(int x, int y) {
  if (!Pointer().Visible() || !ParentChart()) return -1;
  const TChartAxis* vertical = GetVertAxis();
  const bool searchable = ColumnsInOrder() && vertical && !vertical->Logarithmic() && !ClickableLine() &&
                          FirstShownIndex() == 0 && LastShownIndex() == PointCount() - 1 && index_->Searchable();
  if (!searchable) return BarAtPixelOneByOne(x, y);
  return index_->BarAt(
      x, y, Pointer().VertSize(), [this](double v) { return OnCanvas(ValuePositionX(v)); },
      [this](double v) { return ValuePositionX(v); }, [this](double v) { return OnCanvas(ValuePositionY(v)); });
}

// The point series' test without its event: every shown bar in turn.
int TGanttSeries::BarAtPixelOneByOne(int x, int y) {
  const TSeriesClickPointerEvent event = std::exchange(OnClickPointer, nullptr);
  const int i = TPointSeries::PointAtPixel(x, y);
  OnClickPointer = event;
  return i;
}

void TGanttSeries::DrawMark(int index, const std::string& text, TRect rect, TPoint arrowFrom, TPoint arrowTo) {
  const int x1 = ValuePositionX(endValues_->ValueAt(index));
  const int shift = OnCanvas(Px(Halfway(arrowFrom.X, x1)) - Mid(rect.Left, rect.Right));
  rect.Left = OnCanvas(Px(rect.Left) + shift);
  rect.Right = OnCanvas(Px(rect.Right) + shift);
  TPointSeries::DrawMark(index, text, rect, arrowFrom, arrowTo);
}

bool TGanttSeries::CanCopyFrom(const TChartSeries* series) const {
  return series && series->IsA(typeid(TGanttSeries));
}

void TGanttSeries::Assign(const TPersistent& source) {
  if (auto gantt = dynamic_cast<const TGanttSeries*>(&source)) connectingPen_->Assign(*gantt->connectingPen_);
  TPointSeries::Assign(source);
}

void TGanttSeries::PreparePreview(bool enabled) {
  TPointSeries::PreparePreview(enabled);
  SetColorEachPoint(enabled);
}

void TGanttSeries::FillSampleValues(int count) {
  static std::mt19937 random{std::random_device{}()};
  auto below = [](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };

  RemoveAllPoints();
  const int n = std::min(count, below(20) + 10);
  const double today = Date();
  for (int k = 0; k <= n; ++k) {
    const double start = today + 3 * k + below(5);
    const double end = start + 9 + below(16);
    const int idx = AddBar(start, end, k % 10, std::string(msg::GanttSampleLabels[k % 10]));
    for (int j = 0; j < idx; ++j) {
      if (nextTask_->ValueAt(j) == -1 && endValues_->ValueAt(j) < start) {
        nextTask_->SetValueAt(j, idx);
        break;
      }
    }
  }
  NotifyDependents(TSourceChange::scReload, 0);
}

}  // namespace tokiwa
