#include "core/extinction.h"

#include <cmath>
#include <cstddef>

#include "core/grid_extremes.h"
#include "core/vector_clones.h"

namespace korin {
namespace {

// Two divisions in this order, not one division by the product: the result
// differs in the last bit for many inputs, and the shown peak depends on it.
double ExtinctionOf(double absorbance, double concentration, double optical_path) {
  return absorbance / concentration / optical_path;
}

// Divide first, then multiply: a point at the peak then comes out as
// exactly the typed coefficient, whatever it is.
double Rescaled(double absorbance, double peak, double coefficient) {
  return absorbance / peak * coefficient;
}

// x / d and x * (1 / d) are the same double for every x when 1 / d is
// exact: d a power of two whose reciprocal is a normal double. Multiplying
// is much cheaper, and the optical paths 1 and 0.5 cm are such divisors.
bool HasExactReciprocal(double divisor) {
  int exponent = 0;
  const double mantissa = std::frexp(divisor, &exponent);  // divisor = mantissa * 2^exponent
  return std::fabs(mantissa) == 0.5 && exponent >= -1022 && exponent <= 1023;
}

// extinction[i] = absorbance[i] / concentration / optical_path for i below
// count, the second division done as a multiplication by `path_reciprocal`
// when that is exact (nonzero). Plain loops, so that they vectorise.
KORIN_VECTOR_CLONES
void Divide(const double* __restrict absorbance, double* __restrict extinction, std::size_t count,
            double concentration, double optical_path, double path_reciprocal) {
  if (path_reciprocal != 0.0) {
    for (std::size_t i = 0; i < count; ++i) {
      extinction[i] = absorbance[i] / concentration * path_reciprocal;
    }
  } else {
    for (std::size_t i = 0; i < count; ++i) {
      extinction[i] = ExtinctionOf(absorbance[i], concentration, optical_path);
    }
  }
}

}  // namespace

ConcentrationDerivation ExtinctionFromConcentration(FretSession& session, int first, int last) {
  if (session.extinction_mode) return ConcentrationDerivation::kExtinctionMode;
  session.extinction_valid = true;
  if (!session.concentration_valid) return ConcentrationDerivation::kNoConcentration;

  // A file may hold 1e300 and the field accepts 1e-12 mol/L; rather than
  // put an infinity in the grid, derive nothing. The quotient keeps the order
  // of the absorbances, so the two extremes decide.
  const GridExtremes absorbance = ExtremesOver(session.acceptor_absorbance, first, last);
  const double c = session.concentration;
  const double path = session.optical_path;
  const double of_lowest = ExtinctionOf(absorbance.lowest, c, path);
  const double of_highest = ExtinctionOf(absorbance.highest, c, path);
  if (!std::isfinite(of_lowest) || !std::isfinite(of_highest)) {
    session.extinction_valid = false;
    return ConcentrationDerivation::kNotFinite;
  }

  const auto offset = static_cast<std::size_t>(first - SpectrumGrid::kFirstWavelength);
  const auto count = static_cast<std::size_t>(last - first + 1);
  double* extinction = session.acceptor_extinction.values().data() + offset;
  Divide(session.acceptor_absorbance.values().data() + offset, extinction, count, c, path,
         HasExactReciprocal(path) ? 1.0 / path : 0.0);
  // Each division keeps the order of the values (reverses it for a negative
  // divisor), and rounding never breaks it, so the largest extinction is
  // that of one of the two extreme absorbances. Strictly greater than 0.0:
  // negative baseline values never become the peak.
  double peak = 0.0;
  if (of_lowest > peak) peak = of_lowest;
  if (of_highest > peak) peak = of_highest;
  session.extinction_max = peak;
  return ConcentrationDerivation::kDerived;
}

bool RescaleExtinction(FretSession& session) {
  session.extinction_valid = false;
  if (!session.absorption_valid) return false;
  const int first = session.absorption_first;
  const int last = session.absorption_last;
  const SpectrumGrid& absorbance = session.acceptor_absorbance;

  // The peak is the largest absorbance above 0.0. No positive absorbance:
  // dividing by the peak of 0.0 has no finite result, so nothing is derived.
  const GridExtremes extremes = ExtremesOver(absorbance, first, last);
  if (!(extremes.highest > 0.0)) return false;
  const double peak = extremes.highest;
  // A deep negative baseline under a tiny peak can overflow; the scaling
  // keeps the order of the absorbances, so the two extremes decide.
  const double coefficient = session.extinction_max;
  if (!std::isfinite(Rescaled(extremes.lowest, peak, coefficient)) ||
      !std::isfinite(Rescaled(extremes.highest, peak, coefficient))) {
    return false;
  }

  for (int w = first; w <= last; ++w) {
    session.acceptor_extinction[w] = Rescaled(absorbance[w], peak, coefficient);
  }
  session.extinction_valid = true;
  return true;
}

}  // namespace korin
