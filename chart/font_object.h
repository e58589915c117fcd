#pragma once
// Base of axes, axis titles, the legend and chart titles: the chart they belong
// to and a font. Their setters and their font report changes through OnChange,
// which the owner installs.
#include <memory>

#include "runtime/graphics.h"

namespace tokiwa {

class TCustomAxisPanel;

// The engine's default font: the string table's name and size, black, no style.
std::unique_ptr<TFont> DefaultChartFont();
// Whether the font equals the default chart font with the given colour.
bool IsDefaultChartFont(const TFont& font, TColor colour = clBlack);

class TChartFontObject : public TChangeNotifier {
 public:
  explicit TChartFontObject(TCustomAxisPanel* chart);
  TCustomAxisPanel* ParentChart() const { return chart_; }
  TFont& Font() { return *font_; }
  const TFont& Font() const { return *font_; }
  void SetFont(const TFont& f) { font_->Assign(f); }
  void Assign(const TPersistent& source) override;

 private:
  TCustomAxisPanel* chart_;
  std::unique_ptr<TFont> font_;
};

}  // namespace tokiwa
