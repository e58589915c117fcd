#include <gtest/gtest.h>

#include "chart/chart_exceptions.h"
#include "series/custom_series.h"
#include "series_fixture.h"

namespace tokiwa::testing {
namespace {

using Style = TSeriesPointerStyle;

class PointerTest : public SeriesFixture {
 protected:
  PointerTest() : series(Add<TPointSeries>()), pointer(series->Pointer()) {}

  // Draws one marker at (50, 50), half width 4, half height 3 (unequal, so
  // that a swapped axis shows).
  void DrawAt(Style style) {
    canvas().Clear();
    pointer.PreparePointerCanvas(clRed);
    pointer.DrawPointer(50, 50, style, clRed, 4, 3);
  }

  TPointSeries* series;
  TSeriesPointer& pointer;
};

TEST_F(PointerTest, DefaultMarkerIsNineByNineFilledInThePointColour) {
  series->AppendPoint(50, 50, "", clBlue);
  Paint(*series);
  ASSERT_EQ(canvas().Count(CanvasCall::Rectangle), 1);
  const RecordedCall r = Rects()[0];
  EXPECT_EQ(r.rect, (TRect{46, 46, 55, 55}));
  EXPECT_EQ(r.rect.Width(), 9);
  EXPECT_EQ(r.rect.Height(), 9);
  EXPECT_EQ(r.state.brushColor, clBlue);
  EXPECT_EQ(r.state.penColor, clBlack);
}

TEST_F(PointerTest, ClickHitsWithinThreePixelsButNotFour) {
  series->AppendPoint(50, 50, "");
  Paint(*series);
  EXPECT_EQ(series->PointAtPixel(53, 50), 0);
  EXPECT_EQ(series->PointAtPixel(47, 53), 0);
  EXPECT_EQ(series->PointAtPixel(54, 50), -1);
  EXPECT_EQ(series->PointAtPixel(50, 46), -1);
}

TEST_F(PointerTest, FilledShapesHaveTheirExactCorners) {
  DrawAt(Style::psRectangle);
  EXPECT_EQ(Rects().at(0).rect, (TRect{46, 47, 55, 54}));

  DrawAt(Style::psCircle);
  EXPECT_EQ(canvas().CallsOf(CanvasCall::Ellipse).at(0).rect, (TRect{46, 47, 54, 53}));

  DrawAt(Style::psTriangle);
  EXPECT_EQ(canvas().CallsOf(CanvasCall::Polygon).at(0).points,
            (std::vector<TPoint>{{46, 53}, {54, 53}, {50, 47}}));

  DrawAt(Style::psDownTriangle);
  EXPECT_EQ(canvas().CallsOf(CanvasCall::Polygon).at(0).points,
            (std::vector<TPoint>{{46, 47}, {54, 47}, {50, 53}}));

  DrawAt(Style::psDiamond);
  EXPECT_EQ(canvas().CallsOf(CanvasCall::Polygon).at(0).points,
            (std::vector<TPoint>{{46, 50}, {50, 47}, {54, 50}, {50, 53}}));
}

TEST_F(PointerTest, LineShapesIncludeTheirLastPixelAndUseThePointColour) {
  pointer.Pen().SetColor(clGreen);
  DrawAt(Style::psCross);
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(IsLine(lines[0], {50, 47}, {50, 54}));
  EXPECT_TRUE(IsLine(lines[1], {46, 50}, {55, 50}));
  EXPECT_EQ(lines[0].state.penColor, clRed);

  DrawAt(Style::psDiagCross);
  lines = Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(IsLine(lines[0], {46, 47}, {55, 54}));
  EXPECT_TRUE(IsLine(lines[1], {55, 47}, {46, 54}));

  DrawAt(Style::psStar);
  EXPECT_EQ(Lines().size(), 4u);

  DrawAt(Style::psSmallDot);
  const RecordedCall* dot = canvas().LastOf(CanvasCall::SetPixel);
  ASSERT_NE(dot, nullptr);
  EXPECT_EQ(dot->from, (TPoint{50, 50}));
  EXPECT_EQ(dot->color, clRed);
}

TEST_F(PointerTest, RectangleGetsTopAndRightFacesOnlyIn3D) {
  chart.SetView3D(true);
  SetPlot({0, 0, 400, 200});
  chart.ComputeDepth();
  ASSERT_EQ(chart.SlotDepthX(), 6);
  ASSERT_EQ(chart.SlotDepthY(), 3);

  DrawAt(Style::psRectangle);
  auto faces = canvas().CallsOf(CanvasCall::Polygon);
  ASSERT_EQ(faces.size(), 2u);
  EXPECT_EQ(faces[0].points, (std::vector<TPoint>{{46, 47}, {52, 44}, {60, 44}, {54, 47}}));
  EXPECT_EQ(faces[1].points, (std::vector<TPoint>{{54, 47}, {60, 44}, {60, 50}, {54, 53}}));

  pointer.SetDraw3D(false);
  DrawAt(Style::psRectangle);
  EXPECT_EQ(canvas().Count(CanvasCall::Polygon), 0);
}

TEST_F(PointerTest, CanvasTakesPenAndBrushWithDefaultColoursResolved) {
  pointer.PreparePointerCanvas(clLime);
  Canvas& c = chart.DrawCanvas();
  EXPECT_EQ(c.Pen().Color(), clBlack);
  EXPECT_EQ(c.Brush().Color(), clLime);

  pointer.Pen().SetColor(ColorDefault);
  pointer.Brush().SetColor(clNavy);
  pointer.PreparePointerCanvas(clLime);
  EXPECT_EQ(c.Pen().Color(), clLime);
  EXPECT_EQ(c.Brush().Color(), clNavy);

  pointer.Pen().SetVisible(false);
  pointer.PreparePointerCanvas(clLime);
  EXPECT_EQ(c.Pen().Style(), TPenStyle::psClear);
}

TEST_F(PointerTest, SizesBelowOneAreRejectedAndKept) {
  EXPECT_THROW(pointer.SetVertSize(0), ChartException);
  EXPECT_THROW(pointer.SetHorizSize(-3), ChartException);
  EXPECT_EQ(pointer.VertSize(), 4);
  EXPECT_EQ(pointer.HorizSize(), 4);
  try {
    pointer.SetVertSize(0);
  } catch (const ChartException& e) {
    EXPECT_EQ(e.Message(), "ﾎﾟｲﾝﾀの大きさは 1 以上でなければなりません");
  }
  pointer.SetVertSize(1);
  EXPECT_EQ(pointer.VertSize(), 1);
}

TEST_F(PointerTest, SettersRepaintOnlyOnChange) {
  chart.SetImageStale(false);
  pointer.SetHorizSize(4);
  pointer.SetStyle(Style::psRectangle);
  pointer.Pen().SetColor(clBlack);
  EXPECT_FALSE(chart.ImageStale());

  pointer.SetStyle(Style::psCircle);
  EXPECT_TRUE(chart.ImageStale());
  chart.SetImageStale(false);
  pointer.Brush().SetColor(clRed);
  EXPECT_TRUE(chart.ImageStale());
  chart.SetImageStale(false);
  pointer.Pen().SetWidth(3);
  EXPECT_TRUE(chart.ImageStale());
}

TEST_F(PointerTest, AssignCopiesAllSettings) {
  TPointSeries other(nullptr);
  TSeriesPointer& p = other.Pointer();
  p.SetHorizSize(7);
  p.SetVertSize(2);
  p.SetDraw3D(false);
  p.SetStyle(Style::psStar);
  p.Pen().SetColor(clRed);
  p.Brush().SetColor(clTeal);
  p.SetVisible(false);
  p.SetInflateMargins(false);

  pointer.Assign(p);
  EXPECT_EQ(pointer.HorizSize(), 7);
  EXPECT_EQ(pointer.VertSize(), 2);
  EXPECT_FALSE(pointer.Draw3D());
  EXPECT_EQ(pointer.Style(), Style::psStar);
  EXPECT_EQ(pointer.Pen().Color(), clRed);
  EXPECT_EQ(pointer.Brush().Color(), clTeal);
  EXPECT_FALSE(pointer.Visible());
  EXPECT_FALSE(pointer.InflateMargins());
}

}  // namespace
}  // namespace tokiwa::testing
