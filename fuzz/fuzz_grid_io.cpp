// Loads arbitrary bytes as a log file and checks the grid against a naive
// reading of the same text: whole-text decoding, line by line, field by field.
// The first byte picks the options; the rest is the file.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "gridio/string_grid_io.h"
#include "runtime/encoding.h"
#include "runtime/exceptions.h"

namespace {

using fuzz::Check;
using fuzz::MemoryFile;

std::vector<std::string> NaiveLines(std::string_view bytes) {
  bytes = bytes.substr(0, bytes.find('\0'));
  const std::string text = tokiwa::Cp932ToUtf8(bytes);
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') {
      line += text[i];
      continue;
    }
    lines.push_back(line);
    line.clear();
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

std::string Unquote(bool strip, const std::string& s) {
  return tokiwa::TStringGridIO::UnquoteField(strip, s);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const unsigned options = data[0];
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  static const char* const kDelimiters[] = {",", "::", "\\", ""};
  const std::string delimiter = kDelimiters[options & 3];
  const bool strip = options & 4;
  const bool stretch = options & 8;
  const int fixedRows = (options >> 4) & 3;

  tokiwa::TStringGrid grid;
  grid.SetRowCount(fixedRows + 2 + static_cast<int>(options >> 6));
  grid.SetFixedRows(fixedRows);
  grid.SetColCount(1 + static_cast<int>(options >> 6));
  tokiwa::TStringGridIO io;
  io.SetTargetGrid(&grid);
  io.SetStretch(stretch);
  const int rowsBefore = grid.RowCount();
  const int colsBefore = grid.ColCount();
  try {
    io.LoadGrid(MemoryFile(bytes), delimiter, strip);
  } catch (const tokiwa::Exception&) {
    Check(stretch);  // only the column limit can refuse an in-memory file
    return 0;
  }

  std::vector<std::string> lines(static_cast<std::size_t>(fixedRows), std::string());
  for (auto& l : NaiveLines(bytes)) lines.push_back(std::move(l));
  if (!stretch) {
    Check(grid.RowCount() == rowsBefore && grid.ColCount() == colsBefore);
  } else {
    Check(grid.RowCount() == std::max<int>(1, static_cast<int>(lines.size())));
  }
  const int rows = std::min<int>(grid.RowCount(), static_cast<int>(lines.size()));
  for (int r = 0; r < rows; ++r) {
    std::string rest = lines[static_cast<std::size_t>(r)];
    for (int c = 0; c < grid.ColCount(); ++c) {
      std::string field = rest;
      if (c + 1 < grid.ColCount()) {
        const std::size_t at = delimiter.empty() ? std::string::npos : rest.find(delimiter);
        field = rest.substr(0, at);
        rest = at == std::string::npos ? "" : rest.substr(at + delimiter.size());
      }
      Check(grid.Cells(c, r) == Unquote(strip, field));
    }
  }
  return 0;
}
