#include "app/app_icon.h"

#include <QDir>
#include <QFileInfo>

namespace tokiwa {

QIcon MakeAppIcon() {
  // Each PNG knows its own size; the window manager picks the one it needs.
  QIcon icon;
  for (const QFileInfo& png : QDir(QStringLiteral(":/icons")).entryInfoList(QDir::Files))
    icon.addFile(png.filePath());
  return icon;
}

}  // namespace tokiwa
