// The five absorption formats. Each reader is a short arrangement of the
// text reader, the field scanner and the grid writer.
#include <algorithm>
#include <cctype>

#include "io/field_scanner.h"
#include "io/grid_writer.h"
#include "io/reader_pieces.h"
#include "io/spectrum_readers.h"
#include "io/spectrum_text_file.h"

namespace korin {
namespace {

bool ContainsDataMarker(std::string_view line) {
  constexpr std::string_view kMarker = "DATA";
  return std::search(line.begin(), line.end(), kMarker.begin(), kMarker.end(), [](char a, char b) {
           return (a >= 'a' && a <= 'z' ? static_cast<char>(a - 'a' + 'A') : a) == b;
         }) != line.end();
}

// The data part shared by the .sp and .txt formats: a first point on the
// next line, further points until the data end, then the range rule on the
// ends put in order.
SpectrumRead ReadTwoColumnData(SpectrumTextFile& file) {
  SpectrumRead read;
  GridSpectrum& spectrum = read.spectrum;
  GridWriter writer(spectrum.values, FillDirection::kUpward);
  std::string_view line = file.ReadLine();
  double wavelength = 0.0;
  double absorbance = 0.0;
  if (!NextNumericField(line, wavelength)) {
    read.refusal = Refusal::kNoData;
  } else if (!NextNumericField(line, absorbance)) {
    read.refusal = Refusal::kValueMissing;
  } else {
    writer.Store(wavelength, absorbance);
    read.refusal = ReadPointLines(file, writer);
  }
  if (read.refusal != Refusal::kNone) return read;
  spectrum.first = writer.first();
  spectrum.last = writer.last();
  OrderPair(spectrum.first, spectrum.last);
  ApplyRangeRule(read);
  return read;
}

}  // namespace

SpectrumRead ReadAbsorptionSp(const SpectrumSource& source, const MessageSink& sink) {
  SpectrumTextFile file(source, sink);
  // Instrument exports put metadata first; the data follow the first line
  // that mentions DATA (#DATA, Data points, ...).
  for (;;) {
    const std::string_view line = file.ReadLine();
    if (file.SeekEndOfData()) return RefusedRead(Refusal::kNoData);
    if (ContainsDataMarker(line)) break;
  }
  return ReadTwoColumnData(file);
}

SpectrumRead ReadAbsorptionTxt(const SpectrumSource& source, const MessageSink& sink) {
  SpectrumTextFile file(source, sink);
  // The first line that starts with a number ends the header and is itself
  // skipped.
  std::string_view line;
  double unused = 0.0;
  if (!FindFirstNumericLine(file, line, unused)) return RefusedRead(Refusal::kNoData);
  return ReadTwoColumnData(file);
}

SpectrumRead ReadAbsorptionAsp(const SpectrumSource& source, const MessageSink& sink) {
  SpectrumTextFile file(source, sink);
  const std::int32_t count = file.ReadIntegerToken();
  (void)file.ReadLine();  // the rest of the count's line
  for (int i = 0; i < 5; ++i) (void)file.ReadLine();

  SpectrumRead read;
  GridWriter writer(read.spectrum.values, FillDirection::kDownward);
  const auto read_point = [&](std::string_view line) {
    const double wavelength = FixedColumnField(line, 1, 7, source.name, sink);
    const double absorbance = FixedColumnField(line, 9, 7, source.name, sink);
    writer.Store(wavelength, absorbance);
  };
  read_point(file.ReadLine());  // the first data line is read even past the end
  for (std::int32_t i = 1; i < count; ++i) {
    // Data lines are read whole, so only the real end of the content ends
    // them early; a Ctrl-Z opening a line is part of that line's text.
    if (file.AtEndOfContent()) {
      // A count larger than the data: one message for all the missing lines,
      // and the spectrum ends on an empty line's wavelength 0, off the grid,
      // so it is refused.
      ShowFileError(sink, source.name);
      writer.Store(0.0, 0.0);
      break;
    }
    read_point(file.ReadLine());
  }
  // The first data line holds the highest wavelength.
  read.spectrum.last = writer.first();
  read.spectrum.first = writer.last();
  ApplyOrderCheck(read, source.name, sink);
  return read;
}

SpectrumRead ReadAbsorptionAbt(const SpectrumSource& source, const MessageSink& sink) {
  SpectrumTextFile file(source, sink);
  (void)file.ReadLine();
  (void)file.ReadLine();

  SpectrumRead read;
  GridWriter writer(read.spectrum.values, FillDirection::kUpward);
  const auto read_point = [&](std::string_view line) {
    const double wavelength = FixedColumnField(line, 1, 6, source.name, sink);
    const double absorbance = FixedColumnField(line, 8, 5, source.name, sink);
    writer.Store(wavelength, absorbance);
  };
  read_point(file.ReadLine());
  read.spectrum.first = writer.first();
  // At least one more line is read, even at the end of the file. From the
  // line after that on, the end-of-data test has skipped leading blanks.
  do {
    read_point(file.ReadLine());
  } while (!file.SeekEndOfData());
  read.spectrum.last = writer.last();
  ApplyOrderCheck(read, source.name, sink);
  return read;
}

SpectrumRead ReadAbsorptionAbs(const SpectrumSource& source, const MessageSink& sink) {
  SpectrumTextFile file(source, sink);
  SpectrumRead read;
  GridWriter writer(read.spectrum.values, FillDirection::kDownward);
  const auto read_point = [&] {
    const double wavelength = file.ReadRealToken();
    const double absorbance = file.ReadRealToken();
    (void)file.ReadLine();  // the rest of the absorbance's line
    if (file.TakeReadError()) ShowFileError(sink, source.name);
    writer.Store(wavelength, absorbance);
  };
  // Without any data the first point is read as 0 at 0 nm and refused as
  // off the grid; saying that nothing was found is more to the point.
  const bool no_data = file.SeekEndOfData();
  read_point();
  read.spectrum.last = writer.first();
  while (!file.SeekEndOfData()) read_point();
  read.spectrum.first = writer.last();
  ApplyOrderCheck(read, source.name, sink);
  if (no_data) read.refusal = Refusal::kNoData;
  return read;
}

}  // namespace korin
