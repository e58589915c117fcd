#pragma once
// The viewer's command line: an optional folder to list, plus options for
// running it unattended. Options are "--name value" or "--name=value"; "--"
// ends them; the first other argument names the folder and later ones are
// ignored. In the file modes (--export, --render, --summary) the plain
// arguments are more logs, shown together with the option's own.
#include <string>
#include <string_view>
#include <vector>

namespace tokiwa {

// Exit statuses in the sysexits convention.
inline constexpr int kExitUsage = 64;       // bad command line
inline constexpr int kExitCantCreate = 73;  // an output file could not be written
inline constexpr int kExitIoError = 74;     // standard output could not be written

struct CommandLine {
  bool HasFolder = false;
  std::string Folder;          // the first non-option argument, as given
  std::string ScreenshotPath;  // --screenshot PNG: save the laid-out window and exit
  bool SelectFirst = false;    // --select-first: load the first listed log
  bool Help = false;           // --help: describe the command line and exit
  bool Version = false;        // --version: print the version and exit

  std::string ExportLog;       // --export LOG: the bars as CSV on standard output
  std::string RenderLog;       // --render LOG: the chart as a picture file
  std::string SummaryLog;      // --summary LOG: totals per program as CSV on standard output
  // In a file mode: the option's log, then the plain arguments, in order.
  std::vector<std::string> LogFiles;
  std::string OutputPath;      // -o FILE, with --render: .png (or none), .svg or .pdf
  bool HasSize = false;        // --size WIDTHxHEIGHT, with --render
  int Width = 0, Height = 0;
  bool HasHiddenList = false;  // --hidden-list FILE, with a file mode
  std::string HiddenListPath;
  bool ShowAll = false;        // --show-all, with a file mode

  bool Screenshot() const { return !ScreenshotPath.empty(); }
  bool Export() const { return !ExportLog.empty(); }
  bool Render() const { return !RenderLog.empty(); }
  bool Summary() const { return !SummaryLog.empty(); }
  bool FileMode() const { return Export() || Render() || Summary(); }
  // Modes that produce output and exit; they need no display and no lock.
  bool Headless() const { return Screenshot() || FileMode() || Help || Version; }
};

struct CommandLineResult {
  CommandLine Options;
  int ExitStatus = 0;  // non-zero: end at once with this status
  std::string Error;   // what to tell the user when ExitStatus is non-zero
};

// args excludes the program name.
CommandLineResult ParseCommandLine(const std::vector<std::string>& args);

// The --help text.
std::string UsageText();

// True when the raw arguments (Qt's own options still among them) ask for a
// headless mode.
bool RequestsHeadlessMode(const std::vector<std::string>& rawArgs);
// True when they ask for a mode that never shows a window (--export,
// --render, --summary, --help, --version).
bool RequestsWindowlessMode(const std::vector<std::string>& rawArgs);
// True when the option name is among them, before any "--".
bool RequestsOption(const std::vector<std::string>& rawArgs, std::string_view name);

// True when DISPLAY or WAYLAND_DISPLAY names a display.
bool DisplayIsSet();

// Whether a bad command line is shown in a message box as well as on standard
// error: when the window would have opened on a display someone sees. Started
// from a desktop menu, nobody reads standard error.
bool ShowsUsageErrorOnScreen(const std::vector<std::string>& rawArgs, std::string_view qtPlatform, bool displaySet);

// Before the GUI starts: a headless mode with neither a display nor a chosen
// Qt platform selects the offscreen platform, so the program runs anywhere.
void ChoosePlatformForHeadlessMode(const std::vector<std::string>& rawArgs);

}  // namespace tokiwa
