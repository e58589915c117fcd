// Number formats of value marks, percent texts and numeric axis labels.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

#include "runtime/format.h"
#include "runtime/messages.h"

namespace tokiwa {
namespace {

class FormatFloatTest : public ::testing::Test {
 protected:
  std::string Format(std::string_view format, double value) const {
    return FormatFloat(format, value, settings_);
  }
  FormatSettings settings_ = JapaneseFormatSettings();
};

TEST_F(FormatFloatTest, DefaultValueFormat) {
  const std::string_view f = msg::DefaultValueFormat;
  EXPECT_EQ(Format(f, 0.12345), "0.123");
  EXPECT_EQ(Format(f, 2), "2");
  EXPECT_EQ(Format(f, 1234567), "1,234,567");
  EXPECT_EQ(Format(f, -1234.5), "-1,234.5");
  EXPECT_EQ(Format(f, 0), "0");
  EXPECT_EQ(Format(f, 999.9996), "1,000");
  EXPECT_EQ(Format(f, 100), "100");
  EXPECT_EQ(Format(f, 1000), "1,000");
  EXPECT_EQ(Format(f, 0.0005), "0.001");
  EXPECT_EQ(Format(f, 0.0004), "0");
}

// Percent values arrive already scaled: "%" is only a character here.
TEST_F(FormatFloatTest, DefaultPercentFormat) {
  const std::string_view f = msg::DefaultPercentFormat;
  EXPECT_EQ(Format(f, 12.345), "12.35 %");
  EXPECT_EQ(Format(f, 100), "100 %");
  EXPECT_EQ(Format(f, 0), "0 %");
  EXPECT_EQ(Format(f, 33.333333), "33.33 %");
  EXPECT_EQ(Format(f, 0.004), "0 %");
}

// The classic table of the platform's format examples.
TEST_F(FormatFloatTest, PlaceholderTable) {
  struct Row {
    const char* format;
    const char* texts[4];  // 1234, -1234, 0.5, 0
  };
  const Row rows[] = {
      {"0", {"1234", "-1234", "1", "0"}},
      {"0.00", {"1234.00", "-1234.00", "0.50", "0.00"}},
      {"#.##", {"1234", "-1234", ".5", ""}},
      {"#,##0.00", {"1,234.00", "-1,234.00", "0.50", "0.00"}},
      {"#,##0.00;(#,##0.00)", {"1,234.00", "(1,234.00)", "0.50", "0.00"}},
      {"#,##0.00;;Zero", {"1,234.00", "-1,234.00", "0.50", "Zero"}},
  };
  const double values[] = {1234, -1234, 0.5, 0};
  for (const Row& row : rows)
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Format(row.format, values[i]), row.texts[i]) << row.format;
}

TEST_F(FormatFloatTest, RoundsHalfAwayFromZeroAsWritten) {
  EXPECT_EQ(Format("0", 2.5), "3");
  EXPECT_EQ(Format("0", -2.5), "-3");
  EXPECT_EQ(Format("0.00", 1.005), "1.01");
  EXPECT_EQ(Format("0.00", 0.125), "0.13");
  EXPECT_EQ(Format("0.000", 9.9996), "10.000");
  EXPECT_EQ(Format("0.0#", 0.1), "0.1");
  EXPECT_EQ(Format("0.0#", 0.104), "0.1");
  EXPECT_EQ(Format("0.0#", 0.106), "0.11");
}

TEST_F(FormatFloatTest, NothingLeftAfterRoundingIsNotNegative) {
  EXPECT_EQ(Format("0.00", -0.0001), "0.00");
  EXPECT_EQ(Format("0.00;(0.00)", -0.0001), "0.00");
  EXPECT_EQ(Format("0.00;(0.00);nil", -0.0001), "nil");
  EXPECT_EQ(Format("0", -0.0), "0");
}

TEST_F(FormatFloatTest, DigitPlaceholders) {
  EXPECT_EQ(Format("000", 5), "005");
  EXPECT_EQ(Format("#", 0), "");
  EXPECT_EQ(Format("#", 12345), "12345");
  EXPECT_EQ(Format("##0", 12345), "12345");
  EXPECT_EQ(Format("#,##0", 12345), "12,345");
  EXPECT_EQ(Format("0,000", 5), "0,005");
  EXPECT_EQ(Format(".00", 12.5), "12.50");
  EXPECT_EQ(Format("0.00,0", 1.5), "1.500");
}

TEST_F(FormatFloatTest, LiteralsStayWhereTheyStand) {
  EXPECT_EQ(Format("$#,##0.00", 1234), "$1,234.00");
  EXPECT_EQ(Format("$#,##0.00", -1234), "-$1,234.00");
  EXPECT_EQ(Format("0 'kg'", 12), "12 kg");
  EXPECT_EQ(Format("0\"#0\"", 5), "5#0");
  EXPECT_EQ(Format("'a;b'0;'neg'0", -3), "neg3");
  EXPECT_EQ(Format("値: 0.0 ％", 2.25), "値: 2.3 ％");
}

TEST_F(FormatFloatTest, SeparatorsComeFromTheLocale) {
  settings_.ThousandSeparator = '.';
  settings_.DecimalSeparator = ',';
  EXPECT_EQ(Format("#,##0.###", 1234567.5), "1.234.567,5");
  EXPECT_EQ(FloatToStr(0.25, settings_), "0,25");
}

TEST_F(FormatFloatTest, GeneralForm) {
  EXPECT_EQ(Format("", 1234.5), "1234.5");
  EXPECT_EQ(Format("", -0.1), "-0.1");
  EXPECT_EQ(FloatToStr(1.0 / 3, settings_), "0.333333333333333");
  EXPECT_EQ(FloatToStr(1e14, settings_), "100000000000000");
  EXPECT_EQ(FloatToStr(1e15, settings_), "1E15");
  EXPECT_EQ(FloatToStr(1.5e-7, settings_), "1.5E-7");
  EXPECT_EQ(FloatToStr(0.0001, settings_), "0.0001");
  EXPECT_EQ(FloatToStr(0, settings_), "0");
}

TEST_F(FormatFloatTest, ExtremeValuesNeitherCrashNorFlood) {
  EXPECT_EQ(Format("#,##0.###", std::nan("")), "NAN");
  EXPECT_EQ(Format("#,##0.###", std::numeric_limits<double>::infinity()), "INF");
  EXPECT_EQ(Format("#,##0.###", -std::numeric_limits<double>::infinity()), "-INF");
  EXPECT_EQ(Format("#,##0.###", 1e300), "1E300");
  EXPECT_EQ(Format("0.00", -DBL_MAX), "-1.79769313486232E308");
  EXPECT_EQ(Format("#,##0", 1e17), "100,000,000,000,000,000");
  EXPECT_EQ(Format("0.###", 1e-300), "0");
  EXPECT_EQ(Format("0.###", DBL_TRUE_MIN), "0");
  std::string many = "0." + std::string(40, '0');
  std::string text = Format(many, 1.0 / 3);
  EXPECT_EQ(text, "0.333333333333333" + std::string(25, '0'));
}

}  // namespace
}  // namespace tokiwa
