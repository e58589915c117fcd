// Every part a chart owns (walls, gradient, titles, axes, legend, their pens,
// brushes and fonts) reports its changes to the chart: one repaint per
// effective change, none for a value the part already has.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "paint_test_support.h"
#include "support/recording_canvas.h"

namespace tokiwa {
namespace {

using paint_test::PaintChart;

std::shared_ptr<const Image> SharedImage() {
  static const auto image = std::make_shared<RecordingImage>(4, 4);
  return image;
}

struct Change {
  const char* what;
  std::function<void(TChart&)> apply;
  std::function<void(TChart&)> before = [](TChart&) {};
};

TEST(SubObjectChanges, EachEffectiveChangeRepaintsTheChartOnce) {
  const Change changes[] = {
      {"left wall colour", [](TChart& c) { c.LeftWall().SetColor(clRed); }},
      {"bottom wall size", [](TChart& c) { c.BottomWall().SetSize(4); }},
      {"wall pen", [](TChart& c) { c.LeftWall().Pen().SetWidth(3); }},
      {"wall brush", [](TChart& c) { c.BottomWall().Brush().SetStyle(TBrushStyle::bsCross); }},
      {"gradient", [](TChart& c) { c.Gradient().SetStartColor(clRed); }},
      {"title alignment", [](TChart& c) { c.Title().SetAlignment(TAlignment::taLeftJustify); }},
      {"title frame", [](TChart& c) { c.Title().Frame().SetVisible(true); }},
      {"foot brush", [](TChart& c) { c.Foot().Brush().SetColor(clRed); }},
      {"foot font", [](TChart& c) { c.Foot().Font().SetSize(20); }},
      {"axis setting", [](TChart& c) { c.BottomAxis().SetTickLength(9); }},
      {"axis pen", [](TChart& c) { c.LeftAxis().Grid().SetColor(clRed); }},
      {"axis font", [](TChart& c) { c.LeftAxis().Font().SetColor(clRed); }},
      {"axis title", [](TChart& c) { c.RightAxis().Title().SetCaption("x"); }},
      {"axis title font", [](TChart& c) { c.TopAxis().Title().Font().SetColor(clRed); }},
      {"legend colour", [](TChart& c) { c.Legend().SetColor(clRed); }},
      {"legend style", [](TChart& c) { c.Legend().SetLegendStyle(TLegendStyle::lsValues); }},
      {"legend frame", [](TChart& c) { c.Legend().Frame().SetWidth(2); }},
      {"plot frame", [](TChart& c) { c.Frame().SetColor(clRed); }},
      {"chart setting", [](TChart& c) { c.SetBackImageInside(true); }},
      {"plot frame width", [](TChart& c) { c.Frame().SetWidth(3); }},
      {"back image", [](TChart& c) { c.BackImage().SetGraphic(SharedImage()); }},
      {"gradient copied", [](TChart& c) {
         TChartGradient g;
         g.SetDirection(TGradientDirection::gdLeftRight);
         c.SetGradient(g);
       }},
      {"left wall copied", [](TChart& c) { c.SetLeftWall(c.BottomWall()); }},
      {"bottom wall copied", [](TChart& c) { c.SetBottomWall(c.LeftWall()); }},
      {"back image copied", [](TChart& c) {
         TPicture picture;
         picture.SetGraphic(SharedImage());
         c.SetBackImage(picture);
       }},
      // Strings compare case-sensitively, doubles exactly.
      {"caption differing in case", [](TChart& c) { c.LeftAxis().Title().SetCaption("Time"); },
       [](TChart& c) { c.LeftAxis().Title().SetCaption("time"); }},
      {"increment off by rounding", [](TChart& c) { c.LeftAxis().SetIncrement(0.1 + 0.2); },
       [](TChart& c) { c.LeftAxis().SetIncrement(0.3); }},
  };
  for (const Change& change : changes) {
    PaintChart c;
    change.before(*c.chart);
    c.chart->SetImageStale(false);
    const int before = c.host.InvalidateCount;
    change.apply(*c.chart);
    EXPECT_EQ(c.host.InvalidateCount, before + 1) << change.what;
    EXPECT_TRUE(c.chart->ImageStale()) << change.what;
    change.apply(*c.chart);
    EXPECT_EQ(c.host.InvalidateCount, before + 1) << change.what << ", set again";
  }
}

}  // namespace
}  // namespace tokiwa
