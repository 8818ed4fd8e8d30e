#include "ui/startup_files.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>

#include "io/drop_policy.h"
#include "ui/main_window.h"

namespace korin {
namespace {

bool ReadsByExtension(SpectrumSide side, const QString& path) {
  return korin::ReadsByExtension(side, QFile::encodeName(path).toStdString());
}

}  // namespace

StartupFiles ReadStartupArguments(const QStringList& arguments) {
  StartupFiles startup;
  QCommandLineParser parser;
  const QCommandLineOption emission(QStringLiteral("emission"),
                                    QStringLiteral("Open FILE as the donor's emission spectrum."),
                                    QStringLiteral("FILE"));
  const QCommandLineOption absorption(
      QStringLiteral("absorption"),
      QStringLiteral("Open FILE as the acceptor's absorption spectrum."), QStringLiteral("FILE"));
  parser.addOption(emission);
  parser.addOption(absorption);
  parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Spectrum files"));
  if (!parser.parse(arguments)) {
    startup.problems << parser.errorText();
    return startup;
  }
  for (const QString& path : parser.values(emission)) {
    startup.files.push_back({SpectrumSide::kEmission, path});
  }
  for (const QString& path : parser.values(absorption)) {
    startup.files.push_back({SpectrumSide::kAbsorption, path});
  }
  for (const QString& path : parser.positionalArguments()) {
    const bool as_emission = ReadsByExtension(SpectrumSide::kEmission, path);
    const bool as_absorption = ReadsByExtension(SpectrumSide::kAbsorption, path);
    const QString name = QFileInfo(path).fileName();
    if (as_emission && as_absorption) {
      startup.problems << QStringLiteral(
                              "%1 could be an emission or an absorption spectrum: name it with "
                              "--emission or --absorption.")
                              .arg(name);
    } else if (as_emission || as_absorption) {
      startup.files.push_back(
          {as_emission ? SpectrumSide::kEmission : SpectrumSide::kAbsorption, path});
    } else {
      startup.problems
          << QStringLiteral("%1 has no extension of a spectrum this program reads.").arg(name);
    }
  }
  return startup;
}

void OpenStartupFiles(MainWindow& window, const StartupFiles& startup) {
  for (const StartupFile& file : startup.files) window.OpenSpectrumPath(file.side, file.path);
  for (const QString& problem : startup.problems) window.ShowStartupProblem(problem);
}

}  // namespace korin
