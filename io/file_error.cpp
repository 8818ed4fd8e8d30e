#include "io/file_error.h"

#include <string>

namespace korin {

void ShowFileError(const MessageSink& sink, std::string_view text) {
  if (!sink) return;
  std::string message = "File Error: ";
  message += text;
  sink(message);
}

}  // namespace korin
