// Files named on the windowed program's command line, as a file manager
// passes them.
#include "ui/startup_files.h"

#include <gtest/gtest.h>

#include <QLineEdit>

#include "scripted_dialogs.h"
#include "ui/main_window.h"
#include "ui/window_set.h"

namespace korin {
namespace {

const QString kSamples = QStringLiteral(KORIN_SAMPLES_DIR "/");

TEST(StartupFilesTest, EachFileGoesToTheSideItsExtensionAllows) {
  const struct {
    const char* what;
    QStringList arguments;
    std::vector<std::pair<SpectrumSide, QString>> opened;
    int problems;
  } cases[] = {
      {"nothing: the program starts as it always has", {}, {}, 0},
      {"a pair",
       {"a.csv", "b.sp"},
       {{SpectrumSide::kEmission, "a.csv"}, {SpectrumSide::kAbsorption, "b.sp"}},
       0},
      {"the acceptor first",
       {"b.ABS", "a.iss"},
       {{SpectrumSide::kAbsorption, "b.ABS"}, {SpectrumSide::kEmission, "a.iss"}},
       0},
      {"one emission file", {"a.rls"}, {{SpectrumSide::kEmission, "a.rls"}}, 0},
      {"one absorption file", {"b.asp"}, {{SpectrumSide::kAbsorption, "b.asp"}}, 0},
      {"a .txt without its side", {"a.txt"}, {}, 1},
      {"a .txt named as absorption",
       {"--absorption", "b.txt", "a.csv"},
       {{SpectrumSide::kAbsorption, "b.txt"}, {SpectrumSide::kEmission, "a.csv"}},
       0},
      {"a .txt named as emission", {"--emission=a.txt"}, {{SpectrumSide::kEmission, "a.txt"}}, 0},
      {"no spectrum extension", {"notes.doc"}, {}, 1},
      {"an option it does not know", {"--bogus"}, {}, 1},
  };
  for (const auto& c : cases) {
    QStringList arguments{QStringLiteral("korin-fret")};
    arguments << c.arguments;
    const StartupFiles startup = ReadStartupArguments(arguments);
    ASSERT_EQ(startup.files.size(), c.opened.size()) << c.what;
    for (std::size_t i = 0; i < c.opened.size(); ++i) {
      EXPECT_EQ(startup.files[i].side, c.opened[i].first) << c.what;
      EXPECT_EQ(startup.files[i].path, c.opened[i].second) << c.what;
    }
    EXPECT_EQ(startup.problems.size(), c.problems) << c.what;
  }
}

TEST(StartupFilesTest, OpenedAsIfChosenInTheDialogs) {
  FretEngine engine;
  testing::ScriptedDialogs dialogs;
  WindowSet windows(engine, dialogs);
  OpenStartupFiles(*windows.main_window,
                   ReadStartupArguments({QStringLiteral("korin-fret"),
                                         kSamples + QStringLiteral("donor_emission.csv"),
                                         kSamples + QStringLiteral("acceptor_absorption.sp")}));
  EXPECT_TRUE(engine.ResultsVisible());
  EXPECT_EQ(windows.main_window->findChild<QLineEdit*>(QStringLiteral("EditR0"))->text(),
            "55.6500");
  EXPECT_TRUE(dialogs.messages.empty());

  // A file that is not there: the reader's own message; a .txt without its
  // side: said in words.
  OpenStartupFiles(*windows.main_window, ReadStartupArguments({QStringLiteral("korin-fret"),
                                                               QStringLiteral("/no/such/donor.csv"),
                                                               QStringLiteral("x.txt")}));
  ASSERT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(dialogs.messages[0], "File Error: /no/such/donor.csv");
  EXPECT_TRUE(dialogs.messages[1].contains(QStringLiteral("--emission or --absorption")));
  EXPECT_FALSE(engine.session().emission_valid);
}

}  // namespace
}  // namespace korin
