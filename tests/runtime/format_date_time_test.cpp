// Date-time formatting codes used by axis labels and the viewer's texts.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>

#include "runtime/format.h"

namespace tokiwa {
namespace {

double Day(int y, unsigned m, unsigned d) {
  using namespace std::chrono;
  return (sys_days{year{y} / month{m} / day{d}} - sys_days{year{1899} / December / 30}).count();
}

double Clock(int h, int m, int s, int ms = 0) { return ((h * 60 + m) * 60 + s + ms / 1000.0) / 86400.0; }

class FormatDateTimeTest : public ::testing::Test {
 protected:
  std::string Format(std::string_view format, double value) const {
    return FormatDateTime(format, value, settings_);
  }
  FormatSettings settings_ = JapaneseFormatSettings();
  const double morning_ = Day(2026, 12, 6) + Clock(9, 5, 0);    // a Sunday
  const double afternoon_ = Day(2026, 12, 6) + Clock(13, 7, 8, 42);
};

TEST_F(FormatDateTimeTest, NumericCodes) {
  EXPECT_EQ(Format("m/dd h:mm", morning_), "12/06 9:05");
  EXPECT_EQ(Format("yyyy/mm/dd hh:nn:ss", morning_), "2026/12/06 09:05:00");
  EXPECT_EQ(Format("yy/m/d h:n:s", Day(2005, 3, 4) + Clock(7, 8, 9)), "05/3/4 7:8:9");
  EXPECT_EQ(Format("YYYY-MM-DD", Day(5, 3, 4)), "0005-03-04");
  EXPECT_EQ(Format("h:nn:ss.zzz z", afternoon_), "13:07:08.042 42");
  EXPECT_EQ(Format("hhh", morning_), "09");
}

TEST_F(FormatDateTimeTest, MAfterAnHourCodeMeansMinutes) {
  EXPECT_EQ(Format("h:mm", morning_), "9:05");
  EXPECT_EQ(Format("hh:mm:ss", afternoon_), "13:07:08");
  EXPECT_EQ(Format("h mm", morning_), "9 05");
  EXPECT_EQ(Format("mm", morning_), "12");
  // Another code letter in between gives the month back.
  EXPECT_EQ(Format("h:nn m", morning_), "9:05 12");
  EXPECT_EQ(Format("hh:nn:ss mm", morning_), "09:05:00 12");
}

TEST_F(FormatDateTimeTest, SeparatorsComeFromTheLocale) {
  settings_.DateSeparator = '.';
  settings_.TimeSeparator = '.';
  EXPECT_EQ(Format("dd/mm/yyyy hh:nn", morning_), "06.12.2026 09.05");
  settings_.DateSeparator = '\0';
  EXPECT_EQ(Format("dd/mm", morning_), "0612");
}

TEST_F(FormatDateTimeTest, QuotedTextAndOtherCharactersAreCopied) {
  EXPECT_EQ(Format("yyyy'年'm'月'd'日'", morning_), "2026年12月6日");
  EXPECT_EQ(Format("\"h\"h 'd:m'", morning_), "h9 d:m");
  EXPECT_EQ(Format("yyyy w [x] 'open", morning_), "2026 w [x] open");
  EXPECT_EQ(Format("", morning_), "");
}

TEST_F(FormatDateTimeTest, TwelveHourClockWithADesignator) {
  EXPECT_EQ(Format("h:nn am/pm", afternoon_), "1:07 pm");
  EXPECT_EQ(Format("h:nn AM/PM", Day(2026, 12, 6) + Clock(0, 30, 0)), "12:30 AM");
  EXPECT_EQ(Format("h:nn AM/PM", Day(2026, 12, 6) + Clock(12, 0, 0)), "12:00 PM");
  EXPECT_EQ(Format("ampm h:nn", afternoon_), "午後 13:07");  // designator before: 24-hour
  EXPECT_EQ(Format("h:nn ampm", morning_), "9:05 午前");
  EXPECT_EQ(Format("h a/p", afternoon_), "1 p");
  // A designator in quotes does not count.
  EXPECT_EQ(Format("h 'am/pm'", afternoon_), "13 am/pm");
  EXPECT_EQ(Format("h h am/pm", afternoon_), "13 1 pm");
}

TEST_F(FormatDateTimeTest, NamedAndLocaleFormats) {
  EXPECT_EQ(Format("c", morning_), "2026/12/06 9:05:00");
  EXPECT_EQ(Format("c", Day(2026, 12, 6)), "2026/12/06");
  EXPECT_EQ(Format("t|tt", morning_), "9:05|9:05:00");
  EXPECT_EQ(Format("ddddd", morning_), "2026/12/06");
  EXPECT_EQ(Format("dddddd", morning_), "2026年12月6日");
  EXPECT_EQ(Format("ddd dddd mmm mmmm", morning_), "日 日曜日 12月 12月");
  EXPECT_EQ(Format("ddd", Day(1899, 12, 30)), "土");
  EXPECT_EQ(Format("ddd", Day(1899, 12, 29)), "金");
}

TEST_F(FormatDateTimeTest, SelfReferringLocaleFormatsStop) {
  settings_.ShortDateFormat = "c";
  settings_.LongTimeFormat = "tt";
  // Expansion stops a few levels down instead of recursing without end.
  EXPECT_LT(Format("c", morning_).size(), 8u);
  EXPECT_LT(Format("ddddd", morning_).size(), 8u);
}

TEST_F(FormatDateTimeTest, SecondsNeverShowFloatingError) {
  // Just below the minute, as arithmetic on stored times can leave it.
  EXPECT_EQ(Format("h:nn:ss", morning_ - 1e-11), "9:05:00");
  EXPECT_EQ(Format("h:nn:ss", Day(9999, 12, 31) + Clock(9, 5, 0) - 1e-10), "9:05:00");
  EXPECT_EQ(Format("yyyy/mm/dd h:nn:ss", Day(2026, 12, 31) + 1 - 1e-10), "2027/01/01 0:00:00");
}

TEST_F(FormatDateTimeTest, ValuesBeforeTheEpoch) {
  EXPECT_EQ(Format("yyyy/mm/dd hh:nn", -1.25), "1899/12/29 06:00");
  EXPECT_EQ(Format("yyyy/mm/dd", Day(1, 1, 1)), "0001/01/01");
}

TEST_F(FormatDateTimeTest, ValuesOutsideTheCalendarGiveNoText) {
  EXPECT_EQ(Format("yyyy/mm/dd", std::nan("")), "");
  EXPECT_EQ(Format("yyyy/mm/dd", std::numeric_limits<double>::infinity()), "");
  EXPECT_EQ(Format("yyyy/mm/dd", 1e300), "");
  EXPECT_EQ(Format("yyyy/mm/dd", -1e300), "");
  EXPECT_EQ(Format("yyyy/mm/dd", Day(9999, 12, 31) + 1), "");
}

}  // namespace
}  // namespace tokiwa
