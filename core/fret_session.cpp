#include "core/fret_session.h"

namespace korin {

void ClearAbsorption(FretSession& session) {
  session.AcceptorAbsorbance.Clear();
  session.AcceptorExtinction.Clear();
  session.AbsorptionFirst = 0;
  session.AbsorptionLast = 0;
  session.ExtinctionMax = 0.0;
  session.OverlapIntegral = 0.0;
}

void ClearEmission(FretSession& session) {
  session.DonorEmission.Clear();
  session.EmissionFirst = 0;
  session.EmissionLast = 0;
  session.OverlapIntegral = 0.0;
}

}  // namespace korin
