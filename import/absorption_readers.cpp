// The five absorption formats. Each reader is a short arrangement of the
// text-file reader, the field scanner and the grid writer.
#include <algorithm>
#include <cctype>

#include "import/field_scanner.h"
#include "import/grid_writer.h"
#include "import/reader_pieces.h"
#include "import/spectrum_readers.h"
#include "import/spectrum_text_file.h"

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
void ReadTwoColumnData(FretSession& s, SpectrumTextFile& file) {
  GridWriter writer(s.AcceptorAbsorbance, FillDirection::kUpward);
  std::string_view line = file.ReadLine();
  double wavelength = 0.0;
  double absorbance = 0.0;
  if (!NextNumericField(line, wavelength) || !NextNumericField(line, absorbance)) return;
  writer.Store(wavelength, absorbance);
  if (!ReadPointLines(file, writer)) return;
  s.AbsorptionFirst = writer.first();
  s.AbsorptionLast = writer.last();
  OrderPair(s.AbsorptionFirst, s.AbsorptionLast);
  s.AbsorptionValid =
      KeepIfAccepted(s.AcceptorAbsorbance, RangeRuleHolds(s.AbsorptionFirst, s.AbsorptionLast),
                     s.AbsorptionFirst, s.AbsorptionLast);
}

// The acceptance of the three formats whose wavelengths run one way.
void ApplyOrderCheck(FretSession& s, std::string_view path, const MessageSink& sink) {
  s.AbsorptionValid = KeepIfAccepted(
      s.AcceptorAbsorbance, OrderCheckPasses(s.AbsorptionFirst, s.AbsorptionLast, path, sink),
      s.AbsorptionFirst, s.AbsorptionLast);
}

}  // namespace

void ReadAbsorptionSp(FretSession& s, std::string_view path, const MessageSink& sink) {
  s.AbsorptionValid = false;
  SpectrumTextFile file(path, sink);
  // Instrument exports put metadata first; the data follow the first line
  // that mentions DATA (#DATA, Data points, ...).
  for (;;) {
    const std::string_view line = file.ReadLine();
    if (file.SeekEndOfData()) return;
    if (ContainsDataMarker(line)) break;
  }
  ReadTwoColumnData(s, file);
}

void ReadAbsorptionTxt(FretSession& s, std::string_view path, const MessageSink& sink) {
  s.AbsorptionValid = false;
  SpectrumTextFile file(path, sink);
  // The first line that starts with a number ends the header and is itself
  // skipped.
  std::string_view line;
  double unused = 0.0;
  if (!FindFirstNumericLine(file, line, unused)) return;
  ReadTwoColumnData(s, file);
}

void ReadAbsorptionAsp(FretSession& s, std::string_view path, const MessageSink& sink) {
  SpectrumTextFile file(path, sink);
  const std::int32_t count = file.ReadIntegerToken();
  (void)file.ReadLine();  // the rest of the count's line
  for (int i = 0; i < 5; ++i) (void)file.ReadLine();

  GridWriter writer(s.AcceptorAbsorbance, FillDirection::kDownward);
  const auto read_point = [&](std::string_view line) {
    const double wavelength = FixedColumnField(line, 1, 7, path, sink);
    const double absorbance = FixedColumnField(line, 9, 7, path, sink);
    writer.Store(wavelength, absorbance);
  };
  read_point(file.ReadLine());  // the first data line is read even past the end
  for (std::int32_t i = 1; i < count; ++i) {
    if (file.AtEndOfFile()) {
      // A count larger than the data: one message for all the missing lines,
      // and the spectrum ends on an empty line's wavelength 0, off the grid,
      // so it is refused.
      ShowFileError(sink, path);
      writer.Store(0.0, 0.0);
      break;
    }
    read_point(file.ReadLine());
  }
  // The first data line holds the highest wavelength.
  s.AbsorptionLast = writer.first();
  s.AbsorptionFirst = writer.last();
  ApplyOrderCheck(s, path, sink);
}

void ReadAbsorptionAbt(FretSession& s, std::string_view path, const MessageSink& sink) {
  SpectrumTextFile file(path, sink);
  (void)file.ReadLine();
  (void)file.ReadLine();

  GridWriter writer(s.AcceptorAbsorbance, FillDirection::kUpward);
  const auto read_point = [&](std::string_view line) {
    const double wavelength = FixedColumnField(line, 1, 6, path, sink);
    const double absorbance = FixedColumnField(line, 8, 5, path, sink);
    writer.Store(wavelength, absorbance);
  };
  read_point(file.ReadLine());
  s.AbsorptionFirst = writer.first();
  // At least one more line is read, even at the end of the file. From the
  // line after that on, the end-of-data test has skipped leading blanks.
  do {
    read_point(file.ReadLine());
  } while (!file.SeekEndOfData());
  s.AbsorptionLast = writer.last();
  ApplyOrderCheck(s, path, sink);
}

void ReadAbsorptionAbs(FretSession& s, std::string_view path, const MessageSink& sink) {
  SpectrumTextFile file(path, sink);
  GridWriter writer(s.AcceptorAbsorbance, FillDirection::kDownward);
  const auto read_point = [&] {
    const double wavelength = file.ReadRealToken();
    const double absorbance = file.ReadRealToken();
    (void)file.ReadLine();  // the rest of the absorbance's line
    if (file.TakeReadError()) ShowFileError(sink, path);
    writer.Store(wavelength, absorbance);
  };
  read_point();
  s.AbsorptionLast = writer.first();
  while (!file.SeekEndOfData()) read_point();
  s.AbsorptionFirst = writer.last();
  ApplyOrderCheck(s, path, sink);
}

}  // namespace korin
