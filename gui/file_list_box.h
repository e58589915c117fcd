#pragma once
// The file list box: the plain files of one folder that match a mask, sorted by
// name, one selectable at a time, or with ExtendedSelect several (Ctrl-click
// and Shift-click, as in any list; a plain click selects one again). Hidden files (names starting with '.') and
// anything that is not a regular file (folders, devices, sockets) are left
// out. Names are kept as the bytes the file system gives, so any file can be
// opened; they are shown decoded with the locale's file-name encoding.
//
// Names sort as a sorted list box does: ignoring case, in the collation order
// of the user's locale (QLocale()), so "a.log" comes before "B.log" and, under
// a Japanese locale, kana sort in their dictionary order. Names that still
// compare equal (such as "A.log" and "a.log") keep their byte order, so the
// list never depends on the order the folder hands them out.
#include <QListView>
#include <functional>
#include <string>
#include <vector>

class QAbstractListModel;

namespace tokiwa {

class TFileListBox : public QListView {
 public:
  explicit TFileListBox(QWidget* parent = nullptr);
  ~TFileListBox() override;

  // The folder listed; starts as the process's current folder.
  const std::string& Directory() const { return directory_; }
  void SetDirectory(const std::string& folder);
  // Wildcards '*' and '?', case-insensitive, several masks separated by ';'.
  // "*.*" and "*" match every name, with or without a dot.
  const std::string& Mask() const { return mask_; }
  void SetMask(const std::string& mask);
  // "folder/mask": takes the folder and the mask at once and re-reads.
  void SetFileName(const std::string& folderAndMask);

  // Re-reads the folder; the selection is dropped.
  void Update();
  // Re-reads the folder keeping the selected names that are still there
  // selected, without raising OnClick; a list whose names did not change is
  // left as it is, scroll position included.
  void Refresh();

  int Count() const { return static_cast<int>(names_.size()); }
  const std::string& Items(int index) const { return names_.at(static_cast<std::size_t>(index)); }
  // The selected row, -1 when none. Setting it selects without raising OnClick.
  int ItemIndex() const;
  void SetItemIndex(int index);
  // The selected file's full path (folder joined with the name), empty when
  // nothing is selected.
  std::string FileName() const;

  // Several selected names at once (Ctrl- and Shift-click, Ctrl+A). Selection
  // changes made by dragging over the list are reported once, on release.
  bool ExtendedSelect() const { return extendedSelect_; }
  void SetExtendedSelect(bool extended);
  int SelCount() const;
  bool Selected(int index) const;
  // The selected files' full paths, in list order.
  std::vector<std::string> SelectedFileNames() const;

  void SetItemHeight(int height);
  int ItemHeight() const { return itemHeight_; }

  // Raised by a click on an item and by a selection made with the keyboard.
  std::function<void()> OnClick;

  // Whether name passes mask (exposed for tests).
  static bool MatchesMask(const std::string& name, const std::string& mask);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  class Model;
  void ReadNames();
  std::vector<std::string> ListNames() const;
  void SelectionChanged();
  void Click();
  std::string PathOf(const std::string& name) const;

  std::string directory_;
  std::string mask_ = "*.*";
  std::vector<std::string> names_;
  Model* model_;
  int itemHeight_ = 17;
  bool programmatic_ = false;  // selection changes made by code raise no OnClick
  bool pressOnCurrent_ = false;
  bool extendedSelect_ = false;
  // A press is down; the first selection change it makes is a click, later
  // ones (a drag) wait for the release.
  bool pressing_ = false;
  bool pressClicked_ = false;
  bool clickOnRelease_ = false;
};

}  // namespace tokiwa
