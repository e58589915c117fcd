#pragma once
// Several delimited-text files read into one decoded buffer, so a grid can
// show their lines one after another from a single text. Each file also
// records where its last complete line ends in the file, for a reader that
// comes back later for what was appended.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/exclusive_read.h"

namespace tokiwa {

// How many raw bytes before a file's last line end are kept to recognise the
// file when it is read again.
inline constexpr std::size_t kTextGuardBytes = 64;

// Appends more to guard and keeps the last kTextGuardBytes; only the tail of
// more is copied, which matters when more is a megabyte of a file.
void AppendToGuard(std::string& guard, std::string_view more);

// How far a file has been read.
struct FileReadState {
  std::uint64_t RawBytes = 0;       // file bytes taken: to the end or the NUL
  std::uint64_t CompleteBytes = 0;  // of those, up to and including the last CR or LF
  std::string Guard;                // the raw bytes just before CompleteBytes
  bool EndedAtNul = false;
  std::uint64_t Device = 0;
  std::uint64_t Inode = 0;

  // The last line had no line end yet.
  bool EndsHalfWritten() const { return RawBytes > CompleteBytes; }
};

struct FileText {
  std::string Name;
  std::string_view Text;  // UTF-8, up to the file's first NUL
  FileReadState Read;
};

struct GridTexts {
  std::shared_ptr<const char> Data;  // every file's text, in the order given
  std::size_t Size = 0;
  std::vector<FileText> Files;
};

// Reads and decodes the CP932 files in order, each opened exclusively. Raises
// the first failing file's EFOpenError (see TStringGridIO::LoadGrid); files
// together larger than kMaxGridFileBytes raise msg::FilesTooLarge.
GridTexts ReadGridTexts(const std::vector<std::string>& fileNames);

// The reading loop of ReadGridTexts for readers of their own: read(i, budget)
// reads file i taking at most budget bytes, and answers its outcome and the
// raw bytes it took; failures raise as there.
using ReadOneFile = std::function<ReadOutcome(std::size_t file, std::uint64_t budget, std::uint64_t& taken)>;
void ReadFilesInOrder(const std::vector<std::string>& fileNames, const ReadOneFile& read);

}  // namespace tokiwa
