// Listing a folder and loading the selected log into the grid.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <filesystem>
#include <gtest/gtest.h>

#include "app/form1.h"
#include "form_fixture.h"
#include "gui/file_list_box.h"
#include "gui/string_grid_view.h"
#include "runtime/encoding.h"
#include "runtime/messages.h"

namespace tokiwa {
namespace {

using testing::FormFixture;
using testing::TempDir;
using testing::WriteBytes;

const char* const kThreeLines =
    "vvv,2024/04/17,8:45:02,,\r\n"
    "C,2024/04/17,8:46:10,notepad.exe,C:\\WINDOWS\\system32\r\n"
    "E,2024/04/17,8:49:03,notepad.exe,C:\\WINDOWS\\system32\r\n";

void ClickItem(TFileListBox* list, int row) {
  const QRect rect = list->visualRect(list->model()->index(row, 0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

TForm1& CreateOnFolder(FormFixture& f, const TempDir& logs) {
  TForm1Options options = f.Options();
  options.HasCommandLineFolder = true;
  options.CommandLineFolder = logs.path().string();
  return f.Create(options);
}

TEST(FormLoad, CommandLineFolderIsListed) {
  TempDir logs;
  WriteBytes(logs.File("b.log"), kThreeLines);
  WriteBytes(logs.File("a.log"), kThreeLines);
  FormFixture f;
  TForm1& form = CreateOnFolder(f, logs);
  EXPECT_EQ(form.FileListBox1->Directory(), logs.path().string());
  EXPECT_EQ(form.FileListBox1->Mask(), "*.*");
  ASSERT_EQ(form.FileListBox1->Count(), 2);
  EXPECT_EQ(form.FileListBox1->Items(0), "a.log");
  // Nothing is loaded until a file is chosen.
  EXPECT_EQ(form.Grid().RowCount(), 2);
  EXPECT_EQ(form.FileListBox1->ItemIndex(), -1);
}

TEST(FormLoad, CommandLineArgumentThatIsNoFolderIsIgnored) {
  TempDir logs;
  WriteBytes(logs.File("a.log"), kThreeLines);
  for (const std::string& arg : {logs.File("a.log"), logs.File("missing")}) {
    FormFixture f;
    TForm1Options options = f.Options();
    options.HasCommandLineFolder = true;
    options.CommandLineFolder = arg;
    TForm1& form = f.Create(options, false);
    EXPECT_EQ(form.FileListBox1->Directory(), std::filesystem::current_path().string()) << arg;
    EXPECT_TRUE(f.errors.empty());
  }
}

TEST(FormLoad, ClickingAFileLoadsItWithHeaderCaptions) {
  TempDir logs;
  WriteBytes(logs.File("a.log"), kThreeLines);
  FormFixture f;
  TForm1& form = CreateOnFolder(f, logs);
  ClickItem(form.FileListBox1, 0);

  const TStringGrid& grid = form.Grid();
  EXPECT_EQ(grid.RowCount(), 4);
  EXPECT_EQ(grid.ColCount(), 5);
  EXPECT_EQ(grid.FixedRows(), 1);
  EXPECT_EQ(grid.Cells(1, 0), " 日付");
  EXPECT_EQ(grid.Cells(0, 1), "vvv");
  EXPECT_EQ(grid.Cells(3, 2), "notepad.exe");
  EXPECT_EQ(grid.Cells(4, 3), "C:\\WINDOWS\\system32");
  EXPECT_TRUE(form.StringGrid1->isEnabled());
  EXPECT_TRUE(f.errors.empty());

  // The view shows row 0 as its header and the three lines as its rows.
  const TStringGridModel* model = form.StringGrid1->GridModel();
  EXPECT_EQ(model->rowCount(), 3);
  EXPECT_EQ(model->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString().toStdString(), " 日付");
  EXPECT_EQ(model->data(model->index(1, 3), Qt::DisplayRole).toString(), "notepad.exe");
  // The designed widths survive a load of the same column count.
  EXPECT_EQ(grid.ColWidths(4), 238);
}

TEST(FormLoad, SixFieldsGiveASixthColumnWithEmptyHeader) {
  TempDir logs;
  WriteBytes(logs.File("a.log"),
             std::string(kThreeLines) + "C,2024/04/17,9:00:00,x.exe,C:\\x,extra\r\n");
  FormFixture f;
  TForm1& form = CreateOnFolder(f, logs);
  ClickItem(form.FileListBox1, 0);
  const TStringGrid& grid = form.Grid();
  EXPECT_EQ(grid.RowCount(), 5);
  ASSERT_EQ(grid.ColCount(), 6);
  EXPECT_EQ(grid.Cells(5, 0), "");
  EXPECT_EQ(grid.Cells(4, 0), " ﾊﾟｽ");
  EXPECT_EQ(grid.Cells(5, 4), "extra");
  EXPECT_EQ(form.StringGrid1->GridModel()->columnCount(), 6);
}

TEST(FormLoad, JapaneseLogIsShownDecoded) {
  TempDir logs;
  WriteBytes(logs.File("出張.log"),
             Utf8ToCp932("C,2024/04/17,8:55:40,ﾒﾓ帳.exe (2),C:\\ツール\\表計算\r\n"));
  FormFixture f;
  TForm1& form = CreateOnFolder(f, logs);
  ClickItem(form.FileListBox1, 0);
  EXPECT_EQ(form.Grid().Cells(3, 1), "ﾒﾓ帳.exe (2)");
  EXPECT_EQ(form.Grid().Cells(4, 1), "C:\\ツール\\表計算");
  EXPECT_TRUE(f.errors.empty());
}

TEST(FormLoad, KeyboardSelectionLoadsTheNextFile) {
  TempDir logs;
  WriteBytes(logs.File("a.log"), kThreeLines);
  WriteBytes(logs.File("b.log"), "vvv,2024/04/18,9:00:00,,\r\n");
  FormFixture f;
  TForm1& form = CreateOnFolder(f, logs);
  ClickItem(form.FileListBox1, 0);
  EXPECT_EQ(form.Grid().RowCount(), 4);
  QTest::keyClick(form.FileListBox1, Qt::Key_Down);
  EXPECT_EQ(form.FileListBox1->ItemIndex(), 1);
  EXPECT_EQ(form.Grid().RowCount(), 2);
  EXPECT_EQ(form.Grid().Cells(1, 1), "2024/04/18");
}

class FileLockedElsewhere {
 public:
  explicit FileLockedElsewhere(const std::string& path)
      : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    // A separate open file description conflicts like another process would.
    locked_ = fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) == 0;
  }
  ~FileLockedElsewhere() {
    if (fd_ >= 0) ::close(fd_);
  }
  bool locked() const { return locked_; }

 private:
  int fd_;
  bool locked_ = false;
};

TEST(FormLoad, FileThatCannotBeOpenedIsReportedAndGridStaysDisabled) {
  TempDir logs;
  WriteBytes(logs.File("a.log"), kThreeLines);
  WriteBytes(logs.File("b.log"), kThreeLines);
  WriteBytes(logs.File("c.log"), kThreeLines);
  FormFixture f;
  TForm1& form = CreateOnFolder(f, logs);
  ClickItem(form.FileListBox1, 0);
  ASSERT_EQ(form.Grid().RowCount(), 4);

  FileLockedElsewhere lock(logs.File("b.log"));
  ASSERT_TRUE(lock.locked());
  ClickItem(form.FileListBox1, 1);
  ASSERT_EQ(f.errors.size(), 1u);
  EXPECT_EQ(f.errors[0], FormatText(msg::FileOpenError, {Arg(logs.File("b.log"))}));
  EXPECT_FALSE(form.StringGrid1->isEnabled());
  EXPECT_EQ(form.Grid().RowCount(), 2);
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // the wait cursor went with the failure

  // Removed after it was listed: the same report.
  std::filesystem::remove(logs.File("c.log"));
  ClickItem(form.FileListBox1, 2);
  ASSERT_EQ(f.errors.size(), 2u);
  EXPECT_EQ(f.errors[1], FormatText(msg::FileOpenError, {Arg(logs.File("c.log"))}));
  EXPECT_FALSE(form.StringGrid1->isEnabled());

  // A good file afterwards loads and enables the grid again.
  ClickItem(form.FileListBox1, 0);
  EXPECT_TRUE(form.StringGrid1->isEnabled());
  EXPECT_EQ(form.Grid().RowCount(), 4);
}

TEST(FormLoad, OpenMenuListsTheChosenFolder) {
  TempDir logs;
  WriteBytes(logs.File("a.log"), kThreeLines);
  FormFixture f;
  TForm1& form = f.Create();
  QString askedTitle;
  form.ChooseFolder = [&](QWidget*, const QString& title, const QString&) {
    askedTitle = title;
    return QString::fromStdString(logs.path().string());
  };
  form.mnOpen->trigger();
  EXPECT_EQ(askedTitle.toStdString(), msg::FolderDialogTitle);
  EXPECT_EQ(form.FileListBox1->Directory(), logs.path().string());
  EXPECT_EQ(form.FileListBox1->Count(), 1);

  // Cancelling changes nothing.
  form.ChooseFolder = [](QWidget*, const QString&, const QString&) { return QString(); };
  form.mnOpen->trigger();
  EXPECT_EQ(form.FileListBox1->Directory(), logs.path().string());
}

TEST(FormLoad, SelectFirstLoadsTheFirstFile) {
  TempDir logs;
  // First as the list shows it: case does not count.
  WriteBytes(logs.File("B.log"), "vvv,2024/04/18,9:00:00,,\r\n");
  WriteBytes(logs.File("a.log"), kThreeLines);
  FormFixture f;
  TForm1& form = CreateOnFolder(f, logs);
  form.SelectFirstLog();
  EXPECT_EQ(form.FileListBox1->ItemIndex(), 0);
  EXPECT_EQ(form.Grid().RowCount(), 4);
}

TEST(FormLoad, RestoreMenuListsHiddenNamesAndRemovesTheChosenOne) {
  FormFixture f;
  TForm1& form = f.Create();
  emit form.mnOption->aboutToShow();
  EXPECT_FALSE(form.mnReact->menuAction()->isEnabled());

  form.HiddenNames.Add("C:\\AT&T\\dial.exe");
  form.HiddenNames.Add("C:\\b.exe");
  emit form.mnOption->aboutToShow();
  ASSERT_TRUE(form.mnReact->menuAction()->isEnabled());
  const QList<QAction*> items = form.mnReact->actions();
  ASSERT_EQ(items.size(), 2);
  EXPECT_EQ(items[0]->text(), "C:\\AT&&T\\dial.exe");
  items[0]->trigger();
  ASSERT_EQ(form.HiddenNames.Count(), 1);
  EXPECT_EQ(form.HiddenNames[0], "C:\\b.exe");
}

// Their captions are among the window's texts (window_texts_test).
TEST(FormLoad, MenusCarryTheirShortcutsInTheirOrder) {
  FormFixture f;
  TForm1& form = f.Create(false);
  EXPECT_EQ(form.mnRenew->shortcut(), QKeySequence(Qt::Key_F5));
  EXPECT_EQ(form.mnAllDisp->shortcut(), QKeySequence(Qt::Key_F4));
  EXPECT_TRUE(form.mnAllDisp->isCheckable());
  const QList<QAction*> bar = form.menuBar()->actions();
  ASSERT_EQ(bar.size(), 3);
  EXPECT_EQ(bar[0], form.Folder1->menuAction());
  EXPECT_EQ(bar[1], form.mnOption->menuAction());
  EXPECT_EQ(bar[2], form.mnRenew);
  EXPECT_EQ(form.Folder1->actions(), (QList<QAction*>{form.mnOpen, form.mnSaveImage, form.mnExit}));
  const QList<QAction*> options = form.mnOption->actions();
  ASSERT_EQ(options.size(), 7);
  EXPECT_EQ(options[0], form.mnReact->menuAction());
  EXPECT_EQ(options[1], form.N3);
  EXPECT_EQ(options[2], form.mnAllDisp);
  EXPECT_EQ(options[3], form.mnRowLabels);
  EXPECT_EQ(options[4], form.N4);
  EXPECT_EQ(options[5], form.mnFollow);
  EXPECT_EQ(options[6], form.mnSummary);
  for (QAction* item : {form.mnRowLabels, form.mnFollow}) {
    EXPECT_TRUE(item->isCheckable());
    EXPECT_FALSE(item->isChecked());  // off until the user turns it on
  }
}

}  // namespace
}  // namespace tokiwa
