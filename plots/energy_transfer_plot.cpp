#include "plots/energy_transfer_plot.h"

#include "plots/object_names.h"

namespace korin {
namespace {

using chart::AreaBrush;
using chart::ChartFont;
using chart::LineStyle;
using chart::Pen;

const ChartFont kBlackArial{.colour = Qt::black};
const ChartFont kRedArial{.colour = kRed};
const ChartFont kBlueArial{.colour = kBlue};

// A file label in red or blue. It reaches to the window's right edge
// rather than hugging its text, so that a long file name written later
// shows whole without the label being resized.
QLabel* FileLabel(QWidget& parent, const QString& name, const QString& text, QColor colour,
                  int top) {
  auto* label = new QLabel(text, &parent);
  label->setObjectName(name);
  label->setFont(SansFont8pt());
  SetTextColour(*label, colour);
  label->setGeometry(2, top, parent.width() - 2, TextSizeHint(*label).height());
  return label;
}

}  // namespace

EnergyTransferPlotWindow::EnergyTransferPlotWindow()
    : FormWindow(QStringLiteral("Valtrix Energy Transfer Plot"), QSize(418, 269), 5,
                 QPalette::Base),
      chart_(new chart::ChartWidget(&ClientArea())) {
  setObjectName(names::kPlotWindow);
  chart_->setObjectName(names::kChart);
  chart_->setGeometry(0, 0, 418, 231);

  chart::Chart& chart = chart_->chart();
  chart.SetBackground(QPalette::Base);
  chart.SetBevel(chart::Bevel::None);
  chart.SetBackWall({.fill = QPalette::Base, .frame = Pen{}});
  chart.SetMargins({.left = 1, .top = 2, .right = 1, .bottom = 2});
  chart.SetTitleVisible(false);

  chart.BottomAxis().SetTitle({QStringLiteral("Wavelength [nm]"), kBlackArial, 0});
  chart.BottomAxis().SetLabelsFont(kBlackArial);
  chart.BottomAxis().SetMinorTickCount(4);
  chart.LeftAxis().SetTitle({QStringLiteral("Donor  -  Normalized Emission"), kRedArial, 90});
  chart.LeftAxis().SetLabelsFont(kRedArial);
  chart.LeftAxis().SetGrid({.visible = false});
  // Turned to read upwards like the left title, not downwards.
  chart.RightAxis().SetTitle(
      {QStringLiteral("Acceptor  -  Extinction Coefficient "), kBlueArial, 90});
  chart.RightAxis().SetLabelsFont(kBlueArial);

  emission_series_ = &chart.AddAreaSeries(chart::VerticalAxis::Left);
  emission_series_->SetTitle(QStringLiteral("Normalized Emission"));
  emission_series_->SetColour(kLightRed);
  emission_series_->SetAreaBrush(AreaBrush::Solid);
  emission_series_->SetAreaLinesPen(
      {.colour = kLightRed, .style = LineStyle::Solid, .fine_dots = true});
  emission_series_->SetMarkerColour(kRed);

  extinction_series_ = &chart.AddAreaSeries(chart::VerticalAxis::Right);
  extinction_series_->SetTitle(QStringLiteral("Absorbance"));
  extinction_series_->SetColour(kBlue);
  extinction_series_->SetAreaBrush(AreaBrush::Clear);
  extinction_series_->SetAreaLinesPen(
      {.colour = kLightBlue, .style = LineStyle::Dot, .fine_dots = true});
  extinction_series_->SetMarkerColour(kBlue);

  emission_file_label_ = FileLabel(ClientArea(), names::kEmissionFileLabel,
                                   QStringLiteral("Emission File: "), kRed, 237);
  absorption_file_label_ = FileLabel(ClientArea(), names::kAbsorptionFileLabel,
                                     QStringLiteral("Absorption File:"), kBlue, 256);

  PlaceOnScreen();
  show();  // the layout marks this window visible from the start
}

void EnergyTransferPlotWindow::PlaceOnScreen() {
  move(450, 5);
}

}  // namespace korin
