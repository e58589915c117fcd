// The recording canvas keeps each call with the state it was made in, and
// measures text with fixed metrics.
#include <gtest/gtest.h>

#include "support/recording_canvas.h"

namespace tokiwa {
namespace {

TEST(RecordingCanvasTest, CallsAreKeptInOrderWithTheirState) {
  RecordingCanvas c;
  c.Pen().SetColor(clRed);
  c.Pen().SetMode(TPenMode::pmNotXor);
  c.Brush().SetStyle(TBrushStyle::bsClear);
  c.Rectangle(1, 2, 3, 4);
  c.Font().SetAngle(90);
  c.SetTextAlign(TextHAlign::Center, TextVAlign::Bottom);
  c.SetBkMode(BkMode::Transparent);
  c.TextOut(10, 20, "abc");
  c.MoveTo(5, 6);
  c.LineTo(7, 8);
  c.LineTo(9, 9);

  ASSERT_EQ(c.Calls().size(), 4u);
  const RecordedCall& rect = c.Calls()[0];
  EXPECT_EQ(rect.kind, CanvasCall::Rectangle);
  EXPECT_EQ(rect.rect, (TRect{1, 2, 3, 4}));
  EXPECT_EQ(rect.state.penColor, clRed);
  EXPECT_EQ(rect.state.penMode, TPenMode::pmNotXor);
  EXPECT_EQ(rect.state.brushStyle, TBrushStyle::bsClear);
  EXPECT_EQ(rect.state.fontAngle, 0);

  const RecordedCall* text = c.FindText("abc");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->from, (TPoint{10, 20}));
  EXPECT_EQ(text->state.fontAngle, 90);
  EXPECT_EQ(text->state.halign, TextHAlign::Center);
  EXPECT_EQ(text->state.valign, TextVAlign::Bottom);
  EXPECT_EQ(text->state.bkMode, BkMode::Transparent);

  EXPECT_EQ(c.Count(CanvasCall::LineTo), 2);
  const RecordedCall* last = c.LastOf(CanvasCall::LineTo);
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->from, (TPoint{7, 8}));
  EXPECT_EQ(last->to, (TPoint{9, 9}));
  EXPECT_EQ(c.PenPos(), (TPoint{9, 9}));
  EXPECT_EQ(c.LastOf(CanvasCall::Ellipse), nullptr);
  EXPECT_EQ(c.Texts(), std::vector<std::string>{"abc"});
  c.Clear();
  EXPECT_TRUE(c.Calls().empty());
}

TEST(RecordingCanvasTest, FixedTextMetrics) {
  RecordingCanvas c;
  c.Font().SetHeight(-12);
  EXPECT_EQ(c.TextExtent("Hello"), (TSize{35, 15}));
  EXPECT_EQ(c.TextWidth("起動 log"), 2 * 14 + 4 * 7);  // two wide characters, four bytes
  EXPECT_EQ(c.TextWidth(""), 0);
  c.Font().SetHeight(20);
  EXPECT_EQ(c.TextHeight("x"), 23);
  c.CharWidth = 5;
  c.WideCharWidth = 9;
  c.CharHeight = 15;
  EXPECT_EQ(c.TextExtent("ab時"), (TSize{19, 15}));
  EXPECT_EQ(c.ExtentQueries(), 5);
  EXPECT_TRUE(c.Calls().empty());  // measuring draws nothing
}

TEST(RecordingCanvasTest, BitmapCanvasRecordsAndDrawKeepsTheImage) {
  RecordingBitmap bitmap(30, 20, false);
  bitmap.GetCanvas().FillRect({0, 0, 30, 20});
  EXPECT_EQ(bitmap.Recorder().Count(CanvasCall::FillRect), 1);
  bitmap.SetSize(40, 25);
  RecordingCanvas screen;
  screen.Draw(3, 4, bitmap);
  const RecordedCall* draw = screen.LastOf(CanvasCall::Draw);
  ASSERT_NE(draw, nullptr);
  EXPECT_EQ(draw->image, &bitmap);
  EXPECT_EQ(draw->rect, (TRect{3, 4, 43, 29}));
}

}  // namespace
}  // namespace tokiwa
