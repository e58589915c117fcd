#include "timeline/log_growth.h"

#include <cstring>
#include <string>

#include "runtime/exclusive_read.h"
#include "timeline/launch_log.h"

namespace tokiwa {

namespace {

// The complete lines a log gained, or why there are none.
struct Gain {
  LogGrowth kind = LogGrowth::lgNone;
  std::string taken;      // the file bytes taken in, ending in a line end
  std::size_t skip = 0;   // of which the first belongs to the last line before

  std::string_view Lines() const { return std::string_view(taken).substr(skip); }
};

bool SameFile(const FileReadState& read, const FileSnapshot& now) {
  return now.Device == read.Device && now.Inode == read.Inode && now.Size >= read.RawBytes &&
         now.Before == read.Guard;
}

Gain ReadGain(const std::string& path, const FileReadState& read) {
  Gain gain;
  FileSnapshot now;
  const ReadOutcome outcome = ReadFileFrom(path, read.CompleteBytes, read.Guard.size(), kMaxAppendedBytes, now);
  if (outcome == ReadOutcome::roTooLarge) gain.kind = LogGrowth::lgRewritten;
  if (outcome != ReadOutcome::roOk) return gain;
  if (!SameFile(read, now)) {
    gain.kind = LogGrowth::lgRewritten;
    return gain;
  }
  if (read.EndedAtNul || now.Size == read.RawBytes) return gain;
  std::string_view bytes = now.Bytes;
  // A NUL ends a log's text: only a whole read places it right.
  if (std::memchr(bytes.data(), '\0', bytes.size())) {
    gain.kind = LogGrowth::lgRewritten;
    return gain;
  }
  // The LF of a CR LF whose CR ended the last line taken.
  const std::size_t skip = !read.Guard.empty() && read.Guard.back() == '\r' && !bytes.empty() && bytes[0] == '\n';
  bytes.remove_prefix(skip);
  const std::size_t end = bytes.find_last_of("\r\n");
  if (end == std::string_view::npos) return gain;
  gain.kind = LogGrowth::lgAppended;
  gain.taken.assign(now.Bytes, 0, skip + end + 1);
  gain.skip = skip;
  return gain;
}

void Advance(FileReadState& read, const Gain& gain) {
  read.CompleteBytes += gain.taken.size();
  read.RawBytes = read.CompleteBytes;
  AppendToGuard(read.Guard, gain.taken);
}

}  // namespace

LogGrowth TakeAppendedLines(TStringGridIO& io, std::vector<LoadedLog>& logs) {
  LogGrowth result = LogGrowth::lgNone;
  for (std::size_t i = 0; i < logs.size(); ++i) {
    LoadedLog& log = logs[i];
    const Gain gain = ReadGain(log.Path, log.Read);
    if (gain.kind == LogGrowth::lgRewritten) return gain.kind;
    if (gain.kind != LogGrowth::lgAppended) continue;
    // The half-written row the last read showed gives way to the complete line.
    const int removed = log.Read.EndsHalfWritten() ? 1 : 0;
    const int first = log.Rows.First + log.Rows.Count - removed;
    const int inserted = io.ReplaceRows(first, removed, gain.Lines(), kLogDelimiter, true);
    if (inserted < 0) return LogGrowth::lgRewritten;
    log.Rows.Count += inserted - removed;
    for (std::size_t j = i + 1; j < logs.size(); ++j) logs[j].Rows.First += inserted - removed;
    Advance(log.Read, gain);
    result = LogGrowth::lgAppended;
  }
  return result;
}

}  // namespace tokiwa
