#include "io/reader_choice.h"

#include <vector>

namespace korin {
namespace {

bool IsContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

SpectrumReader ChooseReader(SpectrumSide side, int filter_entry, std::string_view path) {
  const SpectrumFormat* format = ChooseFormat(side, filter_entry, path);
  return format == nullptr ? nullptr : format->reader;
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
