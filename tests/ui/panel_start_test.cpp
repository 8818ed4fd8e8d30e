// The panel as the program starts it: the fields hold their first texts in
// their own fonts as if typed by no one.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QLineEdit>

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

}  // namespace
}  // namespace korin
