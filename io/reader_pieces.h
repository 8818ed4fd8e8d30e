// Pieces shared by several spectrum readers, beyond the field scanner and
// the grid writer.
#pragma once

#include <cstddef>
#include <string_view>

#include "io/file_error.h"
#include "io/grid_writer.h"
#include "io/spectrum_read.h"
#include "io/spectrum_text_file.h"

namespace korin {

// A read that found no spectrum to judge: an empty grid, refused.
[[nodiscard]] inline SpectrumRead RefusedRead(Refusal refusal) {
  SpectrumRead read;
  read.refusal = refusal;
  return read;
}

// The two acceptance rules, applied to read.spectrum's first and last as
// they stand; they set `accepted` and `refusal`. An accepted spectrum keeps
// nothing outside first..last: points read beyond the range that the rule
// accepted (a second scan appended to a file, say) would otherwise enter the
// overlap integral, which sums the whole grid.
void ApplyRangeRule(SpectrumRead& read);
// The order check shows its message for ends in the wrong order through
// `sink`, naming `name`; ends off the grid are refused without one.
void ApplyOrderCheck(SpectrumRead& read, std::string_view name, const MessageSink& sink);

// Reads lines until one whose first field is a number: the end of the
// header in several formats. Answers false when the data end first;
// otherwise `line` holds the rest of that line and `first_field` the number.
[[nodiscard]] bool FindFirstNumericLine(SpectrumTextFile& file, std::string_view& line,
                                        double& first_field);

// Reads lines of `leading` unused numeric fields followed by a wavelength and
// a value, storing each point, until the data end: at the end of the file or
// at a line whose wavelength field is not a number; it then answers kNone.
// A line that breaks off after a good wavelength answers kValueMissing, one
// whose leading fields are not numbers kLeadingFields: the file is refused.
[[nodiscard]] Refusal ReadPointLines(SpectrumTextFile& file, GridWriter& writer, int leading = 0);

// The number in characters first..first+length-1 (1-based) of a fixed-column
// line; a shorter line gives a shorter or empty field. A field that does not
// convert reports "File Error: " + name and gives the partial value.
[[nodiscard]] double FixedColumnField(std::string_view line, std::size_t first, std::size_t length,
                                      std::string_view name, const MessageSink& sink);

}  // namespace korin
