#include "core/calculation_gate.h"

#include "numeric/decimal_bound.h"

namespace korin {

// The doubles typed as 1e-10 and 1e-4 lie just above their decimals and
// pass; the exact comparison decides that, not a comparison of doubles.

bool DonorConditionsHold(const FretSession& session) {
  return Exceeds(session.quantum_yield, bounds::kGateMinQuantumYield) && session.emission_valid &&
         session.quantum_yield_valid;
}

bool AcceptorConditionsHold(const FretSession& session) {
  return Exceeds(session.concentration, bounds::kGateMinConcentration) &&
         session.absorption_valid && session.concentration_valid && session.extinction_valid;
}

bool SharedConditionsHold(const FretSession& session) {
  return Exceeds(session.refractive_index, bounds::kGateMinRefractiveIndex) &&
         session.orientation_valid && session.refractive_index_valid;
}

bool GateConditionsHold(const FretSession& session) {
  return DonorConditionsHold(session) && AcceptorConditionsHold(session) &&
         SharedConditionsHold(session);
}

}  // namespace korin
