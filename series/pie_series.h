#pragma once
// Values as slices of an ellipse: each point's share of the total is its
// slice's share of the full turn, drawn flat or with a 3D rim, with marks
// outside the ellipse and a click test by angle.
#include <vector>

#include "series/circled_series.h"

namespace tokiwa {

class TPieSeries : public TCircledSeries {
  TOKIWA_SERIES_CLASS(TPieSeries, TCircledSeries)

 public:
  explicit TPieSeries(TComponent* owner);

  // The slice values are the Y values under another name.
  TChartValueList& PieValues() { return YValues(); }
  const TChartValueList& PieValues() const { return YValues(); }
  void SetPieValues(const TChartValueList& list) { SetYValues(list); }
  bool Color3d() const { return color3d_; }
  void SetColor3d(bool v) { Set(color3d_, v); }
  bool Dark3D() const { return dark3D_; }
  void SetDark3D(bool v) { Set(dark3D_, v); }
  bool Shadowed3d() const { return shadowed3d_; }
  void SetShadowed3d(bool v) { Set(shadowed3d_, v); }
  TColor ShadowColor() const { return shadowColor_; }
  void SetShadowColor(TColor c) { Set(shadowColor_, c); }
  bool UsePatterns() const { return usePatterns_; }
  void SetUsePatterns(bool v) { Set(usePatterns_, v); }

  // The slice table of the last drawing: angles in radians, counter-clockwise,
  // before the rotation.
  int SliceCount() const { return static_cast<int>(slices_.size()); }
  double SliceStart(int index) const;
  double MidAngle(int index) const { return slices_.at(static_cast<size_t>(index)).mid; }
  double EndAngle(int index) const { return slices_.at(static_cast<size_t>(index)).end; }
  // The hatch of a slice when UsePatterns is on.
  static TBrushStyle SlicePattern(int index);

  // --- overrides ---
  void DrawPoint(int index) override;
  void DrawMark(int index, const std::string& text, TRect rect, TPoint arrowFrom, TPoint arrowTo) override;
  int PointAtPixel(int x, int y) override;
  int SampleCount() const override { return 8; }
  void FillSampleValues(int count) override;
  void PreparePreview(bool enabled) override;
  // A pie leaves the axes' automatic ranges as they are.
  double HighestX() const override;
  double LowestX() const override;
  double HighestY() const override;
  double LowestY() const override;
  std::string EditorClassName() const override { return "TPieSeriesEditor"; }
  void LegendSymbolStyle(int index, TColor& background, TBrushStyle& brushStyle) override;
  void Assign(const TPersistent& source) override;

  // The shape of the current slice, from the previous end point to the new one.
  virtual void DrawSliceShape();

 protected:
  void CircleKnown() override;

 private:
  struct Slice {
    double mid = 0;
    double end = 0;
  };
  void BuildSliceTable();
  TColor HatchBackground() const;
  void DrawEndEdge();
  void DrawRim(int index);
  void DrawRimBetween(int index, double lo, double hi);

  bool color3d_ = true;
  bool dark3D_ = true;
  bool shadowed3d_ = false;
  TColor shadowColor_ = clBlack;
  bool usePatterns_ = false;
  std::vector<Slice> slices_;
  TPoint previousEnd_;  // where the last slice drawn ended
  TPoint end_;          // where the slice being drawn ends
};

}  // namespace tokiwa
