#include "io/reader_choice.h"

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
  // A character starts at every byte but a UTF-8 continuation byte, and at
  // the first byte whatever it is. Counted, not listed: a name is shortened
  // on every load, and rarely needs it.
  const auto starts_character = [path](std::size_t i) {
    return i == 0 || !IsContinuationByte(path[i]);
  };
  std::size_t characters = 0;
  for (std::size_t i = 0; i < path.size(); ++i) characters += starts_character(i) ? 1 : 0;
  if (characters <= kWhole) return std::string(path);
  // The byte offset at which character `n` (0-based) starts.
  const auto start_of = [&](std::size_t n) {
    std::size_t i = 0;
    for (; i < path.size(); ++i) {
      if (starts_character(i) && n-- == 0) break;
    }
    return i;
  };
  std::string shortened(path.substr(0, start_of(kHead)));
  shortened += "...";
  shortened += path.substr(start_of(characters - kTail));
  return shortened;
}

}  // namespace korin
