#include "io/file_error.h"

#include <algorithm>
#include <array>
#include <string>

namespace korin {

void ShowFileError(const MessageSink& sink, std::string_view text) {
  if (!sink) return;
  constexpr std::string_view kPrefix = "File Error: ";
  // A reader may send a message for every line of a file: the usual one is
  // put together on the stack, and only a long path takes a string.
  std::array<char, 256> buffer;
  if (kPrefix.size() + text.size() <= buffer.size()) {
    const auto end = std::copy(text.begin(), text.end(),
                               std::copy(kPrefix.begin(), kPrefix.end(), buffer.begin()));
    sink(std::string_view(buffer.data(), static_cast<std::size_t>(end - buffer.begin())));
    return;
  }
  std::string message(kPrefix);
  message += text;
  sink(message);
}

}  // namespace korin
