#pragma once
// The folder and name parts of a slash-separated path, as plain text: the
// program's paths are handled as strings (no normalisation, no file access).
#include <string>

namespace tokiwa {

// The folder part: "." without a slash, "/" for a name in the root.
inline std::string DirName(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

inline std::string BaseName(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

inline std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

}  // namespace tokiwa
