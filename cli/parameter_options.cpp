#include "cli/parameter_options.h"

#include <string_view>

#include "cli/tool_messages.h"
#include "core/parameter_ranges.h"
#include "numeric/ascii_text.h"

namespace korin {
namespace {

// One option's value, read with the program's number syntax and checked
// against the range its field accepts.
bool ReadNumber(std::string_view option, const ParameterRange& range, const std::string& text,
                double& value, std::ostream& err) {
  return ReadInRange(text, range, value) || RefuseOption(err, option, text, range.accepted);
}

}  // namespace

void ParameterOptions::AddTo(CLI::App& app, bool lists) {
  app.add_option("--emission-filter", emission_filter,
                 lists ? "Open-dialog filter entry for the --donors files, 1..6 (default 1: by "
                         "extension)"
                       : "Open-dialog filter entry for the emission file, 1..6 (default 1: by "
                         "extension)");
  app.add_option("--absorption-filter", absorption_filter,
                 lists ? "Open-dialog filter entry for the --acceptors files, 1..6 (default 1)"
                       : "Open-dialog filter entry for the absorption file, 1..6 (default 1)");
  app.add_option("--concentration", concentration,
                 lists ? "Acceptor concentration in mol/L, for acceptors without their own "
                         "(default 1E-5)"
                       : "Acceptor concentration in mol/L (default 1E-5)");
  app.add_option("--optical-path", optical_path, "0.1, 0.2, 0.5, 1, 5 or 10 cm (default 1)");
  app.add_option("--extinction", extinction,
                 lists ? "Peak extinction coefficient in M^-1 cm^-1 for acceptors without their "
                         "own: extinction entry instead of concentration"
                       : "Peak extinction coefficient in M^-1 cm^-1: extinction entry instead of "
                         "concentration");
  auto* solvent_option =
      app.add_option("--solvent", solvent, "water (default), toluene or methanol")
          ->check(CLI::IsMember({"water", "toluene", "methanol"}, CLI::ignore_case));
  app.add_option("--refractive-index", refractive_index,
                 "A refractive index of your own instead of --solvent")
      ->excludes(solvent_option);
  app.add_option("--orientation", orientation,
                 "Orientation factor kappa^2 (default 0.66667, the value the window starts with)");
  app.add_option("--quantum-yield", quantum_yield,
                 lists ? "Donor quantum yield, for donors without their own (default 0.5)"
                       : "Donor quantum yield (default 0.5)");
}

bool ReadParameters(const ParameterOptions& o, Parameters& p, std::ostream& err) {
  double value = 0.0;
  // A value becomes an int only once it is known to be in range.
  bool ok = ReadNumber("--emission-filter", ranges::kFilterEntry, o.emission_filter, value, err);
  if (ok) p.emission_filter = static_cast<int>(value);
  if (ReadNumber("--absorption-filter", ranges::kFilterEntry, o.absorption_filter, value, err)) {
    p.absorption_filter = static_cast<int>(value);
  } else {
    ok = false;
  }
  ok = ReadNumber("--concentration", ranges::kConcentration, o.concentration, value, err) && ok;
  if (ReadNumber("--optical-path", ranges::kOpticalPath, o.optical_path, value, err)) {
    p.optical_path = OpticalPathIndexOf(value);
  } else {
    ok = false;
  }
  if (o.extinction) {
    ok = ReadNumber("--extinction", ranges::kExtinction, *o.extinction, value, err) && ok;
  }
  if (o.refractive_index) {
    ok = ReadNumber("--refractive-index", ranges::kRefractiveIndex, *o.refractive_index, value,
                    err) &&
         ok;
    p.solvent = 0;
  } else {
    for (std::size_t i = 0; i < kSolventTable.size(); ++i) {
      if (AsciiLowered(kSolventTable[i].name) == AsciiLowered(o.solvent))
        p.solvent = static_cast<int>(i);
    }
  }
  ok = ReadNumber("--orientation", ranges::kOrientation, o.orientation, value, err) && ok;
  ok = ReadNumber("--quantum-yield", ranges::kQuantumYield, o.quantum_yield, value, err) && ok;
  return ok;
}

}  // namespace korin
