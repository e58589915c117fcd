#include "chart/decorations.h"

#include <algorithm>

#include "runtime/graphics.h"

namespace tokiwa {

// --- TChartTitle ---

TChartTitle::TChartTitle(TCustomAxisPanel* chart) : TChartFontObject(chart) {
  Font().SetColor(clBlue);
  frame_.OnChange = ReportAsOwnChange();
  brush_.OnChange = ReportAsOwnChange();
}

void TChartTitle::SetText(const std::vector<std::string>& lines) {
  text_ = lines;
  Changed();
}

std::string TChartTitle::TextString() const {
  std::string result;
  for (const std::string& line : text_) {
    result += line;
    result += "\r\n";
  }
  return result;
}

bool TChartTitle::ContainsPoint(int x, int y) const { return visible_ && titleRect_.Contains(x, y); }

void TChartTitle::Assign(const TPersistent& source) {
  if (auto* other = dynamic_cast<const TChartTitle*>(&source)) {
    if (text_ != other->text_) SetText(other->text_);
    SetAlignment(other->alignment_);
    SetVisible(other->visible_);
    frame_.Assign(other->frame_);
    SetAdjustFrame(other->adjustFrame_);
    brush_.Assign(other->brush_);
  }
  TChartFontObject::Assign(source);
}

// --- TChartWall ---

TChartWall::TChartWall() {
  pen_.OnChange = ReportAsOwnChange();
  brush_.OnChange = ReportAsOwnChange();
}

void TChartWall::Assign(const TPersistent& source) {
  if (auto* other = dynamic_cast<const TChartWall*>(&source)) {
    SetColor(other->color_);
    brush_.Assign(other->brush_);
    pen_.Assign(other->pen_);
    SetSize(other->size_);
    return;
  }
  TPersistent::Assign(source);
}

// --- TChartGradient ---

void TChartGradient::Assign(const TPersistent& source) {
  if (auto* other = dynamic_cast<const TChartGradient*>(&source)) {
    visible_ = other->visible_;
    direction_ = other->direction_;
    startColor_ = other->startColor_;
    endColor_ = other->endColor_;
    return;
  }
  TPersistent::Assign(source);
}

// --- FillGradient ---

void FillGradient(Canvas& canvas, const TRect& rect, TColor a, TColor b, bool horizontal) {
  const int size = horizontal ? rect.Width() : rect.Height();
  if (size <= 0) return;
  const int bands = std::min(size, 256);
  const int from[3] = {RedOf(a), GreenOf(a), BlueOf(a)};
  const int to[3] = {RedOf(b), GreenOf(b), BlueOf(b)};
  TBrush& brush = canvas.Brush();
  brush.SetStyle(TBrushStyle::bsSolid);
  for (int i = 0; i < bands; ++i) {
    std::uint8_t c[3];
    for (int k = 0; k < 3; ++k) {
      // One band is colour a: the platform's MulDiv by zero would give -1.
      const int step = bands > 1 ? MulDiv(i, to[k] - from[k], bands - 1) : 0;
      c[k] = static_cast<std::uint8_t>((from[k] + step) & 0xFF);
    }
    brush.SetColor(RGBColor(c[0], c[1], c[2]));
    const int near = MulDiv(i, size, bands), far = MulDiv(i + 1, size, bands);
    // Band 0 lies at the right or bottom edge.
    if (horizontal)
      canvas.FillRect({rect.Right - far, rect.Top, rect.Right - near, rect.Bottom});
    else
      canvas.FillRect({rect.Left, rect.Bottom - far, rect.Right, rect.Bottom - near});
  }
}

}  // namespace tokiwa
