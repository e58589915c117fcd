#include "app/bar_tooltip.h"

#include <QHelpEvent>
#include <QToolTip>

#include "app/ui_text.h"
#include "chart/chart.h"
#include "gui/chart_widget.h"
#include "runtime/encoding.h"
#include "series/gantt_series.h"
#include "timeline/bar_details.h"

namespace tokiwa {

namespace {

// Names as the grid shows them, escaped so that none is taken for markup;
// the lines are not wrapped (a tooltip wraps long rich text, folders too).
QString TooltipText(const std::string& text) {
  const QString plain = Text(Cp932DisplayText(text));
  return "<p style='white-space:pre'>" + plain.toHtmlEscaped().replace('\n', "<br>") + "</p>";
}

}  // namespace

BarTooltip::BarTooltip(ChartWidget* view, TGanttSeries* series, const TimelineDetails* details)
    : QObject(view), view_(view), series_(series), details_(details) {
  // Reading a bar should not need a click into the window first (Qt asks
  // this of the window, not of the widget).
  view_->window()->setAttribute(Qt::WA_AlwaysShowToolTips);
  view_->installEventFilter(this);
}

QString BarTooltip::TextAt(QPoint pos) const {
  const TCustomChart& chart = *view_->Chart();
  // Bars are clipped to the plot; beyond it their hit test would still answer.
  if (!chart.PlotRect().Contains(pos.x(), pos.y()) || !series_->Active()) return {};
  // As a click finds it, but without raising the click events.
  const int index = series_->BarAtPixel(pos.x(), pos.y());
  const auto count = static_cast<int>(details_->Ends.size());
  // The details belong to the last build; a series emptied since has no bars.
  if (index < 0 || index >= count || count != series_->PointCount()) return {};
  return TooltipText(BarDetailsText(*series_, index, details_->Ends[static_cast<std::size_t>(index)]));
}

bool BarTooltip::eventFilter(QObject* watched, QEvent* event) {
  if (watched != view_ || event->type() != QEvent::ToolTip) return QObject::eventFilter(watched, event);
  const auto* help = static_cast<QHelpEvent*>(event);
  const QString text = TextAt(help->pos());
  if (text.isEmpty()) {
    QToolTip::hideText();
    event->ignore();
  } else {
    QToolTip::showText(help->globalPos(), text, view_);
  }
  return true;
}

}  // namespace tokiwa
