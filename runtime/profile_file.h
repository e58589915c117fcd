#pragma once
// A profile (INI) file in the manner of the platform's private-profile calls:
// "[Section]" lines, then "Key=Value" lines. The settings file holds ASCII
// only, so the text is handled as bytes, without conversion.
//
// Section and key names compare ignoring ASCII case; blanks around names and
// values are ignored, as is one pair of quotes around a value; lines starting
// with ';' are comments. When a section or key appears twice, the first one
// is read and written. Writing updates a
// key where it stands and leaves every other line, comment and line ending as
// it was; a missing key is added after the last entry of its section, a
// missing section at the end of the file. New lines end with CR LF.
#include <cstdint>
#include <string>
#include <string_view>

namespace tokiwa {

inline constexpr std::uint64_t kMaxProfileFileBytes = std::uint64_t{16} << 20;

class ProfileFile {
 public:
  // Reads the file now; a missing or unreadable file reads as empty. A file
  // that exists but cannot be read (no access, not a regular file, larger
  // than kMaxProfileFileBytes) is never written: every save raises, so its
  // other sections are not lost.
  explicit ProfileFile(std::string path);
  bool Unreadable() const { return unreadable_; }

  const std::string& FileName() const { return path_; }

  // The value of key in section (surrounding blanks removed), or def when the
  // key is absent. An empty value is returned as empty text.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view def) const;

  // The value read as an integer: at most the first 1023 characters count;
  // longer than two characters and starting "0x"/"0X" reads the rest as
  // hexadecimal (up to 8 digits, so 0xFFFFFFFF is -1); otherwise an optionally
  // signed decimal within 32 bits. The whole value must be the number: "12abc"
  // and "1x" are not numbers and, like a missing key, give def.
  int ReadInteger(std::string_view section, std::string_view key, int def) const;

  // Sets key in section and saves the file through the fault-safe writer. A
  // failed save raises EIniFileException with msg::WriteError (the path in
  // place of %s) and leaves the file on disk as it was. CR and LF cannot be
  // stored in a value: the value is cut at the first of them.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);

  // Batching: between BeginUpdate and the matching EndUpdate, writes change
  // only the text held in memory; EndUpdate saves once, raising
  // EIniFileException if it cannot (then none of the batched writes reached
  // the disk). CancelUpdate ends a batch without saving. Batches nest; only
  // the outermost EndUpdate saves.
  void BeginUpdate();
  void EndUpdate();
  void CancelUpdate();

  // The file's text as it stands in memory (tests and fuzzing).
  const std::string& Text() const { return text_; }
  void SetText(std::string text) { text_ = std::move(text); }

 private:
  void Reload();
  void Save();

  std::string path_;
  std::string text_;
  int updateDepth_ = 0;
  bool unreadable_ = false;
};

// Reads an integer the way ReadInteger does; false when text is not a number.
bool ParseProfileInteger(std::string_view text, int& value);

}  // namespace tokiwa
