#include "core/spectrum_grid.h"

#include <gtest/gtest.h>

#include <cmath>

namespace korin {
namespace {

SpectrumGrid Ones() {
  SpectrumGrid grid;
  for (double& v : grid.values()) v = 1.0;
  return grid;
}

// The wavelengths that hold a value other than +0.0.
int Kept(const SpectrumGrid& grid, int& first, int& last) {
  int kept = 0;
  first = last = 0;
  for (int w = SpectrumGrid::kFirstWavelength; w <= SpectrumGrid::kLastWavelength; ++w) {
    if (grid[w] == 0.0 && !std::signbit(grid[w])) continue;
    if (kept++ == 0) first = w;
    last = w;
  }
  return kept;
}

TEST(SpectrumGridTest, ClearOutsideKeepsExactlyTheRange) {
  const struct {
    int first;
    int last;
  } ranges[] = {{450, 460}, {100, 1500}, {100, 100}, {1500, 1500}, {101, 1499}, {700, 701}};
  for (const auto& r : ranges) {
    SpectrumGrid grid = Ones();
    grid.ClearOutside(r.first, r.last);
    int first = 0;
    int last = 0;
    EXPECT_EQ(Kept(grid, first, last), r.last - r.first + 1) << r.first << ".." << r.last;
    EXPECT_EQ(first, r.first);
    EXPECT_EQ(last, r.last);
  }
}

TEST(SpectrumGridTest, ClearLeavesPositiveZeros) {
  SpectrumGrid grid = Ones();
  grid[300] = -2.0;
  grid.Clear();
  int first = 0;
  int last = 0;
  EXPECT_EQ(Kept(grid, first, last), 0);
}

}  // namespace
}  // namespace korin
