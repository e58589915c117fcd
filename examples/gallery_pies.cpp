// Pie series: flat and 3D, hatched, rotated, several in one chart, and one
// switched off again so that the chart shows its axes.
#include <memory>
#include <span>

#include "chart/chart.h"
#include "examples/gallery.h"
#include "series/custom_series.h"
#include "series/pie_series.h"

namespace tokiwa::gallery {
namespace {

struct Slice {
  const char* label;
  double value;
  TColor colour = ColorDefault;  // the palette's colour when not given
};

constexpr Slice kBudget[] = {{"Rent", 950}, {"Food", 420}, {"Transport", 160}, {"Savings", 300},
                             {"Leisure", 210}, {"Other", 90}};
// The palette's white would have a rim as grey as the chart behind it.
constexpr Slice kBudget3D[] = {{"Rent", 950},    {"Food", 420},  {"Transport", 160}, {"Savings", 300},
                               {"Leisure", 210, clTeal}, {"Other", 90}};
constexpr Slice kDevices[] = {{"Desktop", 44}, {"Phone", 38}, {"Tablet", 12}, {"Other", 6}};

TPieSeries* AddPie(TChart& chart, TComponent& owner, std::span<const Slice> slices) {
  auto* pie = new TPieSeries(&owner);
  for (const Slice& s : slices) pie->AppendValue(s.value, s.label, s.colour);
  pie->SetParentChart(&chart);
  return pie;
}

void Titled(TChart& chart, const char* title, bool view3D) {
  chart.SetView3D(view3D);
  chart.Title().SetText({title});
}

// Two pies of one size, each drawn in its own half of the plot area: a pie
// fills the plot rectangle it finds when it starts drawing.
void SideBySide(TChart& chart, TComponent& owner) {
  Titled(chart, "Two pies side by side", true);
  chart.Legend().SetVisible(false);
  auto full = std::make_shared<TRect>();
  TPieSeries* pies[2] = {AddPie(chart, owner, kDevices), AddPie(chart, owner, kDevices)};
  pies[1]->PieValues().SetValueAt(0, 30);
  pies[1]->PieValues().SetValueAt(1, 55);
  for (int k = 0; k < 2; ++k) {
    pies[k]->Marks().SetStyle(TSeriesMarksStyle::smsLabelPercent);
    pies[k]->SetCustomXRadius(85);
    pies[k]->SetCustomYRadius(85);
    pies[k]->BeforeDrawValues = [&chart, full, k](TComponent*) {
      if (k == 0) *full = chart.PlotRect();
      const int half = full->Width() / 2;
      TRect cell = *full;
      cell.Left = full->Left + k * half;
      cell.Right = cell.Left + half;
      chart.PlotRect() = cell;
    };
  }
  pies[1]->AfterDrawValues = [&chart, full](TComponent*) { chart.PlotRect() = *full; };
}

const RegisterScenes kScenes{{
    {"pie_2d", 640, 400,
     [](TChart& chart, TComponent& owner) {
       Titled(chart, "Monthly budget", false);
       AddPie(chart, owner, kBudget)->Marks().SetStyle(TSeriesMarksStyle::smsLabelPercent);
     }},
    {"pie_3d", 640, 400,
     [](TChart& chart, TComponent& owner) {
       Titled(chart, "Monthly budget, 3D", true);
       chart.SetChart3DPercent(15);
       AddPie(chart, owner, kBudget3D);
     }},
    {"pie_patterns", 640, 400,
     [](TChart& chart, TComponent& owner) {
       Titled(chart, "Hatched slices", true);
       chart.SetChart3DPercent(15);
       auto* pie = AddPie(chart, owner, kBudget);
       pie->SetUsePatterns(true);
       pie->Marks().SetStyle(TSeriesMarksStyle::smsValue);
     }},
    {"pie_rotated_shadowed", 640, 400,
     [](TChart& chart, TComponent& owner) {
       Titled(chart, "Rotated by 90 degrees, shadowed rim", true);
       chart.SetChart3DPercent(15);
       auto* pie = AddPie(chart, owner, kDevices);
       pie->SetRotationAngle(90);
       pie->SetShadowed3d(true);
       pie->SetShadowColor(clGray);
       pie->Marks().SetStyle(TSeriesMarksStyle::smsLabelValue);
     }},
    {"pies_side_by_side", 640, 400, SideBySide},
    {"pie_switched_off", 640, 400,
     [](TChart& chart, TComponent& owner) {
       Titled(chart, "A pie switched off: the chart has its axes again", false);
       chart.Legend().SetLegendStyle(TLegendStyle::lsSeries);
       auto* line = new TLineSeries(&owner);
       for (int i = 0; i <= 12; ++i) line->AppendPoint(i, 20 + (i * 37) % 23, "");
       line->SetTitle("Line");
       line->SetParentChart(&chart);
       auto* pie = AddPie(chart, owner, kBudget);
       pie->SetTitle("Pie (inactive)");
       pie->SetActive(false);
     }},
}};

}  // namespace
}  // namespace tokiwa::gallery
