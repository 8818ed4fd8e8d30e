#include "core/calculation_gate.h"

#include "core/decimal_bound.h"

namespace korin {

bool GateConditionsHold(const FretSession& session) {
  // The doubles typed as 1e-10 and 1e-4 lie just above their decimals and
  // pass; the exact comparison decides that, not a comparison of doubles.
  return Exceeds(session.Concentration, bounds::kGateMinConcentration) &&
         Exceeds(session.QuantumYield, bounds::kGateMinQuantumYield) &&
         Exceeds(session.RefractiveIndex, bounds::kGateMinRefractiveIndex) &&
         session.AbsorptionValid && session.EmissionValid && session.QuantumYieldValid &&
         session.ConcentrationValid && session.OrientationValid && session.RefractiveIndexValid &&
         session.ExtinctionValid;
}

}  // namespace korin
