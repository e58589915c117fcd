#pragma once
// A chart host without a window, for tests: counts repaint requests, keeps the
// cursor it is given, reports a settable mouse position, and records drawing on
// its window canvas and on the bitmaps it creates.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/chart_host.h"
#include "support/recording_canvas.h"

namespace tokiwa {

class RecordingHost : public ChartHost {
 public:
  void Invalidate() override;
  void RepaintNow() override;
  void SetCursor(TCursor cursor) override { Cursor = cursor; }
  TPoint CursorClientPos() override { return CursorPos; }
  Canvas& WindowCanvas() override { return Window; }
  std::unique_ptr<Bitmap> CreateBitmap(int width, int height, bool monochrome) override;
  void ShowMessage(const std::string& text) override { Messages.push_back(text); }
  TSize ScreenSize() override { return Screen; }
  TSize ScreenPhysicalSize() override { return PhysicalScreen; }

  int InvalidateCount = 0;
  int RepaintNowCount = 0;
  int BitmapsCreated = 0;
  TCursor Cursor = crDefault;
  TPoint CursorPos;
  TSize Screen{1920, 1080};
  TSize PhysicalScreen{1920, 1080};  // square pixels
  std::vector<std::string> Messages;
  RecordingCanvas Window;
  // The most recently created bitmap, or nullptr once it has been destroyed
  // (the chart owns it).
  RecordingBitmap* LastBitmap() const { return *lastBitmap_; }
  // Optional hooks, e.g. to paint the chart synchronously when asked.
  std::function<void()> OnInvalidate;
  std::function<void()> OnRepaintNow;

 private:
  // Shared with the bitmaps so that one destroyed after the host is still safe.
  std::shared_ptr<RecordingBitmap*> lastBitmap_ = std::make_shared<RecordingBitmap*>(nullptr);
};

}  // namespace tokiwa
