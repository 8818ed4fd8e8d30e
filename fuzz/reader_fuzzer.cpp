// Feeds arbitrary bytes to every spectrum reader through the format table,
// as a user's open dialog would, in memory. Whatever the bytes, a reader
// must end, report a bounded number of times, store no non-finite value and
// accept only a spectrum that lies on the grid.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "import/spectrum_formats.h"

namespace {

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks a format row and how the dialog reached it: through
  // the row's own filter entry, or through entry 1 by the file's extension.
  const auto formats = korin::SpectrumFormats();
  const korin::SpectrumFormat& row = formats[data[0] % formats.size()];
  const bool by_extension = row.filter_entry == 0 || (data[0] / formats.size()) % 2 == 1;
  const std::string path = "/data/fuzz/input" + std::string(row.pattern.substr(1));
  const korin::SpectrumFormat* format =
      korin::ChooseFormat(row.side, by_extension ? 1 : row.filter_entry, path);
  Require(format != nullptr && format->reader == row.reader);

  const std::string_view content(reinterpret_cast<const char*>(data + 1), size - 1);
  std::size_t messages = 0;
  const korin::SpectrumRead read =
      format->reader({path, content, true}, [&messages](std::string_view) { ++messages; });

  const auto lines = static_cast<std::size_t>(std::count(content.begin(), content.end(), '\n'));
  Require(messages <= 2 * lines + 4);
  for (const double v : read.spectrum.values.values()) Require(std::isfinite(v));
  Require(read.accepted == (read.refusal == korin::Refusal::kNone));
  if (read.accepted) {
    Require(korin::SpectrumGrid::Contains(read.spectrum.first));
    Require(korin::SpectrumGrid::Contains(read.spectrum.last));
    Require(read.spectrum.first < read.spectrum.last);
  }
  return 0;
}
