#include "chart/series_marks.h"

#include "chart/font_object.h"

namespace tokiwa {

TSeriesMarks::TSeriesMarks() {
  font_.Assign(*DefaultChartFont());
  font_.OnChange = ReportAsOwnChange();
  frame_.OnChange = ReportAsOwnChange();
  arrow_.OnChange = ReportAsOwnChange();
}

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
