// The test host counts what a chart asks of it and forgets bitmaps the chart destroyed.
#include <gtest/gtest.h>

#include "support/recording_host.h"

namespace tokiwa {
namespace {

TEST(RecordingHostTest, CountsRequestsAndRunsHooks) {
  RecordingHost host;
  int painted = 0;
  host.OnRepaintNow = [&] { ++painted; };
  host.Invalidate();
  host.Invalidate();
  host.RepaintNow();
  host.SetCursor(crCross);
  host.CursorPos = {12, 34};
  host.ShowMessage("message");
  EXPECT_EQ(host.InvalidateCount, 2);
  EXPECT_EQ(host.RepaintNowCount, 1);
  EXPECT_EQ(painted, 1);
  EXPECT_EQ(host.Cursor, crCross);
  EXPECT_EQ(host.CursorClientPos(), (TPoint{12, 34}));
  EXPECT_EQ(host.Messages, std::vector<std::string>{"message"});
  host.WindowCanvas().Rectangle(0, 0, 1, 1);
  EXPECT_EQ(host.Window.Count(CanvasCall::Rectangle), 1);
}

TEST(RecordingHostTest, LastBitmapIsForgottenWhenDestroyed) {
  std::unique_ptr<Bitmap> kept;
  {
    RecordingHost host;
    auto bitmap = host.CreateBitmap(10, 5, true);
    EXPECT_EQ(host.BitmapsCreated, 1);
    ASSERT_EQ(host.LastBitmap(), bitmap.get());
    EXPECT_TRUE(bitmap->Monochrome());
    EXPECT_EQ(bitmap->Width(), 10);
    bitmap.reset();
    EXPECT_EQ(host.LastBitmap(), nullptr);
    kept = host.CreateBitmap(1, 1, false);
  }
  kept.reset();  // outliving the host is safe
}

}  // namespace
}  // namespace tokiwa
