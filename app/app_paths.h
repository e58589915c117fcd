#pragma once
// Where the viewer keeps its settings file (".INI") and hidden-program list
// (".LST"): beside the executable, named after it. When the executable's folder
// cannot be written or lies under /usr (an installed program), both live in
// the user's configuration folder, $XDG_CONFIG_HOME/tokiwa (default
// ~/.config/tokiwa), under the same names. $TOKIWA_CONFIG_DIR overrides the
// folder for both.
#include <functional>
#include <string>

namespace tokiwa {

struct AppPaths {
  std::string IniFileName;
  std::string ListFileName;
};

// The running executable's full path.
std::string ExecutablePath();

// path with its extension (from the last '.' of the file name on) replaced by
// ext; a name without extension gets ext appended.
std::string ChangeFileExt(const std::string& path, const std::string& ext);

// What the choice of folder depends on, so tests can set it.
struct PathEnvironment {
  std::string ConfigDirOverride;  // $TOKIWA_CONFIG_DIR
  std::string XdgConfigHome;      // $XDG_CONFIG_HOME
  std::string Home;               // $HOME
  std::function<bool(const std::string& folder)> IsWritable;

  static PathEnvironment FromProcess();
};

// The folder the configuration files go to when the executable's folder is
// not writable.
std::string UserConfigFolder(const PathEnvironment& env);

AppPaths ResolveAppPaths(const std::string& executable, const PathEnvironment& env);

// For this process; creates the configuration folder when it is used.
AppPaths ResolveAppPaths();

}  // namespace tokiwa
