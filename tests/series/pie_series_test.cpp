#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "chart/mouse_test_support.h"
#include "series/pie_series.h"
#include "series_fixture.h"

namespace tokiwa::testing {
namespace {

constexpr double kPi = std::numbers::pi;

// The plot rectangle (0, 0, 201, 101) gives the pie the ellipse (0, 0, 200,
// 100): centre (100, 50), radii 100 and 50.
class PieSeriesTest : public SeriesFixture {
 protected:
  PieSeriesTest() { SetPlot({0, 0, 201, 101}); }

  TPieSeries* AddPie(std::initializer_list<double> values) {
    auto* p = Add<TPieSeries>();
    p->Marks().SetVisible(false);
    for (double v : values) p->AppendValue(v, "");
    return p;
  }

  // One series' part of a paint, recorded from scratch.
  void Draw(TPieSeries& p) {
    canvas().Clear();
    p.ComputeShownRange();
    p.BeginDrawing();
    p.DrawPoints();
    if (p.Marks().Visible()) p.DrawMarks();
    p.EndDrawing();
  }

  std::vector<RecordedCall> Pies() { return canvas().CallsOf(CanvasCall::Pie); }
};

double Degrees(double radians) { return radians * 180 / kPi; }

TEST_F(PieSeriesTest, SliceTableSharesTheFullTurn) {
  const struct {
    std::vector<double> values;
    std::vector<double> endDegrees;
  } cases[] = {
      {{1, 1, 2}, {90, 180, 360}},
      {{-1, 1, 2}, {90, 180, 360}},  // a negative value takes its magnitude's share
      {{1, 0, 1}, {180, 181, 360}},  // a zero value still gets one degree
      {{0, 0}, {360 - Degrees(1e-6), 360 - Degrees(1e-6)}},
      {{7}, {360}},
  };
  for (const auto& c : cases) {
    auto* pie = Add<TPieSeries>();
    pie->Marks().SetVisible(false);
    for (double v : c.values) pie->AppendValue(v, "");
    Draw(*pie);
    ASSERT_EQ(pie->SliceCount(), static_cast<int>(c.values.size()));
    for (int i = 0; i < pie->SliceCount(); ++i) {
      EXPECT_NEAR(Degrees(pie->EndAngle(i)), c.endDegrees[static_cast<size_t>(i)], 1e-9) << i;
      EXPECT_DOUBLE_EQ(pie->MidAngle(i), (pie->SliceStart(i) + pie->EndAngle(i)) / 2);
    }
    EXPECT_EQ(pie->SliceStart(0), 1e-6);
    pie->SetActive(false);
  }
  // Shares that do not add up exactly in floating point still close the circle.
  auto* pie = AddPie({0.1, 0.2, 0.3, 0.7, 1.1});
  Draw(*pie);
  EXPECT_EQ(pie->EndAngle(4), 2 * kPi);
}

TEST_F(PieSeriesTest, EllipseFollowsPlotRadiiDepthAndRoundness) {
  auto* pie = AddPie({1, 2});
  auto ellipse = [&] {
    Draw(*pie);
    return pie->PieRect();
  };
  EXPECT_EQ(ellipse(), (TRect{0, 0, 200, 100}));
  EXPECT_EQ(pie->PieCentreX(), 100);
  EXPECT_EQ(pie->YRadius(), 50);

  pie->SetCustomXRadius(30);
  pie->SetCustomYRadius(20);
  EXPECT_EQ(ellipse(), (TRect{70, 30, 130, 70}));
  pie->SetCustomXRadius(0);
  pie->SetCustomYRadius(0);

  chart.SetView3D(true);
  chart.SetChart3DPercent(20);  // 20 % of the height goes to the rim
  EXPECT_EQ(ellipse(), (TRect{0, 0, 200, 80}));
  EXPECT_EQ(pie->PieDepth(), 20);
  chart.SetView3D(false);

  SetPlot({0, 0, 301, 101});
  pie->SetCircled(true);
  EXPECT_EQ(ellipse(), (TRect{100, 0, 200, 100}));  // square pixels
  host.PhysicalScreen = {1920, 2160};                // pixels twice as tall as wide
  EXPECT_EQ(ellipse(), (TRect{50, 0, 250, 100}));
}

TEST_F(PieSeriesTest, MarksTakeRoomAroundTheEllipse) {
  auto* pie = AddPie({});
  pie->AppendValue(1, "A");
  pie->AppendValue(1, "BB");
  pie->Marks().SetVisible(true);
  Draw(*pie);
  // A line of text (15) + the arrow (8) + the frame (2 x 1) above and below;
  // "W" (7) + the widest mark, "BB" (14) + the arrow + the frame beside.
  const int v = 15 + 8 + 2, h = 7 + 14 + 8 + 2;
  EXPECT_EQ(pie->PieRect(), (TRect{h, v, 200 - h, 100 - v}));
}

TEST_F(PieSeriesTest, SlicesRunCounterClockwiseFromOneEndPointToTheNext) {
  auto* pie = AddPie({1, 1, 2});
  Draw(*pie);
  const auto pies = Pies();
  ASSERT_EQ(pies.size(), 3u);
  const TPoint ends[] = {{200, 50}, {100, 0}, {0, 50}, {200, 50}};
  const TColor colours[] = {clRed, clGreen, clYellow};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(pies[i].rect, (TRect{0, 0, 200, 100}));
    EXPECT_EQ(pies[i].from, ends[i]);
    EXPECT_EQ(pies[i].to, ends[i + 1]);
    EXPECT_EQ(pies[i].state.brushColor, colours[i]);
    EXPECT_EQ(pies[i].state.brushStyle, TBrushStyle::bsSolid);
  }
  // Then the outline of the whole ellipse, once.
  ASSERT_EQ(canvas().Count(CanvasCall::Ellipse), 1);
  EXPECT_EQ(canvas().LastOf(CanvasCall::Ellipse)->state.brushStyle, TBrushStyle::bsClear);
  auto* second = AddPie({1});
  Draw(*second);
  EXPECT_EQ(canvas().Count(CanvasCall::Ellipse), 1);  // its only slice; no outline of its own
  EXPECT_EQ(canvas().Count(CanvasCall::Pie), 0);
}

TEST_F(PieSeriesTest, PatternsAndBackColour) {
  auto* pie = AddPie({1, 1, 1, 1, 1, 1, 1});
  pie->SetUsePatterns(true);
  pie->SetCircleBackColor(clSilver);
  Draw(*pie);
  const RecordedCall& back = canvas().Calls().front();
  EXPECT_EQ(back.kind, CanvasCall::Ellipse);
  EXPECT_EQ(back.state.brushColor, clSilver);
  const auto pies = Pies();
  ASSERT_EQ(pies.size(), 7u);
  using enum TBrushStyle;
  const TBrushStyle hatches[] = {bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross, bsHorizontal};
  for (size_t i = 0; i < 7; ++i) {
    EXPECT_EQ(pies[i].state.brushStyle, hatches[i]);
    EXPECT_EQ(pies[i].state.bkColor, clSilver);  // the gaps of the hatch
  }
  TColor background = clWhite;
  TBrushStyle style = bsSolid;
  pie->LegendSymbolStyle(3, background, style);
  EXPECT_EQ(style, bsBDiagonal);
}

TEST_F(PieSeriesTest, RimShowsOnTheLowerHalfInADarkerShade) {
  chart.SetView3D(true);
  auto* pie = AddPie({1, 1});  // upper half, then lower half
  pie->SetShadowed3d(true);
  pie->SetShadowColor(clBlue);
  Draw(*pie);
  const int depth = pie->PieDepth();
  ASSERT_GT(depth, 0);
  // Shadowed, the rim is drawn twice, the second time over the hatched slice.
  std::vector<std::vector<RecordedCall>> passes;
  for (const RecordedCall& c : canvas().CallsOf(CanvasCall::LineTo)) {
    if (c.state.penColor != 0x004000 && c.state.penColor != clBlue) continue;
    if (passes.empty() || c.from.X <= passes.back().back().from.X) passes.emplace_back();
    passes.back().push_back(c);
  }
  ASSERT_EQ(passes.size(), 2u);
  const std::vector<RecordedCall>& rim = passes[0];
  ASSERT_GT(rim.size(), 150u);  // one line per pixel column of the lower half
  EXPECT_EQ(passes[1].size(), rim.size());
  for (size_t k = 0; k < rim.size(); ++k) {
    EXPECT_EQ(rim[k].state.penColor, k % 2 == 0 ? 0x004000u : clBlue);  // green darkened, then the shadow
    EXPECT_EQ(rim[k].to.Y - rim[k].from.Y, depth);
    EXPECT_GE(rim[k].from.Y, pie->PieCentreY());
  }
  // The sides and the bottom of the rim close the outline.
  const RecordedCall* arc = canvas().LastOf(CanvasCall::Arc);
  ASSERT_NE(arc, nullptr);
  const TRect& r = pie->PieRect();
  EXPECT_EQ(arc->rect, (TRect{r.Left + 1, r.Top + depth, r.Right, r.Bottom + depth}));
  EXPECT_EQ(arc->from, (TPoint{r.Left, pie->PieCentreY() + depth}));
}

TEST_F(PieSeriesTest, MarksAtTheTopAndBottomHangLeftOfTheCentreLine) {
  auto* pie = AddPie({1, 1, 1, 1});
  pie->SetRotationAngle(45);  // the slices' middles at 90, 180, 270 and 360 degrees
  pie->Marks().SetVisible(true);
  Draw(*pie);
  const int cx = pie->PieCentreX(), cy = pie->PieCentreY();
  const auto boxes = canvas().CallsOf(CanvasCall::Rectangle);
  const auto arrows = canvas().CallsOf(CanvasCall::LineTo);
  ASSERT_EQ(boxes.size(), 4u);
  const int lineHeight = 15;
  EXPECT_EQ(boxes[0].rect.Right, cx);  // top: ends at the centre line, above the ellipse
  EXPECT_EQ(boxes[0].rect.Bottom, cy - (pie->YRadius() + lineHeight));
  EXPECT_EQ(boxes[2].rect.Right, cx);  // bottom: the same, below
  EXPECT_EQ(boxes[2].rect.Top, cy + pie->YRadius() + lineHeight);
  EXPECT_EQ(boxes[1].rect.Right, cx - (pie->XRadius() + 7));  // left: ends a "W" beyond the ellipse
  EXPECT_EQ(boxes[3].rect.Left, cx + pie->XRadius() + 7);     // right: starts there
  // The arrow of the top mark starts inside the ellipse, an arrow length in.
  EXPECT_EQ(arrows[0].from, (TPoint{cx, cy - (pie->YRadius() - 8)}));
  EXPECT_EQ(arrows[0].to, (TPoint{cx, cy - (pie->YRadius() + lineHeight)}));
}

TEST_F(PieSeriesTest, ClicksFindTheSliceByAngle) {
  auto* pie = AddPie({1, 1, 2});  // 0..90, 90..180, 180..360 degrees
  Draw(*pie);
  const struct {
    TPoint at;
    int slice;
  } clicks[] = {
      {{100, 20}, 0},  // the centre column above the centre: 90 degrees, the end of slice 0
      {{100, 80}, 2},  // below it: 270 degrees
      {{150, 40}, 0},  {{60, 40}, 1}, {{60, 60}, 2},
      {{199, 50}, 2},  // the 3 o'clock radius, where the last slice ends
      {{190, 8}, -1},  // inside the box, outside the ellipse
      {{200, 50}, -1}, {{100, 100}, -1},
  };
  for (const auto& c : clicks) EXPECT_EQ(pie->PointAtPixel(c.at.X, c.at.Y), c.slice) << c.at.X << "," << c.at.Y;
  pie->SetRotationAngle(90);
  Draw(*pie);
  EXPECT_EQ(pie->PointAtPixel(100, 20), 2);  // now the 360-degree end of the last slice
  EXPECT_EQ(pie->PointAtPixel(20, 50), 0);
}

TEST_F(PieSeriesTest, TooSmallAChartDrawsNoSlices) {
  SetPlot({10, 10, 14, 13});
  auto* pie = AddPie({1, 2});
  Draw(*pie);
  EXPECT_EQ(pie->PieWidth(), 4);
  EXPECT_EQ(canvas().Count(CanvasCall::Pie), 0);
  EXPECT_EQ(pie->PointAtPixel(12, 12), -1);
}

TEST_F(PieSeriesTest, SettingsRotationSharingAndAssignment) {
  auto* pie = AddPie({1});
  pie->SetRotationAngle(450);
  EXPECT_EQ(pie->RotationAngle(), 90);
  EXPECT_DOUBLE_EQ(pie->RotationRadians(), kPi / 2);
  try {
    pie->SetRotationAngle(-1);
    ADD_FAILURE() << "no exception";
  } catch (const PieException& e) {
    EXPECT_STREQ(e.what(), "回転の角度は 0 から 359 の間でなければなりません");
  }
  EXPECT_EQ(pie->RotationAngle(), 90);

  auto* other = AddPie({1});
  other->SetCircled(true);
  other->SetCustomXRadius(40);
  EXPECT_TRUE(pie->Circled());
  EXPECT_EQ(pie->CustomXRadius(), 40);

  pie->SetDark3D(false);
  pie->SetUsePatterns(true);
  pie->SetColorEachPoint(false);
  TPieSeries copy(nullptr);
  copy.Assign(*pie);
  EXPECT_EQ(copy.RotationAngle(), 90);
  EXPECT_FALSE(copy.Dark3D());
  EXPECT_TRUE(copy.UsePatterns());
  EXPECT_TRUE(copy.ColorEachPoint());  // always, whatever the source says
  EXPECT_EQ(copy.PointCount(), 1);

  copy.FillSampleValues(9);
  ASSERT_EQ(copy.PointCount(), 9);
  EXPECT_EQ(copy.PointLabel(0), "Cars");
  EXPECT_EQ(copy.PointLabel(8), "Cars");
  for (int i = 0; i < 9; ++i) EXPECT_TRUE(copy.PointY(i) >= 1 && copy.PointY(i) <= 1000);
}

TEST(PieModeTest, APieTurnsAxesZoomAndPanningOffUntilTheLastOneLeaves) {
  mouse_test::MouseChart m;
  TChart& chart = *m.chart;
  chart.SetAllowPanning(TPanningMode::pmHorizontal);
  auto expectPieMode = [&](bool on) {
    EXPECT_EQ(chart.AxisVisible(), !on);
    EXPECT_EQ(chart.ClipPoints(), !on);
    EXPECT_EQ(chart.Frame().Visible(), !on);
    EXPECT_EQ(chart.View3DWalls(), !on);
    EXPECT_EQ(chart.AllowZoom(), !on);
    EXPECT_EQ(chart.AllowPanning(), on ? TPanningMode::pmNone : TPanningMode::pmBoth);
  };
  auto* pie = new TPieSeries(&m.form);
  pie->SetParentChart(&chart);
  expectPieMode(true);
  m.Drag(TMouseButton::mbLeft, {200, 200}, {300, 350});
  EXPECT_FALSE(chart.ZoomApplied());

  pie->SetActive(false);
  expectPieMode(false);
  pie->SetActive(true);
  expectPieMode(true);

  auto* second = new TPieSeries(&m.form);
  second->SetParentChart(&chart);
  pie->SetParentChart(nullptr);
  expectPieMode(true);  // the other pie is still there
  delete second;
  expectPieMode(false);
  m.Drag(TMouseButton::mbLeft, {200, 200}, {300, 350});
  EXPECT_TRUE(chart.ZoomApplied());
}

}  // namespace
}  // namespace tokiwa::testing
