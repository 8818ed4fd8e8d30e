// Runs a spectrum reader on text written to a temporary file and collects
// what it reports.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/fret_session.h"
#include "import/file_error.h"
#include "support/temp_files.h"

namespace korin::testing {

using Messages = std::vector<std::string>;
using Reader = void (*)(FretSession&, std::string_view, const MessageSink&);

struct ReadOutcome {
  std::unique_ptr<FretSession> session = std::make_unique<FretSession>();
  Messages messages;
  std::string path;
};

// Reads `path` with `reader` into a fresh session.
inline ReadOutcome ReadPath(Reader reader, std::string path) {
  ReadOutcome outcome;
  outcome.path = std::move(path);
  reader(*outcome.session, outcome.path,
         [&outcome](std::string_view m) { outcome.messages.emplace_back(m); });
  return outcome;
}

// Writes `content` to `name` in `dir` and reads it with `reader`.
inline ReadOutcome ReadText(const TempDir& dir, Reader reader, std::string_view name,
                            std::string_view content) {
  return ReadPath(reader, dir.Write(name, content));
}

// `count` copies of "File Error: " + path.
inline Messages FileErrors(const std::string& path, std::size_t count) {
  return Messages(count, "File Error: " + path);
}

}  // namespace korin::testing
