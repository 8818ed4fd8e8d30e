// What a FRET pair will show on a given instrument, before a measurement:
// how much of each dye's emission each detection channel collects, how the
// lasers excite each dye, the correction factors, each dye's brightness in
// each channel, and the apparent efficiency a true efficiency shows as.
//
// The model, on the 1-nm grid:
//   F_D, F_A      the donor's and the acceptor's emission spectra (any scale)
//   eps_D, eps_A  their extinction spectra in M^-1 cm^-1 (absorption scaled
//                 to a typed peak coefficient)
//   phi_D, phi_A  their quantum yields
//   T_c           channel c's transmission, 0..1: the product of its
//                 filters (band-passes, filter files, a detector curve)
//   eta_X,c       = sum F_X T_c / sum F_X, the part of dye X's emission that
//                 channel c (D or A) collects
// For donor excitation at lambda_Dex and a true efficiency E:
//   S_D = eps_D (1-E) phi_D eta_D,D + (eps_D E + eps_A) phi_A eta_A,D
//   S_A = eps_D (1-E) phi_D eta_D,A + (eps_D E + eps_A) phi_A eta_A,A
// with eps_X = eps_X(lambda_Dex), and the apparent efficiency
//   E_app(E) = S_A / (S_A + S_D).
// The factors:
//   leakage alpha           = eta_D,A / eta_D,D
//   direct excitation d     = eps_A(lambda_Dex) / eps_D(lambda_Dex)
//   gamma                   = phi_A eta_A,A / (phi_D eta_D,D)
//   with an acceptor laser lambda_Aex (alternating excitation):
//   delta                   = eps_A(lambda_Dex) / eps_A(lambda_Aex)
//   beta                    = eps_A(lambda_Aex) / eps_D(lambda_Dex), for equal
//                             laser powers
// The brightness of dye X in channel c at laser lambda: eps_X(lambda) phi_X
// eta_X,c. Distances: E(r) = 1 / (1 + (r/R0)^6); dE/dr = -6 r^5 R0^6 /
// (R0^6 + r^6)^2 per angstrom. S_D and S_A are linear in E, so E_app(E) is a
// ratio of two linear functions: monotonic on 0..1 for any physical input,
// and inverted exactly rather than searched.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/spectrum_grid.h"

namespace korin {

// A spectrum of the plan with the range it was read over.
struct PlanSpectrum {
  SpectrumGrid values;
  int first = 0;
  int last = 0;
};

struct PlanSpectra {
  PlanSpectrum donor_emission;
  PlanSpectrum donor_extinction;  // M^-1 cm^-1
  PlanSpectrum acceptor_emission;
  PlanSpectrum acceptor_extinction;  // M^-1 cm^-1
};

struct PlanInstrument {
  double donor_quantum_yield = 0.0;
  double acceptor_quantum_yield = 0.0;
  double donor_laser = 0.0;  // nm
  std::optional<double> acceptor_laser;
  SpectrumGrid donor_channel;  // transmission 0..1
  SpectrumGrid acceptor_channel;
};

// eta_X,c for the dyes (D, A) and the channels (D, A).
struct Detection {
  double donor_in_donor_channel = 0.0;
  double donor_in_acceptor_channel = 0.0;
  double acceptor_in_acceptor_channel = 0.0;
  double acceptor_in_donor_channel = 0.0;
};

struct Excitation {
  double donor_at_donor_laser = 0.0;  // M^-1 cm^-1
  double acceptor_at_donor_laser = 0.0;
  std::optional<double> acceptor_at_acceptor_laser;
};

struct Factors {
  double leakage = 0.0;
  double direct_excitation = 0.0;
  double gamma = 0.0;
  std::optional<double> delta;
  std::optional<double> beta;
};

// eps phi eta, in M^-1 cm^-1 (the quantum yield and eta have no unit).
struct Brightness {
  double donor_in_donor_channel = 0.0;  // at the donor laser
  double donor_in_acceptor_channel = 0.0;
  double acceptor_in_donor_channel = 0.0;  // at the donor laser
  double acceptor_in_acceptor_channel = 0.0;
  // At the acceptor laser, when there is one.
  std::optional<double> acceptor_in_acceptor_channel_at_acceptor_laser;
};

// S_D = donor_offset + donor_slope E, S_A likewise.
struct SignalLines {
  double donor_offset = 0.0;
  double donor_slope = 0.0;
  double acceptor_offset = 0.0;
  double acceptor_slope = 0.0;
};

struct PlanFigures {
  Detection detection;
  Excitation excitation;
  Factors factors;
  Brightness brightness;
  SignalLines lines;
};

// The figures, or why there are none, naming the input: a laser outside a
// spectrum's range or where the donor does not absorb, a channel that
// collects nothing of its own dye.
struct PlanFiguresOrRefusal {
  std::optional<PlanFigures> figures;
  std::string refusal;
};
[[nodiscard]] PlanFiguresOrRefusal ComputePlan(const PlanSpectra& spectra,
                                               const PlanInstrument& instrument);

// eta: the part of `emission` (over first..last) that `channel` collects;
// 0 for an emission of no area.
[[nodiscard]] double CollectedFraction(const PlanSpectrum& emission, const SpectrumGrid& channel);

// The value of `spectrum` at `nanometres`, linear between whole nm; nothing
// outside its range.
[[nodiscard]] std::optional<double> ValueAt(const PlanSpectrum& spectrum, double nanometres);

[[nodiscard]] double ApparentEfficiency(const SignalLines& lines, double efficiency);

// The true efficiency that shows as `apparent`, or nothing when no E in
// 0..1 shows as it.
[[nodiscard]] std::optional<double> EfficiencyFromApparent(const SignalLines& lines,
                                                           double apparent);

// [E, E_app(E)] at E = 0, 0.05, ..., 1.
[[nodiscard]] std::vector<std::array<double, 2>> ApparentCurve(const SignalLines& lines);

}  // namespace korin
