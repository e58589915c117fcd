#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "series/column_polyline.h"
#include "series/fast_line_series.h"
#include "series_fixture.h"

namespace tokiwa::testing {
namespace {

using Segment = std::pair<TPoint, TPoint>;

class FastLineSeriesTest : public SeriesFixture {
 protected:
  TFastLineSeries* line = Add<TFastLineSeries>();

  void Points(std::initializer_list<std::pair<double, double>> xy) {
    for (auto [x, y] : xy) line->AppendPoint(x, y, "");
  }

  // Every segment drawn, whether as a line or as part of a polyline.
  std::vector<Segment> Segments() {
    std::vector<Segment> out;
    for (const RecordedCall& c : canvas().Calls()) {
      if (c.kind == CanvasCall::LineTo) out.push_back({c.from, c.to});
      if (c.kind != CanvasCall::Polyline) continue;
      for (size_t k = 1; k < c.points.size(); ++k) out.push_back({c.points[k - 1], c.points[k]});
    }
    return out;
  }
};

TEST_F(FastLineSeriesTest, PointsOnThePixelWhereTheLineIsDrawNothing) {
  Points({{10, 50}, {10.2, 50.3}, {10.4, 49.8}});  // all on pixel (10, 50)
  Paint(*line);
  EXPECT_TRUE(Segments().empty());
  EXPECT_EQ(canvas().PenPos(), (TPoint{10, 50}));

  Points({{30, 40}});
  Paint(*line);
  EXPECT_EQ(Segments(), (std::vector<Segment>{{{10, 50}, {30, 40}}}));
  EXPECT_EQ(canvas().PenPos(), (TPoint{30, 40}));
}

TEST_F(FastLineSeriesTest, LineEntersFromThePointBeforeTheShownRange) {
  SetRange(chart.BottomAxis(), 45, 95);  // x value v at pixel 2 * (v - 45)
  Points({{0, 0}, {10, 10}, {20, 20}, {30, 30}, {40, 40}, {50, 50}, {60, 60}, {100, 10}, {110, 20}});
  Paint(*line);
  ASSERT_EQ(line->FirstShownIndex(), 5);
  ASSERT_EQ(line->LastShownIndex(), 7);  // the point past the range is kept
  EXPECT_EQ(Segments(), (std::vector<Segment>{{{-10, 40}, {10, 50}}, {{10, 50}, {30, 60}}, {{30, 60}, {110, 10}}}));
}

TEST_F(FastLineSeriesTest, ASinglePointMovesThePenOnly) {
  Points({{20, 30}});
  Paint(*line);
  EXPECT_TRUE(canvas().Calls().empty());
  EXPECT_EQ(canvas().PenPos(), (TPoint{20, 30}));
}

// Pens that do not draw as one polyline (styled, wide, xor) draw the same
// segments one by one, each in the series' colour.
TEST_F(FastLineSeriesTest, EveryPenDrawsTheSameSegmentsInTheSeriesColour) {
  Points({{0, 0}, {10, 20}, {10.2, 20.2}, {20, 5}, {35, 5}});
  line->SetSeriesColor(clTeal);
  const std::vector<Segment> expected{{{0, 0}, {10, 20}}, {{10, 20}, {20, 5}}, {{20, 5}, {35, 5}}};
  struct PenCase {
    TPenStyle style;
    int width;
    TPenMode mode;
    CanvasCall call;
  };
  for (const PenCase& p : {PenCase{TPenStyle::psSolid, 1, TPenMode::pmCopy, CanvasCall::Polyline},
                           PenCase{TPenStyle::psDash, 1, TPenMode::pmCopy, CanvasCall::LineTo},
                           PenCase{TPenStyle::psSolid, 3, TPenMode::pmCopy, CanvasCall::LineTo},
                           PenCase{TPenStyle::psSolid, 1, TPenMode::pmNotXor, CanvasCall::LineTo}}) {
    line->LinePen().SetStyle(p.style);
    line->LinePen().SetWidth(p.width);
    line->LinePen().SetMode(p.mode);
    Paint(*line);
    EXPECT_EQ(Segments(), expected) << static_cast<int>(p.call);
    ASSERT_GT(canvas().Count(p.call), 0);
    const CanvasState drawn = canvas().LastOf(p.call)->state;
    EXPECT_EQ(drawn.penColor, clTeal);
    EXPECT_EQ(drawn.penStyle, p.style);
    EXPECT_EQ(drawn.penWidth, p.width);
  }
  line->LinePen().SetVisible(false);
  Paint(*line);
  for (const RecordedCall& c : canvas().Calls()) EXPECT_EQ(c.state.penStyle, TPenStyle::psClear);
}

TEST_F(FastLineSeriesTest, LinePenAndSeriesColourAlwaysAgree) {
  EXPECT_EQ(line->LinePen().Color(), line->SeriesColor());  // the palette colour it got
  TChartPen blue;
  blue.SetColor(clBlue);
  blue.SetWidth(2);
  line->SetLinePen(blue);
  EXPECT_EQ(line->SeriesColor(), clBlue);
  EXPECT_EQ(line->LinePen().Width(), 2);
  line->SetSeriesColor(clRed);
  EXPECT_EQ(line->LinePen().Color(), clRed);
  line->LinePen().SetColor(clLime);
  EXPECT_EQ(line->SeriesColor(), clLime);
  const int before = host.InvalidateCount;
  line->LinePen().SetWidth(3);
  EXPECT_GT(host.InvalidateCount, before);

  TFastLineSeries copy(nullptr);
  copy.Assign(*line);
  EXPECT_EQ(copy.LinePen().Width(), 3);
  EXPECT_EQ(copy.LinePen().Color(), clLime);
}

TEST_F(FastLineSeriesTest, ClicksFindThePointOrTheSegmentsLeftEnd) {
  SetRange(chart.BottomAxis(), 5, 55);  // x value v at pixel 2 * (v - 5)
  Points({{0, 10}, {10, 10}, {20, 30}, {30, 30}, {40, 50}, {50, 50}});
  Paint(*line);
  ASSERT_EQ(line->FirstShownIndex(), 1);
  EXPECT_EQ(line->PointAtPixel(50, 30), 3);  // point 3, also the end of segment 2-3
  EXPECT_EQ(line->PointAtPixel(60, 40), 3);  // on the segment from 3 to 4
  EXPECT_EQ(line->PointAtPixel(40, 30), 2);  // on the level segment from 2 to 3
  EXPECT_EQ(line->PointAtPixel(40, 31), -1);  // a pixel beside it
  EXPECT_EQ(line->PointAtPixel(2, 10), -1);  // the segment coming in from point 0
}

TEST_F(FastLineSeriesTest, LegendSymbolIsALineAcrossItsMiddle) {
  line->SetSeriesColor(clMaroon);
  canvas().Clear();
  line->DrawLegendSymbol(-1, {10, 20, 30, 27});
  ASSERT_EQ(Segments(), (std::vector<Segment>{{{10, 23}, {30, 23}}}));
  EXPECT_EQ(canvas().LastOf(CanvasCall::LineTo)->state.penColor, clMaroon);
}

// Of a run of points in one column the polyline keeps the first, the lowest
// and highest before the last (in the order they came), the one before the
// last and the last.
TEST(ColumnPolylineTest, KeepsWhatDecidesTheColumnsPixels) {
  ColumnPolyline line;
  for (int y : {10, 3, 8, 1, 6, 7}) line.Add({5, y});
  line.Add({6, 6});
  line.Add({6, 6});
  line.Add({9, 2});
  const auto out = line.Finish();
  EXPECT_EQ(std::vector<TPoint>(out.begin(), out.end()),
            (std::vector<TPoint>{{5, 10}, {5, 1}, {5, 6}, {5, 7}, {6, 6}, {9, 2}}));
  line.Clear();
  EXPECT_TRUE(line.Finish().empty());
}

}  // namespace
}  // namespace tokiwa::testing
