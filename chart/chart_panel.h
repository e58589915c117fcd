#pragma once
// The lowest layer of the chart control: the geometry of the current drawing
// pass, the cached chart image, the canvas helpers every other part draws with,
// the repaint-on-change rule, the drag records and the hit-test functions.
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "chart/chart_host.h"
#include "runtime/canvas.h"
#include "runtime/component.h"
#include "runtime/geometry.h"
#include "runtime/input.h"
#include "runtime/property.h"

namespace tokiwa {

enum class TBevelCut : std::uint8_t { bvNone, bvLowered, bvRaised };
enum class TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };

using TNotifyEvent = std::function<void(TComponent* Sender)>;
using TMouseEvent = std::function<void(TComponent* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TComponent* Sender, TShiftState Shift, int X, int Y)>;

// A drag in progress: where it began and where the mouse is now (client pixels).
struct TZoomPanningRecord {
  bool DragActive = false;
  int FromX = 0, FromY = 0, ToX = 0, ToY = 0;
  void StartDragAt(int x, int y);
  void OrderCorners();
};

// Hit tests used by the series' click tests.
bool IsInsideRect(TPoint p, const TRect& r);
bool IsInsidePolygon(TPoint p, std::span<const TPoint> points);  // even-odd rule
bool IsNearSegment(int px, int py, int x0, int y0, int x1, int y1);

class TCustomChartPanel : public TComponent {
 public:
  explicit TCustomChartPanel(TComponent* owner);
  ~TCustomChartPanel() override;

  // --- the window this chart lives in ---
  void SetHost(ChartHost* host);
  ChartHost* Host() const { return host_; }
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Resizing marks the cached image stale.
  virtual void SetBounds(int left, int top, int width, int height);
  TRect ClientRect() const { return {0, 0, width_, height_}; }
  TColor Color() const { return color_; }
  void SetColor(TColor c) { SetProperty(color_, c); }
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor c);
  TCursor SavedCursor() const { return savedCursor_; }
  void SetSavedCursor(TCursor c) { savedCursor_ = c; }
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut b) { SetProperty(bevelInner_, b); }
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut b) { SetProperty(bevelOuter_, b); }
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int w) { SetProperty(bevelWidth_, w); }
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int w) { SetProperty(borderWidth_, w); }
  TAlign Align() const { return align_; }
  void SetAlign(TAlign a) { align_ = a; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool v) { showHint_ = v; }

  // Control events raised by the class library's mouse handling.
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;

  // --- margins, in percent of the panel (0 left, 1 top, 2 right, 3 bottom) ---
  int Margin(int index) const;
  void SetMargin(int index, int value);
  int MarginLeft() const { return margins_[0]; }
  int MarginTop() const { return margins_[1]; }
  int MarginRight() const { return margins_[2]; }
  int MarginBottom() const { return margins_[3]; }
  void SetMarginLeft(int v) { SetMargin(0, v); }
  void SetMarginTop(int v) { SetMargin(1, v); }
  void SetMarginRight(int v) { SetMargin(2, v); }
  void SetMarginBottom(int v) { SetMargin(3, v); }

  // --- geometry of the current drawing pass ---
  TRect& PanelBounds() { return panelBounds_; }
  const TRect& PanelBounds() const { return panelBounds_; }
  TRect& PlotRect() { return plotRect_; }
  const TRect& PlotRect() const { return plotRect_; }
  int PlotWidth() const { return plotWidth_; }
  int PlotHeight() const { return plotHeight_; }
  int PlotCenterX() const { return plotCenterX_; }
  int PlotCenterY() const { return plotCenterY_; }
  void RecalcPlotSize();

  // --- 3D depth ---
  bool SeparateDepthSlots() const { return separateDepthSlots_; }
  void SetSeparateDepthSlots(bool v) { separateDepthSlots_ = v; }
  int DepthX() const { return depthX_; }
  int DepthY() const { return depthY_; }
  int TopDepthSlot() const { return topDepthSlot_; }
  void SetTopDepthSlot(int v) { topDepthSlot_ = v; }
  int SlotDepthX() const { return slotDepthX_; }
  int SlotDepthY() const { return slotDepthY_; }
  void ComputeDepth();
  // Supplied by the axis panel.
  virtual bool View3D() const = 0;
  virtual int Chart3DPercent() const = 0;

  // --- repaint ---
  // Marks the cached image stale and invalidates the window.
  virtual void RequestRepaint();
  virtual void SubObjectChanged(TPersistent* sender);
  // The change handler of every sub-object the chart owns (pens, fonts, titles,
  // walls, axes, legend, ...): any change repaints.
  TChangeHandler SubObjectChangedHandler() {
    return [this](TPersistent* sender) { SubObjectChanged(sender); };
  }
  bool ImageStale() const { return imageStale_; }
  void SetImageStale(bool v) { imageStale_ = v; }
  Bitmap* BackBuffer() const { return backBuffer_.get(); }
  bool ShowCachedImage();
  void CopyBackBuffer(Canvas& canvas, int x, int y);
  // The window paint: the cached image if it is current, else the whole chart.
  void Paint();
  virtual void DrawChart(Canvas& canvas, const TRect& rect) = 0;
  TPoint CursorClientPos() const;

  // Compare-store-repaint: the one rule behind every simple property setter.
  template <class T, class U>
  void SetProperty(T& field, const U& value) {
    if (StoreIfChanged(field, value)) RequestRepaint();
  }

  // --- canvas operations, on DrawCanvas ---
  Canvas& DrawCanvas();
  Canvas* WindowCanvas() const;
  virtual void ApplyFont(const TFont& font);
  void DrawRectangle(const TRect& r);
  void DrawRectangles(std::span<const ColouredRect> rects);
  void DrawLine(int x0, int y0, int x1, int y1);
  void DrawHorizLine(int x0, int x1, int y);
  void DrawVertLine(int x, int y0, int y1);
  void DrawPolygon(std::span<const TPoint> points);
  virtual void DrawTextAt(int x, int y, std::string_view text);
  void DrawAngledText(int x, int y, std::string_view text, int angle);
  virtual int TextHeightOf(std::string_view text);
  virtual int TextWidthOf(std::string_view text);
  int CharHeight();
  static void SetFillBrush(Canvas& canvas, TColor colour, TBrushStyle style, TColor background);
  void ClipToRect(const TRect& r);
  void ClipToPolygon(std::span<const TPoint> points);
  void RemoveClip();

  // --- drags ---
  TZoomPanningRecord& ZoomDrag() { return zoomDrag_; }
  TZoomPanningRecord& PanDrag() { return panDrag_; }
  // The rubber band, drawn with a not-xor pen on the window canvas (twice erases it).
  void DrawZoomFrame();

  // --- mouse input from the host (the class library's handlers) ---
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseLeave();

 protected:
  // While painting, the back buffer's canvas; otherwise the window canvas
  // (nullptr also means the window canvas).
  void SetDrawCanvas(Canvas* canvas) { drawCanvas_ = canvas; }
  // Makes a canvas the drawing canvas for a scope; the window canvas is the
  // drawing canvas again when the scope ends, also by an exception.
  class DrawCanvasScope {
   public:
    DrawCanvasScope(TCustomChartPanel& panel, Canvas& canvas) : panel_(panel) { panel_.SetDrawCanvas(&canvas); }
    ~DrawCanvasScope() { panel_.SetDrawCanvas(nullptr); }
    DrawCanvasScope(const DrawCanvasScope&) = delete;
    DrawCanvasScope& operator=(const DrawCanvasScope&) = delete;

   private:
    TCustomChartPanel& panel_;
  };
  Bitmap* EnsureBackBuffer(bool monochrome);
  void DestroyBackBuffer() { backBuffer_.reset(); }

 private:
  ChartHost* host_ = nullptr;
  // Stands in for the window canvas while there is no host: draws nothing.
  std::unique_ptr<Canvas> nullCanvas_;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TColor color_ = clBtnFace;
  TCursor cursor_ = crDefault;
  TCursor savedCursor_ = crDefault;
  TBevelCut bevelInner_ = TBevelCut::bvNone;
  TBevelCut bevelOuter_ = TBevelCut::bvRaised;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  TAlign align_ = TAlign::alNone;
  bool showHint_ = false;

  int margins_[4] = {3, 3, 3, 3};
  bool imageStale_ = false;
  Canvas* drawCanvas_ = nullptr;
  std::unique_ptr<Bitmap> backBuffer_;
  bool separateDepthSlots_ = false;
  int depthX_ = 0, depthY_ = 0;
  int topDepthSlot_ = 0;
  int slotDepthX_ = 0, slotDepthY_ = 0;
  TRect panelBounds_;
  TRect plotRect_;
  int plotWidth_ = 0, plotHeight_ = 0, plotCenterX_ = 0, plotCenterY_ = 0;
  TZoomPanningRecord zoomDrag_;
  TZoomPanningRecord panDrag_;
};

}  // namespace tokiwa
