// Axis arithmetic with the numbers the plots really show: wavelengths,
// extinction coefficients, absorbances and flat or single-point spectra.
#include "chart/axis_scale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace korin::chart {
namespace {

struct LabelCase {
  double value;
  const char* text;
};

TEST(FormatAxisLabel, PatternWithThousandsAndThreeDecimals) {
  const LabelCase cases[] = {
      {1234.5, "1,234.5"},
      {0.001, "0.001"},
      {85000, "85,000"},
      {0, "0"},
      {100, "100"},
      {999, "999"},
      {1000, "1,000"},
      {1e6, "1,000,000"},
      {1e21, "1,000,000,000,000,000,000,000"},
      {-1234567.891, "-1,234,567.891"},
      {12.3456, "12.346"},
      {0.015, "0.015"},
      {0.1 + 0.2, "0.3"},   // binary noise below the third decimal
      {999.9996, "1,000"},  // rounding carries into a new group
      {0.00049, "0"},       // below half a thousandth
      {0.0005, "0.001"},    // the double lies just above the half
      {0.0625, "0.063"},    // an exact half goes away from zero
      {-0.0625, "-0.063"},  // on both sides
      {2.0625, "2.063"},    // and with a whole part
      {-0.0001, "0"},       // never "-0"
      {-0.0, "0"},          // not even from a negative zero
      {-85000.25, "-85,000.25"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatAxisLabel(c.value), c.text) << c.value;
}

TEST(FormatAxisLabel, IgnoresTheUsersLocale) {
  // QApplication has already taken the C locale from the environment; a
  // German one would write 1.234,5.
  const char* german = std::setlocale(LC_ALL, "de_DE.UTF-8");
  if (german == nullptr) GTEST_SKIP() << "de_DE.UTF-8 missing: run scripts/setup";
  EXPECT_EQ(FormatAxisLabel(1234.5), "1,234.5");
  EXPECT_EQ(FormatAxisLabel(0.015), "0.015");
  std::setlocale(LC_ALL, "C");
}

TEST(NiceStep, SmallestOneTwoOrFiveTimesAPowerOfTen) {
  const struct {
    double at_least;
    double step;
  } cases[] = {
      {1e-9, 0.001},  // labels cannot tell finer steps apart
      {0.001, 0.001},
      {0.0013, 0.002},
      {0.003, 0.005},
      {0.005, 0.005},
      {0.0051, 0.01},
      {1, 1},
      {1.2, 2},
      {2, 2},
      {37, 50},
      {50, 50},
      {12142.86, 20000},
      {70000, 100000},
      {0.005000000000000001, 0.005},  // rounding noise does not jump a step
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(NiceStepAtLeast(c.at_least), c.step) << c.at_least;
}

TEST(NiceStep, NextStepsRunThroughTheSequence) {
  std::vector<double> steps{0.001};
  for (int i = 0; i < 9; ++i) steps.push_back(NextNiceStep(steps.back()));
  const std::vector<double> expected{0.001, 0.002, 0.005, 0.01, 0.02, 0.05, 0.1, 0.2, 0.5, 1};
  ASSERT_EQ(steps.size(), expected.size());
  for (std::size_t i = 0; i < steps.size(); ++i) EXPECT_DOUBLE_EQ(steps[i], expected[i]);
  EXPECT_DOUBLE_EQ(NextNiceStep(50), 100);
  EXPECT_DOUBLE_EQ(NextNiceStep(100000), 200000);
}

TEST(AutomaticRange, SpansTheValuesAndWidensASingleValue) {
  const struct {
    double lo, hi, min, max;
  } cases[] = {
      {300, 700, 300, 700},         {0, 85000, 0, 85000}, {0, 0.02, 0, 0.02},
      {500, 500, 450, 550},         {0, 0, -1, 1},        {-2, -2, -2.2, -1.8},
      {85000, 85000, 76500, 93500},
  };
  for (const auto& c : cases) {
    const AxisRange range = AutomaticRange(c.lo, c.hi);
    EXPECT_DOUBLE_EQ(range.min, c.min) << c.lo << ".." << c.hi;
    EXPECT_DOUBLE_EQ(range.max, c.max) << c.lo << ".." << c.hi;
  }
}

TEST(AutomaticRange, ExtremeSingleValuesStayFiniteAndOpen) {
  for (const double v : {std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
                         std::numeric_limits<double>::denorm_min()}) {
    const AxisRange range = AutomaticRange(v, v);
    EXPECT_TRUE(std::isfinite(range.min) && std::isfinite(range.max)) << v;
    EXPECT_LT(range.min, range.max) << v;
  }
}

// One axis as the plots lay it out: a range over a length of pixels, with
// a fixed pixel spacing the labels need.
struct ScaleCase {
  const char* what;
  AxisRange range;
  double pixels;
  double spacing;
  double step;
  std::vector<std::string> labels;
};

TEST(AxisScale, ChoosesReadableTicksForRealRanges) {
  const ScaleCase cases[] = {
      {"wavelengths",
       {300, 700},
       330,
       30,
       50,
       {"300", "350", "400", "450", "500", "550", "600", "650", "700"}},
      {"extinction coefficients",
       {0, 85000},
       180,
       26,
       20000,
       {"0", "20,000", "40,000", "60,000", "80,000"}},
      {"absorbances", {0, 0.02}, 180, 26, 0.005, {"0", "0.005", "0.01", "0.015", "0.02"}},
      {"a single point at 500 nm",
       AutomaticRange(500, 500),
       330,
       30,
       10,
       {"450", "460", "470", "480", "490", "500", "510", "520", "530", "540", "550"}},
      {"a flat zero spectrum", AutomaticRange(0, 0), 180, 26, 0.5, {"-1", "-0.5", "0", "0.5", "1"}},
      {"a span finer than the labels", {0, 0.0002}, 180, 26, 0.001, {"0"}},
  };
  for (const auto& c : cases) {
    AxisScale scale(c.range, 0, c.pixels);
    EXPECT_DOUBLE_EQ(scale.ChooseStep([&](double) { return c.spacing; }), c.step) << c.what;
    std::vector<std::string> labels;
    for (const double tick : scale.MajorTicks()) labels.push_back(FormatAxisLabel(tick));
    EXPECT_EQ(labels, c.labels) << c.what;
  }
}

TEST(AxisScale, ChosenStepIsTheSmallestThatFits) {
  const struct {
    AxisRange range;
    double pixels;
    double spacing;
  } cases[] = {
      {{100, 1500}, 400, 25},  {{250, 700}, 340, 31},      {{0, 1.2e6}, 160, 26},
      {{0.31, 0.87}, 170, 26}, {{-3.5, 12.25}, 300, 40},   {{1e-3, 2e-3}, 200, 26},
      {{0, 13.7}, 90, 26},     {{-1e308, 1e308}, 400, 30},
  };
  for (const auto& c : cases) {
    AxisScale scale(c.range, 20, 20 + c.pixels);
    const double step = scale.ChooseStep([&](double) { return c.spacing; });
    const std::vector<double> ticks = scale.MajorTicks();
    ASSERT_FALSE(ticks.empty()) << c.range.min << ".." << c.range.max;
    for (std::size_t i = 0; i < ticks.size(); ++i) {
      EXPECT_GE(ticks[i], c.range.min - step * 1e-9);
      EXPECT_LE(ticks[i], c.range.max + step * 1e-9);
      if (i > 0) {
        EXPECT_GE(scale.ToPixel(ticks[i]) - scale.ToPixel(ticks[i - 1]), c.spacing);
      }
    }
    // One nice step smaller would crowd the labels (or go below 0.001).
    double smaller = kFinestStep;
    while (NextNiceStep(smaller) < step) smaller = NextNiceStep(smaller);
    if (smaller < step) {
      EXPECT_LT(smaller / (c.range.max / 2 - c.range.min / 2) * c.pixels / 2, c.spacing)
          << c.range.min << ".." << c.range.max;
    }
  }
}

TEST(AxisScale, StepCanDependOnTheLabelsAtThatStep) {
  // Wide labels at fine steps push the step up until they fit.
  AxisScale scale({0, 1}, 0, 300);
  const double step = scale.ChooseStep([](double s) { return s < 0.1 ? 200.0 : 20.0; });
  EXPECT_DOUBLE_EQ(step, 0.1);
}

TEST(AxisScale, MinorTicksFillEveryInterval) {
  const struct {
    AxisRange range;
    int count;
    std::vector<double> first_minors;
    std::size_t total;
  } cases[] = {
      {{300, 700}, 4, {310, 320, 330, 340, 360}, 32},
      {{300, 700}, 1, {325, 375, 425}, 8},
      {{300, 700}, 9, {305, 310, 315, 320, 325, 330, 335, 340, 345, 355}, 72},
      {{300, 700}, 0, {}, 0},
      {{300, 700}, -3, {}, 0},
      // partial intervals before the first and after the last major
      {{310, 390}, 4, {310, 320, 330, 340, 360, 370, 380, 390}, 8},
  };
  for (const auto& c : cases) {
    AxisScale scale(c.range, 0, 400);
    scale.SetStep(50);
    const std::vector<double> minors = scale.MinorTicks(c.count);
    EXPECT_EQ(minors.size(), c.total) << c.count;
    for (std::size_t i = 0; i < c.first_minors.size() && i < minors.size(); ++i)
      EXPECT_NEAR(minors[i], c.first_minors[i], 1e-9) << c.count << " #" << i;
    for (const double m : minors) EXPECT_NE(std::fmod(m, 50.0), 0.0) << "minor on a major: " << m;
  }
}

TEST(AxisScale, AbsurdMinorCountsDrawNothingInsteadOfFillingMemory) {
  AxisScale scale({300, 700}, 0, 400);
  scale.SetStep(50);
  EXPECT_TRUE(scale.MinorTicks(std::numeric_limits<int>::max()).empty());
}

TEST(AxisScale, MapsDataToPixels) {
  const AxisScale across({300, 700}, 10, 410);
  EXPECT_DOUBLE_EQ(across.ToPixel(300), 10);
  EXPECT_DOUBLE_EQ(across.ToPixel(700), 410);
  EXPECT_DOUBLE_EQ(across.ToPixel(500), 210);
  EXPECT_EQ(across.PixelOf(301.2), 11);
  EXPECT_EQ(across.PixelOf(301.4), 11);
  EXPECT_EQ(across.PixelOf(301.6), 12);

  // A vertical axis passes its bottom pixel first: larger values go up.
  const AxisScale upwards({0, 85000}, 200, 20);
  EXPECT_DOUBLE_EQ(upwards.ToPixel(0), 200);
  EXPECT_DOUBLE_EQ(upwards.ToPixel(85000), 20);
  EXPECT_DOUBLE_EQ(upwards.ToPixel(42500), 110);

  // The whole double range maps without overflow.
  const double big = std::numeric_limits<double>::max();
  const AxisScale whole({-big, big}, 0, 100);
  EXPECT_DOUBLE_EQ(whole.ToPixel(0), 50);
  EXPECT_EQ(whole.PixelOf(big), 100);
}

}  // namespace
}  // namespace korin::chart
