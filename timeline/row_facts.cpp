#include "timeline/row_facts.h"

#include <exception>
#include <thread>

#include "runtime/byte_match.h"
#include "runtime/date_time_text.h"
#include "runtime/exceptions.h"
#include "runtime/memory_hints.h"
#include "timeline/timeline_scan.h"

namespace tokiwa {

RowKind KindOfCells(const std::string_view* cells) {
  const std::string_view marker = TrimMarker(cells[kMarkerCell]);
  if (marker == "vvv") return RowKind::SystemStart;
  if (marker == "###") return RowKind::SystemEnd;
  if (marker == "C" || marker == "S") return RowKind::RunStart;
  if (marker == "E") return RowKind::RunEnd;
  return RowKind::Other;
}

int ProgramKeys::IdOf(const std::string_view* cells) {
  const std::string_view folder = cells[kFolderCell], name = cells[kNameCell];
  // A log names a few dozen programs again and again: the id last found for
  // texts of the same shape (lengths, the name's first bytes and the folder's
  // last) is tried first, checked against its key.
  const std::uint64_t folderEnd = folder.size() >= 8 ? LoadUpTo8(folder.data() + folder.size() - 8, 8)
                                                      : LoadUpTo8(folder.data(), folder.size());
  const std::uint64_t shape = LoadUpTo8(name.data(), name.size()) ^ (folderEnd * 0x100000001B3ull) ^
                              (std::uint64_t{folder.size()} << 40) ^ (std::uint64_t{name.size()} << 52);
  int& recent = recent_[(shape * 0x9E3779B97F4A7C15ull) >> (64 - kRecentBits)];
  if (recent >= 0) {
    const std::string& key = keys_[static_cast<std::size_t>(recent)];
    if (key.size() == folder.size() + 1 + name.size() && key[folder.size()] == '\\' &&
        SameBytes(key.data(), folder.data(), folder.size()) &&
        SameBytes(key.data() + folder.size() + 1, name.data(), name.size()))
      return recent;
  }
  key_.assign(folder);
  key_ += '\\';
  key_ += name;
  recent = IdOfKey(key_);
  return recent;
}

int ProgramKeys::IdOfKey(const std::string& key) {
  auto found = ids_.find(std::string_view(key));
  if (found == ids_.end()) {
    found = ids_.emplace(key, static_cast<int>(keys_.size())).first;
    keys_.push_back(key);
  }
  return found->second;
}

std::vector<int> ProgramKeys::Adopt(std::vector<std::string> others) {
  std::vector<int> ids;
  ids.reserve(others.size());
  for (const std::string& key : others) ids.push_back(IdOfKey(key));
  return ids;
}

const std::string& StampReader::StampText(const std::string_view* cells, std::string& text) {
  text.assign(cells[kDateCell]);
  text += ' ';
  text += cells[kTimeCell];
  return text;
}

bool StampReader::Read(const std::string_view* cells, std::string& text, TDateTime& value) const {
  return TryStrToDateTime(StampText(cells, text), value, Settings, CurrentYear);
}

bool RowStampReader::Read(const std::string_view* cells, TDateTime& value) {
  const std::string_view date = cells[kDateCell];
  if (!haveLast_ || date.size() != lastDate_.size() || !SameBytes(date.data(), lastDate_.data(), date.size())) {
    const PlainRead read = ReadPlainDate(date, stamps_.Settings, stamps_.CurrentYear, lastDay_);
    haveLast_ = read != PlainRead::prOtherForm;
    if (!haveLast_) return stamps_.Read(cells, text_, value);
    lastDate_.assign(date);
    lastValid_ = read == PlainRead::prRead;
  }
  TDateTime time = 0;
  // A plain date was read, so the settings are plain.
  switch (ReadPlainTime(cells[kTimeCell], stamps_.Settings.TimeSeparator, time)) {
    case PlainRead::prRead:
      if (!lastValid_) break;
      value = ComposeDateTime(lastDay_, time);
      return true;
    case PlainRead::prInvalid:
      break;
    case PlainRead::prOtherForm:
      return stamps_.Read(cells, text_, value);
  }
  StampReader::StampText(cells, text_);
  return false;
}

std::string StampReader::ErrorOf(const std::string& stamp) const {
  try {
    StrToDateTime(stamp, Settings, CurrentYear);
  } catch (const EConvertError& e) {
    return e.what();
  }
  return {};
}

void RowFacts::Resize(std::size_t rows) {
  AssignAdvised(Kinds, rows, RowKind::Other);
  AssignAdvised(KeyIds, rows, -1);
  AssignAdvised(Times, rows, TDateTime{});
  AssignAdvised(TimeValid, rows, std::uint8_t{0});
}

namespace {

// Reads only the grid, so it may run beside other readers of it.
void ReadTimes(const TStringGrid& grid, const StampReader& stamps, RowFacts& facts) {
  RowStampReader reader(stamps);
  std::string_view cells[kTimeCell + 1];
  for (int row = grid.FixedRows(); row < grid.RowCount(); ++row) {
    grid.RowView(row, cells, kTimeCell + 1);
    const auto r = static_cast<std::size_t>(row);
    facts.TimeValid[r] = reader.Read(cells, facts.Times[r]);
  }
}

}  // namespace

RowFacts FactsOfGrid(const TStringGrid& grid, const StampReader& stamps) {
  RowFacts facts;
  facts.Resize(static_cast<std::size_t>(grid.RowCount()));
  ProgramKeys keys;
  std::exception_ptr failed;  // what the second thread raised (only running out of memory)
  {
    std::jthread parser([&] {
      try {
        ReadTimes(grid, stamps, facts);
      } catch (...) {
        failed = std::current_exception();
      }
    });
    std::string_view cells[kFactCells];
    for (int row = grid.FixedRows(); row < grid.RowCount(); ++row) {
      grid.RowView(row, cells, kFactCells);
      const auto r = static_cast<std::size_t>(row);
      const RowKind kind = KindOfCells(cells);
      facts.Kinds[r] = kind;
      if (kind == RowKind::RunStart || kind == RowKind::RunEnd) facts.KeyIds[r] = keys.IdOf(cells);
    }
  }
  if (failed) std::rethrow_exception(failed);
  facts.Keys = keys.TakeKeys();
  facts.ErrorAt = [&grid, stamps](int row) {
    std::string_view cells[kTimeCell + 1];
    grid.RowView(row, cells, kTimeCell + 1);
    std::string text;
    return stamps.ErrorOf(StampReader::StampText(cells, text));
  };
  return facts;
}

}  // namespace tokiwa
