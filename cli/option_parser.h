// The command-line tool's option parser: the one place that includes the
// parsing library, which is heavy to compile, so that the commands only
// declare their options and read what was typed.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace korin {

class OptionParser {
 public:
  // An option added, for the relations between options.
  using Option = std::size_t;

  OptionParser(const std::string& description, const std::string& name);
  ~OptionParser();
  OptionParser(const OptionParser&) = delete;
  OptionParser& operator=(const OptionParser&) = delete;

  // A text after the options in --help.
  void Footer(const std::string& text);
  // --version, printing `text`.
  void Version(const std::string& text);

  // A positional argument.
  Option Positional(const std::string& name, std::string& target, const std::string& help,
                    bool required);
  Option Positional(const std::string& name, std::optional<std::string>& target,
                    const std::string& help);
  // An option taking one value, given at most once.
  Option Add(const std::string& name, std::string& target, const std::string& help);
  Option Add(const std::string& name, std::optional<std::string>& target, const std::string& help);
  // An option taking from `least` to `most` values (-1: any number).
  Option AddList(const std::string& name, std::vector<std::string>& target, const std::string& help,
                 int least, int most);
  Option Flag(const std::string& name, bool& target, const std::string& help);

  // The option takes one of `words` only, in any case when `ignore_case`.
  void Choices(Option option, const std::vector<std::string>& words, bool ignore_case);
  // The two cannot be given together.
  void Excludes(Option option, Option excluded);
  // The option of that name, if added.
  [[nodiscard]] std::optional<Option> Find(const std::string& name) const;

  // Reads `args` (args[0] is the program's name). Answers nothing when the
  // options were read, or the exit code to end with: 0 after --help or
  // --version, which are written to `out`, and `bad_option` for anything
  // the parser refuses, with the reason on `err`.
  [[nodiscard]] std::optional<int> Parse(std::span<const std::string> args, std::ostream& out,
                                         std::ostream& err, int bad_option);

 private:
  Option Added(CLI::Option* option);

  std::unique_ptr<CLI::App> app_;
  std::vector<CLI::Option*> options_;
};

}  // namespace korin
