// Runs a spectrum reader on content held in memory and collects what it
// reports.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "io/spectrum_read.h"

namespace korin::testing {

using Messages = std::vector<std::string>;

struct ReadOutcome {
  SpectrumRead read;
  Messages messages;
  std::string path;

  [[nodiscard]] bool accepted() const { return read.accepted; }
  [[nodiscard]] int first() const { return read.spectrum.first; }
  [[nodiscard]] int last() const { return read.spectrum.last; }
  // The grid value at `wavelength`.
  [[nodiscard]] double at(int wavelength) const { return read.spectrum.values[wavelength]; }
};

// Reads `source` with `reader`.
inline ReadOutcome ReadSource(SpectrumReader reader, const SpectrumSource& source) {
  ReadOutcome outcome;
  outcome.path = std::string(source.name);
  outcome.read =
      reader(source, [&outcome](std::string_view m) { outcome.messages.emplace_back(m); });
  return outcome;
}

// Reads `content` under the name `path` with `reader`.
inline ReadOutcome ReadText(SpectrumReader reader, std::string_view path,
                            std::string_view content) {
  return ReadSource(reader, {path, content, true});
}

// Reads a file that could not be opened.
inline ReadOutcome ReadUnopened(SpectrumReader reader, std::string_view path) {
  return ReadSource(reader, {path, {}, false});
}

// `count` copies of "File Error: " + path.
inline Messages FileErrors(const std::string& path, std::size_t count) {
  return Messages(count, "File Error: " + path);
}

}  // namespace korin::testing
