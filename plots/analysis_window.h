// The FRET Analysis window: J and R0 in both unit systems, distance from
// transfer efficiency and back, how far R0 can be trusted, and where the
// overlap lies. It follows the engine as one of its views and never changes
// it; every number it shows comes from the one analysis value of
// core/analysis_result.h. Its layout is built in analysis_window.cpp, its
// figures filled in analysis_window_figures.cpp.
#pragma once

#include <QWidget>
#include <array>
#include <optional>
#include <vector>

#include "chart/series.h"
#include "core/analysis_result.h"
#include "core/fret_engine.h"
#include "request/fret_request.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QStackedWidget;

namespace korin {

namespace chart {
class ChartWidget;
}  // namespace chart

// A horizontal bar as long as a share (0..1) of its width; empty without one.
class ShareBar final : public QWidget {
 public:
  explicit ShareBar(QColor colour, QWidget* parent = nullptr);
  void SetShare(std::optional<double> share);
  [[nodiscard]] std::optional<double> Share() const { return share_; }
  [[nodiscard]] QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor colour_;
  std::optional<double> share_;
};

// A chart for a window of figures: no title, the window's background, the
// axes' titles in black and the left one in `left_colour`.
[[nodiscard]] chart::ChartWidget* MakeFigureChart(const QString& name, const QString& bottom_title,
                                                  const QString& left_title, QColor left_colour);

// What every figure shows while there is none.
inline const QString kNoFigure = QStringLiteral("\u2014");

class AnalysisWindow final : public QWidget, private FretView {
 public:
  // Created hidden; closing it only hides it. From now on it follows
  // `engine`, which it only reads, once each user action is handled.
  explicit AnalysisWindow(FretEngine& engine, QWidget* parent = nullptr);
  ~AnalysisWindow() override;
  AnalysisWindow(const AnalysisWindow&) = delete;
  AnalysisWindow& operator=(const AnalysisWindow&) = delete;

  // Re-reads the engine now. While the window is hidden this only marks it
  // stale; it catches up when shown.
  void Refresh();

  // The analysis the window asks, as a request's analysis parameters: an
  // efficiency (also one from lifetimes or intensities) or a distance, and
  // R0's range from a kappa^2 range or anisotropies with the errors. What
  // the window refuses is left out. A report adds it to the command that
  // reproduces the panel.
  [[nodiscard]] FretRequest AskedAnalysis();

  // The choices of the distance <-> efficiency input ("InputKind"), in
  // the order of its entries.
  enum class Input { kEfficiency, kLifetimes, kIntensities, kDistance };

  // What the two charts hold. "EfficiencyChart": E(r) over 0 .. 2 R0, the
  // band 0.5 R0 .. 1.5 R0 from E = 0 to 1, and the current point as an L from
  // (0, E) to (r, E) down to (r, 0). "CumulativeChart": the cumulative
  // fraction of J per nm (left axis) and each nm's term of J relative to
  // the largest (right axis).
  [[nodiscard]] const chart::LineSeries& EfficiencySeries() const { return *efficiency_series_; }
  [[nodiscard]] const chart::AreaSeries& UsableRangeSeries() const { return *usable_range_series_; }
  [[nodiscard]] const chart::LineSeries& CurrentPointSeries() const {
    return *current_point_series_;
  }
  [[nodiscard]] const chart::LineSeries& CumulativeSeries() const { return *cumulative_series_; }
  [[nodiscard]] const chart::LineSeries& TermSeries() const { return *term_series_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // A typed number with its message label beside it.
  struct Field {
    QLineEdit* edit = nullptr;
    QLabel* message = nullptr;
  };
  struct FactorRow {
    QLabel* name = nullptr;
    QLabel* min = nullptr;
    QLabel* max = nullptr;
    QLabel* share = nullptr;
    ShareBar* bar = nullptr;
  };

  QWidget* BuildResults();
  QWidget* BuildDistance();
  QWidget* BuildUncertainty();
  QWidget* BuildOverlap();
  Field AddField(QGridLayout& grid, int row, const QString& label, const QString& name,
                 const QString& text, const QString& unit = {});

  // FretView: the engine's gate has run.
  void SetResultsVisible(bool visible) override;

  // Whether J and R0 stand; false also before the first passing gate run.
  [[nodiscard]] bool HasResults() const;
  // Every section from one analysis, computed when J and R0 stand.
  void ShowAll();
  void ShowResults(const std::optional<AnalysisResult>& analysis);
  void ShowDistance(const std::optional<AnalysisResult>& analysis);
  void ShowUncertainty(const std::optional<AnalysisResult>& analysis);
  void ShowOverlap(const std::optional<AnalysisResult>& analysis);
  // What the fields ask, with messages set beside those refused.
  [[nodiscard]] AnalysisInputs EnteredInputs();
  // The efficiency the chosen input gives, with messages set on its fields.
  [[nodiscard]] Checked EnteredEfficiency();
  [[nodiscard]] std::optional<Kappa2Range> EnteredKappa2();
  [[nodiscard]] std::optional<InputErrors> EnteredErrors();
  void PlotEfficiencyCurve(double forster_distance, std::optional<double> distance,
                           std::optional<double> efficiency);

  FretEngine& engine_;
  bool stale_ = true;
  bool refresh_pending_ = false;

  QLabel* j_cm3_ = nullptr;
  QLabel* j_nm4_ = nullptr;
  QLabel* r0_angstrom_ = nullptr;
  QLabel* r0_nm_ = nullptr;

  QComboBox* input_kind_ = nullptr;
  QStackedWidget* input_pages_ = nullptr;
  Field efficiency_;
  Field lifetime_with_acceptor_;
  Field lifetime_donor_;
  Field intensity_with_acceptor_;
  Field intensity_donor_;
  Field distance_;
  QLabel* efficiency_result_ = nullptr;
  QLabel* distance_result_ = nullptr;
  QLabel* distance_result_nm_ = nullptr;
  chart::ChartWidget* efficiency_chart_ = nullptr;
  chart::AreaSeries* usable_range_series_ = nullptr;
  chart::LineSeries* efficiency_series_ = nullptr;
  chart::LineSeries* current_point_series_ = nullptr;

  Field kappa2_min_;
  Field kappa2_max_;
  QCheckBox* from_anisotropies_ = nullptr;
  Field donor_anisotropy_;
  Field acceptor_anisotropy_;
  Field quantum_yield_error_;
  Field refractive_index_error_;
  Field extinction_error_;
  // What the user typed for kappa^2 while the fields show the bounds from
  // the anisotropies instead.
  QString typed_kappa2_min_;
  QString typed_kappa2_max_;
  QLabel* r0_min_ = nullptr;
  QLabel* r0_max_ = nullptr;
  std::array<FactorRow, kR0FactorCount> factor_rows_;

  chart::ChartWidget* cumulative_chart_ = nullptr;
  chart::LineSeries* cumulative_series_ = nullptr;
  chart::LineSeries* term_series_ = nullptr;
  QLabel* overlap_peak_ = nullptr;
  QLabel* overlap_band_ = nullptr;
  QLabel* overlap_warnings_ = nullptr;
};

}  // namespace korin
