// Date-time text conversion on arbitrary bytes: a value read must be a real date
// of years 1 to 9999 and must print and read back to itself. The same bytes also
// serve as date-time and number formats, which must simply not fail.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "runtime/date_time.h"
#include "runtime/date_time_text.h"
#include "runtime/format.h"
#include "runtime/locale.h"

namespace {

constexpr int kCurrentYear = 2026;

tokiwa::FormatSettings DottedDayMonthYear() {
  tokiwa::FormatSettings s;
  s.ShortDateFormat = "dd.mm.yyyy";
  s.DateSeparator = '.';
  s.TimeSeparator = '.';
  s.TimeAMString = "am";
  s.TimePMString = "pm";
  return s;
}

void CheckConversion(std::string_view text, const tokiwa::FormatSettings& settings) {
  double value;
  if (!tokiwa::TryStrToDateTime(text, value, settings, kCurrentYear)) return;
  if (!std::isfinite(value) || value < tokiwa::MinDayNumber || value >= tokiwa::MaxDayNumber + 1.0)
    std::abort();
  // Whole seconds only, so the default text carries the whole value.
  std::string printed = tokiwa::DateTimeToStr(value, settings);
  double again;
  if (!tokiwa::TryStrToDateTime(printed, again, settings, kCurrentYear)) std::abort();
  if (std::fabs(again - value) > 0.5 / 86400000.0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const tokiwa::FormatSettings japanese = tokiwa::JapaneseFormatSettings();
  static const tokiwa::FormatSettings dotted = DottedDayMonthYear();
  std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckConversion(text, japanese);
  CheckConversion(text, dotted);
  if (size <= 4096) {
    tokiwa::FormatDateTime(text, 46362.37847, japanese);
    tokiwa::FormatFloat(text, -1234567.891, japanese);
    tokiwa::FormatFloat(text, 0.0, japanese);
  }
  return 0;
}
