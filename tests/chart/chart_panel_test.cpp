#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "chart/chart.h"
#include "chart/chart_panel.h"
#include "chart/engine_settings.h"
#include "chart/font_object.h"
#include "runtime/exceptions.h"
#include "support/recording_canvas.h"
#include "support/recording_host.h"

namespace tokiwa {
namespace {

// The panel alone: a chart whose paint draws one rectangle into the back buffer.
class TestPanel : public TCustomChartPanel {
 public:
  TestPanel() : TCustomChartPanel(nullptr) {}
  bool View3D() const override { return view3D; }
  int Chart3DPercent() const override { return percent; }
  void DrawChart(Canvas& canvas, const TRect& rect) override {
    ++draws;
    Bitmap* bitmap = EnsureBackBuffer(false);
    bitmap->SetSize(rect.Width(), rect.Height());
    DrawCanvasScope scope(*this, bitmap->GetCanvas());
    DrawRectangle({1, 2, 3, 4});
    if (failDraw) throw std::runtime_error("paint failed");
    CopyBackBuffer(canvas, rect.Left, rect.Top);
    SetImageStale(false);
  }
  void SetGeometry(TRect panel, TRect plot) {
    PanelBounds() = panel;
    PlotRect() = plot;
    RecalcPlotSize();
  }

  bool view3D = false;
  int percent = 15;
  int draws = 0;
  bool failDraw = false;
};

class ChartPanelTest : public ::testing::Test {
 protected:
  void SetUp() override { panel.SetHost(&host); }
  RecordingHost host;
  TestPanel panel;
};

TEST_F(ChartPanelTest, ConstructionDefaultsAndEngineSettings) {
  TestPanel fresh;
  EXPECT_EQ(fresh.MarginLeft(), 3);
  EXPECT_EQ(fresh.MarginTop(), 3);
  EXPECT_EQ(fresh.MarginRight(), 3);
  EXPECT_EQ(fresh.MarginBottom(), 3);
  EXPECT_FALSE(fresh.ImageStale());
  EXPECT_EQ(fresh.BackBuffer(), nullptr);
  EXPECT_FALSE(fresh.ZoomDrag().DragActive);
  EXPECT_FALSE(EngineSettings().EraseBackground);  // a running panel switches it off
  EXPECT_EQ(EngineSettings().ClickTolerance, 12);
  EXPECT_EQ(RegisteredCursor(crChartHand), CursorShape::Hand);
}

TEST_F(ChartPanelTest, MarginSetterMarksStaleOnlyOnChange) {
  panel.SetImageStale(false);
  int invalidations = host.InvalidateCount;
  panel.SetMarginRight(3);
  EXPECT_FALSE(panel.ImageStale());
  EXPECT_EQ(host.InvalidateCount, invalidations);
  panel.SetMarginRight(-7);  // no range check
  EXPECT_TRUE(panel.ImageStale());
  EXPECT_EQ(host.InvalidateCount, invalidations + 1);
  EXPECT_EQ(panel.Margin(2), -7);
  EXPECT_THROW(panel.SetMargin(4, 1), EListError);
}

TEST_F(ChartPanelTest, RecalcPlotSizeRepairsOnlyTheLeftAndTop) {
  panel.SetGeometry({0, 0, 100, 100}, {50, 10, 40, 90});
  EXPECT_EQ(panel.PlotRect().Right, 51);
  EXPECT_EQ(panel.PlotWidth(), 1);

  panel.SetGeometry({0, 0, 100, 100}, {40, 10, 40, 90});
  EXPECT_EQ(panel.PlotWidth(), 0);

  panel.SetGeometry({10, 20, 100, 100}, {5, 5, 200, 300});
  EXPECT_EQ(panel.PlotRect(), (TRect{10, 20, 200, 300}));  // right and bottom not clamped
  EXPECT_EQ(panel.PlotHeight(), 280);

  panel.SetGeometry({0, 0, 100, 100}, {0, 50, 10, 30});
  EXPECT_EQ(panel.PlotRect().Bottom, 51);
  EXPECT_EQ(panel.PlotHeight(), 1);

  panel.SetGeometry({-10, -10, 10, 10}, {-3, -5, 0, 0});
  EXPECT_EQ(panel.PlotCenterX(), -1);  // truncated toward zero
  EXPECT_EQ(panel.PlotCenterY(), -2);
}

TEST_F(ChartPanelTest, DepthSlotsFollowPercentAndTopSlot) {
  panel.SetGeometry({0, 0, 500, 500}, {0, 0, 400, 250});
  panel.view3D = true;
  panel.SetSeparateDepthSlots(true);
  panel.SetTopDepthSlot(1);
  panel.ComputeDepth();
  EXPECT_EQ(panel.SlotDepthX(), 6);
  EXPECT_EQ(panel.DepthX(), 12);
  EXPECT_EQ(panel.SlotDepthY(), 4);  // 3.75 rounds to 4
  EXPECT_EQ(panel.DepthY(), 8);

  panel.SetTopDepthSlot(-1);  // still counting: one slot at least
  panel.ComputeDepth();
  EXPECT_EQ(panel.DepthX(), 6);

  panel.SetSeparateDepthSlots(false);
  panel.SetTopDepthSlot(5);
  panel.ComputeDepth();
  EXPECT_EQ(panel.DepthX(), 6);

  panel.SetGeometry({0, 0, 500, 500}, {0, 0, 100, 100});  // 1.5 ties to even 2
  panel.ComputeDepth();
  EXPECT_EQ(panel.SlotDepthX(), 2);

  panel.view3D = false;
  panel.ComputeDepth();
  EXPECT_EQ(panel.SlotDepthX(), 0);
  EXPECT_EQ(panel.DepthX(), 0);
  EXPECT_EQ(panel.DepthY(), 0);
}

TEST(HitTest, InsideRectExcludesRightAndBottom) {
  TRect r{10, 20, 30, 40};
  EXPECT_TRUE(IsInsideRect({10, 20}, r));
  EXPECT_FALSE(IsInsideRect({30, 25}, r));
  EXPECT_FALSE(IsInsideRect({15, 40}, r));
  EXPECT_TRUE(IsInsideRect({29, 39}, r));
}

TEST(HitTest, InsidePolygonEvenOdd) {
  std::vector<TPoint> square{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  EXPECT_FALSE(IsInsidePolygon({5, 5}, std::span<const TPoint>()));
  EXPECT_TRUE(IsInsidePolygon({5, 0}, square));    // top edge counts
  EXPECT_FALSE(IsInsidePolygon({5, 10}, square));  // bottom edge does not
  EXPECT_TRUE(IsInsidePolygon({0, 5}, square));
  EXPECT_FALSE(IsInsidePolygon({10, 5}, square));
  EXPECT_FALSE(IsInsidePolygon({-1, 5}, square));
  // A self-crossing star: the centre is covered twice and so outside.
  std::vector<TPoint> star{{50, 0}, {80, 100}, {0, 35}, {100, 35}, {20, 100}};
  EXPECT_FALSE(IsInsidePolygon({50, 50}, star));
  EXPECT_TRUE(IsInsidePolygon({50, 20}, star));
}

TEST(HitTest, NearSegment) {
  EXPECT_TRUE(IsNearSegment(5, 0, 0, 0, 10, 0));
  EXPECT_FALSE(IsNearSegment(5, 1, 0, 0, 10, 0));   // c = 10 is not below m = 10
  EXPECT_FALSE(IsNearSegment(11, 0, 0, 0, 10, 0));  // beyond the end
  EXPECT_TRUE(IsNearSegment(10, 0, 0, 0, 10, 0));   // end point included
  EXPECT_FALSE(IsNearSegment(3, 3, 3, 3, 3, 3));    // zero length never matches
  EXPECT_TRUE(IsNearSegment(5, 5, 0, 0, 10, 10));
  EXPECT_TRUE(IsNearSegment(2, 5, 0, 0, 4, 10));  // steep: c = 0
  // Far-off coordinates must not overflow into a false hit.
  EXPECT_FALSE(IsNearSegment(2000000000, -2000000000, -2000000000, 0, 2000000000, 1));
}

TEST_F(ChartPanelTest, FillBrushKeepsHatchesVisible) {
  RecordingCanvas canvas;
  TCustomChartPanel::SetFillBrush(canvas, clBlack, TBrushStyle::bsCross, clBlack);
  EXPECT_EQ(canvas.Brush().Color(), clWhite);
  EXPECT_EQ(canvas.Brush().Style(), TBrushStyle::bsCross);
  EXPECT_EQ(canvas.GetBkMode(), BkMode::Opaque);
  EXPECT_EQ(canvas.BkColor(), clBlack);

  TCustomChartPanel::SetFillBrush(canvas, clRed, TBrushStyle::bsFDiagonal, clRed);
  EXPECT_EQ(canvas.Brush().Color(), clBlack);

  TCustomChartPanel::SetFillBrush(canvas, clRed, TBrushStyle::bsHorizontal, clBtnFace);
  EXPECT_EQ(canvas.Brush().Color(), clRed);
  EXPECT_EQ(canvas.BkColor(), ColorToRGB(clBtnFace));  // system colour resolved

  TCustomChartPanel::SetFillBrush(canvas, clBlue, TBrushStyle::bsSolid, clBlue);
  EXPECT_EQ(canvas.Brush().Color(), clBlue);  // solid keeps its colour
  EXPECT_EQ(canvas.Brush().Style(), TBrushStyle::bsSolid);
  EXPECT_EQ(canvas.GetBkMode(), BkMode::Transparent);
}

TEST_F(ChartPanelTest, ZoomFrameTwiceDrawsTheSameNotXorRectangleOnTheWindow) {
  panel.ZoomDrag().StartDragAt(10, 20);
  panel.ZoomDrag().ToX = 50;
  panel.ZoomDrag().ToY = 60;
  panel.DrawZoomFrame();
  panel.DrawZoomFrame();
  auto frames = host.Window.CallsOf(CanvasCall::Rectangle);
  ASSERT_EQ(frames.size(), 2u);
  for (const auto& f : frames) {
    EXPECT_EQ(f.rect, (TRect{10, 20, 50, 60}));
    EXPECT_EQ(f.state.penMode, TPenMode::pmNotXor);
    EXPECT_EQ(f.state.penStyle, TPenStyle::psSolid);
    EXPECT_EQ(f.state.penWidth, 1);
    EXPECT_EQ(f.state.brushStyle, TBrushStyle::bsClear);
    EXPECT_EQ(f.state.penColor, ColorToRGB(clBtnFace));
  }
  panel.SetColor(clWhite);  // not-xor white would be invisible
  panel.DrawZoomFrame();
  EXPECT_EQ(host.Window.LastOf(CanvasCall::Rectangle)->state.penColor, clRed);
  panel.SetColor(clWindow);  // only white as set turns red, not a system colour
  panel.DrawZoomFrame();
  EXPECT_EQ(host.Window.LastOf(CanvasCall::Rectangle)->state.penColor, clWhite);
}

TEST_F(ChartPanelTest, PaintDrawsOnceThenShowsTheCachedImage) {
  panel.SetBounds(0, 0, 120, 80);
  EXPECT_TRUE(panel.ImageStale());
  panel.Paint();
  EXPECT_EQ(panel.draws, 1);
  ASSERT_NE(host.LastBitmap(), nullptr);
  EXPECT_EQ(host.LastBitmap()->Recorder().Count(CanvasCall::Rectangle), 1);
  EXPECT_EQ(host.Window.Count(CanvasCall::Draw), 1);
  panel.Paint();
  EXPECT_EQ(panel.draws, 1);
  EXPECT_EQ(host.Window.Count(CanvasCall::Draw), 2);
  panel.RequestRepaint();
  panel.Paint();
  EXPECT_EQ(panel.draws, 2);
  EXPECT_EQ(host.BitmapsCreated, 1);
}

TEST_F(ChartPanelTest, FailedPaintLeavesTheImageStaleAndTheWindowCanvasCurrent) {
  panel.SetBounds(0, 0, 50, 50);
  panel.failDraw = true;
  EXPECT_THROW(panel.Paint(), std::runtime_error);
  EXPECT_TRUE(panel.ImageStale());
  EXPECT_EQ(&panel.DrawCanvas(), &host.Window);
  panel.DrawRectangle({0, 0, 5, 5});
  EXPECT_EQ(host.Window.Count(CanvasCall::Rectangle), 1);
}

TEST_F(ChartPanelTest, AngledTextRotatesOnlyThatText) {
  host.Window.Font().SetAngle(0);
  panel.DrawAngledText(5, 6, "abc", 90);
  const RecordedCall* text = host.Window.LastOf(CanvasCall::TextOut);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->state.fontAngle, 90);
  EXPECT_EQ(text->state.brushStyle, TBrushStyle::bsClear);
  EXPECT_EQ(host.Window.Font().Angle(), 0);
}

TEST_F(ChartPanelTest, RemoveClipCoversScreenOrControlWhicheverIsLarger) {
  panel.SetBounds(0, 0, 3000, 100);
  host.Screen = {1920, 1080};
  panel.RemoveClip();
  EXPECT_EQ(host.Window.LastOf(CanvasCall::ClipRect)->rect, (TRect{0, 0, 3000, 1080}));
}

TEST(ChartPanelWithoutHost, DrawsOnANullCanvas) {
  TestPanel panel;
  EXPECT_EQ(panel.CursorClientPos(), (TPoint{0, 0}));
  EXPECT_GT(panel.CharHeight(), 0);
  EXPECT_NO_THROW(panel.DrawRectangle({0, 0, 10, 10}));
  EXPECT_NO_THROW(panel.DrawZoomFrame());
  panel.SetBounds(0, 0, 40, 40);
  EXPECT_NO_THROW(panel.Paint());
  EXPECT_FALSE(panel.ImageStale());
}

TEST(ChartFont, DefaultIsNinePointMinchoBlack) {
  auto font = DefaultChartFont();
  EXPECT_EQ(font->Name(), "ＭＳ Ｐ明朝");
  EXPECT_EQ(font->Size(), 9);
  EXPECT_EQ(font->Height(), -12);  // at 96 pixels per inch
  EXPECT_EQ(font->Color(), clBlack);
  EXPECT_EQ(font->Style(), 0);
  EXPECT_TRUE(IsDefaultChartFont(*font));
  font->SetStyle(fsBold);
  EXPECT_FALSE(IsDefaultChartFont(*font));
}

TEST(ChartFont, FontObjectsReportFontChangesToTheirOwnerAndCopyFonts) {
  RecordingHost host;
  TChart chart(nullptr);
  chart.SetHost(&host);
  TChartFontObject a(&chart), b(nullptr);
  a.OnChange = chart.SubObjectChangedHandler();
  int before = host.InvalidateCount;
  a.Font().SetColor(clRed);
  EXPECT_EQ(host.InvalidateCount, before + 1);
  b.Font().SetHeight(-30);
  a.Assign(b);
  EXPECT_EQ(a.Font().Height(), -30);
  EXPECT_EQ(a.Font().Color(), clBlack);
  EXPECT_EQ(host.InvalidateCount, before + 2);
  b.Font().SetColor(clBlue);  // no owner listening: nothing to repaint
  EXPECT_EQ(host.InvalidateCount, before + 2);
}

}  // namespace
}  // namespace tokiwa
