#include "io/spectrum_loader.h"

#include <memory>

#include "io/column_choice.h"
#include "io/reader_choice.h"
#include "io/sha256.h"
#include "io/spectrum_file.h"
#include "numeric/ascii_text.h"

namespace korin {
namespace {

std::string_view SideName(SpectrumSide side) {
  return side == SpectrumSide::kEmission ? "Emission spectrum" : "Absorption spectrum";
}

// The file's own name, without its folders.
// ".abs, .abt, .asp, .sp, .txt": what entry 1 of the side's dialog reads.
std::string KnownExtensions(SpectrumSide side) {
  std::string list;
  for (const SpectrumFormat& format : SpectrumFormats()) {
    if (format.side != side || format.extension.empty()) continue;
    if (!list.empty()) list += ", ";
    for (const char c : format.extension) {
      list += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
  }
  return list;
}

// What a read hands the open command's last steps.
struct ReadResult {
  SpectrumRead read;
  std::string reason;  // why not read, when the reader's refusal says too little
  std::vector<std::string> warnings;
};

// The origin's digest of a file read from disk: it keeps the buffer the
// file was read into, so the digest is of exactly those bytes whenever it
// is asked for, even if the file has changed since.
LazyDigest DigestOfFile(const std::shared_ptr<const SpectrumFile>& file) {
  if (!file || !file->opened) return {};
  return LazyDigest::OnDemand([file] { return Sha256Hex(file->content()); });
}

// The same for content handed in memory, which the caller may free or
// change once the load returns: the digest keeps a copy.
LazyDigest DigestOfCopy(const SpectrumSource& source) {
  if (!source.opened) return {};
  auto bytes = std::make_shared<const std::string>(source.content);
  return LazyDigest::OnDemand([bytes] { return Sha256Hex(*bytes); });
}

// Reads `source` with `reader`, counting its messages. The read is built
// in place: a spectrum is a grid of 11 KB, not worth copying on every load.
template <typename Reader>
ReadResult ReadCounted(const SpectrumSource& source, const Reader& reader, LoadOutcome& outcome,
                       const MessageSink& sink) {
  return {reader(source,
                 [&](std::string_view message) {
                   ++outcome.messages;
                   if (sink) sink(message);
                 }),
          {},
          {}};
}

// The steps after the read: the engine takes the spectrum or withdraws the
// side, and a failure without a message gets its status line. Only an
// accepted spectrum asks `make_digest` for its origin's digest.
template <typename MakeDigest>
LoadOutcome Finish(FretEngine& engine, SpectrumSide side, std::string_view path,
                   const ReadResult& result, LoadOutcome outcome, SpectrumOrigin origin,
                   const MakeDigest& make_digest) {
  const std::string_view file = FileNameOf(path);
  for (const std::string& warning : result.warnings) {
    outcome.warnings.push_back(std::string(file) + ": " + warning);
  }
  // A failure's reason, `why` followed by where and how ("... in
  // donor.csv (read as two-column text)"), and its status line; each put
  // together in one string, as most fuzzed loads fail.
  const auto fail = [&](LoadOutcome::Kind kind, std::string why, std::string_view status) {
    const std::string_view reader = outcome.format->reader_name;
    why.reserve(why.size() + file.size() + reader.size() + 16);
    why.append(" in ").append(file).append(" (read as ").append(reader).append(")");
    outcome.kind = kind;
    outcome.reason = std::move(why);
    if (status.empty()) return;
    const std::string_view side_name = SideName(side);
    std::string line;
    line.reserve(side_name.size() + status.size() + outcome.reason.size());
    line.append(side_name).append(status).append(outcome.reason);
    engine.ReportStatus(line);
  };
  if (!result.read.accepted) {
    engine.RefuseSpectrum(side);
    fail(LoadOutcome::Kind::kRefused,
         result.reason.empty() ? RefusalText(result.read) : result.reason,
         outcome.messages == 0 ? " not loaded: " : "");
    return outcome;
  }
  if (!engine.AcceptSpectrum(side, result.read.spectrum, ShortenFileName(path))) {
    fail(LoadOutcome::Kind::kUnusable, "its values have no positive area", " not used: ");
    return outcome;
  }
  origin.path = std::string(path);
  origin.reader = std::string(outcome.format->reader_name);
  origin.sha256 = make_digest();
  engine.SetOrigin(side, std::move(origin));
  outcome.kind = LoadOutcome::Kind::kAccepted;
  return outcome;
}

// The open command's steps; `read_content` hands the chosen reader the
// file's content, and is asked only when there is a reader; `make_digest`
// gives the origin's digest of that content.
template <typename ReadContent, typename MakeDigest>
LoadOutcome Load(FretEngine& engine, SpectrumSide side, int filter_entry, std::string_view path,
                 const ReadContent& read_content, const MakeDigest& make_digest,
                 const MessageSink& sink) {
  LoadOutcome outcome;
  engine.BeginLoad(side);
  outcome.format = ChooseFormat(side, filter_entry, path);
  if (outcome.format == nullptr) {
    engine.RefuseSpectrum(side);
    outcome.kind = LoadOutcome::Kind::kNoReader;
    outcome.reason = filter_entry == 1
                         ? "the extension of " + std::string(FileNameOf(path)) + " is none of " +
                               KnownExtensions(side)
                         : "the open dialog has no entry " + std::to_string(filter_entry);
    engine.ReportStatus(std::string(SideName(side)) + " not loaded: " + outcome.reason);
    return outcome;
  }
  ReadResult result = read_content([&](const SpectrumSource& source) {
    ReadResult r = ReadCounted(source, outcome.format->reader, outcome, sink);
    // The reader reads what it always read; the header may show that this
    // is another kind of spectrum than the side needs.
    if (r.read.accepted && outcome.format->value_field > 0) {
      std::string warning = WrongColumnWarning(source.content, side, outcome.format->value_field);
      if (!warning.empty()) r.warnings.push_back(std::move(warning));
    }
    return r;
  });
  SpectrumOrigin origin;
  origin.filter_entry = filter_entry;
  return Finish(engine, side, path, result, std::move(outcome), std::move(origin), make_digest);
}

// The open command's steps for the column import; `import_columns` reads
// the source with the sink it is given.
template <typename Import, typename MakeDigest>
LoadOutcome LoadColumnSource(FretEngine& engine, SpectrumSide side, const SpectrumSource& source,
                             const Import& import_columns, const MakeDigest& make_digest,
                             const MessageSink& sink) {
  LoadOutcome outcome;
  engine.BeginLoad(side);
  outcome.format = &ColumnFormat(side);
  ColumnImport import;
  ReadResult result = ReadCounted(
      source,
      [&](const SpectrumSource& s, const MessageSink& counted) {
        import = import_columns(s, counted);
        return import.read;
      },
      outcome, sink);
  result.reason = import.choice_error;
  result.warnings = import.warnings;
  SpectrumOrigin origin;
  origin.filter_entry = 0;
  if (import.chosen) {
    const ColumnPair& pair = import.pair;
    outcome.columns = LoadOutcome::Columns{pair.wavelength_column,
                                           pair.value_column,
                                           ColumnLabel(import.table, pair.wavelength_column),
                                           ColumnLabel(import.table, pair.value_column),
                                           pair.unit,
                                           import.skipped_rows};
    origin.columns =
        std::to_string(pair.wavelength_column + 1) + "," + std::to_string(pair.value_column + 1);
    origin.unit = std::string(UnitText(pair.unit));
  }
  return Finish(engine, side, source.name, result, std::move(outcome), std::move(origin),
                make_digest);
}

// The column import with the columns and unit of `request`.
template <typename MakeDigest>
LoadOutcome LoadRequestedColumns(FretEngine& engine, SpectrumSide side,
                                 const ColumnRequest& request, const SpectrumSource& source,
                                 const MakeDigest& make_digest, const MessageSink& sink) {
  return LoadColumnSource(
      engine, side, source,
      [&](const SpectrumSource& s, const MessageSink& counted) {
        return ImportColumns(s, side, request, counted);
      },
      make_digest, sink);
}

}  // namespace

LoadOutcome OpenSpectrum(FretEngine& engine, SpectrumSide side, int filter_entry,
                         const std::string& path, const MessageSink& sink) {
  // Shared with the origin's digest, which hashes these very bytes if a
  // report asks.
  std::shared_ptr<const SpectrumFile> file;
  return Load(
      engine, side, filter_entry, path,
      [&](const auto& reader) {
        file = std::make_shared<const SpectrumFile>(ReadSpectrumFile(path));
        return reader(file->Source());
      },
      [&] { return DigestOfFile(file); }, sink);
}

LoadOutcome LoadSpectrum(FretEngine& engine, SpectrumSide side, int filter_entry,
                         const SpectrumSource& source, const MessageSink& sink) {
  return Load(
      engine, side, filter_entry, source.name, [&](const auto& reader) { return reader(source); },
      [&] { return DigestOfCopy(source); }, sink);
}

LoadOutcome OpenColumns(FretEngine& engine, SpectrumSide side, const ColumnRequest& request,
                        const std::string& path, const MessageSink& sink) {
  const auto file = std::make_shared<const SpectrumFile>(ReadSpectrumFile(path));
  return LoadRequestedColumns(
      engine, side, request, file->Source(), [&] { return DigestOfFile(file); }, sink);
}

LoadOutcome LoadColumns(FretEngine& engine, SpectrumSide side, const ColumnRequest& request,
                        const SpectrumSource& source, const MessageSink& sink) {
  return LoadRequestedColumns(
      engine, side, request, source, [&] { return DigestOfCopy(source); }, sink);
}

LoadOutcome LoadColumns(FretEngine& engine, SpectrumSide side, const ColumnTable& table,
                        const ColumnPair& pair, const SpectrumSource& source,
                        const MessageSink& sink) {
  return LoadColumnSource(
      engine, side, source,
      [&](const SpectrumSource& s, const MessageSink&) {
        return ImportColumns(s, table, side, pair);
      },
      [&] { return DigestOfCopy(source); }, sink);
}

}  // namespace korin
