// Line, area and point series: the gallery's first page.
#include "chart/chart.h"
#include "examples/gallery.h"
#include "series/custom_series.h"

namespace tokiwa::gallery {
namespace {

template <class S>
S* AddSeries(TChart& chart, TComponent& owner, const std::string& title) {
  auto* s = new S(&owner);
  s->SetTitle(title);
  s->SetParentChart(&chart);
  return s;
}

void StackedAreas(TChart& chart, TComponent& owner, bool view3D) {
  chart.SetView3D(view3D);
  chart.Title().SetText({view3D ? "Stacked areas, 3D" : "Stacked areas"});
  for (int k = 0; k < 3; ++k) {
    auto* area = AddSeries<TAreaSeries>(chart, owner, "Area " + std::to_string(k + 1));
    for (int i = 0; i <= 12; ++i) area->AppendPoint(i, 5 + (i * (k + 3)) % 7 + k * 2, "");
    area->SetMultiArea(TMultiArea::maStacked);
  }
}

const RegisterScenes kScenes{{
    {"lines_and_points", 640, 400,
     [](TChart& chart, TComponent& owner) {
       chart.SetView3D(false);
       chart.Title().SetText({"Lines and points"});
       auto* line = AddSeries<TLineSeries>(chart, owner, "Line");
       auto* points = AddSeries<TPointSeries>(chart, owner, "Points");
       for (int i = 0; i <= 20; ++i) {
         line->AppendPoint(i, 50 + 30 * ((i * 7) % 11) / 11.0, "");
         points->AppendPoint(i + 0.5, 20 + (i * 5) % 13, "");
       }
     }},
    {"areas_stacked_2d", 640, 400, [](TChart& c, TComponent& o) { StackedAreas(c, o, false); }},
    {"areas_stacked_3d", 640, 400, [](TChart& c, TComponent& o) { StackedAreas(c, o, true); }},
}};

}  // namespace
}  // namespace tokiwa::gallery
