// The legend's settings, item counts and texts. Layout and drawing are in
// legend_draw.cpp.
#include "chart/legend.h"

#include <algorithm>

#include "chart/axis.h"
#include "chart/axis_panel.h"
#include "chart/chart_exceptions.h"
#include "chart/series.h"
#include "runtime/format.h"
#include "runtime/locale.h"
#include "runtime/messages.h"

namespace tokiwa {

namespace {

void CheckPercent(int v, std::string_view message) {
  if (v < 0 || v > 100) throw LegendException(std::string(message));
}

}  // namespace

TCustomChartLegend::TCustomChartLegend(TCustomAxisPanel* chart) : TChartFontObject(chart) {
  frame_.OnChange = ReportAsOwnChange();
}

void TCustomChartLegend::SetLegendStyle(TLegendStyle s) {
  if (!StoreIfChanged(legendStyle_, s)) return;
  ResolveLegendStyle();
  Changed();
}

void TCustomChartLegend::SetColorWidth(int v) {
  CheckPercent(v, msg::LegendColorWidthRange);
  Set(colorWidth_, v);
}

void TCustomChartLegend::SetFirstValue(int v) {
  if (v < 0) throw LegendException(std::string(msg::LegendFirstValue));
  Set(firstValue_, v);
}

void TCustomChartLegend::SetTopPos(int v) {
  CheckPercent(v, msg::LegendTopPosRange);
  Set(topPos_, v);
}

void TCustomChartLegend::ResolveLegendStyle() {
  resolvedStyle_ = legendStyle_;
  if (legendStyle_ != TLegendStyle::lsAuto) return;
  const int active = ParentChart() ? ParentChart()->ActiveSeriesCount() : 0;
  resolvedStyle_ = active >= 2 ? TLegendStyle::lsSeries : TLegendStyle::lsValues;
}

int TCustomChartLegend::LegendItemCount() const {
  const TCustomAxisPanel* chart = ParentChart();
  if (!chart) return 0;
  int items = 0;
  if (resolvedStyle_ == TLegendStyle::lsValues) {
    const TChartSeries* first = chart->FirstActiveSeries();
    if (first && first->ShowInLegend()) items = first->PointCount();
  } else {
    for (const TChartSeries* s : chart->SeriesList())
      if (s->Active() && s->ShowInLegend()) ++items;
  }
  return std::max(0, items - firstValue_);
}

std::string TCustomChartLegend::LegendItemText(int index) const {
  TCustomAxisPanel* chart = ParentChart();
  if (!chart) return {};
  std::string text;
  switch (resolvedStyle_) {
    case TLegendStyle::lsValues:
      if (TChartSeries* s = chart->FirstActiveSeries()) text = ValueItemText(s, index);
      break;
    case TLegendStyle::lsLastValues:
      if (TChartSeries* s = chart->LegendSeriesAt(index)) text = ValueItemText(s, s->PointCount() - 1);
      break;
    case TLegendStyle::lsAuto:  // never resolved to this
    case TLegendStyle::lsSeries:
      text = chart->LegendSeriesTitle(index);
      break;
  }
  if (chart->OnGetLegendText) chart->OnGetLegendText(chart, resolvedStyle_, index, text);
  return text;
}

int TCustomChartLegend::WidestItemWidth(int n) {
  TCustomAxisPanel* chart = ParentChart();
  if (!chart) return 0;
  const long long count = n < 0 ? LegendItemCount() : n;
  const long long last = firstValue_ + count - 1;
  int widest = 0;
  for (long long i = firstValue_; i <= last; ++i)
    widest = std::max(widest, chart->TextWidthOf(LegendItemText(static_cast<int>(i))));
  return widest;
}

void TCustomChartLegend::Assign(const TPersistent& source) {
  if (auto* other = dynamic_cast<const TCustomChartLegend*>(&source)) {
    SetVisible(other->visible_);
    SetLegendStyle(other->legendStyle_);
    SetFirstValue(other->firstValue_);
    SetAlignment(other->alignment_);
    SetTextStyle(other->textStyle_);
    SetColorWidth(other->colorWidth_);
    SetHorizMargin(other->horizMargin_);
    SetVertMargin(other->vertMargin_);
    SetResizeChart(other->resizeChart_);
    SetInverted(other->inverted_);
    SetTopPos(other->topPos_);
    SetColor(other->color_);
    SetFrame(other->frame_);
  }
  TChartFontObject::Assign(source);
}

// --- TChartLegend ---

TChartLegend::TChartLegend(TCustomAxisPanel* chart) : TCustomChartLegend(chart) {
  dividingLines_.OnChange = ReportAsOwnChange();
}

std::string TChartLegend::ValueItemText(TChartSeries* series, int pointIndex) const {
  if (!series || pointIndex == -1) return {};
  const std::string label = series->PointLabel(pointIndex);
  const TLegendTextStyle style = TextStyle();
  if (style == TLegendTextStyle::ltsPlain) return label;
  const FormatSettings settings = JapaneseFormatSettings();
  if (style == TLegendTextStyle::ltsXValue) {
    const double x = series->PointX(pointIndex);
    if (TChartAxis* axis = series->GetHorizAxis()) return axis->FormatAxisLabel(x);
    return FormatFloat(series->ValueFormat(), x, settings);
  }
  const double value = series->MarkValue(pointIndex);
  const double sum = series->MainValueList().SumOfValues();
  const double percent = sum != 0 ? value * 100 / sum : 100;
  const std::string valueText = FormatFloat(series->ValueFormat(), value, settings);
  const std::string percentText = FormatFloat(series->PercentFormat(), percent, settings);
  switch (style) {
    case TLegendTextStyle::ltsLeftValue: return valueText + " " + label;
    case TLegendTextStyle::ltsRightValue: return label + " " + valueText;
    case TLegendTextStyle::ltsLeftPercent: return percentText + " " + label;
    case TLegendTextStyle::ltsRightPercent: return label + " " + percentText;
    default: return label;
  }
}

// Only the settings of the common legend are copied, as any legend can be the source.
void TChartLegend::Assign(const TPersistent& source) { TCustomChartLegend::Assign(source); }

}  // namespace tokiwa
