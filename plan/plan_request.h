// One experiment plan asked for: the pair's request (the donor's emission,
// the acceptor's absorption and R0's parameters, the distance when one is
// asked), the two spectra the plan adds (the donor's absorption, the
// acceptor's emission), and the instrument. Its own parameters are declared
// once in the table below, from which the command line's options come; a
// parameter whose values are those of one of the panel's takes that
// parameter's rule.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "plan/channel.h"
#include "plan/plan_model.h"
#include "request/fret_request.h"

namespace korin {

enum class PlanParameter {
  kDonorAbsorptionColumns,
  kDonorAbsorptionUnits,
  kAcceptorEmissionColumns,
  kAcceptorEmissionUnits,
  kDonorExtinction,
  kAcceptorQuantumYield,
  kDonorLaser,
  kAcceptorLaser,
  kDonorChannel,
  kAcceptorChannel,
  kApparentEfficiency,
};
inline constexpr std::size_t kPlanParameterCount = 11;

struct PlanParameterDeclaration {
  PlanParameter id;
  std::string name;    // in JSON
  std::string option;  // "--donor-laser"
  std::string unit;
  std::string help;
  bool repeatable = false;  // given once or more, the values multiply (channels)
  // The panel's parameter whose rule it takes, or its own rule.
  std::optional<Parameter> rule_of;
  std::vector<ValueRefusal> (*refuse)(std::span<const std::string> values) = nullptr;
};

[[nodiscard]] std::span<const PlanParameterDeclaration> PlanParameterTable();
[[nodiscard]] const PlanParameterDeclaration& DeclarationOf(PlanParameter parameter);
[[nodiscard]] std::vector<ValueRefusal> Refusals(PlanParameter parameter,
                                                 std::span<const std::string> values);

struct PlanRequest {
  FretRequest pair;
  SpectrumRequest donor_absorption;
  SpectrumRequest acceptor_emission;
  std::array<std::vector<std::string>, kPlanParameterCount> values;

  [[nodiscard]] std::span<const std::string> Values(PlanParameter parameter) const {
    return values[static_cast<std::size_t>(parameter)];
  }
  [[nodiscard]] bool Given(PlanParameter parameter) const { return !Values(parameter).empty(); }
};

// What a plan gives, or why it gives nothing.
struct PlanOutcome {
  std::string refusal;             // empty when the plan stands
  std::vector<std::string> notes;  // the readers' and the channels' words, each once
  double overlap_integral = 0.0;   // the pair's J, M^-1 cm^3
  std::string overlap_integral_text;
  double forster_distance = 0.0;  // angstroms
  std::string forster_distance_text;
  PlanSpectra spectra;
  SpectrumGrid donor_channel;
  SpectrumGrid acceptor_channel;
  PlanFigures figures;
  // With a distance: E there, E_app there and dE/dr.
  std::optional<double> distance;
  std::optional<double> efficiency_at_distance;
  std::optional<double> apparent_at_distance;
  std::optional<double> sensitivity;
  // With a measured apparent efficiency: the true E and the distance.
  std::optional<double> apparent;
  std::optional<double> efficiency_from_apparent;
  std::optional<double> distance_from_apparent;
};

// A file's bytes by its path, or nothing when it cannot be read.
using PlanFileReader = std::function<std::optional<std::string>(const std::string& path)>;
[[nodiscard]] std::optional<std::string> ReadPlanFile(const std::string& path);

// Checks `request`, reads its four spectra and its channels, computes the
// pair's J and R0 as the panel would, and the plan.
[[nodiscard]] PlanOutcome RunPlan(const PlanRequest& request,
                                  const PlanFileReader& read = ReadPlanFile);

}  // namespace korin
