// Deleting from the result list: DEL or the delete command removes the file of the selected
// cell from disk, after the confirmation when it is asked for, and blanks its cells.
#include <windows.h>

#include <gtest/gtest.h>

#include "FileSys.h"
#include "MainFormFixture.h"
#include "Screenshot.h"
#include "TestFiles.h"

namespace {

// What the confirmation showed, read from its window before it was answered.
struct SeenConfirmation {
  bool shown = false;
  std::string title, text, yes, no, cancel;
};

// Answers the next dialog of this thread from a timer that runs inside its modal loop.
class NextDialogAnswer {
 public:
  explicit NextDialogAnswer(int command, std::string screenshot = "") {
    command_ = command;
    screenshot_ = std::move(screenshot);
    sightings_ = 0;
    seen_ = {};
    timer_ = SetTimer(nullptr, 0, 20, &NextDialogAnswer::Tick);
  }
  ~NextDialogAnswer() { KillTimer(nullptr, timer_); }
  const SeenConfirmation& Seen() const { return seen_; }

 private:
  UINT_PTR timer_;
  static std::string ItemText(HWND dialog, int id) {
    char text[512] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = FindWindowA("#32770", nullptr);
    if (!dialog || GetWindowThreadProcessId(dialog, nullptr) != GetCurrentThreadId()) return;
    // A few ticks pass first, so that the dialog is on the screen when it is photographed.
    if (!screenshot_.empty() && ++sightings_ < 4) return;
    KillTimer(nullptr, id);
    char title[256] = {};
    GetWindowTextA(dialog, title, sizeof title);
    seen_ = {true, title, ItemText(dialog, 101), ItemText(dialog, IDYES), ItemText(dialog, IDNO),
             ItemText(dialog, IDCANCEL)};
    if (!screenshot_.empty()) {
      RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
      SaveWindowScreenshot(dialog, screenshot_);
    }
    if (command_ == 0)
      PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    else
      PostMessageA(dialog, WM_COMMAND, command_, 0);
  }
  static inline int command_;
  static inline std::string screenshot_;
  static inline int sightings_;
  static inline SeenConfirmation seen_;
};

class DeletionTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) dir.Write(name, "same content");
    Compare({dir.Path()});
    ASSERT_EQ(Rows().size(), 3u);
    form->sgFiles->SetFocus();
  }
  void Select(int col, int row) {
    form->sgFiles->SetCol(col);
    form->sgFiles->SetRow(row);
  }
  // A key pressed on the result list, with the modifier keys held as given.
  void PressDelete(bool shift = false, bool ctrl = false) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(keys);
    SendMessageW(static_cast<HWND>(form->sgFiles->Handle()), WM_KEYDOWN, VK_DELETE, 1);
    keys[VK_SHIFT] = keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
  }

  TempFolder dir;
};

}  // namespace

TEST_F(DeletionTest, DeletingAFileBlanksEveryCellThatNamesIt) {
  Select(0, 0);
  NextDialogAnswer answer(IDYES, ArtifactFolder() + "\\delete-confirmation.png");
  PressDelete();
  ASSERT_TRUE(answer.Seen().shown);
  EXPECT_EQ(answer.Seen().title, "Confirm");
  EXPECT_EQ(answer.Seen().text, "Вы действительно хотите удалить файл " + (dir / "a.txt") + "?");
  EXPECT_EQ(answer.Seen().yes, "&Yes");
  EXPECT_EQ(answer.Seen().no, "&No");
  EXPECT_EQ(answer.Seen().cancel, "Cancel");
  EXPECT_FALSE(FileExists(dir / "a.txt"));
  EXPECT_EQ(Rows(), (::Rows{{"", dir / "b.txt"}, {"", dir / "c.txt"}, {dir / "b.txt", dir / "c.txt"}}));
  EXPECT_EQ(form->stCount->Caption(), "Всего пар найдено: 3.");
}

TEST_F(DeletionTest, NoCancelOrTheCloseBoxDeleteNothing) {
  for (int command : {IDNO, IDCANCEL, 0}) {
    SCOPED_TRACE(command);
    Select(1, 2);
    NextDialogAnswer answer(command);
    form->aDeleteFile->Execute();
    EXPECT_TRUE(answer.Seen().shown);
    EXPECT_TRUE(FileExists(dir / "c.txt"));
    EXPECT_EQ(form->sgFiles->Cells(1, 2), dir / "c.txt");
  }
}

TEST_F(DeletionTest, WithoutConfirmationDelWithAnyModifierDeletesAtOnce) {
  form->cbConfirmDelete->SetChecked(false);
  Select(1, 0);
  PressDelete(/*shift=*/true);
  EXPECT_FALSE(FileExists(dir / "b.txt"));
  Select(1, 1);
  PressDelete(/*shift=*/false, /*ctrl=*/true);
  EXPECT_FALSE(FileExists(dir / "c.txt"));
  EXPECT_EQ(Rows(), (::Rows{{dir / "a.txt", ""}, {dir / "a.txt", ""}, {"", ""}}));
}

TEST_F(DeletionTest, AnEmptyCellAsksNothingAndDeletesNothing) {
  form->cbConfirmDelete->SetChecked(false);
  Select(0, 0);
  PressDelete();
  form->cbConfirmDelete->SetChecked(true);
  Select(0, 1);  // emptied by the deletion above
  NextDialogAnswer answer(IDYES);
  PressDelete();
  EXPECT_FALSE(answer.Seen().shown);
  EXPECT_TRUE(FileExists(dir / "b.txt"));
  EXPECT_TRUE(FileExists(dir / "c.txt"));
}

TEST_F(DeletionTest, OnlyCellsWithTheSamePathLetterForLetterAreBlanked) {
  form->cbConfirmDelete->SetChecked(false);
  std::string upper = AnsiUpperCase(dir / "a.txt");
  form->sgFiles->SetCells(1, 2, upper);
  Select(0, 0);
  PressDelete();
  EXPECT_EQ(form->sgFiles->Cells(1, 2), upper);
  EXPECT_EQ(form->sgFiles->Cells(0, 1), "");
}

TEST_F(DeletionTest, ACellTheUserChangedDeletesTheFileItNowNames) {
  form->cbConfirmDelete->SetChecked(false);
  std::string other = dir.Write("other.txt", "x");
  form->sgFiles->SetCells(1, 0, other);
  form->sgFiles->SetCells(0, 2, other);
  Select(1, 0);
  PressDelete();
  EXPECT_FALSE(FileExists(other));
  EXPECT_EQ(Rows(), (::Rows{{dir / "a.txt", ""}, {dir / "a.txt", dir / "c.txt"}, {"", dir / "c.txt"}}));
}

TEST_F(DeletionTest, AFileDeletedElsewhereLeavesTheListAsItIs) {
  DeleteFileAt(dir / "b.txt");
  Select(1, 0);
  NextDialogAnswer answer(IDYES);
  PressDelete();
  EXPECT_TRUE(answer.Seen().shown);
  EXPECT_EQ(form->sgFiles->Cells(1, 0), dir / "b.txt");
  EXPECT_EQ(form->sgFiles->Cells(0, 2), dir / "b.txt");
}

TEST_F(DeletionTest, DelWhileACellIsEditedDeletesItsFile) {
  form->cbConfirmDelete->SetChecked(false);
  Select(0, 1);
  form->sgFiles->SetEditorMode(true);
  ASSERT_TRUE(form->sgFiles->EditorMode());
  SendMessageW(static_cast<HWND>(form->sgFiles->EditorHandle()), WM_KEYDOWN, VK_DELETE, 1);
  EXPECT_FALSE(FileExists(dir / "a.txt"));
  EXPECT_EQ(form->sgFiles->Cells(0, 0), "");
  EXPECT_EQ(form->sgFiles->Cells(0, 1), "");
}
