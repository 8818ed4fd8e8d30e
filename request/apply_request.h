// The one script that drives the panel for a request: the parameters typed
// and chosen, the spectra opened as the open commands open them, the
// coefficient typed in extinction entry, Calculate. The command-line tool,
// the pair table, the window's loading of a pair and the drawing companion
// all run it, and say why no result stands through GateRefusal.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "core/fret_engine.h"
#include "io/file_error.h"
#include "io/spectrum_loader.h"
#include "request/fret_request.h"

namespace korin {

struct RequestHooks {
  // The readers' own messages ("File Error: ..."); dropped when empty.
  MessageSink messages;
  // Called after each spectrum's open, with what became of it.
  std::function<void(SpectrumSide side, const LoadOutcome& outcome)> opened;
  // Whether a spectrum that is not taken ends the script before the next
  // one is opened, as the command-line tool stops at the first file it
  // refuses; a window opens both, as a user would.
  bool stop_at_refused = true;
};

struct RequestOutcome {
  std::optional<LoadOutcome> emission;  // set once the side was opened
  std::optional<LoadOutcome> absorption;

  [[nodiscard]] const std::optional<LoadOutcome>& Of(SpectrumSide side) const {
    return side == SpectrumSide::kEmission ? emission : absorption;
  }
  // Every spectrum the request names was read and is in use.
  [[nodiscard]] bool Loaded(const FretRequest& request) const;
};

// Applies `request`, which CheckRequest accepts, to `engine` (started first
// when it has not been): the solvent or a refractive index of one's own,
// the optical path, the orientation factor, the quantum yield and the
// concentration entered in that order; each spectrum the request names
// opened, the emission first; in extinction entry the coefficient entered
// and settled on the text the panel writes back; then Calculate. Values the
// request leaves out take their defaults.
RequestOutcome ApplyRequest(FretEngine& engine, const FretRequest& request,
                            const RequestHooks& hooks = {});

// The panel's parameters of `request` entered into `engine`, without
// opening anything: the first step of ApplyRequest.
void EnterParameters(FretEngine& engine, const FretRequest& request);

// How a refusal names a parameter: by its command-line option
// ("--extinction") or in words ("the extinction coefficient").
enum class Naming { kOptions, kWords };

// Why `engine`, after ApplyRequest(request), shows no result, in words for
// a message: a parameter the panel refused, a spectrum not in use, a bound
// the calculation needs, a coefficient that cannot be used, or J beyond the
// doubles. Only the sides the request names are looked at, so that a
// request for one spectrum (the pair table's preparation of a dye) is
// judged on that side and the shared parameters alone. Empty when nothing
// stands in the way.
[[nodiscard]] std::string GateRefusal(const FretEngine& engine, const FretRequest& request,
                                      Naming naming);

// "'TEXT' is not accepted; WHY" after the parameter's name as `naming`
// says: "--quantum-yield: '2' is not ..." or "the quantum yield '2' is not ...".
[[nodiscard]] std::string RefusalText(Parameter parameter, const ValueRefusal& refusal,
                                      Naming naming);

}  // namespace korin
