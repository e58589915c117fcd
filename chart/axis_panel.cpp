#include "chart/axis_panel.h"

#include <algorithm>

#include "chart/chart_exceptions.h"
#include "chart/series.h"
#include "runtime/messages.h"
#include "runtime/geometry.h"

namespace tokiwa {

// --- TChartSeriesList ---

int TChartSeriesList::IndexOf(const TChartSeries* s) const {
  auto it = std::find(items_.begin(), items_.end(), s);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TChartSeriesList::Remove(TChartSeries* s) {
  auto it = std::find(items_.begin(), items_.end(), s);
  if (it != items_.end()) items_.erase(it);
}

int TChartSeriesList::ActiveSeriesCount() const {
  return static_cast<int>(std::count_if(items_.begin(), items_.end(), [](auto* s) { return s->Active(); }));
}

// --- construction ---

TCustomAxisPanel::TCustomAxisPanel(TComponent* owner) : TCustomChartPanel(owner) {
  SetBounds(Left(), Top(), 400, 250);
  seriesList_ = std::make_unique<TChartSeriesList>(this);
  frame_.OnChange = SubObjectChangedHandler();
  bottomAxis_ = CreateAxis(true, false);
  topAxis_ = CreateAxis(true, true);
  leftAxis_ = CreateAxis(false, false);
  leftAxis_->Title().SetAngle(90);
  rightAxis_ = CreateAxis(false, true);
  rightAxis_->Title().SetAngle(270);
  SetSeparateDepthSlots(true);
}

TCustomAxisPanel::~TCustomAxisPanel() {
  BeginDestroy();
  DestroyAllSeries();
  seriesList_.reset();
  frame_.OnChange = nullptr;
  leftAxis_.reset();
  rightAxis_.reset();
  topAxis_.reset();
  bottomAxis_.reset();
  legend_.reset();
}

std::unique_ptr<TChartAxis> TCustomAxisPanel::CreateAxis(bool horizontal, bool farSide) {
  auto axis = std::make_unique<TChartAxis>(this, horizontal, farSide);
  axis->OnChange = SubObjectChangedHandler();
  return axis;
}

void TCustomAxisPanel::CreateLegend() {
  legend_ = CreateLegendObject();
  legend_->OnChange = SubObjectChangedHandler();
}

// --- series list ---

int TCustomAxisPanel::SeriesCount() const { return seriesList_ ? seriesList_->Count() : 0; }

TChartSeries* TCustomAxisPanel::SeriesAt(int index) const { return (*seriesList_)[index]; }

int TCustomAxisPanel::ActiveSeriesCount() const { return seriesList_ ? seriesList_->ActiveSeriesCount() : 0; }

void TCustomAxisPanel::AttachSeries(TChartSeries* series) {
  if (!series || seriesList_->IndexOf(series) >= 0) return;
  if (series->SeriesColor() == ColorDefault) series->SetSeriesColor(PickSeriesColor(true));
  // Listed before the series' own ParentChart setter runs, so that its call back
  // into this function finds the series present and returns.
  seriesList_->Add(series);
  if (series->ParentChart() != this) series->SetParentChart(this);
  RefreshSeriesSource(series);
  RequestRepaint();
}

void TCustomAxisPanel::DetachSeries(TChartSeries* series) {
  if (!series || seriesList_->IndexOf(series) < 0) return;
  if (Cursor() == series->Cursor()) SetCursor(SavedCursor());
  seriesList_->Remove(series);
  // The series' setter leaves its sources' dependents and clears its field.
  if (series->ParentChart() == this) series->SetParentChart(nullptr);
  // A chart being destroyed has nothing left to show.
  if (!Destroying()) RequestRepaint();
}

void TCustomAxisPanel::DestroyAllSeries() {
  while (SeriesCount() > 0) {
    TChartSeries* s = (*seriesList_)[0];
    s->SetParentChart(nullptr);
    seriesList_->Remove(s);  // never loop forever on a series that did not leave
    delete s;                // also removes it from its owner's components
  }
}

// --- queries ---

TChartSeries* TCustomAxisPanel::FirstActiveSeries() const {
  for (auto* s : *seriesList_)
    if (s->Active()) return s;
  return nullptr;
}

TChartSeries* TCustomAxisPanel::FirstSeriesOnAxis(const TChartAxis* axis) const {
  for (auto* s : *seriesList_)
    if (s->Active() && (s->GetHorizAxis() == axis || s->GetVertAxis() == axis)) return s;
  return nullptr;
}

namespace {

bool BoundInDirection(const TChartSeries* s, const TChartAxis* axis) {
  return axis->IsHorizontal() ? s->GetHorizAxis() == axis : s->GetVertAxis() == axis;
}

}  // namespace

TChartSeries* TCustomAxisPanel::FirstFilledSeriesOnAxis(const TChartAxis* axis) const {
  for (auto* s : *seriesList_) {
    if (!s->Active() || !BoundInDirection(s, axis)) continue;
    if (s->LabelCount() > 0 && s->PointCount() > 0 && !s->PointLabel(0).empty()) return s;
  }
  return nullptr;
}

bool TCustomAxisPanel::IsAxisShown(const TChartAxis* axis) const {
  if (!axisVisible_ || !axis->Visible()) return false;
  bool anyWithAxes = false;
  for (auto* s : *seriesList_) {
    if (!s->Active() || !s->HasAxes()) continue;
    anyWithAxes = true;
    if (s->UsesAxis(axis)) return true;
  }
  return !anyWithAxes;
}

double TCustomAxisPanel::LowestXOnAxis(const TChartAxis* axis) const { return ExtentOnAxis(axis, true, false); }
double TCustomAxisPanel::HighestXOnAxis(const TChartAxis* axis) const { return ExtentOnAxis(axis, true, true); }
double TCustomAxisPanel::LowestYOnAxis(const TChartAxis* axis) const { return ExtentOnAxis(axis, false, false); }
double TCustomAxisPanel::HighestYOnAxis(const TChartAxis* axis) const { return ExtentOnAxis(axis, false, true); }

double TCustomAxisPanel::ExtentOnAxis(const TChartAxis* axis, bool x, bool highest) const {
  TChartSeries* first = FirstSeriesOnAxis(axis);
  bool paged = maxPointsPerPage_ > 0 &&
               (x ? (!first || first->MainListIsY()) : (first && !first->MainListIsY()));
  if (paged) {
    if (!first || first->PointCount() == 0) return 0;
    const TChartValueList& list = x ? first->XValues() : first->YValues();
    long long n = first->PointCount(), p = maxPointsPerPage_;
    long long lo = p * (static_cast<long long>(page_) - 1);
    if (lo >= n) lo = std::max(0LL, n / p - 1) * p;
    long long hi = lo + p - 1;
    if (hi >= n) hi = lo + n % p - 1;
    double vLo = list.ValueAt(static_cast<int>(lo));
    if (!highest) return vLo;
    double vHi = list.ValueAt(static_cast<int>(hi));
    long long shown = hi - lo + 1;
    // A short last page keeps the scale of a full one.
    if (!scaleLastPage_ && shown < p) return vLo + (vHi - vLo) * static_cast<double>(p) / static_cast<double>(shown);
    return vHi;
  }
  bool found = false;
  double result = 0;
  for (auto* s : *seriesList_) {
    if (!s->Active() || s->PointCount() == 0) continue;
    if ((x ? s->GetHorizAxis() : s->GetVertAxis()) != axis) continue;
    double v = x ? (highest ? s->HighestX() : s->LowestX()) : (highest ? s->HighestY() : s->LowestY());
    if (!found || (highest ? v > result : v < result)) result = v;
    found = true;
  }
  return result;
}

int TCustomAxisPanel::LargestPointCount() const {
  int largest = 0;
  for (auto* s : *seriesList_)
    if (s->Active()) largest = std::max(largest, s->PointCount());
  return largest;
}

int TCustomAxisPanel::PageCount() const {
  if (maxPointsPerPage_ == 0 || SeriesCount() == 0) return 1;
  bool horizontal = (*seriesList_)[0]->MainListIsY();
  const TChartAxis* pair[2] = {horizontal ? topAxis_.get() : leftAxis_.get(),
                               horizontal ? bottomAxis_.get() : rightAxis_.get()};
  int result = 0;
  for (const TChartAxis* axis : pair) {
    TChartSeries* s = FirstSeriesOnAxis(axis);
    // Rounded up without forming count + per page - 1, which overflows.
    int pages = s ? s->PointCount() / maxPointsPerPage_ + (s->PointCount() % maxPointsPerPage_ != 0) : 1;
    result = std::max(result, pages);
  }
  return result;
}

int TCustomAxisPanel::WidestPointLabel() {
  int widest = 0;
  for (auto* s : *seriesList_) {
    if (s->LabelCount() == 0) continue;
    for (int i = 0; i < s->PointCount(); ++i)
      if (s->HasLabel(i)) widest = std::max(widest, TextWidthOf(s->PointLabel(i)));
  }
  return widest;
}

int TCustomAxisPanel::WidestMarkText() {
  int widest = 0;
  for (auto* s : *seriesList_)
    if (s->Active()) widest = std::max(widest, s->MarkTextWidth());
  return widest;
}

TColor TCustomAxisPanel::PickSeriesColor(bool checkBack) const {
  auto usable = [&](TColor c) {
    for (auto* s : *seriesList_)
      if (s->SeriesColor() == c) return false;
    return !checkBack || (c != Color() && c != backColor_);
  };
  for (int i = 0; i < 16; ++i)
    if (usable(PaletteColor(i))) return PaletteColor(i);
  return PaletteColor(16);
}

// The legend's item text already passes through OnGetLegendText.
std::string TCustomAxisPanel::LegendItemText(int index) const {
  return legend_ ? legend_->LegendItemText(index) : std::string();
}

std::string TCustomAxisPanel::LegendValueText(TChartSeries* series, int index) const {
  return series && legend_ ? legend_->ValueItemText(series, index) : std::string();
}

TChartSeries* TCustomAxisPanel::LegendSeriesAt(int item) const {
  int k = 0;
  for (auto* s : *seriesList_) {
    if (!s->Active() || !s->ShowInLegend()) continue;
    if (k++ == item) return s;
  }
  return nullptr;
}

std::string TCustomAxisPanel::LegendSeriesTitle(int item) const {
  TChartSeries* s = LegendSeriesAt(item);
  if (!s) return std::string(msg::UnknownSeriesTitle);
  if (!s->Title().empty()) return s->Title();
  if (!s->Name().empty()) return s->Name();
  return std::string(msg::SeriesTitlePrefix) + std::to_string(item);
}

TRect TCustomAxisPanel::PlotFrameRect() const {
  const TRect& r = PlotRect();
  return {Px(r.Left) + DepthX(), Px(r.Top) - DepthY(), Px(r.Right) + DepthX() + 1, Px(r.Bottom) - DepthY()};
}

TRect TCustomAxisPanel::PlotHitRect() const {
  TRect r = PlotRect();
  if (view3D_) {
    r.Right = Px(r.Right) + DepthX();
    r.Top = Px(r.Top) - DepthY();
  }
  return r;
}

// --- data sources ---

bool TCustomAxisPanel::IsValidSeriesSource(const TChartSeries* series, const TComponent* component) const {
  auto* source = dynamic_cast<const TChartSeries*>(component);
  return source && source != series && series->AcceptsSource(component);
}

void TCustomAxisPanel::RefreshSeriesSource(TChartSeries* series) {
  if (series->Loading()) return;
  if (auto* source = dynamic_cast<TChartSeries*>(series->DataSource())) series->ReloadFromSource(source);
}

// The series' own rule, so that the chart and SetDataSource refuse the same loops.
void TCustomAxisPanel::CheckSourceLoop(const TComponent* component, const TChartSeries* series) const {
  if (component && series) TChartSeries::CheckSourceLoop(component, series);
}

// --- properties ---

void TCustomAxisPanel::SetChart3DPercent(int v) {
  if (v < 1 || v > 100) throw ChartException(FormatText(msg::Chart3DPercentRange, {Arg(1), Arg(100)}));
  SetProperty(chart3DPercent_, v);
}

void TCustomAxisPanel::SetMonochrome(bool v) {
  // The cached image has the wrong depth from now on.
  DestroyBackBuffer();
  SetImageStale(true);
  SetProperty(monochrome_, v);
}

void TCustomAxisPanel::SetPage(int v) {
  v = std::min(v, PageCount());
  if (v <= 0) v = 1;
  if (v == page_) return;
  page_ = v;
  RequestRepaint();
  if (OnPageChange) OnPageChange(this);
}

void TCustomAxisPanel::SetMaxPointsPerPage(int v) {
  if (v < 0) throw ChartException(std::string(msg::NegativeMaxPointsPerPage));
  SetProperty(maxPointsPerPage_, v);
  if (PageCount() < page_) SetPage(PageCount());
}

void TCustomAxisPanel::Assign(const TPersistent& source) {
  auto* other = dynamic_cast<const TCustomAxisPanel*>(&source);
  if (!other) {
    TCustomChartPanel::Assign(source);
    return;
  }
  SetAxisVisible(other->axisVisible_);
  SetBackColor(other->backColor_);
  SetTopAxis(*other->topAxis_);
  SetBottomAxis(*other->bottomAxis_);
  SetLeftAxis(*other->leftAxis_);
  SetRightAxis(*other->rightAxis_);
  SetChart3DPercent(other->chart3DPercent_);
  SetClipPoints(other->clipPoints_);
  SetFrame(other->frame_);
  if (legend_ && other->legend_) SetLegend(*other->legend_);
  for (int i = 0; i < 4; ++i) SetMargin(i, other->Margin(i));
  SetMaxPointsPerPage(other->maxPointsPerPage_);
  SetMonochrome(other->monochrome_);
  // The page is copied as it stands: series are not copied, so there is nothing to clamp against.
  SetProperty(page_, other->page_);
  SetScaleLastPage(other->scaleLastPage_);
  SetView3D(other->view3D_);
  SetView3DWalls(other->view3DWalls_);
}

}  // namespace tokiwa
