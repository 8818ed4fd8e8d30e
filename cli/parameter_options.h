// The panel's parameters as command-line options, shared by the single pair
// and the pair table: the values are kept as typed, for the engine's
// fields, and checked against the ranges those fields accept.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <ostream>
#include <string>

#include "core/parameter_tables.h"

namespace korin {

// The options as typed.
struct ParameterOptions {
  std::string emission_filter = "1";
  std::string absorption_filter = "1";
  std::string concentration = "1E-5";
  std::string optical_path = "1";
  std::optional<std::string> extinction;
  std::string solvent = "water";
  std::optional<std::string> refractive_index;
  std::string orientation = "0.66667";
  std::string quantum_yield = "0.5";

  // `lists`: the pair table, where the filters apply to every listed file
  // and the donor and acceptor values to every spectrum without its own.
  void AddTo(CLI::App& app, bool lists = false);
};

// The parameters as the panel would hold them: the texts go into its
// fields, the list choices are table indexes.
struct Parameters {
  int emission_filter = 1;
  int absorption_filter = 1;
  int optical_path = kStartOpticalPath;
  int solvent = kStartSolvent;  // 0, "<Other>", with --refractive-index
};

// Checks every value; each one refused is reported on `err`, naming the
// option and what it accepts, and the answer is false.
[[nodiscard]] bool ReadParameters(const ParameterOptions& options, Parameters& parameters,
                                  std::ostream& err);

}  // namespace korin
