#include "plan/channel.h"

#include <algorithm>

#include "io/column_reader.h"
#include "numeric/number_text.h"
#include "numeric/parse_real.h"

namespace korin {
namespace {

void ApplyBandPass(SpectrumGrid& transmission, const BandPass& band) {
  const double low = band.center - band.width / 2.0;
  const double high = band.center + band.width / 2.0;
  for (int w = SpectrumGrid::kFirstWavelength; w <= SpectrumGrid::kLastWavelength; ++w) {
    if (w < low || w > high) transmission[w] = 0.0;
  }
}

// Multiplies `transmission` by the curve in `content`; false with `channel`
// refused when the file gives none.
bool ApplyFile(SpectrumGrid& transmission, const std::string& path, std::string_view content,
               std::string_view name, Channel& channel) {
  const ColumnImport import = ImportColumns(SpectrumSource{path, content}, SpectrumSide::kEmission,
                                            ColumnRequest{}, MessageSink{});
  if (!import.chosen || !import.read.accepted) {
    const std::string why = !import.chosen ? import.choice_error : RefusalText(import.read);
    channel.refusal = "the " + std::string(name) + "'s file " + path + " gives no transmission" +
                      (why.empty() ? "" : ": " + why);
    return false;
  }
  const GridSpectrum& curve = import.read.spectrum;
  double largest = 0.0;
  for (int w = curve.first; w <= curve.last; ++w) largest = std::max(largest, curve.values[w]);
  const bool percent = largest > 1.0;
  const double scale = percent ? 0.01 : 1.0;
  if (largest * scale > 1.0) {
    channel.refusal = "the " + std::string(name) + "'s file " + path + " transmits up to " +
                      FormatGeneral(largest, 6) + " %, above 100 %";
    return false;
  }
  for (int w = SpectrumGrid::kFirstWavelength; w <= SpectrumGrid::kLastWavelength; ++w) {
    const bool inside = w >= curve.first && w <= curve.last;
    transmission[w] *= inside ? std::max(0.0, curve.values[w] * scale) : 0.0;
  }
  channel.notes.push_back(path + ": transmission read as " + (percent ? "percent" : "a fraction") +
                          ", " + std::to_string(curve.first) + "-" + std::to_string(curve.last) +
                          " nm");
  for (const std::string& warning : import.warnings) channel.notes.push_back(warning);
  return true;
}

}  // namespace

std::optional<BandPass> ParseBandPass(std::string_view text) {
  const std::size_t slash = text.find('/');
  if (slash == std::string_view::npos) return std::nullopt;
  BandPass band;
  if (!ParseReal(text.substr(0, slash), band.center) ||
      !ParseReal(text.substr(slash + 1), band.width)) {
    return std::nullopt;
  }
  if (!(band.center > 0.0 && band.width > 0.0)) return std::nullopt;
  return band;
}

Channel BuildChannel(std::span<const std::string> parts, std::string_view name,
                     const ChannelFileReader& read) {
  Channel channel;
  for (double& t : channel.transmission.values()) t = 1.0;
  if (parts.empty()) {
    channel.refusal = "the " + std::string(name) + " needs a band-pass CENTER/WIDTH or a file";
    return channel;
  }
  for (const std::string& part : parts) {
    if (const std::optional<BandPass> band = ParseBandPass(part)) {
      ApplyBandPass(channel.transmission, *band);
      continue;
    }
    const std::optional<std::string> content = read(part);
    if (!content) {
      channel.refusal = "the " + std::string(name) + "'s '" + part +
                        "' is neither a band-pass CENTER/WIDTH nor a file that can be read";
      return channel;
    }
    if (!ApplyFile(channel.transmission, part, *content, name, channel)) return channel;
  }
  return channel;
}

}  // namespace korin
