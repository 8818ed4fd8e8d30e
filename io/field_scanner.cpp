#include "io/field_scanner.h"

#include <cstddef>
#include <utility>

#include "numeric/parse_real.h"

namespace korin {

// Plain loops: these run for every field of every line, and a search for
// any of three characters costs a library call per character.

void TrimTrailingSeparators(std::string_view& text) {
  std::size_t size = text.size();
  while (size != 0 && IsFieldSeparator(text[size - 1])) --size;
  text = text.substr(0, size);
}

void TrimLeadingSeparators(std::string_view& text) {
  // A text made of separators keeps its last one.
  std::size_t first = 0;
  while (first + 1 < text.size() && IsFieldSeparator(text[first])) ++first;
  text.remove_prefix(first);
}

bool NextNumericField(std::string_view& line, double& value) {
  if (line.empty() || line == ",") return false;
  TrimLeadingSeparators(line);
  std::size_t length = 0;
  while (length < line.size() && !IsFieldSeparator(line[length])) ++length;
  // The field, without separators, goes with the one that ends it; the rest
  // of a run of separators stays for the next call.
  const std::string_view field = line.substr(0, length);
  line.remove_prefix(length < line.size() ? length + 1 : length);
  return ParseReal(field, value);
}

void OrderPair(int& low, int& high) {
  if (high < low) std::swap(low, high);
}

}  // namespace korin
