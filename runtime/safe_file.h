#pragma once
// Replacing a file so that a crash, a full disk or a failed write never leaves
// it half written: the new contents go to a temporary file in the same folder,
// are flushed to disk, and then renamed over the old file.
#include <string>
#include <string_view>

namespace tokiwa {

struct SafeWriteResult {
  int error = 0;            // errno of the step that failed, 0 on success
  const char* step = "";    // the failing step ("open", "write", "fsync", "rename", ...)
  explicit operator bool() const { return error == 0; }
};

// Writes data as the new contents of path. A symbolic link is followed and its
// final target replaced, keeping that file's permission bits; a new file is
// created with mode 0644 (less the umask). On failure the old file is left
// intact and the temporary file removed. The folder is flushed after the
// rename; a failure of that last flush is ignored, the new file being in place.
// A character device or FIFO (/dev/stdout, /dev/full, a pipe) is written in
// place instead; a FIFO nobody reads fails at once.
[[nodiscard]] SafeWriteResult WriteFileSafely(const std::string& path, std::string_view data);

// Removes the temporary files WriteFileSafely left beside path when the
// process writing them was killed: those of processes that no longer exist.
void RemoveStaleTemporaries(const std::string& path);

}  // namespace tokiwa
