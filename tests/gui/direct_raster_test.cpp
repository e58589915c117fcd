// The fast paths draw exactly what the straightforward ones do: lines and
// batches of rectangles written into the image's scanlines against QPainter's
// runs and fills, texts drawn from their glyphs as once shaped against drawing
// the text, and Gantt bars skipped by the bar index against every bar drawn,
// compared pixel for pixel; the bar under the pointer found by the index
// against a look at every bar.
#include <QImage>
#include <memory>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "chart/chart.h"
#include "gui/headless_host.h"
#include "gui/qt_canvas.h"
#include "series/gantt_series.h"

namespace tokiwa {
namespace {

// The first pixel where the images differ, for the failure message.
std::string FirstDifference(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return "sizes differ";
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) return "first difference at " + std::to_string(x) + "," + std::to_string(y);
  return "same";
}

// At every period-th shape a clip is set, and at the next one removed.
template <typename MakeClip>
void AlternateClip(QtCanvas& canvas, int shape, int period, MakeClip clip) {
  if (shape % period != 0) return;
  if (shape % (2 * period) == 0) {
    canvas.ClipRect(clip());
  } else {
    canvas.RemoveClip();
  }
}

// A white image with a canvas on it, its fast paths on or off.
struct WhiteCanvas {
  QImage image;
  QtCanvas canvas;

  WhiteCanvas(int width, int height, bool direct, bool monochrome = false)
      : image(width, height, QImage::Format_RGB32), canvas(&image) {
    image.fill(0xFFFFFFFF);
    canvas.SetDirectRaster(direct);
    canvas.SetMonochrome(monochrome);
  }
  QImage Finished() {
    canvas.End();
    return image;
  }
};

QImage DrawLines(bool direct, std::uint32_t seed) {
  WhiteCanvas white(160, 120, direct);
  QtCanvas& canvas = white.canvas;
  std::mt19937 random(seed);
  auto in = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  const TPenStyle styles[] = {TPenStyle::psSolid, TPenStyle::psDash, TPenStyle::psDot, TPenStyle::psDashDot,
                              TPenStyle::psDashDotDot};
  const TPenMode modes[] = {TPenMode::pmCopy, TPenMode::pmCopy, TPenMode::pmXor, TPenMode::pmNotXor, TPenMode::pmNot};
  canvas.Brush().SetColor(0x00C0FF);
  for (int k = 0; k < 400; ++k) {
    AlternateClip(canvas, k, 50, [&] { return TRect{in(-20, 60), in(-20, 50), in(80, 180), in(60, 140)}; });
    canvas.Pen().SetStyle(styles[k % 5]);
    canvas.Pen().SetMode(modes[k / 5 % 5]);
    canvas.Pen().SetColor(static_cast<TColor>(in(0, 0xFFFFFF)));
    canvas.SetBkMode(k % 3 == 0 ? BkMode::Opaque : BkMode::Transparent);
    // Some lines start or end far outside the image.
    const bool far = k % 17 == 0;
    canvas.MoveTo(far ? in(-100000, 100000) : in(-30, 190), in(-30, 150));
    if (k % 4 == 0) {
      const TPoint points[] = {{in(-30, 190), in(-30, 150)}, {in(-30, 190), in(-30, 150)}, {in(0, 160), in(0, 120)}};
      canvas.Polyline(points);
    } else {
      canvas.LineTo(in(-30, 190), far ? in(-100000, 100000) : in(-30, 150));
    }
    if (k % 9 == 0) canvas.Rectangle(in(-10, 100), in(-10, 80), in(20, 170), in(20, 130));
    if (k % 7 == 0) {
      // A batch of rectangles in their own colours, mostly solid on solid.
      const TPenStyle penStyles[] = {TPenStyle::psClear, TPenStyle::psSolid, TPenStyle::psSolid, TPenStyle::psDot};
      canvas.Pen().SetStyle(penStyles[in(0, 3)]);
      canvas.Pen().SetMode(in(0, 2) == 0 ? TPenMode::pmXor : TPenMode::pmCopy);
      canvas.Brush().SetStyle(in(0, 3) == 0 ? TBrushStyle::bsDiagCross : TBrushStyle::bsSolid);
      std::vector<ColouredRect> batch;
      for (int r = in(0, 40); r > 0; --r) {
        const int x = in(-20, 170), y = in(-20, 130);
        batch.push_back({{x, y, x + in(-4, 12), y + in(-4, 30)}, static_cast<TColor>(in(0, 0xFFFFFF)),
                         static_cast<TColor>(in(0, 0xFFFFFF))});
      }
      canvas.Rectangles(batch);
      canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    }
  }
  return white.Finished();
}

TEST(DirectRasterTest, LinesOfEverySlopeStyleModeAndClipMatchTheStraightforwardPath) {
  for (std::uint32_t seed = 1; seed <= 8; ++seed) {
    const QImage direct = DrawLines(true, seed), plain = DrawLines(false, seed);
    EXPECT_TRUE(direct == plain) << "seed " << seed << ": " << FirstDifference(direct, plain);
  }
}

// Texts in every font, style, angle and alignment, over the painter states
// other primitives leave (hatched and opaque fills, clips), each drawn twice so
// the second comes from what the first measured and shaped.
QImage DrawTexts(bool direct, bool monochrome, std::uint32_t seed) {
  WhiteCanvas white(240, 180, direct, monochrome);
  QtCanvas& canvas = white.canvas;
  std::mt19937 random(seed);
  auto in = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  const char* names[] = {"ＭＳ Ｐゴシック", "ＭＳ 明朝", "Arial", "Courier New", "No Such Face"};
  const char* texts[] = {"12:34:56", "システム", "メモ帳.exe", "C:\\Tools\\a.exe", "W", "2026/12/09 01:02",
                         "\x83\x81\x83", "fi ffl AV To", "混在 mixed 文字"};
  const int angles[] = {0, 0, 90, 270, 180, 45, 30, -60};
  for (int k = 0; k < 120; ++k) {
    AlternateClip(canvas, k, 20, [&] { return TRect{in(-20, 60), in(-20, 50), in(120, 260), in(90, 200)}; });
    TFont& font = canvas.Font();
    font.SetName(names[k % 5]);
    font.SetHeight(k % 3 == 0 ? in(8, 30) : -in(8, 24));
    font.SetStyle(static_cast<TFontStyles>(in(0, 15)));
    font.SetAngle(angles[k / 3 % 8]);
    font.SetColor(static_cast<TColor>(in(0, 0xFFFFFF)));
    canvas.SetTextAlign(static_cast<TextHAlign>(k % 3), k % 2 ? TextVAlign::Top : TextVAlign::Bottom);
    canvas.SetBkMode(k % 4 == 0 ? BkMode::Opaque : BkMode::Transparent);
    canvas.SetBkColor(static_cast<TColor>(in(0, 0xFFFFFF)));
    if (k % 5 == 0) {
      canvas.Brush().SetStyle(static_cast<TBrushStyle>(in(0, 7)));
      const TPoint corner{in(-10, 200), in(-10, 150)};
      const TPoint shape[] = {corner, {corner.X + in(5, 60), corner.Y}, {corner.X, corner.Y + in(5, 60)}};
      canvas.Polygon(shape);
    }
    const char* text = texts[in(0, 8)];
    const int x = in(-20, 260), y = in(-20, 200);
    canvas.TextOut(x, y, text);
    canvas.TextOut(x + 3, y + 5, text);
  }
  return white.Finished();
}

// Rows of axis labels, each under a tick, over bands of colour: the same text
// again and again on the same pixels, and now and then on pixels a tick or a
// band edge away from them, in another pen, turned otherwise or cut by a clip.
QImage DrawLabelRows(bool direct, bool monochrome, std::uint32_t seed) {
  WhiteCanvas white(400, 300, direct, monochrome);
  QtCanvas& canvas = white.canvas;
  canvas.Pen().SetColor(clBlack);
  auto bands = [&] {
    for (int band = 0; band < 6; ++band) {
      canvas.Brush().SetColor(band % 2 ? 0xF0E0C0 : 0x3080FF);
      canvas.FillRect({0, band * 50, 400, band * 50 + 50 - band % 2});
    }
  };
  std::mt19937 random(seed);
  auto in = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  const char* texts[] = {"2/05 0:00", "10/11 12:00", "メモ帳.exe", "W", "fi ffl"};
  const int angles[] = {90, 90, -90, 0, 180, 270, 45};
  const TColor pens[] = {clBlack, 0x203040};
  for (int k = 0; k < 40; ++k) {
    AlternateClip(canvas, k, 7, [&] { return TRect{in(0, 150), in(0, 120), in(200, 400), in(150, 300)}; });
    if (k % 4 != 3) bands();
    canvas.Font().SetName(k % 2 ? "Arial" : "ＭＳ Ｐゴシック");
    canvas.Font().SetHeight(-in(9, 14));
    canvas.Font().SetStyle(k % 5 == 0 ? TFontStyles(fsBold) : TFontStyles(0));
    canvas.Font().SetAngle(angles[k % 7]);
    canvas.SetTextAlign(TextHAlign::Center, TextVAlign::Top);
    canvas.SetBkMode(k % 9 == 8 ? BkMode::Opaque : BkMode::Transparent);
    const char* text = texts[k % 5];
    const int y = in(-10, 280), step = in(20, 60), tickEnd = y + in(-1, 1);
    for (int i = 0, x = in(-20, 60); x < 420; ++i, x += step) {
      canvas.Font().SetColor(pens[i % 5 == 4]);
      const int tick = x + (i % 7 == 6);
      canvas.MoveTo(tick, y - 6);
      canvas.LineTo(tick, tickEnd);
      canvas.TextOut(x, y, text);
    }
  }
  return white.Finished();
}

TEST(DirectRasterTest, TextsMatchDrawingThemAsText) {
  for (std::uint32_t seed = 1; seed <= 6; ++seed) {
    for (const bool monochrome : {false, true}) {
      const QImage direct = DrawTexts(true, monochrome, seed), plain = DrawTexts(false, monochrome, seed);
      EXPECT_TRUE(direct == plain) << "seed " << seed << (monochrome ? " monochrome" : "") << ": "
                                   << FirstDifference(direct, plain);
      const QImage rows = DrawLabelRows(true, monochrome, seed), plainRows = DrawLabelRows(false, monochrome, seed);
      EXPECT_TRUE(rows == plainRows) << "label rows, seed " << seed << (monochrome ? " monochrome" : "") << ": "
                                     << FirstDifference(rows, plainRows);
    }
  }
}

// A Gantt series that can find the bar under the pointer by looking at every bar.
class ComparedGantt : public TGanttSeries {
 public:
  using TGanttSeries::TGanttSeries;
  int BarAtPixelLookingAtEvery(int x, int y) { return TPointSeries::PointAtPixel(x, y); }
};

// Renders with the canvas' fast paths on or off.
class Host : public HeadlessChartHost {
 public:
  Host(int width, int height, bool direct) : HeadlessChartHost(width, height), direct_(direct) {}
  std::unique_ptr<Bitmap> CreateBitmap(int width, int height, bool monochrome) override {
    auto bitmap = HeadlessChartHost::CreateBitmap(width, height, monochrome);
    static_cast<QtCanvas&>(bitmap->GetCanvas()).SetDirectRaster(direct_);
    return bitmap;
  }

 private:
  bool direct_;
};

struct Scene {
  const char* name;
  bool view3D = false;
  bool faces = false;       // 3D faces on the bars
  double zoom = 1;          // the share of the time range shown
  bool rowsCut = false;     // the vertical axis shows only some of the rows
  bool outlined = true;     // bars with a visible pen
  bool clipped = true;      // bars cut at the plot's edges, not the picture's
  bool inverted = false;    // time runs right to left
  bool neverEnding = false; // every bar lasts to one end, as runs that never end do
  int penWidth = 1;
  int rows = 23;            // fewer rows crowd more bars into each
};

struct GanttChart {
  TComponent form{nullptr};
  TChart* chart = new TChart(&form);
  ComparedGantt* gantt = new ComparedGantt(&form);

  explicit GanttChart(const Scene& scene) {
    chart->SetView3D(scene.view3D);
    chart->SetClipPoints(scene.clipped);
    gantt->SetParentChart(chart);
    gantt->ConnectingPen().SetVisible(false);
    gantt->Pointer().SetDraw3D(scene.faces);
    gantt->Pointer().Pen().SetVisible(scene.outlined);
    gantt->Pointer().Pen().SetWidth(scene.penWidth);
    gantt->Pointer().Pen().SetColor(0x202020);
    std::mt19937 random(11);
    std::uniform_real_distribution<double> unit(0, 1);
    const TColor colours[] = {clRed, clGreen, clBlue, 0x336699, ColorNone};
    // In start order, as the viewer adds them: long and overlapping bars,
    // bars far shorter than a pixel, bars of no length or ending before they
    // start, hidden ones.
    double start = 45000;
    for (int i = 0; i < 3000; ++i) {
      start += unit(random) * 0.01;
      const double length = i % 7 == 0 ? unit(random) * 2 : i % 3 == 0 ? unit(random) * 1e-5 : unit(random) * 0.05;
      const double end = scene.neverEnding ? 45031 : i % 50 == 0 ? start : i % 41 == 0 ? start - length : start + length;
      gantt->AddBar(start, end, i % scene.rows, "", colours[i % 5]);
    }
    chart->BottomAxis().SetInverted(scene.inverted);
    if (scene.zoom < 1) {
      TChartAxis& axis = chart->BottomAxis();
      axis.SetAutomatic(false);
      axis.SetMaximum(45010 + 15 * scene.zoom);
      axis.SetMinimum(45010);
    }
    if (scene.rowsCut) {
      TChartAxis& axis = chart->LeftAxis();
      axis.SetAutomatic(false);
      axis.SetMaximum(12.2);
      axis.SetMinimum(5.5);
    }
  }

  QImage Render(bool fast) {
    gantt->SetDrawEveryBar(!fast);
    Host host(500, 300, fast);
    host.Render(*chart);
    return host.Image();
  }
};

TEST(DirectRasterTest, GanttBarsMatchTheStraightforwardPathAndTheBarUnderThePointer) {
  const Scene scenes[] = {
      {.name = "whole"},
      {.name = "zoomed", .zoom = 0.01},
      {.name = "zoomed borderless, rows cut", .zoom = 0.2, .rowsCut = true, .outlined = false},
      {.name = "3D", .view3D = true},
      {.name = "3D faces", .view3D = true, .faces = true, .zoom = 0.05},
      {.name = "rows cut", .rowsCut = true},
      {.name = "3D faces unclipped", .view3D = true, .faces = true, .zoom = 0.05, .clipped = false},
      {.name = "zoomed unclipped", .zoom = 0.01, .rowsCut = true, .outlined = false, .clipped = false},
      {.name = "never ending", .neverEnding = true},
      {.name = "never ending borderless, zoomed", .zoom = 0.1, .outlined = false, .neverEnding = true},
      {.name = "never ending 3D", .view3D = true, .zoom = 0.3, .neverEnding = true},
      {.name = "ends pulled in from far off", .zoom = 1e-6, .neverEnding = true},
      {.name = "inverted", .zoom = 0.2, .inverted = true},
      {.name = "wide pen", .penWidth = 3},
      {.name = "crowded", .rows = 2},
      {.name = "crowded borderless", .outlined = false, .rows = 2},
      {.name = "crowded borderless, zoomed", .zoom = 0.02, .outlined = false, .rows = 3},
  };
  for (const Scene& scene : scenes) {
    GanttChart chart(scene);
    const QImage plain = chart.Render(false), fast = chart.Render(true);
    EXPECT_TRUE(fast == plain) << scene.name << ": " << FirstDifference(fast, plain);
    int hits = 0;
    // Looking at every bar is slow: a coarse grid of pointer positions.
    for (int y = 0; y < 300; y += 5) {
      for (int x = 0; x < 500; x += 37) {
        const int expected = chart.gantt->BarAtPixelLookingAtEvery(x, y);
        ASSERT_EQ(chart.gantt->BarAtPixel(x, y), expected) << scene.name << " " << x << "," << y;
        hits += expected >= 0;
      }
    }
    EXPECT_GT(hits, 0) << scene.name;
  }
}

}  // namespace
}  // namespace tokiwa
