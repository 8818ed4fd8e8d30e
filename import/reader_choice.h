// Which reader reads a chosen file: the open dialog's filter entry decides,
// and for entry 1 (all formats of that side) the file's extension does. The
// windows and the command-line tool both ask here.
#pragma once

#include <string>
#include <string_view>

#include "core/fret_session.h"
#include "import/file_error.h"

namespace korin {

using SpectrumReader = void (*)(FretSession& session, std::string_view path,
                                const MessageSink& sink);

enum class SpectrumSide { kAbsorption, kEmission };

// The open dialogs' titles and filter lists: description|pattern pairs,
// six entries each, numbered from 1.
inline constexpr std::string_view kAbsorptionDialogTitle = "Absorption spectrum";
inline constexpr std::string_view kEmissionDialogTitle = "Emission spectrum";
inline constexpr std::string_view kAbsorptionFilter =
    "Arsorption File (*.abs; *.abt; *.asp; *.sp; *.txt)|*.abs;*.abt;*.asp;*.sp;*.txt|"
    "A vs. Wavelength in decreased order (*.abs)|*.abs|"
    "A vs. Wavelength in increased order (*.abt)|*.abt|"
    "*.asp|*.asp|"
    "PerkinElmer Lambda (*.sp)|*.sp|"
    "Invitrogen (*.txt)|*.txt";
inline constexpr std::string_view kEmissionFilter =
    "Emission File (*.iss; *.rls; *.txt; *.csv; *.ifx)|*.iss;*.rls;*.txt;*.csv;*.ifx|"
    "ISS (*.ifx)|*.ifx|"
    "ISS (*.iss)|*.iss|"
    "*.rls|*.rls|"
    "*.txt|*.txt|"
    "Emission CSV File (*.csv)|*.csv";
inline constexpr int kFilterEntryCount = 6;

// The text from the last "." after the last path delimiter ("\", ":" or "/")
// to the end, with a-z upper-cased; empty when there is no such ".".
[[nodiscard]] std::string FileExtension(std::string_view path);

// The reader for a file chosen with filter entry `filter_entry` (1..6);
// nullptr when the entry is out of range or, for entry 1, the extension is
// not one of the side's formats.
[[nodiscard]] SpectrumReader ChooseReader(SpectrumSide side, int filter_entry,
                                          std::string_view path);

// The name shown in window titles and plot labels: a path of at most 40
// characters whole, a longer one as its first 19 characters, "..." and its
// last 21. Characters are counted as UTF-8 code points, so a name is never
// cut inside one.
[[nodiscard]] std::string ShortenFileName(std::string_view path);

}  // namespace korin
