// Panel background, colour gradient, background picture, bevels and walls.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "chart/chart.h"
#include "paint_test_support.h"

namespace tokiwa {
namespace {

using paint_test::PaintChart;

// --- gradient ---

TEST(FillGradient, AtMost256BandsCoveringTheRectangleWithoutGaps) {
  for (int size : {1000, 100, 256, 257}) {
    RecordingCanvas canvas;
    FillGradient(canvas, {0, 10, 40, 10 + size}, clWhite, clYellow, false);
    auto bands = canvas.CallsOf(CanvasCall::FillRect);
    ASSERT_EQ(static_cast<int>(bands.size()), std::min(size, 256)) << size;
    // Band 0 lies at the bottom; each next band directly above the previous one.
    int bottom = 10 + size;
    for (const auto& b : bands) {
      EXPECT_EQ(b.rect.Bottom, bottom);
      EXPECT_EQ(b.rect.Left, 0);
      EXPECT_EQ(b.rect.Right, 40);
      EXPECT_EQ(b.state.brushStyle, TBrushStyle::bsSolid);
      bottom = b.rect.Top;
    }
    EXPECT_EQ(bottom, 10);
    EXPECT_EQ(bands.front().state.brushColor, clWhite);
    EXPECT_EQ(bands.back().state.brushColor, clYellow);
  }
}

TEST(FillGradient, HorizontalBandsRunFromTheRightEdge) {
  RecordingCanvas canvas;
  FillGradient(canvas, {10, 0, 14, 30}, clBlack, clBlue, true);
  auto bands = canvas.CallsOf(CanvasCall::FillRect);
  ASSERT_EQ(bands.size(), 4u);
  EXPECT_EQ(bands[0].rect, (TRect{13, 0, 14, 30}));
  EXPECT_EQ(bands[0].state.brushColor, clBlack);
  EXPECT_EQ(bands[3].rect, (TRect{10, 0, 11, 30}));
  EXPECT_EQ(bands[3].state.brushColor, clBlue);
}

TEST(FillGradient, StepsRoundHalvesAwayFromZero) {
  RecordingCanvas canvas;
  // Three bands from red 0 to red 5: the middle one is 0 + MulDiv(1, 5, 2) = 3.
  FillGradient(canvas, {0, 0, 3, 1}, RGBColor(0, 0, 0), RGBColor(5, 0, 0), true);
  EXPECT_EQ(RedOf(canvas.CallsOf(CanvasCall::FillRect)[1].state.brushColor), 3);
}

TEST(FillGradient, NothingForAnEmptyExtentAndColourAForOneBand) {
  RecordingCanvas canvas;
  FillGradient(canvas, {0, 10, 40, 10}, clWhite, clYellow, false);
  FillGradient(canvas, {0, 10, 40, 5}, clWhite, clYellow, false);
  FillGradient(canvas, {5, 0, 5, 40}, clWhite, clYellow, true);
  EXPECT_EQ(canvas.Calls().size(), 0u);
  // A single band is the start colour (not one below it, as a division by
  // zero in the step would make it: black would come out white).
  FillGradient(canvas, {0, 0, 40, 1}, clBlack, clWhite, false);
  ASSERT_EQ(canvas.Count(CanvasCall::FillRect), 1);
  EXPECT_EQ(canvas.Calls()[0].state.brushColor, clBlack);
}

struct Background : ::testing::Test {
  PaintChart c;
  TRect rect{0, 0, 50, 20};
  std::vector<RecordedCall> Fills() { return c.Window().CallsOf(CanvasCall::FillRect); }
  TColor ColourAtTop() {
    auto fills = Fills();
    return std::min_element(fills.begin(), fills.end(), [](auto& a, auto& b) { return a.rect.Top < b.rect.Top; })
        ->state.brushColor;
  }
  TColor ColourAtLeft() {
    auto fills = Fills();
    return std::min_element(fills.begin(), fills.end(), [](auto& a, auto& b) { return a.rect.Left < b.rect.Left; })
        ->state.brushColor;
  }
};

TEST_F(Background, PlainColourWithoutAGradient) {
  c.chart->SetColor(16773320);
  c.chart->FillBackground(rect);
  ASSERT_EQ(Fills().size(), 1u);
  EXPECT_EQ(Fills()[0].rect, rect);
  EXPECT_EQ(Fills()[0].state.brushColor, 16773320u);
  c.Window().Clear();
  c.chart->SetColor(clBtnFace);  // a system colour is resolved first
  c.chart->FillBackground(rect);
  EXPECT_EQ(Fills()[0].state.brushColor, ColorToRGB(clBtnFace));
}

TEST_F(Background, GradientDirectionsPlaceTheColours) {
  TChartGradient& g = c.chart->Gradient();
  g.SetVisible(true);
  c.chart->FillBackground(rect);
  EXPECT_EQ(Fills().size(), 20u);
  EXPECT_EQ(ColourAtTop(), clYellow);  // gdTopBottom: the end colour on top
  EXPECT_EQ(Fills().front().state.brushColor, clWhite);

  c.Window().Clear();
  g.SetDirection(TGradientDirection::gdBottomTop);
  c.chart->FillBackground(rect);
  EXPECT_EQ(ColourAtTop(), clWhite);

  c.Window().Clear();
  g.SetDirection(TGradientDirection::gdLeftRight);
  c.chart->FillBackground(rect);
  EXPECT_EQ(Fills().size(), 50u);
  EXPECT_EQ(ColourAtLeft(), clYellow);

  c.Window().Clear();
  g.SetDirection(TGradientDirection::gdRightLeft);
  c.chart->FillBackground(rect);
  EXPECT_EQ(ColourAtLeft(), clWhite);
}

TEST_F(Background, GradientSettersRepaintOnChangeAndCopyingDoesNot) {
  TChartGradient& g = c.chart->Gradient();
  int n = c.host.InvalidateCount;
  g.SetVisible(false);
  g.SetStartColor(clWhite);
  EXPECT_EQ(c.host.InvalidateCount, n);
  g.SetEndColor(clRed);
  g.SetDirection(TGradientDirection::gdRightLeft);
  EXPECT_EQ(c.host.InvalidateCount, n + 2);
  TChartGradient other;
  other.SetVisible(true);
  g.Assign(other);
  EXPECT_EQ(c.host.InvalidateCount, n + 2);
  EXPECT_TRUE(g.Visible());
  EXPECT_EQ(g.EndColor(), clYellow);
  EXPECT_EQ(g.Direction(), TGradientDirection::gdTopBottom);
}

// --- background picture ---

struct BackImage : ::testing::Test {
  PaintChart c;
  TRect rect{5, 5, 30, 20};  // 25 x 15
  void Picture(int w, int h) { c.chart->BackImage().SetGraphic(std::make_shared<RecordingImage>(w, h)); }
};

TEST_F(BackImage, TilesRowByRowClippedToTheRectangle) {
  Picture(10, 10);
  c.chart->SetBackImageMode(TChartBackImageMode::pbmTile);
  c.chart->DrawBackImage(rect);
  const auto& calls = c.Window().Calls();
  ASSERT_EQ(calls.size(), 8u);
  EXPECT_EQ(calls.front().kind, CanvasCall::ClipRect);
  EXPECT_EQ(calls.front().rect, rect);
  const TPoint at[6] = {{5, 5}, {15, 5}, {25, 5}, {5, 15}, {15, 15}, {25, 15}};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(calls[i + 1].kind, CanvasCall::Draw);
    EXPECT_EQ(calls[i + 1].from, at[i]);
  }
  EXPECT_EQ(calls.back().kind, CanvasCall::ClipRect);  // the clip is removed
  EXPECT_EQ(calls.back().rect.Left, 0);
}

TEST_F(BackImage, ATileWithoutSizeDrawsNothing) {
  Picture(0, 10);
  c.chart->SetBackImageMode(TChartBackImageMode::pbmTile);
  c.chart->DrawBackImage(rect);
  EXPECT_EQ(c.Window().Count(CanvasCall::Draw), 0);
}

TEST_F(BackImage, StretchAndCentre) {
  Picture(10, 10);
  c.chart->DrawBackImage(rect);
  ASSERT_EQ(c.Window().Calls().size(), 1u);
  EXPECT_EQ(c.Window().Calls()[0].kind, CanvasCall::StretchDraw);
  EXPECT_EQ(c.Window().Calls()[0].rect, rect);

  c.Window().Clear();
  c.chart->SetBackImageMode(TChartBackImageMode::pbmCenter);
  c.chart->DrawBackImage(rect);
  ASSERT_EQ(c.Window().Count(CanvasCall::Draw), 1);
  EXPECT_EQ(c.Window().LastOf(CanvasCall::Draw)->from, (TPoint{5 + 7, 5 + 2}));
  // The background is filled under a centred picture.
  EXPECT_EQ(c.Window().LastOf(CanvasCall::FillRect)->rect, rect);
}

TEST_F(BackImage, AnEmptyPictureDrawsNothing) {
  c.chart->SetBackImageMode(TChartBackImageMode::pbmTile);
  c.chart->DrawBackImage(rect);
  EXPECT_TRUE(c.Window().Calls().empty());
}

TEST_F(BackImage, CoversThePanelOrOnlyThePlotArea) {
  Picture(10, 10);
  c.chart->SetView3D(false);
  c.Paint();
  auto stretched = c.Buffer().CallsOf(CanvasCall::StretchDraw);
  ASSERT_EQ(stretched.size(), 1u);
  EXPECT_EQ(stretched[0].rect, (TRect{0, 0, 400, 250}));

  c.chart->SetBackImageInside(true);
  c.Buffer().Clear();
  c.Paint();
  stretched = c.Buffer().CallsOf(CanvasCall::StretchDraw);
  ASSERT_EQ(stretched.size(), 1u);
  EXPECT_EQ(stretched[0].rect, c.chart->PlotFrameRect());
}

// --- bevels ---

struct Bevels : ::testing::Test {
  PaintChart c;
  TColor shadow = ColorToRGB(clBtnShadow), highlight = ColorToRGB(clBtnHighlight);
  std::vector<RecordedCall> Lines() { return c.Window().CallsOf(CanvasCall::Polyline); }
  void Draw() { c.chart->DrawPanelBack({0, 0, 100, 50}); }
};

TEST_F(Bevels, ARaisedOuterBevelIsLightAboveAndDarkBelow) {
  Draw();
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].points, (std::vector<TPoint>{{0, 49}, {0, 0}, {99, 0}}));
  EXPECT_EQ(lines[0].state.penColor, highlight);
  EXPECT_EQ(lines[1].points, (std::vector<TPoint>{{99, 0}, {99, 49}, {-1, 49}}));
  EXPECT_EQ(lines[1].state.penColor, shadow);
  EXPECT_EQ(c.Window().Calls().front().kind, CanvasCall::FillRect);
}

TEST_F(Bevels, OuterBorderAndInnerFramesNestInward) {
  c.chart->SetBevelOuter(TBevelCut::bvLowered);
  c.chart->SetBevelInner(TBevelCut::bvRaised);
  c.chart->SetBevelWidth(2);
  c.chart->SetBorderWidth(1);
  c.chart->SetColor(clNavy);
  Draw();
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 10u);  // 2 x 2 outer, 1 x 2 border, 2 x 2 inner
  EXPECT_EQ(lines[0].state.penColor, shadow);
  EXPECT_EQ(lines[1].state.penColor, highlight);
  EXPECT_EQ(lines[2].points.front(), (TPoint{1, 48}));
  EXPECT_EQ(lines[4].state.penColor, clNavy);
  EXPECT_EQ(lines[5].state.penColor, clNavy);
  EXPECT_EQ(lines[4].points.front(), (TPoint{2, 47}));
  EXPECT_EQ(lines[6].state.penColor, highlight);
  EXPECT_EQ(lines[6].points.front(), (TPoint{3, 46}));
  EXPECT_EQ(lines[9].points, (std::vector<TPoint>{{95, 4}, {95, 45}, {3, 45}}));
}

TEST_F(Bevels, ABorderWiderThanThePanelStopsOnceItCollapses) {
  c.chart->SetBevelOuter(TBevelCut::bvNone);
  c.chart->SetBorderWidth(2000000000);
  Draw();  // 100 x 50: the frame closes after 25 rings
  EXPECT_LE(Lines().size(), 2u * 26);
  EXPECT_GE(Lines().size(), 2u * 24);
}

TEST_F(Bevels, NoBevelsNoLines) {
  c.chart->SetBevelOuter(TBevelCut::bvNone);
  Draw();
  EXPECT_TRUE(Lines().empty());
}

// --- walls ---

TEST(Walls, WallSizeOnlyCountsIn3DWithWalls) {
  TChart chart(nullptr);
  chart.LeftWall().SetSize(4);
  chart.BottomWall().SetSize(5);
  EXPECT_EQ(chart.WallSize(&chart.LeftAxis()), 4);
  EXPECT_EQ(chart.WallSize(&chart.BottomAxis()), 5);
  EXPECT_EQ(chart.WallSize(&chart.TopAxis()), 0);
  EXPECT_EQ(chart.WallSize(&chart.RightAxis()), 0);
  chart.SetView3DWalls(false);
  EXPECT_EQ(chart.WallSize(&chart.LeftAxis()), 0);
  chart.SetView3DWalls(true);
  chart.SetView3D(false);
  EXPECT_EQ(chart.WallSize(&chart.LeftAxis()), 0);
  EXPECT_EQ(chart.WallSize(&chart.BottomAxis()), 0);
}

struct WallDrawing : ::testing::Test {
  PaintChart c;
  void SetUp() override {
    c.SetPlot({100, 50, 500, 250});
    c.chart->SetTopDepthSlot(0);
    c.chart->ComputeDepth();  // one slot: 6 x 3
    ASSERT_EQ(c.chart->DepthX(), 6);
    ASSERT_EQ(c.chart->DepthY(), 3);
  }
  std::vector<RecordedCall> Polygons() { return c.Window().CallsOf(CanvasCall::Polygon); }
};

TEST_F(WallDrawing, ThinWallsAreTwoPolygons) {
  c.chart->DrawWalls();
  auto p = Polygons();
  ASSERT_EQ(p.size(), 2u);
  EXPECT_EQ(p[0].points, (std::vector<TPoint>{{106, 47}, {106, 247}, {100, 251}, {100, 50}}));
  EXPECT_EQ(p[1].points, (std::vector<TPoint>{{106, 246}, {506, 246}, {500, 250}, {100, 250}}));
  EXPECT_EQ(c.Window().Count(CanvasCall::Rectangle), 0);
  // Left wall: light yellow fill; bottom wall: white.
  EXPECT_EQ(p[0].state.brushColor, 0x80FFFFu);
  EXPECT_EQ(p[0].state.brushStyle, TBrushStyle::bsSolid);
  EXPECT_EQ(p[1].state.brushColor, clWhite);
}

TEST_F(WallDrawing, ThickWallsAddTheirEdgesAndFaces) {
  c.chart->LeftWall().SetSize(4);
  c.chart->BottomWall().SetSize(5);
  c.chart->DrawWalls();
  auto p = Polygons();
  auto r = c.Window().CallsOf(CanvasCall::Rectangle);
  ASSERT_EQ(p.size(), 4u);
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0].rect, (TRect{96, 50, 101, 251}));
  EXPECT_EQ(p[1].points, (std::vector<TPoint>{{106, 47}, {102, 47}, {96, 50}, {100, 50}}));
  EXPECT_EQ(r[1].rect, (TRect{96, 250, 500, 256}));
  EXPECT_EQ(p[3].points, (std::vector<TPoint>{{506, 246}, {506, 251}, {499, 255}, {499, 250}}));
}

TEST_F(WallDrawing, InvisiblePensAndUncolouredSolidWalls) {
  c.chart->LeftWall().Pen().SetVisible(false);
  c.chart->BottomWall().SetColor(ColorDefault);
  c.chart->DrawWalls();
  auto p = Polygons();
  EXPECT_EQ(p[0].state.penStyle, TPenStyle::psClear);
  EXPECT_EQ(p[1].state.penStyle, TPenStyle::psSolid);
  EXPECT_EQ(p[1].state.brushStyle, TBrushStyle::bsClear);
  // A hatched wall without a colour still gets its pattern.
  c.Window().Clear();
  c.chart->BottomWall().Brush().SetStyle(TBrushStyle::bsCross);
  c.chart->BottomWall().Brush().SetColor(clRed);
  c.chart->DrawWalls();
  EXPECT_EQ(Polygons()[1].state.brushStyle, TBrushStyle::bsCross);
  EXPECT_EQ(Polygons()[1].state.bkMode, BkMode::Opaque);
  EXPECT_EQ(Polygons()[1].state.bkColor, clRed);
}

TEST(Walls, DrawnOnlyIn3DWithWalls) {
  PaintChart c;
  c.Paint();
  EXPECT_EQ(c.Buffer().Count(CanvasCall::Polygon), 2);
  c.chart->SetView3DWalls(false);
  c.Buffer().Clear();
  c.Paint();
  EXPECT_EQ(c.Buffer().Count(CanvasCall::Polygon), 0);
}

TEST(Walls, SettersAndCopy) {
  PaintChart c;
  int n = c.host.InvalidateCount;
  c.chart->LeftWall().SetSize(0);
  c.chart->LeftWall().SetColor(0x80FFFF);
  EXPECT_EQ(c.host.InvalidateCount, n);
  c.chart->LeftWall().SetSize(3);
  c.chart->LeftWall().Brush().SetStyle(TBrushStyle::bsFDiagonal);
  EXPECT_EQ(c.host.InvalidateCount, n + 2);
  c.chart->BottomWall().Assign(c.chart->LeftWall());
  EXPECT_EQ(c.chart->BottomWall().Size(), 3);
  EXPECT_EQ(c.chart->BottomWall().Color(), 0x80FFFFu);
  EXPECT_EQ(c.chart->BottomWall().Brush().Style(), TBrushStyle::bsFDiagonal);
}

}  // namespace
}  // namespace tokiwa
