#include "import/spectrum_loader.h"

#include "core/sha256.h"
#include "import/reader_choice.h"
#include "import/spectrum_file.h"

namespace korin {
namespace {

std::string_view SideName(SpectrumSide side) {
  return side == SpectrumSide::kEmission ? "Emission spectrum" : "Absorption spectrum";
}

// The file's own name, without its folders.
std::string_view BaseName(std::string_view path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// ".abs, .abt, .asp, .sp, .txt": what entry 1 of the side's dialog reads.
std::string KnownExtensions(SpectrumSide side) {
  std::string list;
  for (const SpectrumFormat& format : SpectrumFormats()) {
    if (format.side != side) continue;
    if (!list.empty()) list += ", ";
    for (const char c : format.extension) {
      list += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
  }
  return list;
}

// The open command's steps; `read_content` hands the chosen reader the
// file's content, and is asked only when there is a reader.
template <typename ReadContent>
LoadOutcome Load(FretEngine& engine, SpectrumSide side, int filter_entry, std::string_view path,
                 const ReadContent& read_content, const MessageSink& sink) {
  LoadOutcome outcome;
  engine.BeginLoad(side);
  outcome.format = ChooseFormat(side, filter_entry, path);
  const std::string file(BaseName(path));
  const std::string side_name(SideName(side));
  if (outcome.format == nullptr) {
    engine.RefuseSpectrum(side);
    outcome.kind = LoadOutcome::Kind::kNoReader;
    outcome.reason = filter_entry == 1
                         ? "the extension of " + file + " is none of " + KnownExtensions(side)
                         : "the open dialog has no entry " + std::to_string(filter_entry);
    engine.ReportStatus(side_name + " not loaded: " + outcome.reason);
    return outcome;
  }

  std::string sha256;
  const SpectrumRead read = read_content([&](const SpectrumSource& source) {
    if (source.opened) sha256 = Sha256Hex(source.content);
    return outcome.format->reader(source, [&](std::string_view message) {
      ++outcome.messages;
      if (sink) sink(message);
    });
  });
  const std::string how = " (read as " + std::string(outcome.format->reader_name) + ")";
  if (!read.accepted) {
    engine.RefuseSpectrum(side);
    outcome.kind = LoadOutcome::Kind::kRefused;
    outcome.reason = RefusalText(read) + " in " + file + how;
    if (outcome.messages == 0) engine.ReportStatus(side_name + " not loaded: " + outcome.reason);
    return outcome;
  }
  if (!engine.AcceptSpectrum(side, read.spectrum, ShortenFileName(path))) {
    outcome.kind = LoadOutcome::Kind::kUnusable;
    outcome.reason = "its values have no positive area in " + file + how;
    engine.ReportStatus(side_name + " not used: " + outcome.reason);
    return outcome;
  }
  engine.SetOrigin(side, {std::string(path), std::string(outcome.format->reader_name), filter_entry,
                          std::move(sha256)});
  outcome.kind = LoadOutcome::Kind::kAccepted;
  return outcome;
}

}  // namespace

LoadOutcome OpenSpectrum(FretEngine& engine, SpectrumSide side, int filter_entry,
                         const std::string& path, const MessageSink& sink) {
  return Load(
      engine, side, filter_entry, path,
      [&](const auto& reader) { return reader(ReadSpectrumFile(path).Source()); }, sink);
}

LoadOutcome LoadSpectrum(FretEngine& engine, SpectrumSide side, int filter_entry,
                         const SpectrumSource& source, const MessageSink& sink) {
  return Load(
      engine, side, filter_entry, source.name, [&](const auto& reader) { return reader(source); },
      sink);
}

}  // namespace korin
