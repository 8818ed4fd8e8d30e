// A view that keeps what the engine told it, as a window would show it:
// the series' points, the field texts, the result panel, the input windows.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/fret_engine.h"

namespace korin::testing {

class RecordingView final : public FretView {
 public:
  struct Window {
    bool shown = false;
    std::string title;
  };

  bool results_visible = true;
  std::string j_text;
  std::string r0_text;
  std::array<std::string, kPanelFieldCount> fields;
  std::array<std::vector<double>, 4> series;  // y values, by PlotSeries
  std::array<int, 4> series_first{};          // x of each series' first point
  Window donor;
  Window acceptor;
  std::string status;
  int solvent = -1;  // the lists' entries as told
  int optical_path = -1;
  bool extinction_entry = false;
  // Every call, in order, as a short word: "show", "hide", "texts",
  // "field:<n>", "clear:<n>", "add:<n>", "spectrum:<side>", "withdraw:<side>",
  // "list:<n>:<index>", "mode:<concentration|extinction>".
  std::vector<std::string> calls;

  std::vector<double>& Points(PlotSeries s) { return series[static_cast<std::size_t>(s)]; }
  const std::string& Field(PanelField f) const { return fields[static_cast<std::size_t>(f)]; }

  void SetResultsVisible(bool visible) override {
    results_visible = visible;
    calls.emplace_back(visible ? "show" : "hide");
  }
  void SetResultTexts(std::string_view j, std::string_view r0) override {
    j_text = j;
    r0_text = r0;
    calls.emplace_back("texts");
  }
  void SetFieldText(PanelField field, std::string_view text) override {
    fields[static_cast<std::size_t>(field)] = text;
    calls.push_back("field:" + std::to_string(static_cast<int>(field)));
  }
  void ClearSeries(PlotSeries s) override {
    Points(s).clear();
    calls.push_back("clear:" + std::to_string(static_cast<int>(s)));
  }
  void AddPoints(PlotSeries s, int first, std::span<const double> ys) override {
    if (Points(s).empty()) series_first[static_cast<std::size_t>(s)] = first;
    Points(s).insert(Points(s).end(), ys.begin(), ys.end());
    calls.push_back("add:" + std::to_string(static_cast<int>(s)));
  }
  void ShowSpectrum(SpectrumSide side, std::string_view name) override {
    Window& w = side == SpectrumSide::kEmission ? donor : acceptor;
    w.shown = true;
    w.title = name;
    calls.push_back(side == SpectrumSide::kEmission ? "spectrum:emission" : "spectrum:absorption");
  }
  void WithdrawSpectrum(SpectrumSide side) override {
    (side == SpectrumSide::kEmission ? donor : acceptor).shown = false;
    calls.push_back(side == SpectrumSide::kEmission ? "withdraw:emission" : "withdraw:absorption");
  }
  void ShowStatus(std::string_view text) override { status = text; }
  void ShowListChoice(PanelList list, int index) override {
    (list == PanelList::kSolvent ? solvent : optical_path) = index;
    calls.push_back("list:" + std::to_string(static_cast<int>(list)) + ":" + std::to_string(index));
  }
  void ShowEntryMode(bool extinction) override {
    extinction_entry = extinction;
    calls.emplace_back(extinction ? "mode:extinction" : "mode:concentration");
  }
};

}  // namespace korin::testing
