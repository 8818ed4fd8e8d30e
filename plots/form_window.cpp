#include "plots/form_window.h"

#include <QMargins>
#include <QMovie>
#include <QPicture>
#include <QStyle>

#include "chart/chart_style.h"
#include "plots/object_names.h"

namespace korin {

QFont SansFont8pt() {
  return chart::PixelFont(QStringLiteral("MS Sans Serif"), kFont8pt);
}

void SetTextColour(QWidget& widget, QColor colour) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::All, QPalette::WindowText, colour);  // disabled included
  widget.setPalette(palette);
  widget.setForegroundRole(QPalette::WindowText);
}

QSize TextSizeHint(const QLabel& label) {
  label.ensurePolished();
  const QString text = label.text();
  const bool plain = label.textFormat() == Qt::PlainText ||
                     (label.textFormat() == Qt::AutoText && !Qt::mightBeRichText(text));
  const bool selectable =
      label.textInteractionFlags() &
      (Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard | Qt::TextEditable);
  if (text.isEmpty() || !plain || selectable || label.wordWrap() || label.margin() != 0 ||
      label.indent() >= 0 || label.frameWidth() != 0 || label.contentsMargins() != QMargins() ||
      label.minimumWidth() > 0 || label.buddy() != nullptr || !label.pixmap().isNull() ||
      label.movie() != nullptr || !label.picture().isNull()) {
    return label.sizeHint();
  }
  // As QLabel measures it: its alignment as laid out, less the centring,
  // tabs expanded, in a box far wider than any line.
  const Qt::LayoutDirection direction = text.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
  const int flags = static_cast<int>(QStyle::visualAlignment(direction, label.alignment()) &
                                     ~(Qt::AlignVCenter | Qt::AlignHCenter)) |
                    Qt::TextExpandTabs;
  return label.fontMetrics()
      .boundingRect(0, 0, 2000, 2000, flags, text)
      .size()
      .expandedTo(label.minimumSize());
}

void FitToText(QLabel& label) {
  label.resize(TextSizeHint(label));
}

FormWindow::FormWindow(const QString& caption, QSize client_size, int border,
                       QPalette::ColorRole background)
    : client_(new QWidget(this)) {
  setWindowTitle(caption);
  setFont(SansFont8pt());
  setBackgroundRole(background);
  setAutoFillBackground(true);
  // Only the main window ends the program; closing this one hides it and
  // its contents wait for the next show.
  setAttribute(Qt::WA_QuitOnClose, false);
  client_->setObjectName(names::kClientArea);
  // Painted on its own too, so the client area rendered alone (printing,
  // images) has the window's colour behind its controls.
  client_->setAutoFillBackground(true);
  client_->setGeometry(border, border, client_size.width(), client_size.height());
  // The window's size follows its contents.
  setFixedSize(client_size + QSize(2 * border, 2 * border));
}

}  // namespace korin
