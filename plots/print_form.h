// Printing a window: its client area on one page, at its on-screen size,
// from the page's top-left corner.
#pragma once

class QPrinter;

namespace korin {

class FormWindow;

// Prints `window`'s client area, with the content it holds now, on one page
// of `printer` as the print or printer-setup dialog left it. The area is
// painted at the printer's own resolution, so lines and text stay sharp,
// and scaled by the printer's dots per inch over the window's, so the print
// has the window's size on screen. Works whether or not the window is
// shown. Answers false when the print job could not be opened.
[[nodiscard]] bool PrintForm(FormWindow& window, QPrinter& printer);

}  // namespace korin
