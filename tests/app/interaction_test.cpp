// The main window driven as a user drives it: choosing a log, clicking bars,
// hiding a program from the chart's popup menu and restoring it from the
// options menu, F4, F5, and fitting a grid column by double-clicking its
// header border.
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <filesystem>

#include <gtest/gtest.h>

#include "chart/chart.h"
#include "gui/chart_widget.h"
#include "gui/file_list_box.h"
#include "gui/string_grid_view.h"
#include "runtime/messages.h"
#include "series/gantt_series.h"
#include "tests/app/log_window.h"
#include "tests/timeline/timeline_test_support.h"

namespace tokiwa::testing {
namespace {

const std::vector<LogLine>& kDay = kShortDay;

class Interaction : public LogWindow {
 protected:
  void Open(const std::vector<LogLine>& log = kDay) { LogWindow::Open(log); }
  // Opens the widget's context menu there and leaves it open.
  void OpenPopup(QWidget* widget, QPoint at) {
    QTest::mousePress(widget, Qt::RightButton, {}, at);
    QTest::mouseRelease(widget, Qt::RightButton, {}, at);
  }
  void RightClick(QWidget* widget, QPoint at) {
    OpenPopup(widget, at);
    Form().PopupMenu1->hide();
  }
  // Clicks an item of an open menu, as the user does.
  static void ClickItem(QMenu* menu, QAction* item) {
    ASSERT_TRUE(menu->isVisible());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
  }
  // Opens a menu of the menu bar with the mouse.
  void OpenFromMenuBar(QMenu* menu) {
    QMenuBar* bar = Form().menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
  }
  std::vector<std::string> Foot() { return Form().Chart1->Foot().Text(); }
};

TEST_F(Interaction, SelectingALogFillsTheGridAndDrawsItsBars) {
  Open();
  EXPECT_EQ(Form().Grid().RowCount(), 8);
  EXPECT_EQ(Form().Grid().Cells(3, 3), "メモ.exe (1)");
  const auto bars = reference::ScanOf(*Form().Series1).Bars;
  ASSERT_EQ(bars.size(), 5u);
  EXPECT_EQ(bars[2].Row, 3);  // メモ (1)
  EXPECT_EQ(bars[4].Row, 3);  // メモ (2) shares its row
  EXPECT_EQ(bars[3].Row, 4);  // c
  EXPECT_FALSE(Form().Chart1->ImageStale());  // painted
  EXPECT_TRUE(f.errors.empty());
}

TEST_F(Interaction, AnUnreadableRowIsShownAndTheBarsBeforeItStay) {
  std::vector<LogLine> log = kDay;
  log[3].time = "8:30:61";
  Open(log);
  EXPECT_EQ(f.errors, std::vector<std::string>{FormatText(msg::InvalidDateTime, {Arg("2024/04/15 8:30:61")})});
  EXPECT_EQ(Form().Series1->PointCount(), 3);
  EXPECT_TRUE(Form().StringGrid1->isEnabled());
  EXPECT_EQ(Form().Grid().RowCount(), 8);
}

TEST_F(Interaction, ClickingABarShowsItInTheFootOnce) {
  Open();
  const int a = BarOf("C:\\T\\a.exe");
  QTest::mouseClick(Form().Chart1View, Qt::LeftButton, {}, BarCentre(a));
  EXPECT_EQ(Foot(), (std::vector<std::string>{"[ﾌｧｲﾙ名] C:\\T\\a.exe",
                                              "[実行期間] 2024/04/15 8:10:00 ～ 2024/04/15 8:40:00"}));
  EXPECT_TRUE(Form().Chart1->ImageStale());
  Paint();
  ASSERT_FALSE(Form().Chart1->ImageStale());

  QTest::mouseClick(Form().Chart1View, Qt::LeftButton, {}, BarCentre(a));
  EXPECT_FALSE(Form().Chart1->ImageStale());  // the same text: no repaint
  QTest::mouseClick(Form().Chart1View, Qt::RightButton, {}, BarCentre(BarOf("C:\\T\\c.exe")));
  Form().PopupMenu1->hide();
  EXPECT_EQ(Foot()[0], "[ﾌｧｲﾙ名] C:\\T\\a.exe");  // other buttons change nothing
}

TEST_F(Interaction, MidnightStartsShowTheDateAlone) {
  Open({{"C", "2024/04/15", "0:00:00", "a.exe", "C:\\T"}, {"###", "2024/04/15", "1:00:00", "", ""}});
  QTest::mouseClick(Form().Chart1View, Qt::LeftButton, {}, BarCentre(0));
  EXPECT_EQ(Foot()[1], "[実行期間] 2024/04/15 ～ 2024/04/15 1:00:00");
}

TEST_F(Interaction, HidingFromThePopupRemovesEveryRunAndRenumbersTheRows) {
  Open();
  // メモ (1) runs on under メモ (2); where bars overlap the earlier start answers.
  OpenPopup(Form().Chart1View, BarCentre(BarOf("C:\\T\\メモ.exe (2)")));
  ASSERT_EQ(Form().PopupIndex, BarOf("C:\\T\\メモ.exe (1)"));
  EXPECT_TRUE(Form().mnIgno->isVisible());
  ClickItem(Form().PopupMenu1, Form().mnIgno);
  EXPECT_FALSE(Form().PopupMenu1->isVisible());

  EXPECT_EQ(Form().HiddenNames.Count(), 1);
  EXPECT_EQ(Form().HiddenNames[0], "C:\\T\\メモ.exe ");
  const TimelineScan shown = reference::ScanOf(*Form().Series1);
  ASSERT_EQ(shown.Bars.size(), 3u);  // both メモ runs are gone
  EXPECT_EQ(shown.LabelOf(shown.Bars[2]), "C:\\T\\c.exe");
  EXPECT_EQ(shown.Bars[2].Row, 3);
  EXPECT_EQ(shown.Bars[2].Colour, kBarColors[3]);
  EXPECT_EQ(Form().Grid().RowCount(), 8);  // the grid is not reloaded

  // A stale index does nothing.
  Form().PopupIndex = 7;
  Form().mnIgno->trigger();
  EXPECT_EQ(Form().HiddenNames.Count(), 1);
}

TEST_F(Interaction, ThePopupOffersHidingOnlyOverABar) {
  Open();
  const TRect plot = Form().Chart1->PlotRect();
  RightClick(Form().Chart1View, QPoint(plot.Left + 2, plot.Top + 2));  // c's row, before c starts
  EXPECT_EQ(Form().PopupIndex, -1);
  EXPECT_FALSE(Form().mnIgno->isVisible());

  // After the chart saw the mouse over a bar, the grid's popup still has none.
  RightClick(Form().Chart1View, BarCentre(0));
  ASSERT_EQ(Form().PopupIndex, 0);
  QWidget* grid = Form().StringGrid1->viewport();
  QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(20, 20), grid->mapToGlobal(QPoint(20, 20)));
  QApplication::sendEvent(grid, &request);
  ASSERT_TRUE(Form().PopupMenu1->isVisible());
  Form().PopupMenu1->hide();
  EXPECT_EQ(Form().PopupIndex, -1);
  EXPECT_FALSE(Form().mnIgno->isVisible());
}

TEST_F(Interaction, HidingTwiceKeepsOneEntryAndRestoringReloadsTheFile) {
  Open();
  Form().mnAllDispClick();  // show all, so the hidden program stays clickable
  ASSERT_TRUE(Form().mnAllDisp->isChecked());
  for (int i = 0; i < 2; ++i) {
    Form().PopupIndex = BarOf("C:\\T\\c.exe");
    Form().mnIgnoClick();
  }
  EXPECT_EQ(Form().HiddenNames.Count(), 1);
  EXPECT_EQ(Form().Series1->PointCount(), 5);
  // Saved at once: a crash or logout loses nothing.
  EXPECT_EQ(ReadBytes(f.ListFile()), "C:\\T\\c.exe\r\n");

  Form().mnAllDispClick();
  EXPECT_EQ(Form().Series1->PointCount(), 4);

  // The launcher has written on meanwhile: restoring reads the file again.
  std::vector<LogLine> grown = kDay;
  grown.insert(grown.end() - 1, {"C", "2024/04/15", "8:50:00", "d.exe", "C:\\T"});
  WriteBytes(LogFile(), LogBytes(grown));
  OpenFromMenuBar(Form().mnOption);
  ASSERT_TRUE(Form().mnReact->menuAction()->isEnabled());
  const QList<QAction*> items = Form().mnReact->actions();
  ASSERT_EQ(items.size(), 1);
  EXPECT_EQ(items[0]->text(), QString::fromUtf8("C:\\T\\c.exe"));
  ClickItem(Form().mnOption, Form().mnReact->menuAction());
  ASSERT_TRUE(QTest::qWaitFor([this] { return Form().mnReact->isVisible(); }));
  ClickItem(Form().mnReact, items[0]);
  EXPECT_FALSE(Form().mnOption->isVisible());
  EXPECT_EQ(Form().HiddenNames.Count(), 0);
  EXPECT_EQ(ReadBytes(f.ListFile()), "");
  EXPECT_EQ(Form().Grid().RowCount(), 9);
  EXPECT_EQ(Form().Series1->PointCount(), 6);

  OpenFromMenuBar(Form().mnOption);
  EXPECT_FALSE(Form().mnReact->menuAction()->isEnabled());
  Form().mnOption->hide();
}

TEST_F(Interaction, F4TogglesShowAllAndRebuilds) {
  f.Create();
  Form().HiddenNames.Add("c:\\t\\A.EXE");
  const std::string folder = f.dir.File("logs");
  std::filesystem::create_directory(folder);
  WriteBytes(folder + "/day.log", LogBytes(kDay));
  Form().ListFolder(folder);
  Form().SelectFirstLog();
  EXPECT_EQ(Form().Series1->PointCount(), 4);
  Form().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Form()));
  QTest::keyClick(&Form(), Qt::Key_F4);
  EXPECT_TRUE(Form().mnAllDisp->isChecked());
  EXPECT_EQ(Form().Series1->PointCount(), 5);
  QTest::keyClick(&Form(), Qt::Key_F4);
  EXPECT_FALSE(Form().mnAllDisp->isChecked());
  EXPECT_EQ(Form().Series1->PointCount(), 4);
}

TEST_F(Interaction, F5EmptiesChartAndGridAndReadsTheFolderAgain) {
  Open();
  WriteBytes(f.dir.File("logs") + "/2024-04-16.log", LogBytes(kDay));
  Form().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Form()));
  QTest::keyClick(&Form(), Qt::Key_F5);
  EXPECT_EQ(Form().Series1->PointCount(), 0);
  ASSERT_EQ(Form().Grid().RowCount(), 2);
  std::vector<std::string> cells;  // the header row is emptied too
  for (int row = 0; row < 2; ++row)
    for (int col = 0; col < Form().Grid().ColCount(); ++col) cells.push_back(Form().Grid().Cells(col, row));
  EXPECT_EQ(cells, std::vector<std::string>(cells.size()));
  EXPECT_EQ(Foot(), (std::vector<std::string>{"[ﾌｧｲﾙ名] ", "\u3000"}));
  EXPECT_EQ(Form().FileListBox1->Count(), 2);
  EXPECT_EQ(Form().FileListBox1->ItemIndex(), -1);
}

class ColumnFit : public Interaction {
 protected:
  // Double-clicks the header, dx pixels right of column col's right border.
  void DoubleClickHeader(int col, int dx, int row = 0) {
    TStringGridView* grid = Form().StringGrid1;
    const QRect cell = grid->CellRect(col, row);
    const QPoint at(cell.x() + cell.width() + dx, cell.y() + cell.height() / 2);
    QWidget* target = row == 0 ? grid->horizontalHeader()->viewport() : grid->viewport();
    QTest::mouseDClick(target, Qt::LeftButton, {}, target->mapFrom(grid, at));
  }
  int Width(int col) { return Form().Grid().ColWidths(col); }
  int WidestText(int col) {
    const QFontMetrics metrics(Form().StringGrid1->font());
    int widest = 0;
    for (int row = 0; row < Form().Grid().RowCount(); ++row)
      widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(Form().Grid().Cells(col, row))));
    return widest;
  }
};

TEST_F(ColumnFit, NearTheHeaderBorderFitsTheColumn) {
  Open();
  DoubleClickHeader(4, -2);
  EXPECT_EQ(Width(4), WidestText(4) + 12);
  Form().Grid().SetColWidths(3, 200);
  DoubleClickHeader(3, 2);
  EXPECT_EQ(Width(3), WidestText(3) + 12);
}

TEST_F(ColumnFit, ElsewhereNothingChanges) {
  Open();
  const int before = Width(3);
  DoubleClickHeader(3, -before / 2);  // the middle of the header cell
  EXPECT_EQ(Width(3), before);
  DoubleClickHeader(3, -2, 1);  // a data row
  EXPECT_EQ(Width(3), before);
}

TEST_F(ColumnFit, ANarrowColumnBecomesTwentyTwoPixelsWide) {
  std::vector<LogLine> log = kDay;
  for (LogLine& line : log) line.folder += ",.";
  Open(log);
  ASSERT_EQ(Form().Grid().ColCount(), 6);
  DoubleClickHeader(5, 1);
  EXPECT_EQ(Width(5), 22);
}

}  // namespace
}  // namespace tokiwa::testing
