// A DialogService that answers from a script, for driving the main window
// in tests without a display or a person.
#pragma once

#include <QPrinter>
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

#include "ui/dialog_service.h"

namespace korin::testing {

struct OpenAnswer {
  QString path;      // empty: the user cancels
  int filter_entry;  // the entry chosen in the dialog
};

struct OpenFilesAnswer {
  QStringList paths;  // empty: the user cancels
  int filter_entry;
};

class ScriptedDialogs final : public DialogService {
 public:
  std::deque<OpenAnswer> open_answers;
  std::deque<OpenFilesAnswer> open_files_answers;
  bool print_answer = true;
  bool can_print = true;

  // What the windows asked for.
  std::vector<QString> open_titles;
  std::vector<int> open_entries;  // the entry each dialog opened on
  std::vector<QString> messages;
  std::vector<QString> message_captions;
  int prints = 0;
  int printer_setups = 0;
  std::deque<QString> save_answers;  // empty QString: cancelled
  std::vector<QStringList> save_filters;
  std::optional<std::pair<QSize, int>> image_size_answer;  // nothing: cancelled
  std::vector<QSize> image_sizes_offered;
  std::optional<SpectrumSide> side_answer;
  std::vector<QString> sides_asked;
  // The column dialog: each answer in turn (nothing: cancelled), and what
  // it was shown.
  std::deque<std::optional<ColumnImportChoice>> column_answers;
  std::vector<QString> columns_asked;
  std::vector<SpectrumSide> column_sides_offered;

  std::optional<QString> OpenFile(QWidget*, OpenDialogState& state) override {
    open_titles.push_back(state.title);
    open_entries.push_back(state.filter_entry);
    if (open_answers.empty()) return std::nullopt;
    const OpenAnswer answer = open_answers.front();
    open_answers.pop_front();
    if (answer.path.isEmpty()) return std::nullopt;
    state.filter_entry = answer.filter_entry;
    return answer.path;
  }
  std::optional<QStringList> OpenFiles(QWidget*, OpenDialogState& state) override {
    open_titles.push_back(state.title);
    open_entries.push_back(state.filter_entry);
    if (open_files_answers.empty()) return std::nullopt;
    const OpenFilesAnswer answer = open_files_answers.front();
    open_files_answers.pop_front();
    if (answer.paths.isEmpty()) return std::nullopt;
    state.filter_entry = answer.filter_entry;
    return answer.paths;
  }
  bool CanPrint(const QPrinter&) override { return can_print; }
  bool Print(QWidget*, QPrinter&) override {
    ++prints;
    return print_answer;
  }
  void PrinterSetup(QWidget*, QPrinter&) override { ++printer_setups; }
  std::optional<QString> SaveFile(QWidget*, const QString&, const QStringList& filters) override {
    save_filters.push_back(filters);
    if (save_answers.empty()) return std::nullopt;
    const QString answer = save_answers.front();
    save_answers.pop_front();
    if (answer.isEmpty()) return std::nullopt;
    return answer;
  }
  std::optional<std::pair<QSize, int>> AskImageSize(QWidget*, QSize size, int dpi) override {
    image_sizes_offered.push_back(size);
    (void)dpi;
    return image_size_answer;
  }
  std::optional<SpectrumSide> AskSide(QWidget*, QPoint, const QString& file) override {
    sides_asked.push_back(file);
    return side_answer;
  }
  std::optional<ColumnImportChoice> AskColumns(QWidget*, const ColumnTable&, const QString& file,
                                               SpectrumSide side) override {
    columns_asked.push_back(file);
    column_sides_offered.push_back(side);
    if (column_answers.empty()) return std::nullopt;
    const std::optional<ColumnImportChoice> answer = column_answers.front();
    column_answers.pop_front();
    return answer;
  }
  void ShowMessage(QWidget*, const QString& caption, const QString& text) override {
    message_captions.push_back(caption);
    messages.push_back(text);
  }
};

}  // namespace korin::testing
