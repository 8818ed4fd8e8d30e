// Controls are named for tests:
//
//   object name         what it is
//   ColumnImportDialog  the dialog
//   ColumnPreview       the file's first lines, one cell per column
//   SideEmission        "Donor emission"
//   SideAbsorption      "Acceptor absorption"
//   WavelengthColumn    the wavelength column
//   ValueColumn         the value column
//   WavelengthUnit      nm, µm or cm⁻¹
//   ColumnNote          why nothing is chosen, or what the choice reads
#include "ui/column_import_dialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "io/column_choice.h"
#include "plots/qt_text.h"

namespace korin {
namespace {

// The units in WavelengthUnit's order.
constexpr WavelengthUnit kUnits[] = {WavelengthUnit::kNanometre, WavelengthUnit::kMicrometre,
                                     WavelengthUnit::kWavenumber};

int UnitIndex(WavelengthUnit unit) {
  return static_cast<int>(std::find(std::begin(kUnits), std::end(kUnits), unit) -
                          std::begin(kUnits));
}

}  // namespace

ColumnImportDialog::ColumnImportDialog(const ColumnTable& table, const QString& file,
                                       SpectrumSide side, QWidget* parent)
    : QDialog(parent), table_(table) {
  setObjectName(QStringLiteral("ColumnImportDialog"));
  setWindowTitle(QStringLiteral("Import spectrum from columns: ") + file);

  // The preview: the first lines as the delimiter cuts them.
  std::size_t width = 1;
  for (const auto& line : table.preview) width = std::max(width, line.size());
  preview_ =
      new QTableWidget(static_cast<int>(table.preview.size()), static_cast<int>(width), this);
  preview_->setObjectName(QStringLiteral("ColumnPreview"));
  preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  preview_->setSelectionMode(QAbstractItemView::NoSelection);
  preview_->verticalHeader()->setDefaultSectionSize(preview_->fontMetrics().height() + 4);
  QStringList numbers;
  for (std::size_t c = 0; c < width; ++c) numbers << QString::number(c + 1);
  preview_->setHorizontalHeaderLabels(numbers);
  for (std::size_t r = 0; r < table.preview.size(); ++r) {
    const auto& line = table.preview[r];
    for (std::size_t c = 0; c < line.size(); ++c) {
      preview_->setItem(static_cast<int>(r), static_cast<int>(c),
                        new QTableWidgetItem(FromUtf8(line[c])));
    }
  }
  preview_->resizeColumnsToContents();
  for (int c = 0; c < preview_->columnCount(); ++c) {
    preview_->setColumnWidth(c, std::min(preview_->columnWidth(c), 220));
  }

  auto* emission = new QRadioButton(QStringLiteral("Donor emission"), this);
  emission->setObjectName(QStringLiteral("SideEmission"));
  auto* absorption = new QRadioButton(QStringLiteral("Acceptor absorption"), this);
  absorption->setObjectName(QStringLiteral("SideAbsorption"));
  sides_ = new QButtonGroup(this);
  sides_->addButton(emission, static_cast<int>(SpectrumSide::kEmission));
  sides_->addButton(absorption, static_cast<int>(SpectrumSide::kAbsorption));
  (side == SpectrumSide::kEmission ? emission : absorption)->setChecked(true);
  auto* side_row = new QHBoxLayout;
  side_row->addWidget(emission);
  side_row->addWidget(absorption);
  side_row->addStretch(1);

  wavelength_list_ = new QComboBox(this);
  wavelength_list_->setObjectName(QStringLiteral("WavelengthColumn"));
  value_list_ = new QComboBox(this);
  value_list_->setObjectName(QStringLiteral("ValueColumn"));
  for (int c = 0; c < static_cast<int>(table.columns.size()); ++c) {
    const QString label = QStringLiteral("%1: %2").arg(c + 1).arg(FromUtf8(ColumnLabel(table, c)));
    wavelength_list_->addItem(label);
    value_list_->addItem(label);
  }
  unit_list_ = new QComboBox(this);
  unit_list_->setObjectName(QStringLiteral("WavelengthUnit"));
  unit_list_->addItems({QStringLiteral("nm"), QStringLiteral("µm"), QStringLiteral("cm⁻¹")});

  note_ = new QLabel(this);
  note_->setObjectName(QStringLiteral("ColumnNote"));
  note_->setWordWrap(true);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Spectrum:"), side_row);
  form->addRow(QStringLiteral("Wavelength column:"), wavelength_list_);
  form->addRow(QStringLiteral("Value column:"), value_list_);
  form->addRow(QStringLiteral("Wavelength unit:"), unit_list_);

  buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("The first lines of the file:"), this));
  layout->addWidget(preview_, 1);
  layout->addLayout(form);
  layout->addWidget(note_);
  layout->addWidget(buttons_);

  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(sides_, &QButtonGroup::idClicked, this, [this] { PreselectForSide(); });
  connect(value_list_, &QComboBox::activated, this, [this] { OnValueColumnChosen(); });
  connect(wavelength_list_, &QComboBox::activated, this, [this] { OnWavelengthColumnChosen(); });
  connect(unit_list_, &QComboBox::activated, this, [this] { Refresh(); });

  PreselectForSide();
  resize(640, 520);
}

SpectrumSide ColumnImportDialog::Side() const {
  return static_cast<SpectrumSide>(sides_->checkedId());
}

ColumnImportChoice ColumnImportDialog::Choice() const {
  ColumnImportChoice choice;
  choice.side = Side();
  choice.pair.wavelength_column = wavelength_list_->currentIndex();
  choice.pair.value_column = value_list_->currentIndex();
  choice.pair.unit = kUnits[std::max(0, unit_list_->currentIndex())];
  return choice;
}

void ColumnImportDialog::PreselectForSide() {
  const ColumnChoice choice = ChooseColumns(table_, Side());
  ambiguity_.clear();
  if (choice.status == ColumnChoice::Status::kChosen) {
    value_list_->setCurrentIndex(choice.value_column);
    OnValueColumnChosen();
    return;
  }
  // Never a guess: the user picks.
  ambiguity_ = FromUtf8(ColumnChoiceText(table_, choice, Side())) +
               QStringLiteral(". Choose the value column.");
  ambiguity_[0] = ambiguity_[0].toUpper();
  value_list_->setCurrentIndex(-1);
  wavelength_list_->setCurrentIndex(-1);
  Refresh();
}

void ColumnImportDialog::OnValueColumnChosen() {
  const int value = value_list_->currentIndex();
  if (value >= 0) {
    const int wavelength = table_.columns[static_cast<std::size_t>(value)].wavelength_column;
    wavelength_list_->setCurrentIndex(wavelength);
    OnWavelengthColumnChosen();
    ambiguity_.clear();
  }
  Refresh();
}

void ColumnImportDialog::OnWavelengthColumnChosen() {
  const int wavelength = wavelength_list_->currentIndex();
  if (wavelength >= 0) {
    unit_list_->setCurrentIndex(
        UnitIndex(table_.columns[static_cast<std::size_t>(wavelength)].unit));
  }
  Refresh();
}

void ColumnImportDialog::Refresh() {
  const int wavelength = wavelength_list_->currentIndex();
  const int value = value_list_->currentIndex();
  // Both from one block of rows: the reader refuses any other pair.
  const bool one_block = wavelength >= 0 && value >= 0 &&
                         table_.columns[static_cast<std::size_t>(wavelength)].block ==
                             table_.columns[static_cast<std::size_t>(value)].block;
  buttons_->button(QDialogButtonBox::Ok)->setEnabled(one_block && wavelength != value);

  if (!ambiguity_.isEmpty()) {
    note_->setText(ambiguity_);
  } else if (value >= 0 && value == wavelength) {
    note_->setText(QStringLiteral("The value column is the wavelength column."));
  } else if (value >= 0 && wavelength >= 0 && !one_block) {
    note_->setText(QStringLiteral("The two columns belong to different tables of the file."));
  } else if (value >= 0) {
    note_->setText(FromUtf8(ColumnKindWarning(table_, value, Side())));
  } else {
    note_->clear();
  }

  // The chosen columns tinted, where the preview's cells are the table's
  // columns (one block).
  if (table_.blocks.size() != 1) return;
  const QColor wavelength_tint(0xe8, 0xee, 0xf8);
  const QColor value_tint(0xfd, 0xf0, 0xd8);
  for (int r = 0; r < preview_->rowCount(); ++r) {
    for (int c = 0; c < preview_->columnCount(); ++c) {
      QTableWidgetItem* item = preview_->item(r, c);
      if (item == nullptr) continue;
      item->setBackground(c == value        ? QBrush(value_tint)
                          : c == wavelength ? QBrush(wavelength_tint)
                                            : QBrush());
    }
  }
}

}  // namespace korin
