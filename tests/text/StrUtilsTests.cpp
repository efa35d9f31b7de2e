// The string helpers: decoding of language-file values, cutting at a delimiter, and the
// language identifier of a file name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kxStrUtils.h"

namespace {

struct DecodeCase {
  std::string value;
  std::string decoded;
};

TEST(DecodeQuotedString, DecodesEveryFormOfValue) {
  const std::vector<DecodeCase> cases = {
      {"", ""},
      {"A", ""},  // fewer than two characters
      {"AB", "AB"},
      {"'A'", "A"},
      {"''", ""},
      {"''''", "'"},
      {"'it''s'", "it's"},
      {"'a'''", "a'"},
      {"'abc'#13#10'def'", "abc\r\ndef"},
      {"'x'#9", "x\t"},
      {"Hello 'World'", "Hello World"},
      {"'Hello' World", ""},  // a closed part followed by neither # nor the end
      {"'abc", ""},           // never closed
      {"abc'", ""},           // the last apostrophe opens a part
      {"''a", ""},
      {"a''b", "ab"},
      {"'a#b'", "a#b"},
      {"#65B", "AB"},
      {"#0065", "A"},
      {"#321", "A"},
      {"#256", std::string(1, '\0')},
      {"abc#", "abc\xFF"},
      {"#99999999999", "\xFF"},
      {"#2147483647", "\xFF"},  // the largest number, whose low byte is 255 as well
      {"#2147483648", "\xFF"},  // one past it
      {"# 1", "\xFF 1"},        // no blank between # and the digits
      {"#-1", "\xFF-1"},        // no sign
      {"#$41", "\xFF$41"},      // no hexadecimal form
      {"'a'#", "a\xFF"},
      {"'\xD0\xAF'", "\xD0\xAF"},  // bytes above 127 pass through
      {std::string("'a\0b'", 5), std::string("a\0b", 3)},
  };
  for (const DecodeCase& c : cases) {
    SCOPED_TRACE("value: " + c.value);
    EXPECT_EQ(DecodeQuotedString(c.value), c.decoded);
  }
}

struct CutCase {
  std::string delimiter;
  std::string text;
  std::string before;
  std::string after;
};

TEST(TextBeforeAndAfter, CutAtTheFirstDelimiter) {
  const std::vector<CutCase> cases = {
      {".", "pInfo.stInfo.Caption", "pInfo", "stInfo.Caption"},
      {".", "Caption", "Caption", ""},
      {".", ".x", "", "x"},
      {".", "x.", "x", ""},
      {")", "Items(3", "Items(3", ""},
      {")", "Items(3)", "Items(3", ""},
      {"(", "Items(3", "Items", "3"},
      {"_", "65259_ConfirmDelete", "65259", "ConfirmDelete"},
      {".", "", "", ""},
      {"", "abc", "abc", ""},   // an empty delimiter never occurs
      {"x", "aXb", "aXb", ""},  // compared with regard to case
      {"::", "a::b::c", "a", "b::c"},
  };
  for (const CutCase& c : cases) {
    SCOPED_TRACE("delimiter '" + c.delimiter + "', text '" + c.text + "'");
    EXPECT_EQ(TextBefore(c.delimiter, c.text), c.before);
    EXPECT_EQ(TextAfter(c.delimiter, c.text), c.after);
  }
}

TEST(ExtractFileBaseName, DropsFolderAndLastExtension) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"C:\\L\\en.lng", "en"},
      {"en.lng", "en"},
      {"en", ""},  // no extension, no base name
      {".lng", ""},
      {"D:en.lng", "en"},
      {"en.old.lng", "en.old"},
      {"pt.br.lng", "pt.br"},
      {"C:\\a.b\\en", ""},  // a dot in the folder is no extension
      {"C:\\L\\", ""},
      {"", ""},
  };
  for (const auto& [name, base] : cases) {
    SCOPED_TRACE("file name: " + name);
    EXPECT_EQ(ExtractFileBaseName(name), base);
  }
}

}  // namespace
