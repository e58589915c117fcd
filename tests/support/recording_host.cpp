#include "support/recording_host.h"

namespace tokiwa {

namespace {

// Clears the host's record of it when destroyed.
class HostBitmap : public RecordingBitmap {
 public:
  HostBitmap(int width, int height, bool monochrome, std::weak_ptr<RecordingBitmap*> slot)
      : RecordingBitmap(width, height, monochrome), slot_(std::move(slot)) {}
  ~HostBitmap() override {
    if (auto slot = slot_.lock(); slot && *slot == this) *slot = nullptr;
  }

 private:
  std::weak_ptr<RecordingBitmap*> slot_;
};

}  // namespace

void RecordingHost::Invalidate() {
  ++InvalidateCount;
  if (OnInvalidate) OnInvalidate();
}

void RecordingHost::RepaintNow() {
  ++RepaintNowCount;
  if (OnRepaintNow) OnRepaintNow();
}

std::unique_ptr<Bitmap> RecordingHost::CreateBitmap(int width, int height, bool monochrome) {
  ++BitmapsCreated;
  auto bitmap = std::make_unique<HostBitmap>(width, height, monochrome, lastBitmap_);
  *lastBitmap_ = bitmap.get();
  return bitmap;
}

}  // namespace tokiwa
