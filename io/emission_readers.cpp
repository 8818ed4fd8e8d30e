// The two emission formats: two-field lines (.ifx, .iss, .rls, .csv) and
// four-field lines (.txt).
#include "io/field_scanner.h"
#include "io/grid_writer.h"
#include "io/reader_pieces.h"
#include "io/spectrum_readers.h"
#include "io/spectrum_text_file.h"

namespace korin {

SpectrumRead ReadEmissionColumns(const SpectrumSource& source, const MessageSink& sink) {
  SpectrumTextFile file(source, sink);
  // Every line before the first one that starts with a number is header;
  // that number is the first wavelength.
  std::string_view line;
  double wavelength = 0.0;
  double intensity = 0.0;
  if (!FindFirstNumericLine(file, line, wavelength)) return RefusedRead(Refusal::kNoData);
  if (!NextNumericField(line, intensity)) return RefusedRead(Refusal::kValueMissing);
  SpectrumRead read;
  GridSpectrum& spectrum = read.spectrum;
  GridWriter writer(spectrum.values, FillDirection::kUpward);
  spectrum.first = writer.Store(wavelength, intensity);
  read.refusal = ReadPointLines(file, writer);
  if (read.refusal != Refusal::kNone) return read;
  // The ends are not put in order: a decreasing file fails the range rule.
  spectrum.last = writer.last();
  ApplyRangeRule(read);
  return read;
}

SpectrumRead ReadEmissionTxt(const SpectrumSource& source, const MessageSink& sink) {
  SpectrumTextFile file(source, sink);
  // The first line that starts with a number is the first data line; its
  // first two fields are not used.
  std::string_view line;
  double unused = 0.0;
  double wavelength = 0.0;
  double intensity = 0.0;
  if (!FindFirstNumericLine(file, line, unused)) return RefusedRead(Refusal::kNoData);
  if (!NextNumericField(line, unused)) return RefusedRead(Refusal::kLeadingFields);
  if (!NextNumericField(line, wavelength)) return RefusedRead(Refusal::kNoData);
  if (!NextNumericField(line, intensity)) return RefusedRead(Refusal::kValueMissing);
  SpectrumRead read;
  GridSpectrum& spectrum = read.spectrum;
  GridWriter writer(spectrum.values, FillDirection::kUpward);
  spectrum.first = writer.Store(wavelength, intensity);
  // Only a line that still holds its two leading numbers ends the data
  // normally; a line of text after the data refuses the file.
  read.refusal = ReadPointLines(file, writer, 2);
  if (read.refusal != Refusal::kNone) return read;
  spectrum.last = writer.last();
  OrderPair(spectrum.first, spectrum.last);
  ApplyRangeRule(read);
  return read;
}

}  // namespace korin
