// What the panel's number fields accept, stated once: the engine's field
// handlers check typed texts against these, and everything that reads a
// parameter as text elsewhere (the command-line options, a dye sheet's
// cells, a request) checks it against the same range and reports a refused
// value in the same words.
#pragma once

#include <string_view>

#include "numeric/decimal_bound.h"

namespace korin {

struct ParameterRange {
  std::string_view accepted;  // "a number with 1E-6 <= Q <= 1"
  bool (*in_range)(double value);
};

namespace ranges {
inline constexpr ParameterRange kConcentration{
    "a number with 1E-12 <= C <= 10 (mol/L)", [](double v) {
      return InClosedRange(v, bounds::kMinConcentration, bounds::kMaxConcentration);
    }};
inline constexpr ParameterRange kExtinction{
    "a number with 0.001 < E < 1E10 (M^-1 cm^-1)",
    [](double v) { return InOpenRange(v, bounds::kMinExtinction, bounds::kMaxExtinction); }};
inline constexpr ParameterRange kRefractiveIndex{
    "a number with 1E-4 <= n <= 1000", [](double v) {
      return InClosedRange(v, bounds::kMinRefractiveIndex, bounds::kMaxRefractiveIndex);
    }};
inline constexpr ParameterRange kOrientation{
    "a number with 1E-6 <= K2 <= 1", [](double v) {
      return InClosedRange(v, bounds::kMinOrientationFactor, bounds::kMaxOrientationFactor);
    }};
inline constexpr ParameterRange kQuantumYield{
    "a number with 1E-6 <= Q <= 1",
    [](double v) { return InClosedRange(v, bounds::kMinQuantumYield, bounds::kMaxQuantumYield); }};
}  // namespace ranges

// Reads `text` with the program's number syntax into `value` (whatever the
// syntax makes of it, also when refused, as a field stores it); true when
// it is a number that `range` accepts.
[[nodiscard]] bool ReadInRange(std::string_view text, const ParameterRange& range, double& value);

}  // namespace korin
