// The two emission formats: two-field lines (.ifx, .iss, .rls, .csv) and
// four-field lines (.txt).
#include "import/field_scanner.h"
#include "import/grid_writer.h"
#include "import/reader_pieces.h"
#include "import/spectrum_readers.h"
#include "import/spectrum_text_file.h"

namespace korin {

void ReadEmissionColumns(FretSession& s, std::string_view path, const MessageSink& sink) {
  s.EmissionValid = false;
  SpectrumTextFile file(path, sink);
  // Every line before the first one that starts with a number is header;
  // that number is the first wavelength.
  std::string_view line;
  double wavelength = 0.0;
  double intensity = 0.0;
  if (!FindFirstNumericLine(file, line, wavelength) || !NextNumericField(line, intensity)) return;
  GridWriter writer(s.DonorEmission, FillDirection::kUpward);
  s.EmissionFirst = writer.Store(wavelength, intensity);
  if (!ReadPointLines(file, writer)) return;
  // The ends are not put in order: a decreasing file fails the range rule.
  s.EmissionLast = writer.last();
  s.EmissionValid = KeepIfAccepted(s.DonorEmission, RangeRuleHolds(s.EmissionFirst, s.EmissionLast),
                                   s.EmissionFirst, s.EmissionLast);
}

void ReadEmissionTxt(FretSession& s, std::string_view path, const MessageSink& sink) {
  s.EmissionValid = false;
  SpectrumTextFile file(path, sink);
  // The first line that starts with a number is the first data line; its
  // first two fields are not used.
  std::string_view line;
  double unused = 0.0;
  double wavelength = 0.0;
  double intensity = 0.0;
  if (!FindFirstNumericLine(file, line, unused) || !NextNumericField(line, unused) ||
      !NextNumericField(line, wavelength) || !NextNumericField(line, intensity)) {
    return;
  }
  GridWriter writer(s.DonorEmission, FillDirection::kUpward);
  s.EmissionFirst = writer.Store(wavelength, intensity);
  // Only a line that still holds its two leading numbers ends the data
  // normally; a line of text after the data refuses the file.
  if (!ReadPointLines(file, writer, 2)) return;
  s.EmissionLast = writer.last();
  OrderPair(s.EmissionFirst, s.EmissionLast);
  s.EmissionValid = KeepIfAccepted(s.DonorEmission, RangeRuleHolds(s.EmissionFirst, s.EmissionLast),
                                   s.EmissionFirst, s.EmissionLast);
}

}  // namespace korin
