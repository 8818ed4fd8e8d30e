#include "cli/plan_command.h"

#include <array>

#include "cli/fret_cli.h"
#include "cli/option_parser.h"
#include "cli/request_options.h"
#include "cli/tool_messages.h"
#include "core/version.h"
#include "plan/plan_output.h"

namespace korin {
namespace {

// The pair's values: R0's parameters, named by dye where the plan has two.
constexpr Parameter kPairOptions[] = {
    Parameter::kEmissionColumns, Parameter::kEmissionUnits, Parameter::kAbsorptionColumns,
    Parameter::kAbsorptionUnits, Parameter::kQuantumYield,  Parameter::kExtinction,
    Parameter::kConcentration,   Parameter::kOpticalPath,   Parameter::kSolvent,
    Parameter::kRefractiveIndex, Parameter::kOrientation,   Parameter::kDistance};

struct PlanOptions {
  PlanRequest request;
  bool json = false;
  PlanOptionValues typed;
};

// Every plan parameter, in the table's order.
std::vector<PlanParameter> AllPlanParameters() {
  std::vector<PlanParameter> all;
  for (const PlanParameterDeclaration& declared : PlanParameterTable()) all.push_back(declared.id);
  return all;
}

std::optional<int> ParsePlan(std::span<const std::string> args, PlanOptions& options,
                             std::ostream& out, std::ostream& err) {
  OptionParser parser(
      "What a FRET pair will show on an instrument: the correction factors (leakage, direct "
      "excitation, gamma; with a second laser delta and beta), each dye's brightness in each "
      "channel, and the apparent efficiency of a true one.",
      std::string(kProgram) + " plan");
  PlanRequest& request = options.request;
  (void)parser.Add("--donor-emission", request.pair.emission.path, "Donor emission spectrum");
  (void)parser.Add("--donor-absorption", request.donor_absorption.path,
                   "Donor absorption spectrum");
  (void)parser.Add("--acceptor-absorption", request.pair.absorption.path,
                   "Acceptor absorption spectrum");
  (void)parser.Add("--acceptor-emission", request.acceptor_emission.path,
                   "Acceptor emission spectrum");
  TypedOptions typed;
  AddParameterOptions(parser, kPairOptions, Command::kPlan, typed);
  AddPlanOptions(parser, AllPlanParameters(), options.typed, request);
  (void)parser.Flag("--json", options.json, "Machine-readable output");
  AddExclusions(parser, Command::kPlan);
  parser.Version(std::string(kProgram) + " " + std::string(kVersion));
  if (const auto code = parser.Parse(args.subspan(1), out, err, kExitBadOption)) return code;

  bool ok = TakeTypedOptions(typed, Command::kPlan, request.pair, err);
  ok = TakePlanOptions(options.typed, request, err) && ok;
  // What every plan needs, refused as a missing option is.
  const std::pair<bool, std::string_view> needed[] = {
      {!request.pair.emission.path.empty(), "--donor-emission"},
      {!request.donor_absorption.path.empty(), "--donor-absorption"},
      {!request.pair.absorption.path.empty(), "--acceptor-absorption"},
      {!request.acceptor_emission.path.empty(), "--acceptor-emission"},
      {request.Given(PlanParameter::kDonorExtinction), "--donor-extinction"},
      {request.Given(PlanParameter::kAcceptorQuantumYield), "--acceptor-quantum-yield"},
      {request.Given(PlanParameter::kDonorLaser), "--donor-laser"},
      {request.Given(PlanParameter::kDonorChannel), "--donor-channel"},
      {request.Given(PlanParameter::kAcceptorChannel), "--acceptor-channel"},
  };
  for (const auto& [given, option] : needed) {
    if (!given) {
      err << kProgram << " plan: " << option << " is required\n";
      ok = false;
    }
  }
  if (!ok) return kExitBadOption;
  return std::nullopt;
}

}  // namespace

void AddPlanOptions(OptionParser& parser, std::span<const PlanParameter> parameters,
                    PlanOptionValues& typed, PlanRequest& request) {
  for (const PlanParameter parameter : parameters) {
    const PlanParameterDeclaration& declared = DeclarationOf(parameter);
    const auto index = static_cast<std::size_t>(declared.id);
    if (declared.repeatable) {
      (void)parser.AddList(declared.option, request.values[index], declared.help, 1, -1);
    } else {
      (void)parser.Add(declared.option, typed.single[index], declared.help);
    }
  }
}

bool TakePlanOptions(const PlanOptionValues& typed, PlanRequest& request, std::ostream& err) {
  bool ok = true;
  for (const PlanParameterDeclaration& declared : PlanParameterTable()) {
    const auto index = static_cast<std::size_t>(declared.id);
    if (typed.single[index]) request.values[index] = {*typed.single[index]};
    for (const ValueRefusal& refusal : Refusals(declared.id, request.values[index])) {
      ok = RefuseOption(err, declared.option, refusal.text, refusal.why);
    }
  }
  return ok;
}

int RunPlanCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  PlanOptions options;
  if (const auto code = ParsePlan(args, options, out, err)) return *code;
  const PlanOutcome outcome = RunPlan(options.request);
  for (const std::string& note : outcome.notes) err << "Warning: " << note << '\n';
  if (!outcome.refusal.empty()) {
    err << kProgram << " plan: " << outcome.refusal << '\n';
    return kExitRejected;
  }
  out << (options.json ? PlanJson(outcome) + '\n' : PlanLines(outcome));
  return kExitSuccess;
}

}  // namespace korin
