#include "app/app_icon.h"

#include <QPainter>
#include <QPixmap>

namespace tokiwa {

QIcon MakeAppIcon() {
  // 32 x 32 in a 16-colour palette, like the launcher desktop's icons.
  QPixmap pixmap(32, 32);
  pixmap.fill(QColor(0xC8, 0xF0, 0xFF));
  QPainter p(&pixmap);
  p.setPen(QColor(0x40, 0x00, 0x80));
  p.drawRect(0, 0, 31, 31);
  struct Bar {
    int x, y, w;
    QColor colour;
  };
  const Bar bars[] = {
      {3, 4, 26, Qt::yellow}, {6, 10, 12, Qt::cyan}, {12, 16, 15, Qt::blue}, {8, 22, 20, Qt::red}};
  for (const Bar& b : bars) {
    p.setBrush(b.colour);
    p.drawRect(b.x, b.y, b.w, 4);
  }
  p.setPen(QColor(0x00, 0x40, 0x00));
  p.drawLine(2, 28, 29, 28);
  p.end();
  return QIcon(pixmap);
}

}  // namespace tokiwa
