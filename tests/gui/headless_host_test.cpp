// Rendering a chart without a window: into an image, and into picture files
// (PNG, SVG, PDF), each valid and of the chart's size, the vector ones with
// their texts as text, and the same failures reported for every format.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QSvgRenderer>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chart/chart.h"
#include "gui/chart_image_file.h"
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

QByteArray Contents(const std::string& path) {
  QFile file(QString::fromStdString(path));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(ChartImageFile, EachFormatIsWrittenValidAndOfTheChartsSize) {
  RecordingHost window;  // outlives the chart, which still talks to it when destroyed
  SmallChart c;
  c.chart->SetHost(&window);
  c.chart->SetBounds(0, 0, 111, 99);
  testing::TempDir dir;

  ASSERT_TRUE(RenderChartToFile(*c.chart, 200, 150, dir.File("c.png"), ImageFormat::Png));
  EXPECT_EQ(QImage(QString::fromStdString(dir.File("c.png"))).size(), QSize(200, 150));

  ASSERT_TRUE(RenderChartToFile(*c.chart, 200, 150, dir.File("c.svg"), ImageFormat::Svg));
  QSvgRenderer svg(QString::fromStdString(dir.File("c.svg")));
  ASSERT_TRUE(svg.isValid());
  EXPECT_EQ(svg.viewBox(), QRect(0, 0, 200, 150));
  const QString svgText = QString::fromUtf8(Contents(dir.File("c.svg")));
  EXPECT_TRUE(svgText.contains(QRegularExpression("<text[^>]*>\\s*Headless\\s*</text>"))) << "title as text";

  ASSERT_TRUE(RenderChartToFile(*c.chart, 200, 150, dir.File("c.pdf"), ImageFormat::Pdf));
  const QByteArray pdf = Contents(dir.File("c.pdf"));
  EXPECT_TRUE(pdf.startsWith("%PDF-1."));
  EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "), 1) << "one page";
  // A page of 200 × 150 points, a pixel a point.
  EXPECT_TRUE(QString::fromLatin1(pdf).contains(QRegularExpression("/MediaBox \\[0 0 200(\\.0+)? 150(\\.0+)?\\]")));
  EXPECT_TRUE(pdf.contains("/FontFile")) << "texts drawn with an embedded font, not as outlines";

  // The window's chart is back on its host, at its size, and paints there again.
  EXPECT_EQ(c.chart->Host(), &window);
  EXPECT_EQ(c.chart->Width(), 111);
  EXPECT_TRUE(c.chart->ImageStale());
}

TEST(ChartImageFile, FailuresAreReportedForEveryFormat) {
  for (const ImageFormat format : {ImageFormat::Png, ImageFormat::Svg, ImageFormat::Pdf}) {
    SmallChart c;
    std::vector<std::string> shown;
    ScopedErrorSink sink([&](QWidget*, const std::string& m) { shown.push_back(m); });
    const std::string missing = "/nonexistent-dir/x/chart" + std::string(ExtensionOf(format));
    EXPECT_FALSE(RenderChartToFile(*c.chart, 0, 150, "unused", format));
    EXPECT_FALSE(RenderChartToFile(*c.chart, 100, 100, missing, format));
    c.chart->OnAfterDraw = [](TComponent*) { throw Exception("draw failed"); };
    EXPECT_FALSE(RenderChartToFile(*c.chart, 100, 100, "unused", format));
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0], FormatText(msg::InvalidImageSize, {Arg(0), Arg(150)}));
    EXPECT_EQ(shown[1], FormatText(msg::FileCreateError, {Arg(missing)}));
    EXPECT_EQ(shown[2], "draw failed");
    EXPECT_EQ(c.chart->Host(), nullptr);
  }
}

TEST(ChartImageFile, TheFormatComesFromTheExtension) {
  struct Case {
    const char* path;
    std::optional<ImageFormat> format;
  };
  for (const Case& c : std::vector<Case>{{"a.png", ImageFormat::Png},
                                         {"dir.v2/A.SVG", ImageFormat::Svg},
                                         {"a.Pdf", ImageFormat::Pdf},
                                         {"/dev/stdout", ImageFormat::Png},
                                         {"out/.hidden", ImageFormat::Png},
                                         {"a.jpg", std::nullopt},
                                         {"a.png.tmp", std::nullopt},
                                         {"a.", std::nullopt}}) {
    EXPECT_EQ(ImageFormatOf(c.path), c.format) << c.path;
  }
}

}  // namespace
}  // namespace tokiwa
