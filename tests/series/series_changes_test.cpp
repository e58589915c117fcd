// A series reports the changes of what it owns (marks, pointer, pens, value
// lists) to its chart, once per effective change; a series without a chart
// only stores them.
#include <gtest/gtest.h>

#include <functional>

#include "series/custom_series.h"
#include "series/gantt_series.h"
#include "series_fixture.h"

namespace tokiwa::testing {
namespace {

struct Change {
  const char* what;
  std::function<void(TGanttSeries&)> apply;
};

const Change kChanges[] = {
    {"series colour", [](TGanttSeries& s) { s.SetSeriesColor(clTeal); }},
    {"title", [](TGanttSeries& s) { s.SetTitle("x"); }},
    {"marks style", [](TGanttSeries& s) { s.Marks().SetStyle(TSeriesMarksStyle::smsValue); }},
    {"marks", [](TGanttSeries& s) { s.Marks().SetClip(true); }},
    {"marks font", [](TGanttSeries& s) { s.Marks().Font().SetColor(clRed); }},
    {"marks arrow", [](TGanttSeries& s) { s.Marks().Arrow().SetWidth(2); }},
    {"pointer", [](TGanttSeries& s) { s.Pointer().SetVertSize(7); }},
    {"pointer brush", [](TGanttSeries& s) { s.Pointer().Brush().SetStyle(TBrushStyle::bsCross); }},
    {"line pen", [](TGanttSeries& s) { s.LinePen().SetColor(clRed); }},
    {"connecting pen", [](TGanttSeries& s) { s.ConnectingPen().SetWidth(3); }},
    {"value list", [](TGanttSeries& s) { s.YValues().SetDateTime(true); }},
};

class SeriesChangesTest : public SeriesFixture {};

TEST_F(SeriesChangesTest, EachEffectiveChangeRepaintsTheChartOnce) {
  for (const Change& change : kChanges) {
    auto* series = Add<TGanttSeries>();
    const int before = host.InvalidateCount;
    change.apply(*series);
    EXPECT_EQ(host.InvalidateCount, before + 1) << change.what;
    change.apply(*series);
    EXPECT_EQ(host.InvalidateCount, before + 1) << change.what << ", set again";
  }
}

TEST_F(SeriesChangesTest, WithoutAChartChangesAreOnlyStored) {
  TGanttSeries series(nullptr);
  for (const Change& change : kChanges) change.apply(series);
  EXPECT_EQ(series.SeriesColor(), clTeal);
  EXPECT_TRUE(series.Marks().Clip());
  EXPECT_EQ(series.Pointer().VertSize(), 7);
  EXPECT_EQ(series.ConnectingPen().Width(), 3);
  EXPECT_TRUE(series.YValues().DateTime());
}

}  // namespace
}  // namespace tokiwa::testing
