// The four plot and About windows as created: designer names, captions byte for byte,
// places, fixed sizes, visibility, and closing that only hides.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <functional>
#include <memory>

#include "plots/about_window.h"
#include "plots/energy_transfer_plot.h"
#include "plots/input_spectrum_windows.h"
#include "plots/object_names.h"

namespace korin {
namespace {

struct WindowCase {
  const char* name;
  const char* designer_name;
  std::function<std::unique_ptr<FormWindow>()> create;
  const char* caption;
  QPoint position;
  QRect client;  // inside the window
  bool visible_at_creation;
};

const WindowCase kWindows[] = {
    {"EnergyTransferPlotWindow", names::kPlotWindow,
     [] { return std::make_unique<EnergyTransferPlotWindow>(); }, "Valtrix Energy Transfer Plot",
     QPoint(450, 5), QRect(5, 5, 418, 269), true},
    {"DonorInputWindow", names::kDonorWindow, [] { return std::make_unique<DonorInputWindow>(); },
     "Donor - Emission Input File", QPoint(5, 340), QRect(0, 0, 345, 217), false},
    {"AcceptorInputWindow", names::kAcceptorWindow,
     [] { return std::make_unique<AcceptorInputWindow>(); }, "Acceptor - Absorption  Input File",
     QPoint(360, 340), QRect(0, 0, 345, 217), false},
    {"AboutWindow", names::kAboutWindow, [] { return std::make_unique<AboutWindow>(); },
     "About Korin-FRET", QPoint(116, 126), QRect(5, 5, 320, 319), false},
};

TEST(WindowSet, CaptionPlaceSizeAndVisibilityAsDesigned) {
  for (const WindowCase& c : kWindows) {
    const auto window = c.create();
    EXPECT_EQ(window->windowTitle().toStdString(), c.caption) << c.name;
    EXPECT_EQ(window->objectName(), QString::fromLatin1(c.designer_name)) << c.name;
    EXPECT_EQ(window->pos(), c.position) << c.name;
    EXPECT_EQ(window->ClientArea().geometry(), c.client) << c.name;
    // The blank border is as wide on every side; the size follows the contents.
    const QSize expected = c.client.size() + QSize(2 * c.client.left(), 2 * c.client.top());
    EXPECT_EQ(window->size(), expected) << c.name;
    EXPECT_EQ(window->minimumSize(), expected) << c.name << " cannot be resized";
    EXPECT_EQ(window->maximumSize(), expected) << c.name << " cannot be resized";
    EXPECT_EQ(window->isVisible(), c.visible_at_creation) << c.name;
  }
}

TEST(WindowSet, ClosingOnlyHidesAndNeverEndsTheProgram) {
  for (const WindowCase& c : kWindows) {
    const auto window = c.create();
    QPointer<FormWindow> alive(window.get());
    window->show();
    ASSERT_TRUE(window->isVisible()) << c.name;
    EXPECT_TRUE(window->close()) << c.name;
    QCoreApplication::processEvents();
    EXPECT_TRUE(alive) << c.name << " was destroyed";
    EXPECT_TRUE(window->isHidden()) << c.name;
    EXPECT_FALSE(window->testAttribute(Qt::WA_QuitOnClose)) << c.name;
    window->show();
    EXPECT_TRUE(window->isVisible()) << c.name << " shows again";
  }
}

TEST(WindowSet, EnergyTransferPlotKeepsItsContentWhileHidden) {
  EnergyTransferPlotWindow plot;
  plot.close();
  // Others keep writing into it while it is hidden.
  for (int nm = 480; nm <= 650; ++nm) ASSERT_TRUE(plot.EmissionSeries().AddPoint(nm, nm % 13));
  for (int nm = 400; nm <= 600; ++nm) ASSERT_TRUE(plot.ExtinctionSeries().AddPoint(nm, nm * 100.0));
  plot.EmissionFileLabel().setText(QStringLiteral("Emission File: donor.ifx"));
  plot.show();
  plot.close();
  plot.show();
  EXPECT_EQ(plot.EmissionSeries().Points().size(), 171u);
  EXPECT_EQ(plot.ExtinctionSeries().Points().size(), 201u);
  EXPECT_EQ(plot.EmissionFileLabel().text(), QStringLiteral("Emission File: donor.ifx"));
  EXPECT_EQ(plot.AbsorptionFileLabel().text(), QStringLiteral("Absorption File:"));
}

TEST(WindowSet, InputWindowKeepsTitleAndCurveAcrossClosing) {
  AcceptorInputWindow acceptor;
  acceptor.chart().SetTitleText(QStringLiteral("acceptor.sp"));
  for (int nm = 400; nm <= 700; ++nm)
    ASSERT_TRUE(acceptor.SpectrumSeries().AddPoint(nm, 0.001 * nm));
  acceptor.show();
  acceptor.close();
  acceptor.show();
  EXPECT_EQ(acceptor.chart().TitleLines(), QStringList{QStringLiteral("acceptor.sp")});
  EXPECT_EQ(acceptor.SpectrumSeries().Points().size(), 301u);
}

}  // namespace
}  // namespace korin
