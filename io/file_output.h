// Writing an export or a report: all of it or nothing. The bytes go to a
// temporary file in the same folder, which takes the file's name only once
// complete, so a failed write (a missing folder, no permission, a full
// disk) leaves no half-written file and changes nothing else.
#pragma once

#include <string>
#include <string_view>

namespace korin {

struct WriteOutcome {
  bool written = false;
  bool exists = false;  // refused: the file exists and was not to be replaced
  std::string message;  // why not written, naming the path; empty once written
};

// Writes `bytes` to `path`; an existing file is replaced only when `replace`.
[[nodiscard]] WriteOutcome WriteFileAtomically(const std::string& path, std::string_view bytes,
                                               bool replace);

}  // namespace korin
