#include "core/analysis_result.h"

namespace korin {

AnalysisResult Analyse(const FretSession& session, double forster_distance,
                       const AnalysisInputs& inputs) {
  AnalysisResult result;
  result.overlap_integral = session.overlap_integral;
  result.overlap_integral_nm4 = OverlapIntegralInNm4(session.overlap_integral);
  result.forster_distance = forster_distance;
  result.forster_distance_nm = AngstromsToNanometres(forster_distance);
  if (forster_distance > 0.0) {
    if (inputs.efficiency) {
      result.distance = DistanceFigure{*inputs.efficiency,
                                       DonorAcceptorDistance(*inputs.efficiency, forster_distance)};
    }
    if (inputs.distance) {
      result.efficiency = EfficiencyFigure{*inputs.distance,
                                           TransferEfficiency(*inputs.distance, forster_distance)};
    }
  }
  if (inputs.uncertainty) {
    const double kappa2 = session.orientation_factor;
    result.uncertainty = ForsterDistanceUncertainty(
        session, inputs.kappa2.value_or(Kappa2Range{kappa2, kappa2}), inputs.errors);
  }
  result.overlap = DiagnoseOverlap(session);
  return result;
}

std::optional<std::string> AnalysisRefusal(const AnalysisResult& result,
                                           const AnalysisInputs& inputs) {
  if ((inputs.efficiency || inputs.distance) && !(result.forster_distance > 0.0)) {
    return "R0 is 0 (the spectra do not overlap): no distance or efficiency follows from it";
  }
  return std::nullopt;
}

}  // namespace korin
