#include "runtime/exclusive_read.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <thread>
#include <algorithm>
#include <cstring>
#include <memory>

#include "runtime/exceptions.h"
#include "runtime/messages.h"

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
  void reset(int fd) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }

 private:
  int fd_;
};

// Reads into buf from offset until it is full or the file ends; -1 on a read
// error. Leaves the file position alone, so two threads may share the file.
ssize_t PreadUpTo(int fd, char* buf, std::size_t size, std::uint64_t offset) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::pread(fd, buf + done, size - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return static_cast<ssize_t>(done);
}

// Opens a regular file for reading and locks it; roOk leaves it open in fd.
ReadOutcome OpenLocked(const std::string& path, FileDescriptor& fd, struct stat& st) {
  // O_NONBLOCK: opening a FIFO must not wait for a writer.
  fd.reset(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) return ReadOutcome::roCannotOpen;
  if (::fstat(fd.get(), &st) != 0) return ReadOutcome::roReadError;
  if (!S_ISREG(st.st_mode)) return ReadOutcome::roNotRegular;
  // Only a lock held elsewhere refuses the file; a file system without locks
  // is read unlocked.
  if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK)
    return ReadOutcome::roCannotOpen;
  return ReadOutcome::roOk;
}

// Appends what the file holds from offset on to bytes; false on a read error.
bool AppendFrom(int fd, std::uint64_t offset, std::uint64_t count, std::string& bytes) {
  const std::size_t start = bytes.size();
  bytes.resize(start + static_cast<std::size_t>(count));
  const ssize_t n = PreadUpTo(fd, bytes.data() + start, static_cast<std::size_t>(count), offset);
  if (n < 0) return false;
  bytes.resize(start + static_cast<std::size_t>(n));
  return true;
}

// Hands the file from offset on to sink a piece at a time, up to offset +
// count (or to its end, which may have moved since it was opened); more than
// maxBytes from the start of the file is roTooLarge. stopped tells whether the
// sink ended the reading.
ReadOutcome ReadPieces(int fd, std::uint64_t offset, std::uint64_t count, std::uint64_t maxBytes, ReadSink& sink,
                       bool& stopped) {
  stopped = false;
  std::unique_ptr<char[]> piece(new char[kPieceBytes]);
  const std::uint64_t end = count > UINT64_MAX - offset ? UINT64_MAX : offset + count;
  while (offset < end) {
    const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(kPieceBytes, end - offset));
    const ssize_t n = PreadUpTo(fd, piece.get(), want, offset);
    if (n < 0) return ReadOutcome::roReadError;
    if (n == 0) break;
    offset += static_cast<std::uint64_t>(n);
    if (offset > maxBytes) return ReadOutcome::roTooLarge;
    if (!sink.Consume(std::string_view(piece.get(), static_cast<std::size_t>(n)))) {
      stopped = true;
      break;
    }
  }
  return ReadOutcome::roOk;
}

// Where the second of two parts starts: just after the first cutAfter byte
// from the middle of size on, looked for in a window; 0 when there is none.
std::uint64_t CutPoint(int fd, std::uint64_t size, char cutAfter) {
  constexpr std::size_t kWindow = 64 << 10;
  std::unique_ptr<char[]> window(new char[kWindow]);
  const ssize_t n = PreadUpTo(fd, window.get(), kWindow, size / 2);
  if (n <= 0) return 0;
  const void* hit = std::memchr(window.get(), cutAfter, static_cast<std::size_t>(n));
  if (!hit) return 0;
  const std::uint64_t cut = size / 2 + static_cast<std::uint64_t>(static_cast<const char*>(hit) - window.get()) + 1;
  return cut < size ? cut : 0;
}

}  // namespace

ReadOutcome ReadFileExclusive(const std::string& path, std::uint64_t maxBytes, ReadSink& sink) {
  return ReadFileInTwo(path, maxBytes, UINT64_MAX, '\n', sink, sink);
}

ReadOutcome ReadFileInTwo(const std::string& path, std::uint64_t maxBytes, std::uint64_t splitBytes, char cutAfter,
                          ReadSink& first, ReadSink& second) {
  FileDescriptor fd(-1);
  struct stat st;
  if (const ReadOutcome opened = OpenLocked(path, fd, st); opened != ReadOutcome::roOk) return opened;
  const auto size = static_cast<std::uint64_t>(st.st_size);
  if (size > maxBytes) return ReadOutcome::roTooLarge;

  first.Opened(static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino));
  const std::uint64_t cut = size >= splitBytes ? CutPoint(fd.get(), size, cutAfter) : 0;
  bool stopped = false;
  if (cut == 0) {
    // The size fstat reported is only a hint: the file may grow while it is read.
    first.Begin(size);
    const ReadOutcome outcome = ReadPieces(fd.get(), 0, UINT64_MAX, maxBytes, first, stopped);
    if (outcome != ReadOutcome::roOk) return outcome;
    first.End();
    return ReadOutcome::roOk;
  }
  first.Begin(size);
  second.Begin(size - cut);
  ReadOutcome secondOutcome = ReadOutcome::roOk;
  bool secondStopped = false;
  ReadOutcome firstOutcome;
  {
    std::jthread reader([&] {
      secondOutcome = ReadPieces(fd.get(), cut, UINT64_MAX, maxBytes, second, secondStopped);
      if (secondOutcome == ReadOutcome::roOk) second.End();
    });
    firstOutcome = ReadPieces(fd.get(), 0, cut, maxBytes, first, stopped);
  }
  if (firstOutcome != ReadOutcome::roOk) return firstOutcome;
  first.End();
  // Reading in one go would have ended where the first part's sink stopped.
  return stopped ? ReadOutcome::roOk : secondOutcome;
}

ReadOutcome ReadFileFrom(const std::string& path, std::uint64_t offset, std::size_t beforeBytes,
                         std::uint64_t maxBytes, FileSnapshot& snapshot) {
  snapshot = FileSnapshot{};
  FileDescriptor fd(-1);
  struct stat st;
  if (const ReadOutcome opened = OpenLocked(path, fd, st); opened != ReadOutcome::roOk) return opened;
  snapshot.Device = static_cast<std::uint64_t>(st.st_dev);
  snapshot.Inode = static_cast<std::uint64_t>(st.st_ino);
  snapshot.Size = static_cast<std::uint64_t>(st.st_size);
  if (snapshot.Size > offset && snapshot.Size - offset > maxBytes) return ReadOutcome::roTooLarge;
  const std::uint64_t before = std::min<std::uint64_t>(beforeBytes, offset);
  if (!AppendFrom(fd.get(), offset - before, before, snapshot.Before)) return ReadOutcome::roReadError;
  // Bytes written since fstat are left for the next read.
  if (snapshot.Size > offset && !AppendFrom(fd.get(), offset, snapshot.Size - offset, snapshot.Bytes))
    return ReadOutcome::roReadError;
  return ReadOutcome::roOk;
}

namespace {

class StringSink : public ReadSink {
 public:
  StringSink(std::string& bytes, bool stopAtNul) : bytes_(bytes), stopAtNul_(stopAtNul) {}
  void Begin(std::uint64_t size) override {
    bytes_.clear();
    bytes_.reserve(static_cast<std::size_t>(size));
  }
  bool Consume(std::string_view piece) override {
    const void* nul = stopAtNul_ ? std::memchr(piece.data(), '\0', piece.size()) : nullptr;
    if (!nul) {
      bytes_.append(piece);
      return true;
    }
    bytes_.append(piece.data(), static_cast<std::size_t>(static_cast<const char*>(nul) - piece.data()));
    return false;
  }
  void End() override {}

 private:
  std::string& bytes_;
  bool stopAtNul_;
};

}  // namespace

ReadOutcome ReadSmallFile(const std::string& path, std::uint64_t maxBytes, bool stopAtNul, std::string& bytes) {
  StringSink sink(bytes, stopAtNul);
  return ReadFileExclusive(path, maxBytes, sink);
}

void ThrowIfFailed(ReadOutcome outcome, const std::string& path, std::uint64_t maxBytes) {
  switch (outcome) {
    case ReadOutcome::roOk: return;
    case ReadOutcome::roCannotOpen: throw EFOpenError(FormatText(msg::FileOpenError, {Arg(path)}));
    case ReadOutcome::roNotRegular: throw EFOpenError(FormatText(msg::NotRegularFile, {Arg(path)}));
    case ReadOutcome::roReadError: throw EFOpenError(FormatText(msg::FileReadError, {Arg(path)}));
    case ReadOutcome::roTooLarge:
      throw EFOpenError(FormatText(msg::FileTooLarge, {Arg(path), Arg(static_cast<long long>(maxBytes >> 20))}));
  }
}

}  // namespace tokiwa
