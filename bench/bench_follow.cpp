// The cost of following a log the launcher keeps writing: the window shows a
// copy of LOGFILE with follow mode on while a writer appends one line every
// 100 ms (10 lines a second, each with its own open, write and close, as a
// launcher writes). Prints the process's CPU time as a share of one core,
// with follow mode on and, for comparison, off (the writer and an idle
// window alone), and checks that every line was taken in.
//
//   bench_follow LOGFILE [SECONDS]
#include <fcntl.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

#include "app/form1.h"
#include "gui/error_display.h"
#include "runtime/encoding.h"

namespace {

// Runs the event loop for a while; QTest::qWait would wake every few
// milliseconds and cost more than what is measured.
void Wait(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void AppendLine(const std::string& path, int n) {
  char line[160];
  const char* marker = n % 2 ? "E" : "C";
  std::snprintf(line, sizeof line, "%s,2021/01/01,%d:%02d:%02d,メモ帳.exe,C:\\Windows\\system32\r\n", marker,
                19 + n / 3600, n / 60 % 60, n % 60);
  const std::string bytes = tokiwa::Utf8ToCp932(line);
  const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  if (fd < 0) return;
  [[maybe_unused]] const ssize_t written = ::write(fd, bytes.data(), bytes.size());
  ::close(fd);
}

struct Run {
  double cpuShare = 0;
  int rowsGained = 0;
};

// Shows the log, then appends for the given time with follow mode as given.
Run Follow(const std::filesystem::path& dir, const std::string& log, bool follow, int seconds) {
  namespace fs = std::filesystem;
  const fs::path logs = dir / (follow ? "on" : "off");
  fs::create_directories(logs);
  const std::string path = (logs / "today.log").string();
  fs::copy_file(log, path, fs::copy_options::overwrite_existing);

  tokiwa::TForm1Options options;
  options.IniFileName = (dir / "bench.INI").string();
  options.ListFileName = (dir / "bench.LST").string();
  options.HasCommandLineFolder = true;
  options.CommandLineFolder = logs.string();
  tokiwa::TForm1 form(options);
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) return {};
  form.SelectFirstLog();
  if (follow != form.mnFollow->isChecked()) form.mnFollowClick();
  Wait(1000);
  const int rowsBefore = form.Grid().RowCount();

  int appended = 0;
  QTimer writer;
  QObject::connect(&writer, &QTimer::timeout, [&] { AppendLine(path, appended++); });
  writer.start(100);
  const double cpu0 = CpuSeconds();
  QElapsedTimer wall;
  wall.start();
  Wait(seconds * 1000);
  writer.stop();
  Run run;
  run.cpuShare = (CpuSeconds() - cpu0) / (static_cast<double>(wall.elapsed()) / 1000);
  Wait(1000);  // the last lines are taken in
  run.rowsGained = form.Grid().RowCount() - rowsBefore - appended;
  if (form.mnFollow->isChecked()) form.mnFollowClick();
  return run;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: %s LOGFILE [SECONDS]\n", argv[0]);
    return 2;
  }
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  namespace fs = std::filesystem;
  const int seconds = argc == 3 ? std::atoi(argv[2]) : 20;

  char pattern[] = "/tmp/tokiwa-bench-XXXXXX";
  if (!mkdtemp(pattern)) return 1;
  const fs::path dir = pattern;
  int status = 0;
  {
    tokiwa::ScopedErrorSink errors([&](QWidget*, const std::string& m) {
      std::fprintf(stderr, "%s\n", m.c_str());
      status = 1;
    });
    const Run on = Follow(dir, argv[1], true, seconds);
    const Run off = Follow(dir, argv[1], false, seconds);
    std::printf("%s + 10 lines/s for %d s: follow on %.2f %% of a core, off %.2f %% (%s)\n", argv[1], seconds,
                on.cpuShare * 100, off.cpuShare * 100,
                on.rowsGained == 0 ? "every line taken in" : "LINES MISSING");
    if (on.rowsGained != 0) status = 1;
  }
  std::error_code ec;
  fs::remove_all(dir, ec);
  return status;
}
