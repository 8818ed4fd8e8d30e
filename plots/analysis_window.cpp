#include "plots/analysis_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "chart/chart.h"
#include "chart/chart_widget.h"
#include "numeric/parse_real.h"
#include "plots/form_window.h"
#include "plots/qt_text.h"

namespace korin {
namespace {

const QColor kUsableRange{214, 236, 214};
const QColor kBarColour{70, 110, 190};

QLabel* Figure(const QString& name) {
  auto* label = new QLabel(kNoFigure);
  label->setObjectName(name);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  // Room for the widest figure, right-aligned against its unit, so that
  // nothing moves as figures come and go.
  label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("-8.8888E-888")));
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return label;
}

QLabel* Caption(const QString& text) {
  auto* label = new QLabel(text);
  label->setTextFormat(Qt::RichText);
  return label;
}

QGroupBox* Group(const QString& title, const QString& name) {
  auto* group = new QGroupBox(title);
  group->setObjectName(name);
  return group;
}

}  // namespace

chart::ChartWidget* MakeFigureChart(const QString& name, const QString& bottom_title,
                                    const QString& left_title, QColor left_colour) {
  auto* widget = new chart::ChartWidget;
  widget->setObjectName(name);
  widget->setMinimumSize(430, 230);
  chart::Chart& chart = widget->chart();
  chart.SetBackground(QPalette::Window);
  chart.SetBackWall({.fill = QPalette::Base, .frame = chart::Pen{}});
  chart.SetMargins({.left = 1, .top = 3, .right = 2, .bottom = 2});
  chart.SetTitleVisible(false);
  const chart::ChartFont black{.colour = Qt::black};
  const chart::ChartFont left{.colour = left_colour};
  chart.BottomAxis().SetTitle({bottom_title, black, 0});
  chart.BottomAxis().SetLabelsFont(black);
  chart.LeftAxis().SetTitle({left_title, left, 90});
  chart.LeftAxis().SetLabelsFont(left);
  return widget;
}

// --- ShareBar ------------------------------------------------------------------

ShareBar::ShareBar(QColor colour, QWidget* parent) : QWidget(parent), colour_(colour) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void ShareBar::SetShare(std::optional<double> share) {
  if (share == share_) return;
  share_ = share;
  update();
}

QSize ShareBar::sizeHint() const {
  return {120, fontMetrics().height()};
}

void ShareBar::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QRect track = rect().adjusted(0, 2, -1, -2);
  painter.setPen(palette().color(QPalette::Mid));
  painter.setBrush(palette().color(QPalette::Base));
  painter.drawRect(track);
  if (!share_ || *share_ <= 0.0) return;
  const double clamped = std::min(*share_, 1.0);
  const int length = static_cast<int>(std::lround(clamped * (track.width() - 1)));
  painter.fillRect(QRect(track.left() + 1, track.top() + 1, length, track.height() - 1), colour_);
}

// --- AnalysisWindow ----------------------------------------------------------

AnalysisWindow::AnalysisWindow(FretEngine& engine, QWidget* parent)
    : QWidget(parent, Qt::Window), engine_(engine) {
  setWindowTitle(QStringLiteral("FRET Analysis"));
  setObjectName(QStringLiteral("AnalysisWindow"));
  setFont(SansFont8pt());
  // Only the main window ends the program; closing this one hides it.
  setAttribute(Qt::WA_QuitOnClose, false);

  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->setSpacing(8);
  layout->addWidget(BuildResults(), 0, 0, 1, 2);
  layout->addWidget(BuildDistance(), 1, 0);
  layout->addWidget(BuildUncertainty(), 1, 1);
  layout->addWidget(BuildOverlap(), 2, 0, 1, 2);
  layout->setColumnStretch(0, 1);
  layout->setColumnStretch(1, 1);
  layout->setRowStretch(1, 1);
  layout->setRowStretch(2, 1);
  resize(layout->sizeHint());
  move(60, 40);
  engine_.AddView(this);
}

AnalysisWindow::~AnalysisWindow() {
  engine_.RemoveView(this);
}

AnalysisWindow::Field AnalysisWindow::AddField(QGridLayout& grid, int row, const QString& label,
                                               const QString& name, const QString& text,
                                               const QString& unit) {
  Field field;
  field.edit = new QLineEdit(text);
  field.edit->setObjectName(name + QStringLiteral("Input"));
  field.edit->setFixedWidth(field.edit->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 11);
  field.message = new QLabel;
  field.message->setObjectName(name + QStringLiteral("Message"));
  field.message->setWordWrap(true);
  // Two lines kept free: a message that comes later wraps into them rather
  // than under the next row.
  field.message->setMinimumHeight(2 * field.message->fontMetrics().lineSpacing());
  SetTextColour(*field.message, kRed);
  grid.addWidget(Caption(label), row, 0);
  grid.addWidget(field.edit, row, 1);
  grid.addWidget(new QLabel(unit), row, 2);
  grid.addWidget(field.message, row, 3);
  return field;
}

QWidget* AnalysisWindow::BuildResults() {
  QGroupBox* group = Group(QStringLiteral("Results in both units"), QStringLiteral("ResultsGroup"));
  auto* grid = new QGridLayout(group);
  j_cm3_ = Figure(QStringLiteral("OverlapIntegralCm3"));
  j_nm4_ = Figure(QStringLiteral("OverlapIntegralNm4"));
  r0_angstrom_ = Figure(QStringLiteral("ForsterDistanceAngstrom"));
  r0_nm_ = Figure(QStringLiteral("ForsterDistanceNm"));
  grid->addWidget(Caption(QStringLiteral("Overlap integral J")), 0, 0);
  grid->addWidget(j_cm3_, 0, 1, Qt::AlignRight);
  grid->addWidget(new QLabel(QStringLiteral("M\u207B\u00B9\u00B7cm\u00B3")), 0, 2);
  grid->addWidget(j_nm4_, 0, 3, Qt::AlignRight);
  grid->addWidget(new QLabel(QStringLiteral("M\u207B\u00B9\u00B7cm\u207B\u00B9\u00B7nm\u2074")), 0,
                  4);
  grid->addWidget(Caption(QStringLiteral("F\u00F6rster distance R<sub>0</sub>")), 0, 6);
  grid->addWidget(r0_angstrom_, 0, 7, Qt::AlignRight);
  grid->addWidget(new QLabel(QStringLiteral("\u00C5")), 0, 8);
  grid->addWidget(r0_nm_, 0, 9, Qt::AlignRight);
  grid->addWidget(new QLabel(QStringLiteral("nm")), 0, 10);
  grid->setColumnMinimumWidth(5, 24);
  grid->setColumnStretch(11, 1);
  return group;
}

QWidget* AnalysisWindow::BuildDistance() {
  QGroupBox* group =
      Group(QStringLiteral("Distance \u2194 efficiency"), QStringLiteral("DistanceGroup"));
  auto* column = new QVBoxLayout(group);

  auto* choice = new QHBoxLayout;
  choice->addWidget(new QLabel(QStringLiteral("Known:")));
  input_kind_ = new QComboBox;
  input_kind_->setObjectName(QStringLiteral("InputKind"));
  input_kind_->addItems({QStringLiteral("Transfer efficiency E"),
                         QStringLiteral("Donor lifetimes with and without acceptor"),
                         QStringLiteral("Donor intensities with and without acceptor"),
                         QStringLiteral("Donor-acceptor distance r")});
  choice->addWidget(input_kind_);
  choice->addStretch(1);
  column->addLayout(choice);

  // One page of fields per input; the stack keeps the tallest page's height
  // so the results below do not move when the input changes.
  input_pages_ = new QStackedWidget;
  input_pages_->setObjectName(QStringLiteral("InputPages"));
  const auto page = [this]() {
    auto* widget = new QWidget;
    auto* grid = new QGridLayout(widget);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setColumnStretch(3, 1);
    input_pages_->addWidget(widget);
    return grid;
  };
  QGridLayout* grid = page();
  efficiency_ =
      AddField(*grid, 0, QStringLiteral("E"), QStringLiteral("Efficiency"), QStringLiteral("0.5"));
  grid->setRowStretch(1, 1);
  grid = page();
  lifetime_with_acceptor_ =
      AddField(*grid, 0, QStringLiteral("\u03C4<sub>DA</sub>"),
               QStringLiteral("LifetimeWithAcceptor"), QStringLiteral("2"), QStringLiteral("ns"));
  lifetime_donor_ =
      AddField(*grid, 1, QStringLiteral("\u03C4<sub>D</sub>"), QStringLiteral("LifetimeDonor"),
               QStringLiteral("4"), QStringLiteral("ns"));
  grid = page();
  intensity_with_acceptor_ =
      AddField(*grid, 0, QStringLiteral("F<sub>DA</sub>"), QStringLiteral("IntensityWithAcceptor"),
               QStringLiteral("50"));
  intensity_donor_ = AddField(*grid, 1, QStringLiteral("F<sub>D</sub>"),
                              QStringLiteral("IntensityDonor"), QStringLiteral("100"));
  grid = page();
  distance_ = AddField(*grid, 0, QStringLiteral("r"), QStringLiteral("Distance"),
                       QStringLiteral("50"), QStringLiteral("\u00C5"));
  grid->setRowStretch(1, 1);
  column->addWidget(input_pages_);

  auto* answer = new QGridLayout;
  efficiency_result_ = Figure(QStringLiteral("EfficiencyResult"));
  distance_result_ = Figure(QStringLiteral("DistanceResult"));
  distance_result_nm_ = Figure(QStringLiteral("DistanceResultNm"));
  answer->addWidget(Caption(QStringLiteral("Transfer efficiency E")), 0, 0);
  answer->addWidget(efficiency_result_, 0, 1, Qt::AlignRight);
  answer->addWidget(Caption(QStringLiteral("Distance r")), 1, 0);
  answer->addWidget(distance_result_, 1, 1, Qt::AlignRight);
  answer->addWidget(new QLabel(QStringLiteral("\u00C5")), 1, 2);
  answer->addWidget(distance_result_nm_, 1, 3, Qt::AlignRight);
  answer->addWidget(new QLabel(QStringLiteral("nm")), 1, 4);
  answer->setColumnStretch(5, 1);
  column->addLayout(answer);

  efficiency_chart_ =
      MakeFigureChart(QStringLiteral("EfficiencyChart"), QStringLiteral("Distance r [\u00C5]"),
                      QStringLiteral("Efficiency E"), kBlue);
  chart::Chart& chart = efficiency_chart_->chart();
  usable_range_series_ = &chart.AddAreaSeries(chart::VerticalAxis::Left);
  usable_range_series_->SetTitle(QStringLiteral("0.5 R0 to 1.5 R0"));
  usable_range_series_->SetColour(kUsableRange);
  usable_range_series_->SetAreaLinesPen({.colour = kUsableRange});
  usable_range_series_->SetMarkersVisible(false);
  efficiency_series_ = &chart.AddLineSeries(chart::VerticalAxis::Left);
  efficiency_series_->SetTitle(QStringLiteral("E(r)"));
  efficiency_series_->SetColour(kBlue);
  current_point_series_ = &chart.AddLineSeries(chart::VerticalAxis::Left);
  current_point_series_->SetTitle(QStringLiteral("Current point"));
  current_point_series_->SetColour(kRed);
  column->addWidget(efficiency_chart_, 1);

  connect(input_kind_, &QComboBox::currentIndexChanged, this, [this](int index) {
    input_pages_->setCurrentIndex(index);
    Refresh();
  });
  for (const Field* field : {&efficiency_, &lifetime_with_acceptor_, &lifetime_donor_,
                             &intensity_with_acceptor_, &intensity_donor_, &distance_}) {
    connect(field->edit, &QLineEdit::textChanged, this, [this] { Refresh(); });
  }
  return group;
}

QWidget* AnalysisWindow::BuildUncertainty() {
  QGroupBox* group =
      Group(QStringLiteral("R\u2080 uncertainty"), QStringLiteral("UncertaintyGroup"));
  auto* column = new QVBoxLayout(group);

  auto* grid = new QGridLayout;
  grid->setColumnStretch(3, 1);
  // The panel writes the single value 2/3 so.
  const QString two_thirds = QStringLiteral("0.66667");
  kappa2_min_ = AddField(*grid, 0, QStringLiteral("\u03BA\u00B2 min"), QStringLiteral("Kappa2Min"),
                         two_thirds);
  kappa2_max_ = AddField(*grid, 1, QStringLiteral("\u03BA\u00B2 max"), QStringLiteral("Kappa2Max"),
                         two_thirds);
  from_anisotropies_ = new QCheckBox(QStringLiteral("from anisotropies"));
  from_anisotropies_->setObjectName(QStringLiteral("FromAnisotropies"));
  grid->addWidget(from_anisotropies_, 2, 0, 1, 4);
  donor_anisotropy_ = AddField(*grid, 3, QStringLiteral("r<sub>D</sub>"),
                               QStringLiteral("DonorAnisotropy"), QStringLiteral("0"));
  acceptor_anisotropy_ = AddField(*grid, 4, QStringLiteral("r<sub>A</sub>"),
                                  QStringLiteral("AcceptorAnisotropy"), QStringLiteral("0"));
  quantum_yield_error_ =
      AddField(*grid, 5, QStringLiteral("Quantum yield \u00B1"),
               QStringLiteral("QuantumYieldError"), QStringLiteral("0"), QStringLiteral("%"));
  refractive_index_error_ =
      AddField(*grid, 6, QStringLiteral("Refractive index \u00B1"),
               QStringLiteral("RefractiveIndexError"), QStringLiteral("0"), QStringLiteral("%"));
  extinction_error_ =
      AddField(*grid, 7, QStringLiteral("Acceptor \u03B5 \u00B1"),
               QStringLiteral("ExtinctionError"), QStringLiteral("0"), QStringLiteral("%"));
  donor_anisotropy_.edit->setEnabled(false);
  acceptor_anisotropy_.edit->setEnabled(false);
  column->addLayout(grid);

  auto* range = new QHBoxLayout;
  r0_min_ = Figure(QStringLiteral("R0Min"));
  r0_max_ = Figure(QStringLiteral("R0Max"));
  range->addWidget(Caption(QStringLiteral("R<sub>0</sub> from")));
  range->addWidget(r0_min_);
  range->addWidget(new QLabel(QStringLiteral("to")));
  range->addWidget(r0_max_);
  range->addWidget(new QLabel(QStringLiteral("\u00C5")));
  range->addStretch(1);
  column->addLayout(range);

  auto* table = new QGridLayout;
  table->setHorizontalSpacing(12);
  const QStringList headings = {
      QStringLiteral("Factor"), QStringLiteral("R<sub>0</sub> min [\u00C5]"),
      QStringLiteral("R<sub>0</sub> max [\u00C5]"), QStringLiteral("Share of spread")};
  for (int c = 0; c < headings.size(); ++c) {
    QLabel* heading = Caption(QStringLiteral("<b>%1</b>").arg(headings[c]));
    table->addWidget(heading, 0, c, c == 0 ? Qt::AlignLeft : Qt::AlignRight);
  }
  for (int i = 0; i < kR0FactorCount; ++i) {
    FactorRow& row = factor_rows_[static_cast<std::size_t>(i)];
    const QString index = QString::number(i);
    QString name = FromUtf8(FactorName(static_cast<R0Factor>(i)));
    if (!name.isEmpty()) name[0] = name[0].toUpper();
    row.name = new QLabel(name);
    row.name->setObjectName(QStringLiteral("FactorName") + index);
    row.min = Figure(QStringLiteral("FactorMin") + index);
    row.max = Figure(QStringLiteral("FactorMax") + index);
    row.share = Figure(QStringLiteral("FactorShare") + index);
    row.bar = new ShareBar(kBarColour);
    row.bar->setObjectName(QStringLiteral("FactorBar") + index);
    table->addWidget(row.name, i + 1, 0);
    table->addWidget(row.min, i + 1, 1, Qt::AlignRight);
    table->addWidget(row.max, i + 1, 2, Qt::AlignRight);
    table->addWidget(row.share, i + 1, 3, Qt::AlignRight);
    table->addWidget(row.bar, i + 1, 4);
  }
  table->setColumnStretch(4, 1);
  column->addLayout(table);
  column->addStretch(1);

  connect(from_anisotropies_, &QCheckBox::toggled, this, [this](bool checked) {
    const QSignalBlocker min_blocker(kappa2_min_.edit);
    const QSignalBlocker max_blocker(kappa2_max_.edit);
    if (checked) {
      typed_kappa2_min_ = kappa2_min_.edit->text();
      typed_kappa2_max_ = kappa2_max_.edit->text();
    } else {
      kappa2_min_.edit->setText(typed_kappa2_min_);
      kappa2_max_.edit->setText(typed_kappa2_max_);
    }
    kappa2_min_.edit->setEnabled(!checked);
    kappa2_max_.edit->setEnabled(!checked);
    donor_anisotropy_.edit->setEnabled(checked);
    acceptor_anisotropy_.edit->setEnabled(checked);
    Refresh();
  });
  for (const Field* field : {&kappa2_min_, &kappa2_max_, &donor_anisotropy_, &acceptor_anisotropy_,
                             &quantum_yield_error_, &refractive_index_error_, &extinction_error_}) {
    connect(field->edit, &QLineEdit::textChanged, this, [this] { Refresh(); });
  }
  return group;
}

QWidget* AnalysisWindow::BuildOverlap() {
  QGroupBox* group = Group(QStringLiteral("Overlap diagnostics"), QStringLiteral("OverlapGroup"));
  auto* row = new QHBoxLayout(group);

  cumulative_chart_ =
      MakeFigureChart(QStringLiteral("CumulativeChart"), QStringLiteral("Wavelength [nm]"),
                      QStringLiteral("Cumulative fraction of J"), kRed);
  chart::Chart& chart = cumulative_chart_->chart();
  const chart::ChartFont blue{.colour = kBlue};
  chart.RightAxis().SetTitle({QStringLiteral("J per nm, relative to its peak"), blue, 90});
  chart.RightAxis().SetLabelsFont(blue);
  chart.RightAxis().SetGrid({.visible = false});
  term_series_ = &chart.AddLineSeries(chart::VerticalAxis::Right);
  term_series_->SetTitle(QStringLiteral("Term of J per nm"));
  term_series_->SetColour(kLightBlue);
  cumulative_series_ = &chart.AddLineSeries(chart::VerticalAxis::Left);
  cumulative_series_->SetTitle(QStringLiteral("Cumulative fraction of J"));
  cumulative_series_->SetColour(kRed);
  row->addWidget(cumulative_chart_, 3);

  auto* column = new QVBoxLayout;
  auto* figures = new QGridLayout;
  overlap_peak_ = Figure(QStringLiteral("OverlapPeak"));
  overlap_band_ = Figure(QStringLiteral("OverlapBand"));
  overlap_peak_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  overlap_band_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  figures->addWidget(Caption(QStringLiteral("Peak of the overlap")), 0, 0);
  figures->addWidget(overlap_peak_, 0, 1);
  figures->addWidget(Caption(QStringLiteral("Central 90 % of J")), 1, 0);
  figures->addWidget(overlap_band_, 1, 1);
  figures->setColumnStretch(1, 1);
  column->addLayout(figures);
  column->addWidget(Caption(QStringLiteral("Warnings")));
  overlap_warnings_ = new QLabel(kNoFigure);
  overlap_warnings_->setObjectName(QStringLiteral("OverlapWarnings"));
  overlap_warnings_->setTextFormat(Qt::PlainText);
  overlap_warnings_->setWordWrap(true);
  overlap_warnings_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  overlap_warnings_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  column->addWidget(overlap_warnings_, 1);
  row->addLayout(column, 2);
  return group;
}

}  // namespace korin
