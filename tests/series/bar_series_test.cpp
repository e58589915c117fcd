#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bar_fixture.h"

namespace tokiwa::testing {
namespace {

class BarSeriesTest : public BarFixture {
 protected:
  // Pixels a mark takes beyond its bar's value end: the text line, the arrow
  // and the frame above and below.
  int MarkRoom(TCustomBarSeries& s) {
    chart.ApplyFont(s.Marks().Font());
    return chart.CharHeight() + s.Marks().ArrowLength() + 2;
  }
};

TEST_F(BarSeriesTest, SideBySideSeriesShareTheSpaceOfEachPoint) {
  struct Row {
    int series;
    int barSize;
    std::vector<int> lefts;  // each series' bar at x = 100
  };
  // 500 x 70 % / (4 points + 1) = 70 pixels per group, centred on the point.
  const Row rows[] = {{1, 70, {65}}, {2, 35, {65, 100}}, {3, 23, {66, 88, 112}}};
  for (const Row& r : rows) {
    chart.DestroyAllSeries();
    std::vector<TBarSeries*> group;
    for (int k = 0; k < r.series; ++k) group.push_back(Bars({10, 20, 30, 40}));
    for (int k = 0; k < r.series; ++k) {
      group[static_cast<size_t>(k)]->ComputeBarSize();
      EXPECT_EQ(group[static_cast<size_t>(k)]->BarSize(), r.barSize) << r.series;
      EXPECT_EQ(group[static_cast<size_t>(k)]->PointScreenX(0), r.lefts[static_cast<size_t>(k)]) << r.series;
    }
  }
}

TEST_F(BarSeriesTest, WidthFollowsOffsetCustomWidthPagesAndSideMargins) {
  TBarSeries* bars = Bars({10, 20, 30, 40});
  auto left = [&] {
    bars->ComputeBarSize();
    return bars->PointScreenX(0);
  };
  bars->SetOffsetPercent(50);
  EXPECT_EQ(left(), 100);  // 35 pixels, half the bar, to the right
  bars->SetOffsetPercent(-100);
  EXPECT_EQ(left(), -5);
  bars->SetOffsetPercent(0);
  bars->SetSideMargins(false);
  EXPECT_EQ(left(), 56);  // nearest(87.5) = 88 wide
  bars->SetCustomBarWidth(20);
  EXPECT_EQ(left(), 90);
  EXPECT_EQ(bars->BarSize(), 20);
  bars->SetCustomBarWidth(0);
  chart.SetMaxPointsPerPage(9);
  left();
  EXPECT_EQ(bars->BarSize(), 39);  // 350 / 9
}

TEST_F(BarSeriesTest, OverlappingSeriesEachTakeTheWholeSpace) {
  TBarSeries* a = Bars({10, 20, 30, 40});
  TBarSeries* b = Bars({10, 20});
  a->SetMultiBar(TMultiBar::mbNone);
  a->ComputeBarSize();
  b->ComputeBarSize();
  EXPECT_EQ(a->BarSize(), 70);
  EXPECT_EQ(b->BarSize(), 117);  // its own two points: nearest(350 / 3)
  EXPECT_EQ(b->PointScreenX(0), 100 - 117 / 2);
}

TEST_F(BarSeriesTest, PlotTooNarrowDrawsBarsAsLinesOnePerColumnAndColour) {
  TBarSeries* bars = Bars({50, 60, 70, -20});
  bars->SetSeriesColor(clRed);
  SetPlot({0, 0, 3, 100});  // x pixels 1, 1, 2, 2
  PaintBars(*bars);
  EXPECT_EQ(bars->BarSize(), 0);
  EXPECT_EQ(Rects().size(), 0u);
  EXPECT_EQ(Lines().size(), 0u);
  // One strip per column over the pixels of the bars' own lines (whose end
  // pixels are not drawn); a bar hanging down is apart from one standing.
  auto strips = canvas().CallsOf(CanvasCall::FillRect);
  ASSERT_EQ(strips.size(), 3u);
  EXPECT_EQ(strips[0].rect, (TRect{1, 40, 2, 100}));
  EXPECT_EQ(strips[1].rect, (TRect{2, 30, 3, 100}));
  EXPECT_EQ(strips[2].rect, (TRect{2, 101, 3, 121}));
  for (const RecordedCall& strip : strips) {
    EXPECT_EQ(strip.state.brushColor, clRed);
    EXPECT_EQ(strip.state.brushStyle, TBrushStyle::bsSolid);
  }
  bars->SetColorEachPoint(true);
  PaintBars(*bars);
  strips = canvas().CallsOf(CanvasCall::FillRect);
  ASSERT_EQ(strips.size(), 4u);
  EXPECT_EQ(strips[0].rect, (TRect{1, 50, 2, 100}));
  EXPECT_EQ(strips[1].state.brushColor, PaletteColor(1));
  // Drawn one by one, as in 3D, each bar is a line.
  Use3D();
  SetPlot({0, 0, 3, 100});
  PaintBars(*bars);
  EXPECT_TRUE(IsLine(Lines().at(0), {1, 50}, {1, 100}));
  EXPECT_EQ(Lines().at(0).state.penColor, PaletteColor(0));
}

TEST_F(BarSeriesTest, StackedBarsStartWhereThePositiveValuesBeforeThemEnd) {
  TBarSeries* a = Bars({3});
  TBarSeries* loss = Bars({-2});
  TBarSeries* b = Bars({4});
  b->SetMultiBar(TMultiBar::mbStacked);
  EXPECT_EQ(a->MultiBar(), TMultiBar::mbStacked);
  EXPECT_EQ(b->BarOrigin(0), 97);
  EXPECT_EQ(b->PointScreenY(0), 93);  // 3 + 4
  EXPECT_GE(b->HighestY(), 7);
  // A negative value hangs from the sum before it and adds nothing to the stack.
  EXPECT_EQ(loss->BarOrigin(0), 97);
  EXPECT_EQ(loss->PointScreenY(0), 99);
  EXPECT_EQ(a->BarOrigin(0), 100);
  // Stacked bars keep one position, whatever their place in the group.
  a->ComputeBarSize();
  b->ComputeBarSize();
  EXPECT_EQ(a->PointScreenX(0), b->PointScreenX(0));
}

TEST_F(BarSeriesTest, StackedTo100ShowsSharesAndAColumnOfNoTotalOnTheZeroLine) {
  TBarSeries* a = Bars({1, 0});
  TBarSeries* b = Bars({3, 0});
  a->SetMultiBar(TMultiBar::mbStacked100);
  EXPECT_EQ(a->BarOrigin(0), 100);
  EXPECT_EQ(a->PointScreenY(0), 75);
  EXPECT_EQ(b->BarOrigin(0), 75);
  EXPECT_EQ(b->PointScreenY(0), 0);
  EXPECT_EQ(b->HighestY(), 100);
  EXPECT_EQ(b->LowestY(), 0);
  for (TBarSeries* s : {a, b}) {
    EXPECT_EQ(s->BarOrigin(1), 100);
    EXPECT_EQ(s->PointScreenY(1), 100);
  }
}

TEST_F(BarSeriesTest, BarsStartAtTheOriginOrAtThePlotEdge) {
  TBarSeries* bars = Bars({50, -5});
  EXPECT_EQ(bars->BarOrigin(0), 100);
  EXPECT_EQ(bars->PointScreenY(1), 105);  // hangs below the origin
  bars->SetYOrigin(20);
  EXPECT_EQ(bars->BarOrigin(0), 80);
  EXPECT_EQ(bars->LowestY(), -5);
  bars->SetYOrigin(60);
  EXPECT_EQ(bars->HighestY(), 60);  // the range reaches the origin
  bars->SetUseYOrigin(false);
  EXPECT_EQ(bars->BarOrigin(0), 100);
  EXPECT_EQ(bars->HighestY(), 50);
}

TEST_F(BarSeriesTest, MarginsHoldTheOuterBarsAndTheirMarks) {
  TBarSeries* a = Bars({10, 20, 30, 40});
  int left = -1, right = -1, top = -1, bottom = -1;
  a->HorizMargins(left, right);
  EXPECT_EQ(left, 70);
  EXPECT_EQ(right, 70);
  TBarSeries* b = Bars({10, 20, 30, 40});
  b->SetSideMargins(false);  // both: 2 x nearest(87.5) / 2, halved
  a->HorizMargins(left, right);
  EXPECT_EQ(left, 44);
  EXPECT_EQ(right, 44);

  const int room = MarkRoom(*a) + 1;
  a->VertMargins(top, bottom);
  EXPECT_EQ(top, room);
  EXPECT_EQ(bottom, 0);
  a->AppendPoint(500, -10, "");
  a->VertMargins(top, bottom);
  EXPECT_EQ(bottom, room);
  chart.LeftAxis().SetInverted(true);
  a->VertMargins(top, bottom);
  EXPECT_EQ(top, 0);
  EXPECT_EQ(bottom, 2 * room);
  a->Marks().SetVisible(false);
  a->VertMargins(top, bottom);
  EXPECT_EQ(top + bottom, 0);
}

TEST_F(BarSeriesTest, GroupedBarsShareTheFirstOnesDepthSlot) {
  TBarSeries* a = Bars({1});
  TBarSeries* b = Bars({2});
  auto* lying = Add<THorizBarSeries>();
  chart.SetView3D(true);
  auto assign = [&] {
    chart.SetTopDepthSlot(-1);
    for (TChartSeries* s : {static_cast<TChartSeries*>(a), static_cast<TChartSeries*>(b),
                            static_cast<TChartSeries*>(lying)})
      s->AssignDepthSlot();
  };
  assign();
  EXPECT_EQ(b->DepthSlot(), a->DepthSlot());
  EXPECT_NE(lying->DepthSlot(), a->DepthSlot());  // not of the same kind
  a->SetMultiBar(TMultiBar::mbNone);
  assign();
  EXPECT_NE(b->DepthSlot(), a->DepthSlot());
}

TEST_F(BarSeriesTest, GroupSettingsReachOnlySeriesOfTheSameKind) {
  TBarSeries* a = Bars({1});
  TBarSeries* b = Bars({2});
  auto* lying = Add<THorizBarSeries>();
  b->SetMultiBar(TMultiBar::mbStacked100);
  b->SetSideMargins(false);
  EXPECT_EQ(a->MultiBar(), TMultiBar::mbStacked100);
  EXPECT_FALSE(a->SideMargins());
  EXPECT_EQ(lying->MultiBar(), TMultiBar::mbSide);
  EXPECT_TRUE(lying->SideMargins());
  const int before = host.InvalidateCount;
  a->SetMultiBar(TMultiBar::mbStacked100);
  EXPECT_EQ(host.InvalidateCount, before);
}

TEST_F(BarSeriesTest, RefusedWidthsAndOffsetsKeepTheOldValue) {
  TBarSeries* bars = Bars({1});
  struct Row {
    void (TCustomBarSeries::*set)(int);
    int (TCustomBarSeries::*get)() const;
    int accepted;
    int refused;
    const char* message;
  };
  const Row rows[] = {
      {&TCustomBarSeries::SetBarWidthPercent, &TCustomBarSeries::BarWidthPercent, 1, 0,
       "棒の幅は 1% から 100% でなければなりません"},
      {&TCustomBarSeries::SetBarWidthPercent, &TCustomBarSeries::BarWidthPercent, 100, 101,
       "棒の幅は 1% から 100% でなければなりません"},
      {&TCustomBarSeries::SetOffsetPercent, &TCustomBarSeries::OffsetPercent, -100, -101,
       "棒の位置は -100% から 100% でなければなりません"},
      {&TCustomBarSeries::SetOffsetPercent, &TCustomBarSeries::OffsetPercent, 100, 101,
       "棒の位置は -100% から 100% でなければなりません"},
  };
  for (const Row& r : rows) {
    (bars->*r.set)(r.accepted);
    try {
      (bars->*r.set)(r.refused);
      ADD_FAILURE() << r.refused << " accepted";
    } catch (const BarException& e) {
      EXPECT_EQ(e.Message(), r.message);
    }
    EXPECT_EQ((bars->*r.get)(), r.accepted);
  }
}

TEST_F(BarSeriesTest, CopyTakesTheBarSettingsAndThePoints) {
  TBarSeries* from = Bars({5, 6});
  from->SetBarStyle(TBarStyle::bsArrow);
  from->SetBarWidthPercent(40);
  from->SetYOrigin(2);
  from->SetCustomBarWidth(9);
  from->SetOffsetPercent(-20);
  from->SetDark3D(false);
  from->BarBrush().SetStyle(TBrushStyle::bsCross);
  from->SetMultiBar(TMultiBar::mbStacked);
  auto* copy = new TBarSeries(nullptr);  // not in the chart: the group is not its business
  copy->Assign(*from);
  EXPECT_EQ(copy->BarStyle(), TBarStyle::bsArrow);
  EXPECT_EQ(copy->BarWidthPercent(), 40);
  EXPECT_EQ(copy->YOrigin(), 2);
  EXPECT_EQ(copy->CustomBarWidth(), 9);
  EXPECT_EQ(copy->OffsetPercent(), -20);
  EXPECT_FALSE(copy->Dark3D());
  EXPECT_EQ(copy->BarBrush().Style(), TBrushStyle::bsCross);
  EXPECT_EQ(copy->MultiBar(), TMultiBar::mbStacked);
  EXPECT_EQ(copy->PointCount(), 2);
  delete copy;
}

// --- marks ---

TEST_F(BarSeriesTest, MarksStandOverBarsAndUnderHangingOnes) {
  TBarSeries* bars = Bars({50, -30});
  PaintBars(*bars, true);
  const auto lines = Lines();
  const auto rects = Rects();
  ASSERT_EQ(lines.size(), 2u);
  ASSERT_EQ(rects.size(), 4u);  // two bars, two mark frames
  EXPECT_TRUE(IsLine(lines[0], {100, 50}, {100, 30}));
  EXPECT_EQ(rects[2].rect.Bottom, 30);
  EXPECT_EQ(Mid(rects[2].rect.Left, rects[2].rect.Right), 100);
  EXPECT_TRUE(IsLine(lines[1], {200, 130}, {200, 150}));
  EXPECT_EQ(rects[3].rect.Top, 150);
}

TEST_F(BarSeriesTest, MarksOfStackedBarsStandOverTheirOwnPart) {
  TBarSeries* a = Bars({30});
  TBarSeries* b = Bars({40});
  a->SetMultiBar(TMultiBar::mbStacked);
  PaintBars(*a, true);
  EXPECT_TRUE(IsLine(Lines().at(0), {100, 70}, {100, 50}));
  PaintBars(*b, true);
  EXPECT_TRUE(IsLine(Lines().at(0), {100, 30}, {100, 10}));
}

TEST_F(BarSeriesTest, CrowdedMarksTakeTurnsSittingCloser) {
  auto* bars = Add<TBarSeries>();
  for (int i = 0; i < 4; ++i) bars->AppendPoint(100 + 10 * i, 40 + i, "");  // about the same height
  bars->SetBarWidthPercent(10);  // narrower than the marks
  PaintBars(*bars, true);
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 4u);
  auto length = [&](int i) { return lines[static_cast<size_t>(i)].from.Y - lines[static_cast<size_t>(i)].to.Y; };
  EXPECT_EQ(length(0), 20);
  EXPECT_EQ(length(1), 20);
  EXPECT_EQ(length(2), 0);  // 20 - mark height - 4, not below 0
  EXPECT_EQ(length(3), 20);
  bars->SetAutoMarkPosition(false);
  PaintBars(*bars, true);
  EXPECT_EQ(Lines().at(2).from.Y - Lines().at(2).to.Y, 20);
}

TEST_F(BarSeriesTest, LegendSymbolTakesTheBarPenAndBrush) {
  TBarSeries* bars = Bars({1});
  bars->BarPen().SetVisible(false);
  bars->BarBrush().SetStyle(TBrushStyle::bsDiagCross);
  bars->BarBrush().SetColor(clYellow);
  TColor background = clWhite;
  TBrushStyle style = TBrushStyle::bsSolid;
  bars->LegendSymbolStyle(-1, background, style);
  EXPECT_EQ(style, TBrushStyle::bsDiagCross);
  EXPECT_EQ(background, clYellow);
  EXPECT_EQ(canvas().Pen().Style(), TPenStyle::psClear);
  bars->BarBrush().SetColor(ColorDefault);
  bars->LegendSymbolStyle(-1, background, style);
  EXPECT_EQ(background, chart.Color());
}

// --- lying bars: the same turned a quarter turn ---

class HorizBarSeriesTest : public BarFixture {
 protected:
  HorizBarSeriesTest() { UseLyingPlot(); }
};

TEST_F(HorizBarSeriesTest, FirstOfTheGroupLiesLowestAndValuesRunRight) {
  THorizBarSeries* a = Lying({50, 20, 30, 40});
  a->ComputeBarSize();
  EXPECT_EQ(a->BarSize(), 70);
  EXPECT_EQ(a->PointScreenY(0), 365);  // centred on pixel 400
  THorizBarSeries* b = Lying({-30, 20, 30, 40});
  a->ComputeBarSize();
  b->ComputeBarSize();
  EXPECT_EQ(a->PointScreenY(0), 400);
  EXPECT_EQ(b->PointScreenY(0), 365);
  EXPECT_EQ(a->PointScreenX(0), 50);
  EXPECT_EQ(b->PointScreenX(0), -30);
  EXPECT_EQ(b->BarOrigin(0), 0);
  EXPECT_EQ(b->LowestX(), -30);
  EXPECT_EQ(a->LowestX(), 0);  // the range reaches the origin
  a->SetMultiBar(TMultiBar::mbStacked);
  EXPECT_EQ(a->HighestX(), 50);
  EXPECT_EQ(b->HighestX(), 80);  // 40 on top of 40
}

TEST_F(HorizBarSeriesTest, MarginsHoldTheOuterBarsAndTheMarksBesideThem) {
  THorizBarSeries* bars = Lying({50, 20, 30, 40});
  int left = -1, right = -1, top = -1, bottom = -1;
  bars->VertMargins(top, bottom);
  EXPECT_EQ(top, 70);
  EXPECT_EQ(bottom, 70);
  chart.ApplyFont(bars->Marks().Font());
  // The widest mark's box, its arrow, its frame and one pixel.
  const int room = chart.TextWidthOf("50W") + 20 + 2 + 1;
  bars->HorizMargins(left, right);
  EXPECT_EQ(left, 0);
  EXPECT_EQ(right, room);
  bars->XValues().SetValueAt(1, -5);
  bars->HorizMargins(left, right);
  EXPECT_EQ(left, room);
}

TEST_F(HorizBarSeriesTest, MarksSitBesideTheValueEndAwayFromTheOrigin) {
  THorizBarSeries* bars = Lying({50, -30});
  PaintBars(*bars, true);
  const auto lines = Lines();
  const auto rects = Rects();
  ASSERT_EQ(lines.size(), 2u);
  ASSERT_EQ(rects.size(), 4u);
  EXPECT_TRUE(IsLine(lines[0], {50, 400}, {70, 400}));
  EXPECT_EQ(rects[2].rect.Left, 70);
  EXPECT_EQ(Mid(rects[2].rect.Top, rects[2].rect.Bottom), 400);
  EXPECT_TRUE(IsLine(lines[1], {-30, 300}, {-50, 300}));
  EXPECT_EQ(rects[3].rect.Right, -50);
}

TEST_F(HorizBarSeriesTest, SampleValuesKeepTheirOrderUpTheAxis) {
  THorizBarSeries* bars = Lying({});
  try {
    bars->FillSampleValues(0);
    ADD_FAILURE() << "no error";
  } catch (const BarException& e) {
    EXPECT_EQ(e.Message(), "FillSampleValues の引数は１以上でなければなりません。");
  }
  bars->FillSampleValues(5);
  ASSERT_EQ(bars->PointCount(), 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(bars->PointY(i), i);  // from the axis' minimum, one apart, as added
    EXPECT_NEAR(bars->PointX(i), 1500, 500 + 250 * (i + 1));
  }
}

}  // namespace
}  // namespace tokiwa::testing
