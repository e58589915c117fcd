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

}  // namespace

std::string_view FieldCursor::Next() {
  if (ended_ || col_ >= split_.Cols) return {};
  std::string_view field = rest_;
  const std::size_t at = ++col_ == split_.Cols ? std::string_view::npos : FindDelimiter(rest_, split_.Delimiter);
  if (at == std::string_view::npos) {
    ended_ = true;
  } else {
    field = rest_.substr(0, at);
    rest_.remove_prefix(at + split_.Delimiter.size());
  }
  if (split_.StripQuotes && field.size() >= 2 && field.front() == '"' && field.back() == '"')
    field = field.substr(1, field.size() - 2);
  return field;
}

std::string_view FieldOfLine(std::string_view line, const TLineSplit& split, int col) {
  FieldCursor fields(line, split);
  for (int c = 0; c < col; ++c) fields.Next();
  return fields.Next();
}

}  // namespace tokiwa
