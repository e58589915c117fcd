#pragma once
// The legend: one item per series, per value of the first series, or the last
// value of every series, each a symbol and a line of text.
#include <cstdint>
#include <string>

#include "chart/chart_pens.h"
#include "chart/font_object.h"
#include "runtime/geometry.h"

namespace tokiwa {

class TChartSeries;

enum class TLegendAlignment : std::uint8_t { laLeft, laRight, laTop, laBottom };
enum class TLegendStyle : std::uint8_t { lsAuto, lsSeries, lsValues, lsLastValues };
enum class TLegendTextStyle : std::uint8_t {
  ltsPlain, ltsLeftValue, ltsRightValue, ltsLeftPercent, ltsRightPercent, ltsXValue
};

class TCustomChartLegend : public TChartFontObject {
 public:
  explicit TCustomChartLegend(TCustomAxisPanel* chart);

  bool Visible() const { return visible_; }
  void SetVisible(bool v) { Set(visible_, v); }
  TLegendAlignment Alignment() const { return alignment_; }
  void SetAlignment(TLegendAlignment a) { Set(alignment_, a); }
  TLegendStyle LegendStyle() const { return legendStyle_; }
  void SetLegendStyle(TLegendStyle s);
  TLegendTextStyle TextStyle() const { return textStyle_; }
  void SetTextStyle(TLegendTextStyle s) { Set(textStyle_, s); }
  TColor Color() const { return color_; }
  void SetColor(TColor c) { Set(color_, c); }
  int ColorWidth() const { return colorWidth_; }
  void SetColorWidth(int v);
  int FirstValue() const { return firstValue_; }
  void SetFirstValue(int v);
  TChartPen& Frame() { return frame_; }
  void SetFrame(const TChartPen& p) { frame_.Assign(p); }
  int HorizMargin() const { return horizMargin_; }
  void SetHorizMargin(int v) { Set(horizMargin_, v); }
  int VertMargin() const { return vertMargin_; }
  void SetVertMargin(int v) { Set(vertMargin_, v); }
  bool Inverted() const { return inverted_; }
  void SetInverted(bool v) { Set(inverted_, v); }
  bool ResizeChart() const { return resizeChart_; }
  void SetResizeChart(bool v) { Set(resizeChart_, v); }
  int TopPos() const { return topPos_; }
  void SetTopPos(int v);

  TLegendStyle ResolvedLegendStyle() const { return resolvedStyle_; }
  void ResolveLegendStyle();
  int LegendItemCount() const;
  // The text of item index, already passed through the chart's OnGetLegendText.
  std::string LegendItemText(int index) const;
  virtual std::string ValueItemText(TChartSeries* series, int pointIndex) const = 0;
  // Widest text among the first n items from FirstValue (n < 0: all items).
  int WidestItemWidth(int n);
  const TRect& LegendBounds() const { return legendBounds_; }
  int SymbolWidth() const { return symbolWidth_; }

  void Assign(const TPersistent& source) override;

 protected:
  TRect legendBounds_;
  int symbolWidth_ = 0;

 private:
  bool visible_ = true;
  TLegendAlignment alignment_ = TLegendAlignment::laRight;
  TLegendStyle legendStyle_ = TLegendStyle::lsAuto;
  TLegendTextStyle textStyle_ = TLegendTextStyle::ltsLeftValue;
  TColor color_ = clWhite;
  int colorWidth_ = 12;
  int firstValue_ = 0;
  TChartPen frame_;
  int horizMargin_ = 0;
  int vertMargin_ = 0;
  bool inverted_ = false;
  bool resizeChart_ = true;
  int topPos_ = 10;
  TLegendStyle resolvedStyle_ = TLegendStyle::lsValues;
};

class TChartLegend : public TCustomChartLegend {
 public:
  explicit TChartLegend(TCustomAxisPanel* chart);

  TChartHiddenPen& DividingLines() { return dividingLines_; }
  void SetDividingLines(const TChartPen& p) { dividingLines_.Assign(p); }
  TColor ShadowColor() const { return shadowColor_; }
  void SetShadowColor(TColor c) { Set(shadowColor_, c); }
  int ShadowSize() const { return shadowSize_; }
  void SetShadowSize(int v) { Set(shadowSize_, v); }

  std::string ValueItemText(TChartSeries* series, int pointIndex) const override;
  virtual int ItemsThatFit(int start, int size);
  virtual void DrawLegend();

  void Assign(const TPersistent& source) override;

 private:
  // Where the current drawing pass puts the box and the items.
  struct Layout {
    int left = 0, top = 0, right = 0, bottom = 0;
    int textX = 0, symbolX = 0;
    int itemWidth = 0;  // widest item text (top and bottom legends: plus 4)
    int lineHeight = 0;
    int shown = 0;
    bool vertical = true;  // a left or right legend
  };
  Layout ComputeLayout();
  void DrawBox(const Layout& l);
  void DrawItem(const Layout& l, int index, int slot);
  void DrawItemSymbol(int index, const TRect& rect);
  void TakePlotRoom(const Layout& l);

  TChartHiddenPen dividingLines_;
  TColor shadowColor_ = clBlack;
  int shadowSize_ = 3;
};

}  // namespace tokiwa
