#pragma once
// What pairing the runs of a launch log needs of each of its rows: the kind
// its marker gives, the program key of a run's start or end, and its date and
// time. The window takes them from its loaded grid (FactsOfGrid); the
// command-line modes, which show no grid, take them straight from the files as
// they are read (timeline/log_stream.h), so a large log is never held whole.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "runtime/date_time.h"
#include "runtime/locale.h"
#include "runtime/string_grid.h"
#include "runtime/text_hash.h"

namespace tokiwa {

enum class RowKind : std::uint8_t { Other, SystemStart, SystemEnd, RunStart, RunEnd };

// The cells a row is read by: marker, date, time, file name and folder.
inline constexpr int kMarkerCell = 0, kDateCell = 1, kTimeCell = 2, kNameCell = 3, kFolderCell = 4;
inline constexpr int kFactCells = kFolderCell + 1;

RowKind KindOfCells(const std::string_view* cells);

// Numbers the program keys (folder + "\" + file name, exactly as the cells
// hold them) in the order they are first met.
class ProgramKeys {
 public:
  int IdOf(const std::string_view* cells);
  // Numbers others' keys here; answers the new id of each of its ids.
  std::vector<int> Adopt(std::vector<std::string> others);
  const std::vector<std::string>& Keys() const { return keys_; }
  // The keys by id; numbering starts again.
  std::vector<std::string> TakeKeys() {
    ids_.clear();
    recent_ = Unset();
    return std::exchange(keys_, {});
  }

 private:
  int IdOfKey(const std::string& key);

  std::unordered_map<std::string, int, TextHash, std::equal_to<>> ids_;
  std::vector<std::string> keys_;
  std::string key_;
  static constexpr int kRecentBits = 8;
  static constexpr std::size_t kRecent = std::size_t{1} << kRecentBits;
  std::array<int, kRecent> recent_ = Unset();  // ids by the shape of their texts, -1: none

  static std::array<int, kRecent> Unset() {
    std::array<int, kRecent> ids;
    ids.fill(-1);
    return ids;
  }
};

// The date and time of a row's cells, read as the rows' texts are read.
struct StampReader {
  FormatSettings Settings;
  int CurrentYear = 0;
  // The cells' "date time" text, built in text.
  static const std::string& StampText(const std::string_view* cells, std::string& text);
  bool Read(const std::string_view* cells, std::string& text, TDateTime& value) const;
  // The conversion error's message for a stamp text that is not a date and time.
  std::string ErrorOf(const std::string& stamp) const;
};

// A StampReader for the rows of one log in order: a log's rows mostly share
// their date with the row before, so the day of the last plain date is kept.
class RowStampReader {
 public:
  explicit RowStampReader(const StampReader& stamps) : stamps_(stamps) {}
  bool Read(const std::string_view* cells, TDateTime& value);
  const std::string& LastText() const { return text_; }  // the stamp text, when Read built it

 private:
  const StampReader& stamps_;
  std::string text_;
  bool haveLast_ = false;
  std::string lastDate_;  // the last plain date's text, and what it reads as
  TDateTime lastDay_ = 0;
  bool lastValid_ = false;
};

// By row, numbered as the grid numbers them (rows before the first log's are
// Other rows without a date).
struct RowFacts {
  std::vector<RowKind> Kinds;
  std::vector<int> KeyIds;               // -1 unless a run starts or ends there
  std::vector<TDateTime> Times;
  std::vector<std::uint8_t> TimeValid;   // 0: the row's text is not a date and time
  std::vector<std::string> Keys;         // program keys by id
  // The conversion error of a row whose TimeValid is 0 and that a run needs.
  std::function<std::string(int row)> ErrorAt;

  int Rows() const { return static_cast<int>(Kinds.size()); }
  void Resize(std::size_t rows);
};

// The facts of every row of the grid: markers and keys on this thread, dates
// and times on a second one.
RowFacts FactsOfGrid(const TStringGrid& grid, const StampReader& stamps);

}  // namespace tokiwa
