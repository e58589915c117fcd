#pragma once
// What is drawn around the data: titles (title and foot), walls and the gradient.
// Each reports its changes, and those of the pens, brushes and font it owns,
// through OnChange; the chart repaints.
#include <cstdint>
#include <string>
#include <vector>

#include "chart/chart_pens.h"
#include "chart/font_object.h"
#include "runtime/canvas.h"
#include "runtime/geometry.h"

namespace tokiwa {

enum class TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };
enum class TGradientDirection : std::uint8_t { gdTopBottom, gdBottomTop, gdLeftRight, gdRightLeft };
enum class TChartBackImageMode : std::uint8_t { pbmStretch, pbmTile, pbmCenter };

class TChartTitle : public TChartFontObject {
 public:
  explicit TChartTitle(TCustomAxisPanel* chart);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a) { Set(alignment_, a); }
  // The lines. Editing them in place does not repaint: the owner asks for it.
  std::vector<std::string>& Text() { return text_; }
  const std::vector<std::string>& Text() const { return text_; }
  // Copies the lines and repaints.
  void SetText(const std::vector<std::string>& lines);
  // The lines, each followed by CR LF, as a multi-line text property reads.
  std::string TextString() const;
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { Set(visible_, v); }
  TChartHiddenPen& Frame() { return frame_; }
  void SetFrame(const TChartPen& p) { frame_.Assign(p); }
  bool AdjustFrame() const { return adjustFrame_; }
  void SetAdjustFrame(bool v) { Set(adjustFrame_, v); }
  TChartBrush& Brush() { return brush_; }
  void SetBrush(const TBrush& b) { brush_.Assign(b); }
  TRect& TitleRect() { return titleRect_; }
  const TRect& TitleRect() const { return titleRect_; }
  // The title is visible and its last drawn rectangle contains the point.
  bool ContainsPoint(int x, int y) const;
  // Asks the chart to repaint (after editing the lines in place).
  void RepaintChart() { Changed(); }

  void Assign(const TPersistent& source) override;

 private:
  TAlignment alignment_ = TAlignment::taCenter;
  std::vector<std::string> text_;
  bool visible_ = true;
  TChartHiddenPen frame_;
  bool adjustFrame_ = true;
  TChartBrush brush_;
  TRect titleRect_;
};

class TChartWall : public TChangeNotifier {
 public:
  TChartWall();
  TColor Color() const { return color_; }
  void SetColor(TColor c) { Set(color_, c); }
  TChartPen& Pen() { return pen_; }
  void SetPen(const TChartPen& p) { pen_.Assign(p); }
  TBrush& Brush() { return brush_; }
  void SetBrush(const TBrush& b) { brush_.Assign(b); }
  int Size() const { return size_; }
  void SetSize(int s) { Set(size_, s); }
  void Assign(const TPersistent& source) override;

 private:
  TColor color_ = ColorDefault;
  TChartPen pen_;
  TBrush brush_;
  int size_ = 0;
};

class TChartGradient : public TChangeNotifier {
 public:
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { Set(visible_, v); }
  TGradientDirection Direction() const { return direction_; }
  void SetDirection(TGradientDirection d) { Set(direction_, d); }
  TColor StartColor() const { return startColor_; }
  void SetStartColor(TColor c) { Set(startColor_, c); }
  TColor EndColor() const { return endColor_; }
  void SetEndColor(TColor c) { Set(endColor_, c); }
  // Copies the settings without reporting a change.
  void Assign(const TPersistent& source) override;

 private:
  bool visible_ = false;
  TGradientDirection direction_ = TGradientDirection::gdTopBottom;
  TColor startColor_ = clWhite;
  TColor endColor_ = clYellow;
};

// Fills rect with up to 256 bands from colour a (at the right or bottom edge) to b.
void FillGradient(Canvas& canvas, const TRect& rect, TColor a, TColor b, bool horizontal);

}  // namespace tokiwa
