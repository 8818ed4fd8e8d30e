#include "request/parameter_rules.h"

#include <array>
#include <cmath>

#include "core/fret_analysis.h"
#include "core/parameter_ranges.h"
#include "core/parameter_tables.h"
#include "io/column_reader.h"
#include "io/column_table.h"
#include "io/spectrum_formats.h"
#include "numeric/ascii_text.h"
#include "numeric/number_text.h"
#include "numeric/parse_real.h"

namespace korin::rules {
namespace {

constexpr std::array<WavelengthUnit, 3> kUnits{
    WavelengthUnit::kNanometre, WavelengthUnit::kMicrometre, WavelengthUnit::kWavenumber};

Refused RefuseUnless(bool accepted, Values values, std::string why) {
  if (accepted) return {};
  return {{values.empty() ? std::string() : values.front(), std::move(why)}};
}

// A number in one of the panel's ranges.
Refused OutOfRange(Values values, const ParameterRange& range) {
  double value = 0.0;
  return RefuseUnless(ReadInRange(values.front(), range, value), values,
                      "expected " + std::string(range.accepted));
}

Refused FilterEntry(Values values, SpectrumSide side) {
  double value = 0.0;
  const int entries = FilterEntryCount(side);
  // The range first: a cast of a value out of range is undefined.
  const bool whole = ParseReal(values.front(), value) && value >= 1 && value <= entries &&
                     value == std::floor(value);
  return RefuseUnless(whole, values,
                      "expected a whole number from 1 to " + std::to_string(entries));
}

// An analysis figure's number, checked by its own rule, which words its
// refusal itself.
Refused CheckedNumber(Values values, Checked (*check)(double)) {
  double value = 0.0;
  if (!ParseReal(values.front(), value)) return {{values.front(), "expected a number"}};
  Checked checked = check(value);
  if (!checked.value) return {{values.front(), std::move(checked.message)}};
  return {};
}

// Two numbers; each that is none is refused by itself.
Refused ReadTwo(Values values, double& first, double& second) {
  Refused refused;
  for (std::size_t i = 0; i < 2; ++i) {
    if (!ParseReal(values[i], i == 0 ? first : second)) {
      refused.push_back({values[i], "expected a number"});
    }
  }
  return refused;
}

}  // namespace

std::string Listed(std::span<const std::string> words, std::string_view last_joint) {
  std::string text;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (i > 0) text += i + 1 == words.size() ? std::string(last_joint) : std::string(", ");
    text += words[i];
  }
  return text;
}

std::vector<std::string> UnitWords() {
  std::vector<std::string> words;
  for (const WavelengthUnit unit : kUnits) words.emplace_back(UnitText(unit));
  return words;
}

std::vector<std::string> OpticalPathWords() {
  std::vector<std::string> words;
  for (const korin::OpticalPath& path : kOpticalPathTable) {
    words.push_back(RoundTripText(path.centimetres));
  }
  return words;
}

Refused QuantumYield(Values values) {
  return OutOfRange(values, ranges::kQuantumYield);
}
Refused Orientation(Values values) {
  return OutOfRange(values, ranges::kOrientation);
}
Refused Concentration(Values values) {
  return OutOfRange(values, ranges::kConcentration);
}
Refused RefractiveIndex(Values values) {
  return OutOfRange(values, ranges::kRefractiveIndex);
}
Refused Extinction(Values values) {
  return OutOfRange(values, ranges::kExtinction);
}
Refused EmissionFilter(Values values) {
  return FilterEntry(values, SpectrumSide::kEmission);
}
Refused AbsorptionFilter(Values values) {
  return FilterEntry(values, SpectrumSide::kAbsorption);
}

Refused OpticalPath(Values values) {
  return RefuseUnless(OpticalPathIndexTyped(values.front()) >= 0, values,
                      "expected one of " + Listed(OpticalPathWords(), ", ") + " (cm)");
}

Refused Solvent(Values values) {
  const std::vector<std::string> names = SolventNames();
  return RefuseUnless(SolventIndexNamed(values.front()) > 0, values,
                      "expected " + Listed(names, " or "));
}

Refused Columns(Values values) {
  // "WL,VALUE"; a lone VALUE takes its own wavelength column.
  const std::string_view text = values.front();
  const auto comma = text.find(',');
  const std::string_view value =
      TrimmedBlanks(comma == std::string_view::npos ? text : text.substr(comma + 1));
  const bool named = !value.empty() && (comma == std::string_view::npos ||
                                        !TrimmedBlanks(text.substr(0, comma)).empty());
  return RefuseUnless(named, values,
                      "expected WL,VALUE or VALUE, each a column number from 1 or a header name");
}

Refused Units(Values values) {
  return RefuseUnless(ParseWavelengthUnit(TrimmedBlanks(values.front())).has_value(), values,
                      "expected " + Listed(UnitWords(), " or "));
}

Refused Efficiency(Values values) {
  return CheckedNumber(values, EfficiencyOf);
}
Refused Distance(Values values) {
  return CheckedNumber(values, DistanceOf);
}
Refused ErrorPercent(Values values) {
  return CheckedNumber(values, ErrorFromPercent);
}

Refused Kappa2Range(Values values) {
  double min = 0.0;
  double max = 0.0;
  Refused refused = ReadTwo(values, min, max);
  if (refused.empty() && !IsKappa2Range(min, max)) {
    refused.push_back({values[0] + " " + values[1],
                       "expected 0 <= MIN <= MAX <= " + FormatGeneral(kLargestKappa2, 15)});
  }
  return refused;
}

Refused Anisotropies(Values values) {
  double donor = 0.0;
  double acceptor = 0.0;
  Refused refused = ReadTwo(values, donor, acceptor);
  std::string message;
  if (refused.empty() && !Kappa2FromAnisotropies(donor, acceptor, message)) {
    refused.push_back({values[0] + " " + values[1], message});
  }
  return refused;
}

Refused TargetDistance(Values values) {
  double value = 0.0;
  return RefuseUnless(ParseReal(values.front(), value) && DistanceOf(value).value, values,
                      "expected a positive number (Angstroms)");
}

}  // namespace korin::rules
