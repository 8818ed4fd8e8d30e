// The pair table: many donors against many acceptors. Each spectrum is
// prepared once, on an engine of its own, as the panel would hold it: the
// donor's normalised emission, the acceptor's extinction spectrum. Every
// pair is then J and R0 from those two grids by the very functions the
// engine's gate runs, so a row equals, to the last digit, what the panel
// shows for that pair with the same parameters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/fret_engine.h"
#include "core/grid_spectrum.h"
#include "core/parameter_tables.h"
#include "numeric/ascii_text.h"

namespace korin {

// --- What the table is made of ------------------------------------------------

// The parameters every pair shares, as the panel holds them: the text of
// its orientation field and a choice from its solvent list.
struct SharedParameters {
  std::string orientation = "0.66667";
  int solvent = kStartSolvent;   // index into kSolventTable
  std::string refractive_index;  // typed only with solvent 0, "<Other>"
};

// What a spectrum takes when its sheet row or its file list leaves a value
// out: the command-line options, or the main window's current values.
struct DyeDefaults {
  std::string quantum_yield = "0.5";
  std::string concentration = "1E-5";
  int optical_path = kStartOpticalPath;   // index into kOpticalPathTable
  std::optional<std::string> extinction;  // set: extinction entry with this coefficient
  int emission_filter = 1;
  int absorption_filter = 1;
};

// One spectrum of the table, with the values the panel takes for it.
struct DyeRecord {
  SpectrumSide side = SpectrumSide::kEmission;  // the emission of a donor
  std::string path;                             // as it is opened
  std::string name;                             // as the table shows it
  int filter_entry = 1;                         // the open dialog's entry; 0: column import
  // For the column import: the value column (a 1-based number or a header
  // name, "" for the one the header names) and the unit ("nm", "um",
  // "cm-1", "" for the one the header names).
  std::optional<std::string> value_column;
  std::string units;
  std::string quantum_yield = "0.5";      // donors
  std::string concentration = "1E-5";     // acceptors, concentration entry
  int optical_path = kStartOpticalPath;   // acceptors, index into kOpticalPathTable
  std::optional<std::string> extinction;  // acceptors: extinction entry with this coefficient
  int line = 0;                           // its dye sheet's line; 0 for a listed file
};

// Has `record` read through the column import: the value column by number
// or header name, "auto" (any case) or "" for the one the header names for
// its side, and the unit ("nm", "um", "cm-1"), "" for the one the header
// names.
void ReadThroughColumns(DyeRecord& record, std::string_view column, std::string_view units);

// A spectrum listed on its own: the defaults, named after its file.
[[nodiscard]] DyeRecord ListedDye(SpectrumSide side, std::string path, const DyeDefaults& defaults);

// Something the table leaves out, and why: a refused spectrum, a malformed
// sheet row, or a pair whose J is not a finite double.
struct TableError {
  enum class Kind { kRow, kSpectrum, kPair };
  Kind kind = Kind::kSpectrum;
  std::string file;  // the spectrum's path; the sheet's for a row
  std::string name;  // the spectrum's or the pair's name, when there is one
  int line = 0;      // the sheet's line; 0 when none
  std::string reason;
  std::vector<std::string> messages;  // the reader's own ("File Error: ...")
};

// --- Preparing each spectrum once ---------------------------------------------

// What the open path did with a spectrum.
struct OpenReport {
  bool in_use = false;
  std::string reason;                 // why it is not in use
  std::vector<std::string> messages;  // what the reader reported
};

// Opens `record`'s file for `record.side` on `engine` exactly as an open command
// does (pair_sources.h supplies it).
using SpectrumOpener = std::function<OpenReport(FretEngine& engine, const DyeRecord& record)>;

struct PreparedDye {
  DyeRecord record;
  // As the engine holds it: a donor's normalised emission (nm^-1), an
  // acceptor's extinction spectrum (M^-1 cm^-1).
  SpectrumGrid grid;
  double quantum_yield = 0.0;         // donors: the value of the typed text
  std::vector<std::string> messages;  // what the reader reported and still accepted
};

// One spectrum prepared, or why not.
struct DyePreparation {
  std::optional<PreparedDye> dye;
  TableError error;  // set when there is no dye
};

// The shared parameters' values, as an engine reads their texts.
struct SharedValues {
  double orientation = 0.0;
  double refractive_index = 0.0;
};

// Types the shared parameters into a fresh engine; their values, or nothing
// with `why` set when the panel would hide every result for them.
[[nodiscard]] std::optional<SharedValues> ReadSharedParameters(const SharedParameters& shared,
                                                               std::string& why);

// Prepares `record` on a fresh engine, in the order of the command-line tool:
// the panel started, the shared parameters and the record's own typed and
// chosen, the spectrum opened by `open`, and for extinction entry the
// coefficient typed and settled on the text the gate writes back. The dye
// is taken only when the gate's conditions for its side hold.
[[nodiscard]] DyePreparation PrepareDye(const DyeRecord& record, const SharedParameters& shared,
                                        const SpectrumOpener& open);

// Every record, on up to `jobs` threads; the answers in the records' order.
[[nodiscard]] std::vector<DyePreparation> PrepareDyes(std::span<const DyeRecord> records,
                                                      const SharedParameters& shared,
                                                      const SpectrumOpener& open, int jobs);

// --- The pairs -------------------------------------------------------------------

// The dyes are held elsewhere (a dye is some 11 kB): the inputs point at
// them, and they must outlive the inputs.
struct PairInputs {
  std::vector<const PreparedDye*> donors;
  std::vector<const PreparedDye*> acceptors;
  SharedValues shared;

  [[nodiscard]] const PreparedDye& Donor(std::size_t i) const { return *donors[i]; }
  [[nodiscard]] const PreparedDye& Acceptor(std::size_t i) const { return *acceptors[i]; }
};

// A prepared dye among the inputs' donors or acceptors by its side, or its
// refusal added to `refused`. The preparation must outlive the inputs.
void AddPrepared(const DyePreparation& preparation, PairInputs& inputs,
                 std::vector<TableError>& refused);

// Inputs pointing at every dye of `donors` and of `acceptors`.
[[nodiscard]] PairInputs PairInputsOf(std::span<const PreparedDye> donors,
                                      std::span<const PreparedDye> acceptors, SharedValues shared);

// Pair i is donor i / acceptors.size() with acceptor i % acceptors.size().
[[nodiscard]] std::size_t PairCount(const PairInputs& inputs);

struct PairRow {
  std::uint32_t donor = 0;  // indexes into the inputs
  std::uint32_t acceptor = 0;
  bool computed = false;          // false: J is not a finite double, and the pair has no figures
  double overlap_integral = 0.0;  // M^-1 cm^3
  double forster_distance = 0.0;  // angstroms
  std::string overlap_integral_text;  // the result panel's texts, with "."
  std::string forster_distance_text;
  // With a target distance R: E at R and |R0 - R| in angstroms.
  double efficiency_at_target = 0.0;
  double distance_error = 0.0;
};

// One pair, as the engine's gate computes it.
[[nodiscard]] PairRow ComputePair(const PairInputs& inputs, std::uint32_t donor,
                                  std::uint32_t acceptor);

// Pairs first .. first + rows.size() - 1 into `rows`, on up to `jobs`
// threads. Precondition: first + rows.size() <= PairCount(inputs).
void ComputePairs(const PairInputs& inputs, std::size_t first, std::span<PairRow> rows, int jobs);

// Every pair, in the order above.
[[nodiscard]] std::vector<PairRow> ComputeAllPairs(const PairInputs& inputs, int jobs);

// The pairs without figures taken out of `rows`, one error each.
[[nodiscard]] std::vector<TableError> TakeUncomputed(std::vector<PairRow>& rows,
                                                     const PairInputs& inputs);

// --- Target distance, order, CSV -----------------------------------------------

// Sets E at `target` and |R0 - target| on every computed row; a pair with
// R0 = 0 transfers nothing there. Precondition: target > 0, finite.
void ApplyTargetDistance(std::span<PairRow> rows, double target);

enum class PairOrder {
  kListed,           // donors in their order, each against the acceptors in theirs
  kForsterDistance,  // largest R0 first
  kOverlapIntegral,  // largest J first
  kName,             // donor name, then acceptor name, A to Z
  kDistanceError,    // R0 nearest the target first
};

// Sorts stably: ties keep the listed order, whatever the threads did.
void SortPairs(std::vector<PairRow>& rows, PairOrder order, const PairInputs& inputs);

// The header line and one line per row: donor, acceptor, overlap_integral,
// overlap_integral_text, forster_distance, forster_distance_text, and with a
// target efficiency_at_target and distance_error. Numbers read back
// exactly; fields are quoted when they must be.
[[nodiscard]] std::string PairTableCsv(std::span<const PairRow> rows, const PairInputs& inputs,
                                       bool with_target);

}  // namespace korin
