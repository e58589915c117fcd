#include "runtime/graphics.h"

#include <cstdlib>

namespace tokiwa {

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  long long num = static_cast<long long>(a) * b;
  long long den = c;
  if (den < 0) {
    num = -num;
    den = -den;
  }
  long long q = (num >= 0 ? num + den / 2 : num - den / 2) / den;
  return static_cast<int>(q);
}

void TPen::Assign(const TPersistent& source) {
  if (auto p = dynamic_cast<const TPen*>(&source)) {
    AssignPen(*p);
    return;
  }
  TGraphicsObject::Assign(source);
}

void TPen::AssignPen(const TPen& p) {
  bool changed = color_ != p.color_ || style_ != p.style_ || width_ != p.width_ || mode_ != p.mode_;
  color_ = p.color_;
  style_ = p.style_;
  width_ = p.width_;
  mode_ = p.mode_;
  if (changed) Changed();
}

void TBrush::Assign(const TPersistent& source) {
  if (auto b = dynamic_cast<const TBrush*>(&source)) {
    AssignBrush(*b);
    return;
  }
  TGraphicsObject::Assign(source);
}

void TBrush::AssignBrush(const TBrush& b) {
  bool changed = color_ != b.color_ || style_ != b.style_;
  color_ = b.color_;
  style_ = b.style_;
  if (changed) Changed();
}

int TFont::Size() const { return -MulDiv(height_, 72, ppi_); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, ppi_, 72)); }

void TFont::Assign(const TPersistent& source) {
  if (auto f = dynamic_cast<const TFont*>(&source)) {
    bool changed = name_ != f->name_ || height_ != f->height_ || color_ != f->color_ ||
                   style_ != f->style_ || charset_ != f->charset_ || angle_ != f->angle_;
    name_ = f->name_;
    height_ = f->height_;
    color_ = f->color_;
    style_ = f->style_;
    charset_ = f->charset_;
    angle_ = f->angle_;
    if (changed) Changed();
    return;
  }
  TGraphicsObject::Assign(source);
}

}  // namespace tokiwa
