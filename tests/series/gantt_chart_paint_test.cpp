// A Gantt series inside a whole chart paint, as the viewer uses it: automatic
// axes, margins from the series, bars drawn into the back buffer and clicked.
#include <gtest/gtest.h>

#include "chart/chart.h"
#include "series/gantt_series.h"
#include "support/recording_host.h"

namespace tokiwa {
namespace {

TEST(GanttChartPaintTest, AutomaticRangeSpansEarliestStartToLatestEndAndBarsAnswerClicks) {
  RecordingHost host;
  TChart chart(nullptr);
  chart.SetHost(&host);
  chart.SetView3D(false);
  chart.SetBounds(0, 0, 600, 400);
  auto* gantt = new TGanttSeries(nullptr);
  gantt->SetParentChart(&chart);
  const TColor colours[] = {clRed, clGreen, clBlue};
  gantt->AddBar(45000.0, 45000.5, 0, "a", colours[0]);
  gantt->AddBar(45000.2, 45002.0, 1, "b", colours[1]);  // the latest end
  gantt->AddBar(45000.9, 45001.0, 2, "c", colours[2]);  // the latest start
  chart.Paint();
  ASSERT_NE(host.LastBitmap(), nullptr);

  const TRect plot = chart.PlotRect();
  std::vector<TRect> bars(3);
  for (const RecordedCall& r : host.LastBitmap()->Recorder().CallsOf(CanvasCall::Rectangle))
    for (int i = 0; i < 3; ++i)
      if (r.state.brushColor == colours[i]) bars[i] = r.rect;
  EXPECT_EQ(bars[0].Left, plot.Left);
  EXPECT_NEAR(bars[1].Right - 1, plot.Right, 1);
  for (const TRect& bar : bars) {
    EXPECT_EQ(bar.Height(), 9);
    EXPECT_GE(bar.Top, plot.Top);
    EXPECT_LE(bar.Bottom - 1, plot.Bottom);
  }
  for (int i = 0; i < 3; ++i) {
    const int x = (bars[i].Left + bars[i].Right - 1) / 2;
    const int y = (bars[i].Top + bars[i].Bottom - 1) / 2;
    EXPECT_EQ(gantt->PointAtPixel(x, y), i);
  }
}

}  // namespace
}  // namespace tokiwa
