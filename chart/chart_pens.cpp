#include "chart/chart_pens.h"

namespace tokiwa {

void TChartPen::Assign(const TPersistent& source) {
  if (auto p = dynamic_cast<const TChartPen*>(&source)) {
    bool visibleChanged = visible_ != p->visible_;
    visible_ = p->visible_;
    TPen::Assign(source);  // raises the change only when a pen setting differs
    if (visibleChanged) Changed();
    return;
  }
  TPen::Assign(source);
}

void TChartPen::SetDefaults(TColor colour, TPenStyle style, int width, bool visible) {
  SetColor(colour);
  SetStyle(style);
  SetWidth(width);
  visible_ = visible;
}

}  // namespace tokiwa
