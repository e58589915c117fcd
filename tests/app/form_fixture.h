#pragma once
// A main window on scratch settings and list files, with errors captured
// instead of shown in message boxes.
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "app/form1.h"
#include "gui/error_display.h"
#include "support/temp_dir.h"

namespace tokiwa::testing {

class FormFixture {
  // First member: the sink outlives the window.
  ScopedErrorSink sink_;

 public:
  FormFixture()
      : sink_([this](QWidget*, const std::string& message) { errors.push_back(message); }) {}

  std::string IniFile() const { return dir.File("tokiwa.INI"); }
  std::string ListFile() const { return dir.File("tokiwa.LST"); }

  TForm1Options Options() const {
    TForm1Options options;
    options.IniFileName = IniFile();
    options.ListFileName = ListFile();
    return options;
  }

  // Creates the window (FormCreate runs), optionally shown and laid out.
  TForm1& Create(bool show = true) { return Create(Options(), show); }
  TForm1& Create(TForm1Options options, bool show = true) {
    form = std::make_unique<TForm1>(std::move(options));
    if (show) {
      form->show();
      [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(form.get());
      QCoreApplication::processEvents();
    }
    return *form;
  }

  // Closes the window as the user would; true when it closed.
  bool Close() {
    const bool closed = form->close();
    QCoreApplication::processEvents();
    return closed;
  }

  TempDir dir;
  std::vector<std::string> errors;
  std::unique_ptr<TForm1> form;
};

}  // namespace tokiwa::testing
