// How readers report a problem with a spectrum file. The windows turn each
// message into a message box, the command-line tool into a line on stderr
// and the tests into a list to assert on.
#pragma once

#include <functional>
#include <string_view>

namespace korin {

// Receives the whole message text, e.g. "File Error: /data/a.sp".
using MessageSink = std::function<void(std::string_view message)>;

// Sends "File Error: " + text to the sink; a missing sink drops it.
void ShowFileError(const MessageSink& sink, std::string_view text);

// " Incorrect wavelength order", appended to a path by the order check.
inline constexpr std::string_view kIncorrectOrderSuffix = " Incorrect wavelength order";

}  // namespace korin
