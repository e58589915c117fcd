#pragma once
// One exception family: every failure the user may see carries its message text.
#include <stdexcept>
#include <string>

namespace tokiwa {

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }
};

// The class library's own failures.
class EListError : public Exception { using Exception::Exception; };
class EFOpenError : public Exception { using Exception::Exception; };
class EFCreateError : public Exception { using Exception::Exception; };
class EIniFileException : public Exception { using Exception::Exception; };
class EConvertError : public Exception { using Exception::Exception; };

// Raises the list-index error for an index outside a list.
[[noreturn]] void ThrowListIndexError(long long index);

}  // namespace tokiwa
