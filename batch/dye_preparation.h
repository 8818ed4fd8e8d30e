// The pair table's spectra, each prepared once: a dye sheet row or a listed
// file becomes a request for its one spectrum, applied to an engine of its
// own as the panel would hold it (the donor's normalised emission, the
// acceptor's extinction spectrum). The same request, joined with the
// other side's, loads the pair into the main window.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/grid_spectrum.h"
#include "core/spectrum_grid.h"
#include "request/fret_request.h"

namespace korin {

// The scope of a side's own parameters: a donor's or an acceptor's.
[[nodiscard]] ParameterScope ScopeOf(SpectrumSide side);

// One spectrum of the table: a donor's emission or an acceptor's
// absorption, with the values the panel takes for it.
struct DyeRecord {
  SpectrumSide side = SpectrumSide::kEmission;
  std::string path;  // as it is opened
  std::string name;  // as the table shows it
  // Its own values as typed, those of its side's scope: how its file is
  // read (a filter entry, or columns and a unit) and, for a donor, the
  // quantum yield; for an acceptor the concentration, the optical path and
  // a peak coefficient for extinction entry. What it leaves out takes the
  // parameter's default.
  FretRequest values;
  int line = 0;  // its dye sheet's line; 0 for a listed file
  // For the experiment planner, the dye's other spectrum as its sheet row
  // names it (a donor's absorption, an acceptor's emission), with its
  // column and unit for the column import, and the value that spectrum
  // needs (a donor's peak extinction coefficient, an acceptor's quantum
  // yield). Empty where the row names none.
  struct Second {
    std::string path;
    std::string column;
    std::string units;
    std::string value;
  } second;
};

// Has `record` read through the column import: the value column by number
// or header name, "auto" (any case) or "" for the one the header names for
// its side, and the unit ("nm", "um", "cm-1"), "" for the one the header
// names. Its filter entry no longer counts.
void ReadThroughColumns(DyeRecord& record, std::string_view column, std::string_view units);

// A spectrum listed on its own, named after its file, with the values of
// `defaults` of its side's scope: the command-line options, or the main
// window's values.
[[nodiscard]] DyeRecord ListedDye(SpectrumSide side, std::string path, const FretRequest& defaults);

// The request for `record`'s spectrum alone, with its own values and the
// shared ones of `shared` (the orientation factor, the solvent or a
// refractive index); `content`, when given, is its file's bytes.
[[nodiscard]] FretRequest DyeRequest(const DyeRecord& record, const FretRequest& shared,
                                     std::optional<std::string> content = std::nullopt);

// The request that loads a pair of the table into the panel: the donor's
// spectrum and values, the acceptor's, and the shared values.
[[nodiscard]] FretRequest PairRequest(const DyeRecord& donor, const DyeRecord& acceptor,
                                      const FretRequest& shared);

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

struct PreparedDye {
  DyeRecord record;
  // As the engine holds it: a donor's normalised emission (nm^-1), an
  // acceptor's extinction spectrum (M^-1 cm^-1).
  SpectrumGrid grid;
  double quantum_yield = 0.0;         // donors: the value of the typed text
  std::vector<std::string> messages;  // what the reader reported and still accepted
  int first = 0;                      // the range the spectrum was read over, in nm
  int last = 0;
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

// Enters the shared parameters of `shared` into a fresh engine; their
// values, or nothing with `why` set when the panel would hide every result
// for them.
[[nodiscard]] std::optional<SharedValues> ReadSharedParameters(const FretRequest& shared,
                                                               std::string& why);

// The bytes of a spectrum file, or nothing when it cannot be read; by
// default read from disk, once.
using DyeReader = std::function<std::optional<std::string>(const std::string& path)>;
[[nodiscard]] std::optional<std::string> ReadDyeFile(const std::string& path);

// Prepares `record`: its file read once by `read`, its request checked and
// applied to a fresh engine. A listed file read by its extension whose
// header names several spectra ("Wavelength,Excitation,Emission") is read
// through the column import by the column its header names for the side,
// as a drop on the main window offers, not by the fixed column of the
// reader; a sheet row says for itself. The dye is taken only when the
// gate's conditions for its side hold; otherwise the error says why, in
// the panel's words.
[[nodiscard]] DyePreparation PrepareDye(const DyeRecord& record, const FretRequest& shared,
                                        const DyeReader& read = ReadDyeFile);

// Every record, on up to `jobs` threads; the answers in the records' order.
[[nodiscard]] std::vector<DyePreparation> PrepareDyes(std::span<const DyeRecord> records,
                                                      const FretRequest& shared, int jobs,
                                                      const DyeReader& read = ReadDyeFile);

}  // namespace korin
