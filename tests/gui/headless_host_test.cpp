// Rendering a chart into a PNG without a window.
#include <QDir>
#include <QImage>
#include <QSet>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chart/chart.h"
#include "gui/error_display.h"
#include "gui/headless_host.h"
#include "runtime/exceptions.h"
#include "runtime/messages.h"
#include "series/custom_series.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"

namespace tokiwa {
namespace {

struct SmallChart {
  TComponent form{nullptr};
  TChart* chart = new TChart(&form);
  SmallChart() {
    auto* s = new TLineSeries(&form);
    for (int i = 0; i < 5; ++i) s->AppendPoint(i, i * i, "");
    s->SetParentChart(chart);
    chart->Title().SetText({"Headless"});
  }
};

int DistinctColours(const QImage& image) {
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); y += 3)
    for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
  return static_cast<int>(colours.size());
}

TEST(HeadlessHost, RendersTheWholeChartIntoAnImageOfTheGivenSize) {
  SmallChart c;
  HeadlessChartHost host(320, 240);
  host.Render(*c.chart);
  EXPECT_EQ(host.Image().size(), QSize(320, 240));
  // Background, frame, axes, labels, the title and the line: many colours.
  EXPECT_GT(DistinctColours(host.Image()), 5);
  EXPECT_EQ(c.chart->PlotRect().Right < 320, true);
}

TEST(HeadlessHost, PutsTheChartBackOnItsHostAndSize) {
  RecordingHost previous;  // outlives the chart, which still talks to it when destroyed
  SmallChart c;
  c.chart->SetHost(&previous);
  c.chart->SetBounds(0, 0, 111, 99);
  HeadlessChartHost host(320, 240);
  host.Render(*c.chart);
  EXPECT_EQ(c.chart->Host(), &previous);
  EXPECT_EQ(c.chart->Width(), 111);
  EXPECT_EQ(c.chart->Height(), 99);
  EXPECT_TRUE(c.chart->ImageStale());
  EXPECT_GT(previous.InvalidateCount, 0);
}

}  // namespace
}  // namespace tokiwa
