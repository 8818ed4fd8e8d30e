// The column import: one column pair read and resampled onto the 1-nm
// grid, and the import as the user asks for it, with its warnings.
#include "io/column_reader.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "io/column_choice.h"
#include "io/grid_writer.h"
#include "io/reader_pieces.h"
#include "numeric/ascii_text.h"
#include "numeric/parse_real.h"

namespace korin {
namespace {

struct Point {
  double wavelength;  // nm
  double value;
};

// Converted wavelengths within this of a whole nanometre are that
// nanometre: 0.451 um times 1000 is 451.00000000000006, and the grid point
// at the end of the range must not be lost to the last bit.
constexpr double kWholeNanometreTolerance = 1e-9;
constexpr double kWavelengthClamp = 1e9;

// The wavelength in nm of a cell's number; false when it names none.
bool ToNanometres(double number, WavelengthUnit unit, double& nm) {
  switch (unit) {
    case WavelengthUnit::kNanometre:
      nm = number;
      return true;
    case WavelengthUnit::kMicrometre:
      nm = number * 1000.0;
      break;
    case WavelengthUnit::kWavenumber:
      if (!(number > 0.0)) return false;
      nm = 1e7 / number;
      break;
  }
  if (!std::isfinite(nm)) return false;
  const double whole = std::round(nm);
  if (std::fabs(nm - whole) < kWholeNanometreTolerance) nm = whole;
  return true;
}

// What a cell gives: a number, nothing (empty) or text.
enum class Cell { kNumber, kEmpty, kText };

Cell ReadNumberCell(std::span<const std::string_view> cells, std::size_t index, double& number) {
  if (index >= cells.size() || cells[index].empty()) return Cell::kEmpty;
  return ParseReal(cells[index], number) ? Cell::kNumber : Cell::kText;
}

// Points in wavelength order, those at one wavelength averaged into one.
// Answers how many wavelengths had more than one point.
long SortAndMerge(std::vector<Point>& points) {
  std::ranges::stable_sort(points, {}, &Point::wavelength);
  std::size_t kept = 0;
  long repeated = 0;
  for (std::size_t i = 0; i < points.size();) {
    std::size_t j = i;
    long double sum = 0.0L;
    while (j < points.size() && points[j].wavelength == points[i].wavelength) {
      sum += points[j].value;
      ++j;
    }
    points[kept++] = {points[i].wavelength,
                      static_cast<double>(sum / static_cast<long double>(j - i))};
    if (j - i > 1) ++repeated;
    i = j;
  }
  points.resize(kept);
  return repeated;
}

int Clamped(double nm) {
  return static_cast<int>(std::clamp(nm, -kWavelengthClamp, kWavelengthClamp));
}

// Each whole nanometre first..last (all on the grid) from the points either
// side of it. Precondition: points sorted, distinct, spanning first..last.
void Interpolate(std::span<const Point> points, int first, int last, SpectrumGrid& grid) {
  std::size_t i = 0;
  for (int k = first; k <= last; ++k) {
    const double at = k;
    while (i + 1 < points.size() && points[i + 1].wavelength < at) ++i;
    const Point& low = points[i];
    if (low.wavelength == at || i + 1 == points.size()) {
      grid[k] = low.value;
      continue;
    }
    const Point& high = points[i + 1];
    if (high.wavelength == at) {
      grid[k] = high.value;
      continue;
    }
    // In extended precision, so that the difference of two extreme values
    // cannot overflow; the result lies between them.
    const long double fraction = (static_cast<long double>(at) - low.wavelength) /
                                 (static_cast<long double>(high.wavelength) - low.wavelength);
    grid[k] = static_cast<double>((static_cast<long double>(high.value) - low.value) * fraction +
                                  low.value);
  }
}

std::string Plural(long count, std::string_view one, std::string_view many) {
  return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

bool Lookup(const ColumnTable& table, std::string_view text, int preferred, std::string_view role,
            int& column, std::string& error) {
  const ColumnLookup lookup = FindColumn(table, text, preferred);
  if (lookup.column < 0) {
    error = std::string(role) + " column: " + lookup.error;
    return false;
  }
  column = lookup.column;
  return true;
}

}  // namespace

ColumnRead ReadColumnPair(std::string_view content, const ColumnTable& table,
                          const ColumnPair& pair) {
  ColumnRead result;
  const TableColumn& value_column = table.columns[static_cast<std::size_t>(pair.value_column)];
  const TableBlock& block = table.blocks[static_cast<std::size_t>(value_column.block)];
  const auto wavelength_cell =
      static_cast<std::size_t>(pair.wavelength_column - block.first_column);
  const auto value_cell = static_cast<std::size_t>(pair.value_column - block.first_column);

  std::vector<Point> points;
  TableRows rows(content, table, value_column.block);
  std::span<const std::string_view> cells;
  while (rows.Next(cells)) {
    double number = 0.0;
    double value = 0.0;
    const Cell w = ReadNumberCell(cells, wavelength_cell, number);
    const Cell v = ReadNumberCell(cells, value_cell, value);
    if (w == Cell::kText || v == Cell::kText) {
      ++result.skipped_rows;
      continue;
    }
    if (w == Cell::kEmpty || v == Cell::kEmpty) continue;
    double nm = 0.0;
    if (!ToNanometres(number, pair.unit, nm)) {
      ++result.skipped_rows;
      continue;
    }
    points.push_back({nm, value});
  }
  result.points = static_cast<long>(points.size());
  SpectrumRead& read = result.read;
  if (points.empty()) {
    read.refusal = Refusal::kNoData;
    return result;
  }
  result.repeated_wavelengths = SortAndMerge(points);
  // The whole nanometres within the file's range; none when it lies
  // between two, then the nearest stands for it.
  GridSpectrum& spectrum = read.spectrum;
  spectrum.first = Clamped(std::ceil(points.front().wavelength));
  spectrum.last = Clamped(std::floor(points.back().wavelength));
  if (spectrum.first > spectrum.last) {
    spectrum.first = spectrum.last = RoundWavelength(points.front().wavelength);
  } else if (SpectrumGrid::Contains(spectrum.first) && SpectrumGrid::Contains(spectrum.last)) {
    Interpolate(points, spectrum.first, spectrum.last, spectrum.values);
  }
  ApplyRangeRule(read);
  return result;
}

namespace {

// Checks the pair in `result` against its table and reads it from `source`.
ColumnImport ReadChosenPair(ColumnImport result, const SpectrumSource& source, SpectrumSide side) {
  const ColumnTable& table = result.table;
  const ColumnPair& pair = result.pair;
  const TableColumn& value = table.columns[static_cast<std::size_t>(pair.value_column)];
  const TableColumn& wavelength = table.columns[static_cast<std::size_t>(pair.wavelength_column)];
  if (pair.wavelength_column == pair.value_column) {
    result.choice_error = "the wavelengths and the values cannot both come from " +
                          ColumnDescription(table, pair.value_column);
  } else if (wavelength.block != value.block) {
    result.choice_error = ColumnDescription(table, pair.wavelength_column) + " and " +
                          ColumnDescription(table, pair.value_column) +
                          " belong to different tables of the file";
  }
  if (!result.choice_error.empty()) {
    result.read = RefusedRead(Refusal::kColumnChoice);
    return result;
  }
  result.chosen = true;
  if (std::string warning = ColumnKindWarning(table, pair.value_column, side); !warning.empty()) {
    result.warnings.push_back(std::move(warning));
  }
  ColumnRead read = ReadColumnPair(source.content, table, pair);
  result.read = std::move(read.read);
  result.skipped_rows = read.skipped_rows;
  if (read.skipped_rows > 0) {
    result.warnings.push_back(Plural(read.skipped_rows, "row", "rows") +
                              " skipped: a wavelength or value cell holds no number");
  }
  if (read.repeated_wavelengths > 0) {
    const bool one = read.repeated_wavelengths == 1;
    result.warnings.push_back(
        Plural(read.repeated_wavelengths, "wavelength appears", "wavelengths appear") +
        " more than once; " + (one ? "its" : "their") +
        " values were averaged (two samples stacked in one file?)");
  }
  return result;
}

}  // namespace

ColumnImport ImportColumns(const SpectrumSource& source, ColumnTable table, SpectrumSide side,
                           const ColumnPair& pair) {
  ColumnImport result;
  result.table = std::move(table);
  const auto columns = static_cast<int>(result.table.columns.size());
  if (pair.value_column < 0 || pair.value_column >= columns || pair.wavelength_column < 0 ||
      pair.wavelength_column >= columns) {
    result.read = RefusedRead(Refusal::kNoData);
    return result;
  }
  result.pair = pair;
  return ReadChosenPair(std::move(result), source, side);
}

ColumnImport ImportColumns(const SpectrumSource& source, SpectrumSide side,
                           const ColumnRequest& request, const MessageSink& sink) {
  ColumnImport result;
  if (!source.opened) {
    ShowFileError(sink, source.name);
    result.read = RefusedRead(Refusal::kNoData);
    return result;
  }
  result.table = ScanColumnTable(source.content);
  const ColumnTable& table = result.table;
  if (!table.found()) {
    result.read = RefusedRead(Refusal::kNoData);
    return result;
  }
  ColumnPair& pair = result.pair;
  std::string& error = result.choice_error;
  const auto refuse = [&result] {
    result.read = RefusedRead(Refusal::kColumnChoice);
    return result;
  };
  if (request.value_column.empty()) {
    const ColumnChoice choice = ChooseColumns(table, side);
    // Rows with wavelengths and no value in any column hold no data; that is
    // what the user needs to hear, not that no column is named for the side.
    if (choice.status == ColumnChoice::Status::kNone && ValueColumns(table).empty()) {
      result.read = RefusedRead(Refusal::kNoData);
      return result;
    }
    if (choice.status != ColumnChoice::Status::kChosen) {
      error = ColumnChoiceText(table, choice, side);
      return refuse();
    }
    pair.value_column = choice.value_column;
  } else if (!Lookup(table, request.value_column, -1, "value", pair.value_column, error)) {
    return refuse();
  }
  const TableColumn& value = table.columns[static_cast<std::size_t>(pair.value_column)];
  pair.wavelength_column = value.wavelength_column;
  if (!request.wavelength_column.empty() &&
      !Lookup(table, request.wavelength_column, value.wavelength_column, "wavelength",
              pair.wavelength_column, error)) {
    return refuse();
  }
  pair.unit =
      request.unit.value_or(table.columns[static_cast<std::size_t>(pair.wavelength_column)].unit);
  return ReadChosenPair(std::move(result), source, side);
}

SpectrumRead ReadEmissionFromColumns(const SpectrumSource& source, const MessageSink& sink) {
  return ImportColumns(source, SpectrumSide::kEmission, {}, sink).read;
}

SpectrumRead ReadAbsorptionFromColumns(const SpectrumSource& source, const MessageSink& sink) {
  return ImportColumns(source, SpectrumSide::kAbsorption, {}, sink).read;
}

std::optional<WavelengthUnit> ParseWavelengthUnit(std::string_view text) {
  const std::string lowered = AsciiLowered(text);
  if (lowered == "nm") return WavelengthUnit::kNanometre;
  if (lowered == "um" || lowered == "\xC2\xB5m" || lowered == "\xCE\xBCm") {
    return WavelengthUnit::kMicrometre;
  }
  if (lowered == "cm-1" || lowered == "cm^-1" || lowered == "1/cm") {
    return WavelengthUnit::kWavenumber;
  }
  return std::nullopt;
}

}  // namespace korin
