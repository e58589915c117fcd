#include "chart/chart_panel.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "chart/engine_settings.h"
#include "runtime/exceptions.h"
#include "runtime/safe_math.h"

namespace tokiwa {

namespace {

// The canvas of a panel that has no window: it draws nothing and measures text
// with fixed metrics, so layout code runs unchanged without a host.
class NullCanvas : public Canvas {
 public:
  static constexpr int kCharWidth = 7;
  static constexpr int kLineHeight = 14;

  void Rectangle(int, int, int, int) override {}
  void FillRect(const TRect&) override {}
  void LineTo(int x, int y) override { SetPenPos({x, y}); }
  void Polygon(std::span<const TPoint>) override {}
  void Polyline(std::span<const TPoint>) override {}
  void Ellipse(int, int, int, int) override {}
  void Pie(int, int, int, int, int, int, int, int) override {}
  void Arc(int, int, int, int, int, int, int, int) override {}
  void SetPixel(int, int, TColor) override {}
  void TextOut(int, int, std::string_view) override {}
  TSize TextExtent(std::string_view text) override {
    // One cell per UTF-8 code point (continuation bytes do not count).
    long long chars = std::count_if(text.begin(), text.end(),
                                    [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
    return {ClampToInt(static_cast<double>(chars) * kCharWidth), kLineHeight};
  }
  void ClipRect(const TRect&) override {}
  void ClipPolygon(std::span<const TPoint>) override {}
  void RemoveClip() override {}
  void Draw(int, int, const Image&) override {}
  void StretchDraw(const TRect&, const Image&) override {}
};

class NullBitmap : public Bitmap {
 public:
  NullBitmap(int width, int height, bool monochrome) : width_(width), height_(height), mono_(monochrome) {}
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  Canvas& GetCanvas() override { return canvas_; }
  void SetSize(int width, int height) override {
    width_ = width;
    height_ = height;
  }
  bool Monochrome() const override { return mono_; }

 private:
  int width_, height_;
  bool mono_;
  NullCanvas canvas_;
};

}  // namespace

// --- drag records and hit tests ---

void TZoomPanningRecord::StartDragAt(int x, int y) {
  FromX = ToX = x;
  FromY = ToY = y;
  DragActive = true;
}

void TZoomPanningRecord::OrderCorners() {
  if (ToX < FromX) std::swap(FromX, ToX);
  if (ToY < FromY) std::swap(FromY, ToY);
}

bool IsInsideRect(TPoint p, const TRect& r) {
  return r.Left <= p.X && p.X < r.Right && r.Top <= p.Y && p.Y < r.Bottom;
}

bool IsInsidePolygon(TPoint p, std::span<const TPoint> points) {
  if (points.empty()) return false;
  bool inside = false;
  size_t j = points.size() - 1;
  for (size_t i = 0; i < points.size(); ++i) {
    const TPoint& a = points[i];
    const TPoint& b = points[j];
    if ((a.Y <= p.Y && p.Y < b.Y) || (b.Y <= p.Y && p.Y < a.Y)) {
      double xc = static_cast<double>(b.X - static_cast<double>(a.X)) * (p.Y - static_cast<double>(a.Y)) /
                      (static_cast<double>(b.Y) - a.Y) +
                  a.X;
      if (p.X < xc) inside = !inside;
    }
    j = i;
  }
  return inside;
}

bool IsNearSegment(int px, int py, int x0, int y0, int x1, int y1) {
  // 64-bit products: screen coordinates far off the plot must not overflow.
  long long dx = static_cast<long long>(x1) - x0;
  long long dy = static_cast<long long>(y1) - y0;
  long long m = std::max(std::llabs(dy), std::llabs(dx));
  long long c = std::llabs(dy * (static_cast<long long>(px) - x0) - (static_cast<long long>(py) - y0) * dx);
  if (c >= m) return false;
  return std::min(x0, x1) <= px && px <= std::max(x0, x1) && std::min(y0, y1) <= py && py <= std::max(y0, y1);
}

// --- construction ---

TCustomChartPanel::TCustomChartPanel(TComponent* owner)
    : TComponent(owner), nullCanvas_(std::make_unique<NullCanvas>()) {
  savedCursor_ = cursor_;
  // A running program never lets the platform erase a chart window: the paint
  // covers the whole client area from the back buffer.
  EngineSettings().EraseBackground = false;
}

TCustomChartPanel::~TCustomChartPanel() { BeginDestroy(); }

void TCustomChartPanel::SetHost(ChartHost* host) {
  // The back buffer is the old host's kind of image; a new host draws into
  // one of its own (a vector file's, for instance).
  if (host != host_) backBuffer_.reset();
  host_ = host;
  drawCanvas_ = nullptr;
}

void TCustomChartPanel::SetBounds(int left, int top, int width, int height) {
  imageStale_ = true;
  left_ = left;
  top_ = top;
  // A window has no negative size; the platform takes one as empty.
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
}

void TCustomChartPanel::SetCursor(TCursor c) {
  cursor_ = c;
  if (host_) host_->SetCursor(c);
}

// --- margins and geometry ---

int TCustomChartPanel::Margin(int index) const {
  if (index < 0 || index > 3) ThrowListIndexError(index);
  return margins_[index];
}

void TCustomChartPanel::SetMargin(int index, int value) {
  if (index < 0 || index > 3) ThrowListIndexError(index);
  SetProperty(margins_[index], value);
}

void TCustomChartPanel::RecalcPlotSize() {
  if (panelBounds_.Left > plotRect_.Left) plotRect_.Left = panelBounds_.Left;
  if (panelBounds_.Top > plotRect_.Top) plotRect_.Top = panelBounds_.Top;
  if (plotRect_.Left > plotRect_.Right) plotRect_.Right = Px(plotRect_.Left) + 1;
  if (plotRect_.Top > plotRect_.Bottom) plotRect_.Bottom = Px(plotRect_.Top) + 1;
  plotWidth_ = Px(plotRect_.Right) - plotRect_.Left;
  plotHeight_ = Px(plotRect_.Bottom) - plotRect_.Top;
  plotCenterX_ = Mid(plotRect_.Left, plotRect_.Right);
  plotCenterY_ = Mid(plotRect_.Top, plotRect_.Bottom);
}

void TCustomChartPanel::ComputeDepth() {
  if (!View3D()) {
    slotDepthX_ = slotDepthY_ = depthX_ = depthY_ = 0;
    return;
  }
  double f = Chart3DPercent() / 1000.0;
  slotDepthX_ = RoundHalfEven(plotWidth_ * f);
  slotDepthY_ = RoundHalfEven(plotHeight_ * f);
  int n = separateDepthSlots_ ? std::max<int>(1, Px(topDepthSlot_) + 1) : 1;
  depthX_ = ClampToInt(static_cast<double>(n) * slotDepthX_);
  depthY_ = ClampToInt(static_cast<double>(n) * slotDepthY_);
}

// --- repaint and the cached image ---

void TCustomChartPanel::RequestRepaint() {
  imageStale_ = true;
  if (host_) host_->Invalidate();
}

void TCustomChartPanel::SubObjectChanged(TPersistent*) { RequestRepaint(); }

bool TCustomChartPanel::ShowCachedImage() {
  if (imageStale_ || !backBuffer_) return false;
  CopyBackBuffer(*WindowCanvas(), 0, 0);
  return true;
}

void TCustomChartPanel::CopyBackBuffer(Canvas& canvas, int x, int y) {
  if (backBuffer_) canvas.Draw(x, y, *backBuffer_);
}

void TCustomChartPanel::Paint() {
  if (ShowCachedImage()) return;
  DrawChart(*WindowCanvas(), ClientRect());
}

Bitmap* TCustomChartPanel::EnsureBackBuffer(bool monochrome) {
  if (backBuffer_ && backBuffer_->Monochrome() != monochrome) backBuffer_.reset();
  if (!backBuffer_) {
    if (host_) backBuffer_ = host_->CreateBitmap(width_, height_, monochrome);
    if (!backBuffer_) backBuffer_ = std::make_unique<NullBitmap>(width_, height_, monochrome);
  }
  return backBuffer_.get();
}

TPoint TCustomChartPanel::CursorClientPos() const { return host_ ? host_->CursorClientPos() : TPoint{}; }

// --- canvas operations ---

Canvas* TCustomChartPanel::WindowCanvas() const { return host_ ? &host_->WindowCanvas() : nullCanvas_.get(); }

Canvas& TCustomChartPanel::DrawCanvas() { return drawCanvas_ ? *drawCanvas_ : *WindowCanvas(); }

void TCustomChartPanel::ApplyFont(const TFont& font) {
  Canvas& canvas = DrawCanvas();
  // Point sizes render at the canvas' resolution.
  TFont copy = font;
  copy.OnChange = nullptr;
  copy.SetPixelsPerInch(canvas.PixelsPerInch());
  canvas.Font().Assign(copy);
  canvas.Font().SetPixelsPerInch(canvas.PixelsPerInch());
}

void TCustomChartPanel::DrawRectangle(const TRect& r) { DrawCanvas().Rectangle(r); }

void TCustomChartPanel::DrawRectangles(std::span<const ColouredRect> rects) { DrawCanvas().Rectangles(rects); }

void TCustomChartPanel::DrawLine(int x0, int y0, int x1, int y1) {
  Canvas& canvas = DrawCanvas();
  canvas.MoveTo(x0, y0);
  canvas.LineTo(x1, y1);
}

void TCustomChartPanel::DrawHorizLine(int x0, int x1, int y) { DrawLine(x0, y, x1, y); }

void TCustomChartPanel::DrawVertLine(int x, int y0, int y1) { DrawLine(x, y0, x, y1); }

void TCustomChartPanel::DrawPolygon(std::span<const TPoint> points) { DrawCanvas().Polygon(points); }

void TCustomChartPanel::DrawTextAt(int x, int y, std::string_view text) { DrawCanvas().TextOut(x, y, text); }

void TCustomChartPanel::DrawAngledText(int x, int y, std::string_view text, int angle) {
  Canvas& canvas = DrawCanvas();
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  TFont& font = canvas.Font();
  const int previous = font.Angle();
  // The rotated font is only for this text; the canvas keeps its own.
  struct RestoreAngle {
    TFont& font;
    int angle;
    ~RestoreAngle() { font.SetAngle(angle); }
  } restore{font, previous};
  font.SetAngle(angle);
  canvas.TextOut(x, y, text);
}

int TCustomChartPanel::TextHeightOf(std::string_view text) { return DrawCanvas().TextHeight(text); }

int TCustomChartPanel::TextWidthOf(std::string_view text) { return DrawCanvas().TextWidth(text); }

int TCustomChartPanel::CharHeight() { return TextHeightOf("W"); }

void TCustomChartPanel::SetFillBrush(Canvas& canvas, TColor colour, TBrushStyle style, TColor background) {
  TBrush& brush = canvas.Brush();
  if (style != TBrushStyle::bsSolid && background == colour)
    brush.SetColor(background == clBlack ? clWhite : clBlack);  // keep the hatch visible
  else
    brush.SetColor(colour);
  brush.SetStyle(style);
  if (style == TBrushStyle::bsSolid) {
    canvas.SetBkMode(BkMode::Transparent);
  } else if (IsHatch(style)) {
    canvas.SetBkMode(BkMode::Opaque);
    canvas.SetBkColor(ColorToRGB(background));
  }
}

void TCustomChartPanel::ClipToRect(const TRect& r) { DrawCanvas().ClipRect(r); }

void TCustomChartPanel::ClipToPolygon(std::span<const TPoint> points) { DrawCanvas().ClipPolygon(points); }

void TCustomChartPanel::RemoveClip() {
  TSize screen = host_ ? host_->ScreenSize() : TSize{1920, 1080};
  DrawCanvas().ClipRect({0, 0, std::max(width_, screen.Width), std::max(height_, screen.Height)});
}

// --- the rubber band ---

void TCustomChartPanel::DrawZoomFrame() {
  Canvas& canvas = *WindowCanvas();
  // Not-xor with white leaves the screen unchanged: a control set to white
  // draws its frame in red. Only white as set counts, not a system colour.
  const TColor colour = color_ == clWhite ? clRed : ColorToRGB(color_);
  TPen& pen = canvas.Pen();
  pen.SetColor(colour);
  pen.SetMode(TPenMode::pmNotXor);
  pen.SetStyle(TPenStyle::psSolid);
  pen.SetWidth(1);
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  canvas.Rectangle(zoomDrag_.FromX, zoomDrag_.FromY, zoomDrag_.ToX, zoomDrag_.ToY);
}

// --- mouse ---

void TCustomChartPanel::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TCustomChartPanel::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TCustomChartPanel::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TCustomChartPanel::MouseLeave() {}

}  // namespace tokiwa
