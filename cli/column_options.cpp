#include "cli/column_options.h"

#include <string_view>

#include "cli/tool_messages.h"
#include "numeric/ascii_text.h"

namespace korin {
namespace {

// One side's two options; either asks for the column import.
bool ReadSide(std::string_view side, const std::optional<std::string>& columns,
              const std::optional<std::string>& units, std::optional<ColumnRequest>& request,
              std::ostream& err) {
  if (!columns && !units) return true;
  ColumnRequest r;
  bool ok = true;
  if (columns) {
    // "WL,VALUE"; a lone VALUE takes its own wavelength column.
    const std::string_view text = *columns;
    const auto comma = text.find(',');
    const std::string_view value =
        TrimmedBlanks(comma == std::string_view::npos ? text : text.substr(comma + 1));
    if (comma != std::string_view::npos) r.wavelength_column = TrimmedBlanks(text.substr(0, comma));
    r.value_column = value;
    if (value.empty() || (comma != std::string_view::npos && r.wavelength_column.empty())) {
      ok = RefuseOption(err, "--" + std::string(side) + "-columns", text,
                        "WL,VALUE or VALUE, each a column number from 1 or a header name");
    }
  }
  if (units) {
    r.unit = ParseWavelengthUnit(TrimmedBlanks(*units));
    if (!r.unit)
      ok = RefuseOption(err, "--" + std::string(side) + "-units", *units, "nm, um or cm-1");
  }
  request = std::move(r);
  return ok;
}

}  // namespace

void ColumnOptions::AddTo(CLI::App& app) {
  const auto add = [&app](std::string_view side, std::optional<std::string>& columns,
                          std::optional<std::string>& units) {
    const std::string prefix = "--" + std::string(side);
    auto* filter = app.get_option(prefix + "-filter");
    app.add_option(prefix + "-columns", columns,
                   "Read the " + std::string(side) +
                       " file as delimited columns: WL,VALUE as column numbers from 1 or header "
                       "names, or VALUE with its own wavelength column")
        ->excludes(filter);
    app.add_option(prefix + "-units", units,
                   "Wavelength unit of the " + std::string(side) +
                       " columns: nm, um or cm-1 (default: as the header says, else nm); alone, "
                       "the header chooses the columns")
        ->excludes(filter);
  };
  add("emission", emission_columns, emission_units);
  add("absorption", absorption_columns, absorption_units);
}

bool ReadColumnOptions(const ColumnOptions& o, ColumnLoads& loads, std::ostream& err) {
  bool ok = ReadSide("emission", o.emission_columns, o.emission_units, loads.emission, err);
  return ReadSide("absorption", o.absorption_columns, o.absorption_units, loads.absorption, err) &&
         ok;
}

LoadOutcome OpenSide(FretEngine& engine, SpectrumSide side, int filter, const std::string& path,
                     ColumnLoads& loads, const MessageSink& sink, std::ostream& err, bool warn) {
  const bool emission = side == SpectrumSide::kEmission;
  const std::optional<ColumnRequest>& request = emission ? loads.emission : loads.absorption;
  LoadOutcome outcome = request ? OpenColumns(engine, side, *request, path, sink)
                                : OpenSpectrum(engine, side, filter, path, sink);
  (emission ? loads.emission_used : loads.absorption_used) = outcome.columns;
  if (warn) {
    for (const std::string& warning : outcome.warnings) err << "Warning: " << warning << '\n';
  }
  return outcome;
}

void AddColumnJson(const ColumnLoads& loads, SpectrumSide side, nlohmann::ordered_json& file) {
  const auto& used = side == SpectrumSide::kEmission ? loads.emission_used : loads.absorption_used;
  if (!used) return;
  file["reader"] = kColumnsReaderName;
  file["columns"] = {{"wavelength", used->wavelength_column + 1},
                     {"wavelength_name", used->wavelength_name},
                     {"value", used->value_column + 1},
                     {"value_name", used->value_name},
                     {"unit", UnitText(used->unit)},
                     {"skipped_rows", used->skipped_rows}};
}

}  // namespace korin
