#pragma once
// A chart: the series list, the four axes, the legend and the plot frame, the 3D
// and paging settings, and the paint pipeline that draws everything in order.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/axis.h"
#include "chart/chart_panel.h"
#include "chart/chart_pens.h"
#include "chart/legend.h"

namespace tokiwa {

class TChartSeries;
class TCustomAxisPanel;

using TOnGetLegendText = std::function<void(TCustomAxisPanel* Sender, TLegendStyle LegendStyle, int Index,
                                            std::string& LegendText)>;

// The chart's series in drawing order; it does not own them.
class TChartSeriesList {
 public:
  explicit TChartSeriesList(TCustomAxisPanel* owner) : owner_(owner) {}
  TCustomAxisPanel* Owner() const { return owner_; }
  int Count() const { return static_cast<int>(items_.size()); }
  TChartSeries* operator[](int index) const { return items_.at(index); }
  int IndexOf(const TChartSeries* s) const;
  void Add(TChartSeries* s) { items_.push_back(s); }
  void Remove(TChartSeries* s);
  int ActiveSeriesCount() const;
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  TCustomAxisPanel* owner_;
  std::vector<TChartSeries*> items_;
};

class TCustomAxisPanel : public TCustomChartPanel {
 public:
  explicit TCustomAxisPanel(TComponent* owner);
  ~TCustomAxisPanel() override;

  // --- series list ---
  TChartSeriesList& SeriesList() { return *seriesList_; }
  const TChartSeriesList& SeriesList() const { return *seriesList_; }
  int SeriesCount() const;
  TChartSeries* SeriesAt(int index) const;
  int ActiveSeriesCount() const;
  void AttachSeries(TChartSeries* series);
  void DetachSeries(TChartSeries* series);
  void DestroyAllSeries();

  // --- queries used by axes, legend and series ---
  TChartSeries* FirstActiveSeries() const;
  TChartSeries* FirstSeriesOnAxis(const TChartAxis* axis) const;
  TChartSeries* FirstFilledSeriesOnAxis(const TChartAxis* axis) const;
  bool IsAxisShown(const TChartAxis* axis) const;
  double LowestXOnAxis(const TChartAxis* axis) const;
  double HighestXOnAxis(const TChartAxis* axis) const;
  double LowestYOnAxis(const TChartAxis* axis) const;
  double HighestYOnAxis(const TChartAxis* axis) const;
  int LargestPointCount() const;
  virtual int PageCount() const;
  int WidestPointLabel();
  int WidestMarkText();
  TColor PickSeriesColor(bool checkBack) const;
  std::string LegendItemText(int index) const;
  std::string LegendValueText(TChartSeries* series, int index) const;
  TChartSeries* LegendSeriesAt(int item) const;
  std::string LegendSeriesTitle(int item) const;
  TRect PlotFrameRect() const;
  TRect PlotHitRect() const;
  bool IsValidSeriesSource(const TChartSeries* series, const TComponent* component) const;
  void RefreshSeriesSource(TChartSeries* series);
  void CheckSourceLoop(const TComponent* component, const TChartSeries* series) const;

  // --- drawing ---
  void DrawChart(Canvas& canvas, const TRect& rect) override;
  void DrawAllParts(const TRect& rect);
  virtual void SetAxesRanges(double topMin, double topMax, double bottomMin, double bottomMax,
                             double leftMin, double leftMax, double rightMin, double rightMax);
  virtual void ZoomToDrag();
  virtual int WallSize(const TChartAxis* axis) const = 0;
  virtual void DrawWalls() = 0;
  virtual std::unique_ptr<TCustomChartLegend> CreateLegendObject() = 0;
  virtual void DrawPanelBack(const TRect& rect) = 0;
  virtual void PlaceTitlesAndLegend() = 0;
  virtual void FitAxes();
  virtual void ReserveSeriesMargins();
  virtual void DrawPlotBack();
  void DrawOneSeries(TChartSeries* series);

  // --- properties ---
  TColor BackColor() const { return backColor_; }
  // What shows behind the plot: the back colour, or the panel's own colour.
  TColor PlotBackground() const { return backColor_ != ColorDefault ? backColor_ : Color(); }
  void SetBackColor(TColor c) { SetProperty(backColor_, c); }
  TCustomChartLegend& Legend() { return *legend_; }
  const TCustomChartLegend& Legend() const { return *legend_; }
  void SetLegend(const TCustomChartLegend& l) { legend_->Assign(l); }
  TChartAxis& TopAxis() { return *topAxis_; }
  TChartAxis& BottomAxis() { return *bottomAxis_; }
  TChartAxis& LeftAxis() { return *leftAxis_; }
  TChartAxis& RightAxis() { return *rightAxis_; }
  const TChartAxis& TopAxis() const { return *topAxis_; }
  const TChartAxis& BottomAxis() const { return *bottomAxis_; }
  const TChartAxis& LeftAxis() const { return *leftAxis_; }
  const TChartAxis& RightAxis() const { return *rightAxis_; }
  void SetTopAxis(const TChartAxis& a) { topAxis_->Assign(a); }
  void SetBottomAxis(const TChartAxis& a) { bottomAxis_->Assign(a); }
  void SetLeftAxis(const TChartAxis& a) { leftAxis_->Assign(a); }
  void SetRightAxis(const TChartAxis& a) { rightAxis_->Assign(a); }
  bool View3D() const override { return view3D_; }
  void SetView3D(bool v) { SetProperty(view3D_, v); }
  bool View3DWalls() const { return view3DWalls_; }
  void SetView3DWalls(bool v) { SetProperty(view3DWalls_, v); }
  int Chart3DPercent() const override { return chart3DPercent_; }
  void SetChart3DPercent(int v);
  TChartPen& Frame() { return frame_; }
  void SetFrame(const TChartPen& p) { frame_.Assign(p); }
  bool ClipPoints() const { return clipPoints_; }
  void SetClipPoints(bool v) { SetProperty(clipPoints_, v); }
  bool AxisVisible() const { return axisVisible_; }
  void SetAxisVisible(bool v) { SetProperty(axisVisible_, v); }
  bool Monochrome() const { return monochrome_; }
  void SetMonochrome(bool v);
  int Page() const { return page_; }
  virtual void SetPage(int v);
  int MaxPointsPerPage() const { return maxPointsPerPage_; }
  void SetMaxPointsPerPage(int v);
  bool ScaleLastPage() const { return scaleLastPage_; }
  void SetScaleLastPage(bool v) { SetProperty(scaleLastPage_, v); }
  // A click handler consumed the current mouse press.
  bool ClickConsumed = false;

  // --- events ---
  TOnGetLegendText OnGetLegendText;
  TAxisOnGetLabel OnGetAxisLabel;
  TAxisOnGetNextLabel OnGetNextAxisLabel;
  TNotifyEvent OnPageChange;
  TNotifyEvent OnAfterDraw;

  void Assign(const TPersistent& source) override;

 protected:
  // The clipping rectangle of the current paint (remembered at step 8).
  TRect SeriesClipRect() const { return seriesClip_; }
  void ClipSeries();
  // Called by constructors of derived charts once their own members exist.
  void CreateLegend();

 private:
  std::unique_ptr<TChartAxis> CreateAxis(bool horizontal, bool farSide);
  double ExtentOnAxis(const TChartAxis* axis, bool x, bool highest) const;
  void AssignDepthSlots();
  void DrawSharedSlot(const std::vector<TChartSeries*>& slot);
  void DrawSeriesMarks(TChartSeries* series);

  std::unique_ptr<TChartSeriesList> seriesList_;
  TColor backColor_ = ColorDefault;
  std::unique_ptr<TCustomChartLegend> legend_;
  std::unique_ptr<TChartAxis> bottomAxis_, topAxis_, leftAxis_, rightAxis_;
  bool view3D_ = true;
  bool view3DWalls_ = true;
  int chart3DPercent_ = 15;
  TChartPen frame_;
  bool clipPoints_ = true;
  bool axisVisible_ = true;
  bool monochrome_ = false;
  int page_ = 1;
  int maxPointsPerPage_ = 0;
  bool scaleLastPage_ = true;
  TRect seriesClip_;
};

}  // namespace tokiwa
