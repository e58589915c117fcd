// Renders example charts to PNG files in the test's working directory
// (build/tests/render_examples/) so that a person can look at them: point,
// line, area and Gantt series in 2D and 3D, with title, foot, the four axes,
// legend, walls and a gradient. The checks only make sure a picture came out.
#include <QDir>
#include <QImage>
#include <string>

#include <gtest/gtest.h>

#include "chart/chart.h"
#include "gui/chart_image_file.h"
#include "runtime/date_time.h"
#include "series/custom_series.h"
#include "series/gantt_series.h"

namespace tokiwa {
namespace {

struct ExampleChart {
  TComponent form{nullptr};
  TChart* chart = new TChart(&form);

  explicit ExampleChart(bool view3D) {
    chart->SetView3D(view3D);
    chart->Title().SetText({"Example chart", "second title line"});
    chart->Foot().SetText({"foot text"});
    chart->Gradient().SetStartColor(0xFFE0C0);
    chart->Gradient().SetEndColor(clWhite);
    chart->Gradient().SetVisible(true);
    chart->BottomAxis().Title().SetCaption("Bottom axis");
    chart->LeftAxis().Title().SetCaption("Left axis");
    chart->TopAxis().Title().SetCaption("Top axis");
    chart->RightAxis().Title().SetCaption("Right axis");
  }

  template <class S>
  S* Add(const std::string& title) {
    auto* s = new S(&form);
    s->SetTitle(title);
    s->SetParentChart(chart);
    return s;
  }

  void AddXYSeries() {
    auto* area = Add<TAreaSeries>("Area");
    auto* line = Add<TLineSeries>("Line");
    auto* points = Add<TPointSeries>("Points");
    for (int i = 0; i <= 10; ++i) {
      area->AppendPoint(i, 20 + (i % 4) * 5, "");
      line->AppendPoint(i, 40 + i * 3, "");
      points->AppendPoint(i + 0.5, 70 - i * 4, "");
    }
    // The top and right axes show up only with a series on them.
    points->SetHorizAxis(THorizAxis::aTopAxis);
    points->SetVertAxis(TVertAxis::aRightAxis);
  }

  void AddGanttSeries() {
    auto* gantt = Add<TGanttSeries>("Runs");
    const double day = EncodeDate(2024, 6, 3);
    gantt->XValues().SetDateTime(true);
    gantt->AddBar(day + 8 / 24.0, day + 18 / 24.0, 0, "system");
    gantt->AddBar(day + 9 / 24.0, day + 11.5 / 24.0, 1, "editor.exe");
    gantt->AddBar(day + 10 / 24.0, day + 17 / 24.0, 2, "mail.exe");
    gantt->AddBar(day + 13 / 24.0, day + 14 / 24.0, 1, "editor.exe");
    auto* line = Add<TLineSeries>("Load");
    for (int i = 0; i <= 10; ++i) line->AppendPoint(i, (i * 7) % 11, "");
    line->SetHorizAxis(THorizAxis::aTopAxis);
    line->SetVertAxis(TVertAxis::aRightAxis);
  }
};

std::string OutputPath(const std::string& name) {
  QDir().mkpath("render_examples");
  return "render_examples/" + name + ".png";
}

void RenderAndCheck(ExampleChart& example, const std::string& name) {
  const std::string path = OutputPath(name);
  ASSERT_TRUE(RenderChartToFile(*example.chart, 640, 480, path, ImageFormat::Png));
  QImage image(QString::fromStdString(path));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(640, 480));
}

TEST(RenderExamples, XYSeries2D) {
  ExampleChart c(false);
  c.AddXYSeries();
  RenderAndCheck(c, "xy_2d");
}

TEST(RenderExamples, XYSeries3D) {
  ExampleChart c(true);
  c.AddXYSeries();
  RenderAndCheck(c, "xy_3d");
}

TEST(RenderExamples, GanttWithLegendOnTheLeft2D) {
  ExampleChart c(false);
  c.AddGanttSeries();
  c.chart->Legend().SetAlignment(TLegendAlignment::laLeft);
  RenderAndCheck(c, "gantt_2d");
}

TEST(RenderExamples, GanttWithLegendAtTheBottom3D) {
  ExampleChart c(true);
  c.AddGanttSeries();
  c.chart->Legend().SetAlignment(TLegendAlignment::laBottom);
  dynamic_cast<TChartLegend&>(c.chart->Legend()).DividingLines().SetVisible(true);
  RenderAndCheck(c, "gantt_3d");
}

TEST(RenderExamples, ValuesLegendOnTop) {
  ExampleChart c(true);
  auto* line = c.Add<TLineSeries>("One series");
  for (int i = 0; i < 6; ++i) line->AppendPoint(i, 10 + i * i, "p" + std::to_string(i));
  line->SetColorEachPoint(true);
  c.chart->Legend().SetAlignment(TLegendAlignment::laTop);
  RenderAndCheck(c, "values_legend_top");
}

}  // namespace
}  // namespace tokiwa
