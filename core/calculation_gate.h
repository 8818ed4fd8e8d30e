// Whether the calculation may run: every parameter above its lower bound and
// every input flagged valid.
#pragma once

#include "core/fret_session.h"

namespace korin {

// Concentration > 1e-10, QuantumYield > 1e-7 and RefractiveIndex > 1e-4,
// each strict against the exact decimal, then the seven validity flags.
// The concentration bound holds in extinction mode too; ExtinctionMode
// itself and the orientation factor's value are not tested, only
// OrientationValid. When this answers true the gate derives the extinction
// (concentration mode), computes J and R0 and shows them; otherwise it only
// hides the results. It is exactly the three parts below together.
[[nodiscard]] bool GateConditionsHold(const FretSession& session);

// The parts of the conditions that belong to one side, so that batch work
// can check a donor and an acceptor each on its own, and the parameters
// they share once:
// the donor: QuantumYield > 1e-7, EmissionValid, QuantumYieldValid;
[[nodiscard]] bool DonorConditionsHold(const FretSession& session);
// the acceptor: Concentration > 1e-10, AbsorptionValid, ConcentrationValid,
// ExtinctionValid;
[[nodiscard]] bool AcceptorConditionsHold(const FretSession& session);
// shared: RefractiveIndex > 1e-4, OrientationValid, RefractiveIndexValid.
[[nodiscard]] bool SharedConditionsHold(const FretSession& session);

}  // namespace korin
