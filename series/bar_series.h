#pragma once
// Bar series: each point drawn as a bar from an origin to its value, upright
// (TBarSeries) or lying (THorizBarSeries). The bar series of one kind on a chart
// are laid out together: side by side, stacked, stacked to 100 % or overlapping.
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "chart/chart_exceptions.h"
#include "chart/chart_pens.h"
#include "chart/series.h"

namespace tokiwa {

class BarException : public ChartException { using ChartException::ChartException; };

enum class TBarStyle : std::uint8_t {
  bsRectangle, bsPyramid, bsInvPyramid, bsCilinder, bsEllipse, bsArrow, bsRectGradient
};
enum class TMultiBar : std::uint8_t { mbNone, mbSide, mbStacked, mbStacked100 };

class TCustomBarSeries;
using TGetBarStyleEvent = std::function<void(TCustomBarSeries* Sender, int ValueIndex, TBarStyle& TheBarStyle)>;

// What the upright and the lying bars share: their settings, the layout of a
// group, stacking, the value range, depth slots, colours, the canvas set-up and
// the 3D shapes drawn the same way in both directions.
//
// "Across" is the direction of the bars' positions (x for upright bars), "along"
// the direction of their values.
class TCustomBarSeries : public TChartSeries {
  TOKIWA_SERIES_CLASS(TCustomBarSeries, TChartSeries)

 public:
  explicit TCustomBarSeries(TComponent* owner);
  ~TCustomBarSeries() override;

  // --- published properties ---
  TBarStyle BarStyle() const { return barStyle_; }
  void SetBarStyle(TBarStyle s) { Set(barStyle_, s); }
  int BarWidthPercent() const { return barWidthPercent_; }
  // 1 to 100; otherwise BarException, and the old value stays.
  void SetBarWidthPercent(int percent);
  int OffsetPercent() const { return offsetPercent_; }
  // -100 to 100; otherwise BarException, and the old value stays.
  void SetOffsetPercent(int percent);
  TMultiBar MultiBar() const { return multiBar_; }
  // A change applies to every bar series of the same kind in the chart.
  void SetMultiBar(TMultiBar m);
  bool UseYOrigin() const { return useYOrigin_; }
  void SetUseYOrigin(bool v) { Set(useYOrigin_, v); }
  double YOrigin() const { return yOrigin_; }
  void SetYOrigin(double v) { Set(yOrigin_, v); }
  bool SideMargins() const { return sideMargins_; }
  // Applies to every bar series of the same kind in the chart.
  void SetSideMargins(bool v);
  bool Dark3D() const { return dark3D_; }
  void SetDark3D(bool v) { Set(dark3D_, v); }
  bool AutoMarkPosition() const { return autoMarkPosition_; }
  void SetAutoMarkPosition(bool v) { Set(autoMarkPosition_, v); }
  TChartPen& BarPen() { return *barPen_; }
  const TChartPen& BarPen() const { return *barPen_; }
  void SetBarPen(const TChartPen& p) { barPen_->Assign(p); }
  // Its colour is the background of hatched fills.
  TChartBrush& BarBrush() { return *barBrush_; }
  const TChartBrush& BarBrush() const { return *barBrush_; }
  void SetBarBrush(const TBrush& b) { barBrush_->Assign(b); }

  // Lets the application choose the shape of each bar as it is drawn.
  TGetBarStyleEvent OnGetBarStyle;

  // --- layout (needs a parent chart) ---
  // The bar's thickness across in pixels, as of the last ComputeBarSize.
  int BarSize() const { return barSize_; }
  void ComputeBarSize();
  int SideCount() const;
  int SideIndex() const;
  // Screen coordinate, along the values, of the end bar i starts from.
  int BarOrigin(int index) const;

  // --- colours of the bar being drawn ---
  TColor BarColor() const { return barColor_; }
  TColor TopColor() const { return topColor_; }
  TColor SideColor() const { return sideColor_; }

  // --- virtual operations added by bar series ---
  // Size of a mark along the bars (index -1: the largest).
  virtual int MarkExtent(int index) = 0;
  // The plot's size across the bars.
  virtual int PlotSpan() const = 0;
  virtual bool IsPointInBar(int index, int x, int y);
  // rect as it comes (its value end first along the values); low and high are
  // its smaller and larger screen coordinate along the values. Draws the shape
  // OnGetBarStyle chooses.
  virtual void DrawBar(const TRect& rect, int index, int low, int high);

  // --- overrides of the series base ---
  int SampleCount() const override { return 6; }
  std::string EditorClassName() const override { return "TBarSeriesEditor"; }
  void PreparePreview(bool enabled) override;
  void LegendSymbolStyle(int index, TColor& background, TBrushStyle& brushStyle) override;
  double StackedSumBefore(int index, bool includeSelf) const override;
  void AssignDepthSlot() override;
  int PointAtPixel(int x, int y) override;
  void BeginDrawing() override;
  void DrawPoint(int index) override;
  void DrawPoints() override;
  void Assign(const TPersistent& source) override;

 protected:
  // Whether the bars stand upright (values along y).
  virtual bool Upright() const = 0;
  // Bar i as DrawBar gets it: across from its position, along from its value
  // end (upright bars: top; lying bars: right) to its origin (bottom, left).
  virtual TRect BarRect(int index) const = 0;
  // The shape of bar i as the application wants it.
  TBarStyle StyleOf(int index);
  // BarColor, TopColor and SideColor for a bar of this colour.
  void SetBarColors(TColor colour);
  // Pen from BarPen (or none), brush in this colour with BarBrush's style.
  void PrepareBarCanvas(TColor colour);
  void UseBarPen(Canvas& canvas) const;
  // A bar face: a filled rectangle with the rules for bars too thin for their pen.
  void DrawBarRectangle(TColor colour, int left, int top, int right, int bottom);
  void FillShape(TColor colour, std::span<const TPoint> points);
  // The shapes that differ between upright and lying bars, with the arguments
  // of DrawBar. DrawFaces adds the 3D faces of a rectangular bar.
  virtual void DrawPyramid(const TRect& rect, int low, int high) = 0;
  virtual void DrawInvPyramid(const TRect& rect, int low, int high) = 0;
  virtual void DrawArrow(const TRect& rect, int low, int high) = 0;
  virtual void DrawGradient(const TRect& rect, int low, int high) = 0;
  virtual void DrawFaces(const TRect& rect, int low, int high) = 0;
  void DrawEllipse(const TRect& rect, int low, int high);
  // A 3D cylinder of the bar's thickness and one depth slot, from its origin to its value end.
  void DrawCylinder(const TRect& rect, int low, int high);
  // A cylinder whose round cross-section at `base` is the ellipse inscribed in the
  // bar's thickness and one depth slot, run along `sweep` to the visible cap.
  void DrawCylinder(double baseX, double baseY, double acrossX, double acrossY, int sweepX, int sweepY,
                    TColor capColour);
  // Whether the chart draws in 3D, and the depth of one slot (0 in 2D).
  bool Is3D() const;
  int DepthX() const;
  int DepthY() const;
  // Screen coordinate of a value along the bars' values (in this series' slot).
  virtual int AlongPosition(double value) const = 0;
  // Where bars start without UseYOrigin: the plot's bottom or left edge.
  virtual int PlotBaseEdge() const = 0;
  // Screen coordinate along the values of bar i's value end, stacked as MultiBar says.
  int ValueEnd(int index) const;
  bool Stacked() const { return multiBar_ == TMultiBar::mbStacked || multiBar_ == TMultiBar::mbStacked100; }
  int StackedPosition(int index, double add) const;
  // Shift of a bar's near edge from its position: side by side the group is
  // centred on it; firstFar puts the first series at the far (larger) end.
  int AcrossShift(bool firstFar) const;
  // Whether every bar is a one-pixel line that DrawPoints may merge with the
  // lines of the bars before it in the same pixel column or row.
  bool DrawsHairlines();
  // The value range along the bars, widened by stacking and the origin.
  double HighestAlong(double base) const;
  double LowestAlong(double base) const;
  // Pixels a mark needs beyond a bar's value end (0 without marks).
  int MarkRoom();
  // Room on each side across the bars for the outer bars of the group.
  int GroupMargin();
  // A point of a shape, kept on the canvas.
  static TPoint At(Px x, Px y) { return {OnCanvas(x), OnCanvas(y)}; }
  // Moves a mark and its arrow right by dx and up by dy (into the middle of the
  // bar's depth in 3D).
  static void ShiftIntoDepth(TRect& rect, TPoint& from, TPoint& to, int dx, int dy);

  int customBarSize_ = 0;  // CustomBarWidth or CustomBarHeight

 private:
  TBarStyle barStyle_ = TBarStyle::bsRectangle;
  int barWidthPercent_ = 70;
  int offsetPercent_ = 0;
  TMultiBar multiBar_ = TMultiBar::mbSide;
  bool useYOrigin_ = true;
  double yOrigin_ = 0;
  bool sideMargins_ = true;
  bool dark3D_ = true;
  bool autoMarkPosition_ = true;
  std::unique_ptr<TChartPen> barPen_;
  std::unique_ptr<TChartBrush> barBrush_;
  int barSize_ = 0;
  TColor barColor_ = 0;
  TColor topColor_ = 0;
  TColor sideColor_ = 0;
};

// Upright bars: positions on the horizontal axis, values on the vertical one.
class TBarSeries : public TCustomBarSeries {
  TOKIWA_SERIES_CLASS(TBarSeries, TCustomBarSeries)

 public:
  explicit TBarSeries(TComponent* owner);

  // A fixed bar width in pixels; 0 sizes the bars to the plot.
  int CustomBarWidth() const { return customBarSize_; }
  void SetCustomBarWidth(int v) { Set(customBarSize_, v); }

  int MarkExtent(int index) override;
  int PlotSpan() const override;
  bool IsPointInBar(int index, int x, int y) override;

  TChartValueList& MainValueList() override { return YValues(); }
  using TChartSeries::MainValueList;
  double MarkValue(int index) const override { return PointY(index); }
  bool DrawsForward() const override;
  int PointScreenX(int index) const override;
  int PointScreenY(int index) const override;
  double HighestY() const override;
  double LowestY() const override;
  void HorizMargins(int& left, int& right) override;
  void VertMargins(int& top, int& bottom) override;
  void DrawMark(int index, const std::string& text, TRect rect, TPoint arrowFrom, TPoint arrowTo) override;

 protected:
  bool Upright() const override { return true; }
  TRect BarRect(int index) const override;
  int AlongPosition(double value) const override { return ValuePositionY(value); }
  int PlotBaseEdge() const override;
  void DrawPyramid(const TRect& rect, int low, int high) override;
  void DrawInvPyramid(const TRect& rect, int low, int high) override;
  void DrawArrow(const TRect& rect, int low, int high) override;
  void DrawGradient(const TRect& rect, int low, int high) override;
  void DrawFaces(const TRect& rect, int low, int high) override;

 private:
  void DrawTopFace(const TRect& rect, int upper);
  int MarkArrowLength(int index, int markWidth, int markHeight) const;
};

// Lying bars: values on the horizontal axis, positions on the vertical one.
class THorizBarSeries : public TCustomBarSeries {
  TOKIWA_SERIES_CLASS(THorizBarSeries, TCustomBarSeries)

 public:
  explicit THorizBarSeries(TComponent* owner);

  // A fixed bar height in pixels; 0 sizes the bars to the plot.
  int CustomBarHeight() const { return customBarSize_; }
  void SetCustomBarHeight(int v) { Set(customBarSize_, v); }

  int MarkExtent(int index) override;
  int PlotSpan() const override;
  bool IsPointInBar(int index, int x, int y) override;

  TChartValueList& MainValueList() override { return XValues(); }
  using TChartSeries::MainValueList;
  double MarkValue(int index) const override { return PointX(index); }
  bool DrawsForward() const override;
  int PointScreenX(int index) const override;
  int PointScreenY(int index) const override;
  double HighestX() const override;
  double LowestX() const override;
  void HorizMargins(int& left, int& right) override;
  void VertMargins(int& top, int& bottom) override;
  void DrawMark(int index, const std::string& text, TRect rect, TPoint arrowFrom, TPoint arrowTo) override;
  void FillSampleValues(int count) override;

 protected:
  bool Upright() const override { return false; }
  TRect BarRect(int index) const override;
  int AlongPosition(double value) const override { return ValuePositionX(value); }
  int PlotBaseEdge() const override;
  void DrawPyramid(const TRect& rect, int low, int high) override;
  void DrawInvPyramid(const TRect& rect, int low, int high) override;
  void DrawArrow(const TRect& rect, int low, int high) override;
  void DrawGradient(const TRect& rect, int low, int high) override;
  void DrawFaces(const TRect& rect, int low, int high) override;
};

}  // namespace tokiwa
