#include "timeline/chart_config.h"

#include <string>

#include "runtime/messages.h"

namespace tokiwa {

namespace {

constexpr TColor kChartColor = 0x00FFF0C8;      // pale blue
constexpr TColor kLeftWallColor = 0x0080FFFF;   // pale yellow
constexpr TColor kTimeAxisColor = 0x00004000;   // dark green
constexpr TColor kLeftGridColor = 0x00C08080;
constexpr TColor kBarOutlineColor = 0x00800040;
// The smallest label step of the time axis: 7 seconds.
constexpr double kTimeAxisIncrement = 7.0 / 86400.0;
constexpr int kTimeLabelsAngle = 270;  // read upward
constexpr int kLeftTickLength = 5;

void SetFont(TFont& font, std::string_view name, int charset, int height, TColor colour) {
  font.SetName(std::string(name));
  font.SetCharset(charset);
  font.SetHeight(height);
  font.SetColor(colour);
}

void ConfigureTitles(TChart& chart) {
  TChartTitle& title = chart.Title();
  title.SetText({std::string(msg::ChartTitle)});
  SetFont(title.Font(), msg::TimelineTitleFont, SHIFTJIS_CHARSET, -15, clNavy);

  TChartTitle& foot = chart.Foot();
  foot.SetAlignment(TAlignment::taLeftJustify);
  SetFont(foot.Font(), msg::TimelineUiFont, SHIFTJIS_CHARSET, -15, clMaroon);
  foot.SetText({std::string(msg::FootFileName), std::string(msg::IdeographicSpace)});
}

void ConfigureTimeAxis(TChartAxis& axis) {
  axis.Axis().SetColor(kTimeAxisColor);
  axis.Axis().SetWidth(1);
  axis.SetDateTimeFormat(std::string(msg::TimeAxisFormat));
  axis.SetIncrement(kTimeAxisIncrement);
  axis.SetLabelsAngle(kTimeLabelsAngle);
  SetFont(axis.LabelsFont(), msg::TimeAxisFont, ANSI_CHARSET, -13, clBlack);
  axis.SetLabelStyle(TAxisLabelStyle::talValue);
  axis.SetMinorTickCount(0);
  axis.SetExactDateTime(false);
}

void ConfigureRowAxis(TChartAxis& axis) {
  axis.Grid().SetColor(kLeftGridColor);
  SetFont(axis.LabelsFont(), msg::TimelineUiFont, SHIFTJIS_CHARSET, -13, clBlack);
  axis.SetTickLength(kLeftTickLength);
  axis.SetVisible(false);
}

void ConfigureValueList(TChartValueList& list, std::string_view name, bool dateTime, TChartListOrder order) {
  list.SetName(std::string(name));
  list.SetDateTime(dateTime);
  list.SetMultiplier(1.0);
  list.SetOrder(order);
}

}  // namespace

void ConfigureChart1(TChart& chart) {
  chart.SetAlign(TAlign::alClient);
  chart.SetBevelOuter(TBevelCut::bvNone);
  chart.SetColor(kChartColor);
  chart.SetShowHint(true);
  chart.SetAllowPanning(TPanningMode::pmHorizontal);
  chart.SetAllowZoom(true);
  chart.SetView3D(false);
  chart.SetView3DWalls(false);
  chart.BottomWall().SetColor(clWhite);
  chart.LeftWall().SetColor(kLeftWallColor);
  ConfigureTitles(chart);
  ConfigureTimeAxis(chart.BottomAxis());
  ConfigureRowAxis(chart.LeftAxis());
  chart.Legend().SetLegendStyle(TLegendStyle::lsValues);
  chart.Legend().SetVisible(false);
}

void ConfigureSeries1(TGanttSeries& series) {
  series.SetColorEachPoint(true);
  series.SetSeriesColor(clRed);
  TSeriesMarks& marks = series.Marks();
  marks.SetVisible(false);
  marks.SetArrowLength(0);
  SetFont(marks.Font(), msg::TimelineTitleFont, SHIFTJIS_CHARSET, -13, clBlack);
  TSeriesPointer& pointer = series.Pointer();
  pointer.SetStyle(TSeriesPointerStyle::psRectangle);
  pointer.SetVisible(true);
  pointer.SetDraw3D(false);
  pointer.SetInflateMargins(true);
  pointer.Pen().SetColor(kBarOutlineColor);
  series.ConnectingPen().SetVisible(false);
  ConfigureValueList(series.StartValues(), "Start", true, TChartListOrder::loAscending);
  ConfigureValueList(series.YValues(), "Y", false, TChartListOrder::loNone);
  ConfigureValueList(series.EndValues(), "End", true, TChartListOrder::loNone);
  ConfigureValueList(series.NextTask(), "NextTask", false, TChartListOrder::loNone);
}

TimelineChart CreateTimelineChart(TComponent* owner) {
  TimelineChart made;
  made.Chart1 = new TChart(owner);
  made.Series1 = new TGanttSeries(owner);
  ConfigureChart1(*made.Chart1);
  ConfigureSeries1(*made.Series1);
  made.Series1->SetParentChart(made.Chart1);
  return made;
}

}  // namespace tokiwa
