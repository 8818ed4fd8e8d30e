// Reads a spectrum file from disk into memory, once, before any reader runs.
#pragma once

#include <string>

#include "import/spectrum_source.h"

namespace korin {

// A file's whole content, taken in at once so that nobody writing the file
// meanwhile changes what is read.
struct SpectrumFile {
  std::string path;
  std::string content;
  bool opened = false;

  // A view for the readers; valid while this object lives unchanged.
  [[nodiscard]] SpectrumSource Source() const { return {path, content, opened}; }
};

// Opens `path` read-only and reads it whole. Anything that is not a readable
// regular file reads as not opened, with empty content: a missing file, a
// directory, a FIFO, an empty path, a path holding a NUL, a read error
// part-way, or a file over 1 GiB. Opening never blocks.
[[nodiscard]] SpectrumFile ReadSpectrumFile(std::string path);

}  // namespace korin
