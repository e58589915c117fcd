#pragma once
// The pen family every chart object draws with, and the chart brush.
#include "runtime/graphics.h"

namespace tokiwa {

// A pen with a Visible switch; an invisible pen draws as no pen.
class TChartPen : public TPen {
 public:
  TChartPen() = default;
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { Set(visible_, v); }
  void Assign(const TPersistent& source) override;

 protected:
  void SetDefaults(TColor colour, TPenStyle style, int width, bool visible);

 private:
  bool visible_ = true;
};

class TChartHiddenPen : public TChartPen {
 public:
  TChartHiddenPen() { SetDefaults(clBlack, TPenStyle::psSolid, 1, false); }
};

class TChartArrowPen : public TChartPen {
 public:
  TChartArrowPen() { SetDefaults(clWhite, TPenStyle::psSolid, 1, true); }
};

class TChartAxisPen : public TChartPen {
 public:
  TChartAxisPen() { SetDefaults(clBlack, TPenStyle::psSolid, 2, true); }
};

class TChartTickPen : public TChartPen {
 public:
  TChartTickPen() { SetDefaults(clGray, TPenStyle::psSolid, 1, true); }
};

class TChartGridPen : public TChartPen {
 public:
  TChartGridPen() { SetDefaults(clGray, TPenStyle::psDot, 1, true); }
};

// A brush whose colour starts as ColorDefault (no fill for titles).
class TChartBrush : public TBrush {
 public:
  TChartBrush() {
    SetColor(ColorDefault);
  }
};

}  // namespace tokiwa
