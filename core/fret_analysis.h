// What a spectroscopist asks once J and R0 stand: the two figures in both
// unit systems, distance from transfer efficiency and back, how far R0 can
// be trusted, and whether the two spectra really cover their overlap.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/fret_session.h"

namespace korin {

// --- Units -------------------------------------------------------------------

// J in M^-1 cm^-1 nm^4 from J in M^-1 cm^3 (1 cm = 1e7 nm, so x 1e28).
[[nodiscard]] double OverlapIntegralInNm4(double overlap_integral_cm3);
// R0 in nm from R0 in angstroms.
[[nodiscard]] double AngstromsToNanometres(double angstroms);
// The analysis figures' text: five significant digits, "." as separator.
// Precondition: std::isfinite(value).
[[nodiscard]] std::string AnalysisText(double value);

// --- Distance and efficiency -----------------------------------------------

// A number given by the user, or, when it cannot be used, why not.
struct Checked {
  std::optional<double> value;
  std::string message;  // empty when `value` is set
};

// E = 1 / (1 + (r / R0)^6). Preconditions: r >= 0, R0 > 0, both finite.
[[nodiscard]] double TransferEfficiency(double distance, double forster_distance);
// dE/dr = -6 r^5 R0^6 / (R0^6 + r^6)^2, per angstrom: how sharply E tells
// distances apart at r. Preconditions: as for TransferEfficiency.
[[nodiscard]] double TransferEfficiencySlope(double distance, double forster_distance);
// r = R0 (1 / E - 1)^(1/6). Preconditions: 0 < E < 1, R0 > 0.
[[nodiscard]] double DonorAcceptorDistance(double efficiency, double forster_distance);

// An efficiency typed as such: it must lie strictly between 0 and 1.
[[nodiscard]] Checked EfficiencyOf(double efficiency);
// E = 1 - tau_DA / tau_D from the donor's lifetimes with and without the
// acceptor; both positive, tau_DA not above tau_D.
[[nodiscard]] Checked EfficiencyFromLifetimes(double with_acceptor, double donor_alone);
// E = 1 - F_DA / F_D from the donor's intensities with and without the
// acceptor; the same conditions.
[[nodiscard]] Checked EfficiencyFromIntensities(double with_acceptor, double donor_alone);
// A donor-acceptor distance in angstroms: positive.
[[nodiscard]] Checked DistanceOf(double angstroms);

// --- How far R0 can be trusted ----------------------------------------------

struct Kappa2Range {
  double min = 2.0 / 3.0;
  double max = 2.0 / 3.0;
};

// kappa^2 lies between 0 (perpendicular dipoles) and 4 (collinear ones).
inline constexpr double kSmallestKappa2 = 0.0;
inline constexpr double kLargestKappa2 = 4.0;

// Whether a range typed for kappa^2 is one: 0 <= min <= max <= 4.
[[nodiscard]] bool IsKappa2Range(double min, double max);

// The orientation factor's bounds from the donor's and the acceptor's
// steady-state anisotropies: with d = sqrt(r / r0) for the fundamental
// anisotropy r0 = 0.4, kappa^2 lies between 2/3 (1 - (dD + dA) / 2) and
// 2/3 (1 + dD + dA + 3 dD dA). Empty, with `message` set, for an anisotropy
// outside 0..r0.
[[nodiscard]] std::optional<Kappa2Range> Kappa2FromAnisotropies(double donor, double acceptor,
                                                                std::string& message);

// The relative errors (0.05 for 5 %) of the inputs besides kappa^2.
struct InputErrors {
  double quantum_yield = 0.0;
  double refractive_index = 0.0;
  double extinction = 0.0;  // J is proportional to the acceptor's epsilon
};

// A relative error typed in percent: at least 0 and below 100.
[[nodiscard]] Checked ErrorFromPercent(double percent);

enum class R0Factor { kOrientation, kQuantumYield, kRefractiveIndex, kExtinction };
inline constexpr int kR0FactorCount = 4;
[[nodiscard]] std::string_view FactorName(R0Factor factor);

struct FactorSpread {
  R0Factor factor;
  // R0 over this factor's range with the others at their values.
  double r0_min = 0.0;
  double r0_max = 0.0;
  // Its part of the sum of all four spreads, 0..1.
  double share = 0.0;
};

struct R0Uncertainty {
  // All factors at their unfavourable and their favourable ends together.
  double r0_min = 0.0;
  double r0_max = 0.0;
  std::vector<FactorSpread> factors;  // in R0Factor order
};

// R0 proportional to (kappa^2 Q J / n^4)^(1/6): each relative error enters
// with the weight 1/6 (n with -4/6). The quantum yield, refractive index
// and J are the panel's; kappa^2 takes `kappa2` instead of the panel's
// value. Preconditions: the panel's inputs as the gate requires them,
// 0 <= kappa2.min <= kappa2.max, errors in [0, 1).
[[nodiscard]] R0Uncertainty ForsterDistanceUncertainty(const FretSession& session,
                                                       const Kappa2Range& kappa2,
                                                       const InputErrors& errors);

// --- Overlap diagnostics ------------------------------------------------------

struct OverlapDiagnostics {
  // Both spectra loaded and a positive J: the figures below are set.
  bool available = false;
  // The wavelengths where both spectra lie, and per nm there the term of J
  // (F * epsilon * lambda^4, in the units J sums) and the cumulative
  // fraction of J up to and including that nm, rising to exactly 1.
  int first = 0;
  int last = 0;
  std::vector<double> terms;
  std::vector<double> cumulative_fraction;
  // Where the term peaks, and the band holding the central 90 % of J (from
  // where 5 % is reached to where 95 % is).
  int peak = 0;
  int band_first = 0;
  int band_last = 0;
  // What a user should know about the spectra, in words; also when J is
  // not available.
  std::vector<std::string> warnings;
};

// From the session as the last gate run left it. Preconditions: none; with
// a side not loaded nothing is available and there are no warnings.
[[nodiscard]] OverlapDiagnostics DiagnoseOverlap(const FretSession& session);

}  // namespace korin
