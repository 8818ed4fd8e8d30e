// How the command-line tool speaks: its name begins every message, and an
// option value it cannot take is refused in one form, naming what it takes.
#pragma once

#include <ostream>
#include <string_view>

namespace korin {

inline constexpr std::string_view kProgram = "korin-fret-cli";

// Writes "korin-fret-cli: OPTION: 'TEXT' is not accepted; WHY" and answers
// false, for `ok = RefuseOption(...)`. WHY is a ValueRefusal's: "expected
// a number with ...", or a sentence of its own.
inline bool RefuseOption(std::ostream& err, std::string_view option, std::string_view text,
                         std::string_view why) {
  err << kProgram << ": " << option << ": '" << text << "' is not accepted; " << why << '\n';
  return false;
}

}  // namespace korin
