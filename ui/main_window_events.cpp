// What the main window filters from its controls and the plot windows:
// files dragged onto a side's group or a window, the focus leaving the
// fields that react to it, clicks that choose an entry mode, and the mouse
// moving over controls with a hint for the status line.
#include <QDropEvent>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QRadioButton>

#include "plots/energy_transfer_plot.h"
#include "plots/input_spectrum_windows.h"
#include "ui/main_window.h"

namespace korin {

// Drops: a side's group and input window take files for that side, the
// energy-transfer plot for either.
bool MainWindow::FilterDrop(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::DragEnter && event->type() != QEvent::Drop) return false;
  std::optional<SpectrumSide> side;
  bool target = watched == plot_;
  if (watched == donor_group_ || watched == donor_window_) {
    side = SpectrumSide::kEmission;
    target = true;
  } else if (watched == acceptor_group_ || watched == acceptor_window_) {
    side = SpectrumSide::kAbsorption;
    target = true;
  }
  auto* drop = static_cast<QDropEvent*>(event);
  if (!target || !drop->mimeData()->hasUrls()) return false;
  drop->acceptProposedAction();
  if (event->type() == QEvent::Drop) {
    const QPoint at = static_cast<QWidget*>(watched)->mapToGlobal(drop->position().toPoint());
    OpenDropped(drop->mimeData()->urls(), side, at);
  }
  return true;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (FilterDrop(watched, event)) return true;
  switch (event->type()) {
    case QEvent::FocusOut: {
      // Focus leaving for another control; a menu or another window taking
      // it for a while is no leaving.
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) break;
      if (watched == orientation_field_) OnOrientationEdited();
      if (watched == quantum_yield_field_) OnQuantumYieldEdited();
      if (watched == refractive_index_field_) OnRefractiveIndexEdited();
      break;
    }
    case QEvent::MouseButtonPress:
      if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) break;
      if (watched == concentration_field_) SelectConcentrationEntry();
      if (watched == extinction_field_) SelectExtinctionEntry();
      if (watched == optical_path_label_) optical_path_label_pressed_ = true;
      break;
    case QEvent::MouseButtonRelease:
      // A click on the label: pressed and released there with the left button.
      if (watched == optical_path_label_ && optical_path_label_pressed_ &&
          static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
          optical_path_label_->rect().contains(
              static_cast<QMouseEvent*>(event)->position().toPoint())) {
        SelectConcentrationEntry();
      }
      optical_path_label_pressed_ = false;
      break;
    case QEvent::Enter:
      if (watched == orientation_label_) ShowOrientationHint();
      break;
    case QEvent::Leave:
      if (watched == orientation_label_) ClearHint();
      break;
    case QEvent::MouseMove: {
      if (watched == concentration_field_ || watched == extinction_field_ ||
          watched == concentration_entry_ || watched == extinction_entry_) {
        ShowEntryModeHint();
      } else if (watched == optical_path_label_) {
        ShowOpticalPathHint();
        return true;  // not the group box's background
      } else if (watched == panel_ || watched == acceptor_group_) {
        // A move that a child passed up is not over the background.
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        if (static_cast<QWidget*>(watched)->childAt(at) == nullptr) ClearHint();
      }
      break;
    }
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace korin
