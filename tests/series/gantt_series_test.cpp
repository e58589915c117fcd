#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <string>

#include "series/gantt_series.h"
#include "series_fixture.h"

namespace tokiwa::testing {
namespace {

class GanttSeriesTest : public SeriesFixture {
 protected:
  GanttSeriesTest() : gantt(Add<TGanttSeries>()) {}

  // The rectangles drawn for the bars, in drawing order.
  std::vector<TRect> Bars() {
    std::vector<TRect> bars;
    for (const RecordedCall& r : Rects()) bars.push_back(r.rect);
    return bars;
  }

  TGanttSeries* gantt;
};

TEST_F(GanttSeriesTest, CreationSettings) {
  EXPECT_EQ(gantt->StartValues().Name(), "Start");
  EXPECT_TRUE(gantt->StartValues().DateTime());
  EXPECT_EQ(&gantt->StartValues(), &gantt->XValues());
  EXPECT_EQ(gantt->EndValues().Name(), "End");
  EXPECT_TRUE(gantt->EndValues().DateTime());
  EXPECT_EQ(gantt->NextTask().Name(), "NextTask");
  EXPECT_FALSE(gantt->NextTask().DateTime());
  EXPECT_EQ(&gantt->ValueList(2), &gantt->EndValues());
  EXPECT_EQ(&gantt->ValueList(3), &gantt->NextTask());
  EXPECT_TRUE(gantt->ColorEachPoint());
  EXPECT_FALSE(gantt->LimitToVisibleRange());
  EXPECT_FALSE(gantt->ClickableLine());
  EXPECT_TRUE(gantt->Pointer().Visible());
  EXPECT_EQ(&gantt->MainValueList(), &gantt->StartValues());
  EXPECT_EQ(gantt->EditorClassName(), "TGanttSeriesEditor");
}

TEST_F(GanttSeriesTest, BarsKeepStartOrderWithTheirOwnEndsRowsLabelsAndColours) {
  EXPECT_EQ(gantt->AddBar(5, 15, 0, "five", clRed), 0);
  EXPECT_EQ(gantt->AddBar(1, 11, 1, "one", clGreen), 0);
  EXPECT_EQ(gantt->AddBar(3, 13, 2, "three", clBlue), 1);
  ASSERT_EQ(gantt->PointCount(), 3);
  const double starts[] = {1, 3, 5};
  const double rows[] = {1, 2, 0};
  const char* labels[] = {"one", "three", "five"};
  const TColor colours[] = {clGreen, clBlue, clRed};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(gantt->StartValues().ValueAt(i), starts[i]);
    EXPECT_EQ(gantt->EndValues().ValueAt(i), starts[i] + 10);
    EXPECT_EQ(gantt->YValues().ValueAt(i), rows[i]);
    EXPECT_EQ(gantt->NextTask().ValueAt(i), -1);
    EXPECT_EQ(gantt->PointLabel(i), labels[i]);
    EXPECT_EQ(gantt->PointColor(i), colours[i]);
  }
}

// A series derived from the Gantt series adds its bars the general way; the
// Gantt series itself appends bars that go last directly. Both must hold the
// same bars, in the same order, with the same figures.
class GeneralGantt : public TGanttSeries {
 public:
  using TGanttSeries::TGanttSeries;
};

// Every list with its statistics and version, every label and colour.
void ExpectSameBars(const TGanttSeries& a, const TGanttSeries& b) {
  ASSERT_EQ(a.PointCount(), b.PointCount());
  for (int k = 0; k < a.ValueListCount(); ++k) {
    const TChartValueList &x = a.ValueList(k), &y = b.ValueList(k);
    EXPECT_EQ(x.RawValues(), y.RawValues()) << k;
    EXPECT_EQ(x.Version(), y.Version()) << k;
    EXPECT_EQ(x.LowestValue(), y.LowestValue()) << k;
    EXPECT_EQ(x.HighestValue(), y.HighestValue()) << k;
    EXPECT_EQ(x.SumOfValues(), y.SumOfValues()) << k;
    EXPECT_EQ(x.SumOfMagnitudes(), y.SumOfMagnitudes()) << k;
  }
  for (int i = 0; i < a.PointCount(); ++i) {
    ASSERT_EQ(a.PointLabel(i), b.PointLabel(i)) << i;
    ASSERT_EQ(a.PointColor(i), b.PointColor(i)) << i;
  }
}

TEST_F(GanttSeriesTest, BarsAppendedDirectlyMatchTheGeneralInsertion) {
  GeneralGantt* general = Add<GeneralGantt>();
  std::mt19937 rng(8);
  const std::string labels[] = {"a", "b", "", "longer label text"};
  double start = 0;
  for (int i = 0; i < 2000; ++i) {
    start += static_cast<double>(rng() % 7) - (rng() % 10 == 0 ? 20 : 0);  // now and then out of order
    if (i == 1500) gantt->XValues().SetOrder(TChartListOrder::loNone);
    if (i == 1500) general->XValues().SetOrder(TChartListOrder::loNone);
    const double end = start + static_cast<double>(rng() % 30), y = static_cast<double>(rng() % 5);
    const std::string& label = labels[rng() % std::size(labels)];
    const TColor colour = rng() % 3 ? static_cast<TColor>(rng() % 0xFFFFFF) : ColorDefault;
    ASSERT_EQ(gantt->AddBar(start, end, y, label, colour), general->AddBar(start, end, y, label, colour)) << i;
  }
  ExpectSameBars(*gantt, *general);
}

// Bars added at once hold what adding them one by one gives; where that would
// not append each directly, nothing is added.
TEST_F(GanttSeriesTest, BarsAddedAtOnceMatchBarsAddedOneByOne) {
  const std::vector<std::string> texts = {"a", "", "longer label text"};
  std::vector<double> starts, ends, rows;
  std::vector<TColor> colours;
  std::vector<int> labels;
  std::mt19937 rng(3);
  for (int i = 0; i < 500; ++i) {
    starts.push_back((starts.empty() ? 0 : starts.back()) + static_cast<double>(rng() % 3) * 0.25);
    ends.push_back(starts.back() + static_cast<double>(rng() % 9) - 2);
    rows.push_back(static_cast<double>(rng() % 4));
    colours.push_back(rng() % 3 ? static_cast<TColor>(rng() % 0xFFFFFF) : ColorDefault);
    labels.push_back(static_cast<int>(rng() % texts.size()));
  }
  TGanttSeries* one = Add<TGanttSeries>();
  for (std::size_t i = 0; i < starts.size(); ++i) one->AddBar(starts[i], ends[i], rows[i], texts[labels[i]], colours[i]);
  ASSERT_TRUE(gantt->AddBarsAtOnce(std::vector(starts), std::vector(ends), std::vector(rows), std::vector(colours),
                                   labels, texts));
  ExpectSameBars(*gantt, *one);
  // Each label counts its every bar: the last bars keep theirs.
  for (int i = 0; i < 480; ++i) {
    gantt->RemovePoint(0);
    one->RemovePoint(0);
  }
  ExpectSameBars(*gantt, *one);

  std::vector<double> backwards = starts;
  backwards[10] = backwards[11] + 1;
  std::vector<int> unknownLabel = labels;
  unknownLabel.back() = static_cast<int>(texts.size());
  TGanttSeries* listened = Add<TGanttSeries>();
  listened->OnAfterAdd = [](TChartSeries*, int) {};
  struct Refused {
    TGanttSeries* series;
    const std::vector<double>& starts;
    const std::vector<int>& labels;
  };
  for (const Refused& c : {Refused{gantt, starts, labels}, Refused{Add<GeneralGantt>(), starts, labels},
                           Refused{listened, starts, labels}, Refused{Add<TGanttSeries>(), backwards, labels},
                           Refused{Add<TGanttSeries>(), starts, unknownLabel}}) {
    const int before = c.series->PointCount();
    std::vector<double> s = c.starts, e = ends, r = rows;
    std::vector<TColor> k = colours;
    EXPECT_FALSE(c.series->AddBarsAtOnce(std::move(s), std::move(e), std::move(r), std::move(k), c.labels, texts));
    EXPECT_TRUE(s == c.starts && e == ends && r == rows && k == colours);  // nothing taken
    EXPECT_EQ(c.series->PointCount(), before);
    EXPECT_EQ(c.series->EndValues().ItemCount(), before);
  }
}

TEST_F(GanttSeriesTest, BarWithoutColourTakesThePaletteColourOfItsIndex) {
  gantt->AddBar(1, 2, 0, "");
  gantt->AddBar(3, 4, 0, "");
  EXPECT_EQ(gantt->PointColor(1), PaletteColor(1));
}

TEST_F(GanttSeriesTest, RefusedBarTouchesNoList) {
  gantt->OnBeforeAdd = [](TChartSeries*) { return false; };
  EXPECT_EQ(gantt->AddBar(1, 2, 0, "x", clRed), -1);
  EXPECT_EQ(gantt->EndValues().ItemCount(), 0);
  EXPECT_EQ(gantt->NextTask().ItemCount(), 0);
}

TEST_F(GanttSeriesTest, BarCoversStartToEndAndTheFullPointerHeight) {
  gantt->AddBar(20, 61, 50, "", clRed);  // odd length: the half truncates
  gantt->AddBar(30, 30, 70, "", clRed);  // start = end: one pixel wide
  Paint(*gantt);
  EXPECT_EQ(Bars(), (std::vector<TRect>{{20, 46, 61, 55}, {30, 66, 31, 75}}));
}

TEST_F(GanttSeriesTest, BarsLaterBarsPaintOverAreSkippedOrCutWhereTheyHide) {
  gantt->ConnectingPen().SetVisible(false);
  gantt->AddBar(20, 40, 50, "", clRed);      // its right part lies under the next-but-one
  gantt->AddBar(25, 45, 70, "", clBlue);     // another row: whole
  gantt->AddBar(30.2, 35, 50, "", clRed);    // wholly under the next, drawn after it
  gantt->AddBar(30.4, 60, 50, "", clGreen);
  gantt->AddBar(40.2, 60, 90, "", clRed);    // its left part lies under the next
  gantt->AddBar(40.4, 50, 90, "", clRed);
  Paint(*gantt);
  // Each cut one keeps the column next to what shows, which the later bar
  // paints over: the pixels left are those of the whole rectangle.
  EXPECT_EQ(Bars(), (std::vector<TRect>{{20, 46, 31, 55},
                                        {25, 66, 46, 75},
                                        {30, 46, 61, 55},
                                        {50, 86, 61, 95},
                                        {40, 86, 51, 95}}));
  gantt->SetDrawEveryBar(true);
  Paint(*gantt);
  EXPECT_EQ(Bars().size(), 6u);
  // A dashed outline leaves pixels of what lies under it: nothing is skipped.
  gantt->SetDrawEveryBar(false);
  gantt->Pointer().Pen().SetStyle(TPenStyle::psDash);
  Paint(*gantt);
  EXPECT_EQ(Bars().size(), 6u);
}

TEST_F(GanttSeriesTest, BarReachingOneColumnPastWhatLaterBarsPaintIsDrawnThere) {
  gantt->ConnectingPen().SetVisible(false);
  gantt->AddBar(30.2, 35.55, 50, "", clRed);  // columns 30 to 36, its end rounding up
  gantt->AddBar(30.4, 32, 50, "", clRed);    // 30 to 32, shown up to 31
  gantt->AddBar(31.4, 35, 50, "", clRed);    // 31 to 35
  Paint(*gantt);
  EXPECT_EQ(Bars(), (std::vector<TRect>{{35, 46, 37, 55}, {30, 46, 32, 55}, {31, 46, 36, 55}}));
}

TEST_F(GanttSeriesTest, BarIsAlwaysARectangle) {
  gantt->Pointer().SetStyle(TSeriesPointerStyle::psCircle);
  gantt->OnGetPointerStyle = [](TChartSeries*, int) { return TSeriesPointerStyle::psDiamond; };
  gantt->AddBar(20, 40, 50, "");
  Paint(*gantt);
  EXPECT_EQ(canvas().Count(CanvasCall::Rectangle), 1);
  EXPECT_EQ(canvas().Count(CanvasCall::Ellipse), 0);
  EXPECT_EQ(canvas().Count(CanvasCall::Polygon), 0);
}

TEST_F(GanttSeriesTest, OnePixelBarIsHitOnItsColumn) {
  gantt->AddBar(30, 30, 50, "");
  Paint(*gantt);
  EXPECT_EQ(gantt->PointAtPixel(30, 52), 0);
  EXPECT_EQ(gantt->PointAtPixel(31, 50), -1);
  EXPECT_EQ(gantt->PointAtPixel(29, 50), -1);
}

TEST_F(GanttSeriesTest, HitBandIsOnePixelShorterThanTheBarAtEachEnd) {
  gantt->AddBar(20, 60, 50, "");
  Paint(*gantt);
  EXPECT_EQ(Bars().at(0).Top, 46);  // drawn from 4 above the centre line
  EXPECT_EQ(gantt->PointAtPixel(40, 47), 0);
  EXPECT_EQ(gantt->PointAtPixel(40, 46), -1);
  EXPECT_EQ(gantt->PointAtPixel(40, 53), 0);
  EXPECT_EQ(gantt->PointAtPixel(40, 54), -1);
  EXPECT_EQ(gantt->PointAtPixel(20, 50), 0);
  EXPECT_EQ(gantt->PointAtPixel(60, 50), 0);
  EXPECT_EQ(gantt->PointAtPixel(61, 50), -1);
}

TEST_F(GanttSeriesTest, OverlapAnswersTheBarWithTheEarlierStart) {
  gantt->AddBar(30, 70, 50, "late", clRed);
  gantt->AddBar(10, 40, 50, "early", clRed);
  Paint(*gantt);
  const int hit = gantt->PointAtPixel(35, 50);
  ASSERT_NE(hit, -1);
  EXPECT_EQ(gantt->PointLabel(hit), "early");
  EXPECT_EQ(gantt->PointLabel(gantt->PointAtPixel(50, 50)), "late");
}

TEST_F(GanttSeriesTest, BarEndingBeforeItStartsIsNeverHit) {
  gantt->AddBar(60, 20, 50, "");
  Paint(*gantt);
  for (int x : {21, 40, 59}) EXPECT_EQ(gantt->PointAtPixel(x, 50), -1) << x;
}

TEST_F(GanttSeriesTest, HiddenPointerHidesAndDisarmsTheBars) {
  gantt->AddBar(20, 60, 50, "");
  gantt->AddBar(30, 40, 60, "");
  gantt->NextTask().SetValueAt(0, 1);
  gantt->Pointer().SetVisible(false);
  Paint(*gantt);
  EXPECT_TRUE(canvas().Calls().empty());
  EXPECT_EQ(gantt->PointAtPixel(40, 50), -1);
  EXPECT_EQ(gantt->PointAtPixel(20, 50), -1);  // not even the exact start
}

TEST_F(GanttSeriesTest, AutomaticRangeReachesTheLatestEnd) {
  gantt->AddBar(0, 10, 0, "");
  gantt->AddBar(5, 30, 1, "");  // latest end, not the latest start
  gantt->AddBar(20, 25, 2, "");
  EXPECT_DOUBLE_EQ(gantt->HighestX(), 30);
  EXPECT_DOUBLE_EQ(gantt->LowestX(), 0);
  TChartAxis& axis = chart.BottomAxis();
  axis.SetAutomatic(true);
  axis.SetAutomaticMinimum(true);
  axis.SetAutomaticMaximum(true);
  axis.ComputeAutoRange();
  EXPECT_DOUBLE_EQ(axis.CurrentMinimum(), 0);
  EXPECT_DOUBLE_EQ(axis.CurrentMaximum(), 30);
}

TEST_F(GanttSeriesTest, BarsAskForNoHorizontalMargin) {
  int left = -1, right = -1, top = -1, bottom = -1;
  gantt->HorizMargins(left, right);
  gantt->VertMargins(top, bottom);
  EXPECT_EQ(left, 0);
  EXPECT_EQ(right, 0);
  EXPECT_EQ(top, 5);
  EXPECT_EQ(bottom, 5);
}

class GanttLinkTest : public GanttSeriesTest {
 protected:
  GanttLinkTest() {
    for (int k = 0; k < 5; ++k) gantt->AddBar(10 + 15 * k, 20 + 15 * k, 10 + 20 * k, "");
  }

  // The elbow paths drawn, as their corner points.
  std::vector<std::vector<TPoint>> Elbows() {
    std::vector<std::vector<TPoint>> paths;
    for (const RecordedCall& c : Lines()) {
      if (paths.empty() || paths.back().back() != c.from) paths.push_back({c.from});
      paths.back().push_back(c.to);
    }
    return paths;
  }
};

TEST_F(GanttLinkTest, NextTaskLinksToTheNearestBarWithHalvesToEven) {
  gantt->NextTask().SetValueAt(0, 2.5);
  gantt->NextTask().SetValueAt(1, 3.5);
  Paint(*gantt);
  auto elbows = Elbows();
  ASSERT_EQ(elbows.size(), 2u);
  // Bar 0 ends at (20, 10); bar 2 starts at (40, 50): half way across is 30.
  EXPECT_EQ(elbows[0], (std::vector<TPoint>{{20, 10}, {30, 10}, {30, 50}, {40, 50}}));
  // Bar 1 ends at (35, 30); bar 4 starts at (70, 90): 35 + 35 div 2 = 52.
  EXPECT_EQ(elbows[1], (std::vector<TPoint>{{35, 30}, {52, 30}, {52, 90}, {70, 90}}));
}

TEST_F(GanttLinkTest, LinksOutsideTheBarsOrWithHiddenPenDrawNothing) {
  gantt->NextTask().SetValueAt(0, 5);
  gantt->NextTask().SetValueAt(1, -0.6);
  Paint(*gantt);
  EXPECT_EQ(canvas().Count(CanvasCall::LineTo), 0);

  gantt->NextTask().SetValueAt(2, 4);
  gantt->ConnectingPen().SetColor(clRed);
  Paint(*gantt);
  ASSERT_EQ(canvas().Count(CanvasCall::LineTo), 3);
  EXPECT_EQ(Lines()[0].state.penColor, clRed);
  EXPECT_EQ(Lines()[0].state.brushStyle, TBrushStyle::bsClear);

  gantt->ConnectingPen().SetVisible(false);
  Paint(*gantt);
  EXPECT_EQ(canvas().Count(CanvasCall::LineTo), 0);
  EXPECT_EQ(canvas().Count(CanvasCall::Rectangle), 5);
}

TEST_F(GanttSeriesTest, FarOffStartKeepsTheVisibleEndExact) {
  // Zoomed in so far that the start lies about 10^9 pixels to the left.
  gantt->AddBar(-1e9, 51, 50, "");
  gantt->AddBar(-1e9 + 1, 51, 70, "");
  Paint(*gantt);
  auto bars = Bars();
  ASSERT_EQ(bars.size(), 2u);
  EXPECT_LT(bars[0].Left, 0);
  EXPECT_EQ(bars[0].Right, 51);  // x0 + 2 * half = 50 for an odd span
  EXPECT_EQ(bars[1].Right, 52);  // and 51 for an even one
  EXPECT_EQ(bars[0].Top, 46);
}

TEST_F(GanttSeriesTest, MarkSitsOverTheMiddleOfTheBar) {
  gantt->AddBar(20, 60, 50, "");
  canvas().Clear();
  gantt->DrawMark(0, "A", {10, 40, 30, 52}, {20, 50}, {20, 50});
  const RecordedCall* text = canvas().LastOf(CanvasCall::TextOut);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->from.X, 40);
}

TEST_F(GanttSeriesTest, CopiesOnlyFromGanttSeriesAndTakesTheConnectingPen) {
  TPointSeries points(nullptr);
  TGanttSeries other(nullptr);
  EXPECT_FALSE(gantt->CanCopyFrom(&points));
  EXPECT_TRUE(gantt->CanCopyFrom(&other));

  other.ConnectingPen().SetColor(clFuchsia);
  other.ConnectingPen().SetWidth(2);
  gantt->Assign(other);
  EXPECT_EQ(gantt->ConnectingPen().Color(), clFuchsia);
  EXPECT_EQ(gantt->ConnectingPen().Width(), 2);
}

TEST_F(GanttSeriesTest, SampleValuesAreLabelledLinkedBars) {
  gantt->FillSampleValues(5);  // below the random 10..29, so the count decides
  const int n = gantt->PointCount();
  EXPECT_EQ(n, 6);
  for (int i = 0; i < n; ++i) {
    EXPECT_GE(gantt->EndValues().ValueAt(i), gantt->StartValues().ValueAt(i) + 9);
    const int next = static_cast<int>(gantt->NextTask().ValueAt(i));
    if (next >= 0) {
      ASSERT_LT(next, n);
    }
  }
  EXPECT_FALSE(gantt->PointLabel(0).empty());
}

}  // namespace
}  // namespace tokiwa::testing
