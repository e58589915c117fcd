// Date-time values: the calendar, time rounding and the layout before 1899.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <string>

#include "runtime/date_time.h"
#include "runtime/exceptions.h"
#include "runtime/messages.h"

namespace tokiwa {
namespace {

double Day(int y, unsigned m, unsigned d) {
  using namespace std::chrono;
  return (sys_days{year{y} / month{m} / day{d}} - sys_days{year{1899} / December / 30}).count();
}

struct Ymd {
  int y, m, d;
  bool operator==(const Ymd&) const = default;
};

Ymd DateParts(double value) {
  Ymd r{};
  DecodeDate(value, r.y, r.m, r.d);
  return r;
}

TEST(DateTimeValuesTest, GregorianLeapYears) {
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_FALSE(IsLeapYear(2023));
  EXPECT_EQ(DaysInMonth(2024, 2), 29);
  EXPECT_EQ(DaysInMonth(2100, 2), 28);
  EXPECT_EQ(DaysInMonth(2026, 4), 30);
  EXPECT_EQ(DaysInMonth(2026, 0), 0);
  EXPECT_EQ(DaysInMonth(2026, 13), 0);
}

TEST(DateTimeValuesTest, EncodesYearsOneToNineThousandNineHundredNinetyNine) {
  EXPECT_DOUBLE_EQ(EncodeDate(1899, 12, 30), 0);
  EXPECT_DOUBLE_EQ(EncodeDate(1, 1, 1), Day(1, 1, 1));
  EXPECT_DOUBLE_EQ(EncodeDate(9999, 12, 31), Day(9999, 12, 31));
  EXPECT_DOUBLE_EQ(EncodeDate(1, 1, 1), MinDayNumber);
  EXPECT_DOUBLE_EQ(EncodeDate(9999, 12, 31), MaxDayNumber);
  double date = 123;
  EXPECT_FALSE(TryEncodeDate(0, 12, 31, date));
  EXPECT_FALSE(TryEncodeDate(10000, 1, 1, date));
  EXPECT_FALSE(TryEncodeDate(2023, 2, 29, date));
  EXPECT_FALSE(TryEncodeDate(2026, 1, 0, date));
  EXPECT_DOUBLE_EQ(date, 123);
  EXPECT_THROW(EncodeDate(2026, 2, 30), EConvertError);
}

TEST(DateTimeValuesTest, EncodesTimesOfDay) {
  EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0, 0), 0.5);
  EXPECT_DOUBLE_EQ(EncodeTime(23, 59, 59, 999), (86400000.0 - 1) / 86400000.0);
  double time;
  EXPECT_FALSE(TryEncodeTime(24, 0, 0, 0, time));
  EXPECT_FALSE(TryEncodeTime(0, 60, 0, 0, time));
  EXPECT_FALSE(TryEncodeTime(0, 0, 60, 0, time));
  EXPECT_FALSE(TryEncodeTime(0, 0, 0, 1000, time));
  EXPECT_FALSE(TryEncodeTime(-1, 0, 0, 0, time));
  try {
    EncodeTime(25, 0, 0, 0);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), msg::InvalidTimeEncode);
  }
}

// Stored as doubles, whole seconds sit a hair below or above their value; every
// second of a day far from the epoch must still decode to itself.
TEST(DateTimeValuesTest, EverySecondDecodesToItself) {
  for (double day : {0.0, Day(2026, 12, 6), Day(9999, 12, 31)}) {
    int wrong = 0;
    for (int second = 0; second < 86400 && wrong < 5; ++second) {
      int h = second / 3600, m = second / 60 % 60, s = second % 60;
      DateTimeParts p = DecodeDateTime(day + EncodeTime(h, m, s, 0));
      if (p.Hour != h || p.Minute != m || p.Second != s || p.MilliSecond != 0 || p.DayNumber != day) {
        ADD_FAILURE() << day << " " << h << ":" << m << ":" << s << " decodes as " << p.Hour << ":"
                      << p.Minute << ":" << p.Second << "." << p.MilliSecond;
        ++wrong;
      }
    }
  }
  int h, m, s, ms;
  DecodeTime(Day(2026, 12, 6) + (9 * 60 + 5) / 1440.0, h, m, s, ms);
  EXPECT_EQ(h * 10000 + m * 100 + s, 90500);
  EXPECT_EQ(ms, 0);
}

TEST(DateTimeValuesTest, TimeRoundingUpToMidnightMovesToTheNextDay) {
  double day = Day(2026, 12, 31);
  DateTimeParts p = DecodeDateTime(day + 1 - 1e-10);
  EXPECT_EQ((Ymd{p.Year, p.Month, p.Day}), (Ymd{2027, 1, 1}));
  EXPECT_EQ(p.Hour + p.Minute + p.Second + p.MilliSecond, 0);
  // Before the epoch the next day outward is the earlier one.
  p = DecodeDateTime(-1 - (1 - 1e-10));
  EXPECT_EQ((Ymd{p.Year, p.Month, p.Day}), (Ymd{1899, 12, 28}));
  EXPECT_EQ(p.Hour, 0);
  EXPECT_FALSE(TryDecodeDateTime(MaxDayNumber + 1 - 1e-10, p));
}

TEST(DateTimeValuesTest, ValuesBeforeTheEpochKeepTheDayTowardZero) {
  EXPECT_EQ(DateParts(-1.25), (Ymd{1899, 12, 29}));
  int h, m, s, ms;
  DecodeTime(-1.25, h, m, s, ms);
  EXPECT_EQ(h, 6);
  // Between -1 and 0 the day is 1899-12-30 and the time the fraction's size.
  EXPECT_EQ(DateParts(-0.75), (Ymd{1899, 12, 30}));
  DecodeTime(-0.75, h, m, s, ms);
  EXPECT_EQ(h, 18);
  EXPECT_DOUBLE_EQ(ComposeDateTime(-1, 0.25), -1.25);
  EXPECT_DOUBLE_EQ(ComposeDateTime(5, 0.25), 5.25);
  EXPECT_DOUBLE_EQ(ComposeDateTime(0, 0.25), 0.25);
}

TEST(DateTimeValuesTest, ValuesOutsideTheCalendarFailToDecode) {
  DateTimeParts p;
  for (double v : {std::nan(""), std::numeric_limits<double>::infinity(),
                   -std::numeric_limits<double>::infinity(), 1e300, -1e300,
                   MaxDayNumber + 1.0, MinDayNumber - 1.0, 4e9, -4e9})
    EXPECT_FALSE(TryDecodeDateTime(v, p)) << v;
  EXPECT_TRUE(TryDecodeDateTime(MinDayNumber - 0.5, p));
  EXPECT_EQ((Ymd{p.Year, p.Month, p.Day}), (Ymd{1, 1, 1}));
  EXPECT_TRUE(TryDecodeDateTime(MaxDayNumber + 0.5, p));
  EXPECT_EQ((Ymd{p.Year, p.Month, p.Day}), (Ymd{9999, 12, 31}));
  int y, m, d;
  EXPECT_THROW(DecodeDate(1e300, y, m, d), EConvertError);
  EXPECT_THROW(DecodeTime(std::nan(""), y, m, d, y), EConvertError);
}

TEST(DateTimeValuesTest, DateOfAndDayOfWeek) {
  EXPECT_DOUBLE_EQ(DateOf(Day(2026, 12, 6) + 0.75), Day(2026, 12, 6));
  EXPECT_DOUBLE_EQ(DateOf(-1.25), -1);
  using namespace std::chrono;
  for (double day : {Day(2026, 12, 6), Day(1, 1, 1), Day(1899, 12, 29), Day(9999, 12, 31)}) {
    weekday expected{sys_days{year{1899} / December / 30} + days{static_cast<int>(day)}};
    EXPECT_EQ(DayOfWeek(ComposeDateTime(day, 0.5)), static_cast<int>(expected.c_encoding()) + 1) << day;
  }
}

TEST(DateTimeValuesTest, IncMonthClampsTheDayAndKeepsTheTime) {
  double time = EncodeTime(9, 5, 0, 0);
  EXPECT_DOUBLE_EQ(IncMonth(Day(2024, 1, 31) + time, 1), Day(2024, 2, 29) + time);
  EXPECT_DOUBLE_EQ(IncMonth(Day(2026, 3, 31), -1), Day(2026, 2, 28));
  EXPECT_DOUBLE_EQ(IncMonth(Day(2026, 1, 15), -13), Day(2024, 12, 15));
  EXPECT_DOUBLE_EQ(IncMonth(Day(2026, 12, 15), 1), Day(2027, 1, 15));
  EXPECT_DOUBLE_EQ(IncMonth(Day(1899, 12, 29) - 0.25, -1), Day(1899, 11, 29) - 0.25);
  double result = 7;
  EXPECT_FALSE(TryIncMonth(Day(9999, 12, 1), 1, result));
  EXPECT_FALSE(TryIncMonth(Day(1, 1, 31), -1, result));
  EXPECT_FALSE(TryIncMonth(Day(2026, 1, 1), 2000000000, result));
  EXPECT_DOUBLE_EQ(result, 7);
  EXPECT_THROW(IncMonth(Day(1, 1, 1), -12), EConvertError);
}

// Local time: with the zone pinned to UTC+9 the clock must read UTC plus nine hours.
TEST(DateTimeValuesTest, NowIsTheLocalClock) {
  const char* old = std::getenv("TZ");
  std::string saved = old ? old : "";
  setenv("TZ", "JST-9", 1);
  tzset();
  using namespace std::chrono;
  double before = duration<double, days::period>(system_clock::now() - sys_days{year{1899} / December / 30}).count();
  double now = Now();
  double today = Date();
  double after = duration<double, days::period>(system_clock::now() - sys_days{year{1899} / December / 30}).count();
  if (old) setenv("TZ", saved.c_str(), 1); else unsetenv("TZ");
  tzset();
  const double nine = 9.0 / 24, ms = 1.0 / 86400000;
  EXPECT_GE(now, before + nine - ms);
  EXPECT_LE(now, after + nine + ms);
  EXPECT_EQ(today, std::floor(today));
  EXPECT_LE(today, now + ms);
  EXPECT_GT(today + 1, now - ms);
}

}  // namespace
}  // namespace tokiwa
