#pragma once
// Mark settings of one series: the small text boxes drawn at its points.
#include <cstdint>

#include "chart/chart_pens.h"
#include "runtime/graphics.h"

namespace tokiwa {

enum class TSeriesMarksStyle : std::uint8_t {
  smsValue, smsPercent, smsLabel, smsLabelPercent, smsLabelValue, smsLegend,
  smsPercentTotal, smsLabelPercentTotal, smsXValue
};

// Its setters and its font, frame and arrow report changes through OnChange;
// the series repaints.
class TSeriesMarks : public TChangeNotifier {
 public:
  TSeriesMarks();

  bool Visible() const { return visible_; }
  void SetVisible(bool v) { Set(visible_, v); }
  TColor BackColor() const { return backColor_; }
  void SetBackColor(TColor c) { Set(backColor_, c); }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v) { Set(transparent_, v); }
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& f) { font_.Assign(f); }
  TSeriesMarksStyle Style() const { return style_; }
  void SetStyle(TSeriesMarksStyle s) { Set(style_, s); }
  TChartPen& Frame() { return frame_; }
  const TChartPen& Frame() const { return frame_; }
  void SetFrame(const TChartPen& p) { frame_.Assign(p); }
  TChartArrowPen& Arrow() { return arrow_; }
  const TChartArrowPen& Arrow() const { return arrow_; }
  void SetArrow(const TChartPen& p) { arrow_.Assign(p); }
  bool Clip() const { return clip_; }
  void SetClip(bool v) { Set(clip_, v); }
  int ArrowLength() const { return arrowLength_; }
  void SetArrowLength(int v) { Set(arrowLength_, v); }

  void Assign(const TPersistent& source) override;

 private:
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
