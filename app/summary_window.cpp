#include "app/summary_window.h"

#include <QAbstractTableModel>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <sstream>

#include "app/summary_mode.h"
#include "app/ui_text.h"
#include "timeline/bar_details.h"
#include "gui/error_display.h"
#include "runtime/encoding.h"
#include "runtime/format.h"
#include "runtime/messages.h"
#include "runtime/safe_file.h"

namespace tokiwa {

namespace {

enum Column { kFile, kFolder, kRuns, kTotal, kLongest, kFirstStart, kLastEnd, kInferred, kColumns };

QString Duration(long long seconds) { return Text(DurationText(seconds)); }

QString When(TDateTime value) {
  return Text(FormatDateTime(msg::SummaryDateTimeFormat, value, JapaneseFormatSettings()));
}

QString CellText(const ProgramTotals& p, int column) {
  switch (column) {
    case kFile: return Text(Cp932DisplayText(p.File));
    case kFolder: return Text(Cp932DisplayText(p.Folder));
    case kRuns: return QString::number(p.Runs);
    case kTotal: return Duration(p.TotalSeconds);
    case kLongest: return Duration(p.LongestSeconds);
    case kFirstStart: return When(p.FirstStart);
    case kLastEnd: return When(p.LastEnd);
    case kInferred: return p.EndInferred ? Text(msg::SummaryEndInferred) : QString();
    default: return {};
  }
}

// -1, 0 or 1 by the column's value; names in the locale's order.
int Compare(const ProgramTotals& a, const ProgramTotals& b, int column) {
  const auto order = [](auto x, auto y) { return x < y ? -1 : y < x ? 1 : 0; };
  switch (column) {
    case kFile: return QString::localeAwareCompare(CellText(a, kFile), CellText(b, kFile));
    case kFolder: return QString::localeAwareCompare(CellText(a, kFolder), CellText(b, kFolder));
    case kRuns: return order(a.Runs, b.Runs);
    case kTotal: return order(a.TotalSeconds, b.TotalSeconds);
    case kLongest: return order(a.LongestSeconds, b.LongestSeconds);
    case kFirstStart: return order(a.FirstStart, b.FirstStart);
    case kLastEnd: return order(a.LastEnd, b.LastEnd);
    case kInferred: return order(a.EndInferred, b.EndInferred);
    default: return 0;
  }
}

}  // namespace

class SummaryWindow::Model : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
  }
  int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : kColumns; }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole) return CellText(rows_[static_cast<std::size_t>(index.row())], index.column());
    if (role == Qt::TextAlignmentRole) {
      const bool number = index.column() == kRuns || index.column() == kTotal || index.column() == kLongest;
      return QVariant((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    return {};
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumns) return {};
    return Text(msg::SummaryColumns[section]);
  }

  // Column -1 is the chart's row order; ties keep it too.
  void sort(int column, Qt::SortOrder order) override {
    sortColumn_ = column;
    sortOrder_ = order;
    emit layoutAboutToBeChanged();
    std::stable_sort(rows_.begin(), rows_.end(), [column, order](const ProgramTotals& a, const ProgramTotals& b) {
      const int c = column < 0 ? 0 : Compare(a, b, column);
      if (c != 0) return order == Qt::AscendingOrder ? c < 0 : c > 0;
      return a.Row < b.Row;
    });
    emit layoutChanged();
  }

  void SetRows(std::vector<ProgramTotals> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
    sort(sortColumn_, sortOrder_);
  }
  const std::vector<ProgramTotals>& Rows() const { return rows_; }

 private:
  std::vector<ProgramTotals> rows_;
  int sortColumn_ = -1;
  Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

SummaryWindow::SummaryWindow(QWidget* parent) : QDialog(parent), model_(new Model(this)), table_(new QTableView(this)) {
  setWindowTitle(Text(msg::SummaryTitle));
  ChooseSaveFile = [](QWidget* owner, const QString& title, const QString& filter) {
    return QFileDialog::getSaveFileName(owner, title, QString(), filter);
  };
  table_->setModel(model_);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  table_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  table_->setSortingEnabled(true);
  table_->setWordWrap(false);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* copy = buttons->addButton(Text(msg::SummaryCopy), QDialogButtonBox::ActionRole);
  QPushButton* save = buttons->addButton(Text(msg::SummarySave), QDialogButtonBox::ActionRole);
  QPushButton* close = buttons->addButton(Text(msg::SummaryClose), QDialogButtonBox::RejectRole);
  connect(copy, &QPushButton::clicked, this, [this] { CopyToClipboard(false); });
  connect(save, &QPushButton::clicked, this, [this] { SaveAsCsv(); });
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  auto* shortcut = new QShortcut(QKeySequence::Copy, table_);
  connect(shortcut, &QShortcut::activated, this, [this] { CopyToClipboard(true); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(table_);
  layout->addWidget(buttons);
  resize(1000, 420);
}

// Columns fit their texts once; widths the user sets afterwards stay.
void SummaryWindow::SetTotals(std::vector<ProgramTotals> totals) {
  const bool first = model_->Rows().empty();
  model_->SetRows(std::move(totals));
  if (first) table_->resizeColumnsToContents();
}

const std::vector<ProgramTotals>& SummaryWindow::Totals() const { return model_->Rows(); }

QString SummaryWindow::TableText(bool selectedOnly) const {
  const QModelIndexList selected = table_->selectionModel()->selectedRows();
  const bool onlySome = selectedOnly && !selected.isEmpty();
  QStringList lines;
  QStringList cells;
  for (int c = 0; c < kColumns; ++c) cells << Text(msg::SummaryColumns[c]);
  lines << cells.join('\t');
  const auto& rows = model_->Rows();
  for (std::size_t r = 0; r < rows.size(); ++r) {
    if (onlySome && !table_->selectionModel()->isRowSelected(static_cast<int>(r), {})) continue;
    cells.clear();
    for (int c = 0; c < kColumns; ++c) cells << CellText(rows[r], c);
    lines << cells.join('\t');
  }
  return lines.join('\n') + '\n';
}

void SummaryWindow::CopyToClipboard(bool selectedOnly) {
  QGuiApplication::clipboard()->setText(TableText(selectedOnly));
}

void SummaryWindow::SaveAsCsv() {
  const QString chosen = ChooseSaveFile(this, Text(msg::SummarySaveTitle), Text(msg::SummarySaveFilter));
  if (chosen.isEmpty()) return;
  const std::string path = QFile::encodeName(chosen).toStdString();
  std::ostringstream csv;
  WriteSummaryCsv(model_->Rows(), csv);
  if (!WriteFileSafely(path, csv.str())) ShowErrorMessage(this, FormatText(msg::FileCreateError, {Arg(path)}));
}

}  // namespace tokiwa
