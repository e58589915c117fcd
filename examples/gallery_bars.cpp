// Bar series: side by side, stacked, every shape, bars below the origin.
#include <array>
#include <string>

#include "chart/chart.h"
#include "examples/gallery.h"
#include "series/bar_series.h"

namespace tokiwa::gallery {
namespace {

constexpr std::array<const char*, 6> kMonths = {"Apr", "May", "Jun", "Jul", "Aug", "Sep"};

template <class S>
S* AddBars(TChart& chart, TComponent& owner, const std::string& title) {
  auto* s = new S(&owner);
  s->SetTitle(title);
  s->SetParentChart(&chart);
  return s;
}

// Monthly values of a few series, one bar per month and series.
template <class S>
void Grouped(TChart& chart, TComponent& owner, TMultiBar layout, bool view3D, const std::string& title) {
  chart.SetView3D(view3D);
  chart.Title().SetText({title});
  for (int k = 0; k < 3; ++k) {
    auto* bars = AddBars<S>(chart, owner, "Plant " + std::to_string(k + 1));
    for (int i = 0; i < static_cast<int>(kMonths.size()); ++i)
      bars->AppendValue(20 + (i * (k + 5) + k * 11) % 23, kMonths[static_cast<size_t>(i)]);
    bars->SetMultiBar(layout);
    // Marks crowd stacked bars; side by side they fit.
    bars->Marks().SetVisible(layout == TMultiBar::mbSide);
    bars->Marks().SetStyle(TSeriesMarksStyle::smsValue);
  }
}

constexpr std::array<TBarStyle, 7> kStyles = {TBarStyle::bsRectangle, TBarStyle::bsPyramid,
                                              TBarStyle::bsInvPyramid, TBarStyle::bsCilinder,
                                              TBarStyle::bsEllipse,   TBarStyle::bsArrow,
                                              TBarStyle::bsRectGradient};
constexpr std::array<const char*, 7> kStyleNames = {"Rectangle", "Pyramid", "InvPyramid", "Cylinder",
                                                    "Ellipse",   "Arrow",   "Gradient"};

// One bar in each shape; with negatives, each shape once above and once below the origin.
template <class S>
void Shapes(TChart& chart, TComponent& owner, bool view3D, bool withNegatives, const std::string& title) {
  chart.SetView3D(view3D);
  // Deeper than the default, so that the 3D faces are plain to see.
  chart.SetChart3DPercent(50);
  chart.Title().SetText({title});
  chart.Legend().SetVisible(false);
  auto* bars = AddBars<S>(chart, owner, "Shapes");
  bars->Marks().SetVisible(false);
  const size_t perShape = withNegatives ? 2 : 1;
  for (size_t i = 0; i < kStyles.size() * perShape; ++i) {
    const size_t shape = i / perShape;
    const double value = i % perShape == 1 ? -30.0 - 4 * shape : 50.0 + 6 * shape;
    bars->AppendValue(value, i % perShape == 0 ? kStyleNames[shape] : "", PaletteColor(static_cast<int>(shape)));
  }
  bars->OnGetBarStyle = [perShape](TCustomBarSeries*, int index, TBarStyle& style) {
    style = kStyles[static_cast<size_t>(index) / perShape % kStyles.size()];
  };
}

// Profit and loss per month: bars below the origin hang down, their marks under them.
template <class S>
void Negative(TChart& chart, TComponent& owner, bool view3D, const std::string& title) {
  chart.SetView3D(view3D);
  chart.Title().SetText({title});
  chart.Legend().SetVisible(false);
  auto* bars = AddBars<S>(chart, owner, "Profit");
  bars->SetColorEachPoint(false);
  bars->SetSeriesColor(0x3F9F3F);
  bars->Marks().SetStyle(TSeriesMarksStyle::smsValue);
  const int values[] = {120, -45, 80, -130, 60, 15, -20, 95};
  for (int v : values) bars->AppendValue(v, "", v < 0 ? TColor{0x3030D0} : ColorDefault);
}

const RegisterScenes kScenes{{
    {"bars_side_2d", 640, 400,
     [](TChart& c, TComponent& o) { Grouped<TBarSeries>(c, o, TMultiBar::mbSide, false, "Bars side by side"); }},
    {"bars_side_3d", 640, 400,
     [](TChart& c, TComponent& o) { Grouped<TBarSeries>(c, o, TMultiBar::mbSide, true, "Bars side by side, 3D"); }},
    {"bars_stacked_3d", 640, 400,
     [](TChart& c, TComponent& o) { Grouped<TBarSeries>(c, o, TMultiBar::mbStacked, true, "Stacked bars, 3D"); }},
    {"bars_stacked100_2d", 640, 400,
     [](TChart& c, TComponent& o) { Grouped<TBarSeries>(c, o, TMultiBar::mbStacked100, false, "Stacked to 100 %"); }},
    {"horiz_bars_side_2d", 640, 400,
     [](TChart& c, TComponent& o) {
       Grouped<THorizBarSeries>(c, o, TMultiBar::mbSide, false, "Horizontal bars side by side");
     }},
    {"horiz_bars_stacked_3d", 640, 400,
     [](TChart& c, TComponent& o) {
       Grouped<THorizBarSeries>(c, o, TMultiBar::mbStacked, true, "Horizontal bars stacked, 3D");
     }},
    {"bar_shapes_2d", 800, 400,
     [](TChart& c, TComponent& o) { Shapes<TBarSeries>(c, o, false, true, "Bar shapes"); }},
    {"bar_shapes_3d", 640, 400,
     [](TChart& c, TComponent& o) { Shapes<TBarSeries>(c, o, true, false, "Bar shapes, 3D"); }},
    {"bar_shapes_3d_negative", 800, 400,
     [](TChart& c, TComponent& o) { Shapes<TBarSeries>(c, o, true, true, "Bar shapes below the origin, 3D"); }},
    {"horiz_bar_shapes_2d", 640, 560,
     [](TChart& c, TComponent& o) { Shapes<THorizBarSeries>(c, o, false, true, "Horizontal bar shapes"); }},
    {"horiz_bar_shapes_3d", 640, 400,
     [](TChart& c, TComponent& o) { Shapes<THorizBarSeries>(c, o, true, false, "Horizontal bar shapes, 3D"); }},
    {"horiz_bar_shapes_3d_negative", 640, 560,
     [](TChart& c, TComponent& o) {
       Shapes<THorizBarSeries>(c, o, true, true, "Horizontal bar shapes left of the origin, 3D");
     }},
    {"bars_negative_marks", 640, 400,
     [](TChart& c, TComponent& o) { Negative<TBarSeries>(c, o, false, "Bars below the origin with marks"); }},
    {"horiz_bars_negative_marks", 640, 400,
     [](TChart& c, TComponent& o) {
       Negative<THorizBarSeries>(c, o, false, "Horizontal bars left of the origin with marks");
     }},
}};

}  // namespace
}  // namespace tokiwa::gallery
