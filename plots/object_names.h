// The Qt object names of the program's windows and controls: the designer
// names where a window was designed, so that findChild finds a control by
// the name its window was drawn with. The windows set them and their tests
// look them up through these constants, so the two cannot drift apart.
#pragma once

namespace korin::names {

// The five windows, in the order they are created.
inline constexpr char kMainWindow[] = "Form1";
inline constexpr char kPlotWindow[] = "Form2";
inline constexpr char kDonorWindow[] = "Form3";
inline constexpr char kAcceptorWindow[] = "Form4";
inline constexpr char kAboutWindow[] = "Form5About";

// Inside every plot window: the client area that printing copies, the
// chart, and on the energy-transfer plot the two file labels.
inline constexpr char kClientArea[] = "ClientArea";
inline constexpr char kChart[] = "Chart1";
inline constexpr char kEmissionFileLabel[] = "Label1";
inline constexpr char kAbsorptionFileLabel[] = "Label2";

// The main window's menus and menu items.
inline constexpr char kMenuBar[] = "MainMenu1";
inline constexpr char kFileMenu[] = "gfgfg1";
inline constexpr char kViewMenu[] = "View1";
inline constexpr char kOptionsMenu[] = "o1";
inline constexpr char kOpenEmissionItem[] = "DonorFluorescenceInputFile2";
inline constexpr char kOpenAbsorptionItem[] = "DonorFluorescenceInputFile3";
inline constexpr char kFileSeparator1[] = "N3";
inline constexpr char kPrintSetupItem[] = "PrintSetup2";
inline constexpr char kPrintItem[] = "Print2";
inline constexpr char kFileSeparator2[] = "N4";
inline constexpr char kExitItem[] = "Exit1";
inline constexpr char kShowDonorWindowItem[] = "DonorFluorescenceInputFile1";
inline constexpr char kShowAcceptorWindowItem[] = "AcceptorAbsorptionInputFile1";
inline constexpr char kShowPlotItem[] = "Energytranspherplot1";
inline constexpr char kTicksMenu[] = "WavelengthsStep1";
inline constexpr char kTicks1Item[] = "N11";
inline constexpr char kTicks4Item[] = "N41";
inline constexpr char kTicks9Item[] = "N91";
inline constexpr char kAboutItem[] = "About1";
// Beyond the designed menus.
inline constexpr char kToolsMenu[] = "Tools";
inline constexpr char kImportColumnsItem[] = "ImportColumns";
inline constexpr char kAnalysisItem[] = "FretAnalysis";
inline constexpr char kExportPlotItem[] = "ExportPlot";
inline constexpr char kExportDataItem[] = "ExportData";
inline constexpr char kSaveReportItem[] = "SaveReport";
inline constexpr char kPairTableItem[] = "PairTable";
inline constexpr char kPlannerItem[] = "ExperimentPlanner";

// The main window's parameter panel.
inline constexpr char kDonorGroup[] = "GroupBox1";
inline constexpr char kAcceptorGroup[] = "GroupBox2";
inline constexpr char kSolventGroup[] = "GroupBox3";
inline constexpr char kOpenEmissionButton[] = "ButtonEmission";
inline constexpr char kOpenAbsorptionButton[] = "ButtonAbsorption";
inline constexpr char kQuantumYieldLabel[] = "Label6";
inline constexpr char kQuantumYieldField[] = "Edit4";
inline constexpr char kOrientationLabel[] = "Label1";
inline constexpr char kOrientationField[] = "Edit2";
inline constexpr char kSolventLabel[] = "Label2";
inline constexpr char kSolventList[] = "ComboBox1";
inline constexpr char kRefractiveIndexLabel[] = "Label3";
inline constexpr char kRefractiveIndexField[] = "Edit1";
inline constexpr char kConcentrationEntry[] = "RadioButton1";
inline constexpr char kConcentrationField[] = "EditConc";
inline constexpr char kOpticalPathLabel[] = "Label4";
inline constexpr char kOpticalPathList[] = "ComboBox2";
inline constexpr char kExtinctionEntry[] = "RadioButton2";
inline constexpr char kExtinctionField[] = "EditExtinc";
inline constexpr char kResultPanel[] = "PanelResult";
inline constexpr char kOverlapIntegralLabel[] = "Label8";
inline constexpr char kOverlapIntegralField[] = "EditJ";
inline constexpr char kForsterDistanceLabel[] = "Label9";
inline constexpr char kForsterDistanceField[] = "EditR0";
inline constexpr char kCalculateButton[] = "ButtonCalculate";
inline constexpr char kStatusLine[] = "Label10";

}  // namespace korin::names
