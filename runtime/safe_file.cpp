#include "runtime/safe_file.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "runtime/file_syscalls.h"
#include "runtime/path_names.h"

namespace tokiwa {

namespace {

constexpr int kMaxSymlinkDepth = 40;
constexpr int kMaxTempAttempts = 100;

// Follows symbolic links to the file that really holds the data, so that
// replacing it keeps the link. A dangling link resolves to where it points.
std::string ResolveLinks(std::string path) {
  for (int depth = 0; depth < kMaxSymlinkDepth; ++depth) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char target[PATH_MAX];
    const ssize_t n = ::readlink(path.c_str(), target, sizeof target - 1);
    if (n <= 0) return path;
    std::string next(target, static_cast<std::size_t>(n));
    path = next[0] == '/' ? next : DirName(path) + "/" + next;
  }
  return path;
}

SafeWriteResult Failure(const char* step, int error) {
  SafeWriteResult r;
  r.error = error ? error : EIO;
  r.step = step;
  return r;
}

SafeWriteResult WriteAll(FileSyscalls& sys, int fd, std::string_view data) {
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = sys.Write(fd, data.data() + done, data.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return Failure("write", errno);
    }
    if (n == 0) return Failure("write", EIO);
    done += static_cast<std::size_t>(n);
  }
  return {};
}

// Creates a fresh temporary file beside target; -1 with errno on failure.
int CreateTemp(FileSyscalls& sys, const std::string& target, std::string& tempPath) {
  static unsigned counter = 0;
  const std::string stem = DirName(target) + "/." + BaseName(target) + ".tmp" +
                           std::to_string(::getpid()) + "-";
  for (int attempt = 0; attempt < kMaxTempAttempts; ++attempt) {
    tempPath = stem + std::to_string(++counter);
    const int fd = sys.Open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

void SyncFolder(FileSyscalls& sys, const std::string& folder) {
  const int fd = sys.Open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (fd < 0) return;
  sys.Fsync(fd);
  sys.Close(fd);
}

}  // namespace

SafeWriteResult WriteFileSafely(const std::string& path, std::string_view data) {
  FileSyscalls& sys = CurrentFileSyscalls();
  const std::string target = ResolveLinks(path);
  struct stat old;
  const bool exists = ::stat(target.c_str(), &old) == 0;

  std::string tempPath;
  const int fd = CreateTemp(sys, target, tempPath);
  if (fd < 0) return Failure("open", errno);

  SafeWriteResult result = WriteAll(sys, fd, data);
  if (result && exists) {
    // Keep the replaced file's permissions (and owner, where allowed).
    if (sys.Fchmod(fd, old.st_mode & 07777) != 0) result = Failure("fchmod", errno);
    else if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
      // Only a privileged process may give a file away; the data matters more.
    }
  }
  if (result && sys.Fsync(fd) != 0) result = Failure("fsync", errno);
  if (sys.Close(fd) != 0 && result) result = Failure("close", errno);
  if (result && sys.Rename(tempPath.c_str(), target.c_str()) != 0) result = Failure("rename", errno);
  if (!result) {
    const int saved = errno;
    sys.Unlink(tempPath.c_str());
    errno = saved;
    return result;
  }
  SyncFolder(sys, DirName(target));
  return result;
}

}  // namespace tokiwa
