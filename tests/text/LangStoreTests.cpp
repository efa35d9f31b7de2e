// The language store: its modification flag and what its release does with the file.
// Release may show a message box, which a dialog watcher answers.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DialogWatcher.h"
#include "FileSys.h"
#include "TestFiles.h"
#include "deVadirazaConst.h"
#include "kxINIFile.h"

namespace {

const char kLanguageFile[] = "[Lang]\r\nLangName = English\r\n; a comment\r\n";
const char kWrittenBack[] = "[Lang]\r\nLangName=English\r\n\r\n";

TEST(LangStoreModified, EveryKindOfWriteSetsItAndUpdateFileClearsIt) {
  TempFolder folder;
  const std::string path = folder.Write("en.lng", kLanguageFile);
  const std::vector<std::pair<const char*, std::function<void(TkxINIFile&)>>> writes = {
      {"WriteString", [](TkxINIFile& s) { s.WriteString("Lang", "LangHint", "h"); }},
      {"DeleteKey of a missing key", [](TkxINIFile& s) { s.DeleteKey("Lang", "missing"); }},
      {"DeleteKey in a missing section", [](TkxINIFile& s) { s.DeleteKey("missing", "k"); }},
      {"EraseSection of a missing section", [](TkxINIFile& s) { s.EraseSection("missing"); }},
      {"WriteInteger", [](TkxINIFile& s) { s.WriteInteger("Lang", "n", 1); }},
      {"WriteBool", [](TkxINIFile& s) { s.WriteBool("Lang", "b", true); }},
      {"WriteFloat", [](TkxINIFile& s) { s.WriteFloat("Lang", "f", 1.5); }},
      {"WriteDate", [](TkxINIFile& s) { s.WriteDate("Lang", "d", 1); }},
      {"WriteTime", [](TkxINIFile& s) { s.WriteTime("Lang", "t", 0.5); }},
      {"WriteDateTime", [](TkxINIFile& s) { s.WriteDateTime("Lang", "dt", 1.5); }},
      {"WriteBinaryStream", [](TkxINIFile& s) { s.WriteBinaryStream("Lang", "bin", {1}); }},
  };
  for (const auto& [what, write] : writes) {
    SCOPED_TRACE(what);
    TkxINIFile store(path);
    EXPECT_FALSE(store.Modified());
    write(store);
    EXPECT_TRUE(store.Modified());
    store.UpdateFile();
    EXPECT_FALSE(store.Modified());
    WriteWholeFile(path, kLanguageFile);
  }
}

TEST(LangStoreModified, AFailedUpdateFileKeepsIt) {
  TempFolder folder;
  TkxINIFile store(folder / "gone\\en.lng");
  store.WriteString("Lang", "LangName", "English");
  EXPECT_THROW(store.UpdateFile(), EFCreateError);
  EXPECT_TRUE(store.Modified());
}

// One release scenario: the file as it was loaded, what happens before the store is
// released, and what must be on disk and on screen afterwards.
struct ReleaseCase {
  const char* what;
  bool readOnly;
  bool modify;
  std::function<void(TempFolder&, const std::string& path)> beforeRelease;
  bool fileExistsAfter;
  std::string bytesAfter;
  bool showsReadOnlyMessage;
};

void Nothing(TempFolder&, const std::string&) {}
void DeleteTheFile(TempFolder&, const std::string& path) {
  ASSERT_TRUE(DeleteFileAt(path));
}
void RemoveTheFolder(TempFolder& folder, const std::string&) {
  RemoveTree(folder / "lang");
}

TEST(LangStoreRelease, WritesBackOnlyWhatItMust) {
  const std::string kModifiedBytes = "[Lang]\r\nLangName=English\r\nLangHint=h\r\n\r\n";
  const std::vector<ReleaseCase> cases = {
      {"unchanged file", false, false, Nothing, true, kLanguageFile, false},
      {"changed file", false, true, Nothing, true, kModifiedBytes, false},
      {"read-only file without changes", true, false, Nothing, true, kLanguageFile, false},
      {"read-only file with changes", true, true, Nothing, true, kLanguageFile, true},
      {"deleted file", false, false, DeleteTheFile, true, kWrittenBack, false},
      {"deleted file with changes", false, true, DeleteTheFile, true, kModifiedBytes, false},
      {"folder gone", false, true, RemoveTheFolder, false, "", false},
  };
  for (const ReleaseCase& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    const std::string path = folder.Write("lang\\en.lng", kLanguageFile);
    if (c.readOnly) {
      ASSERT_TRUE(FileSetAttr(path, faReadOnly));
    }
    DialogWatcher watcher;
    {
      TkxINIFile store(path);
      if (c.modify) store.WriteString("Lang", "LangHint", "h");
      c.beforeRelease(folder, path);
    }
    ASSERT_EQ(FileExists(path), c.fileExistsAfter);
    if (c.fileExistsAfter) {
      EXPECT_EQ(ReadWholeFile(path), c.bytesAfter);
    }
    const std::vector<SeenDialog> seen = watcher.Seen();
    if (c.showsReadOnlyMessage) {
      ASSERT_EQ(seen.size(), 1u);
      EXPECT_EQ(seen[0].Text, "File \"" + path + "\" is read-only");
    } else {
      EXPECT_TRUE(seen.empty());
    }
  }
}

TEST(LangStoreRelease, ADeletedStoreWithoutSectionsWritesNothing) {
  TempFolder folder;
  const std::string path = folder.Write("en.lng", "no section here\r\n");
  {
    TkxINIFile store(path);
    ASSERT_TRUE(DeleteFileAt(path));
  }
  EXPECT_FALSE(FileExists(path));
}

TEST(LangStoreRelease, ReleaseAfterAnExplicitWriteBackDoesNotRepeatIt) {
  TempFolder folder;
  const std::string path = folder.Write("en.lng", kLanguageFile);
  DialogWatcher watcher;
  {
    TkxINIFile store(path);
    store.WriteString("Lang", "LangHint", "h");
    ASSERT_TRUE(FileSetAttr(path, faReadOnly));
    store.WriteBack();
  }
  EXPECT_EQ(watcher.Seen().size(), 1u);
  EXPECT_EQ(ReadWholeFile(path), kLanguageFile);
}

TEST(LangStoreRelease, EveryWriteBackAfterAChangeWrites) {
  TempFolder folder;
  const std::string path = folder.Write("en.lng", kLanguageFile);
  TkxINIFile store(path);
  store.WriteString("Lang", "LangHint", "one");
  store.WriteBack();
  EXPECT_EQ(ReadWholeFile(path), "[Lang]\r\nLangName=English\r\nLangHint=one\r\n\r\n");
  store.WriteString("Lang", "LangHint", "two");
  store.WriteBack();
  EXPECT_EQ(ReadWholeFile(path), "[Lang]\r\nLangName=English\r\nLangHint=two\r\n\r\n");
  EXPECT_FALSE(store.Modified());
}

// A disk that fills up part way through the write-back.
class FullDisk {
 public:
  explicit FullDisk(std::int64_t bytesThatFit) { SimulateDiskFullAfter(bytesThatFit); }
  ~FullDisk() { SimulateDiskFullAfter(-1); }
};

TEST(LangStoreRelease, AWriteBackThatFailsPartWayLeavesTheFileAsItWas) {
  TempFolder folder;
  const std::string path = folder.Write("en.lng", kLanguageFile);
  TkxINIFile store(path);
  store.WriteString("Lang", "LangHint", std::string(5000, 'h'));
  {
    FullDisk disk(100);
    try {
      store.WriteBack();
      ADD_FAILURE() << "no error";
    } catch (const EIniFileException& e) {
      EXPECT_EQ(e.Message(), "Unable to write to " + path);
    }
  }
  EXPECT_EQ(ReadWholeFile(path), kLanguageFile);
  EXPECT_TRUE(store.Modified());
  // Nothing is left behind beside it.
  std::vector<TSearchRec> entries;
  ASSERT_TRUE(ListFolder(folder / "*", faAnyFile & ~faDirectory, &entries));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].Name, "en.lng");
}

TEST(LangStoreRead, AFileBeyondTheLimitIsRefusedWithAClearError) {
  TempFolder folder;
  std::string bytes = "[Lang]\r\n";
  bytes.resize((std::size_t{64} << 20) + 1, ' ');
  const std::string path = folder.Write("huge.lng", bytes);
  try {
    TkxINIFile store(path);
    ADD_FAILURE() << "no error";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file \"" + path + "\". The file is larger than 64 MiB.");
  }
}

TEST(LangStoreRelease, AnExplicitWriteBackPassesTheWriteErrorOn) {
  TempFolder folder;
  const std::string path = folder.Write("en.lng", kLanguageFile);
  TkxINIFile store(path);
  store.WriteString("Lang", "LangHint", "h");
  TFileHandle lock = TFileHandle::OpenExclusive(path);
  ASSERT_TRUE(lock.IsOpen());
  EXPECT_THROW(store.WriteBack(), EFCreateError);
  EXPECT_TRUE(store.Modified());
}

TEST(LibraryMessages, AreFixedEnglishTexts) {
  EXPECT_EQ(ReadOnlyFileMessage("C:\\L\\en.lng"), "File \"C:\\L\\en.lng\" is read-only");
  EXPECT_STREQ(SCorePolyglotNotAssigned, "Core polyglot is not assigned.");
  EXPECT_STREQ(SCoreMultiLangNotAssigned, "Core multi lang is not assigned");
}

}  // namespace
