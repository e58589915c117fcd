#include "runtime/string_list.h"

#include "runtime/encoding.h"
#include "runtime/exceptions.h"
#include "runtime/exclusive_read.h"
#include "runtime/messages.h"
#include "runtime/safe_file.h"
#include "runtime/text_compare.h"

namespace tokiwa {

void TStringList::CheckIndex(int index, int limit) const {
  if (index < 0 || index >= limit) ThrowListIndexError(index);
}

const std::string& TStringList::Strings(int index) const {
  CheckIndex(index, Count());
  return items_[static_cast<std::size_t>(index)];
}

void TStringList::SetStrings(int index, std::string text) {
  CheckIndex(index, Count());
  items_[static_cast<std::size_t>(index)] = std::move(text);
}

int TStringList::Add(std::string text) {
  items_.push_back(std::move(text));
  return Count() - 1;
}

void TStringList::Insert(int index, std::string text) {
  CheckIndex(index, Count() + 1);
  items_.insert(items_.begin() + index, std::move(text));
}

void TStringList::Delete(int index) {
  CheckIndex(index, Count());
  items_.erase(items_.begin() + index);
}

int TStringList::IndexOf(std::string_view text) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (SameTextIgnoreCase(items_[i], text)) return static_cast<int>(i);
  return -1;
}

std::string TStringList::Text() const {
  std::string text;
  for (const auto& s : items_) {
    text += s;
    text += "\r\n";
  }
  return text;
}

void TStringList::SetCp932Text(std::string_view bytes) {
  const auto nul = bytes.find('\0');
  if (nul != std::string_view::npos) bytes = bytes.substr(0, nul);
  items_.clear();
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const auto end = bytes.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) {
      items_.push_back(Cp932ToUtf8(bytes.substr(pos)));
      break;
    }
    items_.push_back(Cp932ToUtf8(bytes.substr(pos, end - pos)));
    pos = end + 1;
    if (bytes[end] == '\r' && pos < bytes.size() && bytes[pos] == '\n') ++pos;
  }
}

std::string TStringList::Cp932Text() const { return Utf8ToCp932(Text()); }

void TStringList::LoadFromFile(const std::string& path) {
  std::string bytes;
  ThrowIfFailed(ReadSmallFile(path, kMaxListFileBytes, true, bytes), path, kMaxListFileBytes);
  SetCp932Text(bytes);
}

void TStringList::SaveToFile(const std::string& path) const {
  if (!WriteFileSafely(path, Cp932Text()))
    throw EFCreateError(FormatText(msg::FileCreateError, {Arg(path)}));
}

}  // namespace tokiwa
