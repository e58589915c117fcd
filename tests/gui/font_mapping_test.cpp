// The launcher platform's font names resolve to installed faces of the same kind.
#include <QFontInfo>
#include <QFontMetrics>

#include <gtest/gtest.h>

#include "gui/font_mapping.h"

namespace tokiwa {
namespace {

TFont FontNamed(const std::string& name, int height) {
  TFont f;
  f.SetName(name);
  f.SetHeight(height);
  return f;
}

TEST(FontMappingTest, PlatformFacesResolveToInstalledSubstitutes) {
  const std::pair<const char*, const char*> cases[] = {
      {"ＭＳ Ｐ明朝", "IPAPMincho"},     {"ＭＳ Ｐゴシック", "IPAPGothic"},
      {"MS UI Gothic", "IPAPGothic"},    {"ＭＳ ゴシック", "IPAGothic"},
      {"Times New Roman", "Liberation Serif"}, {"Arial", "Liberation Sans"}};
  for (auto [name, family] : cases) {
    EXPECT_EQ(MapFontFamily(name), QString(family)) << name;
    EXPECT_EQ(QFontInfo(ToQFont(FontNamed(name, -12))).family(), QString(family)) << name;
  }
  EXPECT_EQ(MapFontFamily("Some Other Face"), QString("Some Other Face"));
}

TEST(FontMappingTest, NegativeHeightIsThePixelSizeAndPositiveTheCellHeight) {
  EXPECT_EQ(ToQFont(FontNamed("Arial", -15)).pixelSize(), 15);
  for (int cell : {12, 16, 24}) {
    QFont q = ToQFont(FontNamed("Arial", cell));
    EXPECT_LT(q.pixelSize(), cell);
    EXPECT_NEAR(QFontMetrics(q).height(), cell, 1) << cell;
  }
  EXPECT_GT(ToQFont(FontNamed("Arial", 0)).pixelSize(), 0);
  EXPECT_GT(ToQFont(FontNamed("Arial", INT_MIN)).pixelSize(), 0);
}

TEST(FontMappingTest, StylesCarryOver) {
  TFont f = FontNamed("Arial", -12);
  f.SetStyle(fsBold | fsUnderline);
  QFont q = ToQFont(f);
  EXPECT_TRUE(q.bold());
  EXPECT_TRUE(q.underline());
  EXPECT_FALSE(q.italic());
  EXPECT_FALSE(q.strikeOut());
  f.SetStyle(fsItalic | fsStrikeOut);
  q = ToQFont(f);
  EXPECT_FALSE(q.bold());
  EXPECT_TRUE(q.italic());
  EXPECT_TRUE(q.strikeOut());
}

}  // namespace
}  // namespace tokiwa
