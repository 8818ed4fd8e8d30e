#include "core/calculation_gate.h"

#include "numeric/decimal_bound.h"

namespace korin {

// The doubles typed as 1e-10 and 1e-4 lie just above their decimals and
// pass; the exact comparison decides that, not a comparison of doubles.

bool DonorConditionsHold(const FretSession& session) {
  return Exceeds(session.QuantumYield, bounds::kGateMinQuantumYield) && session.EmissionValid &&
         session.QuantumYieldValid;
}

bool AcceptorConditionsHold(const FretSession& session) {
  return Exceeds(session.Concentration, bounds::kGateMinConcentration) && session.AbsorptionValid &&
         session.ConcentrationValid && session.ExtinctionValid;
}

bool SharedConditionsHold(const FretSession& session) {
  return Exceeds(session.RefractiveIndex, bounds::kGateMinRefractiveIndex) &&
         session.OrientationValid && session.RefractiveIndexValid;
}

bool GateConditionsHold(const FretSession& session) {
  return DonorConditionsHold(session) && AcceptorConditionsHold(session) &&
         SharedConditionsHold(session);
}

}  // namespace korin
