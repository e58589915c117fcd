#pragma once
// File system calls that fail on request, for testing the fault-safe writer
// and its callers without filling a disk or relying on permissions.
#include <cerrno>
#include <cstddef>
#include <limits>
#include <string>
#include <vector>

#include "runtime/file_syscalls.h"

namespace tokiwa::testing {

class FaultySyscalls : public FileSyscalls {
 public:
  int writeErrno = 0;                 // fail writes with this once failAfterBytes are written
  std::size_t failAfterBytes = 0;
  std::size_t maxChunk = std::numeric_limits<std::size_t>::max();  // short writes
  int fsyncErrno = 0;
  int renameErrno = 0;
  int renames = 0;
  std::vector<std::string> opened;

  int Open(const char* path, int flags, mode_t mode) override {
    opened.emplace_back(path);
    return FileSyscalls::Open(path, flags, mode);
  }
  ssize_t Write(int fd, const void* data, size_t size) override {
    if (writeErrno && written_ >= failAfterBytes) {
      errno = writeErrno;
      return -1;
    }
    std::size_t n = size < maxChunk ? size : maxChunk;
    if (writeErrno && n > failAfterBytes - written_) n = failAfterBytes - written_;
    const ssize_t done = FileSyscalls::Write(fd, data, n);
    if (done > 0) written_ += static_cast<std::size_t>(done);
    return done;
  }
  int Fsync(int fd) override {
    if (fsyncErrno) {
      errno = fsyncErrno;
      return -1;
    }
    return FileSyscalls::Fsync(fd);
  }
  int Rename(const char* from, const char* to) override {
    ++renames;
    if (renameErrno) {
      errno = renameErrno;
      return -1;
    }
    return FileSyscalls::Rename(from, to);
  }

 private:
  std::size_t written_ = 0;
};

}  // namespace tokiwa::testing
