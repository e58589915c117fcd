#include "timeline/log_stream.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <utility>

#include "gridio/grid_text.h"
#include "gridio/string_grid_io.h"
#include "runtime/byte_match.h"
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

// What one part of a file (all of it, or one of its halves) holds. The two
// halves are written row by row on two threads: each on cache lines of its own.
struct alignas(64) PartFacts {
  std::vector<RowKind> kinds;
  std::vector<int> keyIds;
  std::vector<TDateTime> times;
  std::vector<std::uint8_t> valid;
  ProgramKeys keys;
  std::vector<RowStamp> stamps;  // by row of the part
  // A file's first part starts with a row of no line: the one read first
  // becomes the header row of the facts, the others are left out.
  int lead = 0;
  TextShape shape;
  // Read, to the end or the NUL. Decoded, the text is at least as long: every
  // byte becomes one or more.
  std::uint64_t rawBytes = 0;
  bool endedAtNul = false;
  bool tooDense = false;  // more lines than its text could have in a grid: reading stopped

  int Rows() const { return static_cast<int>(kinds.size()); }
};

// Whether a row's marker, date or time holds a byte that is not ASCII: the
// line from the marker to the time's end, when the row has both.
bool StampCellsHaveHighByte(const std::string_view* cells) {
  const std::string_view first = cells[kMarkerCell], last = cells[kTimeCell];
  if (first.data() && last.data() && first.data() <= last.data())
    return HasHighByte(first.data(), static_cast<std::size_t>(last.data() + last.size() - first.data()));
  for (int c = kMarkerCell; c <= kTimeCell; ++c)
    if (HasHighByte(cells[c].data(), cells[c].size())) return true;
  return false;
}

// Takes in a part's complete lines, a piece at a time, as the bytes were
// read: the delimiters, quotes and line ends of CP932 text are never part of
// a double-byte character, so the lines split as their decoded text would,
// and only what is kept as text is decoded (a program's key once, a row's
// marker, date and time only when they are not ASCII). The text ends at its
// first NUL, as a grid's text does.
class alignas(64) PartSink : public ReadSink {
 public:
  PartSink(const StampReader& stamps, PartFacts& part) : stamps_(stamps), part_(part) {}

  void Begin(std::uint64_t size) override {
    const std::size_t rows = static_cast<std::size_t>(size / kReservedRowBytes + 16);
    ReserveAdvised(part_.kinds, rows);
    ReserveAdvised(part_.keyIds, rows);
    ReserveAdvised(part_.times, rows);
    ReserveAdvised(part_.valid, rows);
    for (int i = 0; i < part_.lead; ++i) AddRowFacts(RowKind::Other, -1, 0, false);
  }
  bool Consume(std::string_view piece) override {
    const void* nul = std::memchr(piece.data(), '\0', piece.size());
    if (nul) piece = piece.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - piece.data()));
    part_.rawBytes += piece.size();
    part_.endedAtNul = nul != nullptr;
    Take(piece);
    // Lines of a few bytes make rows faster than text: past the most rows a
    // grid of this much text could have (its limits may still allow them,
    // with more text to come, or a longer decoded text), the grid load,
    // which holds less per row, decides instead.
    part_.tooDense = part_.shape.lines > MaxGridRows(part_.rawBytes, 1);
    return !part_.endedAtNul && !part_.tooDense;
  }
  void End() override {
    AddLines(std::string_view(text_.get(), size_));
    size_ = 0;
    KeepPendingStamp();
    DecodeKeys();
  }

 private:
  // The pending line, once the piece ends it, then the piece's complete
  // lines straight from it; what follows the last line end is kept.
  void Take(std::string_view piece) {
    if (size_ > 0) {
      const std::size_t ended = PendingLineEnd(piece);
      Append(piece.substr(0, std::min(ended, piece.size())));
      if (ended == std::string_view::npos) return;
      AddLines(std::string_view(text_.get(), size_));
      size_ = 0;
      piece.remove_prefix(ended);
    }
    const std::size_t cut = TakeLines(piece);
    Append(piece.substr(cut));
  }
  // How much of the piece the pending line takes, its line end included;
  // npos when the piece does not end it (a CR ending the piece may still be
  // followed by its LF).
  std::size_t PendingLineEnd(std::string_view piece) const {
    if (text_[size_ - 1] == '\r') return !piece.empty() && piece[0] == '\n' ? 1 : 0;
    const std::size_t end = piece.find_first_of("\r\n");
    if (end == std::string_view::npos || (piece[end] == '\r' && end + 1 == piece.size()))
      return std::string_view::npos;
    return end + (piece.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  void Append(std::string_view bytes) {
    if (bytes.empty()) return;  // nothing to copy, perhaps into no room yet
    // Doubling keeps a line of many pieces from being copied once per piece.
    if (capacity_ - size_ < bytes.size()) Grow(std::max(size_ + bytes.size(), 2 * capacity_));
    std::memcpy(text_.get() + size_, bytes.data(), bytes.size());
    size_ += bytes.size();
  }
  // Room that is written before it is read: a string's would be zeroed first.
  void Grow(std::size_t capacity) {
    std::unique_ptr<char[]> grown(new char[capacity]);
    if (size_ > 0) std::memcpy(grown.get(), text_.get(), size_);
    text_ = std::move(grown);
    capacity_ = capacity;
  }

  // Adds the lines whose ending is known (a CR at the end may still be
  // followed by its LF) and answers where the rest starts.
  std::size_t TakeLines(std::string_view text) {
    std::size_t end = text.size();
    if (end > 0 && text[end - 1] == '\r') --end;
    const std::size_t last = text.substr(0, end).find_last_of("\r\n");
    if (last == std::string_view::npos) return 0;
    AddLines(text.substr(0, last + 1));
    return last + 1;
  }

  void AddLines(std::string_view text) {
    // One column more than is read: the folder then stops at the next
    // delimiter, as it does in a grid as wide as the widest line.
    static const TLineSplit split{std::string(kLogDelimiter), true, kFactCells + 1};
    SplitLineScanner lines(text, split, kFactCells);
    std::string_view cells[kFactCells];
    std::size_t delimiters = 0;
    while (lines.Next(cells, delimiters)) AddRow(cells, delimiters);
  }

  void AddRow(std::string_view* cells, std::size_t delimiters) {
    ++part_.shape.lines;
    part_.shape.maxDelimiters = std::max<std::uint64_t>(part_.shape.maxDelimiters, delimiters);
    const int row = part_.Rows();
    if (StampCellsHaveHighByte(cells)) DecodeStampCells(cells);
    const RowKind kind = KindOfCells(cells);
    // Keys by their bytes: decoded when the part ends.
    const int id = kind == RowKind::RunStart || kind == RowKind::RunEnd ? KeyIdOf(cells) : -1;
    TDateTime time = 0;
    const bool valid = stamps_.Read(cells, time);
    AddRowFacts(kind, id, time, valid);
    NoteStamp(row, kind, valid);
  }
  int KeyIdOf(const std::string_view* cells) {
    const int id = part_.keys.IdOf(cells);
    if (static_cast<std::size_t>(id) == folderSizes_.size()) folderSizes_.push_back(cells[kFolderCell].size());
    return id;
  }
  // The marker, date and time as text, in place of their bytes.
  void DecodeStampCells(std::string_view* cells) {
    for (int c = kMarkerCell; c <= kTimeCell; ++c) {
      std::string& text = decoded_[static_cast<std::size_t>(c)];
      text.clear();
      AppendCp932AsUtf8(cells[c], text);
      cells[c] = text;
    }
  }
  // The part's keys as text: folder and name decoded apart, as their cells
  // are. Distinct bytes decode to distinct texts, but equal texts would share
  // an id all the same.
  void DecodeKeys() {
    std::vector<std::string> keys = part_.keys.TakeKeys();
    for (std::size_t k = 0; k < keys.size(); ++k) {
      const std::string_view key = keys[k];
      std::string text = Cp932ToUtf8(key.substr(0, folderSizes_[k]));
      text += '\\';
      AppendCp932AsUtf8(key.substr(folderSizes_[k] + 1), text);
      keys[k] = std::move(text);
    }
    const std::vector<int> ids = part_.keys.Adopt(std::move(keys));
    if (part_.keys.Keys().size() == ids.size()) return;  // none shared: the ids stay
    for (int& id : part_.keyIds)
      if (id >= 0) id = ids[static_cast<std::size_t>(id)];
  }

  void AddRowFacts(RowKind kind, int id, TDateTime time, bool valid) {
    part_.kinds.push_back(kind);
    part_.keyIds.push_back(id);
    part_.times.push_back(time);
    part_.valid.push_back(valid);
  }

  // A run needs the dates of the rows that start or end it: rows with a
  // marker, the row before a "vvv" and the last row. The stamp of such a row
  // that is not a date is kept for its message; the others are dropped.
  void NoteStamp(int row, RowKind kind, bool valid) {
    if (kind == RowKind::SystemStart && pendingRow_ == row - 1) KeepPendingStamp();
    pendingRow_ = -1;
    if (valid) return;
    if (kind != RowKind::Other) {
      part_.stamps.emplace_back(row, stamps_.LastText());
      return;
    }
    pendingRow_ = row;
    pending_ = stamps_.LastText();
  }
  void KeepPendingStamp() {
    if (pendingRow_ >= 0) part_.stamps.emplace_back(pendingRow_, std::move(pending_));
    pendingRow_ = -1;
  }

  RowStampReader stamps_;
  PartFacts& part_;
  std::unique_ptr<char[]> text_;  // from the start of the line not yet taken
  std::size_t size_ = 0, capacity_ = 0;
  std::vector<std::size_t> folderSizes_;  // by key id, in bytes
  std::string decoded_[kTimeCell + 1];
  int pendingRow_ = -1;  // the last row, when it is an Other row without a date
  std::string pending_;
};

// A file's parts: one, or two halves read at once.
struct FileFacts {
  std::vector<PartFacts> parts;
  bool tooDense = false;
  std::optional<TDateTime> FirstDate() const {
    for (const PartFacts& part : parts)
      for (std::size_t r = 0; r < part.valid.size(); ++r)
        if (part.valid[r]) return part.times[r];
    return std::nullopt;
  }
};

// Reads one file; stops early, with a part marked too dense, for a file the
// grid load must read instead.
ReadOutcome ReadFile(const std::string& path, std::uint64_t budget, const StampReader& stamps, FileFacts& file,
                     std::uint64_t& taken) {
  file.parts.resize(2);
  file.parts[0].lead = 1;
  PartSink first(stamps, file.parts[0]), second(stamps, file.parts[1]);
  const ReadOutcome outcome = ReadFileInTwo(path, budget, kSplitFileBytes, '\n', first, second);
  if (file.parts[0].tooDense || file.parts[1].tooDense) file.tooDense = true;
  // What follows a NUL in the first half is not part of the text; a file read
  // in one part leaves the second empty.
  if (file.parts[0].endedAtNul || file.parts[1].rawBytes == 0) file.parts.pop_back();
  taken = 0;
  for (const PartFacts& part : file.parts) taken += part.rawBytes;
  return outcome;
}

// A text length no limit applies to.
constexpr std::uint64_t kUnboundedText = std::uint64_t{1} << 60;

// Raises what a load into the viewer's grid would raise; false when only
// that load can tell.
bool CheckLimits(const std::vector<FileFacts>& files, const std::string& lastFile) {
  TextShape shape;
  std::uint64_t rawBytes = 0;
  for (const FileFacts& file : files) {
    for (const PartFacts& part : file.parts) {
      shape.Add(part.shape);
      rawBytes += part.rawBytes;
    }
  }
  TStringGrid grid;
  TStringGridIO io;
  PrepareLogGrid(grid, io);
  // The limits on columns and cells do not depend on the text's length.
  const GridSize size = FitGridSize(grid, io.Stretch(), shape, kUnboundedText, lastFile);
  // The rows' limit holds for the decoded text when it holds for the bytes;
  // otherwise the grid load, which decodes, decides.
  return size.rows <= MaxGridRows(rawBytes, size.cols);
}

// Appends a part's rows to the facts (its lead left out), key ids renumbered.
void Append(PartFacts& part, ProgramKeys& keys, RowFacts& facts, std::vector<RowStamp>& stamps) {
  const std::vector<int> ids = keys.Adopt(part.keys.TakeKeys());
  const auto lead = static_cast<std::ptrdiff_t>(part.lead);
  const int row = facts.Rows() - part.lead;  // where the part's row 0 would be
  facts.Kinds.insert(facts.Kinds.end(), part.kinds.begin() + lead, part.kinds.end());
  facts.Times.insert(facts.Times.end(), part.times.begin() + lead, part.times.end());
  facts.TimeValid.insert(facts.TimeValid.end(), part.valid.begin() + lead, part.valid.end());
  for (auto id = part.keyIds.begin() + lead; id != part.keyIds.end(); ++id)
    facts.KeyIds.push_back(*id < 0 ? -1 : ids[static_cast<std::size_t>(*id)]);
  for (RowStamp& stamp : part.stamps) stamps.emplace_back(stamp.first + row, std::move(stamp.second));
  part = PartFacts{};  // its memory goes back before the next part's is added
}

// The first part read becomes the facts, its lead the header row: its keys
// are numbered as the facts number them, and its tables are kept, not copied.
void Adopt(PartFacts& part, ProgramKeys& keys, RowFacts& facts, std::vector<RowStamp>& stamps) {
  facts.Kinds = std::move(part.kinds);
  facts.KeyIds = std::move(part.keyIds);
  facts.Times = std::move(part.times);
  facts.TimeValid = std::move(part.valid);
  keys = std::move(part.keys);
  stamps = std::move(part.stamps);
  part = PartFacts{};
}

}  // namespace

std::optional<StreamedLogs> StreamLaunchLogs(const std::vector<std::string>& paths, const StampReader& stamps) {
  StreamedLogs result;
  if (paths.empty()) return result;
  std::vector<FileFacts> files(paths.size());
  bool tooDense = false;
  ReadFilesInOrder(paths, [&](std::size_t i, std::uint64_t budget, std::uint64_t& taken) {
    // After a file too dense to read this way the grid load reads them all,
    // and raises what they raise.
    if (tooDense) return ReadOutcome::roOk;
    const ReadOutcome outcome = ReadFile(paths[i], budget, stamps, files[i], taken);
    tooDense = files[i].tooDense;
    return outcome;
  });
  if (tooDense) return std::nullopt;
  std::vector<std::optional<TDateTime>> firstDates;
  for (const FileFacts& file : files) firstDates.push_back(file.FirstDate());
  const std::vector<int> order = OrderOfLogs(firstDates);
  if (!CheckLimits(files, paths[static_cast<std::size_t>(order.back())])) return std::nullopt;

  ProgramKeys keys;
  std::vector<RowStamp> rowStamps;
  for (const int i : order) {
    FileFacts& file = files[static_cast<std::size_t>(i)];
    const int first = std::max(result.Facts.Rows(), 1);
    for (PartFacts& part : file.parts) {
      if (result.Facts.Rows() == 0) {
        Adopt(part, keys, result.Facts, rowStamps);
      } else {
        Append(part, keys, result.Facts, rowStamps);
      }
    }
    result.Logs.push_back({paths[static_cast<std::size_t>(i)], {first, result.Facts.Rows() - first}, {}});
  }
  // Without lines (only the header row) the header row is no longer a fixed
  // row, and the logs' empty ranges start at row 0.
  if (result.Facts.Rows() == 1)
    for (LoadedLog& log : result.Logs) log.Rows.First = 0;
  result.Facts.Keys = keys.TakeKeys();
  result.Facts.ErrorAt = [rowStamps = std::move(rowStamps), stamps](int row) {
    const auto found = std::lower_bound(rowStamps.begin(), rowStamps.end(), row,
                                        [](const RowStamp& stamp, int r) { return stamp.first < r; });
    return stamps.ErrorOf(found != rowStamps.end() && found->first == row ? found->second : std::string());
  };
  return result;
}

}  // namespace tokiwa
