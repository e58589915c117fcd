#include "gridio/exclusive_read.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

namespace tokiwa {

namespace {

constexpr std::size_t kPieceBytes = 1 << 20;

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

ReadOutcome ReadFileExclusive(const std::string& path, std::uint64_t maxBytes, ReadSink& sink) {
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

  // The size fstat reported is only a hint: the file may grow while it is read.
  sink.Begin(static_cast<std::uint64_t>(st.st_size));
  std::unique_ptr<char[]> piece(new char[kPieceBytes]);
  std::uint64_t total = 0;
  for (;;) {
    const ssize_t n = ReadUpTo(fd.get(), piece.get(), kPieceBytes);
    if (n < 0) return ReadOutcome::roReadError;
    if (n == 0) break;
    total += static_cast<std::uint64_t>(n);
    if (total > maxBytes) return ReadOutcome::roTooLarge;
    if (!sink.Consume(std::string_view(piece.get(), static_cast<std::size_t>(n)))) break;
  }
  sink.End();
  return ReadOutcome::roOk;
}

}  // namespace tokiwa
