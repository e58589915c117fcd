#include "app/quit_requests.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <cstdio>

#include "app/form1.h"

namespace tokiwa {

namespace {

constexpr std::array<int, 3> kQuitSignals = {SIGTERM, SIGHUP, SIGINT};

// The write end of the pipe, for the handler; -1 while nobody listens.
volatile sig_atomic_t writeEnd = -1;

extern "C" void OnQuitSignal(int) {
  const int saved = errno;
  const char byte = 1;
  // A full pipe already holds a pending quit.
  if (writeEnd >= 0 && ::write(writeEnd, &byte, 1) < 0) {
  }
  errno = saved;
}

}  // namespace

struct QuitRequests::Impl {
  int fds[2] = {-1, -1};
  std::unique_ptr<QSocketNotifier> notifier;
  std::array<struct sigaction, kQuitSignals.size()> previous{};
  std::function<void()> quit;
};

QuitRequests::QuitRequests(std::function<void()> quit) : impl_(std::make_unique<Impl>()) {
  impl_->quit = std::move(quit);
  if (::pipe2(impl_->fds, O_CLOEXEC | O_NONBLOCK) != 0) return;
  writeEnd = impl_->fds[1];
  impl_->notifier = std::make_unique<QSocketNotifier>(impl_->fds[0], QSocketNotifier::Read);
  QObject::connect(impl_->notifier.get(), &QSocketNotifier::activated, [impl = impl_.get()] {
    char bytes[64];
    while (::read(impl->fds[0], bytes, sizeof bytes) > 0) {
    }
    impl->quit();
  });
  struct sigaction action {};
  action.sa_handler = OnQuitSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < kQuitSignals.size(); ++i) ::sigaction(kQuitSignals[i], &action, &impl_->previous[i]);
}

QuitRequests::~QuitRequests() {
  if (impl_->fds[0] < 0) return;
  for (std::size_t i = 0; i < kQuitSignals.size(); ++i) ::sigaction(kQuitSignals[i], &impl_->previous[i], nullptr);
  writeEnd = -1;
  impl_->notifier.reset();
  ::close(impl_->fds[0]);
  ::close(impl_->fds[1]);
}

std::unique_ptr<QuitRequests> WatchQuitRequests(TForm1& form) {
  auto requests = std::make_unique<QuitRequests>([&form] { form.CloseWithoutAsking(); });
  // The session may end without closing the window: what it would save is
  // saved when the session manager asks, and again if the application is
  // told to quit with the window still open.
  QObject::connect(qApp, &QGuiApplication::commitDataRequest, &form, [&form](QSessionManager&) {
    for (const std::string& failure : form.SaveState()) std::fprintf(stderr, "tokiwa: %s\n", failure.c_str());
  });
  QObject::connect(qApp, &QCoreApplication::aboutToQuit, &form, [&form] {
    if (form.isVisible()) form.CloseWithoutAsking();
  });
  return requests;
}

}  // namespace tokiwa
