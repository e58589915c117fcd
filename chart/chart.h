#pragma once
// The chart control: the axis panel completed with its decorations (background,
// gradient, back image, bevels, title, foot, walls) and its mouse handling
// (click dispatch, zoom by dragging, panning, undoing the zoom).
#include <functional>
#include <memory>

#include "chart/axis_panel.h"
#include "chart/decorations.h"
#include "runtime/picture.h"

namespace tokiwa {

class TCustomChart;

enum class TPanningMode : std::uint8_t { pmNone, pmHorizontal, pmVertical, pmBoth };
enum class TChartHitKind : std::uint8_t { HitNone, HitLegend, HitAxis, HitSeries, HitTitle, HitFoot, HitPlotArea };

struct TChartHit {
  TChartHitKind Kind = TChartHitKind::HitNone;
  int ValueIndex = -1;
  TChartSeries* Series = nullptr;
  TChartAxis* Axis = nullptr;
};

using TChartClick = std::function<void(TCustomChart* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TChartClickAxis = std::function<void(TCustomChart* Sender, TChartAxis* Axis, TMouseButton Button,
                                           TShiftState Shift, int X, int Y)>;
using TChartClickSeries = std::function<void(TCustomChart* Sender, TChartSeries* Series, int ValueIndex,
                                             TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TChartAllowScrollEvent = std::function<void(TChartAxis* Sender, double& AMin, double& AMax, bool& AllowScroll)>;
using TOnGetLegendPos = std::function<void(TCustomChart* Sender, int Index, int& X, int& Y, int& XColor)>;
using TOnGetLegendRect = std::function<void(TCustomChart* Sender, TRect& Rect)>;

// The settings of one axis before the first zoom or pan.
struct TSavedAxisSettings {
  bool Automatic = true, AutomaticMinimum = true, AutomaticMaximum = true;
  double Minimum = 0, Maximum = 0;
};

class TCustomChart : public TCustomAxisPanel {
 public:
  explicit TCustomChart(TComponent* owner);
  ~TCustomChart() override;

  // --- decorations ---
  TChartTitle& Title() { return *title_; }
  TChartTitle& Foot() { return *foot_; }
  const TChartTitle& Title() const { return *title_; }
  const TChartTitle& Foot() const { return *foot_; }
  void SetTitle(const TChartTitle& t) { title_->Assign(t); }
  void SetFoot(const TChartTitle& t) { foot_->Assign(t); }
  TChartWall& LeftWall() { return *leftWall_; }
  TChartWall& BottomWall() { return *bottomWall_; }
  void SetLeftWall(const TChartWall& w) { leftWall_->Assign(w); }
  void SetBottomWall(const TChartWall& w) { bottomWall_->Assign(w); }
  TChartGradient& Gradient() { return *gradient_; }
  void SetGradient(const TChartGradient& g);
  TPicture& BackImage() { return *backImage_; }
  void SetBackImage(const TPicture& p) { backImage_->Assign(p); }
  TChartBackImageMode BackImageMode() const { return backImageMode_; }
  void SetBackImageMode(TChartBackImageMode m) { SetProperty(backImageMode_, m); }
  bool BackImageInside() const { return backImageInside_; }
  void SetBackImageInside(bool v) { SetProperty(backImageInside_, v); }

  // Paint pipeline steps implemented here.
  int WallSize(const TChartAxis* axis) const override;
  void DrawWalls() override;
  std::unique_ptr<TCustomChartLegend> CreateLegendObject() override;
  void DrawPanelBack(const TRect& rect) override;
  void PlaceTitlesAndLegend() override;
  void DrawPlotBack() override;
  virtual void FillBackground(const TRect& rect);
  virtual void DrawBackImage(const TRect& rect);
  void DrawTitleBlock(TChartTitle& title, bool atTop);

  // --- mouse ---
  TChartHit HitTestPoint(int x, int y);
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseLeave() override;
  void ZoomToDrag() override;
  void SetAxesRanges(double topMin, double topMax, double bottomMin, double bottomMax,
                     double leftMin, double leftMax, double rightMin, double rightMax) override;
  virtual void CancelZoom();
  void ScrollAxisByPixels(TChartAxis& axis, int fromPixel, int toPixel);
  // One step of a panning drag from one pixel position to another: moves the
  // axes AllowPanning lets move, saving them first as a drag does, so that
  // CancelZoom undoes it.
  void PanByPixels(int fromX, int fromY, int toX, int toY);
  // Zooms the top and bottom axes around pixel x: a factor below 1 narrows
  // their ranges, above 1 widens them, and the value under x stays under x.
  // The axes are saved as for a dragged zoom, so CancelZoom undoes it; the
  // left and right axes are left as they are. Nothing happens without
  // AllowZoom, when the bottom axis shows no range (nothing drawn yet), or
  // when its range is already as narrow as an axis allows.
  void ZoomHorizontally(int x, double factor);
  void SaveAxisSettings();
  void RestoreAxisSettings();

  int AnimatedZoomSteps() const { return animatedZoomSteps_; }
  void SetAnimatedZoomSteps(int v) { animatedZoomSteps_ = v; }
  bool AnimatedZoom() const { return animatedZoom_; }
  void SetAnimatedZoom(bool v) { animatedZoom_ = v; }
  bool AllowZoom() const { return allowZoom_; }
  void SetAllowZoom(bool v) { allowZoom_ = v; }
  TPanningMode AllowPanning() const { return allowPanning_; }
  void SetAllowPanning(TPanningMode m) { allowPanning_ = m; }
  bool ZoomApplied() const { return zoomApplied_; }
  bool MustSaveAxes() const { return mustSaveAxes_; }

  TChartClickAxis OnClickAxis;
  TChartClick OnClickLegend;
  TChartClickSeries OnClickSeries;
  TChartClick OnClickBackground;
  TOnGetLegendPos OnGetLegendPos;
  TOnGetLegendRect OnGetLegendRect;
  TNotifyEvent OnUndoZoom;
  TNotifyEvent OnScroll;
  TNotifyEvent OnZoom;
  TChartAllowScrollEvent OnAllowScroll;

  void Assign(const TPersistent& source) override;

 private:
  void SaveAxesOnce();
  void BeginMouseDrag(TMouseButton button, TShiftState shift, int x, int y, bool& handled);
  void RaiseBackgroundClick(TMouseButton button, TShiftState shift, int x, int y, bool& handled);
  void DispatchPress(TMouseButton button, TShiftState shift, int x, int y);
  void UpdateHoverCursor(TShiftState shift, int x, int y);
  void PanTo(int x, int y);
  void EndZoomDrag(TMouseButton button, int x, int y, bool apply);
  void StepZoomToward(TChartAxis& axis, double targetMin, double targetMax);
  void DrawBevels(TRect& r);
  void PrepareWallPen(TChartWall& wall);

  std::unique_ptr<TChartTitle> title_, foot_;
  std::unique_ptr<TChartWall> leftWall_, bottomWall_;
  std::unique_ptr<TChartGradient> gradient_;
  std::unique_ptr<TPicture> backImage_;
  TChartBackImageMode backImageMode_ = TChartBackImageMode::pbmStretch;
  bool backImageInside_ = false;

  int animatedZoomSteps_ = 8;
  bool animatedZoom_ = false;
  bool allowZoom_ = true;
  TPanningMode allowPanning_ = TPanningMode::pmBoth;
  bool zoomApplied_ = false;
  TSavedAxisSettings savedAxes_[4];  // top, left, right, bottom
  bool mustSaveAxes_ = true;
};

// The control an application places on its form.
class TChart : public TCustomChart {
 public:
  explicit TChart(TComponent* owner) : TCustomChart(owner) {}
};

}  // namespace tokiwa
