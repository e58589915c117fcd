#pragma once
// Horizontal bars from a start to an end value on a row, optionally joined to a
// following bar by an elbow line. The viewer draws every program run with one.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "chart/chart_pens.h"
#include "series/bar_index.h"
#include "series/custom_series.h"

namespace tokiwa {

class TGanttSeries : public TPointSeries {
  TOKIWA_SERIES_CLASS(TGanttSeries, TPointSeries)

 public:
  explicit TGanttSeries(TComponent* owner);
  ~TGanttSeries() override;

  // The bar starts are the X values under a second name.
  TChartValueList& StartValues() { return XValues(); }
  const TChartValueList& StartValues() const { return XValues(); }
  void SetStartValues(const TChartValueList& list) { SetXValues(list); }
  TChartValueList& EndValues() { return *endValues_; }
  const TChartValueList& EndValues() const { return *endValues_; }
  void SetEndValues(const TChartValueList& list);
  // Per bar, the index of the bar it leads to, or -1.
  TChartValueList& NextTask() { return *nextTask_; }
  const TChartValueList& NextTask() const { return *nextTask_; }
  void SetNextTask(const TChartValueList& list);
  TChartPen& ConnectingPen() { return *connectingPen_; }
  const TChartPen& ConnectingPen() const { return *connectingPen_; }
  void SetConnectingPen(const TChartPen& p) { connectingPen_->Assign(p); }

  // Adds one bar; answers its index (its position among the starts), or -1
  // when an OnBeforeAdd handler refused it.
  int AddBar(double start, double end, double y, const std::string& label, TColor colour);
  int AddBar(double start, double end, double y, const std::string& label);
  // AddBar of every bar in turn, at once, when each would be appended
  // directly (an empty plain Gantt series nobody listens to, the bars in
  // start order): bar i's label is texts[labels[i]], and the lists are taken
  // whole. False, with nothing added and nothing taken, otherwise.
  bool AddBarsAtOnce(std::vector<double>&& starts, std::vector<double>&& ends, std::vector<double>&& ys,
                     std::vector<TColor>&& colours, const std::vector<int>& labels,
                     const std::vector<std::string>& texts);

  // The bar a pointer at (x, y) is on, as a click finds it, without raising
  // any event; -1 for none. With the bars in start order on a plain
  // horizontal axis (neither inverted nor logarithmic) the answer takes a
  // binary search per row near y, not a look at every bar.
  int BarAtPixel(int x, int y);

  // Off by default: bars outside the picture or wholly painted over by later
  // ones are skipped, and partly painted over ones drawn only where they show.
  // On draws every bar in turn, the reference the skipping is tested against.
  void SetDrawEveryBar(bool on) { drawEveryBar_ = on; }

  // --- overrides ---
  // A point added by the base operations (AppendValue, AppendEmpty, a function)
  // becomes a bar of no length, so that the end and next-task lists keep one
  // entry per point.
  int AppendPoint(double x, double y, const std::string& label, TColor colour = ColorDefault) override;
  void Assign(const TPersistent& source) override;
  void DrawPoint(int index) override;
  // Only the bars that can reach into the picture.
  void DrawPoints() override;
  void DrawMark(int index, const std::string& text, TRect rect, TPoint arrowFrom, TPoint arrowTo) override;
  bool CanCopyFrom(const TChartSeries* series) const override;
  void PreparePreview(bool enabled) override;
  void FillSampleValues(int count) override;
  double HighestX() const override;
  std::string EditorClassName() const override { return "TGanttSeriesEditor"; }
  TChartValueList& MainValueList() override { return XValues(); }
  using TChartSeries::MainValueList;
  void ResetPendingValue(TChartValueList& list) override;
  void HorizMargins(int& left, int& right) override;
  bool IsNearPointer(int index, int px, int py, int x, int y) override;
  int PointAtPixel(int x, int y) override;

 private:
  // The pointer's centre and half width for a bar between two columns.
  struct Span {
    int centre, halfWidth;
  };
  static Span SpanOf(int startX, int endX);
  void DrawConnection(int index, int x1, int y);
  // Every bar's rectangle paints each of its pixels opaquely (the 3D faces
  // and elbows aside), so a later one hides what an earlier one drew there.
  bool BarsPaintOver() const;
  void DrawUncovered(int low, int high);
  // The horizontal axis maps values to columns that never decrease, as the
  // bar index needs.
  bool ColumnsInOrder() const;
  int BarAtPixelOneByOne(int x, int y);
  bool AppendsDirectly() const;

  TChartValueList* endValues_;  // owned by the series' value lists
  TChartValueList* nextTask_;   // likewise
  std::unique_ptr<TChartPen> connectingPen_;
  bool addingBar_ = false;  // AddBar inserts the extra lists itself
  std::unique_ptr<BarIndex> index_;
  bool drawEveryBar_ = false;
};

}  // namespace tokiwa
