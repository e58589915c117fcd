#include "gridio/exclusive_read.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tokiwa {

namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// Reads into buf until it is full or the file ends; -1 on a read error.
ssize_t ReadUpTo(int fd, char* buf, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::read(fd, buf + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return static_cast<ssize_t>(done);
}

}  // namespace

ReadOutcome ReadFileExclusive(const std::string& path, std::uint64_t maxBytes, std::string& bytes) {
  // O_NONBLOCK: opening a FIFO must not wait for a writer.
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) return ReadOutcome::roCannotOpen;
  struct stat st;
  if (::fstat(fd.get(), &st) != 0) return ReadOutcome::roReadError;
  if (!S_ISREG(st.st_mode)) return ReadOutcome::roNotRegular;
  // Only a lock held elsewhere refuses the file; a file system without locks
  // is read unlocked.
  if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK)
    return ReadOutcome::roCannotOpen;
  if (static_cast<std::uint64_t>(st.st_size) > maxBytes) return ReadOutcome::roTooLarge;

  // Read the size fstat reported, then whatever the file has grown by, one
  // byte past the limit at most so growth beyond it is noticed.
  std::string data;
  data.resize(static_cast<std::size_t>(st.st_size));
  ssize_t n = ReadUpTo(fd.get(), data.data(), data.size());
  if (n < 0) return ReadOutcome::roReadError;
  data.resize(static_cast<std::size_t>(n));
  char chunk[65536];
  for (;;) {
    const std::uint64_t room = maxBytes + 1 - data.size();
    n = ReadUpTo(fd.get(), chunk, room < sizeof chunk ? static_cast<std::size_t>(room) : sizeof chunk);
    if (n < 0) return ReadOutcome::roReadError;
    if (n == 0) break;
    data.append(chunk, static_cast<std::size_t>(n));
    if (data.size() > maxBytes) return ReadOutcome::roTooLarge;
  }
  bytes = std::move(data);
  return ReadOutcome::roOk;
}

}  // namespace tokiwa
