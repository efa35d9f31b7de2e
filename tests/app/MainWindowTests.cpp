// The main window as its form resource builds it: layout, actions, menu, the column
// formula, the Exit button, the error display, and a comparison run through real clicks.
#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include "DialogWatcher.h"
#include "MainFormFixture.h"
#include "Screenshot.h"
#include "TestFiles.h"
#include "WinText.h"

namespace {
void Click(TWinControl* button) {
  SendMessageA(static_cast<HWND>(button->Handle()), BM_CLICK, 0, 0);
  Application->ProcessMessages();
}

// Makes the result list's client area the given width by sizing the window.
void SetGridClientWidth(TMainForm* form, int width) {
  int frame = form->sgFiles->Width() - form->sgFiles->ClientWidth();
  int margins = form->ClientWidth() - form->sgFiles->Width();
  form->SetClientWidth(width + frame + margins);
  Application->ProcessMessages();
  ASSERT_EQ(form->sgFiles->ClientWidth(), width);
}
}  // namespace

TEST_F(MainFormTest, ControlsStandWhereTheFormResourcePutsThem) {
  struct Case {
    TControl* control;
    TRect bounds;
    TAnchors anchors;
  } cases[] = {
      {form->mmDirs, {8, 24, 193, 155}, AnchorsOf({akLeft, akTop, akBottom})},
      {form->bAddFolder, {8, 162, 97, 187}, AnchorsOf({akLeft, akBottom})},
      {form->btnClear, {104, 162, 193, 187}, AnchorsOf({akLeft, akBottom})},
      {form->pInfo, {8, 202, 193, 283}, AnchorsOf({akLeft, akBottom})},
      {form->stInfo, {2, 2, 183, 49}, AnchorsOf({akLeft, akTop})},
      {form->lCopyright, {3, 56, 184, 80}, AnchorsOf({akLeft, akTop})},
      {form->btnCompare, {8, 298, 193, 323}, AnchorsOf({akLeft, akBottom})},
      {form->btnExit, {8, 330, 193, 355}, AnchorsOf({akLeft, akBottom})},
      {form->stCount, {512, 8, 777, 21}, AnchorsOf({akTop, akRight})},
      {form->sgFiles, {200, 24, 777, 331}, AnchorsOf({akLeft, akTop, akRight, akBottom})},
      {form->cbConfirmDelete, {200, 338, 433, 355}, AnchorsOf({akLeft, akBottom})},
      {form->stKeyHint, {568, 338, 777, 355}, AnchorsOf({akRight, akBottom})},
  };
  ASSERT_EQ(form->ClientWidth(), 786);
  ASSERT_EQ(form->ClientHeight(), 359);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control->Name());
    ExpectBounds(c.control, c.bounds);
    EXPECT_EQ(c.control->Anchors(), c.anchors);
  }
  // The two labels above the lists are sized to their captions in the font the system has.
  for (TLabel* label : {form->lFolders, form->lFileList}) {
    SCOPED_TRACE(label->Name());
    EXPECT_EQ(label->Top(), 8);
    EXPECT_TRUE(label->AutoSize());
    EXPECT_GT(label->Width(), 50);
    EXPECT_GE(label->Height(), 12);
  }
  EXPECT_EQ(form->lFolders->Left(), 8);
  EXPECT_EQ(form->lFileList->Left(), 208);
  EXPECT_EQ(form->stInfo->Parent(), form->pInfo);
  EXPECT_FALSE(form->stInfo->Visible());
  EXPECT_FALSE(form->FLB->Visible());
  EXPECT_TRUE(form->cbConfirmDelete->Checked());
  EXPECT_EQ(form->Caption(), "Поиск файлов идентичных по содержимому");
}

TEST_F(MainFormTest, TabOrderFontsAndColoursFollowTheTables) {
  EXPECT_EQ(form->mmDirs->TabOrder(), 0);
  EXPECT_EQ(form->bAddFolder->TabOrder(), 1);
  EXPECT_EQ(form->btnClear->TabOrder(), 2);
  EXPECT_EQ(form->btnCompare->TabOrder(), 3);
  EXPECT_EQ(form->pInfo->TabOrder(), 4);
  EXPECT_EQ(form->btnExit->TabOrder(), 6);
  EXPECT_EQ(form->sgFiles->TabOrder(), 7);
  EXPECT_EQ(form->cbConfirmDelete->TabOrder(), 10);
  EXPECT_EQ(form->Font()->Name(), "MS Sans Serif");
  EXPECT_EQ(form->Font()->Height(), -11);
  EXPECT_EQ(form->btnCompare->Font()->Style(), 1u << fsBold);
  EXPECT_EQ(form->stKeyHint->Font()->Style(), 1u << fsBold);
  EXPECT_EQ(form->stKeyHint->Font()->Color(), clRed);
  EXPECT_EQ(form->stInfo->Font()->Color(), clRed);
  EXPECT_EQ(form->mmDirs->Font()->Style(), 0u);
  // The windows use those fonts too.
  for (TWinControl* bold : {static_cast<TWinControl*>(form->btnCompare), static_cast<TWinControl*>(form->stKeyHint)}) {
    SCOPED_TRACE(bold->Name());
    LOGFONTW lf = {};
    auto font = reinterpret_cast<HFONT>(SendMessageW(static_cast<HWND>(bold->Handle()), WM_GETFONT, 0, 0));
    ASSERT_TRUE(GetObjectW(font, sizeof lf, &lf));
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfHeight, -11);
  }
  // The show handler makes the two coloured static texts paint their own background.
  for (TControl* text : {static_cast<TControl*>(form->stKeyHint), static_cast<TControl*>(form->stInfo)}) {
    EXPECT_TRUE(text->ControlStyle() & csOpaque);
    EXPECT_FALSE(text->ControlStyle() & csParentBackground);
  }
  EXPECT_TRUE(form->ShowHint());
}

TEST_F(MainFormTest, TheFolderListHasTheFocusFirstAndTabMovesItInTabOrder) {
  EXPECT_EQ(GetFocus(), static_cast<HWND>(form->mmDirs->Handle()));
  std::vector<TWinControl*> expected = {form->bAddFolder, form->btnClear, form->btnCompare,
                                        form->btnExit, form->sgFiles, form->cbConfirmDelete,
                                        form->mmDirs};
  for (TWinControl* next : expected) {
    MSG tab = {};
    tab.hwnd = GetFocus();
    tab.message = WM_KEYDOWN;
    tab.wParam = VK_TAB;
    EXPECT_TRUE(IsDialogMessageW(static_cast<HWND>(form->Handle()), &tab));
    EXPECT_EQ(GetFocus(), static_cast<HWND>(next->Handle())) << "expected " << next->Name();
  }
}

namespace {
// The hint that the tooltip shows for a control, or "" when it has none.
std::string ToolTipText(TWinControl* control) {
  HWND tip = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), [](HWND w, LPARAM found) {
    char name[64] = {};
    GetClassNameA(w, name, sizeof name);
    if (std::string(name) != "tooltips_class32") return TRUE;
    *reinterpret_cast<HWND*>(found) = w;
    return FALSE;
  }, reinterpret_cast<LPARAM>(&tip));
  if (!tip) return "";
  wchar_t text[256] = {};
  TOOLINFOW ti = {};
  ti.cbSize = sizeof ti;
  ti.hwnd = GetParent(static_cast<HWND>(control->Handle()));
  ti.uId = reinterpret_cast<UINT_PTR>(control->Handle());
  ti.lpszText = text;
  SendMessageW(tip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&ti));
  return WideToUtf8(text, static_cast<int>(wcslen(text)));
}
}  // namespace

TEST_F(MainFormTest, ControlsWithAHintShowItAsATooltip) {
  EXPECT_EQ(ToolTipText(form->bAddFolder), "Добавить папку в список");
  EXPECT_EQ(ToolTipText(form->btnCompare), "");
  form->aAddFolder->SetHint("Add a folder");
  EXPECT_EQ(ToolTipText(form->bAddFolder), "Add a folder");
}

TEST_F(MainFormTest, ButtonsAndMenuItemsShowTheirActions) {
  EXPECT_EQ(form->bAddFolder->Caption(), "Добавить...");
  EXPECT_EQ(form->bAddFolder->Hint(), "Добавить папку в список");
  EXPECT_EQ(form->bAddFolder->ImageIndex(), 0);
  EXPECT_EQ(form->btnClear->Caption(), "Очистить");
  EXPECT_EQ(form->btnCompare->Caption(), "Запустить сравнение");
  EXPECT_EQ(form->btnExit->Caption(), "Выйти из программы");
  EXPECT_EQ(form->btnExit->ImageIndex(), 4);
  EXPECT_EQ(form->Images->Count(), 5);

  ASSERT_EQ(form->MainMenu->Items()->Count(), 4);
  EXPECT_EQ(form->MainMenu->Items()->Items(0), form->N1);
  EXPECT_EQ(form->N1->Caption(), "Папки");
  ASSERT_EQ(form->N1->Count(), 2);
  EXPECT_EQ(form->N2->Caption(), "Добавить...");
  EXPECT_EQ(form->N2->Hint(), "Добавить папку в список");
  EXPECT_EQ(form->N3->Caption(), "Очистить");
  EXPECT_EQ(form->N4->Caption(), "Файлы");
  EXPECT_EQ(form->N5->Caption(), "Запустить сравнение");
  EXPECT_EQ(form->N6->Caption(), "Удалить файл");
  EXPECT_EQ(form->N6->ImageIndex(), 3);
  EXPECT_EQ(form->Language1->Caption(), "Язык (Language)");
  EXPECT_EQ(form->Language1->Count(), 0);
  EXPECT_EQ(form->N7->Caption(), "Выйти из программы");

  // A caption that the action changes follows on every client still showing the old one.
  form->aAddFolder->SetCaption("Add...");
  EXPECT_EQ(form->bAddFolder->Caption(), "Add...");
  EXPECT_EQ(form->N2->Caption(), "Add...");
  form->btnClear->SetCaption("Own text");
  form->aClearFolderList->SetCaption("Clear");
  EXPECT_EQ(form->btnClear->Caption(), "Own text");
  EXPECT_EQ(form->N3->Caption(), "Clear");
}

TEST_F(MainFormTest, ColumnsShareTheGridWidthLessTwentyAfterEveryResize) {
  SetGridClientWidth(form, 420);
  EXPECT_EQ(form->sgFiles->ColWidths(0), 200);
  EXPECT_EQ(form->sgFiles->ColWidths(1), 200);
  SetGridClientWidth(form, 421);
  EXPECT_EQ(form->sgFiles->ColWidths(0), 200);
  EXPECT_EQ(form->sgFiles->ColWidths(1), 200);
  // A width the user dragged lasts until the next size change.
  form->sgFiles->SetColWidths(0, 60);
  SetGridClientWidth(form, 600);
  EXPECT_EQ(form->sgFiles->ColWidths(0), 290);
  EXPECT_EQ(form->sgFiles->ColWidths(1), 290);
  // The anchored controls keep their distances to the edges.
  EXPECT_EQ(form->ClientWidth() - form->stKeyHint->Left() - form->stKeyHint->Width(), 9);
  EXPECT_EQ(form->ClientWidth() - form->stCount->Left() - form->stCount->Width(), 9);
}

TEST_F(MainFormTest, TypedTextOfAnyScriptReachesTheFolderListWhole) {
  HWND memo = static_cast<HWND>(form->mmDirs->Handle());
  for (wchar_t c : std::wstring(L"C:\\Фото-日本"))
    SendMessageW(memo, WM_CHAR, c, 0);
  EXPECT_EQ(form->mmDirs->Lines()->Lines(), (std::vector<std::string>{"C:\\Фото-日本"}));
}

TEST_F(MainFormTest, TheExitButtonStoresItsCloseResultAndTheMenuCommandDoesNot) {
  form->N7->Click();
  EXPECT_EQ(form->ModalResult(), 0);
  EXPECT_FALSE(form->Visible());
  form->Show();
  Click(form->btnExit);
  EXPECT_EQ(form->ModalResult(), 1);
  EXPECT_FALSE(form->Visible());
}

TEST_F(MainFormTest, ErrorsThatNoHandlerCatchesShowInAStopBox) {
  TempFolder dir;
  std::string missing = dir / "gone";
  form->mmDirs->Lines()->SetLines({missing});
  DialogWatcher watcher;
  Click(form->btnCompare);
  Application->ShowException(Exception("Unable to write to C:\\x.ini"));
  std::vector<SeenDialog> seen = watcher.Seen();
  ASSERT_EQ(seen.size(), 2u);
  // A message that ends in "!" or "." gets no period; one that ends in a letter does.
  EXPECT_EQ(seen[0].Text, "Папка \"" + missing + "\" не найдена!");
  EXPECT_EQ(seen[1].Text, "Unable to write to C:\\x.ini.");
  EXPECT_EQ(seen[0].Title, Application->Title());
  EXPECT_EQ(Application->Title(), "app_tests");
  EXPECT_EQ(form->btnCompare->Caption(), "Запустить сравнение");
}

TEST_F(MainFormTest, AComparisonThroughTheWindowFillsTheListAndIsPhotographed) {
  TempFolder dir;
  std::string photos = dir.MakeFolder("Фото");
  dir.Write("Фото\\море.jpg", std::string(3000, 'x'));
  dir.Write("Фото\\копия моря.jpg", std::string(3000, 'x'));
  dir.Write("Фото\\горы.jpg", std::string(3000, 'y'));
  std::string docs = dir.MakeFolder("Документы");
  dir.Write("Документы\\отчёт.doc", "report");
  dir.Write("Документы\\отчёт (2).doc", "report");
  dir.Write("Документы\\море.jpg", std::string(3000, 'x'));
  SetWindowTextA(static_cast<HWND>(form->mmDirs->Handle()), (photos + "\\\r\n" + docs + "\\").c_str());
  Click(form->btnCompare);
  EXPECT_EQ(Rows(), (::Rows{{dir / "Фото\\копия моря.jpg", dir / "Фото\\море.jpg"},
                            {dir / "Фото\\копия моря.jpg", dir / "Документы\\море.jpg"},
                            {dir / "Фото\\море.jpg", dir / "Документы\\море.jpg"},
                            {dir / "Документы\\отчёт (2).doc", dir / "Документы\\отчёт.doc"}}));
  EXPECT_EQ(form->stCount->Caption(), "Всего пар найдено: 4.");
  EXPECT_EQ(form->btnCompare->Caption(), "Запустить сравнение");
  int half = (form->sgFiles->ClientWidth() - 20) / 2;
  EXPECT_EQ(form->sgFiles->ColWidths(0), half);
  form->sgFiles->SetFocus();
  form->sgFiles->SetRow(1);
  Application->ProcessMessages();
  EXPECT_TRUE(SaveWindowScreenshot(form->Handle(), ArtifactFolder() + "\\main-window-results.png"));
}
