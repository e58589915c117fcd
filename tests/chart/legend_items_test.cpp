// What the legend lists: the resolved style, item counts and texts, the text
// styles, the chart's text event, the checked setters and copying.
#include <gtest/gtest.h>

#include "chart/chart_exceptions.h"
#include "legend_test_support.h"
#include "runtime/date_time.h"
#include "runtime/messages.h"

namespace tokiwa {
namespace {

using legend_test::LegendChart;

// A series with values 10, 20, 30 labelled "a", "b", "c" at x = 1, 2, 3.
paint_test::LoggingSeries& Values(LegendChart& c, const std::string& tag) {
  auto& s = c.AddSeries(tag);
  s.AppendPoint(1, 10, "a");
  s.AppendPoint(2, 20, "b");
  s.AppendPoint(3, 30, "c");
  return s;
}

TEST(LegendItems, AutoStyleListsValuesOfOneSeriesAndSeriesOfSeveral) {
  LegendChart c;
  auto& first = Values(c, "one");
  TChartLegend& legend = c.Legend();
  legend.ResolveLegendStyle();
  EXPECT_EQ(legend.ResolvedLegendStyle(), TLegendStyle::lsValues);
  EXPECT_EQ(legend.LegendItemCount(), 3);
  EXPECT_EQ(legend.LegendItemText(1), "20 b");
  auto& second = Values(c, "two");
  legend.ResolveLegendStyle();
  EXPECT_EQ(legend.ResolvedLegendStyle(), TLegendStyle::lsSeries);
  EXPECT_EQ(legend.LegendItemCount(), 2);
  second.SetActive(false);
  legend.ResolveLegendStyle();
  EXPECT_EQ(legend.ResolvedLegendStyle(), TLegendStyle::lsValues);
  // Setting the style resolves it at once.
  legend.SetLegendStyle(TLegendStyle::lsLastValues);
  EXPECT_EQ(legend.ResolvedLegendStyle(), TLegendStyle::lsLastValues);
  (void)first;
}

TEST(LegendItems, CountsSkipFirstValueAndNeverGoBelowZero) {
  LegendChart c;
  Values(c, "one");
  auto& hidden = Values(c, "two");
  Values(c, "three");
  hidden.SetShowInLegend(false);
  TChartLegend& legend = c.Legend();
  legend.SetLegendStyle(TLegendStyle::lsSeries);
  EXPECT_EQ(legend.LegendItemCount(), 2);
  legend.SetFirstValue(1);
  EXPECT_EQ(legend.LegendItemCount(), 1);
  legend.SetFirstValue(5);
  EXPECT_EQ(legend.LegendItemCount(), 0);
  legend.SetFirstValue(1);
  legend.SetLegendStyle(TLegendStyle::lsValues);
  EXPECT_EQ(legend.LegendItemCount(), 2);  // three points of the first series
  c.chart->SeriesAt(0)->SetShowInLegend(false);
  EXPECT_EQ(legend.LegendItemCount(), 0);
}

TEST(LegendItems, SeriesItemsUseTitleThenNameThenTheirNumber) {
  LegendChart c;
  c.Titled("Sales");
  auto& named = c.AddSeries("x");
  named.SetName("Series7");
  c.AddSeries("y");
  TChartLegend& legend = c.Legend();
  legend.SetLegendStyle(TLegendStyle::lsSeries);
  EXPECT_EQ(legend.LegendItemText(0), "Sales");
  EXPECT_EQ(legend.LegendItemText(1), "Series7");
  EXPECT_EQ(legend.LegendItemText(2), "Series 2");
  EXPECT_EQ(legend.LegendItemText(3), "?");
}

TEST(LegendItems, LastValuesShowEachSeriesLastPoint) {
  LegendChart c;
  Values(c, "one");
  c.AddSeries("empty");
  TChartLegend& legend = c.Legend();
  legend.SetLegendStyle(TLegendStyle::lsLastValues);
  EXPECT_EQ(legend.LegendItemText(0), "30 c");
  EXPECT_EQ(legend.LegendItemText(1), "");
}

TEST(LegendItems, TextStyles) {
  LegendChart c;
  auto& s = Values(c, "one");
  TChartLegend& legend = c.Legend();
  legend.SetLegendStyle(TLegendStyle::lsValues);
  legend.SetTextStyle(TLegendTextStyle::ltsPlain);
  EXPECT_EQ(legend.LegendItemText(0), "a");
  legend.SetTextStyle(TLegendTextStyle::ltsRightValue);
  EXPECT_EQ(legend.LegendItemText(0), "a 10");
  legend.SetTextStyle(TLegendTextStyle::ltsLeftPercent);
  EXPECT_EQ(legend.LegendItemText(2), "50 % c");  // 30 of 60
  legend.SetTextStyle(TLegendTextStyle::ltsRightPercent);
  EXPECT_EQ(legend.LegendItemText(0), "a 16.67 %");
  legend.SetTextStyle(TLegendTextStyle::ltsXValue);
  EXPECT_EQ(legend.LegendItemText(1), "2");
  s.SetValueFormat("0.00");
  legend.SetTextStyle(TLegendTextStyle::ltsLeftValue);
  EXPECT_EQ(legend.LegendItemText(0), "10.00 a");
  EXPECT_EQ(legend.ValueItemText(&s, -1), "");
}

TEST(LegendItems, PercentIsAHundredWhenTheValuesSumToZero) {
  LegendChart c;
  auto& s = c.AddSeries("zero");
  s.AppendPoint(1, 5, "p");
  s.AppendPoint(2, -5, "q");
  TChartLegend& legend = c.Legend();
  legend.SetLegendStyle(TLegendStyle::lsValues);
  legend.SetTextStyle(TLegendTextStyle::ltsLeftPercent);
  EXPECT_EQ(legend.LegendItemText(0), "100 % p");
  EXPECT_EQ(legend.LegendItemText(1), "100 % q");
}

TEST(LegendItems, XValueOnADateTimeAxisUsesTheAxisFormat) {
  LegendChart c;
  c.chart->SetView3D(false);
  auto& s = c.AddSeries("dates");
  s.XValues().SetDateTime(true);
  const double day = EncodeDate(2024, 3, 5);
  s.AppendPoint(day, 1, "");
  s.AppendPoint(day + 10, 2, "");
  c.chart->BottomAxis().SetDateTimeFormat("yyyy/mm/dd");
  c.Paint();  // the axis learns that it shows date-time values
  TChartLegend& legend = c.Legend();
  legend.SetLegendStyle(TLegendStyle::lsValues);
  legend.SetTextStyle(TLegendTextStyle::ltsXValue);
  EXPECT_EQ(legend.LegendItemText(0), "2024/03/05");
}

TEST(LegendItems, ChartTextEventRewritesEveryItem) {
  LegendChart c;
  Values(c, "one").SetTitle("one");
  Values(c, "two").SetTitle("two");
  std::vector<int> asked;
  c.chart->OnGetLegendText = [&](TCustomAxisPanel* sender, TLegendStyle style, int index, std::string& text) {
    EXPECT_EQ(sender, c.chart);
    EXPECT_EQ(style, TLegendStyle::lsSeries);
    asked.push_back(index);
    text = "<" + text + ">";
  };
  c.Legend().ResolveLegendStyle();
  EXPECT_EQ(c.Legend().LegendItemText(1), "<two>");
  EXPECT_EQ(c.chart->LegendItemText(0), "<one>");
  EXPECT_EQ(asked, (std::vector<int>{1, 0}));
}

TEST(LegendItems, WidestItemCountsFromFirstValue) {
  LegendChart c;
  for (const char* t : {"AAAAA", "B", "CC", "DDD"}) c.Titled(t);
  TChartLegend& legend = c.Legend();
  legend.SetLegendStyle(TLegendStyle::lsSeries);
  c.chart->ApplyFont(legend.Font());
  EXPECT_EQ(legend.WidestItemWidth(-1), 35);
  legend.SetFirstValue(1);
  EXPECT_EQ(legend.WidestItemWidth(-1), 21);
  EXPECT_EQ(legend.WidestItemWidth(2), 14);
  EXPECT_EQ(legend.WidestItemWidth(0), 0);
}

TEST(LegendItems, CheckedSettersRejectOutOfRangeValues) {
  LegendChart c;
  TChartLegend& legend = c.Legend();
  auto expectRejected = [](auto set, std::string_view message) {
    try {
      set();
      ADD_FAILURE() << "no exception";
    } catch (const LegendException& e) {
      EXPECT_EQ(e.Message(), message);
    }
  };
  expectRejected([&] { legend.SetColorWidth(101); }, msg::LegendColorWidthRange);
  expectRejected([&] { legend.SetColorWidth(-1); }, msg::LegendColorWidthRange);
  expectRejected([&] { legend.SetTopPos(101); }, msg::LegendTopPosRange);
  expectRejected([&] { legend.SetTopPos(-1); }, msg::LegendTopPosRange);
  expectRejected([&] { legend.SetFirstValue(-1); }, msg::LegendFirstValue);
  EXPECT_EQ(legend.ColorWidth(), 12);
  EXPECT_EQ(legend.TopPos(), 10);
  EXPECT_EQ(legend.FirstValue(), 0);
  legend.SetColorWidth(100);
  legend.SetColorWidth(0);
  legend.SetTopPos(100);
  legend.SetFirstValue(0);
  EXPECT_EQ(legend.TopPos(), 100);
}

TEST(LegendItems, AssignCopiesTheCommonSettings) {
  LegendChart a, b;
  TChartLegend& from = a.Legend();
  from.SetVisible(false);
  from.SetLegendStyle(TLegendStyle::lsLastValues);
  from.SetFirstValue(2);
  from.SetAlignment(TLegendAlignment::laBottom);
  from.SetTextStyle(TLegendTextStyle::ltsXValue);
  from.SetColorWidth(40);
  from.SetHorizMargin(5);
  from.SetVertMargin(6);
  from.SetResizeChart(false);
  from.SetInverted(true);
  from.SetTopPos(33);
  from.SetColor(clAqua);
  from.Frame().SetWidth(4);
  from.Font().SetColor(clRed);
  TChartLegend& to = b.Legend();
  to.Assign(from);
  EXPECT_FALSE(to.Visible());
  EXPECT_EQ(to.LegendStyle(), TLegendStyle::lsLastValues);
  EXPECT_EQ(to.ResolvedLegendStyle(), TLegendStyle::lsLastValues);
  EXPECT_EQ(to.FirstValue(), 2);
  EXPECT_EQ(to.Alignment(), TLegendAlignment::laBottom);
  EXPECT_EQ(to.TextStyle(), TLegendTextStyle::ltsXValue);
  EXPECT_EQ(to.ColorWidth(), 40);
  EXPECT_EQ(to.HorizMargin(), 5);
  EXPECT_EQ(to.VertMargin(), 6);
  EXPECT_FALSE(to.ResizeChart());
  EXPECT_TRUE(to.Inverted());
  EXPECT_EQ(to.TopPos(), 33);
  EXPECT_EQ(to.Color(), clAqua);
  EXPECT_EQ(to.Frame().Width(), 4);
  EXPECT_EQ(to.Font().Color(), clRed);
}

}  // namespace
}  // namespace tokiwa
