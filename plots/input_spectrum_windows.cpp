#include "plots/input_spectrum_windows.h"

#include "plots/object_names.h"

namespace korin {

InputSpectrumWindow::InputSpectrumWindow(const Design& design)
    : FormWindow(design.caption, QSize(345, 217), 0, QPalette::Button),
      chart_(new chart::ChartWidget(&ClientArea())) {
  move(design.position);
  setObjectName(design.object_name);
  chart_->setObjectName(names::kChart);
  chart_->setGeometry(0, 0, 345, 217);

  chart::Chart& chart = chart_->chart();
  const chart::ChartFont labels{.colour = Qt::black};
  chart.SetBackground(QPalette::Button);
  chart.SetBevel(chart::Bevel::Raised);
  chart.SetBackWall({.fill = std::nullopt, .frame = chart::Pen{}});
  chart.SetMargins({.left = 2, .top = 1, .right = 3, .bottom = 2});
  chart.SetTitleFont({.colour = design.colour});
  // One empty line until a file is loaded, so the plot does not jump then.
  chart.SetTitleText(QString());
  chart.BottomAxis().SetMinorTickCount(4);
  chart.BottomAxis().SetLabelsFont(labels);
  chart.LeftAxis().SetLabelsFont(labels);

  spectrum_series_ = &chart.AddLineSeries(chart::VerticalAxis::Left);
  spectrum_series_->SetColour(design.colour);
}

DonorInputWindow::DonorInputWindow()
    : InputSpectrumWindow({.object_name = names::kDonorWindow,
                           .caption = QStringLiteral("Donor - Emission Input File"),
                           .position = QPoint(5, 340),
                           .colour = kRed}) {}

AcceptorInputWindow::AcceptorInputWindow()
    : InputSpectrumWindow({.object_name = names::kAcceptorWindow,
                           .caption = QStringLiteral("Acceptor - Absorption  Input File"),
                           .position = QPoint(360, 340),
                           .colour = kBlue}) {}

}  // namespace korin
