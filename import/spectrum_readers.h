// The spectrum readers, one per file format. Each takes the full path the
// user chose, lays the points on its side of the session, sets the range and
// decides the validity flag; problems go to the message sink as
// "File Error: " + path lines. The open command has cleared the side first.
#pragma once

#include <string_view>

#include "core/fret_session.h"
#include "import/file_error.h"

namespace korin {

// Acceptor absorbance into AcceptorAbsorbance, AbsorptionFirst/Last and
// AbsorptionValid.

// Header up to the first line containing DATA (any case), then
// "wavelength absorbance" lines in either order.
void ReadAbsorptionSp(FretSession& session, std::string_view path, const MessageSink& sink);
// Header up to and including the first line that starts with a number,
// then "wavelength absorbance" lines in either order.
void ReadAbsorptionTxt(FretSession& session, std::string_view path, const MessageSink& sink);
// Point count, five header lines, then fixed columns 1-7 / 9-15 with
// decreasing wavelengths.
void ReadAbsorptionAsp(FretSession& session, std::string_view path, const MessageSink& sink);
// Two header lines, then fixed columns 1-6 / 8-12 with increasing
// wavelengths.
void ReadAbsorptionAbt(FretSession& session, std::string_view path, const MessageSink& sink);
// Whitespace-separated wavelength/absorbance pairs, decreasing wavelengths.
void ReadAbsorptionAbs(FretSession& session, std::string_view path, const MessageSink& sink);

// Donor emission into DonorEmission, EmissionFirst/Last and EmissionValid.

// Header lines up to the first line that starts with a number, then
// "wavelength intensity" lines in increasing order (.ifx, .iss, .rls, .csv).
void ReadEmissionColumns(FretSession& session, std::string_view path, const MessageSink& sink);
// Four-field lines: two leading numbers, the wavelength and the intensity,
// in either order (.txt).
void ReadEmissionTxt(FretSession& session, std::string_view path, const MessageSink& sink);

}  // namespace korin
