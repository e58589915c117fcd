// Reads arbitrary bytes as a list file and checks that saving and reading the
// list again keeps its entries (apart from characters without a CP932 form,
// which become '?') and that every entry is found by IndexOf.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "runtime/encoding.h"
#include "runtime/string_list.h"

namespace {

using fuzz::Check;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  tokiwa::TStringList list;
  list.SetCp932Text(bytes);
  for (int i = 0; i < list.Count(); ++i) {
    const std::string& entry = list[i];
    Check(entry.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
    const int found = list.IndexOf(entry);
    Check(found >= 0 && found <= i);
  }

  tokiwa::TStringList again;
  again.SetCp932Text(list.Cp932Text());
  Check(again.Count() == list.Count());
  for (int i = 0; i < list.Count(); ++i)
    Check(again[i] == tokiwa::Cp932ToUtf8(tokiwa::Utf8ToCp932(list[i])));
  Check(again.Cp932Text() == list.Cp932Text());
  return 0;
}
