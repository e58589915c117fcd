// Legend layout and drawing: the box for each alignment, the items and their
// symbols, the shadow, the order, and the room taken from the plot.
#include <gtest/gtest.h>

#include "legend_test_support.h"

namespace tokiwa {
namespace {

using legend_test::LegendChart;

// Three series titled "A", "BB", "CCC": item texts 7, 14 and 21 pixels wide;
// lines 15 high. Frame width 1 (counts 2), shadow 3, ColorWidth 12, TopPos 10.
struct ThreeSeries : LegendChart {
  ThreeSeries() {
    Titled("A");
    Titled("BB");
    Titled("CCC");
  }
};

TEST(LegendLayout, RightLegendBoxItemsSymbolsAndShadow) {
  ThreeSeries c;
  c.Draw();
  // top = 10 % of 1000; three rows of 15 + 2; right = 900 - 2 - 3; text 21 wide;
  // symbol Round((21 + 10) × 12 %) = 4.
  EXPECT_EQ(c.Legend().LegendBounds(), (TRect{860, 100, 895, 147}));
  EXPECT_EQ(c.Legend().SymbolWidth(), 4);
  auto rects = c.Rectangles();
  ASSERT_EQ(rects.size(), 4u);  // box and three symbols
  EXPECT_EQ(rects[0].rect, (TRect{859, 99, 896, 148}));
  EXPECT_EQ(rects[0].state.brushColor, clWhite);
  EXPECT_EQ(rects[0].state.penColor, clBlack);
  const char* texts[] = {"A", "BB", "CCC"};
  for (int k = 0; k < 3; ++k) {
    const RecordedCall* text = c.Window().FindText(texts[k]);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->from, (TPoint{872, 101 + 15 * k}));
    EXPECT_EQ(text->state.brushStyle, TBrushStyle::bsClear);
    EXPECT_EQ(rects[1 + k].rect, (TRect{864, 103 + 15 * k, 868, 114 + 15 * k}));
    EXPECT_EQ(rects[1 + k].state.brushColor, c.chart->SeriesAt(k)->SeriesColor());
  }
  // Frame width 1 is odd: the shadow starts 1 pixel outside the box.
  auto fills = c.Fills();
  ASSERT_EQ(fills.size(), 2u);
  EXPECT_EQ(fills[0].rect, (TRect{863, 148, 899, 151}));
  EXPECT_EQ(fills[1].rect, (TRect{896, 103, 899, 151}));
  EXPECT_EQ(fills[0].state.brushColor, clBlack);
  // The plot ends at the box, then 3 % of its width (24) for the gap.
  EXPECT_EQ(c.chart->PlotRect(), (TRect{100, 100, 836, 700}));
  EXPECT_EQ(c.chart->PlotWidth(), 736);
}

TEST(LegendLayout, ValueItemsShowTheSymbolOfTheirPoint) {
  LegendChart c;
  auto& s = c.AddSeries("s");
  const TColor colours[] = {clRed, clGreen, clBlue};
  for (int i = 0; i < 3; ++i) s.AppendPoint(i, i, "", colours[i]);
  c.Legend().SetLegendStyle(TLegendStyle::lsValues);
  c.Draw();
  auto rects = c.Rectangles();
  ASSERT_EQ(rects.size(), 4u);  // box and three symbols
  for (int k = 0; k < 3; ++k) EXPECT_EQ(rects[1 + k].state.brushColor, colours[k]);
}

TEST(LegendLayout, LeftLegend) {
  ThreeSeries c;
  c.Legend().SetAlignment(TLegendAlignment::laLeft);
  c.Draw();
  // left = 100 + 2; symbol at +4, 4 wide; text after 4 more; right after text + 2.
  EXPECT_EQ(c.Legend().LegendBounds(), (TRect{102, 100, 137, 147}));
  EXPECT_EQ(c.Window().FindText("A")->from, (TPoint{114, 101}));
  EXPECT_EQ(c.Rectangles()[1].rect, (TRect{106, 103, 110, 114}));
  EXPECT_EQ(c.chart->PlotRect().Left, 137 + 24);
}

TEST(LegendLayout, TopLegendRunsToTheRightCentredOnThePlot) {
  ThreeSeries c;
  c.Legend().SetAlignment(TLegendAlignment::laTop);
  c.Draw();
  // Item width 21 + 4 = 25, symbol Round(12 % of 25) = 3, step 25 + 3 + 4 = 32;
  // box (3 + 25 + 4) × 3 + 8 + 2 × 3 = 110 wide around x = 500.
  EXPECT_EQ(c.Legend().LegendBounds(), (TRect{445, 102, 555, 119}));
  EXPECT_EQ(c.Legend().SymbolWidth(), 3);
  const char* texts[] = {"A", "BB", "CCC"};
  auto rects = c.Rectangles();
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(c.Window().FindText(texts[k])->from, (TPoint{456 + 32 * k, 103}));
    EXPECT_EQ(rects[1 + k].rect, (TRect{449 + 32 * k, 105, 452 + 32 * k, 116}));
  }
  // Below the box and its shadow, then 3 % of the plot height (18).
  EXPECT_EQ(c.chart->PlotRect().Top, 119 + 3 + 18);
}

TEST(LegendLayout, BottomLegendSitsAboveTheShadowAndFrame) {
  ThreeSeries c;
  c.Legend().SetAlignment(TLegendAlignment::laBottom);
  c.Draw();
  EXPECT_EQ(c.Legend().LegendBounds(), (TRect{445, 678, 555, 695}));
  EXPECT_EQ(c.Window().FindText("A")->from, (TPoint{456, 679}));
  EXPECT_EQ(c.chart->PlotRect().Bottom, 678 - 18);
}

TEST(LegendLayout, RightLegendShowsOnlyTheItemsThatFit) {
  LegendChart c;
  c.SetPlot({100, 100, 900, 160});  // 60 high: (60 + 100 - 100 - 2) div 15 = 3 rows
  for (const char* t : {"A", "B", "C", "D", "E"}) c.Titled(t);
  c.Legend().SetFirstValue(1);
  c.Draw();
  EXPECT_EQ(c.Window().Texts(), (std::vector<std::string>{"B", "C", "D"}));
  EXPECT_EQ(c.Legend().LegendBounds().Bottom, 100 + 3 * 15 + 2);
}

// A legend with no item to show (all skipped by FirstValue, or a side legend
// whose TopPos puts it below the plot) draws nothing, keeps the plot and
// leaves no box to answer clicks.
TEST(LegendLayout, ALegendShowingNoItemDrawsNothingAndTakesNoClicks) {
  struct Case {
    int firstValue, topPos;
    std::vector<TLegendAlignment> sides;
  };
  using enum TLegendAlignment;
  const Case cases[] = {{3, 10, {laLeft, laRight, laTop, laBottom}},
                        {7, 10, {laLeft, laRight, laTop, laBottom}},
                        {0, 90, {laLeft, laRight}}};
  for (const Case& k : cases) {
    ThreeSeries c;
    c.Legend().SetFirstValue(k.firstValue);
    c.Legend().SetTopPos(k.topPos);
    for (TLegendAlignment a : k.sides) {
      c.Legend().SetAlignment(a);
      c.Draw();
      EXPECT_TRUE(c.Window().Calls().empty());
      EXPECT_EQ(c.chart->PlotRect(), LegendChart::kPlot);
      EXPECT_EQ(c.Legend().LegendBounds(), TRect{});
    }
  }
}

TEST(LegendLayout, InvertedListsTheLastItemFirstWithLinesBetweenSlots) {
  ThreeSeries c;
  c.Legend().SetInverted(true);
  c.Legend().DividingLines().SetVisible(true);
  c.Legend().DividingLines().SetColor(clBlue);
  c.Draw();
  EXPECT_EQ(c.Window().Texts(), (std::vector<std::string>{"CCC", "BB", "A"}));
  EXPECT_EQ(c.Window().FindText("CCC")->from.Y, 101);
  EXPECT_EQ(c.Window().FindText("A")->from.Y, 131);
  // The symbol belongs to its item: slot 0 shows the third series' colour.
  EXPECT_EQ(c.Rectangles()[1].state.brushColor, c.chart->SeriesAt(2)->SeriesColor());
  std::vector<RecordedCall> lines;
  for (const RecordedCall& call : c.Window().CallsOf(CanvasCall::LineTo))
    if (call.state.penColor == clBlue) lines.push_back(call);
  ASSERT_EQ(lines.size(), 2u);  // none above the first slot
  EXPECT_EQ(lines[0].from, (TPoint{860, 116}));
  EXPECT_EQ(lines[0].to, (TPoint{895, 116}));
  EXPECT_EQ(lines[1].from.Y, 131);
}

TEST(LegendLayout, TopLegendDividingLinesAreVertical) {
  ThreeSeries c;
  c.Legend().SetAlignment(TLegendAlignment::laTop);
  c.Legend().DividingLines().SetVisible(true);
  c.Legend().DividingLines().SetColor(clBlue);
  c.Draw();
  std::vector<RecordedCall> lines;
  for (const RecordedCall& call : c.Window().CallsOf(CanvasCall::LineTo))
    if (call.state.penColor == clBlue) lines.push_back(call);
  ASSERT_EQ(lines.size(), 2u);
  // 4 left of the second item's symbol, from the box top to its bottom.
  EXPECT_EQ(lines[0].from, (TPoint{449 + 32 - 4, 102}));
  EXPECT_EQ(lines[0].to, (TPoint{449 + 32 - 4, 119}));
}

TEST(LegendLayout, ShadowFollowsTheFrameWidth) {
  {
    ThreeSeries c;
    c.Legend().Frame().SetWidth(2);  // counts 3; even: the shadow starts 2 outside
    c.Draw();
    const TRect b = c.Legend().LegendBounds();
    EXPECT_EQ(b.Right, 900 - 3 - 3);
    EXPECT_EQ(c.Rectangles()[0].rect, (TRect{b.Left - 2, b.Top - 2, b.Right + 2, b.Bottom + 2}));
    auto fills = c.Fills();
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0].rect, (TRect{b.Left + 3, b.Bottom + 2, b.Right + 5, b.Bottom + 5}));
    EXPECT_EQ(fills[1].rect, (TRect{b.Right + 2, b.Top + 3, b.Right + 5, b.Bottom + 5}));
  }
  {
    ThreeSeries c;
    c.Legend().Frame().SetVisible(false);  // no frame: the shadow overlaps by 1
    c.Legend().SetShadowColor(clGray);
    c.Draw();
    const TRect b = c.Legend().LegendBounds();
    EXPECT_EQ(b.Right, 900 - 3);
    EXPECT_EQ(c.Rectangles()[0].rect, b);
    EXPECT_EQ(c.Rectangles()[0].state.penStyle, TPenStyle::psClear);
    auto fills = c.Fills();
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0].rect, (TRect{b.Left + 3, b.Bottom - 1, b.Right + 2, b.Bottom + 2}));
    EXPECT_EQ(fills[0].state.brushColor, clGray);
  }
  {
    ThreeSeries c;
    c.Legend().SetShadowSize(0);
    c.Draw();
    EXPECT_TRUE(c.Fills().empty());
  }
}

TEST(LegendLayout, GapIsThreePercentWhenTheMarginIsZeroEvenWithoutResizing) {
  {
    ThreeSeries c;
    c.Legend().SetAlignment(TLegendAlignment::laLeft);
    c.Legend().SetResizeChart(false);
    c.Draw();
    EXPECT_EQ(c.chart->PlotRect().Left, 100 + 24);
  }
  {
    ThreeSeries c;
    c.Legend().SetAlignment(TLegendAlignment::laLeft);
    c.Legend().SetHorizMargin(5);
    c.Draw();
    EXPECT_EQ(c.chart->PlotRect().Left, 137 + 5);
  }
  {
    ThreeSeries c;
    c.Legend().SetAlignment(TLegendAlignment::laBottom);
    c.Legend().SetVertMargin(7);
    c.Legend().SetResizeChart(false);
    c.Draw();
    EXPECT_EQ(c.chart->PlotRect().Bottom, 700 - 7);
  }
}

TEST(LegendLayout, WhiteTextOutlineOnABlackLegend) {
  ThreeSeries c;
  c.Legend().SetColor(clBlack);
  c.Legend().Frame().SetVisible(false);
  c.Draw();
  // Symbols are outlined with the item pen.
  EXPECT_EQ(c.Rectangles()[1].state.penColor, clWhite);
}

TEST(LegendLayout, ZeroColorWidthGivesEmptySymbols) {
  ThreeSeries c;
  c.Legend().SetColorWidth(0);
  c.Draw();
  EXPECT_EQ(c.Legend().SymbolWidth(), 0);
  EXPECT_EQ(c.Rectangles()[1].rect.Width(), 0);
  EXPECT_EQ(c.Window().FindText("A")->from.X, c.Legend().LegendBounds().Left + 8);
}

TEST(LegendLayout, EventsMoveTheBoxAndTheItems) {
  ThreeSeries c;
  c.chart->OnGetLegendRect = [](TCustomChart*, TRect& r) { r.Offset(-100, 50); };
  std::vector<int> indices;
  c.chart->OnGetLegendPos = [&](TCustomChart*, int index, int& x, int& y, int& xColor) {
    indices.push_back(index);
    EXPECT_EQ(xColor, 864);
    x += 10;
    y += 1;
    xColor = 0;  // no effect
  };
  c.Draw();
  EXPECT_EQ(c.Legend().LegendBounds(), (TRect{760, 150, 795, 197}));
  EXPECT_EQ(c.Rectangles()[0].rect, (TRect{759, 149, 796, 198}));
  EXPECT_EQ(indices, (std::vector<int>{0, 1, 2}));
  // Items follow the moved box top; the symbol follows the moved text.
  EXPECT_EQ(c.Window().FindText("A")->from, (TPoint{882, 152}));
  EXPECT_EQ(c.Rectangles()[1].rect, (TRect{874, 154, 878, 165}));
  // The plot gives up the moved box.
  EXPECT_EQ(c.chart->PlotRect().Right, 760 - 24);
}

TEST(LegendLayout, ChartPaintDrawsNoLegendWithoutActiveSeries) {
  LegendChart c;
  c.AddSeries("A", 3).SetActive(false);
  c.chart->SetView3D(false);
  c.Paint();
  // lsAuto with one series lists its values: "0 " is the first item's text.
  EXPECT_EQ(c.Buffer().FindText("0 "), nullptr);
  c.chart->SeriesAt(0)->SetActive(true);
  c.Paint();
  EXPECT_NE(c.Buffer().FindText("0 "), nullptr);
}

}  // namespace
}  // namespace tokiwa
