// Labels fitted to their texts take exactly the size QLabel itself would
// give them, whichever way the size is found.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPixmap>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "chart/chart_style.h"
#include "plots/form_window.h"

namespace korin {
namespace {

std::string Shown(QSize size) {
  return std::to_string(size.width()) + "x" + std::to_string(size.height());
}
std::string Shown(QRect rect) {
  return std::to_string(rect.x()) + "," + std::to_string(rect.y()) + " " + Shown(rect.size());
}

struct LabelCase {
  const char* what;
  QString text;
  std::function<void(QLabel&)> set_up;
};

std::vector<LabelCase> Cases() {
  const auto none = [](QLabel&) {};
  return {
      {"plain", QStringLiteral("Quantum Yield (0 ... 1)"), none},
      {"empty", QString(), none},
      {"one letter", QStringLiteral("W"), none},
      {"spaces around", QStringLiteral("  Ro [Angstroms]  "), none},
      {"two lines", QStringLiteral("Development:\nCalculation core team"), none},
      {"tab", QStringLiteral("a\tb"), none},
      {"ampersand", QStringLiteral("Save && close"), none},
      {"right to left", QString::fromUtf8("\u05e9\u05dc\u05d5\u05dd world"), none},
      {"accented", QString::fromUtf8("F\u00f6rster distance"), none},
      {"centred", QStringLiteral("Korin-FRET"), [](QLabel& l) { l.setAlignment(Qt::AlignCenter); }},
      {"right", QStringLiteral("Version 2.03"),
       [](QLabel& l) { l.setAlignment(Qt::AlignRight | Qt::AlignBottom); }},
      {"rich text", QStringLiteral("<b>bold</b> and not"), none},
      {"plain format with tags", QStringLiteral("<b>bold</b>"),
       [](QLabel& l) { l.setTextFormat(Qt::PlainText); }},
      {"word wrap", QStringLiteral("Forster distance is calculated according to the overlap"),
       [](QLabel& l) { l.setWordWrap(true); }},
      {"margin", QStringLiteral("margin"), [](QLabel& l) { l.setMargin(3); }},
      {"indent", QStringLiteral("indent"), [](QLabel& l) { l.setIndent(7); }},
      {"frame", QStringLiteral("framed"),
       [](QLabel& l) { l.setFrameStyle(QFrame::Panel | QFrame::Sunken); }},
      {"contents margins", QStringLiteral("inset"),
       [](QLabel& l) { l.setContentsMargins(1, 2, 3, 4); }},
      {"minimum size", QStringLiteral("min"), [](QLabel& l) { l.setMinimumSize(90, 40); }},
      {"minimum height", QStringLiteral("min"), [](QLabel& l) { l.setMinimumHeight(30); }},
      {"selectable", QStringLiteral("www.valtrix.example"),
       [](QLabel& l) { l.setTextInteractionFlags(Qt::TextSelectableByMouse); }},
      {"buddy", QStringLiteral("&Concentration"), [](QLabel& l) { l.setBuddy(l.parentWidget()); }},
      {"pixmap", QString(),
       [](QLabel& l) {
         QPixmap pixmap(30, 12);
         pixmap.fill(Qt::red);
         l.setPixmap(pixmap);
       }},
  };
}

TEST(LabelFit, SizeIsTheLabelsOwnSizeHint) {
  int checked = 0;
  for (const LabelCase& c : Cases()) {
    for (const int pixels : {10, 11, 13, 16, 32}) {
      for (const bool bold : {false, true}) {
        QWidget parent;
        auto* measured = new QLabel(c.text, &parent);
        auto* reference = new QLabel(c.text, &parent);
        for (QLabel* label : {measured, reference}) {
          label->setFont(chart::PixelFont(QStringLiteral("Arial"), pixels, bold));
          c.set_up(*label);
        }
        const std::string where = std::string(c.what) + " at " + std::to_string(pixels) +
                                  " px, bold " + std::to_string(bold);
        EXPECT_EQ(Shown(TextSizeHint(*measured)), Shown(reference->sizeHint())) << where;
        measured->move(7, 9);
        FitToText(*measured);
        reference->move(7, 9);
        reference->adjustSize();
        EXPECT_EQ(Shown(measured->geometry()), Shown(reference->geometry())) << where;
        ++checked;
      }
    }
  }
  EXPECT_EQ(checked, 230);
}

TEST(LabelFit, FollowsTheFontAndTextOfTheMoment) {
  QLabel label(QStringLiteral("short"));
  label.setFont(SansFont8pt());
  const QSize short_size = TextSizeHint(label);
  label.setText(QStringLiteral("a good deal longer"));
  EXPECT_GT(TextSizeHint(label).width(), short_size.width());
  QFont big = SansFont8pt();
  big.setPixelSize(32);
  label.setFont(big);
  EXPECT_GT(TextSizeHint(label).height(), short_size.height());
  EXPECT_EQ(TextSizeHint(label), label.sizeHint());
}

}  // namespace
}  // namespace korin
