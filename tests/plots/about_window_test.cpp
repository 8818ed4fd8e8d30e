// The About window: its texts, every control centred on the client's
// middle, the credits and contact lines locked as designed, and the logo a
// 24-bit bitmap drawn transparent by its bottom-left colour.
#include "plots/about_window.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QRegularExpression>
#include <cstdint>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "chart/pixels.h"

namespace korin {
namespace {

using testing::Count;

QLabel& Control(AboutWindow& about, const char* name) {
  auto* control = about.findChild<QLabel*>(QString::fromLatin1(name));
  if (control == nullptr) throw std::runtime_error(std::string("no control ") + name);
  return *control;
}

TEST(AboutWindow, TextsStandCentredAtTheirDesignedTops) {
  AboutWindow about;
  const struct {
    const char* name;
    const char* text;  // null: the project's own content, checked elsewhere
    int top;
    int pixel_height;
    bool bold;
  } controls[] = {
      {"Label3", "Korin-FRET", 93, 32, true},
      {"Label4", "Energy Transfer and Forster Distance Calculation", 132, 13, true},
      {"Label5", "Version 2.03", 155, 16, true},
      {"StaticText3", "Forster distance is calculated according to:", 268, 11, false},
      {"StaticText1", nullptr, 286, 11, false},
      {"StaticText2", nullptr, 302, 11, false},
      {"Memo2", nullptr, 49, 11, false},
      {"Memo1", nullptr, 180, 11, false},
      {"Image1", nullptr, 0, 0, false},
  };
  for (const auto& c : controls) {
    QLabel& control = Control(about, c.name);
    if (c.text != nullptr) {
      EXPECT_EQ(control.text().toStdString(), c.text) << c.name;
    }
    EXPECT_EQ(control.y(), c.top) << c.name;
    EXPECT_NEAR(control.x() + control.width() / 2.0, 160, 1) << c.name << " centred";
    EXPECT_LE(control.geometry().right(), 319) << c.name << " inside the client area";
    EXPECT_LE(control.geometry().bottom(), 318) << c.name << " inside the client area";
    if (c.pixel_height > 0) {
      EXPECT_EQ(QFontInfo(control.font()).pixelSize(), c.pixel_height) << c.name;
      EXPECT_EQ(control.font().bold(), c.bold) << c.name;
    }
  }
  // The memos keep their designed boxes.
  EXPECT_EQ(Control(about, "Memo2").geometry(), QRect(65, 49, 189, 40));
  EXPECT_EQ(Control(about, "Memo1").geometry(), QRect(84, 180, 153, 86));
  EXPECT_EQ(Control(about, "Image1").geometry(), QRect(30, 0, 260, 42));
}

TEST(AboutWindow, ContactCreditsAndCitationHaveTheirForm) {
  AboutWindow about;
  const QStringList contact = Control(about, "Memo2").text().split(QLatin1Char('\n'));
  ASSERT_EQ(contact.size(), 2);
  EXPECT_FALSE(contact[0].isEmpty()) << "the web address";
  EXPECT_TRUE(contact[1].startsWith(QStringLiteral("e-mail: ")));
  EXPECT_TRUE(contact[1].contains(QLatin1Char('@')));

  const QStringList credits = Control(about, "Memo1").text().split(QLatin1Char('\n'));
  ASSERT_EQ(credits.size(), 5);
  EXPECT_EQ(credits[0], QStringLiteral("Development:"));
  EXPECT_TRUE(credits[1].isEmpty());
  for (int i = 2; i < 5; ++i) EXPECT_FALSE(credits[i].isEmpty()) << i;

  // Initials and surname, then the title; then place, publisher, year, ISBN.
  EXPECT_TRUE(Control(about, "StaticText1")
                  .text()
                  .contains(QRegularExpression(QStringLiteral("^([A-Z]\\. )+[A-Z][a-z]+, \\S"))));
  EXPECT_TRUE(Control(about, "StaticText2")
                  .text()
                  .contains(QRegularExpression(
                      QStringLiteral("^[A-Za-z ]+: [A-Za-z]+, (19|20)\\d\\d, ISBN [0-9-]{13,}$"))));
}

TEST(AboutWindow, CreditsAreLockedAndContactLinesOnlySelectable) {
  AboutWindow about;
  QLabel& credits = Control(about, "Memo1");
  EXPECT_FALSE(credits.isEnabled());
  EXPECT_EQ(credits.textInteractionFlags(), Qt::NoTextInteraction);
  QLabel& contact = Control(about, "Memo2");
  EXPECT_TRUE(contact.isEnabled());
  EXPECT_TRUE(contact.textInteractionFlags() & Qt::TextSelectableByMouse);
  EXPECT_FALSE(contact.textInteractionFlags() & Qt::TextEditable);
}

TEST(AboutWindow, ColoursAsDesigned) {
  AboutWindow about;
  const QImage image = about.ClientArea().grab().toImage();
  const auto in = [&](const char* name, const testing::PixelTest& test) {
    return Count(image, Control(about, name).geometry(), test);
  };
  EXPECT_GT(in("Label3", testing::Reddish()), 200);
  EXPECT_GT(in("Label5", testing::Reddish()), 50);
  EXPECT_GT(in("Memo2", testing::Bluish()), 40);
  EXPECT_GT(in("Memo1", testing::Purplish()), 40) << "purple even though disabled";
  EXPECT_GT(in("StaticText3", [](QColor c) { return c.blue() > c.red() + 60; }), 30)
      << "the desktop colour";
  EXPECT_EQ(image.pixel(2, 2), about.palette().color(QPalette::Button).rgb());
}

TEST(AboutWindow, LogoIsAnUncompressed24BitBitmapOf260By42) {
  QFile file(QStringLiteral(":/plots/valtrix_logo.bmp"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "the logo is compiled in";
  const QByteArray bytes = file.readAll();
  ASSERT_GE(bytes.size(), 54);
  const auto le = [&](int at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
      value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
  };
  EXPECT_EQ(bytes.left(2), QByteArray("BM"));
  EXPECT_EQ(le(18, 4), 260u);  // width
  EXPECT_EQ(le(22, 4), 42u);   // height
  EXPECT_EQ(le(28, 2), 24u);   // bits per pixel
  EXPECT_EQ(le(30, 4), 0u);    // no compression
}

TEST(AboutWindow, LogoLetsTheWindowShowThroughItsBackgroundColour) {
  const QImage logo(QStringLiteral(":/plots/valtrix_logo.bmp"));
  ASSERT_EQ(logo.size(), QSize(260, 42));
  const QRgb transparent = logo.pixel(0, logo.height() - 1);
  AboutWindow about;
  const QImage window = about.ClientArea().grab().toImage();
  const QRgb face = about.palette().color(QPalette::Button).rgb();
  const QPoint origin = Control(about, "Image1").pos();
  int through = 0;
  int drawn = 0;
  for (int y = 0; y < logo.height(); ++y) {
    for (int x = 0; x < logo.width(); ++x) {
      const QRgb shown = window.pixel(origin + QPoint(x, y));
      if (logo.pixel(x, y) == transparent) {
        ASSERT_EQ(shown, face) << x << "," << y;
        ++through;
      } else {
        ASSERT_EQ(shown, logo.pixel(x, y)) << x << "," << y;
        ++drawn;
      }
    }
  }
  EXPECT_GT(drawn, 500) << "blue letters and a red arc";
  EXPECT_GT(through, drawn);
  // The letters are blue and the arc red.
  EXPECT_GT(Count(logo, logo.rect(), [](QColor c) { return c.blue() > c.red() + 100; }), 300);
  EXPECT_GT(Count(logo, logo.rect(), [](QColor c) { return c.red() > c.blue() + 100; }), 100);
}

// Every control of the client area as it stands: kind, name, place, text,
// font, colours, state and picture.
std::vector<std::string> Controls(AboutWindow& about) {
  std::vector<std::string> controls;
  for (const QLabel* label : about.ClientArea().findChildren<QLabel*>()) {
    const QRect g = label->geometry();
    const QPalette& p = label->palette();
    std::ostringstream line;
    line << label->objectName().toStdString() << " " << g.x() << "," << g.y() << " " << g.width()
         << "x" << g.height() << " '" << label->text().toStdString() << "' "
         << label->font().toString().toStdString() << " "
         << p.color(QPalette::WindowText).name().toStdString() << " "
         << p.color(QPalette::Disabled, QPalette::WindowText).name().toStdString() << " "
         << label->isEnabled() << " " << label->textInteractionFlags() << " " << label->alignment()
         << " "
         << " " << label->pixmap().size().width() << "x" << label->pixmap().size().height();
    controls.push_back(line.str());
  }
  return controls;
}

TEST(AboutWindow, ContentsMadeWhenFirstShownAreTheSame) {
  AboutWindow made;
  AboutWindow deferred(AboutWindow::Contents::kWhenFirstShown);
  EXPECT_TRUE(made.HasContents());
  EXPECT_FALSE(deferred.HasContents());
  EXPECT_TRUE(deferred.ClientArea().findChildren<QWidget*>().isEmpty());
  // The window itself stands as designed before its contents come.
  EXPECT_EQ(deferred.windowTitle(), made.windowTitle());
  EXPECT_EQ(deferred.objectName(), made.objectName());
  EXPECT_EQ(deferred.pos(), made.pos());
  EXPECT_EQ(deferred.size(), made.size());
  EXPECT_EQ(deferred.ClientArea().geometry(), made.ClientArea().geometry());
  EXPECT_TRUE(deferred.isHidden());

  deferred.show();
  ASSERT_TRUE(deferred.HasContents());
  EXPECT_TRUE(deferred.isVisible());
  const std::vector<std::string> controls = Controls(deferred);
  EXPECT_EQ(controls.size(), 9u);
  EXPECT_EQ(controls, Controls(made));
  made.show();
  EXPECT_EQ(deferred.ClientArea().grab().toImage(), made.ClientArea().grab().toImage());
  EXPECT_EQ(deferred.grab().toImage(), made.grab().toImage());
}

TEST(AboutWindow, ContentsAreMadeOnceAndOnlyToBeShown) {
  AboutWindow about(AboutWindow::Contents::kWhenFirstShown);
  about.hide();
  about.setVisible(false);
  EXPECT_FALSE(about.HasContents()) << "hiding a hidden window shows nothing";
  about.show();
  const qsizetype controls = about.ClientArea().findChildren<QWidget*>().size();
  EXPECT_GT(controls, 0);
  about.close();
  about.show();
  about.setVisible(true);
  EXPECT_EQ(about.ClientArea().findChildren<QWidget*>().size(), controls);
}

}  // namespace
}  // namespace korin
