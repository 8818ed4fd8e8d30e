// The command-line tool: J and R0 of a donor emission file and an acceptor
// absorption file, computed by the same readers and numbers as the windows.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace korin {

// Exit codes of the tool.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitRejected = 1;   // a spectrum refused, or the calculation cannot run
inline constexpr int kExitBadOption = 2;  // an option or its value is not accepted

// Runs the tool on `args` (args[0] is the program name) and answers its exit
// code. Results go to `out`; reader messages and errors to `err`. With
// args[1] "pairs" it runs the pair table (cli/pairs_command.h), which writes
// an aligned table by default when `out_is_terminal`.
[[nodiscard]] int RunFretCli(std::span<const std::string> args, std::ostream& out,
                             std::ostream& err, bool out_is_terminal = false);

}  // namespace korin
