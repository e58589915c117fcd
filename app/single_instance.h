#pragma once
// One viewer per set of settings and list files. The instance holds an
// exclusive lock on a file named after the instance name, kept beside those
// files; the kernel drops the lock when the process ends, however it ends, so
// a crashed viewer never blocks the next start.
#include <string>

namespace tokiwa {

class SingleInstanceLock {
 public:
  enum class State {
    kHeld,            // this process is the only instance
    kAlreadyRunning,  // another open of the lock file holds it
    kUnavailable,     // the lock file could not be opened; run unguarded
  };

  // The lock file: in $XDG_RUNTIME_DIR (private to the user), else in the
  // temporary folder with the user id in its name.
  static std::string DefaultPath();
  // The lock file in the folder of file (the settings and list folder).
  static std::string PathBeside(const std::string& file);

  // Tries the lock at once, without waiting.
  explicit SingleInstanceLock(std::string path = DefaultPath());
  ~SingleInstanceLock();
  SingleInstanceLock(const SingleInstanceLock&) = delete;
  SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

  State state() const { return state_; }
  bool AlreadyRunning() const { return state_ == State::kAlreadyRunning; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  int fd_ = -1;
  State state_ = State::kUnavailable;
};

}  // namespace tokiwa
