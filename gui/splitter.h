#pragma once
// A splitter bar that resizes one neighbouring control, as the window design
// has them: the control keeps its size when the window is resized, the space
// beside it goes to the client area, and dragging the bar moves the border.
// Neither side is dragged below MinSize pixels.
#include <QWidget>

namespace tokiwa {

class TSplitter : public QWidget {
 public:
  enum class Side {
    kLeft,    // the control sits left of the bar; the bar is vertical
    kBottom,  // the control sits below the bar; the bar is horizontal
  };
  static constexpr int kDefaultMinSize = 30;

  // control and client are the widgets on either side; not owned.
  TSplitter(Side side, int thickness, QWidget* control, QWidget* client, QWidget* parent);

  // The control's width (kLeft) or height (kBottom).
  int ControlSize() const;
  void SetControlSize(int size);
  int MinSize() const { return minSize_; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  int Along(QPointF globalPos) const;

  Side side_;
  QWidget* control_;
  QWidget* client_;
  int minSize_ = kDefaultMinSize;
  bool dragging_ = false;
  int dragStart_ = 0;
  int startSize_ = 0;
  int maxSize_ = 0;
};

}  // namespace tokiwa
