// The dialog of Tools > "Import spectrum from columns...": the first lines of
// a delimited file as a table, the side the spectrum is for, the wavelength
// and value columns and the wavelength unit. The columns come pre-selected
// as the header names them; where the names leave the choice open, nothing
// is selected and OK waits for the user's choice.
#pragma once

#include <QDialog>
#include <QString>

#include "core/grid_spectrum.h"
#include "io/column_reader.h"
#include "io/column_table.h"

class QButtonGroup;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QTableWidget;

namespace korin {

// What the user chose.
struct ColumnImportChoice {
  SpectrumSide side = SpectrumSide::kEmission;
  ColumnPair pair;
};

class ColumnImportDialog final : public QDialog {
 public:
  // `table` is the file's scan (it must hold a table); `file` names the file
  // in the caption.
  ColumnImportDialog(const ColumnTable& table, const QString& file, SpectrumSide side,
                     QWidget* parent = nullptr);

  // The choice as it stands; meaningful once the dialog is accepted.
  [[nodiscard]] ColumnImportChoice Choice() const;

 private:
  [[nodiscard]] SpectrumSide Side() const;
  // The header's choice for the side selected.
  void PreselectForSide();
  void OnValueColumnChosen();
  void OnWavelengthColumnChosen();
  // The note under the lists, the columns' tint in the preview, and OK.
  void Refresh();

  const ColumnTable& table_;
  QButtonGroup* sides_ = nullptr;
  QComboBox* wavelength_list_ = nullptr;
  QComboBox* value_list_ = nullptr;
  QComboBox* unit_list_ = nullptr;
  QLabel* note_ = nullptr;
  QTableWidget* preview_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
  QString ambiguity_;  // the header's open choice for the side, until the user chooses
};

}  // namespace korin
