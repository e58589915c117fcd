#include "runtime/delimited_line.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "runtime/byte_match.h"

namespace tokiwa {

namespace {

// Where the next delimiter starts in text, or npos.
std::size_t FindDelimiter(std::string_view text, std::string_view delimiter) {
  if (delimiter.size() == 1) {
    const std::size_t at = FindByte(text.data(), text.size(), delimiter[0]);
    return at == text.size() ? std::string_view::npos : at;
  }
  return delimiter.empty() ? std::string_view::npos : text.find(delimiter);
}

std::string_view Unquoted(std::string_view field) {
  if (field.size() >= 2 && field.front() == '"' && field.back() == '"') return field.substr(1, field.size() - 2);
  return field;
}

// The field at the front of rest, taken off it: up to the next delimiter, or
// all of rest for the last column or when no delimiter follows, which ends
// the line.
std::string_view TakeField(std::string_view& rest, bool lastColumn, std::string_view delimiter, bool& ended) {
  const std::size_t at = lastColumn ? std::string_view::npos : FindDelimiter(rest, delimiter);
  if (at == std::string_view::npos) {
    ended = true;
    return std::exchange(rest, std::string_view());
  }
  const std::string_view field = rest.substr(0, at);
  rest.remove_prefix(at + delimiter.size());
  return field;
}

// Ends a split with col fields found: rest fills the next one, the others
// are empty, and quotes are stripped where asked.
void EndFields(std::string_view rest, bool stripQuotes, std::string_view* fields, int col, int count) {
  if (col < count) fields[col++] = rest;
  std::fill(fields + col, fields + count, std::string_view());
  if (stripQuotes)
    for (int c = 0; c < count; ++c) fields[c] = Unquoted(fields[c]);
}

// The fields of line for a one-byte delimiter, found in one walk over the
// line eight bytes at a time; with Count the walk goes on to the line's end
// counting the delimiters, without it, it stops at the last field wanted.
template <bool Count>
std::size_t SplitAtByte(std::string_view line, const TLineSplit& split, std::string_view* fields, int count) {
  const char delimiter = split.Delimiter[0];
  const int splitting = std::min(count, split.Cols - 1);  // the fields a delimiter ends
  int col = 0;
  std::size_t start = 0, delimiters = 0;
  for (std::size_t i = 0; i < line.size(); i += 8) {
    if (!Count && col >= splitting) break;
    std::uint64_t m = MatchingBytes(LoadUpTo8(line.data() + i, line.size() - i), static_cast<unsigned char>(delimiter));
    for (; m != 0; m &= m - 1) {
      const std::size_t at = i + static_cast<std::size_t>(std::countr_zero(m) >> 3);
      ++delimiters;
      if (col < splitting) {
        fields[col++] = line.substr(start, at - start);
        start = at + 1;
      }
    }
  }
  // The field the line's end (or, in the last column, nothing) ends.
  EndFields(line.substr(start), split.StripQuotes, fields, col, count);
  return delimiters;
}

// Splits line into fields; with Count, also counts the delimiters of the
// whole line as it goes (the last column's included, and those of the rest
// when count columns end before the line does).
template <bool Count>
std::size_t Split(std::string_view line, const TLineSplit& split, std::string_view* fields, int count) {
  // A NUL delimiter would match the padding of a short last word.
  if (split.Delimiter.size() == 1 && split.Delimiter[0] != '\0') return SplitAtByte<Count>(line, split, fields, count);
  std::size_t delimiters = 0;
  bool ended = false;
  int col = 0;
  for (; col < count && !ended; ++col) {
    const bool last = col + 1 == split.Cols;
    fields[col] = TakeField(line, last, split.Delimiter, ended);
    if constexpr (Count) delimiters += last ? CountDelimiters(fields[col], split.Delimiter, SIZE_MAX) : !ended;
  }
  if constexpr (Count)
    if (!ended) delimiters += CountDelimiters(line, split.Delimiter, SIZE_MAX);
  EndFields({}, split.StripQuotes, fields, col, count);
  return delimiters;
}

}  // namespace

std::size_t SplitLineCounting(std::string_view line, const TLineSplit& split, std::string_view* fields, int count) {
  return Split<true>(line, split, fields, count);
}

void SplitLine(std::string_view line, const TLineSplit& split, std::string_view* fields, int count) {
  Split<false>(line, split, fields, count);
}

std::size_t CountDelimiters(std::string_view line, std::string_view delimiter, std::size_t limit) {
  if (delimiter.empty()) return 0;
  if (delimiter.size() == 1) return CountByte(line.data(), line.size(), delimiter[0]);
  std::size_t count = 0;
  std::size_t pos = 0;
  while (count <= limit) {
    pos = line.find(delimiter, pos);
    if (pos == std::string_view::npos) break;
    ++count;
    pos += delimiter.size();
  }
  return count;
}

std::string_view FieldOfLine(std::string_view line, const TLineSplit& split, int col) {
  bool ended = false;
  std::string_view field;
  for (int c = 0; c <= col; ++c) {
    if (ended) return {};
    field = TakeField(line, c + 1 == split.Cols, split.Delimiter, ended);
  }
  return split.StripQuotes ? Unquoted(field) : field;
}

SplitLineScanner::SplitLineScanner(std::string_view text, const TLineSplit& split, int count)
    : text_(text), split_(split), count_(count), splitting_(std::min(count, split.Cols - 1)) {
  const char c = split.Delimiter.size() == 1 ? split.Delimiter[0] : '\r';
  byBlock_ = c != '\r' && c != '\n';
  // Most logs hold no quote at all: one search spares looking at every field.
  unquote_ = split.StripQuotes && text.find('"') != std::string_view::npos;
  delimiter_ = c;
  if (byBlock_ && !text_.empty()) stops_ = StopsAt(0);
}

inline std::uint64_t SplitLineScanner::StopsAt(std::size_t i) const {
  const char* p = text_.data() + i;
  const std::size_t n = std::min(kBlock, text_.size() - i);
#if defined(__SSE2__)
  if (n == kBlock) {
    const __m128i delimiter = _mm_set1_epi8(delimiter_), cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
    std::uint64_t stops = 0;
    for (int k = 0; k < 4; ++k) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
      const __m128i hit =
          _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, delimiter), _mm_cmpeq_epi8(v, cr)), _mm_cmpeq_epi8(v, lf));
      stops |= static_cast<std::uint64_t>(static_cast<std::uint16_t>(_mm_movemask_epi8(hit))) << (16 * k);
    }
    return stops;
  }
#endif
  std::uint64_t stops = 0;
  for (std::size_t k = 0; k < n; ++k)
    if (p[k] == delimiter_ || p[k] == '\r' || p[k] == '\n') stops |= std::uint64_t{1} << k;
  return stops;
}

bool SplitLineScanner::Next(std::string_view* fields, std::size_t& delimiters) {
  if (pos_ >= text_.size()) return false;
  if (!byBlock_) return NextGeneral(fields, delimiters);
  // The walk's state in locals: members would be stored and loaded again
  // around every write to fields.
  const char* const data = text_.data();
  const std::size_t size = text_.size(), lineStart = pos_;
  const char delimiter = delimiter_;
  const int splitting = splitting_, count = count_;
  std::uint64_t stops = stops_;
  std::size_t block = block_, start = lineStart, found = 0, at = size;
  int col = 0;
  for (;;) {
    if (stops == 0) {
      block += kBlock;
      if (block >= size) {
        at = size;
        break;
      }
      stops = StopsAt(block);
      continue;
    }
    at = block + static_cast<std::size_t>(std::countr_zero(stops));
    stops &= stops - 1;
    if (at < lineStart) continue;  // the LF of a CR LF already passed
    if (data[at] != delimiter) break;
    ++found;
    if (col < splitting) {
      fields[col++] = std::string_view(data + start, at - start);
      start = at + 1;
    }
  }
  stops_ = stops;
  block_ = block;
  delimiters = found;
  const std::string_view rest(data + start, at - start);
  if (col + 1 == count && !unquote_) {
    fields[col] = rest;  // the usual line: as many fields as wanted, no quotes
  } else {
    EndFields(rest, unquote_, fields, col, count);
  }
  pos_ = AfterLineEnd(at);
  return true;
}

bool SplitLineScanner::NextGeneral(std::string_view* fields, std::size_t& delimiters) {
  const std::size_t end = std::min(text_.find_first_of("\r\n", pos_), text_.size());
  delimiters = SplitLineCounting(text_.substr(pos_, end - pos_), split_, fields, count_);
  pos_ = AfterLineEnd(end);
  return true;
}

std::size_t SplitLineScanner::AfterLineEnd(std::size_t end) const {
  const bool crlf = end + 1 < text_.size() && text_[end] == '\r' && text_[end + 1] == '\n';
  return end + (crlf ? 2 : 1);
}

}  // namespace tokiwa
