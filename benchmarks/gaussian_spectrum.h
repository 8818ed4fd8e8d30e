// A Gaussian band on the grid between `first` and `last`, the shape the
// benchmarks feed the engine and the pair table.
#pragma once

#include <cmath>

#include "core/grid_spectrum.h"

namespace korin::bench {

inline GridSpectrum Gaussian(int first, int last, double height, double centre, double sigma) {
  GridSpectrum spectrum;
  for (int w = first; w <= last; ++w) {
    const double d = w - centre;
    spectrum.values[w] = height * std::exp(-d * d / (2 * sigma * sigma));
  }
  spectrum.first = first;
  spectrum.last = last;
  return spectrum;
}

}  // namespace korin::bench
