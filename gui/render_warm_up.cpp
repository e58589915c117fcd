#include "gui/render_warm_up.h"

#include <QPainter>
#include <QString>

#include <pthread.h>
#include <sched.h>

#include <system_error>
#include <utility>

#include "gui/chart_image_file.h"
#include "gui/font_mapping.h"
#include "gui/qt_canvas.h"
#include "runtime/graphics.h"

namespace tokiwa {

namespace {

// Leaves the thread only the time no other thread of the system wants; back
// to the normal share once the picture is waited for, so a busy machine
// cannot starve it.
void RunOnlyWhenIdle(std::thread& thread, bool idle) {
#ifdef SCHED_IDLE
  const sched_param none{};
  (void)pthread_setschedparam(thread.native_handle(), idle ? SCHED_IDLE : SCHED_OTHER, &none);
#endif
}

// Opens the font database and loads the default face, with Latin and
// Japanese glyphs, as a chart's first text would.
void WarmFonts() {
  QImage scratch(64, 32, QImage::Format_RGB32);
  QPainter painter(&scratch);
  painter.setFont(ToQFont(TFont()));
  painter.drawText(0, 24, QString::fromUtf8("0123456789/: \u8d77\u52d5"));
}

}  // namespace

void RenderWarmUp::Start(int width, int height) {
  if (thread_.joinable()) return;
  try {
    thread_ = std::thread([this, width, height] { Run(width, height); });
  } catch (const std::system_error&) {
    return;  // no thread to spare: the paint does it all
  }
  RunOnlyWhenIdle(thread_, true);
}

RenderWarmUp::~RenderWarmUp() { Join(); }

void RenderWarmUp::Join() {
  if (!thread_.joinable()) return;
  RunOnlyWhenIdle(thread_, false);
  thread_.join();
}

void RenderWarmUp::Run(int width, int height) {
  // Only a head start: whatever fails here is done, or fails, in the paint.
  try {
    WarmFonts();
    if (width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide)
      picture_ = NewCanvasImage(width, height);
  } catch (...) {
    picture_ = QImage();
  }
}

QImage RenderWarmUp::TakePicture() {
  Join();
  return std::move(picture_);
}

}  // namespace tokiwa
