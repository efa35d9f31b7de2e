// Feeds any bytes to the integer and float syntaxes of INI values.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "IniFiles.h"

namespace {

bool IsPlainDecimal(const std::string& text) {
  if (text.empty() || text.size() > 18) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::int32_t integer = 0;
  const bool isInteger = IniStrToInt(text, &integer);
  // A plain run of digits converts exactly when it fits, to its own value.
  if (IsPlainDecimal(text)) {
    const long long expected = std::stoll(text);
    FUZZ_CHECK(isInteger == (expected <= 2147483647LL));
    if (isInteger) FUZZ_CHECK(integer == expected);
  }
  for (char separator : {'.', ','}) {
    double value = 0;
    if (IniStrToFloat(text, separator, &value)) FUZZ_CHECK(std::isfinite(value));
  }
  return 0;
}
