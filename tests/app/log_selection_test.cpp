// The window with several logs: selecting them with Ctrl-click, following
// them as they grow, and their totals per program.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <cstdio>
#include <filesystem>

#include <gtest/gtest.h>

#include "app/summary_mode.h"
#include "app/summary_window.h"
#include "chart/chart.h"
#include "gui/chart_widget.h"
#include "gui/file_list_box.h"
#include "gui/string_grid_view.h"
#include "series/gantt_series.h"
#include "tests/app/form_fixture.h"
#include "tests/timeline/timeline_test_support.h"

namespace tokiwa::testing {
namespace {

std::vector<LogLine> Day(const std::string& date, int programs) {
  std::vector<LogLine> log = {{"vvv", date, "8:00:00", "", ""}};
  for (int i = 0; i < programs; ++i) {
    const std::string minute = std::to_string(10 + i);
    log.push_back({"C", date, "8:" + minute + ":00", "p" + std::to_string(i % 3) + ".exe", "C:\\T"});
    log.push_back({"E", date, "8:" + minute + ":30", "p" + std::to_string(i % 3) + ".exe", "C:\\T"});
  }
  log.push_back({"###", date, "9:00:00", "", ""});
  return log;
}

class LogSelection : public ::testing::Test {
 protected:
  void Open(bool follow = false) {
    std::filesystem::create_directory(Folder());
    WriteBytes(Log("2024-04-15.log"), LogBytes(Day("2024/04/15", 20)));
    WriteBytes(Log("2024-04-16.log"), LogBytes(Day("2024/04/16", 2)));
    if (follow) WriteBytes(f.IniFile(), "[Follow]\r\nEnabled=1\r\n");
    f.Create();
    Form().ListFolder(Folder());
  }
  TForm1& Form() { return *f.form; }
  std::string Folder() { return f.dir.File("logs"); }
  std::string Log(const std::string& name) { return Folder() + "/" + name; }
  void ClickFile(int index, Qt::KeyboardModifiers keys = {}) {
    TFileListBox& list = *Form().FileListBox1;
    const QPoint at = list.visualRect(list.model()->index(index, 0)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, keys, at);
  }

  FormFixture f;
};

TEST_F(LogSelection, CtrlClickShowsSeveralLogsAndAPlainClickOneAgain) {
  Open();
  ClickFile(0);
  EXPECT_EQ(Form().Series1->PointCount(), 21);
  ClickFile(1, Qt::ControlModifier);
  EXPECT_EQ(Form().FileListBox1->SelCount(), 2);
  EXPECT_EQ(Form().Grid().RowCount(), 1 + 42 + 6);  // both files' lines, one after another
  EXPECT_EQ(Form().Grid().Cells(1, 43), "2024/04/16");
  EXPECT_EQ(Form().Series1->PointCount(), 21 + 3);
  EXPECT_EQ(Form().ShownLogs.size(), 2u);

  ClickFile(1);
  EXPECT_EQ(Form().FileListBox1->SelCount(), 1);
  EXPECT_EQ(Form().Grid().RowCount(), 7);
  EXPECT_EQ(Form().Series1->PointCount(), 3);
  EXPECT_TRUE(f.errors.empty());
}

TEST_F(LogSelection, AFollowedLogTakesInItsNewLinesKeepingZoomScrollAndFoot) {
  Open(true);
  ASSERT_TRUE(Form().mnFollow->isChecked());
  ClickFile(0);
  QApplication::processEvents();
  // Zoom with a drag, scroll the grid, click a bar.
  ChartWidget* chart = Form().Chart1View;
  QTest::mousePress(chart, Qt::LeftButton, {}, QPoint(60, 40));
  QTest::mouseMove(chart, QPoint(200, 150));
  QTest::mouseRelease(chart, Qt::LeftButton, {}, QPoint(200, 150));
  ASSERT_TRUE(Form().Chart1->ZoomApplied());
  const double zoomMin = Form().Chart1->BottomAxis().Minimum(), zoomMax = Form().Chart1->BottomAxis().Maximum();
  QScrollBar* scroll = Form().StringGrid1->verticalScrollBar();
  scroll->setValue(scroll->maximum() / 2);
  const int scrolled = scroll->value();
  ASSERT_GT(scrolled, 0);
  Form().Series1Click(Form().Series1, 1, TMouseButton::mbLeft, {}, 0, 0);
  const std::vector<std::string> foot = Form().Chart1->Foot().Text();

  std::FILE* log = std::fopen(Log("2024-04-15.log").c_str(), "ab");
  const std::string more = LogBytes({{"C", "2024/04/15", "9:10:00", "q.exe", "C:\\T"}});
  std::fwrite(more.data(), 1, more.size(), log);
  std::fwrite("E,2024/04/15,9:1", 1, 16, log);  // still being written
  std::fclose(log);
  ASSERT_TRUE(QTest::qWaitFor([this] { return Form().Grid().RowCount() == 44; }, 5000));
  EXPECT_EQ(Form().Grid().Cells(3, 43), "q.exe");
  EXPECT_EQ(Form().Series1->PointCount(), 22);
  EXPECT_TRUE(Form().Chart1->ZoomApplied());
  EXPECT_EQ(Form().Chart1->BottomAxis().Minimum(), zoomMin);
  EXPECT_EQ(Form().Chart1->BottomAxis().Maximum(), zoomMax);
  EXPECT_EQ(scroll->value(), scrolled);
  EXPECT_EQ(Form().Chart1->Foot().Text(), foot);

  // A new log appears in the list, the selection stays.
  WriteBytes(Log("2024-04-17.log"), LogBytes(Day("2024/04/17", 1)));
  ASSERT_TRUE(QTest::qWaitFor([this] { return Form().FileListBox1->Count() == 3; }, 5000));
  EXPECT_TRUE(Form().FileListBox1->Selected(0));

  // Truncated: read again whole, off the window's thread.
  WriteBytes(Log("2024-04-15.log"), LogBytes(Day("2024/04/15", 1)));
  ASSERT_TRUE(QTest::qWaitFor([this] { return Form().Grid().RowCount() == 5; }, 5000));
  EXPECT_EQ(Form().Series1->PointCount(), 2);
  EXPECT_TRUE(Form().Chart1->ZoomApplied());
  EXPECT_TRUE(f.errors.empty());
}

TEST_F(LogSelection, TotalsFollowTheChartSortCopyAndSave) {
  Open();
  ClickFile(0);
  ClickFile(1, Qt::ShiftModifier);
  Form().mnSummaryClick();
  auto* window = Form().findChild<SummaryWindow*>();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(window->isVisible());
  ASSERT_EQ(window->Totals().size(), 3u);
  EXPECT_EQ(window->Totals()[0].File, "p0.exe");
  EXPECT_EQ(window->Totals()[0].Runs, 7 + 1);  // across both days

  // Hiding a program from the chart hides it here too.
  Form().HiddenNames.Add("C:\\T\\p0.exe");
  Form().BuildTimeline();
  ASSERT_EQ(window->Totals().size(), 2u);
  EXPECT_EQ(window->Totals()[0].File, "p1.exe");

  // A click on the runs header sorts by runs, twice descending.
  QHeaderView* header = window->Table()->horizontalHeader();
  const QPoint runs(header->sectionViewportPosition(2) + 5, header->height() / 2);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, runs);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, runs);
  EXPECT_EQ(window->Totals()[0].File, "p1.exe");
  EXPECT_GE(window->Totals()[0].Runs, window->Totals()[1].Runs);

  window->CopyToClipboard(false);
  const QStringList lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 3);
  EXPECT_EQ(lines[1].toStdString(),
            "p1.exe\tC:\\T\t8\t0:04:00\t0:00:30\t2024/04/15 08:11:00\t2024/04/16 08:11:30\t");

  const std::string saved = f.dir.File("totals.csv");
  window->ChooseSaveFile = [&](QWidget*, const QString&, const QString&) { return QString::fromStdString(saved); };
  window->SaveAsCsv();
  std::ostringstream expected;
  WriteSummaryCsv(window->Totals(), expected);
  EXPECT_EQ(ReadBytes(saved), expected.str());
  EXPECT_TRUE(f.errors.empty());
}

}  // namespace
}  // namespace tokiwa::testing
