// Reading the chart in the window: program names beside the rows (an option
// kept in the settings), the details of a bar on hover, the wheel and keys,
// and saving the chart as a picture.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QHelpEvent>
#include <QRegularExpression>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>
#include <filesystem>

#include <gtest/gtest.h>

#include "app/bar_tooltip.h"
#include "app/image_export.h"
#include "app/settings.h"
#include "app/ui_text.h"
#include "chart/chart.h"
#include "gui/chart_widget.h"
#include "runtime/messages.h"
#include "runtime/profile_file.h"
#include "series/gantt_series.h"
#include "tests/app/log_window.h"

namespace tokiwa::testing {
namespace {

class ReadingAids : public LogWindow {
 protected:
  void Open() { LogWindow::Open(kShortDay); }
  TChartAxis& Time() { return Form().Chart1->BottomAxis(); }
  // The chart as the window shows it, saved as SVG: its texts are there as text.
  QString ChartSvg() {
    const QString path = QString::fromStdString(f.dir.File("shown.svg"));
    Form().ChooseImageFile = [&](QWidget*, const QString&, const QString&, const QString&, QString*) { return path; };
    Form().mnSaveImageClick();
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
  }
  // Whether one text of the picture reads so; the SVG writer splits a text
  // into runs of one script each, which are joined back.
  static bool Shows(const QString& svg, const char* text) {
    QStringList runs;
    QRegularExpressionMatchIterator it = QRegularExpression(">\\s*([^<>]*?)\\s*</text>").globalMatch(svg);
    while (it.hasNext()) runs << it.next().captured(1);
    const QString wanted = QString::fromUtf8(text);
    for (qsizetype i = 0; i < runs.size(); ++i) {
      QString joined;
      for (qsizetype j = i; j < runs.size() && joined.size() < wanted.size(); ++j) {
        joined += runs[j];
        if (joined == wanted) return true;
      }
    }
    return false;
  }
  void Wheel(QPoint at, int eighths, Qt::KeyboardModifiers keys = {}) {
    QWheelEvent wheel(at, Form().Chart1View->mapToGlobal(at), {}, {0, eighths}, Qt::NoButton, keys,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(Form().Chart1View, &wheel);
    Paint();
  }
};

TEST_F(ReadingAids, RowNamesFollowTheOptionAndSurviveHidingShowAllAndReload) {
  Open();
  EXPECT_FALSE(Shows(ChartSvg(), "a.exe"));  // off by default
  Form().mnRowLabelsClick();
  QString svg = ChartSvg();
  for (const char* name : {"システム", "a.exe", "メモ.exe", "c.exe"}) EXPECT_TRUE(Shows(svg, name)) << name;

  Form().PopupIndex = BarOf("C:\\T\\c.exe");
  Form().mnIgnoClick();
  svg = ChartSvg();
  EXPECT_TRUE(Shows(svg, "a.exe"));
  EXPECT_FALSE(Shows(svg, "c.exe"));
  Form().mnAllDispClick();
  EXPECT_TRUE(Shows(ChartSvg(), "c.exe"));
  Form().mnRenewClick();
  EXPECT_FALSE(Shows(ChartSvg(), "a.exe"));
  Form().SelectFirstLog();
  EXPECT_TRUE(Shows(ChartSvg(), "a.exe"));

  // Remembered in a section of its own.
  ASSERT_TRUE(f.Close());
  EXPECT_EQ(ProfileFile(f.IniFile()).ReadInteger("View", "RowLabels", -1), 1);
  f.errors.clear();
  TForm1& again = f.Create(false);
  EXPECT_TRUE(again.mnRowLabels->isChecked());
  EXPECT_TRUE(again.Chart1->LeftAxis().Visible());
  again.mnRowLabelsClick();
  EXPECT_FALSE(again.Chart1->LeftAxis().Visible());
  EXPECT_TRUE(f.errors.empty());
}

TEST_F(ReadingAids, AnOlderSettingsFileLoadsUnchangedAndKeepsItsKeys) {
  const std::string old = "[Ord]\r\nLeft=40\r\nTop=30\r\nWidth=700\r\nHeight=500\r\nWidthL=250\r\n"
                          "HeightT=99\r\nHeightB=200\r\n[General]\r\nAll=1\r\n";
  WriteBytes(f.IniFile(), old);
  TForm1& form = f.Create();
  EXPECT_FALSE(form.mnRowLabels->isChecked());
  EXPECT_TRUE(form.mnAllDisp->isChecked());
  EXPECT_EQ(form.size(), QSize(700, 500));
  ASSERT_TRUE(f.Close());
  // Written back as an older viewer writes it (the chart's height is what the
  // grid left it): the option's section comes only once the option is used.
  const LayoutSettings layout = ReadLayoutSettings(ProfileFile(f.IniFile()));
  std::string expected = old;
  expected.replace(expected.find("HeightT=99"), 10, "HeightT=" + std::to_string(layout.HeightT));
  EXPECT_EQ(ReadBytes(f.IniFile()), expected);
}

TEST_F(ReadingAids, HoverTellsTheBarAndHowItsEndWasFound) {
  Open();
  BarTooltip* tooltip = Form().Chart1View->findChild<BarTooltip*>();
  ASSERT_NE(tooltip, nullptr);
  // The texts themselves are the timeline's (bar_details_test); here, which
  // bar answers, written unwrapped.
  EXPECT_EQ(tooltip->TextAt(BarCentre(BarOf("C:\\T\\a.exe"))),
            "<p style='white-space:pre'>a.exe<br>C:\\T<br>開始 2024/04/15 8:10:00<br>終了 2024/04/15 8:40:00<br>"
            "実行時間 0:30:00</p>");
  EXPECT_TRUE(tooltip->TextAt(BarCentre(BarOf("C:\\T\\c.exe"))).endsWith("<br>シャットダウン時に実行中</p>"));
  const TRect plot = Form().Chart1->PlotRect();
  EXPECT_TRUE(tooltip->TextAt(QPoint(plot.Left + 2, plot.Top + 2)).isEmpty());  // c's row before c starts
  EXPECT_TRUE(tooltip->TextAt(QPoint(plot.Left - 20, BarCentre(0).y())).isEmpty());  // beside the plot

  // As Qt asks when the pointer rests.
  const QPoint at = BarCentre(BarOf("C:\\T\\a.exe"));
  QHelpEvent rest(QEvent::ToolTip, at, Form().Chart1View->mapToGlobal(at));
  QApplication::sendEvent(Form().Chart1View, &rest);
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_TRUE(QToolTip::text().contains("a.exe"));
  // An emptied chart has no bars to tell of.
  Form().mnRenewClick();
  EXPECT_TRUE(tooltip->TextAt(at).isEmpty());
  QToolTip::hideText();
}

TEST_F(ReadingAids, TheWheelZoomsAroundThePointerAndTheReverseDragOrHomeUndoesIt) {
  Open();
  const double fullMin = Time().CurrentMinimum(), fullMax = Time().CurrentMaximum();
  const QPoint at(Form().Chart1->PlotRect().Left + 100, Form().Chart1->PlotCenterY());
  const double under = Time().PositionToValue(at.x());
  Wheel(at, 2 * 120);  // two notches in
  EXPECT_NEAR(Time().CurrentMaximum() - Time().CurrentMinimum(), (fullMax - fullMin) * 0.64, 1e-9);
  EXPECT_NEAR(Time().PositionToValue(at.x()), under, 2.0 / 86400);  // within a pixel's seconds
  EXPECT_TRUE(Form().Chart1->LeftAxis().Automatic());

  // The reverse drag undoes it, as it undoes a dragged zoom.
  QTest::mousePress(Form().Chart1View, Qt::LeftButton, {}, at + QPoint(100, 100));
  QTest::mouseMove(Form().Chart1View, at);
  QTest::mouseRelease(Form().Chart1View, Qt::LeftButton, {}, at);
  Paint();
  EXPECT_EQ(Time().CurrentMinimum(), fullMin);
  EXPECT_EQ(Time().CurrentMaximum(), fullMax);

  // Shift+wheel pans; the keys zoom and pan; Home undoes all of it.
  Wheel(at, -120, Qt::ShiftModifier);
  EXPECT_GT(Time().CurrentMinimum(), fullMin);
  EXPECT_NEAR(Time().CurrentMaximum() - Time().CurrentMinimum(), fullMax - fullMin, 1e-9);
  for (const Qt::Key key : {Qt::Key_Plus, Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Left}) {
    QTest::keyClick(Form().Chart1View, key);
    Paint();
  }
  EXPECT_NEAR(Time().CurrentMaximum() - Time().CurrentMinimum(), (fullMax - fullMin) * 0.8, 1e-9);
  QTest::keyClick(Form().Chart1View, Qt::Key_Home);
  Paint();
  EXPECT_EQ(Time().CurrentMinimum(), fullMin);
  EXPECT_EQ(Time().CurrentMaximum(), fullMax);
  EXPECT_TRUE(Time().Automatic());
}

TEST_F(ReadingAids, SavesTheChartInTheFormatChosen) {
  Open();
  struct Case {
    const char* chosen;
    std::string_view filter;
    const char* written;
    const char* magic;
  };
  const Case cases[] = {{"plain", msg::ImageFilterSvg, "plain.svg", "<?xml"},
                        {"doc.PDF", msg::ImageFilterPng, "doc.PDF", "%PDF-"},
                        {"pic", msg::ImageFilterPng, "pic.png", "\x89PNG"}};
  for (const Case& c : cases) {
    Form().ChooseImageFile = [&](QWidget*, const QString& title, const QString&, const QString& filters,
                                 QString* filter) {
      EXPECT_EQ(title.toStdString(), msg::SaveImageTitle);
      EXPECT_TRUE(filters.contains(Text(c.filter)));
      *filter = Text(c.filter);
      return QString::fromStdString(f.dir.File(c.chosen));
    };
    Form().mnSaveImageClick();
    EXPECT_EQ(ReadBytes(f.dir.File(c.written)).rfind(c.magic, 0), 0u) << c.chosen;
  }
  Form().ChooseImageFile = [](QWidget*, const QString&, const QString&, const QString&, QString*) { return QString(); };
  Form().mnSaveImageClick();  // cancelled
  EXPECT_TRUE(f.errors.empty());
}

}  // namespace
}  // namespace tokiwa::testing
