// What each parameter accepts, as the parameter table's rows refer to it:
// a function per rule that answers why values are refused (empty when
// accepted), in the words every front end reports.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "request/parameters.h"

namespace korin::rules {

using Values = std::span<const std::string>;
using Refused = std::vector<ValueRefusal>;

// "a, b or c"
[[nodiscard]] std::string Listed(std::span<const std::string> words, std::string_view last_joint);
// The wavelength units and the optical paths as a request names them.
[[nodiscard]] std::vector<std::string> UnitWords();
[[nodiscard]] std::vector<std::string> OpticalPathWords();

// The panel's number fields, each against its range.
Refused QuantumYield(Values values);
Refused Orientation(Values values);
Refused Concentration(Values values);
Refused RefractiveIndex(Values values);
Refused Extinction(Values values);
// A whole number among the side's open-dialog entries.
Refused EmissionFilter(Values values);
Refused AbsorptionFilter(Values values);
// One of the list's paths, one of the solvents.
Refused OpticalPath(Values values);
Refused Solvent(Values values);
// "WL,VALUE" or "VALUE"; a wavelength unit.
Refused Columns(Values values);
Refused Units(Values values);
// The analysis: an efficiency, a distance, an error in percent, each by
// its own rule and in its own words; kappa^2's MIN MAX; two anisotropies.
Refused Efficiency(Values values);
Refused Distance(Values values);
Refused ErrorPercent(Values values);
Refused Kappa2Range(Values values);
Refused Anisotropies(Values values);
// The pair table's target distance.
Refused TargetDistance(Values values);

}  // namespace korin::rules
