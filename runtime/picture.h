#pragma once
// A picture property (the chart's background image): empty, or one shared image.
#include <memory>

#include "runtime/canvas.h"

namespace tokiwa {

class TPicture : public TGraphicsObject {
 public:
  bool Empty() const { return !image_; }
  int Width() const { return image_ ? image_->Width() : 0; }
  int Height() const { return image_ ? image_->Height() : 0; }
  const Image* Graphic() const { return image_.get(); }
  void SetGraphic(std::shared_ptr<const Image> image) {
    if (image == image_) return;
    image_ = std::move(image);
    Changed();
  }
  void Assign(const TPersistent& source) override {
    if (auto p = dynamic_cast<const TPicture*>(&source)) {
      SetGraphic(p->image_);
      return;
    }
    TGraphicsObject::Assign(source);
  }

 private:
  std::shared_ptr<const Image> image_;
};

}  // namespace tokiwa
