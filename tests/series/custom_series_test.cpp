#include <gtest/gtest.h>

#include "series/custom_series.h"
#include "series_fixture.h"

namespace tokiwa::testing {
namespace {

using CustomSeriesTest = SeriesFixture;

TEST_F(CustomSeriesTest, SingleShownPointDrawsItsMarkerAndNoLine) {
  auto* s = Add<TPointSeries>();
  s->AppendPoint(30, 40, "");
  Paint(*s);
  EXPECT_EQ(canvas().Count(CanvasCall::Rectangle), 1);
  EXPECT_EQ(Rects()[0].rect, (TRect{26, 36, 35, 45}));
  EXPECT_EQ(canvas().Count(CanvasCall::LineTo), 0);

  auto* hidden = Add<TPointSeries>();
  hidden->AppendPoint(30, 40, "", ColorNone);
  Paint(*hidden);
  EXPECT_TRUE(canvas().Calls().empty());
}

TEST_F(CustomSeriesTest, EveryMarkerIsDrawnAfterTheLineLeavingIt) {
  auto* s = Add<TLineSeries>();
  s->Pointer().SetVisible(true);
  for (int x : {10, 20, 30}) s->AppendPoint(x, 50, "");
  Paint(*s);
  std::vector<CanvasCall> kinds;
  for (const RecordedCall& c : canvas().Calls()) kinds.push_back(c.kind);
  using enum CanvasCall;
  EXPECT_EQ(kinds, (std::vector<CanvasCall>{LineTo, Rectangle, LineTo, Rectangle, Rectangle}));
  EXPECT_EQ(Rects()[2].rect.Left, 26);  // the last point's marker comes last
}

TEST_F(CustomSeriesTest, LineEntersFromTheLeftEdgeTowardsTheHiddenPoint) {
  SetRange(chart.BottomAxis(), 10, 60);  // x value v at pixel 2 * (v - 10)
  auto* s = Add<TLineSeries>();
  s->AppendPoint(0, 0, "");
  s->AppendPoint(20, 40, "");
  s->AppendPoint(40, 40, "");
  Paint(*s);
  ASSERT_EQ(s->FirstShownIndex(), 1);
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 2u);
  // The line through (0, 0) and (20, 40) has y = 20 at the edge value 10.
  EXPECT_TRUE(IsLine(lines[0], {0, 20}, {20, 40}));
  EXPECT_TRUE(IsLine(lines[1], {20, 40}, {60, 40}));

  s->SetStairs(true);
  Paint(*s);
  lines = Lines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_TRUE(IsLine(lines[0], {0, 0}, {20, 0}));
  EXPECT_TRUE(IsLine(lines[1], {20, 0}, {20, 40}));
}

TEST_F(CustomSeriesTest, ColorNonePointInterruptsLineAndHasNoMarker) {
  auto* s = Add<TLineSeries>();
  s->Pointer().SetVisible(true);
  for (int x : {0, 10, 20, 30, 40}) s->AppendPoint(x, 50, "", x == 20 ? ColorNone : clRed);
  Paint(*s);
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(IsLine(lines[0], {0, 50}, {10, 50}));
  EXPECT_TRUE(IsLine(lines[1], {30, 50}, {40, 50}));
  std::vector<int> markerCentres;
  for (const RecordedCall& r : Rects()) markerCentres.push_back(r.rect.Left + 4);
  EXPECT_EQ(markerCentres, (std::vector<int>{0, 10, 30, 40}));
}

TEST_F(CustomSeriesTest, StairsMakeHorizontalThenVerticalLegsOrTheReverse) {
  auto* s = Add<TLineSeries>();
  s->AppendPoint(0, 0, "");
  s->AppendPoint(10, 5, "");
  s->SetStairs(true);
  Paint(*s);
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(IsLine(lines[0], {0, 0}, {10, 0}));
  EXPECT_TRUE(IsLine(lines[1], {10, 0}, {10, 5}));

  s->SetInvertedStairs(true);
  Paint(*s);
  lines = Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(IsLine(lines[0], {0, 0}, {0, 5}));
  EXPECT_TRUE(IsLine(lines[1], {0, 5}, {10, 5}));
}

TEST_F(CustomSeriesTest, In3DLinesBecomeRibbonsAndAreasEndInASideFace) {
  chart.SetView3D(true);
  SetPlot({0, 0, 400, 200});
  chart.ComputeDepth();  // one slot is 6 across and 3 up
  SetRange(chart.BottomAxis(), 0, 400);
  SetRange(chart.LeftAxis(), 0, 200);
  const std::vector<TPoint> ribbon{{30, 40}, {10, 50}, {16, 47}, {36, 37}};

  auto* line = Add<TLineSeries>();
  line->AppendPoint(10, 50, "");
  line->AppendPoint(30, 40, "");
  Paint(*line);
  EXPECT_EQ(canvas().Count(CanvasCall::LineTo), 0);
  auto polygons = canvas().CallsOf(CanvasCall::Polygon);
  ASSERT_EQ(polygons.size(), 1u);
  EXPECT_EQ(polygons[0].points, ribbon);

  auto* area = Add<TAreaSeries>();
  area->AppendPoint(10, 50, "");
  area->AppendPoint(30, 40, "");
  Paint(*area);
  polygons = canvas().CallsOf(CanvasCall::Polygon);
  ASSERT_EQ(polygons.size(), 3u);
  EXPECT_EQ(polygons[0].points, ribbon);
  EXPECT_EQ(polygons[1].points, (std::vector<TPoint>{{10, 200}, {10, 50}, {30, 40}, {30, 200}}));
  EXPECT_EQ(polygons[2].points, (std::vector<TPoint>{{30, 200}, {30, 40}, {35, 37}, {35, 197}}));
}

TEST_F(CustomSeriesTest, LineIsDrawnInEachPointsColour) {
  auto* s = Add<TLineSeries>();
  s->AppendPoint(0, 10, "", clRed);
  s->AppendPoint(10, 10, "", clGreen);
  s->AppendPoint(20, 10, "", clBlue);
  Paint(*s);
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].state.penColor, clGreen);
  EXPECT_EQ(lines[1].state.penColor, clBlue);
}

TEST_F(CustomSeriesTest, PointsBeyondTheWindowRangeAreSkipped) {
  SetRange(chart.LeftAxis(), 0, 1);  // y value v at pixel 100 * v
  auto* s = Add<TLineSeries>();
  s->AppendPoint(0, 0.1, "");
  s->AppendPoint(10, 1000, "");  // pixel 100000
  s->AppendPoint(20, 0.2, "");
  Paint(*s);
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_TRUE(IsLine(lines[0], {0, 10}, {20, 20}));
}

TEST_F(CustomSeriesTest, SkippedFirstPointStartsNoLineFromAnEarlierPass) {
  SetRange(chart.LeftAxis(), 0, 1);  // y value v at pixel 100 * v
  auto* s = Add<TLineSeries>();
  for (int x : {0, 10, 20, 30}) s->AppendPoint(x, 0.5, "");
  Paint(*s);  // leaves the drawing state at (30, 50)
  s->YValues().SetValueAt(0, 1000);
  Paint(*s);
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(IsLine(lines[0], {10, 50}, {20, 50}));
}

TEST_F(CustomSeriesTest, AreaEnteringFromTheLeftStartsOnItsBaseLine) {
  SetRange(chart.BottomAxis(), 10, 60);  // x value v at pixel 2 * (v - 10)
  auto* area = Add<TAreaSeries>();
  area->AppendPoint(0, 30, "");
  area->AppendPoint(20, 40, "");
  Paint(*area);
  auto polygons = canvas().CallsOf(CanvasCall::Polygon);
  ASSERT_EQ(polygons.size(), 1u);
  EXPECT_EQ(polygons[0].points, (std::vector<TPoint>{{-20, 100}, {-20, 30}, {20, 40}, {20, 100}}));
}

TEST_F(CustomSeriesTest, MarginsMakeRoomForVisibleInflatingMarkers) {
  auto* points = Add<TPointSeries>();
  int left = -1, right = -1, top = -1, bottom = -1;
  points->HorizMargins(left, right);
  points->VertMargins(top, bottom);
  EXPECT_EQ(left, 5);
  EXPECT_EQ(right, 5);
  EXPECT_EQ(top, 5);
  EXPECT_EQ(bottom, 5);

  points->Pointer().SetVertSize(2);
  points->VertMargins(top, bottom);
  EXPECT_EQ(top, 3);

  points->Pointer().SetInflateMargins(false);
  points->HorizMargins(left, right);
  EXPECT_EQ(left, 0);
  EXPECT_EQ(right, 0);

  auto* line = Add<TLineSeries>();
  line->HorizMargins(left, right);
  EXPECT_EQ(left + right, 0);
}

TEST_F(CustomSeriesTest, PointerStyleEventShapesChartButNotLegend) {
  auto* s = Add<TPointSeries>();
  s->AppendPoint(20, 20, "");
  s->AppendPoint(60, 20, "");
  s->OnGetPointerStyle = [](TChartSeries*, int index) {
    return index == 1 ? TSeriesPointerStyle::psCircle : TSeriesPointerStyle::psRectangle;
  };
  Paint(*s);
  EXPECT_EQ(canvas().Count(CanvasCall::Rectangle), 1);
  ASSERT_EQ(canvas().Count(CanvasCall::Ellipse), 1);
  EXPECT_EQ(canvas().CallsOf(CanvasCall::Ellipse)[0].rect.Left, 56);

  canvas().Clear();
  s->DrawSymbolShape(1, {0, 0, 30, 12});
  EXPECT_EQ(canvas().Count(CanvasCall::Ellipse), 0);
  ASSERT_EQ(canvas().Count(CanvasCall::Rectangle), 1);
  // Centred in the symbol box, its half height limited to a third of the box.
  EXPECT_EQ(Rects()[0].rect, (TRect{11, 2, 20, 11}));
}

TEST_F(CustomSeriesTest, ClickableLineHitsTheSegmentAndAnswersItsStart) {
  auto* line = Add<TLineSeries>();
  line->AppendPoint(0, 0, "");
  line->AppendPoint(100, 100, "");
  Paint(*line);
  EXPECT_EQ(line->PointAtPixel(50, 50), 0);
  EXPECT_EQ(line->PointAtPixel(50, 60), -1);
  EXPECT_EQ(line->PointAtPixel(100, 100), 1);  // exactly on the point

  line->SetClickableLine(false);
  EXPECT_EQ(line->PointAtPixel(50, 50), -1);
}

TEST_F(CustomSeriesTest, PointerClickRaisesOnClickPointer) {
  auto* s = Add<TPointSeries>();
  s->AppendPoint(10, 10, "");
  s->AppendPoint(40, 10, "");
  Paint(*s);
  int raised = -1;
  s->OnClickPointer = [&](TCustomSeries*, int index, int, int) { raised = index; };
  EXPECT_EQ(s->PointAtPixel(41, 12), 1);
  EXPECT_EQ(raised, 1);
}

TEST_F(CustomSeriesTest, ConstructorsAndAssignSetTheirKindsRules) {
  TPointSeries point(nullptr);
  EXPECT_TRUE(point.Pointer().Visible());
  EXPECT_FALSE(point.DrawLines());
  EXPECT_FALSE(point.ClickableLine());
  EXPECT_EQ(point.Marks().ArrowLength(), 0);
  EXPECT_TRUE(point.KeepPointPastRange());

  TLineSeries line(nullptr);
  EXPECT_FALSE(line.Pointer().Visible());
  EXPECT_TRUE(line.DrawLines());
  EXPECT_TRUE(line.ClickableLine());
  EXPECT_FALSE(line.SinglePointAllowed());

  line.SetStairs(true);
  line.LinePen().SetWidth(3);
  line.SetAreaColor(clTeal);
  point.Assign(line);
  EXPECT_TRUE(point.Stairs());
  EXPECT_EQ(point.LinePen().Width(), 3);
  EXPECT_EQ(point.AreaColor(), clTeal);
  EXPECT_TRUE(point.Pointer().Visible());  // forced back after the copy
  EXPECT_FALSE(point.DrawLines());
  EXPECT_FALSE(point.ClickableLine());

  TAreaSeries area(nullptr);
  EXPECT_TRUE(area.DrawArea());
  EXPECT_EQ(area.EditorClassName(), "TAreaSeriesEditor");
  line.Assign(area);
  EXPECT_FALSE(line.DrawArea());
  EXPECT_TRUE(line.DrawLines());
  EXPECT_EQ(line.EditorClassName(), "TCustomSeriesEditor");
}

}  // namespace
}  // namespace tokiwa::testing
