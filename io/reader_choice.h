// Which reader reads a chosen file, and the name a window shows for it. The
// open dialog's filter entry decides, and for entry 1 (all formats of that
// side) the file's extension does; the rows of spectrum_formats.h hold both.
// The windows and the command-line tool both ask here.
#pragma once

#include <string>
#include <string_view>

#include "core/grid_spectrum.h"
#include "io/spectrum_formats.h"
#include "io/spectrum_read.h"

namespace korin {

// The reader of ChooseFormat's format; nullptr when it finds none.
[[nodiscard]] SpectrumReader ChooseReader(SpectrumSide side, int filter_entry,
                                          std::string_view path);

// The name shown in window titles and plot labels: a path of at most 40
// characters whole, a longer one as its first 19 characters, "..." and its
// last 21. Characters are counted as UTF-8 code points, so a name is never
// cut inside one.
[[nodiscard]] std::string ShortenFileName(std::string_view path);

}  // namespace korin
