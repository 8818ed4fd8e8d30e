// Feeds arbitrary bytes to every spectrum reader through the reader choice,
// as a user's open dialog would. Whatever the bytes, a reader must end,
// report a bounded number of times, store no non-finite value and accept
// only a spectrum that lies on the grid.
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>

#include "core/fret_session.h"
#include "import/reader_choice.h"

namespace {

struct Choice {
  korin::SpectrumSide side;
  int entry;
  const char* extension;  // decides for entry 1
};

// The first byte of the input picks one of these.
constexpr std::array<Choice, 16> kChoices{{
    {korin::SpectrumSide::kAbsorption, 1, ".abs"},
    {korin::SpectrumSide::kAbsorption, 1, ".ABT"},
    {korin::SpectrumSide::kAbsorption, 1, ".asp"},
    {korin::SpectrumSide::kAbsorption, 1, ".sp"},
    {korin::SpectrumSide::kAbsorption, 1, ".txt"},
    {korin::SpectrumSide::kAbsorption, 2, ".dat"},
    {korin::SpectrumSide::kAbsorption, 3, ".dat"},
    {korin::SpectrumSide::kAbsorption, 4, ".dat"},
    {korin::SpectrumSide::kAbsorption, 5, ".dat"},
    {korin::SpectrumSide::kAbsorption, 6, ".dat"},
    {korin::SpectrumSide::kEmission, 1, ".csv"},
    {korin::SpectrumSide::kEmission, 1, ".txt"},
    {korin::SpectrumSide::kEmission, 1, ".iss"},
    {korin::SpectrumSide::kEmission, 5, ".dat"},
    {korin::SpectrumSide::kEmission, 6, ".dat"},
    {korin::SpectrumSide::kEmission, 1, ".rls"},
}};

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const Choice& choice = kChoices[data[0] % kChoices.size()];
  const std::string_view content(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::string path =
      "/tmp/korin-fuzz-" + std::to_string(::getpid()) + "-input" + choice.extension;
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
  }

  const auto reader = korin::ChooseReader(choice.side, choice.entry, path);
  Require(reader != nullptr);
  auto session = std::make_unique<korin::FretSession>();
  std::size_t messages = 0;
  reader(*session, path, [&messages](std::string_view) { ++messages; });

  const auto lines = static_cast<std::size_t>(std::count(content.begin(), content.end(), '\n'));
  Require(messages <= 2 * lines + 4);
  for (const korin::SpectrumGrid* grid : {&session->DonorEmission, &session->AcceptorAbsorbance}) {
    for (const double v : grid->values()) Require(std::isfinite(v));
  }
  if (session->AbsorptionValid) {
    Require(korin::SpectrumGrid::Contains(session->AbsorptionFirst));
    Require(korin::SpectrumGrid::Contains(session->AbsorptionLast));
    Require(session->AbsorptionFirst < session->AbsorptionLast);
  }
  if (session->EmissionValid) {
    Require(korin::SpectrumGrid::Contains(session->EmissionFirst));
    Require(korin::SpectrumGrid::Contains(session->EmissionLast));
    Require(session->EmissionFirst < session->EmissionLast);
  }
  return 0;
}
