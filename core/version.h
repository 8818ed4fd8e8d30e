// The program's version, as the build takes it from the project.
#pragma once

#include <string_view>

namespace korin {

inline constexpr std::string_view kVersion = KORIN_VERSION;

}  // namespace korin
