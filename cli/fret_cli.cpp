#include "cli/fret_cli.h"

#include <CLI/CLI.hpp>
#include <cmath>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string_view>
#include <vector>

#include "core/calculation_gate.h"
#include "core/decimal_bound.h"
#include "core/emission.h"
#include "core/extinction.h"
#include "core/forster.h"
#include "core/fret_session.h"
#include "core/number_text.h"
#include "core/parameter_tables.h"
#include "core/parse_real.h"
#include "import/reader_choice.h"
#include "import/spectrum_file.h"

namespace korin {
namespace {

constexpr std::string_view kProgram = "korin-fret-cli";
constexpr std::string_view kVersion = "korin-fret-cli 0.1.0";

struct Options {
  std::string emission_file;
  std::string absorption_file;
  std::string emission_filter = "1";
  std::string absorption_filter = "1";
  std::string concentration = "1E-5";
  std::string optical_path = "1";
  std::optional<std::string> extinction;
  std::string solvent = "water";
  std::optional<std::string> refractive_index;
  std::string orientation = "0.66667";
  std::string quantum_yield = "0.5";
  bool json = false;
};

// One option's value, read with the program's number syntax and checked
// against the range its field accepts.
struct NumberOption {
  std::string_view name;
  std::string_view accepted;  // the range, as the error message states it
  bool (*in_range)(double);
};

constexpr NumberOption kConcentration{
    "--concentration", "a number with 1E-12 <= C <= 10 (mol/L)", [](double v) {
      return InClosedRange(v, bounds::kMinConcentration, bounds::kMaxConcentration);
    }};
constexpr NumberOption kOpticalPath{"--optical-path", "one of 0.1, 0.2, 0.5, 1, 5, 10 (cm)",
                                    [](double v) {
                                      for (const auto& path : kOpticalPathTable) {
                                        if (v == path.centimetres) return true;
                                      }
                                      return false;
                                    }};
constexpr NumberOption kExtinction{
    "--extinction", "a number with 0.001 < E < 1E10 (M^-1 cm^-1)",
    [](double v) { return InOpenRange(v, bounds::kMinExtinction, bounds::kMaxExtinction); }};
constexpr NumberOption kRefractiveIndex{
    "--refractive-index", "a number with 1E-4 <= n <= 1000", [](double v) {
      return InClosedRange(v, bounds::kMinRefractiveIndex, bounds::kMaxRefractiveIndex);
    }};
constexpr NumberOption kOrientation{"--orientation", "a number with 1E-6 <= K2 <= 1", [](double v) {
                                      return InClosedRange(v, bounds::kMinOrientationFactor,
                                                           bounds::kMaxOrientationFactor);
                                    }};
constexpr NumberOption kQuantumYield{
    "--quantum-yield", "a number with 1E-6 <= Q <= 1",
    [](double v) { return InClosedRange(v, bounds::kMinQuantumYield, bounds::kMaxQuantumYield); }};
constexpr NumberOption kEmissionFilter{
    "--emission-filter", "a whole number from 1 to 6",
    [](double v) { return v == std::floor(v) && v >= 1 && v <= 6; }};
constexpr NumberOption kAbsorptionFilter{
    "--absorption-filter", "a whole number from 1 to 6",
    [](double v) { return v == std::floor(v) && v >= 1 && v <= 6; }};

bool ReadNumber(const NumberOption& option, const std::string& text, double& value,
                std::ostream& err) {
  if (ParseReal(text, value) && option.in_range(value)) return true;
  err << kProgram << ": " << option.name << ": '" << text << "' is not accepted; expected "
      << option.accepted << '\n';
  return false;
}

// The parameters as the calculation uses them.
struct Parameters {
  int emission_filter = 1;
  int absorption_filter = 1;
  double concentration = 0.0;
  double optical_path = 0.0;
  std::optional<double> extinction;
  double refractive_index = 0.0;
  double orientation = 0.0;
  double quantum_yield = 0.0;
};

bool ReadParameters(const Options& o, Parameters& p, std::ostream& err) {
  double emission_filter = 0.0;
  double absorption_filter = 0.0;
  bool ok = ReadNumber(kEmissionFilter, o.emission_filter, emission_filter, err);
  ok = ReadNumber(kAbsorptionFilter, o.absorption_filter, absorption_filter, err) && ok;
  ok = ReadNumber(kConcentration, o.concentration, p.concentration, err) && ok;
  ok = ReadNumber(kOpticalPath, o.optical_path, p.optical_path, err) && ok;
  if (o.extinction) {
    double extinction = 0.0;
    ok = ReadNumber(kExtinction, *o.extinction, extinction, err) && ok;
    p.extinction = extinction;
  }
  if (o.refractive_index) {
    ok = ReadNumber(kRefractiveIndex, *o.refractive_index, p.refractive_index, err) && ok;
  } else {
    for (const auto& solvent : kSolventTable) {
      if (CLI::detail::to_lower(std::string(solvent.name)) == CLI::detail::to_lower(o.solvent)) {
        p.refractive_index = solvent.refractive_index;
      }
    }
  }
  ok = ReadNumber(kOrientation, o.orientation, p.orientation, err) && ok;
  ok = ReadNumber(kQuantumYield, o.quantum_yield, p.quantum_yield, err) && ok;
  p.emission_filter = static_cast<int>(emission_filter);
  p.absorption_filter = static_cast<int>(absorption_filter);
  return ok;
}

// Loads one spectrum as the open commands do: clear the side, choose the
// reader, read. Answers whether the spectrum was accepted.
bool LoadSpectrum(FretSession& s, SpectrumSide side, int filter, const std::string& path,
                  std::ostream& err) {
  const SpectrumReader reader = ChooseReader(side, filter, path);
  const bool absorption = side == SpectrumSide::kAbsorption;
  if (absorption) {
    s.AbsorptionValid = false;
    s.ExtinctionValid = false;
    ClearAbsorption(s);
  } else {
    ClearEmission(s);
    s.EmissionValid = false;
  }
  const char* what = absorption ? "absorption" : "emission";
  if (reader == nullptr) {
    err << kProgram << ": no " << what << " reader for '" << path << "' with filter entry "
        << filter << "; name the format with --" << what << "-filter 2..6\n";
    return false;
  }
  const SpectrumFile file = ReadSpectrumFile(path);
  const SpectrumRead read =
      reader(file.Source(), [&err](std::string_view message) { err << message << '\n'; });
  (absorption ? s.AcceptorAbsorbance : s.DonorEmission) = read.spectrum.values;
  (absorption ? s.AbsorptionFirst : s.EmissionFirst) = read.spectrum.first;
  (absorption ? s.AbsorptionLast : s.EmissionLast) = read.spectrum.last;
  (absorption ? s.AbsorptionValid : s.EmissionValid) = read.accepted;
  if (!read.accepted) {
    err << kProgram << ": " << what << " spectrum not accepted: " << path << '\n';
    return false;
  }
  return true;
}

// Why the calculation cannot run, for a session whose gate conditions fail.
std::string_view GateFailure(const FretSession& s) {
  if (!Exceeds(s.Concentration, bounds::kGateMinConcentration)) {
    return "the concentration must exceed 1E-10 mol/L for the calculation";
  }
  if (!s.ExtinctionValid) {
    return "no extinction spectrum can be derived from this absorbance";
  }
  return "an input is not valid";
}

int Fail(std::ostream& err, std::string_view reason) {
  err << kProgram << ": " << reason << '\n';
  return kExitRejected;
}

int Calculate(const Options& o, const Parameters& p, std::ostream& out, std::ostream& err) {
  const auto session = std::make_unique<FretSession>();
  FretSession& s = *session;
  s.Concentration = p.concentration;
  s.OpticalPath = p.optical_path;
  s.RefractiveIndex = p.refractive_index;
  s.OrientationFactor = p.orientation;
  s.QuantumYield = p.quantum_yield;

  if (!LoadSpectrum(s, SpectrumSide::kEmission, p.emission_filter, o.emission_file, err)) {
    return kExitRejected;
  }
  if (!NormalizeEmission(s)) {
    return Fail(err, "the emission spectrum has no positive finite area: " + o.emission_file);
  }
  if (!LoadSpectrum(s, SpectrumSide::kAbsorption, p.absorption_filter, o.absorption_file, err)) {
    return kExitRejected;
  }
  // A load always derives the extinction from the concentration first.
  s.ExtinctionMode = false;
  (void)ExtinctionFromConcentration(s, s.AbsorptionFirst, s.AbsorptionLast);
  if (p.extinction) {
    s.ExtinctionMode = true;
    s.ExtinctionMax = *p.extinction;
    if (!RescaleExtinction(s)) {
      return Fail(err,
                  "the absorbance cannot be scaled to --extinction: it has no positive value, or "
                  "the scaled values lie beyond the range of a double");
    }
  }

  if (!GateConditionsHold(s)) return Fail(err, GateFailure(s));
  if (ExtinctionFromConcentration(s, s.AbsorptionFirst, s.AbsorptionLast) ==
      ConcentrationDerivation::kNotFinite) {
    return Fail(err, GateFailure(s));
  }
  if (!ComputeOverlapIntegral(s)) {
    return Fail(err, "the overlap integral is beyond the range of a double");
  }
  const double r0 = ForsterDistance(s);
  const std::string j_text = FormatExponent(s.OverlapIntegral, ".");
  const std::string r0_text = FormatFixed(r0, ".");

  if (!o.json) {
    out << "Overlap Integral: " << j_text << " M^-1 cm^3\n";
    out << "Ro [Angstroms]: " << r0_text << '\n';
    return kExitSuccess;
  }
  nlohmann::ordered_json result;
  result["overlap_integral"] = s.OverlapIntegral;
  result["overlap_integral_text"] = j_text;
  result["forster_distance"] = r0;
  result["forster_distance_text"] = r0_text;
  result["extinction_max"] = s.ExtinctionMax;
  result["extinction_max_text"] = FormatGeneral(s.ExtinctionMax, 15);
  result["emission"] = {
      {"file", o.emission_file}, {"first", s.EmissionFirst}, {"last", s.EmissionLast}};
  result["absorption"] = {
      {"file", o.absorption_file}, {"first", s.AbsorptionFirst}, {"last", s.AbsorptionLast}};
  result["parameters"] = {
      {"concentration", s.Concentration},    {"optical_path", s.OpticalPath},
      {"extinction_mode", s.ExtinctionMode}, {"refractive_index", s.RefractiveIndex},
      {"orientation", s.OrientationFactor},  {"quantum_yield", s.QuantumYield}};
  // File names need not be UTF-8; replace what is not rather than fail.
  out << result.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
  return kExitSuccess;
}

}  // namespace

int RunFretCli(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  Options o;
  CLI::App app{"Spectral overlap integral J and Foerster distance R0 of a FRET pair.",
               std::string(kProgram)};
  app.add_option("EMISSION_FILE", o.emission_file, "Donor emission spectrum")->required();
  app.add_option("ABSORPTION_FILE", o.absorption_file, "Acceptor absorption spectrum")->required();
  app.add_option("--emission-filter", o.emission_filter,
                 "Open-dialog filter entry for the emission file, 1..6 (default 1: by extension)");
  app.add_option("--absorption-filter", o.absorption_filter,
                 "Open-dialog filter entry for the absorption file, 1..6 (default 1)");
  app.add_option("--concentration", o.concentration,
                 "Acceptor concentration in mol/L (default 1E-5)");
  app.add_option("--optical-path", o.optical_path, "0.1, 0.2, 0.5, 1, 5 or 10 cm (default 1)");
  app.add_option("--extinction", o.extinction,
                 "Peak extinction coefficient in M^-1 cm^-1: extinction entry instead of "
                 "concentration");
  auto* solvent = app.add_option("--solvent", o.solvent, "water (default), toluene or methanol")
                      ->check(CLI::IsMember({"water", "toluene", "methanol"}, CLI::ignore_case));
  app.add_option("--refractive-index", o.refractive_index,
                 "A refractive index of your own instead of --solvent")
      ->excludes(solvent);
  app.add_option("--orientation", o.orientation,
                 "Orientation factor kappa^2 (default 0.66667, the value the window starts with)");
  app.add_option("--quantum-yield", o.quantum_yield, "Donor quantum yield (default 0.5)");
  app.add_flag("--json", o.json, "Machine-readable output");
  app.set_version_flag("--version", std::string(kVersion));

  if (args.empty()) return kExitBadOption;  // not even a program name
  std::vector<const char*> argv;
  for (const auto& arg : args) argv.push_back(arg.c_str());
  try {
    app.parse(static_cast<int>(argv.size()), argv.data());
  } catch (const CLI::ParseError& e) {
    // Help and version are successes; everything else is a bad option.
    return app.exit(e, out, err) == 0 ? kExitSuccess : kExitBadOption;
  }

  Parameters p;
  if (!ReadParameters(o, p, err)) return kExitBadOption;
  return Calculate(o, p, out, err);
}

}  // namespace korin
