// The comparison over real fixture folders: checksums, which files pair, the row order, the
// count text, the folder error, stopping, and the files that are never read.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "FileSys.h"
#include "MainFormFixture.h"
#include "TestFiles.h"

namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s += static_cast<char>(v);
  return s;
}

// The checksum computed independently: XOR of the whole little-endian words.
std::uint32_t ExpectedChecksum(const std::string& content) {
  std::uint32_t x = 0;
  for (std::size_t i = 0; i + 4 <= content.size(); i += 4) {
    std::uint32_t w;
    std::memcpy(&w, content.data() + i, 4);
    x ^= w;
  }
  return x;
}

std::string Pattern(std::size_t size, unsigned seed) {
  std::string s(size, '\0');
  for (std::size_t i = 0; i < size; ++i) s[i] = static_cast<char>((i * 131 + seed * 7 + (i >> 8)) & 0xFF);
  return s;
}

}  // namespace

TEST_F(MainFormTest, ChecksumIsTheXorOfWholeLittleEndianWords) {
  struct Case {
    const char* name;
    std::string content;
    std::uint32_t checksum;
  } cases[] = {
      {"five bytes", Bytes({1, 2, 3, 4, 5}), 0x04030201},
      {"empty", "", 0},
      {"one byte", "x", 0},
      {"three bytes", "xyz", 0},
      {"two words", Bytes({1, 0, 0, 0, 0, 1, 0, 0}), 0x00000101},
      // Longer than one 16380-byte block, and not a multiple of four long.
      {"three blocks", Pattern(16380 * 2 + 1001, 3), ExpectedChecksum(Pattern(16380 * 2 + 1001, 3))},
  };
  TempFolder dir;
  form->FileList = std::make_unique<std::vector<TFileRec>>();
  for (const Case& c : cases) form->AddFileRecord(dir.Write(c.name, c.content));
  ASSERT_EQ(form->FileList->size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].name);
    EXPECT_EQ((*form->FileList)[i].FileName, dir / cases[i].name);
    EXPECT_EQ((*form->FileList)[i].Size, cases[i].content.size());
    EXPECT_EQ((*form->FileList)[i].Checksum, cases[i].checksum);
  }
  form->FileList.reset();
}

TEST_F(MainFormTest, ThreeIdenticalFilesGiveThreeRowsInReadingOrder) {
  TempFolder dir;
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) dir.Write(name, "same content here");
  dir.Write("other.txt", "different content");
  Compare({dir.Path() + "\\"});
  EXPECT_EQ(Rows(), (::Rows{{dir / "a.txt", dir / "b.txt"},
                            {dir / "a.txt", dir / "c.txt"},
                            {dir / "b.txt", dir / "c.txt"}}));
  EXPECT_EQ(form->stCount->Caption(), "Всего пар найдено: 3.");
  EXPECT_EQ(form->btnCompare->Caption(), "Запустить сравнение");
  EXPECT_FALSE(form->stInfo->Visible());
  EXPECT_FALSE(CompareRunning);
}

TEST_F(MainFormTest, FilesThatOnlyShareSizeAndChecksumAreNotListed) {
  struct Case {
    const char* name;
    std::string first, second;
  } cases[] = {
      {"short files of equal size", "ab", "cd"},
      {"differ only in the bytes after the last whole word", "abcd1", "abcd2"},
      {"two words swapped", "abcd1234", "1234abcd"},
      {"differing words that cancel out", Bytes({1, 0, 0, 0, 1, 0, 0, 0}), Bytes({2, 0, 0, 0, 2, 0, 0, 0})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder dir;
    dir.Write("first", c.first);
    dir.Write("second", c.second);
    Compare({dir.Path()});
    EXPECT_EQ(Rows(), (::Rows{{"", ""}}));
    EXPECT_EQ(form->stCount->Caption(), "");
  }
}

TEST_F(MainFormTest, EmptyFilesAndLargeIdenticalFilesPair) {
  TempFolder dir;
  dir.Write("empty1", "");
  dir.Write("empty2", "");
  std::string big = Pattern(100000, 9);
  dir.Write("big1", big);
  std::string almost = big;
  almost[99999] ^= 1;  // same size, different last byte of a whole word
  dir.Write("big2", almost);
  dir.Write("big3", big);
  Compare({dir.Path()});
  EXPECT_EQ(Rows(), (::Rows{{dir / "big1", dir / "big3"}, {dir / "empty1", dir / "empty2"}}));
}

TEST_F(MainFormTest, HiddenSystemFilesAndSubfoldersAreNotRead) {
  TempFolder dir;
  dir.Write("visible", "twin");
  std::string hidden = dir.Write("hidden", "twin");
  std::string system = dir.Write("system", "twin");
  dir.Write("sub\\inner", "twin");
  if (!FileSetAttr(hidden, faHidden) || !FileSetAttr(system, faSysFile) ||
      (FileGetAttr(hidden) & faHidden) == 0 || (FileGetAttr(system) & faSysFile) == 0)
    GTEST_SKIP() << "this file system does not keep the hidden and system attributes";
  Compare({dir.Path()});
  EXPECT_EQ(Rows(), (::Rows{{"", ""}}));
}

TEST_F(MainFormTest, AFileHeldOpenByAnotherProgramIsSkippedSilently) {
  TempFolder dir;
  dir.Write("a", "twin");
  std::string locked = dir.Write("b", "twin");
  dir.Write("c", "twin");
  TFileHandle holder = TFileHandle::OpenExclusive(locked);
  ASSERT_TRUE(holder.IsOpen());
  Compare({dir.Path()});
  EXPECT_EQ(Rows(), (::Rows{{dir / "a", dir / "c"}}));
}

TEST_F(MainFormTest, AFileIsNeverListedAsATwinOfItself) {
  TempFolder dir;
  std::string folder = dir.MakeFolder("data");
  dir.Write("data\\a", "twin");
  dir.Write("data\\b", "twin");
  dir.Write("data\\unique", "alone");
  // The same folder on two lines, once in other letter case and with a trailing backslash.
  Compare({folder, AnsiUpperCase(folder) + "\\"});
  EXPECT_EQ(Rows(), (::Rows{{dir / "data\\a", dir / "data\\b"}}));

  // Two hard links of one file are one file.
  std::string link = dir / "data\\unique-link";
  if (!CreateHardLinkA(link.c_str(), (dir / "data\\unique").c_str(), nullptr))
    GTEST_SKIP() << "hard links are not available here";
  Compare({folder});
  EXPECT_EQ(Rows(), (::Rows{{dir / "data\\a", dir / "data\\b"}}));
}

TEST_F(MainFormTest, AMissingFolderStopsTheComparisonAndNamesItsLine) {
  TempFolder dir;
  dir.Write("a", "twin");
  dir.Write("b", "twin");
  std::string missing = dir.Path() + "\\no such folder";
  try {
    Compare({dir.Path(), missing});
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Папка \"" + missing + "\" не найдена!");
  }
  EXPECT_EQ(Rows(), (::Rows{{"", ""}}));
  EXPECT_EQ(form->stCount->Caption(), "");
  EXPECT_EQ(form->btnCompare->Caption(), "Запустить сравнение");
  EXPECT_FALSE(CompareRunning);
  EXPECT_FALSE(form->FileList);
}

TEST_F(MainFormTest, AnEmptyFolderListWarnsAndKeepsThePreviousResult) {
  TempFolder dir;
  dir.Write("a", "twin");
  dir.Write("b", "twin");
  Compare({dir.Path()});
  ASSERT_EQ(Rows().size(), 1u);
  std::vector<std::string> texts;
  // The warning is a modal message box; a timer answers it from inside its message loop.
  static std::vector<std::string>* seen;
  seen = &texts;
  SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = FindWindowA("#32770", nullptr);
    if (!box) return;
    char title[256] = {}, text[512] = {};
    GetWindowTextA(box, title, sizeof title);
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    seen->push_back(title);
    seen->push_back(text);
    KillTimer(nullptr, id);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  });
  Compare({"", "   "});
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], "Предупреждение");
  EXPECT_EQ(texts[1], "Сначала определите папку(и) с файлами,\rкоторые нужно сравнить");
  EXPECT_EQ(Rows(), (::Rows{{dir / "a", dir / "b"}}));
  EXPECT_EQ(form->stCount->Caption(), "Всего пар найдено: 1.");
}

TEST_F(MainFormTest, ASecondComparisonSeesANewFile) {
  TempFolder dir;
  dir.Write("a", "twin");
  Compare({dir.Path()});
  EXPECT_EQ(Rows(), (::Rows{{"", ""}}));
  dir.Write("b", "twin");
  Compare({dir.Path()});
  EXPECT_EQ(Rows(), (::Rows{{dir / "a", dir / "b"}}));
}

namespace {
// Clicks a button from within the comparison's event processing once the scan has read at
// least `after` files.
struct ClickWhenRead {
  static inline TMainForm* form;
  static inline TButton* button;
  static inline std::size_t after;
  static inline bool clicked;
  static void Arm(TMainForm* f, TButton* b, std::size_t n) {
    form = f;
    button = b;
    after = n;
    clicked = false;
    SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR id, DWORD) {
      if (clicked || !form->FileList || form->FileList->size() < after) return;
      clicked = true;
      KillTimer(nullptr, id);
      SendMessageA(static_cast<HWND>(button->Handle()), BM_CLICK, 0, 0);
    });
  }
};
}  // namespace

TEST_F(MainFormTest, PressingCompareDuringTheReadingStopsItAndListsWhatWasRead) {
  TempFolder dir;
  for (int i = 0; i < 1500; ++i) dir.Write("f" + std::to_string(10000 + i), "twin " + std::to_string(i % 2));
  ClickWhenRead::Arm(form, form->btnCompare, 4);
  Compare({dir.Path()});
  ASSERT_TRUE(ClickWhenRead::clicked);
  ::Rows rows = Rows();
  // k files of each content read before the stop give k(k-1)/2 rows apiece.
  ASSERT_GE(rows.size(), 2u);
  EXPECT_LT(rows.size(), 2u * 749 * 375);
  EXPECT_EQ(rows[0], (std::pair{dir / "f10000", dir / "f10002"}));
  EXPECT_EQ(form->btnCompare->Caption(), "Запустить сравнение");
  EXPECT_EQ(form->stCount->Caption(), "Всего пар найдено: " + std::to_string(rows.size()) + ".");
  EXPECT_FALSE(CompareRunning);
}

TEST_F(MainFormTest, TheExitButtonEndsTheReadingAndNothingMoreIsRead) {
  TempFolder dir;
  for (int i = 0; i < 1500; ++i) dir.Write("f" + std::to_string(10000 + i), "twin");
  ClickWhenRead::Arm(form, form->btnExit, 3);
  Compare({dir.Path()});
  ASSERT_TRUE(ClickWhenRead::clicked);
  EXPECT_EQ(form->ModalResult(), 1);
  // The program is closing: candidates are not confirmed, so no pair is listed.
  EXPECT_EQ(Rows(), (::Rows{{"", ""}}));
  EXPECT_EQ(form->btnCompare->Caption(), "Запустить сравнение");
  EXPECT_FALSE(CompareRunning);
}

TEST_F(MainFormTest, AStopDuringTheConfirmationListsOnlyPairsAlreadyConfirmed) {
  TempFolder dir;
  const int groups = 400;
  for (int g = 0; g < groups; ++g)
    for (const char* copy : {"a", "b"})
      dir.Write("g" + std::to_string(1000 + g) + copy, "group " + std::to_string(g));
  struct ClickWhileConfirming {
    static void Arm() {
      SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR id, DWORD) {
        if (!MainForm->stInfo->Visible() || MainForm->stInfo->Caption() != "Сравнение файлов...")
          return;
        KillTimer(nullptr, id);
        SendMessageA(static_cast<HWND>(MainForm->btnCompare->Handle()), BM_CLICK, 0, 0);
      });
    }
  };
  ClickWhileConfirming::Arm();
  Compare({dir.Path()});
  ::Rows rows = Rows();
  ASSERT_LT(rows.size(), static_cast<std::size_t>(groups));
  for (std::size_t r = 0; r < rows.size() && !rows[r].first.empty(); ++r) {
    std::string g = std::to_string(1000 + r);
    EXPECT_EQ(rows[r], (std::pair{dir / ("g" + g + "a"), dir / ("g" + g + "b")}));
  }
  EXPECT_FALSE(CompareRunning);
}

TEST_F(MainFormTest, ADriveRootGivesPathsWithADoubledBackslash) {
  // The test scripts map drive T: to an empty folder of the build.
  if (!DirectoryExists("T:\\")) GTEST_SKIP() << "drive T: is not mapped to a test folder";
  for (const char* name : {"T:\\a", "T:\\b"}) {
    DeleteFileAt(name);
    WriteWholeFile(name, "twin");
  }
  Compare({"T:\\"});
  EXPECT_EQ(Rows(), (::Rows{{"T:\\\\a", "T:\\\\b"}}));
  EXPECT_EQ(form->stCount->Caption(), "Всего пар найдено: 1.");
}

TEST_F(MainFormTest, FolderLinesTypedByHandAreReadAsFoldersOrRejected) {
  TempFolder dir;
  dir.Write("data\\a", "twin");
  dir.Write("data\\b", "twin");
  std::string file = dir.Write("plain.txt", "x");
  std::string savedFolder = GetCurrentDir();
  SetCurrentDirectoryA(dir.Path().c_str());
  struct Case {
    std::string line;
    bool listsThePair;
  } cases[] = {
      {dir / "data", true},          {dir / "data\\", true},  {"data", true},
      {".\\data\\", true},           {dir / "data\\*", false}, {file, false},
      {dir / "data\\a", false},      {"nowhere\\", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    bool failed = false;
    try {
      Compare({c.line});
    } catch (const Exception& e) {
      failed = true;
      EXPECT_EQ(e.Message(), "Папка \"" + c.line + "\" не найдена!");
    }
    EXPECT_EQ(failed, !c.listsThePair);
    EXPECT_EQ(Rows().size() == 1 && !Rows()[0].first.empty(), c.listsThePair);
  }
  SetCurrentDirectoryA(savedFolder.c_str());
}
