#include "chart/series_marks.h"

#include "chart/font_object.h"
#include "chart/series.h"

namespace tokiwa {

TSeriesMarks::TSeriesMarks(TChartSeries* owner) : owner_(owner) {
  font_.Assign(*DefaultChartFont());
  auto repaint = [this](TGraphicsObject*) {
    if (owner_) owner_->RepaintChart();
  };
  font_.OnChange = repaint;
  frame_.OnChange = repaint;
  arrow_.OnChange = repaint;
}

template <class T, class U>
void TSeriesMarks::Set(T& field, const U& value) {
  if (field == value) return;
  field = value;
  if (owner_) owner_->RepaintChart();
}

void TSeriesMarks::SetVisible(bool v) { Set(visible_, v); }
void TSeriesMarks::SetBackColor(TColor c) { Set(backColor_, c); }
void TSeriesMarks::SetTransparent(bool v) { Set(transparent_, v); }
void TSeriesMarks::SetStyle(TSeriesMarksStyle s) { Set(style_, s); }
void TSeriesMarks::SetClip(bool v) { Set(clip_, v); }
void TSeriesMarks::SetArrowLength(int v) { Set(arrowLength_, v); }

void TSeriesMarks::Assign(const TPersistent& source) {
  auto* other = dynamic_cast<const TSeriesMarks*>(&source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  SetArrow(other->arrow_);
  SetArrowLength(other->arrowLength_);
  SetBackColor(other->backColor_);
  SetClip(other->clip_);
  SetFont(other->font_);
  SetFrame(other->frame_);
  SetStyle(other->style_);
  SetTransparent(other->transparent_);
  SetVisible(other->visible_);
}

}  // namespace tokiwa
