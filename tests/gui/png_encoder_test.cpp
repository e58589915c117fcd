#include "gui/png_encoder.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

namespace tokiwa {
namespace {

// Every colour channel takes many values, flat areas and repeated rows mixed
// with noise, so a lossy or channel-swapping encoder cannot pass.
QImage Pattern(QImage::Format format, QSize size) {
  QImage image(size, format);
  image.fill(Qt::white);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if ((x * 7 + y * 13) % 5 == 0) continue;
      image.setPixel(x, y, qRgba((x * 37 + y) & 0xff, (y * 53) & 0xff, (x * y) & 0xff, ((x + y * 3) & 0xff) | 0x0f));
    }
  }
  return image;
}

QImage Decoded(const std::string& png) {
  QImage image;
  EXPECT_TRUE(image.loadFromData(reinterpret_cast<const uchar*>(png.data()), static_cast<int>(png.size()), "PNG"));
  return image;
}

// Small pictures are compressed in one piece, large ones in two halves joined
// into one stream.
TEST(PngEncoder, DecodesToTheSamePixels) {
  for (QSize size : {QSize(97, 61), QSize(701, 501)}) {
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_RGB888}) {
      const QImage image = Pattern(format, size);
      const std::optional<std::string> png = EncodePng(image);
      ASSERT_TRUE(png) << format;
      EXPECT_EQ(png->substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
      const QImage back = Decoded(*png);
      ASSERT_EQ(back.size(), image.size());
      EXPECT_EQ(back.hasAlphaChannel(), image.hasAlphaChannel()) << format;
      const QImage::Format common = image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32;
      EXPECT_EQ(back.convertToFormat(common), image.convertToFormat(common)) << format << " " << size.width();
    }
  }
}

TEST(PngEncoder, ChartLikePicturesStaySmall) {
  QImage image(1600, 900, QImage::Format_RGB32);
  image.fill(QColor(0xc8, 0xf0, 0xff));
  QPainter p(&image);
  for (int y = 50; y < 850; y += 40) p.fillRect(40, y, 1500, 9, QColor(0x40, 0, 0x80));
  p.end();
  const std::optional<std::string> png = EncodePng(image);
  ASSERT_TRUE(png);
  EXPECT_LT(png->size(), std::size_t{60000});  // raw pixels are 4.3 MB
  EXPECT_EQ(Decoded(*png), image);
}

TEST(PngEncoder, NullImageHasNoEncoding) { EXPECT_FALSE(EncodePng(QImage())); }

}  // namespace
}  // namespace tokiwa
