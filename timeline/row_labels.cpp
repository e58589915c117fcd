#include "timeline/row_labels.h"

#include <algorithm>
#include <cmath>

#include "runtime/messages.h"

namespace tokiwa {

namespace {

// The custom labels' own tolerance around the axis range.
constexpr double kRangeSlack = 1e-7;

// The start of the UTF-8 character that holds byte i.
std::size_t CharacterStart(const std::string& text, std::size_t i) {
  while (i > 0 && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) --i;
  return i;
}

}  // namespace

std::string ElideToWidth(const std::string& text, int maxWidth, std::string_view tail,
                         const std::function<int(std::string_view)>& width) {
  if (width(text) <= maxWidth) return text;
  // Binary search over byte counts, each cut back to a character start.
  std::size_t fits = 0, tooLong = text.size();
  while (tooLong - fits > 1) {
    const std::size_t middle = (fits + tooLong) / 2;
    std::string candidate = text.substr(0, CharacterStart(text, middle));
    candidate += tail;
    if (width(candidate) <= maxWidth)
      fits = middle;
    else
      tooLong = middle;
  }
  std::string elided = text.substr(0, CharacterStart(text, fits));
  elided += tail;
  return elided;
}

RowLabels::RowLabels(TCustomAxisPanel& chart) : chart_(chart) {}

RowLabels::~RowLabels() { SetVisible(false); }

void RowLabels::SetNames(std::vector<std::string> names) {
  names_ = std::move(names);
  shown_.assign(names_.size(), std::nullopt);
  if (Visible()) FitBand();
}

void RowLabels::SetVisible(bool visible) {
  if (visible == Visible()) return;
  TChartAxis& axis = Axis();
  if (!visible) {
    const AxisDesign design = std::move(*saved_);
    saved_.reset();
    chart_.OnGetNextAxisLabel = design.NextLabel;
    chart_.OnGetAxisLabel = design.LabelText;
    axis.SetLabelsSize(design.LabelsSize);
    axis.SetLabelStyle(design.LabelStyle);
    axis.SetVisible(design.Visible);
    return;
  }
  saved_ = AxisDesign{axis.Visible(), axis.LabelStyle(), axis.LabelsSize(), chart_.OnGetNextAxisLabel,
                      chart_.OnGetAxisLabel};
  chart_.OnGetNextAxisLabel = [this](TChartAxis* a, int index, double& value, bool& stop) {
    NextLabel(a, index, value, stop);
  };
  chart_.OnGetAxisLabel = [this](TChartAxis* a, TChartSeries* s, int i, std::string& text) {
    LabelText(a, s, i, text);
  };
  // Values, not the series' point labels: those would be one per bar.
  axis.SetLabelStyle(TAxisLabelStyle::talValue);
  FitBand();
  axis.SetVisible(true);
}

// The axis measures value labels without the label event, so the band is
// sized here, on the canvas the chart measures on outside a paint.
void RowLabels::FitBand() {
  shown_.assign(names_.size(), std::nullopt);
  chart_.ApplyFont(Axis().LabelsFont());
  int widest = 0;
  for (const std::string& name : names_) widest = std::max(widest, chart_.TextWidthOf(name));
  const int band = std::min(widest + chart_.TextWidthOf(" "), kMaxBandWidth);
  Axis().SetLabelsSize(std::max(band, 1));
}

void RowLabels::NextLabel(TChartAxis* axis, int index, double& value, bool& stop) {
  if (axis != &Axis()) {
    if (saved_->NextLabel) saved_->NextLabel(axis, index, value, stop);
    return;
  }
  if (index == 0) {
    // Rows closer than a line of text are labelled every few rows.
    const double pixelsPerRow = axis->CurrentRange() > 0 ? chart_.PlotHeight() / axis->CurrentRange() : 0;
    rowStep_ = pixelsPerRow > 0 ? std::max(1, static_cast<int>(std::ceil(chart_.CharHeight() / pixelsPerRow))) : 1;
    firstRow_ = std::max(1, static_cast<int>(std::ceil(axis->CurrentMinimum() - kRangeSlack)));
  }
  const long long row = firstRow_ + static_cast<long long>(index) * rowStep_;
  // A value outside the range ends the labels; stopping at the first would
  // draw plain numbers instead.
  stop = false;
  if (row > static_cast<long long>(names_.size()) || row > axis->CurrentMaximum() + kRangeSlack) {
    value = axis->CurrentMaximum() + 1;
    pendingRow_ = 0;
    return;
  }
  value = static_cast<double>(row);
  pendingRow_ = static_cast<int>(row);
}

void RowLabels::LabelText(TChartAxis* axis, TChartSeries* series, int valueIndex, std::string& text) {
  if (axis != &Axis() || pendingRow_ == 0) {
    if (saved_->LabelText) saved_->LabelText(axis, series, valueIndex, text);
    return;
  }
  text = ShownName(pendingRow_);
  pendingRow_ = 0;
}

// Measured in the labels font, which the axis has applied when it asks.
const std::string& RowLabels::ShownName(int row) {
  std::optional<std::string>& shown = shown_[static_cast<std::size_t>(row - 1)];
  if (!shown) {
    const int room = Axis().LabelsSize() - chart_.TextWidthOf(" ");
    shown = ElideToWidth(names_[static_cast<std::size_t>(row - 1)], room, msg::ElidedTail,
                         [this](std::string_view t) { return chart_.TextWidthOf(t); });
  }
  return *shown;
}

}  // namespace tokiwa
