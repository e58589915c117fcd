#pragma once
// Quits the viewer is asked for from outside the window: SIGTERM, SIGHUP and
// SIGINT (logout, shutdown, a terminal closing, Ctrl+C) close the window as
// the user would, settings saved, instead of killing the process; the desktop
// session's end saves the settings and the list through Qt's session calls.
#include <functional>
#include <memory>

namespace tokiwa {

class TForm1;

class QuitRequests {
 public:
  // Until destroyed, each of the signals calls quit on the GUI thread (the
  // handler itself only writes a byte to a pipe).
  explicit QuitRequests(std::function<void()> quit);
  ~QuitRequests();
  QuitRequests(const QuitRequests&) = delete;
  QuitRequests& operator=(const QuitRequests&) = delete;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Signals and the session's end, for the main window.
std::unique_ptr<QuitRequests> WatchQuitRequests(TForm1& form);

}  // namespace tokiwa
