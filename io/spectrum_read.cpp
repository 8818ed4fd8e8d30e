#include "io/spectrum_read.h"

namespace korin {
namespace {

constexpr std::string_view kOutsideTheGrid = "its wavelengths lie outside 100 to 1500 nm";

std::string RangeText(int first, int last) {
  if (!SpectrumGrid::Contains(first) || !SpectrumGrid::Contains(last)) {
    return std::string(kOutsideTheGrid);
  }
  const std::string from = std::to_string(first);
  const std::string to = std::to_string(last);
  // Only the two-column emission reader keeps a decreasing file's ends as
  // they stand; the others put them in order first.
  if (last < first) {
    return "its wavelengths run from " + from + " down to " + to +
           " nm, and this format needs them increasing";
  }
  const std::string_view rule = ", and a spectrum must span more than 10 nm within 100 to 1500 nm";
  if (first == last) return "its only wavelength is " + from + " nm" + std::string(rule);
  return "its wavelengths run from " + from + " to " + to + " nm" + std::string(rule);
}

}  // namespace

std::string RefusalText(const SpectrumRead& read) {
  switch (read.refusal) {
    case Refusal::kNone:
      return {};
    case Refusal::kNoData:
      return "no data points found";
    case Refusal::kValueMissing:
      return "a data line holds a wavelength but no value";
    case Refusal::kLeadingFields:
      return "a line does not begin with the two numbers this format puts before the wavelength";
    case Refusal::kRange:
      return RangeText(read.spectrum.first, read.spectrum.last);
    case Refusal::kOrder:
      return "its wavelengths do not run in the order this format needs";
    case Refusal::kOffGrid:
      return std::string(kOutsideTheGrid);
    case Refusal::kColumnChoice:
      return "the columns to read could not be chosen";
  }
  return {};
}

}  // namespace korin
