#include "report/analysis_text.h"

#include <cmath>

#include "numeric/number_text.h"

namespace korin {
namespace {

std::string Percent(double share) {
  return FormatGeneral(std::round(share * 1000.0) / 10.0, 4) + " %";
}

}  // namespace

std::string ResultLines(const FretEngine& engine, const AnalysisResult& analysis) {
  std::string text = "Overlap Integral: " + engine.OverlapIntegralText() + " M^-1 cm^3\n" +
                     "Ro [Angstroms]: " + engine.ForsterDistanceText() + '\n';
  if (const auto& d = analysis.distance) {
    text += "Distance at E = " + FormatGeneral(d->efficiency, 15) +
            " [Angstroms]: " + AnalysisText(d->angstroms) + " (" +
            AnalysisText(AngstromsToNanometres(d->angstroms)) + " nm)\n";
  }
  if (const auto& e = analysis.efficiency) {
    text += "Efficiency at " + FormatGeneral(e->angstroms, 15) +
            " Angstroms: " + AnalysisText(e->efficiency) + '\n';
  }
  if (const auto& u = analysis.uncertainty) {
    text += "Ro range [Angstroms]: " + AnalysisText(u->r0_min) + " to " + AnalysisText(u->r0_max) +
            "\nRo spread:";
    for (std::size_t i = 0; i < u->factors.size(); ++i) {
      text += (i == 0 ? " " : ", ") + std::string(FactorName(u->factors[i].factor)) + ' ' +
              Percent(u->factors[i].share);
    }
    text += '\n';
  }
  return text;
}

std::vector<ReportLine> AnalysisReportLines(const AnalysisResult& analysis) {
  std::vector<ReportLine> lines;
  if (const auto& d = analysis.distance) {
    lines.push_back({"Distance at E = " + FormatGeneral(d->efficiency, 15),
                     AnalysisText(d->angstroms) + " Angstroms (" +
                         AnalysisText(AngstromsToNanometres(d->angstroms)) + " nm)"});
  }
  if (const auto& e = analysis.efficiency) {
    lines.push_back({"Efficiency at " + FormatGeneral(e->angstroms, 15) + " Angstroms",
                     AnalysisText(e->efficiency)});
  }
  if (const auto& u = analysis.uncertainty) {
    lines.push_back(
        {"R0 range", AnalysisText(u->r0_min) + " to " + AnalysisText(u->r0_max) + " Angstroms"});
    for (const FactorSpread& f : u->factors) {
      lines.push_back(
          {"Share of the spread: " + std::string(FactorName(f.factor)), Percent(f.share)});
    }
  }
  return lines;
}

}  // namespace korin
