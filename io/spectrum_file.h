// Reads a spectrum file from disk into memory, once, before any reader runs.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "io/spectrum_source.h"

namespace korin {

// Frees the bytes of a SpectrumFile: pages taken from the system for a large
// file (`mapped` bytes), an ordinary array otherwise.
struct FileBytesDeleter {
  std::size_t mapped = 0;
  void operator()(char* bytes) const;
};
using FileBytes = std::unique_ptr<char[], FileBytesDeleter>;

// A file's whole content, taken in at once so that nobody writing the file
// meanwhile changes what is read.
class SpectrumFile {
 public:
  std::string path;
  bool opened = false;

  [[nodiscard]] std::string_view content() const { return {bytes_.get(), size_}; }
  // A view for the readers; valid while this object lives.
  [[nodiscard]] SpectrumSource Source() const { return {path, content(), opened}; }

 private:
  friend SpectrumFile ReadSpectrumFile(std::string path);
  // Not a std::string: its bytes would be zeroed before the file is read
  // into them, a cost as large as the reading for a big file.
  FileBytes bytes_;
  std::size_t size_ = 0;
};

// Opens `path` read-only and reads it whole. Anything that is not a readable
// regular file reads as not opened, with empty content: a missing file, a
// directory, a FIFO, an empty path, a path holding a NUL, a read error
// part-way, or a file over 1 GiB. Opening never blocks.
[[nodiscard]] SpectrumFile ReadSpectrumFile(std::string path);

}  // namespace korin
