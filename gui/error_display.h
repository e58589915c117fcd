#pragma once
// The application's default error display: every failure that reaches an event
// handler is shown as a message box with its text, and the window carries on.
// No exception may travel on into Qt's event loop, so handlers run their work
// through GuardedCall, and GuardedApplication catches anything left over.
#include <QApplication>
#include <functional>
#include <string>

class QWidget;

namespace tokiwa {

// Where error messages go. The default shows a modal message box; tests and the
// headless modes install a sink that records or prints the text instead.
using ErrorSink = std::function<void(QWidget* parent, const std::string& message)>;

// Installs a sink (an empty one restores the message box) and returns the
// previous one.
ErrorSink SetErrorSink(ErrorSink sink);

// Installs a sink for the lifetime of this object.
class ScopedErrorSink {
 public:
  explicit ScopedErrorSink(ErrorSink sink);
  ~ScopedErrorSink();
  ScopedErrorSink(const ScopedErrorSink&) = delete;
  ScopedErrorSink& operator=(const ScopedErrorSink&) = delete;

 private:
  ErrorSink previous_;
};

// Shows one message through the current sink. Never throws.
void ShowErrorMessage(QWidget* parent, const std::string& message) noexcept;

// Shows the exception being handled; call only inside a catch block.
void ShowCurrentException(QWidget* parent) noexcept;

// Runs work; an exception it raises is shown and swallowed. Returns false when
// work failed.
bool GuardedCall(QWidget* parent, const std::function<void()>& work) noexcept;

// Routes the chart engine's own message boxes (raised where no chart window is
// at hand) to the error display.
void InstallEngineMessageBox();

// The last line of defence: an exception escaping an event delivery is shown
// instead of reaching the event loop. It also installs the engine's message box.
class GuardedApplication : public QApplication {
 public:
  GuardedApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace tokiwa
