// The spectrum file formats, one row each: which side a format belongs to,
// how the open dialog offers it, the extension that chooses it, and its
// reader. The dialogs' filter lists and the reader choice are both derived
// from these rows, so adding a format is adding a row.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/grid_spectrum.h"
#include "io/spectrum_read.h"

namespace korin {

struct SpectrumFormat {
  SpectrumSide side;
  // The format's own entry in that side's open dialog (2..), listed by
  // entry 1 too; 0 for a format the dialog does not offer at all, which
  // entry 1 still chooses by its extension, if it has one.
  int filter_entry;
  std::string_view description;  // as the dialog lists the entry
  std::string_view pattern;      // "*.abs"
  // What entry 1 chooses it by: ".ABS". Empty for the column import, which
  // only its own command reaches.
  std::string_view extension;
  SpectrumReader reader;
  std::string_view reader_name;  // for status lines: "two-column text"
  // The field of a data line (1-based, fields separated as the field
  // scanner separates them) that the reader takes its values from, for the
  // check of the file's header; 0 where no header is checked.
  int value_field;
};

// Every format, each side's rows in the order its entry 1 lists them.
[[nodiscard]] std::span<const SpectrumFormat> SpectrumFormats();

// The column import's name in status lines, reports and the JSON output.
inline constexpr std::string_view kColumnsReaderName = "delimited columns";

// The side's row of the column import (filter entry 0, no extension): its
// reader takes the columns the header chooses; spectrum_loader.h's
// LoadColumns reads the columns a user chose.
[[nodiscard]] const SpectrumFormat& ColumnFormat(SpectrumSide side);

// The title of the side's open dialog: "Absorption spectrum".
[[nodiscard]] std::string_view OpenDialogTitle(SpectrumSide side);

// The side's open-dialog filter list: description|pattern pairs, entry 1
// naming every format the dialog offers, then one entry per format in entry
// order. `formats` defaults to SpectrumFormats().
[[nodiscard]] std::string OpenDialogFilter(SpectrumSide side);
[[nodiscard]] std::string OpenDialogFilter(SpectrumSide side,
                                           std::span<const SpectrumFormat> formats);

// How many entries the side's dialog offers.
[[nodiscard]] int FilterEntryCount(SpectrumSide side);

// The format of a file chosen with filter entry `filter_entry`: entries from
// 2 on decide alone whatever the file's name; entry 1 goes by FileExtension
// of `path`. nullptr for any other entry and for an extension of no format
// of that side. `formats` defaults to SpectrumFormats().
[[nodiscard]] const SpectrumFormat* ChooseFormat(SpectrumSide side, int filter_entry,
                                                 std::string_view path);
[[nodiscard]] const SpectrumFormat* ChooseFormat(SpectrumSide side, int filter_entry,
                                                 std::string_view path,
                                                 std::span<const SpectrumFormat> formats);

// The text from the last "." after the last path delimiter ("\", ":" or "/")
// to the end, with a-z upper-cased; empty when there is no such ".".
[[nodiscard]] std::string FileExtension(std::string_view path);

}  // namespace korin
