#include "core/fret_session.h"

namespace korin {

void ClearAbsorption(FretSession& session) {
  session.acceptor_absorbance.Clear();
  session.acceptor_extinction.Clear();
  session.absorption_first = 0;
  session.absorption_last = 0;
  session.extinction_max = 0.0;
  session.overlap_integral = 0.0;
}

void ClearEmission(FretSession& session) {
  session.donor_emission.Clear();
  session.emission_first = 0;
  session.emission_last = 0;
  session.overlap_integral = 0.0;
}

}  // namespace korin
