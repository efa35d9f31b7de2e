// Text routines of the localisation engine. Texts are bytes; nothing here knows an
// encoding, so every byte value, the zero byte included, is an ordinary character.
#include "kxStrUtils.h"

#include <cstdint>

namespace {

constexpr char kQuote = '\'';
constexpr char kCharCode = '#';

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Reads the decimal digits that follow a "#" at position start and returns the character
// they denote. A missing or too large number stands for -1, whose low byte is code 255.
// pos is left on the first character behind the digits.
char ReadCharCode(const std::string& value, std::size_t start, std::size_t* pos) {
  const std::int64_t kMaxCode = 2147483647;
  std::size_t i = start;
  std::int64_t number = 0;
  bool tooLarge = false;
  while (i < value.size() && IsDigit(value[i])) {
    // Once past the limit the number is only scanned, never grown, so it cannot overflow.
    if (!tooLarge) number = number * 10 + (value[i] - '0');
    if (number > kMaxCode) tooLarge = true;
    ++i;
  }
  *pos = i;
  if (i == start || tooLarge) number = -1;
  return static_cast<char>(static_cast<std::uint8_t>(number & 0xFF));
}

}  // namespace

std::string DecodeQuotedString(const std::string& value) {
  if (value.size() < 2) return {};
  std::string result;
  bool inside = false;
  std::size_t i = 0;
  const std::size_t n = value.size();
  while (i < n) {
    const char c = value[i];
    if (c == kQuote) {
      const bool isLast = i + 1 == n;
      if (i == 0) {
        inside = true;
        ++i;
      } else if (!isLast && value[i + 1] == kQuote) {
        // A doubled apostrophe is a literal apostrophe inside a quoted part and nothing
        // outside of one.
        if (inside) result += kQuote;
        i += 2;
      } else if (isLast || !inside) {
        inside = !inside;
        ++i;
      } else if (value[i + 1] == kCharCode) {
        // A quoted part that closes before the end may only be followed by a character code.
        inside = false;
        ++i;
      } else {
        return {};
      }
    } else if (c == kCharCode && !inside) {
      result += ReadCharCode(value, i + 1, &i);
    } else {
      result += c;
      ++i;
    }
  }
  // A quoted part that never closes makes the whole value invalid.
  return inside ? std::string() : result;
}

std::string TextBefore(const std::string& delimiter, const std::string& text) {
  const std::size_t pos = delimiter.empty() ? std::string::npos : text.find(delimiter);
  return pos == std::string::npos ? text : text.substr(0, pos);
}

std::string TextAfter(const std::string& delimiter, const std::string& text) {
  const std::size_t pos = delimiter.empty() ? std::string::npos : text.find(delimiter);
  return pos == std::string::npos ? std::string() : text.substr(pos + delimiter.size());
}

std::string ExtractFileBaseName(const std::string& fileName) {
  const std::size_t folderEnd = fileName.find_last_of("\\:");
  const std::string name =
      folderEnd == std::string::npos ? fileName : fileName.substr(folderEnd + 1);
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(0, dot);
}
