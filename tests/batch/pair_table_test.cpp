#include "batch/pair_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "core/fret_analysis.h"
#include "core/fret_engine.h"
#include "numeric/number_text.h"
#include "request/apply_request.h"
#include "request/request_json.h"
#include "support/spectrum_fixtures.h"

namespace korin {
namespace {

GridSpectrum Gaussian(int first, int last, double height, double centre, double sigma) {
  GridSpectrum spectrum;
  LayGaussian(spectrum.values, first, last, height, centre, sigma);
  spectrum.first = first;
  spectrum.last = last;
  return spectrum;
}

// Spectrum files "on disk" by path, as the bytes a reader reads: an
// emission as a .csv, an absorbance as an .sp. A path that is not here
// cannot be read, and its reader says so.
class MemoryFiles {
 public:
  std::map<std::string, std::string> files;
  std::atomic<int> reads = 0;

  void Add(const std::string& path, const GridSpectrum& spectrum) {
    const bool emission = path.ends_with(".csv");
    files[path] =
        SpectrumFileText(spectrum, emission ? SpectrumSide::kEmission : SpectrumSide::kAbsorption);
  }
  [[nodiscard]] DyeReader Reader() {
    return [this](const std::string& path) -> std::optional<std::string> {
      ++reads;
      const auto found = files.find(path);
      if (found == files.end()) return std::nullopt;
      return found->second;
    };
  }
};

DyeRecord Donor(std::string path, std::string quantum_yield = "0.5") {
  FretRequest defaults;
  defaults.Set(Parameter::kQuantumYield, std::move(quantum_yield));
  return ListedDye(SpectrumSide::kEmission, std::move(path), defaults);
}

DyeRecord Acceptor(std::string path, std::string concentration = "1E-5",
                   std::string optical_path = "1",
                   std::optional<std::string> extinction = std::nullopt) {
  FretRequest defaults;
  defaults.Set(Parameter::kConcentration, std::move(concentration));
  defaults.Set(Parameter::kOpticalPath, std::move(optical_path));
  if (extinction) defaults.Set(Parameter::kExtinction, std::move(*extinction));
  return ListedDye(SpectrumSide::kAbsorption, std::move(path), defaults);
}

// The values every pair shares: an orientation factor and a solvent by
// name, or "" for a refractive index of one's own.
FretRequest Shared(std::string orientation, std::string solvent,
                   std::string refractive_index = "") {
  FretRequest shared;
  shared.Set(Parameter::kOrientation, std::move(orientation));
  if (refractive_index.empty()) {
    shared.Set(Parameter::kSolvent, std::move(solvent));
  } else {
    shared.Set(Parameter::kRefractiveIndex, std::move(refractive_index));
  }
  return shared;
}

// The panel with both spectra, loaded by the request a double-click on the
// pair's row hands the main window.
struct PanelResult {
  bool shown = false;
  double j = 0.0;
  double r0 = 0.0;
  std::string j_text;
  std::string r0_text;
};

PanelResult RunPanel(const FretRequest& shared, const DyeRecord& donor, const DyeRecord& acceptor,
                     const MemoryFiles& files) {
  FretRequest request = PairRequest(donor, acceptor, shared);
  request.emission.content = files.files.at(donor.path);
  request.absorption.content = files.files.at(acceptor.path);
  FretEngine engine;
  (void)ApplyRequest(engine, request);
  return {engine.LastGateOutcome() == GateOutcome::kShown, engine.session().overlap_integral,
          engine.ForsterDistanceValue(), engine.OverlapIntegralText(),
          engine.ForsterDistanceText()};
}

bool SameGrid(const SpectrumGrid& a, const SpectrumGrid& b) {
  return std::ranges::equal(a.values(), b.values());
}

struct Prepared {
  std::vector<PreparedDye> donors;
  std::vector<PreparedDye> acceptors;
  std::vector<TableError> errors;
};

Prepared PrepareAll(const std::vector<DyeRecord>& records, const FretRequest& shared,
                    MemoryFiles& files, int jobs = 1) {
  Prepared p;
  for (DyePreparation& d : PrepareDyes(records, shared, jobs, files.Reader())) {
    if (!d.dye) {
      p.errors.push_back(std::move(d.error));
    } else {
      (d.dye->record.side == SpectrumSide::kEmission ? p.donors : p.acceptors)
          .push_back(std::move(*d.dye));
    }
  }
  return p;
}

class PairTableTest : public ::testing::Test {
 protected:
  PairTableTest() {
    files_.Add("d1.csv", Gaussian(420, 700, 1000.0, 520.0, 25.0));
    files_.Add("d2.csv", Gaussian(450, 800, 3.5, 575.0, 30.0));
    files_.Add("d3.csv", Gaussian(380, 600, 12000.0, 470.0, 18.0));
    files_.Add("a1.sp", Gaussian(400, 750, 0.85, 560.0, 35.0));
    files_.Add("a2.sp", Gaussian(350, 900, 0.12, 650.0, 40.0));
    files_.Add("a3.sp", Gaussian(300, 700, 1.7, 495.0, 20.0));
  }

  MemoryFiles files_;
};

// The pairs equal the panel, doubles and texts, for donors and acceptors
// of every kind of parameter: quantum yields, concentrations, optical
// paths, coefficients typed in a form the gate rewrites ("8e4") or not
// exactly ("80000.00000000001" is written back as 80000), and solvents.
TEST_F(PairTableTest, EveryPairEqualsThePanel) {
  const std::vector<DyeRecord> records{
      Donor("d1.csv"),
      Donor("d2.csv", "0.93"),
      Donor("d3.csv", "2E-6"),
      Acceptor("a1.sp"),
      Acceptor("a2.sp", "3.3e-6", "0.1"),
      Acceptor("a3.sp", "1E-5", "5", "8e4"),
      Acceptor("a1.sp", "1E-5", "1", "80000.00000000001"),
  };
  const FretRequest shared_cases[] = {Shared("0.66667", "water"), Shared("1", "toluene"),
                                      Shared("0.123456789", "", "1.41")};
  for (const FretRequest& shared : shared_cases) {
    const Prepared p = PrepareAll(records, shared, files_);
    ASSERT_TRUE(p.errors.empty()) << p.errors.front().reason;
    std::string why;
    const std::optional<SharedValues> values = ReadSharedParameters(shared, why);
    ASSERT_TRUE(values) << why;
    const PairInputs inputs = PairInputsOf(p.donors, p.acceptors, *values);
    const std::vector<PairRow> rows = ComputeAllPairs(inputs, 2);
    ASSERT_EQ(rows.size(), 12u);
    for (const PairRow& row : rows) {
      const DyeRecord& d = p.donors[row.donor].record;
      const DyeRecord& a = p.acceptors[row.acceptor].record;
      const PanelResult panel = RunPanel(shared, d, a, files_);
      const std::string what = shared.Text(Parameter::kOrientation) + " " + d.path + " x " +
                               a.path + " " + RequestToJson(a.values);
      ASSERT_TRUE(panel.shown) << what;
      ASSERT_TRUE(row.computed) << what;
      EXPECT_EQ(row.overlap_integral, panel.j) << what;
      EXPECT_EQ(row.forster_distance, panel.r0) << what;
      EXPECT_EQ(row.overlap_integral_text, panel.j_text) << what;
      EXPECT_EQ(row.forster_distance_text, panel.r0_text) << what;
    }
  }
}

// The rewritten coefficient counts: scaled to 80000 exactly, not to the
// double just above it.
TEST_F(PairTableTest, ACoefficientIsSettledOnTheTextTheGateWrites) {
  const FretRequest shared;
  const Prepared typed =
      PrepareAll({Acceptor("a1.sp", "1E-5", "1", "80000.00000000001")}, shared, files_);
  const Prepared plain = PrepareAll({Acceptor("a1.sp", "1E-5", "1", "8e4")}, shared, files_);
  ASSERT_EQ(typed.acceptors.size(), 1u);
  ASSERT_EQ(plain.acceptors.size(), 1u);
  EXPECT_EQ(typed.acceptors[0].grid[560], 80000.0);
  EXPECT_TRUE(SameGrid(typed.acceptors[0].grid, plain.acceptors[0].grid));
}

TEST_F(PairTableTest, RefusedSpectraSayWhy) {
  files_.Add("negative.sp", Gaussian(400, 700, -0.5, 550.0, 30.0));
  files_.Add("flat.csv", Gaussian(400, 700, 0.0, 550.0, 30.0));
  struct Case {
    DyeRecord record;
    std::string reason;  // the start of it
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {Donor("missing.csv"),
       "no data points found in missing.csv (read as two-column text)",
       {"File Error: missing.csv"}},
      {Donor("flat.csv"), "its values have no positive area in flat.csv", {}},
      {Donor("d1.csv", "1.5"),
       "the quantum yield '1.5' is not accepted; expected a number with 1E-6 <= Q <= 1",
       {}},
      {Donor("d1.csv", "0,5"), "the quantum yield '0,5' is not accepted", {}},
      {Acceptor("a1.sp", "11"),
       "the concentration '11' is not accepted; expected a number with 1E-12 <= C <= 10",
       {}},
      // Accepted by the field, refused by the gate.
      {Acceptor("a1.sp", "5E-11"), "the concentration must exceed 1E-10 mol/L", {}},
      // The double nearest 1E10 lies at the bound, outside the open range.
      {Acceptor("a1.sp", "1E-5", "1", "1E10"),
       "the extinction coefficient '1E10' is not accepted",
       {}},
      {Acceptor("negative.sp", "1E-5", "1", "8e4"), "the absorbance cannot be scaled", {}},
      {Acceptor("a1.sp", "1E-5", "7"),
       "the optical path '7' is not accepted; expected one of 0.1, 0.2, 0.5, 1, 5, 10 (cm)",
       {}},
  };
  for (const Case& c : cases) {
    const DyePreparation prepared = PrepareDye(c.record, FretRequest{}, files_.Reader());
    EXPECT_FALSE(prepared.dye) << c.reason;
    EXPECT_TRUE(prepared.error.reason.starts_with(c.reason)) << prepared.error.reason;
    EXPECT_EQ(prepared.error.messages, c.messages) << c.reason;
    EXPECT_EQ(prepared.error.file, c.record.path);
  }
}

TEST_F(PairTableTest, SharedParametersTheGateRefuses) {
  const struct {
    FretRequest shared;
    const char* reason;
  } cases[] = {
      {Shared("2", "water"), "the orientation factor '2' is not accepted"},
      {Shared("0.5", "", "abc"), "the refractive index 'abc' is not accepted"},
      {Shared("0.5", "benzene"),
       "the solvent 'benzene' is not accepted; expected water, toluene or methanol"},
      {Shared("0.5", ""), "the solvent '' is not accepted"},
  };
  for (const auto& c : cases) {
    std::string why;
    EXPECT_FALSE(ReadSharedParameters(c.shared, why)) << c.reason;
    EXPECT_TRUE(why.starts_with(c.reason)) << why;
  }
  std::string why;
  const auto toluene = ReadSharedParameters(Shared("0.5", "toluene"), why);
  ASSERT_TRUE(toluene);
  EXPECT_EQ(toluene->refractive_index, 1.496);
  EXPECT_EQ(toluene->orientation, 0.5);
}

TEST_F(PairTableTest, EachSpectrumIsReadOnceWhateverTheThreads) {
  const std::vector<DyeRecord> records{Donor("d1.csv"),   Donor("d2.csv"),
                                       Donor("d3.csv"),   Acceptor("a1.sp"),
                                       Acceptor("a2.sp"), Acceptor("missing.sp")};
  const Prepared one = PrepareAll(records, {}, files_, 1);
  EXPECT_EQ(files_.reads, 6);
  const Prepared two = PrepareAll(records, {}, files_, 2);
  EXPECT_EQ(files_.reads, 12);
  ASSERT_EQ(one.donors.size(), 3u);
  ASSERT_EQ(two.acceptors.size(), 2u);
  ASSERT_EQ(two.errors.size(), 1u);
  // In the records' order.
  EXPECT_EQ(two.donors[2].record.path, "d3.csv");
  EXPECT_EQ(two.acceptors[1].record.path, "a2.sp");
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_TRUE(SameGrid(one.donors[i].grid, two.donors[i].grid));
  }
}

// Any split of the pairs over threads and blocks gives the same rows.
TEST_F(PairTableTest, ThreadsAndSlicesGiveTheSameRows) {
  std::vector<DyeRecord> records;
  for (int i = 0; i < 23; ++i) {
    const std::string name = "d" + std::to_string(i) + ".csv";
    files_.Add(name, Gaussian(400 + i, 700, 100.0 + i, 500.0 + 3 * i, 20.0 + i % 7));
    records.push_back(Donor(name, "0." + std::to_string(10 + 3 * i)));
  }
  for (int i = 0; i < 29; ++i) {
    const std::string name = "a" + std::to_string(i) + ".sp";
    files_.Add(name, Gaussian(380, 720 - i, 0.2 + 0.03 * i, 540.0 + 4 * i, 30.0));
    records.push_back(Acceptor(name));
  }
  const Prepared p = PrepareAll(records, {}, files_, 2);
  const PairInputs inputs = PairInputsOf(p.donors, p.acceptors, {0.66667, 1.333});
  ASSERT_EQ(PairCount(inputs), 23u * 29u);
  const std::vector<PairRow> serial = ComputeAllPairs(inputs, 1);
  const auto same = [](const PairRow& a, const PairRow& b) {
    return a.donor == b.donor && a.acceptor == b.acceptor && a.computed == b.computed &&
           a.overlap_integral == b.overlap_integral && a.forster_distance == b.forster_distance &&
           a.overlap_integral_text == b.overlap_integral_text &&
           a.forster_distance_text == b.forster_distance_text;
  };
  for (const int jobs : {2, 3, 64}) {
    const std::vector<PairRow> parallel = ComputeAllPairs(inputs, jobs);
    ASSERT_EQ(parallel.size(), serial.size());
    for (std::size_t i = 0; i < serial.size(); ++i) {
      ASSERT_TRUE(same(parallel[i], serial[i])) << "jobs " << jobs << ", pair " << i;
    }
  }
  // A slice that starts inside a donor's row of acceptors.
  std::vector<PairRow> slice(300);
  ComputePairs(inputs, 100, slice, 2);
  for (std::size_t i = 0; i < slice.size(); ++i) {
    ASSERT_TRUE(same(slice[i], serial[100 + i])) << i;
  }
  EXPECT_EQ(serial[100].donor, 3u);
  EXPECT_EQ(serial[100].acceptor, 13u);
}

PreparedDye Named(std::string name, double quantum_yield = 0.5) {
  PreparedDye dye;
  dye.record.name = std::move(name);
  dye.quantum_yield = quantum_yield;
  return dye;
}

PairRow Row(std::uint32_t donor, std::uint32_t acceptor, double j, double r0) {
  PairRow row;
  row.donor = donor;
  row.acceptor = acceptor;
  row.computed = true;
  row.overlap_integral = j;
  row.forster_distance = r0;
  return row;
}

std::vector<std::pair<std::uint32_t, std::uint32_t>> Order(const std::vector<PairRow>& rows) {
  std::vector<std::pair<std::uint32_t, std::uint32_t>> order;
  for (const PairRow& row : rows) order.emplace_back(row.donor, row.acceptor);
  return order;
}

TEST(PairOrderTest, EachOrderWithTiesInListedOrder) {
  const std::vector<PreparedDye> donors{Named("beta"), Named("Alpha"), Named("alpha")};
  const std::vector<PreparedDye> acceptors{Named("Zed"), Named("ace")};
  const PairInputs inputs = PairInputsOf(donors, acceptors, {});
  // Scrambled, as threads or a previous sort might leave them.
  const std::vector<PairRow> rows{Row(2, 1, 2e-13, 50.0), Row(0, 0, 3e-13, 55.0),
                                  Row(1, 1, 3e-13, 48.0), Row(0, 1, 1e-13, 55.0),
                                  Row(1, 0, 5e-14, 60.0), Row(2, 0, 2e-13, 52.0)};
  using P = std::vector<std::pair<std::uint32_t, std::uint32_t>>;
  const struct {
    PairOrder order;
    double target;
    P expected;
  } cases[] = {
      {PairOrder::kListed, 0, P{{0, 0}, {0, 1}, {1, 0}, {1, 1}, {2, 0}, {2, 1}}},
      // R0 60, 55 (0,0 before 0,1), 52, 50, 48.
      {PairOrder::kForsterDistance, 0, P{{1, 0}, {0, 0}, {0, 1}, {2, 0}, {2, 1}, {1, 1}}},
      {PairOrder::kOverlapIntegral, 0, P{{0, 0}, {1, 1}, {2, 0}, {2, 1}, {0, 1}, {1, 0}}},
      // "Alpha" and "alpha" fold alike, then "Alpha" < "alpha" by bytes;
      // "ace" < "Zed" whatever the case.
      {PairOrder::kName, 0, P{{1, 1}, {1, 0}, {2, 1}, {2, 0}, {0, 1}, {0, 0}}},
      // |R0 - 53|: 1 (52), 2 (55, 55), 3 (50), 5 (48), 7 (60).
      {PairOrder::kDistanceError, 53.0, P{{2, 0}, {0, 0}, {0, 1}, {2, 1}, {1, 1}, {1, 0}}},
  };
  for (const auto& c : cases) {
    std::vector<PairRow> sorted = rows;
    if (c.target > 0) ApplyTargetDistance(sorted, c.target);
    SortPairs(sorted, c.order, inputs);
    EXPECT_EQ(Order(sorted), c.expected) << static_cast<int>(c.order);
  }
}

TEST(PairTargetTest, EfficiencyAndDistanceErrorAtTheTarget) {
  std::vector<PairRow> rows{Row(0, 0, 3e-13, 55.65), Row(0, 1, 1e-25, 0.0), Row(0, 2, 0, 0)};
  rows[2].computed = false;
  ApplyTargetDistance(rows, 50.0);
  EXPECT_EQ(rows[0].efficiency_at_target, TransferEfficiency(50.0, 55.65));
  EXPECT_NEAR(rows[0].efficiency_at_target, 1 / (1 + std::pow(50.0 / 55.65, 6)), 1e-15);
  EXPECT_EQ(rows[0].distance_error, 55.65 - 50.0);
  // No Foerster distance: nothing is transferred at any distance.
  EXPECT_EQ(rows[1].efficiency_at_target, 0.0);
  EXPECT_EQ(rows[1].distance_error, 50.0);
  EXPECT_EQ(rows[2].distance_error, 0.0);
}

double ReadBack(std::string_view text) {
  double value = 0.0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

TEST(PairCsvTest, HeaderQuotingAndExactNumbers) {
  const std::vector<PreparedDye> donors{Named("plain"), Named("with, comma"), Named("#hash")};
  const std::vector<PreparedDye> acceptors{Named("say \"hi\""), Named(" padded")};
  const PairInputs inputs = PairInputsOf(donors, acceptors, {});
  std::vector<PairRow> rows{Row(0, 0, 0.1 + 0.2, 55.65), Row(1, 1, 1e-13, 47.5),
                            Row(2, 0, 2e-13, 50.0), Row(0, 1, 0, 0)};
  rows[0].overlap_integral_text = "3.0000E-1";
  rows[0].forster_distance_text = "55.6500";
  rows[3].computed = false;  // left out
  const std::string plain = PairTableCsv(rows, inputs, false);
  EXPECT_EQ(plain.substr(0, plain.find('\n')),
            "donor,acceptor,overlap_integral,overlap_integral_text,forster_distance,"
            "forster_distance_text");
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = plain.find('\n', at)) != std::string::npos; at = end + 1) {
    lines.push_back(plain.substr(at, end - at));
  }
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1], "plain,\"say \"\"hi\"\"\",0.30000000000000004,3.0000E-1,55.65,55.6500");
  EXPECT_TRUE(lines[2].starts_with("\"with, comma\",\" padded\",1e-13,")) << lines[2];
  EXPECT_TRUE(lines[3].starts_with("\"#hash\",")) << lines[3];
  EXPECT_EQ(ReadBack("0.30000000000000004"), 0.1 + 0.2);

  ApplyTargetDistance(rows, 50.0);
  const std::string target = PairTableCsv(rows, inputs, true);
  EXPECT_TRUE(
      target.starts_with("donor,acceptor,overlap_integral,overlap_integral_text,forster_distance,"
                         "forster_distance_text,efficiency_at_target,distance_error,"
                         "efficiency_slope_at_target\n"));
  const std::string first = target.substr(target.find('\n') + 1);
  const std::string e = first.substr(0, first.find('\n'));
  const auto slope_comma = e.rfind(',');
  const auto last_comma = e.rfind(',', slope_comma - 1);
  const auto previous = e.rfind(',', last_comma - 1);
  EXPECT_EQ(ReadBack(e.substr(slope_comma + 1)), rows[0].efficiency_slope_at_target);
  EXPECT_EQ(rows[0].efficiency_slope_at_target,
            std::fabs(TransferEfficiencySlope(50.0, rows[0].forster_distance)));
  EXPECT_EQ(ReadBack(e.substr(last_comma + 1, slope_comma - last_comma - 1)),
            rows[0].distance_error);
  EXPECT_EQ(ReadBack(e.substr(previous + 1, last_comma - previous - 1)),
            rows[0].efficiency_at_target);
}

// A product beyond the doubles: the pair has no figures, and is reported
// once instead of being shown with an infinite J.
TEST(PairTableOverflowTest, APairWithoutAFiniteOverlapIsReported) {
  std::vector<PreparedDye> donors{Named("huge"), Named("fine")};
  std::vector<PreparedDye> acceptors{Named("wide")};
  donors[0].record.path = "huge.csv";
  acceptors[0].record.path = "wide.sp";
  for (int w = 400; w <= 600; ++w) {
    donors[0].grid[w] = 1e300;
    donors[1].grid[w] = 1.0 / 201;
    acceptors[0].grid[w] = 1e300;
  }
  const PairInputs inputs = PairInputsOf(donors, acceptors, {0.66667, 1.333});
  std::vector<PairRow> rows = ComputeAllPairs(inputs, 2);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_FALSE(rows[0].computed);
  EXPECT_TRUE(rows[0].overlap_integral_text.empty());
  const std::vector<TableError> errors = TakeUncomputed(rows, inputs);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].name, "huge + wide");
  EXPECT_EQ(errors[0].file, "huge.csv + wide.sp");
  EXPECT_EQ(errors[0].reason, "the overlap integral is beyond the range of a double");
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].donor, 1u);
  EXPECT_TRUE(std::isfinite(rows[0].forster_distance));
}

// A listed file takes the defaults of its own side only, and columns given
// for listed files stand instead of a filter entry.
TEST(ListedDyeTest, DefaultsOfItsSideAndTheFilesOwnName) {
  FretRequest defaults;
  defaults.Set(Parameter::kQuantumYield, "0.9");
  defaults.Set(Parameter::kEmissionFilter, "3");
  defaults.Set(Parameter::kAbsorptionFilter, "5");
  defaults.Set(Parameter::kExtinction, "8e4");
  defaults.Set(Parameter::kOrientation, "1");
  const DyeRecord donor = ListedDye(SpectrumSide::kEmission, "/data/dyes/cy3.csv", defaults);
  EXPECT_EQ(donor.name, "cy3.csv");
  EXPECT_EQ(donor.path, "/data/dyes/cy3.csv");
  EXPECT_EQ(FilterEntryOf(donor.values, SpectrumSide::kEmission), 3);
  EXPECT_EQ(donor.values.Text(Parameter::kQuantumYield), "0.9");
  for (const Parameter other :
       {Parameter::kExtinction, Parameter::kAbsorptionFilter, Parameter::kOrientation}) {
    EXPECT_FALSE(donor.values.Given(other)) << DeclarationOf(other).name;
  }
  const DyeRecord acceptor = ListedDye(SpectrumSide::kAbsorption, "cy5.sp", defaults);
  EXPECT_EQ(acceptor.name, "cy5.sp");
  EXPECT_EQ(FilterEntryOf(acceptor.values, SpectrumSide::kAbsorption), 5);
  EXPECT_EQ(acceptor.values.Text(Parameter::kExtinction), "8e4");
  EXPECT_FALSE(acceptor.values.Given(Parameter::kQuantumYield));
  EXPECT_EQ(acceptor.line, 0);

  defaults.Set(Parameter::kEmissionUnits, "nm");
  const DyeRecord download = ListedDye(SpectrumSide::kEmission, "cy3.csv", defaults);
  EXPECT_TRUE(ReadsColumns(download.values, SpectrumSide::kEmission));
  EXPECT_FALSE(download.values.Given(Parameter::kEmissionFilter));
  EXPECT_TRUE(CheckRequest(DyeRequest(download, {})).empty());
}

}  // namespace
}  // namespace korin
