#include "app/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "runtime/messages.h"
#include "runtime/path_names.h"

namespace tokiwa {

std::string SingleInstanceLock::DefaultPath() {
  const std::string name(msg::SingleInstanceName);
  const char* runtimeDir = std::getenv("XDG_RUNTIME_DIR");
  if (runtimeDir && *runtimeDir) return std::string(runtimeDir) + "/" + name + ".lock";
  const char* tmp = std::getenv("TMPDIR");
  const std::string tmpDir = tmp && *tmp ? tmp : "/tmp";
  // A shared folder: the user id keeps users apart.
  return tmpDir + "/" + name + "-" + std::to_string(getuid()) + ".lock";
}

std::string SingleInstanceLock::PathBeside(const std::string& file) {
  return JoinPath(DirName(file), "." + std::string(msg::SingleInstanceName) + ".lock");
}

SingleInstanceLock::SingleInstanceLock(std::string path) : path_(std::move(path)) {
  // O_NOFOLLOW: in a shared temporary folder another user could plant a link.
  fd_ = open(path_.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd_ < 0) return;
  if (flock(fd_, LOCK_EX | LOCK_NB) == 0) {
    state_ = State::kHeld;
    return;
  }
  if (errno == EWOULDBLOCK) state_ = State::kAlreadyRunning;
  close(fd_);
  fd_ = -1;
}

SingleInstanceLock::~SingleInstanceLock() {
  if (fd_ >= 0) close(fd_);
}

}  // namespace tokiwa
