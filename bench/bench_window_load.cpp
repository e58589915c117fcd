// The main window from the selection of a log in the file list to the first
// painted chart: loading, building and the chart widget's paint, as a user
// waits for them.
//
//   bench_window_load LOGFILE
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
#include "series/gantt_series.h"

namespace {

double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s LOGFILE\n", argv[0]);
    return 2;
  }
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  using namespace tokiwa;
  namespace fs = std::filesystem;

  // A folder holding only the log (a link to it), and scratch settings.
  char pattern[] = "/tmp/tokiwa-bench-XXXXXX";
  if (!mkdtemp(pattern)) return 1;
  const fs::path dir = pattern;
  fs::create_directory(dir / "logs");
  fs::create_symlink(fs::absolute(argv[1]), dir / "logs" / fs::path(argv[1]).filename());

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
    options.CommandLineFolder = (dir / "logs").string();
    TForm1 form(options);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) return 1;
    QApplication::processEvents();

    const auto wall0 = std::chrono::steady_clock::now();
    const double cpu0 = CpuSeconds();
    form.SelectFirstLog();
    // The chart's image is current once the widget has painted it.
    while (form.Chart1->ImageStale()) QApplication::processEvents(QEventLoop::AllEvents, 10);
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
    std::printf("%s: select to first painted chart: wall %.3f s  cpu %.3f s  (%d bars)\n", argv[1], wall,
                CpuSeconds() - cpu0, form.Series1->PointCount());
    form.hide();
  }
  std::error_code ec;
  fs::remove_all(dir, ec);
  return status;
}
