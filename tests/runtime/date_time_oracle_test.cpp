// Every day of the calendar, read from text and decoded, against the standard
// library's calendar.
#include <gtest/gtest.h>

#include <charconv>
#include <chrono>
#include <string>

#include "runtime/date_time.h"
#include "runtime/date_time_text.h"

namespace tokiwa {
namespace {

char* Put(char* p, unsigned value, int width) {
  char digits[8];
  auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  for (int pad = width - static_cast<int>(end - digits); pad > 0; --pad) *p++ = '0';
  for (char* d = digits; d < end; ++d) *p++ = *d;
  return p;
}

std::string_view DateText(char* buffer, int y, unsigned m, unsigned d, int width) {
  char* p = Put(buffer, static_cast<unsigned>(y), width == 1 ? 1 : 4);
  *p++ = '/';
  p = Put(p, m, width);
  *p++ = '/';
  p = Put(p, d, width);
  return std::string_view(buffer, static_cast<size_t>(p - buffer));
}

// The calendar itself comes from std::chrono: the first of each month and the
// month's length; days within a month only count up from there.
TEST(DateTimeOracleTest, EveryDayFromYearOneToNineThousandNineHundredNinetyNine) {
  using namespace std::chrono;
  const FormatSettings settings = JapaneseFormatSettings();
  const int currentYear = 2026;
  const sys_days epoch = year{1899} / December / 30;
  int failures = 0;
  long long checkedDays = 0;
  for (int y = 1; y <= 9999 && failures < 10; ++y) {
    // Years up to 99 are read into the current century.
    int readYear = y <= 99 ? currentYear / 100 * 100 + y : y;
    for (unsigned m = 1; m <= 12; ++m) {
      double first = (sys_days{year{y} / month{m} / 1} - epoch).count();
      double firstRead = (sys_days{year{readYear} / month{m} / 1} - epoch).count();
      unsigned length = static_cast<unsigned>(year_month_day_last{year{y} / month{m} / last}.day());
      for (unsigned d = 1; d <= length; ++d, ++checkedDays) {
        char text[16];
        std::string_view written = DateText(text, y, m, d, 1);
        double value;
        bool read = TryStrToDateTime(written, value, settings, currentYear);
        // A leap day of a short year may not exist in the current century.
        bool exists = d <= static_cast<unsigned>(DaysInMonth(readYear, static_cast<int>(m)));
        if (read != exists || (read && value != firstRead + (d - 1))) {
          ADD_FAILURE() << written << (read ? " read as " : " not read ") << value;
          ++failures;
        }

        double own = first + (d - 1);
        int decodedYear, decodedMonth, decodedDay;
        DecodeDate(own, decodedYear, decodedMonth, decodedDay);
        if (decodedYear != y || decodedMonth != static_cast<int>(m) || decodedDay != static_cast<int>(d)) {
          ADD_FAILURE() << written << " decodes as " << decodedYear << '/' << decodedMonth << '/' << decodedDay;
          ++failures;
        }
        // Printing costs most; every 16th day still meets every day of the month.
        if (checkedDays % 16 == 0 && DateTimeToStr(own, settings) != DateText(text, y, m, d, 2)) {
          ADD_FAILURE() << written << " prints as " << DateTimeToStr(own, settings);
          ++failures;
        }
      }
    }
  }
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(checkedDays, (sys_days{year{10000} / January / 1} - sys_days{year{1} / January / 1}).count());
}

}  // namespace
}  // namespace tokiwa
