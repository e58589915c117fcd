// Pixel rules of the Qt canvas: the launcher platform's edges, line ends, pen
// styles, raster operations, clipping, hatches and text placement.
#include <QImage>
#include <climits>
#include <set>
#include <utility>

#include <gtest/gtest.h>

#include "gui/qt_canvas.h"

namespace tokiwa {
namespace {

using Pixel = std::pair<int, int>;  // x, y
using PixelSet = std::set<Pixel>;

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kGreen = 0xFF00FF00;
constexpr QRgb kBlue = 0xFF0000FF;

class QtCanvasTest : public ::testing::Test {
 protected:
  QtCanvasTest() : image_(60, 60, QImage::Format_RGB32), canvas_(&image_) { image_.fill(kWhite); }

  // Pixels that are no longer `background`; the painter is closed first.
  PixelSet Changed(QRgb background = kWhite) {
    canvas_.End();
    PixelSet out;
    for (int y = 0; y < image_.height(); ++y) {
      for (int x = 0; x < image_.width(); ++x) {
        if (image_.pixel(x, y) != background) out.insert({x, y});
      }
    }
    return out;
  }

  QRgb At(int x, int y) {
    canvas_.End();
    return image_.pixel(x, y);
  }

  static PixelSet Block(int left, int top, int right, int bottom) {
    PixelSet out;
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) out.insert({x, y});
    }
    return out;
  }

  // Bounds (inclusive) of the changed pixels.
  static QRect Bounds(const PixelSet& pixels) {
    QRect r;
    for (auto [x, y] : pixels) r |= QRect(x, y, 1, 1);
    return r;
  }

  void SolidBlackPen() {
    canvas_.Pen().SetColor(clBlack);
    canvas_.Pen().SetStyle(TPenStyle::psSolid);
    canvas_.Pen().SetWidth(1);
  }

  QImage image_;
  QtCanvas canvas_;
};

// Reference: the classic incremental Bresenham from start to end, end excluded.
PixelSet Bresenham(int x0, int y0, int x1, int y1) {
  PixelSet out;
  int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  while (x0 != x1 || y0 != y1) {
    out.insert({x0, y0});
    int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
  return out;
}

TEST_F(QtCanvasTest, RectangleWithPenOutlinesUpToTheExclusiveEdges) {
  SolidBlackPen();
  canvas_.Brush().SetColor(clRed);
  canvas_.Rectangle(10, 20, 20, 26);
  EXPECT_EQ(Changed(), Block(10, 20, 20, 26));
  for (int x = 10; x < 20; ++x) {
    EXPECT_EQ(At(x, 20), kBlack);
    EXPECT_EQ(At(x, 25), kBlack);
  }
  for (int y = 21; y < 25; ++y) {
    EXPECT_EQ(At(10, y), kBlack);
    EXPECT_EQ(At(19, y), kBlack);
  }
  EXPECT_EQ(At(11, 21), kRed);
  EXPECT_EQ(At(18, 24), kRed);
}

TEST_F(QtCanvasTest, RectangleWithoutPenFillsOnePixelShort) {
  canvas_.Pen().SetStyle(TPenStyle::psClear);
  canvas_.Brush().SetColor(clBlue);
  canvas_.Rectangle(10, 20, 20, 26);
  EXPECT_EQ(Changed(), Block(10, 20, 19, 25));
}

TEST_F(QtCanvasTest, RectangleCornersInEitherOrderAndDegenerateSizes) {
  SolidBlackPen();
  canvas_.Brush().SetStyle(TBrushStyle::bsClear);
  canvas_.Rectangle(20, 26, 10, 20);
  PixelSet reversed = Changed();
  image_.fill(kWhite);
  canvas_.Rectangle(10, 20, 20, 26);
  EXPECT_EQ(reversed, Changed());

  image_.fill(kWhite);
  canvas_.Rectangle(5, 5, 6, 9);  // one pixel wide: a single column
  EXPECT_EQ(Changed(), Block(5, 5, 6, 9));
  image_.fill(kWhite);
  canvas_.Rectangle(5, 5, 5, 9);  // zero wide: nothing
  EXPECT_TRUE(Changed().empty());
}

TEST_F(QtCanvasTest, FillRectCoversTheWholeRectangleWithoutOutline) {
  SolidBlackPen();
  canvas_.Brush().SetColor(clRed);
  canvas_.FillRect({3, 4, 13, 9});
  EXPECT_EQ(Changed(), Block(3, 4, 13, 9));
  EXPECT_EQ(At(3, 4), kRed);
  EXPECT_EQ(At(12, 8), kRed);
}

TEST_F(QtCanvasTest, LineToExcludesTheEndPointAtEverySlope) {
  SolidBlackPen();
  const int lines[][4] = {{0, 0, 10, 0},  {0, 0, 0, 10},  {0, 0, 10, 10},  {0, 0, 10, 3},   {10, 3, 0, 0},
                          {0, 0, 3, 10},  {0, 0, 10, -7}, {0, 0, -10, 3},  {5, 5, -3, -9},  {0, 0, 7, 5},
                          {0, 0, 37, 14}, {0, 10, 5, 0},  {0, 0, -14, -5}, {3, 0, 0, 10},   {0, 0, 1, 1}};
  for (const auto& l : lines) {
    image_.fill(kWhite);
    canvas_.MoveTo(l[0] + 20, l[1] + 20);
    canvas_.LineTo(l[2] + 20, l[3] + 20);
    EXPECT_EQ(Changed(), Bresenham(l[0] + 20, l[1] + 20, l[2] + 20, l[3] + 20))
        << "(" << l[0] << "," << l[1] << ")-(" << l[2] << "," << l[3] << ")";
    EXPECT_EQ(canvas_.PenPos(), (TPoint{l[2] + 20, l[3] + 20}));
  }
}

TEST_F(QtCanvasTest, ZeroLengthAndClearPenLinesDrawNothingButMoveThePen) {
  SolidBlackPen();
  canvas_.MoveTo(7, 7);
  canvas_.LineTo(7, 7);
  canvas_.Pen().SetStyle(TPenStyle::psClear);
  canvas_.LineTo(30, 30);
  EXPECT_TRUE(Changed().empty());
  EXPECT_EQ(canvas_.PenPos(), (TPoint{30, 30}));
}

TEST_F(QtCanvasTest, PolylineJoinsSegmentsWithoutItsLastPoint) {
  SolidBlackPen();
  const TPoint points[] = {{2, 2}, {12, 2}, {12, 9}};
  canvas_.Polyline(points);
  PixelSet expected = Block(2, 2, 12, 3);
  for (int y = 2; y < 9; ++y) expected.insert({12, y});
  EXPECT_EQ(Changed(), expected);
}

TEST_F(QtCanvasTest, DottedPenIsThreeOnThreeOffWithGapsInBackgroundWhenOpaque) {
  SolidBlackPen();
  canvas_.Pen().SetStyle(TPenStyle::psDot);
  canvas_.SetBkMode(BkMode::Transparent);
  canvas_.MoveTo(0, 5);
  canvas_.LineTo(20, 5);
  for (int x = 0; x < 20; ++x) EXPECT_EQ(At(x, 5), (x % 6) < 3 ? kBlack : kWhite) << x;

  canvas_.SetBkMode(BkMode::Opaque);
  canvas_.SetBkColor(clRed);
  canvas_.MoveTo(0, 8);
  canvas_.LineTo(20, 8);
  for (int x = 0; x < 20; ++x) EXPECT_EQ(At(x, 8), (x % 6) < 3 ? kBlack : kRed) << x;
  EXPECT_EQ(At(20, 8), kWhite);
}

TEST_F(QtCanvasTest, DashedPensFollowThePlatformPatternsAcrossAPolyline) {
  SolidBlackPen();
  canvas_.SetBkMode(BkMode::Transparent);
  canvas_.Pen().SetStyle(TPenStyle::psDashDot);  // 9 on, 6 off, 3 on, 6 off
  const TPoint points[] = {{0, 1}, {10, 1}, {30, 1}};
  canvas_.Polyline(points);
  for (int x = 0; x < 30; ++x) {
    int p = x % 24;
    bool on = p < 9 || (p >= 15 && p < 18);
    EXPECT_EQ(At(x, 1), on ? kBlack : kWhite) << x;
  }
}

TEST_F(QtCanvasTest, DottedRectangleFrameRunsItsPatternAroundTheOutline) {
  SolidBlackPen();
  canvas_.Pen().SetStyle(TPenStyle::psDot);
  canvas_.Brush().SetStyle(TBrushStyle::bsClear);
  canvas_.SetBkMode(BkMode::Transparent);
  canvas_.Rectangle(0, 0, 20, 10);
  // Clockwise from the top-left corner: the top row is pattern positions 0..18.
  for (int x = 0; x < 19; ++x) EXPECT_EQ(At(x, 0), (x % 6) < 3 ? kBlack : kWhite) << x;
  // The right column continues at position 19.
  for (int y = 0; y < 9; ++y) EXPECT_EQ(At(19, y), ((19 + y) % 6) < 3 ? kBlack : kWhite) << y;
  EXPECT_EQ(Bounds(Changed()), QRect(0, 0, 20, 10));
}

TEST_F(QtCanvasTest, NotXorFrameDrawnTwiceRestoresTheImage) {
  for (int y = 0; y < image_.height(); ++y) {
    for (int x = 0; x < image_.width(); ++x) image_.setPixel(x, y, qRgb(x * 4, y * 4, (x * y) & 0xFF));
  }
  const QImage before = image_.copy();
  canvas_.Pen().SetColor(clRed);
  canvas_.Pen().SetMode(TPenMode::pmNotXor);
  canvas_.Brush().SetStyle(TBrushStyle::bsClear);
  canvas_.Rectangle(5, 7, 40, 33);
  canvas_.End();
  EXPECT_NE(image_, before);
  // Every frame pixel changes exactly once (no corner is drawn twice).
  for (auto [x, y] : std::set<Pixel>{{5, 7}, {39, 7}, {5, 32}, {39, 32}, {20, 7}, {5, 20}}) {
    EXPECT_EQ(image_.pixel(x, y), ~(before.pixel(x, y) ^ 0xFF0000) | 0xFF000000) << x << "," << y;
  }
  canvas_.Rectangle(5, 7, 40, 33);
  canvas_.End();
  EXPECT_EQ(image_, before);
}

TEST_F(QtCanvasTest, OddEvenPolygonClipLeavesTheDoublyCoveredAreaOutside) {
  // A pentagram: its centre pentagon is covered twice.
  const TPoint star[] = {{30, 2}, {48, 56}, {2, 22}, {58, 22}, {12, 56}};
  canvas_.ClipPolygon(star);
  canvas_.Brush().SetColor(clBlack);
  canvas_.FillRect({0, 0, 60, 60});
  EXPECT_EQ(At(30, 10), kBlack);  // upper point of the star
  EXPECT_EQ(At(30, 30), kWhite);  // centre
  EXPECT_EQ(At(2, 2), kWhite);    // outside
}

TEST_F(QtCanvasTest, PolygonFillUsesTheAlternateRule) {
  canvas_.Pen().SetStyle(TPenStyle::psClear);
  canvas_.Brush().SetColor(clBlack);
  const TPoint star[] = {{30, 2}, {48, 56}, {2, 22}, {58, 22}, {12, 56}};
  canvas_.Polygon(star);
  EXPECT_EQ(At(30, 10), kBlack);
  EXPECT_EQ(At(30, 30), kWhite);
}

TEST_F(QtCanvasTest, RectangleClipThenRemoveClip) {
  canvas_.Brush().SetColor(clBlack);
  canvas_.ClipRect({10, 10, 20, 15});
  canvas_.FillRect({0, 0, 60, 60});
  EXPECT_EQ(Changed(), Block(10, 10, 20, 15));
  canvas_.RemoveClip();
  canvas_.FillRect({0, 0, 60, 60});
  EXPECT_EQ(Changed(), Block(0, 0, 60, 60));
}

TEST_F(QtCanvasTest, ShapesOutsideTheClipLeaveTheImageUntouched) {
  SolidBlackPen();
  canvas_.Brush().SetColor(clBlack);
  canvas_.ClipRect({10, 10, 20, 20});
  canvas_.Rectangle(25, 25, 40, 40);
  canvas_.FillRect({0, 0, 10, 60});
  canvas_.MoveTo(0, 30);
  canvas_.LineTo(60, 30);
  const TPoint triangle[] = {{30, 30}, {50, 30}, {40, 50}};
  canvas_.Polygon(triangle);
  canvas_.Ellipse(30, 30, 50, 50);
  canvas_.SetPixel(5, 5, clBlack);
  canvas_.TextOut(30, 30, "outside");
  EXPECT_TRUE(Changed().empty());
  canvas_.ClipRect({0, 0, 0, 0});  // empty: nothing at all
  canvas_.FillRect({0, 0, 60, 60});
  EXPECT_TRUE(Changed().empty());
}

TEST_F(QtCanvasTest, HatchGapsShowTheBackgroundOnlyWhenOpaque) {
  for (BkMode mode : {BkMode::Opaque, BkMode::Transparent}) {
    image_.fill(kGreen);
    canvas_.Pen().SetStyle(TPenStyle::psClear);
    canvas_.Brush().SetColor(clBlack);
    canvas_.Brush().SetStyle(TBrushStyle::bsHorizontal);
    canvas_.SetBkMode(mode);
    canvas_.SetBkColor(clRed);
    canvas_.FillRect({0, 0, 16, 16});
    const QRgb gap = mode == BkMode::Opaque ? kRed : kGreen;
    int lines = 0, gaps = 0;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        QRgb c = At(x, y);
        EXPECT_TRUE(c == kBlack || c == gap) << x << "," << y;
        (c == kBlack ? lines : gaps)++;
      }
    }
    EXPECT_EQ(lines, 32);  // one row in eight
    EXPECT_EQ(gaps, 256 - 32);
    EXPECT_EQ(At(20, 20), kGreen);
  }
}

TEST_F(QtCanvasTest, SetPixelSetsOnePixelInsideTheClip) {
  canvas_.SetPixel(3, 4, clRed);
  canvas_.ClipRect({10, 10, 20, 20});
  canvas_.SetPixel(5, 5, clRed);
  canvas_.SetPixel(20, 19, clRed);
  canvas_.SetPixel(19, 19, clBlue);
  EXPECT_EQ(Changed(), (PixelSet{{3, 4}, {19, 19}}));
  EXPECT_EQ(At(3, 4), kRed);
  EXPECT_EQ(At(19, 19), kBlue);
}

TEST_F(QtCanvasTest, SystemColoursAreResolved) {
  canvas_.SetPixel(0, 0, clBtnFace);
  canvas_.SetPixel(1, 0, ColorDefault);  // the scroll-bar grey
  EXPECT_EQ(At(0, 0), 0xFF000000 | ColorToRGB(clBtnFace));
  EXPECT_EQ(At(1, 0), 0xFFC8C8C8);
}

TEST_F(QtCanvasTest, PieRadialsMeetTheEllipseAlongTheirRays) {
  QImage wide(220, 120, QImage::Format_RGB32);
  wide.fill(kWhite);
  canvas_.SetTarget(&wide);
  canvas_.Pen().SetStyle(TPenStyle::psClear);
  canvas_.Brush().SetColor(clBlack);
  // Centre (100, 50), radii 100 x 50; from the ray along +x to the ray
  // through the box corner (200, 0), a polar angle of about 26.6 degrees.
  canvas_.Pie(0, 0, 201, 101, 200, 50, 200, 0);
  canvas_.End();
  EXPECT_EQ(wide.pixel(150, 45), kBlack);  // about 5.7 degrees
  EXPECT_EQ(wide.pixel(160, 25), kBlack);  // about 22.6 degrees
  EXPECT_EQ(wide.pixel(140, 22), kWhite);  // 35 degrees: past the second ray
  EXPECT_EQ(wide.pixel(150, 60), kWhite);  // below the first ray
}

TEST_F(QtCanvasTest, HugeCoordinatesAreClippedNotOverflowed) {
  SolidBlackPen();
  canvas_.MoveTo(INT_MIN, 10);
  canvas_.LineTo(INT_MAX, 10);
  PixelSet row = Block(0, 10, 60, 11);
  EXPECT_EQ(Changed(), row);

  image_.fill(kWhite);
  canvas_.Brush().SetColor(clBlack);
  canvas_.Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  EXPECT_EQ(Changed(), Block(0, 0, 60, 60));

  image_.fill(kWhite);
  canvas_.Pen().SetStyle(TPenStyle::psClear);
  const TPoint half[] = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MAX}};
  canvas_.Polygon(half);  // below the diagonal y = x
  EXPECT_EQ(At(5, 50), kBlack);
  EXPECT_EQ(At(30, 32), kBlack);
  EXPECT_EQ(At(32, 30), kWhite);
  EXPECT_EQ(At(50, 5), kWhite);

  image_.fill(kWhite);
  canvas_.Pen().SetWidth(3);
  canvas_.Pen().SetStyle(TPenStyle::psSolid);
  canvas_.MoveTo(-2000000000, 30);
  canvas_.LineTo(2000000000, 30);
  EXPECT_EQ(At(0, 30), kBlack);
  EXPECT_EQ(At(59, 31), kBlack);
  EXPECT_EQ(At(30, 35), kWhite);
}

TEST_F(QtCanvasTest, WidePenDrawsSolidAndThick) {
  canvas_.Pen().SetColor(clBlack);
  canvas_.Pen().SetStyle(TPenStyle::psDot);
  canvas_.Pen().SetWidth(3);
  canvas_.MoveTo(10, 20);
  canvas_.LineTo(40, 20);
  for (int x = 12; x < 38; ++x) {
    EXPECT_EQ(At(x, 19), kBlack) << x;
    EXPECT_EQ(At(x, 20), kBlack) << x;
    EXPECT_EQ(At(x, 21), kBlack) << x;
  }
  EXPECT_EQ(At(25, 23), kWhite);
}

class QtCanvasTextTest : public QtCanvasTest {
 protected:
  QtCanvasTextTest() {
    image_ = QImage(200, 200, QImage::Format_RGB32);
    image_.fill(kWhite);
    canvas_.SetTarget(&image_);
    canvas_.Font().SetName("Arial");
    canvas_.Font().SetHeight(-15);
    canvas_.Font().SetColor(clBlack);
    canvas_.SetBkMode(BkMode::Transparent);
  }
};

TEST_F(QtCanvasTextTest, TextExtentGrowsWithTheTextAndUsesTheLineHeight) {
  TSize one = canvas_.TextExtent("W");
  TSize three = canvas_.TextExtent("WWW");
  EXPECT_GT(one.Width, 0);
  EXPECT_EQ(three.Width, 3 * one.Width);
  EXPECT_EQ(one.Height, three.Height);
  EXPECT_EQ(canvas_.TextExtent("").Width, 0);
  canvas_.Font().SetHeight(-30);
  EXPECT_GT(canvas_.TextHeight("W"), one.Height);
}

TEST_F(QtCanvasTextTest, AngleTwoSeventyRunsTopToBottomFromTheAnchor) {
  canvas_.Font().SetAngle(270);
  canvas_.TextOut(100, 40, "WWWWWW");
  QRect ink = Bounds(Changed());
  ASSERT_FALSE(ink.isEmpty());
  EXPECT_GT(ink.height(), ink.width());
  EXPECT_GE(ink.top(), 40);
  EXPECT_LE(ink.top(), 43);
  EXPECT_LE(ink.right(), 100);  // rotated clockwise: the text's top faces right
  EXPECT_NEAR(ink.height(), canvas_.TextWidth("WWWWWW"), 3);
}

TEST_F(QtCanvasTextTest, HorizontalAlignmentMovesTheText) {
  const int w = canvas_.TextWidth("WWWW");
  canvas_.TextOut(100, 20, "WWWW");
  QRect left = Bounds(Changed());
  image_.fill(kWhite);
  canvas_.SetTextAlign(TextHAlign::Center, TextVAlign::Top);
  canvas_.TextOut(100, 20, "WWWW");
  QRect centre = Bounds(Changed());
  image_.fill(kWhite);
  canvas_.SetTextAlign(TextHAlign::Right, TextVAlign::Top);
  canvas_.TextOut(100, 20, "WWWW");
  QRect right = Bounds(Changed());

  EXPECT_GE(left.left(), 100);
  EXPECT_EQ(centre.left(), left.left() - w / 2);
  EXPECT_EQ(right.left(), left.left() - w);
  EXPECT_LE(right.right(), 100);
}

TEST_F(QtCanvasTextTest, BottomAlignmentPutsTheTextAboveTheAnchor) {
  canvas_.SetTextAlign(TextHAlign::Left, TextVAlign::Bottom);
  canvas_.TextOut(50, 100, "Wg");
  QRect ink = Bounds(Changed());
  EXPECT_LT(ink.bottom(), 100);
  EXPECT_GE(ink.top(), 100 - canvas_.TextHeight("Wg"));
}

TEST_F(QtCanvasTextTest, OpaqueTextFillsItsBoxWithTheBackgroundColour) {
  canvas_.SetBkMode(BkMode::Opaque);
  canvas_.SetBkColor(clRed);
  TSize e = canvas_.TextExtent("W W");
  canvas_.TextOut(10, 10, "W W");
  canvas_.End();
  PixelSet red, ink;
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 60; ++x) {
      if (image_.pixel(x, y) == kRed) red.insert({x, y});
      if (qRed(image_.pixel(x, y)) < 128) ink.insert({x, y});
    }
  }
  EXPECT_EQ(Bounds(red), QRect(10, 10, e.Width, e.Height));
  EXPECT_FALSE(ink.empty());
  EXPECT_EQ(At(10, 10), kRed);
  EXPECT_EQ(At(10 + e.Width - 1, 10 + e.Height - 1), kRed);
}

TEST(QtBitmapTest, DrawCopiesTheBitmapAndStretchDrawScalesIt) {
  QtBitmap bitmap(4, 3, false);
  bitmap.GetCanvas().Brush().SetColor(clRed);
  bitmap.GetCanvas().FillRect({0, 0, 2, 3});
  QImage screen(20, 20, QImage::Format_RGB32);
  screen.fill(kWhite);
  QtCanvas canvas(&screen);
  canvas.Draw(5, 6, bitmap);
  canvas.StretchDraw({10, 10, 18, 16}, bitmap);  // twice the size
  canvas.End();
  EXPECT_EQ(screen.pixel(5, 6), kRed);
  EXPECT_EQ(screen.pixel(6, 8), kRed);
  EXPECT_EQ(screen.pixel(7, 6), kWhite);
  EXPECT_EQ(screen.pixel(8, 9), kWhite);
  EXPECT_EQ(screen.pixel(4, 6), kWhite);
  EXPECT_EQ(screen.pixel(13, 15), kRed);
  EXPECT_EQ(screen.pixel(14, 10), kWhite);
  EXPECT_EQ(screen.pixel(18, 10), kWhite);
}

TEST(QtBitmapTest, ClipRectSurvivesGrowingTheBitmap) {
  QtBitmap bitmap(10, 10, false);
  Canvas& canvas = bitmap.GetCanvas();
  canvas.ClipRect({5, 5, 30, 30});
  bitmap.SetSize(40, 40);
  canvas.Brush().SetColor(clBlack);
  canvas.FillRect({0, 0, 40, 40});
  static_cast<QtCanvas&>(canvas).End();
  const QImage& image = bitmap.GetQImage();
  EXPECT_EQ(image.pixel(4, 4), kWhite);
  EXPECT_EQ(image.pixel(5, 5), kBlack);
  EXPECT_EQ(image.pixel(29, 29), kBlack);
  EXPECT_EQ(image.pixel(30, 30), kWhite);
}

TEST(QtBitmapTest, SetSizeKeepsTheOldPictureAndMonochromeDrawsBlackOrWhite) {
  QtBitmap bitmap(4, 4, true);
  Canvas& canvas = bitmap.GetCanvas();
  canvas.Brush().SetColor(RGBColor(200, 200, 200));  // light: white
  canvas.FillRect({0, 0, 2, 2});
  canvas.Brush().SetColor(clRed);  // dark: black
  canvas.FillRect({2, 2, 4, 4});
  bitmap.SetSize(6, 5);
  EXPECT_EQ(bitmap.Width(), 6);
  EXPECT_EQ(bitmap.Height(), 5);
  canvas.SetPixel(5, 4, clNavy);
  static_cast<QtCanvas&>(canvas).End();
  const QImage& image = bitmap.GetQImage();
  EXPECT_EQ(image.pixel(0, 0), kWhite);
  EXPECT_EQ(image.pixel(3, 3), kBlack);
  EXPECT_EQ(image.pixel(5, 4), kBlack);
  EXPECT_EQ(image.pixel(4, 4), kWhite);
}

TEST_F(QtCanvasTextTest, AClearBrushMakesTextTransparentEvenInOpaqueMode) {
  // Axis labels and legend items are drawn with a clear brush over gradients and
  // walls: their backgrounds must not punch boxes into the picture.
  canvas_.SetBkMode(BkMode::Opaque);
  canvas_.SetBkColor(clRed);
  canvas_.Brush().SetStyle(TBrushStyle::bsClear);
  canvas_.TextOut(10, 10, "W W");
  canvas_.End();
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 60; ++x) ASSERT_NE(image_.pixel(x, y), kRed) << x << "," << y;
  EXPECT_FALSE(Changed().empty());
}

}  // namespace
}  // namespace tokiwa
