#pragma once
// Whole-file reading for everything the program reads (logs, the hidden list,
// the settings): the file is opened without blocking, must be a regular file,
// and is held under an exclusive lock while it is read, so a file that another
// process holds locked is refused, and a FIFO or device never hangs or floods
// the program.
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
  // Which file was opened (device and inode), before Begin: a reader that
  // comes back for more can tell a file replaced since.
  virtual void Opened(std::uint64_t /*device*/, std::uint64_t /*inode*/) {}
  // The file's size as the file system reports it, before the first piece.
  virtual void Begin(std::uint64_t size) = 0;
  // The next piece; returning false ends the reading early (not a failure).
  virtual bool Consume(std::string_view piece) = 0;
  // The file has been read to its end (or the sink stopped it).
  virtual void End() = 0;
};

ReadOutcome ReadFileExclusive(const std::string& path, std::uint64_t maxBytes, ReadSink& sink);

// The same for a file of splitBytes or more, read as two parts at once: first
// takes the bytes up to and including the first cutAfter byte from the middle
// on, second (on another thread) the rest. Each part has its own Begin and
// End; Opened goes to first, whose Begin is told the whole file's size, as
// second's part is meant to follow it. When first stops the reading, what
// second received is not part of the file's text. A file without such a byte
// near its middle goes to first alone.
ReadOutcome ReadFileInTwo(const std::string& path, std::uint64_t maxBytes, std::uint64_t splitBytes, char cutAfter,
                          ReadSink& first, ReadSink& second);

// What ReadFileFrom found.
struct FileSnapshot {
  std::uint64_t Device = 0;
  std::uint64_t Inode = 0;
  std::uint64_t Size = 0;
  std::string Before;  // the bytes just before the offset
  std::string Bytes;   // from the offset to the end
};

// Opens and locks a file as ReadFileExclusive does, and reads the up to
// beforeBytes bytes before offset and everything from offset on: for a reader
// that took in the file up to offset and comes back for what was appended.
// roTooLarge when more than maxBytes follow the offset.
ReadOutcome ReadFileFrom(const std::string& path, std::uint64_t offset, std::size_t beforeBytes,
                         std::uint64_t maxBytes, FileSnapshot& snapshot);

// Reads a small file whole into bytes; with stopAtNul, only up to its first
// NUL (excluded), for texts that end there.
ReadOutcome ReadSmallFile(const std::string& path, std::uint64_t maxBytes, bool stopAtNul, std::string& bytes);

// Raises EFOpenError with the message for a failed outcome (roOk returns):
// msg::FileOpenError, NotRegularFile, FileReadError, or FileTooLarge with the
// limit in megabytes.
void ThrowIfFailed(ReadOutcome outcome, const std::string& path, std::uint64_t maxBytes);

}  // namespace tokiwa
