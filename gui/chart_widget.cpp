#include "gui/chart_widget.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <cmath>
#include <exception>
#include <optional>

#include "chart/chart.h"
#include "chart/engine_settings.h"
#include "gui/error_display.h"

namespace tokiwa {

namespace {

std::optional<TMouseButton> ToMouseButton(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton: return TMouseButton::mbLeft;
    case Qt::RightButton: return TMouseButton::mbRight;
    case Qt::MiddleButton: return TMouseButton::mbMiddle;
    default: return std::nullopt;
  }
}

// Keys held and buttons down during the event, as the class library reports them.
TShiftState ToShiftState(const QMouseEvent& event) {
  TShiftState s = 0;
  const Qt::KeyboardModifiers keys = event.modifiers();
  if (keys & Qt::ShiftModifier) s |= ssShift;
  if (keys & Qt::AltModifier) s |= ssAlt;
  if (keys & Qt::ControlModifier) s |= ssCtrl;
  const Qt::MouseButtons buttons = event.buttons();
  if (buttons & Qt::LeftButton) s |= ssLeft;
  if (buttons & Qt::RightButton) s |= ssRight;
  if (buttons & Qt::MiddleButton) s |= ssMiddle;
  return s;
}

QPoint EventPos(const QMouseEvent& event) { return event.position().toPoint(); }

}  // namespace

ChartWidget::ChartWidget(TCustomChart* chart, QWidget* parent) : QWidget(parent), chart_(chart) {
  setMouseTracking(true);  // hover cursors over points
  // The whole client area comes from the window image: nothing to erase first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  RemakeWindowImage();
  chart_->SetHost(this);
  chart_->SetBounds(0, 0, width(), height());
}

ChartWidget::~ChartWidget() {
  if (chart_->Host() == this) chart_->SetHost(nullptr);
  canvas_.End();
}

// --- ChartHost ---

void ChartWidget::Invalidate() {
  repaintAsked_ = true;
  if (updateQueued_ && isVisible()) return;
  updateQueued_ = true;
  update();
}

void ChartWidget::RepaintNow() { repaint(); }

Qt::CursorShape ChartWidget::CursorShapeFor(TCursor cursor) {
  switch (cursor) {
    case crHandPoint: return Qt::PointingHandCursor;
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crHSplit: return Qt::SplitHCursor;
    case crVSplit: return Qt::SplitVCursor;
    default: break;
  }
  if (RegisteredCursor(cursor) == CursorShape::Hand) return Qt::PointingHandCursor;
  return Qt::ArrowCursor;
}

void ChartWidget::SetCursor(TCursor code) {
  const Qt::CursorShape shape = CursorShapeFor(code);
  if (cursor().shape() != shape) setCursor(shape);
}

// Simulated input moves no real pointer, so the last mouse event is the truth.
TPoint ChartWidget::CursorClientPos() {
  const QPoint p = hasMousePos_ ? lastMousePos_ : mapFromGlobal(QCursor::pos());
  return {p.x(), p.y()};
}

std::unique_ptr<Bitmap> ChartWidget::CreateBitmap(int width, int height, bool monochrome) {
  return std::make_unique<QtBitmap>(width, height, monochrome);
}

void ChartWidget::ShowMessage(const std::string& text) { ShowErrorMessage(this, text); }

TSize ChartWidget::ScreenSize() {
  const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
  if (!s) return ChartHost::ScreenSize();
  const QSize size = s->size();
  return {size.width(), size.height()};
}

TSize ChartWidget::ScreenPhysicalSize() {
  const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
  if (!s) return ChartHost::ScreenPhysicalSize();
  // Tenths of a millimetre keep the aspect of small screens exact enough.
  const QSizeF mm = s->physicalSize();
  return {static_cast<int>(std::lround(mm.width() * 10)), static_cast<int>(std::lround(mm.height() * 10))};
}

// --- painting ---

void ChartWidget::RemakeWindowImage() {
  canvas_.End();
  window_ = NewCanvasImage(width(), height());
  canvas_.SetTarget(&window_);
}

void ChartWidget::paintEvent(QPaintEvent*) {
  updateQueued_ = false;
  if (repaintAsked_) {
    repaintAsked_ = false;
    std::exception_ptr error;
    try {
      chart_->Paint();
    } catch (...) {
      error = std::current_exception();
    }
    // A message box opened inside a paint event would paint (and fail) again
    // under itself: show the error once this paint is over.
    if (error) {
      QMetaObject::invokeMethod(
          this,
          [this, error] {
            try {
              std::rethrow_exception(error);
            } catch (...) {
              ShowCurrentException(this);
            }
          },
          Qt::QueuedConnection);
    }
  }
  canvas_.End();
  QPainter painter(this);
  painter.drawImage(0, 0, window_);
}

void ChartWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  RemakeWindowImage();
  GuardedCall(this, [this] { chart_->SetBounds(0, 0, width(), height()); });
  repaintAsked_ = true;
}

// --- mouse ---

void ChartWidget::Deliver(const std::function<void()>& call) {
  GuardedCall(this, call);
  // Shows what the engine drew on the window image (the rubber band) without
  // running the chart's paint again.
  update();
}

void ChartWidget::ForwardPress(QMouseEvent* event, bool doubleClick) {
  const QPoint pos = EventPos(*event);
  lastMousePos_ = pos;
  hasMousePos_ = true;
  const std::optional<TMouseButton> button = ToMouseButton(event->button());
  if (!button) return;
  if (*button == TMouseButton::mbRight) {
    rightPressed_ = true;
    rightMoved_ = false;
    rightPressPos_ = pos;
  }
  TShiftState shift = ToShiftState(*event);
  if (doubleClick) shift |= ssDouble;
  Deliver([&] { chart_->MouseDown(*button, shift, pos.x(), pos.y()); });
}

void ChartWidget::mousePressEvent(QMouseEvent* event) { ForwardPress(event, false); }

void ChartWidget::mouseDoubleClickEvent(QMouseEvent* event) { ForwardPress(event, true); }

void ChartWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = EventPos(*event);
  lastMousePos_ = pos;
  hasMousePos_ = true;
  if (rightPressed_ && pos != rightPressPos_) rightMoved_ = true;
  const TShiftState shift = ToShiftState(*event);
  Deliver([&] { chart_->MouseMove(shift, pos.x(), pos.y()); });
}

void ChartWidget::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pos = EventPos(*event);
  lastMousePos_ = pos;
  hasMousePos_ = true;
  const std::optional<TMouseButton> button = ToMouseButton(event->button());
  if (!button) return;
  const TShiftState shift = ToShiftState(*event);
  Deliver([&] { chart_->MouseUp(*button, shift, pos.x(), pos.y()); });
  if (*button != TMouseButton::mbRight || !rightPressed_) return;
  rightPressed_ = false;
  if (!rightMoved_ && pos == rightPressPos_) RequestContextMenu(pos);
}

void ChartWidget::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  Deliver([this] { chart_->MouseLeave(); });
}

// --- context menu ---

bool ChartWidget::event(QEvent* event) {
  if (event->type() != QEvent::ContextMenu) return QWidget::event(event);
  auto* request = static_cast<QContextMenuEvent*>(event);
  // The mouse's request comes with the press; the release decides instead,
  // once it is known whether the press began a panning drag.
  if (request->reason() != QContextMenuEvent::Mouse) RequestContextMenu(request->pos());
  event->accept();
  return true;
}

void ChartWidget::RequestContextMenu(QPoint pos) {
  GuardedCall(this, [&] {
    if (OnContextMenuRequest) OnContextMenuRequest(pos);
    if (contextMenuPolicy() == Qt::CustomContextMenu) emit customContextMenuRequested(pos);
  });
}

}  // namespace tokiwa
