#pragma once
// Base of axes, axis titles, the legend and chart titles: an owning chart and a
// font whose changes repaint it.
#include <memory>

#include "runtime/graphics.h"

namespace tokiwa {

class TCustomAxisPanel;

// The engine's default font: the string table's name and size, black, no style.
std::unique_ptr<TFont> DefaultChartFont();
// Whether the font equals the default chart font with the given colour.
bool IsDefaultChartFont(const TFont& font, TColor colour = clBlack);

class TChartFontObject : public TPersistent {
 public:
  explicit TChartFontObject(TCustomAxisPanel* chart);
  TCustomAxisPanel* ParentChart() const { return chart_; }
  TFont& Font() { return *font_; }
  const TFont& Font() const { return *font_; }
  void SetFont(const TFont& f) { font_->Assign(f); }
  void Assign(const TPersistent& source) override;

 protected:
  // Asks the owning chart to repaint (nothing without one).
  void Repaint();
  template <class T, class U>
  void Set(T& field, const U& value) {
    if (field == value) return;
    field = value;
    Repaint();
  }

 private:
  TCustomAxisPanel* chart_;
  std::unique_ptr<TFont> font_;
};

}  // namespace tokiwa
