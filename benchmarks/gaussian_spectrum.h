// A Gaussian band on the grid between `first` and `last`, the shape the
// benchmarks feed the engine and the pair table.
#pragma once

#include <cmath>
#include <string>

#include "core/grid_spectrum.h"
#include "numeric/number_text.h"

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

// The spectrum as a file the side's reader takes by its extension: the
// emission as two columns of a .csv, the absorbance as the lines after
// DATA in an .sp, each number in a text that reads back exactly.
inline std::string SpectrumFile(const GridSpectrum& spectrum, SpectrumSide side) {
  std::string text = side == SpectrumSide::kEmission ? "Wavelength,Intensity\n" : "DATA\n";
  for (int w = spectrum.first; w <= spectrum.last; ++w) {
    text += std::to_string(w) + (side == SpectrumSide::kEmission ? "," : " ") +
            RoundTripText(spectrum.values[w]) + "\n";
  }
  return text;
}

}  // namespace korin::bench
