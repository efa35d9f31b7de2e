// The delimited-list syntax of string-list values in language files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kxLangFormat.h"

namespace {

struct ListCase {
  std::string value;
  std::vector<std::string> items;
};

TEST(SplitDelimitedList, SplitsAtCommasAndBlanks) {
  const std::vector<ListCase> cases = {
      {"'C:\\Temp', 'D:\\Old files',E:\\", {"C:\\Temp", "D:\\Old files", "E:\\"}},
      {"a b", {"a", "b"}},
      {"a,,b", {"a", "", "b"}},
      {"a,", {"a", ""}},
      {"'abc", {"abc"}},  // an item never closed runs to the end
      {"", {}},
      {" \t ", {}},
      {"  a  ", {"a"}},
      {"a , b", {"a", "b"}},
      {"a, ", {"a"}},  // the comma is not the last character
      {",a", {"", "a"}},
      {",", {"", ""}},  // an empty item, then the one a final comma announces
      {"'it''s','x,y'", {"it's", "x,y"}},
      {"'a'b", {"a", "b"}},  // a closing apostrophe ends the item
      {"''", {""}},
      {"'a''", {"a'"}},
      {"#13,'#10'", {"#13", "#10"}},  // codes are not decoded here
      {"a\x01"
       "b\x1F"
       "c",
       {"a", "b", "c"}},
      {std::string("a\0b", 3), {std::string("a\0b", 3)}},  // the zero byte is no blank
  };
  for (const ListCase& c : cases) {
    SCOPED_TRACE("value: " + c.value);
    EXPECT_EQ(SplitDelimitedList(c.value), c.items);
  }
}

}  // namespace
