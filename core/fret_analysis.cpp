#include "core/fret_analysis.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstddef>

#include "core/forster.h"
#include "numeric/number_text.h"

namespace korin {
namespace {

constexpr int kAnalysisDigits = 5;
// The fundamental anisotropy of a dye whose absorption and emission
// dipoles lie parallel.
constexpr double kFundamentalAnisotropy = 0.4;
// Below this share of its peak a spectrum counts as faded out.
constexpr double kFadedOut = 0.05;

Checked Refuse(std::string message) {
  return {std::nullopt, std::move(message)};
}

Checked EfficiencyFromRatio(double with_acceptor, double donor_alone, std::string_view what) {
  if (!(with_acceptor >= 0.0) || !(donor_alone > 0.0)) {
    return Refuse("The " + std::string(what) + " must be positive.");
  }
  if (with_acceptor > donor_alone) {
    return Refuse("The " + std::string(what) +
                  " with the acceptor cannot exceed the donor's alone: transfer only lowers it.");
  }
  return EfficiencyOf(1.0 - with_acceptor / donor_alone);
}

std::string Percent(double fraction) {
  return FormatGeneral(std::round(fraction * 1000.0) / 10.0, 3) + " %";
}

// The largest value of `grid` over first..last; 0.0 when none is positive.
double PeakOver(const SpectrumGrid& grid, int first, int last) {
  double peak = 0.0;
  for (int w = first; w <= last; ++w) peak = std::max(peak, grid[w]);
  return peak;
}

// The warnings on the spectra themselves, which hold whether or not J is
// positive.
void WarnAboutCoverage(const FretSession& s, std::vector<std::string>& warnings) {
  const SpectrumGrid& donor = s.donor_emission;
  const double peak = PeakOver(donor, s.emission_first, s.emission_last);
  if (peak <= 0.0) return;
  const double limit = kFadedOut * peak;
  // Where the acceptor's spectrum stops short of the donor's, the emission
  // beyond it finds nothing to overlap with.
  const auto uncovered = [&](int from, int to, std::string_view end, int at) {
    if (from > to) return;
    const double beyond = PeakOver(donor, from, to);
    if (beyond > limit) {
      warnings.push_back("The acceptor spectrum " + std::string(end) + " at " + std::to_string(at) +
                         " nm while the donor still emits " + Percent(beyond / peak) +
                         " of its peak outside it: J is underestimated.");
    }
  };
  uncovered(s.emission_first, std::min(s.emission_last, s.absorption_first - 1), "starts",
            s.absorption_first);
  uncovered(std::max(s.emission_first, s.absorption_last + 1), s.emission_last, "ends",
            s.absorption_last);
  // A donor spectrum that stops while still bright was cut off: its area,
  // and so its normalisation, leaves out the rest.
  for (const int end : {s.emission_first, s.emission_last}) {
    if (donor[end] > limit) {
      warnings.push_back("The donor spectrum is cut off at " + std::to_string(end) + " nm at " +
                         Percent(donor[end] / peak) +
                         " of its peak: the emission beyond is missing from its normalisation and "
                         "from J.");
    }
  }
}

}  // namespace

double OverlapIntegralInNm4(double overlap_integral_cm3) {
  return overlap_integral_cm3 * 1e28;
}

double AngstromsToNanometres(double angstroms) {
  return angstroms / 10.0;
}

std::string AnalysisText(double value) {
  // The general format drops trailing zeros; here they stay, so that every
  // figure shows its five digits (61.400, 1.0000E15).
  std::string text = FormatGeneral(value, kAnalysisDigits);
  const std::size_t exponent = std::min(text.find('E'), text.size());
  int digits = 0;
  bool leading = true;
  for (std::size_t i = 0; i < exponent; ++i) {
    const char c = text[i];
    if (c < '0' || c > '9' || (leading && c == '0')) continue;
    leading = false;
    ++digits;
  }
  if (value == 0.0 || digits >= kAnalysisDigits) return text;
  std::string padding(static_cast<std::size_t>(kAnalysisDigits - digits), '0');
  if (text.substr(0, exponent).find('.') == std::string::npos) padding.insert(0, ".");
  text.insert(exponent, padding);
  return text;
}

double TransferEfficiency(double distance, double forster_distance) {
  assert(distance >= 0.0 && forster_distance > 0.0);
  const double ratio = distance / forster_distance;
  const double cubed = ratio * ratio * ratio;
  return 1.0 / (1.0 + cubed * cubed);
}

double TransferEfficiencySlope(double distance, double forster_distance) {
  assert(distance >= 0.0 && forster_distance > 0.0);
  // In the ratio x = r / R0: dE/dr = -6 x^5 / (1 + x^6)^2 / R0, which stays
  // finite where R0^6 alone would overflow.
  const double x = distance / forster_distance;
  const double x3 = x * x * x;
  const double denominator = 1.0 + x3 * x3;
  return -6.0 * x3 * x * x / (denominator * denominator) / forster_distance;
}

double DonorAcceptorDistance(double efficiency, double forster_distance) {
  assert(efficiency > 0.0 && efficiency < 1.0 && forster_distance > 0.0);
  return forster_distance * std::pow(1.0 / efficiency - 1.0, 1.0 / 6.0);
}

Checked EfficiencyOf(double efficiency) {
  if (!(efficiency > 0.0 && efficiency < 1.0)) {
    return Refuse("The efficiency must lie between 0 and 1, both excluded.");
  }
  return {efficiency, {}};
}

Checked EfficiencyFromLifetimes(double with_acceptor, double donor_alone) {
  return EfficiencyFromRatio(with_acceptor, donor_alone, "lifetime");
}

Checked EfficiencyFromIntensities(double with_acceptor, double donor_alone) {
  return EfficiencyFromRatio(with_acceptor, donor_alone, "intensity");
}

Checked DistanceOf(double angstroms) {
  if (!(angstroms > 0.0) || !std::isfinite(angstroms)) {
    return Refuse("The distance must be a positive number of angstroms.");
  }
  return {angstroms, {}};
}

std::optional<Kappa2Range> Kappa2FromAnisotropies(double donor, double acceptor,
                                                  std::string& message) {
  for (const double r : {donor, acceptor}) {
    if (!(r >= 0.0 && r <= kFundamentalAnisotropy)) {
      message = "An anisotropy must lie between 0 and 0.4, the fundamental anisotropy.";
      return std::nullopt;
    }
  }
  message.clear();
  const double d_donor = std::sqrt(donor / kFundamentalAnisotropy);
  const double d_acceptor = std::sqrt(acceptor / kFundamentalAnisotropy);
  constexpr double kTwoThirds = 2.0 / 3.0;
  return Kappa2Range{kTwoThirds * (1.0 - (d_donor + d_acceptor) / 2.0),
                     kTwoThirds * (1.0 + d_donor + d_acceptor + 3.0 * d_donor * d_acceptor)};
}

bool IsKappa2Range(double min, double max) {
  return min >= kSmallestKappa2 && min <= max && max <= kLargestKappa2;
}

Checked ErrorFromPercent(double percent) {
  if (!(percent >= 0.0 && percent < 100.0)) {
    return Refuse("An error must lie between 0 and 100 %, 100 excluded.");
  }
  return {percent / 100.0, {}};
}

std::string_view FactorName(R0Factor factor) {
  switch (factor) {
    case R0Factor::kOrientation:
      return "orientation factor";
    case R0Factor::kQuantumYield:
      return "quantum yield";
    case R0Factor::kRefractiveIndex:
      return "refractive index";
    case R0Factor::kExtinction:
      return "extinction coefficient";
  }
  return {};
}

R0Uncertainty ForsterDistanceUncertainty(const FretSession& s, const Kappa2Range& kappa2,
                                         const InputErrors& errors) {
  const double q = s.quantum_yield;
  const double n = s.refractive_index;
  const double j = s.overlap_integral;
  const double k = s.orientation_factor;
  // R0 grows with kappa^2, Q and J, and shrinks as n grows.
  const double q_low = q * (1.0 - errors.quantum_yield);
  const double q_high = q * (1.0 + errors.quantum_yield);
  const double n_low = n * (1.0 - errors.refractive_index);
  const double n_high = n * (1.0 + errors.refractive_index);
  const double j_low = j * (1.0 - errors.extinction);
  const double j_high = j * (1.0 + errors.extinction);

  R0Uncertainty result;
  result.r0_min = ForsterDistanceOf(kappa2.min, n_high, q_low, j_low);
  result.r0_max = ForsterDistanceOf(kappa2.max, n_low, q_high, j_high);
  result.factors = {
      {R0Factor::kOrientation, ForsterDistanceOf(kappa2.min, n, q, j),
       ForsterDistanceOf(kappa2.max, n, q, j)},
      {R0Factor::kQuantumYield, ForsterDistanceOf(k, n, q_low, j),
       ForsterDistanceOf(k, n, q_high, j)},
      {R0Factor::kRefractiveIndex, ForsterDistanceOf(k, n_high, q, j),
       ForsterDistanceOf(k, n_low, q, j)},
      {R0Factor::kExtinction, ForsterDistanceOf(k, n, q, j_low),
       ForsterDistanceOf(k, n, q, j_high)},
  };
  double spread = 0.0;
  for (const FactorSpread& f : result.factors) spread += f.r0_max - f.r0_min;
  if (spread > 0.0) {
    for (FactorSpread& f : result.factors) f.share = (f.r0_max - f.r0_min) / spread;
  }
  return result;
}

OverlapDiagnostics DiagnoseOverlap(const FretSession& s) {
  OverlapDiagnostics d;
  if (!s.emission_valid || !s.absorption_valid) return d;
  WarnAboutCoverage(s, d.warnings);

  d.first = std::max(s.emission_first, s.absorption_first);
  d.last = std::min(s.emission_last, s.absorption_last);
  if (!s.extinction_valid || d.first > d.last) return d;

  // The running sum carries what each addition rounds off (Neumaier), so
  // its last value is the sum of the terms to within a rounding; dividing
  // by that last value makes the fraction end at exactly 1.
  const auto count = static_cast<std::size_t>(d.last - d.first + 1);
  d.terms.reserve(count);
  d.cumulative_fraction.reserve(count);
  double sum = 0.0;
  double carried = 0.0;
  double removed = 0.0;  // what negative acceptor values take off
  for (int w = d.first; w <= d.last; ++w) {
    const double term = OverlapTerm(s.donor_emission, s.acceptor_extinction, w);
    d.terms.push_back(term);
    const double next = sum + term;
    carried += std::fabs(sum) >= std::fabs(term) ? (sum - next) + term : (term - next) + sum;
    sum = next;
    d.cumulative_fraction.push_back(sum + carried);
  }
  const double total = d.cumulative_fraction.back();
  if (!(total > 0.0) || !std::isfinite(total)) {
    d.terms.clear();
    d.cumulative_fraction.clear();
    return d;
  }
  for (double& f : d.cumulative_fraction) f /= total;

  const auto peak = std::max_element(d.terms.begin(), d.terms.end());
  d.peak = d.first + static_cast<int>(peak - d.terms.begin());
  const auto reached = [&](double fraction) {
    const auto at = std::find_if(d.cumulative_fraction.begin(), d.cumulative_fraction.end(),
                                 [fraction](double f) { return f >= fraction; });
    return d.first + static_cast<int>(at - d.cumulative_fraction.begin());
  };
  d.band_first = reached(0.05);
  d.band_last = reached(0.95);

  // Negative acceptor values (a baseline below zero) under the band take
  // away from J what the donor emits there.
  int negative_first = 0;
  int negative_last = 0;
  for (int w = d.band_first; w <= d.band_last; ++w) {
    const double term = d.terms[static_cast<std::size_t>(w - d.first)];
    if (s.acceptor_extinction[w] < 0.0 && term < 0.0) {
      if (removed == 0.0) negative_first = w;
      negative_last = w;
      removed -= term;
    }
  }
  d.available = true;
  if (removed > 0.0) {
    d.warnings.push_back("The acceptor has negative values between " +
                         std::to_string(negative_first) + " and " + std::to_string(negative_last) +
                         " nm inside the overlap band (a baseline problem); they remove " +
                         Percent(removed / (total + removed)) + " of J.");
  }
  return d;
}

}  // namespace korin
