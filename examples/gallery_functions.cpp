// Series computed by functions: one line per function over two bar series, and
// the highest, lowest and average of groups of points of one noisy line.
#include <memory>
#include <string>

#include "chart/chart.h"
#include "chart/chart_functions.h"
#include "examples/gallery.h"
#include "series/bar_series.h"
#include "series/custom_series.h"

namespace tokiwa::gallery {
namespace {

TBarSeries* Source(TChart& chart, TComponent& owner, const std::string& title, int seed) {
  auto* bars = new TBarSeries(&owner);
  bars->SetTitle(title);
  bars->SetParentChart(&chart);
  bars->Marks().SetVisible(false);
  for (int i = 0; i < 8; ++i) bars->AppendValue(4 + (i * seed + seed * 3) % 11, "");
  return bars;
}

TLineSeries* Computed(TChart& chart, TComponent& owner, const std::string& title, std::unique_ptr<TChartFunction> f,
                      TColor colour) {
  auto* line = new TLineSeries(&owner);
  line->SetTitle(title);
  line->SetParentChart(&chart);
  line->SetSeriesColor(colour);
  line->LinePen().SetWidth(2);
  line->Pointer().SetVisible(true);
  line->Pointer().SetStyle(TSeriesPointerStyle::psCircle);
  line->SetFunction(std::move(f));
  return line;
}

// A line computed from two bar series, point by point.
template <class F>
void OverTwoSources(TChart& chart, TComponent& owner, const std::string& what, bool ownAxis) {
  chart.SetView3D(false);
  chart.Title().SetText({what + " of A and B"});
  TBarSeries* a = Source(chart, owner, "A", 5);
  TBarSeries* b = Source(chart, owner, "B", 3);
  TLineSeries* line = Computed(chart, owner, what, std::make_unique<F>(&owner), clBlack);
  // Products and quotients live on a scale of their own.
  if (ownAxis) line->SetVertAxis(TVertAxis::aRightAxis);
  line->SetDataSource(a);
  line->AddDataSource(b);
}

// Groups of five points of one line, and the average of all of them as a level line.
void OverGroups(TChart& chart, TComponent& owner) {
  chart.SetView3D(false);
  chart.Title().SetText({"Highest, lowest and average of every 5 points; average of all"});
  auto* noisy = new TLineSeries(&owner);
  noisy->SetTitle("Samples");
  noisy->SetParentChart(&chart);
  noisy->SetSeriesColor(clGray);
  for (int i = 0; i < 60; ++i) noisy->AppendPoint(i, 50 + (i * 37 % 23) - (i * 13 % 17) + i / 3.0, "");
  auto grouped = [&](std::unique_ptr<TChartFunction> f, const std::string& title, TColor colour, int period) {
    f->SetPeriod(period);
    Computed(chart, owner, title, std::move(f), colour)->SetDataSource(noisy);
  };
  grouped(std::make_unique<THighFunction>(&owner), "Highest", clRed, 5);
  grouped(std::make_unique<TLowFunction>(&owner), "Lowest", clBlue, 5);
  grouped(std::make_unique<TAverageFunction>(&owner), "Average", clGreen, 5);
  grouped(std::make_unique<TAverageFunction>(&owner), "Average of all", clPurple, 0);
}

const RegisterScenes kScenes{{
    {"function_add", 480, 300, [](TChart& c, TComponent& o) { OverTwoSources<TAddFunction>(c, o, "Sum", false); }},
    {"function_subtract", 480, 300,
     [](TChart& c, TComponent& o) { OverTwoSources<TSubtractFunction>(c, o, "Difference", false); }},
    {"function_multiply", 480, 300,
     [](TChart& c, TComponent& o) { OverTwoSources<TMultiplyFunction>(c, o, "Product", true); }},
    {"function_divide", 480, 300,
     [](TChart& c, TComponent& o) { OverTwoSources<TDivideFunction>(c, o, "Quotient", true); }},
    {"function_high", 480, 300,
     [](TChart& c, TComponent& o) { OverTwoSources<THighFunction>(c, o, "Highest", false); }},
    {"function_low", 480, 300, [](TChart& c, TComponent& o) { OverTwoSources<TLowFunction>(c, o, "Lowest", false); }},
    {"function_average", 480, 300,
     [](TChart& c, TComponent& o) { OverTwoSources<TAverageFunction>(c, o, "Average", false); }},
    {"function_periods", 640, 400, OverGroups},
}};

}  // namespace
}  // namespace tokiwa::gallery
