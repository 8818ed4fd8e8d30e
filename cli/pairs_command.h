// korin-fret-cli pairs: J and R0 of every donor x acceptor pair of a dye
// sheet or of file lists, as CSV, JSON or an aligned table.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace korin {

// Runs `korin-fret-cli pairs ...` (args[0] the program, args[1] "pairs").
// Without --format the table is written for a terminal (`out_is_terminal`)
// and CSV otherwise. Answers 0 when every pair was computed, 1 when a
// spectrum, a sheet row or a pair was left out (the rest is still written,
// the reasons on `err`), 2 for a bad option or an unreadable sheet.
[[nodiscard]] int RunPairsCommand(std::span<const std::string> args, std::ostream& out,
                                  std::ostream& err, bool out_is_terminal);

}  // namespace korin
