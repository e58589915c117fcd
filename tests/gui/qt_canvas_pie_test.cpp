// The pie of the Qt canvas, pixel by pixel on small bitmaps: counter-clockwise
// from the radial through the start point to the radial through the end point,
// the points taken as points (their direction from the centre), not as angles.
#include <QImage>
#include <cmath>
#include <numbers>
#include <vector>

#include <gtest/gtest.h>

#include "gui/qt_canvas.h"

namespace tokiwa {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;

// A 41 x 41 bitmap with a circle of radius 20 around (20, 20) as the pie's box.
class QtCanvasPieTest : public ::testing::Test {
 protected:
  QtCanvasPieTest() : image_(41, 41, QImage::Format_RGB32), canvas_(&image_) {
    image_.fill(kWhite);
    canvas_.Pen().SetStyle(TPenStyle::psClear);
    canvas_.Brush().SetColor(clBlack);
  }

  void Pie(TPoint from, TPoint to) { canvas_.Pie(0, 0, 41, 41, from.X, from.Y, to.X, to.Y); }

  // '#' for a painted pixel, '.' for an untouched one, at each of the points.
  std::string Painted(std::initializer_list<TPoint> points) {
    canvas_.End();
    std::string out;
    for (TPoint p : points) out += image_.pixel(p.X, p.Y) == kWhite ? '.' : '#';
    return out;
  }

  QImage image_;
  QtCanvas canvas_;
};

// One pixel in each quadrant, well inside the circle: upper right, upper left,
// lower left, lower right.
constexpr TPoint kUpperRight{28, 12}, kUpperLeft{12, 12}, kLowerLeft{12, 28}, kLowerRight{28, 28};

TEST_F(QtCanvasPieTest, RunsCounterClockwiseFromTheStartPointToTheEndPoint) {
  const TPoint east{40, 20}, north{20, 0}, west{0, 20}, south{20, 40};
  Pie(east, north);
  EXPECT_EQ(Painted({kUpperRight, kUpperLeft, kLowerLeft, kLowerRight}), "#...");

  image_.fill(kWhite);
  Pie(north, east);  // the long way round
  EXPECT_EQ(Painted({kUpperRight, kUpperLeft, kLowerLeft, kLowerRight}), ".###");

  image_.fill(kWhite);
  Pie(west, south);
  EXPECT_EQ(Painted({kUpperRight, kUpperLeft, kLowerLeft, kLowerRight}), "..#.");
}

TEST_F(QtCanvasPieTest, OnlyTheDirectionOfThePointsCounts) {
  Pie({40, 20}, {40, 0});  // to the box corner: 45 degrees
  canvas_.End();
  const QImage onEllipse = image_.copy();
  image_.fill(kWhite);
  Pie({1000, 20}, {1000, -960});  // the same rays, far outside the box
  canvas_.End();
  EXPECT_EQ(image_, onEllipse);
  EXPECT_EQ(Painted({{30, 15}, {24, 10}}), "#.");  // below and above the 45-degree ray
}

TEST_F(QtCanvasPieTest, SameStartAndEndPointIsTheWholeEllipse) {
  Pie({40, 20}, {40, 20});
  EXPECT_EQ(Painted({kUpperRight, kUpperLeft, kLowerLeft, kLowerRight, {20, 20}}), "#####");
  EXPECT_EQ(Painted({{0, 0}, {40, 40}}), "..");  // the box's corners are outside
}

// Slices drawn as a pie series draws them, each from the previous end point on
// the ellipse to the next, tile the ellipse: no pixel is painted by two, and
// none inside is left out between two, also at a chart's size, where angles
// rounded to a sixteenth of a degree would make neighbours overlap. (Along the
// rim the curve is approximated piece by piece, so pixels there may differ
// from the ellipse's.)
TEST_F(QtCanvasPieTest, SlicesFromOneEndPointToTheNextTileTheEllipse) {
  constexpr int kW = 801, kH = 401;
  QImage wide(kW, kH, QImage::Format_RGB32);
  canvas_.SetTarget(&wide);
  auto onEllipse = [](double a) {
    return TPoint{400 + static_cast<int>(std::trunc(std::cos(a) * 400)),
                  200 - static_cast<int>(std::trunc(std::sin(a) * 200))};
  };
  std::vector<int> coverage(kW * kH, 0);
  auto covered = [&](int x, int y) -> int& { return coverage[static_cast<size_t>(y * kW + x)]; };
  TPoint from = onEllipse(0);
  for (double cut : {0.3, 0.31, 1.1, 1.15, 1.6, 2.0, 2.9, 3.33, 4.0, 4.4, 5.5, 6.0, 2 * std::numbers::pi - 1e-6}) {
    const TPoint to = onEllipse(cut);
    wide.fill(kWhite);
    canvas_.Pie(0, 0, kW, kH, from.X, from.Y, to.X, to.Y);
    canvas_.End();
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x)
        if (wide.pixel(x, y) != kWhite) ++covered(x, y);
    from = to;
  }
  wide.fill(kWhite);
  canvas_.Ellipse(0, 0, kW, kH);
  canvas_.End();
  auto inEllipse = [&](int x, int y) { return x >= 0 && y >= 0 && x < kW && y < kH && wide.pixel(x, y) == kBlack; };
  int inside = 0;
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      EXPECT_LE(covered(x, y), 1) << x << "," << y;
      bool interior = true;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) interior = interior && inEllipse(x + dx, y + dy);
      if (!interior) continue;
      ++inside;
      EXPECT_EQ(covered(x, y), 1) << x << "," << y;
    }
  }
  EXPECT_GT(inside, 1000);
}

}  // namespace
}  // namespace tokiwa
