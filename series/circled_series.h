#pragma once
// A series drawn inside an ellipse instead of along axes: the ellipse's
// geometry, its rotation, and the chart settings that suit such a series
// (attaching one hides the axes and frame and turns zoom and panning off).
#include <memory>
#include <numbers>

#include "chart/chart_exceptions.h"
#include "chart/chart_pens.h"
#include "chart/series.h"

namespace tokiwa {

inline constexpr double kRadiansPerDegree = std::numbers::pi / 180;

class PieException : public ChartException { using ChartException::ChartException; };

class TCircledSeries : public TChartSeries {
  TOKIWA_SERIES_CLASS(TCircledSeries, TChartSeries)

 public:
  explicit TCircledSeries(TComponent* owner);
  ~TCircledSeries() override;

  // Circled, CustomXRadius and CustomYRadius are shared: setting one sets it
  // on the chart's other series of this class too.
  bool Circled() const { return circled_; }
  void SetCircled(bool v);
  int RotationAngle() const { return rotationAngle_; }
  // Degrees counter-clockwise from 3 o'clock; negative angles are refused.
  void SetRotationAngle(int degrees);
  int CustomXRadius() const { return customXRadius_; }
  void SetCustomXRadius(int v);
  int CustomYRadius() const { return customYRadius_; }
  void SetCustomYRadius(int v);
  TColor CircleBackColor() const { return circleBackColor_; }
  void SetCircleBackColor(TColor c) { Set(circleBackColor_, c); }
  TChartPen& PiePen() { return *piePen_; }
  const TChartPen& PiePen() const { return *piePen_; }
  void SetPiePen(const TChartPen& p) { piePen_->Assign(p); }

  // The ellipse of the last drawing.
  const TRect& PieRect() const { return pieRect_; }
  int PieCentreX() const { return centreX_; }
  int PieCentreY() const { return centreY_; }
  int PieWidth() const { return pieWidth_; }
  int PieHeight() const { return pieHeight_; }
  int XRadius() const { return xRadius_; }
  int YRadius() const { return yRadius_; }
  int PieDepth() const { return pieDepth_; }
  double RotationRadians() const { return rotationRadians_; }
  // The point of the ellipse at an angle (radians, before the rotation).
  TPoint PointOnEllipse(double angle) const;

  // --- overrides of the series base ---
  void BeginDrawing() override;
  void EndDrawing() override;
  bool UsesAxis(const TChartAxis*) const override { return false; }
  bool HasAxes() const override { return false; }
  void LegendSymbolStyle(int index, TColor& background, TBrushStyle& brushStyle) override;
  void SetParentChart(TCustomAxisPanel* chart) override;
  void SetActive(bool active) override;
  void Assign(const TPersistent& source) override;

 protected:
  // Called once per drawing, as soon as the ellipse is known.
  virtual void CircleKnown() {}
  // The screen width, in pixels: the rim's angular step is one over it.
  int ScreenWidth() const;

 private:
  void Normalise();
  void ApplyRadii();
  void ReserveMarkRoom(TCustomAxisPanel& chart);
  void MakeRound();
  double PixelAspect() const;
  bool FirstActiveOfClass() const;
  template <class T>
  void SetShared(T TCircledSeries::*field, T value);

  bool circled_ = false;
  int rotationAngle_ = 0;
  int customXRadius_ = 0;
  int customYRadius_ = 0;
  TColor circleBackColor_ = ColorDefault;
  std::unique_ptr<TChartPen> piePen_;

  TRect pieRect_;
  int centreX_ = 0, centreY_ = 0;
  int pieWidth_ = 0, pieHeight_ = 0;
  int xRadius_ = 0, yRadius_ = 0;
  int pieDepth_ = 0;
  double rotationRadians_ = 0;
};

// Turns a chart's pie mode on (axes, clipping, frame and 3D walls off; no zoom,
// no panning) or off again. Off leaves the chart alone while another active
// circled series remains on it.
void SetPieMode(TCustomAxisPanel& chart, bool on);

}  // namespace tokiwa
