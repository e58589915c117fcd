#include "runtime/safe_file.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

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

// Temporary files are named ".NAME.tmpPID-N" beside the file they replace.
std::string TempPrefix(const std::string& target) { return "." + BaseName(target) + ".tmp"; }

// Creates a fresh temporary file beside target; -1 with errno on failure.
int CreateTemp(FileSyscalls& sys, const std::string& target, std::string& tempPath) {
  static unsigned counter = 0;
  const std::string stem = DirName(target) + "/" + TempPrefix(target) + std::to_string(::getpid()) + "-";
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

// A device or FIFO is written to, not replaced (a rename would put a plain
// file where the device was). Opening does not wait for a FIFO's reader.
SafeWriteResult WriteInPlace(FileSyscalls& sys, const std::string& target, std::string_view data) {
  const int fd = sys.Open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0);
  if (fd < 0) return Failure("open", errno);
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  SafeWriteResult result = WriteAll(sys, fd, data);
  if (sys.Close(fd) != 0 && result) result = Failure("close", errno);
  return result;
}

SafeWriteResult WriteFileSafely(const std::string& path, std::string_view data) {
  FileSyscalls& sys = CurrentFileSyscalls();
  const std::string target = ResolveLinks(path);
  struct stat old;
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && (S_ISCHR(old.st_mode) || S_ISFIFO(old.st_mode))) return WriteInPlace(sys, target, data);

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

void RemoveStaleTemporaries(const std::string& path) {
  const std::string target = ResolveLinks(path);
  const std::string prefix = TempPrefix(target);
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(DirName(target), ec)) {
    const std::string name = entry.path().filename().string();
    if (name.compare(0, prefix.size(), prefix) != 0) continue;
    // The rest must be PID-N, and the PID no running process.
    const char* rest = name.c_str() + prefix.size();
    char* end = nullptr;
    const long pid = std::strtol(rest, &end, 10);
    if (end == rest || *end != '-' || pid <= 0 || pid > INT_MAX) continue;
    const char* counterEnd = nullptr;
    for (counterEnd = end + 1; std::isdigit(static_cast<unsigned char>(*counterEnd));) ++counterEnd;
    if (counterEnd == end + 1 || *counterEnd != '\0') continue;
    if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
    if (entry.is_regular_file(ec)) ::unlink(entry.path().c_str());
  }
}

}  // namespace tokiwa
