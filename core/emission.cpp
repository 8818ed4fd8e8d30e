#include "core/emission.h"

#include <cmath>

#include "core/grid_extremes.h"

namespace korin {

bool NormalizeEmission(FretSession& session) {
  if (!session.emission_valid) return false;
  SpectrumGrid& emission = session.donor_emission;
  const int first = session.emission_first;
  const int last = session.emission_last;

  // Each 1-nm step adds the rectangle under its left point plus half the
  // absolute rise or fall. On a falling step that is the trapezoid plus the
  // whole fall, so this is not the trapezoidal rule, and the order of the
  // three terms is kept as the rule is written.
  constexpr double kStep = 1.0;  // nm
  double area = 0.0;
  for (int w = first + 1; w <= last; ++w) {
    area = std::fabs(emission[w] - emission[w - 1]) * kStep / 2 + emission[w - 1] * kStep + area;
  }
  // An overflowing sum is stored as 0.0: no infinity or NaN is kept.
  session.emission_area = std::isfinite(area) ? area : 0.0;

  // Zero (nothing to divide by) or negative (a spectrum negative overall,
  // which would come out upside down) cannot be normalised. A tiny positive
  // area left by cancelling values can still overflow the division; it keeps
  // the order of the values, so the two extremes decide.
  bool usable = std::isfinite(area) && area > 0.0;
  if (usable) {
    const GridExtremes extremes = ExtremesOver(emission, first, last);
    usable = std::isfinite(extremes.lowest / area) && std::isfinite(extremes.highest / area);
  }
  if (!usable) {
    session.emission_valid = false;
    return false;
  }

  for (int w = first; w <= last; ++w) emission[w] = emission[w] / area;
  return true;
}

}  // namespace korin
