// Controls of the main window's panel that look as the style sheets they
// replace made them look. A style sheet anywhere in the panel hands the
// widget and every control inside it to the style-sheet style, whose
// polishing and sizing took a noticeable share of the program's start.
#pragma once

#include <QColor>
#include <QComboBox>
#include <QGroupBox>
#include <QString>
#include <memory>

class QCommonStyle;
class QEvent;
class QPaintEvent;
class QWidget;

namespace korin {

// A group box whose caption alone takes a colour, the controls inside
// keeping the window's text colour: it looks exactly like a QGroupBox with
// the style sheet "QGroupBox::title { color: <colour>; }", drawn as the
// style-sheet style draws it: the style's frame with the caption kept off
// it, the caption centred in the style's label area widened to the common
// style's. The panel's boxes are never checkable.
class CaptionedGroupBox final : public QGroupBox {
 public:
  CaptionedGroupBox(const QString& caption, const QColor& colour, QWidget* parent = nullptr);
  ~CaptionedGroupBox() override;

  [[nodiscard]] QColor CaptionColour() const { return colour_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor colour_;
  std::unique_ptr<QCommonStyle> common_style_;  // made at the first paint
};

// A fixed list whose drop-down rows have the given pixel height. Its
// drop-down keeps the system colours whatever colours the closed list
// takes: the dark list of an entry mode not in use marks the list, not
// its choices.
class FixedList final : public QComboBox {
 public:
  FixedList(int item_height, QWidget* parent = nullptr);

 protected:
  void changeEvent(QEvent* event) override;
};

}  // namespace korin
