// The file list box: which files it lists and when it reports a click.
#include <sys/stat.h>

#include <QApplication>
#include <QLocale>
#include <QMouseEvent>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

#include "gui/file_list_box.h"
#include "support/temp_dir.h"

namespace tokiwa {
namespace {

using testing::TempDir;
using testing::WriteBytes;

class FileListTest : public ::testing::Test {
 protected:
  FileListTest() {
    for (const char* name : {"b.log", "a.LOG", "B.txt", ".hidden", "noext", "表.log"})
      WriteBytes(dir.File(name), "x");
    std::filesystem::create_directory(dir.path() / "folder.log");
    mkfifo(dir.File("pipe.log").c_str(), 0600);
    list.resize(200, 200);
    list.OnClick = [this] { ++clicks; };
  }
  void Show() {
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
  }
  void Click(int row) {
    const QRect rect = list.visualRect(list.model()->index(row, 0));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rect.center());
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i) names.push_back(list.Items(i));
    return names;
  }

  TempDir dir;
  TFileListBox list;
  int clicks = 0;
};

TEST_F(FileListTest, ListsPlainVisibleFilesSortedByName) {
  list.SetFileName(dir.path().string() + "/*.*");
  EXPECT_EQ(list.Directory(), dir.path().string());
  EXPECT_EQ(list.Mask(), "*.*");
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.LOG", "b.log", "B.txt", "noext", "表.log"}));
  EXPECT_EQ(clicks, 0);
}

// The user's locale decides the order; case never does, except that names
// equal but for case keep their byte order.
TEST(FileListOrder, IgnoresCaseUnderTheUsersLocale) {
  struct Case {
    QLocale locale;
    std::vector<std::string> files;
    std::vector<std::string> listed;
  };
  const Case cases[] = {
      {QLocale(QLocale::English, QLocale::UnitedStates),
       {"b.log", "a.log", "C.log", "A.log", "B.LOG"},
       {"A.log", "a.log", "B.LOG", "b.log", "C.log"}},
      {QLocale::c(), {"b.log", "a.log", "C.log", "A.log"}, {"A.log", "a.log", "b.log", "C.log"}},
      // Kana in dictionary order, whatever their script.
      {QLocale(QLocale::Japanese, QLocale::Japan),
       {"う.log", "イ.log", "あ.log", "B.log", "a.log"},
       {"a.log", "B.log", "あ.log", "イ.log", "う.log"}},
  };
  const QLocale previous;
  for (const Case& c : cases) {
    QLocale::setDefault(c.locale);
    TempDir dir;
    for (const std::string& name : c.files) WriteBytes(dir.File(name), "x");
    TFileListBox list;
    list.SetDirectory(dir.path().string());
    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i) names.push_back(list.Items(i));
    EXPECT_EQ(names, c.listed) << c.locale.name().toStdString();
  }
  QLocale::setDefault(previous);
}

TEST_F(FileListTest, MasksAreCaseInsensitiveAndMayBeSeveral) {
  list.SetFileName(dir.path().string() + "/*.log");
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.LOG", "b.log", "表.log"}));
  list.SetMask("*.txt;noext");
  EXPECT_EQ(Names(), (std::vector<std::string>{"B.txt", "noext"}));
  EXPECT_TRUE(TFileListBox::MatchesMask("noext", "*.*"));
  EXPECT_TRUE(TFileListBox::MatchesMask("a.b", "?.B"));
  EXPECT_FALSE(TFileListBox::MatchesMask("a.b", ""));
}

TEST_F(FileListTest, UnreadableFolderListsNothing) {
  list.SetDirectory(dir.File("missing"));
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.FileName(), "");
}

TEST_F(FileListTest, ClicksAndKeysReportTheSelection) {
  list.SetDirectory(dir.path().string());
  Show();
  Click(2);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(list.ItemIndex(), 2);
  EXPECT_EQ(list.FileName(), dir.File("B.txt"));
  // Clicking the selected file again is a click too.
  Click(2);
  EXPECT_EQ(clicks, 2);
  QTest::keyClick(&list, Qt::Key_Down);
  EXPECT_EQ(clicks, 3);
  EXPECT_EQ(list.Items(list.ItemIndex()), "noext");
}

TEST_F(FileListTest, SelectingFromCodeAndRereadingRaiseNothing) {
  list.SetDirectory(dir.path().string());
  Show();
  list.SetItemIndex(1);
  EXPECT_EQ(list.ItemIndex(), 1);
  EXPECT_EQ(clicks, 0);

  WriteBytes(dir.File("c.log"), "x");
  list.Update();
  EXPECT_EQ(list.Count(), 6);
  EXPECT_EQ(list.ItemIndex(), -1);
  EXPECT_EQ(clicks, 0);
}

TEST_F(FileListTest, ExtendedSelectionReportsEachChoiceOnceAndSurvivesARereading) {
  list.SetDirectory(dir.path().string());
  list.SetExtendedSelect(true);
  Show();
  Click(3);
  const QPoint first = list.visualRect(list.model()->index(0, 0)).center();
  QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ControlModifier, first);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(list.SelectedFileNames(), (std::vector<std::string>{dir.File("a.LOG"), dir.File("noext")}));

  // A drag over three rows is one choice when it starts and one at its end.
  const QPoint last = list.visualRect(list.model()->index(2, 0)).center();
  QTest::mousePress(list.viewport(), Qt::LeftButton, {}, first);
  for (int row = 1; row <= 2; ++row) {
    QMouseEvent move(QEvent::MouseMove, list.visualRect(list.model()->index(row, 0)).center(),
                     list.viewport()->mapToGlobal(last), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &move);
  }
  EXPECT_EQ(clicks, 3);
  QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, last);
  EXPECT_EQ(clicks, 4);
  EXPECT_EQ(list.SelCount(), 3);

  WriteBytes(dir.File("c.log"), "x");
  std::filesystem::remove(dir.File("a.LOG"));
  list.Refresh();
  EXPECT_EQ(list.SelectedFileNames(), (std::vector<std::string>{dir.File("b.log"), dir.File("B.txt")}));
  EXPECT_EQ(clicks, 4);
}

}  // namespace
}  // namespace tokiwa
