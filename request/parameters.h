// Every parameter a calculation takes, declared once: its name, its
// command-line option, its dye-sheet column, what it accepts, its default,
// its unit and its help. The command-line tool's options, the dye sheet's
// checks, a request's JSON, the reproducing command and the windows' checks
// are all derived from this table, so a parameter added here reaches every
// front end, and no two can disagree on what one accepts.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/fret_engine.h"
#include "core/grid_spectrum.h"

namespace korin {

// In the order the reproducing command writes them.
enum class Parameter {
  kEmissionFilter,   // the emission open dialog's filter entry
  kEmissionColumns,  // the emission file read through the column import
  kEmissionUnits,    // ... and the unit of its wavelengths
  kAbsorptionFilter,
  kAbsorptionColumns,
  kAbsorptionUnits,
  kQuantumYield,
  kOrientation,
  kConcentration,
  kOpticalPath,
  kSolvent,
  kRefractiveIndex,
  kExtinction,
  kEfficiency,
  kDistance,
  kKappa2Range,
  kAnisotropy,
  kQuantumYieldError,
  kRefractiveIndexError,
  kExtinctionError,
  kTargetDistance,
};
inline constexpr std::size_t kParameterCount = 21;

// Whose value a parameter is: in the pair table a donor's or an
// acceptor's own, or shared by every pair; a figure the analysis is asked
// for; or a setting of the pair table alone.
enum class ParameterScope { kDonor, kAcceptor, kShared, kAnalysis, kPairTable };

// A value refused, and why: `why` is what follows "is not accepted; " in a
// message ("expected a number with 1E-6 <= Q <= 1").
struct ValueRefusal {
  std::string text;  // the value as typed; two values joined by a blank
  std::string why;
};

struct ParameterDeclaration {
  Parameter id;
  ParameterScope scope;
  std::string name;          // in JSON: "quantum_yield"
  std::string words;         // in sentences: "quantum yield"
  std::string option;        // "--quantum-yield"
  std::string list_option;   // in the pairs command, when it differs ("--donor-column")
  std::string sheet_column;  // a dye sheet's column; empty when sheets have none
  std::string default_text;  // what stands when it is not given; empty: nothing
  std::string unit;          // of its value, in ASCII ("mol/L"); empty when none
  std::string help;
  std::string list_help;  // in the pairs command, when it differs
  int values = 1;         // how many texts it takes: 2 for MIN MAX pairs
  // Empty when `values` (as many as the parameter takes) are accepted.
  std::vector<ValueRefusal> (*refuse)(std::span<const std::string> values) = nullptr;
  // The words a choice takes ("water", "toluene", "methanol"); empty for
  // everything that is not a choice.
  std::vector<std::string> choices;
};

// Every parameter, in Parameter order.
[[nodiscard]] std::span<const ParameterDeclaration> ParameterTable();
[[nodiscard]] const ParameterDeclaration& DeclarationOf(Parameter parameter);
// The parameter of that name, or nullptr.
[[nodiscard]] const ParameterDeclaration* DeclarationNamed(std::string_view name);

// Why `values` of `parameter` are refused; empty when accepted. A wrong
// number of values is refused too.
[[nodiscard]] std::vector<ValueRefusal> Refusals(Parameter parameter,
                                                 std::span<const std::string> values);
[[nodiscard]] std::vector<ValueRefusal> Refusals(Parameter parameter, std::string_view text);

// The side a spectrum parameter belongs to (filter, columns, units); for
// any other, nothing.
[[nodiscard]] std::optional<SpectrumSide> SideOf(Parameter parameter);
// The filter, columns and units parameters of a side.
[[nodiscard]] Parameter FilterParameter(SpectrumSide side);
[[nodiscard]] Parameter ColumnsParameter(SpectrumSide side);
[[nodiscard]] Parameter UnitsParameter(SpectrumSide side);

// The solvents a request names (the list's entries but "<Other>", which a
// refractive index of one's own stands for), lower-cased: "water".
[[nodiscard]] std::vector<std::string> SolventNames();
// The index into kSolventTable of a solvent so named, any case; -1 for none.
[[nodiscard]] int SolventIndexNamed(std::string_view name);
// The index into kOpticalPathTable of a path typed in cm; -1 for none.
[[nodiscard]] int OpticalPathIndexTyped(std::string_view text);
// The solvent's name as a request writes it: "water".
[[nodiscard]] std::string SolventName(int index);

}  // namespace korin
