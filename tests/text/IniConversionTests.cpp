// The integer and float syntaxes of INI values.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "IniFiles.h"

namespace {

std::optional<std::int32_t> AsInteger(const std::string& text) {
  std::int32_t value;
  if (!IniStrToInt(text, &value)) return std::nullopt;
  return value;
}

std::optional<double> AsFloat(const std::string& text, char separator) {
  double value;
  if (!IniStrToFloat(text, separator, &value)) return std::nullopt;
  return value;
}

TEST(IniStrToInt, ReadsDecimalAndHexadecimal) {
  const std::vector<std::pair<std::string, std::optional<std::int32_t>>> cases = {
      {"12", 12},
      {"-7", -7},
      {"007", 7},
      {"$1F", 31},
      {"0x1F", 31},
      {"x1F", 31},
      {"X1f", 31},
      {"0X1F", 31},
      {"-$10", -16},
      {"$FFFFFFFF", -1},
      {"$7FFFFFFF", 2147483647},
      {"$80000000", INT32_MIN},
      {"-$80000000", INT32_MIN},  // negating the smallest integer wraps to itself
      {"$000000001", 1},          // leading zeros are no significant digits
      {"  +5", 5},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"000000000000000000042", 42},
      {"1 2", std::nullopt},
      {"12px", std::nullopt},
      {"12 ", std::nullopt},
      {"0x", std::nullopt},
      {"$", std::nullopt},
      {"x", std::nullopt},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"99999999999999999999999", std::nullopt},
      {"$100000000", std::nullopt},
      {"", std::nullopt},
      {"-", std::nullopt},
      {"+-1", std::nullopt},
      {"- 1", std::nullopt},
      {"\t1", std::nullopt},  // only code 32 counts as a blank
      {"$1G", std::nullopt},
  };
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE("text: '" + text + "'");
    EXPECT_EQ(AsInteger(text), expected);
  }
}

struct FloatCase {
  std::string text;
  char separator;
  std::optional<double> expected;
};

TEST(IniStrToFloat, ReadsTheGivenDecimalSeparator) {
  const std::vector<FloatCase> cases = {
      {"1,5", ',', 1.5},
      {"1,5", '.', std::nullopt},
      {"1.5", '.', 1.5},
      {"1.5", ',', std::nullopt},
      {"2E3", '.', 2000.0},
      {"2e-3", '.', 0.002},
      {"-2,5E+1", ',', -25.0},
      {"1E", '.', 1.0},  // an exponent without digits counts as 0
      {"1E+", '.', 1.0},
      {",5", ',', 0.5},
      {"5,", ',', 5.0},
      {",", ',', 0.0},  // the separator alone stands in front of the exponent
      {"  7  ", '.', 7.0},
      {"+3", '.', 3.0},
      {"1 000", '.', std::nullopt},  // no thousands separator
      {"1,000.5", '.', std::nullopt},
      {"E5", '.', std::nullopt},
      {"", '.', std::nullopt},
      {"-", '.', std::nullopt},
      {"1E5x", '.', std::nullopt},
      {"1E++5", '.', std::nullopt},
      {"0x10", '.', std::nullopt},
      {"1E400", '.', std::nullopt},  // beyond double precision
      {"1E-400", '.', 0.0},          // too small to tell from zero
      {"-0.001E-330", '.', -0.0},
      {"5E-320", '.', 5E-320},  // below the normal range, still representable
      {"1000000000E-1000000000000", '.', 0.0},
      {"0.000E-999", '.', 0.0},
      {"0.1", '.', 0.1},
  };
  for (const FloatCase& c : cases) {
    SCOPED_TRACE("text: '" + c.text + "', separator '" + std::string(1, c.separator) + "'");
    EXPECT_EQ(AsFloat(c.text, c.separator), c.expected);
  }
}

}  // namespace
