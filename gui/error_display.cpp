#include "gui/error_display.h"

#include <QMessageBox>
#include <QString>
#include <QWidget>
#include <cstdio>
#include <exception>
#include <utility>

#include "chart/engine_settings.h"
#include "runtime/exceptions.h"
#include "runtime/encoding.h"
#include "runtime/messages.h"

namespace tokiwa {

namespace {

ErrorSink& CurrentSink() {
  static ErrorSink sink;
  return sink;
}

void ShowMessageBox(QWidget* parent, const std::string& message) {
  QString title = QApplication::applicationDisplayName();
  if (title.isEmpty()) title = QString::fromUtf8(msg::AppTitle.data(), msg::AppTitle.size());
  QMessageBox box(QMessageBox::Critical, title, QString::fromStdString(Cp932DisplayText(message)), QMessageBox::Ok,
                  parent);
  box.exec();
}

std::string CurrentExceptionMessage() {
  try {
    throw;
  } catch (const Exception& e) {
    return e.Message();
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return std::string(msg::UnknownError);
  }
}

}  // namespace

ErrorSink SetErrorSink(ErrorSink sink) { return std::exchange(CurrentSink(), std::move(sink)); }

ScopedErrorSink::ScopedErrorSink(ErrorSink sink) : previous_(SetErrorSink(std::move(sink))) {}

ScopedErrorSink::~ScopedErrorSink() { SetErrorSink(std::move(previous_)); }

void ShowErrorMessage(QWidget* parent, const std::string& message) noexcept {
  try {
    if (CurrentSink()) CurrentSink()(parent, message);
    else ShowMessageBox(parent, message);
  } catch (...) {
    // The display itself failed (out of memory, a throwing sink): the message
    // must still not be lost silently.
    std::fprintf(stderr, "%s\n", message.c_str());
  }
}

void ShowCurrentException(QWidget* parent) noexcept {
  std::string message;
  try {
    message = CurrentExceptionMessage();
  } catch (...) {
    message = std::string(msg::UnknownError);
  }
  ShowErrorMessage(parent, message);
}

bool GuardedCall(QWidget* parent, const std::function<void()>& work) noexcept {
  try {
    work();
    return true;
  } catch (...) {
    ShowCurrentException(parent);
    return false;
  }
}

void InstallEngineMessageBox() {
  EngineSettings().ShowMessage = [](const std::string& text) { ShowErrorMessage(nullptr, text); };
}

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {
  InstallEngineMessageBox();
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    ShowCurrentException(activeWindow());
    return false;
  }
}

}  // namespace tokiwa
