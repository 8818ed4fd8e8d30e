#include "core/calculation_gate.h"

#include <gtest/gtest.h>

namespace korin {
namespace {

// Both spectra loaded and derived, every parameter at its start value.
FretSession ReadySession() {
  FretSession s;
  s.absorption_valid = s.emission_valid = s.extinction_valid = true;
  return s;
}

// Which part of the conditions a change breaks, if any.
enum class Part { kNone, kDonor, kAcceptor, kShared };

struct GateCase {
  const char* name;
  void (*change)(FretSession&);
  bool passes;
  Part part = Part::kNone;  // the one part that fails with it
};

TEST(GateConditionsHoldTest, BoundsAndFlags) {
  const GateCase cases[] = {
      {"ready", [](FretSession&) {}, true},
      // Strict lower bounds against the exact decimals: the doubles nearest
      // 1e-10 and 1e-4 lie above them, the one nearest 1e-7 below.
      {"concentration 1e-10", [](FretSession& s) { s.concentration = 1e-10; }, true},
      {"concentration 9.9e-11", [](FretSession& s) { s.concentration = 9.9e-11; }, false,
       Part::kAcceptor},
      {"refractive index 1e-4", [](FretSession& s) { s.refractive_index = 1e-4; }, true},
      {"refractive index 9.9e-5", [](FretSession& s) { s.refractive_index = 9.9e-5; }, false,
       Part::kShared},
      {"quantum yield 1e-7", [](FretSession& s) { s.quantum_yield = 1e-7; }, false, Part::kDonor},
      {"quantum yield 1.0000001e-7", [](FretSession& s) { s.quantum_yield = 1.0000001e-7; }, true},
      // A concentration the field accepts (>= 1e-12) can still be too small
      // here, in either mode.
      {"concentration 1.1e-12", [](FretSession& s) { s.concentration = 1.1e-12; }, false,
       Part::kAcceptor},
      {"extinction mode, concentration 9.9e-11",
       [](FretSession& s) {
         s.extinction_mode = true;
         s.concentration = 9.9e-11;
       },
       false, Part::kAcceptor},
      {"extinction mode", [](FretSession& s) { s.extinction_mode = true; }, true},
      // Only its flag guards the orientation factor.
      {"orientation factor 1e-6", [](FretSession& s) { s.orientation_factor = 1e-6; }, true},
      {"no absorption", [](FretSession& s) { s.absorption_valid = false; }, false, Part::kAcceptor},
      {"no emission", [](FretSession& s) { s.emission_valid = false; }, false, Part::kDonor},
      {"bad quantum yield", [](FretSession& s) { s.quantum_yield_valid = false; }, false,
       Part::kDonor},
      {"bad concentration", [](FretSession& s) { s.concentration_valid = false; }, false,
       Part::kAcceptor},
      {"bad orientation", [](FretSession& s) { s.orientation_valid = false; }, false,
       Part::kShared},
      {"bad refractive index", [](FretSession& s) { s.refractive_index_valid = false; }, false,
       Part::kShared},
      {"no extinction", [](FretSession& s) { s.extinction_valid = false; }, false, Part::kAcceptor},
  };
  for (const auto& c : cases) {
    FretSession s = ReadySession();
    c.change(s);
    EXPECT_EQ(GateConditionsHold(s), c.passes) << c.name;
    // Each condition belongs to exactly one part: batch work checks the
    // parts apart and must refuse exactly what the gate refuses.
    EXPECT_EQ(DonorConditionsHold(s), c.part != Part::kDonor) << c.name;
    EXPECT_EQ(AcceptorConditionsHold(s), c.part != Part::kAcceptor) << c.name;
    EXPECT_EQ(SharedConditionsHold(s), c.part != Part::kShared) << c.name;
  }
}

}  // namespace
}  // namespace korin
