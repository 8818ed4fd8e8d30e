#include "request/parameters.h"

#include "core/fret_analysis.h"
#include "core/parameter_tables.h"
#include "io/spectrum_formats.h"
#include "numeric/ascii_text.h"
#include "numeric/number_text.h"
#include "numeric/parse_real.h"
#include "request/parameter_rules.h"

namespace korin {
namespace {

std::vector<ParameterDeclaration> MakeTable() {
  const std::string emission_entries =
      "1.." + std::to_string(FilterEntryCount(SpectrumSide::kEmission));
  const std::string absorption_entries =
      "1.." + std::to_string(FilterEntryCount(SpectrumSide::kAbsorption));
  const std::vector<std::string> paths = rules::OpticalPathWords();
  std::vector<std::string> solvents = SolventNames();
  std::string solvent_help = solvents.front() + " (default)";
  for (std::size_t i = 1; i < solvents.size(); ++i) {
    solvent_help += (i + 1 == solvents.size() ? " or " : ", ") + solvents[i];
  }
  const auto columns_help = [](std::string_view side) {
    return "Read the " + std::string(side) +
           " file as delimited columns: WL,VALUE as column numbers from 1 or header names, or "
           "VALUE with its own wavelength column";
  };
  const auto units_help = [](std::string_view side) {
    return "Wavelength unit of the " + std::string(side) +
           " columns: nm, um or cm-1 (default: as the header says, else nm); alone, the header "
           "chooses the columns";
  };
  using P = Parameter;
  using S = ParameterScope;
  std::vector<ParameterDeclaration> table = {
      {P::kEmissionFilter,
       S::kDonor,
       "emission_filter",
       "emission filter entry",
       "--emission-filter",
       "",
       "filter",
       "1",
       "",
       "Open-dialog filter entry for the emission file, " + emission_entries +
           " (default 1: by extension)",
       "Open-dialog filter entry for the --donors files, " + emission_entries +
           " (default 1: by extension)",
       1,
       rules::EmissionFilter,
       {}},
      {P::kEmissionColumns,
       S::kDonor,
       "emission_columns",
       "emission columns",
       "--emission-columns",
       "--donor-column",
       "column",
       "",
       "",
       columns_help("emission"),
       "Read the --donors files as downloaded tables: the value column by number or header "
       "name, or auto for the emission column the header names",
       1,
       rules::Columns,
       {}},
      {P::kEmissionUnits,
       S::kDonor,
       "emission_units",
       "emission units",
       "--emission-units",
       "--donor-units",
       "units",
       "",
       "",
       units_help("emission"),
       "Wavelength unit of the --donors tables (default: as their header says)",
       1,
       rules::Units,
       {}},
      {P::kAbsorptionFilter,
       S::kAcceptor,
       "absorption_filter",
       "absorption filter entry",
       "--absorption-filter",
       "",
       "filter",
       "1",
       "",
       "Open-dialog filter entry for the absorption file, " + absorption_entries + " (default 1)",
       "Open-dialog filter entry for the --acceptors files, " + absorption_entries + " (default 1)",
       1,
       rules::AbsorptionFilter,
       {}},
      {P::kAbsorptionColumns,
       S::kAcceptor,
       "absorption_columns",
       "absorption columns",
       "--absorption-columns",
       "--acceptor-column",
       "column",
       "",
       "",
       columns_help("absorption"),
       "The same for the --acceptors files (auto: the absorption column, or else the "
       "excitation)",
       1,
       rules::Columns,
       {}},
      {P::kAbsorptionUnits,
       S::kAcceptor,
       "absorption_units",
       "absorption units",
       "--absorption-units",
       "--acceptor-units",
       "units",
       "",
       "",
       units_help("absorption"),
       "Wavelength unit of the --acceptors tables (default: as their header says)",
       1,
       rules::Units,
       {}},
      {P::kQuantumYield,
       S::kDonor,
       "quantum_yield",
       "quantum yield",
       "--quantum-yield",
       "",
       "quantum_yield",
       "0.5",
       "",
       "Donor quantum yield (default 0.5)",
       "Donor quantum yield, for donors without their own (default 0.5)",
       1,
       rules::QuantumYield,
       {}},
      {P::kOrientation,
       S::kShared,
       "orientation",
       "orientation factor",
       "--orientation",
       "",
       "",
       "0.66667",
       "",
       "Orientation factor kappa^2 (default 0.66667, the value the window starts with)",
       "",
       1,
       rules::Orientation,
       {}},
      {P::kConcentration,
       S::kAcceptor,
       "concentration",
       "concentration",
       "--concentration",
       "",
       "concentration",
       "1E-5",
       "mol/L",
       "Acceptor concentration in mol/L (default 1E-5)",
       "Acceptor concentration in mol/L, for acceptors without their own (default 1E-5)",
       1,
       rules::Concentration,
       {}},
      {P::kOpticalPath,
       S::kAcceptor,
       "optical_path",
       "optical path",
       "--optical-path",
       "",
       "optical_path",
       "1",
       "cm",
       rules::Listed(paths, " or ") + " cm (default 1)",
       "",
       1,
       rules::OpticalPath,
       {}},
      {P::kSolvent, S::kShared, "solvent", "solvent", "--solvent", "", "", "water", "",
       solvent_help, "", 1, rules::Solvent, solvents},
      {P::kRefractiveIndex,
       S::kShared,
       "refractive_index",
       "refractive index",
       "--refractive-index",
       "",
       "",
       "",
       "",
       "A refractive index of your own instead of --solvent",
       "",
       1,
       rules::RefractiveIndex,
       {}},
      {P::kExtinction,
       S::kAcceptor,
       "extinction",
       "extinction coefficient",
       "--extinction",
       "",
       "extinction",
       "",
       "M^-1 cm^-1",
       "Peak extinction coefficient in M^-1 cm^-1: extinction entry instead of concentration",
       "Peak extinction coefficient in M^-1 cm^-1 for acceptors without their own: extinction "
       "entry instead of concentration",
       1,
       rules::Extinction,
       {}},
      {P::kEfficiency,
       S::kAnalysis,
       "efficiency",
       "efficiency",
       "--efficiency",
       "",
       "",
       "",
       "",
       "A measured transfer efficiency, 0 < E < 1: prints the distance",
       "",
       1,
       rules::Efficiency,
       {}},
      {P::kDistance,
       S::kAnalysis,
       "distance",
       "distance",
       "--distance",
       "",
       "",
       "",
       "Angstroms",
       "A donor-acceptor distance in angstroms: prints the efficiency",
       "",
       1,
       rules::Distance,
       {}},
      {P::kKappa2Range,
       S::kAnalysis,
       "kappa2_range",
       "orientation factor's range",
       "--kappa2-range",
       "",
       "",
       "",
       "",
       "The orientation factor's range MIN MAX (0 <= MIN <= MAX <= " +
           FormatGeneral(kLargestKappa2, 15) + ") for R0's uncertainty",
       "",
       2,
       rules::Kappa2Range,
       {}},
      {P::kAnisotropy,
       S::kAnalysis,
       "anisotropy",
       "anisotropies",
       "--anisotropy",
       "",
       "",
       "",
       "",
       "The donor's and acceptor's steady-state anisotropies RD RA (0..0.4): the orientation "
       "factor's range from them",
       "",
       2,
       rules::Anisotropies,
       {}},
      {P::kQuantumYieldError,
       S::kAnalysis,
       "quantum_yield_error",
       "quantum yield's error",
       "--quantum-yield-error",
       "",
       "",
       "",
       "%",
       "The quantum yield's error in percent, for R0's uncertainty",
       "",
       1,
       rules::ErrorPercent,
       {}},
      {P::kRefractiveIndexError,
       S::kAnalysis,
       "refractive_index_error",
       "refractive index's error",
       "--refractive-index-error",
       "",
       "",
       "",
       "%",
       "The refractive index's error in percent, for R0's uncertainty",
       "",
       1,
       rules::ErrorPercent,
       {}},
      {P::kExtinctionError,
       S::kAnalysis,
       "extinction_error",
       "extinction coefficient's error",
       "--extinction-error",
       "",
       "",
       "",
       "%",
       "The acceptor's extinction coefficient's error in percent, for R0's uncertainty",
       "",
       1,
       rules::ErrorPercent,
       {}},
      {P::kTargetDistance,
       S::kPairTable,
       "target_distance",
       "target distance",
       "--target-distance",
       "",
       "",
       "",
       "Angstroms",
       "A distance in Angstroms: adds |R0 - R| and the efficiency at R, and sorts by |R0 - R| "
       "unless --sort says otherwise",
       "",
       1,
       rules::TargetDistance,
       {}},
  };
  return table;
}

}  // namespace

std::span<const ParameterDeclaration> ParameterTable() {
  static const std::vector<ParameterDeclaration> table = MakeTable();
  return table;
}

const ParameterDeclaration& DeclarationOf(Parameter parameter) {
  return ParameterTable()[static_cast<std::size_t>(parameter)];
}

const ParameterDeclaration* DeclarationNamed(std::string_view name) {
  for (const ParameterDeclaration& declared : ParameterTable()) {
    if (declared.name == name) return &declared;
  }
  return nullptr;
}

std::vector<ValueRefusal> Refusals(Parameter parameter, std::span<const std::string> values) {
  const ParameterDeclaration& declared = DeclarationOf(parameter);
  if (static_cast<int>(values.size()) != declared.values) {
    std::string text;
    for (const std::string& value : values) text += (text.empty() ? "" : " ") + value;
    return {{text, "expected " + std::to_string(declared.values) +
                       (declared.values == 1 ? " value" : " values")}};
  }
  return declared.refuse(values);
}

std::vector<ValueRefusal> Refusals(Parameter parameter, std::string_view text) {
  const std::string value(text);
  return Refusals(parameter, std::span<const std::string>(&value, 1));
}

std::optional<SpectrumSide> SideOf(Parameter parameter) {
  switch (parameter) {
    case Parameter::kEmissionFilter:
    case Parameter::kEmissionColumns:
    case Parameter::kEmissionUnits:
      return SpectrumSide::kEmission;
    case Parameter::kAbsorptionFilter:
    case Parameter::kAbsorptionColumns:
    case Parameter::kAbsorptionUnits:
      return SpectrumSide::kAbsorption;
    default:
      return std::nullopt;
  }
}

Parameter FilterParameter(SpectrumSide side) {
  return side == SpectrumSide::kEmission ? Parameter::kEmissionFilter
                                         : Parameter::kAbsorptionFilter;
}

Parameter ColumnsParameter(SpectrumSide side) {
  return side == SpectrumSide::kEmission ? Parameter::kEmissionColumns
                                         : Parameter::kAbsorptionColumns;
}

Parameter UnitsParameter(SpectrumSide side) {
  return side == SpectrumSide::kEmission ? Parameter::kEmissionUnits : Parameter::kAbsorptionUnits;
}

std::vector<std::string> SolventNames() {
  std::vector<std::string> names;
  for (std::size_t i = 1; i < kSolventTable.size(); ++i) names.push_back(SolventName(int(i)));
  return names;
}

std::string SolventName(int index) {
  return AsciiLowered(kSolventTable[static_cast<std::size_t>(index)].name);
}

int SolventIndexNamed(std::string_view name) {
  const std::string lowered = AsciiLowered(TrimmedBlanks(name));
  for (std::size_t i = 1; i < kSolventTable.size(); ++i) {
    if (SolventName(static_cast<int>(i)) == lowered) return static_cast<int>(i);
  }
  return -1;
}

int OpticalPathIndexTyped(std::string_view text) {
  double value = 0.0;
  if (!ParseReal(text, value)) return -1;
  return OpticalPathIndexOf(value);
}

}  // namespace korin
