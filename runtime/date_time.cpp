#include "runtime/date_time.h"

#include <chrono>
#include <cmath>
#include <ctime>

#include "runtime/exceptions.h"
#include "runtime/messages.h"

namespace tokiwa {

namespace {

// Days from 0001-01-01 to 1899-12-30, plus one: 0001-01-01 is day 1 of the era.
constexpr int kDateDelta = 693594;
constexpr int kDaysPer1Year = 365;
constexpr int kDaysPer4Years = kDaysPer1Year * 4 + 1;
constexpr int kDaysPer100Years = kDaysPer4Years * 25 - 1;
constexpr int kDaysPer400Years = kDaysPer100Years * 4 + 1;
constexpr long long kMSecsPerDay = 86400000;

// Days of the year before each month, common and leap years.
constexpr int kDaysBeforeMonth[2][13] = {
    {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365},
    {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366}};

int DayNumberOf(int year, int month, int day) {
  int days = kDaysBeforeMonth[IsLeapYear(year)][month - 1] + day;
  int y = year - 1;
  return y * 365 + y / 4 - y / 100 + y / 400 + days - kDateDelta;
}

// Counts whole 400-, 100-, 4- and 1-year cycles; the last year of a 100- or
// 1-year cycle run is the long one.
void CivilFromDayNumber(int dayNumber, int& year, int& month, int& day) {
  int t = dayNumber + kDateDelta - 1;
  int y = 1 + t / kDaysPer400Years * 400;
  t %= kDaysPer400Years;
  int cycles = t / kDaysPer100Years;
  t %= kDaysPer100Years;
  if (cycles == 4) {
    cycles = 3;
    t += kDaysPer100Years;
  }
  y += cycles * 100;
  y += t / kDaysPer4Years * 4;
  t %= kDaysPer4Years;
  cycles = t / kDaysPer1Year;
  t %= kDaysPer1Year;
  if (cycles == 4) {
    cycles = 3;
    t += kDaysPer1Year;
  }
  y += cycles;
  const int* before = kDaysBeforeMonth[IsLeapYear(y)];
  int m = 1;
  while (t >= before[m]) ++m;
  year = y;
  month = m;
  day = t - before[m - 1] + 1;
}

[[noreturn]] void ThrowInvalidValue(TDateTime value) {
  throw EConvertError(FormatText(msg::InvalidDateTimeValue, {FormatArg(value)}));
}

}  // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& date) {
  if (year < MinYear || year > MaxYear || month < 1 || month > 12) return false;
  if (day < 1 || day > DaysInMonth(year, month)) return false;
  date = DayNumberOf(year, month, day);
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime date;
  if (!TryEncodeDate(year, month, day, date)) throw EConvertError(std::string(msg::InvalidDateEncode));
  return date;
}

bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime& time) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) return false;
  if (msec < 0 || msec > 999) return false;
  long long ms = ((hour * 60LL + minute) * 60 + second) * 1000 + msec;
  time = static_cast<double>(ms) / MSecsPerDay;
  return true;
}

TDateTime EncodeTime(int hour, int minute, int second, int msec) {
  TDateTime time;
  if (!TryEncodeTime(hour, minute, second, msec, time))
    throw EConvertError(std::string(msg::InvalidTimeEncode));
  return time;
}

TDateTime ComposeDateTime(TDateTime date, TDateTime time) {
  return date >= 0 ? date + time : date - time;
}

bool TryDecodeDateTime(TDateTime value, DateTimeParts& parts) {
  if (!std::isfinite(value)) return false;
  double whole = std::trunc(value);
  if (whole < MinDayNumber - 1.0 || whole > MaxDayNumber + 1.0) return false;
  int dayNumber = static_cast<int>(whole);
  long long ms = std::llround(std::fabs(value - whole) * MSecsPerDay);
  if (ms >= kMSecsPerDay) {
    ms -= kMSecsPerDay;
    dayNumber += value < 0 ? -1 : 1;
  }
  if (dayNumber < MinDayNumber || dayNumber > MaxDayNumber) return false;
  parts.DayNumber = dayNumber;
  CivilFromDayNumber(dayNumber, parts.Year, parts.Month, parts.Day);
  parts.MilliSecond = static_cast<int>(ms % 1000);
  parts.Second = static_cast<int>(ms / 1000 % 60);
  parts.Minute = static_cast<int>(ms / 60000 % 60);
  parts.Hour = static_cast<int>(ms / 3600000);
  return true;
}

DateTimeParts DecodeDateTime(TDateTime value) {
  DateTimeParts parts;
  if (!TryDecodeDateTime(value, parts)) ThrowInvalidValue(value);
  return parts;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
  DateTimeParts parts = DecodeDateTime(value);
  year = parts.Year;
  month = parts.Month;
  day = parts.Day;
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec) {
  DateTimeParts parts = DecodeDateTime(value);
  hour = parts.Hour;
  minute = parts.Minute;
  second = parts.Second;
  msec = parts.MilliSecond;
}

TDateTime DateOf(TDateTime value) { return DecodeDateTime(value).DayNumber; }

int DayOfWeek(TDateTime value) { return (DecodeDateTime(value).DayNumber + kDateDelta) % 7 + 1; }

bool TryIncMonth(TDateTime value, int months, TDateTime& result) {
  DateTimeParts parts;
  if (!TryDecodeDateTime(value, parts)) return false;
  long long monthIndex = parts.Year * 12LL + (parts.Month - 1) + months;
  if (monthIndex < MinYear * 12LL || monthIndex > MaxYear * 12LL + 11) return false;
  int year = static_cast<int>(monthIndex / 12);
  int month = static_cast<int>(monthIndex % 12) + 1;
  int day = parts.Day < DaysInMonth(year, month) ? parts.Day : DaysInMonth(year, month);
  TDateTime date;
  TDateTime time;
  if (!TryEncodeDate(year, month, day, date)) return false;
  TryEncodeTime(parts.Hour, parts.Minute, parts.Second, parts.MilliSecond, time);
  result = ComposeDateTime(date, time);
  return true;
}

TDateTime IncMonth(TDateTime value, int months) {
  TDateTime result;
  if (!TryIncMonth(value, months, result)) throw EConvertError(std::string(msg::InvalidDateEncode));
  return result;
}

TDateTime Now() {
  using namespace std::chrono;
  auto now = system_clock::now();
  std::time_t seconds = system_clock::to_time_t(now);
  int ms = static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
  std::tm local{};
  localtime_r(&seconds, &local);
  return ComposeDateTime(EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday),
                         EncodeTime(local.tm_hour, local.tm_min, local.tm_sec < 60 ? local.tm_sec : 59,
                                    ms < 0 ? 0 : ms));
}

TDateTime Date() { return std::trunc(Now()); }

int CurrentYear() {
  int year, month, day;
  DecodeDate(Now(), year, month, day);
  return year;
}

double SecondsOnTimeLine(TDateTime value) {
  constexpr double kSecondsPerDay = 86400;
  double days = value;
  if (value < 0) {
    const double day = std::trunc(value);
    days = day + std::fabs(value - day);
  }
  return std::round(days * kSecondsPerDay);
}

}  // namespace tokiwa
