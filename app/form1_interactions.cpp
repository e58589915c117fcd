// The main window's interactions with the timeline and the grid: a click on
// a bar, hiding a program from the chart's popup menu, reloading the folder,
// and fitting a grid column to its texts.
#include <QAction>
#include <QCursor>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <string_view>
#include <unordered_set>

#include "app/form1.h"
#include "chart/chart.h"
#include "gui/chart_widget.h"
#include "gui/file_list_box.h"
#include "gui/string_grid_view.h"
#include "series/gantt_series.h"
#include "timeline/timeline_builder.h"
#include "timeline/timeline_foot.h"

namespace tokiwa {

namespace {

// A double click this close to a header cell's right border fits the column.
constexpr int kBorderReach = 5;
// The fitted width: the widest text, at least this, plus the margin.
constexpr int kFitMinimumText = 10;
constexpr int kFitMargin = 12;

}  // namespace

void TForm1::Series1Click(TChartSeries*, int valueIndex, TMouseButton button, TShiftState, int, int) {
  if (button != TMouseButton::mbLeft) return;
  ShowFootText(*Chart1, BarFootText(*Series1, valueIndex));
}

// Over the grid no bar is under the cursor, whatever the chart last saw.
void TForm1::PopupMenu1Popup() {
  const bool overGrid = popupOwner_ && popupOwner_ != Chart1View;
  PopupIndex = overGrid ? -1 : Series1->PointUnderCursor();
  mnIgno->setVisible(PopupIndex >= 0);
}

// PopupIndex may be stale: the chart can have changed since the menu opened.
void TForm1::mnIgnoClick() {
  if (PopupIndex < 0 || PopupIndex >= Series1->PointCount()) return;
  const std::string name = NormalizeName(Series1->PointLabel(PopupIndex));
  if (HiddenNames.IndexOf(name) < 0) {
    HiddenNames.Add(name);
    SaveHiddenNames();
  }
  BuildTimeline();
}

// Empties chart and grid and lists the folder again; the user picks a file anew.
void TForm1::mnRenewClick() {
  Series1->RemoveAllPoints();
  KeepTimelineDetails(TimelineScan{});
  Chart1->Foot().SetText(RenewedFootLines());
  StringGridIO1.ClearGrid();
  Grid().SetRowCount(2);
  ShownLogs.clear();
  FileListBox1->Update();
  ShownLogsChanged();
}

void TForm1::StringGrid1DblClick() {
  const QPoint pos = hasGridClickPos_ ? gridClickPos_ : StringGrid1->mapFromGlobal(QCursor::pos());
  const int x = pos.x(), y = pos.y();
  const TStringGridView::Cell cell = StringGrid1->MouseCoord(QPoint(x - kBorderReach, y));
  if (cell.col < 0 || cell.row > 0) return;
  const QRect rect = StringGrid1->CellRect(cell.col, cell.row);
  // The border lies just past the cell: its exclusive right edge.
  const int right = rect.x() + rect.width();
  if (!(x - kBorderReach < right && right < x + kBorderReach)) return;

  // Logs repeat their texts: each distinct one is measured once.
  const TStringGrid& grid = Grid();
  const QFontMetrics metrics(StringGrid1->font());
  std::unordered_set<std::string_view> measured;
  int width = kFitMinimumText;
  for (int row = 0; row < grid.RowCount(); ++row) {
    const std::string_view text = grid.CellView(cell.col, row);
    if (!measured.insert(text).second) continue;
    const int textWidth = metrics.horizontalAdvance(ShownCellText(text));
    if (textWidth > width) width = textWidth;
  }
  Grid().SetColWidths(cell.col, width + kFitMargin);
}

// The grid view reports a double click without its position; the window
// remembers where it happened.
void TForm1::WatchGridDoubleClicks() {
  StringGrid1->viewport()->installEventFilter(this);
  StringGrid1->horizontalHeader()->viewport()->installEventFilter(this);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick) {
    if (auto* widget = qobject_cast<QWidget*>(watched)) {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      gridClickPos_ = widget->mapTo(StringGrid1, mouse->position().toPoint());
      hasGridClickPos_ = true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace tokiwa
