#pragma once
// The series for many points: one polyline in one pen, no markers, no 3D, no
// area, and nothing drawn for a point that lands on the pixel where the line
// already is.
#include <memory>
#include <vector>

#include "chart/chart_pens.h"
#include "chart/series.h"
#include "series/column_polyline.h"

namespace tokiwa {

class TFastLineSeries : public TChartSeries {
  TOKIWA_SERIES_CLASS(TFastLineSeries, TChartSeries)

 public:
  explicit TFastLineSeries(TComponent* owner);
  ~TFastLineSeries() override;

  // The line's pen. Its colour and SeriesColor always agree: setting either
  // sets the other.
  TChartPen& LinePen() { return *linePen_; }
  const TChartPen& LinePen() const { return *linePen_; }
  void SetLinePen(const TChartPen& pen);

  // --- overrides ---
  void SetSeriesColor(TColor colour) override;
  void DrawPoint(int index) override;
  void DrawPoints() override;
  void DrawSymbolShape(int index, const TRect& rect) override;
  int PointAtPixel(int x, int y) override;
  std::string EditorClassName() const override { return "TFastLineSeriesEditor"; }
  void Assign(const TPersistent& source) override;

 protected:
  // The canvas pen: LinePen in the series' colour.
  void PrepareLinePen();

 private:
  bool DrawsAsOnePolyline() const;
  void DrawPolyline();

  std::unique_ptr<TChartPen> linePen_;
  // The screen point the line has reached in the current drawing pass.
  int lastX_ = 0;
  int lastY_ = 0;
  ColumnPolyline polyline_;  // kept between paints for its storage
};

}  // namespace tokiwa
