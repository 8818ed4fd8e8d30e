#include "cli/option_parser.h"

#include <CLI/CLI.hpp>

namespace korin {

OptionParser::OptionParser(const std::string& description, const std::string& name)
    : app_(std::make_unique<CLI::App>(description, name)) {}

OptionParser::~OptionParser() = default;

void OptionParser::Footer(const std::string& text) {
  app_->footer(text);
}

void OptionParser::Version(const std::string& text) {
  app_->set_version_flag("--version", text);
}

OptionParser::Option OptionParser::Added(CLI::Option* option) {
  options_.push_back(option);
  return options_.size() - 1;
}

OptionParser::Option OptionParser::Positional(const std::string& name, std::string& target,
                                              const std::string& help, bool required) {
  CLI::Option* option = app_->add_option(name, target, help);
  if (required) option->required();
  return Added(option);
}

OptionParser::Option OptionParser::Positional(const std::string& name,
                                              std::optional<std::string>& target,
                                              const std::string& help) {
  return Added(app_->add_option(name, target, help));
}

OptionParser::Option OptionParser::Add(const std::string& name, std::string& target,
                                       const std::string& help) {
  return Added(app_->add_option(name, target, help));
}

OptionParser::Option OptionParser::Add(const std::string& name, std::optional<std::string>& target,
                                       const std::string& help) {
  return Added(app_->add_option(name, target, help));
}

OptionParser::Option OptionParser::AddList(const std::string& name,
                                           std::vector<std::string>& target,
                                           const std::string& help, int least, int most) {
  return Added(app_->add_option(name, target, help)->expected(least, most));
}

OptionParser::Option OptionParser::Flag(const std::string& name, bool& target,
                                        const std::string& help) {
  return Added(app_->add_flag(name, target, help));
}

void OptionParser::Choices(Option option, const std::vector<std::string>& words, bool ignore_case) {
  if (ignore_case) {
    options_[option]->check(CLI::IsMember(words, CLI::ignore_case));
  } else {
    options_[option]->check(CLI::IsMember(words));
  }
}

void OptionParser::Excludes(Option option, Option excluded) {
  options_[option]->excludes(options_[excluded]);
}

std::optional<OptionParser::Option> OptionParser::Find(const std::string& name) const {
  for (std::size_t i = 0; i < options_.size(); ++i) {
    if (options_[i]->check_name(name)) return i;
  }
  return std::nullopt;
}

std::optional<int> OptionParser::Parse(std::span<const std::string> args, std::ostream& out,
                                       std::ostream& err, int bad_option) {
  std::vector<const char*> argv;
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  try {
    app_->parse(static_cast<int>(argv.size()), argv.data());
  } catch (const CLI::ParseError& parse_error) {
    // Help and version are successes; everything else is a bad option.
    return app_->exit(parse_error, out, err) == 0 ? 0 : bad_option;
  }
  return std::nullopt;
}

}  // namespace korin
