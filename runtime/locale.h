#pragma once
// Regional settings used by date-time and number text. Every conversion takes the
// settings as a parameter, so a caller (or a test) can use another locale.
#include <array>
#include <string>

namespace tokiwa {

struct FormatSettings {
  // The first of d, m, y (or e) in ShortDateFormat decides the date order when
  // text is read back.
  std::string ShortDateFormat = "yyyy/mm/dd";
  std::string LongDateFormat = "yyyy'年'm'月'd'日'";
  std::string ShortTimeFormat = "h:mm";
  std::string LongTimeFormat = "h:mm:ss";
  char DateSeparator = '/';
  char TimeSeparator = ':';
  std::string TimeAMString = "午前";
  std::string TimePMString = "午後";
  char ThousandSeparator = ',';
  char DecimalSeparator = '.';
  std::array<std::string, 12> ShortMonthNames = {"1月", "2月", "3月", "4月",  "5月",  "6月",
                                                 "7月", "8月", "9月", "10月", "11月", "12月"};
  std::array<std::string, 12> LongMonthNames = ShortMonthNames;
  // Sunday first.
  std::array<std::string, 7> ShortDayNames = {"日", "月", "火", "水", "木", "金", "土"};
  std::array<std::string, 7> LongDayNames = {"日曜日", "月曜日", "火曜日", "水曜日",
                                             "木曜日", "金曜日", "土曜日"};
};

// The settings of a Japanese desktop: year/month/day with "/", 24-hour time with ":".
FormatSettings JapaneseFormatSettings();

}  // namespace tokiwa
