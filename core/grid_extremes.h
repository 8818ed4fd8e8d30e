// The smallest and largest value of a spectrum over its range. The
// derivations divide and multiply by positive numbers, which keeps order, so
// checking these two values tells whether every derived value stays finite.
#pragma once

#include "core/spectrum_grid.h"

namespace korin {

struct GridExtremes {
  double lowest;
  double highest;
};

// NaN values are passed over, unless grid[first] is one. Of a zero extreme
// either sign may come back. Precondition: first <= last, both inside the
// grid.
[[nodiscard]] GridExtremes ExtremesOver(const SpectrumGrid& grid, int first, int last);

}  // namespace korin
