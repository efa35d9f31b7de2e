// Feeds any bytes to the string helpers as a language-file value, a delimiter cut and a
// file name.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "kxStrUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  // Every character of the result consumes at least one character of the value.
  FUZZ_CHECK(DecodeQuotedString(input).size() <= input.size());

  // The first byte is the delimiter, the rest the text: both halves and the delimiter
  // give the text back whenever the delimiter occurs.
  if (size > 0) {
    const std::string delimiter = input.substr(0, 1), text = input.substr(1);
    const std::string before = TextBefore(delimiter, text), after = TextAfter(delimiter, text);
    if (text.find(delimiter) == std::string::npos)
      FUZZ_CHECK(before == text && after.empty());
    else
      FUZZ_CHECK(before + delimiter + after == text);
  }

  const std::string base = ExtractFileBaseName(input);
  FUZZ_CHECK(base.size() < input.size() || input.empty());
  return 0;
}
