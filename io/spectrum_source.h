// What a reader reads: a spectrum file's bytes and the name it reports them
// under. Readers never open files themselves; the windows and the
// command-line tool read the file once (spectrum_file.h), while tests and the
// fuzzer hand content in memory.
#pragma once

#include <string_view>

namespace korin {

struct SpectrumSource {
  std::string_view name;     // the path as the user chose it; every message reports it
  std::string_view content;  // the file's bytes
  bool opened = true;        // false: the file could not be read
};

}  // namespace korin
