// The windows as the program starts them: the fields hold their first texts
// in their own fonts as if typed by no one, labels fitted to their texts
// are as large as they ask to be, and no control of any window is handed
// to the style-sheet style, whose cost showed at every start.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include "core/fret_engine.h"
#include "plots/object_names.h"
#include "scripted_dialogs.h"
#include "ui/window_set.h"

namespace korin {
namespace {

TEST(PanelStart, FieldsHoldTheirTextsUntouched) {
  FretEngine engine;
  testing::ScriptedDialogs dialogs;
  WindowSet windows(engine, dialogs);
  const struct {
    const char* name;
    const char* text;
    int pixels;
  } fields[] = {
      {names::kQuantumYieldField, "0.5", 11},
      {names::kOrientationField, "0.66667", 10},  // the engine's rewrite of "1"
      {names::kConcentrationField, "1E-5", 11},   // the engine's rewrite of "1.00e-5"
      {names::kRefractiveIndexField, "1.333", 11},
      {names::kExtinctionField, "", 11},
      {names::kOverlapIntegralField, "", 10},
      {names::kForsterDistanceField, "", 10},
  };
  for (const auto& f : fields) {
    auto* field = windows.main_window->findChild<QLineEdit*>(QString::fromLatin1(f.name));
    ASSERT_NE(field, nullptr) << f.name;
    EXPECT_EQ(field->text().toStdString(), f.text) << f.name;
    EXPECT_EQ(field->font().pixelSize(), f.pixels) << f.name;
    EXPECT_EQ(QFontInfo(field->font()).pixelSize(), f.pixels) << f.name;
    EXPECT_FALSE(field->isUndoAvailable()) << f.name << " offers to undo its first text";
    EXPECT_FALSE(field->isModified()) << f.name;
    EXPECT_FALSE(field->hasSelectedText()) << f.name;
    EXPECT_EQ(field->cursorPosition(), field->text().size()) << f.name;
  }
}

TEST(PanelStart, LabelsFittedToTheirTextsTakeTheirOwnSizeHints) {
  FretEngine engine;
  testing::ScriptedDialogs dialogs;
  WindowSet windows(engine, dialogs);
  const char* const fitted[] = {names::kQuantumYieldLabel,   names::kOrientationLabel,
                                names::kSolventLabel,        names::kRefractiveIndexLabel,
                                names::kOpticalPathLabel,    names::kOverlapIntegralLabel,
                                names::kForsterDistanceLabel};
  for (const char* name : fitted) {
    auto* label = windows.main_window->findChild<QLabel*>(QString::fromLatin1(name));
    ASSERT_NE(label, nullptr) << name;
    EXPECT_EQ(label->size(), label->sizeHint()) << name;
    EXPECT_GT(label->width(), 20) << name;
  }
  for (const char* name :
       {"Label3", "Label4", "Label5", "StaticText1", "StaticText2", "StaticText3"}) {
    auto* label = windows.about_window->findChild<QLabel*>(QString::fromLatin1(name));
    ASSERT_NE(label, nullptr) << name;
    EXPECT_EQ(label->size(), label->sizeHint()) << name;
  }
  // The plot's file labels reach across the window at their text's height.
  for (const char* name : {names::kEmissionFileLabel, names::kAbsorptionFileLabel}) {
    auto* label = windows.plot_window->findChild<QLabel*>(QString::fromLatin1(name));
    ASSERT_NE(label, nullptr) << name;
    EXPECT_EQ(label->height(), label->sizeHint().height()) << name;
  }
}

TEST(PanelStart, NoControlTakesTheStyleSheetStyle) {
  FretEngine engine;
  testing::ScriptedDialogs dialogs;
  WindowSet windows(engine, dialogs);
  windows.main_window->show();
  const QWidget* windows_made[] = {windows.main_window.get(), windows.plot_window.get(),
                                   windows.donor_window.get(), windows.acceptor_window.get(),
                                   windows.about_window.get()};
  int controls = 0;
  for (const QWidget* window : windows_made) {
    window->ensurePolished();
    for (const QWidget* widget : window->findChildren<QWidget*>()) {
      EXPECT_TRUE(widget->styleSheet().isEmpty()) << widget->objectName().toStdString();
      EXPECT_FALSE(widget->testAttribute(Qt::WA_StyleSheet)) << widget->objectName().toStdString();
      ++controls;
    }
  }
  EXPECT_GT(controls, 60);
  windows.main_window->close();
}

TEST(PanelStart, TheProgramsAboutWindowGetsItsContentsWhenAskedFor) {
  FretEngine engine;
  testing::ScriptedDialogs dialogs;
  WindowSet windows(engine, dialogs, AboutWindow::Contents::kWhenFirstShown);
  ASSERT_TRUE(windows.main_window && windows.plot_window && windows.donor_window &&
              windows.acceptor_window && windows.about_window);
  windows.main_window->show();
  AboutWindow& about = *windows.about_window;
  EXPECT_TRUE(windows.plot_window->isVisible());
  EXPECT_FALSE(about.isVisible());
  EXPECT_FALSE(about.HasContents());
  EXPECT_EQ(about.windowTitle(), QStringLiteral("About Korin-FRET"));

  auto* item = windows.main_window->findChild<QAction*>(QString::fromLatin1(names::kAboutItem));
  ASSERT_NE(item, nullptr);
  item->trigger();
  EXPECT_TRUE(about.isVisible());
  ASSERT_TRUE(about.HasContents());
  auto* name = about.findChild<QLabel*>(QStringLiteral("Label3"));
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->text(), QStringLiteral("Korin-FRET"));
  EXPECT_EQ(name->size(), name->sizeHint());
  about.close();
  windows.main_window->close();
}

}  // namespace
}  // namespace korin
