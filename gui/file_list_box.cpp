#include "gui/file_list_box.h"

#include <fnmatch.h>

#include <QAbstractListModel>
#include <QCollator>
#include <QFile>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

namespace tokiwa {

namespace {

// Names are bytes; they are shown, and compared, as the locale decodes them.
QString DisplayName(const std::string& name) {
  return QFile::decodeName(QByteArray(name.data(), static_cast<qsizetype>(name.size())));
}

}  // namespace

class TFileListBox::Model : public QAbstractListModel {
 public:
  Model(const std::vector<std::string>* names, QObject* parent)
      : QAbstractListModel(parent), names_(names) {}

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(names_->size());
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount({})) return {};
    return DisplayName((*names_)[static_cast<std::size_t>(index.row())]);
  }

  void BeginReset() { beginResetModel(); }
  void EndReset() { endResetModel(); }

 private:
  const std::vector<std::string>* names_;
};

namespace {

// Every row is the list box's item height.
class ItemHeightDelegate : public QStyledItemDelegate {
 public:
  ItemHeightDelegate(const int* height, QObject* parent)
      : QStyledItemDelegate(parent), height_(height) {}
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(*height_);
    return size;
  }

 private:
  const int* height_;
};

bool MatchesOneMask(const std::string& name, const std::string& mask) {
  if (mask == "*" || mask == "*.*") return true;
  return fnmatch(mask.c_str(), name.c_str(), FNM_CASEFOLD | FNM_PERIOD) == 0;
}

// Each name is decoded once; the collator compares the decoded texts.
void SortNames(std::vector<std::string>& names) {
  // Byte order first: the stable sort keeps it among names the collator finds equal.
  std::sort(names.begin(), names.end());
  std::vector<std::pair<QString, std::string>> entries;
  entries.reserve(names.size());
  for (std::string& name : names) entries.emplace_back(DisplayName(name), std::move(name));
  QCollator collator;
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  std::stable_sort(entries.begin(), entries.end(),
                   [&collator](const auto& a, const auto& b) { return collator.compare(a.first, b.first) < 0; });
  names.clear();
  for (auto& entry : entries) names.push_back(std::move(entry.second));
}

std::string CurrentFolder() {
  std::error_code ec;
  const auto path = std::filesystem::current_path(ec);
  return ec ? std::string(".") : path.string();
}

}  // namespace

TFileListBox::TFileListBox(QWidget* parent)
    : QListView(parent), directory_(CurrentFolder()), model_(new Model(&names_, this)) {
  setModel(model_);
  setItemDelegate(new ItemHeightDelegate(&itemHeight_, this));
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Folders of thousands of logs: uniform rows let the view skip measuring.
  setUniformItemSizes(true);
  setLayoutMode(QListView::Batched);
  // The selection, not the current row: a mouse press moves the current row
  // before it selects.
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { SelectionChanged(); });
  ReadNames();
}

TFileListBox::~TFileListBox() = default;

bool TFileListBox::MatchesMask(const std::string& name, const std::string& mask) {
  std::size_t begin = 0;
  while (begin <= mask.size()) {
    std::size_t end = mask.find(';', begin);
    if (end == std::string::npos) end = mask.size();
    const std::string one = mask.substr(begin, end - begin);
    if (!one.empty() && MatchesOneMask(name, one)) return true;
    begin = end + 1;
  }
  return false;
}

void TFileListBox::SetDirectory(const std::string& folder) {
  directory_ = folder;
  Update();
}

void TFileListBox::SetMask(const std::string& mask) {
  mask_ = mask;
  Update();
}

void TFileListBox::SetFileName(const std::string& folderAndMask) {
  const auto slash = folderAndMask.rfind('/');
  if (slash == std::string::npos) {
    mask_ = folderAndMask;
  } else {
    directory_ = slash == 0 ? std::string("/") : folderAndMask.substr(0, slash);
    mask_ = folderAndMask.substr(slash + 1);
  }
  Update();
}

void TFileListBox::Update() {
  programmatic_ = true;
  model_->BeginReset();
  ReadNames();
  model_->EndReset();
  programmatic_ = false;
}

void TFileListBox::ReadNames() { names_ = ListNames(); }

// A folder that cannot be read lists nothing.
std::vector<std::string> TFileListBox::ListNames() const {
  std::vector<std::string> names;
  std::error_code ec;
  std::filesystem::directory_iterator it(directory_, ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.empty() || name.front() == '.') continue;
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    if (MatchesMask(name, mask_)) names.push_back(name);
  }
  SortNames(names);
  return names;
}

int TFileListBox::ItemIndex() const {
  const QModelIndex current = currentIndex();
  if (!current.isValid() || !selectionModel()->isSelected(current)) return -1;
  return current.row();
}

void TFileListBox::SetItemIndex(int index) {
  programmatic_ = true;
  if (index < 0 || index >= Count()) {
    selectionModel()->clearSelection();
    selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::Clear);
  } else {
    const QModelIndex item = model_->index(index, 0);
    selectionModel()->setCurrentIndex(item, QItemSelectionModel::ClearAndSelect);
    scrollTo(item);
  }
  programmatic_ = false;
}

std::string TFileListBox::FileName() const {
  const int index = ItemIndex();
  if (index < 0) return {};
  return PathOf(Items(index));
}

std::string TFileListBox::PathOf(const std::string& name) const {
  if (!directory_.empty() && directory_.back() == '/') return directory_ + name;
  return directory_ + "/" + name;
}

void TFileListBox::SetExtendedSelect(bool extended) {
  extendedSelect_ = extended;
  setSelectionMode(extended ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

int TFileListBox::SelCount() const { return static_cast<int>(selectionModel()->selectedRows().size()); }

bool TFileListBox::Selected(int index) const {
  return index >= 0 && index < Count() && selectionModel()->isSelected(model_->index(index, 0));
}

std::vector<std::string> TFileListBox::SelectedFileNames() const {
  std::vector<std::string> paths;
  for (int i = 0; i < Count(); ++i)
    if (Selected(i)) paths.push_back(PathOf(Items(i)));
  return paths;
}

void TFileListBox::Refresh() {
  if (ListNames() == names_) return;
  std::vector<std::string> selected;
  for (int i = 0; i < Count(); ++i)
    if (Selected(i)) selected.push_back(Items(i));
  std::sort(selected.begin(), selected.end());
  const int current = currentIndex().isValid() ? currentIndex().row() : -1;
  const std::string currentName = current >= 0 && current < Count() ? Items(current) : std::string();
  Update();
  programmatic_ = true;
  QItemSelection selection;
  for (int i = 0; i < Count(); ++i) {
    if (!std::binary_search(selected.begin(), selected.end(), Items(i))) continue;
    selection.select(model_->index(i, 0), model_->index(i, 0));
  }
  const auto found = std::find(names_.begin(), names_.end(), currentName);
  if (!currentName.empty() && found != names_.end()) {
    const QModelIndex current = model_->index(static_cast<int>(found - names_.begin()), 0);
    selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    scrollTo(current);
  }
  selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
  programmatic_ = false;
}

void TFileListBox::SetItemHeight(int height) {
  itemHeight_ = std::max(height, 1);
  // The view measures rows again only after a layout change.
  scheduleDelayedItemsLayout();
}

void TFileListBox::SelectionChanged() {
  if (programmatic_) return;
  if (!extendedSelect_) {
    if (ItemIndex() >= 0) Click();
    return;
  }
  if (SelCount() == 0) return;
  if (pressing_ && pressClicked_) {
    clickOnRelease_ = true;
    return;
  }
  pressClicked_ = pressing_;
  Click();
}

void TFileListBox::Click() {
  if (OnClick) OnClick();
}

// A click on the row already selected selects nothing new, yet it is a click:
// it is raised on release. A click on another row is raised by the selection
// change on press.
void TFileListBox::mousePressEvent(QMouseEvent* event) {
  const QModelIndex hit = indexAt(event->position().toPoint());
  pressOnCurrent_ = event->button() == Qt::LeftButton && hit.isValid() && hit == currentIndex() &&
                    selectionModel()->isSelected(hit);
  pressing_ = true;
  pressClicked_ = clickOnRelease_ = false;
  QListView::mousePressEvent(event);
}

void TFileListBox::mouseReleaseEvent(QMouseEvent* event) {
  const bool clickOnCurrent = pressOnCurrent_ && event->button() == Qt::LeftButton &&
                              indexAt(event->position().toPoint()) == currentIndex();
  pressOnCurrent_ = false;
  QListView::mouseReleaseEvent(event);
  pressing_ = false;
  // A press on a selected row of several selects only that row on release.
  const bool dragged = std::exchange(clickOnRelease_, false);
  if (dragged || (clickOnCurrent && !pressClicked_)) Click();
}

}  // namespace tokiwa
