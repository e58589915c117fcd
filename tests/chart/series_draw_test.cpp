#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/chart.h"
#include "chart/series.h"
#include "support/recording_canvas.h"
#include "support/recording_host.h"

namespace tokiwa {
namespace {

// A chart whose plot rectangle and bottom axis range are set by hand, so that
// x = 100 + 10 * value on the bottom axis over the range 0..30.
class SeriesDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    chart.SetHost(&host);
    chart.SetView3D(false);
    series->SetParentChart(&chart);
    SetRange(0, 30);
    chart.LeftAxis().SetAxisRange(0, 100);
    chart.LeftAxis().ComputeAutoRange();
  }
  void SetRange(double lo, double hi) {
    chart.PanelBounds() = {0, 0, 400, 250};
    chart.PlotRect() = {100, 0, 400, 200};
    chart.RecalcPlotSize();
    chart.BottomAxis().SetAxisRange(lo, hi);
    chart.BottomAxis().ComputeAutoRange();
  }
  RecordingCanvas& Window() { return host.Window; }

  RecordingHost host;
  TChart chart{nullptr};
  TChartSeries* series = new TChartSeries(&chart);
};

TEST_F(SeriesDrawTest, ShownRangeFollowsTheAxisRange) {
  for (int x = 1; x <= 10; ++x) series->AppendPoint(x, x, "");
  ASSERT_EQ(chart.BottomAxis().PositionToValue(100), 0);
  SetRange(3.5, 7.5);
  series->ComputeShownRange();
  EXPECT_EQ(series->FirstShownIndex(), 3);
  EXPECT_EQ(series->LastShownIndex(), 6);
  series->SetKeepPointPastRange(true);
  series->ComputeShownRange();
  EXPECT_EQ(series->FirstShownIndex(), 3);
  EXPECT_EQ(series->LastShownIndex(), 7);
  // Points exactly on the edges: the first is shown, and nothing past the last
  // is kept when one lies on the right edge (the viewer's range starts on a bar).
  SetRange(3, 7);
  series->ComputeShownRange();
  EXPECT_EQ(series->FirstShownIndex(), 2);
  EXPECT_EQ(series->LastShownIndex(), 6);

  SetRange(20, 30);
  series->ComputeShownRange();
  EXPECT_EQ(series->FirstShownIndex(), -1);
  EXPECT_EQ(series->LastShownIndex(), -1);

  SetRange(0, 100);
  series->ComputeShownRange();
  EXPECT_EQ(series->FirstShownIndex(), 0);
  EXPECT_EQ(series->LastShownIndex(), 9);

  SetRange(20, 30);
  series->SetLimitToVisibleRange(false);
  series->ComputeShownRange();
  EXPECT_EQ(series->FirstShownIndex(), 0);
  EXPECT_EQ(series->LastShownIndex(), 9);
}

TEST_F(SeriesDrawTest, ShownRangeOnAnInvertedAxis) {
  for (int x = 1; x <= 10; ++x) series->AppendPoint(x, x, "");
  SetRange(3.5, 7.5);
  chart.BottomAxis().SetInverted(true);
  series->ComputeShownRange();
  EXPECT_EQ(series->FirstShownIndex(), 3);
  EXPECT_EQ(series->LastShownIndex(), 6);
}

TEST_F(SeriesDrawTest, ScreenPositionsShiftByTheDepthSlot) {
  series->AppendPoint(10, 50, "");
  const int x = series->PointScreenX(0);
  const int y = series->PointScreenY(0);
  EXPECT_EQ(x, chart.BottomAxis().ValueToPosition(10));
  EXPECT_EQ(y, chart.LeftAxis().ValueToPosition(50));
  chart.SetView3D(true);
  chart.PlotRect() = {100, 0, 400, 200};
  chart.RecalcPlotSize();
  chart.SetTopDepthSlot(1);
  chart.ComputeDepth();
  series->SetDepthSlot(1);
  EXPECT_EQ(series->PointScreenX(0), chart.BottomAxis().ValueToPosition(10) + chart.SlotDepthX());
  EXPECT_EQ(series->PointScreenY(0), chart.LeftAxis().ValueToPosition(50) - chart.SlotDepthY());
  EXPECT_GT(chart.SlotDepthX(), 0);
}

TEST_F(SeriesDrawTest, DoubleClickReachesOnClickWithoutADoubleClickHandler) {
  series->AppendPoint(1, 1, "");
  std::vector<std::string> seen;
  series->OnClick = [&](TChartSeries* s, int index, TMouseButton, TShiftState, int x, int) {
    EXPECT_EQ(s, series);
    seen.push_back("click " + std::to_string(index) + "@" + std::to_string(x));
  };
  EXPECT_TRUE(series->RaiseClick(series, 0, TMouseButton::mbLeft, ssLeft, 5, 6));
  EXPECT_TRUE(series->RaiseClick(series, 0, TMouseButton::mbLeft, ssLeft | ssDouble, 5, 6));
  EXPECT_EQ(seen, (std::vector<std::string>{"click 0@5", "click 0@5"}));
  EXPECT_TRUE(chart.ClickConsumed);

  series->OnDblClick = [&](TChartSeries*, int, TMouseButton, TShiftState, int, int) {
    seen.push_back("double");
    chart.ClickConsumed = false;  // lets the chart go on
  };
  EXPECT_FALSE(series->RaiseClick(series, 0, TMouseButton::mbLeft, ssDouble, 5, 6));
  EXPECT_EQ(seen.back(), "double");
  EXPECT_EQ(seen.size(), 3u);

  series->OnClick = nullptr;
  EXPECT_FALSE(series->RaiseClick(series, 0, TMouseButton::mbLeft, ssLeft, 5, 6));
}

TEST_F(SeriesDrawTest, BaseMarkDrawsArrowFrameAndCentredText) {
  series->SetSeriesColor(clWhite);  // same as the arrow: the arrow turns black
  series->AppendPoint(1, 1, "");
  Window().Clear();
  series->Marks().Frame().SetWidth(2);
  series->DrawMark(0, "hello", {10, 20, 60, 40}, {35, 50}, {35, 45});
  auto lines = Window().CallsOf(CanvasCall::LineTo);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].from, (TPoint{35, 50}));
  EXPECT_EQ(lines[0].to, (TPoint{35, 45}));
  EXPECT_EQ(lines[0].state.penColor, clBlack);
  auto rects = Window().CallsOf(CanvasCall::Rectangle);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].rect, (TRect{10, 20, 60, 40}));
  EXPECT_EQ(rects[0].state.brushColor, series->Marks().BackColor());
  EXPECT_EQ(rects[0].state.brushStyle, TBrushStyle::bsSolid);
  const RecordedCall* text = Window().LastOf(CanvasCall::TextOut);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->from, (TPoint{35, 22}));  // below the frame's width
  EXPECT_EQ(text->state.halign, TextHAlign::Center);
  EXPECT_EQ(Window().HAlign(), TextHAlign::Left);  // restored

  // On a black chart the arrow turns white; without a frame the box has no
  // outline, and a transparent mark has no box at all.
  chart.SetColor(clBlack);
  series->Marks().Frame().SetVisible(false);
  for (bool transparent : {false, true}) {
    series->Marks().SetTransparent(transparent);
    Window().Clear();
    series->DrawMark(0, "hello", {10, 20, 60, 40}, {35, 50}, {35, 45});
    EXPECT_EQ(Window().LastOf(CanvasCall::LineTo)->state.penColor, clWhite);
    rects = Window().CallsOf(CanvasCall::Rectangle);
    ASSERT_EQ(rects.size(), transparent ? 0u : 1u);
    if (!transparent) {
      EXPECT_EQ(rects[0].state.penStyle, TPenStyle::psClear);
      EXPECT_EQ(rects[0].state.brushStyle, TBrushStyle::bsSolid);
    }
    EXPECT_EQ(Window().LastOf(CanvasCall::TextOut)->from, (TPoint{35, 20}));
  }
}

TEST_F(SeriesDrawTest, MarksSkipHiddenPointsAndEmptyTextsAndCentreOnThePoint) {
  series->AppendPoint(5, 50, "a");
  series->AppendPoint(10, 50, "b", ColorNone);
  series->AppendPoint(15, 50, "c");
  series->OnGetMarkText = [](TChartSeries*, int index, std::string& text) {
    if (index == 2) text.clear();
  };
  series->Marks().Arrow().SetVisible(false);
  series->ComputeShownRange();
  Window().Clear();
  series->DrawMarks();
  auto texts = Window().Texts();
  EXPECT_EQ(texts, (std::vector<std::string>{"a"}));
  auto rect = Window().LastOf(CanvasCall::Rectangle)->rect;
  const int x = series->PointScreenX(0);
  const int y = series->PointScreenY(0);
  const int w = Window().TextWidth("aW") + 2;  // the frame's width on both sides
  const int h = Window().TextHeight("W") + 2;
  EXPECT_EQ(rect.Left, x - w / 2);
  EXPECT_EQ(rect.Width(), w);
  EXPECT_EQ(rect.Top, y - h / 2);
  EXPECT_EQ(rect.Height(), h);
}

TEST_F(SeriesDrawTest, MarkTextsFromTheLegendAndTheHorizontalAxis) {
  series->AppendPoint(5, 7, "p");
  series->Marks().SetStyle(TSeriesMarksStyle::smsLegend);
  EXPECT_EQ(series->MarkText(0), "7 p");  // the legend's value first
  series->Marks().SetStyle(TSeriesMarksStyle::smsXValue);
  chart.BottomAxis().SetAxisValuesFormat("0.00");
  EXPECT_EQ(series->MarkText(0), "5.00");  // the axis' label, not the value format
}

TEST_F(SeriesDrawTest, MarkTextWidthIsTheWidestMark) {
  EXPECT_EQ(series->MarkTextWidth(), 0);
  series->AppendPoint(1, 1, "ab");
  series->AppendPoint(2, 1, "abcd");
  EXPECT_EQ(series->MarkTextWidth(), Window().TextWidth("abcd"));
}

TEST_F(SeriesDrawTest, LegendSymbolInTheLegendColourGetsAnOutline) {
  series->AppendPoint(1, 1, "", clWhite);
  series->AppendPoint(2, 1, "", ColorNone);
  chart.Legend().SetColor(clWhite);
  Window().Clear();
  series->DrawLegendSymbol(0, {0, 0, 10, 10});
  auto rects = Window().CallsOf(CanvasCall::Rectangle);
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_EQ(rects[0].state.brushColor, clWhite);
  EXPECT_EQ(rects[0].state.brushStyle, TBrushStyle::bsSolid);
  EXPECT_EQ(rects[1].state.brushStyle, TBrushStyle::bsClear);
  EXPECT_EQ(rects[1].state.penColor, clBlack);
  // A black symbol on a black legend is outlined in white; the pen is left black.
  series->AppendPoint(3, 1, "", clBlack);
  chart.Legend().SetColor(clBlack);
  Window().Clear();
  series->DrawLegendSymbol(2, {0, 0, 10, 10});
  ASSERT_EQ(Window().Count(CanvasCall::Rectangle), 2);
  EXPECT_EQ(Window().LastOf(CanvasCall::Rectangle)->state.penColor, clWhite);
  EXPECT_EQ(Window().State().penColor, clBlack);

  Window().Clear();
  series->DrawLegendSymbol(1, {0, 0, 10, 10});  // not drawn
  series->SetColorEachPoint(true);
  series->DrawLegendSymbol(-1, {0, 0, 10, 10});  // one colour per point: no series symbol
  EXPECT_EQ(Window().Count(CanvasCall::Rectangle), 0);
}

TEST_F(SeriesDrawTest, AttachingPicksAnUnusedPaletteColourAndDetachingRestoresTheCursor) {
  EXPECT_NE(series->SeriesColor(), ColorDefault);
  auto* second = new TChartSeries(&chart);
  second->SetParentChart(&chart);
  EXPECT_NE(second->SeriesColor(), series->SeriesColor());
  second->SetCursor(crChartHand);
  chart.SetSavedCursor(crDefault);
  chart.SetCursor(crChartHand);
  second->SetParentChart(nullptr);
  EXPECT_EQ(chart.Cursor(), crDefault);
  EXPECT_EQ(chart.SeriesCount(), 1);
  delete second;
}

}  // namespace
}  // namespace tokiwa
