// The About window: the program's name and version, the maker's logo and
// contact lines, the credits and the textbook the Foerster distance comes
// from. A fixed layout: nothing in it is computed or handled.
#pragma once

#include "plots/form_window.h"

namespace korin {

class AboutWindow final : public FormWindow {
 public:
  // Created hidden, as the program's last window.
  AboutWindow();
};

}  // namespace korin
