// The string grid over a window of the toolkit's own class, with its in-place editor over
// the system's EDIT control.
#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>

#include "Forms.h"
#include "Grids.h"
#include "WinHandle.h"
#include "WinText.h"

const TEnumInfo GridOptionType{
    "TGridOption",
    {"goFixedVertLine", "goFixedHorzLine", "goVertLine", "goHorzLine", "goRangeSelect",
     "goDrawFocusSelected", "goRowSizing", "goColSizing", "goRowMoving", "goColMoving",
     "goEditing", "goTabs", "goRowSelect", "goAlwaysShowEditor", "goThumbTracking"}};

namespace {
HDC Hdc(void* dc) { return static_cast<HDC>(dc); }
RECT ToRect(const TRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }
bool IsEmpty(const TRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }

// Posted to the grid so that a burst of row-count changes updates the scroll bar once.
constexpr UINT WM_GRID_UPDATESCROLLBARS = WM_USER + 1;
constexpr COLORREF kGridLineColor = RGB(0xD8, 0xD8, 0xD8);
constexpr int kTextPadding = 2;
constexpr int kSizingTolerance = 3;
constexpr int kMinSizedColumnWidth = 8;
constexpr int kHorizontalLineStep = 16;

void FillSolid(HDC dc, const RECT& r, COLORREF color) {
  SetBkColor(dc, color);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

bool IsPrintable(WPARAM c) { return c >= 0x20 && c != 0x7F; }

int WheelScrollLines() {
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  return static_cast<int>(lines);
}
}  // namespace

// The in-place editor: the system's EDIT control as a child of the grid, subclassed with a
// Unicode window procedure so that typed letters of every script arrive unchanged. Every
// key goes to the grid first, so that the grid's OnKeyDown sees the keys typed while a cell
// is edited and may swallow them.
class TInplaceEdit {
 public:
  explicit TInplaceEdit(TStringGrid* grid) : grid_(grid) {
    hwnd_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_CLIPSIBLINGS | ES_AUTOHSCROLL, 0, 0, 0,
                            0, Hwnd(grid->Handle()), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_) RaiseLastOSError();
    SetPropW(hwnd_, kSelfProperty, this);
    editProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc)));
  }

  ~TInplaceEdit() {
    if (!hwnd_) return;
    Unsubclass();
    DestroyWindow(hwnd_);
  }

  TInplaceEdit(const TInplaceEdit&) = delete;
  TInplaceEdit& operator=(const TInplaceEdit&) = delete;

  HWND Window() const { return hwnd_; }
  bool Focused() const { return hwnd_ && GetFocus() == hwnd_; }

  std::string Text() const {
    int length = GetWindowTextLengthW(hwnd_);
    std::wstring text(length + 1, L'\0');
    length = GetWindowTextW(hwnd_, text.data(), length + 1);
    return WideToUtf8(text.c_str(), length);
  }

  void SetText(const std::string& text) { SetWindowTextW(hwnd_, Utf8ToWide(text).c_str()); }

  void SetFont(void* font) { SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }

 private:
  static constexpr const wchar_t* kSelfProperty = L"TwinseekInplaceEdit";

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<TInplaceEdit*>(GetPropW(hwnd, kSelfProperty));
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    // An exception must not unwind through the system's code.
    try {
      return self->HandleMessage(msg, wParam, lParam);
    } catch (...) {
      if (Application) Application->HandleException(self->grid_);
      return 0;
    }
  }

  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
      case WM_GETDLGCODE:
        return CallEdit(msg, wParam, lParam) | (LeavesTabToDialog(lParam) ? 0 : DLGC_WANTALLKEYS);
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN: {
        std::uint16_t key = static_cast<std::uint16_t>(wParam);
        grid_->EditorKeyDown(key, KeyboardShiftState());
        if (key == 0) return 0;
        wParam = key;
        break;
      }
      case WM_CHAR:
        // Enter, Escape and Tab were handled as keys; the edit would only beep at them.
        if (wParam == VK_RETURN || wParam == VK_ESCAPE || wParam == VK_TAB) return 0;
        break;
      case WM_KILLFOCUS: {
        LRESULT result = CallEdit(msg, wParam, lParam);
        grid_->EditorLostFocus();
        return result;
      }
      case WM_NCDESTROY: {
        // The grid's window is going, and its children with it.
        HWND hwnd = hwnd_;
        WNDPROC editProc = editProc_;
        Unsubclass();
        hwnd_ = nullptr;
        return CallWindowProcW(editProc, hwnd, msg, wParam, lParam);
      }
    }
    return CallEdit(msg, wParam, lParam);
  }

  // Without goTabs, Tab moves on to the next control as anywhere else in a dialog; the
  // editor closes as it loses the focus.
  bool LeavesTabToDialog(LPARAM lParam) const {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    return msg && msg->message == WM_KEYDOWN && msg->wParam == VK_TAB && !grid_->HasOption(goTabs);
  }

  LRESULT CallEdit(UINT msg, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(editProc_, hwnd_, msg, wParam, lParam);
  }

  void Unsubclass() {
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProc_));
    RemovePropW(hwnd_, kSelfProperty);
  }

  TStringGrid* grid_;
  HWND hwnd_ = nullptr;
  WNDPROC editProc_ = nullptr;
};

// ---- TStringGrid: properties

const TClassInfo& TStringGrid::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TStringGrid>("TStringGrid", TCustomControl::StaticClass())
          .Creatable()
          .Integer("ColCount", &TStringGrid::ColCount, &TStringGrid::SetColCount, 1)
          .Integer("RowCount", &TStringGrid::RowCount, &TStringGrid::SetRowCount, 1)
          .Integer("FixedCols", &TStringGrid::FixedCols, &TStringGrid::SetFixedCols, 0)
          .Integer("FixedRows", &TStringGrid::FixedRows, &TStringGrid::SetFixedRows, 0)
          .Integer("DefaultColWidth", &TStringGrid::DefaultColWidth,
                   &TStringGrid::SetDefaultColWidth, 0)
          .Integer("DefaultRowHeight", &TStringGrid::DefaultRowHeight,
                   &TStringGrid::SetDefaultRowHeight, 1)
          .Set("Options", GridOptionType, &TStringGrid::Options, &TStringGrid::SetOptions)
          .Enum("ScrollBars", ScrollStyleType, &TStringGrid::ScrollBars, &TStringGrid::SetScrollBars)
          .Event("OnSelectCell", &TStringGrid::OnSelectCell);
  return info;
}

TStringGrid::TStringGrid(TComponent* owner)
    : TCustomControl(owner),
      options_(GridOptionsOf(
          {goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect})) {
  rows_.resize(5);
  colWidths_.assign(colCount_, defaultColWidth_);
  SetBounds(0, 0, 320, 120);
  SetColor(clWindow);
  SetTabStop(true);
}

TStringGrid::~TStringGrid() {
  // The editor goes while the grid is still whole; its last focus change must not commit.
  editCol_ = editRow_ = -1;
  delete editor_;
  editor_ = nullptr;
}

void TStringGrid::SetColCount(int value) {
  value = std::max(value, 1);
  if (value == colCount_) return;
  if (value <= fixedCols_) SetFixedCols(value - 1);
  if (editCol_ >= value) HideEditor(false);
  int old = colCount_;
  colCount_ = value;
  colWidths_.resize(value, defaultColWidth_);
  if (value < old) {
    for (auto& cells : rows_)
      if (static_cast<int>(cells.size()) > value) cells.resize(value);
    col_ = ClampCol(col_);
  }
  InvalidateFromColumn(std::min(old, value));
  ClampScrollPositions();
  UpdateScrollBars();
}

void TStringGrid::SetRowCount(int value) {
  value = std::max(value, 1);
  int old = RowCount();
  if (value == old) return;
  if (value <= fixedRows_) SetFixedRows(value - 1);
  if (editRow_ >= value) HideEditor(false);
  rows_.resize(value);
  if (value < old) {
    InvalidateSelection();
    row_ = ClampRow(row_);
    InvalidateSelection();
    ClampScrollPositions();
  }
  InvalidateFromRow(std::min(old, value));
  RequestScrollBarUpdate();
}

void TStringGrid::SetFixedCols(int value) {
  value = std::clamp(value, 0, colCount_ - 1);
  if (value == fixedCols_) return;
  HideEditor(true);
  // The selection starts over at the first column that may hold it.
  InvalidateSelection();
  fixedCols_ = value;
  col_ = fixedCols_;
  leftOffset_ = 0;
  Invalidate();
  UpdateScrollBars();
}

void TStringGrid::SetFixedRows(int value) {
  value = std::clamp(value, 0, RowCount() - 1);
  if (value == fixedRows_) return;
  HideEditor(true);
  // The selection and the view start over at the first row that may hold the selection.
  fixedRows_ = value;
  row_ = fixedRows_;
  topRow_ = fixedRows_;
  Invalidate();
  UpdateScrollBars();
}

void TStringGrid::SetDefaultColWidth(int value) {
  value = std::max(value, 0);
  if (value == defaultColWidth_) return;
  defaultColWidth_ = value;
  colWidths_.assign(colCount_, value);
  ClampScrollPositions();
  Invalidate();
  UpdateScrollBars();
  PlaceEditor();
}

void TStringGrid::SetDefaultRowHeight(int value) {
  value = std::max(value, 1);
  if (value == defaultRowHeight_) return;
  defaultRowHeight_ = value;
  ClampScrollPositions();
  Invalidate();
  UpdateScrollBars();
  PlaceEditor();
}

void TStringGrid::SetOptions(TGridOptions value) {
  if (value == options_) return;
  options_ = value;
  if (!HasOption(goEditing)) HideEditor(true);
  ClampScrollPositions();
  Invalidate();
  UpdateScrollBars();
  PlaceEditor();
}

void TStringGrid::SetScrollBars(TScrollStyle value) {
  if (value == scrollBars_) return;
  scrollBars_ = value;
  UpdateScrollBars();
}

std::string TStringGrid::Cells(int col, int row) const {
  if (row < 0 || row >= RowCount() || col < 0) return {};
  const auto& cells = rows_[row];
  return col < static_cast<int>(cells.size()) ? cells[col] : std::string();
}

void TStringGrid::SetCells(int col, int row, const std::string& text) {
  if (row < 0 || row >= RowCount() || col < 0 || col >= colCount_) return;
  auto& cells = rows_[row];
  if (col >= static_cast<int>(cells.size())) {
    if (text.empty()) return;
    cells.resize(colCount_);
  }
  if (cells[col] == text) return;
  cells[col] = text;
  if (!Editing(col, row))
    InvalidateCell(col, row);
  else if (editor_->Text() != text)
    editor_->SetText(text);
}

int TStringGrid::ColWidths(int col) const {
  return col >= 0 && col < colCount_ ? colWidths_[col] : 0;
}

void TStringGrid::SetColWidths(int col, int width) {
  if (col < 0 || col >= colCount_) return;
  width = std::max(width, 0);
  if (width == colWidths_[col]) return;
  InvalidateFromColumn(col);
  colWidths_[col] = width;
  ClampScrollPositions();
  UpdateScrollBars();
  PlaceEditor();
}

// ---- Geometry

int TStringGrid::VertLineWidth(int col) const {
  return HasOption(col < fixedCols_ ? goFixedVertLine : goVertLine) ? 1 : 0;
}

int TStringGrid::HorzLineWidth(int row) const {
  return HasOption(row < fixedRows_ ? goFixedHorzLine : goHorzLine) ? 1 : 0;
}

int TStringGrid::ExtentOfColumns(int from, int to) const {
  int extent = 0;
  for (int c = from; c < to; ++c) extent += ColumnExtent(c);
  return extent;
}

int TStringGrid::FixedWidth() const { return ExtentOfColumns(0, fixedCols_); }

int TStringGrid::FixedHeight() const { return fixedRows_ * RowExtent(0); }

int TStringGrid::ScrollableWidth() const { return ExtentOfColumns(fixedCols_, colCount_); }

int TStringGrid::ColumnLeft(int col) const {
  if (col < fixedCols_) return ExtentOfColumns(0, col);
  return FixedWidth() + ExtentOfColumns(fixedCols_, col) - leftOffset_;
}

int TStringGrid::RowTop(int row) const {
  if (row < fixedRows_) return row * RowExtent(row);
  return FixedHeight() + (row - topRow_) * RowExtent(row);
}

int TStringGrid::ColumnAt(int x) const {
  int left = 0;
  for (int c = 0; c < colCount_; ++c) {
    if (c == fixedCols_) {
      if (x < left) return -1;  // a part of the fixed area that has no column
      left -= leftOffset_;
    }
    int right = left + ColumnExtent(c);
    if (x >= left && x < right && (c < fixedCols_ || x >= FixedWidth())) return c;
    left = right;
  }
  return -1;
}

int TStringGrid::RowAt(int y) const {
  if (y < 0) return -1;
  int fixedHeight = FixedHeight();
  if (y < fixedHeight) return y / RowExtent(0);
  int row = topRow_ + (y - fixedHeight) / RowExtent(topRow_);
  return row < RowCount() ? row : -1;
}

int TStringGrid::VisibleRowCount() const {
  return std::max(0, (ClientHeight() - FixedHeight()) / RowExtent(fixedRows_));
}

int TStringGrid::LastVisibleRow() const {
  int extent = RowExtent(fixedRows_);
  int partlyVisible = (ClientHeight() - FixedHeight() + extent - 1) / extent;
  return std::min(RowCount() - 1, topRow_ + std::max(partlyVisible, 1) - 1);
}

int TStringGrid::MaxTopRow() const {
  return std::clamp(RowCount() - std::max(1, VisibleRowCount()), fixedRows_, RowCount() - 1);
}

int TStringGrid::MaxLeftOffset() const {
  return std::max(0, ScrollableWidth() - (ClientWidth() - FixedWidth()));
}

TRect TStringGrid::CellBounds(int col, int row) const {
  int left = ColumnLeft(col), top = RowTop(row);
  return {left, top, left + colWidths_[col], top + defaultRowHeight_};
}

TRect TStringGrid::CellRect(int col, int row) const {
  if (col < 0 || col >= colCount_ || row < 0 || row >= RowCount()) return {};
  if (row >= fixedRows_ && (row < topRow_ || row > LastVisibleRow())) return {};
  TRect r = CellBounds(col, row);
  if (col >= fixedCols_ && (r.Right <= FixedWidth() || r.Left >= ClientWidth())) return {};
  return r;
}

// The column whose right border lies within reach of x, the nearest one when borders crowd.
int TStringGrid::SizingColumnAt(int x) const {
  int best = -1, bestDistance = kSizingTolerance + 1;
  for (int c = 0; c < colCount_; ++c) {
    int right = ColumnLeft(c) + colWidths_[c];
    if (c >= fixedCols_ && right < FixedWidth()) continue;
    int distance = std::abs(x - right);
    if (distance < bestDistance) {
      best = c;
      bestDistance = distance;
    }
  }
  return best;
}

// ---- Invalidation and scroll bars

void TStringGrid::InvalidateArea(const TRect& rect) {
  if (!HandleAllocated() || IsEmpty(rect)) return;
  RECT r = ToRect(rect);
  ::InvalidateRect(Hwnd(Handle()), &r, FALSE);
}

void TStringGrid::InvalidateCell(int col, int row) {
  if (!HandleAllocated()) return;
  TRect r = CellRect(col, row);
  // The editor's frame lies on the grid lines after the cell.
  if (!IsEmpty(r)) InvalidateArea({r.Left, r.Top, r.Right + 1, r.Bottom + 1});
}

void TStringGrid::InvalidateSelection() {
  if (!HasOption(goRowSelect)) return InvalidateCell(col_, row_);
  if (!HandleAllocated()) return;
  TRect r = CellRect(col_, row_);
  if (!IsEmpty(r)) InvalidateArea({0, r.Top, ClientWidth(), r.Bottom + 1});
}

void TStringGrid::InvalidateFromColumn(int col) {
  if (!HandleAllocated() || col >= colCount_) return;
  int left = col < fixedCols_ ? ColumnLeft(col) : std::max(ColumnLeft(col), FixedWidth());
  InvalidateArea({left, 0, ClientWidth(), ClientHeight()});
}

void TStringGrid::InvalidateFromRow(int row) {
  if (!HandleAllocated()) return;
  if (row >= fixedRows_ && row > LastVisibleRow()) return;
  int top = row < fixedRows_ ? RowTop(row) : std::max(RowTop(row), FixedHeight());
  InvalidateArea({0, top, ClientWidth(), ClientHeight()});
}

void TStringGrid::ScrollChanged() {
  if (!HandleAllocated()) return;
  InvalidateArea({0, FixedHeight(), ClientWidth(), ClientHeight()});
  InvalidateArea({FixedWidth(), 0, ClientWidth(), FixedHeight()});
  UpdateScrollBars();
  PlaceEditor();
}

void TStringGrid::ClampScrollPositions() {
  int top = std::clamp(topRow_, fixedRows_, MaxTopRow());
  int left = std::clamp(leftOffset_, 0, MaxLeftOffset());
  if (top == topRow_ && left == leftOffset_) return;
  topRow_ = top;
  leftOffset_ = left;
  ScrollChanged();
}

void TStringGrid::SetTopRow(int value) {
  value = std::clamp(value, fixedRows_, MaxTopRow());
  if (value == topRow_) return;
  topRow_ = value;
  ScrollChanged();
}

void TStringGrid::SetLeftOffset(int value) {
  value = std::clamp(value, 0, MaxLeftOffset());
  if (value == leftOffset_) return;
  leftOffset_ = value;
  ScrollChanged();
}

void TStringGrid::RequestScrollBarUpdate() {
  if (!HandleAllocated() || scrollBarUpdatePending_) return;
  scrollBarUpdatePending_ = true;
  PostMessageW(Hwnd(Handle()), WM_GRID_UPDATESCROLLBARS, 0, 0);
}

void TStringGrid::UpdateScrollBars() {
  if (!HandleAllocated() || updatingScrollBars_) return;
  updatingScrollBars_ = true;
  scrollBarUpdatePending_ = false;
  // Showing one bar takes room from the other's direction, so a second pass settles both.
  for (int pass = 0; pass < 2; ++pass) {
    ClampScrollPositions();
    UpdateScrollBar(SB_VERT, scrollBars_ == ssVertical || scrollBars_ == ssBoth,
                    RowCount() - fixedRows_ - 1, std::max(1, VisibleRowCount()),
                    topRow_ - fixedRows_);
    UpdateScrollBar(SB_HORZ, scrollBars_ == ssHorizontal || scrollBars_ == ssBoth,
                    ScrollableWidth() - 1, std::max(1, ClientWidth() - FixedWidth()), leftOffset_);
  }
  updatingScrollBars_ = false;
}

void TStringGrid::UpdateScrollBar(int bar, bool wanted, int max, int page, int pos) {
  HWND hwnd = Hwnd(Handle());
  if (!wanted) {
    ShowScrollBar(hwnd, bar, FALSE);
    return;
  }
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = std::max(max, 0);
  si.nPage = static_cast<UINT>(page);
  si.nPos = pos;
  SetScrollInfo(hwnd, bar, &si, TRUE);
}

// ---- Selection and navigation

int TStringGrid::ClampCol(int col) const { return std::clamp(col, fixedCols_, colCount_ - 1); }

int TStringGrid::ClampRow(int row) const { return std::clamp(row, fixedRows_, RowCount() - 1); }

bool TStringGrid::CanSelect(int col, int row) {
  bool allowed = true;
  if (OnSelectCell) OnSelectCell(this, col, row, allowed);
  return allowed;
}

void TStringGrid::MoveSelection(int col, int row) {
  col = ClampCol(col);
  row = ClampRow(row);
  if (col != col_ || row != row_) {
    if (!CanSelect(col, row)) return;
    HideEditor(true);
    InvalidateSelection();
    col_ = col;
    row_ = row;
    InvalidateSelection();
  }
  ScrollIntoView(col_, row_);
  if (HasOption(goAlwaysShowEditor) && Focused()) ShowEditor(false);
}

void TStringGrid::ScrollIntoView(int col, int row) {
  int page = std::max(1, VisibleRowCount());
  if (row < topRow_)
    SetTopRow(row);
  else if (row >= topRow_ + page)
    SetTopRow(row - page + 1);
  if (col < fixedCols_) return;
  int left = ExtentOfColumns(fixedCols_, col);
  int right = left + colWidths_[col];
  int room = ClientWidth() - FixedWidth();
  if (left < leftOffset_)
    SetLeftOffset(left);
  else if (right > leftOffset_ + room)
    SetLeftOffset(std::min(left, right - room));
}

bool TStringGrid::Navigate(std::uint16_t key, TShiftState shift) {
  if (shift & (1u << ssAlt)) return false;
  bool ctrl = (shift & (1u << ssCtrl)) != 0;
  int page = std::max(1, VisibleRowCount());
  int col = col_, row = row_;
  switch (key) {
    case VK_UP: --row; break;
    case VK_DOWN: ++row; break;
    case VK_LEFT: --col; break;
    case VK_RIGHT: ++col; break;
    case VK_PRIOR: row -= page; break;
    case VK_NEXT: row += page; break;
    case VK_HOME:
      if (ctrl)
        row = fixedRows_;
      else
        col = fixedCols_;
      break;
    case VK_END:
      if (ctrl)
        row = RowCount() - 1;
      else
        col = colCount_ - 1;
      break;
    case VK_TAB:
      if (!HasOption(goTabs)) return false;
      col += (shift & (1u << ssShift)) ? -1 : 1;
      break;
    default: return false;
  }
  MoveSelection(col, row);
  return true;
}

void TStringGrid::KeyDown(std::uint16_t& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  if (key == 0) return;
  if (HasOption(goEditing) && (key == VK_F2 || key == VK_RETURN)) {
    ShowEditor(false);
    key = 0;
  } else if (HasOption(goEditing) && TypeQueuedCharacters()) {
    key = 0;
  } else if (Navigate(key, shift)) {
    key = 0;
  }
}

std::intptr_t TStringGrid::DialogCode(const TMessage& m) const {
  std::intptr_t code = DLGC_WANTARROWS | DLGC_WANTCHARS;
  if (HasOption(goTabs)) code |= DLGC_WANTTAB;
  // Enter opens the editor rather than pressing the dialog's default button.
  const MSG* msg = reinterpret_cast<const MSG*>(m.LParam);
  if (HasOption(goEditing) && msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
    code |= DLGC_WANTMESSAGE;
  return code;
}

// ---- Scrolling and the mouse

void TStringGrid::VerticalScroll(int code) {
  int page = std::max(1, VisibleRowCount());
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = SIF_TRACKPOS;
  switch (code) {
    case SB_LINEUP: SetTopRow(topRow_ - 1); break;
    case SB_LINEDOWN: SetTopRow(topRow_ + 1); break;
    case SB_PAGEUP: SetTopRow(topRow_ - page); break;
    case SB_PAGEDOWN: SetTopRow(topRow_ + page); break;
    case SB_TOP: SetTopRow(fixedRows_); break;
    case SB_BOTTOM: SetTopRow(MaxTopRow()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      // The message carries only 16 bits of the position; the scroll bar has all 32.
      if (code == SB_THUMBTRACK && !HasOption(goThumbTracking)) break;
      GetScrollInfo(Hwnd(Handle()), SB_VERT, &si);
      SetTopRow(si.nTrackPos + fixedRows_);
      break;
  }
}

void TStringGrid::HorizontalScroll(int code) {
  int page = std::max(1, ClientWidth() - FixedWidth());
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = SIF_TRACKPOS;
  switch (code) {
    case SB_LINELEFT: SetLeftOffset(leftOffset_ - kHorizontalLineStep); break;
    case SB_LINERIGHT: SetLeftOffset(leftOffset_ + kHorizontalLineStep); break;
    case SB_PAGELEFT: SetLeftOffset(leftOffset_ - page); break;
    case SB_PAGERIGHT: SetLeftOffset(leftOffset_ + page); break;
    case SB_LEFT: SetLeftOffset(0); break;
    case SB_RIGHT: SetLeftOffset(MaxLeftOffset()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      if (code == SB_THUMBTRACK && !HasOption(goThumbTracking)) break;
      GetScrollInfo(Hwnd(Handle()), SB_HORZ, &si);
      SetLeftOffset(si.nTrackPos);
      break;
  }
}

void TStringGrid::MouseWheel(int delta) {
  wheelDelta_ += delta;
  int notches = wheelDelta_ / WHEEL_DELTA;
  wheelDelta_ -= notches * WHEEL_DELTA;
  if (notches == 0) return;
  int lines = WheelScrollLines();
  int step = lines == static_cast<int>(WHEEL_PAGESCROLL) ? std::max(1, VisibleRowCount()) : lines;
  SetTopRow(topRow_ - notches * step);
}

void TStringGrid::MouseDown(int x, int y, bool doubleClick) {
  if (CanFocus() && !Focused()) SetFocus();
  if (HasOption(goColSizing) && !doubleClick) {
    int col = SizingColumnAt(x);
    if (col >= 0) {
      sizingCol_ = col;
      sizingGrip_ = x - (ColumnLeft(col) + colWidths_[col]);
      SetCapture(Hwnd(Handle()));
      return;
    }
  }
  int col = ColumnAt(x), row = RowAt(y);
  if (col < fixedCols_ || row < fixedRows_) return;
  MoveSelection(col, row);
  if (doubleClick && HasOption(goEditing) && col == col_ && row == row_) ShowEditor(false);
}

void TStringGrid::MouseMove(int x, int y) {
  if (sizingCol_ < 0) return;
  SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
  SetColWidths(sizingCol_, std::max(kMinSizedColumnWidth, x - sizingGrip_ - ColumnLeft(sizingCol_)));
}

void TStringGrid::EndColumnSizing() {
  if (sizingCol_ < 0) return;
  sizingCol_ = -1;
  ReleaseCapture();
}

bool TStringGrid::SetSizingCursor() {
  if (!HasOption(goColSizing)) return false;
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(Hwnd(Handle()), &p);
  if (sizingCol_ < 0 && SizingColumnAt(p.x) < 0) return false;
  SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
  return true;
}

// A character typed on the grid opens the editor with the character as the new text. The
// grid's window is an ANSI one, which receives letters beyond its code page as question
// marks, so the character is taken from the queue in UTF-16 where it can be: the message
// loop translated the key before it dispatched it.
bool TStringGrid::TypeQueuedCharacters() {
  HWND hwnd = Hwnd(Handle());
  MSG msg;
  if (!PeekMessageW(&msg, hwnd, WM_CHAR, WM_CHAR, PM_NOREMOVE) || !IsPrintable(msg.wParam))
    return false;
  ShowEditor(true);
  if (!EditorMode()) return false;
  while (PeekMessageW(&msg, hwnd, WM_CHAR, WM_CHAR, PM_REMOVE))
    SendMessageW(editor_->Window(), WM_CHAR, msg.wParam, msg.lParam);
  return true;
}

void TStringGrid::CharTyped(TMessage& m) {
  if (!EditorMode()) {
    if (!HasOption(goEditing) || !IsPrintable(m.WParam)) return DefaultHandler(m);
    ShowEditor(true);
    if (!EditorMode()) return;
  }
  SendMessageA(editor_->Window(), WM_CHAR, m.WParam, m.LParam);
}

// ---- The editor

bool TStringGrid::EditorMode() const { return editCol_ >= 0; }

void TStringGrid::SetEditorMode(bool value) {
  if (value)
    ShowEditor(false);
  else
    HideEditor(true);
}

void* TStringGrid::EditorHandle() const { return editor_ ? editor_->Window() : nullptr; }

bool TStringGrid::Editing(int col, int row) const {
  return EditorMode() && col == editCol_ && row == editRow_;
}

void TStringGrid::ShowEditor(bool replaceText) {
  if (!HasOption(goEditing) || EditorMode()) return;
  HandleNeeded();
  if (!editor_) editor_ = new TInplaceEdit(this);
  ScrollIntoView(col_, row_);
  editCol_ = col_;
  editRow_ = row_;
  textBeforeEdit_ = Cells(col_, row_);
  editor_->SetText(replaceText ? std::string() : textBeforeEdit_);
  editor_->SetFont(Font()->Handle());
  PlaceEditor();
  HWND edit = editor_->Window();
  ShowWindow(edit, SW_SHOWNA);
  ::SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, replaceText ? -1 : 0, -1);
  InvalidateCell(editCol_, editRow_);
}

void TStringGrid::HideEditor(bool commit) {
  if (!EditorMode()) return;
  int col = editCol_, row = editRow_;
  std::string text = commit ? editor_->Text() : textBeforeEdit_;
  editCol_ = editRow_ = -1;
  if (editor_->Focused()) ::SetFocus(Hwnd(Handle()));
  ShowWindow(editor_->Window(), SW_HIDE);
  SetCells(col, row, text);
  InvalidateCell(col, row);
}

void TStringGrid::DestroyWnd() {
  HideEditor(true);
  delete editor_;
  editor_ = nullptr;
  TCustomControl::DestroyWnd();
}

// The editor sits inside the cell's frame, its text exactly where the cell shows it.
void TStringGrid::PlaceEditor() {
  if (!EditorMode()) return;
  TRect cell = CellBounds(editCol_, editRow_);
  int height = std::min(TextHeight() + 2, cell.Height());
  int top = cell.Top + (cell.Height() - height) / 2;
  MoveWindow(editor_->Window(), cell.Left + 1, top, std::max(0, cell.Width() - 2), height, TRUE);
  // Setting the font resets the margins, so they follow every placement.
  int margin = kTextPadding - 1;
  SendMessageW(editor_->Window(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
               MAKELONG(margin, margin));
}

void TStringGrid::EditorTextChanged() {
  if (EditorMode()) SetCells(editCol_, editRow_, editor_->Text());
}

void TStringGrid::EditorLostFocus() {
  if (EditorMode()) HideEditor(true);
}

void TStringGrid::EditorKeyDown(std::uint16_t& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  switch (key) {
    case VK_RETURN:
      HideEditor(true);
      break;
    case VK_ESCAPE:
      HideEditor(false);
      break;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
      HideEditor(true);
      Navigate(key, shift);
      break;
    case VK_TAB:
      if (!HasOption(goTabs)) return;
      HideEditor(true);
      Navigate(key, shift);
      break;
    default:
      return;
  }
  key = 0;
}

// ---- Painting

int TStringGrid::TextHeight() {
  HDC dc = GetDC(Hwnd(Handle()));
  HGDIOBJ old = SelectObject(dc, Font()->Handle());
  TEXTMETRICW tm;
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(Hwnd(Handle()), dc);
  return static_cast<int>(tm.tmHeight);
}

bool TStringGrid::DrawsSelected(int col, int row) const {
  if (row != row_ || col < fixedCols_ || Editing(col, row)) return false;
  if (col != col_ && !HasOption(goRowSelect)) return false;
  return Focused() || HasOption(goDrawFocusSelected);
}

void TStringGrid::Paint(void* dc) {
  HDC hdc = Hdc(dc);
  HGDIOBJ oldFont = SelectObject(hdc, Font()->Handle());
  TEXTMETRICW tm;
  GetTextMetricsW(hdc, &tm);
  int textOffset = std::max(0, (defaultRowHeight_ - static_cast<int>(tm.tmHeight)) / 2);
  PaintRows(dc, 0, fixedCols_ - 1, textOffset);
  // Scrolled columns slide under the fixed ones and must not paint over them.
  int saved = SaveDC(hdc);
  IntersectClipRect(hdc, FixedWidth(), 0, ClientWidth(), ClientHeight());
  PaintRows(dc, fixedCols_, colCount_ - 1, textOffset);
  RestoreDC(hdc, saved);
  PaintBackgroundBeyondCells(dc);
  SelectObject(hdc, oldFont);
}

void TStringGrid::PaintRows(void* dc, int firstCol, int lastCol, int textOffset) {
  RECT clip;
  GetClipBox(Hdc(dc), &clip);
  int lastRow = LastVisibleRow();
  for (int row = fixedRows_ > 0 ? 0 : topRow_; row <= lastRow; row = NextPaintedRow(row)) {
    int top = RowTop(row);
    if (top >= clip.bottom || top + RowExtent(row) <= clip.top) continue;
    for (int col = firstCol; col <= lastCol; ++col) {
      int left = ColumnLeft(col);
      if (left >= clip.right || left + ColumnExtent(col) <= clip.left) continue;
      PaintCell(dc, col, row, textOffset);
    }
  }
}

// The fixed rows, then the scrollable rows from the top one on.
int TStringGrid::NextPaintedRow(int row) const {
  return row + 1 < fixedRows_ ? row + 1 : std::max(row + 1, topRow_);
}

void TStringGrid::PaintCell(void* dc, int col, int row, int textOffset) {
  HDC hdc = Hdc(dc);
  TRect cell = CellBounds(col, row);
  RECT r = ToRect(cell);
  bool fixed = col < fixedCols_ || row < fixedRows_;
  bool selected = DrawsSelected(col, row);
  TColor back = fixed ? clBtnFace : selected ? clHighlight : Color();
  TColor fore = selected ? clHighlightText : Font()->Color();
  SetBkColor(hdc, ColorToRGB(back));
  SetTextColor(hdc, ColorToRGB(fore));
  std::wstring text = Editing(col, row) ? std::wstring() : Utf8ToWide(Cells(col, row));
  ExtTextOutW(hdc, r.left + kTextPadding, r.top + textOffset, ETO_CLIPPED | ETO_OPAQUE, &r,
              text.c_str(), static_cast<UINT>(text.size()), nullptr);
  if (selected && Focused() && !HasOption(goRowSelect)) DrawFocusRect(hdc, &r);
  PaintCellLines(dc, col, row, cell);
}

// Each cell draws the grid lines on its right and bottom edges; the editor's cell gets a
// frame in the highlight colour instead, so that the open editor stands out.
void TStringGrid::PaintCellLines(void* dc, int col, int row, const TRect& cell) {
  HDC hdc = Hdc(dc);
  bool fixed = col < fixedCols_ || row < fixedRows_;
  COLORREF line = fixed ? ColorToRGB(clBtnShadow) : kGridLineColor;
  int vertical = VertLineWidth(col), horizontal = HorzLineWidth(row);
  FillSolid(hdc, {cell.Right, cell.Top, cell.Right + vertical, cell.Bottom + horizontal}, line);
  FillSolid(hdc, {cell.Left, cell.Bottom, cell.Right, cell.Bottom + horizontal}, line);
  if (!Editing(col, row)) return;
  RECT frame = {cell.Left, cell.Top, cell.Right + vertical, cell.Bottom + horizontal};
  HBRUSH brush = CreateSolidBrush(ColorToRGB(clHighlight));
  FrameRect(hdc, &frame, brush);
  DeleteObject(brush);
}

void TStringGrid::PaintBackgroundBeyondCells(void* dc) {
  HDC hdc = Hdc(dc);
  COLORREF back = ColorToRGB(Color());
  int width = ClientWidth(), height = ClientHeight();
  int right = std::max(FixedWidth(), ColumnLeft(colCount_ - 1) + ColumnExtent(colCount_ - 1));
  int lastRow = LastVisibleRow();
  int bottom = RowTop(lastRow) + RowExtent(lastRow);
  FillSolid(hdc, {right, 0, width, height}, back);
  FillSolid(hdc, {0, bottom, right, height}, back);
}

void TStringGrid::FontChanged() {
  TCustomControl::FontChanged();
  if (editor_) editor_->SetFont(Font()->Handle());
  PlaceEditor();
}

// ---- Window

void TStringGrid::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TStringGrid::InitializeWindow() {
  TCustomControl::InitializeWindow();
  UpdateScrollBars();
}

void TStringGrid::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_GETDLGCODE:
      m.Result = DialogCode(m);
      return;
    case WM_ERASEBKGND:
      m.Result = 1;  // Paint covers every pixel; erasing first would only flicker
      return;
    case WM_SIZE:
      TCustomControl::WndProc(m);
      ClampScrollPositions();
      UpdateScrollBars();
      PlaceEditor();
      return;
    case WM_VSCROLL:
      VerticalScroll(LOWORD(m.WParam));
      return;
    case WM_HSCROLL:
      HorizontalScroll(LOWORD(m.WParam));
      return;
    case WM_MOUSEWHEEL:
      MouseWheel(GET_WHEEL_DELTA_WPARAM(m.WParam));
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      MouseDown(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam), m.Msg == WM_LBUTTONDBLCLK);
      return;
    case WM_MOUSEMOVE:
      MouseMove(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
      return;
    case WM_LBUTTONUP:
      EndColumnSizing();
      return;
    case WM_CAPTURECHANGED:
      sizingCol_ = -1;
      break;
    case WM_SETCURSOR:
      if (LOWORD(m.LParam) == HTCLIENT && SetSizingCursor()) {
        m.Result = TRUE;
        return;
      }
      break;
    case WM_CHAR:
      CharTyped(m);
      return;
    case WM_COMMAND:
      if (editor_ && reinterpret_cast<HWND>(m.LParam) == editor_->Window()) {
        if (HIWORD(m.WParam) == EN_CHANGE) EditorTextChanged();
        return;
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateSelection();
      break;
    case WM_GRID_UPDATESCROLLBARS:
      UpdateScrollBars();
      return;
  }
  TCustomControl::WndProc(m);
}
