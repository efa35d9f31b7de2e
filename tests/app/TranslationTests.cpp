// Translation by property paths on the real windows, read from their form resources: the
// section named after the form's class, paths through owned components, child controls,
// object-valued properties, string lists and collections, each kind of value, and what an
// error leaves behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ComCtrls.h"
#include "FormReader.h"
#include "MainFormFixture.h"
#include "Screenshot.h"
#include "TestFiles.h"
#include "deVadirazaUn.h"
#include "uSelDir.h"

namespace {

// A core whose one language, "xx", is rewritten by each step of a test.
class LanguageFile {
 public:
  LanguageFile() : core_(std::make_unique<TkxCorePolyglot>()) {
    folder_.Write("xx.lng", "");
    core_->SetLangsDir(folder_.Path());
  }

  // Makes the given text the current language file; its section names the translated class.
  void Use(const std::string& text) {
    folder_.Write("xx.lng", text);
    core_->SetCurrentLang("");
    core_->SetCurrentLang("xx");
  }
  TkxCorePolyglot& Core() { return *core_; }

 private:
  TempFolder folder_;
  std::unique_ptr<TkxCorePolyglot> core_;
};

class MainFormTranslationTest : public MainFormTest {
 protected:
  // Translates the main window from a [TMainForm] section of the given lines.
  void Translate(const std::string& lines) {
    language.Use("[TMainForm]\r\n" + lines);
    language.Core().TranslateForm(form);
  }
  LanguageFile language;
};

struct PathCase {
  const char* line;
  std::function<void(TMainForm*)> check;
};

TEST_F(MainFormTranslationTest, PathsReachPropertiesOfTheFormItsComponentsAndTheirObjects) {
  const std::vector<PathCase> cases = {
      {"Caption='Duplicate files'", [](TMainForm* f) { EXPECT_EQ(f->Caption(), "Duplicate files"); }},
      {"lFolders.Caption='Folders'", [](TMainForm* f) { EXPECT_EQ(f->lFolders->Caption(), "Folders"); }},
      {"stInfo.Caption='Working'", [](TMainForm* f) { EXPECT_EQ(f->stInfo->Caption(), "Working"); }},
      {"pInfo.stInfo.Caption='Through the panel'",
       [](TMainForm* f) { EXPECT_EQ(f->stInfo->Caption(), "Through the panel"); }},
      {"aAddFolder.Hint='Add a folder'", [](TMainForm* f) {
         EXPECT_EQ(f->aAddFolder->Hint(), "Add a folder");
         EXPECT_EQ(f->bAddFolder->Hint(), "Add a folder");
       }},
      {"bAddFolder.Action.Caption='Add...'", [](TMainForm* f) {
         EXPECT_EQ(f->aAddFolder->Caption(), "Add...");
         EXPECT_EQ(f->bAddFolder->Caption(), "Add...");
         EXPECT_EQ(f->N2->Caption(), "Add...");
       }},
      {"N1.Caption='&Folders'", [](TMainForm* f) { EXPECT_EQ(f->N1->Caption(), "&Folders"); }},
      {"Font.Charset=204", [](TMainForm* f) { EXPECT_EQ(f->Font()->Charset(), 204); }},
      {"cbConfirmDelete.Checked=False", [](TMainForm* f) { EXPECT_FALSE(f->cbConfirmDelete->Checked()); }},
      {"cbConfirmDelete.Checked=true", [](TMainForm* f) { EXPECT_TRUE(f->cbConfirmDelete->Checked()); }},
      {"lFolders.Alignment=taCenter", [](TMainForm* f) { EXPECT_EQ(f->lFolders->Alignment(), taCenter); }},
      {"lFolders.Caption.Text='Behind a text'",
       [](TMainForm* f) { EXPECT_EQ(f->lFolders->Caption(), "Behind a text"); }},
      {"LFOLDERS.CAPTION='Any case'", [](TMainForm* f) { EXPECT_EQ(f->lFolders->Caption(), "Any case"); }},
      {"Width=abc", [](TMainForm* f) { EXPECT_EQ(f->Width(), 0); }},
      {"mmDirs.Lines.Strings='C:\\Temp',D:\\", [](TMainForm* f) {
         EXPECT_EQ(f->mmDirs->Lines()->Lines(), (std::vector<std::string>{"C:\\Temp", "D:\\"}));
       }},
      {"lCopyright.Caption='two'#13#10'lines'",
       [](TMainForm* f) { EXPECT_EQ(f->lCopyright->Caption(), "two\r\nlines"); }},
      {"lFileList.Caption=Plain text", [](TMainForm* f) { EXPECT_EQ(f->lFileList->Caption(), "Plain text"); }},
      {"lFileList.Caption='Hello' World", [](TMainForm* f) { EXPECT_EQ(f->lFileList->Caption(), ""); }},
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE(c.line);
    Translate(std::string(c.line) + "\r\n");
    c.check(form);
  }
}

TEST_F(MainFormTranslationTest, KeysThatNameNoPropertyChangeNothing) {
  const std::string caption = form->lFolders->Caption();
  const int width = form->Width();
  const std::vector<std::string> lines = {"lFolders='x'", "NoSuchControl.Caption='x'",
                                          "lFolders.NoSuchProperty='x'", "MainMenu.N1.Caption='x'",
                                          "mmDirs.Lines.strings='x'", "mmDirs.Lines='x'",
                                          "Font.Style=[fsBold]", "='x'", "lFolders.='x'"};
  form->mmDirs->Lines()->SetLines({"kept"});
  for (const std::string& line : lines) {
    SCOPED_TRACE(line);
    Translate(line + "\r\n");
    EXPECT_EQ(form->lFolders->Caption(), caption);
    EXPECT_EQ(form->N1->Caption(), "Папки");
    EXPECT_EQ(form->mmDirs->Lines()->Lines(), std::vector<std::string>{"kept"});
    EXPECT_EQ(form->Width(), width);
  }
}

TEST_F(MainFormTranslationTest, AValueThatDoesNotFitRaisesAndChangesNothing) {
  struct Case {
    const char* line;
    const char* message;
  };
  const Case cases[] = {
      {"Font.Charset=300", "Range check error"},
      {"cbConfirmDelete.Checked=0", "Invalid property element: 0"},
      {"cbConfirmDelete.Checked=", "Invalid property element: "},
      {"lFolders.Alignment='taCenter'", "Invalid property element: 'taCenter'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const int charset = form->Font()->Charset();
    try {
      Translate(std::string(c.line) + "\r\n");
      ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
    EXPECT_EQ(form->Font()->Charset(), charset);
    EXPECT_TRUE(form->cbConfirmDelete->Checked());
    EXPECT_EQ(form->lFolders->Alignment(), taLeftJustify);
  }
}

TEST_F(MainFormTranslationTest, AnErrorEndsTheSectionWithTheKeysBeforeItApplied) {
  try {
    Translate("Caption='first'\r\nlFolders.Caption='second'\r\nFont.Charset=300\r\n"
              "lFileList.Caption='fourth'\r\n");
    ADD_FAILURE() << "no error";
  } catch (const ERangeError&) {
  }
  EXPECT_EQ(form->Caption(), "first");
  EXPECT_EQ(form->lFolders->Caption(), "second");
  EXPECT_EQ(form->lFileList->Caption(), "Список обнаруженных идентичных файлов:");
}

TEST_F(MainFormTranslationTest, AKeyTwiceAppliesItsLastValueAndOtherSectionsAreNotRead) {
  Translate("lFolders.Caption='A'\r\nlFolders.Caption='B'\r\n[TForm]\r\nCaption='ancestor'\r\n");
  EXPECT_EQ(form->lFolders->Caption(), "B");
  EXPECT_EQ(form->Caption(), "Поиск файлов идентичных по содержимому");
}

TEST_F(MainFormTranslationTest, WithoutALanguageFileTheTextsOfTheLastOneStay) {
  Translate("lFolders.Caption='Folders'\r\n");
  language.Core().SetCurrentLang("");
  language.Core().TranslateForm(form);
  EXPECT_EQ(form->lFolders->Caption(), "Folders");
}

TEST_F(MainFormTranslationTest, TheWindowShowsItsTextsInTheLanguageOfTheFile) {
  EXPECT_TRUE(SaveWindowScreenshot(form->Handle(), ArtifactFolder() + "\\translation-before.png"));
  Translate(
      "Caption='Files of identical content'\r\n"
      "lFolders.Caption='Folders to search'\r\n"
      "lFileList.Caption='Identical files found:'\r\n"
      "aAddFolder.Caption='Add...'\r\n"
      "aClearFolderList.Caption='Clear'\r\n"
      "aCompare.Caption='Start comparison'\r\n"
      "aClose.Caption='Exit'\r\n"
      "N1.Caption='Folders'\r\n"
      "N4.Caption='Files'\r\n"
      "Language1.Caption='Language'\r\n"
      "cbConfirmDelete.Caption='Confirm deletions'\r\n"
      "stKeyHint.Caption='<DEL> - delete the selected file'\r\n"
      "lCopyright.Caption='Twinseek 1.0'#13#10'(c) 2026 The Twinseek team'\r\n");
  Application->ProcessMessages();
  EXPECT_EQ(form->btnCompare->Caption(), "Start comparison");
  EXPECT_EQ(form->N5->Caption(), "Start comparison");
  EXPECT_EQ(form->N7->Caption(), "Exit");
  EXPECT_TRUE(SaveWindowScreenshot(form->Handle(), ArtifactFolder() + "\\translation-after.png"));
}

// A form of the main window's class that derives from it, named after itself.
class TDerivedMainForm : public TMainForm {
  DECLARE_CLASS(TDerivedMainForm, TMainForm)
 public:
  using TMainForm::TMainForm;
};

const TClassInfo& TDerivedMainForm::StaticClass() {
  static const TClassInfo info = TClassBuilder<TDerivedMainForm>("TDerivedMainForm", TMainForm::StaticClass());
  return info;
}

TEST(Translation, ADerivedFormReadsTheSectionOfItsOwnClass) {
  LanguageFile language;
  language.Use("[TMainForm]\r\nCaption='main'\r\n[TDerivedMainForm]\r\nCaption='derived'\r\n");
  TDerivedMainForm form(nullptr);
  language.Core().TranslateForm(&form);
  EXPECT_EQ(form.Caption(), "derived");
}

TEST(Translation, TheFolderPickerReadsItsOwnSection) {
  LanguageFile language;
  language.Use(
      "[TfrmSelectDir]\r\nCaption='Choose a folder'\r\nbSelect.Caption='Choose'\r\n"
      "bCancel.Caption='Cancel'\r\ncbIncludeSubDirs.Caption='Include subfolders'\r\n");
  TfrmSelectDir picker(Application);
  picker.ReadFormResource();
  language.Core().TranslateForm(&picker);
  EXPECT_EQ(picker.Caption(), "Choose a folder");
  EXPECT_EQ(picker.bSelect->Caption(), "Choose");
  EXPECT_EQ(picker.bCancel->Caption(), "Cancel");
  EXPECT_EQ(picker.cbIncludeSubDirs->Caption(), "Include subfolders");
  picker.Show();
  Application->ProcessMessages();
  EXPECT_TRUE(SaveWindowScreenshot(picker.Handle(), ArtifactFolder() + "\\translation-picker.png"));
}

// A window with a status bar, whose panels are a collection, read from a form resource.
class TStatusForm : public TForm {
  DECLARE_CLASS(TStatusForm, TForm)
 public:
  using TForm::TForm;
  TStatusBar* StatusBar = nullptr;
};

const TClassInfo& TStatusForm::StaticClass() {
  static const TClassInfo info = TClassBuilder<TStatusForm>("TStatusForm", TForm::StaticClass())
                                     .Field("StatusBar", &TStatusForm::StatusBar);
  return info;
}

const char kStatusForm[] = R"(object StatusForm: TStatusForm
  Width = 400
  Height = 120
  Caption = 'Status'
  object StatusBar: TStatusBar
    Left = 0
    Top = 60
    Width = 392
    Height = 20
    Panels = <
      item
        Text = 'Ready'
        Width = 120
      end
      item
        Text = 'Files'
        Width = 120
      end
      item
        Alignment = taRightJustify
        Text = 'Pairs'
      end>
  end
end
)";

TEST(Translation, CollectionItemsAreReachedByTheirIndex) {
  TStatusForm form(Application);
  ReadComponentText(&form, kStatusForm, "TStatusForm");
  form.Show();
  Application->ProcessMessages();
  TStatusPanels* panels = form.StatusBar->Panels();
  ASSERT_EQ(panels->Count(), 3);
  EXPECT_EQ(form.StatusBar->PanelTextShown(1), "Files");

  LanguageFile language;
  language.Use(
      "[TStatusForm]\r\n"
      "StatusBar.Panels.Items(1).Text='Dateien'\r\n"
      "StatusBar.Panels.Panels(0).Text='Bereit'\r\n"
      "StatusBar.Panels.(2).Width=$50\r\n"
      "StatusBar.Panels.Items(3).Text='beyond the last'\r\n"
      "StatusBar.Panels.Items(-1).Text='before the first'\r\n"
      "StatusBar.Panels.Items(x).Text='no index'\r\n"
      "StatusBar.Panels.Items(2).Alignment=taCenter\r\n");
  language.Core().TranslateForm(&form);
  EXPECT_EQ(panels->Items(0)->Text(), "Bereit");
  EXPECT_EQ(panels->Items(1)->Text(), "Dateien");
  EXPECT_EQ(panels->Items(2)->Text(), "Pairs");
  EXPECT_EQ(panels->Items(2)->Width(), 0x50);
  EXPECT_EQ(panels->Items(2)->Alignment(), taCenter);
  EXPECT_EQ(form.StatusBar->PanelTextShown(0), "Bereit");
  EXPECT_EQ(form.StatusBar->PanelTextShown(1), "Dateien");
  Application->ProcessMessages();
  EXPECT_TRUE(SaveWindowScreenshot(form.Handle(), ArtifactFolder() + "\\translation-status-bar.png"));
}

}  // namespace
