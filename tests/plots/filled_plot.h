// An energy-transfer plot filled as the calculation fills it: a donor
// emission and an acceptor extinction spectrum, and the two file labels.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "plots/energy_transfer_plot.h"

namespace korin::testing {

inline void FillPlot(EnergyTransferPlotWindow& plot) {
  for (int nm = 430; nm <= 650; ++nm) {
    const double z = (nm - 515) / 15.0;
    EXPECT_TRUE(plot.EmissionSeries().AddPoint(nm, 14.2 * std::exp(-z * z / 2)));
  }
  for (int nm = 505; nm <= 700; ++nm) {
    const double z = (nm - 570) / 18.0;
    EXPECT_TRUE(plot.ExtinctionSeries().AddPoint(nm, 85000 * std::exp(-z * z / 2)));
  }
  plot.EmissionFileLabel().setText(QStringLiteral("Emission File: donor.ifx"));
  plot.AbsorptionFileLabel().setText(QStringLiteral("Absorption File: acceptor.sp"));
}

}  // namespace korin::testing
