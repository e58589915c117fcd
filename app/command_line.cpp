#include "app/command_line.h"

#include <sys/stat.h>

#include <charconv>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string_view>

#include "gui/chart_image_file.h"
#include "runtime/messages.h"

namespace tokiwa {

namespace {

// Headless: the option's mode needs no display. Windowless: it never shows a
// window, so it runs offscreen even where a display exists.
enum class Mode { Window, Headless, Windowless };

struct OptionSpec {
  std::string_view Name;
  bool TakesValue;
  Mode Kind;
  std::function<void(CommandLine&, const std::string& value)> Apply;
};

const std::vector<OptionSpec>& Options() {
  static const std::vector<OptionSpec> options = {
      {"--screenshot", true, Mode::Headless, [](CommandLine& c, const std::string& v) { c.ScreenshotPath = v; }},
      {"--select-first", false, Mode::Window, [](CommandLine& c, const std::string&) { c.SelectFirst = true; }},
      {"--help", false, Mode::Windowless, [](CommandLine& c, const std::string&) { c.Help = true; }},
      {"--version", false, Mode::Windowless, [](CommandLine& c, const std::string&) { c.Version = true; }},
      {"--export", true, Mode::Windowless, [](CommandLine& c, const std::string& v) { c.ExportLog = v; }},
      {"--render", true, Mode::Windowless, [](CommandLine& c, const std::string& v) { c.RenderLog = v; }},
      {"--summary", true, Mode::Windowless, [](CommandLine& c, const std::string& v) { c.SummaryLog = v; }},
      {"-o", true, Mode::Window, [](CommandLine& c, const std::string& v) { c.OutputPath = v; }},
      {"--size", true, Mode::Window,
       [](CommandLine& c, const std::string& v) {
         c.HasSize = true;
         c.Width = c.Height = 0;
         const auto x = v.find_first_of("xX");
         if (x == std::string::npos) return;
         const auto number = [](std::string_view text) {
           int n = 0;
           const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
           return ec == std::errc() && end == text.data() + text.size() ? n : 0;
         };
         c.Width = number(std::string_view(v).substr(0, x));
         c.Height = number(std::string_view(v).substr(x + 1));
       }},
      {"--hidden-list", true, Mode::Window,
       [](CommandLine& c, const std::string& v) {
         c.HasHiddenList = true;
         c.HiddenListPath = v;
       }},
      {"--show-all", false, Mode::Window, [](CommandLine& c, const std::string&) { c.ShowAll = true; }},
  };
  return options;
}

const OptionSpec* FindOption(std::string_view name) {
  for (const OptionSpec& spec : Options())
    if (spec.Name == name) return &spec;
  return nullptr;
}

CommandLineResult UsageError(std::string_view format, std::initializer_list<FormatArg> args) {
  CommandLineResult result;
  result.ExitStatus = kExitUsage;
  result.Error = FormatText(format, args);
  return result;
}

bool Set(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

// The same name, or two names of one existing file (links included).
bool SameFile(const std::string& a, const std::string& b) {
  if (a == b) return true;
  struct stat sa, sb;
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

bool ValidSide(int n) { return n >= 1 && n <= kMaxImageSide; }

// The file mode's option, or an empty text.
std::string_view FileModeOption(const CommandLine& c) {
  if (c.Export()) return "--export";
  if (c.Render()) return "--render";
  if (c.Summary()) return "--summary";
  return {};
}

bool NamesAnInput(const CommandLine& c, const std::string& path) {
  for (const std::string& log : c.LogFiles)
    if (SameFile(path, log)) return true;
  return c.HasHiddenList && SameFile(path, c.HiddenListPath);
}

// Options that only make sense together, checked once everything is read.
std::optional<CommandLineResult> CheckCombination(const CommandLine& c, const std::string& sizeText) {
  if (c.Help || c.Version) return std::nullopt;
  const int fileModes = c.Export() + c.Render() + c.Summary();
  const std::string_view mode = FileModeOption(c);
  if (fileModes > 1) {
    const std::string_view other = c.Summary() ? "--summary" : "--render";
    return UsageError(msg::OptionsExclusive, {Arg(mode), Arg(other)});
  }
  const bool fileMode = fileModes == 1;
  if (fileMode && c.Screenshot()) return UsageError(msg::OptionsExclusive, {Arg(mode), Arg("--screenshot")});
  if (fileMode && c.SelectFirst) return UsageError(msg::OptionsExclusive, {Arg(mode), Arg("--select-first")});
  if (!fileMode && c.HasHiddenList) return UsageError(msg::OptionNeedsFileMode, {Arg("--hidden-list")});
  if (!fileMode && c.ShowAll) return UsageError(msg::OptionNeedsFileMode, {Arg("--show-all")});
  if (!c.Render() && !c.OutputPath.empty()) return UsageError(msg::OptionNeedsRender, {Arg("-o")});
  if (!c.Render() && c.HasSize) return UsageError(msg::OptionNeedsRender, {Arg("--size")});
  if (c.Render() && c.OutputPath.empty()) return UsageError(msg::RenderNeedsOutput, {});
  if (c.Render() && NamesAnInput(c, c.OutputPath)) return UsageError(msg::OutputIsInput, {Arg(c.OutputPath)});
  if (c.Render() && !ImageFormatOf(c.OutputPath)) return UsageError(msg::UnknownImageFormat, {Arg(c.OutputPath)});
  if (c.HasSize && !(ValidSide(c.Width) && ValidSide(c.Height)))
    return UsageError(msg::BadImageSize, {Arg(sizeText), Arg(kMaxImageSide)});
  return std::nullopt;
}

// Plain arguments are the folder, or in a file mode more logs.
void TakePlainArguments(CommandLine& c, const std::vector<std::string>& plain) {
  if (c.FileMode()) {
    c.LogFiles.push_back(c.Export() ? c.ExportLog : c.Render() ? c.RenderLog : c.SummaryLog);
    c.LogFiles.insert(c.LogFiles.end(), plain.begin(), plain.end());
  } else if (!plain.empty()) {
    c.HasFolder = true;
    c.Folder = plain.front();
  }
}

}  // namespace

CommandLineResult ParseCommandLine(const std::vector<std::string>& args) {
  CommandLineResult result;
  std::string sizeText;
  std::vector<std::string> plain;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool isOption = !optionsEnded && arg.size() > 1 && arg[0] == '-';
    if (!isOption) {
      plain.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    const auto equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const OptionSpec* spec = FindOption(name);
    if (!spec) return UsageError(msg::UnknownOption, {Arg(arg)});
    std::string value;
    if (spec->TakesValue) {
      if (equals != std::string::npos) value = arg.substr(equals + 1);
      else if (i + 1 < args.size()) value = args[++i];
      if (value.empty()) return UsageError(msg::MissingOptionValue, {Arg(name)});
    } else if (equals != std::string::npos) {
      return UsageError(msg::UnknownOption, {Arg(arg)});
    }
    if (name == "--size") sizeText = value;
    spec->Apply(result.Options, value);
  }
  TakePlainArguments(result.Options, plain);
  if (auto error = CheckCombination(result.Options, sizeText)) return *error;
  return result;
}

std::string UsageText() { return std::string(msg::Usage); }

namespace {

bool RequestsMode(const std::vector<std::string>& rawArgs, bool windowlessOnly) {
  for (const std::string& arg : rawArgs) {
    if (arg == "--") break;
    const OptionSpec* spec = FindOption(std::string_view(arg).substr(0, arg.find('=')));
    if (!spec) continue;
    if (spec->Kind == Mode::Windowless) return true;
    if (spec->Kind == Mode::Headless && !windowlessOnly) return true;
  }
  return false;
}

}  // namespace

bool RequestsHeadlessMode(const std::vector<std::string>& rawArgs) { return RequestsMode(rawArgs, false); }

bool RequestsWindowlessMode(const std::vector<std::string>& rawArgs) { return RequestsMode(rawArgs, true); }

bool RequestsOption(const std::vector<std::string>& rawArgs, std::string_view name) {
  for (const std::string& arg : rawArgs) {
    if (arg == "--") break;
    if (std::string_view(arg).substr(0, arg.find('=')) == name) return true;
  }
  return false;
}

bool DisplayIsSet() { return Set("DISPLAY") || Set("WAYLAND_DISPLAY"); }

bool ShowsUsageErrorOnScreen(const std::vector<std::string>& rawArgs, std::string_view qtPlatform, bool displaySet) {
  const bool invisible = qtPlatform == "offscreen" || qtPlatform == "minimal";
  return displaySet && !invisible && !RequestsHeadlessMode(rawArgs);
}

void ChoosePlatformForHeadlessMode(const std::vector<std::string>& rawArgs) {
  if (!RequestsHeadlessMode(rawArgs) || Set("QT_QPA_PLATFORM")) return;
  if (DisplayIsSet() && !RequestsMode(rawArgs, true)) return;
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

}  // namespace tokiwa
