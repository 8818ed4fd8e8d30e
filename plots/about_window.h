// The About window: the program's name and version, the maker's logo and
// contact lines, the credits and the textbook the Foerster distance comes
// from. A fixed layout: nothing in it is computed or handled.
#pragma once

#include "plots/form_window.h"

namespace korin {

class AboutWindow final : public FormWindow {
 public:
  // When the contents (logo, texts, credits) are made. The window itself,
  // its caption, place and size, is made at once either way; contents made
  // when first shown spare the start the fonts of the texts, a tenth of it,
  // for a window that stays hidden until asked for.
  enum class Contents { kWithWindow, kWhenFirstShown };

  // Created hidden, as the program's last window.
  explicit AboutWindow(Contents contents = Contents::kWithWindow);

  [[nodiscard]] bool HasContents() const { return has_contents_; }
  // Makes the contents, if not made yet, before the window first shows.
  void setVisible(bool visible) override;

 private:
  void MakeContents();

  bool has_contents_ = false;
};

}  // namespace korin
