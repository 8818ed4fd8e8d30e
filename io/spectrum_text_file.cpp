#include "io/spectrum_text_file.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "numeric/parse_real.h"

namespace korin {
namespace {

constexpr char kCtrlZ = 26;
constexpr std::size_t kMaxRealToken = 64;
constexpr std::size_t kMaxIntegerToken = 32;

bool IsBlankOrControl(char c) {
  return static_cast<unsigned char>(c) <= 32;
}

int DigitValue(char c, int base) {
  int digit = -1;
  if (c >= '0' && c <= '9') {
    digit = c - '0';
  } else if (c >= 'a' && c <= 'f') {
    digit = c - 'a' + 10;
  } else if (c >= 'A' && c <= 'F') {
    digit = c - 'A' + 10;
  }
  return digit < base ? digit : -1;
}

}  // namespace

SpectrumTextFile::SpectrumTextFile(const SpectrumSource& source, const MessageSink& sink)
    : content_(source.opened ? source.content : std::string_view{}), open_(source.opened) {
  if (!open_) ShowFileError(sink, source.name);
}

std::string_view SpectrumTextFile::ReadLine() {
  const std::string_view rest = content_.substr(position_);
  const auto end = rest.find('\n');
  const std::string_view raw = rest.substr(0, end);
  position_ += end == std::string_view::npos ? rest.size() : end + 1;
  // The CR of a CR LF ends the line; any other CR is dropped: either way no
  // CR stays in the text.
  if (raw.find('\r') == std::string_view::npos) return raw;
  line_.assign(raw);
  line_.erase(std::remove(line_.begin(), line_.end(), '\r'), line_.end());
  return line_;
}

bool SpectrumTextFile::SeekEndOfData() {
  while (position_ < content_.size()) {
    const char c = content_[position_];
    if (c == kCtrlZ) return true;
    if (!IsBlankOrControl(c)) return false;
    ++position_;
  }
  return true;
}

std::string_view SpectrumTextFile::NextToken(std::size_t max_length) {
  if (SeekEndOfData()) return {};
  const std::size_t start = position_;
  while (position_ < content_.size() && position_ - start < max_length &&
         !IsBlankOrControl(content_[position_])) {
    ++position_;
  }
  return content_.substr(start, position_ - start);
}

double SpectrumTextFile::ReadRealToken() {
  if (!open_) {
    read_error_ = true;
    return 0.0;
  }
  const std::string_view token = NextToken(kMaxRealToken);
  if (token.empty()) return 0.0;
  double value = 0.0;
  if (!ParseReal(token, value)) read_error_ = true;
  return value;
}

std::int32_t SpectrumTextFile::ReadIntegerToken() {
  if (!open_) {
    read_error_ = true;
    return 0;
  }
  const std::string_view token = NextToken(kMaxIntegerToken);
  if (token.empty()) return 0;
  std::int32_t value = 0;
  if (!ParseIntegerToken(token, value)) read_error_ = true;
  return value;
}

bool SpectrumTextFile::TakeReadError() {
  return std::exchange(read_error_, false);
}

bool ParseIntegerToken(std::string_view token, std::int32_t& value) {
  std::size_t i = 0;
  int base = 10;
  bool negative = false;
  if (token.starts_with("0x") || token.starts_with("0X")) {
    base = 16;
    i = 2;
  } else if (!token.empty() && (token[0] == '$' || token[0] == 'x' || token[0] == 'X')) {
    base = 16;
    i = 1;
  } else if (!token.empty() && (token[0] == '+' || token[0] == '-')) {
    negative = token[0] == '-';
    i = 1;
  }
  // The magnitude allowed: 2^31 for a negative number, 2^31 - 1 otherwise.
  const std::int64_t limit =
      static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()) + (negative ? 1 : 0);
  std::int64_t magnitude = 0;
  const std::size_t first_digit = i;
  for (; i < token.size(); ++i) {
    const int digit = DigitValue(token[i], base);
    if (digit < 0 || magnitude * base + digit > limit) break;
    magnitude = magnitude * base + digit;
  }
  const bool ok = i == token.size() && i > first_digit;
  if (ok) {
    value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
  } else {
    // The digits read before the offending character, without the sign.
    value = static_cast<std::int32_t>(
        std::min<std::int64_t>(magnitude, std::numeric_limits<std::int32_t>::max()));
  }
  return ok;
}

}  // namespace korin
