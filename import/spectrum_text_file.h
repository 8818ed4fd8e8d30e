// A spectrum file read as 8-bit text: lines, the end-of-data test and the
// whitespace-separated token reads that some formats use.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "import/file_error.h"

namespace korin {

class SpectrumTextFile {
 public:
  // Opens `path` read-only and takes in its whole content, so that nobody
  // writing the file meanwhile changes what is read. Anything that is not a
  // readable regular file (missing, a directory, a FIFO, a read error
  // part-way) reports "File Error: " + path through `sink`, once, and then
  // reads as an empty file whose token reads mark read errors. Opening never
  // blocks.
  SpectrumTextFile(std::string_view path, const MessageSink& sink);

  [[nodiscard]] bool is_open() const { return open_; }

  // Whether the file has ended: every character has been read, or the next
  // one is the Ctrl-Z that old instrument files end with. A further line
  // would be empty only because there is no more file.
  [[nodiscard]] bool AtEndOfFile() const;

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
  double ReadRealToken();

  // As ReadRealToken for a whole number of at most 32 characters: decimal
  // with an optional sign, or unsigned hexadecimal after "$", "x", "X",
  // "0x" or "0X", within the signed 32-bit range. A failed token gives the
  // value of the digits before the offending character.
  std::int32_t ReadIntegerToken();

  // Whether a read error was marked since the last call; clears the mark.
  [[nodiscard]] bool TakeReadError();

 private:
  // The next run of characters above code 32, at most `max_length` long;
  // empty at the end of the data.
  std::string_view NextToken(std::size_t max_length);

  std::string content_;
  std::size_t position_ = 0;
  std::string line_;  // a line whose CRs had to be removed
  bool open_ = false;
  bool read_error_ = false;
};

// Converts a whole-number token as ReadIntegerToken describes; answers
// whether the whole token converted.
[[nodiscard]] bool ParseIntegerToken(std::string_view token, std::int32_t& value);

}  // namespace korin
