#include "app/screenshot_mode.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QWidget>
#include <QWindow>

#include "app/command_line.h"
#include "gui/error_display.h"
#include "gui/headless_host.h"
#include "runtime/messages.h"

namespace tokiwa {

namespace {

// Long enough for a slow X server; a window that never shows is grabbed anyway.
constexpr int kExposeTimeoutMs = 5000;

void WaitUntilExposed(QWidget& window) {
  QElapsedTimer timer;
  timer.start();
  while (!(window.windowHandle() && window.windowHandle()->isExposed()) &&
         timer.elapsed() < kExposeTimeoutMs)
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

}  // namespace

int SaveWindowScreenshot(QWidget& window, const std::string& pngPath) {
  window.show();
  WaitUntilExposed(window);
  // Layout requests and the first paint are posted events.
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
  }
  const QPixmap picture = window.grab();
  if (picture.isNull() || !WritePngFile(picture.toImage(), pngPath)) {
    ShowErrorMessage(&window, FormatText(msg::WriteError, {Arg(pngPath)}));
    return kExitCantCreate;
  }
  return 0;
}

}  // namespace tokiwa
