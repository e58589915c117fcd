#include "app/command_line.h"

#include <sys/stat.h>

#include <charconv>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string_view>

#include "runtime/messages.h"

namespace tokiwa {

namespace {

// The largest picture --render makes, per side.
constexpr int kMaxImageSide = 16384;

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

// Options that only make sense together, checked once everything is read.
std::optional<CommandLineResult> CheckCombination(const CommandLine& c, const std::string& sizeText) {
  if (c.Help || c.Version) return std::nullopt;
  if (c.Export() && c.Render()) return UsageError(msg::OptionsExclusive, {Arg("--export"), Arg("--render")});
  const bool fileMode = c.Export() || c.Render();
  if (fileMode && c.Screenshot())
    return UsageError(msg::OptionsExclusive, {Arg(c.Export() ? "--export" : "--render"), Arg("--screenshot")});
  if (fileMode && c.SelectFirst)
    return UsageError(msg::OptionsExclusive, {Arg(c.Export() ? "--export" : "--render"), Arg("--select-first")});
  if (fileMode && c.HasFolder) return UsageError(msg::UnexpectedArgument, {Arg(c.Folder)});
  if (!fileMode && c.HasHiddenList) return UsageError(msg::OptionNeedsFileMode, {Arg("--hidden-list")});
  if (!fileMode && c.ShowAll) return UsageError(msg::OptionNeedsFileMode, {Arg("--show-all")});
  if (!c.Render() && !c.OutputPath.empty()) return UsageError(msg::OptionNeedsRender, {Arg("-o")});
  if (!c.Render() && c.HasSize) return UsageError(msg::OptionNeedsRender, {Arg("--size")});
  if (c.Render() && c.OutputPath.empty()) return UsageError(msg::RenderNeedsOutput, {});
  if (c.Render() && (SameFile(c.OutputPath, c.RenderLog) || (c.HasHiddenList && SameFile(c.OutputPath, c.HiddenListPath))))
    return UsageError(msg::OutputIsInput, {Arg(c.OutputPath)});
  if (c.HasSize && !(ValidSide(c.Width) && ValidSide(c.Height)))
    return UsageError(msg::BadImageSize, {Arg(sizeText), Arg(kMaxImageSide)});
  return std::nullopt;
}

}  // namespace

CommandLineResult ParseCommandLine(const std::vector<std::string>& args) {
  CommandLineResult result;
  std::string sizeText;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool isOption = !optionsEnded && arg.size() > 1 && arg[0] == '-';
    if (!isOption) {
      if (!result.Options.HasFolder) {
        result.Options.HasFolder = true;
        result.Options.Folder = arg;
      }
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
