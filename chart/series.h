#pragma once
// The base of every series: points held in parallel value lists with a colour
// and an optional label each, their mapping to the screen through the chart's
// axes, the shown range, marks, click events and data-source dependents.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <typeinfo>
#include <vector>

#include "chart/axis_mapping.h"
#include "chart/chart_function.h"
#include "chart/chart_panel.h"
#include "chart/series_labels.h"
#include "chart/series_marks.h"
#include "chart/value_list.h"
#include "runtime/colour.h"
#include "runtime/component.h"
#include "runtime/geometry.h"
#include "runtime/input.h"
#include "runtime/property.h"

namespace tokiwa {

class TCustomAxisPanel;
class TChartAxis;
class TChartSeries;

enum class TSourceChange : std::uint8_t { scCleared, scAdded, scDeleted, scReload, scValueChanged };
enum class THorizAxis : std::uint8_t { aTopAxis, aBottomAxis };
enum class TVertAxis : std::uint8_t { aLeftAxis, aRightAxis };

// Which source notifications a dependent series acts on.
enum TFollowFlag : std::uint8_t { ffDeletes = 1, ffValueChanges = 2, ffAdds = 4, ffClears = 8 };
using TFollowFlags = std::uint8_t;

using TSeriesOnBeforeAdd = std::function<bool(TChartSeries* Sender)>;
using TSeriesOnAfterAdd = std::function<void(TChartSeries* Sender, int ValueIndex)>;
using TSeriesOnClear = std::function<void(TChartSeries* Sender)>;
using TSeriesOnGetMarkText = std::function<void(TChartSeries* Sender, int ValueIndex, std::string& MarkText)>;
using TSeriesClick = std::function<void(TChartSeries* Sender, int ValueIndex, TMouseButton Button,
                                        TShiftState Shift, int X, int Y)>;

// Declares the class test a series type answers (see TChartSeries::IsA).
#define TOKIWA_SERIES_CLASS(Class, Base)                                   \
 public:                                                                  \
  bool IsA(const std::type_info& t) const override {                      \
    return typeid(Class) == t || Base::IsA(t);                            \
  }                                                                       \
  std::string ClassName() const override { return #Class; }               \
                                                                          \
 private:

class TChartSeries : public TComponent {
 public:
  explicit TChartSeries(TComponent* owner);
  ~TChartSeries() override;

  // Whether this object's class is the given class or derives from it.
  virtual bool IsA(const std::type_info& t) const { return typeid(TChartSeries) == t; }
  std::string ClassName() const override { return "TChartSeries"; }
  // Either series' class is the other's or derives from it.
  bool SameKind(const TChartSeries& other) const;

  // --- points ---
  TChartValueList& XValues() { return *xValues_; }
  const TChartValueList& XValues() const { return *xValues_; }
  TChartValueList& YValues() { return *yValues_; }
  const TChartValueList& YValues() const { return *yValues_; }
  void SetXValues(const TChartValueList& list);
  void SetYValues(const TChartValueList& list);
  int ValueListCount() const { return static_cast<int>(valueLists_.size()); }
  TChartValueList& ValueList(int index) { return *valueLists_.at(index); }
  const TChartValueList& ValueList(int index) const { return *valueLists_.at(index); }
  int PointCount() const;
  bool MainListIsY() const;
  const std::vector<TColor>& Colors() const { return colors_; }
  // Labels are stored only for points that have one.
  bool HasLabel(int index) const;
  int LabelCount() const { return static_cast<int>(labelIds_.size()); }
  // Makes room for count points in every value list, the colours and the
  // labels, so that adding up to that many points does not move them.
  void ReservePoints(int count);

  // --- the virtual operations, in their declared order ---
  virtual void PointAdded(TChartSeries* sender, int index);
  virtual void DrawPoint(int index);
  virtual void BeginDrawing();
  virtual void EndDrawing();
  virtual void DrawMark(int index, const std::string& text, TRect rect, TPoint arrowFrom, TPoint arrowTo);
  virtual double PointX(int index) const;
  virtual double PointY(int index) const;
  virtual std::string PointLabel(int index) const;
  virtual TColor PointColor(int index) const;
  virtual void SetSeriesColor(TColor colour);
  virtual void SetParentChart(TCustomAxisPanel* chart);
  virtual void SetActive(bool active);
  virtual void SourcePointDeleted(TChartSeries* source, int index);
  virtual int CopyPointFrom(TChartSeries* source, int index);
  virtual void SourcePointAdded(TChartSeries* source, int index);
  virtual void ReloadFromSource(TChartSeries* source);
  virtual void DiscardPoints();
  virtual bool UsesAxis(const TChartAxis* axis) const;
  virtual void DrawPoints();
  virtual bool CanCopyFrom(const TChartSeries* series) const;
  virtual bool AcceptsSource(const TComponent* component) const;
  virtual void PreparePreview(bool enabled);
  virtual int SampleCount() const { return 25; }
  virtual void FillSampleValues(int count);
  virtual void RemoveAllPoints();
  virtual int AppendValue(double y, const std::string& label, TColor colour = ColorDefault);
  virtual int AppendPoint(double x, double y, const std::string& label, TColor colour = ColorDefault);
  virtual int AppendEmpty(const std::string& label);
  virtual void RemovePoint(int index);
  virtual double HighestX() const;
  virtual double LowestX() const;
  virtual double HighestY() const;
  virtual double LowestY() const;
  virtual std::string EditorClassName() const { return "TChartSeriesEditor"; }
  virtual int PointScreenX(int index) const;
  virtual int PointScreenY(int index) const;
  virtual void InsertPendingExtras(int index);
  virtual TChartValueList& ValueListByName(const std::string& name);
  virtual int PointAtPixel(int x, int y);
  virtual double StackingValue(int index) const;
  virtual double MarkValue(int index) const;
  virtual double StackedSumBefore(int index, bool includeSelf) const;
  virtual TChartValueList& MainValueList();
  const TChartValueList& MainValueList() const { return const_cast<TChartSeries*>(this)->MainValueList(); }
  virtual bool DrawsForward() const { return true; }
  virtual void AssignDepthSlot();
  virtual void MouseMoved(TShiftState shift, int x, int y);
  virtual bool RaiseClick(TChartSeries* sender, int index, TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseReleased(TMouseButton button, TShiftState shift, int x, int y);
  virtual void ResetPendingValue(TChartValueList& list);
  virtual void DrawLegendSymbol(int index, const TRect& rect);
  virtual void DrawSymbolShape(int index, const TRect& rect);
  virtual void LegendSymbolStyle(int index, TColor& background, TBrushStyle& brushStyle);
  virtual void HorizMargins(int& left, int& right);
  virtual void VertMargins(int& top, int& bottom);
  virtual bool HasAxes() const { return true; }
  virtual void SetFunction(std::unique_ptr<TChartFunction> function);
  virtual void StyleChanged(TPersistent* sender);

  // --- screen mapping (need a parent chart) ---
  int ValuePositionX(double value) const;
  int ValuePositionY(double value) const;
  // ValuePositionX for the many values of one paint.
  AxisMapping ColumnMapping() const;
  TChartAxis* GetHorizAxis() const;
  TChartAxis* GetVertAxis() const;
  void ComputeShownRange();
  int PointUnderCursor();

  // --- marks ---
  TSeriesMarks& Marks() { return *marks_; }
  const TSeriesMarks& Marks() const { return *marks_; }
  void SetMarks(const TSeriesMarks& marks) { marks_->Assign(marks); }
  std::string MarkText(int index);
  std::string PercentText(int index, bool withTotal);
  void DrawMarks();
  int MarkTextWidth();

  // --- data sources ---
  const std::vector<TComponent*>& DataSources() const { return dataSources_; }
  TComponent* DataSource() const { return dataSources_.empty() ? nullptr : dataSources_.front(); }
  void SetDataSource(TComponent* source);
  // Adds a further source (the stored "DataSources" list of several names).
  void AddDataSource(TComponent* source);
  // Raises the circular-source error when fed is reached from source through
  // data sources: fed taking source as its source would end up feeding itself.
  static void CheckSourceLoop(const TComponent* fed, const TChartSeries* source);
  const std::vector<TChartSeries*>& Dependents() const { return dependents_; }
  void NotifyDependents(TSourceChange kind, int index);
  void ReloadFromDataSource();
  void RepaintChart();
  TChartFunction* Function() const { return function_.get(); }
  // Called by a function when it is given another parent series.
  std::unique_ptr<TChartFunction> ReleaseFunction();

  // --- properties ---
  TCustomAxisPanel* ParentChart() const { return parentChart_; }
  TColor SeriesColor() const { return seriesColor_; }
  bool ColorEachPoint() const { return colorEachPoint_; }
  void SetColorEachPoint(bool v) { Set(colorEachPoint_, v); }
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& t) { Set(title_, t); }
  const std::string& ValueFormat() const { return valueFormat_; }
  void SetValueFormat(const std::string& f) { Set(valueFormat_, f); }
  const std::string& PercentFormat() const { return percentFormat_; }
  void SetPercentFormat(const std::string& f) { Set(percentFormat_, f); }
  bool Active() const { return active_; }
  const std::string& XLabelsSource() const { return xLabelsSource_; }
  void SetXLabelsSource(const std::string& s);
  const std::string& ColorSource() const { return colorSource_; }
  void SetColorSource(const std::string& s);
  THorizAxis HorizAxis() const { return horizAxis_; }
  void SetHorizAxis(THorizAxis a) { Set(horizAxis_, a); }
  TVertAxis VertAxis() const { return vertAxis_; }
  void SetVertAxis(TVertAxis a) { Set(vertAxis_, a); }
  TFollowFlags FollowFlags() const { return followFlags_; }
  void SetFollowFlags(TFollowFlags f) { followFlags_ = f; }
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor c) { cursor_ = c; }
  bool ShowInLegend() const { return showInLegend_; }
  void SetShowInLegend(bool v) { Set(showInLegend_, v); }
  std::uint8_t StyleFlags() const { return styleFlags_; }
  void SetStyleFlags(std::uint8_t f) { styleFlags_ = f & 0x3F; }
  const std::string& Identifier() const { return identifier_; }
  void SetIdentifier(const std::string& id) { identifier_ = id; }

  int FirstShownIndex() const { return firstShown_; }
  int LastShownIndex() const { return lastShown_; }
  void SetShownRange(int first, int last) { firstShown_ = first; lastShown_ = last; }
  int DepthSlot() const { return depthSlot_; }
  void SetDepthSlot(int slot) { depthSlot_ = slot; }
  bool LimitToVisibleRange() const { return limitToVisibleRange_; }
  void SetLimitToVisibleRange(bool v) { limitToVisibleRange_ = v; }
  bool KeepPointPastRange() const { return keepPointPastRange_; }
  void SetKeepPointPastRange(bool v) { keepPointPastRange_ = v; }
  bool SinglePointAllowed() const { return singlePointAllowed_; }
  void SetSinglePointAllowed(bool v) { singlePointAllowed_ = v; }

  // --- events ---
  TSeriesOnBeforeAdd OnBeforeAdd;
  TSeriesOnAfterAdd OnAfterAdd;
  TSeriesOnClear OnClearValues;
  TSeriesOnGetMarkText OnGetMarkText;
  TNotifyEvent BeforeDrawValues;
  TNotifyEvent AfterDrawValues;
  TSeriesClick OnClick;
  TSeriesClick OnDblClick;

  void Assign(const TPersistent& source) override;

 protected:
  void Notification(TComponent* component, TOperation operation) override;
  // Compare, store, and repaint the chart (a series without a chart only stores).
  template <class T, class U>
  void Set(T& field, const U& value) {
    if (StoreIfChanged(field, value)) RepaintChart();
  }
  // Called by TChartValueList's constructor.
  friend class TChartValueList;
  void RegisterValueList(TChartValueList* list);
  // The change handler of every sub-object the series owns (pens, marks, pointer, ...).
  TChangeHandler StyleChangedHandler();
  // Canvas and chart shortcuts for drawing code; require a parent chart.
  TCustomAxisPanel& Chart() const;
  Canvas& ChartCanvas() const;
  void InsertColorAndLabel(int index, TColor colour, const std::string& label);
  // Whether a point at x is added by AppendQuietly exactly as AppendPoint
  // (and InsertPendingExtras) would add it: it goes last, no handler or
  // dependent hears of it, and the colours and labels are one per point.
  bool CanAppendQuietly(double x) const;
  // Adds the point at the end of every list: x, y, then extras for the
  // lists after them; asks for a repaint as PointAdded does.
  void AppendQuietly(double x, double y, const std::string& label, TColor colour, const double* extras);
  // AppendQuietly of every point in turn, each list taking its vector whole,
  // when the series is empty and CanAppendQuietly would hold for each point:
  // extras holds the lists after x and y, and point i's label is
  // texts[labels[i]]. False, with nothing added and nothing taken, otherwise.
  bool AppendAllQuietly(std::vector<double>&& xs, std::vector<double>&& ys,
                        std::vector<std::vector<double>>&& extras, std::vector<TColor>&& colours,
                        const std::vector<int>& labels, const std::vector<std::string>& texts);

 private:
  // The pool's ids of texts[labels[i]], one user counted per point.
  std::vector<std::uint32_t> AcquireLabels(const std::vector<int>& labels, const std::vector<std::string>& texts);
  void LeaveSourceDependents();
  void JoinSourceDependents();
  void CheckSourceAcceptable(TComponent* source) const;
  bool ListsSource(const TComponent* source) const;
  void LinkSource(TComponent* source);
  void ClearDataSource();
  void RecalculateOnSourceChange(TSourceChange kind);
  void FreeFunction();
  void ShowEngineMessage(const std::string& text) const;

  std::vector<std::unique_ptr<TChartValueList>> valueLists_;
  std::vector<TChartSeries*> dependents_;
  TChartValueList* xValues_ = nullptr;
  TChartValueList* yValues_ = nullptr;
  std::vector<TColor> colors_;
  // Per point, the id of its label text in labelPool_ (TLabelPool::kNone: none).
  std::vector<std::uint32_t> labelIds_;
  TLabelPool labelPool_;
  std::unique_ptr<TSeriesMarks> marks_;
  TCustomAxisPanel* parentChart_ = nullptr;
  TColor seriesColor_ = ColorDefault;
  bool colorEachPoint_ = false;
  std::string title_;
  std::string valueFormat_;
  std::string percentFormat_;
  bool active_ = true;
  std::vector<std::string> pendingSourceNames_;
  std::vector<TComponent*> dataSources_;
  std::string xLabelsSource_;
  std::string colorSource_;
  THorizAxis horizAxis_ = THorizAxis::aBottomAxis;
  TVertAxis vertAxis_ = TVertAxis::aLeftAxis;
  TFollowFlags followFlags_ = ffDeletes | ffValueChanges | ffAdds | ffClears;
  TCursor cursor_ = crDefault;
  bool showInLegend_ = true;
  std::unique_ptr<TChartFunction> function_;
  std::uint8_t styleFlags_ = 0;
  std::string identifier_;
  int firstShown_ = -1;
  int lastShown_ = -1;
  int depthSlot_ = 0;
  bool limitToVisibleRange_ = true;
  bool keepPointPastRange_ = false;
  bool singlePointAllowed_ = true;
};

}  // namespace tokiwa
