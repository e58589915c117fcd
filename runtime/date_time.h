#pragma once
// Date-time values: days since 1899-12-30 00:00, the fraction being the time of
// day. Before that day the integer part (toward zero) is the day and the absolute
// value of the fraction the time, so 1899-12-29 06:00 is -1.25.
#include <cstdint>

namespace tokiwa {

using TDateTime = double;

inline constexpr int MinYear = 1;
inline constexpr int MaxYear = 9999;
inline constexpr double MSecsPerDay = 86400000.0;
// Day numbers of 0001-01-01 and 9999-12-31.
inline constexpr int MinDayNumber = -693593;
inline constexpr int MaxDayNumber = 2958465;

struct DateTimeParts {
  int Year = 0, Month = 0, Day = 0;
  int Hour = 0, Minute = 0, Second = 0, MilliSecond = 0;
  int DayNumber = 0;  // the date's value (days since 1899-12-30)
};

bool IsLeapYear(int year);
// 0 for a month outside 1..12.
int DaysInMonth(int year, int month);

// Proleptic Gregorian calendar, years 1 to 9999. The throwing forms raise
// EConvertError.
bool TryEncodeDate(int year, int month, int day, TDateTime& date);
TDateTime EncodeDate(int year, int month, int day);
bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime& time);
TDateTime EncodeTime(int hour, int minute, int second, int msec);

// Joins a date and a time of day the way values are laid out: the time is added
// to dates from 1899-12-30 on and subtracted before.
TDateTime ComposeDateTime(TDateTime date, TDateTime time);

// Splits a value, rounding the time to the nearest millisecond (a rounded-up
// 24:00 becomes 00:00 of the next day). False for NaN, infinities and values whose
// date falls outside years 1 to 9999.
bool TryDecodeDateTime(TDateTime value, DateTimeParts& parts);
// Throwing forms (EConvertError when TryDecodeDateTime fails).
DateTimeParts DecodeDateTime(TDateTime value);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec);

// 00:00 of the value's day (after millisecond rounding).
TDateTime DateOf(TDateTime value);
// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(TDateTime value);

// Moves by whole months keeping the time; a day beyond the new month's length
// becomes its last day. False (or EConvertError) when the result leaves the range.
bool TryIncMonth(TDateTime value, int months, TDateTime& result);
TDateTime IncMonth(TDateTime value, int months);

// The value as whole seconds on a plain time line, rounded to the nearest:
// before 1899-12-30 the time of day counts forwards too, so -1.25 (1899-12-29
// 06:00) is -0.75 days. NaN and infinities come back as they are.
double SecondsOnTimeLine(TDateTime value);

// Local clock.
TDateTime Now();
TDateTime Date();
int CurrentYear();

}  // namespace tokiwa
