// The delimited-list syntax of string-list values in language files.
#include "kxLangFormat.h"

namespace {

constexpr char kQuote = '\'';
constexpr char kDelimiter = ',';

// Codes 1 to 32 separate items; the zero byte is an ordinary character of an item.
bool IsBlank(char c) {
  const unsigned char code = static_cast<unsigned char>(c);
  return code >= 1 && code <= 32;
}

void SkipBlanks(const std::string& value, std::size_t* pos) {
  while (*pos < value.size() && IsBlank(value[*pos])) ++*pos;
}

// Reads the item that begins with an apostrophe at *pos, up to the next apostrophe that is
// not doubled, or to the end of the value when the item is never closed.
std::string ReadQuotedItem(const std::string& value, std::size_t* pos) {
  std::string item;
  std::size_t i = *pos + 1;
  while (i < value.size()) {
    if (value[i] != kQuote) {
      item += value[i++];
    } else if (i + 1 < value.size() && value[i + 1] == kQuote) {
      item += kQuote;
      i += 2;
    } else {
      ++i;
      break;
    }
  }
  *pos = i;
  return item;
}

std::string ReadPlainItem(const std::string& value, std::size_t* pos) {
  const std::size_t start = *pos;
  while (*pos < value.size() && value[*pos] != kDelimiter && !IsBlank(value[*pos])) ++*pos;
  return value.substr(start, *pos - start);
}

}  // namespace

std::vector<std::string> SplitDelimitedList(const std::string& value) {
  std::vector<std::string> items;
  std::size_t pos = 0;
  SkipBlanks(value, &pos);
  while (pos < value.size()) {
    items.push_back(value[pos] == kQuote ? ReadQuotedItem(value, &pos)
                                         : ReadPlainItem(value, &pos));
    SkipBlanks(value, &pos);
    if (pos < value.size() && value[pos] == kDelimiter) {
      // A comma that ends the value still announces one more, empty item.
      if (pos + 1 == value.size()) items.emplace_back();
      ++pos;
      SkipBlanks(value, &pos);
    }
  }
  return items;
}
