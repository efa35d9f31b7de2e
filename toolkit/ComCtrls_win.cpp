// The status bar over the system's status window. Its bounds are the toolkit's, like every
// other control's, rather than the system's own placement along the parent's bottom edge.
#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "ComCtrls.h"
#include "WinHandle.h"
#include "WinText.h"

const TClassInfo& TStatusPanel::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TStatusPanel>("TStatusPanel", TCollectionItem::StaticClass())
          .Enum("Alignment", AlignmentType, &TStatusPanel::Alignment, &TStatusPanel::SetAlignment)
          .String("Text", &TStatusPanel::Text, &TStatusPanel::SetText)
          .Integer("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth, 0, INT32_MAX);
  return info;
}

void TStatusPanel::SetText(const std::string& value) {
  if (value == text_) return;
  text_ = value;
  Changed();
}

void TStatusPanel::SetWidth(int value) {
  if (value == width_) return;
  width_ = value;
  Changed();
}

void TStatusPanel::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Changed();
}

const TClassInfo& TStatusPanels::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TStatusPanels>("TStatusPanels", TCollection::StaticClass());
  return info;
}

void TStatusPanels::Update(TCollectionItem* item) { statusBar_->UpdatePanels(); }

const TClassInfo& TStatusBar::StaticClass() {
  static const TClassInfo info = TClassBuilder<TStatusBar>("TStatusBar", TWinControl::StaticClass())
                                     .Creatable()
                                     .Object("Panels", &TStatusBar::Panels);
  return info;
}

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner), panels_(new TStatusPanels(this)) {
  SetBounds(0, 0, 200, 19);
}

TStatusBar::~TStatusBar() {
  TStatusPanels* panels = panels_;
  panels_ = nullptr;
  delete panels;
}

void TStatusBar::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = "msctls_statusbar32";
  params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
}

void TStatusBar::InitializeWindow() {
  TWinControl::InitializeWindow();
  UpdatePanels();
}

namespace {
// The system aligns a panel's text by tabs in front of it: one centres, two right-align.
std::wstring AlignedText(const TStatusPanel& panel) {
  const wchar_t* prefix = panel.Alignment() == taCenter        ? L"\t"
                          : panel.Alignment() == taRightJustify ? L"\t\t"
                                                                : L"";
  return prefix + Utf8ToWide(panel.Text());
}
}  // namespace

void TStatusBar::UpdatePanels() {
  if (!panels_ || !HandleAllocated()) return;
  HWND hwnd = Hwnd(Handle());
  // The system takes the right edge of each panel; the last one reaches the window's end.
  std::vector<int> edges;
  int right = 0;
  for (int i = 0; i < panels_->Count(); ++i) {
    right += panels_->Items(i)->Width();
    edges.push_back(i + 1 == panels_->Count() ? -1 : right);
  }
  if (edges.empty()) edges.push_back(-1);
  SendMessageW(hwnd, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (int i = 0; i < panels_->Count(); ++i)
    SendMessageW(hwnd, SB_SETTEXTW, i, reinterpret_cast<LPARAM>(AlignedText(*panels_->Items(i)).c_str()));
}

std::string TStatusBar::PanelTextShown(int index) {
  HWND hwnd = Hwnd(Handle());
  LRESULT length = LOWORD(SendMessageW(hwnd, SB_GETTEXTLENGTHW, index, 0));
  std::wstring text(length + 1, L'\0');
  SendMessageW(hwnd, SB_GETTEXTW, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(length);
  return WideToUtf8(text);
}
