// Title and foot blocks: where their lines go, how much of the chart rectangle
// they take, their frames and hit rectangles, and their repaint rules.
#include <gtest/gtest.h>

#include "chart/chart.h"
#include "paint_test_support.h"

namespace tokiwa {
namespace {

using paint_test::PaintChart;

// Draws title blocks on the window canvas (the drawing canvas outside a paint)
// with lines 15 pixels high and 7 pixels per character.
struct TitleBlock : ::testing::Test {
  PaintChart c;
  TChartTitle& title = c.chart->Title();
  TChartTitle& foot = c.chart->Foot();
  void SetUp() override {
    c.Window().CharHeight = 15;
    c.SetPlot({10, 20, 410, 300});
  }
  std::vector<RecordedCall> Texts() { return c.Window().CallsOf(CanvasCall::TextOut); }
  void Frame(TChartTitle& t, int width) {
    t.Frame().SetVisible(true);
    t.Frame().SetWidth(width);
  }
};

TEST_F(TitleBlock, AFootStacksItsLinesUpwardFromTheBottom) {
  foot.SetAlignment(TAlignment::taLeftJustify);
  foot.SetText({"first", "second"});
  c.chart->DrawTitleBlock(foot, false);
  auto texts = Texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, "second");
  EXPECT_EQ(texts[0].from, (TPoint{10, 285}));
  EXPECT_EQ(texts[1].text, "first");
  EXPECT_EQ(texts[1].from, (TPoint{10, 270}));
  EXPECT_EQ(c.chart->PlotRect().Bottom, 265);
  EXPECT_EQ(c.chart->PlotHeight(), 245);
  EXPECT_EQ(foot.TitleRect(), (TRect{10, 270, 410, 300}));
  EXPECT_EQ(texts[0].state.bkMode, BkMode::Transparent);
}

TEST_F(TitleBlock, ATitleGrowsDownwardFromTheTop) {
  title.SetText({"one", "two"});
  c.chart->DrawTitleBlock(title, true);
  auto texts = Texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].from.Y, 20);
  EXPECT_EQ(texts[1].from.Y, 35);
  EXPECT_EQ(c.chart->PlotRect().Top, 55);
  // Centred on the full width: (10 + 410) div 2 - 21 div 2.
  EXPECT_EQ(texts[0].from.X, 200);
  EXPECT_EQ(texts[0].state.fontColor, clBlue);
  EXPECT_EQ(title.TitleRect(), (TRect{10, 20, 410, 50}));
}

TEST_F(TitleBlock, RightAlignedLinesEndAtTheRightEdge) {
  title.SetAlignment(TAlignment::taRightJustify);
  title.SetText({"abc", "abcdef"});
  c.chart->DrawTitleBlock(title, true);
  auto texts = Texts();
  EXPECT_EQ(texts[0].from.X, 410 - 21);
  EXPECT_EQ(texts[1].from.X, 410 - 42);
}

TEST_F(TitleBlock, AnEmptyVisibleTitleTakesOnlyItsFrame) {
  c.chart->DrawTitleBlock(title, true);
  EXPECT_EQ(c.chart->PlotRect().Top, 20);
  Frame(title, 1);
  c.chart->DrawTitleBlock(title, true);
  EXPECT_EQ(c.chart->PlotRect().Top, 23);
  Frame(title, 2);
  c.chart->DrawTitleBlock(title, true);
  EXPECT_EQ(c.chart->PlotRect().Top, 29);
  foot.SetText({});
  Frame(foot, 2);
  c.chart->DrawTitleBlock(foot, false);
  EXPECT_EQ(c.chart->PlotRect().Bottom, 294);
}

TEST_F(TitleBlock, AFrameWithoutColourIsNoFrame) {
  Frame(title, 4);
  title.Frame().SetColor(ColorDefault);
  title.SetText({"x"});
  c.chart->DrawTitleBlock(title, true);
  EXPECT_EQ(c.Window().Count(CanvasCall::Rectangle), 0);
  EXPECT_EQ(c.chart->PlotRect().Top, 40);
}

TEST_F(TitleBlock, InvisibleTitlesTakeNothing) {
  title.SetText({"a"});
  foot.SetText({"b"});
  title.SetVisible(false);
  foot.SetVisible(false);
  c.chart->PlaceTitlesAndLegend();
  EXPECT_EQ(c.chart->PlotRect(), (TRect{10, 20, 410, 300}));
  EXPECT_TRUE(Texts().empty());
}

TEST_F(TitleBlock, AnAdjustedFrameHugsTheWidestLine) {
  Frame(title, 1);
  title.SetAlignment(TAlignment::taLeftJustify);
  title.SetText({"abcd", "ab"});  // widest 28, w = 30
  c.chart->DrawTitleBlock(title, true);
  // Frame inside the chart rectangle by its width, then grown by the pen width.
  EXPECT_EQ(title.TitleRect(), (TRect{10, 20, 40, 52}));
  const RecordedCall* frame = c.Window().LastOf(CanvasCall::Rectangle);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->rect, title.TitleRect());
  EXPECT_EQ(frame->state.penWidth, 1);
  // Lines inside the frame; the rectangle's top moves past the pad and gap.
  EXPECT_EQ(Texts()[0].from, (TPoint{11, 21}));
  EXPECT_EQ(c.chart->PlotRect().Top, 21 + 30 + 2 + 5);

  c.SetPlot({10, 20, 410, 300});
  title.SetAlignment(TAlignment::taCenter);
  c.chart->DrawTitleBlock(title, true);
  const int centre = (10 + 410) / 2;
  EXPECT_EQ(title.TitleRect().Left, centre - 15 - 2);
  EXPECT_EQ(title.TitleRect().Right, centre + 15 + 2);

  c.SetPlot({10, 20, 410, 300});
  title.SetAlignment(TAlignment::taRightJustify);
  c.chart->DrawTitleBlock(title, true);
  EXPECT_EQ(title.TitleRect(), (TRect{410 - 30, 20, 410, 52}));

  c.SetPlot({10, 20, 410, 300});
  title.SetAdjustFrame(false);
  c.chart->DrawTitleBlock(title, true);
  EXPECT_EQ(title.TitleRect().Left, 10);
  EXPECT_EQ(title.TitleRect().Right, 410);
}

TEST_F(TitleBlock, TheTitleBrushFillsTheFrameUnlessItHasNoColour) {
  Frame(title, 1);
  title.SetText({"x"});
  c.chart->DrawTitleBlock(title, true);
  EXPECT_EQ(c.Window().LastOf(CanvasCall::Rectangle)->state.brushStyle, TBrushStyle::bsClear);
  title.Brush().SetColor(clYellow);
  c.chart->DrawTitleBlock(title, true);
  EXPECT_EQ(c.Window().LastOf(CanvasCall::Rectangle)->state.brushStyle, TBrushStyle::bsSolid);
  EXPECT_EQ(c.Window().LastOf(CanvasCall::Rectangle)->state.brushColor, clYellow);
}

TEST_F(TitleBlock, ContainsPointExcludesTheRightAndBottomEdges) {
  title.SetText({"x"});
  c.chart->DrawTitleBlock(title, true);  // 10, 20, 410, 35
  EXPECT_TRUE(title.ContainsPoint(10, 20));
  EXPECT_TRUE(title.ContainsPoint(409, 34));
  EXPECT_FALSE(title.ContainsPoint(410, 30));
  EXPECT_FALSE(title.ContainsPoint(100, 35));
  title.SetVisible(false);
  EXPECT_FALSE(title.ContainsPoint(100, 25));
}

TEST_F(TitleBlock, TitleFirstThenFootEachInsideWhatCameBefore) {
  title.SetText({"T"});
  foot.SetText({"F1", "F2"});
  c.chart->PlaceTitlesAndLegend();  // no active series: no legend
  EXPECT_EQ(c.chart->PlotRect(), (TRect{10, 40, 410, 265}));
  auto texts = Texts();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].text, "T");
}

TEST(TitleRepaint, EditingLinesInPlaceWaitsForTheRepaintRequest) {
  PaintChart c;
  c.chart->Foot().SetAlignment(TAlignment::taLeftJustify);
  c.chart->Foot().SetText({"[a]", "b"});
  c.Paint();
  ASSERT_FALSE(c.chart->ImageStale());
  const int invalidations = c.host.InvalidateCount;

  c.chart->Foot().Text()[0] = "[changed]";
  EXPECT_FALSE(c.chart->ImageStale());
  EXPECT_EQ(c.host.InvalidateCount, invalidations);
  c.chart->Paint();  // the cached image, old foot and all
  EXPECT_EQ(c.Buffer().FindText("[changed]"), nullptr);

  c.chart->Foot().RepaintChart();
  EXPECT_TRUE(c.chart->ImageStale());
  EXPECT_EQ(c.host.InvalidateCount, invalidations + 1);
  c.Buffer().Clear();
  c.chart->Paint();
  // The whole chart is drawn again, not only the foot.
  EXPECT_NE(c.Buffer().FindText("[changed]"), nullptr);
  EXPECT_EQ(c.Buffer().Calls().front().kind, CanvasCall::FillRect);
  EXPECT_GT(c.Buffer().Count(CanvasCall::Rectangle), 0);
}

TEST(TitleRepaint, SettingTheLinesAlwaysRepaints) {
  PaintChart c;
  const int n = c.host.InvalidateCount;
  c.chart->Title().SetText({"same"});
  c.chart->Title().SetText({"same"});
  EXPECT_EQ(c.host.InvalidateCount, n + 2);
}

TEST(TitleText, TextStringEndsEveryLineWithCrLf) {
  TChartTitle t(nullptr);
  EXPECT_EQ(t.TextString(), "");
  t.SetText({"[a]", "\u3000"});
  EXPECT_EQ(t.TextString(), "[a]\r\n\u3000\r\n");
}

TEST(TitleCopy, CopiesLinesLayoutFrameBrushAndFont) {
  TChartTitle from(nullptr), to(nullptr);
  from.SetText({"x", "y"});
  from.SetAlignment(TAlignment::taLeftJustify);
  from.SetVisible(false);
  from.Frame().SetVisible(true);
  from.SetAdjustFrame(false);
  from.Brush().SetColor(clLime);
  from.Font().SetColor(clMaroon);
  to.Assign(from);
  EXPECT_EQ(to.Text(), from.Text());
  EXPECT_EQ(to.Alignment(), TAlignment::taLeftJustify);
  EXPECT_FALSE(to.Visible());
  EXPECT_TRUE(to.Frame().Visible());
  EXPECT_FALSE(to.AdjustFrame());
  EXPECT_EQ(to.Brush().Color(), clLime);
  EXPECT_EQ(to.Font().Color(), clMaroon);
}

}  // namespace
}  // namespace tokiwa
