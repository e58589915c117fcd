#include "timeline/log_stream.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>

#include "gridio/delimited_text.h"
#include "gridio/grid_text.h"
#include "gridio/string_grid_io.h"
#include "runtime/delimited_line.h"
#include "runtime/encoding.h"
#include "runtime/memory_hints.h"
#include "timeline/launch_log.h"

namespace tokiwa {

namespace {

// Below this a second thread costs more than it saves.
constexpr std::uint64_t kSplitFileBytes = std::uint64_t{1} << 20;
// Rows reserved per byte of a file before reading it: logs' lines are longer,
// and a file of shorter ones only grows its tables as it goes.
constexpr std::uint64_t kReservedRowBytes = 16;

// A row's stamp text, kept for the error message of a row a run may need.
using RowStamp = std::pair<int, std::string>;

// What one part of a file (all of it, or one of its halves) holds.
struct PartFacts {
  std::vector<RowKind> kinds;
  std::vector<int> keyIds;
  std::vector<TDateTime> times;
  std::vector<std::uint8_t> valid;
  ProgramKeys keys;
  std::vector<RowStamp> stamps;  // by row from the part's first
  TextShape shape;
  std::uint64_t textBytes = 0;  // decoded
  std::uint64_t rawBytes = 0;   // read, to the end or the NUL
  bool endedAtNul = false;

  int Rows() const { return static_cast<int>(kinds.size()); }
};

// Decodes the part as it is read and takes in its complete lines, a piece at
// a time. The text ends at its first NUL, as a grid's text does.
class PartSink : public ReadSink {
 public:
  PartSink(const StampReader& stamps, PartFacts& part) : stamps_(stamps), part_(part) {}

  void Begin(std::uint64_t size) override {
    const std::size_t rows = static_cast<std::size_t>(size / kReservedRowBytes + 16);
    ReserveAdvised(part_.kinds, rows);
    ReserveAdvised(part_.keyIds, rows);
    ReserveAdvised(part_.times, rows);
    ReserveAdvised(part_.valid, rows);
  }
  bool Consume(std::string_view piece) override {
    const void* nul = std::memchr(piece.data(), '\0', piece.size());
    if (nul) piece = piece.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - piece.data()));
    part_.rawBytes += piece.size();
    Decode(piece, nul != nullptr);
    part_.endedAtNul = nul != nullptr;
    if (!part_.endedAtNul) TakeCompleteLines();
    return !part_.endedAtNul;
  }
  void End() override {
    if (!part_.endedAtNul) Decode({}, true);
    AddLines(text_);
    text_.clear();
    KeepPendingStamp();
  }

 private:
  void Decode(std::string_view piece, bool last) {
    const std::size_t before = text_.size();
    decoder_.Decode(piece, text_, last);
    part_.textBytes += text_.size() - before;
  }

  // Takes the lines whose ending is known; a CR at the end may still be
  // followed by its LF.
  void TakeCompleteLines() {
    std::size_t end = text_.size();
    if (end > 0 && text_[end - 1] == '\r') --end;
    const std::size_t last = std::string_view(text_.data(), end).find_last_of("\r\n");
    if (last == std::string_view::npos) return;
    AddLines(std::string_view(text_.data(), last + 1));
    text_.erase(0, last + 1);
  }

  void AddLines(std::string_view text) {
    LineScanner lines(text);
    std::string_view line;
    while (lines.Next(line)) AddRow(line);
  }

  void AddRow(std::string_view line) {
    // One column more than is read: the folder then stops at the next
    // delimiter, as it does in a grid as wide as the widest line.
    static const TLineSplit split{std::string(kLogDelimiter), true, kFactCells + 1};
    std::string_view cells[kFactCells];
    const std::size_t delimiters = SplitLineCounting(line, split, cells, kFactCells);
    ++part_.shape.lines;
    part_.shape.maxDelimiters = std::max<std::uint64_t>(part_.shape.maxDelimiters, delimiters);
    const int row = part_.Rows();
    const RowKind kind = KindOfCells(cells);
    part_.kinds.push_back(kind);
    part_.keyIds.push_back(kind == RowKind::RunStart || kind == RowKind::RunEnd ? part_.keys.IdOf(cells) : -1);
    TDateTime time = 0;
    const bool valid = stamps_.Read(cells, stamp_, time);
    part_.times.push_back(time);
    part_.valid.push_back(valid);
    NoteStamp(row, kind, valid);
  }

  // A run needs the dates of the rows that start or end it: rows with a
  // marker, the row before a "vvv" and the last row. The stamp of such a row
  // that is not a date is kept for its message; the others are dropped.
  void NoteStamp(int row, RowKind kind, bool valid) {
    if (kind == RowKind::SystemStart && pendingRow_ == row - 1) KeepPendingStamp();
    pendingRow_ = -1;
    if (valid) return;
    if (kind != RowKind::Other) {
      part_.stamps.emplace_back(row, stamp_);
      return;
    }
    pendingRow_ = row;
    pending_ = stamp_;
  }
  void KeepPendingStamp() {
    if (pendingRow_ >= 0) part_.stamps.emplace_back(pendingRow_, std::move(pending_));
    pendingRow_ = -1;
  }

  const StampReader& stamps_;
  PartFacts& part_;
  Cp932Decoder decoder_;
  std::string text_;  // decoded, from the start of the line not yet taken
  std::string stamp_;
  int pendingRow_ = -1;  // the last row, when it is an Other row without a date
  std::string pending_;
};

// A file's parts: one, or two halves read at once.
struct FileFacts {
  std::vector<PartFacts> parts;

  std::uint64_t Lines() const {
    std::uint64_t lines = 0;
    for (const PartFacts& part : parts) lines += part.shape.lines;
    return lines;
  }
  std::optional<TDateTime> FirstDate() const {
    for (const PartFacts& part : parts)
      for (std::size_t r = 0; r < part.valid.size(); ++r)
        if (part.valid[r]) return part.times[r];
    return std::nullopt;
  }
};

ReadOutcome ReadFile(const std::string& path, std::uint64_t budget, const StampReader& stamps, FileFacts& file,
                     std::uint64_t& taken) {
  file.parts.resize(2);
  PartSink first(stamps, file.parts[0]), second(stamps, file.parts[1]);
  const ReadOutcome outcome = ReadFileInTwo(path, budget, kSplitFileBytes, '\n', first, second);
  // What follows a NUL in the first half is not part of the text; a file read
  // in one part leaves the second empty.
  if (file.parts[0].endedAtNul || file.parts[1].rawBytes == 0) file.parts.pop_back();
  taken = 0;
  for (const PartFacts& part : file.parts) taken += part.rawBytes;
  return outcome;
}

// The limits a load into the viewer's grid would apply.
void CheckLimits(const std::vector<FileFacts>& files, const std::string& lastFile) {
  TextShape shape;
  std::uint64_t textBytes = 0;
  for (const FileFacts& file : files) {
    for (const PartFacts& part : file.parts) {
      shape.Add(part.shape);
      textBytes += part.textBytes;
    }
  }
  TStringGrid grid;
  TStringGridIO io;
  PrepareLogGrid(grid, io);
  FitGridSize(grid, io.Stretch(), shape, textBytes, lastFile);
}

// Copies a part's rows to the facts from row on, its key ids renumbered.
void Append(PartFacts& part, int row, ProgramKeys& keys, RowFacts& facts, std::vector<RowStamp>& stamps) {
  const std::vector<int> ids = keys.Adopt(part.keys.TakeKeys());
  const auto at = static_cast<std::size_t>(row);
  std::copy(part.kinds.begin(), part.kinds.end(), facts.Kinds.begin() + static_cast<std::ptrdiff_t>(at));
  std::copy(part.times.begin(), part.times.end(), facts.Times.begin() + static_cast<std::ptrdiff_t>(at));
  std::copy(part.valid.begin(), part.valid.end(), facts.TimeValid.begin() + static_cast<std::ptrdiff_t>(at));
  for (std::size_t r = 0; r < part.keyIds.size(); ++r)
    facts.KeyIds[at + r] = part.keyIds[r] < 0 ? -1 : ids[static_cast<std::size_t>(part.keyIds[r])];
  for (RowStamp& stamp : part.stamps) stamps.emplace_back(stamp.first + row, std::move(stamp.second));
  part = PartFacts{};  // its memory goes back before the next part's is copied
}

}  // namespace

StreamedLogs StreamLaunchLogs(const std::vector<std::string>& paths, const StampReader& stamps) {
  StreamedLogs result;
  if (paths.empty()) return result;
  std::vector<FileFacts> files(paths.size());
  ReadFilesInOrder(paths, [&](std::size_t i, std::uint64_t budget, std::uint64_t& taken) {
    return ReadFile(paths[i], budget, stamps, files[i], taken);
  });
  std::vector<std::optional<TDateTime>> firstDates;
  std::uint64_t lines = 0;
  for (const FileFacts& file : files) {
    firstDates.push_back(file.FirstDate());
    lines += file.Lines();
  }
  const std::vector<int> order = OrderOfLogs(firstDates);
  CheckLimits(files, paths[static_cast<std::size_t>(order.back())]);

  // Row 0 is the grid's header row, which is no longer fixed when no line
  // follows it.
  result.Facts.Resize(static_cast<std::size_t>(1 + lines));
  ProgramKeys keys;
  std::vector<RowStamp> rowStamps;
  int row = lines > 0 ? 1 : 0;
  for (const int i : order) {
    FileFacts& file = files[static_cast<std::size_t>(i)];
    const int first = row;
    for (PartFacts& part : file.parts) {
      const int rows = part.Rows();
      Append(part, row, keys, result.Facts, rowStamps);
      row += rows;
    }
    result.Logs.push_back({paths[static_cast<std::size_t>(i)], {first, row - first}, {}});
  }
  result.Facts.Keys = keys.TakeKeys();
  result.Facts.ErrorAt = [rowStamps = std::move(rowStamps), stamps](int row) {
    const auto found = std::lower_bound(rowStamps.begin(), rowStamps.end(), row,
                                        [](const RowStamp& stamp, int r) { return stamp.first < r; });
    return stamps.ErrorOf(found != rowStamps.end() && found->first == row ? found->second : std::string());
  };
  return result;
}

}  // namespace tokiwa
