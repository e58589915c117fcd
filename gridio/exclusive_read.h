#pragma once
// Whole-file reading for the grid text loader: the file is opened without
// blocking, must be a regular file, and is held under an exclusive lock while
// it is read, so a log that another process holds locked is refused.
#include <cstdint>
#include <string>
#include <string_view>

namespace tokiwa {

enum class ReadOutcome {
  roOk,
  roCannotOpen,   // missing, no access, or locked by another process
  roNotRegular,   // a folder, FIFO, device or socket
  roReadError,
  roTooLarge,
};

// Receives the file piece by piece, so it can be converted while it is read
// instead of being held twice.
class ReadSink {
 public:
  virtual ~ReadSink() = default;
  // The file's size as the file system reports it, before the first piece.
  virtual void Begin(std::uint64_t size) = 0;
  // The next piece; returning false ends the reading early (not a failure).
  virtual bool Consume(std::string_view piece) = 0;
  // The file has been read to its end (or the sink stopped it).
  virtual void End() = 0;
};

ReadOutcome ReadFileExclusive(const std::string& path, std::uint64_t maxBytes, ReadSink& sink);

}  // namespace tokiwa
