#include "app/command_line.h"

#include <cstdlib>
#include <functional>
#include <string_view>

#include "runtime/messages.h"

namespace tokiwa {

namespace {

struct OptionSpec {
  std::string_view Name;
  bool TakesValue;
  bool Headless;
  std::function<void(CommandLine&, const std::string& value)> Apply;
};

const std::vector<OptionSpec>& Options() {
  static const std::vector<OptionSpec> options = {
      {"--screenshot", true, true, [](CommandLine& c, const std::string& v) { c.ScreenshotPath = v; }},
      {"--select-first", false, false, [](CommandLine& c, const std::string&) { c.SelectFirst = true; }},
  };
  return options;
}

const OptionSpec* FindOption(std::string_view name) {
  for (const OptionSpec& spec : Options())
    if (spec.Name == name) return &spec;
  return nullptr;
}

CommandLineResult UsageError(std::string_view format, const std::string& arg) {
  CommandLineResult result;
  result.ExitStatus = kExitUsage;
  result.Error = FormatText(format, {Arg(arg)});
  return result;
}

bool Set(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

}  // namespace

CommandLineResult ParseCommandLine(const std::vector<std::string>& args) {
  CommandLineResult result;
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
    if (!spec) return UsageError(msg::UnknownOption, arg);
    std::string value;
    if (spec->TakesValue) {
      if (equals != std::string::npos) value = arg.substr(equals + 1);
      else if (i + 1 < args.size()) value = args[++i];
      if (value.empty()) return UsageError(msg::MissingOptionValue, name);
    } else if (equals != std::string::npos) {
      return UsageError(msg::UnknownOption, arg);
    }
    spec->Apply(result.Options, value);
  }
  return result;
}

bool RequestsHeadlessMode(const std::vector<std::string>& rawArgs) {
  for (const std::string& arg : rawArgs) {
    if (arg == "--") break;
    const OptionSpec* spec = FindOption(std::string_view(arg).substr(0, arg.find('=')));
    if (spec && spec->Headless) return true;
  }
  return false;
}

void ChoosePlatformForHeadlessMode(const std::vector<std::string>& rawArgs) {
  if (!RequestsHeadlessMode(rawArgs)) return;
  if (Set("QT_QPA_PLATFORM") || Set("DISPLAY") || Set("WAYLAND_DISPLAY")) return;
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

}  // namespace tokiwa
