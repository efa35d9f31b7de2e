// The string grid in real windows: storage of many rows, selection by keys and mouse,
// scrolling, column sizing, in-place editing, repainting, and what it shows on screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "Forms.h"
#include "Grids.h"
#include "Screenshot.h"
#include "StdCtrls.h"
#include "TestFiles.h"
#include "TypInfo.h"

namespace {

HWND Hwnd(void* handle) { return static_cast<HWND>(handle); }

void Pump() { Application->ProcessMessages(); }

// Sends a key press as the keyboard would deliver it, with Ctrl or Shift held for the
// moment of the message.
void PressKey(void* window, WORD key, TShiftState shift = 0) {
  BYTE state[256];
  GetKeyboardState(state);
  BYTE savedCtrl = state[VK_CONTROL], savedShift = state[VK_SHIFT];
  if (shift & (1u << ssCtrl)) state[VK_CONTROL] |= 0x80;
  if (shift & (1u << ssShift)) state[VK_SHIFT] |= 0x80;
  SetKeyboardState(state);
  SendMessageW(Hwnd(window), WM_KEYDOWN, key, 1);
  state[VK_CONTROL] = savedCtrl;
  state[VK_SHIFT] = savedShift;
  SetKeyboardState(state);
}

void TypeChar(void* window, char c) { SendMessageW(Hwnd(window), WM_CHAR, c, 1); }

void MouseMessage(void* window, UINT msg, int x, int y) {
  SendMessageW(Hwnd(window), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
}

WPARAM WheelParam(int delta) { return MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta))); }

std::string WindowText(void* window) {
  char buffer[1024];
  int n = GetWindowTextA(Hwnd(window), buffer, sizeof buffer);
  return std::string(buffer, n);
}

std::string SamplePath(int i) {
  return "C:\\Users\\Someone\\Pictures\\2019\\Holiday\\IMG_" + std::to_string(i) + ".jpg";
}

int CenterX(const TRect& r) { return (r.Left + r.Right) / 2; }
int CenterY(const TRect& r) { return (r.Top + r.Bottom) / 2; }

class GridTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    InitToolkit();
    Application->OnException = [](TObject*, const std::exception& e) {
      ADD_FAILURE() << "exception in a window procedure: " << e.what();
    };
  }

  void SetUp() override {
    form_ = new TForm(nullptr);
    form_->SetLeft(40);
    form_->SetTop(40);
    form_->SetClientWidth(500);
    form_->SetClientHeight(300);
    form_->SetCaption("Grid test");
    grid_ = new TStringGrid(form_);
    grid_->SetParent(form_);
    grid_->SetBounds(10, 10, 480, 280);
    grid_->SetFixedCols(0);
    grid_->SetFixedRows(0);
    grid_->SetColCount(2);
    grid_->SetRowCount(1);
    grid_->SetDefaultColWidth(200);
    grid_->SetDefaultRowHeight(20);
    form_->Show();
    SetForegroundWindow(Hwnd(form_->Handle()));
    grid_->SetFocus();
    Pump();
  }

  void TearDown() override {
    delete form_;
    Pump();
  }

  void FillRows(int count) {
    grid_->SetRowCount(count);
    for (int row = 0; row < count; ++row) {
      grid_->SetCells(0, row, SamplePath(row));
      grid_->SetCells(1, row, SamplePath(row) + ".copy");
    }
    Pump();
  }

  void EnableOptions(std::initializer_list<TGridOption> options) {
    grid_->SetOptions(grid_->Options() | GridOptionsOf(options));
  }

  void ExpectSelectionInView() const {
    EXPECT_LE(grid_->TopRow(), grid_->Row());
    EXPECT_LT(grid_->Row(), grid_->TopRow() + grid_->VisibleRowCount());
  }

  SCROLLINFO VerticalScrollInfo() {
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(Hwnd(grid_->Handle()), SB_VERT, &si);
    return si;
  }

  TForm* form_ = nullptr;
  TStringGrid* grid_ = nullptr;
};

TEST_F(GridTest, CellsReadBackWhatWasWrittenAndOutsideTheGridReadEmpty) {
  grid_->SetRowCount(3);
  grid_->SetCells(1, 2, "x");
  grid_->SetCells(5, 5, "ignored");
  struct Case {
    int col, row;
    const char* expected;
  } cases[] = {{1, 2, "x"}, {0, 2, ""}, {2, 0, ""}, {0, 3, ""}, {-1, 0, ""}, {0, -1, ""}};
  for (const Case& c : cases)
    EXPECT_EQ(grid_->Cells(c.col, c.row), c.expected) << c.col << "," << c.row;
  EXPECT_EQ(grid_->ColCount(), 2);
  EXPECT_EQ(grid_->RowCount(), 3);
}

TEST_F(GridTest, ShrinkingDropsTheCellsThatLeaveAndGrowingBringsEmptyOnes) {
  grid_->SetRowCount(3);
  grid_->SetCells(1, 2, "row two");
  grid_->SetCells(1, 0, "column one");
  grid_->SetRowCount(2);
  grid_->SetRowCount(3);
  EXPECT_EQ(grid_->Cells(1, 2), "");
  grid_->SetColCount(1);
  grid_->SetColCount(2);
  EXPECT_EQ(grid_->Cells(1, 0), "");
  grid_->SetRowCount(0);
  EXPECT_EQ(grid_->RowCount(), 1);
}

TEST_F(GridTest, FiveHundredThousandRowsAreAddedOneByOne) {
  constexpr int kRows = 500000;
  auto start = std::chrono::steady_clock::now();
  for (int row = 0; row < kRows; ++row) {
    grid_->SetRowCount(row + 1);
    grid_->SetCells(0, row, SamplePath(row));
    grid_->SetCells(1, row, SamplePath(row) + ".copy");
  }
  auto filled = std::chrono::steady_clock::now();
  Pump();
  UpdateWindow(Hwnd(grid_->Handle()));
  auto shown = std::chrono::steady_clock::now();
  auto ms = [](auto d) { return std::chrono::duration_cast<std::chrono::milliseconds>(d).count(); };
  std::printf("[ timing ] %d rows of two cells set one by one: %lld ms, then shown: %lld ms\n",
              kRows, static_cast<long long>(ms(filled - start)),
              static_cast<long long>(ms(shown - filled)));
  RecordProperty("fill_ms", static_cast<int>(ms(filled - start)));

  EXPECT_EQ(grid_->RowCount(), kRows);
  EXPECT_EQ(grid_->Cells(0, 0), SamplePath(0));
  EXPECT_EQ(grid_->Cells(1, kRows - 1), SamplePath(kRows - 1) + ".copy");
  // The scroll bar spans all rows, far beyond the 16 bits of a scroll message.
  EXPECT_EQ(VerticalScrollInfo().nMax, kRows - 1);
}

TEST_F(GridTest, KeysMoveTheSelectionAndKeepItInView) {
  FillRows(1000);
  const int page = grid_->VisibleRowCount();
  ASSERT_GT(page, 2);
  const TShiftState ctrl = 1u << ssCtrl;
  struct Step {
    WORD key;
    TShiftState shift;
    int col, row;
  } steps[] = {
      {VK_DOWN, 0, 0, 1},         {VK_DOWN, 0, 0, 2},           {VK_RIGHT, 0, 1, 2},
      {VK_RIGHT, 0, 1, 2},        {VK_LEFT, 0, 0, 2},           {VK_NEXT, 0, 0, 2 + page},
      {VK_PRIOR, 0, 0, 2},        {VK_END, 0, 1, 2},            {VK_HOME, 0, 0, 2},
      {VK_END, ctrl, 0, 999},     {VK_DOWN, 0, 0, 999},         {VK_UP, 0, 0, 998},
      {VK_HOME, ctrl, 0, 0},      {VK_UP, 0, 0, 0},             {VK_PRIOR, 0, 0, 0},
  };
  for (const Step& s : steps) {
    PressKey(grid_->Handle(), s.key, s.shift);
    SCOPED_TRACE("key " + std::to_string(s.key) + (s.shift ? " with Ctrl" : ""));
    EXPECT_EQ(grid_->Col(), s.col);
    EXPECT_EQ(grid_->Row(), s.row);
    ExpectSelectionInView();
  }
}

TEST_F(GridTest, CtrlEndScrollsTheLastOf300000RowsIntoView) {
  constexpr int kRows = 300000;
  FillRows(kRows);
  PressKey(grid_->Handle(), VK_END, 1u << ssCtrl);
  EXPECT_EQ(grid_->Row(), kRows - 1);
  EXPECT_EQ(grid_->TopRow(), kRows - grid_->VisibleRowCount());
  ExpectSelectionInView();
  Pump();
  EXPECT_EQ(VerticalScrollInfo().nPos, grid_->TopRow());
  EXPECT_GT(grid_->CellRect(0, kRows - 1).Height(), 0);
}

TEST_F(GridTest, ScrollBarMessagesMoveTheTopRow) {
  constexpr int kRows = 100000;
  FillRows(kRows);
  const int last = kRows - grid_->VisibleRowCount();
  struct Case {
    WORD code;
    int expectedTop;
  } cases[] = {{SB_BOTTOM, last},    {SB_LINEUP, last - 1},
               {SB_PAGEUP, last - 1 - grid_->VisibleRowCount()},
               {SB_TOP, 0},          {SB_LINEUP, 0},
               {SB_LINEDOWN, 1},     {SB_PAGEDOWN, 1 + grid_->VisibleRowCount()}};
  for (const Case& c : cases) {
    SendMessageW(Hwnd(grid_->Handle()), WM_VSCROLL, MAKEWPARAM(c.code, 0), 0);
    EXPECT_EQ(grid_->TopRow(), c.expectedTop) << "scroll code " << c.code;
    EXPECT_EQ(VerticalScrollInfo().nPos, c.expectedTop) << "scroll code " << c.code;
  }
}

// Drags the vertical scroll bar's thumb to the middle of its track with the system's own
// mouse input, and waits until the grid has seen the end of the drag.
void DragThumbToMiddle(HWND hwnd) {
  SCROLLBARINFO bar = {};
  bar.cbSize = sizeof bar;
  ASSERT_TRUE(GetScrollBarInfo(hwnd, OBJID_VSCROLL, &bar));
  const int x = (bar.rcScrollBar.left + bar.rcScrollBar.right) / 2;
  const int thumbY = bar.rcScrollBar.top + (bar.xyThumbTop + bar.xyThumbBottom) / 2;
  const int middleY = (bar.rcScrollBar.top + bar.rcScrollBar.bottom) / 2;
  auto absolute = [](int v, int extent) { return static_cast<LONG>(v * 65536 / extent + 1); };
  const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
  const DWORD moveFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  struct Step {
    int y;
    DWORD flags;
  } steps[] = {{thumbY, moveFlags},
               {thumbY, moveFlags | MOUSEEVENTF_LEFTDOWN},
               {(thumbY + middleY) / 2, moveFlags},
               {middleY, moveFlags},
               {middleY, moveFlags | MOUSEEVENTF_LEFTUP}};
  std::vector<INPUT> inputs;
  for (const Step& step : steps) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = absolute(x, screenW);
    input.mi.dy = absolute(step.y, screenH);
    input.mi.dwFlags = step.flags;
    inputs.push_back(input);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  for (int i = 0; i < 50 && (GetAsyncKeyState(VK_LBUTTON) < 0 || i < 5); ++i) {
    Pump();
    Sleep(20);
  }
}

// The top row right after each thumb-tracking message that the grid handled.
class ThumbTrackRecorder {
 public:
  explicit ThumbTrackRecorder(TStringGrid* grid) {
    grid_ = grid;
    topRows_.clear();
    hook_ = SetWindowsHookExW(WH_CALLWNDPROCRET, &Record, nullptr, GetCurrentThreadId());
  }
  ~ThumbTrackRecorder() { UnhookWindowsHookEx(hook_); }
  const std::vector<int>& TopRows() const { return topRows_; }

 private:
  static LRESULT CALLBACK Record(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_VSCROLL && LOWORD(call->wParam) == SB_THUMBTRACK &&
        call->hwnd == Hwnd(grid_->Handle()))
      topRows_.push_back(grid_->TopRow());
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static inline TStringGrid* grid_ = nullptr;
  static inline std::vector<int> topRows_;
  HHOOK hook_;
};

TEST_F(GridTest, DraggingTheScrollThumbReachesRowsBeyond65535) {
  constexpr int kRows = 300000;
  FillRows(kRows);
  for (bool tracking : {true, false}) {
    SCOPED_TRACE(tracking ? "with goThumbTracking" : "without goThumbTracking");
    grid_->SetOptions(tracking ? GridOptionsOf({goThumbTracking}) : 0);
    grid_->SetTopRow(0);
    ThumbTrackRecorder recorder(grid_);
    DragThumbToMiddle(Hwnd(grid_->Handle()));
    EXPECT_GT(grid_->TopRow(), 65535);
    EXPECT_LT(std::abs(grid_->TopRow() - kRows / 2), kRows / 10);
    EXPECT_EQ(VerticalScrollInfo().nPos, grid_->TopRow());
    // With tracking the rows follow the thumb during the drag; without, only at its end.
    ASSERT_FALSE(recorder.TopRows().empty());
    EXPECT_EQ(recorder.TopRows().back() > 0, tracking);
  }
}

TEST_F(GridTest, MouseWheelScrollsByTheSystemsLineCount) {
  FillRows(1000);
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  HWND hwnd = Hwnd(grid_->Handle());
  SendMessageW(hwnd, WM_MOUSEWHEEL, WheelParam(-WHEEL_DELTA), 0);
  EXPECT_EQ(grid_->TopRow(), static_cast<int>(lines));
  SendMessageW(hwnd, WM_MOUSEWHEEL, WheelParam(-WHEEL_DELTA / 2), 0);
  EXPECT_EQ(grid_->TopRow(), static_cast<int>(lines));  // half a notch waits for the other half
  SendMessageW(hwnd, WM_MOUSEWHEEL, WheelParam(-WHEEL_DELTA / 2), 0);
  EXPECT_EQ(grid_->TopRow(), static_cast<int>(2 * lines));
  SendMessageW(hwnd, WM_MOUSEWHEEL, WheelParam(4 * WHEEL_DELTA), 0);
  EXPECT_EQ(grid_->TopRow(), 0);
  EXPECT_EQ(grid_->Row(), 0);  // the wheel moves the view, not the selection
}

TEST_F(GridTest, ClickSelectsTheCellUnderTheMouseAndFocusesTheGrid) {
  FillRows(50);
  SetFocus(Hwnd(form_->Handle()));
  ASSERT_FALSE(grid_->Focused());
  TRect cell = grid_->CellRect(1, 4);
  MouseMessage(grid_->Handle(), WM_LBUTTONDOWN, CenterX(cell), CenterY(cell));
  MouseMessage(grid_->Handle(), WM_LBUTTONUP, CenterX(cell), CenterY(cell));
  EXPECT_EQ(grid_->Col(), 1);
  EXPECT_EQ(grid_->Row(), 4);
  EXPECT_TRUE(grid_->Focused());
}

TEST_F(GridTest, DraggingAColumnBorderResizesTheColumnWhileTheMouseMoves) {
  FillRows(20);
  EnableOptions({goColSizing});
  const int border = grid_->ColWidths(0);  // column 0 starts at the left edge
  struct Case {
    int grabX, moveX;
  } cases[] = {{border, border + 60}, {border + 2, border + 40}, {border - 3, border - 100}};
  for (const Case& c : cases) {
    grid_->SetColWidths(0, border);
    MouseMessage(grid_->Handle(), WM_LBUTTONDOWN, c.grabX, 30);
    MouseMessage(grid_->Handle(), WM_MOUSEMOVE, c.moveX, 30);
    EXPECT_EQ(grid_->ColWidths(0), border + c.moveX - c.grabX) << "grabbed at " << c.grabX;
    MouseMessage(grid_->Handle(), WM_LBUTTONUP, c.moveX, 30);
    MouseMessage(grid_->Handle(), WM_MOUSEMOVE, c.moveX + 50, 30);
    EXPECT_EQ(grid_->ColWidths(0), border + c.moveX - c.grabX) << "after release";
  }
}

TEST_F(GridTest, AClickAwayFromABorderOrWithoutColumnSizingSelectsInstead) {
  FillRows(20);
  const int border = grid_->ColWidths(0);
  struct Case {
    bool sizing;
    int x;
  } cases[] = {{true, border - 10}, {false, border - 1}};
  for (const Case& c : cases) {
    grid_->SetOptions(c.sizing ? GridOptionsOf({goColSizing}) : 0);
    grid_->SetRow(5);
    MouseMessage(grid_->Handle(), WM_LBUTTONDOWN, c.x, 30);
    MouseMessage(grid_->Handle(), WM_MOUSEMOVE, c.x + 80, 30);
    MouseMessage(grid_->Handle(), WM_LBUTTONUP, c.x + 80, 30);
    EXPECT_EQ(grid_->ColWidths(0), border);
    EXPECT_EQ(grid_->Row(), 1);  // y = 30 lies in the second row
  }
}

TEST_F(GridTest, WideColumnsScrollHorizontallyToShowTheSelectedOne) {
  FillRows(20);
  grid_->SetColWidths(0, 400);
  grid_->SetColWidths(1, 400);
  Pump();
  PressKey(grid_->Handle(), VK_END);
  EXPECT_EQ(grid_->Col(), 1);
  EXPECT_GT(grid_->LeftOffset(), 0);
  TRect cell = grid_->CellRect(1, grid_->Row());
  EXPECT_LE(cell.Right, grid_->ClientWidth());
  PressKey(grid_->Handle(), VK_HOME);
  EXPECT_EQ(grid_->LeftOffset(), 0);
  SendMessageW(Hwnd(grid_->Handle()), WM_HSCROLL, MAKEWPARAM(SB_RIGHT, 0), 0);
  EXPECT_EQ(grid_->LeftOffset(), 802 - grid_->ClientWidth());  // two columns and their lines
}

struct EditorOpening {
  const char* name;
  std::function<void(TStringGrid*)> open;
  std::string editorText;  // what the editor holds once open
};

class GridEditingTest : public GridTest {
 protected:
  void SetUp() override {
    GridTest::SetUp();
    FillRows(10);
    EnableOptions({goEditing});
    grid_->SetCells(1, 3, "abc");
    grid_->SetCol(1);
    grid_->SetRow(3);
  }

  void* Editor() const { return grid_->EditorHandle(); }
};

TEST_F(GridEditingTest, EveryWayOfOpeningTheEditorStoresEachChangeAtOnce) {
  const EditorOpening openings[] = {
      {"F2", [](TStringGrid* g) { PressKey(g->Handle(), VK_F2); }, "abc"},
      {"Enter", [](TStringGrid* g) { PressKey(g->Handle(), VK_RETURN); }, "abc"},
      {"double click",
       [](TStringGrid* g) {
         TRect r = g->CellRect(1, 3);
         MouseMessage(g->Handle(), WM_LBUTTONDBLCLK, CenterX(r), CenterY(r));
       },
       "abc"},
      {"typing", [](TStringGrid* g) { TypeChar(g->Handle(), 'x'); }, "x"},
  };
  for (const EditorOpening& opening : openings) {
    SCOPED_TRACE(opening.name);
    grid_->SetCells(1, 3, "abc");
    opening.open(grid_);
    ASSERT_TRUE(grid_->EditorMode());
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(GetFocus(), Hwnd(Editor()));
    EXPECT_EQ(WindowText(Editor()), opening.editorText);
    EXPECT_EQ(grid_->Cells(1, 3), opening.editorText);
    SendMessageW(Hwnd(Editor()), EM_SETSEL, -1, -1);
    TypeChar(Editor(), 'Z');
    EXPECT_EQ(grid_->Cells(1, 3), opening.editorText + "Z");
    PressKey(Editor(), VK_RETURN);
    EXPECT_FALSE(grid_->EditorMode());
    EXPECT_EQ(grid_->Cells(1, 3), opening.editorText + "Z");
    EXPECT_TRUE(grid_->Focused());
  }
}

TEST_F(GridEditingTest, EscapeRestoresTheTextTheCellHadBefore) {
  PressKey(grid_->Handle(), VK_F2);
  TypeChar(Editor(), 'Q');
  ASSERT_EQ(grid_->Cells(1, 3), "Q");  // F2 selects all, so typing replaces
  PressKey(Editor(), VK_ESCAPE);
  EXPECT_FALSE(grid_->EditorMode());
  EXPECT_EQ(grid_->Cells(1, 3), "abc");
}

TEST_F(GridEditingTest, ClickingAnotherCellClosesTheEditorAndKeepsTheText) {
  TypeChar(grid_->Handle(), 'n');
  TRect other = grid_->CellRect(0, 5);
  MouseMessage(grid_->Handle(), WM_LBUTTONDOWN, CenterX(other), CenterY(other));
  EXPECT_FALSE(grid_->EditorMode());
  EXPECT_EQ(grid_->Cells(1, 3), "n");
  EXPECT_EQ(grid_->Row(), 5);
  EXPECT_TRUE(grid_->Focused());
}

TEST_F(GridEditingTest, ArrowDownInTheEditorCommitsAndMovesOn) {
  PressKey(grid_->Handle(), VK_F2);
  TypeChar(Editor(), 'd');
  PressKey(Editor(), VK_DOWN);
  EXPECT_FALSE(grid_->EditorMode());
  EXPECT_EQ(grid_->Cells(1, 3), "d");
  EXPECT_EQ(grid_->Row(), 4);
}

TEST_F(GridEditingTest, TextBeyondAsciiSurvivesTheEditor) {
  const std::string folder = "C:\\Папки\\Äpfel";
  grid_->SetCells(1, 3, folder);
  PressKey(grid_->Handle(), VK_F2);
  wchar_t shown[64];
  GetWindowTextW(Hwnd(Editor()), shown, 64);
  EXPECT_EQ(std::wstring(shown), L"C:\\Папки\\Äpfel");
  SendMessageW(Hwnd(Editor()), EM_SETSEL, -1, -1);
  TypeChar(Editor(), '!');
  PressKey(Editor(), VK_RETURN);
  EXPECT_EQ(grid_->Cells(1, 3), folder + "!");
}

TEST_F(GridEditingTest, LettersBeyondAsciiTypedIntoTheEditorArrive) {
  PressKey(grid_->Handle(), VK_F2);
  SendMessageW(Hwnd(Editor()), WM_CHAR, L'Ж', 1);
  SendMessageW(Hwnd(Editor()), WM_CHAR, L'ä', 1);
  EXPECT_EQ(grid_->Cells(1, 3), "Жä");
}

TEST_F(GridEditingTest, TypingALetterBeyondAsciiOpensTheEditorWithIt) {
  // As the message loop delivers a key: translated into its character first, then dispatched.
  PostMessageW(Hwnd(grid_->Handle()), WM_CHAR, L'Ж', 1);
  PressKey(grid_->Handle(), 'X');
  ASSERT_TRUE(grid_->EditorMode());
  EXPECT_EQ(grid_->Cells(1, 3), "Ж");
  Pump();
  EXPECT_EQ(grid_->Cells(1, 3), "Ж");  // the character went to the editor once
}

TEST_F(GridEditingTest, TabInTheEditorMovesToTheNextControlAndKeepsTheText) {
  auto* button = new TButton(form_);
  button->SetParent(form_);
  button->SetBounds(10, 295, 75, 25);
  button->SetTabStop(true);
  TypeChar(grid_->Handle(), 't');
  ASSERT_TRUE(grid_->EditorMode());
  // What the message loop does with a key typed into a form.
  MSG tab = {};
  tab.hwnd = Hwnd(Editor());
  tab.message = WM_KEYDOWN;
  tab.wParam = VK_TAB;
  tab.lParam = 1;
  EXPECT_TRUE(IsDialogMessageW(Hwnd(form_->Handle()), &tab));
  EXPECT_EQ(GetFocus(), Hwnd(button->Handle()));
  EXPECT_FALSE(grid_->EditorMode());
  EXPECT_EQ(grid_->Cells(1, 3), "t");
}

TEST_F(GridEditingTest, TheEditorUsesTheGridsFont) {
  grid_->Font()->SetName("Courier New");
  grid_->Font()->SetHeight(-17);
  PressKey(grid_->Handle(), VK_F2);
  LOGFONTW editorFont = {}, gridFont = {};
  auto font = reinterpret_cast<HFONT>(SendMessageW(Hwnd(Editor()), WM_GETFONT, 0, 0));
  ASSERT_NE(font, nullptr);
  GetObjectW(font, sizeof editorFont, &editorFont);
  GetObjectW(static_cast<HFONT>(grid_->Font()->Handle()), sizeof gridFont, &gridFont);
  EXPECT_EQ(editorFont.lfHeight, -17);
  EXPECT_EQ(std::wstring(editorFont.lfFaceName), std::wstring(gridFont.lfFaceName));
}

TEST_F(GridEditingTest, OnKeyDownSeesDeleteAlsoWhileEditingAndMaySwallowIt) {
  std::vector<std::uint16_t> seen;
  bool swallow = false;
  grid_->OnKeyDown = [&](TObject* sender, std::uint16_t& key, TShiftState) {
    EXPECT_EQ(sender, grid_);
    seen.push_back(key);
    if (swallow && key == VK_DELETE) key = 0;
  };
  PressKey(grid_->Handle(), VK_DELETE);
  ASSERT_EQ(seen, std::vector<std::uint16_t>{VK_DELETE});

  PressKey(grid_->Handle(), VK_F2);
  ASSERT_TRUE(grid_->EditorMode());
  SendMessageW(Hwnd(Editor()), EM_SETSEL, 0, 0);
  seen.clear();
  swallow = true;
  PressKey(Editor(), VK_DELETE);
  EXPECT_EQ(seen, std::vector<std::uint16_t>{VK_DELETE});
  EXPECT_EQ(WindowText(Editor()), "abc");
  EXPECT_EQ(grid_->Cells(1, 3), "abc");

  swallow = false;
  PressKey(Editor(), VK_DELETE);
  EXPECT_EQ(seen.size(), 2u);
  EXPECT_EQ(WindowText(Editor()), "bc");
  EXPECT_EQ(grid_->Cells(1, 3), "bc");
}

TEST_F(GridTest, WithoutGoEditingNoKeyOrCharacterOpensAnEditor) {
  FillRows(5);
  PressKey(grid_->Handle(), VK_F2);
  PressKey(grid_->Handle(), VK_RETURN);
  TypeChar(grid_->Handle(), 'x');
  EXPECT_FALSE(grid_->EditorMode());
  EXPECT_EQ(grid_->Cells(0, 0), SamplePath(0));
}

// The update region after a change: what the change will repaint.
class GridRepaintTest : public GridTest {
 protected:
  void SetUp() override {
    GridTest::SetUp();
    FillRows(1000);
    UpdateWindow(Hwnd(grid_->Handle()));
    ValidateRect(Hwnd(grid_->Handle()), nullptr);
  }

  bool UpdatePending(RECT* r) { return GetUpdateRect(Hwnd(grid_->Handle()), r, FALSE) != FALSE; }
};

TEST_F(GridRepaintTest, ChangesOffScreenOrWithoutEffectRepaintNothing) {
  struct Case {
    const char* name;
    std::function<void(TStringGrid*)> change;
  } cases[] = {
      {"same text", [](TStringGrid* g) { g->SetCells(0, 1, SamplePath(1)); }},
      {"row below the screen", [](TStringGrid* g) { g->SetCells(0, 900, "new"); }},
      {"rows added below the screen", [](TStringGrid* g) { g->SetRowCount(1001); }},
      {"same width", [](TStringGrid* g) { g->SetColWidths(1, g->ColWidths(1)); }},
      {"same selection", [](TStringGrid* g) { g->SetRow(g->Row()); }},
  };
  for (const Case& c : cases) {
    c.change(grid_);
    RECT r;
    EXPECT_FALSE(UpdatePending(&r)) << c.name;
  }
}

TEST_F(GridRepaintTest, AChangedCellRepaintsItselfOnly) {
  TRect cell = grid_->CellRect(1, 2);
  grid_->SetCells(1, 2, "new");
  RECT r;
  ASSERT_TRUE(UpdatePending(&r));
  EXPECT_EQ(r.left, cell.Left);
  EXPECT_EQ(r.top, cell.Top);
  EXPECT_LE(r.right, cell.Right + 1);
  EXPECT_LE(r.bottom, cell.Bottom + 1);
}

TEST_F(GridRepaintTest, AWiderColumnRepaintsFromItsLeftEdgeOn) {
  TRect cell = grid_->CellRect(1, 0);
  grid_->SetColWidths(1, 150);
  RECT r;
  ASSERT_TRUE(UpdatePending(&r));
  EXPECT_EQ(r.left, cell.Left);
}

TEST_F(GridTest, FixedRowsAndColumnsAreNeverSelected) {
  grid_->SetColCount(3);
  grid_->SetRowCount(10);
  grid_->SetFixedCols(1);
  grid_->SetFixedRows(1);
  EXPECT_EQ(grid_->Col(), 1);
  EXPECT_EQ(grid_->Row(), 1);
  PressKey(grid_->Handle(), VK_HOME, 1u << ssCtrl);
  PressKey(grid_->Handle(), VK_HOME);
  EXPECT_EQ(grid_->Col(), 1);
  EXPECT_EQ(grid_->Row(), 1);
  TRect fixedCell = grid_->CellRect(0, 0);
  grid_->SetRow(4);
  MouseMessage(grid_->Handle(), WM_LBUTTONDOWN, CenterX(fixedCell), CenterY(fixedCell));
  EXPECT_EQ(grid_->Row(), 4);
}

TEST_F(GridTest, PublishedPropertiesAreSetByName) {
  SetSetProp(grid_, *GetPropInfo(grid_, "Options"), {"goEditing", "goColSizing", "goThumbTracking"});
  EXPECT_EQ(grid_->Options(), GridOptionsOf({goEditing, goColSizing, goThumbTracking}));
  SetEnumProp(grid_, *GetPropInfo(grid_, "ScrollBars"), "ssVertical");
  EXPECT_EQ(grid_->ScrollBars(), ssVertical);
  struct Case {
    const char* name;
    int value;
    std::function<int(TStringGrid*)> read;
  } cases[] = {
      {"ColCount", 3, [](TStringGrid* g) { return g->ColCount(); }},
      {"RowCount", 7, [](TStringGrid* g) { return g->RowCount(); }},
      {"FixedRows", 1, [](TStringGrid* g) { return g->FixedRows(); }},
      {"FixedCols", 1, [](TStringGrid* g) { return g->FixedCols(); }},
      {"DefaultRowHeight", 18, [](TStringGrid* g) { return g->DefaultRowHeight(); }},
      {"DefaultColWidth", 50, [](TStringGrid* g) { return g->ColWidths(2); }},
  };
  for (const Case& c : cases) {
    SetOrdProp(grid_, *GetPropInfo(grid_, c.name), c.value);
    EXPECT_EQ(c.read(grid_), c.value) << c.name;
  }
  // A resource may give a row count that leaves no room for its fixed rows yet.
  SetOrdProp(grid_, *GetPropInfo(grid_, "RowCount"), 1);
  EXPECT_EQ(grid_->RowCount(), 1);
  EXPECT_EQ(grid_->FixedRows(), 0);
}

// The pixel colours of the grid's client area, read back from the screen.
class GridPixelsTest : public GridTest {
 protected:
  std::uint32_t ClientPixel(const WindowPixels& pixels, int x, int y) {
    RECT window;
    GetWindowRect(Hwnd(grid_->Handle()), &window);
    POINT origin = {0, 0};
    ClientToScreen(Hwnd(grid_->Handle()), &origin);
    return pixels.At(origin.x - window.left + x, origin.y - window.top + y);
  }
};

TEST_F(GridPixelsTest, TheSelectedCellShowsInHighlightAndLinesInLightGrey) {
  FillRows(30);
  grid_->SetCol(1);
  grid_->SetRow(2);
  WindowPixels pixels;
  ASSERT_TRUE(CaptureWindow(grid_->Handle(), &pixels));
  TRect selected = grid_->CellRect(1, 2), plain = grid_->CellRect(1, 4);
  // The far right end of a cell holds no text.
  EXPECT_EQ(ClientPixel(pixels, selected.Right - 3, CenterY(selected)), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(ClientPixel(pixels, plain.Right - 3, CenterY(plain)), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(ClientPixel(pixels, plain.Right, CenterY(plain)), RGB(0xD8, 0xD8, 0xD8));
  EXPECT_EQ(ClientPixel(pixels, CenterX(plain), plain.Bottom), RGB(0xD8, 0xD8, 0xD8));
}

TEST_F(GridPixelsTest, HighlightFollowsFocusDrawFocusSelectedAndRowSelect) {
  FillRows(30);
  struct Case {
    TGridOptions options;
    bool focused;
    bool selectedHighlighted, rowmateHighlighted;
  } cases[] = {
      {0, true, true, false},
      {0, false, false, false},
      {GridOptionsOf({goDrawFocusSelected}), false, true, false},
      {GridOptionsOf({goRowSelect}), true, true, true},
      {GridOptionsOf({goRowSelect, goDrawFocusSelected}), false, true, true},
  };
  const std::uint32_t highlight = GetSysColor(COLOR_HIGHLIGHT), window = GetSysColor(COLOR_WINDOW);
  for (const Case& c : cases) {
    grid_->SetOptions(c.options);
    grid_->SetCol(0);
    grid_->SetRow(3);
    if (c.focused)
      grid_->SetFocus();
    else
      SetFocus(Hwnd(form_->Handle()));
    WindowPixels pixels;
    ASSERT_TRUE(CaptureWindow(grid_->Handle(), &pixels));
    TRect selected = grid_->CellRect(0, 3), rowmate = grid_->CellRect(1, 3);
    SCOPED_TRACE("options " + std::to_string(c.options) + (c.focused ? ", focused" : ""));
    EXPECT_EQ(ClientPixel(pixels, selected.Right - 3, CenterY(selected)),
              c.selectedHighlighted ? highlight : window);
    EXPECT_EQ(ClientPixel(pixels, rowmate.Right - 3, CenterY(rowmate)),
              c.rowmateHighlighted ? highlight : window);
  }
}

TEST_F(GridPixelsTest, ScreenshotsOfSelectionAndOpenEditorAreSaved) {
  FillRows(30);
  EnableOptions({goEditing, goDrawFocusSelected, goColSizing});
  grid_->SetColWidths(0, 230);
  grid_->SetColWidths(1, 300);
  grid_->SetCol(0);
  grid_->SetRow(2);
  std::string folder = ArtifactFolder();
  EXPECT_TRUE(SaveWindowScreenshot(form_->Handle(), folder + "\\grid-selection.png"));
  PressKey(grid_->Handle(), VK_F2);
  ASSERT_TRUE(grid_->EditorMode());
  SendMessageW(Hwnd(grid_->EditorHandle()), EM_SETSEL, -1, -1);
  for (char c : std::string(" (edited)")) TypeChar(grid_->EditorHandle(), c);
  std::string path = folder + "\\grid-editor.png";
  ASSERT_TRUE(SaveWindowScreenshot(form_->Handle(), path));
  std::string png = ReadWholeFile(path);
  EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
  EXPECT_EQ(png.substr(png.size() - 8), std::string("IEND\xAE\x42\x60\x82", 8));
}

TEST(PngEncoding, ChecksumsMatchTheirKnownValues) {
  EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
  EXPECT_EQ(Crc32("IEND"), 0xAE426082u);
  EXPECT_EQ(Adler32("Wikipedia"), 0x11E60398u);
  EXPECT_EQ(Adler32(""), 1u);
}

TEST(PngEncoding, ImagesLargerThanOneStoredBlockSplitIntoBlocks) {
  // 200 x 200 RGB rows make 120,200 bytes of image data: two stored blocks.
  std::string rgb(200 * 200 * 3, '\x7f');
  std::string png = EncodePng(200, 200, rgb);
  const std::size_t idat = png.find("IDAT");
  ASSERT_NE(idat, std::string::npos);
  const std::size_t firstBlock = idat + 4 + 2;  // after the chunk type and the zlib header
  EXPECT_EQ(png[firstBlock], '\0');            // not the last block
  const std::size_t secondBlock = firstBlock + 5 + 65535;
  EXPECT_EQ(png[secondBlock], '\x01');  // the last block
  const unsigned length = static_cast<unsigned char>(png[secondBlock + 1]) |
                          static_cast<unsigned char>(png[secondBlock + 2]) << 8;
  EXPECT_EQ(length, 200u * 601u - 65535u);
}

}  // namespace
