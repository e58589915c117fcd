#pragma once
// An unsorted list of UTF-8 strings with the class library's list-file format:
// CP932 text, one entry per line.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tokiwa {

// No list of names the viewer keeps comes near this.
inline constexpr std::uint64_t kMaxListFileBytes = std::uint64_t{64} << 20;

class TStringList {
 public:
  int Count() const { return static_cast<int>(items_.size()); }

  // Index outside 0..Count()-1 raises the list-index error (EListError).
  const std::string& Strings(int index) const;
  const std::string& operator[](int index) const { return Strings(index); }
  void SetStrings(int index, std::string text);

  // Appends and returns the new entry's index.
  int Add(std::string text);
  // index may equal Count() (append); anything else outside the list raises.
  void Insert(int index, std::string text);
  void Delete(int index);
  void Clear() { items_.clear(); }

  // First entry equal to text ignoring case (SameTextIgnoreCase), or -1.
  int IndexOf(std::string_view text) const;

  // All entries, each followed by CR LF.
  std::string Text() const;

  // Replaces the entries with the lines of CP932 text: a line ends at CR, LF
  // or CR LF, a last line without an ending counts, a NUL ends the text, empty
  // lines are entries, and empty text gives no entries.
  void SetCp932Text(std::string_view bytes);
  // The entries encoded to CP932, every one followed by CR LF.
  std::string Cp932Text() const;

  // Reads the file through the guarded whole-file reader: raises EFOpenError
  // when it cannot be opened or read, is not a regular file, or is larger
  // than kMaxListFileBytes.
  void LoadFromFile(const std::string& path);
  // Replaces the file through the fault-safe writer; raises EFCreateError
  // (msg::FileCreateError) when it cannot, and the old file stays as it was.
  void SaveToFile(const std::string& path) const;

 private:
  void CheckIndex(int index, int limit) const;

  std::vector<std::string> items_;
};

}  // namespace tokiwa
