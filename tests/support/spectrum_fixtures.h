// Short spectra laid on a session the way a reader that accepted them
// leaves it: values from `first` upward, the range, and the side's flag.
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "core/fret_session.h"
#include "core/grid_spectrum.h"
#include "numeric/number_text.h"

namespace korin {

inline void LoadAbsorbance(FretSession& session, int first, const std::vector<double>& values) {
  int w = first;
  for (const double value : values) session.acceptor_absorbance[w++] = value;
  session.absorption_first = first;
  session.absorption_last = w - 1;
  session.absorption_valid = true;
}

inline void LoadEmission(FretSession& session, int first, const std::vector<double>& values) {
  int w = first;
  for (const double value : values) session.donor_emission[w++] = value;
  session.emission_first = first;
  session.emission_last = w - 1;
  session.emission_valid = true;
}

// height * exp(-(w - centre)^2 / (2 sigma^2)) at every whole w in first..last.
inline void LayGaussian(SpectrumGrid& grid, int first, int last, double height, double centre,
                        double sigma) {
  for (int w = first; w <= last; ++w) {
    const double d = w - centre;
    grid[w] = height * std::exp(-d * d / (2 * sigma * sigma));
  }
}

// A Gaussian as a reader would hand it over.
inline GridSpectrum GaussianSpectrum(int first, int last, double height, double centre,
                                     double sigma) {
  GridSpectrum spectrum;
  LayGaussian(spectrum.values, first, last, height, centre, sigma);
  spectrum.first = first;
  spectrum.last = last;
  return spectrum;
}

// The spectrum as a file the side's reader takes by its extension: the
// emission as two columns of a .csv, the absorbance as the lines after
// DATA in an .sp, each number in a text that reads back exactly.
inline std::string SpectrumFileText(const GridSpectrum& spectrum, SpectrumSide side) {
  const bool emission = side == SpectrumSide::kEmission;
  std::string text = emission ? "Wavelength,Intensity\n" : "DATA\n";
  for (int w = spectrum.first; w <= spectrum.last; ++w) {
    text += std::to_string(w) + (emission ? "," : " ") + RoundTripText(spectrum.values[w]) + "\n";
  }
  return text;
}

inline std::vector<double> ValuesOver(const SpectrumGrid& grid, int first, int last) {
  std::vector<double> values;
  for (int w = first; w <= last; ++w) values.push_back(grid[w]);
  return values;
}

inline bool AllFinite(const SpectrumGrid& grid) {
  for (const double value : grid.values()) {
    if (!std::isfinite(value)) return false;
  }
  return true;
}

}  // namespace korin
