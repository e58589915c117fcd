#pragma once
// Series that draw points as markers, optionally joined by lines or filled
// down to a base line: the shared base and the point, line and area types.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "chart/chart_pens.h"
#include "chart/series.h"
#include "series/series_pointer.h"

namespace tokiwa {

class TCustomSeries;

using TSeriesClickPointerEvent = std::function<void(TCustomSeries* Sender, int ValueIndex, int X, int Y)>;
using TOnGetPointerStyle = std::function<TSeriesPointerStyle(TChartSeries* Sender, int ValueIndex)>;

class TCustomSeries : public TChartSeries {
  TOKIWA_SERIES_CLASS(TCustomSeries, TChartSeries)

 public:
  explicit TCustomSeries(TComponent* owner);
  ~TCustomSeries() override;

  bool Stairs() const { return stairs_; }
  void SetStairs(bool v) { Set(stairs_, v); }
  bool InvertedStairs() const { return invertedStairs_; }
  void SetInvertedStairs(bool v) { Set(invertedStairs_, v); }
  bool DrawLines() const { return drawLines_; }
  void SetDrawLines(bool v) { Set(drawLines_, v); }
  bool DrawArea() const { return drawArea_; }
  void SetDrawArea(bool v) { Set(drawArea_, v); }
  TSeriesPointer& Pointer() { return *pointer_; }
  const TSeriesPointer& Pointer() const { return *pointer_; }
  void SetPointer(const TSeriesPointer& p) { pointer_->Assign(p); }
  TChartPen& AreaLinesPen() { return *areaLinesPen_; }
  const TChartPen& AreaLinesPen() const { return *areaLinesPen_; }
  void SetAreaLinesPen(const TChartPen& p) { areaLinesPen_->Assign(p); }
  TChartPen& LinePen() { return *linePen_; }
  const TChartPen& LinePen() const { return *linePen_; }
  void SetLinePen(const TChartPen& p) { linePen_->Assign(p); }
  TColor AreaColor() const { return areaColor_; }
  void SetAreaColor(TColor c) { Set(areaColor_, c); }
  TBrushStyle LineBrush() const { return lineBrush_; }
  void SetLineBrush(TBrushStyle s) { Set(lineBrush_, s); }
  TBrushStyle AreaBrush() const { return areaBrush_; }
  void SetAreaBrush(TBrushStyle s) { Set(areaBrush_, s); }
  bool ClickableLine() const { return clickableLine_; }
  void SetClickableLine(bool v) { Set(clickableLine_, v); }

  TSeriesClickPointerEvent OnClickPointer;
  TOnGetPointerStyle OnGetPointerStyle;

  // Fill colour of areas and 3D ribbons for a point of colour c.
  TColor AreaFillColor(TColor c) const;

  // --- overrides of the series base ---
  void DrawPoint(int index) override;
  void DrawMark(int index, const std::string& text, TRect rect, TPoint arrowFrom, TPoint arrowTo) override;
  std::string EditorClassName() const override { return "TCustomSeriesEditor"; }
  int PointAtPixel(int x, int y) override;
  void DrawSymbolShape(int index, const TRect& rect) override;
  void HorizMargins(int& left, int& right) override;
  void VertMargins(int& top, int& bottom) override;
  void Assign(const TPersistent& source) override;

  // --- operations added by this class ---
  virtual void DrawPointerAt(int x, int y, int index, TColor colour);
  virtual bool IsNearPointer(int index, int px, int py, int x, int y);
  virtual int AreaBaseY(int index) const;

 protected:
  // Drawing state carried from one DrawPoint to the next within a pass.
  int BaseY = 0;
  int PrevBaseY = 0;
  int PrevX = 0;
  int PrevY = 0;
  TColor PrevColor = 0;

 private:
  void EnterFromLeftEdge(int index);
  void DrawSegment(int index, int x, int y, TColor c, bool withPointer);
  void DrawRibbon(int x, int y, TColor c);
  void DrawAreaPart(int index, int x, int y, TColor c);
  void DrawLinePart(int x, int y, TColor c);
  void UseLinePen(TColor colour);
  bool HitsLineOrArea(int index, TPoint prev, TPoint cur, int x, int y);

  bool stairs_ = false;
  bool invertedStairs_ = false;
  bool drawLines_ = false;
  bool drawArea_ = false;
  std::unique_ptr<TSeriesPointer> pointer_;
  std::unique_ptr<TChartPen> areaLinesPen_;
  std::unique_ptr<TChartPen> linePen_;
  TColor areaColor_ = ColorDefault;
  TBrushStyle lineBrush_ = TBrushStyle::bsSolid;
  TBrushStyle areaBrush_ = TBrushStyle::bsSolid;
  bool clickableLine_ = true;
};

// Markers only.
class TPointSeries : public TCustomSeries {
  TOKIWA_SERIES_CLASS(TPointSeries, TCustomSeries)

 public:
  explicit TPointSeries(TComponent* owner);
  void Assign(const TPersistent& source) override;
};

// Points joined by lines; markers hidden.
class TLineSeries : public TCustomSeries {
  TOKIWA_SERIES_CLASS(TLineSeries, TCustomSeries)

 public:
  explicit TLineSeries(TComponent* owner);
  void Assign(const TPersistent& source) override;
  void LegendSymbolStyle(int index, TColor& background, TBrushStyle& brushStyle) override;
};

enum class TMultiArea : std::uint8_t { maNone, maStacked, maStacked100 };

// The area under a line, optionally stacked on the other area series of the chart.
class TAreaSeries : public TCustomSeries {
  TOKIWA_SERIES_CLASS(TAreaSeries, TCustomSeries)

 public:
  explicit TAreaSeries(TComponent* owner);

  TMultiArea MultiArea() const { return multiArea_; }
  // Applies to every area series of the same chart.
  void SetMultiArea(TMultiArea m);

  void Assign(const TPersistent& source) override;
  std::string EditorClassName() const override { return "TAreaSeriesEditor"; }
  void LegendSymbolStyle(int index, TColor& background, TBrushStyle& brushStyle) override;
  double HighestY() const override;
  double LowestY() const override;
  int PointScreenY(int index) const override;
  void AssignDepthSlot() override;
  int AreaBaseY(int index) const override;

 private:
  // Screen y of a stacked value at a point, in the current stacking mode.
  int StackedPosition(int index, double value) const;

  TMultiArea multiArea_ = TMultiArea::maNone;
};

}  // namespace tokiwa
