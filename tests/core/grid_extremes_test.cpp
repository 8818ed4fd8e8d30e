#include "core/grid_extremes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace korin {
namespace {

// One running pair over the range, in wavelength order.
GridExtremes ScanExtremes(const SpectrumGrid& grid, int first, int last) {
  GridExtremes extremes{grid[first], grid[first]};
  for (int w = first + 1; w <= last; ++w) {
    if (grid[w] < extremes.lowest) extremes.lowest = grid[w];
    if (grid[w] > extremes.highest) extremes.highest = grid[w];
  }
  return extremes;
}

// Ranges of every length up to a few blocks of lanes and the whole grid,
// with the extremes anywhere in them, the last partial block included.
TEST(ExtremesOverTest, MatchesOneRunningPair) {
  std::mt19937_64 random(5);
  std::normal_distribution<double> value(0.0, 1000.0);
  SpectrumGrid grid;
  for (int w = SpectrumGrid::kFirstWavelength; w <= SpectrumGrid::kLastWavelength; ++w) {
    grid[w] = value(random);
  }
  for (int first = 100; first <= 140; first += 7) {
    for (int last = first; last <= first + 70; ++last) {
      const GridExtremes expected = ScanExtremes(grid, first, last);
      const GridExtremes extremes = ExtremesOver(grid, first, last);
      ASSERT_EQ(extremes.lowest, expected.lowest) << first << ".." << last;
      ASSERT_EQ(extremes.highest, expected.highest) << first << ".." << last;
    }
  }
  const GridExtremes whole = ExtremesOver(grid, 100, 1500);
  EXPECT_EQ(whole.lowest, ScanExtremes(grid, 100, 1500).lowest);
  EXPECT_EQ(whole.highest, ScanExtremes(grid, 100, 1500).highest);
}

TEST(ExtremesOverTest, PassesOverNaNUnlessItComesFirst) {
  SpectrumGrid grid;
  for (int w = 500; w <= 540; ++w) grid[w] = w - 520.0;
  grid[530] = std::numeric_limits<double>::quiet_NaN();
  const GridExtremes extremes = ExtremesOver(grid, 500, 540);
  EXPECT_EQ(extremes.lowest, -20.0);
  EXPECT_EQ(extremes.highest, 20.0);
  grid[500] = std::numeric_limits<double>::quiet_NaN();
  const GridExtremes spoiled = ExtremesOver(grid, 500, 540);
  EXPECT_TRUE(std::isnan(spoiled.lowest));
  EXPECT_TRUE(std::isnan(spoiled.highest));
}

}  // namespace
}  // namespace korin
