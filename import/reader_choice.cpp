#include "import/reader_choice.h"

#include <array>
#include <vector>

#include "import/spectrum_readers.h"

namespace korin {
namespace {

struct ExtensionReader {
  std::string_view extension;
  SpectrumReader reader;
};

struct ReaderTable {
  // Filter entries 2..6 choose their reader whatever the extension.
  std::array<SpectrumReader, kFilterEntryCount - 1> by_entry;
  // Entry 1 chooses by extension.
  std::array<ExtensionReader, 5> by_extension;
};

constexpr ReaderTable kAbsorptionReaders{
    {ReadAbsorptionAbs, ReadAbsorptionAbt, ReadAbsorptionAsp, ReadAbsorptionSp, ReadAbsorptionTxt},
    {{{".ABS", ReadAbsorptionAbs},
      {".ABT", ReadAbsorptionAbt},
      {".ASP", ReadAbsorptionAsp},
      {".SP", ReadAbsorptionSp},
      {".TXT", ReadAbsorptionTxt}}},
};

constexpr ReaderTable kEmissionReaders{
    {ReadEmissionColumns, ReadEmissionColumns, ReadEmissionColumns, ReadEmissionTxt,
     ReadEmissionColumns},
    {{{".ISS", ReadEmissionColumns},
      {".RLS", ReadEmissionColumns},
      {".TXT", ReadEmissionTxt},
      {".CSV", ReadEmissionColumns},
      {".IFX", ReadEmissionColumns}}},
};

bool IsContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::string FileExtension(std::string_view path) {
  const auto dot = path.find_last_of('.');
  const auto delimiter = path.find_last_of("\\:/");
  if (dot == std::string_view::npos || (delimiter != std::string_view::npos && delimiter > dot)) {
    return {};
  }
  std::string extension(path.substr(dot));
  for (char& c : extension) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return extension;
}

SpectrumReader ChooseReader(SpectrumSide side, int filter_entry, std::string_view path) {
  const ReaderTable& table =
      side == SpectrumSide::kAbsorption ? kAbsorptionReaders : kEmissionReaders;
  if (filter_entry >= 2 && filter_entry <= kFilterEntryCount) {
    return table.by_entry[static_cast<std::size_t>(filter_entry - 2)];
  }
  if (filter_entry != 1) return nullptr;
  const std::string extension = FileExtension(path);
  for (const auto& [known, reader] : table.by_extension) {
    if (extension == known) return reader;
  }
  return nullptr;
}

std::string ShortenFileName(std::string_view path) {
  constexpr std::size_t kWhole = 40;
  constexpr std::size_t kHead = 19;
  constexpr std::size_t kTail = 21;
  // Byte offsets at which each character starts.
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (!IsContinuationByte(path[i]) || starts.empty()) starts.push_back(i);
  }
  if (starts.size() <= kWhole) return std::string(path);
  std::string shortened(path.substr(0, starts[kHead]));
  shortened += "...";
  shortened += path.substr(starts[starts.size() - kTail]);
  return shortened;
}

}  // namespace korin
