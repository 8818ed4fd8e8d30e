// Cuts numeric fields off the front of a line of spectrum text. Fields are
// separated by tabs, blanks and commas; a run of separators counts as one.
#pragma once

#include <string_view>

namespace korin {

[[nodiscard]] constexpr bool IsFieldSeparator(char c) {
  return c == '\t' || c == ' ' || c == ',';
}

// Removes separators from the end of `text`.
void TrimTrailingSeparators(std::string_view& text);

// Removes separators from the front of `text`, except that a text made of
// one separator keeps it.
void TrimLeadingSeparators(std::string_view& text);

// Takes the next field off the front of `line` and converts it with
// ParseReal; `value` receives the converted or partial value and the answer
// is ParseReal's. An empty line, or a line that is exactly ",", answers false
// and leaves both `line` and `value` as they were.
[[nodiscard]] bool NextNumericField(std::string_view& line, double& value);

// Puts the two wavelengths in ascending order.
void OrderPair(int& low, int& high);

}  // namespace korin
