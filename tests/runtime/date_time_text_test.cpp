// Reading date-time text: the rules the launch-log rows rely on.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <iterator>
#include <random>
#include <string>

#include "runtime/date_time.h"
#include "runtime/date_time_text.h"
#include "runtime/exceptions.h"
#include "runtime/messages.h"

namespace tokiwa {
namespace {

constexpr int kYear = 2026;

// Independent of the code under test: the calendar of the standard library.
double Day(int y, unsigned m, unsigned d) {
  using namespace std::chrono;
  return (sys_days{year{y} / month{m} / day{d}} - sys_days{year{1899} / December / 30}).count();
}

double Clock(int h, int m, int s) { return (h * 3600 + m * 60 + s) / 86400.0; }

class DateTimeTextTest : public ::testing::Test {
 protected:
  bool Read(std::string_view text, double& value) const {
    return TryStrToDateTime(text, value, settings_, kYear);
  }
  // The value, or NaN when the text is rejected.
  double ValueOf(std::string_view text) const {
    double value;
    return Read(text, value) ? value : std::nan("");
  }
  void ExpectRejected(std::string_view text) const {
    double value;
    EXPECT_FALSE(Read(text, value)) << "accepted: " << text;
  }
  FormatSettings settings_ = JapaneseFormatSettings();
};

TEST_F(DateTimeTextTest, ReadsYearMonthDayWithTime) {
  EXPECT_DOUBLE_EQ(ValueOf("2026/12/06"), Day(2026, 12, 6));
  EXPECT_DOUBLE_EQ(ValueOf("2026/12/06 09:05:00"), Day(2026, 12, 6) + Clock(9, 5, 0));
  EXPECT_DOUBLE_EQ(ValueOf("2026/1/2 23:59:59"), Day(2026, 1, 2) + Clock(23, 59, 59));
  EXPECT_DOUBLE_EQ(ValueOf("2026/12/06 7"), Day(2026, 12, 6) + Clock(7, 0, 0));
  EXPECT_DOUBLE_EQ(ValueOf("2026/12/06 7:08"), Day(2026, 12, 6) + Clock(7, 8, 0));
}

TEST_F(DateTimeTextTest, ChecksTheCalendar) {
  ExpectRejected("2023/02/29");
  EXPECT_DOUBLE_EQ(ValueOf("2024/02/29"), Day(2024, 2, 29));
  EXPECT_DOUBLE_EQ(ValueOf("2000/02/29"), Day(2000, 2, 29));
  ExpectRejected("2100/02/29");
  ExpectRejected("2026/13/01");
  ExpectRejected("2026/0/01");
  ExpectRejected("2026/04/31");
  ExpectRejected("2026/04/00");
  EXPECT_DOUBLE_EQ(ValueOf("9999/12/31"), Day(9999, 12, 31));
  EXPECT_DOUBLE_EQ(ValueOf("100/1/1"), Day(100, 1, 1));
}

TEST_F(DateTimeTextTest, NumbersStopOnceTheyReachOneThousand) {
  // "1000" is read, then "0" is not a separator.
  ExpectRejected("10000/1/1");
  // Leading zeros keep the value below 1000, so reading goes on.
  EXPECT_DOUBLE_EQ(ValueOf("002026/12/06"), Day(2026, 12, 6));
  EXPECT_DOUBLE_EQ(ValueOf("2026/12/06 000001:0000005"), Day(2026, 12, 6) + Clock(1, 5, 0));
  EXPECT_DOUBLE_EQ(ValueOf("2026/12/06 0013:00"), Day(2026, 12, 6) + Clock(13, 0, 0));
}

TEST_F(DateTimeTextTest, HourRangesDependOnTheDesignator) {
  double day = Day(2026, 12, 6);
  EXPECT_DOUBLE_EQ(ValueOf("2026/12/06 12:30 AM"), day + Clock(0, 30, 0));
  EXPECT_DOUBLE_EQ(ValueOf("2026/12/06 12:30 PM"), day + Clock(12, 30, 0));
  EXPECT_DOUBLE_EQ(ValueOf("2026/12/06 1:05 PM"), day + Clock(13, 5, 0));
  EXPECT_DOUBLE_EQ(ValueOf("2026/12/06 11:59:59 pm"), day + Clock(23, 59, 59));
  EXPECT_DOUBLE_EQ(ValueOf("2026/12/06 午後1:05"), day + Clock(13, 5, 0));
  EXPECT_DOUBLE_EQ(ValueOf("2026/12/06 午前12:00"), day);
  EXPECT_DOUBLE_EQ(ValueOf("2026/12/06 10:00午後"), day + Clock(22, 0, 0));
  EXPECT_DOUBLE_EQ(ValueOf("2026/12/06 Am 9:00"), day + Clock(9, 0, 0));
  EXPECT_DOUBLE_EQ(ValueOf("2026/12/06 0:00"), day);
  EXPECT_DOUBLE_EQ(ValueOf("2026/12/06 23:00"), day + Clock(23, 0, 0));
  ExpectRejected("2026/12/06 0:30 AM");
  ExpectRejected("2026/12/06 13:00 PM");
  ExpectRejected("2026/12/06 午後0:10");
  ExpectRejected("2026/12/06 24:00");
}

TEST_F(DateTimeTextTest, MinutesAndSecondsStayBelowSixty) {
  EXPECT_DOUBLE_EQ(ValueOf("2026/12/06 1:59:59"), Day(2026, 12, 6) + Clock(1, 59, 59));
  ExpectRejected("2026/12/06 1:60");
  ExpectRejected("2026/12/06 1:00:60");
}

TEST_F(DateTimeTextTest, SkipsBlanksBeforeEveryPart) {
  double expected = Day(2026, 12, 6) + Clock(13, 5, 7);
  EXPECT_DOUBLE_EQ(ValueOf("  2026 / 12 /  06   13 :05 : 07"), expected);
  EXPECT_DOUBLE_EQ(ValueOf(" 2026/12/06   午後  1:05:07"), expected);
  EXPECT_DOUBLE_EQ(ValueOf("2026/12/06 1 : 05 : 07   PM"), expected);
  // A date whose time column is empty still reads.
  EXPECT_DOUBLE_EQ(ValueOf("2026/12/06 "), Day(2026, 12, 6));
}

TEST_F(DateTimeTextTest, OnlyTheBlankIsSkipped) {
  ExpectRejected("\t2026/12/06");
  ExpectRejected("2026/\t12/06");
  ExpectRejected("2026/12/06\t13:00");
  ExpectRejected("2026/12/06 13:\t00");
  ExpectRejected("\xE3\x80\x80" "2026/12/06");  // ideographic space
}

TEST_F(DateTimeTextTest, IgnoresTextAfterTheTime) {
  double expected = Day(2026, 12, 6) + Clock(13, 5, 0);
  EXPECT_DOUBLE_EQ(ValueOf("2026/12/06 13:05 extra"), expected);
  EXPECT_DOUBLE_EQ(ValueOf("2026/12/06 13:05:00.750"), expected);
  EXPECT_DOUBLE_EQ(ValueOf("2026/12/06 1:05 PM PM"), expected);
}

TEST_F(DateTimeTextTest, RejectsTextThatIsNoTime) {
  ExpectRejected("");
  ExpectRejected("   ");
  ExpectRejected("13:05");
  ExpectRejected("2026");
  ExpectRejected("2026/");
  ExpectRejected("2026/12/06 x");
  ExpectRejected("2026/12/06 PM");
  ExpectRejected("2026/12/06 13:");
  ExpectRejected("2026/12/06 13:05:");
  ExpectRejected("2026/12/06//13:05");
  ExpectRejected("2026-12-06");
}

TEST_F(DateTimeTextTest, TwoNumberDatesFallInTheCurrentYear) {
  EXPECT_DOUBLE_EQ(ValueOf("12/06"), Day(kYear, 12, 6));
  ExpectRejected("2/29 10:00");  // 2026 is no leap year
  double value;
  ASSERT_TRUE(TryStrToDateTime("2/29", value, settings_, 2024));
  EXPECT_DOUBLE_EQ(value, Day(2024, 2, 29));
}

TEST_F(DateTimeTextTest, ShortYearsFallInTheCurrentCentury) {
  EXPECT_DOUBLE_EQ(ValueOf("26/12/06"), Day(2026, 12, 6));
  EXPECT_DOUBLE_EQ(ValueOf("99/1/1"), Day(2099, 1, 1));
  EXPECT_DOUBLE_EQ(ValueOf("0/1/1"), Day(2000, 1, 1));
  EXPECT_DOUBLE_EQ(ValueOf("100/1/1"), Day(100, 1, 1));
  double value;
  ASSERT_TRUE(TryStrToDateTime("5/3/4", value, settings_, 1999));
  EXPECT_DOUBLE_EQ(value, Day(1905, 3, 4));
}

TEST_F(DateTimeTextTest, AllowsOneMoreSeparatorAfterTheDate) {
  EXPECT_DOUBLE_EQ(ValueOf("2026/12/06/"), Day(2026, 12, 6));
  EXPECT_DOUBLE_EQ(ValueOf("2026/12/06/ 8:00"), Day(2026, 12, 6) + Clock(8, 0, 0));
  EXPECT_DOUBLE_EQ(ValueOf("12/06/"), Day(kYear, 12, 6));
  ExpectRejected("12/06//");
  ExpectRejected("2026/12/06//");
}

TEST_F(DateTimeTextTest, FollowsTheLocaleOrderAndSeparators) {
  settings_.ShortDateFormat = "dd.MM.yyyy";
  settings_.DateSeparator = '.';
  settings_.TimeSeparator = '.';
  settings_.TimeAMString = "vorm.";
  settings_.TimePMString = "nachm.";
  EXPECT_DOUBLE_EQ(ValueOf("06.12.2026 13.05"), Day(2026, 12, 6) + Clock(13, 5, 0));
  EXPECT_DOUBLE_EQ(ValueOf("06.12"), Day(kYear, 12, 6));
  EXPECT_DOUBLE_EQ(ValueOf("06.12.2026 1.05 NACHM."), Day(2026, 12, 6) + Clock(13, 5, 0));
  ExpectRejected("2026/12/06");
  settings_.ShortDateFormat = "M/d/yyyy";
  settings_.DateSeparator = '/';
  EXPECT_DOUBLE_EQ(ValueOf("12/06/2026"), Day(2026, 12, 6));
  EXPECT_DOUBLE_EQ(ValueOf("12/06"), Day(kYear, 12, 6));
  settings_.ShortDateFormat = "gg e/mm/dd";
  EXPECT_DOUBLE_EQ(ValueOf("2026/12/06"), Day(2026, 12, 6));
}

// Logs' plain "y/m/d h:n:s" stamps are read without the general scanner; every
// text near that form, under settings of every order and separator, must read
// as the scanner reads it.
TEST_F(DateTimeTextTest, PlainStampsReadAsTheScannerReadsThem) {
  const char* const pieces[] = {"2024", "24", "0", "00007", "12", "31", "29", "13", "9999", "1899", "60", "23", "59",
                                "/", "/", ".", ":", " ", "  ", "-", "x", "午後", "PM", "am", "1:"};
  FormatSettings dotted = settings_;
  dotted.ShortDateFormat = "dd.MM.yyyy";
  dotted.DateSeparator = dotted.TimeSeparator = '.';
  FormatSettings american = settings_;
  american.ShortDateFormat = "M/d/yyyy";
  FormatSettings digitDesignator = settings_;
  digitDesignator.TimeAMString = "1";
  FormatSettings blankSeparator = settings_;
  blankSeparator.DateSeparator = ' ';
  const FormatSettings settings[] = {settings_, dotted, american, digitDesignator, blankSeparator};
  std::mt19937 rng(5);
  int accepted = 0;
  for (int round = 0; round < 200000; ++round) {
    const FormatSettings& s = settings[rng() % std::size(settings)];
    const char date = s.DateSeparator, time = s.TimeSeparator;
    // The plain form, then a few of its characters replaced by pieces.
    std::string text = std::to_string(1 + rng() % 2100) + date + std::to_string(rng() % 14) + date +
                       std::to_string(rng() % 33) + ' ' + std::to_string(rng() % 25) + time +
                       std::to_string(rng() % 61) + time + std::to_string(rng() % 61);
    for (int edits = static_cast<int>(rng() % 3); edits > 0; --edits)
      text.replace(rng() % text.size(), rng() % 3, pieces[rng() % std::size(pieces)]);
    double fast = 0, scanned = 0;
    const bool read = TryStrToDateTime(text, fast, s, kYear);
    ASSERT_EQ(read, ScanDateTime(text, scanned, s, kYear)) << text;
    if (read) {
      ASSERT_EQ(fast, scanned) << text;
    }
    accepted += read;
  }
  EXPECT_GT(accepted, 20000);  // many stay dates
}

// A log's times read by their separator alone: the usual h:mm:ss forms and
// every other plain one, in range or not; what is not three plain numbers is
// left to the general reading.
TEST(PlainTime, ReadsTheUsualFormsAndLeavesTheRestToTheScanner) {
  const struct {
    const char* text;
    PlainRead read;
    double value;
  } cases[] = {
      {"8:51:37", PlainRead::prRead, Clock(8, 51, 37)},   {"08:05:07", PlainRead::prRead, Clock(8, 5, 7)},
      {"23:59:59", PlainRead::prRead, Clock(23, 59, 59)}, {"0:00:00", PlainRead::prRead, 0},
      {"8:5:7", PlainRead::prRead, Clock(8, 5, 7)},       {"0008:0005:07", PlainRead::prRead, Clock(8, 5, 7)},
      {"24:00:00", PlainRead::prInvalid, 0},              {"8:60:00", PlainRead::prInvalid, 0},
      {"12:00:60", PlainRead::prInvalid, 0},              {"8.51.37", PlainRead::prOtherForm, 0},
      {"8:51:3x", PlainRead::prOtherForm, 0},             {" 8:51:37", PlainRead::prOtherForm, 0},
      {"8:51", PlainRead::prOtherForm, 0},                {"123:00:00", PlainRead::prInvalid, 0},
      {"12345:00:00", PlainRead::prOtherForm, 0},        {"", PlainRead::prOtherForm, 0},
  };
  for (const auto& c : cases) {
    double value = -1;
    ASSERT_EQ(ReadPlainTime(c.text, ':', value), c.read) << c.text;
    if (c.read == PlainRead::prRead) {
      EXPECT_DOUBLE_EQ(value, c.value) << c.text;
    }
  }
}

TEST_F(DateTimeTextTest, DatesBeforeTheEpochCarryTheTimeOutward) {
  double value = ValueOf("1899/12/29 06:00");
  EXPECT_DOUBLE_EQ(value, -1.25);
  int h, m, s, ms;
  DecodeTime(value, h, m, s, ms);
  EXPECT_EQ(h, 6);
  int y, mo, d;
  DecodeDate(value, y, mo, d);
  EXPECT_EQ(d, 29);
}

TEST_F(DateTimeTextTest, FailureNamesTheWholeText) {
  try {
    StrToDateTime("2026/02/30 10:00", settings_, kYear);
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'2026/02/30 10:00' は日付または時刻ではありません");
  }
  EXPECT_DOUBLE_EQ(StrToDateTime("2026/12/06 9:05", settings_, kYear), Day(2026, 12, 6) + Clock(9, 5, 0));
}

TEST_F(DateTimeTextTest, OverloadsWithoutAYearUseTheClock) {
  int year, month, day;
  DecodeDate(Now(), year, month, day);
  // Two numbers mean this year; a year boundary during the test is tolerated.
  double value = StrToDateTime("1/1", settings_);
  int readYear, m, d;
  DecodeDate(value, readYear, m, d);
  EXPECT_TRUE(readYear == year || readYear == year + 1);
  EXPECT_TRUE(TryStrToDateTime("2026/12/06", value, settings_));
}

TEST_F(DateTimeTextTest, HandlesAMegabyteOfInput) {
  const size_t size = 1 << 20;
  std::string blanks(size, ' ');
  EXPECT_DOUBLE_EQ(ValueOf(blanks + "2026/12/06"), Day(2026, 12, 6));
  EXPECT_DOUBLE_EQ(ValueOf("2026/12/06 13:00" + blanks + "x"), Day(2026, 12, 6) + Clock(13, 0, 0));
  ExpectRejected(std::string(size, '7'));
  ExpectRejected(std::string(size, '0'));
  std::string digitsAndBlanks;
  for (size_t i = 0; i < size / 2; ++i) digitsAndBlanks += "1 ";
  ExpectRejected(digitsAndBlanks);
  std::string separators = "2026/12/06 1";
  while (separators.size() < size) separators += " :";
  ExpectRejected(separators);
  std::string text(size, '9');
  EXPECT_THROW(StrToDateTime(text, settings_, kYear), EConvertError);
}

TEST_F(DateTimeTextTest, DefaultTextShowsTheTimeOnlyWhenThereIsOne) {
  double day = Day(2026, 12, 6);
  EXPECT_EQ(DateTimeToStr(day + Clock(9, 5, 0), settings_), "2026/12/06 9:05:00");
  EXPECT_EQ(DateTimeToStr(day, settings_), "2026/12/06");
  EXPECT_EQ(DateTimeToStr(day + Clock(0, 0, 1), settings_), "2026/12/06 0:00:01");
  EXPECT_EQ(DateTimeToStr(day + Clock(23, 59, 59), settings_), "2026/12/06 23:59:59");
  // Within floating error of midnight is midnight, of either day.
  EXPECT_EQ(DateTimeToStr(day + 1e-10, settings_), "2026/12/06");
  EXPECT_EQ(DateTimeToStr(day - 1e-10, settings_), "2026/12/06");
  EXPECT_EQ(DateTimeToStr(std::nan(""), settings_), "");
}

}  // namespace
}  // namespace tokiwa
