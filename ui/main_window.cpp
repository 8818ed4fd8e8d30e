#include "ui/main_window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>

#include "core/calculation_gate.h"
#include "core/decimal_bound.h"
#include "core/emission.h"
#include "core/forster.h"
#include "core/number_text.h"
#include "core/parameter_tables.h"
#include "core/parse_real.h"
#include "import/reader_choice.h"
#include "import/spectrum_file.h"
#include "plots/about_window.h"
#include "plots/energy_transfer_plot.h"
#include "plots/form_window.h"
#include "plots/input_spectrum_windows.h"
#include "plots/print_form.h"

namespace korin {
namespace {

constexpr QSize kContentSize{425, 249};
constexpr int kBorder = 5;
// Qt has no role for the inactive caption gradient; this is its classic shade.
const QColor kGradientInactiveCaption{215, 228, 242};
const QColor kYellow{255, 255, 0};

QFont PanelFont(int pixels, bool bold = false) {
  QFont font = SansFont8pt();
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

template <typename Widget>
Widget* Place(Widget* widget, QRect geometry, int font_pixels = 11, bool bold = false) {
  widget->setGeometry(geometry);
  widget->setFont(PanelFont(font_pixels, bold));
  return widget;
}

QLabel* FittedLabel(const QString& text, QWidget* parent, QPoint at, bool bold = false) {
  auto* label = new QLabel(text, parent);
  label->setFont(PanelFont(11, bold));
  label->move(at);
  label->adjustSize();
  return label;
}

QGroupBox* GroupBox(const QString& caption, QWidget* parent, QRect geometry, const QColor& colour) {
  auto* box = new QGroupBox(caption, parent);
  box->setGeometry(geometry);
  box->setFont(PanelFont(11, true));
  // Only the caption takes the colour and the weight; the controls inside
  // set their own fonts.
  box->setStyleSheet(QStringLiteral("QGroupBox::title { color: %1; }").arg(colour.name()));
  return box;
}

void SetBackground(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Base, colour);
  palette.setColor(QPalette::Button, colour);
  widget->setPalette(palette);
}

// A fixed list whose drop-down rows have the given pixel height.
class FixedRowHeight final : public QStyledItemDelegate {
 public:
  FixedRowHeight(int height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), height_};
  }

 private:
  int height_;
};

QComboBox* FixedList(QWidget* parent, QRect geometry, int item_height) {
  auto* list = Place(new QComboBox(parent), geometry);
  list->setItemDelegate(new FixedRowHeight(item_height, list));
  return list;
}

// A text written into a field from code. Writing the text a field already
// holds is no change: it runs no handler, and it must not move the user's
// cursor or lose the undo history either, as QLineEdit::setText would.
void WriteText(QLineEdit* field, const QString& text) {
  if (field->text() != text) field->setText(text);
}

QString DialogTitle(SpectrumSide side) {
  const std::string_view title = OpenDialogTitle(side);
  return QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size()));
}

// The dialogs keep a view of their filter lists, so these live to the end.
std::string_view DialogFilter(SpectrumSide side) {
  static const std::string absorption = OpenDialogFilter(SpectrumSide::kAbsorption);
  static const std::string emission = OpenDialogFilter(SpectrumSide::kEmission);
  return side == SpectrumSide::kAbsorption ? absorption : emission;
}

bool IsWithinGrid(const FretSession& s, bool absorption) {
  const int first = absorption ? s.AbsorptionFirst : s.EmissionFirst;
  const int last = absorption ? s.AbsorptionLast : s.EmissionLast;
  return SpectrumGrid::Contains(first) && SpectrumGrid::Contains(last) && first <= last;
}

}  // namespace

TForm1::TForm1(FretSession& session, DialogService& dialogs, QWidget* parent)
    : QMainWindow(parent),
      session_(session),
      dialogs_(dialogs),
      absorption_dialog_{DialogTitle(SpectrumSide::kAbsorption),
                         DialogFilter(SpectrumSide::kAbsorption), 1, QString()},
      emission_dialog_{DialogTitle(SpectrumSide::kEmission), DialogFilter(SpectrumSide::kEmission),
                       1, QString()},
      exit_([] { QCoreApplication::exit(0); }) {
  setWindowTitle(QStringLiteral("Valtrix FRET Software"));
  setFont(PanelFont(10));
  BuildMenu();
  BuildPanel();
  ConnectHandlers();
  move(7, 5);
  FormCreate();
}

void TForm1::AttachWindows(TForm2* form2, TForm3* form3, TForm4* form4, TForm5About* about) {
  form2_ = form2;
  form3_ = form3;
  form4_ = form4;
  about_ = about;
}

void TForm1::BuildMenu() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  DonorFluorescenceInputFile2 = file->addAction(QStringLiteral("Open donor emission file..."));
  DonorFluorescenceInputFile3 = file->addAction(QStringLiteral("Open acceptor absorption file..."));
  file->addSeparator();
  PrintSetup2 = file->addAction(QStringLiteral("P&rint Setup..."));
  Print2 = file->addAction(QStringLiteral("&Print..."));
  file->addSeparator();
  Exit1 = file->addAction(QStringLiteral("Exit"));

  QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
  DonorFluorescenceInputFile1 = view->addAction(QStringLiteral("Donor emission input file"));
  AcceptorAbsorptionInputFile1 = view->addAction(QStringLiteral("Acceptor absorption input file"));
  Energytranspherplot1 = view->addAction(QStringLiteral("Energy transfer plot"));

  QMenu* options = menuBar()->addMenu(QStringLiteral("Options"));
  QMenu* ticks = options->addMenu(QStringLiteral("Wavelength Ticks Count"));
  N11 = ticks->addAction(QStringLiteral("1"));
  N41 = ticks->addAction(QStringLiteral("4"));
  N91 = ticks->addAction(QStringLiteral("9"));
  for (QAction* item : {N11, N41, N91}) item->setCheckable(true);
  N41->setChecked(true);

  // A top-level item that acts at once, without a drop-down.
  About1 = menuBar()->addAction(QStringLiteral("&About"));
}

void TForm1::BuildPanel() {
  auto* client = new QWidget(this);
  client->setFixedSize(kContentSize + QSize(2 * kBorder, 2 * kBorder));
  client->setAutoFillBackground(true);
  client->setBackgroundRole(QPalette::Button);
  auto* w = new QWidget(client);  // the panel inside the border
  w->setGeometry(QRect(QPoint(kBorder, kBorder), kContentSize));
  panel_ = w;
  setCentralWidget(client);

  GroupBox1 = GroupBox(QStringLiteral(" Donor "), w, {0, 0, 201, 102}, kRed);
  ButtonEmission = Place(new QPushButton(QStringLiteral("Emission spectrum"), GroupBox1),
                         {9, 18, 184, 21}, 11, true);
  Label6 = FittedLabel(QStringLiteral("Quantum Yield (0 ... 1)"), GroupBox1, {10, 61});
  Edit4 = Place(new QLineEdit(QStringLiteral("0.5"), GroupBox1), {126, 58, 65, 21});

  Label1 = new QLabel(QStringLiteral("Orientation Factor (0 ... 1)"), w);
  Label1->move(6, 111);
  Label1->adjustSize();
  Edit2 = Place(new QLineEdit(QStringLiteral("1"), w), {135, 108, 66, 21}, 10);

  GroupBox3 = GroupBox(QStringLiteral(" Solvent "), w, {0, 139, 201, 73},
                       palette().color(QPalette::WindowText));
  Label2 = FittedLabel(QStringLiteral("Solvent System"), GroupBox3, {15, 21});
  ComboBox1 = FixedList(GroupBox3, {96, 17, 97, 22}, 16);
  Label3 = FittedLabel(QStringLiteral("Refrective Index"), GroupBox3, {9, 47});
  Edit1 = Place(new QLineEdit(GroupBox3), {96, 44, 97, 21});
  Edit1->setEnabled(false);

  GroupBox2 = GroupBox(QStringLiteral(" Acceptor "), w, {208, 0, 217, 131}, kBlue);
  ButtonAbsorption = Place(new QPushButton(QStringLiteral("Absorption spectrum"), GroupBox2),
                           {25, 18, 184, 21}, 11, true);
  RadioButton1 =
      Place(new QRadioButton(QStringLiteral("Concentration [Mol/L]"), GroupBox2), {9, 45, 128, 25});
  EditConc = Place(new QLineEdit(QStringLiteral("1.00e-5"), GroupBox2), {141, 46, 68, 21});
  Label4 = FittedLabel(QStringLiteral("Optical Path [cm]"), GroupBox2, {50, 74});
  ComboBox2 = FixedList(GroupBox2, {141, 71, 68, 19}, 13);
  RadioButton2 = Place(new QRadioButton(QStringLiteral("Extinction Coefficient"), GroupBox2),
                       {9, 92, 128, 33});
  EditExtinc = Place(new QLineEdit(GroupBox2), {141, 98, 68, 21});
  EditExtinc->setReadOnly(true);
  SetBackground(EditExtinc, kGradientInactiveCaption);
  RadioButton1->setChecked(true);
  entry_mode_ = new QButtonGroup(this);
  entry_mode_->addButton(RadioButton1);
  entry_mode_->addButton(RadioButton2);

  PanelResult = new QFrame(w);
  PanelResult->setGeometry(208, 144, 216, 67);
  PanelResult->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Label8 = FittedLabel(QStringLiteral("Overlap Integral"), PanelResult, {9, 13}, true);
  EditJ = Place(new QLineEdit(PanelResult), {109, 9, 98, 21}, 10);
  Label9 = FittedLabel(QStringLiteral("Ro [Angstroms]"), PanelResult, {14, 41}, true);
  EditR0 = Place(new QLineEdit(PanelResult), {109, 37, 98, 21}, 10);
  for (QLineEdit* result : {EditJ, EditR0}) {
    result->setReadOnly(true);
    SetBackground(result, kYellow);
  }

  ButtonCalculate =
      Place(new QPushButton(QStringLiteral("Calculate"), w), {345, 219, 79, 30}, 11, true);
  QPalette black = ButtonCalculate->palette();
  black.setColor(QPalette::ButtonText, Qt::black);
  ButtonCalculate->setPalette(black);
  for (QPushButton* button : {ButtonEmission, ButtonAbsorption, ButtonCalculate}) {
    button->setCursor(Qt::PointingHandCursor);
  }

  Label10 = new QLabel(w);
  Label10->move(0, 228);

  // Keyboard order: the window's own controls, each group's in turn.
  QWidget* const order[] = {ButtonCalculate, EditJ,      EditR0,       ButtonAbsorption,
                            EditConc,        EditExtinc, RadioButton2, RadioButton1,
                            ComboBox2,       ComboBox1,  Edit1,        Edit2,
                            ButtonEmission,  Edit4};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
    QWidget::setTabOrder(order[i], order[i + 1]);
  }

  // The status line follows the mouse over these.
  for (QWidget* tracked :
       {static_cast<QWidget*>(w), static_cast<QWidget*>(GroupBox2), static_cast<QWidget*>(EditConc),
        static_cast<QWidget*>(EditExtinc), static_cast<QWidget*>(RadioButton1),
        static_cast<QWidget*>(RadioButton2), static_cast<QWidget*>(Label4)}) {
    tracked->setMouseTracking(true);
    tracked->installEventFilter(this);
  }
  for (QWidget* watched : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Edit1),
                           static_cast<QWidget*>(Edit2), static_cast<QWidget*>(Edit4)}) {
    watched->installEventFilter(this);
  }
}

void TForm1::ConnectHandlers() {
  connect(EditConc, &QLineEdit::textChanged, this, &TForm1::EditConcExit);
  connect(Edit2, &QLineEdit::textChanged, this, &TForm1::Edit2Exit);
  connect(Edit4, &QLineEdit::textChanged, this, &TForm1::Edit4Exit);
  connect(Edit1, &QLineEdit::textChanged, this, &TForm1::Edit1Exit);
  connect(EditExtinc, &QLineEdit::textChanged, this, &TForm1::EditExtincChange);
  // activated: the user's choice only, never a selection made from code.
  connect(ComboBox1, &QComboBox::activated, this, &TForm1::ComboBox1Change);
  connect(ComboBox2, &QComboBox::activated, this, &TForm1::ComboBox2Change);
  // The newly selected button reports last, after the other was deselected.
  for (QRadioButton* button : {RadioButton1, RadioButton2}) {
    connect(button, &QRadioButton::toggled, this, [this](bool checked) {
      if (checked) Recolor();
    });
  }
  connect(ButtonEmission, &QPushButton::clicked, this, &TForm1::ButtonEmissionClick);
  connect(ButtonAbsorption, &QPushButton::clicked, this, &TForm1::ButtonAbsorptionClick);
  connect(ButtonCalculate, &QPushButton::clicked, this, &TForm1::ButtonCalculateClick);

  connect(DonorFluorescenceInputFile2, &QAction::triggered, this,
          &TForm1::DonorFluorescenceInputFile2Click);
  connect(DonorFluorescenceInputFile3, &QAction::triggered, this,
          &TForm1::DonorFluorescenceInputFile3Click);
  connect(PrintSetup2, &QAction::triggered, this, &TForm1::PrintSetup2Click);
  connect(Print2, &QAction::triggered, this, &TForm1::Print2Click);
  connect(Exit1, &QAction::triggered, this, &TForm1::Exit1Click);
  connect(DonorFluorescenceInputFile1, &QAction::triggered, this,
          &TForm1::DonorFluorescenceInputFile1Click);
  connect(AcceptorAbsorptionInputFile1, &QAction::triggered, this,
          &TForm1::AcceptorAbsorptionInputFile1Click);
  connect(Energytranspherplot1, &QAction::triggered, this, &TForm1::Energytranspherplot1Click);
  connect(N11, &QAction::triggered, this, &TForm1::N11Click);
  connect(N41, &QAction::triggered, this, &TForm1::N41Click);
  connect(N91, &QAction::triggered, this, &TForm1::N91Click);
  connect(About1, &QAction::triggered, this, &TForm1::About1Click);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::FocusOut: {
      // Focus leaving for another control; a menu or another window taking
      // it for a while is no leaving.
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) break;
      if (watched == Edit2) Edit2Exit();
      if (watched == Edit4) Edit4Exit();
      if (watched == Edit1) Edit1Exit();
      break;
    }
    case QEvent::MouseButtonPress:
      if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) break;
      if (watched == EditConc) EditConcClick();
      if (watched == EditExtinc) EditExtincClick();
      if (watched == Label4) label4_pressed_ = true;
      break;
    case QEvent::MouseButtonRelease:
      // A click on the label: pressed and released there with the left button.
      if (watched == Label4 && label4_pressed_ &&
          static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
          Label4->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
        Label4Click();
      }
      label4_pressed_ = false;
      break;
    case QEvent::Enter:
      if (watched == Label1) Label6MouseEnter();
      break;
    case QEvent::Leave:
      if (watched == Label1) Label6MouseLeave();
      break;
    case QEvent::MouseMove: {
      if (watched == EditConc || watched == EditExtinc || watched == RadioButton1 ||
          watched == RadioButton2) {
        RadioButton2MouseMove();
      } else if (watched == Label4) {
        Label4MouseMove();
        return true;  // not the group box's background
      } else if (watched == panel_ || watched == GroupBox2) {
        // A move that a child passed up is not over the background.
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        if (static_cast<QWidget*>(watched)->childAt(at) == nullptr) GroupBox2MouseMove();
      }
      break;
    }
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, event);
}

// --- Texts ---------------------------------------------------------------

QString TForm1::GeneralText(double value, int significant) {
  return QString::fromStdString(FormatGeneral(value, significant));
}

std::string TForm1::LocaleDecimalSeparator() {
  return QLocale().decimalPoint().toStdString();
}

MessageSink TForm1::FileErrorSink() {
  return [this](std::string_view message) {
    dialogs_.ShowMessage(
        this, QCoreApplication::applicationName(),
        QString::fromLocal8Bit(message.data(), static_cast<qsizetype>(message.size())));
  };
}

// --- Start-up ------------------------------------------------------------

void TForm1::FormCreate() {
  for (const auto& solvent : kSolventTable) {
    ComboBox1->addItem(
        QString::fromUtf8(solvent.name.data(), static_cast<qsizetype>(solvent.name.size())));
  }
  ComboBox1->setCurrentIndex(kStartSolvent);
  for (const auto& path : kOpticalPathTable) {
    ComboBox2->addItem(
        QString::fromUtf8(path.label.data(), static_cast<qsizetype>(path.label.size())));
  }
  ComboBox2->setCurrentIndex(kStartOpticalPath);
  ComboBox2Change();
  WriteText(Edit2, GeneralText(2.0 / 3.0, 5));
  ComboBox1Change();
  WriteText(EditConc, GeneralText(1e-5, 15));
}

// --- Parameter fields ----------------------------------------------------

void TForm1::EditConcExit() {
  FretSession& s = session_;
  s.ExtinctionMode = false;
  s.ConcentrationValid = ParseRealInRange(EditConc->text().toStdString(), s.Concentration,
                                          bounds::kMinConcentration, bounds::kMaxConcentration);
  if (!s.ConcentrationValid && form2_ != nullptr) form2_->Series2().ClearSeries();
  if (s.AbsorptionValid) ExtinctionFromConcentration(s.AbsorptionFirst, s.AbsorptionLast);
  ButtonCalculateClick();
}

void TForm1::Edit2Exit() {
  FretSession& s = session_;
  s.OrientationValid =
      ParseRealInRange(Edit2->text().toStdString(), s.OrientationFactor,
                       bounds::kMinOrientationFactor, bounds::kMaxOrientationFactor);
  ButtonCalculateClick();
}

void TForm1::Edit4Exit() {
  FretSession& s = session_;
  s.QuantumYieldValid = ParseRealInRange(Edit4->text().toStdString(), s.QuantumYield,
                                         bounds::kMinQuantumYield, bounds::kMaxQuantumYield);
  PlotEmission();
  ButtonCalculateClick();
}

void TForm1::Edit1Exit() {
  FretSession& s = session_;
  s.RefractiveIndexValid =
      ParseRealInRange(Edit1->text().toStdString(), s.RefractiveIndex, bounds::kMinRefractiveIndex,
                       bounds::kMaxRefractiveIndex);
  ButtonCalculateClick();
}

void TForm1::ComboBox1Change() {
  const int i = ComboBox1->currentIndex();
  if (i < 0) return;
  const double index = kSolventTable[static_cast<std::size_t>(i)].refractive_index;
  Edit1->setEnabled(i == 0);
  WriteText(Edit1, GeneralText(index, 15));
  session_.RefractiveIndex = index;
  ButtonCalculateClick();
}

void TForm1::ComboBox2Change() {
  const int i = ComboBox2->currentIndex();
  if (i < 0) return;
  FretSession& s = session_;
  s.OpticalPath = kOpticalPathTable[static_cast<std::size_t>(i)].centimetres;
  if (s.AbsorptionValid) ExtinctionFromConcentration(s.AbsorptionFirst, s.AbsorptionLast);
  ButtonCalculateClick();
}

// --- Entry mode and status line ------------------------------------------

void TForm1::Recolor() {
  const bool extinction = RadioButton2->isChecked();
  const QColor window = QApplication::palette().color(QPalette::Base);
  const QColor window_text = QApplication::palette().color(QPalette::WindowText);
  session_.ExtinctionMode = extinction;
  SetBackground(EditExtinc, extinction ? window : kGradientInactiveCaption);
  SetBackground(EditConc, extinction ? window_text : window);
  SetBackground(ComboBox2, extinction ? window_text : window);
  EditExtinc->setReadOnly(!extinction);
  (extinction ? EditExtinc : EditConc)->setFocus();
}

void TForm1::EditConcClick() {
  RadioButton1->setChecked(true);
}
void TForm1::EditExtincClick() {
  RadioButton2->setChecked(true);
}
void TForm1::Label4Click() {
  RadioButton1->setChecked(true);
}

void TForm1::Label6MouseEnter() {
  Label10->setText(
      QStringLiteral("Orientation factor between D and A molecules (in general, 2/3)"));
  Label10->adjustSize();
}

void TForm1::Label6MouseLeave() {
  Label10->clear();
}
void TForm1::GroupBox2MouseMove() {
  Label10->clear();
}

void TForm1::RadioButton2MouseMove() {
  Label10->setText(
      session_.ExtinctionMode
          ? QStringLiteral("Click 'Concentration' window to entry the concentration")
          : QStringLiteral(
                "Click 'Extinction Coefficient' window to entry the extinction coefficient"));
  Label10->adjustSize();
}

void TForm1::Label4MouseMove() {
  Label10->setText(
      QStringLiteral("Optical Path can be used to calculate the extinction coefficient"));
  Label10->adjustSize();
}

// --- The calculation -----------------------------------------------------

ConcentrationDerivation TForm1::ExtinctionFromConcentration(int first, int last) {
  FretSession& s = session_;
  if (s.ExtinctionMode) return ConcentrationDerivation::kExtinctionMode;
  s.ExtinctionValid = true;
  if (form2_ != nullptr) form2_->Series2().ClearSeries();
  WriteText(EditExtinc, QString());
  const ConcentrationDerivation result = korin::ExtinctionFromConcentration(s, first, last);
  if (result != ConcentrationDerivation::kDerived) return result;
  WriteText(EditExtinc, GeneralText(s.ExtinctionMax, 15));
  PlotExtinction();
  return result;
}

void TForm1::PlotExtinction() {
  const FretSession& s = session_;
  if (form2_ == nullptr || !IsWithinGrid(s, true)) return;
  for (int w = s.AbsorptionFirst; w <= s.AbsorptionLast; ++w) {
    form2_->Series2().AddPoint(w, s.AcceptorExtinction[w]);
  }
}

void TForm1::EditExtincChange() {
  FretSession& s = session_;
  if (!s.ExtinctionMode) return;
  s.ExtinctionValid = false;
  if (form2_ != nullptr) form2_->Series2().ClearSeries();
  const bool parsed = ParseReal(EditExtinc->text().toStdString(), s.ExtinctionMax);
  if (!parsed || !InOpenRange(s.ExtinctionMax, bounds::kMinExtinction, bounds::kMaxExtinction)) {
    HideResults();
    return;
  }
  if (!s.AbsorptionValid) return;
  // Nothing to scale to (no positive absorbance): derive nothing, show nothing.
  if (!RescaleExtinction(s)) {
    HideResults();
    return;
  }
  ButtonCalculateClick();
  PlotExtinction();
}

void TForm1::PlotEmission() {
  const FretSession& s = session_;
  if (form2_ == nullptr) return;
  form2_->Series1().ClearSeries();
  if (!s.QuantumYieldValid || !s.EmissionValid || !IsWithinGrid(s, false)) return;
  for (int w = s.EmissionFirst; w <= s.EmissionLast; ++w) {
    form2_->Series1().AddPoint(w, s.DonorEmission[w] * s.QuantumYield * 1000);
  }
}

void TForm1::ButtonCalculateClick() {
  FretSession& s = session_;
  if (!GateConditionsHold(s)) {
    HideResults();
    return;
  }
  if (ExtinctionFromConcentration(s.AbsorptionFirst, s.AbsorptionLast) ==
          ConcentrationDerivation::kNotFinite ||
      !ComputeOverlapIntegral(s)) {
    HideResults();
    return;
  }
  ComputeForsterDistance();
  // A nested run may have refused the rewritten coefficient meanwhile.
  if (GateConditionsHold(s)) {
    ShowResults();
  } else {
    HideResults();
  }
}

void TForm1::ComputeForsterDistance() {
  FretSession& s = session_;
  // In extinction mode this rewrite may differ from what was typed and then
  // reruns the whole calculation on the written value, nested.
  WriteText(EditExtinc, GeneralText(s.ExtinctionMax, 15));
  // So R0 is taken from the J that now stands, and the two texts agree.
  const double r0 = ForsterDistance(s);
  const std::string separator = LocaleDecimalSeparator();
  WriteText(EditJ, QString::fromStdString(FormatExponent(s.OverlapIntegral, separator)));
  WriteText(EditR0, QString::fromStdString(FormatFixed(r0, separator)));
}

void TForm1::ShowResults() {
  PanelResult->setVisible(true);
}
void TForm1::HideResults() {
  PanelResult->setVisible(false);
}

void TForm1::ClearAbsorption() {
  korin::ClearAbsorption(session_);
  WriteText(EditExtinc, QString());
}

// --- Open commands ---------------------------------------------------------

void TForm1::ButtonAbsorptionClick() {
  const std::optional<QString> chosen = dialogs_.OpenFile(this, absorption_dialog_);
  if (!chosen) return;
  FretSession& s = session_;
  s.AbsorptionValid = false;
  s.ExtinctionValid = false;
  ClearAbsorption();
  HideResults();
  const std::string path = QFile::encodeName(*chosen).toStdString();
  if (const SpectrumReader reader =
          ChooseReader(SpectrumSide::kAbsorption, absorption_dialog_.filter_entry, path)) {
    const SpectrumRead read = reader(ReadSpectrumFile(path).Source(), FileErrorSink());
    s.AcceptorAbsorbance = read.spectrum.values;
    s.AbsorptionFirst = read.spectrum.first;
    s.AbsorptionLast = read.spectrum.last;
    s.AbsorptionValid = read.accepted;
  }
  if (!s.AbsorptionValid) {
    if (form2_ != nullptr) {
      form2_->Series2().ClearSeries();
      form2_->Label2().setText(QStringLiteral("Absorption File: "));
    }
    if (form4_ != nullptr) {
      form4_->hide();
      form4_->Series1().ClearSeries();
    }
    HideResults();
    return;
  }
  const QString name = QFile::decodeName(QByteArray::fromStdString(ShortenFileName(path)));
  if (form4_ != nullptr) {
    form4_->Chart1().SetTitleText(name);
    form4_->show();
    form4_->raise();
  }
  if (form2_ != nullptr) form2_->Label2().setText(QStringLiteral("Absorption File: ") + name);
  if (form4_ != nullptr) {
    form4_->Series1().ClearSeries();
    for (int w = s.AbsorptionFirst; w <= s.AbsorptionLast; ++w) {
      form4_->Series1().AddPoint(w, s.AcceptorAbsorbance[w]);
    }
  }
  s.ExtinctionMode = false;
  ExtinctionFromConcentration(s.AbsorptionFirst, s.AbsorptionLast);
  ButtonCalculateClick();
}

void TForm1::ButtonEmissionClick() {
  const std::optional<QString> chosen = dialogs_.OpenFile(this, emission_dialog_);
  if (!chosen) return;
  FretSession& s = session_;
  korin::ClearEmission(s);
  s.EmissionValid = false;
  HideResults();
  const std::string path = QFile::encodeName(*chosen).toStdString();
  if (const SpectrumReader reader =
          ChooseReader(SpectrumSide::kEmission, emission_dialog_.filter_entry, path)) {
    const SpectrumRead read = reader(ReadSpectrumFile(path).Source(), FileErrorSink());
    s.DonorEmission = read.spectrum.values;
    s.EmissionFirst = read.spectrum.first;
    s.EmissionLast = read.spectrum.last;
    s.EmissionValid = read.accepted;
  }
  if (!s.EmissionValid) {
    if (form2_ != nullptr) {
      form2_->Label1().setText(QStringLiteral("Emission File: "));
      form2_->Series1().ClearSeries();
    }
    if (form3_ != nullptr) {
      form3_->Series1().ClearSeries();
      form3_->hide();
    }
    HideResults();
    return;
  }
  const QString name = QFile::decodeName(QByteArray::fromStdString(ShortenFileName(path)));
  if (form3_ != nullptr) form3_->Chart1().SetTitleText(name);
  if (form2_ != nullptr) form2_->Label1().setText(QStringLiteral("Emission File: ") + name);
  if (form3_ != nullptr) {
    form3_->show();
    form3_->raise();
    // The raw intensities as read, before normalisation.
    form3_->Series1().ClearSeries();
    for (int w = s.EmissionFirst; w <= s.EmissionLast; ++w) {
      form3_->Series1().AddPoint(w, s.DonorEmission[w]);
    }
  }
  (void)NormalizeEmission(s);  // an area it cannot use leaves the emission not loaded
  PlotEmission();
  ButtonCalculateClick();
}

// --- Menu ----------------------------------------------------------------

void TForm1::DonorFluorescenceInputFile2Click() {
  ButtonEmissionClick();
}
void TForm1::DonorFluorescenceInputFile3Click() {
  ButtonAbsorptionClick();
}
void TForm1::PrintSetup2Click() {
  dialogs_.PrinterSetup(this, printer_);
}

void TForm1::Print2Click() {
  if (form2_ != nullptr && dialogs_.Print(this, printer_)) PrintForm(*form2_, printer_);
}

void TForm1::Exit1Click() {
  exit_();
}

namespace {
void ShowWindow(QWidget* window) {
  if (window == nullptr) return;
  window->show();
  window->raise();
  window->activateWindow();
}
}  // namespace

void TForm1::DonorFluorescenceInputFile1Click() {
  ShowWindow(form3_);
}
void TForm1::AcceptorAbsorptionInputFile1Click() {
  ShowWindow(form4_);
}
void TForm1::Energytranspherplot1Click() {
  ShowWindow(form2_);
}
void TForm1::About1Click() {
  ShowWindow(about_);
}

void TForm1::SetMinorTickCount(int count, QAction* checked) {
  if (form2_ != nullptr) form2_->Chart1().BottomAxis().SetMinorTickCount(count);
  for (QAction* item : {N11, N41, N91}) item->setChecked(item == checked);
}

void TForm1::N11Click() {
  SetMinorTickCount(1, N11);
}
void TForm1::N41Click() {
  SetMinorTickCount(4, N41);
}
void TForm1::N91Click() {
  SetMinorTickCount(9, N91);
}

}  // namespace korin
