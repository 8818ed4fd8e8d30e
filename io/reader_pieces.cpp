// Acceptance rules and line readers that several spectrum readers share.
#include "io/reader_pieces.h"

#include "io/field_scanner.h"
#include "numeric/parse_real.h"

namespace korin {
namespace {

// Accepts the read or refuses it for `refusal`.
void SetVerdict(SpectrumRead& read, bool accepted, Refusal refusal) {
  read.accepted = accepted;
  read.refusal = accepted ? Refusal::kNone : refusal;
  if (accepted) read.spectrum.values.ClearOutside(read.spectrum.first, read.spectrum.last);
}

}  // namespace

void ApplyRangeRule(SpectrumRead& read) {
  SetVerdict(read, RangeRuleHolds(read.spectrum.first, read.spectrum.last), Refusal::kRange);
}

void ApplyOrderCheck(SpectrumRead& read, std::string_view name, const MessageSink& sink) {
  const int first = read.spectrum.first;
  const int last = read.spectrum.last;
  const bool on_grid = SpectrumGrid::Contains(first) && SpectrumGrid::Contains(last);
  SetVerdict(read, OrderCheckPasses(first, last, name, sink),
             on_grid ? Refusal::kOrder : Refusal::kOffGrid);
}

bool FindFirstNumericLine(SpectrumTextFile& file, std::string_view& line, double& first_field) {
  for (;;) {
    line = file.ReadLine();
    if (file.SeekEndOfData()) return false;
    if (NextNumericField(line, first_field)) return true;
  }
}

Refusal ReadPointLines(SpectrumTextFile& file, GridWriter& writer, int leading) {
  while (!file.SeekEndOfData()) {
    std::string_view line = file.ReadLine();
    double unused = 0.0;
    for (int i = 0; i < leading; ++i) {
      if (!NextNumericField(line, unused)) return Refusal::kLeadingFields;
    }
    double wavelength = 0.0;
    double value = 0.0;
    if (!NextNumericField(line, wavelength)) break;
    if (!NextNumericField(line, value)) return Refusal::kValueMissing;
    writer.Store(wavelength, value);
  }
  return Refusal::kNone;
}

double FixedColumnField(std::string_view line, std::size_t first, std::size_t length,
                        std::string_view name, const MessageSink& sink) {
  std::string_view field = first - 1 < line.size() ? line.substr(first - 1, length) : "";
  TrimTrailingSeparators(field);
  double value = 0.0;
  if (!ParseReal(field, value)) ShowFileError(sink, name);
  return value;
}

}  // namespace korin
