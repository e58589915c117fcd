// The window layout read at start and written at close.
#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <filesystem>

#include "app/form1.h"
#include "app/quit_requests.h"
#include "form_fixture.h"
#include "gui/file_list_box.h"
#include "gui/splitter.h"
#include "gui/string_grid_view.h"
#include "runtime/file_syscalls.h"
#include "runtime/messages.h"
#include "runtime/profile_file.h"
#include "runtime/string_list.h"

namespace tokiwa {
namespace {

using testing::FormFixture;
using testing::ReadBytes;
using testing::WriteBytes;

QPoint CentredPosition(const QWidget& w) {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  return {area.x() + (area.width() - w.width()) / 2, area.y() + (area.height() - w.height()) / 2};
}

TEST(FormSettings, MissingFileOpensCentredAtDesignedSize) {
  FormFixture f;
  TForm1& form = f.Create();
  EXPECT_EQ(form.size(), QSize(TForm1::kDesignedWidth, TForm1::kDesignedHeight));
  EXPECT_EQ(form.pos(), CentredPosition(form));
  EXPECT_EQ(form.FileListBox1->width(), 193);
  EXPECT_EQ(form.StringGrid1->height(), 167);
  EXPECT_FALSE(form.mnAllDisp->isChecked());
  EXPECT_TRUE(f.errors.empty());
}

TEST(FormSettings, WindowIconComesInTheDesktopIconSizes) {
  FormFixture f;
  const QIcon icon = f.Create(false).windowIcon();
  for (const int side : {16, 32, 256}) EXPECT_TRUE(icon.availableSizes().contains(QSize(side, side))) << side;
  // A picture, not an empty frame: the middle is opaque.
  EXPECT_EQ(icon.pixmap(32).toImage().pixelColor(16, 16).alpha(), 255);
}

TEST(FormSettings, SavedBoundsAndPanesApply) {
  FormFixture f;
  WriteBytes(f.IniFile(),
             "[Ord]\r\nLeft=40\r\nTop=30\r\nWidth=700\r\nHeight=500\r\nWidthL=250\r\n"
             "HeightT=99\r\nHeightB=200\r\n[General]\r\nAll=1\r\n");
  TForm1& form = f.Create();
  EXPECT_EQ(form.pos(), QPoint(40, 30));
  EXPECT_EQ(form.size(), QSize(700, 500));
  EXPECT_EQ(form.FileListBox1->width(), 250);
  EXPECT_EQ(form.StringGrid1->height(), 200);
  // The chart takes what the grid leaves, whatever HeightT says.
  EXPECT_NE(form.Chart1Area->height(), 99);
  EXPECT_TRUE(form.mnAllDisp->isChecked());
}

TEST(FormSettings, NegativeLeftCentresButSizeStillApplies) {
  FormFixture f;
  WriteBytes(f.IniFile(), "[Ord]\r\nLeft=-32000\r\nTop=30\r\nWidth=640\r\nHeight=480\r\n");
  TForm1& form = f.Create();
  EXPECT_EQ(form.size(), QSize(640, 480));
  EXPECT_EQ(form.pos(), CentredPosition(form));
}

TEST(FormSettings, ZeroWidthAndHeightApplyButZeroPanesDoNot) {
  FormFixture f;
  WriteBytes(f.IniFile(),
             "[Ord]\r\nWidth=0\r\nHeight=0\r\nWidthL=0\r\nHeightT=0\r\nHeightB=0\r\n");
  TForm1& form = f.Create();
  // Shrunk as far as the window allows.
  EXPECT_LT(form.width(), TForm1::kDesignedWidth);
  EXPECT_LT(form.height(), TForm1::kDesignedHeight);
  EXPECT_EQ(form.FileListBox1->width(), 193);
  EXPECT_EQ(form.StringGrid1->height(), 167);
}

TEST(FormSettings, HexadecimalAndLettersInValues) {
  FormFixture f;
  WriteBytes(f.IniFile(), "[Ord]\r\nLeft=0x10\r\nTop=0X20\r\nWidth=abc\r\nHeight=400\r\n"
                          "[General]\r\nAll=2\r\n");
  TForm1& form = f.Create();
  EXPECT_EQ(form.pos(), QPoint(16, 32));
  // Width of letters is the default -1, so the size is not applied at all.
  EXPECT_EQ(form.size(), QSize(TForm1::kDesignedWidth, TForm1::kDesignedHeight));
  EXPECT_TRUE(form.mnAllDisp->isChecked());

  FormFixture g;
  WriteBytes(g.IniFile(), "[Ord]\r\nLeft=sixteen\r\nTop=20\r\n");
  TForm1& centred = g.Create();
  EXPECT_EQ(centred.pos(), CentredPosition(centred));
}

TEST(FormSettings, CloseWritesEveryKeyEvenUnchanged) {
  FormFixture f;
  TForm1& form = f.Create();
  ASSERT_TRUE(f.Close());
  const ProfileFile ini(f.IniFile());
  EXPECT_EQ(ini.ReadInteger("Ord", "Left", -2), form.pos().x());
  EXPECT_EQ(ini.ReadInteger("Ord", "Top", -2), form.pos().y());
  EXPECT_EQ(ini.ReadInteger("Ord", "Width", -2), TForm1::kDesignedWidth);
  EXPECT_EQ(ini.ReadInteger("Ord", "Height", -2), TForm1::kDesignedHeight);
  EXPECT_EQ(ini.ReadInteger("Ord", "WidthL", -2), 193);
  EXPECT_EQ(ini.ReadInteger("Ord", "HeightT", -2), form.Chart1Area->height());
  EXPECT_GT(form.Chart1Area->height(), 0);
  EXPECT_EQ(ini.ReadInteger("Ord", "HeightB", -2), 167);
  EXPECT_EQ(ini.ReadString("General", "All", ""), "0");
  EXPECT_TRUE(f.errors.empty());
  // The list is written even when empty.
  EXPECT_EQ(ReadBytes(f.ListFile()), "");
}

TEST(FormSettings, ShowAllIsWrittenAsOneOrZero) {
  FormFixture f;
  WriteBytes(f.IniFile(), "[General]\r\nAll=7\r\n");
  f.Create();
  ASSERT_TRUE(f.Close());
  EXPECT_EQ(ProfileFile(f.IniFile()).ReadString("General", "All", ""), "1");

  // F4 switches it off again.
  f.Create();
  QTest::keyClick(f.form.get(), Qt::Key_F4);
  EXPECT_FALSE(f.form->mnAllDisp->isChecked());
  ASSERT_TRUE(f.Close());
  EXPECT_EQ(ProfileFile(f.IniFile()).ReadString("General", "All", ""), "0");
}

TEST(FormSettings, FollowModeHasASectionOfItsOwnWrittenOnceUsed) {
  FormFixture f;
  f.Create();
  ASSERT_TRUE(f.Close());
  EXPECT_EQ(ReadBytes(f.IniFile()).find("[Follow]"), std::string::npos);  // as the original writes it

  f.Create();
  f.form->mnFollowClick();
  ASSERT_TRUE(f.Close());
  EXPECT_EQ(ProfileFile(f.IniFile()).ReadString("Follow", "Enabled", ""), "1");
  f.Create();
  EXPECT_TRUE(f.form->mnFollow->isChecked());
  f.form->mnFollowClick();
  ASSERT_TRUE(f.Close());
  EXPECT_EQ(ProfileFile(f.IniFile()).ReadString("Follow", "Enabled", ""), "0");
}

TEST(FormSettings, LayoutSurvivesACloseAndRestart) {
  FormFixture f;
  WriteBytes(f.IniFile(), "[Ord]\r\nLeft=50\r\nTop=60\r\nWidth=720\r\nHeight=530\r\n");
  TForm1& first = f.Create();
  first.Splitter1->SetControlSize(222);
  first.Splitter3->SetControlSize(140);
  QCoreApplication::processEvents();
  ASSERT_TRUE(f.Close());

  TForm1& second = f.Create();
  EXPECT_EQ(second.pos(), QPoint(50, 60));
  EXPECT_EQ(second.size(), QSize(720, 530));
  EXPECT_EQ(second.FileListBox1->width(), 222);
  EXPECT_EQ(second.StringGrid1->height(), 140);
}

TEST(FormSettings, ExitMenuClosesAndSaves) {
  FormFixture f;
  TForm1& form = f.Create();
  form.mnExit->trigger();
  QCoreApplication::processEvents();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(ProfileFile(f.IniFile()).ReadInteger("Ord", "HeightB", -1), 167);
}

TEST(FormSettings, SplitterDragResizesTheListWithinLimits) {
  FormFixture f;
  TForm1& form = f.Create();
  const QPoint grip(1, form.Splitter1->height() / 2);
  QTest::mousePress(form.Splitter1, Qt::LeftButton, {}, grip);
  QTest::mouseMove(form.Splitter1, grip + QPoint(40, 0));
  QTest::mouseRelease(form.Splitter1, Qt::LeftButton, {}, grip + QPoint(40, 0));
  EXPECT_EQ(form.FileListBox1->width(), 233);

  // Dragged far left, the list keeps the splitter's minimum size.
  const QPoint moved(1, form.Splitter1->height() / 2);
  QTest::mousePress(form.Splitter1, Qt::LeftButton, {}, moved);
  QTest::mouseMove(form.Splitter1, moved - QPoint(1000, 0));
  QTest::mouseRelease(form.Splitter1, Qt::LeftButton, {}, moved - QPoint(1000, 0));
  EXPECT_EQ(form.FileListBox1->width(), TSplitter::kDefaultMinSize);
}

// Fails the rename that puts one file in place; the old file stays.
class FailingRename : public FileSyscalls {
 public:
  explicit FailingRename(std::string suffix) : suffix_(std::move(suffix)) {}
  int Rename(const char* from, const char* to) override {
    const std::string target(to);
    if (target.size() >= suffix_.size() &&
        target.compare(target.size() - suffix_.size(), suffix_.size(), suffix_) == 0) {
      errno = ENOSPC;
      return -1;
    }
    return FileSyscalls::Rename(from, to);
  }

 private:
  std::string suffix_;
};

// A failed write keeps the window open once, so the user can fix the cause;
// a second failing close closes, saying what was not saved.
TEST(FormSettings, SettingsWriteFailureKeepsTheWindowOpenOnce) {
  FormFixture f;
  WriteBytes(f.IniFile(), "[Ord]\r\nWidthL=201\r\n");
  WriteBytes(f.ListFile(), "old\r\n");
  TForm1& form = f.Create();
  form.HiddenNames.Add("C:\\Tools\\viewer.exe");

  FailingRename failIni(".INI");
  ScopedFileSyscalls inject(&failIni);
  const std::string failure = FormatText(msg::WriteError, {Arg(f.IniFile())});
  EXPECT_FALSE(f.Close());
  EXPECT_TRUE(form.isVisible());
  ASSERT_EQ(f.errors.size(), 1u);
  EXPECT_EQ(f.errors[0], failure + "\n" + std::string(msg::CloseRefused));
  EXPECT_EQ(ReadBytes(f.IniFile()), "[Ord]\r\nWidthL=201\r\n");
  // The list is saved all the same.
  EXPECT_EQ(ReadBytes(f.ListFile()), "old\r\nC:\\Tools\\viewer.exe\r\n");

  EXPECT_TRUE(f.Close());
  EXPECT_FALSE(form.isVisible());
  ASSERT_EQ(f.errors.size(), 2u);
  EXPECT_EQ(f.errors[1], failure + "\n" + std::string(msg::ClosedWithoutSaving));
}

TEST(FormSettings, ListWriteFailureKeepsTheWindowOpenUntilFixed) {
  FormFixture f;
  WriteBytes(f.ListFile(), "kept\r\n");
  TForm1& form = f.Create();
  form.HiddenNames.Add("lost?");
  {
    FailingRename failList(".LST");
    ScopedFileSyscalls inject(&failList);
    EXPECT_FALSE(f.Close());
    ASSERT_EQ(f.errors.size(), 1u);
    EXPECT_EQ(f.errors[0], FormatText(msg::FileCreateError, {Arg(f.ListFile())}) + "\n" +
                               std::string(msg::CloseRefused));
    EXPECT_EQ(ReadBytes(f.ListFile()), "kept\r\n");
    EXPECT_EQ(ProfileFile(f.IniFile()).ReadInteger("Ord", "WidthL", -1), 193);
  }
  // The cause is gone: the next close saves and closes.
  EXPECT_TRUE(f.Close());
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(f.errors.size(), 1u);
  EXPECT_EQ(ReadBytes(f.ListFile()), "kept\r\nlost?\r\n");
}

// Files that exist but cannot be read are never replaced by what the session
// knows, which lacks their contents.
TEST(FormSettings, UnreadableSettingsAndListAreNotOverwritten) {
  FormFixture f;
  // Beyond the readers' limits: as unreadable as a file without access, also
  // for root.
  const auto oversized = [](const std::string& path, std::uint64_t size) {
    WriteBytes(path, "x");
    std::filesystem::resize_file(path, size);
  };
  oversized(f.IniFile(), kMaxProfileFileBytes + 1);
  oversized(f.ListFile(), kMaxListFileBytes + 1);
  TForm1& form = f.Create();
  ASSERT_EQ(f.errors.size(), 1u);
  EXPECT_EQ(f.errors[0], FormatText(msg::FileTooLarge, {Arg(f.ListFile()), Arg(static_cast<long long>(kMaxListFileBytes >> 20))}));
  form.HiddenNames.Add("new.exe");
  EXPECT_FALSE(f.Close());
  EXPECT_TRUE(f.Close());
  EXPECT_EQ(std::filesystem::file_size(f.IniFile()), kMaxProfileFileBytes + 1);
  EXPECT_EQ(std::filesystem::file_size(f.ListFile()), kMaxListFileBytes + 1);
}

TEST(FormSettings, AListReadableAgainKeepsItsNamesWhenSaved) {
  FormFixture f;
  const std::string fifo = f.ListFile();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  TForm1& form = f.Create();
  EXPECT_EQ(f.errors.size(), 1u);  // reported at once, without waiting for a writer
  std::filesystem::remove(fifo);
  WriteBytes(f.ListFile(), "first.exe\r\n");
  form.HiddenNames.Add("second.exe");
  ASSERT_TRUE(f.Close());
  EXPECT_EQ(ReadBytes(f.ListFile()), "first.exe\r\nsecond.exe\r\n");
}

// Width=2147483647 and the like: the window stays on its screen, no larger
// than it, and within reach.
TEST(FormSettings, SavedBoundsAreKeptOnTheScreen) {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  const std::string cases[] = {
      "Left=2147483647\r\nTop=2147483647\r\nWidth=2147483647\r\nHeight=2147483647\r\n",
      "Left=100000\r\nTop=50\r\nWidth=300\r\nHeight=200\r\n",
      "Left=0\r\nTop=0\r\nWidth=40000\r\nHeight=300\r\n",
  };
  for (const std::string& ord : cases) {
    FormFixture f;
    WriteBytes(f.IniFile(), "[Ord]\r\n" + ord);
    TForm1& form = f.Create();
    EXPECT_TRUE(area.contains(form.pos())) << ord;
    EXPECT_LE(form.width(), area.width()) << ord;
    EXPECT_LE(form.height(), area.height()) << ord;
    EXPECT_GE(area.intersected(QRect(form.pos(), form.size())).width(), 100) << ord;
  }
}

TEST(FormSettings, HiddenListSurvivesACloseAndRestart) {
  FormFixture f;
  // An empty line is an entry; the last line needs no ending.
  WriteBytes(f.ListFile(), "C:\\A\\a.exe\r\n\r\nc:\\b\\B.EXE");
  TForm1& first = f.Create();
  ASSERT_EQ(first.HiddenNames.Count(), 3);
  EXPECT_EQ(first.HiddenNames[1], "");
  EXPECT_EQ(first.HiddenNames[2], "c:\\b\\B.EXE");
  first.HiddenNames.Add("D:\\業務\\経理.exe");
  ASSERT_TRUE(f.Close());
  EXPECT_EQ(ReadBytes(f.ListFile()),
            "C:\\A\\a.exe\r\n\r\nc:\\b\\B.EXE\r\nD:\\\x8b\xc6\x96\xb1\\\x8c\x6f\x97\x9d.exe\r\n");

  TForm1& second = f.Create();
  ASSERT_EQ(second.HiddenNames.Count(), 4);
  EXPECT_EQ(second.HiddenNames[3], "D:\\業務\\経理.exe");
}

// Logout, shutdown and Ctrl+C close the window as the user would: settings
// written, instead of the process dying with them.
TEST(FormSettings, TerminationSignalsCloseTheWindowAndSave) {
  for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
    FormFixture f;
    TForm1& form = f.Create();
    const auto watch = WatchQuitRequests(form);
    ASSERT_EQ(::raise(signal), 0);
    for (int i = 0; i < 100 && form.isVisible(); ++i) QTest::qWait(20);
    EXPECT_FALSE(form.isVisible()) << signal;
    EXPECT_EQ(ProfileFile(f.IniFile()).ReadInteger("Ord", "WidthL", -1), 193) << signal;
  }
}

}  // namespace
}  // namespace tokiwa
