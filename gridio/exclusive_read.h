#pragma once
// Whole-file reading for the grid text loader: the file is opened without
// blocking, must be a regular file, and is held under an exclusive lock while
// it is read, so a log that another process holds locked is refused.
#include <cstdint>
#include <string>

namespace tokiwa {

enum class ReadOutcome {
  roOk,
  roCannotOpen,   // missing, no access, or locked by another process
  roNotRegular,   // a folder, FIFO, device or socket
  roReadError,
  roTooLarge,
};

ReadOutcome ReadFileExclusive(const std::string& path, std::uint64_t maxBytes, std::string& bytes);

}  // namespace tokiwa
