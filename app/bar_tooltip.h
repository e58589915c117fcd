#pragma once
// The details of the bar under a resting pointer, as a tooltip over the
// chart: nothing over empty plot or outside it. The bar is found by the
// series' own hit test, only when the pointer rests (Qt's tooltip event), so
// moving over a large log costs nothing.
#include <QObject>
#include <QPoint>
#include <QString>
#include <functional>

namespace tokiwa {

class ChartWidget;
class TGanttSeries;
struct TimelineDetails;

class BarTooltip : public QObject {
 public:
  // details must outlive the tooltip; it describes the bars series holds.
  BarTooltip(ChartWidget* view, TGanttSeries* series, const TimelineDetails* details);

  // The tooltip's text for a point of the view, empty when no bar is there.
  QString TextAt(QPoint pos) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  ChartWidget* view_;
  TGanttSeries* series_;
  const TimelineDetails* details_;
};

}  // namespace tokiwa
