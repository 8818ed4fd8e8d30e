// The frame every window of the program shares: a fixed caption and a
// client area of fixed size inside an optional blank border, painted in a
// system colour. Windows are created once; closing one only hides it.
#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QSize>
#include <QString>
#include <QWidget>

namespace korin {

// Pixel heights of the fonts the layouts name by point size (at 96 pixels
// per inch); pixel heights keep the layouts identical on any screen.
inline constexpr int kFont8pt = 11;
inline constexpr int kFont10pt = 13;
inline constexpr int kFont12pt = 16;
inline constexpr int kFont24pt = 32;

// The layouts' fixed colours.
inline const QColor kRed{255, 0, 0};
inline const QColor kBlue{0, 0, 255};
inline const QColor kPurple{128, 0, 128};
inline const QColor kLightRed{255, 128, 128};
inline const QColor kLightBlue{128, 128, 255};
// Qt has no role for the desktop background; this is the classic one.
inline const QColor kDesktop{58, 110, 165};

// The layouts' body font, in the interface font when installed and in the
// closest sans font otherwise.
[[nodiscard]] QFont SansFont8pt();

// Gives a label its text colour in every state, enabled or not. The
// colour must not follow the background: on the window colour Qt would
// otherwise pick the palette's Text role, on the button face ButtonText.
void SetTextColour(QWidget& widget, QColor colour);

// The size QLabel::sizeHint() gives `label`, and the label sized to it as
// adjustSize() would size it. For a one-line plain-text label without
// frame, margin or indent the text is measured once: sizeHint lays it out
// three times (its minimum size hint twice over), each a full shaping of
// the text, which cost a noticeable share of the start with a dozen labels
// fitted to their texts. Any other label is asked for its sizeHint.
[[nodiscard]] QSize TextSizeHint(const QLabel& label);
void FitToText(QLabel& label);

class FormWindow : public QWidget {
 public:
  // `background` is the system colour of the window: QPalette::Base for
  // the window colour, QPalette::Button for the button face.
  FormWindow(const QString& caption, QSize client_size, int border, QPalette::ColorRole background);

  // The area inside the border that holds the controls; printing copies it.
  [[nodiscard]] QWidget& ClientArea() { return *client_; }

 private:
  QWidget* client_;
};

}  // namespace korin
