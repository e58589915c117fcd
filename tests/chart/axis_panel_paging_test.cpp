// Paging and the page-aware data extents on an axis, and the validated settings
// of the axis panel.
#include <gtest/gtest.h>

#include "chart/chart.h"
#include "chart/chart_exceptions.h"
#include "paint_test_support.h"

namespace tokiwa {
namespace {

using paint_test::PaintChart;

// 25 points with X = 100 + 2i and Y = 10i.
struct Paged : ::testing::Test {
  PaintChart c;
  TCustomAxisPanel& p = *c.chart;
  TChartSeries* s = nullptr;
  void SetUp() override {
    s = &c.AddSeries("s");
    for (int i = 0; i < 25; ++i) s->AppendPoint(100 + 2 * i, 10.0 * i, "");
    p.SetMaxPointsPerPage(10);
  }
  const TChartAxis* Bottom() { return &p.BottomAxis(); }
};

TEST_F(Paged, PageCountRoundsUp) {
  EXPECT_EQ(p.PageCount(), 3);
  p.SetMaxPointsPerPage(5);
  EXPECT_EQ(p.PageCount(), 5);
  p.SetMaxPointsPerPage(0);
  EXPECT_EQ(p.PageCount(), 1);
}

TEST_F(Paged, ExtentsCoverTheCurrentPageOnly) {
  EXPECT_EQ(p.LowestXOnAxis(Bottom()), 100);
  EXPECT_EQ(p.HighestXOnAxis(Bottom()), 118);
  p.SetPage(3);
  EXPECT_EQ(p.LowestXOnAxis(Bottom()), 140);   // point 20
  EXPECT_EQ(p.HighestXOnAxis(Bottom()), 148);  // point 24
  // The value axis is not paged: all points count.
  EXPECT_EQ(p.LowestYOnAxis(&p.LeftAxis()), 0);
  EXPECT_EQ(p.HighestYOnAxis(&p.LeftAxis()), 240);
}

TEST_F(Paged, AShortLastPageKeepsTheScaleOfAFullOneWhenAsked) {
  p.SetPage(3);
  p.SetScaleLastPage(false);
  // Five points span 140..148; ten would span 140 + 8 * 10 / 5.
  EXPECT_DOUBLE_EQ(p.HighestXOnAxis(Bottom()), 156);
  EXPECT_EQ(p.LowestXOnAxis(Bottom()), 140);
  p.SetPage(2);  // a full page is not stretched
  EXPECT_EQ(p.HighestXOnAxis(Bottom()), 138);
}

TEST_F(Paged, PageBeyondThePointsFallsBackToAnEarlierPage) {
  p.SetPage(3);
  for (int i = 0; i < 10; ++i) s->RemovePoint(s->PointCount() - 1);  // 15 points, page still 3
  ASSERT_EQ(p.Page(), 3);
  EXPECT_EQ(p.LowestXOnAxis(Bottom()), 100);   // first := (15 div 10 - 1) * 10 = 0
  EXPECT_EQ(p.HighestXOnAxis(Bottom()), 118);
  s->RemoveAllPoints();
  EXPECT_EQ(p.LowestXOnAxis(Bottom()), 0);
  EXPECT_EQ(p.HighestXOnAxis(Bottom()), 0);
}

TEST_F(Paged, PageIsClampedAndAnnouncedOnlyWhenItChanges) {
  int changes = 0;
  p.OnPageChange = [&](TComponent* sender) {
    EXPECT_EQ(sender, c.chart);
    ++changes;
  };
  p.SetPage(0);
  EXPECT_EQ(p.Page(), 1);
  EXPECT_EQ(changes, 0);
  p.SetPage(99);
  EXPECT_EQ(p.Page(), 3);
  EXPECT_EQ(changes, 1);
  p.SetPage(-5);
  EXPECT_EQ(p.Page(), 1);
  EXPECT_EQ(changes, 2);
  c.chart->SetImageStale(false);
  p.SetPage(1);
  EXPECT_EQ(changes, 2);
  EXPECT_FALSE(c.chart->ImageStale());
}

TEST_F(Paged, MorePointsPerPageClampsThePage) {
  p.SetPage(3);
  p.SetMaxPointsPerPage(20);  // two pages now
  EXPECT_EQ(p.Page(), 2);
}

TEST_F(Paged, NegativePointsPerPageIsRejected) {
  try {
    p.SetMaxPointsPerPage(-1);
    FAIL() << "expected a chart exception";
  } catch (const ChartException& e) {
    EXPECT_EQ(e.Message(), "MaxPointsPerPage は 0 以上でなければなりません");
  }
  EXPECT_EQ(p.MaxPointsPerPage(), 10);
}

TEST(AxisPanelExtents, UnpagedExtentsSpanActiveSeriesWithPointsOnTheAxis) {
  PaintChart c;
  TCustomAxisPanel& p = *c.chart;
  EXPECT_EQ(p.LowestXOnAxis(&p.BottomAxis()), 0);  // no series
  auto& a = c.AddSeries("a");
  a.AppendPoint(5, 3, "");
  a.AppendPoint(9, 4, "");
  auto& b = c.AddSeries("b");
  b.AppendPoint(2, 50, "");
  auto& inactive = c.AddSeries("i");
  inactive.AppendPoint(-100, 1000, "");
  inactive.SetActive(false);
  auto& onTop = c.AddSeries("t");
  onTop.AppendPoint(-50, 7, "");
  onTop.SetHorizAxis(THorizAxis::aTopAxis);
  c.AddSeries("empty");  // would bring in 0 at both ends

  EXPECT_EQ(p.LowestXOnAxis(&p.BottomAxis()), 2);
  EXPECT_EQ(p.HighestXOnAxis(&p.BottomAxis()), 9);
  EXPECT_EQ(p.LowestYOnAxis(&p.LeftAxis()), 3);
  EXPECT_EQ(p.HighestYOnAxis(&p.LeftAxis()), 50);
  EXPECT_EQ(p.LowestXOnAxis(&p.TopAxis()), -50);
  EXPECT_EQ(p.HighestYOnAxis(&p.RightAxis()), 0);
}

TEST(AxisPanelSettings, Chart3DPercentAcceptsOneToHundred) {
  TChart chart(nullptr);
  for (int bad : {0, 101, -5}) {
    try {
      chart.SetChart3DPercent(bad);
      FAIL() << "expected a chart exception for " << bad;
    } catch (const ChartException& e) {
      EXPECT_EQ(e.Message(), "３次元効果の割合は 1 から 100 の間でなければなりません");
    }
    EXPECT_EQ(chart.Chart3DPercent(), 15);
  }
  chart.SetChart3DPercent(1);
  EXPECT_EQ(chart.Chart3DPercent(), 1);
  chart.SetChart3DPercent(100);
  EXPECT_EQ(chart.Chart3DPercent(), 100);
}

TEST(AxisPanelSettings, MonochromeDropsTheCachedImage) {
  PaintChart c;
  c.Paint();
  ASSERT_NE(c.chart->BackBuffer(), nullptr);
  ASSERT_FALSE(c.chart->ImageStale());
  c.chart->SetMonochrome(true);
  EXPECT_EQ(c.chart->BackBuffer(), nullptr);
  EXPECT_TRUE(c.chart->ImageStale());
  c.Paint();
  ASSERT_NE(c.chart->BackBuffer(), nullptr);
  EXPECT_TRUE(c.chart->BackBuffer()->Monochrome());
}

}  // namespace
}  // namespace tokiwa
