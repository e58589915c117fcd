// The paint pipeline of the axis panel on the recording host: the order of the
// parts, the chart rectangle from the margins, depth slots, clipping of series,
// shared depth slots, and what a failing paint leaves behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "chart/chart.h"
#include "paint_test_support.h"

namespace tokiwa {
namespace {

using paint_test::LoggingSeries;
using paint_test::PaintChart;

// Index of the first call matching the predicate, or -1.
template <class Pred>
int FirstIndex(const std::vector<RecordedCall>& calls, Pred pred, int from = 0) {
  for (int i = from; i < static_cast<int>(calls.size()); ++i)
    if (pred(calls[i])) return i;
  return -1;
}

auto Kind(CanvasCall k) {
  return [k](const RecordedCall& c) { return c.kind == k; };
}

TEST(AxisPanelPaint, DrawsThePartsInPipelineOrder) {
  PaintChart c;
  c.chart->SetView3D(false);
  c.chart->Title().SetText({"Title"});
  c.AddSeries("s", 4);
  c.Paint();
  const auto& calls = c.Buffer().Calls();
  const TRect plot = c.chart->PlotRect();

  const int background = FirstIndex(calls, Kind(CanvasCall::FillRect));
  const int title = FirstIndex(calls, [](const RecordedCall& r) { return r.kind == CanvasCall::TextOut && r.text == "Title"; });
  const int frame = FirstIndex(calls, [&](const RecordedCall& r) {
    return r.kind == CanvasCall::Rectangle && r.rect == c.chart->PlotFrameRect();
  });
  const int axis = FirstIndex(calls, Kind(CanvasCall::LineTo), frame);
  const int series = FirstIndex(calls, Kind(CanvasCall::SetPixel));
  EXPECT_EQ(background, 0);
  EXPECT_LT(background, title);
  EXPECT_LT(title, frame);
  EXPECT_LT(frame, axis);
  EXPECT_LT(axis, series);
  // Axes draw under the series: no axis line after the first point.
  EXPECT_EQ(FirstIndex(calls, Kind(CanvasCall::LineTo), series), -1);
  EXPECT_EQ(c.Buffer().Count(CanvasCall::SetPixel), 4);
  EXPECT_EQ(c.chart->PlotFrameRect(), (TRect{plot.Left, plot.Top, plot.Right + 1, plot.Bottom}));

  // The finished image is copied to the target canvas once.
  ASSERT_EQ(c.Window().Count(CanvasCall::Draw), 1);
  EXPECT_EQ(c.Window().Calls().back().kind, CanvasCall::Draw);
  EXPECT_FALSE(c.chart->ImageStale());
}

TEST(AxisPanelPaint, ACachedImageIsCopiedWithoutDrawingAgain) {
  PaintChart c;
  c.chart->Paint();
  ASSERT_EQ(c.host.BitmapsCreated, 1);
  const size_t drawn = c.Buffer().Calls().size();
  c.chart->Paint();
  EXPECT_EQ(c.Buffer().Calls().size(), drawn);
  EXPECT_EQ(c.Window().Count(CanvasCall::Draw), 2);
  c.chart->SetMarginTop(10);  // a change draws again into the same buffer
  c.chart->Paint();
  EXPECT_GT(c.Buffer().Calls().size(), drawn);
  EXPECT_EQ(c.host.BitmapsCreated, 1);
}

TEST(AxisPanelPaint, TheChartRectangleStartsFromTheMarginsAndTheBorder) {
  PaintChart c;
  c.chart->SetView3D(false);
  c.chart->Title().SetText({"T"});
  c.chart->Foot().SetText({"F"});
  c.Paint();
  // 3 % of 250 is 7.5, rounded to 8; the foot's line sits on 250 - 8.
  EXPECT_EQ(c.Buffer().FindText("T")->from.Y, 8);
  EXPECT_EQ(c.Buffer().FindText("F")->from.Y, 242 - 15);
  EXPECT_EQ(c.host.LastBitmap()->Width(), 400);
  EXPECT_EQ(c.host.LastBitmap()->Height(), 250);

  c.chart->SetBorderWidth(2);
  c.chart->SetMarginTop(0);
  c.Buffer().Clear();
  c.Paint();
  EXPECT_EQ(c.Buffer().FindText("T")->from.Y, 2);
  EXPECT_EQ(c.Buffer().FindText("F")->from.Y, 240 - 15);
}

TEST(AxisPanelPaint, DepthSlotsPutTheFirstSeriesDeepest) {
  PaintChart c;
  auto& a = c.AddSeries("a", 2);
  auto& b = c.AddSeries("b", 2);
  auto& off = c.AddSeries("off", 2);
  auto& d = c.AddSeries("d", 2);
  off.SetActive(false);
  c.Paint();
  EXPECT_EQ(a.DepthSlot(), 2);
  EXPECT_EQ(b.DepthSlot(), 1);
  EXPECT_EQ(d.DepthSlot(), 0);
  EXPECT_EQ(c.chart->TopDepthSlot(), 2);
  EXPECT_GT(c.chart->DepthX(), 0);

  c.chart->SetView3D(false);
  c.Paint();
  EXPECT_EQ(a.DepthSlot(), 0);
  EXPECT_EQ(b.DepthSlot(), 0);
  EXPECT_EQ(d.DepthSlot(), 0);
  EXPECT_EQ(c.chart->DepthX(), 0);
  EXPECT_EQ(c.chart->DepthY(), 0);
}

TEST(AxisPanelPaint, FlatSeriesClipToThePlotInsideTheFrame) {
  PaintChart c;
  c.chart->SetView3D(false);
  c.AddSeries("s", 3).SetLimitToVisibleRange(false);
  c.Paint();
  TRect p = c.chart->PlotRect();
  // The last clip is the one that removes the series clip.
  auto clips = c.Buffer().CallsOf(CanvasCall::ClipRect);
  ASSERT_GE(clips.size(), 2u);
  EXPECT_EQ(clips[clips.size() - 2].rect, (TRect{p.Left + 1, p.Top + 1, p.Right, p.Bottom - 1}));

  c.chart->Frame().SetWidth(3);
  c.Paint();
  p = c.chart->PlotRect();
  clips = c.Buffer().CallsOf(CanvasCall::ClipRect);
  EXPECT_EQ(clips[clips.size() - 2].rect, (TRect{p.Left + 1, p.Top + 1, p.Right - 2, p.Bottom - 3}));

  c.chart->SetClipPoints(false);
  c.Buffer().Clear();
  c.chart->RequestRepaint();
  c.Paint();
  EXPECT_EQ(c.Buffer().Count(CanvasCall::ClipRect), 0);
}

TEST(AxisPanelPaint, SeriesIn3DClipToTheFrontAndBackPlanes) {
  PaintChart c;
  c.AddSeries("s", 3).SetLimitToVisibleRange(false);
  c.Paint();
  const TRect p = c.chart->PlotRect();
  const int dx = c.chart->DepthX(), dy = c.chart->DepthY();
  ASSERT_GT(dx, 0);
  ASSERT_EQ(c.Buffer().Count(CanvasCall::ClipPolygon), 1);
  const std::vector<TPoint> expected = {{p.Left + 1, p.Bottom - 1}, {p.Left + 1, p.Top},
                                        {p.Left + dx, p.Top - dy + 1}, {p.Right + dx, p.Top - dy + 1},
                                        {p.Right + dx, p.Bottom - dy + 1}, {p.Right, p.Bottom}};
  EXPECT_EQ(c.Buffer().LastOf(CanvasCall::ClipPolygon)->points, expected);
}

TEST(AxisPanelPaint, SeriesSharingADepthSlotAreInterleavedByTheFirstOfThem) {
  PaintChart c;
  auto& a = c.AddSeries("a", 3);
  auto& b = c.AddSeries("b", 2);
  auto& empty = c.AddSeries("e");
  for (LoggingSeries* s : {&a, &b, &empty}) {
    s->shareSlot = true;
    s->SetLimitToVisibleRange(false);
  }
  c.Paint();
  EXPECT_EQ(a.DepthSlot(), b.DepthSlot());
  const std::vector<std::string> forward = {"a:begin", "b:begin", "a:0", "b:0", "a:1",
                                            "b:1",     "a:2",     "a:end", "b:end"};
  EXPECT_EQ(c.log, forward);
  EXPECT_EQ(c.Buffer().Count(CanvasCall::ClipPolygon), 1);  // once for the slot

  c.log.clear();
  a.forward = false;
  c.chart->RequestRepaint();
  c.Paint();
  const std::vector<std::string> backward = {"a:begin", "b:begin", "a:2", "a:1", "b:1",
                                             "a:0",     "b:0",     "a:end", "b:end"};
  EXPECT_EQ(c.log, backward);
}

TEST(AxisPanelPaint, SeparateSlotsDrawEachSeriesOnItsOwn) {
  PaintChart c;
  auto& a = c.AddSeries("a", 2);
  auto& b = c.AddSeries("b", 1);
  auto& off = c.AddSeries("off", 1);
  off.SetActive(false);
  for (LoggingSeries* s : {&a, &b}) s->SetLimitToVisibleRange(false);
  c.Paint();
  const std::vector<std::string> expected = {"a:begin", "a:0", "a:1", "a:end", "b:begin", "b:0", "b:end"};
  EXPECT_EQ(c.log, expected);
}

TEST(AxisPanelPaint, MarksAreClippedOnlyWhenTheyAskForIt) {
  PaintChart c;
  c.chart->SetView3D(false);
  auto& s = c.AddSeries("s", 3);
  s.SetLimitToVisibleRange(false);
  c.Paint();
  const int withoutMarks = c.Buffer().Count(CanvasCall::ClipRect);
  s.Marks().SetVisible(true);
  c.Buffer().Clear();
  c.Paint();
  EXPECT_EQ(c.Buffer().Count(CanvasCall::ClipRect), withoutMarks);
  s.Marks().SetClip(true);
  c.Buffer().Clear();
  c.Paint();
  EXPECT_EQ(c.Buffer().Count(CanvasCall::ClipRect), withoutMarks + 2);  // clip and unclip
}

TEST(AxisPanelPaint, SeriesMarginsWidenTheRangeOfTheirOwnAxis) {
  PaintChart c;
  c.chart->SetView3D(false);
  auto& a = c.AddSeries("a", 5);  // X 0..4, Y 0..40
  auto& b = c.AddSeries("b", 5);
  auto& top = c.AddSeries("t", 5);
  a.margins[0] = 20;
  b.margins[1] = 30;
  b.margins[2] = 12;
  top.SetHorizAxis(THorizAxis::aTopAxis);
  top.margins[0] = top.margins[1] = 90;
  auto& inactive = c.AddSeries("off", 5);
  for (int& m : inactive.margins) m = 150;
  inactive.SetActive(false);
  c.Paint();
  const TRect p = c.chart->PlotRect();
  const TChartAxis& bottom = c.chart->BottomAxis();
  // The largest margin of an active series on each side: a's on the left, b's on the right.
  EXPECT_NEAR(bottom.ValueToPosition(0), p.Left + 20, 1);
  EXPECT_NEAR(bottom.ValueToPosition(4), p.Right - 30, 1);
  EXPECT_NEAR(c.chart->LeftAxis().ValueToPosition(40), p.Top + 12, 1);
  EXPECT_NEAR(c.chart->LeftAxis().ValueToPosition(0), p.Bottom, 1);
  EXPECT_NEAR(c.chart->TopAxis().ValueToPosition(0), p.Left + 90, 1);
}

TEST(AxisPanelPaint, AnAxisThatWouldLeaveNoPlotIsIgnored) {
  PaintChart c;
  c.chart->SetView3D(false);
  c.AddSeries("s", 3);
  c.Paint();
  const TRect normal = c.chart->PlotRect();
  c.chart->LeftAxis().Title().SetCaption("huge");
  c.chart->LeftAxis().SetTitleSize(100000);
  c.Paint();
  // The whole left axis (labels too) takes nothing: the plot starts at the
  // 3 % margin of 400; the other axes keep their room.
  const TRect p = c.chart->PlotRect();
  EXPECT_GT(normal.Left, 12);
  EXPECT_EQ(p.Left, 12);
  EXPECT_EQ(p.Top, normal.Top);
  EXPECT_EQ(p.Right, normal.Right);
  EXPECT_EQ(p.Bottom, normal.Bottom);
}

TEST(AxisPanelPaint, ExtremeMarginsAndBordersStayInRange) {
  PaintChart c;
  c.AddSeries("s", 3);
  for (int m : {1000000000, -1000000000}) {
    c.chart->SetMarginLeft(m);
    c.chart->SetMarginRight(m);
    c.chart->SetMarginTop(-m);
    c.chart->SetBorderWidth(m < 0 ? 2000000000 : 0);
    c.chart->Title().SetText({"t"});
    EXPECT_NO_THROW(c.Paint());
    EXPECT_GE(c.chart->PlotWidth(), 0);
    EXPECT_GE(c.chart->PlotHeight(), 0);
  }
}

TEST(AxisPanelPaint, AZoomFrameBeingDraggedSurvivesTheRepaint) {
  PaintChart c;
  c.chart->ZoomDrag().StartDragAt(20, 30);
  c.chart->ZoomDrag().ToX = 120;
  c.chart->ZoomDrag().ToY = 90;
  c.Paint();
  const auto& calls = c.Window().Calls();
  const int copy = FirstIndex(calls, Kind(CanvasCall::Draw));
  auto isFrame = [](const RecordedCall& r) {
    return r.kind == CanvasCall::Rectangle && r.state.penMode == TPenMode::pmNotXor &&
           r.rect == TRect{20, 30, 120, 90};
  };
  // Drawn by the pipeline, then again over the copied image, so it shows.
  EXPECT_GE(FirstIndex(calls, isFrame), 0);
  EXPECT_LT(FirstIndex(calls, isFrame), copy);
  EXPECT_GT(FirstIndex(calls, isFrame, copy), copy);

  c.chart->ZoomDrag().DragActive = false;
  c.Window().Clear();
  c.chart->RequestRepaint();
  c.Paint();
  EXPECT_EQ(FirstIndex(c.Window().Calls(), isFrame), -1);
}

TEST(AxisPanelPaint, AFailingPaintRestoresTheDrawingCanvasAndStaysStale) {
  PaintChart c;
  int afterDraw = 0;
  c.chart->OnAfterDraw = [&](TComponent* sender) {
    EXPECT_EQ(sender, c.chart);
    // During the paint the series and handlers draw into the back buffer.
    EXPECT_EQ(&c.chart->DrawCanvas(), &c.host.LastBitmap()->GetCanvas());
    ++afterDraw;
    throw std::runtime_error("handler failed");
  };
  EXPECT_THROW(c.Paint(), std::runtime_error);
  EXPECT_EQ(afterDraw, 1);
  EXPECT_EQ(&c.chart->DrawCanvas(), &c.host.WindowCanvas());
  EXPECT_TRUE(c.chart->ImageStale());
  EXPECT_EQ(c.Window().Count(CanvasCall::Draw), 0);

  c.chart->OnAfterDraw = nullptr;
  c.Paint();
  EXPECT_FALSE(c.chart->ImageStale());
  EXPECT_EQ(&c.chart->DrawCanvas(), &c.host.WindowCanvas());
}

TEST(AxisPanelPaint, TheTextBackgroundColourIsRestored) {
  PaintChart c;
  RecordingHost& h = c.host;
  c.Paint();  // creates the buffer
  h.LastBitmap()->GetCanvas().SetBkColor(0x123456);
  // A hatched wall sets the background colour of its hatch on the way.
  c.chart->LeftWall().Brush().SetStyle(TBrushStyle::bsCross);
  c.Paint();
  EXPECT_EQ(h.LastBitmap()->GetCanvas().BkColor(), 0x123456u);
}

}  // namespace
}  // namespace tokiwa
