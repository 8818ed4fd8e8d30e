// Which column of a delimited table holds a side's spectrum, going by the
// names in its header, and the check that tells the user when a reader took
// its values from a column named as another kind of spectrum. Never a silent
// guess: a choice the names leave open is reported with its candidates.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/grid_spectrum.h"
#include "io/column_table.h"

namespace korin {

struct ColumnChoice {
  enum class Status {
    kChosen,     // wavelength_column and value_column hold the choice
    kAmbiguous,  // several columns qualify equally: `candidates`
    kNone,       // no column qualifies
  };
  Status status = Status::kNone;
  int wavelength_column = -1;  // 0-based
  int value_column = -1;       // 0-based
  // For kAmbiguous, the value columns between which the names leave the
  // choice open, for a dialog to offer and a message to list.
  std::vector<int> candidates;
  // An excitation column was taken for the absorption side, there being no
  // absorption column.
  bool excitation_stands_in = false;
};

// The columns that can hold a spectrum, in table order: neither wavelength
// columns nor columns without a single number (TableColumn::holds_numbers).
[[nodiscard]] std::vector<int> ValueColumns(const ColumnTable& table);

// The side's column, among ValueColumns only. A table with one value column
// is read from it whatever its name (ColumnKindWarning then says what the
// user should know). Otherwise without names, column 2 when it is a value
// column, else the one value column. With names, emission takes the one
// column named as emission; absorption the one named as absorption, or else
// the one named as excitation (excitation_stands_in), which emission never
// takes; failing those, the one column whose name says nothing. Two or more
// at the deciding step make the choice ambiguous. The wavelengths are the
// chosen column's own (TableColumn::wavelength_column).
[[nodiscard]] ColumnChoice ChooseColumns(const ColumnTable& table, SpectrumSide side);

// Whether the header names two or more spectra (emission, excitation or
// absorption columns with numbers in them): a reader taking a fixed column
// would take one of them without asking.
[[nodiscard]] bool NamesSeveralSpectra(const ColumnTable& table);

// Why a choice failed, in words for a status line or the command line,
// listing the candidates or all columns: "several columns could hold the
// emission: column 3 "mTurquoise2_em", column 5 "mVenus_em"". Empty for a
// choice made.
[[nodiscard]] std::string ColumnChoiceText(const ColumnTable& table, const ColumnChoice& choice,
                                           SpectrumSide side);

// The words the user needs when the values read for `side` come from
// `column`: a column named as another kind of spectrum or as wavelengths
// ("the values read as emission come from the column headed "Excitation""),
// or an excitation column standing in for the absorption. Empty when the
// name fits the side or says nothing.
[[nodiscard]] std::string ColumnKindWarning(const ColumnTable& table, int column,
                                            SpectrumSide side);

// The header check for the instrument readers, which read the value from
// field `value_field` (1-based) of each data line, fields being separated by
// runs of blanks, tabs and commas, so that an empty cell shifts the fields
// after it. When the file's header names the columns those fields come
// from on the first block's rows, and one of them is named as another kind
// of spectrum than `side` (or as wavelengths), answers the warning for the
// user, with how many of the rows it holds when not all; otherwise empty.
// A semicolon-separated table is not checked: those readers cannot split
// it.
[[nodiscard]] std::string WrongColumnWarning(std::string_view content, SpectrumSide side,
                                             int value_field);

}  // namespace korin
