// Label step searches: the step tables and the numeric and date-time searches
// as ComputeLabelStep runs them for the room on the axis.
#include <gtest/gtest.h>

#include "axis_test_support.h"
#include "chart/axis.h"

namespace tokiwa {
namespace {

using axis_test::AxisChart;

constexpr double kSecond = 1.0 / 86400;

TEST(AxisStepTables, NextNumericStepDoublesSmallStepsAndFollowsTheFixedLadder) {
  EXPECT_DOUBLE_EQ(NextNumericStep(0.3), 0.6);
  EXPECT_EQ(NextNumericStep(1), 2);
  EXPECT_EQ(NextNumericStep(2), 5);
  EXPECT_EQ(NextNumericStep(5), 10);
  EXPECT_EQ(NextNumericStep(7), 14);
  EXPECT_EQ(NextNumericStep(10), 50);
  EXPECT_EQ(NextNumericStep(50), 100);
  EXPECT_EQ(NextNumericStep(200), 500);
  EXPECT_EQ(NextNumericStep(500), 1000);
  EXPECT_EQ(NextNumericStep(1000), 5000);
  EXPECT_EQ(NextNumericStep(5000), 10000);
  // From the smallest step: sixteen doublings, then the jump to 5.
  double step = 0.00001;
  for (int i = 0; i < 16; ++i) step = NextNumericStep(step);
  EXPECT_DOUBLE_EQ(step, 0.65536);
  step = NextNumericStep(step);
  EXPECT_DOUBLE_EQ(step, 1.31072);
  EXPECT_EQ(NextNumericStep(step), 5);
}

TEST(AxisStepTables, NextStandardStepMovesToTheNextTableEntry) {
  EXPECT_DOUBLE_EQ(NextStandardStep(kSecond), 5 * kSecond);
  EXPECT_DOUBLE_EQ(NextStandardStep(7 * kSecond), 10 * kSecond);
  EXPECT_DOUBLE_EQ(NextStandardStep(10 * kSecond), 15 * kSecond);
  EXPECT_DOUBLE_EQ(NextStandardStep(0.5), 1);
  EXPECT_DOUBLE_EQ(NextStandardStep(200), 365);
  EXPECT_DOUBLE_EQ(NextStandardStep(182), 365);
  EXPECT_DOUBLE_EQ(NextStandardStep(400), 365);
}

TEST(AxisStepTables, StandardStepIndexMatchesWithinOneSecond) {
  EXPECT_EQ(StandardStepIndex(0), kStandardStepCount);
  EXPECT_EQ(StandardStepIndex(7 * kSecond), kStandardStepCount);
  EXPECT_EQ(StandardStepIndex(5.0 / 1440), 6);
  EXPECT_EQ(StandardStepIndex(5.0 / 1440 + 0.5 * kSecond), 6);
  EXPECT_EQ(StandardStepIndex(15), 18);
  EXPECT_EQ(StandardStepIndex(30), 19);
  EXPECT_EQ(StandardStepIndex(365), 24);
}

// Labels rotated 90 degrees on a horizontal axis measure CharHeight (15) each,
// 17 with the default 10 % separation, so a plot of 170 pixels has room for 10.
struct NumericStep : ::testing::Test {
  AxisChart c;
  TChartAxis& axis = c.chart.BottomAxis();
  void SetUp() override {
    c.SetPlot({0, 0, 170, 100});
    axis.SetLabelsAngle(90);
  }
  double StepFor(double lo, double hi) {
    c.SetRange(axis, lo, hi);
    c.chart.ApplyFont(axis.LabelsFont());
    return axis.ComputeLabelStep();
  }
};

TEST_F(NumericStep, SmallRangesDoubleFromTheSmallestStepUntilTheCountFits) {
  EXPECT_DOUBLE_EQ(StepFor(0, 0.5), 0.08192);
  EXPECT_DOUBLE_EQ(StepFor(0, 1), 1);
  EXPECT_DOUBLE_EQ(StepFor(0, 100), 10);
}

TEST_F(NumericStep, IncrementIsTheSmallestStepTried) {
  axis.SetIncrement(3);
  EXPECT_DOUBLE_EQ(StepFor(0, 100), 10);  // 3 gives 33 labels, 5 gives 20, 10 fits
  axis.SetIncrement(25);
  EXPECT_DOUBLE_EQ(StepFor(0, 100), 25);
}

TEST_F(NumericStep, WithoutSeparationTheStepIgnoresTheRoom) {
  axis.SetLabelsSeparation(0);
  EXPECT_DOUBLE_EQ(StepFor(0, 100000), 1);
  EXPECT_DOUBLE_EQ(StepFor(0, 0.5), 0.00001);
  axis.SetIncrement(2.5);
  EXPECT_DOUBLE_EQ(StepFor(0, 100000), 2.5);
}

TEST_F(NumericStep, NoRoomGivesTheSmallestStep) {
  c.SetPlot({0, 0, 0, 100});
  EXPECT_DOUBLE_EQ(StepFor(0, 1000), 0.00001);
}

// Date-time axis: a series with date-time X values on the bottom axis.
struct DateTimeStep : NumericStep {
  void SetUp() override {
    NumericStep::SetUp();
    c.AddSeries(true);
  }
};

TEST_F(DateTimeStep, WorkedExampleTwoHoursOnFiveHundredPixels) {
  c.SetPlot({0, 0, 500, 100});
  axis.SetLabelsAngle(270);
  axis.SetIncrement(8.101851851851852e-05);
  const double start = EncodeDate(2024, 12, 6) + 9.0 / 24;
  c.SetRange(axis, start, start + 2.0 / 24);
  c.RefreshDateTimeFlag(axis);
  c.chart.ApplyFont(axis.LabelsFont());
  ASSERT_TRUE(axis.CachedUsesDateTime());
  EXPECT_NEAR(axis.ComputeLabelStep(), 5.0 / 1440, 1e-12);
}

TEST_F(DateTimeStep, StepsBeyondAYearDoubleAndHugeRangesStartFromAMillionSteps) {
  c.RefreshDateTimeFlag(axis);
  ASSERT_TRUE(axis.CachedUsesDateTime());
  EXPECT_DOUBLE_EQ(StepFor(0, 100000), 11680);  // 365, 730, ... doubled until 9 labels fit
  EXPECT_DOUBLE_EQ(StepFor(0, 2), 0.25);        // 8 six-hour steps
  EXPECT_DOUBLE_EQ(StepFor(0, 10), 1);          // 10 daily labels fill the room exactly
  axis.SetIncrement(30);
  EXPECT_DOUBLE_EQ(StepFor(0, 120), 30);
}

}  // namespace
}  // namespace tokiwa
