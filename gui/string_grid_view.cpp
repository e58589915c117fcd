#include "gui/string_grid_view.h"

#include <QMouseEvent>
#include <algorithm>

#include "runtime/encoding.h"

namespace tokiwa {

QString ShownCellText(std::string_view text) {
  std::string shown;
  if (text.size() > kMaxShownCellBytes) {
    std::size_t cut = kMaxShownCellBytes;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    shown = Cp932DisplayText(text.substr(0, cut));
    shown += "\u2026";
  } else {
    shown = Cp932DisplayText(text);
  }
  return QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
}

// ---- model ----

TStringGridModel::TStringGridModel(TStringGrid* grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid) {
  TakeSizes();
}

void TStringGridModel::TakeSizes() {
  headerRows_ = grid_->FixedRows() > 0 ? 1 : 0;
  rows_ = grid_->RowCount() - headerRows_;
  cols_ = grid_->ColCount();
}

int TStringGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int TStringGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : cols_;
}

QVariant TStringGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::DisplayRole) {
    return ShownCellText(grid_->CellView(index.column(), GridRow(index.row())));
  }
  if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
  return {};
}

QVariant TStringGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || headerRows_ == 0) return {};
  if (role == Qt::DisplayRole) {
    return ShownCellText(grid_->CellView(section, 0));
  }
  if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
  return {};
}

Qt::ItemFlags TStringGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

// Same sizes: the texts changed in place, so the view keeps its scroll
// position. Other sizes: the view starts over.
void TStringGridModel::GridLayoutChanged() {
  const int headerRows = grid_->FixedRows() > 0 ? 1 : 0;
  if (headerRows == headerRows_ && grid_->RowCount() - headerRows == rows_ &&
      grid_->ColCount() == cols_) {
    if (cols_ > 0) emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
    if (rows_ > 0 && cols_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
    return;
  }
  beginResetModel();
  TakeSizes();
  endResetModel();
}

void TStringGridModel::GridCellsChanged(int firstRow, int lastRow) {
  if (cols_ == 0) return;
  if (headerRows_ > 0 && firstRow == 0) emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
  const int first = std::max(firstRow - headerRows_, 0);
  const int last = std::min(lastRow - headerRows_, rows_ - 1);
  if (first <= last) emit dataChanged(index(first, 0), index(last, cols_ - 1));
}

void TStringGridModel::GridRowsReplaced(int first, int removed, int inserted) {
  const int headerRows = grid_->FixedRows() > 0 ? 1 : 0;
  if (headerRows != headerRows_ || first < headerRows_ || grid_->ColCount() != cols_ ||
      grid_->RowCount() - headerRows_ != rows_ - removed + inserted) {
    GridLayoutChanged();
    return;
  }
  const int row = first - headerRows_;
  const int kept = std::min(removed, inserted);
  if (inserted > removed) {
    beginInsertRows({}, row + kept, row + inserted - 1);
    rows_ += inserted - removed;
    endInsertRows();
  } else if (removed > inserted) {
    beginRemoveRows({}, row + kept, row + removed - 1);
    rows_ -= removed - inserted;
    endRemoveRows();
  }
  if (kept > 0 && cols_ > 0) emit dataChanged(index(row, 0), index(row + kept - 1, cols_ - 1));
}

// ---- header ----

TStringGridHeader::TStringGridHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

QSize TStringGridHeader::sizeHint() const {
  QSize size = QHeaderView::sizeHint();
  size.setHeight(defaultSectionSize());
  return size;
}

void TStringGridHeader::mouseDoubleClickEvent(QMouseEvent* event) {
  event->accept();
  if (OnDblClick) OnDblClick();
}

// ---- view ----

TStringGridView::TStringGridView(QWidget* parent)
    : QTableView(parent), grid_(std::make_unique<TStringGrid>()) {
  model_ = new TStringGridModel(grid_.get(), this);
  auto* header = new TStringGridHeader(this);
  setHorizontalHeader(header);
  setModel(model_);
  header->OnDblClick = [this] {
    if (OnDblClick) OnDblClick();
  };
  header->setSectionsClickable(false);
  header->setHighlightSections(false);
  header->setStretchLastSection(false);
  header->setMinimumSectionSize(0);
  header->setSectionResizeMode(QHeaderView::Interactive);
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  verticalHeader()->hide();
  verticalHeader()->setMinimumSectionSize(0);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  setCornerButtonEnabled(false);
  setShowGrid(true);
  setWordWrap(false);
  setTextElideMode(Qt::ElideNone);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

  connect(header, &QHeaderView::sectionResized, this,
          [this](int col, int, int newSize) { SectionResized(col, newSize); });
  grid_->OnLayoutChanged = [this] { GridLayoutChanged(); };
  grid_->OnCellsChanged = [this](int first, int last) { model_->GridCellsChanged(first, last); };
  grid_->OnRowsReplaced = [this](int first, int removed, int inserted) {
    model_->GridRowsReplaced(first, removed, inserted);
  };
  ApplyLayout();
}

TStringGridView::~TStringGridView() {
  grid_->OnLayoutChanged = nullptr;
  grid_->OnCellsChanged = nullptr;
  grid_->OnRowsReplaced = nullptr;
}

TStringGridHeader* TStringGridView::Header() const {
  return static_cast<TStringGridHeader*>(horizontalHeader());
}

void TStringGridView::GridLayoutChanged() {
  // A width the user is dragging comes back as a layout change; the view
  // already shows it.
  if (applyingLayout_) return;
  model_->GridLayoutChanged();
  ApplyLayout();
}

void TStringGridView::ApplyLayout() {
  applyingLayout_ = true;
  const int rowSection = grid_->DefaultRowHeight() + kGridLineWidth;
  verticalHeader()->setDefaultSectionSize(rowSection);
  Header()->setDefaultSectionSize(rowSection);
  Header()->setVisible(model_->HeaderRows() > 0);
  Header()->updateGeometry();
  for (int c = 0; c < model_->columnCount(); ++c)
    Header()->resizeSection(c, grid_->ColWidths(c) + kGridLineWidth);
  applyingLayout_ = false;
  updateGeometries();
}

void TStringGridView::SectionResized(int col, int newSize) {
  if (applyingLayout_) return;
  applyingLayout_ = true;
  grid_->SetColWidths(col, std::max(newSize - kGridLineWidth, 0));
  applyingLayout_ = false;
}

TStringGridView::Cell TStringGridView::MouseCoord(QPoint point) const {
  const QPoint inViewport = point - viewport()->geometry().topLeft();
  Cell cell;
  const int col = columnAt(inViewport.x());
  if (col < 0) return cell;
  if (Header()->isVisible() && point.y() >= Header()->geometry().top() &&
      point.y() < Header()->geometry().bottom() + 1) {
    cell.col = col;
    cell.row = 0;
    return cell;
  }
  const int row = rowAt(inViewport.y());
  if (row < 0 || inViewport.y() < 0) return cell;
  cell.col = col;
  cell.row = model_->GridRow(row);
  return cell;
}

QRect TStringGridView::CellRect(int col, int row) const {
  if (col < 0 || col >= model_->columnCount() || row < 0 || row >= grid_->RowCount()) return {};
  const QPoint origin = viewport()->geometry().topLeft();
  const int left = origin.x() + columnViewportPosition(col);
  const int width = grid_->ColWidths(col);
  if (row < model_->HeaderRows()) {
    const QRect header = Header()->geometry();
    return QRect(left, header.top(), width, grid_->DefaultRowHeight());
  }
  const int top = rowViewportPosition(row - model_->HeaderRows());
  return QRect(left, origin.y() + top, width, grid_->DefaultRowHeight());
}

void TStringGridView::mouseDoubleClickEvent(QMouseEvent* event) {
  QTableView::mouseDoubleClickEvent(event);
  if (OnDblClick) OnDblClick();
}

}  // namespace tokiwa
