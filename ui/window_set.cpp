#include "ui/window_set.h"

namespace korin {

WindowSet::WindowSet(FretEngine& engine, DialogService& dialogs)
    : Form1(std::make_unique<TForm1>(engine, dialogs)),
      Form2(std::make_unique<TForm2>()),
      Form3(std::make_unique<TForm3>()),
      Form4(std::make_unique<TForm4>()),
      Form5About(std::make_unique<TForm5About>()) {
  Form1->AttachWindows(Form2.get(), Form3.get(), Form4.get(), Form5About.get());
}

}  // namespace korin
