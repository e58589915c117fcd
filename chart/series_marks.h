#pragma once
// Mark settings of one series: the small text boxes drawn at its points.
#include <cstdint>

#include "chart/chart_pens.h"
#include "runtime/graphics.h"

namespace tokiwa {

class TChartSeries;

enum class TSeriesMarksStyle : std::uint8_t {
  smsValue, smsPercent, smsLabel, smsLabelPercent, smsLabelValue, smsLegend,
  smsPercentTotal, smsLabelPercentTotal, smsXValue
};

class TSeriesMarks : public TPersistent {
 public:
  explicit TSeriesMarks(TChartSeries* owner);

  TChartSeries* Owner() const { return owner_; }
  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  TColor BackColor() const { return backColor_; }
  void SetBackColor(TColor c);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& f) { font_.Assign(f); }
  TSeriesMarksStyle Style() const { return style_; }
  void SetStyle(TSeriesMarksStyle s);
  TChartPen& Frame() { return frame_; }
  const TChartPen& Frame() const { return frame_; }
  void SetFrame(const TChartPen& p) { frame_.Assign(p); }
  TChartArrowPen& Arrow() { return arrow_; }
  const TChartArrowPen& Arrow() const { return arrow_; }
  void SetArrow(const TChartPen& p) { arrow_.Assign(p); }
  bool Clip() const { return clip_; }
  void SetClip(bool v);
  int ArrowLength() const { return arrowLength_; }
  void SetArrowLength(int v);

  void Assign(const TPersistent& source) override;

 private:
  template <class T, class U>
  void Set(T& field, const U& value);

  TChartSeries* owner_;
  bool visible_ = false;
  TColor backColor_ = 0x80FFFF;
  bool transparent_ = false;
  TFont font_;
  TSeriesMarksStyle style_ = TSeriesMarksStyle::smsLabel;
  TChartPen frame_;
  TChartArrowPen arrow_;
  bool clip_ = false;
  int arrowLength_ = 8;
};

}  // namespace tokiwa
