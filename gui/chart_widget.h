#pragma once
// The Qt window that shows a chart. It is the chart's host: the chart draws its
// whole image into its back buffer and copies it onto this widget's window
// image; the rubber-band frame of a zoom drag is drawn straight onto the window
// image. A paint event runs the chart's paint only after the chart asked for a
// repaint; otherwise it just copies the window image to the screen, so the
// frame survives the plain repaints that follow each mouse event.
//
// Use: create the chart (usually owned by a form component), then
//   auto* view = new ChartWidget(chart, parent);
// The widget does not own the chart; destroy the widget first or let the chart
// outlive it (the destructor detaches itself from the chart).
//
// Context menu: a right press is left to the chart (it may start a panning
// drag). When the right button is released without the mouse having moved since
// the press, the widget raises OnContextMenuRequest (widget coordinates) and,
// with the Qt::CustomContextMenu policy, the standard customContextMenuRequested
// signal. The context-menu key raises them at once. Qt's own context-menu
// event from the mouse is swallowed, so no menu opens on the press.
#include <QImage>
#include <QPoint>
#include <QWidget>
#include <functional>
#include <memory>

#include "chart/chart_host.h"
#include "gui/qt_canvas.h"

namespace tokiwa {

class TCustomChart;

class ChartWidget : public QWidget, public ChartHost {
 public:
  explicit ChartWidget(TCustomChart* chart, QWidget* parent = nullptr);
  ~ChartWidget() override;
  ChartWidget(const ChartWidget&) = delete;
  ChartWidget& operator=(const ChartWidget&) = delete;

  TCustomChart* Chart() const { return chart_; }
  // What the screen shows (the chart's image plus any rubber band).
  const QImage& WindowImage() const { return window_; }

  // A right click without a drag, or the context-menu key; the point is in
  // widget coordinates.
  std::function<void(QPoint)> OnContextMenuRequest;

  // --- ChartHost ---
  void Invalidate() override;
  void RepaintNow() override;
  void SetCursor(TCursor cursor) override;
  TPoint CursorClientPos() override;
  Canvas& WindowCanvas() override { return canvas_; }
  std::unique_ptr<Bitmap> CreateBitmap(int width, int height, bool monochrome) override;
  void ShowMessage(const std::string& text) override;
  TSize ScreenSize() override;
  TSize ScreenPhysicalSize() override;

  // The Qt cursor shape standing for a cursor code of the class library.
  static Qt::CursorShape CursorShapeFor(TCursor cursor);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void ForwardPress(QMouseEvent* event, bool doubleClick);
  // Runs a call into the chart with the error display around it, then shows
  // what it drew on the window image.
  void Deliver(const std::function<void()>& call);
  void RequestContextMenu(QPoint pos);
  void RemakeWindowImage();

  TCustomChart* chart_;
  QImage window_;
  QtCanvas canvas_;
  bool repaintAsked_ = true;
  // An update() is queued and its paint event has not come yet. A log's
  // build asks for a repaint once per bar; one queued update serves them all.
  bool updateQueued_ = false;
  bool hasMousePos_ = false;
  QPoint lastMousePos_;
  // The right press that may turn out to be a click for the context menu.
  bool rightPressed_ = false;
  bool rightMoved_ = false;
  QPoint rightPressPos_;
};

}  // namespace tokiwa
