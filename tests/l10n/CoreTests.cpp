// The translation core: the single instance, the language list of a folder, the current
// language with its file, and the broadcast of every change to the registered managers.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "FileSys.h"
#include "TestFiles.h"
#include "deVadirazaConst.h"
#include "deVadirazaUn.h"

namespace {

// Every language file of these tests names itself in [ResourceStrings] under number 1, so
// that a test can tell which file the core has loaded.
std::string LanguageFile(const std::string& marker) {
  return "[ResourceStrings]\r\n1='" + marker + "'\r\n";
}

// The marker of the loaded file, or "" when no file is loaded.
std::string LoadedMarker(TkxCorePolyglot& core) {
  std::string text;
  return core.TranslateResString(1, text) ? text : "";
}

std::vector<std::string> Languages(TkxCorePolyglot& core) {
  std::vector<std::string> ids;
  for (int i = 0; i < core.GetLangCount(); ++i) ids.push_back(core.GetLangId(i));
  return ids;
}

// A real manager that counts the broadcasts it hears.
class CountingManager {
 public:
  CountingManager() {
    manager_.BeforeAllTranslate = [this](TObject*) { ++broadcasts_; };
  }
  int TakeBroadcasts() { return std::exchange(broadcasts_, 0); }
  TdeVadirazaManager& Manager() { return manager_; }

 private:
  TdeVadirazaManager manager_{nullptr};
  int broadcasts_ = 0;
};

// Runs a test with the process in another current folder.
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::string& folder) : saved_(GetCurrentDir()) { Set(folder); }
  ~CurrentFolder() { Set(saved_); }

 private:
  static void Set(const std::string& folder) {
    ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str())) << folder;
  }
  std::string saved_;
};

class CoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.Write("en.lng", LanguageFile("en"));
    folder.Write("ru.lng", LanguageFile("ru"));
    core = std::make_unique<TkxCorePolyglot>();
    core->SetLangsDir(folder.Path());
    core->SetCurrentLang("en");
    counter = std::make_unique<CountingManager>();
  }
  void TearDown() override {
    counter.reset();
    core.reset();
  }

  TempFolder folder;
  std::unique_ptr<TkxCorePolyglot> core;
  std::unique_ptr<CountingManager> counter;
};

TEST_F(CoreTest, IsASingleInstance) {
  try {
    TkxCorePolyglot second;
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), SCoreSingleInstance);
  }
  EXPECT_EQ(TkxCorePolyglot::GetCorePolyglot(), core.get());
}

TEST_F(CoreTest, ChangesTheCurrentLanguageByCaseButKnowsLanguagesWithout) {
  struct Step {
    const char* id;
    const char* current;
    const char* loaded;  // the marker of the loaded file, "" for none
    int broadcasts;
  };
  const Step steps[] = {
      {"ru", "ru", "ru", 1},
      {"ru", "ru", "ru", 0},
      {"RU", "RU", "ru again", 1},  // a change: the file is read again
      {"de", "RU", "ru again", 0},  // not listed: nothing changes, nothing is raised
      {"", "", "", 1},              // the empty identifier releases the file
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(std::string("SetCurrentLang '") + step.id + "'");
    if (std::string(step.id) == "RU") folder.Write("ru.lng", LanguageFile("ru again"));
    core->SetCurrentLang(step.id);
    EXPECT_EQ(core->GetCurrentLang(), step.current);
    EXPECT_EQ(LoadedMarker(*core), step.loaded);
    EXPECT_EQ(counter->TakeBroadcasts(), step.broadcasts);
  }
}

TEST_F(CoreTest, ALanguageWhoseFileWasDeletedBecomesCurrentWithoutAFile) {
  ASSERT_TRUE(DeleteFileAt(folder / "ru.lng"));
  core->SetCurrentLang("ru");
  EXPECT_EQ(core->GetCurrentLang(), "ru");
  EXPECT_EQ(LoadedMarker(*core), "");
  EXPECT_EQ(counter->TakeBroadcasts(), 1);
}

TEST_F(CoreTest, TheSameFolderInAnotherSpellingIsNotSearchedAgain) {
  folder.Write("de.lng", LanguageFile("de"));
  for (const std::string& spelling : {AnsiUpperCase(folder.Path()), folder.Path() + "\\"}) {
    SCOPED_TRACE(spelling);
    core->SetLangsDir(spelling);
    EXPECT_EQ(Languages(*core).size(), 2u);
    EXPECT_EQ(core->GetLangsDir(), folder.Path() + "\\");
    EXPECT_EQ(counter->TakeBroadcasts(), 0);
  }
}

TEST_F(CoreTest, ANewFolderSelectsTheSameLanguageOrTheFirstOrKeepsTheOldFile) {
  TempFolder withSame, withOthers, withNone;
  withSame.Write("en.lng", LanguageFile("other en"));
  withOthers.Write("fr.lng", LanguageFile("fr"));
  withNone.Write("readme.txt", "no language here");
  struct Case {
    const TempFolder* folder;
    const char* current;
    const char* loaded;
    int broadcasts;
  };
  const Case cases[] = {
      {&withSame, "en", "other en", 1},
      {&withOthers, "fr", "fr", 1},
      // No language at all: nothing is current and nothing is told, but the file loaded
      // last goes on serving.
      {&withNone, "", "fr", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder->Path());
    core->SetLangsDir(c.folder->Path());
    EXPECT_EQ(core->GetCurrentLang(), c.current);
    EXPECT_EQ(LoadedMarker(*core), c.loaded);
    EXPECT_EQ(counter->TakeBroadcasts(), c.broadcasts);
  }
}

TEST_F(CoreTest, TheEmptyFolderIsTheCurrentOneAndSearchedEveryTime) {
  TempFolder current;
  CurrentFolder in(current.Path());
  core->SetLangsDir("");
  EXPECT_TRUE(Languages(*core).empty());
  EXPECT_EQ(core->GetLangsDir(), "");
  current.Write("fi.lng", LanguageFile("fi"));
  core->SetLangsDir("");
  EXPECT_EQ(Languages(*core), std::vector<std::string>{"fi"});
  EXPECT_EQ(LoadedMarker(*core), "fi");
}

TEST_F(CoreTest, ARelativeFolderIsResolvedAtEachUse) {
  TempFolder first, second;
  first.Write("lng\\it.lng", LanguageFile("first it"));
  second.Write("lng\\it.lng", LanguageFile("second it"));
  {
    CurrentFolder in(first.Path());
    core->SetLangsDir(".\\lng\\");
    EXPECT_EQ(LoadedMarker(*core), "first it");
  }
  CurrentFolder in(second.Path());
  core->SetCurrentLang("IT");
  EXPECT_EQ(LoadedMarker(*core), "second it");
}

TEST_F(CoreTest, EveryEntryNamedLikeALanguageFileCounts) {
  TempFolder odd;
  odd.Write(".lng", LanguageFile("nameless"));
  odd.MakeFolder("x.lng");
  core->SetLangsDir(odd.Path());
  std::vector<std::string> ids = Languages(*core);
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(ids, (std::vector<std::string>{"", "x"}));
  core->SetCurrentLang("x");
  EXPECT_EQ(core->GetCurrentLang(), "x");
  EXPECT_EQ(LoadedMarker(*core), "");
}

TEST_F(CoreTest, AnIndexOutsideTheListRaisesTheListError) {
  const int count = core->GetLangCount();
  try {
    core->GetLangId(count);
    ADD_FAILURE() << "no error";
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(count) + ")");
  }
  // The data lock was left: another thread can still read.
  std::string fromThread;
  std::thread([&] { fromThread = core->GetCurrentLang(); }).join();
  EXPECT_EQ(fromThread, "en");
}

TEST_F(CoreTest, AnErrorInTheBroadcastStopsLaterManagersButTheChangeStands) {
  TdeVadirazaManager failing(nullptr);
  CountingManager later;
  failing.BeforeAllTranslate = [](TObject*) { throw Exception("handler failed"); };
  try {
    core->SetCurrentLang("ru");
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "handler failed");
  }
  EXPECT_EQ(counter->TakeBroadcasts(), 1);  // registered before the failing one
  EXPECT_EQ(later.TakeBroadcasts(), 0);
  EXPECT_EQ(core->GetCurrentLang(), "ru");
}

TEST_F(CoreTest, AManagerIsRegisteredOnce) {
  core->RegisterManager(&counter->Manager());
  core->SetCurrentLang("ru");
  EXPECT_EQ(counter->TakeBroadcasts(), 1);
  TdeVadirazaManager stranger(nullptr);
  core->UnregisterManager(&stranger);
  core->UnregisterManager(&stranger);
  core->UnregisterManager(&counter->Manager());
  core->SetCurrentLang("en");
  EXPECT_EQ(counter->TakeBroadcasts(), 0);
}

TEST(CoreConstruction, SelectsEnglishOrTheFirstLanguageOfDotLanguage) {
  struct Case {
    std::vector<std::string> files;
    std::string current;
  };
  const Case cases[] = {
      {{"aa.lng", "english.lng", "zz.lng"}, "English"},  // the caller's letter case
      {{"aa.lng"}, "aa"},
      {{}, ""},
  };
  for (const Case& c : cases) {
    TempFolder current;
    current.MakeFolder("Language");
    for (const std::string& file : c.files) current.Write("Language\\" + file, LanguageFile(file));
    CurrentFolder in(current.Path());
    TkxCorePolyglot core;
    EXPECT_EQ(core.GetLangsDir(), ".\\Language\\");
    EXPECT_EQ(core.GetCurrentLang(), c.current);
  }
}

TEST(CoreConstruction, AFailureLeavesNoCoreBehind) {
  TempFolder current;
  const std::string path = current.Write("Language\\English.lng", LanguageFile("English"));
  CurrentFolder in(current.Path());
  {
    TFileHandle lock = TFileHandle::OpenExclusive(path);
    ASSERT_TRUE(lock.IsOpen());
    EXPECT_THROW(TkxCorePolyglot(), EFOpenError);
    EXPECT_EQ(TkxCorePolyglot::GetCorePolyglot(), nullptr);
  }
  TkxCorePolyglot core;
  EXPECT_EQ(TkxCorePolyglot::GetCorePolyglot(), &core);
  EXPECT_EQ(LoadedMarker(core), "English");
}

TEST(CoreConstruction, GetCorePolyglotNeverMakesOne) {
  EXPECT_EQ(TkxCorePolyglot::GetCorePolyglot(), nullptr);
  { TkxCorePolyglot core; }
  EXPECT_EQ(TkxCorePolyglot::GetCorePolyglot(), nullptr);
}

}  // namespace
