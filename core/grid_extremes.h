// The smallest and largest value of a spectrum over its range. The
// derivations divide and multiply by positive numbers, which keeps order, so
// checking these two values tells whether every derived value stays finite.
#pragma once

#include <cassert>

#include "core/spectrum_grid.h"

namespace korin {

struct GridExtremes {
  double lowest;
  double highest;
};

// Precondition: first <= last, both inside the grid.
[[nodiscard]] inline GridExtremes ExtremesOver(const SpectrumGrid& grid, int first, int last) {
  assert(SpectrumGrid::Contains(first) && SpectrumGrid::Contains(last) && first <= last);
  GridExtremes extremes{grid[first], grid[first]};
  for (int w = first + 1; w <= last; ++w) {
    if (grid[w] < extremes.lowest) extremes.lowest = grid[w];
    if (grid[w] > extremes.highest) extremes.highest = grid[w];
  }
  return extremes;
}

}  // namespace korin
