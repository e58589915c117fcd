#include "gui/font_warm_up.h"

#include <QFontDatabase>
#include <QStringList>

#include <pthread.h>
#include <sched.h>

#include <system_error>

namespace tokiwa {

namespace {

void SetIdleOnly(std::thread& thread, bool idle) {
#ifdef SCHED_IDLE
  const sched_param none{};
  (void)pthread_setschedparam(thread.native_handle(), idle ? SCHED_IDLE : SCHED_OTHER, &none);
#endif
}

}  // namespace

void FontDatabaseWarmUp::Start() {
  if (thread_.joinable()) return;
  try {
    thread_ = std::thread([] {
      // Only a head start: whatever fails here fails again, and is reported,
      // in the paint.
      try {
        (void)QFontDatabase::families();
      } catch (...) {
      }
    });
  } catch (const std::system_error&) {
    return;  // no thread to spare: the paint opens the database
  }
  SetIdleOnly(thread_, true);
}

void FontDatabaseWarmUp::Wait() {
  if (!thread_.joinable()) return;
  SetIdleOnly(thread_, false);
  thread_.join();
}

}  // namespace tokiwa
