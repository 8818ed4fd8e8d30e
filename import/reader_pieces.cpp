#include "import/reader_pieces.h"

#include "import/field_scanner.h"
#include "core/parse_real.h"

namespace korin {

bool KeepIfAccepted(SpectrumGrid& grid, bool accepted, int first, int last) {
  if (accepted) grid.ClearOutside(first, last);
  return accepted;
}

bool FindFirstNumericLine(SpectrumTextFile& file, std::string_view& line, double& first_field) {
  for (;;) {
    line = file.ReadLine();
    if (file.SeekEndOfData()) return false;
    if (NextNumericField(line, first_field)) return true;
  }
}

bool ReadPointLines(SpectrumTextFile& file, GridWriter& writer, int leading) {
  while (!file.SeekEndOfData()) {
    std::string_view line = file.ReadLine();
    double unused = 0.0;
    for (int i = 0; i < leading; ++i) {
      if (!NextNumericField(line, unused)) return false;
    }
    double wavelength = 0.0;
    double value = 0.0;
    if (!NextNumericField(line, wavelength)) break;
    if (!NextNumericField(line, value)) return false;
    writer.Store(wavelength, value);
  }
  return true;
}

double FixedColumnField(std::string_view line, std::size_t first, std::size_t length,
                        std::string_view path, const MessageSink& sink) {
  std::string_view field = first - 1 < line.size() ? line.substr(first - 1, length) : "";
  TrimTrailingSeparators(field);
  double value = 0.0;
  if (!ParseReal(field, value)) ShowFileError(sink, path);
  return value;
}

}  // namespace korin
