// Pieces shared by several spectrum readers, beyond the field scanner and
// the grid writer.
#pragma once

#include <cstddef>
#include <string_view>

#include "core/spectrum_grid.h"
#include "import/file_error.h"
#include "import/grid_writer.h"
#include "import/spectrum_text_file.h"

namespace korin {

// The outcome of a reader's acceptance rule. An accepted spectrum keeps
// nothing outside first..last: points read beyond the range that the rule
// accepted (a second scan appended to a file, say) would otherwise enter the
// overlap integral, which sums the whole grid.
[[nodiscard]] bool KeepIfAccepted(SpectrumGrid& grid, bool accepted, int first, int last);

// Reads lines until one whose first field is a number: the end of the
// header in several formats. Answers false when the data end first;
// otherwise `line` holds the rest of that line and `first_field` the number.
[[nodiscard]] bool FindFirstNumericLine(SpectrumTextFile& file, std::string_view& line,
                                        double& first_field);

// Reads lines of `leading` unused numeric fields followed by a wavelength and
// a value, storing each point, until the data end: at the end of the file or
// at a line whose wavelength field is not a number. Answers false when a line
// breaks off after a good wavelength, or a leading field is not a number:
// the file is then refused.
[[nodiscard]] bool ReadPointLines(SpectrumTextFile& file, GridWriter& writer, int leading = 0);

// The number in characters first..first+length-1 (1-based) of a fixed-column
// line; a shorter line gives a shorter or empty field. A field that does not
// convert reports "File Error: " + path and gives the partial value.
[[nodiscard]] double FixedColumnField(std::string_view line, std::size_t first, std::size_t length,
                                      std::string_view path, const MessageSink& sink);

}  // namespace korin
