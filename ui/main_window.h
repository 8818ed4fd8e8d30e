// The main window: the menu bar and the parameter panel. Its handlers read a
// field, call the calculation and the readers, and write fields and plots
// back, in the order each change requires.
#pragma once

#include <QMainWindow>
#include <QPrinter>
#include <functional>

#include "core/extinction.h"
#include "core/fret_session.h"
#include "import/file_error.h"
#include "ui/dialog_service.h"

class QAction;
class QButtonGroup;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace korin {

class TForm2;
class TForm3;
class TForm4;
class TForm5About;

class TForm1 final : public QMainWindow {
 public:
  // Builds the window and runs FormCreate. The other windows do not exist
  // yet; AttachWindows() hands them over once they do.
  TForm1(FretSession& session, DialogService& dialogs, QWidget* parent = nullptr);

  void AttachWindows(TForm2* form2, TForm3* form3, TForm4* form4, TForm5About* about);
  // What Exit does; by default it ends the event loop at once.
  void SetExitAction(std::function<void()> exit) { exit_ = std::move(exit); }

  // The parameter panel's controls, under the names the handlers use.
  QGroupBox* GroupBox1 = nullptr;
  QPushButton* ButtonEmission = nullptr;
  QLabel* Label6 = nullptr;
  QLineEdit* Edit4 = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* Edit2 = nullptr;
  QGroupBox* GroupBox3 = nullptr;
  QLabel* Label2 = nullptr;
  QComboBox* ComboBox1 = nullptr;
  QLabel* Label3 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  QPushButton* ButtonAbsorption = nullptr;
  QRadioButton* RadioButton1 = nullptr;
  QLineEdit* EditConc = nullptr;
  QLabel* Label4 = nullptr;
  QComboBox* ComboBox2 = nullptr;
  QRadioButton* RadioButton2 = nullptr;
  QLineEdit* EditExtinc = nullptr;
  QFrame* PanelResult = nullptr;
  QLabel* Label8 = nullptr;
  QLineEdit* EditJ = nullptr;
  QLabel* Label9 = nullptr;
  QLineEdit* EditR0 = nullptr;
  QPushButton* ButtonCalculate = nullptr;
  QLabel* Label10 = nullptr;

  // The menu items.
  QAction* DonorFluorescenceInputFile2 = nullptr;  // Open donor emission file...
  QAction* DonorFluorescenceInputFile3 = nullptr;  // Open acceptor absorption file...
  QAction* PrintSetup2 = nullptr;
  QAction* Print2 = nullptr;
  QAction* Exit1 = nullptr;
  QAction* DonorFluorescenceInputFile1 = nullptr;   // View: donor emission input file
  QAction* AcceptorAbsorptionInputFile1 = nullptr;  // View: acceptor absorption input file
  QAction* Energytranspherplot1 = nullptr;          // View: energy transfer plot
  QAction* N11 = nullptr;
  QAction* N41 = nullptr;
  QAction* N91 = nullptr;
  QAction* About1 = nullptr;

  // Handlers.
  void FormCreate();
  void EditConcExit();
  void Edit2Exit();
  void Edit4Exit();
  void Edit1Exit();
  void ComboBox1Change();
  void ComboBox2Change();
  void Recolor();
  void EditConcClick();
  void EditExtincClick();
  void Label4Click();
  void Label6MouseEnter();
  void Label6MouseLeave();
  void GroupBox2MouseMove();
  void RadioButton2MouseMove();
  void Label4MouseMove();
  void EditExtincChange();
  void ButtonCalculateClick();  // the calculation gate
  void ButtonAbsorptionClick();
  void ButtonEmissionClick();
  void DonorFluorescenceInputFile2Click();
  void DonorFluorescenceInputFile3Click();
  void PrintSetup2Click();
  void Print2Click();
  void Exit1Click();
  void DonorFluorescenceInputFile1Click();
  void AcceptorAbsorptionInputFile1Click();
  void Energytranspherplot1Click();
  void N11Click();
  void N41Click();
  void N91Click();
  void About1Click();

  // The calculation steps that write fields and plots.
  ConcentrationDerivation ExtinctionFromConcentration(int first, int last);
  void PlotEmission();
  void ComputeForsterDistance();
  void ShowResults();
  void HideResults();
  void ClearAbsorption();

  [[nodiscard]] QPrinter& Printer() { return printer_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenu();
  void BuildPanel();
  void ConnectHandlers();
  void SetMinorTickCount(int count, QAction* checked);
  void PlotExtinction();
  [[nodiscard]] MessageSink FileErrorSink();
  // Text written into a field from code, in the general format.
  static QString GeneralText(double value, int significant);
  // The decimal separator of the user's locale, for the result texts.
  static std::string LocaleDecimalSeparator();

  FretSession& session_;
  DialogService& dialogs_;
  TForm2* form2_ = nullptr;
  TForm3* form3_ = nullptr;
  TForm4* form4_ = nullptr;
  TForm5About* about_ = nullptr;
  QButtonGroup* entry_mode_ = nullptr;
  QWidget* panel_ = nullptr;  // the window's background, inside the border
  bool label4_pressed_ = false;
  OpenDialogState absorption_dialog_;
  OpenDialogState emission_dialog_;
  QPrinter printer_;
  std::function<void()> exit_;
};

}  // namespace korin
