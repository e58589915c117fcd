#pragma once
// The window icon, in every size rendered from the desktop icon's SVG.
#include <QIcon>

namespace tokiwa {

QIcon MakeAppIcon();

}  // namespace tokiwa
