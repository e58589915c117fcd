#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/series.h"
#include "runtime/exceptions.h"

namespace tokiwa {
namespace {

TEST(SeriesPoints, NewSeriesDefaults) {
  TChartSeries s(nullptr);
  EXPECT_EQ(s.PointCount(), 0);
  EXPECT_EQ(s.FirstShownIndex(), -1);
  EXPECT_EQ(s.LastShownIndex(), -1);
  EXPECT_EQ(s.SeriesColor(), ColorDefault);
  EXPECT_TRUE(s.Active());
  EXPECT_FALSE(s.Marks().Visible());
  EXPECT_EQ(s.Marks().Style(), TSeriesMarksStyle::smsLabel);
  EXPECT_EQ(s.ValueFormat(), "#,##0.###");
  EXPECT_EQ(s.PercentFormat(), "##0.## %");
  EXPECT_EQ(s.FollowFlags(), 15);
  EXPECT_TRUE(s.MainListIsY());
  EXPECT_EQ(s.Marks().Font().Name(), "ＭＳ Ｐ明朝");
  EXPECT_EQ(s.Marks().Font().Size(), 9);
}

TEST(SeriesPoints, OrderedInsertionCarriesTheWholePoint) {
  TChartSeries s(nullptr);
  std::vector<int> at{s.AppendPoint(3, 30, "c", clRed), s.AppendPoint(1, 10, "a", clBlue),
                      s.AppendPoint(2, 20, "", clGreen)};
  EXPECT_EQ(at, (std::vector<int>{0, 0, 1}));
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(s.PointX(i), i + 1);
    EXPECT_EQ(s.PointY(i), 10 * (i + 1));
  }
  EXPECT_EQ(s.PointColor(0), clBlue);
  EXPECT_EQ(s.PointColor(1), clGreen);
  EXPECT_EQ(s.PointColor(2), clRed);
  EXPECT_EQ(s.PointLabel(0), "a");
  EXPECT_EQ(s.PointLabel(1), "");
  EXPECT_FALSE(s.HasLabel(1));
  EXPECT_EQ(s.PointLabel(2), "c");
}

TEST(SeriesPoints, BeforeAddCanRefuseOrChangeThePoint) {
  TChartSeries s(nullptr);
  int afterAdds = 0;
  s.OnAfterAdd = [&](TChartSeries*, int) { ++afterAdds; };
  s.OnBeforeAdd = [](TChartSeries*) { return false; };
  EXPECT_EQ(s.AppendPoint(1, 2, "x"), -1);
  EXPECT_EQ(s.PointCount(), 0);
  EXPECT_EQ(s.LabelCount(), 0);
  EXPECT_EQ(afterAdds, 0);

  s.OnBeforeAdd = [](TChartSeries* sender) {
    sender->YValues().PendingValue = 99;
    return true;
  };
  EXPECT_EQ(s.AppendPoint(1, 2, "x"), 0);
  EXPECT_EQ(s.PointY(0), 99);
  EXPECT_EQ(afterAdds, 1);
}

TEST(SeriesPoints, AppendValueNumbersThePoints) {
  TChartSeries s(nullptr);
  for (double y : {5.0, 7.0, 6.0}) s.AppendValue(y, "");
  s.AppendEmpty("gap");
  for (int i = 0; i < 4; ++i) EXPECT_EQ(s.PointX(i), i);
  EXPECT_EQ(s.PointY(2), 6);
  EXPECT_EQ(s.PointY(3), 0);
  EXPECT_EQ(s.PointColor(3), ColorNone);
  EXPECT_EQ(s.PointLabel(3), "gap");
}

TEST(SeriesPoints, DefaultColoursComeFromTheSeriesOrThePalette) {
  TChartSeries s(nullptr);
  s.SetSeriesColor(0x123456);
  for (int i = 0; i < 17; ++i) s.AppendValue(i, "");
  EXPECT_EQ(s.PointColor(0), 0x123456u);
  s.SetColorEachPoint(true);
  EXPECT_EQ(s.PointColor(0), clRed);
  EXPECT_EQ(s.PointColor(3), clBlue);
  EXPECT_EQ(s.PointColor(15), clBlack);
  EXPECT_EQ(s.PointColor(16), clRed);  // wraps at 16
  EXPECT_EQ(s.PointColor(17), 0x123456u);  // beyond the colours: the series colour
  EXPECT_EQ(s.PointLabel(40), "");
}

TEST(SeriesPoints, RemovePointShiftsEverythingAndRejectsBadIndices) {
  TChartSeries s(nullptr);
  s.AppendPoint(1, 10, "a", clRed);
  s.AppendPoint(2, 20, "b", clBlue);
  s.AppendPoint(3, 30, "c", clGreen);
  s.RemovePoint(1);
  ASSERT_EQ(s.PointCount(), 2);
  EXPECT_EQ(s.PointX(1), 3);
  EXPECT_EQ(s.PointY(1), 30);
  EXPECT_EQ(s.PointColor(1), clGreen);
  EXPECT_EQ(s.PointLabel(1), "c");
  EXPECT_EQ(s.YValues().HighestValue(), 30);
  EXPECT_THROW(s.RemovePoint(2), EListError);
  EXPECT_THROW(s.RemovePoint(-1), EListError);
  EXPECT_THROW(s.PointY(2), EListError);
  EXPECT_EQ(s.PointCount(), 2);
  EXPECT_EQ(s.Colors().size(), 2u);
}

TEST(SeriesPoints, ClearingRaisesTheEventEvenWhenEmpty) {
  TChartSeries s(nullptr);
  int clears = 0;
  s.OnClearValues = [&](TChartSeries*) { ++clears; };
  s.RemoveAllPoints();
  EXPECT_EQ(clears, 1);
  s.AppendPoint(1, 1, "x");
  s.RemoveAllPoints();
  EXPECT_EQ(clears, 2);
  EXPECT_EQ(s.PointCount(), 0);
  EXPECT_EQ(s.LabelCount(), 0);
  EXPECT_TRUE(s.Colors().empty());
}

TEST(SeriesMarkText, EmptyLabelsShowTheFormattedValue) {
  TChartSeries s(nullptr);
  s.AppendPoint(1, 1234.5, "");
  s.AppendPoint(2, 2, "two");
  EXPECT_EQ(s.MarkText(0), "1,234.5");
  EXPECT_EQ(s.MarkText(1), "two");
  s.Marks().SetStyle(TSeriesMarksStyle::smsValue);
  EXPECT_EQ(s.MarkText(1), "2");
  s.Marks().SetStyle(TSeriesMarksStyle::smsLabelValue);
  EXPECT_EQ(s.MarkText(1), "two 2");
  s.Marks().SetStyle(TSeriesMarksStyle::smsXValue);  // no chart: the value format
  EXPECT_EQ(s.MarkText(1), "2");
  s.OnGetMarkText = [](TChartSeries*, int index, std::string& text) { text += "#" + std::to_string(index); };
  EXPECT_EQ(s.MarkText(1), "2#1");
}

TEST(SeriesMarkText, PercentagesOfTheMagnitudes) {
  TChartSeries s(nullptr);
  s.AppendValue(-1, "a");
  s.AppendValue(3, "b");
  EXPECT_EQ(s.PercentText(0, false), "25 %");
  EXPECT_EQ(s.PercentText(1, true), "4 の 75 %");
  s.Marks().SetStyle(TSeriesMarksStyle::smsLabelPercent);
  EXPECT_EQ(s.MarkText(1), "b 75 %");
  s.Marks().SetStyle(TSeriesMarksStyle::smsLabelPercentTotal);
  EXPECT_EQ(s.MarkText(0), "a 4 の 25 %");
}

TEST(SeriesMarkText, ZeroTotalShowsAHundredPercent) {
  TChartSeries s(nullptr);
  s.AppendValue(0, "");
  s.AppendValue(0, "");
  EXPECT_EQ(s.PercentText(1, false), "100 %");
  s.Marks().SetStyle(TSeriesMarksStyle::smsPercentTotal);
  EXPECT_EQ(s.MarkText(0), "0 の 100 %");
}

TEST(SeriesPoints, AssignCopiesPointsAndSettings) {
  TChartSeries from(nullptr), to(nullptr);
  from.AppendPoint(1, 10, "a", clRed);
  from.AppendPoint(2, 20, "", ColorDefault);
  from.SetTitle("T");
  from.SetColorEachPoint(true);
  from.SetSeriesColor(clAqua);
  from.Marks().SetVisible(true);
  from.XValues().SetDateTime(true);
  from.SetFollowFlags(ffAdds);
  from.SetTag(7);
  to.AppendPoint(5, 5, "old");
  to.Assign(from);
  ASSERT_EQ(to.PointCount(), 2);
  EXPECT_EQ(to.PointY(1), 20);
  EXPECT_EQ(to.PointLabel(0), "a");
  EXPECT_EQ(to.PointColor(0), clRed);
  EXPECT_EQ(to.PointColor(1), PaletteColor(1));
  EXPECT_EQ(to.Title(), "T");
  EXPECT_EQ(to.SeriesColor(), clAqua);
  EXPECT_TRUE(to.Marks().Visible());
  EXPECT_TRUE(to.XValues().DateTime());
  EXPECT_EQ(to.FollowFlags(), ffAdds);
  EXPECT_EQ(to.Tag(), 7);
  TChartPen pen;
  EXPECT_THROW(to.Assign(pen), EConvertError);
}

TEST(SeriesSamples, FillSampleValuesChecksTheCountAndSpansTheRange) {
  TChartSeries s(nullptr);
  s.AppendPoint(100, 1, "old");
  try {
    s.FillSampleValues(0);
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "FillSampleValues の引数は１以上でなければなりません。");
  }
  EXPECT_EQ(s.PointCount(), 1);
  s.FillSampleValues(5);
  ASSERT_EQ(s.PointCount(), 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(s.PointX(i), i);
    EXPECT_GE(s.PointY(i), 0);
  }
  s.FillSampleValues(1);
  EXPECT_EQ(s.PointCount(), 1);
}

}  // namespace
}  // namespace tokiwa
