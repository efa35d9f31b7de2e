// The in-memory INI file: the line syntax as it reads real files, lookups by name, the
// typed readers and writers, the bytes that UpdateFile writes, and the file errors.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Classes.h"
#include "FileSys.h"
#include "IniFiles.h"
#include "SysUtils.h"
#include "TestFiles.h"

namespace {

class MemIniFileTest : public testing::Test {
 protected:
  // A store read from a file that holds bytes.
  std::unique_ptr<TMemIniFile> Load(const std::string& bytes) {
    return std::make_unique<TMemIniFile>(folder_.Write("test.ini", bytes));
  }

  static std::vector<std::string> Section(TMemIniFile& ini, const std::string& name) {
    TStringList names;
    ini.ReadSection(name, names);
    return names.Lines();
  }

  static std::vector<std::string> Sections(TMemIniFile& ini) {
    TStringList names;
    ini.ReadSections(names);
    return names.Lines();
  }

  TempFolder folder_;
};

struct ParseCase {
  const char* what;
  std::string file;
  std::string stored;  // the store as UpdateFile would write it
};

TEST_F(MemIniFileTest, ReadsTheLineSyntax) {
  const std::string kAx1y2 = "[A]\r\nx=1\r\ny=2\r\n\r\n";
  const std::vector<ParseCase> cases = {
      {"blanks around name and value", "[TMainForm]\r\n \t Caption  =  'OK' \t\r\n",
       "[TMainForm]\r\nCaption='OK'\r\n\r\n"},
      {"only the first = splits", "[A]\r\nHint=a=b", "[A]\r\nHint=a=b\r\n\r\n"},
      {"a key line with an empty name", "[A]\r\n = v ", "[A]\r\n=v\r\n\r\n"},
      {"bare line", "[A]\r\n Caption \r\n", "[A]\r\nCaption\r\n\r\n"},
      {"lines before the first header", "x=1\r\nfree text\r\n[A]\r\n", "[A]\r\n\r\n"},
      {"comments and empty lines", "[A]\r\n;c\r\n \t; c\r\n\r\n   \r\n#x=1\r\n",
       "[A]\r\n#x=1\r\n\r\n"},
      {"text behind ] makes no header", "[A]\r\n[TMainForm] ; main window\r\n",
       "[A]\r\n[TMainForm] ; main window\r\n\r\n"},
      {"... and is ignored before any section", "[TMainForm] ; main\r\nk=v\r\n", ""},
      {"blanks inside the brackets", "[ TMainForm ]\r\n", "[TMainForm]\r\n\r\n"},
      {"the empty section name", "[]\r\nk=v", "[]\r\nk=v\r\n\r\n"},
      {"a lone bracket is no header", "[\r\nk=v\r\n", ""},
      {"repeated sections stay apart", "[A]\r\nx=1\r\n[a]\r\ny=2\r\n",
       "[A]\r\nx=1\r\n\r\n[a]\r\ny=2\r\n\r\n"},
      {"CR LF", "[A]\r\nx=1\r\ny=2\r\n", kAx1y2},
      {"LF", "[A]\nx=1\ny=2\n", kAx1y2},
      {"CR", "[A]\rx=1\ry=2\r", kAx1y2},
      {"LF CR is two line ends", "[A]\n\rx=1\n\ry=2", kAx1y2},
      {"control characters are trimmed", "\x01[A]\x1F\r\nx=1\x02\r\ny\x7F=2\r\n",
       "[A]\r\nx=1\r\ny\x7F=2\r\n\r\n"},
      {"a zero byte ends the text", std::string("[A]\r\nx=1\0\r\ny=2\r\n", 17),
       "[A]\r\nx=1\r\n\r\n"},
      {"a zero byte inside a line", std::string("[A]\r\nx=1\0y=2", 12), "[A]\r\nx=1\r\n\r\n"},
      {"a byte-order mark is part of the first line", "\xEF\xBB\xBF[A]\r\nx=1\r\n", ""},
      {"empty file", "", ""},
  };
  for (const ParseCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Load(c.file)->ToText(), c.stored);
  }
}

TEST_F(MemIniFileTest, ValuesAreStoredUndecoded) {
  auto ini = Load("[TMainForm]\r\nCaption  =  'OK'\r\nHint='a'#13'b'\r\n");
  EXPECT_EQ(ini->ReadString("TMainForm", "caption", "-"), "'OK'");
  EXPECT_EQ(ini->ReadString("tmainform", "HINT", "-"), "'a'#13'b'");
}

TEST_F(MemIniFileTest, ABareLineHasNoNameToBeReadBy) {
  auto ini = Load("[A]\r\nx=1\r\nCaption\r\ny=2\r\n");
  EXPECT_EQ(Section(*ini, "A"), (std::vector<std::string>{"x", "", "y"}));
  EXPECT_EQ(ini->ReadString("A", "Caption", "default"), "default");
  EXPECT_EQ(ini->ReadString("A", "", "default"), "default");
}

TEST_F(MemIniFileTest, AnEmptyKeyNameIsReadByTheEmptyName) {
  auto ini = Load("[A]\r\n=v\r\n");
  EXPECT_EQ(ini->ReadString("A", "", "-"), "v");
  EXPECT_EQ(Section(*ini, "A"), (std::vector<std::string>{""}));
}

TEST_F(MemIniFileTest, TheLastSectionOfANameWins) {
  auto ini = Load("[TMainForm]\r\nCaption=A\r\nHint=H\r\n[x]\r\n[tmainform]\r\nCaption=B\r\n");
  EXPECT_EQ(Section(*ini, "TMainForm"), (std::vector<std::string>{"Caption"}));
  EXPECT_EQ(ini->ReadString("TMainForm", "Caption", ""), "B");
  EXPECT_EQ(ini->ReadString("TMainForm", "Hint", "none"), "none");
  EXPECT_EQ(Sections(*ini), (std::vector<std::string>{"TMainForm", "x", "tmainform"}));
}

TEST_F(MemIniFileTest, TheLastKeyOfANameWins) {
  auto ini = Load("[A]\r\nCaption=A\r\ncaption=B\r\n");
  EXPECT_EQ(Section(*ini, "A"), (std::vector<std::string>{"Caption", "caption"}));
  EXPECT_EQ(ini->ReadString("A", "CAPTION", ""), "B");
}

TEST_F(MemIniFileTest, NamesMatchAcrossCaseInTheUsersLocale) {
  auto ini = Load("[тест]\r\nключ=значение\r\n[Één]\r\nk=1\r\n");
  EXPECT_EQ(ini->ReadString("ТЕСТ", "КЛЮЧ", ""), "значение");
  EXPECT_EQ(Section(*ini, "ТеСт"), (std::vector<std::string>{"ключ"}));
  EXPECT_EQ(ini->ReadString("éÉN", "K", ""), "1");
}

TEST_F(MemIniFileTest, AMissingFileGivesAnEmptyStore) {
  for (const std::string& name : {std::string(), folder_ / "absent.ini", folder_.Path()}) {
    SCOPED_TRACE("file name: " + name);
    TMemIniFile ini(name);
    EXPECT_EQ(ini.ReadString("A", "x", "default"), "default");
    EXPECT_EQ(ini.ReadInteger("A", "x", 5), 5);
    EXPECT_TRUE(Section(ini, "A").empty());
    EXPECT_TRUE(Sections(ini).empty());
    EXPECT_EQ(ini.FileName, name);
  }
}

TEST_F(MemIniFileTest, SectionValuesAreTheStoredLines) {
  auto ini = Load("[A]\r\n x = 1 \r\nbare\r\n");
  TStringList lines;
  lines.Add("old");
  ini->ReadSectionValues("A", lines);
  EXPECT_EQ(lines.Lines(), (std::vector<std::string>{"x=1", "bare"}));
  ini->ReadSectionValues("missing", lines);
  EXPECT_EQ(lines.Count(), 0);
}

TEST_F(MemIniFileTest, TypedReadersConvertOrFallBack) {
  const std::string separator(1, DecimalSeparator());
  const std::string other = separator == "." ? "," : ".";
  auto ini = Load("[N]\r\nhex=$FFFFFFFF\r\nbad=12px\r\nzero=0\r\nfloat=1" + separator +
                  "5\r\nforeign=1" + other + "5\r\nempty=\r\n");
  EXPECT_EQ(ini->ReadInteger("N", "hex", 0), -1);
  EXPECT_EQ(ini->ReadInteger("N", "bad", 9), 9);
  EXPECT_EQ(ini->ReadInteger("N", "empty", 9), 9);
  EXPECT_EQ(ini->ReadFloat("N", "float", 0), 1.5);
  EXPECT_EQ(ini->ReadFloat("N", "foreign", 7), 7);
  EXPECT_EQ(ini->ReadFloat("N", "empty", 7), 7);
  EXPECT_TRUE(ini->ReadBool("N", "hex", false));
  EXPECT_FALSE(ini->ReadBool("N", "zero", true));
  EXPECT_TRUE(ini->ReadBool("N", "bad", true));
  EXPECT_FALSE(ini->ReadBool("N", "missing", false));
}

TEST_F(MemIniFileTest, WriteStringReplacesTheLastKeyInPlaceOrAppends) {
  auto ini = Load("[A]\r\nx=1\r\ny=2\r\nX=3\r\n[B]\r\n");
  ini->WriteString("a", "x", " new ");
  ini->WriteString("A", "z", "4");
  ini->WriteString("C", "k", "v");
  EXPECT_EQ(ini->ToText(),
            "[A]\r\nx=1\r\ny=2\r\nx= new \r\nz=4\r\n\r\n[B]\r\n\r\n[C]\r\nk=v\r\n\r\n");
  EXPECT_EQ(ini->ReadString("A", "X", ""), " new ");
  EXPECT_EQ(ini->ReadString("c", "K", ""), "v");
}

TEST_F(MemIniFileTest, DeletingTheLastOccurrenceUncoversTheEarlierOne) {
  auto ini = Load("[A]\r\nk=first\r\nk=second\r\n[A]\r\nk=third\r\n");
  ini->DeleteKey("A", "k");
  EXPECT_EQ(ini->ReadString("A", "k", "none"), "none");
  ini->EraseSection("a");
  EXPECT_EQ(ini->ReadString("A", "k", "none"), "second");
  ini->DeleteKey("A", "K");
  EXPECT_EQ(ini->ReadString("A", "k", "none"), "first");
  ini->DeleteKey("A", "missing");
  ini->EraseSection("missing");
  EXPECT_EQ(ini->ToText(), "[A]\r\nk=first\r\n\r\n");
}

TEST_F(MemIniFileTest, TypedWritersStoreText) {
  TMemIniFile ini("");
  ini.WriteInteger("T", "int", -42);
  ini.WriteBool("T", "yes", true);
  ini.WriteBool("T", "no", false);
  ini.WriteFloat("T", "float", 2.5);
  ini.WriteDate("T", "date", 45000.75);
  ini.WriteTime("T", "time", 0.75);
  ini.WriteDateTime("T", "stamp", 45000.5);
  ini.WriteBinaryStream("T", "bytes", {0x00, 0xAB, 0x7F});
  const std::string separator(1, DecimalSeparator());
  EXPECT_EQ(ini.ToText(), "[T]\r\nint=-42\r\nyes=1\r\nno=0\r\nfloat=2" + separator +
                              "5\r\ndate=2023-03-15\r\ntime=18:00:00\r\n"
                              "stamp=2023-03-15 12:00:00\r\nbytes=00AB7F\r\n\r\n");
  EXPECT_EQ(ini.ReadInteger("T", "int", 0), -42);
  EXPECT_EQ(ini.ReadFloat("T", "float", 0), 2.5);
  EXPECT_EQ(ini.ReadDate("T", "date", 0), 45000);
  EXPECT_EQ(ini.ReadTime("T", "time", 0), 0.75);
  EXPECT_EQ(ini.ReadDateTime("T", "stamp", 0), 45000.5);
  EXPECT_EQ(ini.ReadDateTime("T", "date", 0), 45000);
  EXPECT_EQ(ini.ReadDate("T", "time", -1), -1);
  std::vector<std::uint8_t> bytes;
  EXPECT_EQ(ini.ReadBinaryStream("T", "bytes", bytes), 3);
  EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0x00, 0xAB, 0x7F}));
  EXPECT_EQ(ini.ReadBinaryStream("T", "int", bytes), 0);
  EXPECT_THROW(ini.WriteDate("T", "date", 1e300), ERangeError);
}

TEST_F(MemIniFileTest, UpdateFileWritesTheStoreExactly) {
  const std::string path = folder_.Write("golden.ini", "[A]\r\nx = 1\r\n; note\r\n[B]\r\n");
  TMemIniFile ini(path);
  ini.UpdateFile();
  EXPECT_EQ(ReadWholeFile(path), "[A]\r\nx=1\r\n\r\n[B]\r\n\r\n");
}

TEST_F(MemIniFileTest, UpdateFileOfAnEmptyStoreEmptiesTheFile) {
  const std::string path = folder_.Write("empty.ini", "no section\r\n");
  TMemIniFile ini(path);
  ini.UpdateFile();
  EXPECT_EQ(ReadWholeFile(path), "");
}

TEST_F(MemIniFileTest, AFileThatCannotBeOpenedNamesFileAndReason) {
  const std::string path = folder_.Write("locked.ini", "[A]\r\n");
  TFileHandle lock = TFileHandle::OpenExclusive(path);
  ASSERT_TRUE(lock.IsOpen());
  try {
    TMemIniFile ini(path);
    FAIL() << "the locked file was read";
  } catch (const EFOpenError& e) {
    const std::uint32_t kSharingViolation = 32;
    EXPECT_EQ(e.Message(),
              "Cannot open file \"" + path + "\". " + SysErrorMessage(kSharingViolation));
  }
}

TEST_F(MemIniFileTest, AFileThatCannotBeCreatedNamesFileAndReason) {
  const std::string path = folder_ / "gone\\test.ini";
  TMemIniFile ini(path);
  ini.WriteString("A", "x", "1");
  try {
    ini.UpdateFile();
    FAIL() << "a file was created in a missing folder";
  } catch (const EFCreateError& e) {
    const std::uint32_t kPathNotFound = 3;
    EXPECT_EQ(e.Message(),
              "Cannot create file \"" + path + "\". " + SysErrorMessage(kPathNotFound));
  }
}

}  // namespace
