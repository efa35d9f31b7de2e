// The string grid: a table of texts with one selected cell, keyboard and mouse navigation,
// column sizing, scrolling through hundreds of thousands of rows and in-place editing.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Controls.h"
#include "StdCtrls.h"  // TScrollStyle, shared with the memo

enum TGridOption {
  goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goDrawFocusSelected,
  goRowSizing, goColSizing, goRowMoving, goColMoving, goEditing, goTabs, goRowSelect,
  goAlwaysShowEditor, goThumbTracking
};
using TGridOptions = std::uint32_t;  // one bit per TGridOption
constexpr TGridOptions GridOptionsOf(std::initializer_list<TGridOption> options) {
  TGridOptions set = 0;
  for (TGridOption o : options) set |= 1u << o;
  return set;
}
extern const TEnumInfo GridOptionType;

// Asked before a cell becomes the selected one; clearing CanSelect keeps the old selection.
using TSelectCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;

class TInplaceEdit;

class TStringGrid : public TCustomControl {
  DECLARE_CLASS(TStringGrid, TCustomControl)
 public:
  explicit TStringGrid(TComponent* owner);
  ~TStringGrid() override;

  int ColCount() const { return colCount_; }
  void SetColCount(int value);
  int RowCount() const { return static_cast<int>(rows_.size()); }
  void SetRowCount(int value);
  int FixedCols() const { return fixedCols_; }
  void SetFixedCols(int value);
  int FixedRows() const { return fixedRows_; }
  void SetFixedRows(int value);
  int DefaultColWidth() const { return defaultColWidth_; }
  void SetDefaultColWidth(int value);
  int DefaultRowHeight() const { return defaultRowHeight_; }
  void SetDefaultRowHeight(int value);
  TGridOptions Options() const { return options_; }
  void SetOptions(TGridOptions value);
  bool HasOption(TGridOption option) const { return (options_ & (1u << option)) != 0; }
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle value);

  // Cells outside the grid read as empty; writing one is ignored.
  std::string Cells(int col, int row) const;
  void SetCells(int col, int row, const std::string& text);
  int ColWidths(int col) const;
  void SetColWidths(int col, int width);

  // The selected cell, always outside the fixed rows and columns.
  int Col() const { return col_; }
  int Row() const { return row_; }
  void SetCol(int value) { MoveSelection(value, row_); }
  void SetRow(int value) { MoveSelection(col_, value); }
  // The first scrollable row on screen, and how many rows fit below the fixed ones.
  int TopRow() const { return topRow_; }
  void SetTopRow(int value);
  int VisibleRowCount() const;
  // The horizontal scroll position of the columns after the fixed ones, in pixels.
  int LeftOffset() const { return leftOffset_; }
  void SetLeftOffset(int value);

  // The in-place editor over the selected cell.
  bool EditorMode() const;
  void SetEditorMode(bool value);
  // The editor's window (an HWND) while it exists, for tests and accessibility tools.
  void* EditorHandle() const;
  // The cell's rectangle in client coordinates, empty when the cell is not on screen.
  TRect CellRect(int col, int row) const;

  TSelectCellEvent OnSelectCell;

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWindow() override;
  void DestroyWnd() override;
  void KeyDown(std::uint16_t& key, TShiftState shift) override;
  void Paint(void* dc) override;
  void FontChanged() override;

 private:
  friend class TInplaceEdit;

  // Geometry: cells are their width or height plus the grid line after them.
  int VertLineWidth(int col) const;
  int HorzLineWidth(int row) const;
  int ColumnExtent(int col) const { return colWidths_[col] + VertLineWidth(col); }
  int RowExtent(int row) const { return defaultRowHeight_ + HorzLineWidth(row); }
  int ExtentOfColumns(int from, int to) const;
  int FixedWidth() const;
  int FixedHeight() const;
  int ScrollableWidth() const;
  int ColumnLeft(int col) const;
  int RowTop(int row) const;
  int ColumnAt(int x) const;
  int RowAt(int y) const;
  int LastVisibleRow() const;
  int MaxTopRow() const;
  int MaxLeftOffset() const;
  TRect CellBounds(int col, int row) const;
  int SizingColumnAt(int x) const;

  // Changes that repaint only what they touch.
  void InvalidateArea(const TRect& rect);
  void InvalidateCell(int col, int row);
  void InvalidateSelection();
  void InvalidateFromColumn(int col);
  void InvalidateFromRow(int row);
  void ScrollChanged();
  void RequestScrollBarUpdate();
  void UpdateScrollBars();
  void UpdateScrollBar(int bar, bool wanted, int max, int page, int pos);
  void ClampScrollPositions();

  // Selection and navigation.
  void MoveSelection(int col, int row);
  bool CanSelect(int col, int row);
  void ScrollIntoView(int col, int row);
  bool Navigate(std::uint16_t key, TShiftState shift);
  int ClampCol(int col) const;
  int ClampRow(int row) const;

  // Scroll bars and the mouse.
  void VerticalScroll(int code);
  void HorizontalScroll(int code);
  void MouseWheel(int delta);
  void MouseDown(int x, int y, bool doubleClick);
  void MouseMove(int x, int y);
  void EndColumnSizing();
  bool SetSizingCursor();
  void CharTyped(TMessage& message);
  std::intptr_t DialogCode(const TMessage& message) const;

  // The editor.
  void ShowEditor(bool replaceText);
  void HideEditor(bool commit);
  void PlaceEditor();
  void EditorTextChanged();
  void EditorKeyDown(std::uint16_t& key, TShiftState shift);
  void EditorLostFocus();
  bool TypeQueuedCharacters();
  bool Editing(int col, int row) const;

  // Painting.
  void PaintRows(void* dc, int firstCol, int lastCol, int textOffset);
  int NextPaintedRow(int row) const;
  void PaintCell(void* dc, int col, int row, int textOffset);
  void PaintCellLines(void* dc, int col, int row, const TRect& cell);
  void PaintBackgroundBeyondCells(void* dc);
  int TextHeight();
  bool DrawsSelected(int col, int row) const;

  std::vector<std::vector<std::string>> rows_;
  std::vector<int> colWidths_;
  int colCount_ = 5;
  int fixedCols_ = 1;
  int fixedRows_ = 1;
  int defaultColWidth_ = 64;
  int defaultRowHeight_ = 24;
  TGridOptions options_;
  TScrollStyle scrollBars_ = ssBoth;
  int col_ = 1;
  int row_ = 1;
  int topRow_ = 1;
  int leftOffset_ = 0;
  int wheelDelta_ = 0;
  int sizingCol_ = -1;
  int sizingGrip_ = 0;  // the distance from the mouse to the border when sizing began
  bool scrollBarUpdatePending_ = false;
  bool updatingScrollBars_ = false;
  TInplaceEdit* editor_ = nullptr;
  int editCol_ = -1;
  int editRow_ = -1;
  std::string textBeforeEdit_;
};
