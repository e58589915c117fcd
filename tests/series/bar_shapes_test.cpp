#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "bar_fixture.h"

namespace tokiwa::testing {
namespace {

using Points = std::vector<TPoint>;

// One red bar 70 pixels wide at x = 100: from pixel 65 to 135, its origin at
// pixel 100, its value end wherever its height puts it.
class BarShapesTest : public BarFixture {
 protected:
  TBarSeries* Bar(double height, TBarStyle style) {
    TBarSeries* bar = Bars({height});
    bar->SetCustomBarWidth(70);
    bar->SetSeriesColor(clRed);
    bar->SetBarStyle(style);
    return bar;
  }

  // The bar lying at y = 100 (pixels 365 to 435), its origin at pixel 0.
  THorizBarSeries* LyingBar(double length, TBarStyle style) {
    UseLyingPlot();
    THorizBarSeries* bar = Lying({length});
    bar->SetCustomBarHeight(70);
    bar->SetSeriesColor(clRed);
    bar->SetBarStyle(style);
    return bar;
  }
};

constexpr TColor kTop = 0x0000BF;   // red darkened by 64
constexpr TColor kSide = 0x00007F;  // red darkened by 128

TEST_F(BarShapesTest, FlatShapesOfABarAboveAndBelowItsOrigin) {
  struct Row {
    TBarStyle style;
    double height;
    CanvasCall kind;
    TRect rect;     // Rectangle, Ellipse
    Points points;  // Polygon
  };
  const Row rows[] = {
      {TBarStyle::bsRectangle, 50, CanvasCall::Rectangle, {65, 50, 135, 100}, {}},
      {TBarStyle::bsRectangle, -20, CanvasCall::Rectangle, {65, 100, 135, 120}, {}},
      {TBarStyle::bsCilinder, 50, CanvasCall::Rectangle, {65, 50, 135, 100}, {}},
      {TBarStyle::bsEllipse, -20, CanvasCall::Ellipse, {65, 100, 135, 120}, {}},
      {TBarStyle::bsPyramid, 50, CanvasCall::Polygon, {}, {{65, 100}, {100, 50}, {135, 100}}},
      {TBarStyle::bsPyramid, -50, CanvasCall::Polygon, {}, {{65, 150}, {100, 100}, {135, 150}}},
      {TBarStyle::bsInvPyramid, 50, CanvasCall::Polygon, {}, {{65, 50}, {100, 100}, {134, 50}}},
      {TBarStyle::bsArrow, 50, CanvasCall::Polygon, {},
       {{82, 100}, {82, 84}, {65, 84}, {100, 50}, {135, 84}, {118, 84}, {118, 100}}},
      {TBarStyle::bsArrow, -50, CanvasCall::Polygon, {},
       {{82, 100}, {82, 116}, {65, 116}, {100, 150}, {135, 116}, {118, 116}, {118, 100}}},
      // Shorter than its head: a rectangle, for bars hanging down too.
      {TBarStyle::bsArrow, -20, CanvasCall::Rectangle, {65, 100, 135, 120}, {}},
  };
  for (const Row& r : rows) {
    chart.DestroyAllSeries();
    PaintBars(*Bar(r.height, r.style));
    ASSERT_EQ(canvas().Calls().size(), 1u) << int(r.style) << " " << r.height;
    const RecordedCall& call = canvas().Calls()[0];
    EXPECT_EQ(call.kind, r.kind) << int(r.style) << " " << r.height;
    if (r.kind == CanvasCall::Polygon)
      EXPECT_EQ(call.points, r.points) << int(r.style) << " " << r.height;
    else
      EXPECT_EQ(call.rect, r.rect) << int(r.style) << " " << r.height;
    EXPECT_EQ(call.state.brushColor, clRed);
  }
}

TEST_F(BarShapesTest, GradientRunsFromTheBarsColourAtItsOriginToWhiteAtItsEnd) {
  struct Row {
    double height;
    TRect originBand, endBand;
  };
  const Row rows[] = {{50, {65, 99, 135, 100}, {65, 50, 135, 51}}, {-50, {65, 100, 135, 101}, {65, 149, 135, 150}}};
  for (const Row& r : rows) {
    chart.DestroyAllSeries();
    PaintBars(*Bar(r.height, TBarStyle::bsRectGradient));
    const auto bands = canvas().CallsOf(CanvasCall::FillRect);
    ASSERT_EQ(bands.size(), 50u) << r.height;
    auto at = [&](const TRect& rect) {
      return std::find_if(bands.begin(), bands.end(), [&](const RecordedCall& c) { return c.rect == rect; });
    };
    ASSERT_NE(at(r.originBand), bands.end()) << r.height;
    ASSERT_NE(at(r.endBand), bands.end()) << r.height;
    EXPECT_EQ(at(r.originBand)->state.brushColor, clRed) << r.height;
    EXPECT_EQ(at(r.endBand)->state.brushColor, clWhite) << r.height;
  }
}

TEST_F(BarShapesTest, ThreeDimensionalFacesInDarkerShades) {
  Use3D();
  struct Row {
    TBarStyle style;
    double height;
    std::vector<Points> polygons;
    std::vector<TColor> colours;
  };
  const Points top = {{133, 50}, {65, 50}, {115, 40}, {184, 40}};
  const Row rows[] = {
      {TBarStyle::bsRectangle, 50, {{{134, 99}, {134, 49}, {184, 40}, {184, 90}}, top}, {kSide, kTop}},
      {TBarStyle::bsPyramid, 50, {{{65, 100}, {125, 45}, {135, 100}}, {{125, 45}, {184, 90}, {135, 100}}}, {clRed, kSide}},
      {TBarStyle::bsPyramid, 0, {{{133, 100}, {65, 100}, {115, 90}, {184, 90}}}, {kTop}},  // no height: its top
      {TBarStyle::bsInvPyramid, 50,
       {{{65, 50}, {125, 95}, {134, 50}}, {{134, 50}, {184, 40}, {125, 95}}, top}, {clRed, kSide, kTop}},
      {TBarStyle::bsArrow, 50,
       {{{107, 95}, {107, 79}, {90, 79}, {125, 45}, {160, 79}, {143, 79}, {143, 95}}}, {clRed}},
  };
  for (const Row& r : rows) {
    chart.DestroyAllSeries();
    PaintBars(*Bar(r.height, r.style));
    const auto polygons = Polygons();
    ASSERT_EQ(polygons.size(), r.polygons.size()) << int(r.style);
    for (size_t i = 0; i < polygons.size(); ++i) {
      EXPECT_EQ(polygons[i].points, r.polygons[i]) << int(r.style) << " " << i;
      EXPECT_EQ(polygons[i].state.brushColor, r.colours[i]) << int(r.style) << " " << i;
    }
  }
  chart.DestroyAllSeries();
  TBarSeries* plain = Bar(50, TBarStyle::bsEllipse);
  PaintBars(*plain);
  EXPECT_EQ(canvas().LastOf(CanvasCall::Ellipse)->rect, (TRect{90, 45, 160, 95}));  // halfway into the depth
  plain->SetBarStyle(TBarStyle::bsRectangle);
  plain->SetDark3D(false);
  PaintBars(*plain);
  for (const RecordedCall& p : Polygons()) EXPECT_EQ(p.state.brushColor, clRed);
}

// A cylinder as wide as the bar and as deep as its slot: its cap is the circle
// of the slot's depth seen obliquely, centred halfway into the depth.
TEST_F(BarShapesTest, CylinderIsRoundAcrossTheBarAndTheDepth) {
  Use3D();
  PaintBars(*Bar(50, TBarStyle::bsCilinder));
  const auto polygons = Polygons();
  ASSERT_EQ(polygons.size(), 2u);
  auto bounds = [](const Points& points) {
    TRect r{points[0].X, points[0].Y, points[0].X, points[0].Y};
    for (TPoint p : points) r = {std::min(r.Left, p.X), std::min(r.Top, p.Y), std::max(r.Right, p.X), std::max(r.Bottom, p.Y)};
    return r;
  };
  // Across 35 and half a slot (25, -5) deep: the cross-section reaches
  // sqrt(35^2 + 25^2) = 43 either side of its centre and 5 above and below.
  const TRect body = bounds(polygons[0].points), cap = bounds(polygons[1].points);
  EXPECT_NEAR(cap.Left, 125 - 43, 1);
  EXPECT_NEAR(cap.Right, 125 + 43, 1);
  EXPECT_NEAR(cap.Top, 40, 1);
  EXPECT_NEAR(cap.Bottom, 50, 1);
  EXPECT_NEAR(body.Left, cap.Left, 1);
  EXPECT_NEAR(body.Right, cap.Right, 1);
  EXPECT_NEAR(body.Top, 40, 1);
  EXPECT_NEAR(body.Bottom, 100, 1);  // its front touches the origin
  EXPECT_EQ(polygons[0].state.brushColor, clRed);
  EXPECT_EQ(polygons[1].state.brushColor, kTop);
}

TEST_F(BarShapesTest, BarsTooThinForTheirPenOrWithoutHeight) {
  TBarSeries* bar = Bar(0, TBarStyle::bsRectangle);
  bar->BarPen().SetVisible(false);
  PaintBars(*bar);
  ASSERT_EQ(Lines().size(), 1u);  // a line in the bar's colour, not an empty rectangle
  EXPECT_TRUE(IsLine(Lines()[0], {65, 100}, {135, 100}));
  EXPECT_EQ(Lines()[0].state.penColor, clRed);
  EXPECT_EQ(Lines()[0].state.penStyle, TPenStyle::psSolid);

  bar->YValues().SetValueAt(0, 50);
  bar->BarPen().SetVisible(true);
  bar->BarPen().SetWidth(71);
  PaintBars(*bar);
  ASSERT_EQ(Rects().size(), 1u);
  EXPECT_EQ(Rects()[0].state.brushStyle, TBrushStyle::bsClear);
  EXPECT_EQ(Rects()[0].state.penColor, clRed);

  // Hatched bars are always rectangles, their gaps in the brush's colour.
  bar->BarBrush().SetStyle(TBrushStyle::bsBDiagonal);
  bar->BarBrush().SetColor(clYellow);
  bar->YValues().SetValueAt(0, 0);
  PaintBars(*bar);
  ASSERT_EQ(Rects().size(), 1u);
  EXPECT_EQ(Rects()[0].state.brushStyle, TBrushStyle::bsBDiagonal);
  EXPECT_EQ(Rects()[0].state.bkMode, BkMode::Opaque);
  EXPECT_EQ(Rects()[0].state.bkColor, clYellow);
}

TEST_F(BarShapesTest, ApplicationChoosesTheShapeOfEachBarButClicksFollowBarStyle) {
  TBarSeries* bar = Bar(50, TBarStyle::bsRectangle);
  bar->OnGetBarStyle = [](TCustomBarSeries*, int, TBarStyle& style) { style = TBarStyle::bsEllipse; };
  PaintBars(*bar);
  EXPECT_EQ(canvas().Count(CanvasCall::Ellipse), 1);
  EXPECT_EQ(bar->PointAtPixel(66, 51), 0);  // a corner outside the ellipse
}

TEST_F(BarShapesTest, ClicksHitEachShapeUpToItsEdges) {
  struct Row {
    TBarStyle style;
    TPoint at;
    bool hit;
  };
  const Row rows[] = {
      {TBarStyle::bsRectangle, {65, 75}, true},   {TBarStyle::bsRectangle, {64, 75}, false},
      {TBarStyle::bsRectangle, {135, 75}, true},  {TBarStyle::bsRectangle, {136, 75}, false},
      {TBarStyle::bsRectangle, {100, 50}, true},  {TBarStyle::bsRectangle, {100, 49}, false},
      {TBarStyle::bsRectangle, {100, 100}, true}, {TBarStyle::bsRectangle, {100, 101}, false},
      {TBarStyle::bsPyramid, {100, 60}, true},    {TBarStyle::bsPyramid, {70, 60}, false},
      {TBarStyle::bsPyramid, {66, 99}, true},     {TBarStyle::bsPyramid, {65, 99}, false},
      {TBarStyle::bsInvPyramid, {100, 99}, true}, {TBarStyle::bsInvPyramid, {70, 90}, false},
      {TBarStyle::bsEllipse, {65, 50}, true},     {TBarStyle::bsEllipse, {134, 99}, true},
      {TBarStyle::bsEllipse, {135, 75}, false},   {TBarStyle::bsEllipse, {100, 100}, false},
      {TBarStyle::bsArrow, {135, 99}, true},      {TBarStyle::bsCilinder, {136, 99}, false},
      {TBarStyle::bsRectGradient, {65, 50}, true},
  };
  for (const Row& r : rows) {
    chart.DestroyAllSeries();
    TBarSeries* bar = Bar(50, r.style);
    PaintBars(*bar);
    EXPECT_EQ(bar->PointAtPixel(r.at.X, r.at.Y), r.hit ? 0 : -1) << int(r.style) << " " << r.at.X << "," << r.at.Y;
  }
}

TEST_F(BarShapesTest, InThreeDimensionsAPyramidIsHitUpToItsShiftedTip) {
  Use3D();
  TBarSeries* bar = Bar(50, TBarStyle::bsPyramid);
  PaintBars(*bar);
  EXPECT_EQ(bar->PointAtPixel(124, 47), 0);
  EXPECT_EQ(bar->PointAtPixel(100, 52), -1);
}

TEST_F(BarShapesTest, BarsThatAreNotDrawnAreNotHit) {
  TBarSeries* bar = Bar(50, TBarStyle::bsRectangle);
  bar->AppendEmpty("");  // at x = 1, value 0
  bar->SetCustomBarWidth(0);
  PaintBars(*bar);
  EXPECT_EQ(canvas().Count(CanvasCall::Rectangle), 1);
  bar->ComputeBarSize();
  EXPECT_EQ(bar->PointAtPixel(bar->PointScreenX(0) + 1, 100), -1);
}

// --- lying bars ---

TEST_F(BarShapesTest, LyingShapesPointAlongTheirValues) {
  struct Row {
    TBarStyle style;
    double length;
    Points points;
  };
  const Row rows[] = {
      {TBarStyle::bsPyramid, 50, {{0, 365}, {50, 400}, {0, 435}}},
      {TBarStyle::bsInvPyramid, 50, {{50, 365}, {0, 400}, {50, 435}}},
      {TBarStyle::bsArrow, 50, {{0, 382}, {16, 382}, {16, 365}, {50, 400}, {16, 435}, {16, 418}, {0, 418}}},
      {TBarStyle::bsArrow, -50, {{0, 382}, {-16, 382}, {-16, 365}, {-50, 400}, {-16, 435}, {-16, 418}, {0, 418}}},
  };
  for (const Row& r : rows) {
    chart.DestroyAllSeries();
    PaintBars(*LyingBar(r.length, r.style));
    ASSERT_EQ(Polygons().size(), 1u) << int(r.style);
    EXPECT_EQ(Polygons()[0].points, r.points) << int(r.style) << " " << r.length;
  }
}

TEST_F(BarShapesTest, LyingBarsShowTheirTopAndTheirRightEndInThreeDimensions) {
  THorizBarSeries* bar = LyingBar(50, TBarStyle::bsRectangle);
  Use3D();  // 10 right and 50 up
  PaintBars(*bar);
  EXPECT_EQ(Rects().at(0).rect, (TRect{0, 365, 50, 435}));
  const auto polygons = Polygons();
  ASSERT_EQ(polygons.size(), 2u);
  EXPECT_EQ(polygons[0].points, (Points{{49, 434}, {49, 365}, {59, 315}, {59, 384}}));
  EXPECT_EQ(polygons[0].state.brushColor, kSide);
  EXPECT_EQ(polygons[1].points, (Points{{49, 365}, {0, 365}, {10, 315}, {59, 315}}));
  EXPECT_EQ(polygons[1].state.brushColor, kTop);

  bar->SetBarStyle(TBarStyle::bsCilinder);
  PaintBars(*bar);
  const auto cylinder = Polygons();
  ASSERT_EQ(cylinder.size(), 2u);
  EXPECT_EQ(cylinder[1].state.brushColor, kSide);  // the cap at the right end
  for (TPoint p : cylinder[1].points) EXPECT_NEAR(p.X, 55, 6);
}

TEST_F(BarShapesTest, ClicksHitLyingShapesUpToTheirEdges) {
  struct Row {
    TBarStyle style;
    TPoint at;
    bool hit;
  };
  const Row rows[] = {
      {TBarStyle::bsRectangle, {25, 365}, true},  {TBarStyle::bsRectangle, {25, 435}, true},
      {TBarStyle::bsRectangle, {25, 436}, false}, {TBarStyle::bsRectangle, {50, 400}, true},
      {TBarStyle::bsRectangle, {51, 400}, false}, {TBarStyle::bsRectangle, {-1, 400}, false},
      {TBarStyle::bsPyramid, {40, 400}, true},    {TBarStyle::bsPyramid, {40, 370}, false},
      {TBarStyle::bsInvPyramid, {10, 400}, true}, {TBarStyle::bsInvPyramid, {10, 370}, false},
      {TBarStyle::bsEllipse, {49, 434}, true},    {TBarStyle::bsEllipse, {50, 400}, false},
  };
  for (const Row& r : rows) {
    chart.DestroyAllSeries();
    THorizBarSeries* bar = LyingBar(50, r.style);
    PaintBars(*bar);
    EXPECT_EQ(bar->PointAtPixel(r.at.X, r.at.Y), r.hit ? 0 : -1) << int(r.style) << " " << r.at.X << "," << r.at.Y;
  }
}

}  // namespace
}  // namespace tokiwa::testing
