#include "import/field_scanner.h"

#include <utility>

#include "core/parse_real.h"

namespace korin {
namespace {
constexpr std::string_view kSeparators = "\t ,";
}  // namespace

void TrimTrailingSeparators(std::string_view& text) {
  const auto last = text.find_last_not_of(kSeparators);
  text = last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}

void TrimLeadingSeparators(std::string_view& text) {
  if (text.size() < 2) return;
  const auto first = text.find_first_not_of(kSeparators);
  // All separators: the last one stays.
  text.remove_prefix(first == std::string_view::npos ? text.size() - 1 : first);
}

bool NextNumericField(std::string_view& line, double& value) {
  if (line.empty() || line == ",") return false;
  TrimLeadingSeparators(line);
  const auto separator = line.find_first_of(kSeparators);
  std::string_view field =
      line.substr(0, separator == std::string_view::npos ? line.size() : separator + 1);
  line.remove_prefix(field.size());
  TrimTrailingSeparators(field);
  return ParseReal(field, value);
}

void OrderPair(int& low, int& high) {
  if (high < low) std::swap(low, high);
}

}  // namespace korin
