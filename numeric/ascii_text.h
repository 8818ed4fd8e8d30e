// Small text pieces for names, paths and option values: names are compared
// without regard to ASCII case and read without the blanks around them.
// ASCII only, so that no locale changes what they do.
#pragma once

#include <string>
#include <string_view>

namespace korin {

[[nodiscard]] inline bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// `text` without the blanks and tabs at either end.
[[nodiscard]] inline std::string_view TrimmedBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

[[nodiscard]] inline char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// `text` with A..Z made a..z; every other byte as it is.
[[nodiscard]] inline std::string AsciiLowered(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) c = AsciiLower(c);
  return lowered;
}

// The file's own name, without its folders.
[[nodiscard]] inline std::string_view FileNameOf(std::string_view path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace korin
