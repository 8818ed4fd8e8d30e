// SHA-256 of a file's bytes, for reports that name exactly which file a
// result came from.
#pragma once

#include <string>
#include <string_view>

namespace korin {

// The digest of `bytes` as 64 lower-case hexadecimal digits.
[[nodiscard]] std::string Sha256Hex(std::string_view bytes);

}  // namespace korin
