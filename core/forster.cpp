#include "core/forster.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/vector_clones.h"
#include "numeric/decimal_bound.h"

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

constexpr std::size_t kGridSize = SpectrumGrid::kSize;

// (w in cm)^4 = w^4 * 1e-28 for every grid wavelength, correctly rounded:
// w^4 is an exact integer and from_chars rounds its decimal text once.
const std::array<double, kGridSize>& FourthPowersInCm() {
  static const std::array<double, kGridSize> powers = [] {
    std::array<double, kGridSize> table{};
    for (std::size_t i = 0; i < kGridSize; ++i) {
      const std::uint64_t w = SpectrumGrid::kFirstWavelength + i;
      const std::string text = std::to_string(w * w * w * w) + "e-28";
      std::from_chars(text.data(), text.data() + text.size(), table[i]);
    }
    return table;
  }();
  return powers;
}

// Independent running sums, so that the additions pipeline and vectorise;
// each is an unevaluated pair sum + error (Knuth's TwoSum keeps what each
// addition rounds off).
constexpr std::size_t kLanes = 16;
struct LaneSums {
  std::array<double, kLanes> sum{};
  std::array<double, kLanes> error{};
  std::array<double, kLanes> largest{};  // largest |term| seen
};

// The term at grid position i goes to lane i % kLanes in every build. The
// lanes live in the returned arrays and the lane loop is not unrolled: GCC
// vectorises that loop, but not sixteen scalar reductions. Clang would call
// the lambda for every term of each vector clone; inlined, the operations
// stay the same.
KORIN_VECTOR_CLONES
LaneSums SumTerms(const double* emission, const double* extinction, const double* powers) {
  LaneSums lanes;
  const auto add = [&lanes](std::size_t k, double term) __attribute__((always_inline)) {
    const double sum = lanes.sum[k] + term;
    const double z = sum - lanes.sum[k];
    lanes.error[k] += (lanes.sum[k] - (sum - z)) + (term - z);
    lanes.sum[k] = sum;
    const double largest = lanes.largest[k];
    const double size = std::fabs(term);
    lanes.largest[k] = size > largest ? size : largest;
  };
  std::size_t i = 0;
  for (; i + kLanes <= kGridSize; i += kLanes) {
#pragma GCC unroll 1
    for (std::size_t k = 0; k < kLanes; ++k) {
      add(k, emission[i + k] * extinction[i + k] * powers[i + k]);
    }
  }
  for (std::size_t k = 0; i < kGridSize; ++i, ++k) {
    add(k, emission[i] * extinction[i] * powers[i]);
  }
  return lanes;
}

// Below this no sum of 1401 terms can overflow, in any order.
constexpr double kLargestSafeTerm = 0x1p1012;
// Above this what subnormal terms lose is far below the last bit of J.
constexpr double kSmallestSafeSum = 0x1p-1000;

// Each term multiplied out left to right in extended precision, each
// wavelength factor converted to cm as it comes, and rounded to a double
// once: no intermediate product rounds or overflows on the way. Summed in
// wavelength order. Empty when the sum is not finite: once a term or the
// sum overflows it stays infinite or becomes NaN.
std::optional<double> ExtendedSum(const SpectrumGrid& emission, const SpectrumGrid& extinction) {
  double sum = 0.0;
  for (int w = SpectrumGrid::kFirstWavelength; w <= SpectrumGrid::kLastWavelength; ++w) {
    const double e = emission[w];
    const double x = extinction[w];
    // A zero factor times a finite one adds a zero, which changes no sum
    // that starts at +0.0.
    if ((e == 0.0 && std::isfinite(x)) || (x == 0.0 && std::isfinite(e))) continue;
    const long double lambda = w;
    const auto term = static_cast<double>(static_cast<long double>(e) * x * lambda * kNmToCm *
                                          lambda * kNmToCm * lambda * kNmToCm * lambda * kNmToCm);
    sum = sum + term;
  }
  if (!std::isfinite(sum)) return std::nullopt;
  return sum;
}

}  // namespace

std::optional<double> OverlapIntegralOf(const SpectrumGrid& emission,
                                        const SpectrumGrid& extinction) {
  const LaneSums lanes =
      SumTerms(emission.values().data(), extinction.values().data(), FourthPowersInCm().data());
  double sum = 0.0;
  double error = 0.0;
  double largest = 0.0;
  for (std::size_t k = 0; k < kLanes; ++k) {
    const double next = sum + lanes.sum[k];
    const double z = next - sum;
    error += (sum - (next - z)) + (lanes.sum[k] - z) + lanes.error[k];
    sum = next;
    largest = std::max(largest, lanes.largest[k]);
  }
  const double j = sum + error;
  // Terms near overflow (or infinite, or NaN), and sums so small that
  // subnormal terms matter, take the extended path, which also decides
  // whether the sum is finite exactly as it always has.
  if (largest <= kLargestSafeTerm && std::isfinite(j) && std::fabs(j) >= kSmallestSafeSum) {
    return j;
  }
  return ExtendedSum(emission, extinction);
}

bool ComputeOverlapIntegral(FretSession& session) {
  const std::optional<double> j =
      OverlapIntegralOf(session.donor_emission, session.acceptor_extinction);
  session.overlap_integral = j.value_or(0.0);
  return j.has_value();
}

double OverlapTerm(const SpectrumGrid& emission, const SpectrumGrid& extinction, int wavelength) {
  const auto i = static_cast<std::size_t>(wavelength - SpectrumGrid::kFirstWavelength);
  return emission[wavelength] * extinction[wavelength] * FourthPowersInCm()[i];
}

double ForsterDistance(const FretSession& session) {
  return ForsterDistanceOf(session.orientation_factor, session.refractive_index,
                           session.quantum_yield, session.overlap_integral);
}

double ForsterDistanceOf(double orientation_factor, double refractive_index, double quantum_yield,
                         double j) {
  const double n = refractive_index;
  const double inverse = 1 / (((n * n) * n) * n);
  // Exact decimal bound: the double nearest 1e-20 lies below it and gives 0.
  if (FallsBelow(j, bounds::kMinOverlapIntegral)) return 0.0;

  const double factor = (orientation_factor * inverse) * quantum_yield;
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
