// The default error display: messages reach the sink, never the event loop.
#include <QAction>
#include <gtest/gtest.h>
#include <stdexcept>

#include "gui/error_display.h"
#include "series/custom_series.h"
#include "runtime/exceptions.h"
#include "runtime/messages.h"

namespace tokiwa {
namespace {

TEST(ErrorDisplay, GuardedCallShowsEveryKindOfException) {
  std::vector<std::string> shown;
  ScopedErrorSink sink([&](QWidget*, const std::string& m) { shown.push_back(m); });

  EXPECT_TRUE(GuardedCall(nullptr, [] {}));
  EXPECT_FALSE(GuardedCall(nullptr, [] { throw EFOpenError("ﾌｧｲﾙ x は開けません"); }));
  EXPECT_FALSE(GuardedCall(nullptr, [] { throw std::out_of_range("range"); }));
  EXPECT_FALSE(GuardedCall(nullptr, [] { throw 42; }));
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0], "ﾌｧｲﾙ x は開けません");
  EXPECT_EQ(shown[1], "range");
  EXPECT_EQ(shown[2], msg::UnknownError);
}

TEST(ErrorDisplay, ThrowingSinkDoesNotEscape) {
  ScopedErrorSink sink([](QWidget*, const std::string&) { throw std::runtime_error("sink"); });
  EXPECT_FALSE(GuardedCall(nullptr, [] { throw Exception("boom"); }));
}

TEST(ErrorDisplay, ScopedSinkRestoresThePreviousOne) {
  std::vector<std::string> outer;
  ScopedErrorSink first([&](QWidget*, const std::string& m) { outer.push_back(m); });
  {
    int inner = 0;
    ScopedErrorSink second([&](QWidget*, const std::string&) { ++inner; });
    ShowErrorMessage(nullptr, "a");
    EXPECT_EQ(inner, 1);
  }
  ShowErrorMessage(nullptr, "b");
  EXPECT_EQ(outer, std::vector<std::string>{"b"});
}

TEST(ErrorDisplay, EngineMessagesWithoutAChartReachTheDisplay) {
  // A series that is not on a chart has no window to show its message box in.
  InstallEngineMessageBox();
  std::vector<std::string> shown;
  ScopedErrorSink sink([&](QWidget*, const std::string& m) { shown.push_back(m); });
  TPointSeries source(nullptr), dependent(nullptr);
  dependent.SetDataSource(&source);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], msg::NoParentForDataSource);
  EXPECT_EQ(dependent.DataSource(), nullptr);
}

}  // namespace
}  // namespace tokiwa
