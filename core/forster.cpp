#include "core/forster.h"

#include <cassert>
#include <cmath>

#include "core/decimal_bound.h"

namespace korin {
namespace {

// The sixth root is taken as exp(kOneSixth * ln x) with this double, the
// one nearest 1/6; R0's last digits depend on it.
constexpr double kOneSixth = 0.16666666666666666;
// The constant for R0 in angstroms (9780 is also met in the literature).
constexpr double kForsterConstant = 9790.0;
// Turns a wavelength in nm into cm; an extended constant, as the terms are
// multiplied out in extended precision.
constexpr long double kNmToCm = 1e-7L;

}  // namespace

bool ComputeOverlapIntegral(FretSession& session) {
  const SpectrumGrid& emission = session.DonorEmission;
  const SpectrumGrid& extinction = session.AcceptorExtinction;
  double sum = 0.0;
  // The whole grid, whatever the loaded ranges. Each term is multiplied out
  // left to right in extended precision, each wavelength factor converted to
  // cm as it comes, and rounded to a double once: no intermediate product
  // rounds or overflows on the way.
  for (int w = SpectrumGrid::kFirstWavelength; w <= SpectrumGrid::kLastWavelength; ++w) {
    const long double lambda = w;
    const auto term =
        static_cast<double>(static_cast<long double>(emission[w]) * extinction[w] * lambda *
                            kNmToCm * lambda * kNmToCm * lambda * kNmToCm * lambda * kNmToCm);
    sum = sum + term;
  }
  // Once a term or the sum overflows it stays infinite or becomes NaN, so
  // one check at the end is enough.
  if (!std::isfinite(sum)) {
    session.OverlapIntegral = 0.0;
    return false;
  }
  session.OverlapIntegral = sum;
  return true;
}

double ForsterDistance(const FretSession& session) {
  const double n = session.RefractiveIndex;
  const double inverse = 1 / (((n * n) * n) * n);
  const double j = session.OverlapIntegral;
  // Exact decimal bound: the double nearest 1e-20 lies below it and gives 0.
  if (FallsBelow(j, bounds::kMinOverlapIntegral)) return 0.0;

  const double factor = (session.OrientationFactor * inverse) * session.QuantumYield;
  const double x = factor * j;
  // Only a J beyond about 1e290 overflows x; its sixth root is far inside
  // the double range, so it is taken through the logarithms of the two
  // factors instead of hiding a result that exists.
  const double root = std::isfinite(x) ? std::exp(kOneSixth * std::log(x))
                                       : std::exp(kOneSixth * (std::log(factor) + std::log(j)));
  const double r0 = root * kForsterConstant;
  assert(std::isfinite(r0));
  return r0;
}

}  // namespace korin
