// Parses arbitrary text as a profile file, then writes keys and checks that
// each reads back, that other keys keep their values and that writing the same
// value again changes nothing.
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "runtime/profile_file.h"

namespace {

using fuzz::Check;

bool SameAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

const char* const kSections[] = {"Ord", "General", "ord", "New"};
const char* const kKeys[] = {"Left", "Top", "All", "WIDTH"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  tokiwa::ProfileFile ini("/nonexistent/fuzz.ini");
  ini.BeginUpdate();  // keeps every write in memory
  ini.SetText(text);

  for (const char* s : kSections)
    for (const char* k : kKeys) {
      int value = 0;
      (void)tokiwa::ParseProfileInteger(ini.ReadString(s, k, ""), value);
      (void)ini.ReadInteger(s, k, -1);
    }

  const int value = size ? static_cast<int>(data[0]) * 1000003 - 50000000 : 0;
  const char* section = kSections[size % 4];
  const char* key = kKeys[(size / 4) % 4];
  const char* otherSection = kSections[(size + 1) % 4];
  const std::string other = ini.ReadString(otherSection, "Top", "<none>");
  ini.WriteInteger(section, key, value);
  Check(ini.ReadInteger(section, key, value + 1) == value);
  const bool sameKey = SameAscii(section, otherSection) && SameAscii(key, "Top");
  Check(sameKey || ini.ReadString(otherSection, "Top", "<none>") == other);
  const std::string once = ini.Text();
  ini.WriteInteger(section, key, value);
  Check(ini.Text() == once);
  ini.CancelUpdate();
  return 0;
}
