// The panel's group boxes and lists look exactly as the style sheets they
// replace made them look, pixel for pixel, while the panel stays with the
// application's own style.
#include "ui/panel_widgets.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QStyleFactory>
#include <QStyleOptionViewItem>
#include <memory>

#include "plots/form_window.h"

namespace korin {
namespace {

QFont CaptionFont(int pixels, bool bold) {
  QFont font = SansFont8pt();
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

// A group box of the panel's kind with a control inside that sets its own
// font, as every control of the panel does.
template <typename Box>
QImage Rendered(std::unique_ptr<Box> box, const QFont& font, bool enabled) {
  QWidget window;
  box->setParent(&window);
  box->setGeometry(0, 0, 201, 102);
  box->setFont(font);
  auto* inside = new QLabel(QStringLiteral("Quantum Yield (0 ... 1)"), box.get());
  inside->setFont(CaptionFont(11, false));
  inside->move(10, 61);
  box->setEnabled(enabled);
  const QImage image = box->grab().toImage();
  box->setParent(nullptr);
  return image;
}

// The application's style for the length of a test.
class ApplicationStyle {
 public:
  explicit ApplicationStyle(const QString& key) : original_(QApplication::style()->name()) {
    QApplication::setStyle(key);
  }
  ~ApplicationStyle() { QApplication::setStyle(original_); }
  ApplicationStyle(const ApplicationStyle&) = delete;
  ApplicationStyle& operator=(const ApplicationStyle&) = delete;

 private:
  QString original_;
};

TEST(CaptionedGroupBox, LooksLikeTheCaptionStyleSheetInEveryStyle) {
  int compared = 0;
  for (const QString& style : QStyleFactory::keys()) {
    const ApplicationStyle in_style(style);
    for (const char* caption : {" Donor ", " Solvent ", " Acceptor ", "&Mnemonic", "W", ""}) {
      for (const QColor colour : {QColor(255, 0, 0), QColor(0, 0, 255), QColor(0, 0, 0)}) {
        for (const int pixels : {9, 11, 13, 16}) {
          for (const bool bold : {true, false}) {
            for (const bool enabled : {true, false}) {
              const QString text = QString::fromLatin1(caption);
              const QFont font = CaptionFont(pixels, bold);
              auto reference = std::make_unique<QGroupBox>(text);
              reference->setStyleSheet(
                  QStringLiteral("QGroupBox::title { color: %1; }").arg(colour.name()));
              const QImage expected = Rendered(std::move(reference), font, enabled);
              const QImage actual =
                  Rendered(std::make_unique<CaptionedGroupBox>(text, colour), font, enabled);
              ASSERT_EQ(actual, expected)
                  << "\"" << caption << "\" in " << colour.name().toStdString() << " at " << pixels
                  << " px, bold " << bold << ", enabled " << enabled << ", style "
                  << style.toStdString();
              ++compared;
            }
          }
        }
      }
    }
  }
  EXPECT_GE(compared, 288);
}

TEST(CaptionedGroupBox, OnlyTheCaptionTakesTheColour) {
  QWidget window;
  auto* box = new CaptionedGroupBox(QStringLiteral(" Donor "), QColor(255, 0, 0), &window);
  auto* inside = new QLabel(QStringLiteral("Quantum Yield"), box);
  window.ensurePolished();
  EXPECT_EQ(box->CaptionColour(), QColor(255, 0, 0));
  EXPECT_EQ(box->palette().color(QPalette::WindowText),
            QApplication::palette().color(QPalette::WindowText));
  EXPECT_EQ(inside->palette().color(QPalette::WindowText),
            QApplication::palette().color(QPalette::WindowText));
  // The application's style, never the style-sheet style.
  for (QWidget* widget : {static_cast<QWidget*>(box), static_cast<QWidget*>(inside)}) {
    EXPECT_FALSE(widget->testAttribute(Qt::WA_StyleSheet));
    EXPECT_EQ(widget->style(), QApplication::style());
  }
}

TEST(CaptionedGroupBox, WithoutCaptionDrawsTheFrameAlone) {
  auto box = std::make_unique<CaptionedGroupBox>(QString(), QColor(255, 0, 0));
  const QImage image = Rendered(std::move(box), CaptionFont(11, true), true);
  const QImage plain = Rendered(std::make_unique<QGroupBox>(), CaptionFont(11, true), true);
  EXPECT_EQ(image, plain);
}

TEST(FixedList, RowsHaveTheGivenHeight) {
  for (const int height : {13, 16, 30}) {
    FixedList list(height);
    list.addItems({QStringLiteral("Water"), QStringLiteral("<Other>")});
    const QStyleOptionViewItem option;
    EXPECT_EQ(list.itemDelegate()->sizeHint(option, list.model()->index(1, 0)).height(), height);
  }
}

TEST(FixedList, DropDownKeepsTheSystemColoursWhateverTheList) {
  QWidget window;
  auto* list = new FixedList(13, &window);
  list->addItems({QStringLiteral("0.1"), QStringLiteral("1")});
  QWidget* drop_down = list->view()->window();
  ASSERT_NE(drop_down, &window);
  const QPalette system = QApplication::palette(drop_down);
  // Dark, light and dark again, as the entry modes switch.
  for (const QColor background : {QColor(Qt::black), QColor(Qt::white), QColor(Qt::black)}) {
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Button, background);
    palette.setColor(QPalette::Text, Qt::white);
    list->setPalette(palette);
    EXPECT_EQ(list->palette().color(QPalette::Base), background);
    for (const QPalette::ColorRole role : {QPalette::Base, QPalette::Button, QPalette::Text,
                                           QPalette::Window, QPalette::Highlight}) {
      EXPECT_EQ(drop_down->palette().color(role), system.color(role)) << role;
      EXPECT_EQ(list->view()->palette().color(role), system.color(role)) << role;
    }
  }
}

}  // namespace
}  // namespace korin
