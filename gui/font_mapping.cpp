#include "gui/font_mapping.h"

#include <QFontMetrics>
#include <QStringList>
#include <cmath>

namespace tokiwa {

namespace {

struct FontSubstitute {
  const char* name;    // as the program names it (UTF-8)
  const char* family;  // installed family
};

// The IPA faces have the metrics of the Japanese system faces; Liberation those
// of the Latin ones.
constexpr FontSubstitute kSubstitutes[] = {
    {"ＭＳ Ｐ明朝", "IPAPMincho"},
    {"ＭＳ 明朝", "IPAMincho"},
    {"ＭＳ Ｐゴシック", "IPAPGothic"},
    {"MS UI Gothic", "IPAPGothic"},
    {"ＭＳ ゴシック", "IPAGothic"},
    {"Times New Roman", "Liberation Serif"},
    {"Arial", "Liberation Sans"},
    {"Courier New", "Liberation Mono"},
};

constexpr int kDefaultPixelSize = 12;
constexpr int kMaxPixelSize = 4096;

int ClampPixelSize(long long size) {
  if (size < 1) return 1;
  if (size > kMaxPixelSize) return kMaxPixelSize;
  return static_cast<int>(size);
}

// Pixel size whose ascent + descent is `cell` pixels in the given face.
int PixelSizeForCellHeight(QFont font, int cell) {
  font.setPixelSize(cell);
  int measured = QFontMetrics(font).height();
  if (measured <= 0) return cell;
  return ClampPixelSize(std::lround(double(cell) * cell / measured));
}

}  // namespace

QString MapFontFamily(std::string_view name) {
  for (const auto& s : kSubstitutes) {
    if (name == s.name) return QString::fromUtf8(s.family);
  }
  return QString::fromUtf8(name.data(), qsizetype(name.size()));
}

QFont ToQFont(const TFont& font) {
  QFont q;
  QString family = MapFontFamily(font.Name());
  QString original = QString::fromStdString(font.Name());
  // The original name stays as a fallback in case the substitute is missing.
  q.setFamilies(family == original ? QStringList{family} : QStringList{family, original});
  q.setBold(font.Style() & fsBold);
  q.setItalic(font.Style() & fsItalic);
  q.setUnderline(font.Style() & fsUnderline);
  q.setStrikeOut(font.Style() & fsStrikeOut);
  long long h = font.Height();
  if (h == 0) {
    q.setPixelSize(kDefaultPixelSize);
  } else if (h < 0) {
    q.setPixelSize(ClampPixelSize(-h));
  } else {
    q.setPixelSize(PixelSizeForCellHeight(q, ClampPixelSize(h)));
  }
  return q;
}

void InstallFontSubstitutions() {
  for (const auto& s : kSubstitutes) {
    QFont::insertSubstitution(QString::fromUtf8(s.name), QString::fromUtf8(s.family));
  }
}

}  // namespace tokiwa
