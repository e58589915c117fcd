#include "app/chart_navigation.h"

#include <QKeyEvent>
#include <QWheelEvent>
#include <cmath>

#include "chart/chart.h"
#include "gui/chart_widget.h"
#include "gui/error_display.h"

namespace tokiwa {

namespace {

constexpr double kEighthsPerNotch = 120;

}  // namespace

ChartNavigation::ChartNavigation(ChartWidget* view) : QObject(view), view_(view) {
  view_->setFocusPolicy(Qt::WheelFocus);
  view_->installEventFilter(this);
}

bool ChartNavigation::eventFilter(QObject* watched, QEvent* event) {
  // Only wheel and key events reach the chart: the view also sends events
  // (a focus loss) while it is being destroyed, when it is no chart view.
  const QEvent::Type type = event->type();
  if (watched != view_ || (type != QEvent::Wheel && type != QEvent::KeyPress))
    return QObject::eventFilter(watched, event);
  TCustomChart& chart = *view_->Chart();
  // A drag measures from the ranges it began with; they stay until it ends.
  if (chart.ZoomDrag().DragActive || chart.PanDrag().DragActive) return QObject::eventFilter(watched, event);
  if (type == QEvent::Wheel) return Wheel(static_cast<const QWheelEvent&>(*event));
  return Key(static_cast<const QKeyEvent&>(*event));
}

// Touchpads report parts of notches, a sideways wheel or swipe pans as
// Shift+wheel does (some platforms turn Shift+wheel into sideways already).
bool ChartNavigation::Wheel(const QWheelEvent& event) {
  const QPoint delta = event.angleDelta();
  const bool sideways = delta.x() != 0 && delta.y() == 0;
  if (event.modifiers() & Qt::ShiftModifier || sideways) {
    Pan((sideways ? delta.x() : delta.y()) / kEighthsPerNotch);
  } else {
    Zoom(event.position().toPoint().x(), delta.y() / kEighthsPerNotch);
  }
  return true;
}

bool ChartNavigation::Key(const QKeyEvent& event) {
  if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  TCustomChart& chart = *view_->Chart();
  switch (event.key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:  // the + key without Shift on many keyboards
      Zoom(chart.PlotCenterX(), 1);
      return true;
    case Qt::Key_Minus:
      Zoom(chart.PlotCenterX(), -1);
      return true;
    case Qt::Key_Left:
      Pan(1);
      return true;
    case Qt::Key_Right:
      Pan(-1);
      return true;
    case Qt::Key_Home:
      // As the reverse drag does.
      GuardedCall(view_, [&chart] {
        chart.CancelZoom();
        chart.RequestRepaint();
      });
      return true;
    default:
      return false;
  }
}

void ChartNavigation::Zoom(int x, double notches) {
  if (notches == 0) return;
  TCustomChart& chart = *view_->Chart();
  GuardedCall(view_, [&] { chart.ZoomHorizontally(x, std::pow(kZoomStep, notches)); });
}

// The data follow the direction, as with a panning drag: moving them right
// shows earlier times.
void ChartNavigation::Pan(double notches) {
  TCustomChart& chart = *view_->Chart();
  const int step = static_cast<int>(std::lround(chart.PlotWidth() * kPanStep * notches));
  if (step == 0 || !(chart.BottomAxis().CurrentRange() > 0)) return;  // nothing drawn to move
  const int from = chart.PlotCenterX();
  GuardedCall(view_, [&] { chart.PanByPixels(from, 0, from + step, 0); });
}

}  // namespace tokiwa
