#pragma once
// The totals per program of the logs on show (オプション → 集計): a table
// sorted by any column with a click on its header, copied to the clipboard
// (tab-separated, for a spreadsheet) or saved as the CSV --summary writes. It
// stays open beside the window and follows the chart: hiding a program, F4 and
// a log that grows change it as they change the chart.
#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "timeline/summary.h"

class QTableView;

namespace tokiwa {

class SummaryWindow : public QDialog {
 public:
  explicit SummaryWindow(QWidget* parent);

  // Shows these totals, sorted as the table is.
  void SetTotals(std::vector<ProgramTotals> totals);
  // The totals in the order shown.
  const std::vector<ProgramTotals>& Totals() const;
  QTableView* Table() const { return table_; }

  // The column captions, then the rows as shown (only the selected ones when
  // selectedOnly and some are), tab-separated, one line each.
  QString TableText(bool selectedOnly) const;
  void CopyToClipboard(bool selectedOnly);
  // Asks for a file name and writes the rows as shown as CSV; a file that
  // cannot be written is reported and left as it was.
  void SaveAsCsv();

  // The save dialog; tests replace it. Returns an empty text on cancel.
  std::function<QString(QWidget* parent, const QString& title, const QString& filter)> ChooseSaveFile;

 private:
  class Model;
  Model* model_;
  QTableView* table_;
};

}  // namespace tokiwa
