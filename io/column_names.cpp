// The words of column headers: which kind of column a name heads and which
// wavelength unit it gives.
#include "io/column_names.h"

#include <algorithm>
#include <array>
#include <string>

#include "numeric/ascii_text.h"

namespace korin {
namespace {

// The words the tests below look for are all shorter than this, and they
// test at most this many letters of the start of a word.
constexpr std::size_t kWordLetters = 16;

// Whether `test` holds for any run of ASCII letters in `name`, each
// lower-cased and handed over as its first kWordLetters letters: a longer
// word then equals none of the words tested, and starts as it does whole.
// No word is stored: a header's names are tested on every load.
template <typename Test>
bool AnyWord(std::string_view name, const Test& test) {
  std::array<char, kWordLetters> word{};
  std::size_t length = 0;
  const auto tested = [&] {
    const std::string_view kept(word.data(), std::min(length, kWordLetters));
    length = 0;
    return test(kept);
  };
  for (const char c : name) {
    const char lower = AsciiLower(c);
    if (lower >= 'a' && lower <= 'z') {
      if (length < kWordLetters) word[length] = lower;
      ++length;
    } else if (length != 0 && tested()) {
      return true;
    }
  }
  return length != 0 && tested();
}

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

constexpr std::string_view kMicroSign = "\xC2\xB5";  // U+00B5
constexpr std::string_view kGreekMu = "\xCE\xBC";    // U+03BC

bool IsWavelengthWord(std::string_view w) {
  return w.starts_with("wavelength") || w.starts_with("wavenumber") || w == "wl" || w == "lambda" ||
         w == "wave";
}
bool IsExcitationWord(std::string_view w) {
  return w == "ex" || w == "exc" || w.starts_with("excit");
}
bool IsAbsorptionWord(std::string_view w) {
  return w == "abs" || w.starts_with("absorb") || w.starts_with("absorp") || w == "ext" ||
         w.starts_with("extinct") || w == "eps" || w == "epsilon";
}
bool IsEmissionWord(std::string_view w) {
  // "Fluorescein" is a dye, not a kind of spectrum.
  return w == "em" || w == "ems" || w == "emi" || w.starts_with("emis") || w.starts_with("emit") ||
         w == "fl" || w == "fluo" || w == "fluor" ||
         (w.starts_with("fluoresc") && !w.starts_with("fluorescein"));
}

// A name that is only a unit ("nm", "(um)", "cm-1", "1/cm") heads a
// wavelength column: its letters, a micro sign counting as "u", are exactly
// those of a unit. A third letter settles it.
bool IsUnitOnly(std::string_view name) {
  std::array<char, 2> letters{};
  std::size_t count = 0;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const std::string_view pair(name.data() + i, std::min<std::size_t>(2, name.size() - i));
    char letter = AsciiLower(name[i]);
    if (pair == kMicroSign || pair == kGreekMu) {
      letter = 'u';
      ++i;
    } else if (letter < 'a' || letter > 'z') {
      continue;
    }
    if (count == letters.size()) return false;
    letters[count++] = letter;
  }
  const std::string_view unit(letters.data(), count);
  return unit == "nm" || unit == "um" || unit == "cm";
}

// Which kinds of words a name holds, one bit per ColumnKind, found in one
// pass over its words.
unsigned KindsOfWords(std::string_view name) {
  unsigned kinds = 0;
  const auto note = [&kinds](ColumnKind kind) { kinds |= 1u << static_cast<unsigned>(kind); };
  (void)AnyWord(name, [&](std::string_view w) {
    if (IsWavelengthWord(w)) note(ColumnKind::kWavelength);
    if (IsExcitationWord(w)) note(ColumnKind::kExcitation);
    if (IsAbsorptionWord(w)) note(ColumnKind::kAbsorption);
    if (IsEmissionWord(w)) note(ColumnKind::kEmission);
    return false;
  });
  return kinds;
}

}  // namespace

ColumnKind KindOfColumnName(std::string_view name) {
  const unsigned kinds = KindsOfWords(name);
  const auto any = [kinds](ColumnKind kind) {
    return (kinds & (1u << static_cast<unsigned>(kind))) != 0;
  };
  if (any(ColumnKind::kWavelength) || Contains(name, "\xCE\xBB") || IsUnitOnly(name)) {  // lambda
    return ColumnKind::kWavelength;
  }
  if (any(ColumnKind::kExcitation)) return ColumnKind::kExcitation;
  // Epsilon, and its lunate form.
  if (any(ColumnKind::kAbsorption) || Contains(name, "\xCE\xB5") || Contains(name, "\xCF\xB5")) {
    return ColumnKind::kAbsorption;
  }
  if (any(ColumnKind::kEmission)) return ColumnKind::kEmission;
  return ColumnKind::kOther;
}

WavelengthUnit UnitOfColumnName(std::string_view name) {
  const std::string lowered = AsciiLowered(name);
  for (const std::string_view per_cm : {"cm-1", "cm^-1", "cm\xE2\x81\xBB\xC2\xB9", "1/cm"}) {
    if (Contains(lowered, per_cm)) return WavelengthUnit::kWavenumber;
  }
  if (AnyWord(name, [](std::string_view w) { return w.starts_with("wavenumber"); })) {
    return WavelengthUnit::kWavenumber;
  }
  if (Contains(name, std::string(kMicroSign) + "m") ||
      Contains(name, std::string(kGreekMu) + "m")) {
    return WavelengthUnit::kMicrometre;
  }
  if (AnyWord(name, [](std::string_view w) {
        return w == "um" || w.starts_with("micron") || w.starts_with("micromet");
      })) {
    return WavelengthUnit::kMicrometre;
  }
  return WavelengthUnit::kNanometre;
}

std::string_view UnitText(WavelengthUnit unit) {
  switch (unit) {
    case WavelengthUnit::kNanometre:
      return "nm";
    case WavelengthUnit::kMicrometre:
      return "um";
    case WavelengthUnit::kWavenumber:
      return "cm-1";
  }
  return "nm";
}

}  // namespace korin
