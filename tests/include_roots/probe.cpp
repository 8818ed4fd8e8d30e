// Compiled by the include-root tests with one library's include path: it
// must build as it stands, and must fail once it reaches for a header that
// library does not link (PROBE_HEADER).
#include "core/fret_engine.h"

#ifdef PROBE_HEADER
#include PROBE_HEADER
#endif

int main() {
  korin::FretEngine engine;
  engine.Start();
  return engine.ResultsVisible() ? 1 : 0;
}
