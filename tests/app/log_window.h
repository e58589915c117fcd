#pragma once
// A main window showing one log of a folder, painted, for tests that drive
// the chart as a user does.
#include <QApplication>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gui/chart_widget.h"
#include "series/gantt_series.h"
#include "tests/app/form_fixture.h"
#include "tests/timeline/timeline_test_support.h"

namespace tokiwa::testing {

// A short day: a run with its own end, runs until the shutdown, and one
// program under two "(...)" suffixes.
inline const std::vector<LogLine> kShortDay = {
    {"vvv", "2024/04/15", "8:00:00", "", ""},
    {"C", "2024/04/15", "8:10:00", "a.exe", "C:\\T"},
    {"C", "2024/04/15", "8:20:00", "メモ.exe (1)", "C:\\T"},
    {"C", "2024/04/15", "8:30:00", "c.exe", "C:\\T"},
    {"E", "2024/04/15", "8:40:00", "a.exe", "C:\\T"},
    {"C", "2024/04/15", "8:45:00", "メモ.exe (2)", "C:\\T"},
    {"###", "2024/04/15", "9:00:00", "", ""},
};

class LogWindow : public ::testing::Test {
 protected:
  // Writes the log into a folder of its own, lists the folder and selects it.
  void Open(const std::vector<LogLine>& log) {
    const std::string folder = f.dir.File("logs");
    std::filesystem::create_directory(folder);
    WriteBytes(LogFile(), LogBytes(log));
    TForm1& form = f.Create();
    form.ListFolder(folder);
    form.SelectFirstLog();
    Paint();
  }
  TForm1& Form() { return *f.form; }
  void Paint() {
    QApplication::processEvents();
    Form().Chart1View->repaint();
  }
  // The middle of bar i on the screen (chart coordinates are the widget's).
  QPoint BarCentre(int i) {
    TGanttSeries& s = *Form().Series1;
    const int x0 = s.PointScreenX(i), x1 = s.ValuePositionX(s.EndValues().ValueAt(i));
    return {(x0 + x1) / 2, s.PointScreenY(i)};
  }
  int BarOf(const std::string& label) {
    for (int i = 0; i < Form().Series1->PointCount(); ++i)
      if (Form().Series1->PointLabel(i) == label) return i;
    return -1;
  }
  std::string LogFile() { return f.dir.File("logs") + "/2024-04-15.log"; }

  FormFixture f;
};

}  // namespace tokiwa::testing
