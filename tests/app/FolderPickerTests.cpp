// The folder picker and the adding of picked folders: the layout of its form resource, the
// drive selector and directory list, real modal picks answered by keys and clicks, and the
// walk that adds a folder with its subfolders to the folder list.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "FileSys.h"
#include "MainFormFixture.h"
#include "Screenshot.h"
#include "TestFiles.h"
#include "uSelDir.h"

namespace {

using Lines = std::vector<std::string>;

HWND Hwnd(TWinControl* control) { return static_cast<HWND>(control->Handle()); }

Lines LinesOf(const TStrings& list) { return list.Lines(); }

Lines ListWithLines(const Lines& lines, const std::string& path, bool includeSubDirs) {
  TStringList list;
  list.SetLines(lines);
  AddFolderTo(&list, path, includeSubDirs);
  return LinesOf(list);
}

// The subfolder names of a folder in the order the file system returns them.
Lines FileSystemOrder(const std::string& folder) {
  Lines names;
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = data.cFileName;
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..")
      names.push_back(name);
  } while (FindNextFileA(search, &data));
  FindClose(search);
  return names;
}

class FolderPickerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    picker = new TfrmSelectDir(Application);
    picker->ReadFormResource();
  }
  void TearDown() override {
    delete picker;
    Application->ProcessMessages();
  }

  // Shows the picker without a modal loop, for tests of its controls.
  void ShowPicker() {
    picker->Show();
    Application->ProcessMessages();
  }

  Lines ListEntries() const { return LinesOf(*picker->lbDirectory->Items()); }

  // Sends the mouse messages of a click, or a double click, on entry index of the list.
  void ClickEntry(int index, bool twice) {
    HWND list = Hwnd(picker->lbDirectory);
    RECT item;
    SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    LPARAM at = MAKELPARAM(item.left + 30, (item.top + item.bottom) / 2);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
    if (twice) {
      SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
      SendMessageA(list, WM_LBUTTONUP, 0, at);
    }
    Application->ProcessMessages();
  }

  TfrmSelectDir* picker = nullptr;
};

// A real modal pick: once the picker shows, a timer inside its modal loop does what the
// user would. A second timer ends a pick that nothing closed, so that a test fails instead
// of hanging, and records that it had to.
class ModalPick {
 public:
  using Step = std::function<void(TfrmSelectDir*)>;

  ModalPick(TfrmSelectDir* picker, Step step) {
    picker_ = picker;
    step_ = std::move(step);
    timedOut_ = false;
    stepTimer_ = SetTimer(nullptr, 0, 100, &ModalPick::RunStep);
    guardTimer_ = SetTimer(nullptr, 0, 5000, &ModalPick::EndPick);
  }
  ~ModalPick() {
    KillTimer(nullptr, stepTimer_);
    KillTimer(nullptr, guardTimer_);
  }

  // Runs SelectFolder with folder as its output string; the step closes the picker.
  bool Run(std::string& folder) {
    bool picked = SelectFolder(picker_, folder);
    EXPECT_FALSE(timedOut_) << "the step did not close the picker";
    return picked;
  }

  // Posts a key press as the keyboard delivers it: to the focused window, or to the active
  // window when no control has the focus.
  static void PostKey(WPARAM key) {
    HWND target = GetFocus() ? GetFocus() : GetActiveWindow();
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
  }

 private:
  static void CALLBACK RunStep(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (picker_->Visible()) step_(picker_);
  }
  static void CALLBACK EndPick(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    timedOut_ = true;
    picker_->SetModalResult(mrAbort);
  }

  static inline TfrmSelectDir* picker_ = nullptr;
  static inline Step step_;
  static inline bool timedOut_ = false;
  UINT_PTR stepTimer_;
  UINT_PTR guardTimer_;
};

}  // namespace

// ---- Adding folders to the list

TEST(AddFolderTo, AddsOneLineThatEndsInASeparator) {
  struct Case {
    Lines before;
    std::string path;
    Lines after;
  } cases[] = {
      {{}, "", {}},
      {{}, "C:\\Data", {"C:\\Data\\"}},
      {{}, "C:\\", {"C:\\"}},
      {{}, "D:/photos/", {"D:/photos/"}},
      {{"C:\\Data\\"}, "C:\\Data", {"C:\\Data\\"}},
      {{"C:\\Data\\"}, "c:\\DATA\\", {"C:\\Data\\"}},
      {{"C:\\Ärger\\"}, "c:\\ärger", {"C:\\Ärger\\"}},
      {{"C:\\Data"}, "C:\\Data", {"C:\\Data", "C:\\Data\\"}},
      {{"typed by hand", "C:\\Other\\"}, "C:\\Data", {"typed by hand", "C:\\Other\\", "C:\\Data\\"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(ListWithLines(c.before, c.path, false), c.after);
  }
}

TEST(AddFolderTo, PickingTheSameFolderTwiceLeavesOneLine) {
  TempFolder dir;
  TStringList list;
  AddFolderTo(&list, dir.Path(), false);
  AddFolderTo(&list, dir.Path(), false);
  EXPECT_EQ(LinesOf(list), (Lines{dir.Path() + "\\"}));
}

TEST(AddFolderTo, WalksTheSubfoldersDepthFirstInTheFileSystemsOrder) {
  TempFolder dir;
  std::string p = dir.MakeFolder("P");
  dir.MakeFolder("P\\A\\A1");
  dir.MakeFolder("P\\B");
  dir.Write("P\\A\\file.txt", "not a folder");
  Lines order = FileSystemOrder(p);
  ASSERT_EQ(order.size(), 2u);
  Lines expected = {p + "\\"};
  for (const std::string& name : order) {
    expected.push_back(p + "\\" + name + "\\");
    if (name == "A") expected.push_back(p + "\\A\\A1\\");
  }
  EXPECT_EQ(ListWithLines({}, p, true), expected);
  EXPECT_EQ(ListWithLines({}, p, false), (Lines{p + "\\"}));
}

TEST(AddFolderTo, LeavesOutHiddenAndSystemFoldersWithEverythingBelowThem) {
  TempFolder dir;
  std::string p = dir.MakeFolder("P");
  dir.MakeFolder("P\\Hidden\\Inner");
  dir.MakeFolder("P\\System\\Inner");
  dir.MakeFolder("P\\Plain");
  ASSERT_TRUE(FileSetAttr(dir / "P\\Hidden", faHidden));
  ASSERT_TRUE(FileSetAttr(dir / "P\\System", faSysFile));
  EXPECT_EQ(ListWithLines({}, p, true), (Lines{p + "\\", p + "\\Plain\\"}));
}

TEST(AddFolderTo, AListedFolderStillAddsItsMissingSubfolders) {
  TempFolder dir;
  std::string p = dir.MakeFolder("P");
  dir.MakeFolder("P\\A");
  Lines before = {"X:\\elsewhere\\", p + "\\"};
  Lines after = before;
  after.push_back(p + "\\A\\");
  EXPECT_EQ(ListWithLines(before, p, true), after);
  // Written in other letters, the listed subfolder is not added again either.
  Lines upper = {p + "\\", AnsiUpperCase(p + "\\A\\")};
  EXPECT_EQ(ListWithLines(upper, p + "\\", true), upper);
}

TEST(AddFolderTo, AFolderThatCannotBeListedAddsItsLineAndNoSubfolders) {
  TempFolder dir;
  std::string gone = dir / "gone";
  EXPECT_EQ(ListWithLines({}, gone, true), (Lines{gone + "\\"}));
}

TEST(AddFolderTo, DoesNotFollowALinkThatLeadsBackToAnAncestor) {
  TempFolder dir;
  std::string p = dir.MakeFolder("P");
  dir.MakeFolder("P\\A");
  std::wstring link(dir.Path().begin(), dir.Path().end());
  link += L"\\P\\A\\loop";
  std::wstring target(p.begin(), p.end());
  if (!CreateSymbolicLinkW(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY))
    GTEST_SKIP() << "this system makes no folder links";
  if (!(FileGetAttr(dir / "P\\A\\loop") & faReparsePoint))
    GTEST_SKIP() << "this system does not report links as such";
  EXPECT_EQ(ListWithLines({}, p, true), (Lines{p + "\\", p + "\\A\\"}));
  RemoveDirectoryW(link.c_str());
}

// ---- The picker's form

TEST_F(FolderPickerTest, FormResourceGivesTheLayoutOfTheTable) {
  struct Case {
    TWinControl* control;
    TRect bounds;
    int tabOrder;
  } cases[] = {
      {picker->cbDrive, {8, 24, 177, 43}, 0},
      {picker->lbDirectory, {8, 48, 177, 209}, 1},
      {picker->bSelect, {8, 240, 177, 265}, 2},
      {picker->bCancel, {8, 272, 177, 297}, 3},
      {picker->cbIncludeSubDirs, {8, 216, 177, 233}, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control->Name());
    ExpectBounds(c.control, c.bounds);
    EXPECT_EQ(c.control->TabOrder(), c.tabOrder);
  }
  EXPECT_EQ(picker->Caption(), "Выбор папки");
  EXPECT_EQ(picker->BorderStyle(), bsDialog);
  EXPECT_EQ(picker->Position(), poScreenCenter);
  EXPECT_EQ(picker->ClientWidth(), 185);
  EXPECT_EQ(picker->ClientHeight(), 308);
  EXPECT_EQ(picker->Font()->Name(), "MS Sans Serif");
  EXPECT_EQ(picker->Font()->Size(), 8);
  EXPECT_EQ(picker->lDir->Left(), 8);
  EXPECT_EQ(picker->lDir->Top(), 8);
  EXPECT_TRUE(picker->lDir->AutoSize());
  EXPECT_EQ(picker->lbDirectory->ItemHeight(), 16);
  EXPECT_EQ(picker->cbDrive->DirList(), picker->lbDirectory);
  EXPECT_EQ(picker->lbDirectory->DirLabel(), picker->lDir);
  EXPECT_EQ(picker->cbIncludeSubDirs->Caption(), "Включить подпапки");
  EXPECT_FALSE(picker->cbIncludeSubDirs->Checked());
  EXPECT_EQ(picker->bSelect->Caption(), "Выбрать");
  EXPECT_TRUE(picker->bSelect->Default());
  EXPECT_FALSE(picker->bSelect->Cancel());
  EXPECT_TRUE(picker->bSelect->Font()->Style() & (1u << fsBold));
  EXPECT_EQ(picker->bSelect->ModalResult(), mrOk);
  EXPECT_EQ(picker->bCancel->Caption(), "Отменить");
  EXPECT_TRUE(picker->bCancel->Cancel());
  EXPECT_FALSE(picker->bCancel->Default());
  EXPECT_FALSE(picker->bCancel->Font()->Style() & (1u << fsBold));
  EXPECT_EQ(picker->bCancel->ModalResult(), mrCancel);
}

TEST_F(FolderPickerTest, OpensOnTheWorkingFolderInTheMiddleOfTheScreen) {
  ShowPicker();
  EXPECT_EQ(picker->lbDirectory->Directory(), GetCurrentDir());
  EXPECT_EQ(picker->cbDrive->Drive(), GetCurrentDir()[0] & ~0x20);
  RECT window, work;
  GetWindowRect(Hwnd(picker), &window);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_NEAR((window.left + window.right) / 2, (work.left + work.right) / 2, 1);
  EXPECT_NEAR((window.top + window.bottom) / 2, (work.top + work.bottom) / 2, 1);
  RECT client;
  GetClientRect(Hwnd(picker), &client);
  EXPECT_EQ(client.right, 185);
  EXPECT_EQ(client.bottom, 308);
}

// ---- The directory list and the drive selector

TEST_F(FolderPickerTest, ListShowsThePathThenTheVisibleSubfoldersByName) {
  TempFolder dir;
  std::string p = dir.MakeFolder("P");
  for (const char* name : {"b", "A", "c", "Hidden", "System"}) dir.MakeFolder(std::string("P\\") + name);
  dir.Write("P\\a file", "");
  ASSERT_TRUE(FileSetAttr(dir / "P\\Hidden", faHidden));
  ASSERT_TRUE(FileSetAttr(dir / "P\\System", faSysFile));
  picker->lbDirectory->SetDirectory(p + "\\");
  EXPECT_EQ(picker->lbDirectory->Directory(), p);
  Lines expected = {p.substr(0, 3)};
  std::string rest = p.substr(3);
  for (std::size_t start = 0, end; start < rest.size(); start = end + 1) {
    end = rest.find('\\', start);
    if (end == std::string::npos) end = rest.size();
    expected.push_back(rest.substr(start, end - start));
  }
  std::size_t pathEntries = expected.size();
  for (const char* name : {"A", "b", "c"}) expected.push_back(name);
  EXPECT_EQ(ListEntries(), expected);
  EXPECT_EQ(picker->lbDirectory->EntryPath(0), p.substr(0, 3));
  EXPECT_EQ(picker->lbDirectory->EntryPath(static_cast<int>(pathEntries) - 1), p);
  EXPECT_EQ(picker->lbDirectory->EntryPath(static_cast<int>(pathEntries)), p + "\\A");
  EXPECT_EQ(picker->lbDirectory->ItemIndex(), static_cast<int>(pathEntries) - 1);
}

TEST_F(FolderPickerTest, ADoubleClickEntersAnEntryAndASingleClickDoesNot) {
  TempFolder dir;
  std::string p = dir.MakeFolder("P");
  dir.MakeFolder("P\\A");
  picker->lbDirectory->SetDirectory(p);
  ShowPicker();
  int changes = 0;
  picker->lbDirectory->OnChange = [&changes](TObject*) { ++changes; };
  int subfolderA = static_cast<int>(ListEntries().size()) - 1;
  ClickEntry(subfolderA, false);
  EXPECT_EQ(picker->lbDirectory->Directory(), p);
  EXPECT_EQ(picker->lbDirectory->ItemIndex(), subfolderA);
  EXPECT_EQ(changes, 0);
  ClickEntry(subfolderA, true);
  EXPECT_EQ(picker->lbDirectory->Directory(), p + "\\A");
  EXPECT_EQ(picker->lDir->Caption().substr(picker->lDir->Caption().size() - 2), "\\A");
  EXPECT_EQ(changes, 1);
  ClickEntry(0, true);
  EXPECT_EQ(picker->lbDirectory->Directory(), p.substr(0, 3));
  EXPECT_EQ(picker->lDir->Caption(), p.substr(0, 3));
}

TEST_F(FolderPickerTest, AFolderThatCannotBeEnteredChangesNothing) {
  std::string before = picker->lbDirectory->Directory();
  Lines entries = ListEntries();
  TempFolder dir;
  EXPECT_THROW(picker->lbDirectory->SetDirectory(dir / "gone"), EInOutError);
  EXPECT_EQ(picker->lbDirectory->Directory(), before);
  EXPECT_EQ(ListEntries(), entries);
}

TEST_F(FolderPickerTest, DriveSelectorListsTheDrivesAndChoosingOneEntersItsCurrentFolder) {
  ShowPicker();
  HWND combo = Hwnd(picker->cbDrive);
  const auto& drives = picker->cbDrive->Drives();
  ASSERT_FALSE(drives.empty());
  EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(drives.size()));
  int other = -1;
  for (std::size_t i = 0; i < drives.size(); ++i) {
    if (drives[i][0] != picker->cbDrive->Drive() && DirectoryExists(drives[i])) other = static_cast<int>(i);
  }
  if (other < 0) GTEST_SKIP() << "only one drive";
  // The user's choice: the selection moves and the combo box tells its parent.
  SendMessageA(combo, CB_SETCURSEL, other, 0);
  SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
  Application->ProcessMessages();
  // "d:" names the drive's current folder, which the list shows without a separator at
  // its end unless it is the root.
  std::string current = ExpandFileName(drives[other].substr(0, 2));
  if (current.size() > 3) current = ExcludeTrailingPathDelimiter(current);
  EXPECT_EQ(picker->cbDrive->Drive(), drives[other][0]);
  EXPECT_EQ(picker->lbDirectory->Directory(), current);
  EXPECT_EQ(picker->lDir->Caption().substr(0, 2), current.substr(0, 2));
  // Entering a folder on the first drive again brings the selector back to it.
  picker->lbDirectory->SetDirectory(GetCurrentDir());
  EXPECT_EQ(picker->cbDrive->Drive(), GetCurrentDir()[0] & ~0x20);
  int selected = static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
  ASSERT_GE(selected, 0);
  EXPECT_EQ(drives[selected][0], GetCurrentDir()[0] & ~0x20);
}

// ---- The label over the list

TEST(MinimizePath, ReplacesFolderNamesFromTheLeftAndAtTheEndTheDrive) {
  auto length = [](const std::string& text) { return static_cast<int>(text.size()); };
  struct Case {
    std::string path;
    int width;
    std::string shown;
  } cases[] = {
      {"C:\\first\\second\\third", 100, "C:\\first\\second\\third"},
      {"C:\\first\\second\\third", 21, "C:\\first\\second\\third"},
      {"C:\\first\\second\\third", 20, "C:\\...\\second\\third"},
      {"C:\\first\\second\\third", 19, "C:\\...\\second\\third"},
      {"C:\\first\\second\\third", 18, "C:\\...\\third"},
      {"C:\\first\\second\\third", 12, "C:\\...\\third"},
      {"C:\\first\\second\\third", 11, "...\\third"},
      {"C:\\first\\second\\third", 3, "...\\third"},
      {"C:\\", 1, "C:\\"},
      {"C:\\folder", 5, "...\\folder"},
      {"\\\\server\\share\\first\\two", 22, "\\\\server\\share\\...\\two"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path + " in " + std::to_string(c.width));
    EXPECT_EQ(MinimizePath(c.path, c.width, length), c.shown);
  }
}

TEST_F(FolderPickerTest, ALongFolderIsShownShortenedAndPickedInFull) {
  TempFolder dir;
  std::string deep = dir.MakeFolder("a rather long folder name\\another long folder name\\the end");
  picker->lbDirectory->SetDirectory(deep);
  ShowPicker();
  std::string shown = picker->lDir->Caption();
  EXPECT_NE(shown.find("..."), std::string::npos) << shown;
  EXPECT_EQ(shown.substr(shown.size() - 8), "\\the end");
  EXPECT_LE(picker->lDir->Width(), picker->lbDirectory->Width());
  std::string folder;
  ModalPick pick(picker, [](TfrmSelectDir*) { ModalPick::PostKey(VK_RETURN); });
  ASSERT_TRUE(pick.Run(folder));
  EXPECT_EQ(folder, deep);
}

// ---- Modal picks

TEST_F(FolderPickerTest, EnterInTheListPicksItsCurrentFolderNotTheSelectedEntry) {
  TempFolder dir;
  std::string p = dir.MakeFolder("P");
  dir.MakeFolder("P\\A");
  picker->lbDirectory->SetDirectory(p);
  std::string folder = "unchanged";
  ModalPick pick(picker, [](TfrmSelectDir* shown) {
    shown->lbDirectory->SetFocus();
    shown->lbDirectory->SetItemIndex(shown->lbDirectory->Items()->Count() - 1);
    std::string screenshot = ArtifactFolder() + "\\folder-picker.png";
    SaveWindowScreenshot(shown->Handle(), screenshot);
    ModalPick::PostKey(VK_RETURN);
  });
  EXPECT_TRUE(pick.Run(folder));
  EXPECT_EQ(folder, p);
  EXPECT_FALSE(picker->Visible());
}

TEST_F(FolderPickerTest, ClickingSelectPicksTheFolderAndADriveRootKeepsItsSeparator) {
  std::string root = GetCurrentDir().substr(0, 3);
  picker->lbDirectory->SetDirectory(root);
  std::string folder;
  ModalPick pick(picker, [](TfrmSelectDir* shown) { PostMessageA(Hwnd(shown->bSelect), BM_CLICK, 0, 0); });
  ASSERT_TRUE(pick.Run(folder));
  EXPECT_EQ(folder, root);
  TStringList list;
  AddFolderTo(&list, folder, false);
  EXPECT_EQ(LinesOf(list), (Lines{root}));
}

TEST_F(FolderPickerTest, CancelEscapeAndTheCloseBoxPickNothing) {
  struct Case {
    const char* way;
    ModalPick::Step step;
  } cases[] = {
      {"cancel button", [](TfrmSelectDir* p) { PostMessageA(Hwnd(p->bCancel), BM_CLICK, 0, 0); }},
      {"Escape in the list",
       [](TfrmSelectDir* p) {
         p->lbDirectory->SetFocus();
         ModalPick::PostKey(VK_ESCAPE);
       }},
      {"Escape on the select button",
       [](TfrmSelectDir* p) {
         p->bSelect->SetFocus();
         ModalPick::PostKey(VK_ESCAPE);
       }},
      {"close box", [](TfrmSelectDir* p) { PostMessageA(Hwnd(p), WM_SYSCOMMAND, SC_CLOSE, 0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.way);
    std::string folder = "unchanged";
    ModalPick pick(picker, c.step);
    EXPECT_FALSE(pick.Run(folder));
    EXPECT_EQ(folder, "unchanged");
    EXPECT_FALSE(picker->Visible());
  }
}

TEST_F(FolderPickerTest, EnterOnTheFocusedCancelButtonCancels) {
  std::string folder = "unchanged";
  ModalPick pick(picker, [](TfrmSelectDir* p) {
    p->bCancel->SetFocus();
    ModalPick::PostKey(VK_RETURN);
  });
  EXPECT_FALSE(pick.Run(folder));
  EXPECT_EQ(folder, "unchanged");
}

TEST_F(FolderPickerTest, ThePickerKeepsFolderDriveAndCheckBoxBetweenPicks) {
  TempFolder dir;
  std::string p = dir.MakeFolder("P");
  std::string folder;
  ModalPick first(picker, [](TfrmSelectDir* shown) {
    SendMessageA(Hwnd(shown->cbIncludeSubDirs), BM_CLICK, 0, 0);
    ModalPick::PostKey(VK_RETURN);
  });
  picker->lbDirectory->SetDirectory(p);
  ASSERT_TRUE(first.Run(folder));
  EXPECT_EQ(folder, p);
  static std::string seenFolder;
  static bool seenTicked;
  static int seenDriveIndex;
  static bool focusInside;
  ModalPick second(picker, [](TfrmSelectDir* shown) {
    focusInside = IsChild(Hwnd(shown), GetFocus()) != FALSE;
    seenFolder = shown->lbDirectory->Directory();
    seenTicked = SendMessageA(Hwnd(shown->cbIncludeSubDirs), BM_GETCHECK, 0, 0) == BST_CHECKED;
    seenDriveIndex = static_cast<int>(SendMessageA(Hwnd(shown->cbDrive), CB_GETCURSEL, 0, 0));
    ModalPick::PostKey(VK_RETURN);
  });
  folder.clear();
  EXPECT_TRUE(second.Run(folder));
  EXPECT_EQ(folder, p);
  EXPECT_EQ(seenFolder, p);
  EXPECT_TRUE(seenTicked);
  EXPECT_TRUE(focusInside);  // a control of the picker has the focus again
  ASSERT_GE(seenDriveIndex, 0);
  EXPECT_EQ(picker->cbDrive->Drives()[seenDriveIndex][0], p[0] & ~0x20);
  EXPECT_TRUE(picker->cbIncludeSubDirs->Checked());
}

// ---- Over the main window

TEST_F(MainFormTest, ThePickerTakesTheMainWindowsInputWhileItIsOpen) {
  auto* picker = new TfrmSelectDir(Application);
  picker->ReadFormResource();
  static HWND mainWindow;
  static bool mainEnabledDuringPick;
  mainWindow = static_cast<HWND>(form->Handle());
  std::string folder;
  {
    ModalPick pick(picker, [](TfrmSelectDir* shown) {
      mainEnabledDuringPick = IsWindowEnabled(mainWindow);
      PostMessageA(Hwnd(shown->bCancel), BM_CLICK, 0, 0);
    });
    EXPECT_FALSE(pick.Run(folder));
  }
  EXPECT_FALSE(mainEnabledDuringPick);
  EXPECT_TRUE(IsWindowEnabled(mainWindow));
  delete picker;
}

TEST_F(MainFormTest, SubfoldersAreAddedToTheFolderListBelowWhatTheUserTyped) {
  TempFolder dir;
  std::string p = dir.MakeFolder("P");
  dir.MakeFolder("P\\A");
  form->mmDirs->SetText("typed by hand\r\n" + p + "\\\r\n");
  AddFolderTo(form->mmDirs->Lines(), p, true);
  EXPECT_EQ(LinesOf(*form->mmDirs->Lines()), (Lines{"typed by hand", p + "\\", p + "\\A\\"}));
}

TEST_F(MainFormTest, TheAddCommandPicksAFolderAndAddsItWithItsSubfolders) {
  frmSelectDir = new TfrmSelectDir(Application);
  frmSelectDir->ReadFormResource();
  TempFolder dir;
  std::string p = dir.MakeFolder("P");
  dir.MakeFolder("P\\A");
  frmSelectDir->lbDirectory->SetDirectory(p);
  frmSelectDir->cbIncludeSubDirs->SetChecked(true);
  {
    ModalPick pick(frmSelectDir, [](TfrmSelectDir* shown) {
      PostMessageA(Hwnd(shown->bSelect), BM_CLICK, 0, 0);
    });
    SendMessageA(Hwnd(form->bAddFolder), BM_CLICK, 0, 0);
  }
  EXPECT_EQ(LinesOf(*form->mmDirs->Lines()), (Lines{p + "\\", p + "\\A\\"}));
  delete frmSelectDir;
  frmSelectDir = nullptr;
}
