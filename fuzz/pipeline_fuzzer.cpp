// The whole calculation as a user drives it, on arbitrary input: spectra of
// arbitrary bytes opened through any filter entry, arbitrary texts typed
// into every field, list entries, entry modes and Calculate, in any order.
// Whatever happens, no crash or undefined behaviour, no non-finite value in
// a grid, a series or a text, results shown only while the gate's
// conditions hold, and a bounded number of messages.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

#include "core/calculation_gate.h"
#include "core/fret_engine.h"
#include "io/spectrum_loader.h"

// The checks themselves need no coverage: their loops would only make every
// run slower. Not inlined either, or they would be traced as part of their
// caller.
#define KORIN_NOT_TRACED __attribute__((no_sanitize("coverage"), noinline))

namespace {

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

// A double is finite when its exponent bits are not all ones. The values
// are loaded eight at a time, so that the sanitizers check a block once
// rather than each value: these checks run over whole grids several times
// a run.
KORIN_NOT_TRACED bool AllFinite(std::span<const double> values) {
  constexpr std::uint64_t kExponent = 0x7FF0'0000'0000'0000;
  constexpr std::size_t kLanes = 8;
  using Block = std::uint64_t __attribute__((vector_size(kLanes * sizeof(std::uint64_t))));
  using Lanes = std::int64_t __attribute__((vector_size(kLanes * sizeof(std::int64_t))));
  const auto* bytes = reinterpret_cast<const unsigned char*>(values.data());
  const std::size_t whole = values.size() / kLanes * kLanes;
  Lanes infinite{};
  for (std::size_t i = 0; i < whole; i += kLanes) {
    Block block;
    std::memcpy(&block, bytes + i * sizeof(double), sizeof block);
    infinite |= (block & kExponent) == kExponent;
  }
  for (std::size_t i = whole; i < values.size(); ++i) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, bytes + i * sizeof(double), sizeof bits);
    infinite[0] |= (bits & kExponent) == kExponent ? 1 : 0;
  }
  for (std::size_t k = 0; k < kLanes; ++k) {
    if (infinite[k] != 0) return false;
  }
  return true;
}

bool IsFiniteText(std::string_view text) {
  return text.find("nan") == std::string_view::npos && text.find("inf") == std::string_view::npos;
}

// Checks everything the engine hands to a window as it arrives.
class CheckingView final : public korin::FretView {
 public:
  bool results_visible = true;

  void SetResultsVisible(bool visible) override { results_visible = visible; }
  void SetResultTexts(std::string_view j, std::string_view r0) override {
    Require(!j.empty() && !r0.empty() && IsFiniteText(j) && IsFiniteText(r0));
  }
  void SetFieldText(korin::PanelField, std::string_view text) override {
    Require(IsFiniteText(text));
  }
  KORIN_NOT_TRACED void AddPoints(korin::PlotSeries, int first,
                                  std::span<const double> ys) override {
    Require(korin::SpectrumGrid::Contains(first));
    Require(ys.size() <= korin::SpectrumGrid::kSize);
    Require(AllFinite(ys));
  }
};

constexpr std::array<const char*, 12> kNames{"a.abs", "a.ABT", "a.asp", "a.sp",
                                             "a.txt", "a.dat", "e.csv", "e.txt",
                                             "e.iss", "e.rls", "e.IFX", "noextension"};

KORIN_NOT_TRACED int CountLines(std::string_view text) {
  int lines = 0;
  for (std::size_t at = text.find('\n'); at != std::string_view::npos;
       at = text.find('\n', at + 1)) {
    ++lines;
  }
  return lines;
}

// After every step. The grids' values reach the view's series, which
// checks them as they come; the grids themselves are checked once a run.
KORIN_NOT_TRACED void CheckState(const korin::FretEngine& engine, const CheckingView& view) {
  const korin::FretSession& s = engine.session();
  for (const double v : {s.concentration, s.orientation_factor, s.quantum_yield, s.refractive_index,
                         s.extinction_max, s.overlap_integral, engine.ForsterDistanceValue()}) {
    Require(std::isfinite(v));
  }
  Require(view.results_visible == engine.ResultsVisible());
  if (view.results_visible) {
    Require(korin::GateConditionsHold(s));
    Require(engine.LastGateOutcome() == korin::GateOutcome::kShown);
  }
  if (s.emission_valid)
    Require(s.emission_first >= 100 && s.emission_first < s.emission_last &&
            s.emission_last <= 1500);
  if (s.absorption_valid)
    Require(s.absorption_first >= 100 && s.absorption_first < s.absorption_last &&
            s.absorption_last <= 1500);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  CheckingView view;
  korin::FretEngine engine(&view);
  engine.Start();
  for (int step = 0; step < 12 && input.remaining_bytes() > 0; ++step) {
    switch (input.ConsumeIntegralInRange(0, 7)) {
      case 0: {
        const auto side =
            input.ConsumeBool() ? korin::SpectrumSide::kEmission : korin::SpectrumSide::kAbsorption;
        const int entry = input.ConsumeIntegralInRange(0, 7);
        const std::string name = input.PickValueInArray(kNames);
        const std::string content =
            input.ConsumeBytesAsString(input.ConsumeIntegralInRange<std::size_t>(0, 16384));
        int messages = 0;
        (void)korin::LoadSpectrum(engine, side, entry, {name, content, input.ConsumeBool()},
                                  [&messages](std::string_view m) {
                                    Require(m.starts_with("File Error: "));
                                    ++messages;
                                  });
        // Two fields per line at most, plus the empty lines the fixed-column
        // formats read past the end, plus the file that could not be read.
        const int lines = CountLines(content);
        Require(messages <= 2 * lines + 5);
        break;
      }
      case 1: {
        const auto field = static_cast<korin::PanelField>(input.ConsumeIntegralInRange(0, 4));
        engine.EditField(
            field, input.ConsumeBytesAsString(input.ConsumeIntegralInRange<std::size_t>(0, 40)));
        break;
      }
      case 2:
        engine.ChooseSolvent(input.ConsumeIntegralInRange(-1, 4));
        break;
      case 3:
        engine.ChooseOpticalPath(input.ConsumeIntegralInRange(-1, 6));
        break;
      case 4:
        engine.SetExtinctionEntry(input.ConsumeBool());
        break;
      default:
        engine.RunGate();
        break;
    }
    CheckState(engine, view);
  }
  const korin::FretSession& s = engine.session();
  Require(AllFinite(s.donor_emission.values()) && AllFinite(s.acceptor_absorbance.values()) &&
          AllFinite(s.acceptor_extinction.values()));
  return 0;
}
