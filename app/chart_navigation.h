#pragma once
// The mouse wheel and the keys on the timeline chart. The wheel zooms the
// time axis around the pointer and Shift+wheel (or a sideways wheel) pans it;
// with the chart focused, + and - zoom around the middle, the arrow keys pan
// and Home undoes zoom and panning. All of it goes through the chart's own
// zoom and panning, so the reverse drag undoes it too.
#include <QObject>

class QKeyEvent;
class QWheelEvent;

namespace tokiwa {

class ChartWidget;

class ChartNavigation : public QObject {
 public:
  // Watches view's events; the view takes the keyboard focus when clicked
  // or wheeled, so that the keys work right after.
  explicit ChartNavigation(ChartWidget* view);

  // One wheel notch zooms the range to this share (zooming out divides by it).
  static constexpr double kZoomStep = 0.8;
  // One notch or arrow key pans by this share of the plot's width.
  static constexpr double kPanStep = 0.1;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Wheel(const QWheelEvent& event);
  bool Key(const QKeyEvent& event);
  // Zooms by kZoomStep per notch (120 eighths of a degree), in for positive.
  void Zoom(int x, double notches);
  // Pans by kPanStep per notch; positive shows earlier times.
  void Pan(double notches);

  ChartWidget* view_;
};

}  // namespace tokiwa
