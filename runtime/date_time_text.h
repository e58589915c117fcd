#pragma once
// Date-time values to and from the locale's text.
#include <string>
#include <string_view>

#include "runtime/date_time.h"
#include "runtime/locale.h"

namespace tokiwa {

// Reads a date, optionally followed by a time, in the locale's order and
// separators. Two-number dates fall in currentYear; years up to 99 fall in its
// century. Only blanks (0x20) may precede numbers, separators and AM/PM
// designators; text after the time is ignored. The overloads without a year use
// the local clock.
bool TryStrToDateTime(std::string_view text, TDateTime& value, const FormatSettings& settings,
                      int currentYear);
bool TryStrToDateTime(std::string_view text, TDateTime& value, const FormatSettings& settings);
// The plain form logs are written in, "y/m/d h:n:s" (each number of one to
// four digits, the locale's separators), read in its two parts: a date and a
// time text of that form read as TryStrToDateTime reads them joined by one
// blank. prOtherForm: not of that form (or settings it is not read alike
// in), and only TryStrToDateTime tells.
enum class PlainRead { prRead, prInvalid, prOtherForm };
PlainRead ReadPlainDate(std::string_view text, const FormatSettings& settings, int currentYear, TDateTime& date);
PlainRead ReadPlainTime(std::string_view text, const FormatSettings& settings, TDateTime& time);
// ReadPlainTime under settings the plain form is read in (those ReadPlainDate
// answers other than prOtherForm under), given their time separator.
PlainRead ReadPlainTime(std::string_view text, char separator, TDateTime& time);

// The same read by the general scanner alone: TryStrToDateTime reads the plain
// "y/m/d h:n:s" form of logs more directly, and must agree with this.
bool ScanDateTime(std::string_view text, TDateTime& value, const FormatSettings& settings, int currentYear);
// As above; failure raises EConvertError naming the whole text.
TDateTime StrToDateTime(std::string_view text, const FormatSettings& settings, int currentYear);
TDateTime StrToDateTime(std::string_view text, const FormatSettings& settings);

// The short date, then, unless the time is 00:00:00, one blank and the long time.
// Empty for a value outside the date range.
std::string DateTimeToStr(TDateTime value, const FormatSettings& settings);

}  // namespace tokiwa
