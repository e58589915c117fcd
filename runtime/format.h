#pragma once
// Date-time and number formatting with the platform's formatting codes.
#include <string>
#include <string_view>

#include "runtime/date_time.h"
#include "runtime/locale.h"

namespace tokiwa {

// Codes (case-insensitive): d dd day, ddd dddd day name, ddddd short date,
// dddddd long date; m mm month (minutes when the previous code letter was an hour
// code), mmm mmmm month name; yy yyyy year; h hh hour (12-hour when am/pm, a/p or
// ampm follows); n nn minutes; s ss seconds; z zzz milliseconds; t short time,
// tt long time; c short date and, unless 00:00:00, the long time; am/pm a/p ampm
// the designator; "/" and ":" the locale's separators; '...' and "..." literal.
// Other characters are copied. Empty for NaN, infinities and values outside the
// date range.
std::string FormatDateTime(std::string_view format, TDateTime value, const FormatSettings& settings);

// Sections "positive;negative;zero". In a section: "0" a digit always shown, "#"
// a digit shown when significant, "," before the point groups thousands, "." the
// decimal point; the count of 0/# after it is the most decimals (rounded half
// away from zero), the 0s among them the fewest. Other characters are copied where
// they stand. An empty format, and values of 1e18 and beyond, give the general
// form; NaN and infinities give "NAN", "INF", "-INF".
std::string FormatFloat(std::string_view format, double value, const FormatSettings& settings);

// Shortest general form with up to 15 significant digits ("1234.5", "1E300").
std::string FloatToStr(double value, const FormatSettings& settings);

}  // namespace tokiwa
