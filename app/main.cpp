// Program entry: one viewer per user session, the main window, the event loop.
#include <QGuiApplication>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/app_paths.h"
#include "app/command_line.h"
#include "app/export_mode.h"
#include "app/form1.h"
#include "app/render_mode.h"
#include "app/screenshot_mode.h"
#include "app/single_instance.h"
#include "gui/error_display.h"
#include "gui/font_mapping.h"
#include "runtime/messages.h"

namespace {

std::vector<std::string> Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void PrintError(QWidget*, const std::string& message) {
  std::fprintf(stderr, "tokiwa: %s\n", message.c_str());
}

void Report(const std::string& message) { PrintError(nullptr, message); }

tokiwa::TimelineJob JobOf(const tokiwa::CommandLine& options, const std::string& logFile) {
  tokiwa::TimelineJob job;
  job.LogFile = logFile;
  job.HasHiddenList = options.HasHiddenList;
  job.HiddenListFile = options.HiddenListPath;
  job.ShowAll = options.ShowAll;
  return job;
}

// The modes that write a file or text and end, without a window.
int RunWindowlessMode(const tokiwa::CommandLine& options) {
  using namespace tokiwa;
  ScopedErrorSink printErrors(PrintError);
  if (options.Help || !(options.Export() || options.Render())) {
    std::fputs(UsageText().c_str(), stdout);
    return 0;
  }
  if (options.Export()) {
    std::ios::sync_with_stdio(false);  // a million bars are a million lines
    return RunExport(JobOf(options, options.ExportLog), std::cout, Report);
  }
  RenderJob job;
  job.Timeline = JobOf(options, options.RenderLog);
  job.OutputFile = options.OutputPath;
  if (options.HasSize) {
    job.Width = options.Width;
    job.Height = options.Height;
  }
  return RunRender(job, Report);
}

// Only drawing needs Qt: --export and --help start without it, and --render
// with the GUI application alone (its fonts and images), no widgets.
int RunWithoutWindow(int argc, char** argv) {
  using namespace tokiwa;
  const std::vector<std::string> raw = Arguments(argc, argv);
  ChoosePlatformForHeadlessMode(raw);
  std::optional<QGuiApplication> gui;
  if (RequestsOption(raw, "--render")) {
    gui.emplace(argc, argv);  // takes Qt's own options out of argv
    InstallFontSubstitutions();
  }
  const CommandLineResult parsed = ParseCommandLine(Arguments(argc, argv));
  if (parsed.ExitStatus != 0) {
    PrintError(nullptr, parsed.Error);
    return parsed.ExitStatus;
  }
  return RunWindowlessMode(parsed.Options);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tokiwa;
  if (RequestsWindowlessMode(Arguments(argc, argv))) return RunWithoutWindow(argc, argv);
  ChoosePlatformForHeadlessMode(Arguments(argc, argv));
  GuardedApplication app(argc, argv);  // takes Qt's own options out of argv
  const CommandLineResult parsed = ParseCommandLine(Arguments(argc, argv));
  if (parsed.ExitStatus != 0) {
    PrintError(nullptr, parsed.Error);
    return parsed.ExitStatus;
  }
  const CommandLine& options = parsed.Options;

  // A second viewer ends at once, silently, before any window exists. Modes
  // that only write a file run beside a viewer.
  std::optional<SingleInstanceLock> instance;
  if (!options.Headless()) {
    instance.emplace();
    if (instance->AlreadyRunning()) return 0;
  }

  QApplication::setApplicationDisplayName(
      QString::fromUtf8(msg::AppTitle.data(), static_cast<qsizetype>(msg::AppTitle.size())));
  InstallFontSubstitutions();
  // Nobody is there to close a message box.
  std::optional<ScopedErrorSink> printErrors;
  if (options.Headless()) printErrors.emplace(PrintError);

  const AppPaths paths = ResolveAppPaths();
  TForm1Options formOptions;
  formOptions.IniFileName = paths.IniFileName;
  formOptions.ListFileName = paths.ListFileName;
  formOptions.HasCommandLineFolder = options.HasFolder;
  formOptions.CommandLineFolder = options.Folder;
  TForm1 form(formOptions);
  if (options.SelectFirst) form.SelectFirstLog();

  if (options.Screenshot()) return SaveWindowScreenshot(form, options.ScreenshotPath);
  form.show();
  return QApplication::exec();
}
