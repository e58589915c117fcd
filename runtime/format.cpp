#include "runtime/format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace tokiwa {

namespace {

// ---------------------------------------------------------------- shared helpers

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (UpperAscii(text[i]) != UpperAscii(prefix[i])) return false;
  return true;
}

void AppendNumber(std::string& out, long long value, int minDigits) {
  char buffer[24];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  int length = static_cast<int>(result.ptr - buffer);
  if (length < minDigits) out.append(static_cast<size_t>(minDigits - length), '0');
  out.append(buffer, result.ptr);
}

void AppendChar(std::string& out, char c) {
  if (c != '\0') out += c;
}

// Copies a quoted literal starting at format[i] (the quote) and returns the index
// after the closing quote; an unclosed quote runs to the end.
size_t AppendQuoted(std::string& out, std::string_view format, size_t i) {
  size_t end = format.find(format[i], i + 1);
  if (end == std::string_view::npos) end = format.size();
  out.append(format.substr(i + 1, end - i - 1));
  return std::min(end + 1, format.size());
}

// ---------------------------------------------------------------- date-time

// Nested formats (c, t, ddddd) expand at most this deep, so a locale format that
// names itself cannot recurse forever.
constexpr int kMaxFormatDepth = 2;

class DateTimeWriter {
 public:
  DateTimeWriter(const DateTimeParts& parts, const FormatSettings& settings, std::string& out)
      : parts_(parts), settings_(settings), out_(out) {}

  void Write(std::string_view format, int depth) {
    if (depth > kMaxFormatDepth) return;
    char lastCode = 0;
    size_t i = 0;
    while (i < format.size()) {
      char c = format[i];
      if (c == '\'' || c == '"') {
        i = AppendQuoted(out_, format, i);
      } else if (c == '/') {
        AppendChar(out_, settings_.DateSeparator);
        ++i;
      } else if (c == ':') {
        AppendChar(out_, settings_.TimeSeparator);
        ++i;
      } else if (!IsAsciiLetter(c)) {
        out_ += c;
        ++i;
      } else {
        char code = UpperAscii(c);
        // Minutes after an hour code, whatever non-letters stand between.
        if (code == 'M' && lastCode == 'H') code = 'N';
        lastCode = code;
        i += WriteCode(code, format, i, depth);
      }
    }
  }

 private:
  // Writes the code starting at format[i]; returns the characters used.
  size_t WriteCode(char code, std::string_view format, size_t i, int depth) {
    if (code == 'A') return WriteDesignator(format.substr(i));
    size_t count = 1;
    while (i + count < format.size() && UpperAscii(format[i + count]) == UpperAscii(format[i])) ++count;
    int n = static_cast<int>(std::min<size_t>(count, 7));
    switch (code) {
      case 'Y': AppendNumber(out_, n <= 2 ? parts_.Year % 100 : parts_.Year, n <= 2 ? 2 : 4); break;
      case 'M': WriteMonth(n); break;
      case 'D': WriteDay(n, depth); break;
      case 'H': AppendNumber(out_, HourText(format.substr(i + count)), std::min(n, 2)); break;
      case 'N': AppendNumber(out_, parts_.Minute, std::min(n, 2)); break;
      case 'S': AppendNumber(out_, parts_.Second, std::min(n, 2)); break;
      case 'Z': AppendNumber(out_, parts_.MilliSecond, n == 1 ? 1 : 3); break;
      case 'T': Write(n == 1 ? settings_.ShortTimeFormat : settings_.LongTimeFormat, depth + 1); break;
      case 'C':
        Write(settings_.ShortDateFormat, depth + 1);
        if (parts_.Hour != 0 || parts_.Minute != 0 || parts_.Second != 0) {
          out_ += ' ';
          Write(settings_.LongTimeFormat, depth + 1);
        }
        break;
      default: out_.append(format.substr(i, count)); break;
    }
    return count;
  }

  void WriteMonth(int count) {
    if (count <= 2)
      AppendNumber(out_, parts_.Month, count);
    else
      out_ += (count == 3 ? settings_.ShortMonthNames : settings_.LongMonthNames)[parts_.Month - 1];
  }

  void WriteDay(int count, int depth) {
    int weekday = (parts_.DayNumber % 7 + 7 + 6) % 7;  // 1899-12-30 was a Saturday
    switch (count) {
      case 1: case 2: AppendNumber(out_, parts_.Day, count); break;
      case 3: out_ += settings_.ShortDayNames[weekday]; break;
      case 4: out_ += settings_.LongDayNames[weekday]; break;
      case 5: Write(settings_.ShortDateFormat, depth + 1); break;
      default: Write(settings_.LongDateFormat, depth + 1); break;
    }
  }

  // The hour, on the 12-hour clock when a designator follows before the next
  // hour code.
  int HourText(std::string_view rest) const {
    if (!DesignatorFollows(rest)) return parts_.Hour;
    return parts_.Hour % 12 == 0 ? 12 : parts_.Hour % 12;
  }

  static bool DesignatorFollows(std::string_view rest) {
    char quote = 0;
    for (size_t j = 0; j < rest.size(); ++j) {
      char c = rest[j];
      if (quote != 0) {
        if (c == quote) quote = 0;
      } else if (c == '\'' || c == '"') {
        quote = c;
      } else if (c == 'h' || c == 'H') {
        return false;
      } else if (c == 'a' || c == 'A') {
        std::string_view at = rest.substr(j);
        return StartsWithIgnoringCase(at, "am/pm") || StartsWithIgnoringCase(at, "a/p") ||
               StartsWithIgnoringCase(at, "ampm");
      }
    }
    return false;
  }

  // am/pm and a/p keep the case written in the format; ampm uses the locale.
  size_t WriteDesignator(std::string_view at) {
    bool pm = parts_.Hour >= 12;
    if (StartsWithIgnoringCase(at, "am/pm")) {
      out_.append(at.substr(pm ? 3 : 0, 2));
      return 5;
    }
    if (StartsWithIgnoringCase(at, "a/p")) {
      out_ += at[pm ? 2 : 0];
      return 3;
    }
    if (StartsWithIgnoringCase(at, "ampm")) {
      out_ += pm ? settings_.TimePMString : settings_.TimeAMString;
      return 4;
    }
    out_ += at[0];
    return 1;
  }

  const DateTimeParts& parts_;
  const FormatSettings& settings_;
  std::string& out_;
};

// ---------------------------------------------------------------- numbers

// |value| = 0.d1 d2 d3 ... x 10^exponent; no digits means zero.
struct Decimal {
  std::string digits;
  int exponent = 0;
  bool IsZero() const { return digits.empty(); }
};

// 15 significant digits, the precision a double always carries, so that 12.345
// is rounded as the decimal it was written as.
Decimal ToDecimal(double magnitude) {
  Decimal d;
  if (magnitude == 0) return d;
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.14e", magnitude);
  std::string_view text(buffer);
  size_t e = text.find('e');
  d.digits += text[0];
  d.digits.append(text.substr(2, e - 2));
  d.exponent = std::atoi(buffer + e + 1) + 1;
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  return d;
}

// Rounds half away from zero to the given count of decimals.
void RoundDecimal(Decimal& d, int decimals) {
  long long keep = static_cast<long long>(d.exponent) + decimals;
  if (d.IsZero() || keep >= static_cast<long long>(d.digits.size())) return;
  if (keep < 0) {
    d.digits.clear();
    return;
  }
  bool up = d.digits[static_cast<size_t>(keep)] >= '5';
  d.digits.resize(static_cast<size_t>(keep));
  if (up) {
    size_t i = d.digits.size();
    while (i > 0 && d.digits[i - 1] == '9') d.digits[--i] = '0';
    if (i == 0) {
      d.digits.insert(d.digits.begin(), '1');
      ++d.exponent;
    } else {
      ++d.digits[i - 1];
    }
  }
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
}

std::string IntegerDigits(const Decimal& d) {
  if (d.IsZero() || d.exponent <= 0) return "";
  std::string text = d.digits.substr(0, std::min<size_t>(d.digits.size(), d.exponent));
  text.resize(static_cast<size_t>(d.exponent), '0');
  return text;
}

std::string FractionDigits(const Decimal& d) {
  if (d.IsZero() || d.exponent >= static_cast<int>(d.digits.size())) return "";
  if (d.exponent >= 0) return d.digits.substr(static_cast<size_t>(d.exponent));
  return std::string(static_cast<size_t>(-d.exponent), '0') + d.digits;
}

std::string GeneralText(double value, const FormatSettings& settings) {
  Decimal d = ToDecimal(std::fabs(value));
  if (d.IsZero()) return "0";
  std::string out = value < 0 ? "-" : "";
  if (d.exponent > 15 || d.exponent < -4) {
    out += d.digits[0];
    if (d.digits.size() > 1) {
      AppendChar(out, settings.DecimalSeparator);
      out.append(d.digits, 1);
    }
    out += 'E';
    AppendNumber(out, d.exponent - 1, 1);
    return out;
  }
  std::string integer = IntegerDigits(d);
  std::string fraction = FractionDigits(d);
  out += integer.empty() ? "0" : integer;
  if (!fraction.empty()) {
    AppendChar(out, settings.DecimalSeparator);
    out += fraction;
  }
  return out;
}

// Splits "positive;negative;zero" at semicolons outside quotes.
std::vector<std::string_view> SplitSections(std::string_view format) {
  std::vector<std::string_view> sections;
  size_t start = 0;
  char quote = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    char c = format[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == ';' && sections.size() < 2) {
      sections.push_back(format.substr(start, i - start));
      start = i + 1;
    }
  }
  sections.push_back(format.substr(start));
  return sections;
}

// What a section asks for, from its placeholders.
struct NumberLayout {
  int integerPlaceholders = 0;
  int minIntegerDigits = 0;
  int maxDecimals = 0;
  int minDecimals = 0;
  bool grouping = false;
};

NumberLayout AnalyseSection(std::string_view section) {
  NumberLayout layout;
  bool afterPoint = false;
  int firstIntegerZero = -1;
  char quote = 0;
  for (char c : section) {
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == '.') {
      afterPoint = true;
    } else if (c == ',' && !afterPoint) {
      layout.grouping = true;
    } else if (c == '0' || c == '#') {
      if (afterPoint) {
        ++layout.maxDecimals;
        if (c == '0') layout.minDecimals = layout.maxDecimals;
      } else {
        if (c == '0' && firstIntegerZero < 0) firstIntegerZero = layout.integerPlaceholders;
        ++layout.integerPlaceholders;
      }
    }
  }
  if (firstIntegerZero >= 0) layout.minIntegerDigits = layout.integerPlaceholders - firstIntegerZero;
  return layout;
}

// Walks a section, putting digits at the placeholders and copying the rest.
class NumberWriter {
 public:
  NumberWriter(const NumberLayout& layout, const Decimal& d, const FormatSettings& settings,
               std::string& out)
      : layout_(layout), settings_(settings), out_(out),
        integer_(IntegerDigits(d)), fraction_(FractionDigits(d)) {
    if (static_cast<int>(integer_.size()) < layout.minIntegerDigits)
      integer_.insert(0, static_cast<size_t>(layout.minIntegerDigits) - integer_.size(), '0');
    if (static_cast<int>(fraction_.size()) < layout.minDecimals)
      fraction_.resize(static_cast<size_t>(layout.minDecimals), '0');
  }

  void Write(std::string_view section) {
    bool afterPoint = false;
    size_t i = 0;
    while (i < section.size()) {
      char c = section[i];
      if (c == '\'' || c == '"') {
        i = AppendQuoted(out_, section, i);
        continue;
      }
      if (c == '.' && !afterPoint) {
        afterPoint = true;
        if (layout_.integerPlaceholders == 0) WriteIntegerDigits(0, integer_.size());
        if (!fraction_.empty()) AppendChar(out_, settings_.DecimalSeparator);
      } else if ((c == '0' || c == '#') && afterPoint) {
        if (decimalsSeen_ < fraction_.size()) out_ += fraction_[decimalsSeen_];
        ++decimalsSeen_;
      } else if (c == '0' || c == '#') {
        WriteIntegerPlaceholder();
      } else if (c != ',') {
        out_ += c;
      }
      ++i;
    }
  }

 private:
  // Placeholder k (from the left) stands for the digit at position
  // integerPlaceholders - 1 - k from the right; the first one also takes every
  // digit beyond the placeholders.
  void WriteIntegerPlaceholder() {
    size_t places = static_cast<size_t>(layout_.integerPlaceholders);
    size_t length = integer_.size();
    if (integerSeen_ == 0 && length > places) WriteIntegerDigits(0, length - places);
    size_t position = places - 1 - integerSeen_;
    if (position < length) WriteIntegerDigits(length - 1 - position, length - position);
    ++integerSeen_;
  }

  void WriteIntegerDigits(size_t from, size_t to) {
    size_t length = integer_.size();
    for (size_t k = from; k < to; ++k) {
      out_ += integer_[k];
      size_t position = length - 1 - k;
      if (layout_.grouping && position > 0 && position % 3 == 0)
        AppendChar(out_, settings_.ThousandSeparator);
    }
  }

  const NumberLayout& layout_;
  const FormatSettings& settings_;
  std::string& out_;
  std::string integer_;
  std::string fraction_;
  size_t integerSeen_ = 0;
  size_t decimalsSeen_ = 0;
};

}  // namespace

std::string FormatDateTime(std::string_view format, TDateTime value, const FormatSettings& settings) {
  DateTimeParts parts;
  if (!TryDecodeDateTime(value, parts)) return "";
  std::string out;
  DateTimeWriter(parts, settings, out).Write(format, 0);
  return out;
}

std::string FloatToStr(double value, const FormatSettings& settings) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  return GeneralText(value, settings);
}

std::string FormatFloat(std::string_view format, double value, const FormatSettings& settings) {
  if (!std::isfinite(value) || std::fabs(value) >= 1e18) return FloatToStr(value, settings);
  std::vector<std::string_view> sections = SplitSections(format);
  size_t index = value < 0 && sections.size() > 1 && !sections[1].empty() ? 1 : 0;
  if (sections[index].empty()) return GeneralText(value, settings);
  NumberLayout layout = AnalyseSection(sections[index]);
  Decimal d = ToDecimal(std::fabs(value));
  RoundDecimal(d, layout.maxDecimals);
  bool minus = value < 0 && index == 0;
  if (d.IsZero()) {
    // Nothing left after rounding is not negative: no sign, and the zero section
    // when there is one.
    minus = false;
    index = sections.size() > 2 && !sections[2].empty() ? 2 : 0;
    if (sections[index].empty()) return "0";
    layout = AnalyseSection(sections[index]);
  }
  std::string out = minus ? "-" : "";
  NumberWriter(layout, d, settings, out).Write(sections[index]);
  return out;
}

}  // namespace tokiwa
