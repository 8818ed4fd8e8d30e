#include "cli/analysis_options.h"

#include <cmath>
#include <string_view>

#include "cli/tool_messages.h"
#include "numeric/number_text.h"
#include "numeric/parse_real.h"

namespace korin {
namespace {

// kappa^2 lies between 0 (perpendicular dipoles) and 4 (collinear ones).
constexpr double kLargestKappa2 = 4.0;

bool Refuse(std::ostream& err, std::string_view option, const std::string& text,
            std::string_view why) {
  err << kProgram << ": " << option << ": '" << text << "' is not accepted; " << why << '\n';
  return false;
}

// Reads `text` with the program's number syntax and checks it.
template <typename Check>
bool Read(std::string_view option, const std::string& text, const Check& check,
          std::optional<double>& value, std::ostream& err) {
  double number = 0.0;
  if (!ParseReal(text, number)) return Refuse(err, option, text, "expected a number");
  const Checked checked = check(number);
  if (!checked.value) return Refuse(err, option, text, checked.message);
  value = checked.value;
  return true;
}

bool ReadPair(std::string_view option, const std::vector<std::string>& texts, double& first,
              double& second, std::ostream& err) {
  if (texts.size() != 2) return true;  // CLI11 asks for exactly two
  bool ok = true;
  for (std::size_t i = 0; i < 2; ++i) {
    double& number = i == 0 ? first : second;
    if (!ParseReal(texts[i], number)) ok = Refuse(err, option, texts[i], "expected a number");
  }
  return ok;
}

std::string Percent(double share) {
  return FormatGeneral(std::round(share * 1000.0) / 10.0, 4) + " %";
}

// "orientation factor" -> "orientation_factor"
std::string Key(std::string_view name) {
  std::string key(name);
  for (char& c : key) {
    if (c == ' ') c = '_';
  }
  return key;
}

R0Uncertainty UncertaintyOf(const AnalysisRequest& request, const FretEngine& engine) {
  const double kappa2 = engine.session().orientation_factor;
  return ForsterDistanceUncertainty(
      engine.session(), request.kappa2.value_or(Kappa2Range{kappa2, kappa2}), request.errors);
}

}  // namespace

void AnalysisOptions::AddTo(CLI::App& app) {
  app.add_option("--efficiency", efficiency,
                 "A measured transfer efficiency, 0 < E < 1: prints the distance");
  app.add_option("--distance", distance,
                 "A donor-acceptor distance in angstroms: prints the efficiency");
  auto* range = app.add_option("--kappa2-range", kappa2_range,
                               "The orientation factor's range MIN MAX (0 <= MIN <= MAX <= 4) for "
                               "R0's uncertainty")
                    ->expected(2);
  app.add_option("--anisotropy", anisotropy,
                 "The donor's and acceptor's steady-state anisotropies RD RA (0..0.4): the "
                 "orientation factor's range from them")
      ->expected(2)
      ->excludes(range);
  app.add_option("--quantum-yield-error", quantum_yield_error,
                 "The quantum yield's error in percent, for R0's uncertainty");
  app.add_option("--refractive-index-error", refractive_index_error,
                 "The refractive index's error in percent, for R0's uncertainty");
  app.add_option("--extinction-error", extinction_error,
                 "The acceptor's extinction coefficient's error in percent, for R0's uncertainty");
}

bool ReadAnalysisOptions(const AnalysisOptions& o, AnalysisRequest& r, std::ostream& err) {
  bool ok = true;
  if (o.efficiency) ok = Read("--efficiency", *o.efficiency, EfficiencyOf, r.efficiency, err) && ok;
  if (o.distance) ok = Read("--distance", *o.distance, DistanceOf, r.distance, err) && ok;
  const auto error = [&](std::string_view option, const std::optional<std::string>& text,
                         double& relative) {
    if (!text) return;
    std::optional<double> value;
    ok = Read(option, *text, ErrorFromPercent, value, err) && ok;
    relative = value.value_or(0.0);
    r.uncertainty = true;
  };
  error("--quantum-yield-error", o.quantum_yield_error, r.errors.quantum_yield);
  error("--refractive-index-error", o.refractive_index_error, r.errors.refractive_index);
  error("--extinction-error", o.extinction_error, r.errors.extinction);

  Kappa2Range kappa2;
  if (o.kappa2_range.size() == 2) {
    r.uncertainty = true;
    if (ReadPair("--kappa2-range", o.kappa2_range, kappa2.min, kappa2.max, err)) {
      if (kappa2.min >= 0.0 && kappa2.min <= kappa2.max && kappa2.max <= kLargestKappa2) {
        r.kappa2 = kappa2;
      } else {
        ok = Refuse(err, "--kappa2-range", o.kappa2_range[0] + " " + o.kappa2_range[1],
                    "expected 0 <= MIN <= MAX <= 4");
      }
    } else {
      ok = false;
    }
  }
  if (o.anisotropy.size() == 2) {
    r.uncertainty = true;
    double donor = 0.0;
    double acceptor = 0.0;
    if (ReadPair("--anisotropy", o.anisotropy, donor, acceptor, err)) {
      std::string message;
      r.kappa2 = Kappa2FromAnisotropies(donor, acceptor, message);
      if (!r.kappa2) {
        ok = Refuse(err, "--anisotropy", o.anisotropy[0] + " " + o.anisotropy[1], message);
      }
    } else {
      ok = false;
    }
  }
  return ok;
}

std::optional<std::string> AnalysisRefusal(const AnalysisRequest& request,
                                           const FretEngine& engine) {
  if ((request.efficiency || request.distance) && !(engine.ForsterDistanceValue() > 0.0)) {
    return "R0 is 0 (the spectra do not overlap): no distance or efficiency follows from it";
  }
  return std::nullopt;
}

void WriteAnalysisLines(const AnalysisRequest& request, const FretEngine& engine,
                        std::ostream& out) {
  const double r0 = engine.ForsterDistanceValue();
  if (request.efficiency) {
    const double r = DonorAcceptorDistance(*request.efficiency, r0);
    out << "Distance at E = " << FormatGeneral(*request.efficiency, 15)
        << " [Angstroms]: " << AnalysisText(r) << " (" << AnalysisText(AngstromsToNanometres(r))
        << " nm)\n";
  }
  if (request.distance) {
    out << "Efficiency at " << FormatGeneral(*request.distance, 15)
        << " Angstroms: " << AnalysisText(TransferEfficiency(*request.distance, r0)) << '\n';
  }
  if (request.uncertainty) {
    const R0Uncertainty u = UncertaintyOf(request, engine);
    out << "Ro range [Angstroms]: " << AnalysisText(u.r0_min) << " to " << AnalysisText(u.r0_max)
        << '\n';
    out << "Ro spread:";
    for (std::size_t i = 0; i < u.factors.size(); ++i) {
      out << (i == 0 ? " " : ", ") << FactorName(u.factors[i].factor) << ' '
          << Percent(u.factors[i].share);
    }
    out << '\n';
  }
}

std::vector<ReportLine> AnalysisReportLines(const AnalysisRequest& request,
                                            const FretEngine& engine) {
  std::vector<ReportLine> lines;
  const double r0 = engine.ForsterDistanceValue();
  if (request.efficiency) {
    const double r = DonorAcceptorDistance(*request.efficiency, r0);
    lines.push_back(
        {"Distance at E = " + FormatGeneral(*request.efficiency, 15),
         AnalysisText(r) + " Angstroms (" + AnalysisText(AngstromsToNanometres(r)) + " nm)"});
  }
  if (request.distance) {
    lines.push_back({"Efficiency at " + FormatGeneral(*request.distance, 15) + " Angstroms",
                     AnalysisText(TransferEfficiency(*request.distance, r0))});
  }
  if (request.uncertainty) {
    const R0Uncertainty u = UncertaintyOf(request, engine);
    lines.push_back(
        {"R0 range", AnalysisText(u.r0_min) + " to " + AnalysisText(u.r0_max) + " Angstroms"});
    for (const FactorSpread& f : u.factors) {
      lines.push_back(
          {"Share of the spread: " + std::string(FactorName(f.factor)), Percent(f.share)});
    }
  }
  return lines;
}

void AddAnalysisJson(const AnalysisRequest& request, const FretEngine& engine,
                     nlohmann::ordered_json& result) {
  const FretSession& s = engine.session();
  const double r0 = engine.ForsterDistanceValue();
  result["overlap_integral_nm4"] = OverlapIntegralInNm4(s.overlap_integral);
  result["forster_distance_nm"] = AngstromsToNanometres(r0);

  const OverlapDiagnostics d = DiagnoseOverlap(s);
  nlohmann::ordered_json overlap;
  overlap["peak_nm"] = d.available ? nlohmann::ordered_json(d.peak) : nullptr;
  overlap["band_nm"] = d.available ? nlohmann::ordered_json::array({d.band_first, d.band_last})
                                   : nlohmann::ordered_json(nullptr);
  overlap["warnings"] = d.warnings;
  result["overlap"] = std::move(overlap);

  if (request.uncertainty) {
    const R0Uncertainty u = UncertaintyOf(request, engine);
    nlohmann::ordered_json shares;
    for (const FactorSpread& f : u.factors) shares[Key(FactorName(f.factor))] = f.share;
    result["uncertainty"] = {{"r0_min", u.r0_min}, {"r0_max", u.r0_max}, {"shares", shares}};
  }
  if (request.efficiency) {
    const double r = DonorAcceptorDistance(*request.efficiency, r0);
    result["distance"] = {
        {"efficiency", *request.efficiency}, {"angstrom", r}, {"nm", AngstromsToNanometres(r)}};
  }
  if (request.distance) {
    result["efficiency"] = {{"angstrom", *request.distance},
                            {"efficiency", TransferEfficiency(*request.distance, r0)}};
  }
}

}  // namespace korin
