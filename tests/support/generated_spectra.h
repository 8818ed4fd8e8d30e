// Spectrum files made up for tests that need many of them: Gaussian bands
// written in two of the program's formats.
#pragma once

#include <cmath>
#include <string>

namespace korin::testing {

// A donor emission as two-column CSV (.csv), 1-nm steps.
inline std::string EmissionCsv(double centre, double sigma, double height = 1000.0) {
  std::string text = "Wavelength,Intensity\n";
  for (int w = static_cast<int>(centre - 4 * sigma); w <= static_cast<int>(centre + 4 * sigma);
       ++w) {
    const double d = (w - centre) / sigma;
    text += std::to_string(w) + ',' + std::to_string(height * std::exp(-d * d / 2)) + '\n';
  }
  return text;
}

// An acceptor absorbance as Invitrogen text (.txt): a title, the point
// count, then wavelength,absorbance lines.
inline std::string AbsorptionTxt(double centre, double sigma, double peak = 0.85) {
  const int first = static_cast<int>(centre - 4 * sigma);
  const int last = static_cast<int>(centre + 4 * sigma);
  std::string text = "generated acceptor\n" + std::to_string(last - first + 1) + '\n';
  for (int w = first; w <= last; ++w) {
    const double d = (w - centre) / sigma;
    text += std::to_string(w) + ',' + std::to_string(peak * std::exp(-d * d / 2)) + '\n';
  }
  return text;
}

}  // namespace korin::testing
