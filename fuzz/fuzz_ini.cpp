// Feeds any bytes to the INI reader as the content of a file, then runs every lookup on
// what it read and checks that writing and reading the store again changes nothing.
#include <cstddef>
#include <cstdint>
#include <string>

#include "Classes.h"
#include "FuzzCheck.h"
#include "IniFiles.h"

namespace {

// Opens the reading of text to the fuzzer; the store's own constructor reads files.
class TextIniFile : public TMemIniFile {
 public:
  explicit TextIniFile(const std::string& text) : TMemIniFile("") { LoadFromText(text); }
};

void ReadEverything(TMemIniFile& ini) {
  TStringList sections, keys, lines;
  ini.ReadSections(sections);
  for (int s = 0; s < sections.Count(); ++s) {
    const std::string section = sections[s];
    ini.ReadSection(section, keys);
    ini.ReadSectionValues(section, lines);
    for (int k = 0; k < keys.Count(); ++k) {
      ini.ReadString(section, keys[k], "");
      ini.ReadInteger(section, keys[k], 0);
      ini.ReadFloat(section, keys[k], 0);
      ini.ReadBool(section, keys[k], false);
      ini.ReadDateTime(section, keys[k], 0);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TextIniFile ini(std::string(reinterpret_cast<const char*>(data), size));
  ReadEverything(ini);

  // What UpdateFile would write reads back as the same store.
  const std::string written = ini.ToText();
  FUZZ_CHECK(TextIniFile(written).ToText() == written);

  // Changes keep the indexes consistent with the table.
  TStringList sections;
  ini.ReadSections(sections);
  if (sections.Count() > 0) {
    const std::string first = sections[0];
    ini.WriteString(first, "fuzz", "value");
    FUZZ_CHECK(ini.ReadString(first, "FUZZ", "") == "value");
    ini.DeleteKey(first, "fuzz");
    ini.EraseSection(first);
    ReadEverything(ini);
  }
  return 0;
}
