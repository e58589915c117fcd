#include "runtime/delimited_line.h"

#include <algorithm>

namespace tokiwa {

namespace {

// Where the next delimiter starts in text, or npos.
std::size_t FindDelimiter(std::string_view text, std::string_view delimiter) {
  if (delimiter.size() == 1) {
    // Fields are a few bytes long: a plain loop, not a library call per field.
    const char* hit = std::find(text.data(), text.data() + text.size(), delimiter[0]);
    return hit == text.data() + text.size() ? std::string_view::npos : static_cast<std::size_t>(hit - text.data());
  }
  return delimiter.empty() ? std::string_view::npos : text.find(delimiter);
}

std::string_view Unquoted(std::string_view field) {
  if (field.size() >= 2 && field.front() == '"' && field.back() == '"') return field.substr(1, field.size() - 2);
  return field;
}

}  // namespace

void SplitLine(std::string_view line, const TLineSplit& split, std::string_view* fields, int count) {
  int col = 0;
  for (; col < count; ++col) {
    const std::size_t at = col + 1 == split.Cols ? std::string_view::npos : FindDelimiter(line, split.Delimiter);
    if (at == std::string_view::npos) {
      fields[col++] = line;
      break;
    }
    fields[col] = line.substr(0, at);
    line.remove_prefix(at + split.Delimiter.size());
  }
  std::fill(fields + col, fields + count, std::string_view());
  if (split.StripQuotes)
    for (int c = 0; c < count; ++c) fields[c] = Unquoted(fields[c]);
}

std::string_view FieldOfLine(std::string_view line, const TLineSplit& split, int col) {
  for (int c = 0; c < col; ++c) {
    const std::size_t at = FindDelimiter(line, split.Delimiter);
    if (at == std::string_view::npos) return {};
    line.remove_prefix(at + split.Delimiter.size());
  }
  if (col + 1 < split.Cols) line = line.substr(0, FindDelimiter(line, split.Delimiter));
  return split.StripQuotes ? Unquoted(line) : line;
}

}  // namespace tokiwa
