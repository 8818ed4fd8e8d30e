#include "io/spectrum_formats.h"

#include <algorithm>
#include <array>

#include "io/column_reader.h"
#include "io/spectrum_readers.h"

namespace korin {
namespace {

constexpr SpectrumSide kAbsorption = SpectrumSide::kAbsorption;
constexpr SpectrumSide kEmission = SpectrumSide::kEmission;
constexpr std::string_view kColumnsDescription =
    "Delimited columns (*.csv; *.tsv; *.txt; *.dat; *)";
constexpr std::string_view kColumnsPatterns = "*.csv;*.tsv;*.txt;*.dat;*";

// The emission dialog's entry 1 lists its patterns in another order than its
// entries 2..6 (ifx, iss, rls, txt, csv); rows follow entry 1.
// The column import ends the table: the dialogs do not offer it and no
// extension chooses it.
constexpr std::array kFormats{
    SpectrumFormat{kAbsorption, 2, "A vs. Wavelength in decreased order (*.abs)", "*.abs", ".ABS",
                   ReadAbsorptionAbs, "decreasing wavelength/absorbance pairs", 2},
    SpectrumFormat{kAbsorption, 3, "A vs. Wavelength in increased order (*.abt)", "*.abt", ".ABT",
                   ReadAbsorptionAbt, "increasing fixed columns", 0},
    SpectrumFormat{kAbsorption, 4, "*.asp", "*.asp", ".ASP", ReadAbsorptionAsp,
                   "fixed columns after a point count", 0},
    SpectrumFormat{kAbsorption, 5, "PerkinElmer Lambda (*.sp)", "*.sp", ".SP", ReadAbsorptionSp,
                   "text after a DATA line", 2},
    SpectrumFormat{kAbsorption, 6, "Invitrogen (*.txt)", "*.txt", ".TXT", ReadAbsorptionTxt,
                   "two-column text after a count", 2},
    SpectrumFormat{kEmission, 3, "ISS (*.iss)", "*.iss", ".ISS", ReadEmissionColumns,
                   "two-column text", 2},
    SpectrumFormat{kEmission, 4, "*.rls", "*.rls", ".RLS", ReadEmissionColumns, "two-column text",
                   2},
    SpectrumFormat{kEmission, 5, "*.txt", "*.txt", ".TXT", ReadEmissionTxt, "four-column text", 4},
    SpectrumFormat{kEmission, 6, "Emission CSV File (*.csv)", "*.csv", ".CSV", ReadEmissionColumns,
                   "two-column text", 2},
    SpectrumFormat{kEmission, 2, "ISS (*.ifx)", "*.ifx", ".IFX", ReadEmissionColumns,
                   "two-column text", 2},
    SpectrumFormat{kAbsorption, 0, kColumnsDescription, kColumnsPatterns, "",
                   ReadAbsorptionFromColumns, kColumnsReaderName, 0},
    SpectrumFormat{kEmission, 0, kColumnsDescription, kColumnsPatterns, "", ReadEmissionFromColumns,
                   kColumnsReaderName, 0},
};

struct OpenDialog {
  std::string_view title;
  std::string_view all_formats;  // entry 1's description, before its patterns
};

constexpr OpenDialog kAbsorptionDialog{"Absorption spectrum", "Arsorption File"};
constexpr OpenDialog kEmissionDialog{"Emission spectrum", "Emission File"};

const OpenDialog& DialogOf(SpectrumSide side) {
  return side == kAbsorption ? kAbsorptionDialog : kEmissionDialog;
}

// The side's format that has entry `filter_entry` (>= 2) of its own.
const SpectrumFormat* FormatOfEntry(SpectrumSide side, int filter_entry,
                                    std::span<const SpectrumFormat> formats) {
  const auto found = std::ranges::find_if(formats, [&](const SpectrumFormat& f) {
    return f.side == side && f.filter_entry == filter_entry;
  });
  return found == formats.end() ? nullptr : &*found;
}

int FilterEntryCount(SpectrumSide side, std::span<const SpectrumFormat> formats) {
  int count = 1;
  for (const SpectrumFormat& f : formats) {
    if (f.side == side) count = std::max(count, f.filter_entry);
  }
  return count;
}

}  // namespace

std::span<const SpectrumFormat> SpectrumFormats() {
  return kFormats;
}

const SpectrumFormat& ColumnFormat(SpectrumSide side) {
  const auto found = std::ranges::find_if(kFormats, [side](const SpectrumFormat& f) {
    return f.side == side && f.reader_name == kColumnsReaderName;
  });
  return *found;
}

std::string_view OpenDialogTitle(SpectrumSide side) {
  return DialogOf(side).title;
}

int FilterEntryCount(SpectrumSide side) {
  return FilterEntryCount(side, kFormats);
}

std::string OpenDialogFilter(SpectrumSide side) {
  return OpenDialogFilter(side, kFormats);
}

std::string OpenDialogFilter(SpectrumSide side, std::span<const SpectrumFormat> formats) {
  // Entry 1: "Emission File (*.iss; *.rls; ...)|*.iss;*.rls;...".
  std::string shown;
  std::string patterns;
  for (const SpectrumFormat& f : formats) {
    if (f.side != side || f.filter_entry == 0) continue;
    if (!patterns.empty()) {
      shown += "; ";
      patterns += ';';
    }
    shown += f.pattern;
    patterns += f.pattern;
  }
  std::string filter = std::string(DialogOf(side).all_formats) + " (" + shown + ")|" + patterns;
  for (int entry = 2; entry <= FilterEntryCount(side, formats); ++entry) {
    if (const SpectrumFormat* f = FormatOfEntry(side, entry, formats)) {
      filter += '|';
      filter += f->description;
      filter += '|';
      filter += f->pattern;
    }
  }
  return filter;
}

const SpectrumFormat* ChooseFormat(SpectrumSide side, int filter_entry, std::string_view path) {
  return ChooseFormat(side, filter_entry, path, kFormats);
}

const SpectrumFormat* ChooseFormat(SpectrumSide side, int filter_entry, std::string_view path,
                                   std::span<const SpectrumFormat> formats) {
  if (filter_entry >= 2) return FormatOfEntry(side, filter_entry, formats);
  if (filter_entry != 1) return nullptr;
  const std::string extension = FileExtension(path);
  const auto found = std::ranges::find_if(formats, [&](const SpectrumFormat& f) {
    return f.side == side && !f.extension.empty() && f.extension == extension;
  });
  return found == formats.end() ? nullptr : &*found;
}

std::string FileExtension(std::string_view path) {
  const auto dot = path.find_last_of('.');
  const auto delimiter = path.find_last_of("\\:/");
  if (dot == std::string_view::npos || (delimiter != std::string_view::npos && delimiter > dot)) {
    return {};
  }
  std::string extension(path.substr(dot));
  for (char& c : extension) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return extension;
}

}  // namespace korin
