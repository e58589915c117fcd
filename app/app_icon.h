#pragma once
// The window icon: a small Gantt chart, drawn at start rather than shipped as
// an image file.
#include <QIcon>

namespace tokiwa {

QIcon MakeAppIcon();

}  // namespace tokiwa
