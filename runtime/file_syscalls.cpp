#include "runtime/file_syscalls.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace tokiwa {

int FileSyscalls::Open(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }
ssize_t FileSyscalls::Write(int fd, const void* data, size_t size) { return ::write(fd, data, size); }
int FileSyscalls::Fsync(int fd) { return ::fsync(fd); }
int FileSyscalls::Fchmod(int fd, mode_t mode) { return ::fchmod(fd, mode); }
int FileSyscalls::Close(int fd) { return ::close(fd); }
int FileSyscalls::Rename(const char* from, const char* to) { return std::rename(from, to); }
int FileSyscalls::Unlink(const char* path) { return ::unlink(path); }

namespace {

FileSyscalls& RealCalls() {
  static FileSyscalls calls;
  return calls;
}

FileSyscalls* current = nullptr;

}  // namespace

FileSyscalls& CurrentFileSyscalls() { return current ? *current : RealCalls(); }

ScopedFileSyscalls::ScopedFileSyscalls(FileSyscalls* calls) : previous_(current) { current = calls; }
ScopedFileSyscalls::~ScopedFileSyscalls() { current = previous_; }

}  // namespace tokiwa
