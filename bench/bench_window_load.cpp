// The main window from the selection of a log in the file list to the first
// painted chart: loading, building and the chart widget's paint, as a user
// waits for them. With --select-all, every file of a folder at once (Ctrl+A
// in the file list).
//
//   bench_window_load LOGFILE
//   bench_window_load --select-all FOLDER
#include <unistd.h>

#include <QApplication>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

#include "app/form1.h"
#include "chart/chart.h"
#include "gui/chart_widget.h"
#include "gui/error_display.h"
#include "gui/file_list_box.h"
#include "series/gantt_series.h"

namespace {

double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

}  // namespace

int main(int argc, char** argv) {
  const bool selectAll = argc == 3 && std::string(argv[1]) == "--select-all";
  if (argc != 2 && !selectAll) {
    std::fprintf(stderr, "usage: %s LOGFILE | --select-all FOLDER\n", argv[0]);
    return 2;
  }
  const char* input = argv[argc - 1];
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  using namespace tokiwa;
  namespace fs = std::filesystem;

  // A folder holding only the log (a link to it), and scratch settings.
  char pattern[] = "/tmp/tokiwa-bench-XXXXXX";
  if (!mkdtemp(pattern)) return 1;
  const fs::path dir = pattern;
  fs::path logs = dir / "logs";
  if (selectAll) {
    logs = fs::absolute(input);
  } else {
    fs::create_directory(logs);
    fs::create_symlink(fs::absolute(input), logs / fs::path(input).filename());
  }

  int status = 0;
  {
    ScopedErrorSink errors([&](QWidget*, const std::string& m) {
      std::fprintf(stderr, "%s\n", m.c_str());
      status = 1;
    });
    TForm1Options options;
    options.IniFileName = (dir / "bench.INI").string();
    options.ListFileName = (dir / "bench.LST").string();
    options.HasCommandLineFolder = true;
    options.CommandLineFolder = logs.string();
    TForm1 form(options);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) return 1;
    QApplication::processEvents();

    const auto wall0 = std::chrono::steady_clock::now();
    const double cpu0 = CpuSeconds();
    if (selectAll) form.FileListBox1->selectAll();
    else form.SelectFirstLog();
    // The chart's image is current once the widget has painted it.
    while (form.Chart1->ImageStale()) QApplication::processEvents(QEventLoop::AllEvents, 10);
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
    std::printf("%s%s: select to first painted chart: wall %.3f s  cpu %.3f s  (%d bars, %d rows)\n",
                selectAll ? "every log of " : "", input, wall, CpuSeconds() - cpu0, form.Series1->PointCount(),
                form.Grid().RowCount() - 1);
    form.hide();
  }
  std::error_code ec;
  fs::remove_all(dir, ec);
  return status;
}
