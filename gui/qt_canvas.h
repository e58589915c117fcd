#pragma once
// The canvas on Qt: draws with a QPainter on a QImage, reproducing the launcher
// platform's pixel rules (exclusive right and bottom edges, LineTo without its
// end point, its dash patterns and raster operations). The window canvas is such
// an image that the chart widget copies to the screen in its paint event.
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <memory>
#include <optional>
#include <vector>

#include "gui/raster_lines.h"
#include "gui/raster_pixels.h"
#include "gui/realised_fonts.h"
#include "runtime/canvas.h"

namespace tokiwa {

// Anything the canvas can draw from a QImage.
class QtImageSource {
 public:
  virtual ~QtImageSource() = default;
  virtual const QImage& GetQImage() const = 0;
};

// A picture loaded or built elsewhere (the chart's background image).
class QtImage : public Image, public QtImageSource {
 public:
  explicit QtImage(QImage image) : image_(std::move(image)) {}
  int Width() const override { return image_.width(); }
  int Height() const override { return image_.height(); }
  const QImage& GetQImage() const override { return image_; }

 private:
  QImage image_;
};

class QtCanvas : public Canvas {
 public:
  // Draws on `target`, which must outlive the canvas (or be replaced by
  // SetTarget first). While drawing, the canvas keeps a painter open on it:
  // call End() before resizing or reassigning the image.
  explicit QtCanvas(QImage* target = nullptr);
  ~QtCanvas() override;
  QtCanvas(const QtCanvas&) = delete;
  QtCanvas& operator=(const QtCanvas&) = delete;

  void SetTarget(QImage* target);
  QImage* Target() const { return target_; }
  // Draws on any paint device instead, such as an SVG or PDF generator: the
  // same calls, as vectors. A document device is finished by End(), so the
  // canvas must not be ended before the drawing is complete.
  void SetDevice(QPaintDevice* device);
  // Closes the painter; the next primitive opens it again with the same clip.
  void End();
  // On an RGB32 image, thin lines and solid fills write the image's pixels
  // themselves instead of asking QPainter for every run of pixels, and texts
  // on an image are drawn from their glyphs as first shaped, or copied from
  // what they left on the same pixels before (on by default).
  // The pictures are the same either way; off is the reference the direct
  // path is tested against.
  void SetDirectRaster(bool on) { directRaster_ = on; }
  bool DirectRaster() const { return directRaster_; }
  // A one-bit surface: every colour is drawn as black or white (see MonoColor).
  void SetMonochrome(bool on);
  bool Monochrome() const { return monochrome_; }
  // Texts measured on either canvas are known to both from then on: a host
  // whose back buffer is new at every paint keeps its measurements.
  void ShareFontsWith(const QtCanvas& other) { fonts_ = other.fonts_; }

  void Rectangle(int left, int top, int right, int bottom) override;
  using Canvas::Rectangle;
  void Rectangles(std::span<const ColouredRect> rects) override;
  void FillRect(const TRect& r) override;
  void LineTo(int x, int y) override;
  void Polygon(std::span<const TPoint> points) override;
  void Polyline(std::span<const TPoint> points) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void Pie(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) override;
  void Arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) override;
  void SetPixel(int x, int y, TColor colour) override;

  void TextOut(int x, int y, std::string_view text) override;
  TSize TextExtent(std::string_view text) override;

  void ClipRect(const TRect& r) override;
  void ClipPolygon(std::span<const TPoint> points) override;
  void RemoveClip() override;

  void Draw(int x, int y, const Image& image) override;
  void StretchDraw(const TRect& r, const Image& image) override;

  // A colour of the class library as Qt draws it on this canvas: system colours
  // resolved, the flag byte dropped, and black or white when monochrome.
  QColor ToQColor(TColor c) const { return QColor(ToPixel(c)); }
  // The same as the image stores it.
  QRgb ToPixel(TColor c) const;
  // The one-bit mapping: white when the colour's grey level is at least 128.
  static QRgb MonoColor(QRgb rgb);

 private:
  enum class ClipKind : std::uint8_t { None, Rect, Region };

  QPainter* Painter();
  // The target's pixels when a primitive may write them itself: an RGB32
  // image without a clip region. Opens the painter, whose buffer it is.
  std::optional<raster::PixelSurface> DirectSurface();
  raster::PixelOp DirectOp() const;
  raster::LineInk ThinInk();
  void ApplyClip();
  TRect DeviceRect() const;
  void UpdateClipBounds();
  bool Visible(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) const;
  void SetComposition(QPainter::CompositionMode mode);
  void SetBackground(bool opaque, const QColor& colour);
  QPainter::CompositionMode PenComposition() const;
  bool ThinPen() const;
  int PenReach() const;
  std::optional<QBrush> FillBrush();
  void FillArea(const QRect& r);
  void FillSolid(const QRect& r, const QColor& colour);
  void FillClipped(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
                   const QColor& colour);
  bool FillsRectanglesDirectly() const;
  void ThinFrame(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom);
  QPen WidePen() const;

  void StrokeThin(std::span<const TPoint> path, bool closed);
  void PaintRuns();
  void StrokeWide(std::span<const TPoint> path, bool closed);
  void FillPolygonArea(std::span<const TPoint> points);
  void EllipticShape(int kind, int left, int top, int right, int bottom, int x1, int y1, int x2, int y2);
  void DrawQImage(const QRectF& target, const QImage& image, const QRectF& source);
  RealisedFont& CurrentFont();
  bool DrawsShapedText() const;
  void DrawShapedText(QPainter& painter, RealisedFont& font, std::string_view text, const QTransform& transform,
                      QPoint baseline);

  QImage* target_ = nullptr;   // the image drawn on, if the device is one
  QPaintDevice* device_ = nullptr;
  std::unique_ptr<QPainter> painter_;
  std::uint32_t* bits_ = nullptr;  // the pixels the open painter paints, if an image
  bool directRaster_ = true;
  bool monochrome_ = false;

  ClipKind clipKind_ = ClipKind::None;
  TRect clipRequest_;  // the clip rectangle as given, corners ordered
  QRect clipRect_;     // its part over the image, for the painter
  QRegion clipRegion_;
  TRect clipBounds_;  // clip region's bounds within the image: the fast reject test

  // What the open painter currently has, so unchanged state is not re-sent.
  QPainter::CompositionMode composition_ = QPainter::CompositionMode_SourceOver;
  bool bgOpaque_ = false;
  QColor bgColour_;

  // The last colours converted, since the same pen and brush colours repeat.
  struct ColourCache {
    TColor key = 0;
    bool valid = false;
    QColor value;
  };
  const QColor& CachedColour(ColourCache& cache, TColor c) const;
  mutable ColourCache penColour_, brushColour_;

  std::shared_ptr<RealisedFonts> fonts_ = std::make_shared<RealisedFonts>();

  // Reused between strokes: the runs of a thin line, and its short runs as
  // single points, which Qt draws faster in batches.
  std::vector<raster::PixelRun> runs_;
  std::vector<QPoint> points_;
};

// The same pixels as the class library's rectangle (right and bottom excluded).
inline TRect ToTRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

// A white RGB32 image for a canvas to draw on, each side clamped to
// 0..16384; null when there is no memory for it.
QImage NewCanvasImage(int width, int height);

// An off-screen image with a canvas (the chart's back buffer). A monochrome
// bitmap is kept as 32-bit RGB whose canvas draws only black and white, so it
// copies onto colour surfaces without conversion.
class QtBitmap : public Bitmap, public QtImageSource {
 public:
  QtBitmap(int width, int height, bool monochrome);
  // Draws into a picture its owner holds too: copying the bitmap onto that
  // owner's canvas then costs nothing.
  QtBitmap(std::shared_ptr<QImage> image, bool monochrome);
  int Width() const override { return image_->width(); }
  int Height() const override { return image_->height(); }
  Canvas& GetCanvas() override { return canvas_; }
  void SetSize(int width, int height) override;
  bool Monochrome() const override { return monochrome_; }
  const QImage& GetQImage() const override { return *image_; }

 private:
  std::shared_ptr<QImage> image_;
  bool monochrome_;
  QtCanvas canvas_;
};

}  // namespace tokiwa
