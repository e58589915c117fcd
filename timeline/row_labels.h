#pragma once
// Names beside the rows of the timeline chart, drawn by the chart's own axis
// labels: the hidden left axis is shown with one custom label per row (every
// few rows when they are too close for the text), its label band as wide as
// the widest name up to a limit, so the plot shrinks to make room; longer
// names are cut with "…". Hiding them puts the axis and the chart's label
// events back as they were.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/axis_panel.h"

namespace tokiwa {

class RowLabels {
 public:
  // The widest label band, in pixels.
  static constexpr int kMaxBandWidth = 160;

  explicit RowLabels(TCustomAxisPanel& chart);
  ~RowLabels();
  RowLabels(const RowLabels&) = delete;
  RowLabels& operator=(const RowLabels&) = delete;

  // The names of rows 1, 2, ...; while shown, the band is measured at once in
  // the axis' labels font on the chart's canvas.
  void SetNames(std::vector<std::string> names);
  void SetVisible(bool visible);
  bool Visible() const { return saved_.has_value(); }

 private:
  // What showing the names changes, to put back when they go.
  struct AxisDesign {
    bool Visible;
    TAxisLabelStyle LabelStyle;
    int LabelsSize;
    TAxisOnGetNextLabel NextLabel;
    TAxisOnGetLabel LabelText;
  };

  TChartAxis& Axis() { return chart_.LeftAxis(); }
  void FitBand();
  void NextLabel(TChartAxis* axis, int index, double& value, bool& stop);
  void LabelText(TChartAxis* axis, TChartSeries* series, int valueIndex, std::string& text);
  const std::string& ShownName(int row);

  TCustomAxisPanel& chart_;
  std::vector<std::string> names_;
  // By row: the name as it fits the band, cut on first use.
  std::vector<std::optional<std::string>> shown_;
  std::optional<AxisDesign> saved_;
  // Custom labels of one paint: the first row, the rows between labels, and
  // the row whose value was handed out last (its text comes next).
  int firstRow_ = 1;
  int rowStep_ = 1;
  int pendingRow_ = 0;
};

// text when it is at most maxWidth wide by width; otherwise its longest start
// (whole characters) that fits with tail after it, followed by tail.
std::string ElideToWidth(const std::string& text, int maxWidth, std::string_view tail,
                         const std::function<int(std::string_view)>& width);

}  // namespace tokiwa
