#include "io/grid_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace korin {
namespace {

TEST(RoundWavelengthTest, HalvesGoToEven) {
  const struct {
    double wavelength;
    int expected;
  } cases[] = {
      {450.5, 450},
      {451.5, 452},
      {449.5, 450},
      {449.4999, 449},
      {450.0, 450},
      {-0.5, 0},
      {1500.5, 1500},
      {1e300, 1'000'000'000},
      {-1e300, -1'000'000'000},
      {2147483648.0, 1'000'000'000},
      {2.5, 2},
      {-2.5, -2},
      {-3.5, -4},
      {0.49999999999999994, 0},
      {999'999'998.5, 999'999'998},
      {999'999'999.5, 1'000'000'000},
      {-999'999'999.5, -1'000'000'000},
  };
  for (const auto& c : cases) EXPECT_EQ(RoundWavelength(c.wavelength), c.expected) << c.wavelength;
}

// Whole numbers, halves and values a hair either side of them, across the
// range the rounding works in: the same as nearbyint's halves to even.
TEST(RoundWavelengthTest, AgreesWithNearbyint) {
  std::mt19937_64 random(1500);
  std::uniform_real_distribution<double> anywhere(-1.1e9, 1.1e9);
  std::uniform_int_distribution<int> whole(-3000, 3000);
  for (int i = 0; i < 100'000; ++i) {
    const double half = whole(random) + 0.5;
    for (const double w : {anywhere(random), half, std::nextafter(half, 0.0),
                           std::nextafter(half, 1e10), half / 1024.0}) {
      const double expected = std::nearbyint(std::clamp(w, -1e9, 1e9));
      EXPECT_EQ(RoundWavelength(w), static_cast<int>(expected)) << w;
    }
  }
}

TEST(GridWriterTest, UpwardFillingInterpolates) {
  SpectrumGrid grid;
  GridWriter writer(grid, FillDirection::kUpward);
  EXPECT_EQ(writer.Store(400.0, 1.0), 400);
  EXPECT_EQ(writer.Store(403.0, 4.0), 403);
  EXPECT_EQ(grid[401], 2.0);
  EXPECT_EQ(grid[402], 3.0);
  EXPECT_EQ(writer.first(), 400);
  EXPECT_EQ(writer.last(), 403);
}

TEST(GridWriterTest, StepAgainstTheDirectionFillsNothing) {
  for (const auto direction : {FillDirection::kUpward, FillDirection::kDownward}) {
    SpectrumGrid grid;
    grid[401] = 7.0;
    grid[402] = 8.0;
    GridWriter writer(grid, direction);
    const bool upward = direction == FillDirection::kUpward;
    writer.Store(upward ? 403.0 : 400.0, upward ? 4.0 : 1.0);
    writer.Store(upward ? 400.0 : 403.0, upward ? 1.0 : 4.0);
    EXPECT_EQ(grid[401], 7.0);
    EXPECT_EQ(grid[402], 8.0);
  }
}

TEST(GridWriterTest, DownwardFillingInterpolates) {
  SpectrumGrid grid;
  GridWriter writer(grid, FillDirection::kDownward);
  writer.Store(403.0, 4.0);
  writer.Store(400.0, 1.0);
  EXPECT_EQ(grid[402], 3.0);
  EXPECT_EQ(grid[401], 2.0);
  EXPECT_EQ(writer.first(), 403);
  EXPECT_EQ(writer.last(), 400);
}

TEST(GridWriterTest, AStoredPointReplacesFilledAndEarlierValues) {
  SpectrumGrid grid;
  GridWriter writer(grid, FillDirection::kUpward);
  writer.Store(400.0, 0.0);
  writer.Store(404.0, 4.0);
  writer.Store(402.4, 10.0);  // against the direction: stored, nothing filled
  EXPECT_EQ(grid[402], 10.0);
  EXPECT_EQ(grid[401], 1.0);
  writer.Store(402.0, 20.0);  // the same wavelength again
  EXPECT_EQ(grid[402], 20.0);
  writer.Store(404.0, 0.0);  // fills 403 from the latest value at 402
  EXPECT_EQ(grid[403], 10.0);
  EXPECT_EQ(grid[404], 0.0);
}

TEST(GridWriterTest, SteepStepsStayFinite) {
  const double max = std::numeric_limits<double>::max();
  SpectrumGrid grid;
  GridWriter writer(grid, FillDirection::kUpward);
  writer.Store(400.0, -max);
  writer.Store(410.0, max);
  for (int w = 400; w <= 410; ++w) EXPECT_TRUE(std::isfinite(grid[w])) << w;
  EXPECT_EQ(grid[405], 0.0);
}

// Points off the grid are never stored and never filled to, but they still
// count as the first or last point so that the spectrum is refused.
TEST(GridWriterTest, PointsOffTheGrid) {
  SpectrumGrid grid;
  GridWriter writer(grid, FillDirection::kUpward);
  writer.Store(50.0, 5.0);
  writer.Store(105.0, 2.0);
  writer.Store(1499.0, 3.0);
  writer.Store(1e12, 9.0);
  EXPECT_EQ(writer.first(), 50);
  EXPECT_EQ(writer.last(), 1'000'000'000);
  for (int w = 100; w < 105; ++w) EXPECT_EQ(grid[w], 0.0) << w;
  EXPECT_EQ(grid[105], 2.0);
  EXPECT_EQ(grid[1499], 3.0);
  EXPECT_EQ(grid[1500], 0.0);
  EXPECT_FALSE(RangeRuleHolds(writer.first(), writer.last()));
}

TEST(AcceptanceTest, RangeRule) {
  const struct {
    int first, last;
    bool holds;
  } cases[] = {
      {400, 411, true},   {400, 410, false},  {99, 600, false},
      {200, 1501, false}, {100, 1500, true},  {700, 300, false},
      {100, 111, true},   {1489, 1500, true}, {-1'000'000'000, 1'000'000'000, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RangeRuleHolds(c.first, c.last), c.holds) << c.first << ".." << c.last;
  }
}

TEST(AcceptanceTest, OrderCheck) {
  const std::string order_message = "File Error: /d/a.asp Incorrect wavelength order";
  const struct {
    int first, last;
    bool passes;
    bool message;
  } cases[] = {
      {798, 800, true, false},  {500, 500, false, true},  {800, 798, false, true},
      {100, 1500, true, false}, {50, 800, false, false},  {500, 1600, false, false},
      {0, 0, false, false},     {1600, 50, false, false},
  };
  for (const auto& c : cases) {
    std::vector<std::string> messages;
    const MessageSink sink = [&](std::string_view m) { messages.emplace_back(m); };
    EXPECT_EQ(OrderCheckPasses(c.first, c.last, "/d/a.asp", sink), c.passes)
        << c.first << ".." << c.last;
    EXPECT_EQ(messages,
              c.message ? std::vector<std::string>{order_message} : std::vector<std::string>{});
  }
}

}  // namespace
}  // namespace korin
