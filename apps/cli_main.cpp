#include <unistd.h>

#include <clocale>
#include <iostream>
#include <string>
#include <vector>

#include "cli/fret_cli.h"

int main(int argc, char** argv) {
  // Take the user's locale as any program would; no number the tool reads or
  // writes depends on it.
  std::setlocale(LC_ALL, "");
  const std::vector<std::string> args(argv, argv + argc);
  return korin::RunFretCli(args, std::cout, std::cerr, ::isatty(STDOUT_FILENO) != 0);
}
