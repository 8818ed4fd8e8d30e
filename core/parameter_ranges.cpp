#include "core/parameter_ranges.h"

#include "numeric/parse_real.h"

namespace korin {

bool ReadInRange(std::string_view text, const ParameterRange& range, double& value) {
  return ParseReal(text, value) && range.in_range(value);
}

}  // namespace korin
