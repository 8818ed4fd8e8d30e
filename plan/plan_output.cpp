#include "plan/plan_output.h"

#include <nlohmann/json.hpp>
#include <sstream>

#include "numeric/number_text.h"

namespace korin {
namespace {

using Json = nlohmann::ordered_json;

// Five significant digits, as the analysis figures are written.
std::string Text(double value) {
  return FormatGeneral(value, 5);
}

Json Optional(const std::optional<double>& value) {
  return value ? Json(*value) : Json(nullptr);
}

}  // namespace

std::string PlanLines(const PlanOutcome& o) {
  const PlanFigures& f = o.figures;
  const Detection& eta = f.detection;
  std::ostringstream out;
  out << "Overlap Integral: " << o.overlap_integral_text << " M^-1 cm^3\n";
  out << "Ro [Angstroms]: " << o.forster_distance_text << '\n';
  out << "Detection: donor in donor channel " << Text(eta.donor_in_donor_channel)
      << ", donor in acceptor channel " << Text(eta.donor_in_acceptor_channel)
      << ", acceptor in acceptor channel " << Text(eta.acceptor_in_acceptor_channel)
      << ", acceptor in donor channel " << Text(eta.acceptor_in_donor_channel) << '\n';
  out << "Extinction at the donor laser [M^-1 cm^-1]: donor "
      << Text(f.excitation.donor_at_donor_laser) << ", acceptor "
      << Text(f.excitation.acceptor_at_donor_laser) << '\n';
  if (f.excitation.acceptor_at_acceptor_laser) {
    out << "Extinction at the acceptor laser [M^-1 cm^-1]: acceptor "
        << Text(*f.excitation.acceptor_at_acceptor_laser) << '\n';
  }
  out << "Leakage alpha: " << Text(f.factors.leakage) << '\n';
  out << "Direct excitation d: " << Text(f.factors.direct_excitation) << '\n';
  out << "Gamma: " << Text(f.factors.gamma) << '\n';
  if (f.factors.delta) out << "Delta: " << Text(*f.factors.delta) << '\n';
  if (f.factors.beta) out << "Beta: " << Text(*f.factors.beta) << '\n';
  const Brightness& b = f.brightness;
  out << "Brightness at the donor laser [M^-1 cm^-1]: donor in donor channel "
      << Text(b.donor_in_donor_channel) << ", donor in acceptor channel "
      << Text(b.donor_in_acceptor_channel) << ", acceptor in acceptor channel "
      << Text(b.acceptor_in_acceptor_channel) << ", acceptor in donor channel "
      << Text(b.acceptor_in_donor_channel) << '\n';
  if (b.acceptor_in_acceptor_channel_at_acceptor_laser) {
    out << "Brightness at the acceptor laser [M^-1 cm^-1]: acceptor in acceptor channel "
        << Text(*b.acceptor_in_acceptor_channel_at_acceptor_laser) << '\n';
  }
  out << "Apparent efficiency of the donor alone: " << Text(ApparentEfficiency(f.lines, 0.0))
      << '\n';
  if (o.distance) {
    out << "At " << FormatGeneral(*o.distance, 15) << " Angstroms: E "
        << Text(*o.efficiency_at_distance) << ", apparent E " << Text(*o.apparent_at_distance)
        << ", dE/dr " << Text(*o.sensitivity) << " per Angstrom\n";
  }
  if (o.apparent) {
    out << "Apparent E " << FormatGeneral(*o.apparent, 15) << ": E "
        << Text(*o.efficiency_from_apparent);
    if (o.distance_from_apparent) {
      out << ", distance " << Text(*o.distance_from_apparent) << " Angstroms";
    }
    out << '\n';
  }
  return out.str();
}

std::string PlanJson(const PlanOutcome& o) {
  const PlanFigures& f = o.figures;
  const Detection& eta = f.detection;
  Json json;
  json["overlap_integral"] = o.overlap_integral;
  json["overlap_integral_text"] = o.overlap_integral_text;
  json["forster_distance"] = o.forster_distance;
  json["forster_distance_text"] = o.forster_distance_text;
  json["detection"] = {{"donor_in_donor_channel", eta.donor_in_donor_channel},
                       {"donor_in_acceptor_channel", eta.donor_in_acceptor_channel},
                       {"acceptor_in_acceptor_channel", eta.acceptor_in_acceptor_channel},
                       {"acceptor_in_donor_channel", eta.acceptor_in_donor_channel}};
  Json excitation{{"donor_extinction_at_donor_laser", f.excitation.donor_at_donor_laser},
                  {"acceptor_extinction_at_donor_laser", f.excitation.acceptor_at_donor_laser}};
  if (f.excitation.acceptor_at_acceptor_laser) {
    excitation["acceptor_extinction_at_acceptor_laser"] = *f.excitation.acceptor_at_acceptor_laser;
  }
  json["excitation"] = std::move(excitation);
  Json factors{{"leakage", f.factors.leakage},
               {"direct_excitation", f.factors.direct_excitation},
               {"gamma", f.factors.gamma}};
  if (f.factors.delta) factors["delta"] = *f.factors.delta;
  if (f.factors.beta) factors["beta"] = *f.factors.beta;
  json["factors"] = std::move(factors);
  const Brightness& b = f.brightness;
  Json acceptor{{"donor_channel", b.acceptor_in_donor_channel},
                {"acceptor_channel", b.acceptor_in_acceptor_channel}};
  if (b.acceptor_in_acceptor_channel_at_acceptor_laser) {
    acceptor["acceptor_channel_at_acceptor_laser"] =
        *b.acceptor_in_acceptor_channel_at_acceptor_laser;
  }
  json["brightness"] = {{"donor",
                         {{"donor_channel", b.donor_in_donor_channel},
                          {"acceptor_channel", b.donor_in_acceptor_channel}}},
                        {"acceptor", std::move(acceptor)}};
  Json curve = Json::array();
  for (const auto& [e, apparent] : ApparentCurve(f.lines)) curve.push_back({e, apparent});
  json["apparent_efficiency"] = {{"donor_only", ApparentEfficiency(f.lines, 0.0)},
                                 {"at_distance", Optional(o.apparent_at_distance)},
                                 {"curve", std::move(curve)}};
  if (o.distance) {
    json["distance"] = *o.distance;
    json["efficiency_at_distance"] = *o.efficiency_at_distance;
    json["sensitivity_per_angstrom"] = *o.sensitivity;
  }
  if (o.apparent) {
    json["distance_from_apparent"] = {{"apparent_efficiency", *o.apparent},
                                      {"efficiency", Optional(o.efficiency_from_apparent)},
                                      {"angstrom", Optional(o.distance_from_apparent)}};
  }
  json["notes"] = o.notes;
  return json.dump();
}

}  // namespace korin
