#include "ui/panel_widgets.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCommonStyle>
#include <QEvent>
#include <QPalette>
#include <QRegion>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace korin {
namespace {

class FixedRowHeight final : public QStyledItemDelegate {
 public:
  FixedRowHeight(int height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), height_};
  }

 private:
  int height_;
};

}  // namespace

CaptionedGroupBox::CaptionedGroupBox(const QString& caption, const QColor& colour, QWidget* parent)
    : QGroupBox(caption, parent), colour_(colour) {}

CaptionedGroupBox::~CaptionedGroupBox() = default;

void CaptionedGroupBox::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionGroupBox option;
  initStyleOption(&option);
  const QString caption = option.text;
  QRect label;
  if (!caption.isEmpty()) {
    if (!common_style_) common_style_ = std::make_unique<QCommonStyle>();
    label = style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, this);
    label.setSize(label.size().expandedTo(
        common_style_->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, this)
            .size()));
  }

  // The frame alone, kept off the caption where a style runs it through.
  painter.save();
  if (!caption.isEmpty()) painter.setClipRegion(QRegion(option.rect) - label);
  QStyleOptionFrame frame;
  frame.QStyleOption::operator=(option);
  frame.features = option.features;
  frame.lineWidth = option.lineWidth;
  frame.midLineWidth = option.midLineWidth;
  frame.rect =
      style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, this);
  style()->drawPrimitive(QStyle::PE_FrameGroupBox, &frame, &painter, this);
  painter.restore();
  if (caption.isEmpty()) return;

  int alignment = Qt::AlignCenter | Qt::TextShowMnemonic;
  if (!style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this)) {
    alignment |= Qt::TextHideMnemonic;
  }
  // In every state, enabled or not, as the style sheet's colour is.
  QPalette palette = option.palette;
  palette.setColor(QPalette::WindowText, colour_);
  style()->drawItemText(&painter, label, alignment, palette,
                        option.state.testFlag(QStyle::State_Enabled), caption,
                        QPalette::WindowText);
}

FixedList::FixedList(int item_height, QWidget* parent) : QComboBox(parent) {
  setItemDelegate(new FixedRowHeight(item_height, this));
}

void FixedList::changeEvent(QEvent* event) {
  // The list hands its colours to its drop-down as it takes them; the
  // drop-down takes the system's back, every role of them its own so that
  // none is inherited from the list.
  QComboBox::changeEvent(event);
  if (event->type() != QEvent::PaletteChange) return;
  QWidget* drop_down = view()->window();
  QPalette system = QApplication::palette(drop_down);
  system.setResolveMask(~QPalette::ResolveMask{0});
  drop_down->setPalette(system);
}

}  // namespace korin
