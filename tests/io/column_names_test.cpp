// What a column's name says: the kind of column it heads and the
// wavelength unit it gives.
#include "io/column_names.h"

#include <gtest/gtest.h>

namespace korin {
namespace {

TEST(ColumnNameTest, KindsAndUnits) {
  const struct {
    const char* name;
    ColumnKind kind;
    WavelengthUnit unit;
  } cases[] = {
      {"Wavelength (nm)", ColumnKind::kWavelength, WavelengthUnit::kNanometre},
      {"Wavelength (\xC2\xB5m)", ColumnKind::kWavelength, WavelengthUnit::kMicrometre},
      {"wavelength_um", ColumnKind::kWavelength, WavelengthUnit::kMicrometre},
      {"Wavenumber", ColumnKind::kWavelength, WavelengthUnit::kWavenumber},
      {"(cm^-1)", ColumnKind::kWavelength, WavelengthUnit::kWavenumber},
      {"\xCE\xBB", ColumnKind::kWavelength, WavelengthUnit::kNanometre},
      {"Excitation", ColumnKind::kExcitation, WavelengthUnit::kNanometre},
      {"Cy3 EX", ColumnKind::kExcitation, WavelengthUnit::kNanometre},
      {"mTurquoise2_abs", ColumnKind::kAbsorption, WavelengthUnit::kNanometre},
      {"\xCE\xB5 (M-1 cm-1)", ColumnKind::kAbsorption, WavelengthUnit::kWavenumber},
      {"Extinction", ColumnKind::kAbsorption, WavelengthUnit::kNanometre},
      {"EGFP em", ColumnKind::kEmission, WavelengthUnit::kNanometre},
      {"Fluorescence", ColumnKind::kEmission, WavelengthUnit::kNanometre},
      {"Fluorescein", ColumnKind::kOther, WavelengthUnit::kNanometre},
      {"Temperature", ColumnKind::kOther, WavelengthUnit::kNanometre},
      {"EGFP 2p", ColumnKind::kOther, WavelengthUnit::kNanometre},
      // Words longer than any tested: they start as they start, and equal
      // no short word even where their start does.
      {"FluorescenceIntensities", ColumnKind::kEmission, WavelengthUnit::kNanometre},
      {"FluoresceinDiacetateSpectrum", ColumnKind::kOther, WavelengthUnit::kNanometre},
      {"WavenumbersOfTheLaserLine", ColumnKind::kWavelength, WavelengthUnit::kWavenumber},
      {"micrometresxxxxxxxxxxxxxxx", ColumnKind::kOther, WavelengthUnit::kMicrometre},
      {"emaaaaaaaaaaaaaaaaaaaaaaaaa", ColumnKind::kOther, WavelengthUnit::kNanometre},
      {"wlwlwlwlwlwlwlwlwlwl abs", ColumnKind::kAbsorption, WavelengthUnit::kNanometre},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(KindOfColumnName(c.name), c.kind) << c.name;
    EXPECT_EQ(UnitOfColumnName(c.name), c.unit) << c.name;
  }
}

}  // namespace
}  // namespace korin
