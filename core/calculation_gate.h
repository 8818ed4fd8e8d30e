// Whether the calculation may run: every parameter above its lower bound and
// every input flagged valid.
#pragma once

#include "core/fret_session.h"

namespace korin {

// concentration > 1e-10, quantum_yield > 1e-7 and refractive_index > 1e-4,
// each strict against the exact decimal, then the seven validity flags.
// The concentration bound holds in extinction mode too; extinction_mode
// itself and the orientation factor's value are not tested, only
// orientation_valid. When this answers true the gate derives the extinction
// (concentration mode), computes J and R0 and shows them; otherwise it only
// hides the results. It is exactly the three parts below together.
[[nodiscard]] bool GateConditionsHold(const FretSession& session);

// The parts of the conditions that belong to one side, so that batch work
// can check a donor and an acceptor each on its own, and the parameters
// they share once:
// the donor: quantum_yield > 1e-7, emission_valid, quantum_yield_valid;
[[nodiscard]] bool DonorConditionsHold(const FretSession& session);
// the acceptor: concentration > 1e-10, absorption_valid, concentration_valid,
// extinction_valid;
[[nodiscard]] bool AcceptorConditionsHold(const FretSession& session);
// shared: refractive_index > 1e-4, orientation_valid, refractive_index_valid.
[[nodiscard]] bool SharedConditionsHold(const FretSession& session);

}  // namespace korin
