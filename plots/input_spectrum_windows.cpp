#include "plots/input_spectrum_windows.h"

namespace korin {

InputSpectrumWindow::InputSpectrumWindow(const Design& design)
    : FormWindow(design.caption, QSize(345, 217), 0, QPalette::Button),
      chart_(new chart::ChartWidget(&ClientArea())) {
  move(design.position);
  chart_->setObjectName(QStringLiteral("Chart1"));
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

TForm3::TForm3()
    : InputSpectrumWindow({.caption = QStringLiteral("Donor - Emission Input File"),
                           .position = QPoint(5, 340),
                           .colour = kRed}) {}

TForm4::TForm4()
    : InputSpectrumWindow({.caption = QStringLiteral("Acceptor - Absorption  Input File"),
                           .position = QPoint(360, 340),
                           .colour = kBlue}) {}

}  // namespace korin
