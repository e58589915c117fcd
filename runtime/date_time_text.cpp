#include "runtime/date_time_text.h"

#include "runtime/exceptions.h"
#include "runtime/format.h"
#include "runtime/messages.h"

namespace tokiwa {

namespace {

enum class DateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

// The first of d, m, y or e (era year) in the short date format decides.
DateOrder DateOrderOf(std::string_view shortDateFormat) {
  for (char c : shortDateFormat) {
    switch (c) {
      case 'y': case 'Y': case 'e': case 'E': return DateOrder::YearMonthDay;
      case 'm': case 'M': return DateOrder::MonthDayYear;
      case 'd': case 'D': return DateOrder::DayMonthYear;
      default: break;
    }
  }
  return DateOrder::MonthDayYear;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// A forward-only reader: every step looks at each character at most once, so
// long inputs cost linear time.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}

  bool AtEnd() const { return pos_ >= text_.size(); }

  void SkipBlanks() {
    while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
  }

  // Digits until the value reaches 1000, so a number never exceeds 9999.
  bool Number(int& number) {
    SkipBlanks();
    size_t start = pos_;
    int value = 0;
    while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9' && value < 1000)
      value = value * 10 + (text_[pos_++] - '0');
    if (pos_ == start) return false;
    number = value;
    return true;
  }

  bool Char(char c) {
    SkipBlanks();
    if (c == '\0' || AtEnd() || text_[pos_] != c) return false;
    ++pos_;
    return true;
  }

  // Case-insensitive for ASCII letters; other bytes must match exactly.
  bool Word(std::string_view word) {
    SkipBlanks();
    if (word.empty() || text_.size() - pos_ < word.size()) return false;
    for (size_t i = 0; i < word.size(); ++i)
      if (LowerAscii(text_[pos_ + i]) != LowerAscii(word[i])) return false;
    pos_ += word.size();
    return true;
  }

 private:
  std::string_view text_;
  size_t pos_ = 0;
};

// The date three numbers give in the locale's order.
void OrderDate(DateOrder order, int first, int second, int third, int currentYear, int& year, int& month, int& day) {
  switch (order) {
    case DateOrder::MonthDayYear: month = first; day = second; year = third; break;
    case DateOrder::DayMonthYear: day = first; month = second; year = third; break;
    case DateOrder::YearMonthDay: year = first; month = second; day = third; break;
  }
  if (year <= 99) year += currentYear / 100 * 100;
}

bool ScanDate(Scanner& in, const FormatSettings& settings, int currentYear, TDateTime& date) {
  const char separator = settings.DateSeparator;
  int first, second, third;
  if (!in.Number(first) || !in.Char(separator) || !in.Number(second)) return false;
  DateOrder order = DateOrderOf(settings.ShortDateFormat);
  int year = 0, month = 0, day = 0;
  // A separator without a third number is the one allowed after the date.
  bool separated = in.Char(separator);
  if (separated && in.Number(third)) {
    separated = false;
    OrderDate(order, first, second, third, currentYear, year, month, day);
  } else {
    year = currentYear;
    if (order == DateOrder::DayMonthYear) {
      day = first;
      month = second;
    } else {
      month = first;
      day = second;
    }
  }
  if (!separated) in.Char(separator);
  in.SkipBlanks();
  return TryEncodeDate(year, month, day, date);
}

// 0 for AM, 12 for PM, -1 when no designator is next.
int ScanDesignator(Scanner& in, const FormatSettings& settings) {
  if (in.Word(settings.TimeAMString) || in.Word("AM")) return 0;
  if (in.Word(settings.TimePMString) || in.Word("PM")) return 12;
  return -1;
}

bool ScanTime(Scanner& in, const FormatSettings& settings, TDateTime& time) {
  const char separator = settings.TimeSeparator;
  int baseHour = ScanDesignator(in, settings);
  int hour, minute = 0, second = 0;
  if (!in.Number(hour)) return false;
  if (in.Char(separator)) {
    if (!in.Number(minute)) return false;
    if (in.Char(separator) && !in.Number(second)) return false;
  }
  if (baseHour < 0) baseHour = ScanDesignator(in, settings);
  if (baseHour >= 0) {
    if (hour < 1 || hour > 12) return false;
    // 12 AM is midnight and 12 PM noon.
    hour = hour % 12 + baseHour;
  }
  return TryEncodeTime(hour, minute, second, 0, time);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// One to four digits at pos, what the scanner's Number reads there when no
// blank comes first (a fifth digit then fails what must follow).
bool PlainNumber(std::string_view text, std::size_t& pos, int& number) {
  const std::size_t start = pos;
  int value = 0;
  while (pos < text.size() && pos - start < 4 && IsDigit(text[pos])) value = value * 10 + (text[pos++] - '0');
  if (pos == start) return false;
  number = value;
  return true;
}

// Three numbers with separator between them and nothing else.
bool PlainTriple(std::string_view text, char separator, int (&numbers)[3]) {
  std::size_t pos = 0;
  for (int i = 0; i < 3; ++i) {
    if (!PlainNumber(text, pos, numbers[i])) return false;
    if (i < 2 && (pos >= text.size() || text[pos++] != separator)) return false;
  }
  return pos == text.size();
}

// "h:mm:ss" and "hh:mm:ss", the times nearly every log holds, read as
// PlainTriple reads them but without its loops.
bool UsualTime(std::string_view text, char separator, int (&numbers)[3]) {
  if (text.size() != 7 && text.size() != 8) return false;
  const char* hour = text.data();
  const char* rest = hour + text.size() - 6;  // the first separator
  if (!IsDigit(hour[0]) || (rest - hour == 2 && !IsDigit(hour[1]))) return false;
  if (rest[0] != separator || rest[3] != separator) return false;
  if (!IsDigit(rest[1]) || !IsDigit(rest[2]) || !IsDigit(rest[4]) || !IsDigit(rest[5])) return false;
  numbers[0] = rest - hour == 2 ? (hour[0] - '0') * 10 + (hour[1] - '0') : hour[0] - '0';
  numbers[1] = (rest[1] - '0') * 10 + (rest[2] - '0');
  numbers[2] = (rest[4] - '0') * 10 + (rest[5] - '0');
  return true;
}

// Settings the scanner reads a plain "date time" text alike in: separators
// that are neither digits nor blanks, designators that cannot start at a digit.
bool PlainSettings(const FormatSettings& settings) {
  const auto plainSeparator = [](char c) { return c != '\0' && c != ' ' && !IsDigit(c); };
  const auto plainDesignator = [](const std::string& s) { return s.empty() || !IsDigit(s[0]); };
  return plainSeparator(settings.DateSeparator) && plainSeparator(settings.TimeSeparator) &&
         plainDesignator(settings.TimeAMString) && plainDesignator(settings.TimePMString);
}

}  // namespace

bool ScanDateTime(std::string_view text, TDateTime& value, const FormatSettings& settings, int currentYear) {
  Scanner in(text);
  TDateTime date;
  if (!ScanDate(in, settings, currentYear, date)) return false;
  TDateTime time = 0;
  if (!in.AtEnd() && !ScanTime(in, settings, time)) return false;
  value = ComposeDateTime(date, time);
  return true;
}

PlainRead ReadPlainDate(std::string_view text, const FormatSettings& settings, int currentYear, TDateTime& date) {
  int n[3];
  if (!PlainSettings(settings) || !PlainTriple(text, settings.DateSeparator, n)) return PlainRead::prOtherForm;
  int year = 0, month = 0, day = 0;
  OrderDate(DateOrderOf(settings.ShortDateFormat), n[0], n[1], n[2], currentYear, year, month, day);
  return TryEncodeDate(year, month, day, date) ? PlainRead::prRead : PlainRead::prInvalid;
}

PlainRead ReadPlainTime(std::string_view text, const FormatSettings& settings, TDateTime& time) {
  if (!PlainSettings(settings)) return PlainRead::prOtherForm;
  return ReadPlainTime(text, settings.TimeSeparator, time);
}

PlainRead ReadPlainTime(std::string_view text, char separator, TDateTime& time) {
  int n[3];
  if (!UsualTime(text, separator, n) && !PlainTriple(text, separator, n)) return PlainRead::prOtherForm;
  return TryEncodeTime(n[0], n[1], n[2], 0, time) ? PlainRead::prRead : PlainRead::prInvalid;
}

bool TryStrToDateTime(std::string_view text, TDateTime& value, const FormatSettings& settings,
                      int currentYear) {
  const std::size_t blank = text.find(' ');
  TDateTime date = 0, time = 0;
  const PlainRead dateRead = blank == std::string_view::npos ? PlainRead::prOtherForm
                                                             : ReadPlainDate(text.substr(0, blank), settings, currentYear, date);
  const PlainRead timeRead =
      dateRead == PlainRead::prOtherForm ? PlainRead::prOtherForm : ReadPlainTime(text.substr(blank + 1), settings, time);
  if (timeRead == PlainRead::prOtherForm) return ScanDateTime(text, value, settings, currentYear);
  if (dateRead != PlainRead::prRead || timeRead != PlainRead::prRead) return false;
  value = ComposeDateTime(date, time);
  return true;
}

bool TryStrToDateTime(std::string_view text, TDateTime& value, const FormatSettings& settings) {
  return TryStrToDateTime(text, value, settings, CurrentYear());
}

TDateTime StrToDateTime(std::string_view text, const FormatSettings& settings, int currentYear) {
  TDateTime value;
  if (!TryStrToDateTime(text, value, settings, currentYear))
    throw EConvertError(FormatText(msg::InvalidDateTime, {Arg(text)}));
  return value;
}

TDateTime StrToDateTime(std::string_view text, const FormatSettings& settings) {
  return StrToDateTime(text, settings, CurrentYear());
}

std::string DateTimeToStr(TDateTime value, const FormatSettings& settings) {
  return FormatDateTime("c", value, settings);
}

}  // namespace tokiwa
