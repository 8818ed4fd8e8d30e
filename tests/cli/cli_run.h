// The command-line tool run in-process, as a shell runs it: what it wrote
// to each stream and the code it ended with.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/fret_cli.h"

namespace korin::testing {

struct CliRun {
  int code;
  std::string out;
  std::string err;
};

// `args` without the program's name; standard output is a terminal when
// `out_is_terminal`.
inline CliRun RunCli(std::vector<std::string> args, bool out_is_terminal = false) {
  args.insert(args.begin(), "korin-fret-cli");
  std::ostringstream out;
  std::ostringstream err;
  const int code = RunFretCli(args, out, err, out_is_terminal);
  return {code, out.str(), err.str()};
}

}  // namespace korin::testing
