// Program entry: one viewer per user session, the main window, the event loop.
#include <fcntl.h>
#include <unistd.h>

#include <QGuiApplication>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/app_paths.h"
#include "app/command_line.h"
#include "app/export_mode.h"
#include "app/form1.h"
#include "app/quit_requests.h"
#include "app/render_mode.h"
#include "app/screenshot_mode.h"
#include "app/single_instance.h"
#include "app/summary_mode.h"
#include "gui/error_display.h"
#include "gui/font_mapping.h"
#include "runtime/messages.h"
#include "runtime/path_names.h"

namespace {

std::vector<std::string> Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

// Qt is given the program's name alone: it would take its own options out of
// the user's arguments (a log named "-reverse" would vanish, "-platform x"
// would abort). Its settings come from the environment (QT_QPA_PLATFORM).
struct QtArguments {
  int argc = 1;
  char* argv[2] = {nullptr, nullptr};
  explicit QtArguments(char* program) { argv[0] = program; }
};

// A standard stream that is closed would be taken by the next file opened;
// /dev/null holds its place. Answers whether standard output was open.
bool HoldStandardStreams() {
  bool outputOpen = true;
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    if (fd == 1) outputOpen = false;
    const int null = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    if (null >= 0 && null != fd) {
      ::dup2(null, fd);
      ::close(null);
    }
  }
  return outputOpen;
}

void PrintError(QWidget*, const std::string& message) {
  std::fprintf(stderr, "tokiwa: %s\n", message.c_str());
}

void Report(const std::string& message) { PrintError(nullptr, message); }

tokiwa::TimelineJob JobOf(const tokiwa::CommandLine& options) {
  tokiwa::TimelineJob job;
  job.LogFiles = options.LogFiles;
  job.HasHiddenList = options.HasHiddenList;
  job.HiddenListFile = options.HiddenListPath;
  job.ShowAll = options.ShowAll;
  return job;
}

// The modes that write a file or text and end, without a window.
int RunWindowlessMode(const tokiwa::CommandLine& options, bool standardOutputOpen) {
  using namespace tokiwa;
  ScopedErrorSink printErrors(PrintError);
  if (options.Version) {
    std::printf("tokiwa %s\n", TOKIWA_VERSION);
    return 0;
  }
  if (options.Help || !options.FileMode()) {
    std::fputs(UsageText().c_str(), stdout);
    return 0;
  }
  if (options.Export() || options.Summary()) {
    if (!standardOutputOpen) {
      Report(FormatText(msg::WriteError, {Arg(msg::StandardOutput)}));
      return kExitIoError;
    }
    std::ios::sync_with_stdio(false);  // a million bars are a million lines
    const TimelineJob job = JobOf(options);
    const int status = options.Export() ? RunExport(job, std::cout, Report) : RunSummary(job, std::cout, Report);
    // Data a file system takes at write may still fail at close.
    if (status != kExitIoError && ::close(STDOUT_FILENO) != 0 && errno != EINTR) {
      Report(FormatText(msg::WriteError, {Arg(msg::StandardOutput)}));
      return kExitIoError;
    }
    return status;
  }
  RenderJob job;
  job.Timeline = JobOf(options);
  job.OutputFile = options.OutputPath;
  if (options.HasSize) {
    job.Width = options.Width;
    job.Height = options.Height;
  }
  return RunRender(job, Report);
}

// Only drawing needs Qt: --export, --summary and --help start without it, and --render
// with the GUI application alone (its fonts and images), no widgets.
int RunWithoutWindow(int argc, char** argv, bool standardOutputOpen) {
  using namespace tokiwa;
  const std::vector<std::string> raw = Arguments(argc, argv);
  const CommandLineResult parsed = ParseCommandLine(raw);
  if (parsed.ExitStatus != 0) {
    PrintError(nullptr, parsed.Error);
    return parsed.ExitStatus;
  }
  ChoosePlatformForHeadlessMode(raw);
  QtArguments qtArgs(argv[0]);
  std::optional<QGuiApplication> gui;
  if (parsed.Options.Render()) {
    gui.emplace(qtArgs.argc, qtArgs.argv);
    InstallFontSubstitutions();
  }
  return RunWindowlessMode(parsed.Options, standardOutputOpen);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tokiwa;
  const bool standardOutputOpen = HoldStandardStreams();
  if (argc < 1 || !argv[0]) return kExitUsage;
  const std::vector<std::string> raw = Arguments(argc, argv);
  if (RequestsWindowlessMode(raw)) return RunWithoutWindow(argc, argv, standardOutputOpen);
  const CommandLineResult parsed = ParseCommandLine(raw);
  if (parsed.ExitStatus != 0) {
    PrintError(nullptr, parsed.Error);
    // Started from a desktop menu, standard error goes nowhere.
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (ShowsUsageErrorOnScreen(raw, platform ? platform : "", DisplayIsSet())) {
      QtArguments qtArgs(argv[0]);
      GuardedApplication app(qtArgs.argc, qtArgs.argv);
      ShowErrorMessage(nullptr, parsed.Error);
    }
    return parsed.ExitStatus;
  }
  const CommandLine& options = parsed.Options;
  ChoosePlatformForHeadlessMode(raw);
  QtArguments qtArgs(argv[0]);
  GuardedApplication app(qtArgs.argc, qtArgs.argv);
  const AppPaths paths = ResolveAppPaths();

  // A second viewer ends at once, silently, before any window exists. The
  // lock lies beside the files it protects, so viewers sharing them exclude
  // each other whatever their environment. Modes that only write a file run
  // beside a viewer.
  std::optional<SingleInstanceLock> instance;
  if (!options.Headless()) {
    instance.emplace(SingleInstanceLock::PathBeside(paths.ListFileName));
    if (instance->AlreadyRunning()) return 0;
  }

  QApplication::setApplicationDisplayName(
      QString::fromUtf8(msg::AppTitle.data(), static_cast<qsizetype>(msg::AppTitle.size())));
  InstallFontSubstitutions();
  // Nobody is there to close a message box.
  std::optional<ScopedErrorSink> printErrors;
  if (options.Headless()) printErrors.emplace(PrintError);

  TForm1Options formOptions;
  formOptions.IniFileName = paths.IniFileName;
  formOptions.ListFileName = paths.ListFileName;
  formOptions.HasCommandLineFolder = options.HasFolder;
  formOptions.CommandLineFolder = options.Folder;
  TForm1 form(formOptions);
  if (options.SelectFirst) form.SelectFirstLog();

  if (options.Screenshot()) return SaveWindowScreenshot(form, options.ScreenshotPath);
  const auto quitRequests = WatchQuitRequests(form);
  form.show();
  return QApplication::exec();
}
