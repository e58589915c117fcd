#pragma once
// What every fuzz target needs: a check that stops the run at a broken
// invariant, and a file in memory for code that reads files by name.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace fuzz {

inline void Check(bool ok, const char* what = "") {
  if (ok) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

// One file per process, rewritten for each input; opened through its /proc
// path like any other file.
inline std::string MemoryFile(std::string_view bytes) {
  static const int fd = memfd_create("tokiwa-fuzz", MFD_CLOEXEC);
  Check(fd >= 0 && ftruncate(fd, 0) == 0, "memory file");
  Check(pwrite(fd, bytes.data(), bytes.size(), 0) == static_cast<ssize_t>(bytes.size()), "memory file write");
  return "/proc/self/fd/" + std::to_string(fd);
}

}  // namespace fuzz
