#include "plan/plan_model.h"

#include <algorithm>
#include <cmath>

#include "numeric/number_text.h"

namespace korin {
namespace {

std::string Nm(double nanometres) {
  return FormatGeneral(nanometres, 15) + " nm";
}

std::string Range(const PlanSpectrum& spectrum) {
  return std::to_string(spectrum.first) + "-" + std::to_string(spectrum.last) + " nm";
}

// The spectrum's value at a laser, or the refusal naming both.
std::optional<double> AtLaser(const PlanSpectrum& spectrum, double laser,
                              const std::string& laser_name, const std::string& spectrum_name,
                              std::string& refusal) {
  const std::optional<double> value = ValueAt(spectrum, laser);
  if (!value && refusal.empty()) {
    refusal = "the " + laser_name + " at " + Nm(laser) + " lies outside the " + spectrum_name +
              " (" + Range(spectrum) + ")";
  }
  return value;
}

}  // namespace

std::optional<double> ValueAt(const PlanSpectrum& spectrum, double nanometres) {
  if (!(nanometres >= spectrum.first && nanometres <= spectrum.last)) return std::nullopt;
  const int below = static_cast<int>(std::floor(nanometres));
  const double fraction = nanometres - below;
  if (fraction == 0.0) return spectrum.values[below];
  return spectrum.values[below] + fraction * (spectrum.values[below + 1] - spectrum.values[below]);
}

double CollectedFraction(const PlanSpectrum& emission, const SpectrumGrid& channel) {
  double total = 0.0;
  double collected = 0.0;
  for (int w = emission.first; w <= emission.last; ++w) {
    total += emission.values[w];
    collected += emission.values[w] * channel[w];
  }
  return total > 0.0 ? collected / total : 0.0;
}

PlanFiguresOrRefusal ComputePlan(const PlanSpectra& spectra, const PlanInstrument& instrument) {
  PlanFiguresOrRefusal result;
  std::string& refusal = result.refusal;
  const double laser = instrument.donor_laser;
  const auto donor =
      AtLaser(spectra.donor_extinction, laser, "donor laser", "donor absorption spectrum", refusal);
  const auto acceptor = AtLaser(spectra.acceptor_extinction, laser, "donor laser",
                                "acceptor absorption spectrum", refusal);
  std::optional<double> acceptor_second;
  if (instrument.acceptor_laser) {
    acceptor_second = AtLaser(spectra.acceptor_extinction, *instrument.acceptor_laser,
                              "acceptor laser", "acceptor absorption spectrum", refusal);
  }
  if (!refusal.empty()) return result;
  if (!(*donor > 0.0)) {
    refusal = "the donor does not absorb at the donor laser (" + Nm(laser) + ")";
    return result;
  }
  if (acceptor_second && !(*acceptor_second > 0.0)) {
    refusal = "the acceptor does not absorb at the acceptor laser (" +
              Nm(*instrument.acceptor_laser) + ")";
    return result;
  }

  PlanFigures f;
  Detection& eta = f.detection;
  eta.donor_in_donor_channel = CollectedFraction(spectra.donor_emission, instrument.donor_channel);
  eta.donor_in_acceptor_channel =
      CollectedFraction(spectra.donor_emission, instrument.acceptor_channel);
  eta.acceptor_in_acceptor_channel =
      CollectedFraction(spectra.acceptor_emission, instrument.acceptor_channel);
  eta.acceptor_in_donor_channel =
      CollectedFraction(spectra.acceptor_emission, instrument.donor_channel);
  if (!(eta.donor_in_donor_channel > 0.0)) {
    refusal = "the donor channel collects none of the donor's emission";
    return result;
  }
  if (!(eta.acceptor_in_acceptor_channel > 0.0)) {
    refusal = "the acceptor channel collects none of the acceptor's emission";
    return result;
  }

  const double phi_d = instrument.donor_quantum_yield;
  const double phi_a = instrument.acceptor_quantum_yield;
  f.excitation = {*donor, *acceptor, acceptor_second};
  f.factors.leakage = eta.donor_in_acceptor_channel / eta.donor_in_donor_channel;
  f.factors.direct_excitation = *acceptor / *donor;
  f.factors.gamma =
      (phi_a * eta.acceptor_in_acceptor_channel) / (phi_d * eta.donor_in_donor_channel);
  if (acceptor_second) {
    f.factors.delta = *acceptor / *acceptor_second;
    f.factors.beta = *acceptor_second / *donor;
  }
  f.brightness.donor_in_donor_channel = *donor * phi_d * eta.donor_in_donor_channel;
  f.brightness.donor_in_acceptor_channel = *donor * phi_d * eta.donor_in_acceptor_channel;
  f.brightness.acceptor_in_donor_channel = *acceptor * phi_a * eta.acceptor_in_donor_channel;
  f.brightness.acceptor_in_acceptor_channel = *acceptor * phi_a * eta.acceptor_in_acceptor_channel;
  if (acceptor_second) {
    f.brightness.acceptor_in_acceptor_channel_at_acceptor_laser =
        *acceptor_second * phi_a * eta.acceptor_in_acceptor_channel;
  }
  // S = eps_D (1-E) phi_D eta_D + (eps_D E + eps_A) phi_A eta_A, by powers of E.
  const auto line = [&](double eta_donor, double eta_acceptor, double& offset, double& slope) {
    offset = *donor * phi_d * eta_donor + *acceptor * phi_a * eta_acceptor;
    slope = *donor * (phi_a * eta_acceptor - phi_d * eta_donor);
  };
  line(eta.donor_in_donor_channel, eta.acceptor_in_donor_channel, f.lines.donor_offset,
       f.lines.donor_slope);
  line(eta.donor_in_acceptor_channel, eta.acceptor_in_acceptor_channel, f.lines.acceptor_offset,
       f.lines.acceptor_slope);
  result.figures = f;
  return result;
}

double ApparentEfficiency(const SignalLines& s, double efficiency) {
  const double acceptor = s.acceptor_offset + s.acceptor_slope * efficiency;
  const double donor = s.donor_offset + s.donor_slope * efficiency;
  return acceptor / (acceptor + donor);
}

std::optional<double> EfficiencyFromApparent(const SignalLines& s, double apparent) {
  // Only what some E in 0..1 shows; E_app is monotonic, so between its ends.
  const double at_zero = ApparentEfficiency(s, 0.0);
  const double at_one = ApparentEfficiency(s, 1.0);
  if (!(apparent >= std::min(at_zero, at_one) && apparent <= std::max(at_zero, at_one))) {
    return std::nullopt;
  }
  // apparent (S_A + S_D) = S_A, solved for E; at the ends the rounding of
  // the solution may step a hair outside 0..1.
  const double numerator = s.acceptor_offset - apparent * (s.acceptor_offset + s.donor_offset);
  const double denominator = apparent * (s.acceptor_slope + s.donor_slope) - s.acceptor_slope;
  if (denominator == 0.0) return at_zero == at_one ? std::optional<double>(0.0) : std::nullopt;
  return std::clamp(numerator / denominator, 0.0, 1.0);
}

std::vector<std::array<double, 2>> ApparentCurve(const SignalLines& lines) {
  std::vector<std::array<double, 2>> curve;
  for (int i = 0; i <= 20; ++i) {
    const double efficiency = i / 20.0;
    curve.push_back({efficiency, ApparentEfficiency(lines, efficiency)});
  }
  return curve;
}

}  // namespace korin
