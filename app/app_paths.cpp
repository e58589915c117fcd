#include "app/app_paths.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "runtime/path_names.h"

namespace tokiwa {

namespace {

constexpr const char* kIniExt = ".INI";
constexpr const char* kListExt = ".LST";
constexpr const char* kConfigSubfolder = "tokiwa";

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

}  // namespace

std::string ExecutablePath() {
  std::error_code ec;
  const auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) return path.string();
  // Without /proc, the name the program was started by is the best guess.
  return std::filesystem::absolute("tokiwa", ec).string();
}

std::string ChangeFileExt(const std::string& path, const std::string& ext) {
  const auto nameStart = path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1;
  const auto dot = path.rfind('.');
  if (dot == std::string::npos || dot <= nameStart) return path + ext;
  return path.substr(0, dot) + ext;
}

PathEnvironment PathEnvironment::FromProcess() {
  PathEnvironment env;
  env.ConfigDirOverride = Env("TOKIWA_CONFIG_DIR");
  env.XdgConfigHome = Env("XDG_CONFIG_HOME");
  env.Home = Env("HOME");
  env.IsWritable = [](const std::string& folder) {
    // /usr holds read-only installed files; root passes the access test there
    // and would otherwise leave its settings in /usr/bin.
    if (folder == "/usr" || folder.starts_with("/usr/")) return false;
    return access(folder.c_str(), W_OK | X_OK) == 0;
  };
  return env;
}

std::string UserConfigFolder(const PathEnvironment& env) {
  // Relative values are invalid in the base-directory convention and ignored.
  if (!env.XdgConfigHome.empty() && env.XdgConfigHome.front() == '/')
    return JoinPath(env.XdgConfigHome, kConfigSubfolder);
  return JoinPath(JoinPath(env.Home.empty() ? "." : env.Home, ".config"), kConfigSubfolder);
}

AppPaths ResolveAppPaths(const std::string& executable, const PathEnvironment& env) {
  std::string base = executable;
  if (!env.ConfigDirOverride.empty()) {
    base = JoinPath(env.ConfigDirOverride, BaseName(executable));
  } else if (!env.IsWritable || !env.IsWritable(DirName(executable))) {
    base = JoinPath(UserConfigFolder(env), BaseName(executable));
  }
  return {ChangeFileExt(base, kIniExt), ChangeFileExt(base, kListExt)};
}

AppPaths ResolveAppPaths() {
  const PathEnvironment env = PathEnvironment::FromProcess();
  AppPaths paths = ResolveAppPaths(ExecutablePath(), env);
  // The folder may not exist yet; a failure here shows up as a write error
  // at close, reported there.
  std::error_code ec;
  std::filesystem::create_directories(DirName(paths.IniFileName), ec);
  return paths;
}

}  // namespace tokiwa
