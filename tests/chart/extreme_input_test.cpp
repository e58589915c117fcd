// The chart fed what a fuzzed program of calls feeds it: sizes, margins and
// values at the ends of their ranges. Each case is a fault the chart fuzz
// target found; the sanitizer build turns a regression into a failure.
#include <gtest/gtest.h>

#include <climits>

#include "chart/chart.h"
#include "chart/series.h"
#include "support/recording_host.h"

namespace tokiwa {
namespace {

TEST(ChartExtremeInputTest, NegativeSizeIsAnEmptyWindow) {
  RecordingHost host;
  TChart chart(nullptr);
  chart.SetHost(&host);
  chart.SetBounds(-5, -7, INT_MIN, -1);
  EXPECT_EQ(chart.Left(), -5);
  EXPECT_EQ(chart.Top(), -7);
  EXPECT_EQ(chart.Width(), 0);
  EXPECT_EQ(chart.Height(), 0);
  EXPECT_EQ(chart.ClientRect(), (TRect{0, 0, 0, 0}));
  chart.Paint();
  ASSERT_NE(host.LastBitmap(), nullptr);
  EXPECT_EQ(host.LastBitmap()->Width(), 0);
  EXPECT_EQ(host.LastBitmap()->Height(), 0);
}

TEST(ChartExtremeInputTest, BorderWidthAtTheEndsOfTheIntRange) {
  RecordingHost host;
  TChart chart(nullptr);
  chart.SetHost(&host);
  chart.SetBounds(0, 0, 200, 100);
  chart.SetMarginLeft(0);
  chart.SetMarginTop(0);
  chart.SetMarginRight(0);
  chart.SetMarginBottom(0);
  chart.SetBorderWidth(INT_MIN);
  chart.DrawChart(host.Window, chart.ClientRect());
  // Clamped to the panel, not wrapped around the int range.
  EXPECT_GE(chart.PlotRect().Left, 0);
  EXPECT_LE(chart.PlotRect().Left, chart.PlotRect().Right);
  chart.SetBorderWidth(INT_MAX);
  chart.DrawChart(host.Window, chart.ClientRect());
  EXPECT_LE(chart.PlotRect().Left, chart.PlotRect().Right);
}

// A legend pushed the wrong way by the most negative shadow and margin ends up
// beyond the right or bottom edge, not wrapped round to the other side.
TEST(ChartExtremeInputTest, LegendWithTheMostNegativeShadowAndMargins) {
  for (TLegendAlignment alignment : {TLegendAlignment::laRight, TLegendAlignment::laBottom}) {
    RecordingHost host;
    TChart chart(nullptr);
    chart.SetHost(&host);
    chart.SetBounds(0, 0, 400, 300);
    auto* series = new TChartSeries(nullptr);
    series->SetParentChart(&chart);
    series->AppendPoint(1, 1, "");
    auto& legend = dynamic_cast<TChartLegend&>(chart.Legend());
    legend.SetAlignment(alignment);
    legend.SetShadowSize(INT_MIN);
    legend.SetHorizMargin(INT_MIN);
    legend.SetVertMargin(INT_MIN);
    chart.DrawChart(host.Window, chart.ClientRect());
    if (alignment == TLegendAlignment::laRight)
      EXPECT_GT(legend.LegendBounds().Right, 400);
    else
      EXPECT_GT(legend.LegendBounds().Bottom, 300);
  }
}

TEST(ChartExtremeInputTest, TitleFrameOfTheWidestPen) {
  RecordingHost host;
  TChart chart(nullptr);
  chart.SetHost(&host);
  chart.SetBounds(0, 0, 400, 300);
  chart.Title().SetText({"title"});
  chart.Title().Frame().SetVisible(true);
  chart.Title().Frame().SetWidth(INT_MAX);
  chart.DrawChart(host.Window, chart.ClientRect());
  // The padded frame reaches past both ends of the range: clamped, not wrapped.
  EXPECT_EQ(chart.Title().TitleRect().Left, INT_MIN);
  EXPECT_EQ(chart.Title().TitleRect().Right, INT_MAX);
}

// Hit tests between paints walk the last paint's shown range.
TEST(ChartExtremeInputTest, RemovingPointsKeepsTheShownRangeOnThePoints) {
  TChartSeries series(nullptr);
  for (int i = 0; i < 4; ++i) series.AppendPoint(i, i, "");
  series.SetShownRange(1, 3);
  series.RemovePoint(0);  // the range may go stale, but stays on the points
  EXPECT_EQ(series.FirstShownIndex(), 1);
  EXPECT_EQ(series.LastShownIndex(), 2);
  series.RemovePoint(2);
  EXPECT_EQ(series.FirstShownIndex(), 1);
  EXPECT_EQ(series.LastShownIndex(), 1);
  series.RemovePoint(1);
  EXPECT_EQ(series.FirstShownIndex(), -1);
  EXPECT_EQ(series.LastShownIndex(), -1);
  series.SetShownRange(0, 0);
  series.RemoveAllPoints();
  EXPECT_EQ(series.FirstShownIndex(), -1);
  EXPECT_EQ(series.LastShownIndex(), -1);
}

TEST(ChartExtremeInputTest, PageCountWithTheLargestPageSize) {
  TChart chart(nullptr);
  auto* series = new TChartSeries(nullptr);
  series->SetParentChart(&chart);
  for (int i = 0; i < 3; ++i) series->AppendPoint(i, i, "");
  chart.SetMaxPointsPerPage(INT_MAX);
  EXPECT_EQ(chart.PageCount(), 1);
  chart.SetMaxPointsPerPage(2);
  EXPECT_EQ(chart.PageCount(), 2);
}

}  // namespace
}  // namespace tokiwa
