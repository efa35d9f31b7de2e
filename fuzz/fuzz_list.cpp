// Feeds any bytes to the delimited-list splitting of string-list values.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "kxLangFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string value(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> items = SplitDelimitedList(value);
  // Items only ever drop characters of the value: apostrophes, commas, blanks.
  std::size_t total = 0;
  for (const std::string& item : items) total += item.size();
  FUZZ_CHECK(total <= value.size());
  // Every item but an empty one takes at least one character; a comma makes an empty one.
  FUZZ_CHECK(items.size() <= value.size() + 1);
  return 0;
}
