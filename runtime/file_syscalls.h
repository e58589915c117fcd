#pragma once
// The system calls the fault-safe writer makes, behind one small interface so
// tests can inject failures (no space, short writes, a failing rename) without
// depending on permissions or a full disk. Each call reports like the system
// call it stands for: -1 with errno set on failure.
#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>

namespace tokiwa {

class FileSyscalls {
 public:
  virtual ~FileSyscalls() = default;
  virtual int Open(const char* path, int flags, mode_t mode);
  virtual ssize_t Write(int fd, const void* data, size_t size);
  virtual int Fsync(int fd);
  virtual int Fchmod(int fd, mode_t mode);
  virtual int Close(int fd);
  virtual int Rename(const char* from, const char* to);
  virtual int Unlink(const char* path);
};

// The calls in effect: the real ones unless a test has installed others.
FileSyscalls& CurrentFileSyscalls();

// Installs replacement calls for the lifetime of this object (tests only).
class ScopedFileSyscalls {
 public:
  explicit ScopedFileSyscalls(FileSyscalls* calls);
  ~ScopedFileSyscalls();
  ScopedFileSyscalls(const ScopedFileSyscalls&) = delete;
  ScopedFileSyscalls& operator=(const ScopedFileSyscalls&) = delete;

 private:
  FileSyscalls* previous_;
};

}  // namespace tokiwa
