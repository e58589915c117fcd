#include "runtime/profile_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <limits>
#include <vector>

#include "runtime/exceptions.h"
#include "runtime/exclusive_read.h"
#include "runtime/messages.h"
#include "runtime/safe_file.h"

namespace tokiwa {

namespace {

// The value buffer the platform reads an integer through holds 1023 characters.
constexpr std::size_t kMaxIntegerText = 1023;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool SameName(std::string_view a, std::string_view b) {
  a = Trim(a);
  b = Trim(b);
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

// One line of the file: [begin, end) is its text, [end, next) its line ending.
struct Line {
  std::size_t begin, end, next;
};

std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    std::size_t next = end;
    if (next < text.size() && text[next] == '\r') ++next;
    if (next < text.size() && text[next] == '\n' && (next == end || text[end] == '\r')) ++next;
    lines.push_back({pos, end, next});
    pos = next;
  }
  return lines;
}

// The section name of a "[name]" line, or false for any other line.
bool SectionName(std::string_view line, std::string_view& name) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return false;
  line.remove_prefix(1);
  const auto close = line.find(']');
  name = Trim(line.substr(0, close));
  return true;
}

// The key of a "key=value" line (comments excluded) and where its value starts.
bool KeyName(std::string_view line, std::string_view& key, std::size_t& valueAt) {
  const std::string_view trimmed = Trim(line);
  if (trimmed.empty() || trimmed.front() == ';') return false;
  const auto eq = line.find('=');
  if (eq == std::string_view::npos) return false;
  key = Trim(line.substr(0, eq));
  valueAt = eq + 1;
  return true;
}

// Where a section and a key stand in the text.
struct Location {
  bool sectionFound = false;
  bool keyFound = false;
  std::size_t keyLine = 0;       // the key's line
  std::size_t lastEntryLine = 0; // last non-blank line of the section (its header at least)
  std::size_t valueAt = 0;       // offset of the value in the key's line
};

Location Find(std::string_view text, const std::vector<Line>& lines, std::string_view section,
              std::string_view key) {
  Location loc;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = text.substr(lines[i].begin, lines[i].end - lines[i].begin);
    std::string_view name;
    if (SectionName(line, name)) {
      if (loc.sectionFound) break;  // only the first section of that name counts
      if (SameName(name, section)) loc.sectionFound = true, loc.lastEntryLine = i;
      continue;
    }
    if (!loc.sectionFound) continue;
    if (!Trim(line).empty()) loc.lastEntryLine = i;
    std::size_t valueAt;
    if (KeyName(line, name, valueAt) && SameName(name, key)) {
      loc.keyFound = true;
      loc.keyLine = i;
      loc.valueAt = valueAt;
      break;
    }
  }
  return loc;
}

std::string_view StripQuotes(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    return v.substr(1, v.size() - 2);
  return v;
}

bool ParseDigits(std::string_view s, unsigned base, std::uint64_t limit, std::uint64_t& value) {
  if (s.empty()) return false;
  value = 0;
  for (char c : s) {
    unsigned d;
    if (c >= '0' && c <= '9') d = static_cast<unsigned>(c - '0');
    else if (base == 16 && Lower(c) >= 'a' && Lower(c) <= 'f') d = static_cast<unsigned>(Lower(c) - 'a' + 10);
    else return false;
    value = value * base + d;
    if (value > limit) return false;
  }
  return true;
}

}  // namespace

bool ParseProfileInteger(std::string_view text, int& value) {
  text = text.substr(0, kMaxIntegerText);
  std::uint64_t v;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    // Hexadecimal covers all 32 bits; 0xFFFFFFFF reads as -1.
    if (!ParseDigits(text.substr(2), 16, 0xFFFFFFFFull, v)) return false;
    value = static_cast<int>(static_cast<std::uint32_t>(v));
    return true;
  }
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  const std::uint64_t limit = negative ? 0x80000000ull : 0x7FFFFFFFull;
  if (!ParseDigits(text, 10, limit, v)) return false;
  value = negative ? static_cast<int>(-static_cast<std::int64_t>(v)) : static_cast<int>(v);
  return true;
}

ProfileFile::ProfileFile(std::string path) : path_(std::move(path)) { Reload(); }

void ProfileFile::Reload() {
  const ReadOutcome outcome = ReadSmallFile(path_, kMaxProfileFileBytes, false, text_);
  if (outcome == ReadOutcome::roOk) return;
  text_.clear();
  // Missing is empty; a file that is there but cannot be read must not be
  // replaced by the few keys written over an empty text.
  struct stat st;
  unreadable_ = ::stat(path_.c_str(), &st) == 0;
}

void ProfileFile::Save() {
  if (unreadable_ || !WriteFileSafely(path_, text_))
    throw EIniFileException(FormatText(msg::WriteError, {Arg(path_)}));
}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view def) const {
  const auto lines = SplitLines(text_);
  const Location loc = Find(text_, lines, section, key);
  if (!loc.keyFound) return std::string(def);
  const Line& l = lines[loc.keyLine];
  const std::string_view value =
      std::string_view(text_).substr(l.begin + loc.valueAt, l.end - l.begin - loc.valueAt);
  return std::string(StripQuotes(Trim(value)));
}

int ProfileFile::ReadInteger(std::string_view section, std::string_view key, int def) const {
  int value;
  return ParseProfileInteger(ReadString(section, key, ""), value) ? value : def;
}

void ProfileFile::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
  value = value.substr(0, value.find_first_of("\r\n"));
  if (updateDepth_ == 0) Reload();
  std::string before = text_;

  const auto lines = SplitLines(text_);
  const Location loc = Find(text_, lines, section, key);
  if (loc.keyFound) {
    const Line& l = lines[loc.keyLine];
    text_.replace(l.begin + loc.valueAt, l.end - l.begin - loc.valueAt, value);
  } else {
    std::string entry = std::string(Trim(key)) + "=" + std::string(value) + "\r\n";
    std::size_t at = text_.size();
    if (loc.sectionFound) {
      const Line& last = lines[loc.lastEntryLine];
      at = last.next;
      if (last.next == last.end) entry.insert(0, "\r\n");  // last line had no ending
    } else {
      if (!text_.empty() && text_.back() != '\n' && text_.back() != '\r') entry.insert(0, "\r\n");
      entry.insert(entry.find_first_not_of("\r\n"), "[" + std::string(Trim(section)) + "]\r\n");
    }
    text_.insert(at, entry);
  }

  if (updateDepth_ > 0) return;
  try {
    Save();
  } catch (...) {
    text_ = std::move(before);
    throw;
  }
}

void ProfileFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void ProfileFile::BeginUpdate() {
  if (updateDepth_++ == 0) Reload();
}

void ProfileFile::EndUpdate() {
  if (updateDepth_ == 0) return;
  if (--updateDepth_ == 0) Save();
}

void ProfileFile::CancelUpdate() {
  if (updateDepth_ == 0) return;
  if (--updateDepth_ == 0) Reload();
}

}  // namespace tokiwa
