#include "cli/export_options.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "cli/fret_cli.h"
#include "cli/tool_messages.h"
#include "io/file_output.h"
#include "numeric/ascii_text.h"
#include "numeric/parse_real.h"
#include "report/data_export.h"
#include "report/report.h"

extern char** environ;

namespace korin {
namespace {

bool EndsWith(std::string_view text, std::string_view suffix) {
  return AsciiLowered(text).ends_with(suffix);
}

// A whole number from 1 to `largest`, read with the program's number syntax.
std::optional<int> WholeNumber(std::string_view text, int largest) {
  double value = 0.0;
  // The range first: a cast of a value out of range is undefined.
  if (!ParseReal(text, value) || value < 1 || value > largest || value != std::floor(value)) {
    return std::nullopt;
  }
  return static_cast<int>(value);
}

// "report.md" -> "report-plot.svg": the plot beside a Markdown report.
std::string PlotBeside(const std::string& markdown) {
  return markdown.substr(0, markdown.size() - 3) + "-plot.svg";
}

// Writes all of `bytes` to `fd`. A reader that has gone away is an error
// here, not a signal that would end the tool.
bool WriteAll(int fd, std::string_view bytes) {
  sigset_t pipe_signal;
  sigset_t previous;
  sigemptyset(&pipe_signal);
  sigaddset(&pipe_signal, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &pipe_signal, &previous);
  bool written = true;
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      written = false;
      break;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  if (!written && errno == EPIPE) {
    // The signal the failed write raised is taken before the mask returns.
    const timespec now{};
    (void)sigtimedwait(&pipe_signal, nullptr, &now);
  }
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  return written;
}

int WriteOne(const std::string& path, const std::string& bytes, bool replace, std::ostream& err) {
  const WriteOutcome outcome = WriteFileAtomically(path, bytes, replace);
  if (outcome.written) return kExitSuccess;
  err << kProgram << ": "
      << (outcome.exists ? path + " exists; add --force to replace it" : outcome.message) << '\n';
  return kExitRejected;
}

}  // namespace

void ExportOptions::AddTo(OptionParser& parser) {
  parser.Add("--export-plot", export_plot,
             "Write the energy-transfer plot to FILE: .png, .svg or .pdf (by the drawing "
             "companion)");
  parser.Add("--plot-dpi", plot_dpi, "Resolution of a PNG plot in dots per inch (default 300)");
  parser.Add("--plot-size", plot_size,
             "Size of a PNG plot as WIDTHxHEIGHT in pixels (default: the window's size at the "
             "resolution)");
  parser.Add("--export-data", export_data,
             "Write the spectra, the overlap terms and the cumulative J as CSV to FILE");
  parser.Add("--report", report,
             "Write a reproducible report to FILE: .md (with the plot beside it) or .pdf");
  parser.Flag("--force", force, "Replace files that exist");
}

bool ReadExportOptions(const ExportOptions& options, DrawingRequest& drawing, std::ostream& err) {
  bool ok = true;
  drawing.replace = options.force;
  if (options.export_plot) {
    if (EndsWith(*options.export_plot, ".png") || EndsWith(*options.export_plot, ".svg") ||
        EndsWith(*options.export_plot, ".pdf")) {
      drawing.plot = *options.export_plot;
    } else {
      ok = RefuseOption(err, "--export-plot", *options.export_plot,
                        "expected a file ending in .png, .svg or .pdf");
    }
  }
  if (options.report) {
    if (EndsWith(*options.report, ".pdf")) {
      drawing.report_pdf = *options.report;
    } else if (EndsWith(*options.report, ".md")) {
      drawing.report_plot = PlotBeside(*options.report);
    } else {
      ok = RefuseOption(err, "--report", *options.report, "expected a file ending in .md or .pdf");
    }
  }
  if (const auto dpi = WholeNumber(options.plot_dpi, 2400)) {
    drawing.plot_dpi = *dpi;
  } else {
    ok =
        RefuseOption(err, "--plot-dpi", options.plot_dpi, "expected a whole number from 1 to 2400");
  }
  if (options.plot_size) {
    const auto by = options.plot_size->find_first_of("xX");
    const auto width = WholeNumber(options.plot_size->substr(0, by), 20000);
    const auto height = by == std::string::npos
                            ? std::nullopt
                            : WholeNumber(options.plot_size->substr(by + 1), 20000);
    if (width && height) {
      drawing.plot_width = *width;
      drawing.plot_height = *height;
    } else {
      ok = RefuseOption(err, "--plot-size", *options.plot_size,
                        "expected WIDTHxHEIGHT in pixels, each 1 to 20000");
    }
  }
  return ok;
}

bool NeedsDrawing(const DrawingRequest& drawing) {
  return !drawing.plot.empty() || !drawing.report_pdf.empty() || !drawing.report_plot.empty();
}

std::string DrawingOption(const DrawingRequest& drawing) {
  return drawing.plot.empty() ? "--report" : "--export-plot";
}

std::optional<std::string> DrawingCompanionPath() {
  if (const char* named = std::getenv("KORIN_FRET_RENDER"); named != nullptr && *named != '\0') {
    if (::access(named, X_OK) != 0) return std::nullopt;
    return std::string(named);
  }
  std::vector<char> self(4096);
  const ssize_t n = ::readlink("/proc/self/exe", self.data(), self.size() - 1);
  if (n <= 0) return std::nullopt;
  const std::string program(self.data(), static_cast<std::size_t>(n));
  const std::string folder = program.substr(0, program.find_last_of('/') + 1);
  // Beside the tool in a build tree; installed, in the package's libexec
  // folder (/usr/bin/../libexec/korin-fret).
  for (const std::string& candidate :
       {folder + std::string(kDrawingCompanion),
        folder + "../libexec/korin-fret/" + std::string(kDrawingCompanion)}) {
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return std::nullopt;
}

std::string ReportDate() {
  if (const char* given = std::getenv("KORIN_REPORT_DATE"); given != nullptr && *given != '\0') {
    return given;
  }
  std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm parts{};
  if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"); epoch != nullptr && *epoch != '\0') {
    now = static_cast<std::time_t>(std::strtoll(epoch, nullptr, 10));
    gmtime_r(&now, &parts);
  } else {
    localtime_r(&now, &parts);
  }
  char text[32];
  return std::string(text, std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &parts));
}

int WriteExports(const ExportOptions& options, const FretEngine& engine,
                 const FretRequest& reproduced, const AnalysisResult& analysis,
                 const DrawingRequest& drawing, std::ostream& err) {
  if (options.export_data) {
    if (const int code = WriteOne(*options.export_data, ExportDataCsv(engine), options.force, err))
      return code;
  }
  if (options.report && drawing.report_pdf.empty()) {
    const ReportContent report = BuildReport(engine, reproduced, analysis, drawing.date);
    const std::string plot =
        drawing.report_plot.empty() ? "" : std::string(FileNameOf(drawing.report_plot));
    if (const int code =
            WriteOne(*options.report, ReportMarkdown(report, plot), options.force, err)) {
      return code;
    }
  }
  return kExitSuccess;
}

int RunDrawingCompanion(const std::string& companion, const DrawingJob& job) {
  int pipe_ends[2];
  if (::pipe2(pipe_ends, O_CLOEXEC) != 0) return kExitRejected;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipe_ends[0], STDIN_FILENO);
  std::string program = companion;
  char* argv[] = {program.data(), nullptr};
  pid_t child = 0;
  const int spawned = ::posix_spawn(&child, companion.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipe_ends[0]);
  if (spawned != 0) {
    ::close(pipe_ends[1]);
    return kExitRejected;
  }
  // A companion that ends before it has read everything leaves the rest
  // unread; its exit code says what happened.
  (void)WriteAll(pipe_ends[1], DrawingJobToJson(job));
  ::close(pipe_ends[1]);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return kExitRejected;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : kExitRejected;
}

}  // namespace korin
