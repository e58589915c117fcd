#pragma once
// Saving the main window as a picture, for runs without a person at the
// screen: the window is shown, laid out and painted, then grabbed.
#include <string>

class QWidget;

namespace tokiwa {

// Shows window, waits until it is exposed and laid out, and saves it as PNG.
// Returns 0, or kExitCantCreate when the file cannot be written (reported
// through the error display).
int SaveWindowScreenshot(QWidget& window, const std::string& pngPath);

}  // namespace tokiwa
