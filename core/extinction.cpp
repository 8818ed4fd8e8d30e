#include "core/extinction.h"

#include <cmath>

#include "core/grid_extremes.h"

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

}  // namespace

ConcentrationDerivation ExtinctionFromConcentration(FretSession& session, int first, int last) {
  if (session.ExtinctionMode) return ConcentrationDerivation::kExtinctionMode;
  session.ExtinctionValid = true;
  if (!session.ConcentrationValid) return ConcentrationDerivation::kNoConcentration;

  // A file may hold 1e300 and the field accepts 1e-12 mol/L; rather than
  // put an infinity in the grid, derive nothing. The quotient keeps the order
  // of the absorbances, so the two extremes decide.
  const GridExtremes absorbance = ExtremesOver(session.AcceptorAbsorbance, first, last);
  const double c = session.Concentration;
  const double path = session.OpticalPath;
  if (!std::isfinite(ExtinctionOf(absorbance.lowest, c, path)) ||
      !std::isfinite(ExtinctionOf(absorbance.highest, c, path))) {
    session.ExtinctionValid = false;
    return ConcentrationDerivation::kNotFinite;
  }

  double peak = 0.0;
  for (int w = first; w <= last; ++w) {
    session.AcceptorExtinction[w] = ExtinctionOf(session.AcceptorAbsorbance[w], c, path);
    // Strictly greater: negative baseline values never become the peak.
    if (session.AcceptorExtinction[w] > peak) peak = session.AcceptorExtinction[w];
  }
  session.ExtinctionMax = peak;
  return ConcentrationDerivation::kDerived;
}

bool RescaleExtinction(FretSession& session) {
  session.ExtinctionValid = false;
  if (!session.AbsorptionValid) return false;
  const int first = session.AbsorptionFirst;
  const int last = session.AbsorptionLast;
  const SpectrumGrid& absorbance = session.AcceptorAbsorbance;

  double peak = 0.0;
  for (int w = first; w <= last; ++w) {
    if (absorbance[w] > peak) peak = absorbance[w];
  }
  // No positive absorbance: dividing by the peak of 0.0 has no finite
  // result, so nothing is derived.
  if (peak == 0.0) return false;
  // A deep negative baseline under a tiny peak can overflow; the scaling
  // keeps the order of the absorbances, so the two extremes decide.
  const GridExtremes extremes = ExtremesOver(absorbance, first, last);
  const double coefficient = session.ExtinctionMax;
  if (!std::isfinite(Rescaled(extremes.lowest, peak, coefficient)) ||
      !std::isfinite(Rescaled(extremes.highest, peak, coefficient))) {
    return false;
  }

  for (int w = first; w <= last; ++w) {
    session.AcceptorExtinction[w] = Rescaled(absorbance[w], peak, coefficient);
  }
  session.ExtinctionValid = true;
  return true;
}

}  // namespace korin
