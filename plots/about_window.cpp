#include "plots/about_window.h"

#include <QBitmap>
#include <QImage>
#include <QLabel>
#include <QPixmap>

#include "chart/chart_style.h"
#include "core/version.h"
#include "plots/object_names.h"

namespace korin {
namespace {

constexpr int kMiddle = 160;  // every control stands centred on the client's middle

QLabel* AddLabel(QWidget& parent, const QString& name, const QString& text, const QFont& font,
                 QColor colour) {
  auto* label = new QLabel(text, &parent);
  label->setObjectName(name);
  label->setFont(font);
  SetTextColour(*label, colour);
  return label;
}

// A label sized to its text, centred on the client's middle at `top`.
void PlaceCentred(QLabel& label, int top) {
  FitToText(label);
  label.move(kMiddle - label.width() / 2, top);
}

// A borderless, flat multi-line box of fixed size with centred lines.
QLabel* AddMemo(QWidget& parent, const QString& name, const QStringList& lines, QColor colour,
                const QRect& geometry) {
  QLabel* memo = AddLabel(parent, name, lines.join(QLatin1Char('\n')), SansFont8pt(), colour);
  memo->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  memo->setGeometry(geometry);
  return memo;
}

// The logo with every pixel of its bottom-left colour (white) let through.
QPixmap TransparentLogo() {
  const QImage image(QStringLiteral(":/plots/valtrix_logo.bmp"));
  QPixmap logo = QPixmap::fromImage(image);
  if (!image.isNull()) {
    logo.setMask(
        logo.createMaskFromColor(image.pixelColor(0, image.height() - 1), Qt::MaskInColor));
  }
  return logo;
}

}  // namespace

AboutWindow::AboutWindow(Contents contents)
    : FormWindow(QStringLiteral("About Korin-FRET"), QSize(320, 319), 5, QPalette::Button) {
  move(116, 126);
  setObjectName(names::kAboutWindow);
  if (contents == Contents::kWithWindow) MakeContents();
}

void AboutWindow::setVisible(bool visible) {
  if (visible && !has_contents_) MakeContents();
  FormWindow::setVisible(visible);
}

void AboutWindow::MakeContents() {
  has_contents_ = true;
  QWidget& client = ClientArea();

  auto* logo = new QLabel(&client);
  logo->setObjectName(QStringLiteral("Image1"));
  logo->setPixmap(TransparentLogo());
  logo->setAlignment(Qt::AlignCenter);
  logo->setGeometry(30, 0, 260, 42);

  // The contact lines can be selected and copied, not edited.
  QLabel* contact_lines = AddMemo(
      client, QStringLiteral("Memo2"),
      {QStringLiteral("www.valtrix.example"), QStringLiteral("e-mail: info@valtrix.example")},
      kBlue, QRect(65, 49, 189, 40));
  contact_lines->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

  const QString arial = QStringLiteral("Arial");
  PlaceCentred(*AddLabel(client, QStringLiteral("Label3"), QStringLiteral("Korin-FRET"),
                         chart::PixelFont(arial, kFont24pt, true), kRed),
               93);
  PlaceCentred(*AddLabel(client, QStringLiteral("Label4"),
                         QStringLiteral("Energy Transfer and Forster Distance Calculation"),
                         chart::PixelFont(arial, kFont10pt, true), kRed),
               132);
  PlaceCentred(
      *AddLabel(client, QStringLiteral("Label5"),
                QStringLiteral("Version ") +
                    QString::fromUtf8(kVersion.data(), static_cast<qsizetype>(kVersion.size())),
                chart::PixelFont(arial, kFont12pt, true), kRed),
      155);

  // The credits can be neither edited nor selected; disabled, they keep
  // their purple (SetTextColour) rather than turning grey.
  QLabel* credits =
      AddMemo(client, QStringLiteral("Memo1"),
              {QStringLiteral("Development:"), QString(), QStringLiteral("Calculation core team"),
               QStringLiteral("Spectrum import team"), QStringLiteral("Chart and windows team")},
              kPurple, QRect(84, 180, 153, 86));
  credits->setTextInteractionFlags(Qt::NoTextInteraction);
  credits->setEnabled(false);

  const struct {
    const char* name;
    const char* text;
    int top;
  } static_texts[] = {
      {"StaticText3", "Forster distance is calculated according to:", 268},
      {"StaticText1", "J. R. Lakowicz, Principles of Fluorescence Spectroscopy", 286},
      {"StaticText2", "New York: Springer, 2006, ISBN 978-0-387-31278-1", 302},
  };
  for (const auto& text : static_texts) {
    PlaceCentred(*AddLabel(client, QString::fromLatin1(text.name), QString::fromUtf8(text.text),
                           SansFont8pt(), kDesktop),
                 text.top);
  }
}

}  // namespace korin
