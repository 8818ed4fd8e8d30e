// A spectrum file's content read as 8-bit text: lines, the end-of-data test
// and the whitespace-separated token reads that some formats use.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "io/file_error.h"
#include "io/spectrum_source.h"

namespace korin {

class SpectrumTextFile {
 public:
  // Reads `source` without copying it; the content must outlive this
  // object. A source that could not be opened reports "File Error: " + its
  // name through `sink`, once, and then reads as an empty file whose token
  // reads mark read errors.
  SpectrumTextFile(const SpectrumSource& source, const MessageSink& sink);

  [[nodiscard]] bool is_open() const { return open_; }

  // Whether every character has been read. A Ctrl-Z does not count here:
  // a line read whole starting with one still has text.
  [[nodiscard]] bool AtEndOfContent() const { return position_ >= content_.size(); }

  // The next line without its line end, and moves past it. A line ends at
  // LF or CR LF; a CR elsewhere is dropped from the text; Ctrl-Z is an
  // ordinary character here. At the end of the file the text is empty.
  // The view is valid until the next read.
  std::string_view ReadLine();

  // Skips characters of code 0..32 (blanks, tabs, line ends, control
  // characters) and answers true at the end of the file or at a Ctrl-Z,
  // false at the first character above 32, which stays unread.
  [[nodiscard]] bool SeekEndOfData();

  // Skips as SeekEndOfData does, then converts the following run of at most
  // 64 characters above code 32 with ParseReal. At the end of the file it
  // gives 0 with no error; a failed conversion gives the partial value and
  // marks a read error, as does any read of a file that failed to open.
  [[nodiscard]] double ReadRealToken();

  // As ReadRealToken for a whole number of at most 32 characters: decimal
  // with an optional sign, or unsigned hexadecimal after "$", "x", "X",
  // "0x" or "0X", within the signed 32-bit range. A failed token gives the
  // value of the digits before the offending character.
  [[nodiscard]] std::int32_t ReadIntegerToken();

  // Whether a read error was marked since the last call; clears the mark.
  [[nodiscard]] bool TakeReadError();

 private:
  // The next run of characters above code 32, at most `max_length` long;
  // empty at the end of the data.
  std::string_view NextToken(std::size_t max_length);

  std::string_view content_;
  std::size_t position_ = 0;
  std::string line_;  // a line whose CRs had to be removed
  bool open_ = false;
  bool read_error_ = false;
};

// Converts a whole-number token as ReadIntegerToken describes; answers
// whether the whole token converted.
[[nodiscard]] bool ParseIntegerToken(std::string_view token, std::int32_t& value);

}  // namespace korin
